#pragma once

#include "shell/menu/MenuConScansione.h"
#include "workspace/scansione/ComandoScansione.h"
#include "workspace/testi/LetturaTesto.h"

#include <QColor>
#include <QList>

class Assistente;
class QAction;
class QPushButton;
class QTextEdit;

// The reading window ("formSchede"): a text of the area in a full-screen rich-text box, read
// aloud sentence by sentence by the reading character with the word being heard in red; larger
// and smaller characters, three colour contrasts, stop, resume, read from the caret, another
// text. Menus and shortcuts for the keyboard; for switch users a column of buttons (Leggi,
// Interrompi, Riprendi, Aumenta, Riduci, Modifica colore, Altra scheda, Esci) walked by the
// scanning highlight of the menus (Space/Enter in manual scanning, Space in automatic).
class FormSchede : public MenuConScansione<FormSchede, ComandoScansione> {
    Q_OBJECT
    friend class MenuConScansione<FormSchede, ComandoScansione>;

public:
    // The buttons of the switch column, in scanning order.
    enum Comando {
        CmdLeggi,
        CmdInterrompi,
        CmdRiprendi,
        CmdAumenta,
        CmdRiduci,
        CmdModificaColore,
        CmdAltraScheda,
        CmdEsci,
        NumeroComandi
    };

    explicit FormSchede(QWidget* parent = nullptr);
    ~FormSchede() override;

    void Attivazione() override;

    // The commands.
    void Leggi();
    void LeggiDalCursore(); // "Riprendi / Leggi dal cursore"
    void Interrompi();
    void Riprendi();
    void Aumenta();
    void Riduci();
    void ModificaColore();
    void AltraScheda();
    void Esci();
    void EseguiComando(int comando);

    QTextEdit* RichTextBox1() const { return testo_; }
    QWidget* PicAgent() const { return picAgent_; }
    QPushButton* Pulsante(int comando) const { return pulsanti_.value(comando); }
    QAction* Azione(const QString& nomeOggetto) const;
    Assistente* assistente() const { return assistente_; }
    const LetturaTesto& Lettura() const { return lettura_; }
    int SchemaLettura() const { return schemaLettura_; }
    QColor ColoreNormale() const { return coloreNormale_; }
    // The button highlighted by scanning, -1 none.
    int PulsanteEvidenziato() const { return evidenziato_; }

protected:
    void CasellaScelta(int indice) override { EseguiComando(indice); }
    void ApplicaProfilo() override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Esegui(const ComandoScansione::Eventi& eventi);
    void ColoraPulsanti(int evidenziato);
    bool CaricaTesto(const QString& percorso);
    void ApplicaContrasto();
    void ParlaFrase(const std::optional<FraseDaLeggere>& frase);
    void Segnalibro(int numero);
    void RichiestaCompletata();
    void ColoraNormale(IntervalloTesto intervallo);
    void AdattaPulsanti();
    void StopAll();

    QTextEdit* testo_ = nullptr;
    QWidget* colonna_ = nullptr;
    QWidget* picAgent_ = nullptr;
    QList<QPushButton*> pulsanti_;
    Assistente* assistente_ = nullptr;
    LetturaTesto lettura_;
    QString prefisso_;
    int schemaLettura_ = 1;
    QColor coloreNormale_ = Qt::black;
    int richiesta_ = 0;
    int evidenziato_ = -1;
};

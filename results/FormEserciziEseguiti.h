#pragma once

#include "results/FileRisultati.h"
#include "results/StampaGriglia.h"
#include "shell/Navigazione.h"
#include "workspace/scansione/ComandoScansione.h"

#include <memory>

class OrologioScansione;
class QLabel;
class QMenuBar;
class QPushButton;
class QTableWidget;

// The results window: the exercise log of the run as a table (MSFlexGrid1) with each row's
// percentage of right answers, the note (Label3), "&File" with "Salva" and "Apri" (".rpt" files
// in the user's results folder), "&Stampa" (the table on the printer) and "&Esci" (back to the
// area menu). The table is rebuilt from the log at every activation.
//
// A row of buttons repeats the four commands; in the scanning modes the highlight walks them
// (Space and Enter as in the menus), so a switch user can use and leave the window.
class FormEserciziEseguiti : public FinestraProgramma {
    Q_OBJECT
public:
    explicit FormEserciziEseguiti(QWidget* parent = nullptr);
    ~FormEserciziEseguiti() override;

    void Attivazione() override;
    void Salva();
    void Apri();
    void Stampa();
    void Esci();

    QTableWidget* MSFlexGrid1() const { return griglia_; }
    QLabel* Label3() const { return nota_; }
    QMenuBar* BarraMenu() const { return barra_; }
    const QList<QPushButton*>& Pulsanti() const { return pulsanti_; }
    ModoScansione Modo() const { return modo_; }
    // The highlighted button in the scanning modes, -1 none.
    int PulsanteEvidenziato() const;
    // The scanning clock's tick with the time that passed (tests inject it).
    void Scorri(int millisecondi);

    // The table as it is shown, for saving and printing.
    TabellaRisultati Tabella() const;
    GrigliaDaStampare PerLaStampa() const;

    static inline const QString MessaggioErrore = QStringLiteral("Si è verificato un errore!");

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void Intestazione();
    void LarghezzeColonne();
    void Cella(int riga, int colonna, const QString& testo);
    void Esegui(const ComandoScansione::Eventi& eventi);
    void Evidenzia(int indice);
    void Riarma();
    // The folder "Salva" and "Apri" start in, created with its readme when missing.
    std::optional<QString> PreparaCartella();

    QMenuBar* barra_ = nullptr;
    QTableWidget* griglia_ = nullptr;
    QLabel* nota_ = nullptr;
    QList<QPushButton*> pulsanti_;
    ModoScansione modo_ = ModoScansione::Mouse;
    std::unique_ptr<ComandoScansione> scansione_;
    OrologioScansione* orologio_ = nullptr;
    bool spazioGiu_ = false;
    bool invioGiu_ = false;
};

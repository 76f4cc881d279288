#pragma once

#include "workspace/finestra/FinestraAttivita.h"
#include "workspace/testi/LetturaTesto.h"

#include <QColor>
#include <QList>

class QTextEdit;

// What the four exploration windows share beyond the frame: the "&Testi" menu, which reads an
// RTF text aloud sentence by sentence ("apri" F2, "leggi" F3, "interrompi" F4, "riprendi" F5),
// with the text shown beside the map (F6 shows or hides it) and the word being heard in red.
class FinestraEsplorazione : public FinestraAttivita {
    Q_OBJECT
public:
    explicit FinestraEsplorazione(Tipo tipo, QWidget* parent = nullptr);

    // "apri": chooses a text with the text chooser (SceltaTesto) and loads it.
    void ApriTesto();
    // Loads a text file; false (with a message to the pupil) when it cannot be read.
    bool CaricaTesto(const QString& percorso);
    void LeggiTesto();
    void InterrompiTesto();
    void RiprendiTesto();

    QTextEdit* RichTextBox1() const { return testo_; }
    const LetturaTesto& Lettura() const { return lettura_; }
    // The red range of the text box.
    IntervalloTesto ParolaEvidenziata() const { return lettura_.Evidenziato(); }

    static inline const QColor ColoreParola = QColor(255, 0, 0);

protected:
    // The folder the "apri" dialog opens in.
    virtual QString CartellaTesti() const = 0;

    void RichiestaInviata(bool frase) override;
    void VoceFermata() override;

private:
    void ParlaFrase(const std::optional<FraseDaLeggere>& frase);
    void Segnalibro(int numero);
    void RichiestaCompletata();
    void ColoraNormale(IntervalloTesto intervallo);
    QColor ColoreNormale() const;

    QTextEdit* testo_ = nullptr;
    LetturaTesto lettura_;
    QList<bool> coda_; // requests not ended yet, oldest first: true for sentences of the text
    int richiesta_ = 0;
    QAction* apri_ = nullptr;
    QAction* leggi_ = nullptr;
    QAction* interrompi_ = nullptr;
    QAction* riprendi_ = nullptr;
    QAction* mostra_ = nullptr;
};

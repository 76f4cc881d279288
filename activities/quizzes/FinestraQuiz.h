#pragma once

#include "activities/quizzes/QuizDove.h"
#include "results/RegistroEsercizi.h"
#include "workspace/finestra/FinestraAttivita.h"

class BarraRisposte;
class QPushButton;

// What the four where-is quiz windows share on the activity-window frame: the "&Cambia" button
// beside the name box and the "&Cambia" / "&Ricomincia" commands, the status bar with the
// counts, the exercise's log row, the questions (GeneraEsercizio), the answers by click and by
// scanning, and the scanning cycle that ends on the Cambia stop.
//
// The deliberate pauses keep handling events: an answer, a Cambia, a key or "&Esci" may arrive
// during one. Each path checks that the window still exists and that no newer question was asked
// meanwhile before it goes on.
class FinestraQuiz : public FinestraAttivita {
    Q_OBJECT
public:
    explicit FinestraQuiz(Tipo tipo, QWidget* parent = nullptr);

    // Start of an exercise: a new log row, the counts at zero, nothing found, then the frame's
    // activation and the first question.
    void Attivazione() override;
    // Asks the next question, or says the end.
    void GeneraEsercizio();
    // "&Cambia": replaces the open question (after the end, repeats the end message).
    void Cambia();
    // "&Ricomincia": every element not found again, a new question; the exercise goes on.
    virtual void Ricomincia();
    // Completes the log row, then leaves as every activity window does.
    void Esci() override;

    const QuizDove& Quiz() const { return quiz_; }
    int RigaRegistro() const { return esercizio_.Riga(); }
    QPushButton* CommandCambia() const { return cambia_; }
    BarraRisposte* StatusBar1() const { return barra_; }

protected:
    // Column 0 and column 1 of the log row.
    virtual QString Attivita() const = 0;
    virtual QString AreaDelRegistro() const = 0;
    virtual QString TestoFine() const = 0;
    // The slots of a new exercise (built at every activation).
    virtual QList<QuizDove::Elemento> ElementiDelQuiz() = 0;
    // The look of a found slot and of a slot not found yet.
    virtual QString ColoreTrovato(int slot) const = 0;
    virtual QString ColoreDaTrovare(int slot) const = 0;
    // The Cambia button's background when not highlighted.
    virtual quint32 SfondoCambia() const;
    // A click the window drops before anything else (physical maps: undistinguished land).
    virtual bool ClicIgnorato(const QString& nome) const {
        Q_UNUSED(nome);
        return false;
    }
    // The wait after a right answer chosen in automatic scanning (0: only pending events).
    virtual double PausaAutomatica() const { return 0; }
    // Steps of the start of an exercise before the colours (the regional map is loaded anew).
    virtual void PrimaDellEsercizio() {}
    // Whether Ricomincia can ask anything (the physical filter may be empty).
    virtual bool PuoRicominciare();

    // The quiz of the window for the windows that change its slots (the physical filter).
    QuizDove& QuizModificabile() { return quiz_; }
    // Recolours the map twice with pending events between, as after a change of map or filter.
    bool RicoloraDueVolte();

    // The frame's questions.
    int UltimoElemento() const override { return quiz_.UltimoSlot(); }
    QString NomeElemento(int indice) const override { return quiz_.Nome(indice); }
    QString ColoreProprio(int indice) const override;
    // Political maps: the borders in the background colour; then every slot in its look.
    PassataColori ColoriDellaMappa() const override;
    void ElementoCliccato(const QString& nome) override;
    // Scanning: the slots not found yet, then the Cambia stop (before the frame's "Esci"); the
    // first step lands on Cambia.
    bool SaltaNellaScansione(int indice) const override;
    QList<QAbstractButton*> FermatePrimaDiEsci() const override;
    std::unique_ptr<ComandoScansione> CreaScansione() const override;
    void PassoScansione(const CicloScansione::Passo& passo) override;
    void SelezioneScansione(int indice) override;

private:
    void Risposta(bool giusta, int slot, bool contata);
    void AggiornaBarra();
    // The Cambia button's own look (the frame paints it while the scan is on it).
    void ColoraCambia();
    // After a right answer: wait, then ask again unless the window closed or another question
    // was asked meanwhile.
    void DopoLaGiusta(double secondi, bool riprendiScansione);

    QuizDove quiz_;
    EsercizioInCorso esercizio_;
    QPushButton* cambia_ = nullptr;
    BarraRisposte* barra_ = nullptr;
    QAction* azioneEsci_ = nullptr;
    quint64 domande_ = 0; // questions asked so far: tells a pause that a newer one came
    bool generando_ = false;
    bool inAvvio_ = false;
};

#pragma once

#include "workspace/testi/Leggo.h"

#include <QString>

#include <optional>

// The reading of a text aloud, sentence after sentence, as the "&Testi" menus and the sheet
// reader do it: the window owns the text box and the reading character, this class decides what
// to say next and which characters to paint. Idle, reading (LetturaContinua) and interrupted
// are its states. Every command that starts speech returns the sentence to speak; the window
// first stops the character (StopAll), then speaks it and reports the request with
// RegistraRichiesta.
class LetturaTesto {
public:
    explicit LetturaTesto(Leggo::Separatori separatori = Leggo::Separatori::ConACapo);

    // The text of the box, as toPlainText() gives it, and the speech prefix.
    void ImpostaTesto(const QString& testo);
    void ImpostaPrefisso(const QString& prefisso);
    const QString& Testo() const { return testo_; }

    // "Leggi": from the start.
    std::optional<FraseDaLeggere> Leggi();
    // "Leggi dal cursore": from the caret (the number of characters before it), so a caret in the
    // middle of a word starts with the rest of that word.
    std::optional<FraseDaLeggere> LeggiDalCursore(int caratteriPrimaDelCursore);
    // "Interrompi": stops the continuous reading. Returns the red range, to paint normal again.
    IntervalloTesto Interrompi();
    // "Riprendi" of the sheet reader: the word that was red is read again.
    std::optional<FraseDaLeggere> RiprendiDallaParola();
    // "riprendi" of the map windows: goes on after the last word reached.
    std::optional<FraseDaLeggere> RiprendiDopoLaParola();

    struct Evidenziazione {
        IntervalloTesto normale; // paint back in the normal colour
        IntervalloTesto rossa;   // paint red
    };
    // The character reached bookmark n.
    Evidenziazione Segnalibro(int numero);

    struct Completamento {
        IntervalloTesto normale;                // the red range to paint normal again
        std::optional<FraseDaLeggere> prossima; // the next sentence, when reading goes on
    };
    // The sentence being spoken was cut off (a name said in its place): when the reading goes
    // on, it starts again at the word that was being heard, or at the start of the sentence
    // when none of its words was reached yet. Nothing changes while not reading.
    void FraseInterrotta();

    // The character finished a request. Requests other than the last one registered (an old
    // sentence stopped by StopAll) change nothing.
    Completamento RichiestaCompletata(int idRichiesta = -1);
    void RegistraRichiesta(int idRichiesta) { richiesta_ = idRichiesta; }

    bool LetturaContinua() const { return continua_; }
    int PosizioneLettura() const { return posizione_; }
    int LunghezzaTesto() const { return lunghezza_; }
    IntervalloTesto Evidenziato() const { return {inizio_, fine_}; }

private:
    std::optional<FraseDaLeggere> ProssimaFrase();
    IntervalloTesto Rosso() const;

    Leggo::Separatori separatori_;
    QString testo_;
    QString prefisso_;
    int posizione_ = 0; // PosizioneLettura, 1-based position reached
    int lunghezza_ = 0; // LunghezzaTesto
    bool continua_ = false;
    int inizio_ = 0; // InizioEvidenziato
    int fine_ = 0;   // FineEvidenziato
    int richiesta_ = -1;
    int fineFrase_ = 0;             // last position of the sentence being spoken
    int inizioFrase_ = 0;           // the position it was started from
    bool parolaDellaFrase_ = false; // one of its bookmarks was reached
    bool interrotta_ = false;
};

#pragma once

#include "workspace/scansione/CicloScansione.h"
#include "workspace/scansione/OpzioniScansione.h"

#include <QList>

#include <optional>

// The three ways of reaching an element (the profile's ModalitaAccesso).
enum class ModoScansione {
    Mouse,      // 0: clicks; Space and Enter do nothing here
    Manuale,    // 2: Space (released) steps, Enter (released) selects
    Automatica, // 3: a clock steps; Space held freezes the highlight, Space released selects
};

// 2 gives manual and 3 automatic scanning; every other value is the mouse.
ModoScansione ModoDaAccesso(int modalitaAccesso);
// The automatic step, TempoScansione quarter seconds. Values outside 4..60 (a profile edited by
// hand) are brought back into that range: one step every 1 to 15 seconds.
int IntervalloScansione(int tempoScansione);

// Switch scanning over a CicloScansione, driven by key events and by elapsed time. No timer runs
// here: the window tells how much time passed (Trascorri) and may ask when the next step is due.
// Every input returns what the window has to do, in order.
class ComandoScansione {
public:
    // What a Space release does in automatic scanning.
    enum class Rilascio {
        // Map windows: stops a moving highlight and selects the element, or sets a stopped
        // highlight moving again.
        FermaOAvvia,
        // Menus: always selects the highlighted tile; the highlight keeps moving.
        Seleziona,
    };

    struct Opzioni {
        ModoScansione modo = ModoScansione::Mouse;
        int intervalloMs = 1000;
        Rilascio rilascio = Rilascio::FermaOAvvia;
        // Automatic scanning moves from activation on (region chooser, menus) rather than
        // waiting for a first Space (map windows).
        bool inMovimentoAllAvvio = false;
        // Where the highlight is at activation: -1 (nothing) for maps, 0 for menus.
        int indiceIniziale = -1;
        // The user's switch options (OpzioniUtente() unless told otherwise): a press counts only
        // when held at least accettazioneMs; automatic scanning pauses after giriPrimaDellaPausa
        // loops without a press (0: never); leggiEvidenziato asks the window to speak every step.
        int accettazioneMs = OpzioniUtente().AccettazioneMs();
        int giriPrimaDellaPausa = OpzioniUtente().giriPrimaDellaPausa;
        bool leggiEvidenziato = OpzioniUtente().leggiEvidenziato;
    };

    struct Evento {
        enum class Tipo {
            Passo,     // repaint passo.daRipristinare, highlight passo.evidenziato
            Selezione, // the pupil chose element `indice`
            Ripartita, // automatic scanning moving again (nothing to paint)
            Pausa,     // automatic scanning stopped after its silent loops (nothing to paint)
        };
        Tipo tipo = Tipo::Passo;
        CicloScansione::Passo passo;
        int indice = -1;

        static Evento DiPasso(CicloScansione::Passo p) { return {Tipo::Passo, p, p.evidenziato}; }
        static Evento DiSelezione(int i) { return {Tipo::Selezione, {}, i}; }
        bool operator==(const Evento&) const = default;
    };
    using Eventi = QList<Evento>;

    ComandoScansione(CicloScansione ciclo, Opzioni opzioni);

    // Activation of the window: the highlight goes back to its starting place, automatic
    // scanning to its starting state, the clock restarts.
    void Attiva();

    // A press shorter than the acceptance time is dropped at its release; a release without a
    // press known (a window that does not report Enter pressed) counts.
    Eventi PremiSpazio();
    Eventi RilasciaSpazio();
    Eventi PremiInvio();
    Eventi RilasciaInvio();
    // Time passed since the last call. A clock that fell behind catches up with a single step,
    // as a real timer does.
    Eventi Trascorri(int millisecondi);
    // Milliseconds until the next clock tick; nullopt while the clock is off (not automatic
    // scanning, or Space held).
    std::optional<int> MillisecondiAlProssimoScatto() const;

    bool ScansioneAttiva() const { return attiva_; }
    // Quizzes set a stopped scan moving again after a right answer.
    void ImpostaScansioneAttiva(bool attiva) { attiva_ = attiva; }
    bool OrologioAcceso() const { return orologio_; }
    // Automatic scanning stopped after its silent loops; the next accepted press sets it going.
    bool InPausa() const { return pausa_; }

    CicloScansione& Ciclo() { return ciclo_; }
    const CicloScansione& Ciclo() const { return ciclo_; }
    int Indice() const { return ciclo_.Indice(); }
    const Opzioni& Impostazioni() const { return opzioni_; }

private:
    Eventi Passo();
    Eventi PassoDellOrologio();
    // Whether a press held for tenuta milliseconds counts.
    bool Accettata(int tenuta) const;

    CicloScansione ciclo_;
    Opzioni opzioni_;
    bool attiva_ = false;   // ScansioneAttiva
    bool orologio_ = false; // the automatic clock is running
    int trascorsi_ = 0;     // milliseconds since the clock last ticked or restarted
    bool spazioGiu_ = false;
    bool invioGiu_ = false;
    int tenutaSpazio_ = 0; // milliseconds Space has been held
    int tenutaInvio_ = 0;
    int giri_ = 0; // loops of the automatic highlight since the last press
    bool pausa_ = false;
};

#pragma once

#include "workspace/scansione/CicloScansione.h"

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
    };

    struct Evento {
        enum class Tipo {
            Passo,     // repaint passo.daRipristinare, highlight passo.evidenziato
            Selezione, // the pupil chose element `indice`
            Ripartita, // automatic scanning moving again (nothing to paint)
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

    Eventi PremiSpazio();
    Eventi RilasciaSpazio();
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

    CicloScansione& Ciclo() { return ciclo_; }
    const CicloScansione& Ciclo() const { return ciclo_; }
    int Indice() const { return ciclo_.Indice(); }
    const Opzioni& Impostazioni() const { return opzioni_; }

private:
    Eventi Passo();

    CicloScansione ciclo_;
    Opzioni opzioni_;
    bool attiva_ = false;   // ScansioneAttiva
    bool orologio_ = false; // the automatic clock is running
    int trascorsi_ = 0;     // milliseconds since the clock last ticked or restarted
};

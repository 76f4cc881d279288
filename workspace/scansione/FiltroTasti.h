#pragma once

#include <QList>
#include <QtGlobal>

#include <map>
#include <optional>

// Turns the key events of a switch into one press and one release per use of the switch.
//
// A held key reaches the program as a stream of release/press pairs with equal timestamps (the
// window system's key repeat), which the toolkit flags as repeats only when it finds the press
// already queued: under load it does not. A worn or bouncing switch gives short presses and
// re-presses a few milliseconds apart. The rules, per key, on the events' own timestamps:
//
//  - events flagged as repeats are dropped;
//  - a press is passed on once the key has been held for SogliaRimbalzo ms: a shorter press that
//    is not taken up again within that time is chatter and is dropped whole;
//  - a release followed by a press of the same key within SogliaRimbalzo ms (equal timestamps
//    included) is a repeat or a bounce: both are dropped, the key is still held;
//  - a release is passed on when no such press followed it;
//  - a press that comes within SogliaRimbalzo ms of a release already passed on (it arrived late)
//    starts a hold that passes nothing on, up to and including its release;
//  - a release whose press was never seen (held before the window got the keys) is dropped;
//  - a press while the key is held (its release was lost with a window that closed) begins a new
//    hold.
//
// The window system sends events in timestamp order, so an event of any key also settles every
// decision that its timestamp leaves no doubt about: the program sees the keys in their order.
//
// Whether a press followed cannot be known when a release arrives: the decision waits for the
// next event, or for Scadi(), which the window calls when AttesaMs passed with no
// event (a timer armed while InAttesa()). No clock is read here.
class FiltroTasti {
public:
    static constexpr int SogliaRimbalzo = 30;
    // The window's wait before Scadi(); not shorter than SogliaRimbalzo.
    static constexpr int AttesaMs = 50;

    struct Uscita {
        enum class Tipo { Premuto, Rilasciato };
        Tipo tipo;
        int tasto;
        bool operator==(const Uscita&) const = default;
    };
    using Uscite = QList<Uscita>;

    Uscite Premi(int tasto, qint64 istante, bool ripetizione = false);
    Uscite Rilascia(int tasto, qint64 istante, bool ripetizione = false);
    // AttesaMs passed without events: every decision still open is taken.
    Uscite Scadi();
    bool InAttesa() const;
    // Whether the key is held as far as the program was told (a press passed on, its release
    // not yet).
    bool Premuto(int tasto) const;
    // Forgets every key (the program was not listening).
    void Azzera() { tasti_.clear(); }

private:
    enum class Stato {
        Su,              // up
        InConferma,      // pressed, not yet held long enough
        Rimbalzo,        // a short press released: waiting for it to be taken up again
        Giu,             // held, press passed on
        RilascioInAttesa // released after a passed-on press: waiting for a press that cancels it
    };
    struct Tasto {
        Stato stato = Stato::Su;
        bool muto = false;     // a hold whose release was already passed on: nothing more
        qint64 premuto = 0;    // timestamp of the press that began the hold
        qint64 rilasciato = 0; // timestamp of the last release
        bool rilascioNoto = false;
    };
    // Takes the decisions that time has settled by `istante` (every key; all of them when
    // istante is empty), in the order of the events they pass on.
    Uscite Avanza(std::optional<qint64> istante);

    std::map<int, Tasto> tasti_;
};

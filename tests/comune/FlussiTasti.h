#pragma once

// Key event streams shaped like the ones the X11 server sends for a switch, for the tests of the
// switch filter and of the windows behind it.

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct EventoTasto {
    bool premuto = true;
    int tasto = 0;
    qint64 istante = 0;
    bool ripetizione = false; // flagged as a repeat by the toolkit
    bool operator==(const EventoTasto&) const = default;
};
using FlussoTasti = QList<EventoTasto>;

// Which of the repeat pairs of a held key the toolkit flags: all (an idle machine), none, or
// every other one (a busy machine finds some presses not yet queued).
enum class Contrassegno { Tutti, Nessuno, Alterni };

namespace FlussiTasti {

// The server's key repeat: after the delay, a release/press pair with equal timestamps at every
// period while the key is held.
inline constexpr int RitardoRipetizione = 500;
inline constexpr int PeriodoRipetizione = 40;

// A key held for `durata` ms from `inizio`.
inline FlussoTasti Tenuto(int tasto, qint64 inizio, int durata, Contrassegno c) {
    FlussoTasti f{{true, tasto, inizio, false}};
    int n = 0;
    for (qint64 t = inizio + RitardoRipetizione; t < inizio + durata;
         t += PeriodoRipetizione, ++n) {
        const bool segnato = c == Contrassegno::Tutti || (c == Contrassegno::Alterni && n % 2 == 0);
        f.append({false, tasto, t, segnato});
        f.append({true, tasto, t, segnato});
    }
    f.append({false, tasto, inizio + durata, false});
    return f;
}

// One clean press and release.
inline FlussoTasti Pulito(int tasto, qint64 inizio, int durata = 150) {
    return {{true, tasto, inizio, false}, {false, tasto, inizio + durata, false}};
}

// A bouncing switch: short contacts before and after a press of `durata` ms.
inline FlussoTasti Rimbalzante(int tasto, qint64 inizio, int durata = 200) {
    return {{true, tasto, inizio, false},
            {false, tasto, inizio + 4, false},
            {true, tasto, inizio + 11, false},
            {false, tasto, inizio + 17, false},
            {true, tasto, inizio + 22, false},
            {false, tasto, inizio + durata, false},
            {true, tasto, inizio + durata + 9, false},
            {false, tasto, inizio + durata + 15, false}};
}

// A contact a few milliseconds long and nothing else.
inline FlussoTasti Scheggia(int tasto, qint64 inizio) {
    return {{true, tasto, inizio, false}, {false, tasto, inizio + 8, false}};
}

// How the events reach the program: at their own pace (the filter's quiet-time timer fires in
// every gap longer than its wait), in one burst after a stall (the timer never fires in between),
// or with every press after a release arriving late (the timer fires in between).
enum class Consegna { Regolare, Raffica, PressioneInRitardo };

// Calls invia(e) for every event and scadi() where the filter's timer would fire.
template <typename Invia, typename Scadi>
void Riproduci(const FlussoTasti& f, Consegna c, int attesaMs, Invia invia, Scadi scadi) {
    for (int i = 0; i < f.size(); ++i) {
        if (i > 0) {
            const bool pausa = f[i].istante - f[i - 1].istante > attesaMs;
            const bool ritardo = !f[i - 1].premuto && f[i].premuto;
            if ((c == Consegna::Regolare && pausa) ||
                (c == Consegna::PressioneInRitardo && (pausa || ritardo)))
                scadi();
        }
        invia(f[i]);
    }
    scadi();
}

} // namespace FlussiTasti

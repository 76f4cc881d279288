#pragma once

// Switch keys sent to the program's windows as the window system sends them, with timestamps,
// through the program's switch filter (FiltroInterruttori), whose quiet-time decisions are taken
// at once after every event so that tests need not wait.

#include "shell/FiltroInterruttori.h"
#include "tests/comune/FlussiTasti.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QSet>

namespace TastiFinestra {

// The timestamps of the test's key events: every event a tenth of a second after the previous.
inline qint64& Orologio() {
    static qint64 t = 1000000;
    return t;
}

inline void Scadi() {
    if (FiltroInterruttori* f = FiltroInterruttori::Istanza())
        f->Scadi();
}

inline void Invia(QWidget* w, const EventoTasto& e) {
    if (!w)
        return;
    QKeyEvent ev(e.premuto ? QEvent::KeyPress : QEvent::KeyRelease, e.tasto, Qt::NoModifier,
                 e.tasto == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r"),
                 e.ripetizione);
    ev.setTimestamp(quint64(e.istante));
    QApplication::sendEvent(w, &ev);
}

// The keys the tests hold down.
inline QSet<int>& Tenuti() {
    static QSet<int> t;
    return t;
}

inline void Premi(QWidget* w, int tasto) {
    Orologio() += 100;
    Tenuti().insert(tasto);
    Invia(w, {true, tasto, Orologio(), false});
    Scadi();
}

inline void Rilascia(QWidget* w, int tasto) {
    Orologio() += 100;
    Tenuti().remove(tasto);
    Invia(w, {false, tasto, Orologio(), false});
    Scadi();
}

// A release that completes a press: the key is pressed first when the test did not hold it.
inline void Clic(QWidget* w, int tasto) {
    if (!Tenuti().contains(tasto))
        Premi(w, tasto);
    Rilascia(w, tasto);
}

// A whole stream, shifted to the test's clock, delivered as `c` says; `destinatario` gives the
// widget of each event (the keyboard may move to another window during the stream).
template <typename Destinatario>
void Riproduci(FlussoTasti f, FlussiTasti::Consegna c, Destinatario destinatario) {
    const qint64 inizio = Orologio() + 1000;
    for (EventoTasto& e : f)
        e.istante += inizio;
    FlussiTasti::Riproduci(
        f, c, FiltroTasti::AttesaMs, [&](const EventoTasto& e) { Invia(destinatario(), e); },
        [] { Scadi(); });
    Orologio() = (f.isEmpty() ? inizio : f.constLast().istante) + 1000;
    Tenuti().clear();
}

} // namespace TastiFinestra

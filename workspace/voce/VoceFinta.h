#pragma once

#include "workspace/voce/MotoreVoce.h"

#include <QStringList>

// A speaker that speaks nothing: it records what it was asked and lets a test play the events.
// For the tests of the windows that speak.
class VoceFinta : public MotoreVoce {
    Q_OBJECT
public:
    using MotoreVoce::MotoreVoce;

    void Speak(const QString& testo) override {
        pronunciati.append(testo);
        richieste.append(testo);
    }
    void StopAll() override {
        ++fermate;
        pronunciati.clear();
    }
    void ImpostaModoVoce(const QString& modoVoce) override { modo = modoVoce; }

    // Plays the events as the real service would.
    void SimulaSegnalibro(int numero) { emit Bookmark(numero); }
    void SimulaFine() {
        if (!pronunciati.isEmpty())
            pronunciati.removeFirst();
        emit RequestComplete();
    }

    QStringList pronunciati; // requests not yet ended or stopped, oldest first
    QStringList richieste;   // every request ever made
    int fermate = 0;         // StopAll calls
    QString modo;
};

#pragma once

#include "workspace/voce/MotoreVoce.h"

#include <QObject>
#include <QPointer>

#include <functional>

struct ProfiloUtente;

// The speakers the windows make: each window's reading character and the announcer below get
// theirs here. By default a speaker on the program's speech service; tests install a fake.
using FabbricaVoce = std::function<MotoreVoce*()>;
void ImpostaFabbricaVoce(FabbricaVoce fabbrica);
// A new speaker (owned by the caller).
MotoreVoce* NuovaVoce();

// Auditory scanning ("Leggi l'elemento evidenziato"): every scanning step speaks what it
// highlights, and the next step cuts it short. It has a speaker of its own, so that stopping an
// announcement never stops the window's other speech requests.
class AnnuncioScansione : public QObject {
    Q_OBJECT
public:
    explicit AnnuncioScansione(QObject* parent = nullptr);

    // Stops the previous announcement and speaks testo with the profile's speed, pitch and voice.
    // Spoken whatever ParlatoAttivo says: the teacher asked for it in the switch options.
    void Annuncia(const QString& testo, const ProfiloUtente& profilo);
    void Ferma();
    MotoreVoce* Voce();

private:
    QPointer<MotoreVoce> voce_;
};

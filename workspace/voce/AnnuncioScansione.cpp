#include "workspace/voce/AnnuncioScansione.h"

#include "shell/Profilo.h"
#include "workspace/voce/ServizioVoce.h"

namespace {
FabbricaVoce& fabbrica() {
    static FabbricaVoce f;
    return f;
}
} // namespace

void ImpostaFabbricaVoce(FabbricaVoce f) {
    fabbrica() = std::move(f);
}

MotoreVoce* NuovaVoce() {
    if (const FabbricaVoce& f = fabbrica())
        if (MotoreVoce* v = f())
            return v;
    return new VoceEspeak();
}

AnnuncioScansione::AnnuncioScansione(QObject* parent) : QObject(parent) {}

MotoreVoce* AnnuncioScansione::Voce() {
    if (!voce_) {
        voce_ = NuovaVoce();
        voce_->setParent(this);
    }
    return voce_;
}

void AnnuncioScansione::Annuncia(const QString& testo, const ProfiloUtente& profilo) {
    MotoreVoce* v = Voce();
    v->StopAll();
    if (testo.trimmed().isEmpty())
        return;
    v->ImpostaModoVoce(profilo.ModoVoce);
    v->Speak(PrefissoVoce(profilo) + testo);
}

void AnnuncioScansione::Ferma() {
    if (voce_)
        voce_->StopAll();
}

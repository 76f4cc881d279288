#include "workspace/voce/ServizioVoce.h"

#include "workspace/voce/ParametriVoce.h"

#include <QCoreApplication>

namespace {

// How often the playing request is looked at: well under the length of a syllable.
constexpr int BattitoMs = 10;

ServizioVoce*& ServizioDelProgramma() {
    static ServizioVoce* s = nullptr;
    return s;
}

} // namespace

ServizioVoce::ServizioVoce(FabbricaUscita fabbrica, QObject* parent)
    : QObject(parent), fabbrica_(std::move(fabbrica)),
      recapito_(std::make_shared<RecapitoSintesi>(this)) {
    if (!fabbrica_)
        fabbrica_ = [] { return std::make_unique<UscitaAudioQt>(); };
    battito_.setInterval(BattitoMs);
    battito_.setTimerType(Qt::PreciseTimer);
    connect(&battito_, &QTimer::timeout, this, &ServizioVoce::Controlla);
    SintesiEspeak::PreparaInAnticipo();
}

ServizioVoce::~ServizioVoce() {
    recapito_->Revoca();
    for (Richiesta& r : coda_)
        r.annullata->store(true);
    if (uscita_)
        uscita_->Ferma();
}

ServizioVoce& ServizioVoce::Programma() {
    ServizioVoce*& s = ServizioDelProgramma();
    if (!s) {
        s = new ServizioVoce();
        qAddPostRoutine([] {
            delete ServizioDelProgramma();
            ServizioDelProgramma() = nullptr;
        });
    }
    return *s;
}

QList<ModoSintesi> ServizioVoce::Modi() {
    return SintesiEspeak::Modi();
}

void ServizioVoce::Parla(MotoreVoce* chi, const QString& testo, const QString& modoVoce) {
    Richiesta r;
    r.id = ++ultimoId_;
    r.chi = chi;
    r.testo = AnalizzaTestoVoce(testo);
    r.annullata = std::make_shared<std::atomic_bool>(false);

    RichiestaSintesi s;
    s.id = r.id;
    s.testo = r.testo.testo;
    s.velocita = VelocitaSintesi(r.testo.velocita.value_or(VelocitaVocePredefinita));
    s.tono = TonoSintesi(r.testo.tono.value_or(TonoVocePredefinito));
    s.modoVoce = modoVoce;
    s.annullata = r.annullata;

    coda_.push_back(std::move(r));
    SintesiEspeak::Sintetizza(std::move(s), recapito_,
                              [this](const RisultatoSintesi& ris) { Ricevi(ris); });
}

void ServizioVoce::Ricevi(const RisultatoSintesi& ris) {
    for (Richiesta& r : coda_) {
        if (r.id != ris.id)
            continue;
        r.sintesi = ris;
        r.pronta = true;
        const qint64 campioni = ris.pcm.size() / qsizetype(sizeof(qint16));
        const int frequenza = std::max(ris.frequenza, 1);
        for (qint64 c : CampioniSegnalibri(r.testo, ris.parole, campioni))
            r.segnalibriUs.append(c * 1000000 / frequenza);
        break;
    }
    AvviaTesta();
}

void ServizioVoce::AvviaTesta() {
    while (!uscita_ && !coda_.empty()) {
        Richiesta& testa = coda_.front();
        if (!testa.chi) { // its speaker is gone
            testa.annullata->store(true);
            coda_.pop_front();
            continue;
        }
        if (!testa.pronta)
            return;
        auto primo = [this] { emit PrimoCampione(); };
        uscita_ = fabbrica_();
        if (uscita_)
            uscita_->primoCampione = primo;
        if (!uscita_ || !uscita_->Avvia(testa.sintesi.pcm, testa.sintesi.frequenza)) {
            uscita_ = std::make_unique<UscitaSenzaAudio>();
            uscita_->primoCampione = primo;
            uscita_->Avvia(testa.sintesi.pcm, testa.sintesi.frequenza);
        }
        emit testa.chi->InVoce(true);
        battito_.start();
        Controlla();
        return;
    }
}

void ServizioVoce::Controlla() {
    if (coda_.empty() || !uscita_) {
        battito_.stop();
        return;
    }
    const quint64 id = coda_.front().id;
    const qint64 posizione = uscita_->PosizioneUs();
    const bool finita = uscita_->Finita();
    for (;;) {
        Richiesta& testa = coda_.front();
        if (testa.prossimoSegnalibro >= testa.segnalibriUs.size())
            break;
        if (!finita && testa.segnalibriUs[testa.prossimoSegnalibro] > posizione)
            return;
        const int numero = testa.testo.segnalibri[testa.prossimoSegnalibro].numero;
        ++testa.prossimoSegnalibro;
        if (testa.chi)
            emit testa.chi->Bookmark(numero);
        // The handler may have stopped this request or spoken anew.
        if (coda_.empty() || coda_.front().id != id || !uscita_)
            return;
    }
    if (finita)
        ChiudiTesta(true);
}

void ServizioVoce::ChiudiTesta(bool completata) {
    if (coda_.empty())
        return;
    Richiesta r = std::move(coda_.front());
    coda_.pop_front();
    if (uscita_) {
        uscita_->Ferma();
        uscita_.reset();
    }
    battito_.stop();
    if (r.chi) {
        emit r.chi->InVoce(false);
        if (completata && r.chi)
            emit r.chi->RequestComplete();
    }
    AvviaTesta();
}

void ServizioVoce::Ferma(MotoreVoce* chi) {
    auto suo = [chi](const Richiesta& r) { return r.chi == chi || !r.chi; };
    const bool testaInVoce = uscita_ && !coda_.empty() && suo(coda_.front());
    QPointer<MotoreVoce> chiTesta = testaInVoce ? coda_.front().chi : nullptr;
    if (testaInVoce) {
        uscita_->Ferma();
        uscita_.reset();
        battito_.stop();
    }
    for (Richiesta& r : coda_) {
        if (suo(r))
            r.annullata->store(true);
    }
    std::erase_if(coda_, suo);
    if (chiTesta)
        emit chiTesta->InVoce(false);
    AvviaTesta();
}

VoceEspeak::VoceEspeak(ServizioVoce* servizio, QObject* parent)
    : MotoreVoce(parent), servizio_(servizio ? servizio : &ServizioVoce::Programma()) {}

VoceEspeak::~VoceEspeak() {
    if (servizio_)
        servizio_->Ferma(this);
}

void VoceEspeak::Speak(const QString& testo) {
    if (servizio_)
        servizio_->Parla(this, testo, modo_);
}

void VoceEspeak::StopAll() {
    if (servizio_)
        servizio_->Ferma(this);
}

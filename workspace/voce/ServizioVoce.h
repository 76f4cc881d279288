#pragma once

#include "workspace/voce/MotoreVoce.h"
#include "workspace/voce/SintesiEspeak.h"
#include "workspace/voce/TestoVoce.h"
#include "workspace/voce/UscitaAudio.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

// The program's speech: one queue of requests from every speaker, synthesised on the engine's
// worker thread and played one after the other. Bookmarks fire on the clock of the audio being
// played (the device's, or the wall clock when there is no device), so a highlighted word
// follows the voice. Nothing here waits: the interface thread only queues and polls.
class ServizioVoce : public QObject {
    Q_OBJECT
public:
    using FabbricaUscita = std::function<std::unique_ptr<UscitaAudio>()>;

    // fabbrica gives the output for each request; by default the sound card.
    explicit ServizioVoce(FabbricaUscita fabbrica = {}, QObject* parent = nullptr);
    ~ServizioVoce() override;

    // The program's one service.
    static ServizioVoce& Programma();

    // Queues a request of a speaker; its events go to that speaker.
    void Parla(MotoreVoce* chi, const QString& testo, const QString& modoVoce);
    // Cancels every request of the speaker, queued or playing; none of their events follows.
    void Ferma(MotoreVoce* chi);
    bool Occupato() const { return !coda_.empty(); }

    // The voices to choose from (Italian first).
    static QList<ModoSintesi> Modi();

signals:
    // Emitted when the device first takes samples of a request (latency measurement).
    void PrimoCampione();

private:
    struct Richiesta {
        quint64 id = 0;
        QPointer<MotoreVoce> chi;
        TestoVoce testo;
        std::shared_ptr<std::atomic_bool> annullata;
        bool pronta = false;
        RisultatoSintesi sintesi;
        QList<qint64> segnalibriUs; // when each bookmark fires, on the audio clock
        int prossimoSegnalibro = 0;
    };

    void Ricevi(const RisultatoSintesi& r);
    void AvviaTesta();
    void Controlla();
    void ChiudiTesta(bool completata);

    FabbricaUscita fabbrica_;
    std::shared_ptr<RecapitoSintesi> recapito_;
    std::deque<Richiesta> coda_;
    std::unique_ptr<UscitaAudio> uscita_; // of the request at the head, while it plays
    QTimer battito_;
    quint64 ultimoId_ = 0;
};

// A speaker on the program's speech service.
class VoceEspeak : public MotoreVoce {
    Q_OBJECT
public:
    explicit VoceEspeak(ServizioVoce* servizio = nullptr, QObject* parent = nullptr);
    ~VoceEspeak() override;
    void Speak(const QString& testo) override;
    void StopAll() override;
    void ImpostaModoVoce(const QString& modoVoce) override { modo_ = modoVoce; }

private:
    friend class ServizioVoce;
    QPointer<ServizioVoce> servizio_;
    QString modo_;
};

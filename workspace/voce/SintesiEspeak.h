#pragma once

#include "workspace/voce/ParametriVoce.h"
#include "workspace/voce/SincroniaParole.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// The speech synthesiser (espeak-ng). The library is one per process, so it runs on one worker
// thread of its own and every call to it goes through here. Audio comes back as 16-bit signed
// mono PCM.

inline constexpr int FrequenzaSintesi = 22050;

struct RichiestaSintesi {
    quint64 id = 0;
    QString testo;      // plain text, no tags
    int velocita = 154; // words per minute
    int tono = 50;      // 0..99
    QString modoVoce;   // the profile's ModoVoce: a voice identifier in braces
    std::shared_ptr<std::atomic_bool> annullata; // set to abandon the request
};

struct RisultatoSintesi {
    quint64 id = 0;
    QByteArray pcm;                   // mono, s16, FrequenzaSintesi samples per second
    QList<ParolaSintetizzata> parole; // word starts, indices in the request's text
    int frequenza = FrequenzaSintesi;
    bool sintetizzato = false; // false: the engine failed and pcm is estimated silence
};

// Where results go: an object on the receiving thread. The owner revokes it before the object
// dies; results still on their way are then dropped.
class RecapitoSintesi {
public:
    explicit RecapitoSintesi(QObject* ricevente) : ricevente_(ricevente) {}
    void Revoca() {
        std::lock_guard lock(m_);
        ricevente_ = nullptr;
    }
    // Runs f on the receiving thread, unless revoked.
    void Consegna(std::function<void()> f);

private:
    std::mutex m_;
    QObject* ricevente_;
};

namespace SintesiEspeak {

// Queues a request on the worker thread; requests are served in the order given. The result is
// handed to consegna on the recipient's thread, and dropped when the recipient is revoked or the
// request abandoned. When the engine cannot speak, the result is silence as long as the text
// would take at that speed, with evenly spaced words, so that reading still moves on.
void Sintetizza(RichiestaSintesi richiesta, std::shared_ptr<RecapitoSintesi> recapito,
                std::function<void(const RisultatoSintesi&)> consegna);

// Loads the engine and reads its voices on the worker thread, so that neither the first request
// nor the first look at the voice list waits for it.
void PreparaInAnticipo();

// The installed voices, filtered and ordered as FiltraModi says. Cached after the first call.
QList<ModoSintesi> Modi();

// Synthesises in the calling thread (waits for the worker if it is busy). For tools and tests.
RisultatoSintesi SintetizzaOra(const RichiestaSintesi& richiesta);

// Silence and evenly spaced words for a text that could not be synthesised.
RisultatoSintesi Stima(const RichiestaSintesi& richiesta);

} // namespace SintesiEspeak

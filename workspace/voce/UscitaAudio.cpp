#include "workspace/voce/UscitaAudio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <algorithm>
#include <utility>

namespace {

qint64 DurataUs(const QByteArray& pcm, int frequenza) {
    const qint64 campioni = pcm.size() / qsizetype(sizeof(qint16));
    return frequenza > 0 ? campioni * 1000000 / frequenza : 0;
}

// A device whose played position has not moved for this long is taken as stuck. Generous: a
// sound server may hold a new stream for well over a second before it starts playing.
constexpr qint64 StalloMassimoMs = 4000;

// Serves the block to the device and notes the first read. Not sequential, so that the device
// knows the block's size and starts playing a short block without waiting to fill its buffer.
class SorgentePcm : public QBuffer {
public:
    SorgentePcm(const QByteArray& dati, std::function<void()> primo, QObject* parent)
        : QBuffer(parent), primo_(std::move(primo)) {
        setData(dati);
    }

protected:
    qint64 readData(char* dati, qint64 massimo) override {
        if (primo_ && massimo > 0 && !atEnd()) {
            auto f = std::move(primo_);
            primo_ = nullptr;
            f();
        }
        return QBuffer::readData(dati, massimo);
    }

private:
    std::function<void()> primo_;
};

} // namespace

bool UscitaSenzaAudio::Avvia(const QByteArray& pcm, int frequenza) {
    durataUs_ = DurataUs(pcm, frequenza);
    inizioUs_ = 0;
    orologio_.start();
    if (primoCampione) {
        auto f = std::move(primoCampione);
        primoCampione = nullptr;
        f();
    }
    return true;
}

qint64 UscitaSenzaAudio::PosizioneUs() const {
    if (!orologio_.isValid())
        return 0;
    return std::min(durataUs_, inizioUs_ + orologio_.nsecsElapsed() / 1000);
}

bool UscitaSenzaAudio::Finita() const {
    return !orologio_.isValid() || PosizioneUs() >= durataUs_;
}

void UscitaSenzaAudio::Ferma() {
    orologio_.invalidate();
}

UscitaAudioQt::UscitaAudioQt(QObject* parent) : QObject(parent) {}

UscitaAudioQt::~UscitaAudioQt() {
    Ferma();
}

bool UscitaAudioQt::Avvia(const QByteArray& pcm, int frequenza) {
    Ferma();
    durataUs_ = DurataUs(pcm, frequenza);
    const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
    if (dispositivo.isNull())
        return false;
    QAudioFormat formato;
    formato.setSampleRate(frequenza);
    formato.setChannelCount(1);
    formato.setSampleFormat(QAudioFormat::Int16);
    if (!dispositivo.isFormatSupported(formato))
        return false;
    // No parent: a sink is only ever deleted from the event loop (see Ferma). The source belongs
    // to the sink, which reads it until its own destructor has run.
    sink_ = new QAudioSink(dispositivo, formato);
    sorgente_ = new SorgentePcm(pcm, std::exchange(primoCampione, nullptr), sink_);
    sorgente_->open(QIODevice::ReadOnly);
    sink_->start(sorgente_);
    if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
        Ferma();
        return false;
    }
    orologio_.start();
    suOrologio_ = false;
    ultimaPosizione_ = 0;
    return true;
}

void UscitaAudioQt::PassaAOrologio() const {
    if (suOrologio_)
        return;
    suOrologio_ = true;
    ripiego_.durataUs_ = durataUs_;
    ripiego_.inizioUs_ = ultimaPosizione_;
    ripiego_.orologio_.start();
}

qint64 UscitaAudioQt::PosizioneUs() const {
    if (!suOrologio_ && sink_) {
        const bool guasto =
            sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError;
        const qint64 posizione = std::clamp(sink_->processedUSecs(), ultimaPosizione_, durataUs_);
        if (posizione > ultimaPosizione_) {
            ultimaPosizione_ = posizione;
            orologio_.restart();
        }
        const bool stallo = orologio_.isValid() && orologio_.elapsed() > StalloMassimoMs;
        if (guasto || stallo || sink_->state() == QAudio::StoppedState)
            PassaAOrologio();
    }
    if (suOrologio_)
        return ripiego_.PosizioneUs();
    return ultimaPosizione_;
}

bool UscitaAudioQt::Finita() const {
    const qint64 posizione = PosizioneUs();
    if (suOrologio_)
        return ripiego_.Finita();
    // The device reports what it has played (never more than it was given), so the block has
    // been heard when that reaches its length; running dry only means it has all been handed over.
    return !sink_ || posizione >= durataUs_;
}

void UscitaAudioQt::Ferma() {
    if (sink_) {
        sink_->stop();
        // Deleting a sound server stream may run pending events; doing it later keeps that out of
        // the middle of the caller's work.
        sink_->deleteLater();
        sink_ = nullptr;
        sorgente_ = nullptr;
    }
    suOrologio_ = false;
    ripiego_.Ferma();
}

bool DispositivoAudioPresente() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

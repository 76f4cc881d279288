#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAudioSink;
class QBuffer;
class QIODevice;

// Plays one block of 16-bit mono PCM and says how much of it has been heard. The speech
// service moves its bookmarks on this clock, so it must also run when there is no sound card.
class UscitaAudio {
public:
    virtual ~UscitaAudio() = default;
    // Starts playing. False when the device cannot play (the caller then uses a clock).
    virtual bool Avvia(const QByteArray& pcm, int frequenza) = 0;
    // Microseconds of the block heard so far.
    virtual qint64 PosizioneUs() const = 0;
    // True once the whole block has been heard.
    virtual bool Finita() const = 0;
    virtual void Ferma() = 0;

    // Called once, when the device first takes samples of the block (latency measurement).
    std::function<void()> primoCampione;
};

// No device: the block "plays" on the wall clock.
class UscitaSenzaAudio : public UscitaAudio {
public:
    bool Avvia(const QByteArray& pcm, int frequenza) override;
    qint64 PosizioneUs() const override;
    bool Finita() const override;
    void Ferma() override;

private:
    QElapsedTimer orologio_;
    qint64 durataUs_ = 0;
    qint64 inizioUs_ = 0;
    friend class UscitaAudioQt;
};

// The sound card through Qt Multimedia. The played position comes from the device; if the
// device fails or stalls during playback, the rest of the block goes on the wall clock.
class UscitaAudioQt : public QObject, public UscitaAudio {
    Q_OBJECT
public:
    explicit UscitaAudioQt(QObject* parent = nullptr);
    ~UscitaAudioQt() override;
    bool Avvia(const QByteArray& pcm, int frequenza) override;
    qint64 PosizioneUs() const override;
    bool Finita() const override;
    void Ferma() override;

private:
    void PassaAOrologio() const;

    QAudioSink* sink_ = nullptr;
    QIODevice* sorgente_ = nullptr;
    qint64 durataUs_ = 0;
    mutable QElapsedTimer
        orologio_; // wall clock since the position last moved, to notice a stuck device
    mutable bool suOrologio_ = false;
    mutable UscitaSenzaAudio ripiego_;
    mutable qint64 ultimaPosizione_ = 0;
};

// True when the system has an audio output device at all.
bool DispositivoAudioPresente();

// Said once at start-up when there is none: the program goes on silently.
inline const QString AvvisoSenzaAudio =
    QStringLiteral("Voce e suoni disattivati: non è stata trovata nessuna uscita audio.");

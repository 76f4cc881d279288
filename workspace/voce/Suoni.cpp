#include "workspace/voce/Suoni.h"

#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"

#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>

namespace {

constexpr qint64 DimensioneMassimaWav = 8 * 1024 * 1024;

quint32 Le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 Le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

RiproduttoreSuoni*& RiproduttoreImpostato() {
    static RiproduttoreSuoni* r = nullptr;
    return r;
}

void Suona(const ProfiloUtente& profilo, const QString& file) {
    if (!profilo.SuoniAttivi)
        return;
    RiproduttoreProgramma().Riproduci(Percorsi::InCartellaProgramma(file));
}

} // namespace

std::optional<SuonoPcm> LeggiWav(const QByteArray& file) {
    const char* d = file.constData();
    const qsizetype n = file.size();
    if (n < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<QAudioFormat> formato;
    qsizetype pos = 12;
    while (pos + 8 <= n) {
        const QByteArray id = file.mid(pos, 4);
        const qint64 lunghezza = Le32(d + pos + 4);
        const qsizetype corpo = pos + 8;
        if (id == "fmt ") {
            if (lunghezza < 16 || corpo + 16 > n)
                return std::nullopt;
            const quint16 codifica = Le16(d + corpo);
            const quint16 canali = Le16(d + corpo + 2);
            const quint32 frequenza = Le32(d + corpo + 4);
            const quint16 bit = Le16(d + corpo + 14);
            if (codifica != 1 || canali < 1 || canali > 2 || frequenza < 4000 ||
                frequenza > 192000 || (bit != 8 && bit != 16))
                return std::nullopt;
            QAudioFormat f;
            f.setSampleRate(int(frequenza));
            f.setChannelCount(canali);
            f.setSampleFormat(bit == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            formato = f;
        } else if (id == "data") {
            if (!formato)
                return std::nullopt;
            // A data chunk longer than the file (an interrupted write) keeps what is there.
            const qsizetype disponibili = std::min<qint64>(lunghezza, n - corpo);
            const int fotogramma = formato->bytesPerFrame();
            const qsizetype interi = disponibili - disponibili % fotogramma;
            if (interi <= 0)
                return std::nullopt;
            return SuonoPcm{*formato, file.mid(corpo, interi)};
        }
        pos = corpo + lunghezza + (lunghezza & 1);
    }
    return std::nullopt;
}

void RiproduttoreSuoniQt::Riproduci(const QString& percorso) {
    auto it = letti_.find(percorso);
    if (it == letti_.end()) {
        std::optional<SuonoPcm> suono;
        // Only a regular file is read: a FIFO or a device in the data folder must not hang.
        if (const auto dati = Percorsi::LeggiFileRegolare(percorso, DimensioneMassimaWav))
            suono = LeggiWav(*dati);
        it = letti_.insert(percorso, suono);
    }
    if (!*it)
        return;
    const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
    if (dispositivo.isNull() || !dispositivo.isFormatSupported((*it)->formato))
        return;

    // One sink per sound, so that sounds may overlap; each cleans up after itself.
    auto* sink = new QAudioSink(dispositivo, (*it)->formato, this);
    auto* buffer = new QBuffer(sink);
    buffer->setData((*it)->dati);
    buffer->open(QIODevice::ReadOnly);
    const qint64 durataMs =
        (*it)->formato.durationForBytes(qint32(std::min<qsizetype>((*it)->dati.size(), INT_MAX))) /
        1000;
    auto chiudi = [sink] {
        sink->stop();
        sink->deleteLater();
    };
    connect(sink, &QAudioSink::stateChanged, sink, [sink, buffer, chiudi](QAudio::State s) {
        if (s == QAudio::StoppedState || (s == QAudio::IdleState && buffer->atEnd())) {
            // Let the device play out what it holds before the stream goes.
            QTimer::singleShot(500, sink, chiudi);
        }
    });
    // Whatever happens, the sink does not outlive its sound by long.
    QTimer::singleShot(durataMs + 3000, sink, chiudi);
    sink->start(buffer);
    if (sink->error() != QAudio::NoError && sink->state() == QAudio::StoppedState)
        chiudi();
}

int RiproduttoreSuoniQt::InRiproduzione() const {
    return int(findChildren<QAudioSink*>(Qt::FindDirectChildrenOnly).size());
}

RiproduttoreSuoni& RiproduttoreProgramma() {
    if (RiproduttoreSuoni* r = RiproduttoreImpostato())
        return *r;
    static RiproduttoreSuoniQt* predefinito = [] {
        auto* r = new RiproduttoreSuoniQt(QCoreApplication::instance());
        return r;
    }();
    return *predefinito;
}

void ImpostaRiproduttore(RiproduttoreSuoni* riproduttore) {
    RiproduttoreImpostato() = riproduttore;
}

void SuonoPuzzle(const ProfiloUtente& profilo) {
    Suona(profilo, FileSuonoPuzzle);
}
void SuonoSi(const ProfiloUtente& profilo) {
    Suona(profilo, FileSuonoSi);
}
void SuonoNo(const ProfiloUtente& profilo) {
    Suona(profilo, FileSuonoNo);
}
void SuonoPuzzle() {
    SuonoPuzzle(Stato().Profilo);
}
void SuonoSi() {
    SuonoSi(Stato().Profilo);
}
void SuonoNo() {
    SuonoNo(Stato().Profilo);
}

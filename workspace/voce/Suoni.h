#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

struct ProfiloUtente;

// Sound effects: short wave files of the data folder, played without waiting.

// The samples of a wave file: PCM, 8 or 16 bits, mono or stereo, any rate. Anything else
// (compressed, truncated, not a wave file) gives nullopt.
struct SuonoPcm {
    QAudioFormat formato;
    QByteArray dati;
};
std::optional<SuonoPcm> LeggiWav(const QByteArray& file);

// Plays a file and returns at once; a missing or damaged file, or no sound card, is silence.
class RiproduttoreSuoni {
public:
    virtual ~RiproduttoreSuoni() = default;
    virtual void Riproduci(const QString& percorso) = 0;
};

// Through Qt Multimedia. Files are read once and kept.
class RiproduttoreSuoniQt : public QObject, public RiproduttoreSuoni {
    Q_OBJECT
public:
    using QObject::QObject;
    void Riproduci(const QString& percorso) override;
    // How many sounds are playing now.
    int InRiproduzione() const;

private:
    QHash<QString, std::optional<SuonoPcm>> letti_;
};

// The player the sound procedures use; a test may put its own (null restores the default).
RiproduttoreSuoni& RiproduttoreProgramma();
void ImpostaRiproduttore(RiproduttoreSuoni* riproduttore);

// Relative to the data folder.
inline const QString FileSuonoPuzzle = QStringLiteral("suoni/Puzzle.wav");
inline const QString FileSuonoSi = QStringLiteral("suoni/si.wav");
inline const QString FileSuonoNo = QStringLiteral("suoni/no.wav");

// A puzzle piece placed right, a right answer, a wrong answer: each plays its file when the
// profile's SuoniAttivi is on. The forms without a profile read the program's current profile.
void SuonoPuzzle(const ProfiloUtente& profilo);
void SuonoSi(const ProfiloUtente& profilo);
void SuonoNo(const ProfiloUtente& profilo);
void SuonoPuzzle();
void SuonoSi();
void SuonoNo();

// Sound effects: reading wave files, the switch SuoniAttivi, and playing never failing.
#include "shell/Percorsi.h"
#include "shell/Profilo.h"
#include "workspace/voce/Suoni.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {

// A wave file: a "fmt " chunk then a "data" chunk, with an optional chunk between them.
QByteArray Wav(quint16 codifica, quint16 canali, quint32 frequenza, quint16 bit,
               const QByteArray& campioni, const QByteArray& extra = {},
               qint64 lunghezzaDichiarata = -1) {
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    QByteArray fmt = le16(codifica) + le16(canali) + le32(frequenza) +
                     le32(frequenza * canali * bit / 8) + le16(canali * bit / 8) + le16(bit);
    QByteArray corpo = "WAVE" + QByteArray("fmt ") + le32(16) + fmt + extra + QByteArray("data") +
                       le32(lunghezzaDichiarata < 0 ? campioni.size() : lunghezzaDichiarata) +
                       campioni;
    return "RIFF" + le32(corpo.size()) + corpo;
}

class RiproduttoreFinto : public RiproduttoreSuoni {
public:
    void Riproduci(const QString& percorso) override { suonati.append(percorso); }
    QStringList suonati;
};

} // namespace

class TestSuoni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void leggiWav_data();
    void leggiWav();
    void suoniDelProfilo_data();
    void suoniDelProfilo();
    void fileDistribuiti();
    void riproduciSenzaErrori();
};

void TestSuoni::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(ORBISTO_SOURCE_DATA_DIR);
}

void TestSuoni::cleanup() {
    ImpostaRiproduttore(nullptr);
}

void TestSuoni::leggiWav_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<int>("frequenza");
    QTest::addColumn<int>("canali");
    QTest::addColumn<int>("byte");

    const QByteArray quattro("\x01\x00\x02\x00\x03\x00\x04\x00", 8);
    QTest::newRow("16 bit mono") << Wav(1, 1, 22050, 16, quattro) << true << 22050 << 1 << 8;
    QTest::newRow("8 bit stereo") << Wav(1, 2, 11025, 8, quattro) << true << 11025 << 2 << 8;
    // A chunk between "fmt " and "data", of odd length (padded to even).
    QTest::newRow("blocco dispari")
        << Wav(1, 1, 44100, 16, quattro, "LIST" + QByteArray("\x03\0\0\0abc\0", 8)) << true << 44100
        << 1 << 8;
    // An interrupted write: the data chunk claims more than there is; whole frames are kept.
    QTest::newRow("troncato") << Wav(1, 2, 22050, 16, quattro.left(7), {}, 4000) << true << 22050
                              << 2 << 4;
    QTest::newRow("compresso") << Wav(3, 1, 22050, 32, quattro) << false << 0 << 0 << 0;
    QTest::newRow("24 bit") << Wav(1, 1, 22050, 24, quattro.left(6)) << false << 0 << 0 << 0;
    QTest::newRow("sei canali") << Wav(1, 6, 22050, 16, quattro) << false << 0 << 0 << 0;
    QTest::newRow("frequenza zero") << Wav(1, 1, 0, 16, quattro) << false << 0 << 0 << 0;
    QTest::newRow("senza campioni") << Wav(1, 1, 22050, 16, {}) << false << 0 << 0 << 0;
    QTest::newRow("non RIFF") << QByteArray("ID3\x03 questo è un mp3") << false << 0 << 0 << 0;
    QTest::newRow("vuoto") << QByteArray() << false << 0 << 0 << 0;
    QTest::newRow("solo intestazione")
        << QByteArray("RIFF\x10\0\0\0WAVE", 12) << false << 0 << 0 << 0;
    QTest::newRow("fmt corto") << QByteArray("RIFF\x10\0\0\0WAVEfmt \x04\0\0\0\x01\0\x01\0", 24)
                               << false << 0 << 0 << 0;
}

void TestSuoni::leggiWav() {
    QFETCH(QByteArray, file);
    QFETCH(bool, valido);
    QFETCH(int, frequenza);
    QFETCH(int, canali);
    QFETCH(int, byte);
    const auto s = LeggiWav(file);
    QCOMPARE(s.has_value(), valido);
    if (!s)
        return;
    QCOMPARE(s->formato.sampleRate(), frequenza);
    QCOMPARE(s->formato.channelCount(), canali);
    QCOMPARE(int(s->dati.size()), byte);
}

void TestSuoni::suoniDelProfilo_data() {
    QTest::addColumn<bool>("attivi");
    QTest::addColumn<QStringList>("attesi");
    QTest::newRow("attivi") << true
                            << QStringList{"suoni/Puzzle.wav", "suoni/si.wav", "suoni/no.wav"};
    QTest::newRow("spenti") << false << QStringList{};
}

void TestSuoni::suoniDelProfilo() {
    QFETCH(bool, attivi);
    QFETCH(QStringList, attesi);
    RiproduttoreFinto finto;
    ImpostaRiproduttore(&finto);
    ProfiloUtente p = ProfiloPredefinito();
    p.SuoniAttivi = attivi;
    SuonoPuzzle(p);
    SuonoSi(p);
    SuonoNo(p);
    QStringList attesiPieni;
    for (const QString& a : attesi)
        attesiPieni.append(Percorsi::InCartellaProgramma(a));
    QCOMPARE(finto.suonati, attesiPieni);
}

void TestSuoni::fileDistribuiti() {
    // The three files are valid, short and not loud.
    for (const QString& nome : {FileSuonoPuzzle, FileSuonoSi, FileSuonoNo}) {
        QFile f(Percorsi::InCartellaProgramma(nome));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(nome));
        const auto s = LeggiWav(f.readAll());
        QVERIFY2(s, qPrintable(nome));
        const qint64 durataMs = s->formato.durationForBytes(qint32(s->dati.size())) / 1000;
        QVERIFY2(durataMs > 150 && durataMs < 1500, qPrintable(nome));
        QCOMPARE(s->formato.sampleFormat(), QAudioFormat::Int16);
        int picco = 0;
        const auto* c = reinterpret_cast<const qint16*>(s->dati.constData());
        for (qsizetype i = 0; i < s->dati.size() / 2; ++i)
            picco = std::max(picco, std::abs(int(c[i])));
        // Below -6 dBFS: never a startling blast.
        QVERIFY2(picco > 1000 && picco < 16384, qPrintable(nome + " " + QString::number(picco)));
    }
}

void TestSuoni::riproduciSenzaErrori() {
    // Whatever the machine's audio (a null sink, or none), playing returns at once and a
    // missing or damaged file is only silence.
    RiproduttoreSuoniQt r;
    r.Riproduci(Percorsi::InCartellaProgramma(FileSuonoSi));
    r.Riproduci(Percorsi::InCartellaProgramma(FileSuonoNo)); // overlapping
    r.Riproduci("/percorso/che/non/esiste.wav");
    r.Riproduci(ORBISTO_TEST_DATA_DIR "/suoni/troncato.wav");
    r.Riproduci(ORBISTO_TEST_DATA_DIR "/personaggi/Merlin.json");
    QVERIFY(r.InRiproduzione() <= 2);
    // Each sound cleans up after itself.
    QTRY_COMPARE_WITH_TIMEOUT(r.InRiproduzione(), 0, 8000);
}

QTEST_GUILESS_MAIN(TestSuoni)
#include "test_suoni.moc"

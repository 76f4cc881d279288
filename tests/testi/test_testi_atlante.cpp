#include "catalog/CatalogoArea.h"
#include "shell/Percorsi.h"
#include "workspace/testi/CartelleTesti.h"
#include "workspace/testi/LettoreRtf.h"
#include "workspace/testi/LetturaTesto.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

// The texts shipped with the atlas: where the windows look for them, and whether they read well
// aloud.
class TestTestiAtlante : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cartelle_data();
    void cartelle();
    void testo_data();
    void testo();
    void risolviSenzaMaiuscole();
};

void TestTestiAtlante::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(ORBISTO_SOURCE_DATA_DIR);
}

void TestTestiAtlante::cartelle_data() {
    QTest::addColumn<QString>("area");
    for (const QString& area : ChiaviAree())
        QTest::newRow(qPrintable(area)) << area;
}

void TestTestiAtlante::cartelle() {
    QFETCH(QString, area);
    // The sheet of the activity menu's "Schede" tile.
    QVERIFY2(QFile::exists(CartelleTesti::SchedaPredefinita(area)),
             qPrintable(CartelleTesti::SchedaPredefinita(area)));
    // The folder of the "apri" dialog holds texts to choose from.
    const QDir cartella(CartelleTesti::CartellaTesti(area));
    QVERIFY2(cartella.exists(), qPrintable(cartella.path()));
    QVERIFY(!cartella.entryList({"*.rtf"}, QDir::Files).isEmpty());
}

void TestTestiAtlante::testo_data() {
    QTest::addColumn<QString>("percorso");
    for (const char* radice : {"/testi", "/testipredefiniti"}) {
        QDirIterator it(ORBISTO_SOURCE_DATA_DIR + QString(radice), {"*.rtf"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            QTest::newRow(qPrintable(QDir(ORBISTO_SOURCE_DATA_DIR).relativeFilePath(p))) << p;
        }
    }
}

void TestTestiAtlante::testo() {
    QFETCH(QString, percorso);
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray dati = f.readAll();
    // Windows-1252 with every accented letter written as an escape: plain ASCII bytes.
    for (char c : dati)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, "byte fuori ASCII");

    const DocumentoRtf doc = LettoreRtf::Leggi(dati);
    QVERIFY(doc.eraRtf);
    const QString testo = doc.TestoSemplice();
    QVERIFY(testo.size() > 200);
    QVERIFY2(!testo.contains(QRegularExpression("[\\\\{}\\x{FFFD}?!]")), "markup o segni estranei");
    for (const ParagrafoRtf& p : doc.paragrafi) {
        // Every paragraph, titles included, is a sentence of its own when read aloud...
        QVERIFY2(p.Testo().trimmed().endsWith('.'), qPrintable(p.Testo()));
        // ...and numbers are written without dots, which would cut a sentence in two.
        QVERIFY2(!p.Testo().contains(QRegularExpression("\\d\\.\\d")), qPrintable(p.Testo()));
    }

    // The whole text can be read aloud to its end; no sentence is made of a single short word
    // cut off by a stray full stop (abbreviations).
    LetturaTesto lettura;
    lettura.ImpostaTesto(testo);
    auto frase = lettura.Leggi();
    int frasi = 0;
    while (frase) {
        QVERIFY(++frasi < 1000);
        for (const SegnalibroFrase& s : frase->segnalibri)
            lettura.Segnalibro(s.numero);
        const QString detto =
            QString(frase->testo).remove(QRegularExpression("\\\\Mrk=\\d+\\\\")).simplified();
        QVERIFY2(detto.size() > 3, qPrintable(detto));
        frase = lettura.RichiestaCompletata().prossima;
    }
    QVERIFY(frasi > 5);
    QCOMPARE(lettura.PosizioneLettura(), int(testo.size()));
}

void TestTestiAtlante::risolviSenzaMaiuscole() {
    // The Italy windows ask for "testi\Italia\" and "testi\italia\": one folder.
    QCOMPARE(CartelleTesti::CartellaTesti("Italia"), CartelleTesti::CartellaTestiItalia());
    QCOMPARE(CartelleTesti::Risolvi(ORBISTO_SOURCE_DATA_DIR, "TESTIPREDEFINITI/europa/EUROPA.RTF"),
             QString(ORBISTO_SOURCE_DATA_DIR "/testipredefiniti/Europa/Europa.rtf"));
    // What does not exist is kept as written.
    QCOMPARE(CartelleTesti::Risolvi(ORBISTO_SOURCE_DATA_DIR, "testi/Marte/x.rtf"),
             QString(ORBISTO_SOURCE_DATA_DIR "/testi/Marte/x.rtf"));
}

QTEST_GUILESS_MAIN(TestTestiAtlante)
#include "test_testi_atlante.moc"

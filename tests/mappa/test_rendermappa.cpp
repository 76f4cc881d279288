#include "catalog/Tavolozza.h"
#include "shell/Profilo.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The rendermappa tool, run as the data issues run it.
class TestRenderMappa : public QObject {
    Q_OBJECT
private slots:
    void disegna_data();
    void disegna();
    void errori_data();
    void errori();

private:
    QTemporaryDir cartella;
    int esegui(const QStringList& argomenti, QString* errori = nullptr) {
        QProcess p;
        p.setProgram(ORBISTO_BINARY_DIR "/tools/rendermappa/rendermappa");
        p.setArguments(QStringList{"--data", ORBISTO_TEST_DATA_DIR "/dati"} + argomenti);
        p.start();
        if (!p.waitForFinished(60000))
            return -1;
        if (errori)
            *errori = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }
};

void TestRenderMappa::disegna_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QPoint>("punto"); // in the 500 x 250 picture: map (x, y) -> (x/2, 250 - y/2)
    QTest::addColumn<int>("colore");   // palette index expected there
    const ProfiloUtente p = ProfiloPredefinito();
    QTest::newRow("politica: classe 0")
        << "swf/Prova/Provapol1.swf" << QPoint(50, 200) << int(p.SchemaPolitico[0]);
    QTest::newRow("politica: mare")
        << "swf/Prova/Provapol1.swf" << QPoint(5, 245) << int(p.ColoreSfondo);
    QTest::newRow("fisica: fiumi e laghi")
        << "swf/Prova/Provafis1.swf" << QPoint(150, 125) << int(p.SchemaFisico[2]);
    QTest::newRow("fisica: pianura")
        << "swf/Prova/Provafis1.swf" << QPoint(75, 175) << int(p.SchemaFisico[5]);
    QTest::newRow("fisica: mare della mappa")
        << "swf/Prova/Provafis1.swf" << QPoint(495, 5) << int(p.SchemaFisico[0]);
}

void TestRenderMappa::disegna() {
    QFETCH(QString, chiave);
    QFETCH(QPoint, punto);
    QFETCH(int, colore);
    const QString png = cartella.filePath("mappa.png");
    QCOMPARE(esegui({chiave, png, "--size", "500x250"}), 0);
    const QImage img(png);
    QCOMPARE(img.size(), QSize(500, 250));
    QCOMPARE(img.pixelColor(punto).rgb() & 0xFFFFFFu, Tavolozza::Rgb(colore));
}

void TestRenderMappa::errori_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("mappa mancante")
        << QStringList{"swf/Europa/Europapol1.swf"} << 1 << "non esiste";
    QTest::newRow("file danneggiato")
        << QStringList{ORBISTO_TEST_DATA_DIR "/danneggiata.geojson"} << 1 << "danneggiato";
    QTest::newRow("non una chiave") << QStringList{"Europa"} << 1 << "non è il nome";
    QTest::newRow("dimensione sbagliata")
        << QStringList{"swf/Prova/Provapol1.swf", "--size", "0x10"} << 2 << "Dimensione";
}

void TestRenderMappa::errori() {
    QFETCH(QStringList, argomenti);
    QFETCH(int, uscita);
    QFETCH(QString, messaggio);
    const QString png = cartella.filePath("errore.png");
    QString errori;
    QCOMPARE(esegui(QStringList{argomenti[0], png} + argomenti.mid(1), &errori), uscita);
    QVERIFY2(errori.contains(messaggio), qPrintable(errori));
    QVERIFY(!QFile::exists(png));
}

QTEST_MAIN(TestRenderMappa)
#include "test_rendermappa.moc"

#include "shell/Percorsi.h"
#include "workspace/mappa/ChiaveMappa.h"

#include <QTest>

class TestChiaveMappa : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void risolvi_data();
    void risolvi();
    void esiste_data();
    void esiste();
};

void TestChiaveMappa::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_TEST_DATA_DIR "/dati"));
}

void TestChiaveMappa::risolvi_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<bool>("valida");
    QTest::addColumn<QString>("file"); // relative to the data folder
    QTest::addColumn<bool>("fisica");
    QTest::addColumn<bool>("puntatoreGrande");
    QTest::addColumn<bool>("puzzle");
    QTest::addColumn<bool>("trascinamento");

    QTest::newRow("pol1") << "swf/Europa/Europapol1.swf" << true
                          << "mappe/Europa/Europa_politica.geojson" << false << false << false
                          << false;
    QTest::newRow("pol1pm, separatori Windows")
        << "\\swf\\Europa\\Europapol1pm.swf" << true << "mappe/Europa/Europa_politica.geojson"
        << false << true << false << false;
    QTest::newRow("fis1") << "swf/Asia/Asiafis1.swf" << true << "mappe/Asia/Asia_fisica.geojson"
                          << true << false << false << false;
    QTest::newRow("fis1pm") << "swf/Asia/Asiafis1pm.swf" << true << "mappe/Asia/Asia_fisica.geojson"
                            << true << true << false << false;
    QTest::newRow("pol2") << "swf/Africa/Africapol2.swf" << true
                          << "mappe/Africa/Africa_politica.geojson" << false << true << true
                          << true;
    QTest::newRow("pol2scansione")
        << "swf/Africa/Africapol2scansione.swf" << true << "mappe/Africa/Africa_politica.geojson"
        << false << true << true << false;
    QTest::newRow("fis2") << "swf/Italia/Italiafis2.swf" << true
                          << "mappe/Italia/Italia_fisica.geojson" << true << true << true << true;
    QTest::newRow("fis2scansione, regione con apostrofo")
        << "swf/regioniitaliane/Valle d'Aostafis2scansione.swf" << true
        << "mappe/regioniitaliane/Valle d'Aosta_fisica.geojson" << true << true << true << false;
    QTest::newRow("percorso completo della finestra")
        << "C:\\Programmi\\Orbisto\\swf\\regioniitaliane\\Emilia Romagnapol1pm.swf" << true
        << "mappe/regioniitaliane/Emilia Romagna_politica.geojson" << false << true << false
        << false;
    QTest::newRow("senza estensione")
        << "swf/Europa/Europapol1" << true << "mappe/Europa/Europa_politica.geojson" << false
        << false << false << false;
    QTest::newRow("suffisso mancante")
        << "swf/Europa/Europa.swf" << false << "" << false << false << false << false;
    QTest::newRow("area e nome diversi")
        << "swf/Europa/Asiapol1.swf" << false << "" << false << false << false << false;
    QTest::newRow("solo suffisso")
        << "swf/regioniitaliane/pol1.swf" << false << "" << false << false << false << false;
    QTest::newRow("cartella mancante")
        << "swf/Europapol1.swf" << false << "" << false << false << false << false;
    QTest::newRow("vuota") << "" << false << "" << false << false << false << false;
}

void TestChiaveMappa::risolvi() {
    QFETCH(QString, chiave);
    QFETCH(bool, valida);
    QFETCH(QString, file);
    QFETCH(bool, fisica);
    QFETCH(bool, puntatoreGrande);
    QFETCH(bool, puzzle);
    QFETCH(bool, trascinamento);
    const auto c = RisolviChiaveMappa(chiave);
    QCOMPARE(c.has_value(), valida);
    if (!valida) {
        QVERIFY(FileDellaMappa(chiave).isEmpty());
        return;
    }
    QCOMPARE(c->fileDati, Percorsi::CartellaProgramma() + file);
    QCOMPARE(c->tipo == TipoMappa::Fisica, fisica);
    QCOMPARE(c->puntatoreGrande, puntatoreGrande);
    QCOMPARE(c->puzzle, puzzle);
    QCOMPARE(c->trascinamento, trascinamento);
}

void TestChiaveMappa::esiste_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<bool>("esiste");
    QTest::newRow("politica") << "swf/Prova/Provapol1.swf" << true;
    QTest::newRow("fisica, puzzle") << "swf/Prova/Provafis2scansione.swf" << true;
    QTest::newRow("maiuscole diverse") << "\\SWF\\Prova\\PROVApol1pm.swf" << true;
    QTest::newRow("area senza file") << "swf/Europa/Europapol1.swf" << false;
    QTest::newRow("regione senza file") << "swf/regioniitaliane/Molisefis1.swf" << false;
    QTest::newRow("non una chiave") << "swf/Prova/Prova.swf" << false;
}

void TestChiaveMappa::esiste() {
    QFETCH(QString, chiave);
    QFETCH(bool, esiste);
    QCOMPARE(EsisteMappa(chiave), esiste);
}

QTEST_GUILESS_MAIN(TestChiaveMappa)
#include "test_chiave_mappa.moc"

#include "workspace/finestra/VistaZoom.h"

#include <QTest>

// The sizing rules of the map view: zoom steps and their limits, scroll ranges, arrow keys.
class TestVistaZoom : public QObject {
    Q_OBJECT
private slots:
    void riduzioni_data();
    void riduzioni();
    void ingrandimentoOltreIlLimite();
    void barra_data();
    void barra();
    void frecce_data();
    void frecce();
};

void TestVistaZoom::riduzioni_data() {
    QTest::addColumn<int>("altezzaViewport");
    QTest::addColumn<int>("riduzioniFatte");
    // From "Normale" (map as tall as the viewport): 0.8, 0.64, 0.512; 0.4096 is under half.
    QTest::newRow("500") << 500 << 3;
    QTest::newRow("601 (metà troncata 300)") << 601 << 3;
    QTest::newRow("11 (metà troncata 5)") << 11 << 3;
}

void TestVistaZoom::riduzioni() {
    QFETCH(int, altezzaViewport);
    QFETCH(int, riduzioniFatte);
    const QSizeF viewport(800, altezzaViewport);
    QSizeF mappa = viewport;
    int fatte = 0;
    for (int i = 0; i < 4; ++i) {
        auto nuova = VistaZoom::Riduci(mappa, viewport);
        if (!nuova)
            break;
        mappa = *nuova;
        ++fatte;
    }
    QCOMPARE(fatte, riduzioniFatte);
    QVERIFY(qFuzzyCompare(mappa.height(), altezzaViewport * 0.512));
}

void TestVistaZoom::ingrandimentoOltreIlLimite() {
    const QSizeF viewport(800, 600);
    QSizeF mappa = viewport;
    int passi = 0;
    while (auto nuova = VistaZoom::Ingrandisci(mappa, viewport)) {
        mappa = *nuova;
        QVERIFY(++passi < 100);
    }
    // The last allowed size still fits the 16-bit scroll range; one more step would not.
    QVERIFY(mappa.width() - viewport.width() <= VistaZoom::MassimoScorrimento);
    QVERIFY(mappa.width() * 1.2 - viewport.width() > VistaZoom::MassimoScorrimento);
}

void TestVistaZoom::barra_data() {
    QTest::addColumn<double>("mappa");
    QTest::addColumn<double>("viewport");
    QTest::addColumn<int>("massimo");
    QTest::addColumn<int>("passo");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<bool>("visibile");
    QTest::newRow("più larga") << 1200.0 << 700.0 << 500 << 10 << 50 << true;
    QTest::newRow("uguale") << 700.0 << 700.0 << 0 << 0 << 0 << false;
    QTest::newRow("più stretta") << 560.0 << 700.0 << 0 << 0 << 0 << false;
    QTest::newRow("di un pixel") << 701.0 << 700.0 << 1 << 0 << 0 << true;
    QTest::newRow("enorme") << 100000.0 << 700.0 << 32767 << 655 << 3276 << true;
}

void TestVistaZoom::barra() {
    QFETCH(double, mappa);
    QFETCH(double, viewport);
    const VistaZoom::Barra b = VistaZoom::CalcolaBarra(mappa, viewport);
    QTEST(b.massimo, "massimo");
    QTEST(b.passo, "passo");
    QTEST(b.pagina, "pagina");
    QTEST(b.visibile, "visibile");
}

void TestVistaZoom::frecce_data() {
    QTest::addColumn<int>("massimo");
    QTest::addColumn<int>("valore");
    QTest::addColumn<int>("indietro");
    QTest::addColumn<int>("avanti");
    QTest::newRow("all'inizio") << 500 << 0 << 0 << 50;
    QTest::newRow("a metà") << 500 << 200 << 150 << 250;
    QTest::newRow("una pagina dalla fine") << 500 << 450 << 400 << 500;
    QTest::newRow("meno di una pagina dalla fine") << 500 << 460 << 410 << 460;
    QTest::newRow("alla fine") << 500 << 500 << 450 << 500;
    QTest::newRow("meno di una pagina dall'inizio") << 500 << 30 << 30 << 80;
    // Wider by less than one LargeChange: the page is 0 and the keys cannot scroll.
    QTest::newRow("appena più larga") << 9 << 0 << 0 << 0;
}

void TestVistaZoom::frecce() {
    QFETCH(int, massimo);
    QFETCH(int, valore);
    VistaZoom::Barra b;
    b.massimo = massimo;
    b.pagina = massimo / 10;
    b.passo = massimo / 50;
    b.visibile = massimo > 0;
    QTEST(VistaZoom::FrecciaIndietro(valore, b), "indietro");
    QTEST(VistaZoom::FrecciaAvanti(valore, b), "avanti");
}

QTEST_APPLESS_MAIN(TestVistaZoom)
#include "test_vista_zoom.moc"

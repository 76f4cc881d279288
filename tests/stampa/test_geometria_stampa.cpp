#include "printing/GeometriaStampa.h"

#include <QTest>

// The print geometry of the preview: whole millimetres, halves rounded to the even number.

class TestGeometriaStampa : public QObject {
    Q_OBJECT
private slots:
    void arrotonda_data();
    void arrotonda();
    void limiti_data();
    void limiti();
    void carattereMargine_data();
    void carattereMargine();
    void adattaNelQuadrato_data();
    void adattaNelQuadrato();
    void proporzioni_data();
    void proporzioni();
    void proporzioniRiattivate();
    void centro_data();
    void centro();
    void massima_data();
    void massima();
    void altoSinistra();
    void anteprima_data();
    void anteprima();
    void riscalata_data();
    void riscalata();
};

void TestGeometriaStampa::arrotonda_data() {
    QTest::addColumn<double>("valore");
    QTest::addColumn<int>("atteso");
    QTest::newRow("92.5") << 92.5 << 92;
    QTest::newRow("93.5") << 93.5 << 94;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("76.52") << 76.52 << 77;
    QTest::newRow("nan") << std::nan("") << 0;
}

void TestGeometriaStampa::arrotonda() {
    QFETCH(double, valore);
    QFETCH(int, atteso);
    QCOMPARE(ArrotondaPari(valore), atteso);
}

void TestGeometriaStampa::limiti_data() {
    QTest::addColumn<bool>("margine");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("larghezza 0") << false << "0"
                                 << "1";
    QTest::newRow("larghezza 2500") << false << "2500"
                                    << "2000";
    QTest::newRow("larghezza 150") << false << "150"
                                   << "150";
    QTest::newRow("larghezza vuota mentre si scrive") << false << ""
                                                      << "";
    QTest::newRow("larghezza enorme") << false << "99999999999999999999999"
                                      << "2000";
    QTest::newRow("margine -2500") << true << "-2500"
                                   << "-2000";
    QTest::newRow("margine 2500") << true << "2500"
                                  << "2000";
    QTest::newRow("margine -15") << true << "-15"
                                 << "-15";
    QTest::newRow("margine solo meno") << true << "-"
                                       << "-";
    QTest::newRow("margine enorme negativo") << true << "-99999999999999999999"
                                             << "-2000";
}

void TestGeometriaStampa::limiti() {
    QFETCH(bool, margine);
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(margine ? GeometriaStampa::LimitaMargine(testo)
                     : GeometriaStampa::LimitaDimensione(testo),
             atteso);
}

void TestGeometriaStampa::carattereMargine_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("posizione");
    QTest::addColumn<int>("selezionato");
    QTest::addColumn<bool>("ammesso");
    QTest::newRow("cifra") << QChar(u'7') << "12" << 1 << 0 << true;
    QTest::newRow("lettera") << QChar(u'a') << "12" << 1 << 0 << false;
    QTest::newRow("meno all'inizio") << QChar(u'-') << "12" << 0 << 0 << true;
    QTest::newRow("meno in mezzo") << QChar(u'-') << "12" << 1 << 0 << false;
    QTest::newRow("secondo meno") << QChar(u'-') << "-12" << 0 << 0 << false;
    QTest::newRow("meno su tutto selezionato") << QChar(u'-') << "-12" << 3 << 3 << true;
}

void TestGeometriaStampa::carattereMargine() {
    QFETCH(QChar, c);
    QFETCH(QString, testo);
    QFETCH(int, posizione);
    QFETCH(int, selezionato);
    QFETCH(bool, ammesso);
    QCOMPARE(GeometriaStampa::CarattereMargine(c, testo, posizione, selezionato), ammesso);
}

void TestGeometriaStampa::adattaNelQuadrato_data() {
    QTest::addColumn<double>("proporzione");
    QTest::addColumn<QSize>("atteso");
    QTest::newRow("Europa 5750 x 4400") << 5750.0 / 4400.0 << QSize(100, 77);
    QTest::newRow("Italia 1070 x 1370") << 1070.0 / 1370.0 << QSize(78, 100);
    QTest::newRow("quadrata") << 1.0 << QSize(100, 100);
    QTest::newRow("metà alta") << 0.5 << QSize(50, 100);
    QTest::newRow("proporzione non valida") << 0.0 << QSize(100, 100);
}

void TestGeometriaStampa::adattaNelQuadrato() {
    QFETCH(double, proporzione);
    QFETCH(QSize, atteso);
    QCOMPARE(GeometriaStampa::AdattaNelQuadrato(proporzione, 100), atteso);
}

void TestGeometriaStampa::proporzioni_data() {
    QTest::addColumn<QSize>("iniziale");
    QTest::addColumn<bool>("mantieni");
    QTest::addColumn<bool>("larghezza"); // which side is typed
    QTest::addColumn<int>("valore");
    QTest::addColumn<QSize>("atteso");
    QTest::newRow("100x100 resta 1:1") << QSize(100, 100) << true << true << 150 << QSize(150, 150);
    QTest::newRow("100x100 dall'altezza")
        << QSize(100, 100) << true << false << 37 << QSize(37, 37);
    QTest::newRow("100x77 larghezza 185")
        << QSize(100, 77) << true << true << 185 << QSize(185, 142); // 142.45
    QTest::newRow("100x77 altezza 50")
        << QSize(100, 77) << true << false << 50 << QSize(65, 50); // 64.94
    QTest::newRow("senza proporzioni") << QSize(100, 77) << false << true << 185 << QSize(185, 77);
    QTest::newRow("0 diventa 1") << QSize(100, 100) << false << true << 0 << QSize(1, 100);
    QTest::newRow("2500 diventa 2000")
        << QSize(100, 50) << true << true << 2500 << QSize(2000, 1000);
    QTest::newRow("l'altra oltre 2000")
        << QSize(100, 50) << true << false << 1500 << QSize(2000, 1500);
}

void TestGeometriaStampa::proporzioni() {
    QFETCH(QSize, iniziale);
    QFETCH(bool, mantieni);
    QFETCH(bool, larghezza);
    QFETCH(int, valore);
    QFETCH(QSize, atteso);
    GeometriaStampa g;
    g.Inizia(10, 10, iniziale.width(), iniziale.height());
    g.ImpostaMantieniProporzioni(mantieni);
    if (larghezza)
        g.ImpostaLarghezza(valore);
    else
        g.ImpostaAltezza(valore);
    QCOMPARE(QSize(g.LarghezzaStampa(), g.AltezzaStampa()), atteso);
    // The proportion is the caller's and stays for the whole opening.
    QCOMPARE(g.Proporzione(), double(iniziale.width()) / iniziale.height());
}

void TestGeometriaStampa::proporzioniRiattivate() {
    GeometriaStampa g;
    g.Inizia(0, 0, 100, 50);
    g.ImpostaMantieniProporzioni(false);
    g.ImpostaAltezza(90);
    QCOMPARE(g.AltezzaStampa(), 90);
    g.ImpostaMantieniProporzioni(true); // the height follows the width again
    QCOMPARE(QSize(g.LarghezzaStampa(), g.AltezzaStampa()), QSize(100, 50));
}

void TestGeometriaStampa::centro_data() {
    QTest::addColumn<QSize>("foglio");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QPoint>("margini");
    QTest::newRow("A4 orizzontale, 100x77")
        << QSize(287, 200) << QSize(100, 77) << QPoint(94, 62); // 93.5 -> 94, 61.5 -> 62
    QTest::newRow("metà pari") << QSize(297, 210) << QSize(100, 75)
                               << QPoint(98, 68); // 98.5 -> 98, 67.5 -> 68
    QTest::newRow("più grande del foglio")
        << QSize(200, 100) << QSize(300, 150) << QPoint(-50, -25);
}

void TestGeometriaStampa::centro() {
    QFETCH(QSize, foglio);
    QFETCH(QSize, area);
    QFETCH(QPoint, margini);
    GeometriaStampa g;
    g.ImpostaFoglio(foglio.width(), foglio.height());
    g.Inizia(10, 10, area.width(), area.height());
    g.ImpostaAlCentro(true);
    QCOMPARE(QPoint(g.PosizioneX(), g.PosizioneY()), margini);
    // Every refresh recomputes: a new width moves the margins.
    g.ImpostaLarghezza(area.width() + 20);
    g.Centra();
    QCOMPARE(g.PosizioneX(), ArrotondaPari((foglio.width() - g.LarghezzaStampa()) / 2.0));
    QCOMPARE(g.PosizioneY(), ArrotondaPari((foglio.height() - g.AltezzaStampa()) / 2.0));
    // Off: the margins stay where they are.
    g.ImpostaAlCentro(false);
    g.ImpostaX(3);
    g.Centra();
    QCOMPARE(g.PosizioneX(), 3);
}

void TestGeometriaStampa::massima_data() {
    QTest::addColumn<QSize>("foglio");
    QTest::addColumn<QRect>("iniziale");
    QTest::addColumn<bool>("mantieni");
    QTest::addColumn<bool>("centro");
    QTest::addColumn<QRect>("atteso");
    QTest::newRow("orizzontale, mappa larga")
        << QSize(287, 200) << QRect(10, 10, 100, 77) << true << false << QRect(10, 0, 260, 200);
    QTest::newRow("verticale, mappa larga")
        << QSize(200, 287) << QRect(10, 10, 100, 77) << true << false << QRect(0, 10, 200, 154);
    QTest::newRow("orizzontale, mappa alta")
        << QSize(287, 200) << QRect(30, 10, 78, 100) << true << false << QRect(30, 0, 156, 200);
    QTest::newRow("margine ridotto")
        << QSize(287, 200) << QRect(100, 10, 100, 77) << true << false << QRect(27, 0, 260, 200);
    QTest::newRow("senza proporzioni")
        << QSize(287, 200) << QRect(10, 10, 100, 77) << false << false << QRect(0, 0, 287, 200);
    QTest::newRow("al centro") << QSize(287, 200) << QRect(10, 10, 100, 77) << true << true
                               << QRect(14, 0, 260, 200); // 13.5 -> 14
}

void TestGeometriaStampa::massima() {
    QFETCH(QSize, foglio);
    QFETCH(QRect, iniziale);
    QFETCH(bool, mantieni);
    QFETCH(bool, centro);
    QFETCH(QRect, atteso);
    GeometriaStampa g;
    g.ImpostaFoglio(foglio.width(), foglio.height());
    g.Inizia(iniziale.x(), iniziale.y(), iniziale.width(), iniziale.height());
    g.ImpostaMantieniProporzioni(mantieni);
    g.ImpostaAlCentro(centro);
    g.Massima();
    QCOMPARE(g.Area(), atteso);
    QVERIFY(!g.Eccede());
}

void TestGeometriaStampa::altoSinistra() {
    GeometriaStampa g;
    g.Inizia(-40, 33, 100, 100);
    g.AltoSinistra();
    QCOMPARE(g.Area(), QRect(0, 0, 100, 100));
}

void TestGeometriaStampa::anteprima_data() {
    QTest::addColumn<QSize>("foglio");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("riquadro");
    QTest::addColumn<QRect>("atteso");
    QTest::newRow("A4 orizzontale") << QSize(287, 200) << QRect(10, 10, 100, 77) << QSize(260, 181)
                                    << QRect(9, 9, 91, 70); // 9.06, 9.05, 90.59, 69.69
    QTest::newRow("tutto il foglio")
        << QSize(200, 287) << QRect(0, 0, 200, 287) << QSize(181, 260) << QRect(0, 0, 181, 260);
}

void TestGeometriaStampa::anteprima() {
    QFETCH(QSize, foglio);
    QFETCH(QRect, area);
    QFETCH(QSize, riquadro);
    QFETCH(QRect, atteso);
    GeometriaStampa g;
    g.ImpostaFoglio(foglio.width(), foglio.height());
    g.Inizia(area.x(), area.y(), area.width(), area.height());
    QCOMPARE(g.RettangoloAnteprima(riquadro), atteso);
}

void TestGeometriaStampa::riscalata_data() {
    QTest::addColumn<QSize>("foglio");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("atteso");
    // 287 / 310: 10 -> 9.26 -> 9, 300 -> 277.7 -> 278; Y and H by the same factor.
    QTest::newRow("10 + 300 su 287")
        << QSize(287, 400) << QRect(10, 20, 300, 100) << QRect(9, 19, 278, 93);
    QTest::newRow("poi anche l'altezza")
        << QSize(287, 100) << QRect(10, 20, 300, 100) << QRect(8, 17, 248, 83);
    QTest::newRow("dentro al foglio")
        << QSize(287, 200) << QRect(10, 10, 100, 77) << QRect(10, 10, 100, 77);
}

void TestGeometriaStampa::riscalata() {
    QFETCH(QSize, foglio);
    QFETCH(QRect, area);
    QFETCH(QRect, atteso);
    GeometriaStampa g;
    g.ImpostaFoglio(foglio.width(), foglio.height());
    g.Inizia(area.x(), area.y(), area.width(), area.height());
    QCOMPARE(g.Riscalata(), atteso);
}

QTEST_APPLESS_MAIN(TestGeometriaStampa)
#include "test_geometria_stampa.moc"

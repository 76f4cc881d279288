#include "shell/Percorsi.h"
#include "workspace/mappa/MappaWidget.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QSignalSpy>
#include <QTest>

// The fixture maps are 1000 x 500 map units; in a 1000 x 500 widget one unit is one pixel and
// map (x, y) is widget (x, 500 - y).
namespace {

QPoint W(double x, double y) {
    return QPoint(int(x), int(500 - y));
}

QColor pixel(MappaWidget& m, QPoint p) {
    return m.grab().toImage().pixelColor(p);
}

} // namespace

class TestMappaWidget : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void ordineDelleVariabili();
    void oggettiColorabili_data();
    void oggettiColorabili();
    void clic_data();
    void clic();
    void fotogrammi_data();
    void fotogrammi();
    void sfondoECornice();
    void ricaricaAzzera();
    void ingranditaEScorsa();
    void mappaMancante_data();
    void mappaMancante();
    void posaPezzo_data();
    void posaPezzo();
    void nascondiPezzo();
    void pezzoConZoom_data();
    void pezzoConZoom();
    void scansioneSenzaPezzo();
    void puntatore_data();
    void puntatore();
    void accessibilita();
    void nascostiDalFotogramma();

private:
    MappaWidget* mappa = nullptr;
    void carica(const QString& chiave) {
        QVERIFY2(mappa->caricaMappa(chiave), qPrintable(mappa->ultimoErrore()));
    }
};

void TestMappaWidget::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_TEST_DATA_DIR "/dati"));
}

void TestMappaWidget::init() {
    mappa = new MappaWidget;
    mappa->resize(1000, 500);
    mappa->show();
    QVERIFY(QTest::qWaitForWindowExposed(mappa));
}

void TestMappaWidget::cleanup() {
    delete mappa;
    mappa = nullptr;
}

void TestMappaWidget::ordineDelleVariabili() {
    carica("swf/Prova/Provapol1.swf");
    const QPoint alfa = W(100, 100);
    const QColor iniziale = pixel(*mappa, alfa);

    // Colour first, object second: nothing is coloured.
    mappa->SetVariable("TestoColore.QualeColore", "FF0000");
    mappa->SetVariable("QualeOggetto", "Alfa");
    QCOMPARE(pixel(*mappa, alfa), iniziale);

    // Object, then colour: the object named last takes the colour.
    mappa->SetVariable("QualeOggetto", "Beta");
    mappa->SetVariable("QualeOggetto", "Alfa");
    mappa->SetVariable("TestoColore.QualeColore", "00FF00");
    QCOMPARE(pixel(*mappa, alfa), QColor(0, 255, 0));
    QCOMPARE(pixel(*mappa, W(600, 100)), iniziale);

    ColoraElemento(*mappa, "Beta", "0000FF");
    QCOMPARE(pixel(*mappa, W(600, 100)), QColor(0, 0, 255));
    // An invalid colour changes nothing.
    ColoraElemento(*mappa, "Beta", "blu");
    QCOMPARE(pixel(*mappa, W(600, 100)), QColor(0, 0, 255));
}

void TestMappaWidget::oggettiColorabili_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("oggetto");
    QTest::addColumn<bool>("conosciuto");
    QTest::newRow("elemento") << "swf/Prova/Provapol1.swf"
                              << "Gamma" << true;
    QTest::newRow("pezzo") << "swf/Prova/Provapol2.swf"
                           << "Gammap" << true;
    QTest::newRow("confini politici") << "swf/Prova/Provapol1.swf"
                                      << "Confini" << true;
    QTest::newRow("confine fisico") << "swf/Prova/Provafis1.swf"
                                    << "Confine" << true;
    QTest::newRow("nome sconosciuto") << "swf/Prova/Provapol1.swf"
                                      << "Delta" << false;
    QTest::newRow("minuscole diverse") << "swf/Prova/Provapol1.swf"
                                       << "gamma" << false;
}

void TestMappaWidget::oggettiColorabili() {
    QFETCH(QString, chiave);
    QFETCH(QString, oggetto);
    QFETCH(bool, conosciuto);
    carica(chiave);
    ColoraElemento(*mappa, oggetto, "123456");
    QCOMPARE(mappa->vista().colore(oggetto) == QColor(0x12, 0x34, 0x56), conosciuto);
    if (oggetto.endsWith('p')) // a piece's colour is not its place's
        QVERIFY(mappa->vista().colore(oggetto.chopped(1)) != QColor(0x12, 0x34, 0x56));
}

void TestMappaWidget::clic_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QPoint>("punto");
    QTest::addColumn<QString>("comando"); // "" = no command

    const QString pol = "swf/Prova/Provapol1.swf", fis = "swf/Prova/Provafis1pm.swf";
    QTest::newRow("area") << pol << W(100, 100) << "elementoAlfa";
    QTest::newRow("enclave: vince la più piccola") << pol << W(250, 250) << "elementoGamma";
    QTest::newRow("accanto al confine politico") << pol << W(452, 250) << "elementoBeta";
    QTest::newRow("marcatore dell'isolotto, 10 px fuori")
        << pol << W(952, 242) << "elementoIsolotto";
    QTest::newRow("mare") << pol << W(20, 20) << "";
    QTest::newRow("terra di sfondo") << pol << W(875, 250) << "";
    QTest::newRow("lago dentro la pianura") << fis << W(300, 250) << "elementoLago Piccolo";
    QTest::newRow("pianura") << fis << W(150, 150) << "elementoPianura Grande";
    QTest::newRow("fiume a 8 px") << fis << W(608, 250) << "elementoFiume Uno";
    QTest::newRow("fiume a 14 px: terra indistinta") << fis << W(614, 250) << "elementoIndistinto";
    QTest::newRow("vetta") << fis << W(806, 324) << "elementoMonte Uno";
    QTest::newRow("confine fisico") << fis << W(523, 250) << "elementoConfine";
    QTest::newRow("isola minuscola") << fis << W(28, 28) << "elementoIsola Minuscola";
    QTest::newRow("mare fisico") << fis << W(980, 480) << "";
}

void TestMappaWidget::clic() {
    QFETCH(QString, chiave);
    QFETCH(QPoint, punto);
    QFETCH(QString, comando);
    carica(chiave);
    QSignalSpy spia(mappa, &MappaWidget::FSCommand);
    QTest::mouseClick(mappa, Qt::LeftButton, {}, punto);
    if (comando.isEmpty()) {
        QCOMPARE(spia.count(), 0);
        return;
    }
    QCOMPARE(spia.count(), 1);
    QCOMPARE(spia[0][0].toString(), comando);
    QCOMPARE(spia[0][1].toString(), QString());
    // The window takes the name as the command without its first 8 characters.
    QCOMPARE(spia[0][0].toString().mid(8), comando.mid(8));
}

void TestMappaWidget::fotogrammi_data() {
    QTest::addColumn<int>("fotogramma");
    QTest::addColumn<QString>("lago");  // what a click on the lake reports
    QTest::addColumn<QString>("vetta"); // ... on the peak
    QTest::newRow("0 tutto") << 0 << "elementoLago Piccolo"
                             << "elementoMonte Uno";
    QTest::newRow("1 monti") << 1 << "elementoIndistinto"
                             << "elementoMonte Uno";
    QTest::newRow("2 pianure") << 2 << "elementoPianura Grande"
                               << "elementoIndistinto";
    QTest::newRow("4 fiumi") << 4 << "elementoLago Piccolo"
                             << "elementoIndistinto";
    QTest::newRow("6 mari") << 6 << "elementoIndistinto"
                            << "elementoIndistinto";
    QTest::newRow("fuori intervallo: resta il precedente") << 9 << "elementoIndistinto"
                                                           << "elementoMonte Uno";
}

void TestMappaWidget::fotogrammi() {
    QFETCH(int, fotogramma);
    QFETCH(QString, lago);
    QFETCH(QString, vetta);
    carica("swf/Prova/Provafis1.swf");
    ColoraElemento(*mappa, "Indistinto", "AAAAAA");
    ColoraElemento(*mappa, "Lago Piccolo", "0000FF");
    if (fotogramma == 9)
        mappa->GotoFrame(1);
    mappa->GotoFrame(fotogramma);
    QCOMPARE(mappa->nomeInPunto(W(300, 250)), lago.mid(8));
    QCOMPARE(mappa->nomeInPunto(W(800, 330)), vetta.mid(8));
    // A hidden element is not drawn either.
    const bool lagoVisibile = lago == "elementoLago Piccolo";
    QCOMPARE(pixel(*mappa, W(300, 250)) == QColor(0, 0, 255), lagoVisibile);
}

void TestMappaWidget::sfondoECornice() {
    carica("swf/Prova/Provapol1.swf");
    mappa->resize(1000, 700); // letterboxed: 100 px above and below the map
    mappa->setBGColor("0000FF");
    QCOMPARE(pixel(*mappa, QPoint(500, 10)), QColor(0, 0, 255));
    mappa->setBackgroundColor(double(0x00FF00));
    QCOMPARE(pixel(*mappa, QPoint(500, 10)), QColor(0, 255, 0)); // the letterbox
    QCOMPARE(pixel(*mappa, QPoint(20, 120)), QColor(0, 0, 255)); // the map's own background
    mappa->setBackgroundColor(quint32(0xFF0000));
    QCOMPARE(pixel(*mappa, QPoint(500, 690)), QColor(255, 0, 0));
    // The map keeps its aspect ratio: Alfa's corner (50, 450) is at (50, 150).
    QCOMPARE(mappa->nomeInPunto(QPoint(52, 152)), QString("Alfa"));
    QCOMPARE(mappa->nomeInPunto(QPoint(52, 148)), QString());
}

void TestMappaWidget::ingranditaEScorsa() {
    // As the windows zoom and scroll: the map 4x larger than its viewport, moved inside it.
    QWidget vista;
    vista.resize(500, 250);
    auto* m = new MappaWidget(&vista);
    QVERIFY(m->caricaMappa("swf/Prova/Provapol1.swf"));
    m->setGeometry(0, 0, 4000, 2000);
    ColoraElemento(*m, "Alfa", "FF0000");
    ColoraElemento(*m, "Beta", "00FF00");
    m->setBGColor("0000FF");
    vista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vista));
    auto colore = [&](QPoint p) { return vista.grab().toImage().pixelColor(p); };
    // Map (430, 300) is widget (1720, 800); map (470, 300) is widget (1880, 800).
    m->move(-1500, -700);
    QCOMPARE(colore(QPoint(1720 - 1500, 100)), QColor(255, 0, 0));
    QCOMPARE(colore(QPoint(1880 - 1500, 100)), QColor(0, 255, 0));
    // One scroll step, then a jump far away (to the sea below the map).
    m->move(-1600, -700);
    QCOMPARE(colore(QPoint(1720 - 1600, 100)), QColor(255, 0, 0));
    m->move(-1600, -1750);
    QCOMPARE(colore(QPoint(100, 240)), QColor(0, 0, 255));
    // A click reaches the element under it at this zoom.
    QSignalSpy spia(m, &MappaWidget::FSCommand);
    QTest::mouseClick(m, Qt::LeftButton, {}, QPoint(1720, 1700)); // map (430, 75)
    QCOMPARE(spia.count(), 1);
    QCOMPARE(spia[0][0].toString(), QString("elementoAlfa"));
}

void TestMappaWidget::ricaricaAzzera() {
    // Windows restart a map by loading another one and then the wanted one again.
    carica("swf/Prova/Provafis1.swf");
    ColoraElemento(*mappa, "Pianura Grande", "FF0000");
    mappa->GotoFrame(2);
    carica("swf/Prova/Provapol1.swf");
    carica("swf/Prova/Provafis1.swf");
    QCOMPARE(mappa->vista().fotogramma(), 0);
    QVERIFY(mappa->vista().colore("Pianura Grande") != QColor(255, 0, 0));
}

void TestMappaWidget::mappaMancante_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("file assente") << "swf/Europa/Europapol1.swf"
                                  << "non esiste";
    QTest::newRow("non una chiave") << "swf/Europa/Europa.swf"
                                    << "non è il nome di una mappa";
    QTest::newRow("file danneggiato") << ORBISTO_TEST_DATA_DIR "/danneggiata.geojson"
                                      << "danneggiato";
}

void TestMappaWidget::mappaMancante() {
    QFETCH(QString, chiave);
    QFETCH(QString, messaggio);
    carica("swf/Prova/Provapol1.swf");
    QSignalSpy spia(mappa, &MappaWidget::FSCommand);
    QVERIFY(!mappa->caricaMappa(chiave));
    QVERIFY2(mappa->ultimoErrore().contains(messaggio), qPrintable(mappa->ultimoErrore()));
    // Nothing of the previous map is left, and every entry point still works.
    QTest::mouseClick(mappa, Qt::LeftButton, {}, W(100, 100));
    ColoraElemento(*mappa, "Alfa", "FF0000");
    mappa->SetVariable("IstanzaNazioneScelta.NazioneScelta", "Alfa");
    mappa->GotoFrame(3);
    QVERIFY(!mappa->grab().isNull());
    QCOMPARE(spia.count(), 0);
    QCOMPARE(QAccessible::queryAccessibleInterface(mappa)->childCount(), 0);
}

void TestMappaWidget::posaPezzo_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("pezzo");
    QTest::addColumn<QPoint>("scarto"); // drop position minus the place
    QTest::addColumn<bool>("colpito");
    const QString pol = "swf/Prova/Provapol2.swf", fis = "swf/Prova/Provafis2.swf";
    QTest::newRow("esatto") << pol << "Beta" << QPoint(0, 0) << true;
    QTest::newRow("centro a 28 px") << pol << "Beta" << QPoint(20, -20) << true;
    // Beta is 441 px wide at this size.
    QTest::newRow("spostato di 150 px, sovrapposto al 66 %")
        << pol << "Beta" << QPoint(150, 0) << true;
    QTest::newRow("spostato di 300 px, sovrapposto al 32 %")
        << pol << "Beta" << QPoint(300, 0) << false;
    QTest::newRow("in basso di 300 px") << pol << "Beta" << QPoint(0, 300) << false;
    QTest::newRow("marcatore a 25 px") << pol << "Isolotto" << QPoint(-25, 0) << true;
    QTest::newRow("marcatore a 40 px") << pol << "Isolotto" << QPoint(0, 40) << false;
    QTest::newRow("fiume, vicino") << fis << "Fiume Uno" << QPoint(12, 12) << true;
    QTest::newRow("fiume, di lato") << fis << "Fiume Uno" << QPoint(60, 0) << false;
    QTest::newRow("vetta, vicino") << fis << "Monte Uno" << QPoint(0, -20) << true;
    QTest::newRow("vetta, lontano") << fis << "Monte Uno" << QPoint(-100, 0) << false;
}

void TestMappaWidget::posaPezzo() {
    QFETCH(QString, chiave);
    QFETCH(QString, pezzo);
    QFETCH(QPoint, scarto);
    QFETCH(bool, colpito);
    mappa->resize(1600, 600); // room for the tray beside the map
    carica(chiave);
    const VistaMappa& v = mappa->vista();
    QVERIFY(!v.rettangoloVassoio().isEmpty());
    QVERIFY(!v.rettangoloMappa().intersects(v.rettangoloVassoio()));
    mappa->SetVariable("IstanzaNazioneScelta.NazioneScelta", pezzo);
    QCOMPARE(v.pezzoOfferto(), pezzo);
    const QRectF nelVassoio = v.rettangoloPezzoOfferto();
    QVERIFY(v.rettangoloVassoio().contains(nelVassoio.center()));
    // At map scale: the piece is as large as its place.
    const int i = v.dati()->indiciDi(pezzo)[0];
    const bool simbolo = v.haMarcatore(i) || v.dati()->elementi[i].forma == FormaElemento::Punto;
    QCOMPARE(nelVassoio.size(), simbolo ? QSizeF(24, 24) : v.rettangoloElemento(i).size());

    QSignalSpy spia(mappa, &MappaWidget::FSCommand);
    const QPoint presa = nelVassoio.center().toPoint() + QPoint(3, 2);
    const QPointF posto = simbolo ? v.puntoDiPresa(i) : v.rettangoloElemento(i).center();
    const QPoint rilascio = presa + (posto - nelVassoio.center()).toPoint() + scarto;
    QTest::mousePress(mappa, Qt::LeftButton, {}, presa);
    QTest::mouseMove(mappa, (presa + rilascio) / 2);
    QTest::mouseMove(mappa, rilascio);
    QVERIFY(v.staTrascinando());
    QTest::mouseRelease(mappa, Qt::LeftButton, {}, rilascio);
    QVERIFY(!v.staTrascinando());
    if (colpito) {
        QCOMPARE(spia.count(), 1);
        QCOMPARE(spia[0][0].toString(), "posato" + pezzo + "p");
        QCOMPARE(spia[0][1].toString(), QString("colpito"));
        // The window's reading: the command without its first 6 and its last character.
        QCOMPARE(spia[0][0].toString().mid(6).chopped(1), pezzo);
        QCOMPARE(v.statoPezzo(pezzo), VistaMappa::StatoPezzo::Posato);
        QVERIFY(v.rettangoloPezzoOfferto().isNull());
    } else {
        QCOMPARE(spia.count(), 0);
        QCOMPARE(v.statoPezzo(pezzo), VistaMappa::StatoPezzo::NelVassoio);
        QCOMPARE(v.rettangoloPezzoOfferto(), nelVassoio); // back in the tray
    }
}

void TestMappaWidget::pezzoConZoom_data() {
    QTest::addColumn<QString>("pezzo");
    QTest::addColumn<double>("ingrandimento"); // map widget size over the viewport's
    QTest::addColumn<QPoint>("scarto");        // drop position minus the place
    QTest::addColumn<bool>("colpito");
    QTest::newRow("x2, sul posto") << "Beta" << 2.0 << QPoint(0, 0) << true;
    QTest::newRow("x2, un po' accanto") << "Alfa" << 2.0 << QPoint(15, 15) << true;
    QTest::newRow("x4, sul posto") << "Gamma" << 4.0 << QPoint(0, 0) << true;
    QTest::newRow("x4, lontano") << "Gamma" << 4.0 << QPoint(0, 150) << false;
    // Larger than the view: carried reduced, it fits with its centre anywhere on its place.
    QTest::newRow("x4, grande, centro sul posto") << "Beta" << 4.0 << QPoint(120, 60) << true;
    // (A point of the view off the place.)
    QTest::newRow("x2, grande, centro fuori") << "Beta" << 2.0 << QPoint(9999, 9999) << false;
    QTest::newRow("x3, marcatore") << "Isolotto" << 3.0 << QPoint(4, -4) << true;
}

void TestMappaWidget::pezzoConZoom() {
    // Zoomed in: the map widget larger than its viewport and scrolled so that the place is in
    // sight; the tray is then out of sight.
    QFETCH(QString, pezzo);
    QFETCH(double, ingrandimento);
    QFETCH(QPoint, scarto);
    QFETCH(bool, colpito);
    QWidget vista;
    vista.resize(640, 400);
    mappa->setParent(&vista);
    mappa->resize(int(640 * ingrandimento), int(400 * ingrandimento));
    carica("swf/Prova/Provapol2.swf");
    const VistaMappa& v = mappa->vista();
    const int i = v.dati()->indiciDi(pezzo)[0];
    const bool simbolo = v.haMarcatore(i);
    const QPointF posto = simbolo ? v.puntoDiPresa(i) : v.rettangoloElemento(i).center();
    const QPoint scorrimento(std::clamp(320 - int(posto.x()), 640 - mappa->width(), 0),
                             std::clamp(200 - int(posto.y()), 400 - mappa->height(), 0));
    mappa->move(scorrimento);
    vista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vista));
    const QRectF inVista(-QPointF(scorrimento), QSizeF(640, 400));
    QVERIFY(!inVista.contains(v.rettangoloVassoio()));

    mappa->SetVariable("IstanzaNazioneScelta.NazioneScelta", pezzo);
    const QRectF inAttesa = v.rettangoloPezzoOfferto();
    // In sight without scrolling, at most about half of the view, and off its own place.
    QVERIFY2(inVista.contains(inAttesa), qPrintable(QString("%1,%2 %3x%4")
                                                        .arg(inAttesa.x())
                                                        .arg(inAttesa.y())
                                                        .arg(inAttesa.width())
                                                        .arg(inAttesa.height())));
    QVERIFY(inAttesa.width() <= 0.46 * 640 + 24 && inAttesa.height() <= 0.46 * 400 + 24);
    QVERIFY(!inAttesa.contains(posto));

    // Scrolling keeps it in sight.
    mappa->move(scorrimento + QPoint(0, scorrimento.y() < 0 ? 40 : 0));
    const QRectF dopo = v.rettangoloPezzoOfferto();
    QVERIFY(QRectF(-QPointF(mappa->pos()), QSizeF(640, 400)).contains(dopo));
    mappa->move(scorrimento);

    // Picked up, it is at map scale again, or at 80 % of the view when larger; dropped on its
    // place, it is placed.
    QSignalSpy spia(mappa, &MappaWidget::FSCommand);
    const QPoint presa = v.rettangoloPezzoOfferto().center().toPoint();
    QTest::mousePress(mappa, Qt::LeftButton, {}, presa);
    QVERIFY(v.staTrascinando());
    const QSizeF piena = simbolo ? QSizeF(24, 24) : v.rettangoloElemento(i).size();
    const double scala = std::min({1.0, 0.8 * 640 / piena.width(), 0.8 * 400 / piena.height()});
    const QSizeF trascinata = v.rettangoloPezzoOfferto().size();
    QVERIFY(qAbs(trascinata.width() - piena.width() * scala) < 0.01);
    QVERIFY(qAbs(trascinata.height() - piena.height() * scala) < 0.01);
    // Pulled far out of the view, the piece stays within it.
    QTest::mouseMove(mappa, presa + QPoint(5000, 5000));
    QVERIFY(inVista.intersects(v.rettangoloPezzoOfferto()));
    QPoint rilascio = posto.toPoint() + scarto;
    if (scarto == QPoint(9999, 9999)) {
        for (int y = 20; y < 400 && rilascio == posto.toPoint() + scarto; y += 20)
            for (int x = 20; x < 640; x += 20) {
                const QPoint q = QPoint(x, y) - scorrimento;
                if (mappa->nomeInPunto(q) != pezzo &&
                    (q - posto.toPoint()).manhattanLength() > 100) {
                    rilascio = q;
                    break;
                }
            }
    }
    QTest::mouseMove(mappa, rilascio);
    QTest::mouseRelease(mappa, Qt::LeftButton, {}, rilascio);
    QCOMPARE(spia.count(), colpito ? 1 : 0);
    if (colpito) {
        QCOMPARE(spia[0][0].toString(), "posato" + pezzo + "p");
        QCOMPARE(spia[0][1].toString(), QString("colpito"));
    } else {
        QCOMPARE(v.rettangoloPezzoOfferto(), inAttesa);
    }
    mappa->setParent(nullptr);
}

void TestMappaWidget::nascondiPezzo() {
    mappa->resize(1600, 600);
    carica("swf/Prova/Provapol2.swf");
    mappa->SetVariable("IstanzaNazioneScelta.NazioneScelta", "Alfa");
    const QPoint presa = mappa->vista().rettangoloPezzoOfferto().center().toPoint();
    mappa->SetVariable("PerPuzzle.NazioneDaNascondere", "Alfap");
    QCOMPARE(mappa->vista().statoPezzo("Alfa"), VistaMappa::StatoPezzo::Nascosto);
    QVERIFY(mappa->vista().pezzoOfferto().isEmpty());
    QSignalSpy spia(mappa, &MappaWidget::FSCommand);
    QTest::mousePress(mappa, Qt::LeftButton, {}, presa);
    QVERIFY(!mappa->vista().staTrascinando());
    QTest::mouseRelease(mappa, Qt::LeftButton, {}, presa);
    QCOMPARE(spia.count(), 0);
    // The next piece offered comes into the tray as usual.
    mappa->SetVariable("IstanzaNazioneScelta.NazioneScelta", "Beta");
    QCOMPARE(mappa->vista().statoPezzo("Beta"), VistaMappa::StatoPezzo::NelVassoio);
    QCOMPARE(mappa->vista().statoPezzo("Alfa"), VistaMappa::StatoPezzo::Nascosto);
}

void TestMappaWidget::scansioneSenzaPezzo() {
    carica("swf/Prova/Provapol2scansione.swf");
    mappa->SetVariable("IstanzaNazioneScelta.NazioneScelta", "Beta");
    QVERIFY(mappa->vista().rettangoloVassoio().isNull());
    QVERIFY(mappa->vista().rettangoloPezzoOfferto().isNull());
    // The whole widget is map, as in exploration.
    QCOMPARE(mappa->vista().rettangoloMappa(), QRectF(0, 0, 1000, 500));
    QCOMPARE(mappa->nomeInPunto(W(600, 100)), QString("Beta"));
}

void TestMappaWidget::puntatore_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<bool>("grande");
    QTest::newRow("pol1") << "swf/Prova/Provapol1.swf" << false;
    QTest::newRow("fis1") << "swf/Prova/Provafis1.swf" << false;
    QTest::newRow("pol1pm") << "swf/Prova/Provapol1pm.swf" << true;
    QTest::newRow("fis1pm") << "swf/Prova/Provafis1pm.swf" << true;
    QTest::newRow("pol2") << "swf/Prova/Provapol2.swf" << true;
}

void TestMappaWidget::puntatore() {
    QFETCH(QString, chiave);
    QFETCH(bool, grande);
    carica(chiave);
    if (!grande) {
        QCOMPARE(mappa->cursor().shape(), Qt::ArrowCursor);
        return;
    }
    QCOMPARE(mappa->cursor().shape(), Qt::BitmapCursor);
    const QImage img = mappa->cursor().pixmap().toImage();
    QVERIFY(img.height() / img.devicePixelRatio() >= 48);
    // Black outline, yellow fill, and transparent around the arrow.
    bool nero = false, giallo = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            nero |= c.alpha() == 255 && c.lightness() < 30;
            giallo |= c.alpha() == 255 && c.red() > 240 && c.green() > 200 && c.blue() < 40;
        }
    QVERIFY(nero);
    QVERIFY(giallo);
    QCOMPARE(img.pixelColor(img.width() - 1, 0).alpha(), 0);
    // A window hides the pointer while scanning and unsets it for the mouse again.
    mappa->setCursor(Qt::BlankCursor);
    QCOMPARE(mappa->cursor().shape(), Qt::BlankCursor);
    mappa->unsetCursor();
    QCOMPARE(mappa->cursor().shape(), Qt::BitmapCursor);
}

void TestMappaWidget::accessibilita() {
    carica("swf/Prova/Provapol1.swf");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(mappa);
    QVERIFY(a);
    // Named elements only: no background land, no border layer.
    QCOMPARE(a->childCount(), 4);
    QStringList nomi;
    for (int i = 0; i < a->childCount(); ++i)
        nomi << a->child(i)->text(QAccessible::Name);
    nomi.sort();
    QCOMPARE(nomi, (QStringList{"Alfa", "Beta", "Gamma", "Isolotto"}));

    auto figlio = [&](const QString& nome) -> QAccessibleInterface* {
        for (int i = 0; i < a->childCount(); ++i)
            if (a->child(i)->text(QAccessible::Name) == nome)
                return a->child(i);
        return nullptr;
    };
    QAccessibleInterface* alfa = figlio("Alfa");
    QCOMPARE(alfa->parent(), a);
    QCOMPARE(a->indexOfChild(alfa), a->indexOfChild(figlio("Alfa")));
    QCOMPARE(alfa->rect(), QRect(mappa->mapToGlobal(W(50, 450)), QSize(400, 400)));
    // A tiny element is reachable through its marker.
    QVERIFY(figlio("Isolotto")->rect().width() >= 24);
    QCOMPARE(a->childAt(mappa->mapToGlobal(W(250, 250)).x(), mappa->mapToGlobal(W(250, 250)).y()),
             figlio("Gamma"));

    // Highlight: the element painted in the highlight colour is reported as selected.
    mappa->setColoreEvidenziazione("FF00FF");
    QVERIFY(!alfa->state().selected);
    ColoraElemento(*mappa, "Alfa", "FF00FF");
    QVERIFY(alfa->state().selected);
    ColoraElemento(*mappa, "Alfa", "00FF00");
    QVERIFY(!alfa->state().selected);

    // "press" reports the element as a click would.
    QSignalSpy spia(mappa, &MappaWidget::FSCommand);
    alfa->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(spia.count(), 1);
    QCOMPARE(spia[0][0].toString(), QString("elementoAlfa"));
}

void TestMappaWidget::nascostiDalFotogramma() {
    carica("swf/Prova/Provafis1pm.swf");
    mappa->GotoFrame(1);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(mappa);
    QCOMPARE(a->childCount(), 7);
    for (int i = 0; i < a->childCount(); ++i) {
        const QString nome = a->child(i)->text(QAccessible::Name);
        const bool nascosto = nome != "Monte Uno" && nome != "Indistinto";
        QCOMPARE(a->child(i)->state().invisible, nascosto);
    }
    QCOMPARE(a->child(0)->text(QAccessible::Description), QString("indistinto"));
}

QTEST_MAIN(TestMappaWidget)
#include "test_mappa_widget.moc"

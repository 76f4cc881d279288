#include "shell/clsResize.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void etichette_data();
    void etichette();
    void scalaGeometria_data();
    void scalaGeometria();
    void finestra();
    void minimizzaERipristina();
    void sizeFormToScreen();
};

void TestLayout::etichette_data() {
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<bool>("l");
    QTest::addColumn<bool>("t");
    QTest::addColumn<bool>("w");
    QTest::addColumn<bool>("h");
    QTest::newRow("vuota") << "" << true << true << true << true;
    QTest::newRow("senza @") << "L,T" << true << true << true << true;
    QTest::newRow("completa") << "@L,T,W,H" << true << true << true << true;
    QTest::newRow("solo posizione") << "@L,T" << true << true << false << false;
    QTest::newRow("minuscole e spazi") << "@ w , h" << false << false << true << true;
    QTest::newRow("nessuna") << "@" << false << false << false << false;
}

void TestLayout::etichette() {
    QFETCH(QString, etichetta);
    const auto d = LeggiEtichetta(etichetta);
    QTEST(d.left, "l");
    QTEST(d.top, "t");
    QTEST(d.width, "w");
    QTEST(d.height, "h");
}

void TestLayout::scalaGeometria_data() {
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<QRect>("atteso");
    // Designed 9600 x 7200, shown at 14400 x 10800: both ratios are 1.5.
    QTest::newRow("tutto") << "" << QRect(720, 540, 1440, 1080);
    QTest::newRow("@L,T tiene la dimensione") << "@L,T" << QRect(720, 540, 960, 720);
    QTest::newRow("@W,H tiene la posizione") << "@W,H" << QRect(480, 360, 1440, 1080);
}

void TestLayout::scalaGeometria() {
    QFETCH(QString, etichetta);
    QTEST(ScalaGeometria(QRect(480, 360, 960, 720), 1.5, 1.5, LeggiEtichetta(etichetta)), "atteso");
}

void TestLayout::finestra() {
    QWidget w;
    w.resize(640, 480);
    auto* a = new QLabel(QStringLiteral("a"), &w);
    a->setGeometry(32, 24, 64, 48);
    auto* b = new QLabel(QStringLiteral("b"), &w);
    b->setGeometry(100, 100, 50, 20);
    clsResize::ImpostaEtichetta(b, QStringLiteral("@L,T"));
    // A container's children scale with it; a layout's children are left to the layout.
    auto* contenitore = new QWidget(&w);
    contenitore->setGeometry(200, 200, 100, 100);
    auto* figlio = new QLabel(QStringLiteral("c"), contenitore);
    figlio->setGeometry(10, 10, 20, 20);
    auto* conLayout = new QWidget(&w);
    conLayout->setGeometry(300, 0, 100, 100);
    auto* gestito = new QLabel(QStringLiteral("d"), conLayout);
    (new QVBoxLayout(conLayout))->addWidget(gestito);

    clsResize r;
    r.setSourceForm(&w);
    r.ReInitialise();
    r.setAutomatico(true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(960, 720);
    QCOMPARE(a->geometry(), QRect(48, 36, 96, 72));
    QCOMPARE(b->geometry(), QRect(150, 150, 50, 20));
    QCOMPARE(contenitore->geometry(), QRect(300, 300, 150, 150));
    QCOMPARE(figlio->geometry(), QRect(15, 15, 30, 30));
    conLayout->layout()->activate();
    QCOMPARE(gestito->geometry(), conLayout->layout()->contentsRect());

    // Back to the designed size: no drift from rounding.
    w.resize(640, 480);
    QCOMPARE(a->geometry(), QRect(32, 24, 64, 48));

    // A control deleted after the recording is skipped.
    delete a;
    w.resize(1280, 960);
    QCOMPARE(b->geometry(), QRect(200, 200, 50, 20));
}

void TestLayout::minimizzaERipristina() {
    QWidget w;
    w.resize(400, 300);
    auto* a = new QLabel(QStringLiteral("a"), &w);
    a->setGeometry(40, 30, 80, 60);
    clsResize r;
    r.setSourceForm(&w);
    r.ResizeControls(); // the first call only records
    r.setAutomatico(true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.showMinimized();
    w.resize(10, 10); // what a minimised window may report
    QCOMPARE(a->geometry(), QRect(40, 30, 80, 60));
    w.showNormal();
    w.resize(400, 300);
    QCOMPARE(a->geometry(), QRect(40, 30, 80, 60));
}

void TestLayout::sizeFormToScreen() {
    QWidget w;
    w.resize(200, 100);
    auto* a = new QLabel(QStringLiteral("a"), &w);
    a->setGeometry(0, 0, 100, 50);
    clsResize r;
    r.setSourceForm(&w);
    r.setAutomatico(true);
    r.SizeFormToScreen(75);
    const QRect s = w.screen()->geometry();
    const int larghezza = int(0.75 * s.width()), altezza = int(0.75 * s.height());
    QCOMPARE(w.size(), QSize(larghezza, altezza));
    QCOMPARE(w.pos(),
             QPoint(s.x() + (s.width() - larghezza) / 2, s.y() + (s.height() - altezza) / 2));
    QCOMPARE(a->width(), qRound(100.0 * larghezza / 200));
    QCOMPARE(a->height(), qRound(50.0 * altezza / 100));
}

QTEST_MAIN(TestLayout)
#include "test_layout.moc"

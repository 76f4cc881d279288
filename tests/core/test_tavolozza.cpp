#include "catalog/Preset.h"
#include "catalog/Tavolozza.h"
#include "shell/Profilo.h"

#include <QSet>
#include <QTest>

class TestTavolozza : public QObject {
    Q_OBJECT
private slots:
    void forme_data();
    void forme();
    void tuttiIColoriUnaVolta();
    void preset_data();
    void preset();
};

void TestTavolozza::forme_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("vb");
    QTest::addColumn<double>("numero");
    QTest::newRow("bianco") << 0 << "FFFFFF"
                            << "&H00FFFFFF&" << 16777215.0;
    QTest::newRow("nero") << 5 << "000000"
                          << "&H00000000&" << 0.0;
    QTest::newRow("verde") << 82 << "00CC00"
                           << "&H0000CC00&" << 52224.0;
    QTest::newRow("azzurro") << 131 << "3399FF"
                             << "&H00FF9933&" << 3381759.0;
    QTest::newRow("ciano") << 190 << "00FFFF"
                           << "&H00FFFF00&" << 65535.0;
    QTest::newRow("blu") << 197 << "0000FF"
                         << "&H00FF0000&" << 255.0;
    QTest::newRow("ultimo") << 215 << "0033FF"
                            << "&H00FF3300&" << 13311.0;
}

void TestTavolozza::forme() {
    QFETCH(int, indice);
    QFETCH(QString, rgb);
    QFETCH(QString, vb);
    QFETCH(double, numero);
    const auto& t = Tavolozza::CostruisciTavolozza();
    QCOMPARE(t.Tavolozza[indice], rgb);
    QCOMPARE(t.TavolozzaVB[indice], vb);
    QCOMPARE(t.TavolozzaNumerica[indice], numero);
}

void TestTavolozza::tuttiIColoriUnaVolta() {
    // Every colour whose components are all among 00, 33, 66, 99, CC, FF appears exactly once, and
    // the three forms of each entry describe the same colour.
    const auto& t = Tavolozza::CostruisciTavolozza();
    QSet<QString> visti;
    for (int i = 0; i < Tavolozza::NumeroColori; ++i) {
        const QString& s = t.Tavolozza[i];
        QCOMPARE(s.size(), 6);
        for (int c = 0; c < 6; c += 2)
            QVERIFY2(QStringList({"00", "33", "66", "99", "CC", "FF"}).contains(s.mid(c, 2)),
                     qPrintable(s));
        visti.insert(s);
        const QString vb = t.TavolozzaVB[i];
        QCOMPARE(vb, QStringLiteral("&H00") + s.mid(4, 2) + s.mid(2, 2) + s.mid(0, 2) +
                         QLatin1Char('&'));
        QCOMPARE(t.TavolozzaNumerica[i], double(s.toUInt(nullptr, 16)));
    }
    QCOMPARE(visti.size(), 216);
}

void TestTavolozza::preset_data() {
    QTest::addColumn<bool>("politico");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QList<int>>(
        "atteso"); // politico: testo, sfondo, schema[0..5]; fisico: schema[0..11]
    QTest::newRow("politico 1") << true << 1 << QList<int>{5, 1, 0, 24, 82, 131, 9, 88};
    QTest::newRow("politico 2") << true << 2 << QList<int>{5, 0, 210, 24, 100, 145, 9, 88};
    QTest::newRow("politico 3") << true << 3 << QList<int>{0, 5, 9, 24, 102, 131, 0, 91};
    QTest::newRow("fisico 1") << false << 1
                              << QList<int>{89, 5, 197, 190, 9, 100, 7, 1, 192, 2, 5, 0};
    QTest::newRow("fisico 2") << false << 2
                              << QList<int>{0, 0, 197, 206, 57, 100, 90, 0, 56, 1, 81, 5};
    QTest::newRow("fisico 3") << false << 3
                              << QList<int>{0, 5, 197, 206, 57, 100, 90, 0, 56, 1, 81, 88};
    QTest::newRow("fisico 4") << false << 4
                              << QList<int>{0, 0, 197, 190, 9, 100, 7, 0, 2, 1, 24, 5};
}

void TestTavolozza::preset() {
    QFETCH(bool, politico);
    QFETCH(int, numero);
    QFETCH(QList<int>, atteso);
    ProfiloUtente p; // all zero: shows what a preset leaves alone
    p.ColoreTesto = 77;
    p.ColoreSfondo = 78;
    p.SchemaFisico.fill(79);
    p.SchemaPolitico.fill(80);
    const ProfiloUtente prima = p;
    QList<int> ottenuto;
    if (politico) {
        ApplicaPresetPolitico(p, numero);
        ottenuto << p.ColoreTesto << p.ColoreSfondo;
        for (auto v : p.SchemaPolitico)
            ottenuto << v;
        QCOMPARE(p.SchemaFisico, prima.SchemaFisico);
    } else {
        ApplicaPresetFisico(p, numero);
        for (auto v : p.SchemaFisico)
            ottenuto << v;
        QCOMPARE(p.ColoreTesto, prima.ColoreTesto);
        QCOMPARE(p.ColoreSfondo, prima.ColoreSfondo);
        QCOMPARE(p.SchemaPolitico, prima.SchemaPolitico);
    }
    QCOMPARE(ottenuto, atteso);
}

QTEST_GUILESS_MAIN(TestTavolozza)
#include "test_tavolozza.moc"

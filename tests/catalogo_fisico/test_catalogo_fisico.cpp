#include "catalog/CatalogoFisico.h"
#include "catalog/Preset.h"
#include "shell/Profilo.h"

#include <QMap>
#include <QSet>
#include <QTest>

#include <vector>

using Caricatore = void (*)(CatalogoFisico&);
Q_DECLARE_METATYPE(Caricatore)

namespace {

const QStringList categorie{"fiume",   "mare",       "monte", "pianura",
                            "deserto", "ghiacciaio", "altri", "indistinto"};

QString nome(const CatalogoFisico& c, int i) {
    return c.ElencoFisico[i][CatalogoFisico::ColonnaNome];
}
QString categoria(const CatalogoFisico& c, int i) {
    return c.ElencoFisico[i][CatalogoFisico::ColonnaCategoria];
}
QString colore(const CatalogoFisico& c, int i) {
    return c.ElencoFisico[i][CatalogoFisico::ColonnaColore];
}

} // namespace

class TestCatalogoFisico : public QObject {
    Q_OBJECT
private slots:
    void tabelle_data();
    void tabelle();
    void righeFisse_data();
    void righeFisse();
    void areaSconosciuta();
    void caricamentoNonCancella();
    void tabellaTroppoLunga();
    void colori_data();
    void colori();
    void coloriConfigurazione1();
    void coloriSoloRigheInUso();
};

void TestCatalogoFisico::tabelle_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<Caricatore>("carica");
    // Rows per category in the order of `categorie`.
    QTest::addColumn<QList<int>>("perCategoria");
    QTest::addColumn<bool>("conConfine");
    QTest::newRow("Africa") << "Africa" << Caricatore(&CaricaFisicoAfrica)
                            << QList<int>{12, 0, 13, 2, 3, 0, 0, 1} << false;
    QTest::newRow("Sudamerica") << "Sudamerica" << Caricatore(&CaricaFisicoSudamerica)
                                << QList<int>{9, 0, 6, 4, 1, 0, 0, 1} << false;
    QTest::newRow("Asia") << "Asia" << Caricatore(&CaricaFisicoAsia)
                          << QList<int>{20, 0, 19, 8, 4, 0, 0, 1} << false;
    QTest::newRow("Europa") << "Europa" << Caricatore(&CaricaFisicoEuropa)
                            << QList<int>{21, 0, 18, 10, 0, 0, 0, 1} << false;
    QTest::newRow("Americacs") << "Americacs" << Caricatore(&CaricaFisicoAmericacs)
                               << QList<int>{20, 0, 15, 4, 2, 1, 0, 1} << false;
    QTest::newRow("Australia") << "Australia" << Caricatore(&CaricaFisicoOceania)
                               << QList<int>{3, 1, 15, 4, 5, 0, 1, 1} << true;
    QTest::newRow("Italia") << "Italia" << Caricatore(&CaricaFisicoItalia)
                            << QList<int>{58, 7, 13, 12, 0, 0, 1, 1} << true;
}

void TestCatalogoFisico::tabelle() {
    QFETCH(QString, area);
    QFETCH(Caricatore, carica);
    QFETCH(QList<int>, perCategoria);
    QFETCH(bool, conConfine);

    int righe = 0;
    for (int n : perCategoria)
        righe += n;

    CatalogoFisico c;
    carica(c);
    QCOMPARE(c.NumeroElementiFisici, righe - 1);

    QMap<QString, int> conteggio;
    QSet<QString> nomi;
    for (int i = 0; i <= c.NumeroElementiFisici; ++i) {
        QVERIFY2(categorie.contains(categoria(c, i)), qPrintable(nome(c, i)));
        QVERIFY2(!nome(c, i).trimmed().isEmpty(), qPrintable(QString::number(i)));
        QVERIFY2(nome(c, i) == nome(c, i).trimmed(), qPrintable(nome(c, i)));
        // A map element is found by its name: two rows with one name would be one element.
        QVERIFY2(!nomi.contains(nome(c, i)), qPrintable(nome(c, i)));
        nomi.insert(nome(c, i));
        ++conteggio[categoria(c, i)];
    }
    for (int k = 0; k < categorie.size(); ++k)
        QVERIFY2(conteggio.value(categorie[k]) == perCategoria[k], qPrintable(categorie[k]));

    const int ultima = c.NumeroElementiFisici;
    QCOMPARE(nome(c, ultima), QString("Indistinto"));
    QCOMPARE(categoria(c, ultima), QString("indistinto"));
    QCOMPARE(nome(c, ultima - 1) == "Confine" && categoria(c, ultima - 1) == "altri", conConfine);

    // The dispatcher by area key runs the same loader; the accessor holds the same rows.
    CatalogoFisico d;
    QVERIFY(CaricaCatalogoFisico(d, area));
    QCOMPARE(d.NumeroElementiFisici, c.NumeroElementiFisici);
    const auto tabella = TabellaFisica(area);
    QCOMPARE(int(tabella.size()), righe);
    for (int i = 0; i <= ultima; ++i) {
        QCOMPARE(nome(d, i), nome(c, i));
        QCOMPARE(QString::fromUtf16(tabella[i].nome), nome(c, i));
        QCOMPARE(QString::fromUtf16(tabella[i].categoria), categoria(c, i));
    }
}

void TestCatalogoFisico::righeFisse_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("riga");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("categoria");
    QTest::newRow("Artiche") << "Americacs" << 4 << "Terre Artiche"
                             << "ghiacciaio";
    QTest::newRow("Barriera") << "Australia" << 3 << "Grande Barriera Corallina"
                              << "mare";
    QTest::newRow("Confine Oceania") << "Australia" << 28 << "Confine"
                                     << "altri";
    const char* alpi[] = {"Alpi Orientali", "Alpi Centrali", "Alpi Occidentali",
                          "Appennino Settentrionale e Alpi Apuane"};
    for (int i = 0; i < 4; ++i)
        QTest::addRow("Italia %d", i) << "Italia" << i << alpi[i] << "monte";
    const char* mari[] = {"Mar Mediterraneo", "Mar Ligure", "Mar di Sardegna", "Mar Tirreno",
                          "Mare di Sicilia",  "Mar Ionio",  "Mare Adriatico"};
    for (int i = 0; i < 7; ++i)
        QTest::addRow("Italia %d", 83 + i) << "Italia" << 83 + i << mari[i] << "mare";
    QTest::newRow("Confine Italia") << "Italia" << 90 << "Confine"
                                    << "altri";
    QTest::newRow("Indistinto Italia") << "Italia" << 91 << "Indistinto"
                                       << "indistinto";
}

void TestCatalogoFisico::righeFisse() {
    QFETCH(QString, area);
    QFETCH(int, riga);
    QFETCH(QString, nome);
    QFETCH(QString, categoria);
    CatalogoFisico c;
    QVERIFY(CaricaCatalogoFisico(c, area));
    QCOMPARE(::nome(c, riga), nome);
    QCOMPARE(::categoria(c, riga), categoria);
}

void TestCatalogoFisico::areaSconosciuta() {
    CatalogoFisico c;
    CaricaFisicoAfrica(c);
    // "Oceania" is the area's name but not its key, which is "Australia".
    for (const QString& chiave : {QString("Oceania"), QString("italia"), QString()}) {
        QVERIFY(!CaricaCatalogoFisico(c, chiave));
        QVERIFY(TabellaFisica(chiave).empty());
        QCOMPARE(c.NumeroElementiFisici, 30);
        QCOMPARE(nome(c, 0), QString("Fiume Nilo"));
    }
}

void TestCatalogoFisico::caricamentoNonCancella() {
    CatalogoFisico c;
    CaricaFisicoItalia(c);
    TrovaColoriFisiche(c, ProfiloPredefinito());
    const QString riga30 = nome(c, 30);
    const QString colore29 = colore(c, 29);
    CaricaFisicoOceania(c);
    QCOMPARE(c.NumeroElementiFisici, 29);
    QCOMPARE(nome(c, 29), QString("Indistinto"));
    // Rows past the end keep the Italian rows; column 2 keeps its old colour until recomputed.
    QCOMPARE(nome(c, 30), riga30);
    QCOMPARE(nome(c, 91), QString("Indistinto"));
    QCOMPARE(colore(c, 29), colore29);
}

void TestCatalogoFisico::tabellaTroppoLunga() {
    std::vector<VoceFisica> lunga(120, VoceFisica{u"Fiume", u"fiume"});
    lunga.back() = {u"Ultimo", u"indistinto"};
    CatalogoFisico c;
    CaricaFisico(c, lunga);
    QCOMPARE(c.NumeroElementiFisici, 100);
    QCOMPARE(nome(c, 100), QString("Fiume"));

    CaricaFisico(c, {});
    QCOMPARE(c.NumeroElementiFisici, 100);
}

void TestCatalogoFisico::colori_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("categoria");
    QTest::addColumn<QString>("atteso");
    const QList<QPair<QString, QString>> conf1{
        {"fiume", "0000FF"},   {"mare", "00FFFF"},       {"monte", "FF3300"},
        {"pianura", "00FF00"}, {"deserto", "FF9900"},    {"ghiacciaio", "CCCCCC"},
        {"altri", "009999"},   {"indistinto", "999999"},
    };
    for (const auto& [cat, rgb] : conf1)
        QTest::addRow("1 %s", qPrintable(cat)) << 1 << cat << rgb;
    QTest::newRow("2 mare") << 2 << "mare"
                            << "33CCFF";
    QTest::newRow("2 altri") << 2 << "altri"
                             << "FFFF66";
    QTest::newRow("4 ghiacciaio") << 4 << "ghiacciaio"
                                  << "FFFFFF";
    // Words outside the eight keep the colour they had.
    QTest::newRow("maiuscole") << 1 << "Fiume"
                               << "ABCDEF";
    QTest::newRow("altra parola") << 1 << "vulcano"
                                  << "ABCDEF";
}

void TestCatalogoFisico::colori() {
    QFETCH(int, preset);
    QFETCH(QString, categoria);
    QFETCH(QString, atteso);
    ProfiloUtente p = ProfiloPredefinito();
    ApplicaPresetFisico(p, preset);
    const std::vector<VoceFisica> tabella{
        {u"Elemento", reinterpret_cast<const char16_t*>(categoria.utf16())}};
    CatalogoFisico c;
    CaricaFisico(c, tabella);
    c.ElencoFisico[0][CatalogoFisico::ColonnaColore] = "ABCDEF";
    TrovaColoriFisiche(c, p);
    QCOMPARE(colore(c, 0), atteso);
}

void TestCatalogoFisico::coloriConfigurazione1() {
    ProfiloUtente p = ProfiloPredefinito();
    ApplicaPresetFisico(p, 1);
    for (const char* area :
         {"Italia", "Europa", "Africa", "Asia", "Americacs", "Sudamerica", "Australia"}) {
        CatalogoFisico c;
        QVERIFY(CaricaCatalogoFisico(c, area));
        TrovaColoriFisiche(c, p);
        for (int i = 0; i <= c.NumeroElementiFisici; ++i) {
            if (categoria(c, i) == "fiume")
                QCOMPARE(colore(c, i), QString("0000FF"));
            if (nome(c, i) == "Indistinto")
                QCOMPARE(colore(c, i), QString("999999"));
            QVERIFY2(!colore(c, i).isEmpty(), qPrintable(nome(c, i)));
        }
    }
}

void TestCatalogoFisico::coloriSoloRigheInUso() {
    ProfiloUtente p = ProfiloPredefinito();
    CatalogoFisico c;
    TrovaColoriFisiche(c, p); // nothing loaded: nothing to do, no failure
    QVERIFY(colore(c, 0).isEmpty());

    CaricaFisicoItalia(c);
    CaricaFisicoOceania(c);
    TrovaColoriFisiche(c, p);
    QVERIFY(!colore(c, 29).isEmpty());
    QVERIFY(colore(c, 30).isEmpty());

    // A scheme entry outside the palette leaves the colour as it was.
    p.SchemaFisico[2] = 216;
    c.ElencoFisico[0][CatalogoFisico::ColonnaColore] = "123456";
    TrovaColoriFisiche(c, p);
    QCOMPARE(colore(c, 0), QString("123456"));
}

QTEST_APPLESS_MAIN(TestCatalogoFisico)
#include "test_catalogo_fisico.moc"

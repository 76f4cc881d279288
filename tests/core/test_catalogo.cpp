#include "catalog/CatalogoArea.h"

#include <QSet>
#include <QTest>

class TestCatalogo : public QObject {
    Q_OBJECT
private slots:
    void aree_data();
    void aree();
    void voci_data();
    void voci();
    void unCaricamentoNonCancellaIlResto();
    void chiaveSconosciuta();
    void province_data();
    void province();
    void provinceDiRegioniDellItalia();
};

void TestCatalogo::aree_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("numeroElementi");
    QTest::addColumn<QString>("primo");
    QTest::addColumn<QString>("ultimo");
    QTest::newRow("Italia") << "Italia" << 19 << "Valle d'Aosta"
                            << "Sardegna";
    QTest::newRow("Europa") << "Europa" << 44 << "Islanda"
                            << "Malta";
    QTest::newRow("Africa") << "Africa" << 54 << "Sahara Occidentale"
                            << "Mauritius";
    QTest::newRow("Asia") << "Asia" << 41 << "Turchia"
                          << "Maldive";
    QTest::newRow("Americacs") << "Americacs" << 18 << "Alaska (Stati Uniti)"
                               << "Piccole Antille (Diversi Stati)";
    QTest::newRow("Sudamerica") << "Sudamerica" << 13 << "Colombia"
                                << "Uruguay";
    QTest::newRow("Australia") << "Australia" << 3 << "Australia"
                               << "Micronesia Melanesia Polinesia (Diversi Stati)";
}

void TestCatalogo::aree() {
    QFETCH(QString, area);
    CatalogoArea c;
    QVERIFY(CaricaCatalogoPolitico(c, area));
    QTEST(int(c.NumeroElementi), "numeroElementi");
    QTEST(c.ElencoNomi[0], "primo");
    QTEST(c.ElencoNomi[c.NumeroElementi], "ultimo");
    QSet<QString> nomi;
    for (int i = 0; i <= c.NumeroElementi; ++i) {
        QVERIFY(c.ClasseColore[i] >= 0 && c.ClasseColore[i] <= 3);
        QVERIFY(!c.ElencoNomi[i].isEmpty());
        nomi.insert(c.ElencoNomi[i]);
    }
    QCOMPARE(nomi.size(), c.NumeroElementi + 1);
}

void TestCatalogo::voci_data() {
    // Names the maps rely on, letter for letter, with their classes.
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("classe");
    QTest::newRow("Vaticano") << "Europa" << QString::fromUtf8("Città del Vaticano") << 2;
    QTest::newRow("Turchia Europea") << "Europa"
                                     << "Turchia Europea" << 3;
    QTest::newRow("Paesi bassi") << "Europa"
                                 << "Paesi bassi" << 2;
    QTest::newRow("Sao Tomè") << "Africa" << QString::fromUtf8("Sao Tomè e Principe") << 1;
    QTest::newRow("Costa d'Avorio") << "Africa"
                                    << "Costa d'Avorio" << 2;
    QTest::newRow("Zaire") << "Africa"
                           << "Zaire" << 1;
    QTest::newRow("Myanmar") << "Asia"
                             << "Myanmar (Birmania)" << 1;
    QTest::newRow("Trinidad") << "Sudamerica"
                              << "Trinidad and Tobago" << 2;
    QTest::newRow("Perù") << "Sudamerica" << QString::fromUtf8("Perù") << 0;
    QTest::newRow("Trentino") << "Italia"
                              << "Trentino Alto Adige" << 0;
}

void TestCatalogo::voci() {
    QFETCH(QString, area);
    QFETCH(QString, nome);
    const auto tabella = TabellaPolitica(area);
    auto it = std::find_if(tabella.begin(), tabella.end(),
                           [&](const VoceCatalogo& v) { return v.nome == nome; });
    QVERIFY2(it != tabella.end(), qPrintable(nome));
    QTEST(it->classe, "classe");
}

void TestCatalogo::unCaricamentoNonCancellaIlResto() {
    CatalogoArea c;
    CaricaNazioniAfrica(c);
    CaricaNazioniOceania(c);
    QCOMPARE(int(c.NumeroElementi), 3);
    QCOMPARE(c.ElencoNomi[3], QStringLiteral("Micronesia Melanesia Polinesia (Diversi Stati)"));
    // Rows above the count keep what an earlier load wrote; no consumer reads them.
    QCOMPARE(c.ElencoNomi[4], QStringLiteral("Libia"));
}

void TestCatalogo::chiaveSconosciuta() {
    CatalogoArea c;
    CaricaNazioniEuropa(c);
    QVERIFY(!CaricaCatalogoPolitico(c, QStringLiteral("Antartide")));
    QCOMPARE(int(c.NumeroElementi), 44);
    QVERIFY(TabellaPolitica(QStringLiteral("italia")).isEmpty()); // keys are exact
}

void TestCatalogo::province_data() {
    QTest::addColumn<QString>("regione");
    QTest::addColumn<QStringList>("province");
    QTest::newRow("Valle d'Aosta") << "Valle d'Aosta" << QStringList{"Provincia di Aosta"};
    QTest::newRow("Lombardia") << "Lombardia"
                               << QStringList{"Provincia di Sondrio", "Provincia di Varese",
                                              "Provincia di Como",    "Provincia di Lecco",
                                              "Provincia di Bergamo", "Provincia di Brescia",
                                              "Provincia di Milano",  "Provincia di Pavia",
                                              "Provincia di Lodi",    "Provincia di Cremona",
                                              "Provincia di Mantova"};
    QTest::newRow("Piemonte") << "Piemonte"
                              << QStringList{"Provincia del Verbano Cusio Ossola",
                                             "Provincia di Vercelli",
                                             "Provincia di Biella",
                                             "Provincia di Novara",
                                             "Provincia di Torino",
                                             "Provincia di Asti",
                                             "Provincia di Alessandria",
                                             "Provincia di Cuneo"};
    QTest::newRow("Sardegna") << "Sardegna"
                              << QStringList{"Provincia di Sassari", "Provincia di Nuoro",
                                             "Provincia di Oristano", "Provincia di Cagliari"};
    QTest::newRow("nessuna") << "Padania" << QStringList{};
}

void TestCatalogo::province() {
    QFETCH(QString, regione);
    QFETCH(QStringList, province);
    QStringList nomi;
    for (const auto& v : ProvinceDellaRegione(regione))
        nomi << v.nome;
    QCOMPARE(nomi, province);
}

void TestCatalogo::provinceDiRegioniDellItalia() {
    CatalogoArea c;
    CaricaRegioniItalia(c);
    CaricaProvince(c);
    QCOMPARE(int(c.NumeroProvince), 102);
    QSet<QString> regioni;
    for (int i = 0; i <= c.NumeroElementi; ++i)
        regioni.insert(c.ElencoNomi[i]);
    QSet<QString> regioniDelleProvince;
    for (int i = 0; i <= c.NumeroProvince; ++i) {
        regioniDelleProvince.insert(c.ElencoProvince[i][1]);
        QVERIFY(c.ElencoProvince[i][0].startsWith("Provincia d"));
        QVERIFY(c.ClasseProvincia[i] >= 0 && c.ClasseProvincia[i] <= 3);
    }
    QCOMPARE(regioniDelleProvince, regioni);
}

QTEST_GUILESS_MAIN(TestCatalogo)
#include "test_catalogo.moc"

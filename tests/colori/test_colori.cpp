#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "catalog/Preset.h"
#include "workspace/colori/ColoriMappa.h"
#include "workspace/colori/FiltroCategorie.h"

#include <QTest>

using Righe = QList<std::array<QString, 3>>;
Q_DECLARE_METATYPE(CategoriaFiltro)

static QString Colore(const PassataColori& p, const QString& nome) {
    for (const ColoreElemento& c : p)
        if (c.nome == nome)
            return c.colore;
    return "assente";
}

class TestColori : public QObject {
    Q_OBJECT
private slots:
    void politici_data();
    void politici();
    void soloElementiInUso();
    void classiEIndiciFuoriIntervallo();
    void sceltaRegioneEProvince();
    void fisici();
    void finestre();
    void conteggi_data();
    void conteggi();
    void vociNascoste();
    void scegli();
    void didascalie_data();
    void didascalie();
};

void TestColori::politici_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("colore");
    // The default profile: classes 0..3 white, yellow, green, blue; background grey.
    QTest::newRow("classe 1") << "Valle d'Aosta"
                              << "FFFF00";
    QTest::newRow("classe 0") << "Sardegna"
                              << "FFFFFF";
    QTest::newRow("confini nel colore di sfondo") << "Confini"
                                                  << "CCCCCC";
}

void TestColori::politici() {
    QFETCH(QString, nome);
    QFETCH(QString, colore);
    CatalogoArea c;
    CaricaRegioniItalia(c);
    const PassataColori p = ColoriPolitici(c, ProfiloPredefinito());
    QCOMPARE(p.size(), 21);
    QCOMPARE(p.last().nome, QString("Confini"));
    QCOMPARE(Colore(p, nome), colore);
}

void TestColori::soloElementiInUso() {
    // A smaller area loaded after Italy leaves Italian names above NumeroElementi: never sent.
    CatalogoArea c;
    CaricaRegioniItalia(c);
    CaricaNazioniOceania(c);
    const PassataColori p = ColoriPolitici(c, ProfiloPredefinito());
    QCOMPARE(p.size(), 5);
    QCOMPARE(Colore(p, "Lombardia"), QString("assente"));
}

void TestColori::classiEIndiciFuoriIntervallo() {
    CatalogoArea c;
    c.ElencoNomi[0] = "A";
    c.ClasseColore[0] = 9; // not a class: taken as class 0
    c.ElencoNomi[1] = "B";
    c.ClasseColore[1] = 2;
    c.NumeroElementi = 1;
    ProfiloUtente p = ProfiloPredefinito();
    p.SchemaPolitico[0] = 24;  // FFFF00
    p.SchemaPolitico[2] = 300; // not a palette index: entry 0
    const PassataColori passata = ColoriPolitici(c, p);
    QCOMPARE(Colore(passata, "A"), QString("FFFF00"));
    QCOMPARE(Colore(passata, "B"), QString("FFFFFF"));
}

void TestColori::sceltaRegioneEProvince() {
    CatalogoArea c;
    CaricaRegioniItalia(c);
    const ProfiloUtente p = ProfiloPredefinito();
    const PassataColori regioni = ColoriSceltaRegione(c, p);
    QCOMPARE(regioni.size(), 20);
    QCOMPARE(Colore(regioni, "Confini"), QString("assente"));

    QList<VoceCatalogo> province = ProvinceDellaRegione("Lombardia");
    province.prepend(VoceCatalogo{}); // the empty slot 0 of the regional lists
    const PassataColori passata = ColoriProvince(province, p);
    QCOMPARE(passata.size(), province.size() - 1);
    QCOMPARE(Colore(passata, ""), QString("assente"));
    QCOMPARE(Colore(passata, "Confini"), QString("assente"));
}

void TestColori::fisici() {
    CatalogoFisico c;
    CaricaFisicoOceania(c);
    TrovaColoriFisiche(c, ProfiloPredefinito());
    const PassataColori p = ColoriFisici(RigheDi(c));
    QCOMPARE(p.size(), 30);
    QCOMPARE(Colore(p, "Fiume Murray"), QString("0000FF"));
    QCOMPARE(Colore(p, "Grande Barriera Corallina"), QString("00FFFF"));
    QCOMPARE(Colore(p, "Indistinto"), QString("999999"));

    // A row whose colour was never computed is not sent; the others keep their order.
    const Righe righe{
        {"Monte", "monte", "FF3300"}, {"Strano", "vulcano", ""}, {"Mare", "mare", "00ffff"}};
    const PassataColori q = ColoriFisici(RigheFisiche(righe.data(), righe.size()));
    QCOMPARE(q, (PassataColori{{"Monte", "FF3300"}, {"Mare", "00FFFF"}}));
}

void TestColori::finestre() {
    ProfiloUtente p = ProfiloPredefinito();
    const ColoriFinestra fis = ColoriFinestraFisica(p);
    QCOMPARE(fis.finestra, 0xFFFFFFu);
    QCOMPARE(fis.testoNome, 0x000000u);
    QCOMPARE(fis.sfondoMappa, QString("FFCC99"));
    QCOMPARE(fis.evidenziazione, QString("000000"));
    PresetPolitico3(p);
    const ColoriFinestra pol = ColoriFinestraPolitica(p);
    QCOMPARE(pol.finestra, 0x000000u);
    QCOMPARE(pol.testoNome, 0xFFFFFFu);
    QCOMPARE(pol.evidenziazione, QString("FFFFFF"));
}

void TestColori::conteggi_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<CategoriaFiltro>("categoria");
    QTest::addColumn<int>("elementi");
    QTest::newRow("Africa tutto") << "Africa" << CategoriaFiltro::Tutto << 30;
    QTest::newRow("Africa monti") << "Africa" << CategoriaFiltro::Monti << 13;
    QTest::newRow("Africa fiumi") << "Africa" << CategoriaFiltro::FiumiLaghi << 12;
    QTest::newRow("Africa deserti") << "Africa" << CategoriaFiltro::Deserti << 3;
    QTest::newRow("Africa ghiacciai") << "Africa" << CategoriaFiltro::Ghiacciai << 0;
    QTest::newRow("Americacs ghiacciai") << "Americacs" << CategoriaFiltro::Ghiacciai << 1;
    QTest::newRow("Oceania mari") << "Australia" << CategoriaFiltro::Mari << 1;
    QTest::newRow("Italia tutto, confine compreso") << "Italia" << CategoriaFiltro::Tutto << 91;
}

void TestColori::conteggi() {
    QFETCH(QString, area);
    QFETCH(CategoriaFiltro, categoria);
    QFETCH(int, elementi);
    CatalogoFisico c;
    QVERIFY(CaricaCatalogoFisico(c, area));
    QCOMPARE(FiltroCategorie::Conta(RigheDi(c), categoria), elementi);
}

void TestColori::vociNascoste() {
    CatalogoFisico c;
    CaricaFisicoAfrica(c);
    const FiltroCategorie f(RigheDi(c), "Africa");
    QStringList visibili;
    for (const VoceFiltro& v : f.Voci())
        if (v.visibile)
            visibili << v.didascalia;
    QCOMPARE(visibili, (QStringList{"Tutto", "Monti", "Pianure", "Deserti", "Fiumi e Laghi"}));
    QVERIFY(!f.Voce(CategoriaFiltro::Altri)); // only in the region windows
    QCOMPARE(f.Spuntata(), CategoriaFiltro::Tutto);

    // An empty table still offers "Tutto".
    const FiltroCategorie vuoto(RigheFisiche{}, "Africa");
    QVERIFY(vuoto.Voce(CategoriaFiltro::Tutto)->visibile);
    QVERIFY(!vuoto.Voce(CategoriaFiltro::Monti)->visibile);

    // A region without islands offers "Altri" only when it has features of that category.
    const Righe senzaIsole{{"Monte", "monte", ""}, {"Indistinto", "indistinto", ""}};
    const FiltroCategorie umbria(RigheFisiche(senzaIsole.data(), senzaIsole.size()), "Italia",
                                 "Umbria");
    QVERIFY(!umbria.Voce(CategoriaFiltro::Altri)->visibile);
    const Righe conIsole{{"Isola d'Elba", "altri", ""}};
    const FiltroCategorie toscana(RigheFisiche(conIsole.data(), conIsole.size()), "Italia",
                                  "Toscana");
    QVERIFY(toscana.Voce(CategoriaFiltro::Altri)->visibile);
    QCOMPARE(toscana.Voce(CategoriaFiltro::Altri)->didascalia, QString("Isole"));
}

void TestColori::scegli() {
    CatalogoFisico c;
    CaricaFisicoOceania(c);
    FiltroCategorie f(RigheDi(c), "Australia");
    QCOMPARE(f.Scegli(CategoriaFiltro::Monti), 1);
    QCOMPARE(f.ElementiCategoria(), 15);
    QCOMPARE(f.Spuntata(), CategoriaFiltro::Monti);
    QCOMPARE(f.Scegli(CategoriaFiltro::Mari), 6);
    QCOMPARE(f.ElementiCategoria(), 1);
    // "Altri" has no entry outside the region windows: the whole map.
    QCOMPARE(f.Scegli(CategoriaFiltro::Altri), 0);
    QCOMPARE(f.Spuntata(), CategoriaFiltro::Tutto);
    QCOMPARE(f.ElementiCategoria(), 29);
}

void TestColori::didascalie_data() {
    QTest::addColumn<CategoriaFiltro>("categoria");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("regione");
    QTest::addColumn<QString>("didascalia");
    const auto des = CategoriaFiltro::Deserti;
    const auto altri = CategoriaFiltro::Altri;
    const auto mari = CategoriaFiltro::Mari;
    QTest::newRow("deserti nel mondo") << des << "Africa"
                                       << ""
                                       << "Deserti";
    QTest::newRow("Trentino") << des << "Italia"
                              << "Trentino Alto Adige"
                              << "Valli";
    QTest::newRow("Lombardia") << des << "Italia"
                               << "Lombardia"
                               << "Colline";
    QTest::newRow("Toscana colline") << des << "Italia"
                                     << "Toscana"
                                     << "Colline";
    QTest::newRow("Sicilia valli") << des << "Italia"
                                   << "Sicilia"
                                   << "Valli";
    QTest::newRow("altra regione") << des << "Italia"
                                   << "Liguria"
                                   << "Valli";
    QTest::newRow("Toscana isole") << altri << "Italia"
                                   << "Toscana"
                                   << "Isole";
    QTest::newRow("Puglia isole") << altri << "Italia"
                                  << "Puglia"
                                  << "Isole";
    QTest::newRow("Lombardia altri") << altri << "Italia"
                                     << "Lombardia"
                                     << "Altri";
    QTest::newRow("Oceania") << mari << "Australia"
                             << ""
                             << "Barriera Corallina";
    QTest::newRow("Oceania in minuscolo") << mari << "australia"
                                          << ""
                                          << "Barriera Corallina";
    QTest::newRow("Europa") << mari << "Europa"
                            << ""
                            << "Mari";
    QTest::newRow("regione") << mari << "Italia"
                             << "Sicilia"
                             << "Mari";
}

void TestColori::didascalie() {
    QFETCH(CategoriaFiltro, categoria);
    QFETCH(QString, area);
    QFETCH(QString, regione);
    QFETCH(QString, didascalia);
    QCOMPARE(FiltroCategorie::Didascalia(categoria, area, regione), didascalia);
}

QTEST_GUILESS_MAIN(TestColori)
#include "test_colori.moc"

#include "activities/puzzles/GiocoPuzzle.h"

#include <QRandomGenerator>
#include <QTest>

// The game of the puzzles without any window: draws, placements by the map's hit and by
// scanning, Cambia, the end, the physical exclusions and the category filter.

namespace {

QList<PezzoPuzzle> Politici(int n) {
    QList<PezzoPuzzle> pezzi;
    for (int i = 0; i < n; ++i)
        pezzi.append({QStringLiteral("Elemento %1").arg(i), QString(), QStringLiteral("112233")});
    return pezzi;
}

// A physical table: name, category; the closing "Indistinto" row as the catalogs have it.
QList<PezzoPuzzle> Fisici() {
    return {{"Alpi", "monte", "AA0000"},           {"Po", "fiume", "0000AA"},
            {"Padana", "pianura", "00AA00"},       {"Etna", "monte", "AA0000"},
            {"Elba", "altri", "777777"},           {"Confine", "altri", "777777"},
            {"Terra", "indistinto", "CCCCCC"},     {"Tirreno", "mare", "0055FF"},
            {"Indistinto", "indistinto", "CCCCCC"}};
}

const QStringList EsclusiMondo{"indistinto", "altri"};
const QStringList EsclusiRegione{"indistinto"};

const ColoriPuzzle Colori{"FFFF00", "EEEEEE", "999999", {{"Confini", "000000"}}};

// Deterministic draws from a seed.
GiocoPuzzle::Estrazione Seme(quint32 seme) {
    auto g = std::make_shared<QRandomGenerator>(seme);
    return [g](int n) { return int(g->bounded(n)); };
}

} // namespace

class TestGiocoPuzzle : public QObject {
    Q_OBJECT
private slots:
    void partitaCompleta_data();
    void partitaCompleta();
    void cambiaSullUltimo();
    void nessunDoppioConteggio_data();
    void nessunDoppioConteggio();
    void sceltaSbagliata();
    void cambiaDopoLaFine();
    void senzaPezzi_data();
    void senzaPezzi();
    void esclusioniFisiche_data();
    void esclusioniFisiche();
    void categoriaEDecolora_data();
    void categoriaEDecolora();
    void estrazioneUniforme();
    void regioneDelGioco_data();
    void regioneDelGioco();
};

void TestGiocoPuzzle::partitaCompleta_data() {
    QTest::addColumn<int>("pezzi");
    QTest::addColumn<bool>("scansione");
    QTest::addColumn<int>("cambiOgni"); // a Cambia before every n-th placement, 0 never
    QTest::newRow("20, trascinati") << 20 << false << 0;
    QTest::newRow("20, scelti con la scansione") << 20 << true << 0;
    QTest::newRow("20, trascinati, Cambia ogni 3") << 20 << false << 3;
    QTest::newRow("20, scansione, Cambia ogni volta") << 20 << true << 1;
    QTest::newRow("un pezzo") << 1 << false << 1;
    QTest::newRow("101 pezzi") << 101 << true << 7;
}

void TestGiocoPuzzle::partitaCompleta() {
    QFETCH(int, pezzi);
    QFETCH(bool, scansione);
    QFETCH(int, cambiOgni);
    GiocoPuzzle g(Politici(pezzi), {}, Seme(7));
    QSet<int> posati;
    for (int k = 0; k < pezzi; ++k) {
        int i = g.Estrai();
        QVERIFY(i >= 0);
        QVERIFY2(!posati.contains(i), "a placed piece was offered again");
        QCOMPARE(g.PezziOfferti(), k + 1);
        if (cambiOgni && k % cambiOgni == 0) {
            QCOMPARE(g.Cambia(), GiocoPuzzle::EsitoCambia::Estrai);
            QCOMPARE(g.PezzoDaNascondere(), i);
            i = g.Estrai();
            QVERIFY(i >= 0 && !posati.contains(i));
            QCOMPARE(g.PezziOfferti(), k + 1);
        }
        const auto esito = scansione ? g.Seleziona(i) : g.PosaPezzoOfferto();
        QCOMPARE(esito, GiocoPuzzle::Esito::Giusta);
        QVERIFY(g.Posato(i));
        posati.insert(i);
        QCOMPARE(g.DaPosare(), pezzi - k - 1);
    }
    // The draw after the last placement ends the game.
    QCOMPARE(g.Estrai(), -1);
    QCOMPARE(g.FaseGioco(), GiocoPuzzle::Fase::Finito);
    QCOMPARE(posati.size(), pezzi);
    QCOMPARE(g.PezziOfferti(), pezzi);
}

void TestGiocoPuzzle::cambiaSullUltimo() {
    GiocoPuzzle g(Politici(3), {}, Seme(1));
    for (int k = 0; k < 2; ++k) {
        g.Estrai();
        g.PosaPezzoOfferto();
    }
    const int ultimo = g.Estrai();
    QVERIFY(ultimo >= 0);
    const int offerti = g.PezziOfferti();
    for (int volte = 0; volte < 3; ++volte) {
        QCOMPARE(g.Cambia(), GiocoPuzzle::EsitoCambia::Estrai);
        QCOMPARE(g.Estrai(), ultimo);
        QCOMPARE(g.PezziOfferti(), offerti);
        QCOMPARE(g.FaseGioco(), GiocoPuzzle::Fase::Offerta);
    }
    QCOMPARE(g.PosaPezzoOfferto(), GiocoPuzzle::Esito::Giusta);
    QCOMPARE(g.Estrai(), -1);
}

void TestGiocoPuzzle::nessunDoppioConteggio_data() {
    QTest::addColumn<QString>("seconda");
    QTest::newRow("secondo colpito") << "colpito";
    QTest::newRow("secondo Invio") << "invio";
    QTest::newRow("Cambia durante la pausa") << "cambia";
    QTest::newRow("seconda estrazione") << "estrai";
}

void TestGiocoPuzzle::nessunDoppioConteggio() {
    QFETCH(QString, seconda);
    GiocoPuzzle g(Politici(5), {}, Seme(3));
    const int i = g.Estrai();
    QCOMPARE(g.Seleziona(i), GiocoPuzzle::Esito::Giusta);
    // During the draw's pause: nothing is on offer.
    QCOMPARE(g.PezzoCorrente(), -1);
    if (seconda == u"colpito") {
        QCOMPARE(g.PosaPezzoOfferto(), GiocoPuzzle::Esito::Nulla);
    } else if (seconda == u"invio") {
        QCOMPARE(g.Seleziona(i), GiocoPuzzle::Esito::Nulla);
    } else if (seconda == u"cambia") {
        QCOMPARE(g.Cambia(), GiocoPuzzle::EsitoCambia::Nulla);
    } else {
        const int prossimo = g.Estrai();
        QCOMPARE(g.Estrai(), prossimo); // the second draw offers nothing new
        QCOMPARE(g.PezziOfferti(), 2);
        return;
    }
    QCOMPARE(g.DaPosare(), 4);
    QCOMPARE(g.PezziOfferti(), 1);
    QVERIFY(g.Estrai() >= 0);
    QCOMPARE(g.PezziOfferti(), 2);
}

void TestGiocoPuzzle::sceltaSbagliata() {
    GiocoPuzzle g(Politici(4), {}, [](int) { return 0; });
    QCOMPARE(g.Estrai(), 0);
    QCOMPARE(g.Seleziona(2), GiocoPuzzle::Esito::Sbagliata);
    QCOMPARE(g.Seleziona(-1), GiocoPuzzle::Esito::Sbagliata);
    QCOMPARE(g.Seleziona(99), GiocoPuzzle::Esito::Sbagliata);
    QCOMPARE(g.PezzoCorrente(), 0);
    QCOMPARE(g.DaPosare(), 4);
    // Places are compared by name: two features sharing one are both right.
    QList<PezzoPuzzle> doppi = Politici(3);
    doppi[2].nome = doppi[0].nome;
    GiocoPuzzle h(doppi, {}, [](int) { return 0; });
    QCOMPARE(h.Estrai(), 0);
    QCOMPARE(h.Seleziona(2), GiocoPuzzle::Esito::Giusta);
    QVERIFY(h.Posato(0));
}

void TestGiocoPuzzle::cambiaDopoLaFine() {
    GiocoPuzzle g(Politici(2), {}, Seme(5));
    for (int k = 0; k < 2; ++k) {
        g.Estrai();
        g.PosaPezzoOfferto();
    }
    QCOMPARE(g.Estrai(), -1);
    // Cambia again and again: the end every time, the count never lowered.
    for (int volte = 0; volte < 3; ++volte) {
        QCOMPARE(g.Cambia(), GiocoPuzzle::EsitoCambia::Finito);
        QCOMPARE(g.PezziOfferti(), 2);
        QCOMPARE(g.Estrai(), -1);
        QCOMPARE(g.FaseGioco(), GiocoPuzzle::Fase::Finito);
    }
    // "&Ricomincia" starts a whole new game.
    g.Ricomincia();
    QCOMPARE(g.DaPosare(), 2);
    QCOMPARE(g.PezziOfferti(), 0);
    QVERIFY(g.Estrai() >= 0);
}

void TestGiocoPuzzle::senzaPezzi_data() {
    QTest::addColumn<QList<PezzoPuzzle>>("pezzi");
    QTest::addColumn<QStringList>("esclusi");
    QTest::newRow("nessun elemento") << QList<PezzoPuzzle>{} << QStringList{};
    QTest::newRow("solo indistinto")
        << QList<PezzoPuzzle>{{"Indistinto", "indistinto", "CCCCCC"}} << EsclusiMondo;
    QTest::newRow("solo isole, finestra del mondo")
        << QList<PezzoPuzzle>{{"Elba", "altri", "777777"}, {"Indistinto", "indistinto", "CCCCCC"}}
        << EsclusiMondo;
    QTest::newRow("nomi vuoti") << QList<PezzoPuzzle>{{"", "", ""}} << QStringList{};
}

void TestGiocoPuzzle::senzaPezzi() {
    QFETCH(QList<PezzoPuzzle>, pezzi);
    QFETCH(QStringList, esclusi);
    GiocoPuzzle g(pezzi, esclusi);
    QCOMPARE(g.PezziInGioco(), 0);
    QCOMPARE(g.Estrai(), -1);
    QCOMPARE(g.FaseGioco(), GiocoPuzzle::Fase::Finito);
    QCOMPARE(g.Cambia(), GiocoPuzzle::EsitoCambia::Finito);
    QCOMPARE(g.Seleziona(0), GiocoPuzzle::Esito::Nulla);
}

void TestGiocoPuzzle::esclusioniFisiche_data() {
    QTest::addColumn<QStringList>("esclusi");
    QTest::addColumn<QStringList>("offerti");
    QTest::newRow("finestra del mondo")
        << EsclusiMondo << QStringList{"Alpi", "Po", "Padana", "Etna", "Tirreno"};
    QTest::newRow("finestra della regione")
        << EsclusiRegione
        << QStringList{"Alpi", "Po", "Padana", "Etna", "Elba", "Confine", "Tirreno"};
}

void TestGiocoPuzzle::esclusioniFisiche() {
    QFETCH(QStringList, esclusi);
    QFETCH(QStringList, offerti);
    // Many games with different draws: the excluded features are never offered and the
    // others all are, each once.
    for (quint32 seme = 1; seme <= 20; ++seme) {
        GiocoPuzzle g(Fisici(), esclusi, Seme(seme));
        QStringList visti;
        for (int i = g.Estrai(); i >= 0; i = g.Estrai()) {
            visti << g.Pezzo(i).nome;
            g.PosaPezzoOfferto();
        }
        QCOMPARE(QSet<QString>(visti.begin(), visti.end()),
                 QSet<QString>(offerti.begin(), offerti.end()));
        QCOMPARE(visti.size(), offerti.size());
    }
    // Excluded places are in the excluded colour from the start; the others empty.
    GiocoPuzzle g(Fisici(), esclusi);
    for (int i = 0; i < g.Numero(); ++i)
        QCOMPARE(g.ColorePosto(i, Colori),
                 esclusi.contains(g.Pezzo(i).categoria) ? Colori.escluso : Colori.vuoto);
}

void TestGiocoPuzzle::categoriaEDecolora_data() {
    QTest::addColumn<QString>("categoria"); // "" for "Tutto"
    QTest::addColumn<bool>("decolora");
    QTest::addColumn<QStringList>("inGioco");
    const QStringList tutti{"Alpi", "Po", "Padana", "Etna", "Tirreno"};
    QTest::newRow("Tutto") << "" << false << tutti;
    // "Decolora" while "Tutto" is ticked leaves every feature in play.
    QTest::newRow("Tutto, decolora") << "" << true << tutti;
    QTest::newRow("Monti") << "monte" << false << QStringList{"Alpi", "Etna"};
    QTest::newRow("Monti, decolora") << "monte" << true << QStringList{"Alpi", "Etna"};
    QTest::newRow("Altri, mondo") << "altri" << false << QStringList{};
}

void TestGiocoPuzzle::categoriaEDecolora() {
    QFETCH(QString, categoria);
    QFETCH(bool, decolora);
    QFETCH(QStringList, inGioco);
    GiocoPuzzle g(Fisici(), EsclusiMondo, Seme(11));
    // Half a game first: the choice starts a new one.
    g.Estrai();
    g.PosaPezzoOfferto();
    g.ImpostaDecolora(decolora);
    if (categoria.isEmpty())
        g.ScegliTutto();
    else
        g.ScegliCategoria(categoria);
    QCOMPARE(g.PezziOfferti(), 0);
    QCOMPARE(g.FaseGioco(), GiocoPuzzle::Fase::Estrazione);
    QStringList visti;
    for (int i = 0; i < g.Numero(); ++i) {
        QVERIFY(!g.Posato(i));
        const PezzoPuzzle& p = g.Pezzo(i);
        if (g.InGioco(i)) {
            visti << p.nome;
            QCOMPARE(g.ColorePosto(i, Colori), Colori.vuoto);
        } else if (EsclusiMondo.contains(p.categoria)) {
            QCOMPARE(g.ColorePosto(i, Colori), Colori.escluso);
        } else {
            // Outside the category: its own colour, or the neutral one with "Decolora".
            QCOMPARE(g.ColorePosto(i, Colori), decolora ? Colori.escluso : p.colore);
        }
    }
    QCOMPARE(visti, inGioco);
    QCOMPARE(g.DaPosare(), inGioco.size());
    int offerti = 0;
    for (int i = g.Estrai(); i >= 0; i = g.Estrai()) {
        QVERIFY(inGioco.contains(g.Pezzo(i).nome));
        QCOMPARE(g.Seleziona(i), GiocoPuzzle::Esito::Giusta);
        ++offerti;
    }
    QCOMPARE(offerti, inGioco.size());
    // "Tutto" after a category keeps the word chosen last.
    if (!categoria.isEmpty()) {
        g.ScegliTutto();
        QCOMPARE(g.CategoriaScelta(), categoria);
        QCOMPARE(g.DaPosare(), 5);
    }
}

void TestGiocoPuzzle::estrazioneUniforme() {
    // Every piece still to place has the same chance, whatever was placed before: place pieces
    // 0 and 1 of 5, then draw many first offers of fresh games in that state.
    QList<int> volte(5, 0);
    QRandomGenerator casuale(42);
    for (int k = 0; k < 6000; ++k) {
        int chiamata = 0;
        GiocoPuzzle g(Politici(5), {}, [&](int n) {
            // The first two draws pick 0 and then 1 (the first of those left).
            return chiamata++ < 2 ? 0 : int(casuale.bounded(n));
        });
        g.Estrai();
        g.PosaPezzoOfferto();
        g.Estrai();
        g.PosaPezzoOfferto();
        ++volte[g.Estrai()];
    }
    QCOMPARE(volte[0], 0);
    QCOMPARE(volte[1], 0);
    for (int i = 2; i < 5; ++i)
        QVERIFY2(volte[i] > 1800 && volte[i] < 2200, qPrintable(QString::number(volte[i])));
}

void TestGiocoPuzzle::regioneDelGioco_data() {
    QTest::addColumn<QString>("scelta");
    QTest::addColumn<int>("estratto");
    QTest::addColumn<QString>("attesa");
    QTest::newRow("una regione") << "Molise" << 0 << "Molise";
    QTest::newRow("tutte") << "tutte" << 2 << "Sardegna";
    QTest::newRow("vuota") << "" << 0 << "Lazio";
    QTest::newRow("estrazione fuori misura") << "tutte" << 99 << "Sardegna";
}

void TestGiocoPuzzle::regioneDelGioco() {
    QFETCH(QString, scelta);
    QFETCH(int, estratto);
    QFETCH(QString, attesa);
    const QStringList regioni{"Lazio", "Molise", "Sardegna"};
    QCOMPARE(RegioneDelGioco(regioni, scelta,
                             [&](int n) {
                                 Q_ASSERT(n == 3);
                                 return estratto;
                             }),
             attesa);
    // Without a fixed draw it is still a real region.
    QVERIFY(regioni.contains(RegioneDelGioco(regioni, scelta)));
    QCOMPARE(RegioneDelGioco({}, scelta), QString());
}

QTEST_GUILESS_MAIN(TestGiocoPuzzle)
#include "test_gioco_puzzle.moc"

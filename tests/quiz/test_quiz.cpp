#include "activities/quizzes/QuizDove.h"
#include "activities/quizzes/TestRegioni.h"
#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"

#include <QTest>

// The quiz and the regions test without windows: the draw fixed to the first candidate (or a
// scripted sequence), answers given by name as the map reports them.

namespace {

QList<QuizDove::Elemento> Elementi(const QStringList& nomi) {
    QList<QuizDove::Elemento> out;
    for (const QString& n : nomi)
        out.append({n, !n.isEmpty()});
    return out;
}

// A physical catalog of the given rows; colours "C0", "C1", ... to tell them apart.
CatalogoFisico Fisico(const QList<std::pair<QString, QString>>& righe) {
    CatalogoFisico f;
    for (int i = 0; i < righe.size(); ++i) {
        f.ElencoFisico[i][0] = righe[i].first;
        f.ElencoFisico[i][1] = righe[i].second;
        f.ElencoFisico[i][2] = QStringLiteral("C%1").arg(i);
    }
    f.NumeroElementiFisici = qint16(righe.size() - 1);
    return f;
}

const QList<std::pair<QString, QString>> RigheProva = {
    {"Alpi", "monte"},      {"Po", "fiume"},     {"Padana", "pianura"},
    {"Appennini", "monte"}, {"Elba", "altri"},   {"Garda", "fiume"},
    {"Etna", "monte"},      {"Tirreno", "mare"}, {"Indistinto", "indistinto"}};

} // namespace

class TestQuiz : public QObject {
    Q_OBJECT
private slots:
    void init() {
        EstrazioneQuiz::Imposta([](int) { return 0; });
    }
    void cleanup() { EstrazioneQuiz::Imposta({}); }

    void italiaVentiRisposte();
    void estrazioneCasualeCopreTutti();
    void cambiaSullUltimo();
    void clicIgnorati_data();
    void clicIgnorati();
    void fraseErrore();
    void ricominciaTieneIConteggi();
    void slotVuotoMaiChiesto();
    void selezioneNonConta();
    void filtroFisico_data();
    void filtroFisico();
    void montiDopoTreRisposte();

    void testDueGiusteTreSbagliate();
    void testColoraRegioneCompleta();
    void testFinisceDopoLUltima();
    void testIgnoraFuoriFase();
};

void TestQuiz::italiaVentiRisposte() {
    QuizDove q(Elementi([] {
        QStringList n;
        for (const VoceCatalogo& v : TabellaPolitica(QStringLiteral("Italia")))
            n << v.nome;
        return n;
    }()));
    QCOMPARE(q.DaTrovare(), 20);
    // A random draw this time: every question must be answerable, one per region.
    EstrazioneQuiz::Imposta({});
    QSet<QString> chiesti;
    for (int i = 0; i < 20; ++i) {
        QVERIFY(!q.Finito());
        QVERIFY(q.ProssimaDomanda().has_value());
        QVERIFY(!chiesti.contains(q.NomeRichiesto()));
        chiesti << q.NomeRichiesto();
        QCOMPARE(q.Clic(q.NomeRichiesto()), QuizDove::Esito::Giusta);
    }
    QVERIFY(q.Finito());
    QVERIFY(!q.ProssimaDomanda().has_value());
    QCOMPARE(q.RisposteEsatte(), 20);
    QCOMPARE(q.RisposteErrate(), 0);
}

void TestQuiz::estrazioneCasualeCopreTutti() {
    // A source that always says "the last one" still ends: the draw is among the candidates.
    EstrazioneQuiz::Imposta([](int n) { return n + 5; });
    QuizDove q(Elementi({"A", "B", "C"}));
    QStringList ordine;
    while (auto r = q.ProssimaDomanda()) {
        ordine << q.NomeRichiesto();
        q.Clic(q.NomeRichiesto());
    }
    QCOMPARE(ordine, (QStringList{"C", "B", "A"}));
}

void TestQuiz::cambiaSullUltimo() {
    QuizDove q(Elementi({"A", "B"}));
    q.ProssimaDomanda();
    q.Clic(QStringLiteral("A"));
    // Cambia draws again: with one element left it is asked again, as often as wanted.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(q.ProssimaDomanda(), std::optional<int>(1));
        QCOMPARE(q.NomeRichiesto(), QStringLiteral("B"));
    }
    q.Clic(QStringLiteral("B"));
    // After the end Cambia asks nothing.
    QVERIFY(!q.ProssimaDomanda());
    QVERIFY(q.Finito());
    QCOMPARE(q.Clic(QStringLiteral("B")), QuizDove::Esito::Ignorata);
}

void TestQuiz::clicIgnorati_data() {
    QTest::addColumn<QStringList>("clic");
    QTest::addColumn<QList<int>>("esiti"); // 0 ignored, 1 right, 2 wrong
    QTest::addColumn<int>("esatte");
    QTest::addColumn<int>("errate");
    // The first question is A, then B.
    QTest::newRow("giusta") << QStringList{"A"} << QList<int>{1} << 1 << 0;
    QTest::newRow("sbagliata due volte") << QStringList{"C", "C"} << QList<int>{2, 0} << 0 << 1;
    QTest::newRow("due sbagliate diverse") << QStringList{"C", "B"} << QList<int>{2, 2} << 0 << 2;
    QTest::newRow("durante la pausa dopo la giusta")
        << QStringList{"A", "A", "C"} << QList<int>{1, 0, 0} << 1 << 0;
    QTest::newRow("sbagliata poi giusta") << QStringList{"B", "A"} << QList<int>{2, 1} << 1 << 1;
    QTest::newRow("nome fuori mappa sbagliato") << QStringList{"Zeta"} << QList<int>{2} << 0 << 1;
}

void TestQuiz::clicIgnorati() {
    QFETCH(QStringList, clic);
    QFETCH(QList<int>, esiti);
    QFETCH(int, esatte);
    QFETCH(int, errate);
    QuizDove q(Elementi({"A", "B", "C"}));
    q.ProssimaDomanda();
    for (int i = 0; i < clic.size(); ++i)
        QCOMPARE(int(q.Clic(clic[i])), esiti[i]);
    QCOMPARE(q.RisposteEsatte(), esatte);
    QCOMPARE(q.RisposteErrate(), errate);
}

void TestQuiz::fraseErrore() {
    QCOMPARE(QuizDove::FraseErrore(QStringLiteral("Francia"), QStringLiteral("Spagna")),
             QStringLiteral("No! Stai sbagliando! Hai cliccato Francia. Devi cliccare Spagna!"));
}

void TestQuiz::ricominciaTieneIConteggi() {
    QuizDove q(Elementi({"A", "B", "C", "D", "E", "F"}));
    for (int i = 0; i < 5; ++i) {
        q.ProssimaDomanda();
        q.Clic(q.NomeRichiesto());
    }
    q.Clic(QStringLiteral("A"));
    QCOMPARE(q.RisposteEsatte(), 5);
    q.Ricomincia();
    for (int i = 0; i < 6; ++i)
        QVERIFY(!q.Trovato(i));
    QVERIFY(q.ProssimaDomanda());
    QCOMPARE(q.NomeRichiesto(), QStringLiteral("A"));
    QCOMPARE(q.Clic(QStringLiteral("A")), QuizDove::Esito::Giusta);
    QCOMPARE(q.RisposteEsatte(), 6);
}

void TestQuiz::slotVuotoMaiChiesto() {
    // A region's list: slot 0 holds the empty name.
    QuizDove q(Elementi({"", "Torino", "Cuneo"}));
    QCOMPARE(q.DaTrovare(), 2);
    QCOMPARE(q.ProssimaDomanda(), std::optional<int>(1));
}

void TestQuiz::selezioneNonConta() {
    QuizDove q(Elementi({"A", "B", "C"}));
    q.ProssimaDomanda();
    QCOMPARE(q.Selezione(2, false), QuizDove::Esito::Sbagliata);
    QVERIFY(!q.Sbagliato(2));
    QCOMPARE(q.Selezione(1, true), QuizDove::Esito::Sbagliata);
    QVERIFY(q.Sbagliato(1));
    QCOMPARE(q.Selezione(0, true), QuizDove::Esito::Giusta);
    QVERIFY(q.Trovato(0));
    QCOMPARE(q.RisposteEsatte(), 0);
    QCOMPARE(q.RisposteErrate(), 0);
}

void TestQuiz::filtroFisico_data() {
    QTest::addColumn<int>("categoria");
    QTest::addColumn<bool>("regionale");
    QTest::addColumn<QStringList>("chiesti");
    QTest::newRow("Tutto, area: niente altri")
        << int(CategoriaFiltro::Tutto) << false
        << QStringList{"Alpi", "Po", "Padana", "Appennini", "Garda", "Etna", "Tirreno"};
    QTest::newRow("Tutto, regione: anche altri")
        << int(CategoriaFiltro::Tutto) << true
        << QStringList{"Alpi", "Po", "Padana", "Appennini", "Elba", "Garda", "Etna", "Tirreno"};
    QTest::newRow("Monti") << int(CategoriaFiltro::Monti) << false
                           << QStringList{"Alpi", "Appennini", "Etna"};
    QTest::newRow("Fiumi e laghi")
        << int(CategoriaFiltro::FiumiLaghi) << false << QStringList{"Po", "Garda"};
    QTest::newRow("Ghiacciai: nessuno")
        << int(CategoriaFiltro::Ghiacciai) << false << QStringList{};
}

void TestQuiz::filtroFisico() {
    QFETCH(int, categoria);
    QFETCH(bool, regionale);
    QFETCH(QStringList, chiesti);
    const CatalogoFisico f = Fisico(RigheProva);
    const auto elenco =
        ElencoFiltrato(RigheDi(f), CategoriaFiltro(categoria), regionale, QStringLiteral("FUORI"));
    QCOMPARE(elenco.size(), RigheProva.size());
    for (const VoceFiltrata& v : elenco) {
        QCOMPARE(v.dentro, chiesti.contains(v.nome));
        QCOMPARE(v.colore == u"FUORI", !v.dentro);
        if (!v.dentro)
            QCOMPARE(v.categoria, QStringLiteral("indistinto"));
    }
    // Every question asked is inside the filter, "Indistinto" never; all of them are asked.
    QuizDove q(ElementiQuiz(elenco));
    EstrazioneQuiz::Imposta({});
    QStringList domande;
    while (q.ProssimaDomanda()) {
        domande << q.NomeRichiesto();
        q.Clic(q.NomeRichiesto());
    }
    domande.sort();
    chiesti.sort();
    QCOMPARE(domande, chiesti);
}

void TestQuiz::montiDopoTreRisposte() {
    const CatalogoFisico f = Fisico(RigheProva);
    QuizDove q(ElementiQuiz(ElencoFiltrato(RigheDi(f), CategoriaFiltro::Tutto, false, "X")));
    for (int i = 0; i < 3; ++i) {
        q.ProssimaDomanda();
        q.Clic(q.NomeRichiesto());
    }
    QCOMPARE(q.RisposteEsatte(), 3);
    // "Monti": the filter changes, nothing is found any more, the counts stay.
    q.ImpostaElementi(ElementiQuiz(ElencoFiltrato(RigheDi(f), CategoriaFiltro::Monti, false, "X")));
    for (int i = 0; i < q.Elementi().size(); ++i)
        QVERIFY(!q.Trovato(i));
    QCOMPARE(q.RisposteEsatte(), 3);
    QVERIFY(q.ProssimaDomanda());
    QCOMPARE(q.NomeRichiesto(), QStringLiteral("Alpi"));
    q.Clic(QStringLiteral("Alpi"));
    QCOMPARE(q.RisposteEsatte(), 4);
    QVERIFY(q.ProssimaDomanda());
    QCOMPARE(q.NomeRichiesto(), QStringLiteral("Appennini"));
}

// --- regions test ----------------------------------------------------------------------------

namespace {
TestRegioni Piccolo() {
    return TestRegioni({{"Torino", "Piemonte", 1}, {"Cuneo", "Piemonte", 2}, {"Aosta", "Valle", 0}},
                       {{"Valle", 3}, {"Piemonte", 1}});
}
} // namespace

void TestQuiz::testDueGiusteTreSbagliate() {
    TestRegioni t = Piccolo();
    QVERIFY(t.ProssimaDomanda());
    QCOMPARE(t.NomeRichiesto(), QStringLiteral("Torino"));
    QVERIFY(t.AttesaRegione());
    QCOMPARE(t.RispostaRegione(QStringLiteral("Valle")), TestRegioni::Esito::Sbagliata);
    QCOMPARE(t.RispostaRegione(QStringLiteral("Piemonte")), TestRegioni::Esito::Giusta);
    QVERIFY(!t.AttesaRegione());
    QCOMPARE(t.RispostaProvincia(QStringLiteral("Cuneo")), TestRegioni::Esito::Sbagliata);
    QCOMPARE(t.RispostaProvincia(QStringLiteral("Cuneo")), TestRegioni::Esito::Sbagliata);
    QCOMPARE(t.RispostaProvincia(QStringLiteral("Torino")), TestRegioni::Esito::Giusta);
    QCOMPARE(t.RisposteEsatte(), 2);
    QCOMPARE(t.RisposteErrate(), 3);
    QVERIFY(t.ProvinciaTrovata(0));
}

void TestQuiz::testColoraRegioneCompleta() {
    TestRegioni t = Piccolo();
    t.ProssimaDomanda(); // Torino
    t.RispostaRegione(QStringLiteral("Piemonte"));
    t.RispostaProvincia(QStringLiteral("Torino"));
    QVERIFY(!t.RegioneCompleta(QStringLiteral("Piemonte")));
    t.ProssimaDomanda(); // Cuneo
    QCOMPARE(t.NomeRichiesto(), QStringLiteral("Cuneo"));
    t.RispostaRegione(QStringLiteral("Piemonte"));
    t.RispostaProvincia(QStringLiteral("Cuneo"));
    QVERIFY(t.RegioneCompleta(QStringLiteral("Piemonte")));
    QVERIFY(!t.RegioneCompleta(QStringLiteral("Valle")));
    QCOMPARE(t.IndiceRegione(QStringLiteral("Piemonte")), 1);
    QCOMPARE(t.ProvinceDi(QStringLiteral("Piemonte")), (QList<int>{0, 1}));
    QCOMPARE(t.MassimoProvincePerRegione(), 2);
}

void TestQuiz::testFinisceDopoLUltima() {
    CatalogoArea c;
    CaricaProvince(c);
    TestRegioni t = TestRegioni::DaCatalogo(c, TabellaPolitica(QStringLiteral("Italia")));
    const int n = c.NumeroProvince + 1;
    QVERIFY(n > 100);
    EstrazioneQuiz::Imposta({});
    for (int i = 0; i < n; ++i) {
        QVERIFY(!t.Finito());
        QVERIFY(t.ProssimaDomanda());
        // Every province's region is on the map of Italy.
        QVERIFY2(t.IndiceRegione(t.RegioneRichiesta()) >= 0, qPrintable(t.RegioneRichiesta()));
        QCOMPARE(t.RispostaRegione(t.RegioneRichiesta()), TestRegioni::Esito::Giusta);
        QCOMPARE(t.RispostaProvincia(t.NomeRichiesto()), TestRegioni::Esito::Giusta);
    }
    QVERIFY(t.Finito());
    QVERIFY(!t.ProssimaDomanda());
    QCOMPARE(t.RisposteEsatte(), 2 * n);
    for (const VoceCatalogo& r : t.Regioni())
        QVERIFY(t.RegioneCompleta(r.nome));
}

void TestQuiz::testIgnoraFuoriFase() {
    TestRegioni t = Piccolo();
    // Before the first question, and on the region map during the region step.
    QCOMPARE(t.RispostaRegione(QStringLiteral("Piemonte")), TestRegioni::Esito::Ignorata);
    t.ProssimaDomanda();
    QCOMPARE(t.RispostaProvincia(QStringLiteral("Torino")), TestRegioni::Esito::Ignorata);
    t.RispostaRegione(QStringLiteral("Piemonte"));
    // The map of Italy during the province step.
    QCOMPARE(t.RispostaRegione(QStringLiteral("Valle")), TestRegioni::Esito::Ignorata);
    t.RispostaProvincia(QStringLiteral("Torino"));
    // The pause after a right province.
    QCOMPARE(t.RispostaProvincia(QStringLiteral("Cuneo")), TestRegioni::Esito::Ignorata);
    QCOMPARE(t.RisposteEsatte(), 2);
    QCOMPARE(t.RisposteErrate(), 0);
}

QTEST_GUILESS_MAIN(TestQuiz)
#include "test_quiz.moc"

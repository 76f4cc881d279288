#include "catalog/CatalogoArea.h"
#include "shell/Profilo.h"
#include "workspace/scansione/CicloScansione.h"
#include "workspace/scansione/ComandoScansione.h"
#include "workspace/scansione/OrologioScansione.h"

#include <QTest>

Q_DECLARE_METATYPE(CicloScansione::Ripristino)
Q_DECLARE_METATYPE(ModoScansione)
Q_DECLARE_METATYPE(ComandoScansione::Rilascio)

// "r:e" for each step: the element repainted, the element highlighted.
static QString Passi(CicloScansione& c, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i) {
        const auto p = c.Avanza();
        out << QString("%1:%2").arg(p.daRipristinare).arg(p.evidenziato);
    }
    return out.join(' ');
}

static QString Descrivi(const ComandoScansione::Eventi& eventi) {
    QStringList out;
    for (const auto& e : eventi) {
        switch (e.tipo) {
        case ComandoScansione::Evento::Tipo::Passo:
            out << QString("P%1:%2").arg(e.passo.daRipristinare).arg(e.passo.evidenziato);
            break;
        case ComandoScansione::Evento::Tipo::Selezione:
            out << QString("S%1").arg(e.indice);
            break;
        case ComandoScansione::Evento::Tipo::Ripartita:
            out << "R";
            break;
        }
    }
    return out.join(' ');
}

// Runs a script of switch actions: "S" Space pressed and released, "D" Space down, "U" Space up,
// "E" Enter released, "tN" N milliseconds pass. Returns what the window is told, in order.
static QString Esegui(ComandoScansione& c, const QString& copione) {
    QStringList out;
    for (const QString& azione : copione.split(' ', Qt::SkipEmptyParts)) {
        ComandoScansione::Eventi e;
        if (azione == "S") {
            e = c.PremiSpazio();
            e += c.RilasciaSpazio();
        } else if (azione == "D") {
            e = c.PremiSpazio();
        } else if (azione == "U") {
            e = c.RilasciaSpazio();
        } else if (azione == "E") {
            e = c.RilasciaInvio();
        } else if (azione.startsWith('t')) {
            e = c.Trascorri(azione.mid(1).toInt());
        }
        const QString d = Descrivi(e);
        if (!d.isEmpty())
            out << d;
    }
    return out.join(' ');
}

class TestScansione : public QObject {
    Q_OBJECT
private slots:
    void ciclo_data();
    void ciclo();
    void ripartiDallInizio();
    void saltoCheCambia();
    void comando_data();
    void comando();
    void prossimoScatto();
    void intervallo_data();
    void intervallo();
    void sceltaRegioneManuale();
    void orologioReale();
};

void TestScansione::ciclo_data() {
    QTest::addColumn<int>("ultimo");
    QTest::addColumn<CicloScansione::Ripristino>("ripristino");
    QTest::addColumn<QList<int>>("saltati");
    QTest::addColumn<int>("inizio");
    QTest::addColumn<int>("passi");
    QTest::addColumn<QString>("atteso");

    const auto pol = CicloScansione::Ripristino::Precedente;
    const auto fis = CicloScansione::Ripristino::SoloSeEvidenziato;
    QTest::newRow("politica, primo passo ridipinge l'ultimo")
        << 19 << pol << QList<int>{} << -1 << 2 << "19:0 0:1";
    QTest::newRow("fisica, primo passo non ridipinge")
        << 4 << fis << QList<int>{} << -1 << 2 << "-1:0 0:1";
    QTest::newRow("giro completo") << 2 << pol << QList<int>{} << 1 << 3 << "1:2 2:0 0:1";
    QTest::newRow("indistinto in mezzo saltato")
        << 4 << fis << QList<int>{2} << -1 << 5 << "-1:0 0:1 1:3 3:4 4:0";
    QTest::newRow("coda tutta indistinta: si riparte da 0")
        << 4 << fis << QList<int>{3, 4} << 2 << 2 << "2:0 0:1";
    QTest::newRow("primo elemento indistinto") << 3 << fis << QList<int>{0} << 3 << 1 << "3:1";
    QTest::newRow("tutto indistinto: nessuna evidenziazione")
        << 2 << fis << QList<int>{0, 1, 2} << -1 << 2 << "-1:-1 -1:-1";
    QTest::newRow("catalogo vuoto") << -1 << pol << QList<int>{} << -1 << 1 << "-1:-1";
    QTest::newRow("un solo elemento") << 0 << pol << QList<int>{} << -1 << 2 << "0:0 0:0";
    QTest::newRow("indice iniziale fuori intervallo")
        << 2 << fis << QList<int>{} << 7 << 1 << "-1:0";
}

void TestScansione::ciclo() {
    QFETCH(int, ultimo);
    QFETCH(CicloScansione::Ripristino, ripristino);
    QFETCH(QList<int>, saltati);
    QFETCH(int, inizio);
    QFETCH(int, passi);
    QFETCH(QString, atteso);
    CicloScansione c(ultimo, ripristino, [saltati](int i) { return saltati.contains(i); });
    c.ImpostaIndice(inizio);
    QCOMPARE(Passi(c, passi), atteso);
}

void TestScansione::ripartiDallInizio() {
    // After a selection with "Riparti dall'inizio dopo la selezione" the next step goes back to
    // the first element that is not skipped.
    CicloScansione c(5, CicloScansione::Ripristino::Precedente, [](int i) { return i == 0; });
    c.ImpostaIndice(3);
    c.RipartiDallInizio();
    QCOMPARE(Passi(c, 1), QString("5:1"));
}

void TestScansione::saltoCheCambia() {
    // The skip test is asked at each step: elements found in a quiz drop out of the cycle.
    QList<bool> trovato(4, false);
    CicloScansione c(3, CicloScansione::Ripristino::Precedente,
                     [&trovato](int i) { return trovato[i]; });
    QCOMPARE(Passi(c, 2), QString("3:0 0:1"));
    trovato[2] = true;
    QCOMPARE(Passi(c, 2), QString("1:3 3:0"));
}

void TestScansione::comando_data() {
    QTest::addColumn<ModoScansione>("modo");
    QTest::addColumn<ComandoScansione::Rilascio>("rilascio");
    QTest::addColumn<bool>("inMovimento");
    QTest::addColumn<int>("indiceIniziale");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("atteso");

    const auto man = ModoScansione::Manuale;
    const auto aut = ModoScansione::Automatica;
    const auto mappa = ComandoScansione::Rilascio::FermaOAvvia;
    const auto menu = ComandoScansione::Rilascio::Seleziona;

    // Catalog of four elements (0..3), political repainting.
    QTest::newRow("manuale, primo spazio") << man << mappa << false << -1 << "S"
                                           << "P3:0";
    QTest::newRow("manuale, giro") << man << mappa << false << -1 << "S S S S S"
                                   << "P3:0 P0:1 P1:2 P2:3 P3:0";
    QTest::newRow("manuale, invio prima di ogni passo") << man << mappa << false << -1 << "E"
                                                        << "";
    QTest::newRow("manuale, invio seleziona") << man << mappa << false << -1 << "S S E E"
                                              << "P3:0 P0:1 S1 S1";
    QTest::newRow("manuale, il tempo non muove nulla")
        << man << mappa << false << -1 << "t5000 D t5000"
        << "";
    QTest::newRow("automatica mappa: ferma finché non si preme")
        << aut << mappa << false << -1 << "t1000 t1000 t1000"
        << "";
    QTest::newRow("automatica mappa: il rilascio avvia, passo un intervallo dopo")
        << aut << mappa << false << -1 << "t600 U t999 t1 t1000"
        << "R P3:0 P0:1";
    QTest::newRow("automatica: spazio tenuto blocca l'evidenziazione")
        << aut << mappa << true << -1 << "t1000 D t5000 t5000"
        << "P3:0";
    QTest::newRow("automatica: rilascio seleziona e ferma")
        << aut << mappa << true << -1 << "t1000 D t3000 U t1000 t1000"
        << "P3:0 S0";
    QTest::newRow("automatica: il secondo rilascio riparte")
        << aut << mappa << true << -1 << "t1000 S S t999 t1"
        << "P3:0 S0 R P0:1";
    QTest::newRow("automatica: passo un intervallo intero dopo il rilascio")
        << aut << mappa << false << -1 << "D t800 U t800 t199 t1"
        << "R P3:0";
    QTest::newRow("automatica: rilascio prima del primo passo")
        << aut << mappa << true << -1 << "S t1000"
        << "P3:0";
    QTest::newRow("automatica: orologio in ritardo fa un passo solo")
        << aut << mappa << true << -1 << "t3500 t500"
        << "P3:0 P0:1";
    QTest::newRow("automatica: invio ignorato") << aut << mappa << true << -1 << "t1000 E"
                                                << "P3:0";
    QTest::newRow("menu automatico: ogni rilascio seleziona")
        << aut << menu << true << 0 << "t1000 S t1000 S"
        << "P0:1 S1 P1:2 S2";
    QTest::newRow("menu automatico: selezione subito, senza passi")
        << aut << menu << true << 0 << "S"
        << "S0";
    QTest::newRow("menu manuale") << man << menu << false << 0 << "S E"
                                  << "P0:1 S1";
    QTest::newRow("mouse: nulla") << ModoScansione::Mouse << mappa << true << -1 << "S E D U t5000"
                                  << "";
}

void TestScansione::comando() {
    QFETCH(ModoScansione, modo);
    QFETCH(ComandoScansione::Rilascio, rilascio);
    QFETCH(bool, inMovimento);
    QFETCH(int, indiceIniziale);
    QFETCH(QString, copione);
    QFETCH(QString, atteso);
    ComandoScansione::Opzioni o;
    o.modo = modo;
    o.intervalloMs = 1000;
    o.rilascio = rilascio;
    o.inMovimentoAllAvvio = inMovimento;
    o.indiceIniziale = indiceIniziale;
    ComandoScansione c(CicloScansione(3, CicloScansione::Ripristino::Precedente), o);
    QCOMPARE(Esegui(c, copione), atteso);

    // A new activation starts again from the beginning.
    c.Attiva();
    QCOMPARE(c.Indice(), indiceIniziale);
    QCOMPARE(c.ScansioneAttiva(), modo == ModoScansione::Automatica && inMovimento);
}

void TestScansione::prossimoScatto() {
    ComandoScansione::Opzioni o;
    o.modo = ModoScansione::Automatica;
    o.intervalloMs = 1000;
    ComandoScansione c(CicloScansione(3), o);
    c.Trascorri(300);
    QCOMPARE(c.MillisecondiAlProssimoScatto(), std::optional<int>(700));
    c.PremiSpazio();
    QCOMPARE(c.MillisecondiAlProssimoScatto(), std::nullopt);
    c.RilasciaSpazio();
    QCOMPARE(c.MillisecondiAlProssimoScatto(), std::optional<int>(1000));

    o.modo = ModoScansione::Manuale;
    ComandoScansione manuale(CicloScansione(3), o);
    QCOMPARE(manuale.MillisecondiAlProssimoScatto(), std::nullopt);
}

void TestScansione::intervallo_data() {
    QTest::addColumn<int>("tempo");
    QTest::addColumn<int>("ms");
    QTest::newRow("predefinito, un secondo") << 4 << 1000;
    QTest::newRow("massimo") << 60 << 15000;
    QTest::newRow("zero da un profilo a mano") << 0 << 1000;
    QTest::newRow("negativo") << -7 << 1000;
    QTest::newRow("enorme") << 32767 << 15000;
}

void TestScansione::intervallo() {
    QFETCH(int, tempo);
    QFETCH(int, ms);
    QCOMPARE(IntervalloScansione(tempo), ms);
}

// The region chooser in manual scanning walks Italy's regions in catalog order.
void TestScansione::sceltaRegioneManuale() {
    CatalogoArea catalogo;
    CaricaRegioniItalia(catalogo);
    ComandoScansione::Opzioni o;
    o.modo = ModoDaAccesso(ModalitaScansioneManuale);
    ComandoScansione c(
        CicloScansione(catalogo.NumeroElementi, CicloScansione::Ripristino::Precedente), o);

    auto passo = c.RilasciaSpazio();
    QCOMPARE(catalogo.ElencoNomi[passo[0].passo.evidenziato], QString("Valle d'Aosta"));
    for (int i = 1; i < 20; ++i)
        passo = c.RilasciaSpazio();
    QCOMPARE(catalogo.ElencoNomi[passo[0].passo.evidenziato], QString("Sardegna"));
    passo = c.RilasciaSpazio();
    QCOMPARE(catalogo.ElencoNomi[passo[0].passo.evidenziato], QString("Valle d'Aosta"));
    QCOMPARE(catalogo.ElencoNomi[passo[0].passo.daRipristinare], QString("Sardegna"));
    QCOMPARE(c.RilasciaInvio(),
             (ComandoScansione::Eventi{ComandoScansione::Evento::DiSelezione(0)}));
}

// The wiring a window uses: the real clock drives the steps, a held Space stops the clock, its
// release selects. Only the order of events is checked, never durations.
void TestScansione::orologioReale() {
    ComandoScansione::Opzioni o;
    o.modo = ModoScansione::Automatica;
    o.intervalloMs = 10;
    o.inMovimentoAllAvvio = true;
    ComandoScansione c(CicloScansione(3, CicloScansione::Ripristino::Precedente), o);
    OrologioScansione orologio;
    QStringList visti;
    const auto gestisci = [&](ComandoScansione::Eventi e) {
        visti << Descrivi(e);
        orologio.Arma(c.MillisecondiAlProssimoScatto());
    };
    connect(&orologio, &OrologioScansione::Scaduto, this,
            [&] { gestisci(c.Trascorri(orologio.Preleva())); });
    orologio.Azzera();
    orologio.Arma(c.MillisecondiAlProssimoScatto());
    QTRY_VERIFY_WITH_TIMEOUT(visti.join(' ').contains("P0:1"), 10000);

    auto e = c.Trascorri(orologio.Preleva());
    e += c.PremiSpazio();
    gestisci(e);
    QVERIFY(!orologio.Armato());
    const int indice = c.Indice();
    e = c.Trascorri(orologio.Preleva());
    e += c.RilasciaSpazio();
    gestisci(e);
    QCOMPARE(visti.last(), QString("S%1").arg(indice));
    QVERIFY(orologio.Armato()); // the clock runs on, the highlight stays until the next Space
}

QTEST_GUILESS_MAIN(TestScansione)
#include "test_scansione.moc"

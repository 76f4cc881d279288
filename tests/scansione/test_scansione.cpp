#include "catalog/CatalogoArea.h"
#include "shell/Profilo.h"
#include "shell/StatoProgramma.h"
#include "workspace/scansione/CicloScansione.h"
#include "workspace/scansione/ComandoScansione.h"
#include "workspace/scansione/OrologioScansione.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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
        case ComandoScansione::Evento::Tipo::Pausa:
            out << "Z";
            break;
        }
    }
    return out.join(' ');
}

// Runs a script of switch actions: "S" Space pressed and released, "D" Space down, "U" Space up,
// "E" Enter released, "N" Enter pressed, "tN" N milliseconds pass. Returns what the window is told,
// in order.
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
        } else if (azione == "N") {
            e = c.PremiInvio();
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
    void opzioniInterruttore_data();
    void opzioniInterruttore();
    void fileOpzioni_data();
    void fileOpzioni();
    void opzioniConIlProfilo();
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

// The user's switch options over the kinds of scanning windows: a map window (automatic: Space
// stops and selects, the next Space sets it going), a menu (every release selects, moving from
// the start) and manual scanning. Scripts as in comando(): "D"/"U" Space down/up, "N"/"E" Enter
// down/up, "tN" time passing.
void TestScansione::opzioniInterruttore_data() {
    QTest::addColumn<ModoScansione>("modo");
    QTest::addColumn<ComandoScansione::Rilascio>("rilascio");
    QTest::addColumn<int>("accettazioneMs");
    QTest::addColumn<int>("giri");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("atteso");

    const auto mappa = ComandoScansione::Rilascio::FermaOAvvia;
    const auto menu = ComandoScansione::Rilascio::Seleziona;
    const auto man = ModoScansione::Manuale;
    const auto aut = ModoScansione::Automatica;
    // Acceptance time: a press shorter than it is dropped whole, a long enough one counts.
    QTest::newRow("manuale: spazio breve ignorato")
        << man << mappa << 300 << 0 << "D t100 U D t300 U"
        << "P-1:0";
    QTest::newRow("manuale: invio breve ignorato")
        << man << mappa << 300 << 0 << "D t300 U N t50 E N t400 E"
        << "P-1:0 S0";
    QTest::newRow("manuale: invio senza pressione nota conta")
        << man << mappa << 300 << 0 << "D t300 U E"
        << "P-1:0 S0";
    QTest::newRow("mappa automatica: avvio breve ignorato, l'orologio resta fermo")
        << aut << mappa << 500 << 0 << "D t200 U t3000 D t500 U t1000"
        << "R P-1:0";
    QTest::newRow("mappa automatica: selezione breve ignorata, il passo segue")
        << aut << mappa << 500 << 0 << "D t500 U t1000 D t100 U t1000 D t600 U"
        << "R P-1:0 P0:1 S1";
    QTest::newRow("menu: scelta breve ignorata")
        << aut << menu << 200 << 0 << "D t50 U t1000 D t250 U"
        << "P0:1 S1";
    QTest::newRow("nessun tempo di accettazione: pressione istantanea")
        << man << mappa << 0 << 0 << "D U D U"
        << "P-1:0 P0:1";
    // Loops before the pause: after so many loops without a press the automatic highlight
    // stays on the last element; the next press only sets it going.
    QTest::newRow("menu: pausa dopo un giro")
        << aut << menu << 0 << 1 << "t1000 t1000 t1000 t1000 t5000 D U t1000"
        << "P0:1 P1:2 Z R P2:0";
    QTest::newRow("menu: due giri, una pressione azzera il conto")
        << aut << menu << 0 << 2 << "t1000 t1000 t1000 D U t1000 t1000 t1000 t1000 t1000 t1000"
        << "P0:1 P1:2 P2:0 S0 P0:1 P1:2 P2:0 P0:1 P1:2 Z";
    QTest::newRow("mappa: pausa dopo un giro, poi riparte")
        << aut << mappa << 0 << 1 << "D U t1000 t1000 t1000 t1000 t1000 D U t1000"
        << "R P-1:0 P0:1 P1:2 Z R P2:0";
    QTest::newRow("giri 0: mai in pausa")
        << aut << menu << 0 << 0 << "t1000 t1000 t1000 t1000 t1000 t1000 t1000"
        << "P0:1 P1:2 P2:0 P0:1 P1:2 P2:0 P0:1";
    QTest::newRow("pausa ignorata nella scansione manuale")
        << man << mappa << 0 << 1 << "D U D U D U D U D U"
        << "P-1:0 P0:1 P1:2 P2:0 P0:1";
}

void TestScansione::opzioniInterruttore() {
    QFETCH(ModoScansione, modo);
    QFETCH(ComandoScansione::Rilascio, rilascio);
    QFETCH(int, accettazioneMs);
    QFETCH(int, giri);
    QFETCH(QString, copione);
    QFETCH(QString, atteso);
    ComandoScansione::Opzioni o;
    o.modo = modo;
    o.intervalloMs = 1000;
    o.rilascio = rilascio;
    o.inMovimentoAllAvvio = rilascio == ComandoScansione::Rilascio::Seleziona;
    o.indiceIniziale = rilascio == ComandoScansione::Rilascio::Seleziona ? 0 : -1;
    o.accettazioneMs = accettazioneMs;
    o.giriPrimaDellaPausa = giri;
    ComandoScansione c(CicloScansione(2), o);
    QCOMPARE(Esegui(c, copione), atteso);
}

// The options file: what is read back from each kind of content.
void TestScansione::fileOpzioni_data() {
    QTest::addColumn<QByteArray>("contenuto"); // empty: no file
    QTest::addColumn<bool>("leggi");
    QTest::addColumn<int>("accettazione");
    QTest::addColumn<int>("giri");
    QTest::addColumn<bool>("spessa");

    OpzioniScansione tutte;
    tutte.leggiEvidenziato = true;
    tutte.accettazioneDecimi = 7;
    tutte.giriPrimaDellaPausa = 3;
    tutte.evidenziazioneSpessa = true;
    QTest::newRow("file mancante") << QByteArray() << false << 0 << 0 << false;
    QTest::newRow("scritto e riletto") << ScriviOpzioniScansione(tutte) << true << 7 << 3 << true;
    QTest::newRow("una chiave sola")
        << QByteArray("[Scansione]\nGiriPrimaDellaPausa=2\n") << false << 0 << 2 << false;
    QTest::newRow("tempo fuori intervallo: tutto predefinito")
        << QByteArray("[Scansione]\nLeggiEvidenziato=true\nTempoAccettazioneDecimi=21\n") << false
        << 0 << 0 << false;
    QTest::newRow("numero illeggibile: tutto predefinito")
        << QByteArray("[Scansione]\nLeggiEvidenziato=true\nGiriPrimaDellaPausa=tre\n") << false << 0
        << 0 << false;
    QTest::newRow("giri negativi")
        << QByteArray("[Scansione]\nGiriPrimaDellaPausa=-1\n") << false << 0 << 0 << false;
    QTest::newRow("flag illeggibile")
        << QByteArray("[Scansione]\nEvidenziazioneSpessa=forse\nGiriPrimaDellaPausa=2\n") << false
        << 0 << 0 << false;
    QTest::newRow("binario") << QByteArray("\x00\xff\xfe[[[=\x01\n\x00", 12) << false << 0 << 0
                             << false;
}

void TestScansione::fileOpzioni() {
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, leggi);
    QFETCH(int, accettazione);
    QFETCH(int, giri);
    QFETCH(bool, spessa);
    QTemporaryDir dir;
    const QString percorso = dir.filePath("marco.opzioni.ini");
    if (!contenuto.isEmpty()) {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    }
    const OpzioniScansione o = LeggiOpzioniScansione(percorso);
    QCOMPARE(o.leggiEvidenziato, leggi);
    QCOMPARE(o.accettazioneDecimi, accettazione);
    QCOMPARE(o.giriPrimaDellaPausa, giri);
    QCOMPARE(o.evidenziazioneSpessa, spessa);
}

void TestScansione::opzioniConIlProfilo() {
    // The options travel with the profile's save and load, in their own file: the profile stays
    // 33 lines and the options file is no user of the lists.
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    ImpostaUtente(s, "marco");
    s.Opzioni.giriPrimaDellaPausa = 4;
    s.Opzioni.evidenziazioneSpessa = true;
    QCOMPARE(SalvaProfilo(s), std::nullopt);
    QCOMPARE(FileOpzioni(s.FileProfilo), dir.filePath("marco.opzioni.ini"));
    QVERIFY(QFile::exists(dir.filePath("marco.opzioni.ini")));
    QFile profilo(s.FileProfilo);
    QVERIFY(profilo.open(QIODevice::ReadOnly));
    QCOMPARE(profilo.readAll(), ScriviProfilo(s.Profilo));
    QCOMPARE(ElencoUtentiMenu(dir.path()), QStringList{"marco"});
    QCOMPARE(ElencoUtentiConfigurazione(dir.path()), QStringList{"MARCO"});

    s.Opzioni = {};
    CaricaProfilo(s);
    QCOMPARE(s.Opzioni.giriPrimaDellaPausa, 4);
    QVERIFY(s.Opzioni.evidenziazioneSpessa);
    // Another user without an options file: the defaults.
    ImpostaUtente(s, "luca");
    CaricaProfilo(s);
    QCOMPARE(s.Opzioni, OpzioniScansione{});
}

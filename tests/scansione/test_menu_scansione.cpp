#include "workspace/scansione/MenuScansione.h"

#include <QTest>

using Evento = ScansioneMenuAttivita::Evento;
Q_DECLARE_METATYPE(DestinazioneCasella)

static QString Descrivi(const ScansioneMenuAttivita::Eventi& eventi) {
    QStringList out;
    for (const Evento& e : eventi) {
        switch (e.tipo) {
        case Evento::Tipo::PassoScelta:
            out << QString("B%1").arg(e.evidenziato);
            break;
        case Evento::Tipo::Scelta:
            out << (e.perRegioni ? "Regioni" : "Nazione");
            break;
        case Evento::Tipo::PassoCasella:
            out << QString("C%1").arg(e.evidenziato);
            break;
        case Evento::Tipo::Avvia:
            out << QString("Avvia%1").arg(e.casella);
            break;
        }
    }
    return out.join(' ');
}

// "S" Space pressed and released, "E" Enter released, "t" one interval (1 s) passes.
static QString Esegui(ScansioneMenuAttivita& m, const QString& copione) {
    QStringList out;
    for (const QString& a : copione.split(' ', Qt::SkipEmptyParts)) {
        ScansioneMenuAttivita::Eventi e;
        if (a == "S") {
            e = m.PremiSpazio();
            e += m.RilasciaSpazio();
        } else if (a == "E") {
            e = m.RilasciaInvio();
        } else if (a == "t") {
            e = m.Trascorri(1000);
        }
        const QString d = Descrivi(e);
        if (!d.isEmpty())
            out << d;
    }
    return out.join(' ');
}

class TestMenuScansione : public QObject {
    Q_OBJECT
private slots:
    void menuAttivita_data();
    void menuAttivita();
    void menuAreeAutomatico();
    void finestre_data();
    void finestre();
    void sceltaRegione();
};

void TestMenuScansione::menuAttivita_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<ModoScansione>("modo");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("atteso");

    const auto aut = ModoScansione::Automatica;
    const auto man = ModoScansione::Manuale;
    QTest::newRow("Africa automatica: senza Test") << "Africa" << aut << "t t t t t t t t t"
                                                   << "C1 C2 C4 C5 C6 C7 C8 C0 C1";
    QTest::newRow("Africa automatica: spazio apre la casella") << "Africa" << aut << "t t S t"
                                                               << "C1 C2 Avvia2 C4";
    QTest::newRow("Africa manuale") << "Africa" << man << "S S S E"
                                    << "C1 C2 C4 Avvia4";
    QTest::newRow("Italia automatica: Regioni, poi il Test c'è") << "Italia" << aut << "t S t t t t"
                                                                 << "B1 Regioni C0 C1 C2 C3 C4";
    QTest::newRow("Italia automatica: Nazione subito") << "Italia" << aut << "S t t t"
                                                       << "Nazione C0 C1 C2 C4";
    QTest::newRow("Italia automatica: i pulsanti si alternano") << "Italia" << aut << "t t t"
                                                                << "B1 B0 B1";
    QTest::newRow("Italia manuale: Regioni e Test") << "Italia" << man << "S E S S S E"
                                                    << "B1 Regioni C0 C1 C2 C3 Avvia3";
    QTest::newRow("Italia manuale: Nazione") << "Italia" << man << "E S S S"
                                             << "Nazione C0 C1 C2 C4";
    QTest::newRow("mouse: nessuna scansione") << "Italia" << ModoScansione::Mouse << "S E t"
                                              << "";
}

void TestMenuScansione::menuAttivita() {
    QFETCH(QString, area);
    QFETCH(ModoScansione, modo);
    QFETCH(QString, copione);
    QFETCH(QString, atteso);
    ScansioneMenuAttivita m(area, modo, 1000);
    QCOMPARE(m.CasellaEvidenziata(), 0);
    QCOMPARE(Esegui(m, copione), atteso);
}

void TestMenuScansione::menuAreeAutomatico() {
    // From "Italia" to "Oceania" and back, one tile per interval; Space opens the tile.
    ComandoScansione m = ScansioneMenuAree(ModoScansione::Automatica, IntervalloScansione(4));
    QList<int> visti;
    for (int i = 0; i < 7; ++i)
        visti << m.Trascorri(1000).value(0).passo.evidenziato;
    QCOMPARE(visti, (QList<int>{1, 2, 3, 4, 5, 6, 0}));
    m.PremiSpazio();
    QCOMPARE(m.RilasciaSpazio(),
             (ComandoScansione::Eventi{ComandoScansione::Evento::DiSelezione(0)}));
}

void TestMenuScansione::finestre_data() {
    QTest::addColumn<int>("casella");
    QTest::addColumn<bool>("perRegioni");
    QTest::addColumn<DestinazioneCasella>("finestra");
    QTest::newRow("mappa politica") << 0 << false << DestinazioneCasella::MappaPolitica;
    QTest::newRow("mappa politica per regioni") << 0 << true << DestinazioneCasella::SceltaRegione;
    QTest::newRow("test fuori dall'Italia per regioni")
        << 3 << false << DestinazioneCasella::Nessuna;
    QTest::newRow("test per regioni") << 3 << true << DestinazioneCasella::TestRegioni;
    QTest::newRow("mappa fisica") << 4 << false << DestinazioneCasella::MappaFisica;
    QTest::newRow("mappa fisica per regioni") << 4 << true << DestinazioneCasella::SceltaRegione;
    QTest::newRow("puzzle fisico per regioni") << 5 << true << DestinazioneCasella::SceltaRegione;
    QTest::newRow("dov'è fisico per regioni") << 6 << true << DestinazioneCasella::SceltaRegione;
    QTest::newRow("schede") << 7 << true << DestinazioneCasella::Scheda;
    QTest::newRow("torna") << 8 << false << DestinazioneCasella::MenuAree;
    QTest::newRow("fuori dalle caselle") << 9 << false << DestinazioneCasella::Nessuna;
}

void TestMenuScansione::finestre() {
    QFETCH(int, casella);
    QFETCH(bool, perRegioni);
    QFETCH(DestinazioneCasella, finestra);
    QCOMPARE(FinestraDellaCasella(casella, perRegioni), finestra);
}

void TestMenuScansione::sceltaRegione() {
    QCOMPARE(FinestraDellaRegione(0), FinestraRegionale::MappaPoliticaRegione);
    QCOMPARE(FinestraDellaRegione(4), FinestraRegionale::MappaFisicaRegione);
    QCOMPARE(FinestraDellaRegione(3), FinestraRegionale::Nessuna);
    QVERIFY(!RichiedeMappaFisicaRegionale(0));
    QVERIFY(RichiedeMappaFisicaRegionale(5));
    QCOMPARE(FinestraRegioneACaso(1), FinestraRegionale::PuzzlePoliticoRegione);
    QCOMPARE(FinestraRegioneACaso(2), FinestraRegionale::Nessuna);
}

QTEST_GUILESS_MAIN(TestMenuScansione)
#include "test_menu_scansione.moc"

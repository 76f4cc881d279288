#include "catalog/CatalogoFisico.h"
#include "workspace/scansione/ComandoScansione.h"
#include "workspace/scansione/MenuScansione.h"

#include <QTest>

// Cost of one scanning step as a window sees it (budget: 5 ms per step, painting excluded).
class BenchScansione : public QObject {
    Q_OBJECT
private slots:
    void passoFisicoItalia();
    void passoSoloIndistinto();
    void menuAttivita();
};

// The largest physical catalog, stepping with the "indistinto" rows skipped, driven by the clock.
void BenchScansione::passoFisicoItalia() {
    CatalogoFisico c;
    CaricaFisicoItalia(c);
    ComandoScansione::Opzioni o;
    o.modo = ModoScansione::Automatica;
    o.intervalloMs = 1000;
    o.inMovimentoAllAvvio = true;
    ComandoScansione comando(
        CicloScansione(c.NumeroElementiFisici, CicloScansione::Ripristino::SoloSeEvidenziato,
                       [&c](int i) { return c.ElencoFisico[i][1] == u"indistinto"; }),
        o);
    int somma = 0;
    QBENCHMARK {
        somma += comando.Trascorri(1000).value(0).passo.evidenziato;
    }
    QVERIFY(somma >= 0);
}

// The worst case: a full turn of the catalog finds nothing to highlight.
void BenchScansione::passoSoloIndistinto() {
    CicloScansione ciclo(100, CicloScansione::Ripristino::SoloSeEvidenziato,
                         [](int) { return true; });
    QBENCHMARK {
        ciclo.Avanza();
    }
}

void BenchScansione::menuAttivita() {
    ScansioneMenuAttivita m("Italia", ModoScansione::Manuale, 1000);
    m.RilasciaInvio(); // "Nazione"
    QBENCHMARK {
        m.RilasciaSpazio();
    }
}

QTEST_GUILESS_MAIN(BenchScansione)
#include "bench_scansione.moc"

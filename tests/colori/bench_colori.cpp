#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "workspace/colori/ColoriMappa.h"
#include "workspace/colori/FiltroCategorie.h"

#include <QTest>

// The logic part of opening an exploration window (budget for the whole opening: 200 ms):
// the colour passes and, for physical maps, the category filter.
class BenchColori : public QObject {
    Q_OBJECT
private slots:
    void passataPolitica();
    void passataFisicaConFiltro();
};

void BenchColori::passataPolitica() {
    CatalogoArea c;
    CaricaNazioniEuropa(c);
    const ProfiloUtente p = ProfiloPredefinito();
    qsizetype n = 0;
    QBENCHMARK {
        n += ColoriPolitici(c, p).size();
    }
    QVERIFY(n > 0);
}

void BenchColori::passataFisicaConFiltro() {
    CatalogoFisico c;
    CaricaFisicoItalia(c);
    const ProfiloUtente p = ProfiloPredefinito();
    qsizetype n = 0;
    QBENCHMARK {
        TrovaColoriFisiche(c, p);
        const FiltroCategorie filtro(RigheDi(c), "Italia");
        n += ColoriFisici(RigheDi(c)).size() + filtro.Voci().size();
    }
    QVERIFY(n > 0);
}

QTEST_GUILESS_MAIN(BenchColori)
#include "bench_colori.moc"

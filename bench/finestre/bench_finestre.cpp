#include "activities/exploration/FormMappaFis.h"
#include "activities/exploration/FormMappaPol.h"
#include "activities/exploration/Registrazione.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/VoceFinta.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// Opening an exploration window (map load, the two colour passes, layout; the deliberate
// one-second pause of the physical windows is left out) and one scanning step, on the atlas's
// own maps. Budgets: opening under 200 ms, a scanning step under 5 ms.
//
//   QT_QPA_PLATFORM=offscreen build-release/bench/finestre/bench_finestre
class BenchFinestre : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void apertura_data();
    void apertura();
    void primoDisegno_data();
    void primoDisegno();
    void passoScansione_data();
    void passoScansione();

private:
    void prepara(const QString& area, int modalita);
    QTemporaryDir impostazioni;
};

void BenchFinestre::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([](double) {});
    RegistraFinestreEsplorazione();
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraProgramma; });
}

void BenchFinestre::prepara(const QString& area, int modalita) {
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().Profilo.ParlatoAttivo = true;
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    Stato().AreaScelta = area;
    CaricaCatalogoPolitico(Stato().Catalogo, area);
    CaricaCatalogoFisico(Stato().Fisico, area);
    TrovaColoriFisiche(Stato().Fisico, Stato().Profilo);
}

static void righe() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("area");
    QTest::newRow("politica Europa") << "FormMappaPol"
                                     << "Europa";
    QTest::newRow("politica Africa") << "FormMappaPol"
                                     << "Africa";
    QTest::newRow("politica Italia") << "FormMappaPol"
                                     << "Italia";
    QTest::newRow("fisica Europa") << "FormMappaFis"
                                   << "Europa";
    QTest::newRow("fisica Italia") << "FormMappaFis"
                                   << "Italia";
    QTest::newRow("fisica Asia") << "FormMappaFis"
                                 << "Asia";
}

void BenchFinestre::apertura_data() {
    righe();
}

void BenchFinestre::apertura() {
    QFETCH(QString, finestra);
    QFETCH(QString, area);
    prepara(area, 0);
    QBENCHMARK {
        QWidget* w = Navigazione::Mostra(finestra);
        QVERIFY(w);
        delete w;
    }
}

void BenchFinestre::primoDisegno_data() {
    righe();
}

void BenchFinestre::primoDisegno() {
    // The map drawn for the first time at the window's size, after the opening above.
    QFETCH(QString, finestra);
    QFETCH(QString, area);
    prepara(area, 0);
    auto* w = qobject_cast<FinestraAttivita*>(Navigazione::Mostra(finestra));
    QVERIFY(w);
    QBENCHMARK {
        w->ImpostaColori(); // new colours: the map's picture is made again
        w->Mappa()->grab();
    }
    delete w;
}

void BenchFinestre::passoScansione_data() {
    righe();
}

void BenchFinestre::passoScansione() {
    // Space released in manual scanning: the element left repainted, the next highlighted, its
    // name in the name box, and the map repainted.
    QFETCH(QString, finestra);
    QFETCH(QString, area);
    prepara(area, 2);
    auto* w = qobject_cast<FinestraAttivita*>(Navigazione::Mostra(finestra));
    QVERIFY(w);
    w->Mappa()->grab();
    QBENCHMARK {
        QTest::keyRelease(w->RicevitoreAttivo(), Qt::Key_Space);
        w->Mappa()->grab();
    }
    QVERIFY(!w->Text1()->text().isEmpty());
    delete w;
}

QTEST_MAIN(BenchFinestre)
#include "bench_finestre.moc"

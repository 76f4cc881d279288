// Opening the menus (first opening draws the tile pictures, later ones reuse them) and one
// scanning step of each menu.

#include "shell/Avvio.h"
#include "shell/Navigazione.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/CasellaMenu.h"
#include "shell/menu/FormMenu.h"
#include "shell/menu/FormMenu2.h"
#include "shell/menu/FormMenu3.h"
#include "shell/menu/Registrazioni.h"
#include "workspace/mappa/MappaWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

class BenchMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(!PreparaStato(dir_.path() + "/"));
        Percorsi::ImpostaCartellaProgramma(ORBISTO_SOURCE_DATA_DIR);
        Navigazione::Azzera();
        RegistraFinestre();
        Stato().AreaScelta = "Italia";
        CaricaCatalogoPolitico(Stato().Catalogo, "Italia");
    }
    // The first opening of each menu draws its tile pictures for the screen's size; later
    // openings take them from the run's store. Reported once, before any repetition.
    void primaApertura_data() { apriFinestra_data(); }
    void primaApertura() {
        QFETCH(QString, nome);
        QElapsedTimer t;
        t.start();
        QWidget* w = Navigazione::Mostra(nome);
        QVERIFY(w);
        w->grab();
        qInfo("prima apertura: %lld ms", t.elapsed());
        delete w;
    }
    void apriFinestra_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("menu delle aree") << Navigazione::MenuAree;
        QTest::newRow("menu delle attività") << Navigazione::MenuAttivita;
        QTest::newRow("scelta della regione") << Navigazione::SceltaRegione;
    }
    void apriFinestra() {
        QFETCH(QString, nome);
        QBENCHMARK {
            QWidget* w = Navigazione::Mostra(nome);
            QVERIFY(w);
            w->grab(); // laid out and painted
            delete w;
        }
    }
    void passoScansione_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("menu delle aree") << Navigazione::MenuAree;
        QTest::newRow("scelta della regione") << Navigazione::SceltaRegione;
    }
    void passoScansione() {
        QFETCH(QString, nome);
        Stato().Profilo.ModalitaAccesso = 3;
        Stato().Profilo.TempoScansione = 60;
        SalvaProfilo(Stato());
        auto* m = qobject_cast<FinestraMenu*>(Navigazione::Mostra(nome));
        QVERIFY(m);
        m->grab();
        const int prima = m->CasellaEvidenziata();
        m->Scorri(15000);
        QVERIFY(m->CasellaEvidenziata() != prima || nome == Navigazione::SceltaRegione);
        // The step as the pupil sees it: the highlighted tile painted again, or the whole map
        // of the region chooser (more than the two regions that change).
        QBENCHMARK {
            m->Scorri(15000);
            if (auto* scelta = qobject_cast<FormMenu3*>(m))
                scelta->Mappa()->grab();
            else
                m->Caselle()[m->CasellaEvidenziata()]->grab();
        }
        delete m;
        Stato().Profilo.ModalitaAccesso = 0;
        SalvaProfilo(Stato());
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(BenchMenu)
#include "bench_menu.moc"

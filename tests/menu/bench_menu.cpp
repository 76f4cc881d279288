// Opening the menus (first opening draws the tile pictures, later ones reuse them) and one
// scanning step of each menu.

#include "shell/Avvio.h"
#include "shell/Navigazione.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/FormMenu.h"
#include "shell/menu/FormMenu2.h"
#include "shell/menu/FormMenu3.h"
#include "shell/menu/Registrazioni.h"

#include <QApplication>
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
        QBENCHMARK {
            m->Scorri(15000);
            m->repaint(); // the step as the pupil sees it
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

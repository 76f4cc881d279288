#include "activities/exploration/FormMappaPol.h"
#include "activities/exploration/Registrazione.h"
#include "shell/Messaggi.h"
#include "shell/Navigazione.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/Suoni.h"
#include "workspace/voce/VoceFinta.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// A data folder damaged under the program: a map file that is not a map, a sound that is not a
// sound. The window says what is wrong on the map and goes on with what is left: the names of
// the catalog are still walked by the switch and spoken.

namespace {

class MessaggiFinti : public Messaggi {
public:
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString&, const QString&) override {}
};

void scrivi(const QString& percorso, const QByteArray& dati) {
    QDir().mkpath(QFileInfo(percorso).path());
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write fixture");
    f.write(dati);
}

} // namespace

class TestFinestreGuasti : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mappaDanneggiata_data();
    void mappaDanneggiata();

private:
    QTemporaryDir impostazioni;
    MessaggiFinti messaggi;
};

void TestFinestreGuasti::initTestCase() {
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([](double) {});
    ImpostaMessaggi(&messaggi);
}

void TestFinestreGuasti::mappaDanneggiata_data() {
    QTest::addColumn<QByteArray>("mappa");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("numeri non finiti")
        << QByteArray(R"({"type":"FeatureCollection","features":[{"properties":{"name":"Alfa"},
            "geometry":{"type":"Point","coordinates":[nan,1]}}]})")
        << "atteso un numero";
    QTest::newRow("troncata") << QByteArray(R"({"type":"FeatureCollection","features":[{"ty)")
                              << "danneggiato";
    QTest::newRow("binaria") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << "danneggiato";
}

void TestFinestreGuasti::mappaDanneggiata() {
    QFETCH(QByteArray, mappa);
    QFETCH(QString, messaggio);
    QTemporaryDir dati;
    scrivi(dati.path() + "/mappe/Prova/Prova_politica.geojson", mappa);
    scrivi(dati.path() + "/suoni/si.wav", "RIFF non un suono");
    Percorsi::ImpostaCartellaProgramma(dati.path());
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    Stato().Profilo.ModalitaAccesso = ModalitaScansioneManuale;
    Stato().AreaScelta = QStringLiteral("Prova");
    CatalogoArea& c = Stato().Catalogo;
    c = CatalogoArea{};
    c.ElencoNomi[0] = QStringLiteral("Alfa");
    c.ElencoNomi[1] = QStringLiteral("Beta");
    c.NumeroElementi = 1;
    Navigazione::Azzera();
    RegistraFinestreEsplorazione();

    auto* f = qobject_cast<FormMappaPol*>(Navigazione::Mostra(QStringLiteral("FormMappaPol")));
    QVERIFY(f);
    QVERIFY2(f->Mappa()->ultimoErrore().contains(messaggio),
             qPrintable(f->Mappa()->ultimoErrore()));
    TastiFinestra::Clic(f->RicevitoreAttivo(), Qt::Key_Space);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
    TastiFinestra::Clic(f->RicevitoreAttivo(), Qt::Key_Space);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    TastiFinestra::Clic(f->RicevitoreAttivo(), Qt::Key_Return);
    auto* voce = qobject_cast<VoceFinta*>(f->assistente()->Voce());
    QVERIFY(voce && !voce->richieste.isEmpty());
    QVERIFY(voce->richieste.last().endsWith(QStringLiteral("Beta")));
    // The damaged sound plays nothing and stops nothing.
    SuonoSi(Stato().Profilo);
    QVERIFY(f->isVisible());
    delete f;
    Navigazione::Azzera();
}

QTEST_MAIN(TestFinestreGuasti)
#include "test_finestre_guasti.moc"

#include "activities/quizzes/FormPolDove.h"
#include "catalog/CatalogoArea.h"
#include "results/CartellaRisultati.h"
#include "results/FormEserciziEseguiti.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/DialogoFile.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Suoni.h"
#include "workspace/voce/VoceFinta.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// Budgets: a question's round trip (right answer -> sound started -> next question written and
// spoken), without the deliberate pauses, under 50 ms; showing a 100-row log under 50 ms; saving
// or opening a 100-row ".rpt" under 20 ms. Run from a Release build:
//   build-release/bench/quiz/bench_quiz

namespace {

class MessaggiMuti : public Messaggi {
public:
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString& t, const QString&) override { qWarning() << t; }
};

class DialogoFisso : public DialogoFile {
public:
    QString risposta;
    QString Scegli(QWidget*, int, const QString&, const QString&, const QString&, const QString&,
                   const QString&) override {
        return risposta;
    }
};

class SuoniMuti : public RiproduttoreSuoni {
public:
    int suonati = 0;
    void Riproduci(const QString&) override { ++suonati; }
};

class FinestraSegnaposto : public FinestraProgramma {};

} // namespace

class BenchQuiz : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rispostaEDomanda();
    void mostraCentoRighe();
    void primaAperturaCentoRighe();
    void salvaCentoRighe();
    void apriCentoRighe();

private:
    void CentoRighe();
    QTemporaryDir cartella;
    MessaggiMuti messaggi_;
    DialogoFisso dialogo;
    SuoniMuti suoni;
};

void BenchQuiz::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    InizializzaStato(Stato(), cartella.path() + QStringLiteral("/impostazioni/"));
    ProfiloPredefinito(Stato());
    ImpostaUtente(Stato(), QStringLiteral("marco"));
    Stato().Profilo.ParlatoAttivo = true;
    Stato().Profilo.SuoniAttivi = true;
    CartellaRisultati::ImpostaBase(cartella.path() + QStringLiteral("/Documenti/OrbistoTessivo"));
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([](double) {});
    ImpostaMessaggi(&messaggi_);
    ImpostaDialogoFile(&dialogo);
    ImpostaRiproduttore(&suoni);
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraSegnaposto; });
    Navigazione::Registra(Navigazione::MenuAree, [] { return new FinestraSegnaposto; });
    Navigazione::Registra(QStringLiteral("FormPolDove"), [] { return new FormPolDove; });
    Navigazione::Registra(QStringLiteral("FormEserciziEseguiti"),
                          [] { return new FormEserciziEseguiti; });
}

void BenchQuiz::rispostaEDomanda() {
    // Europe's political quiz on the real map: each iteration answers the question asked right,
    // which colours the element, plays the sound and asks and speaks the next question. After
    // the last question the quiz restarts (once every ~50 answers).
    Stato().AreaScelta = QStringLiteral("Europa");
    CaricaCatalogoPolitico(Stato().Catalogo, Stato().AreaScelta);
    auto* f = qobject_cast<FormPolDove*>(Navigazione::Mostra(QStringLiteral("FormPolDove")));
    QVERIFY(f);
    QVERIFY(f->Mappa()->ultimoErrore().isEmpty());
    QCoreApplication::processEvents();
    QBENCHMARK {
        if (f->Quiz().Finito())
            f->Ricomincia();
        emit f->Mappa()->FSCommand(QStringLiteral("elemento") + f->Text1()->text(), QString());
    }
    QVERIFY(suoni.suonati > 0);
    f->close();
}

void BenchQuiz::CentoRighe() {
    Stato().Registro.Svuota();
    for (int i = 1; i <= 100; ++i)
        Stato().Registro.Completa(
            Stato().Registro.Apri(AttivitaDovePolitica, QStringLiteral("Europa")), i, 100 - i,
            i * 7);
}

void BenchQuiz::mostraCentoRighe() {
    CentoRighe();
    auto* f = qobject_cast<FormEserciziEseguiti*>(
        Navigazione::Mostra(QStringLiteral("FormEserciziEseguiti")));
    QVERIFY(f);
    QBENCHMARK {
        f->Attivazione();
        QCoreApplication::processEvents(); // the grid painted
    }
}

void BenchQuiz::primaAperturaCentoRighe() {
    // A new window each time: the items of the grid are all made.
    CentoRighe();
    QBENCHMARK {
        FormEserciziEseguiti f;
        Navigazione::MostraATuttoSchermo(&f);
        f.Attivazione();
        QCoreApplication::processEvents();
    }
}

void BenchQuiz::salvaCentoRighe() {
    CentoRighe();
    auto* f = qobject_cast<FormEserciziEseguiti*>(
        Navigazione::Mostra(QStringLiteral("FormEserciziEseguiti")));
    dialogo.risposta = CartellaRisultati::DellUtente(QStringLiteral("marco")) + "cento.rpt";
    QBENCHMARK {
        f->Salva();
    }
    QVERIFY(QFile::exists(dialogo.risposta));
}

void BenchQuiz::apriCentoRighe() {
    auto* f = qobject_cast<FormEserciziEseguiti*>(
        Navigazione::Mostra(QStringLiteral("FormEserciziEseguiti")));
    dialogo.risposta = CartellaRisultati::DellUtente(QStringLiteral("marco")) + "cento.rpt";
    QVERIFY(QFile::exists(dialogo.risposta));
    QBENCHMARK {
        f->Apri();
    }
    QVERIFY(f->MSFlexGrid1() != nullptr);
}

QTEST_MAIN(BenchQuiz)
#include "bench_quiz.moc"

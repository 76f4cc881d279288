#include "activities/quizzes/BarraRisposte.h"
#include "activities/quizzes/FormFisDove.h"
#include "activities/quizzes/FormPolDove.h"
#include "activities/quizzes/FormTestPol.h"
#include "activities/quizzes/Registrazione.h"
#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/NomiFinestre.h"
#include "shell/menu/Registrazioni.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/Suoni.h"
#include "workspace/voce/VoceFinta.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The quiz and test windows driven as a pupil drives them: clicks reported by the map, Space and
// Enter on the scanning receivers, the commands. The draw is fixed to the first candidate, so the
// questions come in catalog order. The where-is fixture is the small "Prova" area (Alfa, Beta,
// Gamma, Isolotto); the regional windows and the test use the program's maps of Italy.

namespace {

class MessaggiFinti : public Messaggi {
public:
    QStringList informazioni, errori;
    bool Domanda(QWidget*, const QString&, const QString&) override { return true; }
    void Informazione(QWidget*, const QString& t, const QString&) override { informazioni << t; }
    void Errore(QWidget*, const QString& t, const QString&) override { errori << t; }
};

class SuoniFinti : public RiproduttoreSuoni {
public:
    QStringList suonati;
    void Riproduci(const QString& percorso) override { suonati << QFileInfo(percorso).fileName(); }
};

class FinestraSegnaposto : public FinestraProgramma {
public:
    using FinestraProgramma::FinestraProgramma;
};

const QString DatiProva = QStringLiteral(ORBISTO_TEST_DATA_DIR "/../../finestre/fixtures/dati");
const QString DatiVeri = QStringLiteral(ORBISTO_SOURCE_DATA_DIR);

void CatalogoProva() {
    CatalogoArea& c = Stato().Catalogo;
    c = CatalogoArea{};
    const QStringList nomi{"Alfa", "Beta", "Gamma", "Isolotto"};
    for (int i = 0; i < nomi.size(); ++i) {
        c.ElencoNomi[i] = nomi[i];
        c.ClasseColore[i] = qint16(i % 4);
    }
    c.NumeroElementi = qint16(nomi.size() - 1);
}

void FisicoProva() {
    const QList<std::pair<QString, QString>> righe{
        {"Pianura Grande", "pianura"}, {"Lago Piccolo", "fiume"}, {"Indistinto", "indistinto"},
        {"Deserto Rosso", "deserto"},  {"Fiume Uno", "fiume"},    {"Monte Uno", "monte"},
        {"Isola Minuscola", "altri"}};
    CatalogoFisico& f = Stato().Fisico;
    f = CatalogoFisico{};
    for (int i = 0; i < righe.size(); ++i) {
        f.ElencoFisico[i][0] = righe[i].first;
        f.ElencoFisico[i][1] = righe[i].second;
    }
    f.NumeroElementiFisici = qint16(righe.size() - 1);
}

QColor RGB(const QString& rrggbb) {
    return QColor(QStringLiteral("#") + rrggbb);
}

} // namespace

class TestFinestreQuiz : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void finestreRegistrate();
    void domandaERisposte();
    void pausaDopoLaGiusta_data();
    void pausaDopoLaGiusta();
    void esciDuranteLaPausa();
    void fineECambia();
    void ricominciaTieneIConteggi();
    void riattivazioneNuovaRiga();
    void scansioneManuale_data();
    void scansioneManuale();
    void scansioneAutomatica();
    void fisicaFiltro();
    void fisicaCategoriaVuota();
    void regionale();
    void fisicaRegionale();
    void fisicaRegioneMancante();
    void testMouse();
    void testRegioneColorata();
    void testConInterruttori_data();
    void testConInterruttori();
    void nomiAccessibili();
    void fontGrandeNonTaglia();

private:
    template <class F> F* apri(const QString& nome) {
        return qobject_cast<F*>(Navigazione::Mostra(nome));
    }
    VoceFinta* voce(FinestraAttivita* f) {
        return qobject_cast<VoceFinta*>(f->assistente()->Voce());
    }
    void clic(FinestraAttivita* f, const QString& nome) {
        emit f->Mappa()->FSCommand(QStringLiteral("elemento") + nome, QString());
    }
    // A press and release of a switch, through the program's switch filter.
    void tasto(FinestraAttivita* f, Qt::Key k) { TastiFinestra::Clic(f->RicevitoreAttivo(), k); }

    QTemporaryDir impostazioni;
    MessaggiFinti messaggiFinti;
    SuoniFinti suoni;
    QList<double> pause;
    std::function<void()> durantePausa;
};

void TestFinestreQuiz::initTestCase() {
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([this](double s) {
        pause << s;
        if (durantePausa) {
            auto f = std::move(durantePausa);
            durantePausa = {};
            f();
        }
    });
    ImpostaMessaggi(&messaggiFinti);
    ImpostaRiproduttore(&suoni);
}

void TestFinestreQuiz::init() {
    Percorsi::ImpostaCartellaProgramma(DatiProva);
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().Profilo.ParlatoAttivo = true;
    Stato().Profilo.SuoniAttivi = true;
    Stato().Profilo.ModalitaAccesso = 0;
    Stato().Profilo.TempoScansione = 4;
    Stato().Profilo.RipartiDopoSelezione = false;
    Stato().AreaScelta = QStringLiteral("Prova");
    CatalogoProva();
    FisicoProva();
    Navigazione::Azzera();
    RegistraFinestreQuiz();
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraSegnaposto; });
    Navigazione::Registra(Navigazione::SceltaRegione, [] { return new FinestraSegnaposto; });
    EstrazioneQuiz::Imposta([](int) { return 0; });
    messaggiFinti = MessaggiFinti{};
    suoni.suonati.clear();
    pause.clear();
    durantePausa = {};
}

void TestFinestreQuiz::cleanup() {
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraProgramma*>(w))
            finestre << w;
    for (const QPointer<QWidget>& w : finestre)
        delete w.data();
    EstrazioneQuiz::Imposta({});
}

void TestFinestreQuiz::finestreRegistrate() {
    Navigazione::Azzera();
    RegistraFinestre();
    for (const QString& n : {NomiFinestre::DovePolitico, NomiFinestre::DoveFisico,
                             NomiFinestre::TestRegioni, NomiFinestre::DovePoliticoRegione,
                             NomiFinestre::DoveFisicoRegione, NomiFinestre::EserciziEseguiti})
        QVERIFY2(Navigazione::Disponibile(n), qPrintable(n));
}

void TestFinestreQuiz::domandaERisposte() {
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    QVERIFY(f);
    VoceFinta* v = voce(f);
    const ProfiloUtente& p = Stato().Profilo;
    QCOMPARE(Stato().Registro.NumeroEsercizi(), 1);
    QCOMPARE(Stato().Registro.Riga(1).attivita, QStringLiteral("Dov'è ... mappa politica"));
    QCOMPARE(Stato().Registro.Riga(1).area, QStringLiteral("Prova"));
    // Every element in the colour of one not found yet; the question written and spoken.
    for (const QString& n : {"Alfa", "Beta", "Gamma", "Isolotto"})
        QCOMPARE(f->Mappa()->vista().colore(n), RGB(Tavolozza::Esadecimale(p.SchemaPolitico[5])));
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
    QVERIFY(v->richieste.last().endsWith(QStringLiteral("Alfa")));

    clic(f, QStringLiteral("Beta"));
    QCOMPARE(f->StatusBar1()->Errati(), QStringLiteral("Errati 1"));
    QCOMPARE(suoni.suonati, QStringList{"no.wav"});
    QVERIFY(v->richieste.last().endsWith(
        QStringLiteral("No! Stai sbagliando! Hai cliccato Beta. Devi cliccare Alfa!")));
    // The same wrong element again: nothing.
    const int richieste = int(v->richieste.size());
    clic(f, QStringLiteral("Beta"));
    QCOMPARE(f->StatusBar1()->Errati(), QStringLiteral("Errati 1"));
    QCOMPARE(v->richieste.size(), richieste);
    QCOMPARE(suoni.suonati.size(), 1);

    clic(f, QStringLiteral("Alfa"));
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 1"));
    QCOMPARE(suoni.suonati.last(), QStringLiteral("si.wav"));
    QCOMPARE(pause, QList<double>{2.0});
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")),
             RGB(Tavolozza::Esadecimale(p.SchemaPolitico[0])));
    // A found element: ignored.
    clic(f, QStringLiteral("Alfa"));
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 1"));
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    // Beta is no longer wrong in the new question.
    clic(f, QStringLiteral("Beta"));
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 2"));
}

void TestFinestreQuiz::pausaDopoLaGiusta_data() {
    QTest::addColumn<QString>("durante");
    QTest::newRow("clic") << "clic";
    QTest::newRow("cambia") << "cambia";
    QTest::newRow("ricomincia") << "ricomincia";
}

void TestFinestreQuiz::pausaDopoLaGiusta() {
    QFETCH(QString, durante);
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    durantePausa = [&] {
        if (durante == u"clic") {
            clic(f, QStringLiteral("Beta"));
            clic(f, QStringLiteral("Gamma"));
        } else if (durante == u"cambia") {
            f->CommandCambia()->click();
        } else {
            f->Azione(QStringLiteral("mnuRicomincia"))->trigger();
        }
    };
    clic(f, QStringLiteral("Alfa"));
    QCOMPARE(pause.size(), 1);
    QCOMPARE(f->Quiz().RisposteErrate(), 0);
    QCOMPARE(f->Quiz().RisposteEsatte(), 1);
    if (durante == u"ricomincia") {
        // Ricomincia asked its own question; the end of the pause asks nothing more.
        QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
        QVERIFY(!f->Quiz().Trovato(0));
    } else {
        // One question after the pause, the next in order: none was skipped.
        QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    }
}

void TestFinestreQuiz::esciDuranteLaPausa() {
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    QPointer<FormPolDove> guardia(f);
    durantePausa = [&] {
        f->Azione(QStringLiteral("mnuEsci"))->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    clic(f, QStringLiteral("Beta"));
    clic(f, QStringLiteral("Alfa"));
    QVERIFY(guardia.isNull() || !guardia->isVisible());
    QCOMPARE(Stato().Registro.Riga(1).esatte, QStringLiteral(" 1"));
    QCOMPARE(Stato().Registro.Riga(1).errate, QStringLiteral(" 1"));
    QCOMPARE(Stato().Registro.Riga(1).tempo, QStringLiteral(" 0"));
}

void TestFinestreQuiz::fineECambia() {
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    for (const QString& n : {"Alfa", "Beta", "Gamma"})
        clic(f, n);
    // One left: Cambia asks it again.
    f->Azione(QStringLiteral("mnuCambia"))->trigger();
    QCOMPARE(f->Text1()->text(), QStringLiteral("Isolotto"));
    QVERIFY(messaggiFinti.informazioni.isEmpty());
    clic(f, QStringLiteral("Isolotto"));
    QCOMPARE(messaggiFinti.informazioni, QStringList{"Bravo, hai terminato."});
    QVERIFY(f->Azione(QStringLiteral("mnuEsci"))->isEnabled());
    // After the end every Cambia repeats it; clicks count nothing.
    f->CommandCambia()->click();
    QCOMPARE(messaggiFinti.informazioni.size(), 2);
    clic(f, QStringLiteral("Alfa"));
    QCOMPARE(f->Quiz().RisposteEsatte(), 4);
    f->Azione(QStringLiteral("mnuEsci"))->trigger();
    QCOMPARE(Stato().Registro.Riga(1).esatte, QStringLiteral(" 4"));
    QCOMPARE(Stato().Registro.Riga(1).errate, QStringLiteral(" 0"));
}

void TestFinestreQuiz::ricominciaTieneIConteggi() {
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    clic(f, QStringLiteral("Alfa"));
    clic(f, QStringLiteral("Beta"));
    f->Azione(QStringLiteral("mnuRicomincia"))->trigger();
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[5])));
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 2"));
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
    clic(f, QStringLiteral("Alfa"));
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 3"));
    QCOMPARE(Stato().Registro.NumeroEsercizi(), 1);
}

void TestFinestreQuiz::riattivazioneNuovaRiga() {
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    clic(f, QStringLiteral("Alfa"));
    // Back from a modal window: a new exercise; the old row keeps its first two columns.
    f->Attivazione();
    QCOMPARE(Stato().Registro.NumeroEsercizi(), 2);
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 0"));
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
    f->Azione(QStringLiteral("mnuEsci"))->trigger();
    QCOMPARE(Stato().Registro.Riga(1).esatte, QString());
    QCOMPARE(Stato().Registro.Riga(2).esatte, QStringLiteral(" 0"));
}

void TestFinestreQuiz::scansioneManuale_data() {
    QTest::addColumn<bool>("riparti");
    QTest::newRow("senza ripartire") << false;
    QTest::newRow("riparti dopo la selezione") << true;
}

void TestFinestreQuiz::scansioneManuale() {
    QFETCH(bool, riparti);
    Stato().Profilo.ModalitaAccesso = 2;
    Stato().Profilo.RipartiDopoSelezione = riparti;
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    VoceFinta* v = voce(f);
    const QColor evid = RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[4]));
    // Clicks are ignored.
    clic(f, QStringLiteral("Alfa"));
    QVERIFY(!f->Quiz().Trovato(0));
    // The first Space lands on the Cambia stop, the next on "Esci", then the first element.
    tasto(f, Qt::Key_Space);
    QCOMPARE(f->FermataEvidenziata(), f->CommandCambia());
    tasto(f, Qt::Key_Space);
    QCOMPARE(f->FermataEvidenziata(), f->PulsanteEsci());
    tasto(f, Qt::Key_Space);
    QCOMPARE(f->FermataEvidenziata(), nullptr);
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")), evid);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa")); // the question, not the highlight
    tasto(f, Qt::Key_Space);                              // Beta: a wrong choice
    tasto(f, Qt::Key_Return);
    QCOMPARE(suoni.suonati, QStringList{"no.wav"});
    QVERIFY(v->richieste.last().endsWith(QStringLiteral("Hai cliccato Beta. Devi cliccare Alfa!")));
    QCOMPARE(f->Quiz().RisposteErrate(), 0);
    if (riparti) {
        // Back to the Cambia stop, then "Esci" and the first element.
        tasto(f, Qt::Key_Space);
        QCOMPARE(f->FermataEvidenziata(), f->CommandCambia());
        tasto(f, Qt::Key_Space);
        tasto(f, Qt::Key_Space);
    } else {
        for (int i = 0; i < 5; ++i) // Gamma, Isolotto, Cambia, Esci, Alfa
            tasto(f, Qt::Key_Space);
    }
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")), evid);
    tasto(f, Qt::Key_Return);
    QCOMPARE(suoni.suonati.last(), QStringLiteral("si.wav"));
    QCOMPARE(pause, QList<double>{2.0});
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    // Found elements are passed over.
    tasto(f, Qt::Key_Space);
    if (riparti)
        QCOMPARE(f->FermataEvidenziata(), f->CommandCambia());
    else
        QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")), evid);
    // Enter on the Cambia stop changes the question.
    for (int i = 0; i < 10 && f->FermataEvidenziata() != f->CommandCambia(); ++i)
        tasto(f, Qt::Key_Space);
    tasto(f, Qt::Key_Return);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    QCOMPARE(f->Quiz().RisposteEsatte(), 0);
    // The "Esci" stop completes the log row, as "&Esci" does.
    for (int i = 0; i < 10 && f->FermataEvidenziata() != f->PulsanteEsci(); ++i)
        tasto(f, Qt::Key_Space);
    tasto(f, Qt::Key_Return);
    QCOMPARE(Stato().Registro.Riga(1).esatte, QStringLiteral(" 0"));
    QVERIFY(!Stato().Registro.Riga(1).tempo.isEmpty());
}

void TestFinestreQuiz::scansioneAutomatica() {
    Stato().Profilo.ModalitaAccesso = 3;
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    const QColor evid = RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[4]));
    tasto(f, Qt::Key_Space); // starts moving
    f->AvanzaOrologio(1000); // Cambia
    f->AvanzaOrologio(1000); // Esci
    f->AvanzaOrologio(1000); // Alfa
    f->AvanzaOrologio(1000); // Beta
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")), evid);
    // Stopped on a wrong element: nothing said, nothing counted; the scan stays there.
    tasto(f, Qt::Key_Space);
    QVERIFY(suoni.suonati.isEmpty());
    f->AvanzaOrologio(5000);
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")), evid);
    tasto(f, Qt::Key_Space); // moving again
    for (int i = 0; i < 5; ++i)
        f->AvanzaOrologio(1000); // Gamma, Isolotto, Cambia, Esci, Alfa
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")), evid);
    tasto(f, Qt::Key_Space);
    QCOMPARE(suoni.suonati, QStringList{"si.wav"});
    QVERIFY(pause.isEmpty());
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    // Stepping goes on by itself after a right answer.
    QVERIFY(f->Scansione().ScansioneAttiva());
    f->AvanzaOrologio(1000);
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")), evid);
    QCOMPARE(f->Quiz().RisposteEsatte(), 0);
}

void TestFinestreQuiz::fisicaFiltro() {
    auto* f = apri<FormFisDove>(QStringLiteral("FormFisDove"));
    QVERIFY(f);
    // "Tutto": no "altri" in the area windows, never "Indistinto".
    QCOMPARE(f->Quiz().DaTrovare(), 5);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Pianura Grande"));
    QVERIFY(!f->Azione(QStringLiteral("mnuGhiacciai"))->isVisible());
    clic(f, QStringLiteral("Indistinto"));
    clic(f, QStringLiteral("Confine"));
    QCOMPARE(f->Quiz().RisposteErrate(), 0);
    QVERIFY(suoni.suonati.isEmpty());
    for (const QString& n : {"Pianura Grande", "Lago Piccolo", "Deserto Rosso"})
        clic(f, n);
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 3"));
    // "Monti": nothing found any more, only the mountain asked, the count kept, the same row.
    f->Azione(QStringLiteral("mnuMonti"))->trigger();
    QCOMPARE(f->Quiz().DaTrovare(), 1);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Monte Uno"));
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 3"));
    const ProfiloUtente& p = Stato().Profilo;
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Pianura Grande")),
             RGB(Tavolozza::Esadecimale(p.SchemaFisico[9])));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Monte Uno")),
             RGB(Tavolozza::Esadecimale(p.SchemaFisico[0])));
    // Outside the filter is a wrong answer.
    clic(f, QStringLiteral("Fiume Uno"));
    QCOMPARE(f->Quiz().RisposteErrate(), 1);
    clic(f, QStringLiteral("Monte Uno"));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Monte Uno")),
             RGB(Tavolozza::Esadecimale(p.SchemaFisico[4])));
    QCOMPARE(messaggiFinti.informazioni, QStringList{"Bravo, hai terminato!"});
    QCOMPARE(Stato().Registro.NumeroEsercizi(), 1);
}

void TestFinestreQuiz::fisicaCategoriaVuota() {
    auto* f = apri<FormFisDove>(QStringLiteral("FormFisDove"));
    f->ScegliCategoria(CategoriaFiltro::Ghiacciai);
    QCOMPARE(messaggiFinti.errori, QStringList{"Non ci sono elementi di questo tipo"});
    QVERIFY(messaggiFinti.informazioni.isEmpty());
    // Cambia then says the end: nothing to find.
    f->Cambia();
    QCOMPARE(messaggiFinti.informazioni, QStringList{"Bravo, hai terminato!"});
}

void TestFinestreQuiz::regionale() {
    Percorsi::ImpostaCartellaProgramma(DatiVeri);
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().RegioneScelta = QStringLiteral("Molise");
    auto* f = apri<FormPolDoveReg>(QStringLiteral("FormPolDoveReg"));
    QVERIFY(f);
    QVERIFY2(f->Mappa()->ultimoErrore().isEmpty(), qPrintable(f->Mappa()->ultimoErrore()));
    QCOMPARE(f->Quiz().DaTrovare(), 2);
    QCOMPARE(f->Quiz().Richiesto(), 1);
    QCOMPARE(Stato().Registro.Riga(1).area, QStringLiteral("Molise"));
    clic(f, f->Text1()->text());
    clic(f, f->Text1()->text());
    QCOMPARE(messaggiFinti.informazioni, QStringList{"Bravo, hai terminato."});
    f->Azione(QStringLiteral("mnuEsci"))->trigger();
    QVERIFY(Navigazione::Esistente(Navigazione::SceltaRegione));
    QCOMPARE(Stato().Registro.Riga(1).esatte, QStringLiteral(" 2"));
}

void TestFinestreQuiz::fisicaRegionale() {
    Percorsi::ImpostaCartellaProgramma(DatiVeri);
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().RegioneScelta = QStringLiteral("Molise");
    auto* f = apri<FormFisDoveRegioni>(QStringLiteral("FormFisDoveRegioni"));
    QVERIFY(f);
    QVERIFY(f->RegionePresente());
    QVERIFY2(f->Mappa()->ultimoErrore().isEmpty(), qPrintable(f->Mappa()->ultimoErrore()));
    // "Tutto" in a region's window asks every feature but the undistinguished land.
    int attese = 0;
    for (int i = 0; i <= f->Catalogo().NumeroElementiFisici; ++i)
        if (f->Catalogo().ElencoFisico[i][1] != u"indistinto")
            ++attese;
    QCOMPARE(f->Quiz().DaTrovare(), attese);
    QCOMPARE(Stato().Registro.Riga(1).attivita, QStringLiteral("Dov'è ... mappa fisica"));
    QCOMPARE(Stato().Registro.Riga(1).area, QStringLiteral("Italia"));
    for (int i = 0; i < attese; ++i)
        clic(f, f->Text1()->text());
    QCOMPARE(f->Quiz().RisposteEsatte(), attese);
    QCOMPARE(messaggiFinti.informazioni, QStringList{"Bravo, hai terminato!"});
}

void TestFinestreQuiz::fisicaRegioneMancante() {
    Percorsi::ImpostaCartellaProgramma(DatiVeri);
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().RegioneScelta = QStringLiteral("Atlantide");
    Navigazione::Mostra(QStringLiteral("FormFisDoveRegioni"));
    QCOMPARE(messaggiFinti.errori, QStringList{"Questa regione non è ancora stata inserita."});
    QVERIFY(Navigazione::Esistente(Navigazione::SceltaRegione));
    // No exercise was opened.
    QCOMPARE(Stato().Registro.NumeroEsercizi(), 0);
}

void TestFinestreQuiz::testMouse() {
    Percorsi::ImpostaCartellaProgramma(DatiVeri);
    Stato().AreaScelta = QStringLiteral("Italia");
    auto* f = apri<FormTestPol>(QStringLiteral("FormTestPol"));
    QVERIFY(f);
    QVERIFY2(f->Mappa()->ultimoErrore().isEmpty(), qPrintable(f->Mappa()->ultimoErrore()));
    const QString provincia = f->Text1()->text();
    const QString regione = f->Test().RegioneRichiesta();
    QVERIFY(!provincia.isEmpty());
    QVERIFY(!f->Mappa2()->isVisible());
    // A wrong region, the right one, two wrong provinces, the right one: 2 right, 3 wrong.
    clic(f, regione == u"Molise" ? QStringLiteral("Puglia") : QStringLiteral("Molise"));
    QCOMPARE(suoni.suonati, QStringList{"no.wav"});
    clic(f, regione);
    QVERIFY(f->Mappa2()->isVisible());
    QVERIFY2(f->Mappa2()->ultimoErrore().isEmpty(), qPrintable(f->Mappa2()->ultimoErrore()));
    QCOMPARE(pause, QList<double>{1.0});
    // The map of Italy no longer answers.
    clic(f, QStringLiteral("Molise"));
    QCOMPARE(f->Test().RisposteErrate(), 1);
    const QList<int> province = f->Test().ProvinceDi(regione);
    QVERIFY(province.size() >= 2);
    QString sbagliata;
    for (int s : province)
        if (f->Test().Province()[s].nome != provincia)
            sbagliata = f->Test().Province()[s].nome;
    f->ProvinciaCliccata(sbagliata);
    f->ProvinciaCliccata(sbagliata);
    emit f->Mappa2()->FSCommand(QStringLiteral("elemento") + provincia, QString());
    QCOMPARE(f->StatusBar1()->Esatti(), QStringLiteral("Esatti 2"));
    QCOMPARE(f->StatusBar1()->Errati(), QStringLiteral("Errati 3"));
    QCOMPARE(pause, (QList<double>{1.0, 1.5}));
    QVERIFY(f->Text1()->text() != provincia);
    QVERIFY(!f->Mappa2()->isVisible());
    f->Azione(QStringLiteral("mnuEsci"))->trigger();
    QCOMPARE(Stato().Registro.Riga(1),
             (RigaEsercizio{QStringLiteral("Test"), QStringLiteral("Italia"), " 2", " 3", " 0"}));
}

void TestFinestreQuiz::testRegioneColorata() {
    Percorsi::ImpostaCartellaProgramma(DatiVeri);
    Stato().AreaScelta = QStringLiteral("Italia");
    auto* f = apri<FormTestPol>(QStringLiteral("FormTestPol"));
    const ProfiloUtente& p = Stato().Profilo;
    const QString daTrovare = Tavolozza::Esadecimale(p.SchemaPolitico[5]);
    // The first region in catalog order, province by province.
    const QString regione = f->Test().RegioneRichiesta();
    const QList<int> province = f->Test().ProvinceDi(regione);
    for (int i = 0; i < province.size(); ++i) {
        QCOMPARE(f->Test().RegioneRichiesta(), regione);
        QCOMPARE(f->Mappa()->vista().colore(regione), RGB(daTrovare));
        clic(f, regione);
        f->ProvinciaCliccata(f->Text1()->text());
    }
    const int r = f->Test().IndiceRegione(regione);
    QCOMPARE(f->Mappa()->vista().colore(regione),
             RGB(Tavolozza::Esadecimale(p.SchemaPolitico[f->Test().Regioni()[r].classe])));
    QCOMPARE(f->Test().RisposteEsatte(), 2 * int(province.size()));
}

void TestFinestreQuiz::testConInterruttori_data() {
    QTest::addColumn<int>("modalita");
    QTest::newRow("manuale") << 2;
    QTest::newRow("automatica") << 3;
}

void TestFinestreQuiz::testConInterruttori() {
    QFETCH(int, modalita);
    Percorsi::ImpostaCartellaProgramma(DatiVeri);
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    auto* f = apri<FormTestPol>(QStringLiteral("FormTestPol"));
    const QColor evid = RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[4]));
    const bool automatica = modalita == 3;
    // One step of the scan, and a choice, as the pupil makes them in each mode.
    auto passo = [&] {
        if (automatica)
            f->AvanzaOrologio(1000);
        else
            tasto(f, Qt::Key_Space);
    };
    auto scegli = [&] { tasto(f, automatica ? Qt::Key_Space : Qt::Key_Return); };
    if (automatica)
        tasto(f, Qt::Key_Space);
    const QString regione = f->Test().RegioneRichiesta();
    const int r = f->Test().IndiceRegione(regione);
    QVERIFY(r >= 0);
    // The regions of the map of Italy, in catalog order; a wrong one first.
    const int sbagliata = r == 0 ? 1 : 0;
    for (int i = 0; i <= sbagliata; ++i)
        passo();
    QCOMPARE(f->Mappa()->vista().colore(f->Test().Regioni()[sbagliata].nome), evid);
    scegli();
    QCOMPARE(f->Test().RisposteErrate(), 1);
    QCOMPARE(suoni.suonati, QStringList{"no.wav"});
    if (automatica)
        tasto(f, Qt::Key_Space); // moving again
    for (int i = sbagliata; i < r; ++i)
        passo();
    QCOMPARE(f->Mappa()->vista().colore(regione), evid);
    scegli();
    QCOMPARE(f->Test().RisposteEsatte(), 1);
    QVERIFY(f->Mappa2()->isVisible());
    // The province step: the provinces of the region on its map.
    const QList<int> province = f->Test().ProvinceDi(regione);
    const int giusta = int(province.indexOf(f->Test().Richiesto()));
    for (int i = 0; i <= giusta; ++i)
        passo();
    QCOMPARE(f->Mappa2()->vista().colore(f->Test().NomeRichiesto()), evid);
    scegli();
    QCOMPARE(f->Test().RisposteEsatte(), 2);
    QCOMPARE(suoni.suonati.last(), QStringLiteral("si.wav"));
    QCOMPARE(pause, (QList<double>{1.0, 1.5}));
    // The next question, its region step, and the "Leggi" stop after the regions.
    QVERIFY(f->Test().AttesaRegione());
    VoceFinta* v = voce(f);
    // The twenty regions, then the stop.
    for (int i = 0; i < 21; ++i)
        passo();
    QCOMPARE(f->FermataEvidenziata(), f->CommandLeggi());
    scegli();
    QVERIFY(v->richieste.last().endsWith(f->Text1()->text()));
}

void TestFinestreQuiz::nomiAccessibili() {
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    for (QWidget* w : f->findChildren<QWidget*>())
        if (w->isVisible() && w->focusPolicy() != Qt::NoFocus)
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    QVERIFY(!f->CommandCambia()->accessibleName().isEmpty());
    QVERIFY(!f->StatusBar1()->accessibleName().isEmpty());
    for (const char* n : {"mnuCambia", "mnuRicomincia", "mnuLeggi", "mnuEsci"})
        QVERIFY2(f->Azione(QString::fromLatin1(n)), n);
}

void TestFinestreQuiz::fontGrandeNonTaglia() {
    Stato().Profilo.DimensioneFont = 48;
    Stato().Profilo.ModalitaAccesso = 2; // "Esci" beside Cambia too
    auto* f = apri<FormPolDove>(QStringLiteral("FormPolDove"));
    QPushButton* c = f->CommandCambia();
    QVERIFY(c->isVisible());
    QVERIFY2(c->width() >= c->fontMetrics().horizontalAdvance(c->text()),
             qPrintable(QString::number(c->width())));
    QVERIFY(c->height() >= c->fontMetrics().height());
    QVERIFY(f->PulsanteEsci()->isVisible());
    QVERIFY(f->StatusBar1()->height() >= f->StatusBar1()->sizeHint().height());
    QVERIFY(f->StatusBar1()->geometry().bottom() <= f->PictureAltezza()->height());
    QVERIFY(f->Text1()->geometry().bottom() <= f->StatusBar1()->geometry().top());
}

QTEST_MAIN(TestFinestreQuiz)
#include "test_finestre_quiz.moc"

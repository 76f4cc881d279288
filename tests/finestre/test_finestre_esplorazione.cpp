#include "activities/exploration/FormMappaFis.h"
#include "activities/exploration/FormMappaPol.h"
#include "activities/exploration/Registrazione.h"
#include "catalog/Preset.h"
#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "tests/comune/ContrastoDisegnato.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/colori/ColoriMappa.h"
#include "workspace/finestra/SceltaTesto.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/VoceFinta.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

// The exploration windows driven as a pupil drives them: clicks reported by the map, Space and
// Enter on the scanning receivers, the menu entries. The fixture maps are the small "Prova"
// maps (Alfa, Beta, Gamma, Isolotto; a physical map with one feature of most categories).

Q_DECLARE_METATYPE(FlussoTasti)

namespace {

class MessaggiFinti : public Messaggi {
public:
    QStringList errori;
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString& testo, const QString&) override { errori << testo; }
};

// The text chooser, answering with a fixed path.
class SceltaFinta : public SceltaTesto {
public:
    QString risposta;
    QString cartella;
    int chiamate = 0;
    QString Scegli(QWidget*, const QString& cartellaTesti, const QString&) override {
        ++chiamate;
        cartella = cartellaTesti;
        return risposta;
    }
};

// An activity menu or a region chooser standing in for the real ones.
class FinestraSegnaposto : public FinestraProgramma {
public:
    using FinestraProgramma::FinestraProgramma;
    void Attivazione() override { ++attivazioni; }
    int attivazioni = 0;
};

const QString Dati = QStringLiteral(ORBISTO_TEST_DATA_DIR "/dati");

void CatalogoProva() {
    CatalogoArea& c = Stato().Catalogo;
    c = CatalogoArea{};
    const QStringList nomi{QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Gamma"),
                           QStringLiteral("Isolotto")};
    for (int i = 0; i < nomi.size(); ++i) {
        c.ElencoNomi[i] = nomi[i];
        c.ClasseColore[i] = qint16(i % 4);
    }
    c.NumeroElementi = qint16(nomi.size() - 1);
}

// The physical fixture: rows in the order given; "Indistinto" where the test wants it.
void FisicoProva(const QList<std::pair<QString, QString>>& righe) {
    CatalogoFisico& f = Stato().Fisico;
    f = CatalogoFisico{};
    for (int i = 0; i < righe.size(); ++i) {
        f.ElencoFisico[i][0] = righe[i].first;
        f.ElencoFisico[i][1] = righe[i].second;
    }
    f.NumeroElementiFisici = qint16(righe.size() - 1);
}

QList<std::pair<QString, QString>> righeProva() {
    return {{"Pianura Grande", "pianura"}, {"Lago Piccolo", "fiume"}, {"Indistinto", "indistinto"},
            {"Deserto Rosso", "deserto"},  {"Fiume Uno", "fiume"},    {"Monte Uno", "monte"},
            {"Isola Minuscola", "altri"}};
}

QColor RGB(const QString& rrggbb) {
    return QColor(QStringLiteral("#") + rrggbb);
}

} // namespace

class TestFinestreEsplorazione : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void attivazioneColora();
    void clicPolitico();
    void clicIgnoratoInScansione_data();
    void clicIgnoratoInScansione();
    void clicFisico_data();
    void clicFisico();
    void scansioneManualePolitica();
    void invioPrimaDelPrimoPasso();
    void scansioneAutomatica();
    void scansioneAutomaticaOrologioVero();
    void scansioneFisicaSaltaIndistinto();
    void scansioneTuttoIndistinto();
    void zoomTreRiduzioni();
    void zoomBarreETesto();
    void frecceScorrono();
    void filtroVociNascoste();
    void filtroCambiaCategoria();
    void testoAnnullato();
    void testoLettoConSegnalibri();
    void testoRiprendiDopoLaParola();
    void nomeDuranteLaLettura();
    void parlatoSpento();
    void esci_data();
    void esci();
    void regioneCaso();
    void regioneFisicaMancante();
    void regioneFisicaPresente();
    void fontGrandeNonTaglia();
    void nomiAccessibiliEScorciatoie();
    void scorciatoie_data();
    void scorciatoie();
    void riattivazioneAzzera();
    void controlliDelleAttivita();
    void esciPerInterruttore_data();
    void esciPerInterruttore();
    void fermataPrimaDiEsci_data();
    void fermataPrimaDiEsci();
    void unaPressioneUnaAzione_data();
    void unaPressioneUnaAzione();
    void barraLeggibile_data();
    void barraLeggibile();

private:
    template <class F> F* apri(const QString& nome);
    VoceFinta* voce(FinestraAttivita* f) {
        return qobject_cast<VoceFinta*>(f->assistente()->Voce());
    }
    // A switch released (pressed first unless the test holds it), through the switch filter.
    void rilascia(FinestraAttivita* f, Qt::Key tasto) {
        TastiFinestra::Clic(f->RicevitoreAttivo(), tasto);
    }
    // Closes a window and lets it be deleted, so the next Mostra makes a new one.
    void chiudi(QWidget* f) {
        f->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void premi(FinestraAttivita* f, Qt::Key tasto) {
        TastiFinestra::Premi(f->RicevitoreAttivo(), tasto);
    }
    // What the scanning highlight is on: the name in the name box, or the stop's caption.
    static QString Evidenziato(FinestraAttivita* f) {
        if (QAbstractButton* b = f->FermataEvidenziata())
            return b->text();
        return f->Text1()->text();
    }

    QTemporaryDir impostazioni;
    MessaggiFinti messaggiFinti;
    SceltaFinta dialogo;
    QList<double> pause;
};

template <class F> F* TestFinestreEsplorazione::apri(const QString& nome) {
    auto* f = qobject_cast<F*>(Navigazione::Mostra(nome));
    return f;
}

void TestFinestreEsplorazione::initTestCase() {
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([this](double s) { pause << s; });
    ImpostaMessaggi(&messaggiFinti);
    ImpostaSceltaTesto(&dialogo);
}

void TestFinestreEsplorazione::init() {
    Percorsi::ImpostaCartellaProgramma(Dati);
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().Profilo.ParlatoAttivo = true;
    Stato().Profilo.ModalitaAccesso = 0;
    Stato().Profilo.TempoScansione = 4;
    Stato().AreaScelta = QStringLiteral("Prova");
    CatalogoProva();
    FisicoProva(righeProva());
    Navigazione::Azzera();
    RegistraFinestreEsplorazione();
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraSegnaposto; });
    Navigazione::Registra(Navigazione::SceltaRegione, [] { return new FinestraSegnaposto; });
    messaggiFinti.errori.clear();
    dialogo = SceltaFinta{};
    pause.clear();
}

void TestFinestreEsplorazione::cleanup() {
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraProgramma*>(w))
            finestre << w;
    for (const QPointer<QWidget>& w : finestre)
        delete w.data();
    FormMappaPolReg::ImpostaEstrazione({});
}

void TestFinestreEsplorazione::attivazioneColora() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    QVERIFY(f);
    QVERIFY2(f->Mappa()->ultimoErrore().isEmpty(), qPrintable(f->Mappa()->ultimoErrore()));
    const ProfiloUtente& p = Stato().Profilo;
    for (int i = 0; i <= 3; ++i)
        QCOMPARE(f->Mappa()->vista().colore(Stato().Catalogo.ElencoNomi[i]),
                 RGB(Tavolozza::Esadecimale(p.SchemaPolitico[i % 4])));
    // Borders in the background colour.
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Confini")),
             RGB(Tavolozza::Esadecimale(p.ColoreSfondo)));
    QVERIFY(f->isFullScreen() || f->geometry() == f->screen()->geometry());
    QVERIFY(f->NomeVisibile());
}

void TestFinestreEsplorazione::clicPolitico() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    VoceFinta* v = voce(f);
    const QString evid = Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[4]);
    emit f->Mappa()->FSCommand(QStringLiteral("elementoBeta"), QString());
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")), RGB(evid));
    QCOMPARE(v->richieste.size(), 1);
    QVERIFY(v->richieste.last().endsWith(QStringLiteral("Beta")));
    // The same element again: given back its colour, highlighted again and spoken again.
    const int fermate = v->fermate;
    emit f->Mappa()->FSCommand(QStringLiteral("elementoBeta"), QString());
    QCOMPARE(v->fermate, fermate + 1);
    QCOMPARE(v->richieste.size(), 2);
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")), RGB(evid));
    // Another element: Beta back to its class colour.
    emit f->Mappa()->FSCommand(QStringLiteral("elementoAlfa"), QString());
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[1])));
    QCOMPARE(f->ElementoSelezionato(), QStringLiteral("Alfa"));
}

void TestFinestreEsplorazione::clicIgnoratoInScansione_data() {
    QTest::addColumn<int>("modalita");
    QTest::newRow("manuale") << 2;
    QTest::newRow("automatica") << 3;
}

void TestFinestreEsplorazione::clicIgnoratoInScansione() {
    QFETCH(int, modalita);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    emit f->Mappa()->FSCommand(QStringLiteral("elementoBeta"), QString());
    QVERIFY(f->Text1()->text().isEmpty());
    QVERIFY(voce(f)->richieste.isEmpty());
}

void TestFinestreEsplorazione::clicFisico_data() {
    QTest::addColumn<QString>("comando");
    QTest::newRow("indistinto") << QStringLiteral("elementoIndistinto");
    QTest::newRow("confine") << QStringLiteral("elementoConfine");
    // A feature whose category is "indistinto" under another name.
}

void TestFinestreEsplorazione::clicFisico() {
    QFETCH(QString, comando);
    auto* f = apri<FormMappaFis>(QStringLiteral("FormMappaFis"));
    VoceFinta* v = voce(f);
    emit f->Mappa()->FSCommand(QStringLiteral("elementoMonte Uno"), QString());
    QCOMPARE(f->Text1()->text(), QStringLiteral("Monte Uno"));
    QCOMPARE(v->richieste.size(), 1);
    emit f->Mappa()->FSCommand(comando, QString());
    // The name box is emptied, nothing spoken, the mountain has its own colour again and is
    // still the element last chosen.
    QVERIFY(f->Text1()->text().isEmpty());
    QCOMPARE(v->richieste.size(), 1);
    const QString proprio = Tavolozza::Esadecimale(Stato().Profilo.SchemaFisico[4]);
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Monte Uno")), RGB(proprio));
    QCOMPARE(f->ElementoSelezionato(), QStringLiteral("Monte Uno"));
}

void TestFinestreEsplorazione::scansioneManualePolitica() {
    Stato().Profilo.ModalitaAccesso = 2;
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    QCOMPARE(f->RicevitoreAttivo(), f->PictureScansioneManuale());
    const ProfiloUtente& p = Stato().Profilo;
    const QColor evid = RGB(Tavolozza::Esadecimale(p.SchemaPolitico[4]));
    QStringList visti;
    for (int i = 0; i < 6; ++i) {
        rilascia(f, Qt::Key_Space);
        visti << Evidenziato(f);
        if (!f->FermataEvidenziata())
            QCOMPARE(f->Mappa()->vista().colore(f->Text1()->text()), evid);
    }
    // 0..3, the way out, then back to 0; the element left behind has its own colour again.
    QCOMPARE(visti, (QStringList{"Alfa", "Beta", "Gamma", "Isolotto", "Esci", "Alfa"}));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Isolotto")),
             RGB(Tavolozza::Esadecimale(p.SchemaPolitico[3])));
    QVERIFY(voce(f)->richieste.isEmpty());
    rilascia(f, Qt::Key_Return);
    QCOMPARE(voce(f)->richieste.size(), 1);
    QVERIFY(voce(f)->richieste.last().endsWith(QStringLiteral("Alfa")));
}

void TestFinestreEsplorazione::invioPrimaDelPrimoPasso() {
    Stato().Profilo.ModalitaAccesso = 2;
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    rilascia(f, Qt::Key_Return);
    rilascia(f, Qt::Key_Enter);
    QVERIFY(voce(f)->richieste.isEmpty());
    QVERIFY(f->Text1()->text().isEmpty());
}

void TestFinestreEsplorazione::scansioneAutomatica() {
    Stato().Profilo.ModalitaAccesso = 3;
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    QCOMPARE(f->RicevitoreAttivo(), f->PictureScansioneAutomatica());
    // Stopped at activation: time passes, nothing moves.
    f->AvanzaOrologio(3000);
    QVERIFY(f->Text1()->text().isEmpty());
    // Space starts it; the first step one interval (4 quarter seconds) later.
    premi(f, Qt::Key_Space);
    rilascia(f, Qt::Key_Space);
    f->AvanzaOrologio(999);
    QVERIFY(f->Text1()->text().isEmpty());
    f->AvanzaOrologio(1);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
    f->AvanzaOrologio(1000);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    // Held Space freezes the highlight.
    premi(f, Qt::Key_Space);
    f->AvanzaOrologio(5000);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    // Released: Beta is chosen and spoken, the highlight stays.
    rilascia(f, Qt::Key_Space);
    QCOMPARE(voce(f)->richieste.size(), 1);
    QVERIFY(voce(f)->richieste.last().endsWith(QStringLiteral("Beta")));
    f->AvanzaOrologio(5000);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[4])));
}

void TestFinestreEsplorazione::scansioneAutomaticaOrologioVero() {
    // The window's own timer steps the highlight: one step a second with TempoScansione 4.
    Stato().Profilo.ModalitaAccesso = 3;
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    premi(f, Qt::Key_Space);
    rilascia(f, Qt::Key_Space);
    QElapsedTimer t;
    t.start();
    QTRY_COMPARE_WITH_TIMEOUT(f->Text1()->text(), QStringLiteral("Alfa"), 3000);
    QVERIFY(t.elapsed() >= 900);
    QTRY_COMPARE_WITH_TIMEOUT(f->Text1()->text(), QStringLiteral("Beta"), 3000);
    // Closed: the clock stops with the window.
    chiudi(f);
}

void TestFinestreEsplorazione::scansioneFisicaSaltaIndistinto() {
    Stato().Profilo.ModalitaAccesso = 2;
    auto* f = apri<FormMappaFis>(QStringLiteral("FormMappaFis"));
    QStringList visti;
    for (int i = 0; i < 8; ++i) {
        rilascia(f, Qt::Key_Space);
        visti << Evidenziato(f);
    }
    QCOMPARE(visti, (QStringList{"Pianura Grande", "Lago Piccolo", "Deserto Rosso", "Fiume Uno",
                                 "Monte Uno", "Isola Minuscola", "Esci", "Pianura Grande"}));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Isola Minuscola")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaFisico[8])));
}

void TestFinestreEsplorazione::scansioneTuttoIndistinto() {
    // A tail of "indistinto" features goes on to the way out and from there to 0; on a map of
    // nothing else the highlight has only the way out.
    FisicoProva({{"Monte Uno", "monte"}, {"Indistinto", "indistinto"}, {"Altro", "indistinto"}});
    Stato().Profilo.ModalitaAccesso = 2;
    auto* f = apri<FormMappaFis>(QStringLiteral("FormMappaFis"));
    QStringList visti;
    for (int i = 0; i < 3; ++i) {
        rilascia(f, Qt::Key_Space);
        visti << Evidenziato(f);
    }
    QCOMPARE(visti, (QStringList{"Monte Uno", "Esci", "Monte Uno"}));
    chiudi(f);

    FisicoProva({{"Indistinto", "indistinto"}, {"Altro", "indistinto"}});
    auto* g = apri<FormMappaFis>(QStringLiteral("FormMappaFis"));
    rilascia(g, Qt::Key_Space);
    QCOMPARE(g->FermataEvidenziata(), g->PulsanteEsci());
    rilascia(g, Qt::Key_Space);
    QCOMPARE(g->FermataEvidenziata(), g->PulsanteEsci());
    QVERIFY(g->Text1()->text().isEmpty());
    QVERIFY(voce(g)->richieste.isEmpty());
}

void TestFinestreEsplorazione::zoomTreRiduzioni() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    const int h = f->Picture1()->height();
    QCOMPARE(f->Mappa()->height(), h);
    QList<int> altezze;
    for (int i = 0; i < 4; ++i) {
        f->Azione(QStringLiteral("mnuRiduci"))->trigger();
        altezze << f->Mappa()->height();
    }
    QCOMPARE(altezze[0], qRound(h * 0.8));
    QCOMPARE(altezze[1], qRound(h * 0.64));
    QCOMPARE(altezze[2], qRound(h * 0.512));
    QCOMPARE(altezze[3], altezze[2]);
    QVERIFY(!f->HScroll1()->isVisible());
    QVERIFY(!f->VScroll1()->isVisible());
}

void TestFinestreEsplorazione::zoomBarreETesto() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    const QSize vista = f->Picture1()->size();
    f->Azione(QStringLiteral("mnuIngrandisci"))->trigger();
    QVERIFY(f->HScroll1()->isVisible());
    QVERIFY(f->VScroll1()->isVisible());
    const int maxV = f->VScroll1()->maximum();
    const int maxH = f->HScroll1()->maximum();
    QCOMPARE(maxV, qRound(vista.height() * 1.2) - vista.height());
    QCOMPARE(maxH, qRound(vista.width() * 1.2) - vista.width());
    QCOMPARE(f->VScroll1()->pageStep(), maxV / 10);
    QCOMPARE(f->VScroll1()->singleStep(), std::max(maxV / 50, 1));
    QVERIFY(f->Azione(QStringLiteral("mnuBarre"))->isVisible());

    // Hiding the name box changes no range; the caption follows.
    f->Azione(QStringLiteral("mnuVisual"))->trigger();
    QVERIFY(!f->Text1()->isVisible());
    QCOMPARE(f->Azione(QStringLiteral("mnuVisual"))->text(), QStringLiteral("mostra Testo"));
    QCOMPARE(f->VScroll1()->maximum(), maxV);
    QVERIFY(f->Picture1()->height() > vista.height());
    f->Azione(QStringLiteral("mnuVisual"))->trigger();
    QVERIFY(f->Text1()->isVisible());
    QCOMPARE(f->Text1()->y(), f->Picture1()->height());

    // Hiding the bars keeps the zoom.
    const QSize mappa = f->Mappa()->size();
    f->Azione(QStringLiteral("mnuBarre"))->trigger();
    QVERIFY(!f->HScroll1()->isVisible());
    QVERIFY(!f->VScroll1()->isVisible());
    QCOMPARE(f->Azione(QStringLiteral("mnuBarre"))->text(),
             QStringLiteral("mostra Barre scorrimento"));
    QCOMPARE(f->Mappa()->size(), mappa);

    // "Normale" fits the map again and hides the bars.
    f->Azione(QStringLiteral("mnuNormale"))->trigger();
    QCOMPARE(f->Mappa()->size(), f->Picture1()->size());
    QCOMPARE(f->Mappa()->pos(), QPoint(0, 0));
    QVERIFY(!f->Azione(QStringLiteral("mnuBarre"))->isVisible());
}

void TestFinestreEsplorazione::frecceScorrono() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    for (int i = 0; i < 3; ++i)
        f->Azione(QStringLiteral("mnuIngrandisci"))->trigger();
    QCOMPARE(f->RicevitoreAttivo(), f->PictureFrecce());
    const int pagina = f->HScroll1()->pageStep();
    QVERIFY(pagina > 0);
    rilascia(f, Qt::Key_Left); // at the start: not made
    QCOMPARE(f->HScroll1()->value(), 0);
    rilascia(f, Qt::Key_Right);
    QCOMPARE(f->HScroll1()->value(), pagina);
    QCOMPARE(f->Mappa()->x(), -pagina);
    rilascia(f, Qt::Key_Down);
    QCOMPARE(f->Mappa()->y(), -f->VScroll1()->pageStep());
    // To the end, never past it.
    for (int i = 0; i < 20; ++i)
        rilascia(f, Qt::Key_Right);
    QVERIFY(f->HScroll1()->value() <= f->HScroll1()->maximum());
    QVERIFY(f->HScroll1()->maximum() - f->HScroll1()->value() < pagina);
}

void TestFinestreEsplorazione::filtroVociNascoste() {
    auto* f = apri<FormMappaFis>(QStringLiteral("FormMappaFis"));
    // The fixture has no glaciers and no seas; "Tutto" is always there and ticked.
    QVERIFY(f->Azione(QStringLiteral("mnuTutto"))->isVisible());
    QVERIFY(f->Azione(QStringLiteral("mnuTutto"))->isChecked());
    QVERIFY(!f->Azione(QStringLiteral("mnuGhiacciai"))->isVisible());
    QVERIFY(!f->Azione(QStringLiteral("mnuBarrieraCorallina"))->isVisible());
    QVERIFY(f->Azione(QStringLiteral("mnuMonti"))->isVisible());
    QVERIFY(f->Azione(QStringLiteral("mnuFiumiLaghi"))->isVisible());
    QCOMPARE(f->Azione(QStringLiteral("mnuMonti"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    // The physical colour passes are a second apart.
    QCOMPARE(pause, (QList<double>{1.0}));
}

void TestFinestreEsplorazione::filtroCambiaCategoria() {
    auto* f = apri<FormMappaFis>(QStringLiteral("FormMappaFis"));
    emit f->Mappa()->FSCommand(QStringLiteral("elementoMonte Uno"), QString());
    pause.clear();
    f->Azione(QStringLiteral("mnuFiumiLaghi"))->trigger();
    QCOMPARE(f->Mappa()->vista().fotogramma(), 4);
    QCOMPARE(f->Filtro().ElementiCategoria(), 2);
    QVERIFY(f->Azione(QStringLiteral("mnuFiumiLaghi"))->isChecked());
    QVERIFY(!f->Azione(QStringLiteral("mnuTutto"))->isChecked());
    QCOMPARE(pause, (QList<double>{1.0}));
    // Every element repainted: the highlight is gone, the name box empty, the choice kept.
    QVERIFY(f->Text1()->text().isEmpty());
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Monte Uno")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaFisico[4])));
    QCOMPARE(f->ElementoSelezionato(), QStringLiteral("Monte Uno"));
    // A click still selects normally.
    emit f->Mappa()->FSCommand(QStringLiteral("elementoFiume Uno"), QString());
    QCOMPARE(f->Text1()->text(), QStringLiteral("Fiume Uno"));
}

void TestFinestreEsplorazione::testoAnnullato() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    QVERIFY(!f->Azione(QStringLiteral("mnuLeggiTesto"))->isEnabled());
    f->Azione(QStringLiteral("mnuApri"))->trigger();
    QCOMPARE(dialogo.chiamate, 1);
    QVERIFY(dialogo.cartella.endsWith(QStringLiteral("testi/Prova/")));
    QCOMPARE(messaggiFinti.errori, QStringList{QStringLiteral("Non hai scelto nessuna lista!")});
    QVERIFY(!f->Azione(QStringLiteral("mnuLeggiTesto"))->isEnabled());
    // A file that is not there: a message, still nothing to read.
    messaggiFinti.errori.clear();
    dialogo.risposta = Dati + QStringLiteral("/testi/Prova/manca.rtf");
    f->Azione(QStringLiteral("mnuApri"))->trigger();
    QCOMPARE(messaggiFinti.errori.size(), 1);
    QVERIFY(!f->Azione(QStringLiteral("mnuLeggiTesto"))->isEnabled());
}

void TestFinestreEsplorazione::testoLettoConSegnalibri() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    VoceFinta* v = voce(f);
    dialogo.risposta = Dati + QStringLiteral("/testi/Prova/breve.rtf");
    f->Azione(QStringLiteral("mnuApri"))->trigger();
    QVERIFY(messaggiFinti.errori.isEmpty());
    QCOMPARE(Stato().FileTesto, dialogo.risposta);
    QVERIFY(f->RichTextBox1()->isVisible());
    QVERIFY(!f->Azione(QStringLiteral("mnuInterrompi"))->isEnabled());
    f->Azione(QStringLiteral("mnuLeggiTesto"))->trigger();
    QVERIFY(f->Azione(QStringLiteral("mnuInterrompi"))->isEnabled());
    // "Roma. Il Po e lungo.": the first sentence is one word with the bookmark of its full stop.
    QCOMPARE(v->richieste.size(), 1);
    QCOMPARE(v->richieste[0], Stato().PrefissoVoce + QStringLiteral("\\Mrk=5\\Roma"));
    v->SimulaSegnalibro(5);
    // "Roma." is red in the text box.
    QTextCursor c(f->RichTextBox1()->document());
    c.setPosition(2);
    QCOMPARE(c.charFormat().foreground().color(), FinestraEsplorazione::ColoreParola);
    v->SimulaFine();
    QCOMPARE(v->richieste.size(), 2);
    QVERIFY2(v->richieste[1].contains(QStringLiteral("\\Mrk=9\\ Il")), qPrintable(v->richieste[1]));
    // "Roma" back in the normal colour.
    c.setPosition(2);
    QVERIFY(c.charFormat().foreground().color() != FinestraEsplorazione::ColoreParola);
    v->SimulaFine();
    QCOMPARE(v->richieste.size(), 2); // the end of the text
    QVERIFY(!f->Lettura().LetturaContinua());
}

void TestFinestreEsplorazione::testoRiprendiDopoLaParola() {
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    VoceFinta* v = voce(f);
    dialogo.risposta = Dati + QStringLiteral("/testi/Prova/breve.rtf");
    f->Azione(QStringLiteral("mnuApri"))->trigger();
    f->Azione(QStringLiteral("mnuLeggiTesto"))->trigger();
    v->SimulaFine();
    v->SimulaSegnalibro(9);  // " Il"
    v->SimulaSegnalibro(12); // " Po"
    QVERIFY(!f->Azione(QStringLiteral("mnuRiprendi"))->isEnabled());
    const int fermate = v->fermate;
    f->Azione(QStringLiteral("mnuInterrompi"))->trigger();
    QCOMPARE(v->fermate, fermate + 1);
    QVERIFY(f->Azione(QStringLiteral("mnuRiprendi"))->isEnabled());
    f->Azione(QStringLiteral("mnuRiprendi"))->trigger();
    // Goes on with the word after "Po".
    QVERIFY2(v->richieste.last().contains(QStringLiteral("\\Mrk=14\\e\\Mrk=20")),
             qPrintable(v->richieste.join(u"|")));
    QVERIFY(!v->richieste.last().contains(QStringLiteral("Po")));
}

void TestFinestreEsplorazione::nomeDuranteLaLettura() {
    // A click cuts the sentence off; when the name has been said the reading goes on.
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    VoceFinta* v = voce(f);
    dialogo.risposta = Dati + QStringLiteral("/testi/Prova/breve.rtf");
    f->Azione(QStringLiteral("mnuApri"))->trigger();
    f->Azione(QStringLiteral("mnuLeggiTesto"))->trigger();
    v->SimulaSegnalibro(5);
    emit f->Mappa()->FSCommand(QStringLiteral("elementoGamma"), QString());
    QCOMPARE(v->pronunciati.size(), 1);
    QVERIFY(v->pronunciati[0].endsWith(QStringLiteral("Gamma")));
    v->SimulaFine();
    QVERIFY(v->richieste.last().contains(QStringLiteral("\\Mrk=9\\ Il")));
    // "&Leggi" while a sentence is still queued does not make the reading jump ahead.
    f->Azione(QStringLiteral("mnuLeggi"))->trigger();
    const int richieste = int(v->richieste.size());
    v->SimulaFine(); // the sentence
    v->SimulaFine(); // the name
    QCOMPARE(int(v->richieste.size()), richieste);
}

void TestFinestreEsplorazione::parlatoSpento() {
    Stato().Profilo.ParlatoAttivo = false;
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    emit f->Mappa()->FSCommand(QStringLiteral("elementoBeta"), QString());
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    f->Azione(QStringLiteral("mnuLeggi"))->trigger();
    QVERIFY(voce(f)->richieste.isEmpty());
    QVERIFY(!f->assistente()->isVisible());
}

void TestFinestreEsplorazione::esci_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("ritorno");
    QTest::newRow("politica") << "FormMappaPol" << Navigazione::MenuAttivita;
    QTest::newRow("fisica") << "FormMappaFis" << Navigazione::MenuAttivita;
    QTest::newRow("politica regionale") << "FormMappaPolReg" << Navigazione::SceltaRegione;
}

void TestFinestreEsplorazione::esci() {
    QFETCH(QString, finestra);
    QFETCH(QString, ritorno);
    if (finestra == u"FormMappaPolReg") {
        Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
        Stato().AreaScelta = QStringLiteral("Italia");
        Stato().RegioneScelta = QStringLiteral("Lombardia");
    }
    auto* f = qobject_cast<FinestraAttivita*>(Navigazione::Mostra(finestra));
    QVERIFY(f);
    QPointer<FinestraAttivita> guardia(f);
    VoceFinta* v = voce(f);
    const int fermate = v->fermate;
    f->Azione(QStringLiteral("mnuEsci"))->trigger();
    QVERIFY(v->fermate > fermate); // deleted with the window, later
    auto* menu = dynamic_cast<FinestraSegnaposto*>(Navigazione::Esistente(ritorno));
    QVERIFY(menu);
    QCOMPARE(menu->attivazioni, 1);
    QTRY_VERIFY(guardia.isNull());
}

void TestFinestreEsplorazione::regioneCaso() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    Stato().AreaScelta = QStringLiteral("Italia");
    CaricaRegioniItalia(Stato().Catalogo);
    Stato().RegioneScelta = QStringLiteral("tutte");
    int regioni = 0;
    FormMappaPolReg::ImpostaEstrazione([&regioni](int n) {
        regioni = n;
        return 0;
    });
    auto* f = apri<FormMappaPolReg>(QStringLiteral("FormMappaPolReg"));
    QCOMPARE(regioni, 20);
    QCOMPARE(f->Regione(), QStringLiteral("Abruzzo")); // the first region of the provinces
    QVERIFY2(f->Mappa()->ultimoErrore().isEmpty(), qPrintable(f->Mappa()->ultimoErrore()));
    // Slot 0 is empty and the scanning passes over it.
    QVERIFY(f->Elementi().first().nome.isEmpty());
    QVERIFY(f->Elementi().size() > 2);
    chiudi(f);
    Stato().Profilo.ModalitaAccesso = 2;
    auto* g = apri<FormMappaPolReg>(QStringLiteral("FormMappaPolReg"));
    rilascia(g, Qt::Key_Space);
    QCOMPARE(g->Text1()->text(), g->Elementi()[1].nome);
    for (int i = 1; i < g->Elementi().size(); ++i)
        rilascia(g, Qt::Key_Space);
    QCOMPARE(Evidenziato(g), QStringLiteral("Esci"));
    rilascia(g, Qt::Key_Space);
    QCOMPARE(g->Text1()->text(), g->Elementi()[1].nome);
}

void TestFinestreEsplorazione::regioneFisicaMancante() {
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().RegioneScelta = QStringLiteral("Lombardia"); // no map in the fixture folder
    auto* chooser = Navigazione::Mostra(Navigazione::SceltaRegione);
    QVERIFY(chooser);
    Navigazione::Mostra(QStringLiteral("FormMappaRegioniFis"));
    QCOMPARE(messaggiFinti.errori, QStringList{MessaggioRegioneMancante});
    QTRY_VERIFY(!Navigazione::Esistente(QStringLiteral("FormMappaRegioniFis")));
    QVERIFY(chooser->isVisible());
}

void TestFinestreEsplorazione::regioneFisicaPresente() {
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().RegioneScelta = QStringLiteral("Molise");
    CaricaFisicoItalia(Stato().Fisico);
    const CatalogoFisico italia = Stato().Fisico;
    auto* f = apri<FormMappaRegioniFis>(QStringLiteral("FormMappaRegioniFis"));
    QVERIFY(f);
    QVERIFY(f->RegionePresente());
    QVERIFY(messaggiFinti.errori.isEmpty());
    // The region's own captions; the program's Italy table untouched.
    QCOMPARE(f->Azione(QStringLiteral("mnuDeserti"))->text(), QStringLiteral("Colline"));
    QCOMPARE(Stato().Fisico.NumeroElementiFisici, italia.NumeroElementiFisici);
    QCOMPARE(Stato().Fisico.ElencoFisico[0][0], italia.ElencoFisico[0][0]);
    QVERIFY(f->Catalogo().ElencoFisico[0][0] != italia.ElencoFisico[0][0]);
    f->Azione(QStringLiteral("mnuEsci"))->trigger();
    QVERIFY(Navigazione::Esistente(Navigazione::MenuAttivita));
}

void TestFinestreEsplorazione::fontGrandeNonTaglia() {
    Stato().Profilo.DimensioneFont = 48;
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    emit f->Mappa()->FSCommand(QStringLiteral("elementoGamma"), QString());
    const QFontMetrics fm(f->Text1()->font());
    QCOMPARE(f->Text1()->font().pointSize(), 48);
    QVERIFY(f->Text1()->height() >= fm.height());
    QVERIFY(f->Text1()->y() + f->Text1()->height() <= f->PictureAltezza()->height());
    QVERIFY(f->Picture1()->height() > 0);
}

void TestFinestreEsplorazione::nomiAccessibiliEScorciatoie() {
    auto* f = apri<FormMappaFis>(QStringLiteral("FormMappaFis"));
    for (const char* nome :
         {"Picture1", "ShockwaveFlash1", "Text1", "HScroll1", "VScroll1", "PictureFrecce",
          "PictureScansioneManuale", "PictureScansioneAutomatica", "RichTextBox1", "BarraMenu"}) {
        auto* w = f->findChild<QWidget*>(QLatin1String(nome));
        QVERIFY2(w, nome);
        QVERIFY2(!w->accessibleName().isEmpty(), nome);
    }
    // Every command of the window can be given from the keyboard.
    for (QAction* a : f->findChildren<QAction*>()) {
        if (a->isSeparator() || a->menu() || a->objectName().isEmpty() ||
            a->objectName().startsWith(u"mnuTutto"))
            continue;
        const bool mnemonico = a->text().contains(u'&');
        QVERIFY2(!a->shortcut().isEmpty() || mnemonico, qPrintable(a->objectName()));
    }
    QVERIFY(f->Azione(QStringLiteral("mnuStampaMappaBN"))->isEnabled());
    QCOMPARE(f->Azione(QStringLiteral("mnuStampaMappaBN"))->shortcut(),
             QKeySequence(Qt::CTRL | Qt::Key_S));
}

void TestFinestreEsplorazione::scorciatoie_data() {
    QTest::addColumn<int>("tasto");
    QTest::addColumn<int>("modificatori");
    QTest::addColumn<QString>("effetto");
    QTest::newRow("Ctrl+I ingrandisce") << int(Qt::Key_I) << int(Qt::ControlModifier) << "zoom";
    QTest::newRow("Ctrl+T nasconde il nome")
        << int(Qt::Key_T) << int(Qt::ControlModifier) << "nome";
    QTest::newRow("F2 apre un testo") << int(Qt::Key_F2) << int(Qt::NoModifier) << "dialogo";
    QTest::newRow("Alt+L legge il nome") << int(Qt::Key_L) << int(Qt::AltModifier) << "leggi";
    QTest::newRow("Alt+E esce") << int(Qt::Key_E) << int(Qt::AltModifier) << "esci";
}

void TestFinestreEsplorazione::scorciatoie() {
    // The commands reach the window from the keyboard while the keys of the access mode sit on
    // their receiver.
    QFETCH(int, tasto);
    QFETCH(int, modificatori);
    QFETCH(QString, effetto);
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    QVERIFY(QTest::qWaitForWindowActive(f));
    emit f->Mappa()->FSCommand(QStringLiteral("elementoBeta"), QString());
    QPointer<FormMappaPol> guardia(f);
    const QSize mappa = f->Mappa()->size();
    const int richieste = int(voce(f)->richieste.size());
    QTest::keyClick(f->RicevitoreAttivo(), Qt::Key(tasto), Qt::KeyboardModifiers(modificatori));
    if (effetto == u"zoom")
        QVERIFY(f->Mappa()->height() > mappa.height());
    else if (effetto == u"nome")
        QVERIFY(!f->NomeVisibile());
    else if (effetto == u"dialogo")
        QCOMPARE(dialogo.chiamate, 1);
    else if (effetto == u"leggi")
        QCOMPARE(int(voce(f)->richieste.size()), richieste + 1);
    else if (effetto == u"esci")
        QTRY_VERIFY(guardia.isNull());
}

void TestFinestreEsplorazione::riattivazioneAzzera() {
    Stato().Profilo.ModalitaAccesso = 2;
    auto* f = apri<FormMappaPol>(QStringLiteral("FormMappaPol"));
    f->Azione(QStringLiteral("mnuIngrandisci"))->trigger();
    rilascia(f, Qt::Key_Space);
    rilascia(f, Qt::Key_Space);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Beta"));
    // Shown again (after a modal window, or by the navigation): zoom back to "Normale", the
    // scanning from the start, the profile read again.
    Stato().Profilo.ModalitaAccesso = 0;
    f->Attivazione();
    QCOMPARE(f->Mappa()->size(), f->Picture1()->size());
    QCOMPARE(f->RicevitoreAttivo(), f->PictureFrecce());
    Stato().Profilo.ModalitaAccesso = 2;
    f->Attivazione();
    rilascia(f, Qt::Key_Space);
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
}

namespace {
// A window of the next wave: a button beside the name box and a status bar.
class FinestraConControlli : public FormMappaPol {
public:
    QPushButton* cambia = new QPushButton(QStringLiteral("&Cambia"));
    QLabel* stato = new QLabel(QStringLiteral("Esatti 0   Errati 0"));
    int cambi = 0;
    FinestraConControlli() {
        ImpostaControlloAccantoAlNome(cambia);
        ImpostaBarraStato(stato);
        QObject::connect(cambia, &QPushButton::clicked, this, [this] { ++cambi; });
    }

protected:
    QList<QAbstractButton*> FermatePrimaDiEsci() const override { return {cambia}; }
};
} // namespace

void TestFinestreEsplorazione::controlliDelleAttivita() {
    Stato().Profilo.DimensioneFont = 48;
    Navigazione::Registra(QStringLiteral("Prova"), [] { return new FinestraConControlli; });
    auto* f = dynamic_cast<FinestraConControlli*>(Navigazione::Mostra(QStringLiteral("Prova")));
    QVERIFY(f);
    f->cambia->setFont(f->Text1()->font());
    f->Attivazione();
    const QRect nome = f->Text1()->geometry();
    const QRect bottone = f->cambia->geometry();
    const QRect stato = f->stato->geometry();
    QVERIFY(f->cambia->isVisible());
    QVERIFY(!nome.intersects(bottone));
    QVERIFY(!nome.intersects(stato));
    QVERIFY(!f->Picture1()->geometry().intersects(stato));
    QVERIFY(bottone.width() >= f->cambia->sizeHint().width());
    QCOMPARE(stato.bottom(), f->PictureAltezza()->height() - 1);
    // With the name box hidden the button goes with it; the map takes the room.
    f->Azione(QStringLiteral("mnuVisual"))->trigger();
    QVERIFY(!f->cambia->isVisible());
    QCOMPARE(f->Picture1()->height(), stato.top());
}

void TestFinestreEsplorazione::esciPerInterruttore_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<int>("modalita");
    QTest::addColumn<QString>("ritorno");
    for (const int m : {2, 3}) {
        const char* modo = m == 2 ? "manuale" : "automatica";
        QTest::addRow("politica, %s", modo) << "FormMappaPol" << m << Navigazione::MenuAttivita;
        QTest::addRow("fisica, %s", modo) << "FormMappaFis" << m << Navigazione::MenuAttivita;
        QTest::addRow("politica regionale, %s", modo)
            << "FormMappaPolReg" << m << Navigazione::SceltaRegione;
    }
}

void TestFinestreEsplorazione::esciPerInterruttore() {
    // After the last element the highlight reaches "Esci", beside the name box, painted like the
    // elements; choosing it leaves the window as the menu's "&Esci" does.
    QFETCH(QString, finestra);
    QFETCH(int, modalita);
    QFETCH(QString, ritorno);
    if (finestra == u"FormMappaPolReg") {
        Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
        Stato().AreaScelta = QStringLiteral("Italia");
        Stato().RegioneScelta = QStringLiteral("Lombardia");
    }
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    auto* f = qobject_cast<FinestraAttivita*>(Navigazione::Mostra(finestra));
    QVERIFY(f);
    QPointer<FinestraAttivita> guardia(f);
    QPushButton* esci = f->PulsanteEsci();
    QVERIFY(esci->isVisible());
    QCOMPARE(f->Fermate().constLast(), esci);
    QCOMPARE(esci->accessibleName(), QStringLiteral("Esci"));
    // Beside the name box, on its line.
    QCOMPARE(esci->y(), f->Text1()->y());
    QVERIFY(esci->x() >= f->Text1()->geometry().right());
    const QString stileProprio = esci->styleSheet();

    if (modalita == 3) {
        premi(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Space);
    }
    int passi = 0;
    while (!f->FermataEvidenziata() && passi++ < 400) {
        if (modalita == 2)
            rilascia(f, Qt::Key_Space);
        else
            f->AvanzaOrologio(1000);
    }
    QCOMPARE(f->FermataEvidenziata(), esci);
    const ProfiloUtente& p = Stato().Profilo;
    const QString evidenziazione = f->TipoMappa() == FinestraAttivita::Tipo::Politica
                                       ? ColoriFinestraPolitica(p).evidenziazione
                                       : ColoriFinestraFisica(p).evidenziazione;
    QVERIFY2(esci->styleSheet().contains(evidenziazione, Qt::CaseInsensitive),
             qPrintable(esci->styleSheet()));
    // Passed: it looks as before.
    if (modalita == 2) {
        rilascia(f, Qt::Key_Space);
        QVERIFY(!f->FermataEvidenziata());
        QCOMPARE(esci->styleSheet(), stileProprio);
        while (!f->FermataEvidenziata() && passi++ < 800)
            rilascia(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Return);
    } else {
        premi(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Space);
    }
    auto* menu = dynamic_cast<FinestraSegnaposto*>(Navigazione::Esistente(ritorno));
    QVERIFY(menu);
    QCOMPARE(menu->attivazioni, 1);
    QTRY_VERIFY(guardia.isNull());
}

void TestFinestreEsplorazione::fermataPrimaDiEsci_data() {
    QTest::addColumn<int>("modalita");
    QTest::newRow("manuale") << 2;
    QTest::newRow("automatica") << 3;
}

void TestFinestreEsplorazione::fermataPrimaDiEsci() {
    // A window's own stop ("Cambia" of the quizzes) comes after the elements and before "Esci";
    // choosing it clicks it and the window stays. A disabled one is passed over.
    QFETCH(int, modalita);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    Navigazione::Registra(QStringLiteral("Prova"), [] { return new FinestraConControlli; });
    auto* f = dynamic_cast<FinestraConControlli*>(Navigazione::Mostra(QStringLiteral("Prova")));
    QVERIFY(f);
    QCOMPARE(f->Fermate(), (QList<QAbstractButton*>{f->cambia, f->PulsanteEsci()}));
    QVERIFY(f->cambia->isVisible() && f->PulsanteEsci()->isVisible());
    QVERIFY(!f->cambia->geometry().intersects(f->PulsanteEsci()->geometry()));
    QVERIFY(f->cambia->x() < f->PulsanteEsci()->x());
    const auto passo = [&] {
        if (modalita == 2)
            rilascia(f, Qt::Key_Space);
        else
            f->AvanzaOrologio(1000);
        return Evidenziato(f);
    };
    if (modalita == 3) {
        premi(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Space);
    }
    QStringList visti;
    for (int i = 0; i < 7; ++i)
        visti << passo();
    QCOMPARE(visti, (QStringList{"Alfa", "Beta", "Gamma", "Isolotto", "&Cambia", "Esci", "Alfa"}));
    for (int i = 0; i < 4; ++i)
        passo();
    QCOMPARE(f->FermataEvidenziata(), f->cambia);
    if (modalita == 2) {
        rilascia(f, Qt::Key_Return);
    } else {
        premi(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Space);
    }
    QCOMPARE(f->cambi, 1);
    QVERIFY(f->isVisible());
    QVERIFY(voce(f)->richieste.isEmpty());

    f->cambia->setEnabled(false);
    if (modalita == 3) {
        premi(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Space);
    }
    visti.clear();
    for (int i = 0; i < 6; ++i)
        visti << passo();
    QCOMPARE(visti, (QStringList{"Esci", "Alfa", "Beta", "Gamma", "Isolotto", "Esci"}));

    // The map full screen: the window's control goes with the name box, "Esci" stays in the
    // corner of the map and in the cycle.
    f->cambia->setEnabled(true);
    f->Azione(QStringLiteral("mnuVisual"))->trigger();
    QVERIFY(!f->cambia->isVisible());
    QVERIFY(f->PulsanteEsci()->isVisible());
    QVERIFY(f->Picture1()->geometry().contains(f->PulsanteEsci()->geometry()));
    visti.clear();
    for (int i = 0; i < 5; ++i)
        visti << passo();
    QCOMPARE(visti, (QStringList{"Alfa", "Beta", "Gamma", "Isolotto", "Esci"}));
}

void TestFinestreEsplorazione::unaPressioneUnaAzione_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<int>("modalita");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<FlussoTasti>("flusso");
    QTest::addColumn<int>("consegna");
    using namespace FlussiTasti;
    const struct {
        const char* nome;
        FlussoTasti (*flusso)(int);
    } flussi[] = {
        {"tenuto 1,5 s non segnato",
         [](int t) { return Tenuto(t, 0, 1500, Contrassegno::Nessuno); }},
        {"tenuto 3 s a segni alterni",
         [](int t) { return Tenuto(t, 0, 3000, Contrassegno::Alterni); }},
        {"rimbalzante", [](int t) { return Rimbalzante(t, 0); }},
        {"pulito", [](int t) { return Pulito(t, 0); }},
    };
    const struct {
        const char* nome;
        int modalita;
        int tasto;
    } modi[] = {{"manuale, Spazio", 2, Qt::Key_Space},
                {"manuale, Invio", 2, Qt::Key_Return},
                {"automatica, Spazio", 3, Qt::Key_Space}};
    for (const char* finestra : {"FormMappaPol", "FormMappaFis"})
        for (const auto& m : modi)
            for (const auto& fl : flussi)
                for (const Consegna c : {Consegna::Regolare, Consegna::PressioneInRitardo})
                    QTest::addRow("%s, %s, %s%s", finestra, m.nome, fl.nome,
                                  c == Consegna::Regolare ? "" : ", pressioni in ritardo")
                        << QString(finestra) << m.modalita << m.tasto << fl.flusso(m.tasto)
                        << int(c);
}

void TestFinestreEsplorazione::unaPressioneUnaAzione() {
    // However the switch reaches the program (held, bouncing, with repeats the toolkit did not
    // flag), one use is one action: one step, one choice, one stop of the automatic scanning.
    QFETCH(QString, finestra);
    QFETCH(int, modalita);
    QFETCH(int, tasto);
    QFETCH(FlussoTasti, flusso);
    QFETCH(int, consegna);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    auto* f = qobject_cast<FinestraAttivita*>(Navigazione::Mostra(finestra));
    QVERIFY(f);
    QString primo;
    if (modalita == 2 && tasto == Qt::Key_Return) {
        rilascia(f, Qt::Key_Space);
        primo = Evidenziato(f);
    } else if (modalita == 3) {
        premi(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Space);
        f->AvanzaOrologio(1000);
        primo = Evidenziato(f);
        QVERIFY(f->Scansione().ScansioneAttiva());
    }
    TastiFinestra::Riproduci(flusso, FlussiTasti::Consegna(consegna),
                             [f] { return f->RicevitoreAttivo(); });
    const int richieste = int(voce(f)->richieste.size());
    if (modalita == 2 && tasto == Qt::Key_Space) {
        // One step from nothing: the first element.
        QVERIFY(richieste == 0);
        QCOMPARE(f->Scansione().Indice(), 0);
    } else if (modalita == 2) {
        QCOMPARE(richieste, 1);
        QCOMPARE(Evidenziato(f), primo);
    } else {
        // Stopped once on the element and its name spoken once.
        QCOMPARE(richieste, 1);
        QVERIFY(!f->Scansione().ScansioneAttiva());
        QCOMPARE(Evidenziato(f), primo);
    }
}

void TestFinestreEsplorazione::barraLeggibile_data() {
    // The political windows take the profile's text colours, the physical ones the physical
    // scheme's (entries 1 and 11); personal schemes give text and background one colour.
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("colore");
    QTest::addColumn<int>("punti");
    for (int punti : {24, 48}) {
        for (int n = 1; n <= NumeroPresetPolitici; ++n)
            QTest::addRow("politica, Configurazione %d, %d punti", n, punti)
                << "FormMappaPol" << n << -1 << punti;
        for (int n = 1; n <= NumeroPresetFisici; ++n)
            QTest::addRow("fisica, Configurazione %d, %d punti", n, punti)
                << "FormMappaFis" << n << -1 << punti;
        for (int c : {0, 100, 215}) {
            QTest::addRow("politica, testo uguale allo sfondo %d, %d punti", c, punti)
                << "FormMappaPol" << 0 << c << punti;
            QTest::addRow("fisica, testo uguale allo sfondo %d, %d punti", c, punti)
                << "FormMappaFis" << 0 << c << punti;
        }
    }
}

void TestFinestreEsplorazione::barraLeggibile() {
    QFETCH(QString, finestra);
    QFETCH(int, preset);
    QFETCH(int, colore);
    QFETCH(int, punti);
    ProfiloUtente& p = Stato().Profilo;
    p.DimensioneFont = qint16(punti);
    const bool fisica = finestra == u"FormMappaFis";
    if (preset > 0 && fisica) {
        ApplicaPresetFisico(p, preset);
    } else if (preset > 0) {
        ApplicaPresetPolitico(p, preset);
    } else if (fisica) {
        p.SchemaFisico[1] = p.SchemaFisico[11] = qint16(colore);
    } else {
        p.ColoreTesto = p.ColoreSfondo = qint16(colore);
    }
    auto* f = qobject_cast<FinestraAttivita*>(Navigazione::Mostra(finestra));
    QVERIFY(f);
    // A school screen.
    f->resize(1280, 800);
    f->Attivazione();
    QMenuBar* barra = f->BarraMenu();
    QVERIFY(barra->isVisible() && barra->height() > 0);
    const auto voci = ContrastoDisegnato::VociDellaBarra(barra);
    QVERIFY(voci.size() >= 4);
    for (const auto& [voce, rapporto] : voci)
        QVERIFY2(rapporto >= Contrasto::Minimo,
                 qPrintable(QStringLiteral("%1: %2").arg(voce).arg(rapporto)));
    // Every entry on the bar, none behind the overflow button; the profile's size when it fits.
    for (QAction* a : barra->actions())
        if (a->isVisible())
            QVERIFY2(barra->rect().contains(barra->actionGeometry(a)), qPrintable(a->text()));
    QVERIFY(barra->font().pointSize() <= punti);
    if (punti == 24)
        QCOMPARE(barra->font().pointSize(), punti);
    // The bar does not cover the map.
    QVERIFY(f->PictureAltezza()->y() >= barra->geometry().bottom());
}

QTEST_MAIN(TestFinestreEsplorazione)
#include "test_finestre_esplorazione.moc"

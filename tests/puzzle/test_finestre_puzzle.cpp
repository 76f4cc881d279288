#include "activities/puzzles/FormPuzzle.h"
#include "activities/puzzles/Registrazione.h"
#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/NomiFinestre.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/Suoni.h"
#include "workspace/voce/VoceFinta.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The four puzzle windows driven as a pupil drives them: pieces dragged with the mouse through
// the map widget, Space and Enter on the scanning receivers, the menu commands. The political
// and physical "Prova" maps stand for an area; Molise, from the program's data, for a region.

namespace {

class MessaggiFinti : public Messaggi {
public:
    QStringList informazioni;
    QStringList errori;
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString& testo, const QString&) override {
        informazioni << testo;
    }
    void Errore(QWidget*, const QString& testo, const QString&) override { errori << testo; }
};

class SuoniRegistrati : public RiproduttoreSuoni {
public:
    QStringList suonati;
    void Riproduci(const QString& percorso) override { suonati << percorso; }
};

class FinestraSegnaposto : public FinestraProgramma {
public:
    using FinestraProgramma::FinestraProgramma;
    void Attivazione() override { ++attivazioni; }
    int attivazioni = 0;
};

const QString Prova = QStringLiteral(ORBISTO_TEST_DATA_DIR "/dati");
const QString DatiProgramma = QStringLiteral(ORBISTO_SOURCE_DATA_DIR);

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
        {"Pianura Grande", "pianura"}, {"Lago Piccolo", "fiume"},   {"Deserto Rosso", "deserto"},
        {"Fiume Uno", "fiume"},        {"Monte Uno", "monte"},      {"Isola Minuscola", "altri"},
        {"Confine", "altri"},          {"Indistinto", "indistinto"}};
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

class TestFinestrePuzzle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void registrate();
    void attivazione_data();
    void attivazione();
    void trascinaPezzo_data();
    void trascinaPezzo();
    void partitaColMouse();
    void pezzoInVistaConZoom();
    void colpitoIgnorato_data();
    void colpitoIgnorato();
    void secondoColpitoNellaPausa();
    void scansioneManuale();
    void secondoInvioNellaPausa();
    void scansioneAutomatica();
    void cambiaDallaScansione();
    void partitaInScansione_data();
    void partitaInScansione();
    void cambiaDopoLaFine();
    void senzaPezzi();
    void decolora_data();
    void decolora();
    void regioneACaso_data();
    void regioneACaso();
    void regioneFisicaMancante();
    void ricomincia();
    void comandiEScorciatoie();

private:
    FinestraPuzzle* apri(const QString& nome);
    VoceFinta* voce(FinestraAttivita* f) {
        return qobject_cast<VoceFinta*>(f->assistente()->Voce());
    }
    // The switches, through the program's switch filter as the window system sends them.
    void premi(FinestraAttivita* f, Qt::Key tasto) {
        TastiFinestra::Premi(f->RicevitoreAttivo(), tasto);
    }
    // A release, pressed first unless the test holds the key.
    void rilascia(FinestraAttivita* f, Qt::Key tasto) {
        TastiFinestra::Clic(f->RicevitoreAttivo(), tasto);
    }
    void spazio(FinestraAttivita* f) {
        premi(f, Qt::Key_Space);
        rilascia(f, Qt::Key_Space);
    }
    // Manual scanning: Space until the highlight is on stop, then Enter. False if it never gets
    // there within a full turn.
    bool scegliManuale(FinestraPuzzle* f, int stop);
    // Automatic scanning (moving): time until the highlight is on stop, then Space.
    bool scegliAutomatica(FinestraPuzzle* f, int stop);
    QPoint puntoPosto(const VistaMappa& v, const QString& nome);

    QTemporaryDir impostazioni;
    MessaggiFinti messaggiFinti;
    SuoniRegistrati suoni;
    QList<double> pause;
    std::function<void()> duranteLaPausa;
};

void TestFinestrePuzzle::initTestCase() {
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([this](double s) {
        pause << s;
        if (auto f = std::exchange(duranteLaPausa, {}))
            f();
    });
    ImpostaMessaggi(&messaggiFinti);
    ImpostaRiproduttore(&suoni);
}

void TestFinestrePuzzle::init() {
    Percorsi::ImpostaCartellaProgramma(Prova);
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
    RegistraFinestrePuzzle();
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraSegnaposto; });
    Navigazione::Registra(Navigazione::SceltaRegione, [] { return new FinestraSegnaposto; });
    messaggiFinti = MessaggiFinti{};
    suoni.suonati.clear();
    pause.clear();
    duranteLaPausa = {};
    // Draws in order: always the first piece still to place.
    FinestraPuzzle::ImpostaEstrazione([](int) { return 0; });
}

void TestFinestrePuzzle::cleanup() {
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraProgramma*>(w))
            finestre << w;
    for (const QPointer<QWidget>& w : finestre)
        delete w.data();
    FinestraPuzzle::ImpostaEstrazione({});
}

FinestraPuzzle* TestFinestrePuzzle::apri(const QString& nome) {
    return qobject_cast<FinestraPuzzle*>(Navigazione::Mostra(nome));
}

bool TestFinestrePuzzle::scegliManuale(FinestraPuzzle* f, int stop) {
    for (int passi = 0; passi <= f->StopCambia() + 2; ++passi) {
        if (f->Scansione().Indice() == stop) {
            rilascia(f, Qt::Key_Return);
            return true;
        }
        rilascia(f, Qt::Key_Space);
    }
    return false;
}

bool TestFinestrePuzzle::scegliAutomatica(FinestraPuzzle* f, int stop) {
    const int intervallo = f->Scansione().Impostazioni().intervalloMs;
    for (int passi = 0; passi <= f->StopCambia() + 2; ++passi) {
        if (f->Scansione().Indice() == stop) {
            spazio(f);
            return true;
        }
        f->AvanzaOrologio(intervallo);
    }
    return false;
}

QPoint TestFinestrePuzzle::puntoPosto(const VistaMappa& v, const QString& nome) {
    const int i = v.dati()->indiciDi(nome).value(0, -1);
    const bool simbolo = v.haMarcatore(i) || v.dati()->elementi[i].forma == FormaElemento::Punto;
    return (simbolo ? v.puntoDiPresa(i) : v.rettangoloElemento(i).center()).toPoint();
}

// ---------------------------------------------------------------------------------------------

void TestFinestrePuzzle::registrate() {
    // The names the menus light their "Puzzle" tiles with.
    for (const QString& nome : {NomiFinestre::PuzzlePolitico, NomiFinestre::PuzzlePoliticoRegione,
                                NomiFinestre::PuzzleFisico, NomiFinestre::PuzzleFisicoRegione})
        QVERIFY2(Navigazione::Disponibile(nome), qPrintable(nome));
}

void TestFinestrePuzzle::attivazione_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<int>("modalita");
    QTest::addColumn<QString>("suffisso");
    QTest::newRow("politico, mouse") << "FormPuzzlePolitico" << 0 << "pol2.swf";
    QTest::newRow("politico, scansione") << "FormPuzzlePolitico" << 2 << "pol2scansione.swf";
    QTest::newRow("fisico, mouse") << "FormPuzzleFisico" << 0 << "fis2.swf";
    QTest::newRow("fisico, automatica") << "FormPuzzleFisico" << 3 << "fis2scansione.swf";
}

void TestFinestrePuzzle::attivazione() {
    QFETCH(QString, finestra);
    QFETCH(int, modalita);
    QFETCH(QString, suffisso);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    FinestraPuzzle* f = apri(finestra);
    QVERIFY(f);
    QVERIFY2(f->Mappa()->ultimoErrore().isEmpty(), qPrintable(f->Mappa()->ultimoErrore()));
    QVERIFY(f->Mappa()->movie().endsWith(suffisso));
    // The first piece is offered after the pause of a second and a half: named, spoken and in
    // the map's tray.
    QVERIFY(pause.contains(1.5));
    const QString nome = f->Gioco().NomeCorrente();
    QVERIFY(!nome.isEmpty());
    QCOMPARE(f->Text1()->text(), nome);
    QVERIFY(voce(f)->richieste.last().endsWith(nome));
    QCOMPARE(f->Mappa()->vista().pezzoOfferto(), nome);
    QCOMPARE(f->Gioco().PezziOfferti(), 1);
    QVERIFY(f->Azione("mnuEsci")->isEnabled());
    QVERIFY(f->CommandCambia()->isEnabled());
    // The large pointer of the puzzle maps with the mouse (the pieces are dragged with it).
    if (modalita == 0)
        QCOMPARE(f->Mappa()->cursor().shape(), Qt::BitmapCursor);
    // Every place empty, every piece in the piece colour.
    const ProfiloUtente& p = Stato().Profilo;
    const bool fisica = finestra == u"FormPuzzleFisico";
    const QString vuoto = Tavolozza::Esadecimale(fisica ? p.SchemaFisico[0] : p.SchemaPolitico[5]);
    const QString pezzo = Tavolozza::Esadecimale(fisica ? p.SchemaFisico[10] : p.SchemaPolitico[4]);
    for (int i = 0; i < f->Gioco().Numero(); ++i) {
        const QString n = f->Gioco().Pezzo(i).nome;
        if (!f->Gioco().InGioco(i))
            continue;
        QCOMPARE(f->Mappa()->vista().colore(n), RGB(vuoto));
        QCOMPARE(f->Mappa()->vista().colore(n + u'p'), RGB(pezzo));
    }
}

void TestFinestrePuzzle::trascinaPezzo_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QPoint>("scarto");
    QTest::addColumn<bool>("colpito");
    QTest::newRow("politico, sul posto") << "FormPuzzlePolitico" << QPoint(0, 0) << true;
    QTest::newRow("politico, un po' accanto") << "FormPuzzlePolitico" << QPoint(18, -15) << true;
    QTest::newRow("politico, lontano") << "FormPuzzlePolitico" << QPoint(0, 260) << false;
    QTest::newRow("fisico, sul posto") << "FormPuzzleFisico" << QPoint(5, 5) << true;
    QTest::newRow("fisico, lontano") << "FormPuzzleFisico" << QPoint(-300, 0) << false;
}

void TestFinestrePuzzle::trascinaPezzo() {
    QFETCH(QString, finestra);
    QFETCH(QPoint, scarto);
    QFETCH(bool, colpito);
    FinestraPuzzle* f = apri(finestra);
    MappaWidget* mappa = f->Mappa();
    const VistaMappa& v = mappa->vista();
    const QString nome = f->Gioco().NomeCorrente();
    const int indice = f->Gioco().PezzoCorrente();
    QSignalSpy spia(mappa, &MappaWidget::FSCommand);
    const QRectF nelVassoio = v.rettangoloPezzoOfferto();
    QVERIFY(!nelVassoio.isNull());
    const QPoint presa = nelVassoio.center().toPoint();
    const QPoint rilascio = presa + (puntoPosto(v, nome) - nelVassoio.center().toPoint()) + scarto;
    QTest::mousePress(mappa, Qt::LeftButton, {}, presa);
    QTest::mouseMove(mappa, (presa + rilascio) / 2);
    QTest::mouseMove(mappa, rilascio);
    QTest::mouseRelease(mappa, Qt::LeftButton, {}, rilascio);
    const ProfiloUtente& p = Stato().Profilo;
    if (colpito) {
        QCOMPARE(spia.count(), 1);
        QCOMPARE(spia[0][1].toString(), QStringLiteral("colpito"));
        QVERIFY(f->Gioco().Posato(indice));
        QCOMPARE(v.colore(nome), RGB(f->Gioco().Pezzo(indice).colore));
        QCOMPARE(suoni.suonati.size(), 1);
        QVERIFY(suoni.suonati[0].endsWith(QStringLiteral("Puzzle.wav")));
        // The next piece is offered after the pause.
        QCOMPARE(pause.count(1.5), 2);
        QCOMPARE(f->Gioco().PezziOfferti(), 2);
        QVERIFY(f->Text1()->text() != nome);
        QCOMPARE(v.pezzoOfferto(), f->Text1()->text());
    } else {
        QCOMPARE(spia.count(), 0);
        QVERIFY(!f->Gioco().Posato(indice));
        QCOMPARE(f->Gioco().NomeCorrente(), nome);
        QVERIFY(suoni.suonati.isEmpty());
        QCOMPARE(v.rettangoloPezzoOfferto(), nelVassoio);
        const QString vuoto = Tavolozza::Esadecimale(
            finestra == u"FormPuzzleFisico" ? p.SchemaFisico[0] : p.SchemaPolitico[5]);
        QCOMPARE(v.colore(nome), RGB(vuoto));
    }
}

void TestFinestrePuzzle::partitaColMouse() {
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    QStringList posati;
    for (int k = 0; k < 4; ++k) {
        const QString nome = f->Gioco().NomeCorrente();
        QVERIFY(!nome.isEmpty());
        QVERIFY(messaggiFinti.informazioni.isEmpty());
        emit f->Mappa()->FSCommand(QStringLiteral("posato") + nome + u'p',
                                   QStringLiteral("colpito"));
        posati << nome;
    }
    // Four placements for four elements; the draw after the fourth ends the game.
    QCOMPARE(posati, (QStringList{"Alfa", "Beta", "Gamma", "Isolotto"}));
    QCOMPARE(messaggiFinti.informazioni, QStringList{FinestraPuzzle::MessaggioFine});
    QVERIFY(voce(f)->richieste.last().endsWith(FinestraPuzzle::MessaggioFine));
    QCOMPARE(suoni.suonati.size(), 4);
    QCOMPARE(f->Gioco().FaseGioco(), GiocoPuzzle::Fase::Finito);
    QVERIFY(f->Azione("mnuEsci")->isEnabled());
    QVERIFY(f->Text1()->text().isEmpty());
}

void TestFinestrePuzzle::pezzoInVistaConZoom() {
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    MappaWidget* mappa = f->Mappa();
    for (int volte = 0; volte < 3; ++volte) {
        f->Ingrandisci();
        QVERIFY(mappa->width() > f->Picture1()->width());
        // In sight in the viewport, whatever the scroll.
        for (int scorrimento : {0, 1}) {
            f->HScroll1()->setValue(scorrimento ? f->HScroll1()->maximum() : 0);
            f->VScroll1()->setValue(scorrimento ? f->VScroll1()->maximum() : 0);
            const QRect inVista(-mappa->pos(), f->Picture1()->size());
            const QRectF pezzo = mappa->vista().rettangoloPezzoOfferto();
            QVERIFY2(QRectF(inVista).contains(pezzo),
                     qPrintable(QStringLiteral("%1 %2").arg(volte).arg(scorrimento)));
        }
    }
}

void TestFinestrePuzzle::colpitoIgnorato_data() {
    QTest::addColumn<int>("modalita");
    QTest::addColumn<QString>("argomenti");
    QTest::addColumn<QString>("pezzo"); // "" for the piece on offer
    QTest::newRow("maiuscole") << 0 << "Colpito"
                               << "";
    QTest::newRow("argomenti vuoti") << 0 << ""
                                     << "";
    QTest::newRow("altro pezzo") << 0 << "colpito"
                                 << "Gammap";
    QTest::newRow("in scansione") << 2 << "colpito"
                                  << "";
}

void TestFinestrePuzzle::colpitoIgnorato() {
    QFETCH(int, modalita);
    QFETCH(QString, argomenti);
    QFETCH(QString, pezzo);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    const int corrente = f->Gioco().PezzoCorrente();
    if (pezzo.isEmpty())
        pezzo = f->Gioco().NomeCorrente() + u'p';
    emit f->Mappa()->FSCommand(QStringLiteral("posato") + pezzo, argomenti);
    emit f->Mappa()->FSCommand(QStringLiteral("p"), QStringLiteral("colpito"));
    QCOMPARE(f->Gioco().PezzoCorrente(), corrente);
    QCOMPARE(f->Gioco().DaPosare(), 4);
    QVERIFY(suoni.suonati.isEmpty());
}

void TestFinestrePuzzle::secondoColpitoNellaPausa() {
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    const QString nome = f->Gioco().NomeCorrente();
    const QString comando = QStringLiteral("posato") + nome + u'p';
    // The same hit reported again while the window waits before the next draw, and a Cambia.
    duranteLaPausa = [&] {
        emit f->Mappa()->FSCommand(comando, QStringLiteral("colpito"));
        f->Cambia();
    };
    emit f->Mappa()->FSCommand(comando, QStringLiteral("colpito"));
    QCOMPARE(f->Gioco().DaPosare(), 3);
    QCOMPARE(suoni.suonati.size(), 1);
    QCOMPARE(f->Gioco().PezziOfferti(), 2);
    QVERIFY(f->Gioco().NomeCorrente() != nome);
}

void TestFinestrePuzzle::scansioneManuale() {
    Stato().Profilo.ModalitaAccesso = 2;
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    QCOMPARE(f->RicevitoreAttivo(), f->PictureScansioneManuale());
    QCOMPARE(f->Gioco().NomeCorrente(), QStringLiteral("Alfa"));
    const QColor evid = RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[4]));
    // Enter before any Space does nothing.
    rilascia(f, Qt::Key_Return);
    QCOMPARE(f->Gioco().DaPosare(), 4);
    // A wrong place: nothing happens but the piece named again; no sound.
    spazio(f);
    spazio(f);
    QCOMPARE(f->Scansione().Indice(), 1);
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Beta")), evid);
    // The name box keeps the piece on offer while the highlight moves.
    QCOMPARE(f->Text1()->text(), QStringLiteral("Alfa"));
    const int richieste = int(voce(f)->richieste.size());
    rilascia(f, Qt::Key_Return);
    QCOMPARE(f->Gioco().DaPosare(), 4);
    QVERIFY(suoni.suonati.isEmpty());
    QCOMPARE(voce(f)->richieste.size(), richieste + 1);
    QVERIFY(voce(f)->richieste.last().endsWith(QStringLiteral("Alfa")));
    // The right place.
    QVERIFY(scegliManuale(f, 0));
    QVERIFY(f->Gioco().Posato(0));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[0])));
    QCOMPARE(f->Mappa()->vista().statoPezzo(QStringLiteral("Alfa")),
             VistaMappa::StatoPezzo::Nascosto);
    QCOMPARE(suoni.suonati.size(), 1);
    QCOMPARE(f->Gioco().NomeCorrente(), QStringLiteral("Beta"));
    // The placed place is passed over: Beta, Gamma, Isolotto, Cambia, Esci, Beta.
    QList<int> visti;
    for (int k = 0; k < 6; ++k) {
        spazio(f);
        visti << f->Scansione().Indice();
        if (visti.last() == f->StopCambia())
            QCOMPARE(f->FermataEvidenziata(), f->CommandCambia());
    }
    QCOMPARE(visti, (QList<int>{1, 2, 3, f->StopCambia(), f->StopCambia() + 1, 1}));
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[0])));
}

void TestFinestrePuzzle::secondoInvioNellaPausa() {
    Stato().Profilo.ModalitaAccesso = 2;
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    duranteLaPausa = [&] { rilascia(f, Qt::Key_Return); };
    QVERIFY(scegliManuale(f, 0));
    QCOMPARE(f->Gioco().DaPosare(), 3);
    QCOMPARE(suoni.suonati.size(), 1);
    QCOMPARE(f->Gioco().PezziOfferti(), 2);
}

void TestFinestrePuzzle::scansioneAutomatica() {
    Stato().Profilo.ModalitaAccesso = 3;
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    QCOMPARE(f->RicevitoreAttivo(), f->PictureScansioneAutomatica());
    // Stopped at activation; the first Space only starts the stepping.
    f->AvanzaOrologio(3000);
    QCOMPARE(f->Scansione().Indice(), -1);
    spazio(f);
    QCOMPARE(f->Gioco().DaPosare(), 4);
    QVERIFY(f->Scansione().ScansioneAttiva());
    f->AvanzaOrologio(1000);
    QCOMPARE(f->Scansione().Indice(), 0);
    f->AvanzaOrologio(1000);
    QCOMPARE(f->Scansione().Indice(), 1);
    // A wrong place: stopped there, nothing placed.
    spazio(f);
    QVERIFY(!f->Scansione().ScansioneAttiva());
    QCOMPARE(f->Gioco().DaPosare(), 4);
    f->AvanzaOrologio(5000);
    QCOMPARE(f->Scansione().Indice(), 1);
    // The next Space starts it again without choosing.
    spazio(f);
    QVERIFY(f->Scansione().ScansioneAttiva());
    QCOMPARE(f->Gioco().DaPosare(), 4);
    // Round to Alfa; chosen: placed, and the stepping goes on by itself.
    QVERIFY(scegliAutomatica(f, 0));
    QVERIFY(f->Gioco().Posato(0));
    QVERIFY(f->Scansione().ScansioneAttiva());
    f->AvanzaOrologio(1000);
    QCOMPARE(f->Scansione().Indice(), 1);
}

void TestFinestrePuzzle::cambiaDallaScansione() {
    Stato().Profilo.ModalitaAccesso = 2;
    int chiamata = 0;
    // The first draw gives Alfa, the one after Cambia the second piece left (Beta).
    FinestraPuzzle::ImpostaEstrazione([&](int) { return chiamata++ == 0 ? 0 : 1; });
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    QCOMPARE(f->Gioco().NomeCorrente(), QStringLiteral("Alfa"));
    QVERIFY(scegliManuale(f, f->StopCambia()));
    QCOMPARE(f->Gioco().NomeCorrente(), QStringLiteral("Beta"));
    QCOMPARE(f->Gioco().PezziOfferti(), 1);
    QCOMPARE(f->Mappa()->vista().statoPezzo(QStringLiteral("Alfa")),
             VistaMappa::StatoPezzo::Nascosto);
    QCOMPARE(f->Gioco().DaPosare(), 4);
}

void TestFinestrePuzzle::partitaInScansione_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<int>("modalita");
    QTest::addColumn<bool>("riparti");
    for (const char* nome : {"FormPuzzlePolitico", "FormPuzzlePoliticoReg", "FormPuzzleFisico",
                             "FormPuzzleFisicoRegioni"}) {
        QTest::addRow("%s, manuale", nome) << QString::fromLatin1(nome) << 2 << false;
        QTest::addRow("%s, automatica", nome) << QString::fromLatin1(nome) << 3 << false;
    }
    QTest::newRow("politico, manuale, riparti") << "FormPuzzlePolitico" << 2 << true;
    QTest::newRow("fisico, automatica, riparti") << "FormPuzzleFisico" << 3 << true;
}

void TestFinestrePuzzle::partitaInScansione() {
    QFETCH(QString, finestra);
    QFETCH(int, modalita);
    QFETCH(bool, riparti);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    Stato().Profilo.RipartiDopoSelezione = riparti;
    if (finestra.contains(QStringLiteral("Reg"))) {
        Percorsi::ImpostaCartellaProgramma(DatiProgramma);
        Stato().AreaScelta = QStringLiteral("Italia");
        CaricaCatalogoPolitico(Stato().Catalogo, QStringLiteral("Italia"));
        Stato().RegioneScelta = QStringLiteral("Molise");
    }
    FinestraPuzzle* f = apri(finestra);
    QVERIFY(f);
    QVERIFY2(f->Mappa()->ultimoErrore().isEmpty(), qPrintable(f->Mappa()->ultimoErrore()));
    const int pezzi = f->Gioco().PezziInGioco();
    QVERIFY(pezzi > 0);
    if (modalita == 3)
        spazio(f); // starts the stepping
    int posati = 0;
    while (f->Gioco().FaseGioco() == GiocoPuzzle::Fase::Offerta) {
        const int i = f->Gioco().PezzoCorrente();
        const bool scelto = modalita == 2 ? scegliManuale(f, i) : scegliAutomatica(f, i);
        QVERIFY2(scelto, qPrintable(f->Gioco().NomeCorrente()));
        QVERIFY(f->Gioco().Posato(i));
        ++posati;
        QVERIFY(posati <= pezzi);
        if (riparti && f->Gioco().FaseGioco() == GiocoPuzzle::Fase::Offerta) {
            // The next step starts again from the first place still empty.
            int primo = 0;
            while (f->Gioco().Inserito(primo))
                ++primo;
            if (modalita == 2)
                spazio(f);
            else
                f->AvanzaOrologio(f->Scansione().Impostazioni().intervalloMs);
            QCOMPARE(f->Scansione().Indice(), primo);
        }
    }
    QCOMPARE(posati, pezzi);
    QCOMPARE(messaggiFinti.informazioni, QStringList{FinestraPuzzle::MessaggioFine});
    QCOMPARE(suoni.suonati.size(), pezzi);
    // Every feature of the game in its own colour.
    for (int i = 0; i < f->Gioco().Numero(); ++i)
        if (f->Gioco().InGioco(i))
            QCOMPARE(f->Mappa()->vista().colore(f->Gioco().Pezzo(i).nome),
                     RGB(f->Gioco().Pezzo(i).colore));
    // Only "Cambia" is left to scan (automatic scanning goes on by itself after a right
    // choice), and it shows the end again.
    QVERIFY(modalita == 2 ? scegliManuale(f, f->StopCambia())
                          : scegliAutomatica(f, f->StopCambia()));
    QCOMPARE(messaggiFinti.informazioni.size(), 2);
}

void TestFinestrePuzzle::cambiaDopoLaFine() {
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    for (int k = 0; k < 4; ++k)
        emit f->Mappa()->FSCommand(QStringLiteral("posato") + f->Gioco().NomeCorrente() + u'p',
                                   QStringLiteral("colpito"));
    QCOMPARE(messaggiFinti.informazioni.size(), 1);
    f->CommandCambia()->click();
    f->Azione("mnuCambia")->trigger();
    QCOMPARE(messaggiFinti.informazioni.size(), 3);
    QCOMPARE(f->Gioco().FaseGioco(), GiocoPuzzle::Fase::Finito);
    QCOMPARE(f->Gioco().PezziOfferti(), 4);
    QVERIFY(f->Azione("mnuEsci")->isEnabled());
}

void TestFinestrePuzzle::senzaPezzi() {
    // An area whose catalog has nothing: the end at once, and the window can still be left.
    Stato().Catalogo = CatalogoArea{};
    Stato().Profilo.ModalitaAccesso = 2;
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    QVERIFY(f);
    QCOMPARE(messaggiFinti.informazioni, QStringList{FinestraPuzzle::MessaggioFine});
    QVERIFY(!pause.contains(1.5));
    QVERIFY(f->Azione("mnuEsci")->isEnabled());
    QVERIFY(f->CommandCambia()->isEnabled());
    // The scanning has only "Cambia".
    spazio(f);
    QCOMPARE(f->Scansione().Indice(), f->StopCambia());
    QPointer<FinestraPuzzle> io(f);
    f->Esci();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!io || !io->isVisible());
}

void TestFinestrePuzzle::decolora_data() {
    QTest::addColumn<QString>("categoria"); // object name of the "&Visualizza" entry
    QTest::addColumn<QStringList>("inGioco");
    const QStringList tutti{"Pianura Grande", "Lago Piccolo", "Deserto Rosso", "Fiume Uno",
                            "Monte Uno"};
    QTest::newRow("Tutto") << "mnuTutto" << tutti;
    QTest::newRow("Monti") << "mnuMonti" << QStringList{"Monte Uno"};
    QTest::newRow("Fiumi e Laghi") << "mnuFiumiLaghi" << QStringList{"Lago Piccolo", "Fiume Uno"};
}

void TestFinestrePuzzle::decolora() {
    QFETCH(QString, categoria);
    QFETCH(QStringList, inGioco);
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzleFisico"));
    // The world window has no "Altri" entry; the islands and the border are never pieces.
    QVERIFY(!f->Azione(QStringLiteral("mnuAltri")));
    f->Azione(categoria)->trigger();
    QVERIFY(f->Azione(categoria)->isChecked());
    const ProfiloUtente& p = Stato().Profilo;
    const QColor neutro = RGB(Tavolozza::Esadecimale(p.SchemaFisico[9]));
    for (bool decolora : {true, false}) {
        f->Azione(QStringLiteral("mnuDecolora"))->trigger();
        QCOMPARE(f->Azione(QStringLiteral("mnuDecolora"))->isChecked(), decolora);
        QCOMPARE(f->Azione(categoria)->isChecked(), true);
        QStringList visti;
        for (int i = 0; i < f->Gioco().Numero(); ++i) {
            const PezzoPuzzle& pz = f->Gioco().Pezzo(i);
            if (f->Gioco().InGioco(i)) {
                visti << pz.nome;
            } else if (pz.categoria != u"indistinto" && pz.categoria != u"altri") {
                QCOMPARE(f->Mappa()->vista().colore(pz.nome), decolora ? neutro : RGB(pz.colore));
            }
        }
        QCOMPARE(visti, inGioco);
        // The game goes on: a piece of the category is on offer.
        QVERIFY(inGioco.contains(f->Gioco().NomeCorrente()));
        QVERIFY(messaggiFinti.informazioni.isEmpty());
    }
}

void TestFinestrePuzzle::regioneACaso_data() {
    QTest::addColumn<QString>("finestra");
    QTest::newRow("politico") << "FormPuzzlePoliticoReg";
    QTest::newRow("fisico") << "FormPuzzleFisicoRegioni";
}

void TestFinestrePuzzle::regioneACaso() {
    QFETCH(QString, finestra);
    Percorsi::ImpostaCartellaProgramma(DatiProgramma);
    Stato().AreaScelta = QStringLiteral("Italia");
    CaricaCatalogoPolitico(Stato().Catalogo, QStringLiteral("Italia"));
    Stato().RegioneScelta = QStringLiteral("tutte");
    // Draw the region Molise (its index among the regions), then the pieces in order.
    QStringList regioni;
    for (const VoceCatalogo& v : TabellaPolitica(QStringLiteral("Italia")))
        regioni << v.nome;
    bool primo = true;
    FinestraPuzzle::ImpostaEstrazione([&](int n) {
        if (std::exchange(primo, false)) {
            // The political window lists the regions of the provinces table.
            CatalogoArea c;
            CaricaProvince(c);
            QStringList ordine;
            for (int i = 0; i <= c.NumeroProvince; ++i)
                if (!ordine.contains(c.ElencoProvince[i][1]))
                    ordine << c.ElencoProvince[i][1];
            const QStringList& elenco =
                n == ordine.size() && finestra.contains(u"Politico") ? ordine : regioni;
            return int(elenco.indexOf(QStringLiteral("Molise")));
        }
        return 0;
    });
    FinestraPuzzle* f = apri(finestra);
    QVERIFY(f);
    QVERIFY(messaggiFinti.errori.isEmpty());
    QVERIFY(f->Mappa()->movie().contains(QStringLiteral("regioniitaliane/Molise")));
    QVERIFY(f->Gioco().PezziInGioco() > 0);
    QCOMPARE(f->Gioco().FaseGioco(), GiocoPuzzle::Fase::Offerta);
    QVERIFY(messaggiFinti.informazioni.isEmpty());
}

void TestFinestrePuzzle::regioneFisicaMancante() {
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().RegioneScelta = QStringLiteral("Molise"); // no Molise map among the test's maps
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzleFisicoRegioni"));
    Q_UNUSED(f);
    QCOMPARE(messaggiFinti.errori,
             QStringList{QStringLiteral("Questa regione non è ancora stata inserita.")});
}

void TestFinestrePuzzle::ricomincia() {
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzlePolitico"));
    for (int k = 0; k < 2; ++k)
        emit f->Mappa()->FSCommand(QStringLiteral("posato") + f->Gioco().NomeCorrente() + u'p',
                                   QStringLiteral("colpito"));
    QCOMPARE(f->Gioco().DaPosare(), 2);
    f->Azione(QStringLiteral("mnuRicomincia"))->trigger();
    QCOMPARE(f->Gioco().DaPosare(), 4);
    QCOMPARE(f->Gioco().PezziOfferti(), 1);
    QCOMPARE(f->Mappa()->vista().colore(QStringLiteral("Alfa")),
             RGB(Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[5])));
    QCOMPARE(f->Mappa()->vista().pezzoOfferto(), f->Gioco().NomeCorrente());
    // A new activation (back from a modal window) starts a new game too.
    emit f->Mappa()->FSCommand(QStringLiteral("posato") + f->Gioco().NomeCorrente() + u'p',
                               QStringLiteral("colpito"));
    f->Attivazione();
    QCOMPARE(f->Gioco().DaPosare(), 4);
}

void TestFinestrePuzzle::comandiEScorciatoie() {
    FinestraPuzzle* f = apri(QStringLiteral("FormPuzzleFisico"));
    QStringList barra;
    for (QAction* a : f->BarraMenu()->actions())
        barra << a->text();
    QCOMPARE(barra, (QStringList{"&Stampa", "&Dimensioni", "&Cambia", "&Visualizza", "&Ricomincia",
                                 "&Leggi", "&Esci"}));
    QCOMPARE(f->Azione(QStringLiteral("mnuTutto"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    QCOMPARE(f->Azione(QStringLiteral("mnuDecolora"))->shortcut(),
             QKeySequence(Qt::CTRL | Qt::Key_Z));
    // The button says "&Cambia" but leaves Alt+C to the menu bar, so the key is not ambiguous.
    QCOMPARE(f->CommandCambia()->text(), QStringLiteral("&Cambia"));
    QVERIFY(f->CommandCambia()->shortcut().isEmpty());
    QVERIFY(!f->CommandCambia()->accessibleName().isEmpty());
    // "&Leggi" names the piece on offer again.
    const int richieste = int(voce(f)->richieste.size());
    f->Azione(QStringLiteral("mnuLeggi"))->trigger();
    QCOMPARE(voce(f)->richieste.size(), richieste + 1);
    QVERIFY(voce(f)->richieste.last().endsWith(f->Gioco().NomeCorrente()));
}

QTEST_MAIN(TestFinestrePuzzle)
#include "test_finestre_puzzle.moc"

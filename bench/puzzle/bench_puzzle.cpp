// The puzzles on the atlas's own largest maps, at 1920 x 1080.
// Budgets (Release build):
//   - a placement's round trip under 30 ms: the piece dropped on its place through the map
//     widget's mouse events, the place coloured, the sound started, the next piece drawn, named
//     and put on offer, the map repainted (the deliberate 1.5-second pause left out);
//   - a drag frame under 8 ms: the piece moved by the pointer and the map repainted.
//
//   QT_QPA_PLATFORM=offscreen build-release/bench/puzzle/bench_puzzle

#include "activities/puzzles/FormPuzzle.h"
#include "activities/puzzles/Registrazione.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Suoni.h"
#include "workspace/voce/VoceFinta.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

class MessaggiMuti : public Messaggi {
public:
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString&, const QString&) override {}
};

class SuoniMuti : public RiproduttoreSuoni {
public:
    int suonati = 0;
    void Riproduci(const QString&) override { ++suonati; }
};

QPointF PuntoDelPosto(const VistaMappa& v, const QString& nome) {
    const int i = v.dati()->indiciDi(nome).value(0, -1);
    if (v.haMarcatore(i) || v.dati()->elementi[i].forma == FormaElemento::Punto)
        return v.puntoDiPresa(i);
    return v.rettangoloElemento(i).center();
}

} // namespace

class BenchPuzzle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void posa_data();
    void posa();
    void fotogrammaTrascinamento_data();
    void fotogrammaTrascinamento();

private:
    QTemporaryDir impostazioni;
    MessaggiMuti messaggi_;
    SuoniMuti suoni_;
};

void BenchPuzzle::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([](double) {});
    ImpostaMessaggi(&messaggi_);
    ImpostaRiproduttore(&suoni_);
    RegistraFinestrePuzzle();
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraProgramma; });
}

void BenchPuzzle::posa_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("area");
    QTest::newRow("politico Asia") << "FormPuzzlePolitico"
                                   << "Asia";
    QTest::newRow("politico Europa") << "FormPuzzlePolitico"
                                     << "Europa";
    QTest::newRow("fisico Italia") << "FormPuzzleFisico"
                                   << "Italia";
}

void BenchPuzzle::posa() {
    QFETCH(QString, finestra);
    QFETCH(QString, area);
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().Profilo.ParlatoAttivo = true;
    Stato().Profilo.SuoniAttivi = true;
    Stato().AreaScelta = area;
    CaricaCatalogoPolitico(Stato().Catalogo, area);
    CaricaCatalogoFisico(Stato().Fisico, area);
    auto* f = qobject_cast<FinestraPuzzle*>(Navigazione::Mostra(finestra));
    QVERIFY(f);
    f->resize(1920, 1080);
    QCoreApplication::processEvents();
    MappaWidget* mappa = f->Mappa();
    const VistaMappa& v = mappa->vista();
    mappa->repaint();
    int mancati = 0;
    QBENCHMARK {
        if (f->Gioco().FaseGioco() != GiocoPuzzle::Fase::Offerta) {
            f->Ricomincia(); // a whole game placed: once in some fifty rounds
            mappa->repaint();
        }
        const QString nome = f->Gioco().NomeCorrente();
        const QPoint presa = v.rettangoloPezzoOfferto().center().toPoint();
        QTest::mousePress(mappa, Qt::LeftButton, {}, presa);
        // The piece picked up at its centre: its place's centre is where to drop it.
        const QPointF scarto = v.rettangoloPezzoOfferto().center() - QPointF(presa);
        const QPoint rilascio = (PuntoDelPosto(v, nome) - scarto).toPoint();
        QTest::mouseMove(mappa, rilascio);
        QTest::mouseRelease(mappa, Qt::LeftButton, {}, rilascio);
        mappa->repaint();
        if (f->Gioco().NomeCorrente() == nome)
            ++mancati;
    }
    QCOMPARE(mancati, 0);
    f->close();
    delete f;
}

void BenchPuzzle::fotogrammaTrascinamento_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<double>("zoom");
    QTest::newRow("politica Asia") << "swf/Asia/Asiapol2.swf" << 1.0;
    QTest::newRow("politica Asia, zoom x4") << "swf/Asia/Asiapol2.swf" << 4.0;
    QTest::newRow("fisica Italia") << "swf/Italia/Italiafis2.swf" << 1.0;
}

void BenchPuzzle::fotogrammaTrascinamento() {
    QFETCH(QString, chiave);
    QFETCH(double, zoom);
    QWidget schermo;
    schermo.resize(1920, 1080);
    MappaWidget w(&schermo);
    w.resize(int(1920 * zoom), int(1080 * zoom));
    QVERIFY2(w.caricaMappa(chiave), qPrintable(w.ultimoErrore()));
    schermo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&schermo));
    // The largest piece of the map.
    const DatiMappa* d = w.vista().dati();
    QString grande;
    double area = -1;
    for (int i = 0; i < d->elementi.size(); ++i) {
        const QRectF r = w.vista().rettangoloElemento(i);
        if (d->elementi[i].ruolo == RuoloElemento::Elemento && r.width() * r.height() > area) {
            area = r.width() * r.height();
            grande = d->elementi[i].nome;
        }
    }
    w.SetVariable(MappaWidget::VariabilePezzoScelto, grande);
    w.repaint();
    const QPoint presa = w.vista().rettangoloPezzoOfferto().center().toPoint();
    QTest::mousePress(&w, Qt::LeftButton, {}, presa);
    QVERIFY(w.vista().staTrascinando());
    int passo = 0;
    QBENCHMARK {
        ++passo;
        QTest::mouseMove(&w, presa - QPoint(7 * (passo % 60), 3 * (passo % 40)));
        w.repaint();
    }
    QTest::mouseRelease(&w, Qt::LeftButton, {}, presa);
}

QTEST_MAIN(BenchPuzzle)
#include "bench_puzzle.moc"

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
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
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

// The largest piece of the map.
QString PezzoPiuGrande(const MappaWidget& w, const QString& tranne = {}) {
    const DatiMappa* d = w.vista().dati();
    QString grande;
    double area = -1;
    for (int i = 0; i < d->elementi.size(); ++i) {
        const QRectF r = w.vista().rettangoloElemento(i);
        if (d->elementi[i].ruolo == RuoloElemento::Elemento && d->elementi[i].nome != tranne &&
            r.width() * r.height() > area) {
            area = r.width() * r.height();
            grande = d->elementi[i].nome;
        }
    }
    return grande;
}

} // namespace

class BenchPuzzle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void posa_data();
    void posa();
    void primoDisegnoDelPezzo_data();
    void primoDisegnoDelPezzo();
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
    QElapsedTimer orologio;
    qint64 rilascio_ = 0, disegno = 0;
    int giri = 0;
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
        orologio.start();
        QTest::mouseRelease(mappa, Qt::LeftButton, {}, rilascio);
        rilascio_ += orologio.nsecsElapsed();
        orologio.start();
        mappa->repaint();
        disegno += orologio.nsecsElapsed();
        ++giri;
        if (f->Gioco().NomeCorrente() == nome)
            ++mancati;
    }
    QCOMPARE(mancati, 0);
    qInfo() << "rilascio" << rilascio_ / 1e6 / giri << "ms, disegno" << disegno / 1e6 / giri
            << "ms";
    f->close();
    delete f;
}

void BenchPuzzle::primoDisegnoDelPezzo_data() {
    fotogrammaTrascinamento_data();
}

void BenchPuzzle::primoDisegnoDelPezzo() {
    // The largest piece put on offer and drawn for the first time (a new piece in the tray).
    QFETCH(QString, chiave);
    QFETCH(double, zoom);
    QWidget schermo;
    schermo.resize(1920, 1080);
    MappaWidget w(&schermo);
    w.resize(int(1920 * zoom), int(1080 * zoom));
    QVERIFY2(w.caricaMappa(chiave), qPrintable(w.ultimoErrore()));
    schermo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&schermo));
    const QString grande = PezzoPiuGrande(w);
    const QString secondo = PezzoPiuGrande(w, grande);
    w.repaint();
    QImage schermata(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    int n = 0;
    QBENCHMARK {
        // The two largest pieces in turn: each is drawn anew.
        w.SetVariable(MappaWidget::VariabilePezzoScelto, n++ % 2 ? secondo : grande);
        QPainter p(&schermata);
        w.vista().disegnaPezzo(p);
    }
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
    const QString grande = PezzoPiuGrande(w);
    w.SetVariable(MappaWidget::VariabilePezzoScelto, grande);
    w.repaint();
    const QPoint presa = w.vista().rettangoloPezzoOfferto().center().toPoint();
    QTest::mousePress(&w, Qt::LeftButton, {}, presa);
    QVERIFY(w.vista().staTrascinando());
    // The first frame after the pick-up draws the piece at its dragging size.
    QTest::mouseMove(&w, presa - QPoint(3, 3));
    w.repaint();
    int passo = 0;
    QElapsedTimer t;
    qint64 muovi = 0, disegna = 0;
    QBENCHMARK {
        ++passo;
        t.start();
        const QPointF p = presa - QPoint(7 * (passo % 60), 3 * (passo % 40));
        QMouseEvent e(QEvent::MouseMove, p, w.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &e);
        muovi += t.nsecsElapsed();
        t.start();
        w.repaint();
        disegna += t.nsecsElapsed();
    }
    qInfo() << "muovi" << muovi / 1e6 / passo << "disegna" << disegna / 1e6 / passo;
    QTest::mouseRelease(&w, Qt::LeftButton, {}, presa);
}

QTEST_MAIN(BenchPuzzle)
#include "bench_puzzle.moc"

// Benchmarks of the map widget on the largest map files of the atlas (data/mappe).
// Budgets (Release build): load < 30 ms, full repaint at 1920x1080 < 8 ms,
// 100 ColoraElemento + repaint < 10 ms, hit test < 0.2 ms, first paint after a zoom step
// (1920x1080 viewport) < 16 ms; the sharp picture follows from a worker thread.

#include "workspace/mappa/MappaWidget.h"
#include "workspace/mappa/ModelloMappa.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <ctime>
#include <numeric>

namespace {

// The largest map file, and the largest of each kind.
QStringList mappeDaMisurare() {
    QString politica, fisica;
    qint64 maxPol = -1, maxFis = -1;
    QDirIterator it(QStringLiteral(ORBISTO_SOURCE_DATA_DIR "/mappe"), {"*.geojson"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        if (f.fileName().endsWith("_fisica.geojson")) {
            if (f.size() > maxFis) {
                maxFis = f.size();
                fisica = f.filePath();
            }
        } else if (f.size() > maxPol) {
            maxPol = f.size();
            politica = f.filePath();
        }
    }
    QStringList l;
    for (const QString& f : {politica, fisica})
        if (!f.isEmpty())
            l << f;
    return l;
}

QString elenco(const QList<double>& l) {
    QStringList t;
    for (double v : l)
        t << QString::number(v, 'f', 1);
    return t.join(u' ');
}

void righe() {
    QTest::addColumn<QString>("file");
    const QStringList mappe = mappeDaMisurare();
    if (mappe.isEmpty())
        QSKIP("nessuna mappa in data/mappe");
    for (const QString& f : mappe)
        QTest::newRow(qPrintable(QFileInfo(f).fileName())) << f;
}

// A widget showing the map with every element coloured, as a window leaves it.
void prepara(MappaWidget& w, const QString& file, QSize dimensione) {
    w.resize(dimensione);
    QVERIFY2(w.caricaMappa(file), qPrintable(w.ultimoErrore()));
    const DatiMappa* d = w.vista().dati();
    int n = 0;
    for (auto it = d->perNome.cbegin(); it != d->perNome.cend(); ++it)
        ColoraElemento(
            w, it.key(),
            QStringLiteral("%1").arg((n++ * 2654435761u) & 0xFFFFFF, 6, 16, QLatin1Char('0')));
}

} // namespace

class BenchMappa : public QObject {
    Q_OBJECT
private slots:
    void caricamento_data() { righe(); }
    void caricamento();
    void disegnoCompleto_data() { righe(); }
    void disegnoCompleto();
    void disegnoSenzaCopia_data() { righe(); }
    void disegnoSenzaCopia();
    void primoDisegnoDopoZoom_data() { righe(); }
    void primoDisegnoDopoZoom();
    void nitidoDopoZoom_data() { righe(); }
    void nitidoDopoZoom();
    void geometriaDopoZoom_data() { righe(); }
    void geometriaDopoZoom();
    void cento_ColoraElemento_e_disegno_data() { righe(); }
    void cento_ColoraElemento_e_disegno();
    void provaDiColpo_data() { righe(); }
    void provaDiColpo();
};

void BenchMappa::caricamento() {
    QFETCH(QString, file);
    QBENCHMARK {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray testo = f.readAll();
        const RisultatoMappa r = LeggiMappaGeoJson(testo, file);
        QVERIFY(r.dati);
    }
    qInfo("%s: %lld byte", qPrintable(QFileInfo(file).fileName()), QFileInfo(file).size());
}

void BenchMappa::disegnoCompleto() {
    QFETCH(QString, file);
    MappaWidget w;
    prepara(w, file, QSize(1920, 1080));
    QImage img(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&img); // the first paint builds the geometry for this size
        w.render(&p);
    }
    QBENCHMARK {
        QPainter p(&img);
        w.render(&p);
    }
    img.save(QStringLiteral("/tmp/bench_mappa_%1.png").arg(QFileInfo(file).baseName()));
}

void BenchMappa::disegnoSenzaCopia() {
    // Every element drawn again (what a change of colours costs), without the widget's copy.
    QFETCH(QString, file);
    MappaWidget w;
    prepara(w, file, QSize(1920, 1080));
    QImage img(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    w.vista().colpisci(QPointF(1, 1)); // builds the geometry
    QBENCHMARK {
        QPainter p(&img);
        w.vista().disegna(p, QRectF(0, 0, 1920, 1080));
    }
}

namespace {

// The map in a 1920 x 1080 viewport, zoomed in four steps of 1.2 and out again, as "Ingrandisci"
// and "Riduci" do. For each step: the time from the new size to the first paint, and to the
// sharp picture (built on the worker thread, then composed).
struct Zoom {
    QList<double> primo, nitido; // milliseconds
    QList<double> primoCpu;      // the interface thread's own time for the first paint
};

// This thread's processor time, in milliseconds: on a busy machine the wall time of a short
// paint also counts the time other processes had the processor.
double tempoDelThread() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

Zoom misuraZoom(const QString& file) {
    Zoom z;
    QWidget viewport;
    viewport.resize(1920, 1080);
    auto* w = new MappaWidget(&viewport);
    prepara(*w, file, QSize(1920, 1080));
    viewport.show();
    if (!QTest::qWaitForWindowExposed(&viewport))
        qWarning("the viewport was not shown");
    w->repaint();
    QSizeF d(1920, 1080);
    for (int passo = 0; passo < 8; ++passo) {
        d *= passo < 4 ? 1.2 : 1 / 1.2;
        QElapsedTimer t;
        const double cpu = tempoDelThread();
        t.start();
        w->resize(d.toSize());
        w->repaint();
        z.primo << t.nsecsElapsed() / 1e6;
        z.primoCpu << tempoDelThread() - cpu;
        while (w->staPreparando())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        w->repaint();
        z.nitido << t.nsecsElapsed() / 1e6;
        if (!w->immagineNitida())
            qWarning("the sharp picture did not come");
    }
    return z;
}

double media(const QList<double>& l) {
    return l.isEmpty() ? 0 : std::accumulate(l.begin(), l.end(), 0.0) / double(l.size());
}

} // namespace

void BenchMappa::primoDisegnoDopoZoom() {
    // From a zoom step's new size to its first paint (the last picture, scaled).
    QFETCH(QString, file);
    const Zoom z = misuraZoom(file);
    qInfo("primo disegno (ms): %s; massimo %.1f", qPrintable(elenco(z.primo)),
          *std::max_element(z.primo.begin(), z.primo.end()));
    qInfo("tempo di processore del primo disegno (ms): %s; massimo %.1f",
          qPrintable(elenco(z.primoCpu)), *std::max_element(z.primoCpu.begin(), z.primoCpu.end()));
    QTest::setBenchmarkResult(media(z.primo), QTest::WalltimeMilliseconds);
}

void BenchMappa::nitidoDopoZoom() {
    // From a zoom step's new size to the sharp picture on the screen.
    QFETCH(QString, file);
    const Zoom z = misuraZoom(file);
    qInfo("immagine nitida (ms): %s", qPrintable(elenco(z.nitido)));
    QTest::setBenchmarkResult(media(z.nitido), QTest::WalltimeMilliseconds);
}

void BenchMappa::geometriaDopoZoom() {
    // What a click right after a zoom step costs: the geometry of the new size, on this thread.
    QFETCH(QString, file);
    MappaWidget w;
    prepara(w, file, QSize(1920, 1080));
    w.show();
    int passo = 0;
    QBENCHMARK {
        w.resize(passo++ % 2 ? QSize(1920, 1080) : QSize(2304, 1296));
        w.vista().colpisci(QPointF(1, 1));
    }
}

void BenchMappa::cento_ColoraElemento_e_disegno() {
    QFETCH(QString, file);
    MappaWidget w;
    prepara(w, file, QSize(1920, 1080));
    const DatiMappa* d = w.vista().dati();
    const QStringList nomi = d->perNome.keys();
    QImage img(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&img);
        w.render(&p);
    }
    const QStringList colori{"FF0000", "00FF00", "0000FF", "FFFF00"};
    int giro = 0;
    QBENCHMARK {
        // Each round paints every name in a colour it did not have, so nothing is skipped.
        for (int i = 0; i < 100; ++i)
            ColoraElemento(w, nomi[i % nomi.size()], colori[(giro + i / nomi.size()) % 4]);
        giro += 2;
        QPainter p(&img);
        w.render(&p);
    }
}

void BenchMappa::provaDiColpo() {
    QFETCH(QString, file);
    MappaWidget w;
    prepara(w, file, QSize(1920, 1080));
    w.vista().colpisci(QPointF(1, 1)); // builds the geometry
    QList<QPointF> punti;
    QRandomGenerator g(42);
    for (int i = 0; i < 4096; ++i)
        punti << QPointF(g.bounded(1920.0), g.bounded(1080.0));
    int i = 0;
    QBENCHMARK {
        w.vista().colpisci(punti[i++ & 4095]);
    }
}

QTEST_MAIN(BenchMappa)
#include "bench_mappa.moc"

// Geographic check of the committed maps: well-known places (towns, summits, passes, river
// sources and mouths, sea and lagoon points) must lie in, or out of, the element the table says,
// and rivers must pass near the towns on their banks.  The places are in
// tools/geogen/luoghi_di_controllo.csv; the generator projects them with each map's own
// projection into fixtures/luoghi_proiettati.csv, and membership is decided on the map model
// as the widget reads it (areas filled even-odd).
#include "workspace/mappa/ModelloMappa.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct Luogo {
    QString mappa, tipo, luogo, lon, lat, regola, elemento;
    double x = 0, y = 0;
};

} // namespace

Q_DECLARE_METATYPE(Luogo)

namespace {

// Rows of a ';'-separated file, without comments and header.
QList<QStringList> righeCsv(const QString& percorso) {
    QList<QStringList> out;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    bool intestazione = true;
    while (!f.atEnd()) {
        const QString riga = QString::fromUtf8(f.readLine()).trimmed();
        if (riga.isEmpty() || riga.startsWith(QLatin1Char('#')))
            continue;
        if (intestazione) {
            intestazione = false;
            continue;
        }
        out.append(riga.split(QLatin1Char(';')));
    }
    return out;
}

QString tabellaLuoghi() {
    return QStringLiteral(ORBISTO_SOURCE_DATA_DIR "/../tools/geogen/luoghi_di_controllo.csv");
}

QList<Luogo> luoghiProiettati() {
    QList<Luogo> out;
    for (const QStringList& c :
         righeCsv(QStringLiteral(ORBISTO_TEST_DATA_DIR "/luoghi_proiettati.csv"))) {
        if (c.size() != 9)
            continue;
        Luogo l{c[0], c[1], c[2], c[3], c[4], c[7], c[8]};
        l.x = c[5].toDouble();
        l.y = c[6].toDouble();
        out.append(l);
    }
    return out;
}

QString fileMappa(const QString& mappa, const QString& tipo) {
    static const QStringList aree{"Italia",    "Europa",     "Africa",   "Asia",
                                  "Americacs", "Sudamerica", "Australia"};
    const QString cartella = aree.contains(mappa) ? mappa : QStringLiteral("regioniitaliane");
    return QStringLiteral(ORBISTO_SOURCE_DATA_DIR "/mappe/%1/%2_%3.geojson")
        .arg(cartella, mappa, tipo);
}

double distanzaSegmento(QPointF p, QPointF a, QPointF b) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double l2 = dx * dx + dy * dy;
    const double t =
        l2 > 0 ? std::clamp(((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / l2, 0.0, 1.0) : 0.0;
    return std::hypot(a.x() + t * dx - p.x(), a.y() + t * dy - p.y());
}

// Whether p lies inside the area as the widget fills it: inside an odd number of its rings.
bool dentroArea(const ElementoMappa& e, QPointF p) {
    bool dentro = false;
    for (const QPolygonF& anello : e.parti)
        if (anello.containsPoint(p, Qt::OddEvenFill))
            dentro = !dentro;
    return dentro;
}

double distanza(const ElementoMappa& e, QPointF p) {
    if (e.forma == FormaElemento::Area && dentroArea(e, p))
        return 0;
    double d = std::numeric_limits<double>::infinity();
    for (const QPolygonF& parte : e.parti) {
        if (e.forma == FormaElemento::Punto || parte.size() == 1) {
            for (QPointF q : parte)
                d = std::min(d, std::hypot(q.x() - p.x(), q.y() - p.y()));
            continue;
        }
        for (qsizetype i = 1; i < parte.size(); ++i)
            d = std::min(d, distanzaSegmento(p, parte[i - 1], parte[i]));
        if (e.forma == FormaElemento::Area && parte.size() > 2)
            d = std::min(d, distanzaSegmento(p, parte.last(), parte.first()));
    }
    return d;
}

double superficieDi(const DatiMappa& d, const QString& nome) {
    double s = 0;
    for (int i : d.indiciDi(nome))
        s += d.elementi[i].superficie;
    return s;
}

} // namespace

class TestLuoghi : public QObject {
    Q_OBJECT
private slots:
    void tabellaProiettataAggiornata();
    void luogo_data();
    void luogo();
    void indistintoCopreLaRegione_data();
    void indistintoCopreLaRegione();
};

void TestLuoghi::tabellaProiettataAggiornata() {
    // The projected places are derived from the table: an edit of the table without running the
    // generator's check would leave this test checking stale places.
    const QList<QStringList> tabella = righeCsv(tabellaLuoghi());
    const QList<Luogo> proiettati = luoghiProiettati();
    QVERIFY2(tabella.size() >= 150, qPrintable(tabellaLuoghi()));
    QCOMPARE(proiettati.size(), tabella.size());
    QSet<QString> mappe;
    for (qsizetype i = 0; i < tabella.size(); ++i) {
        const QStringList& t = tabella[i];
        QCOMPARE(t.size(), 8);
        const Luogo& p = proiettati[i];
        const QStringList attesa{t[0], t[1], t[2], t[4], t[5], t[6], t[7]};
        const QStringList trovata{p.mappa, p.tipo, p.luogo, p.lon, p.lat, p.regola, p.elemento};
        QCOMPARE(trovata, attesa);
        mappe.insert(p.mappa);
    }
    // Every physical map but Oceania's (its places are not in the table yet) and every region.
    QVERIFY2(mappe.size() >= 26, qPrintable(QStringList(mappe.values()).join(", ")));
}

void TestLuoghi::luogo_data() {
    QTest::addColumn<Luogo>("l");
    for (const Luogo& l : luoghiProiettati())
        QTest::newRow(qPrintable(
            QString("%1 %2: %3 %4 %5").arg(l.mappa, l.tipo, l.luogo, l.regola, l.elemento)))
            << l;
}

void TestLuoghi::luogo() {
    QFETCH(Luogo, l);
    const RisultatoMappa r = CaricaMappa(fileMappa(l.mappa, l.tipo));
    QVERIFY2(r.dati, qPrintable(r.errore));
    const QList<int> indici = r.dati->indiciDi(l.elemento);
    QVERIFY2(!indici.isEmpty(), qPrintable("no element " + l.elemento));
    const QPointF p(l.x, l.y);
    const QString regola = l.regola.section(QLatin1Char(':'), 0, 0);
    if (regola == "dentro" || regola == "fuori") {
        bool dentro = false;
        for (int i : indici) {
            const ElementoMappa& e = r.dati->elementi[i];
            QCOMPARE(e.forma, FormaElemento::Area);
            dentro = dentro || dentroArea(e, p);
        }
        QCOMPARE(dentro, regola == "dentro");
        return;
    }
    bool ok = false;
    const double km = l.regola.section(QLatin1Char(':'), 1).toDouble(&ok);
    QVERIFY2(ok && (regola == "entro" || regola == "oltre"), qPrintable(l.regola));
    double d = std::numeric_limits<double>::infinity();
    for (int i : indici)
        d = std::min(d, distanza(r.dati->elementi[i], p));
    if (regola == "entro")
        QVERIFY2(d <= km * 1000, qPrintable(QString("%1 km").arg(d / 1000, 0, 'f', 1)));
    else
        QVERIFY2(d >= km * 1000, qPrintable(QString("%1 km").arg(d / 1000, 0, 'f', 1)));
}

void TestLuoghi::indistintoCopreLaRegione_data() {
    QTest::addColumn<QString>("mappa");
    const RisultatoMappa italia = CaricaMappa(fileMappa("Italia", "politica"));
    QVERIFY(italia.dati);
    QTest::newRow("Italia") << QString("Italia");
    for (const ElementoMappa& e : italia.dati->elementi)
        if (e.ruolo == RuoloElemento::Elemento)
            QTest::newRow(qPrintable(e.nome)) << e.nome;
}

void TestLuoghi::indistintoCopreLaRegione() {
    // "Indistinto" is the whole land, drawn under the other elements, so that a frame hiding a
    // category leaves no hole.  Only the coastal lagoons (water; the Venice lagoon is about 3 %
    // of the Veneto) may stay out of it.
    QFETCH(QString, mappa);
    const RisultatoMappa fisica = CaricaMappa(fileMappa(mappa, "fisica"));
    const RisultatoMappa politica = CaricaMappa(fileMappa(mappa, "politica"));
    QVERIFY2(fisica.dati && politica.dati, qPrintable(fisica.errore + politica.errore));
    double terra = 0;
    for (const ElementoMappa& e : politica.dati->elementi)
        if (e.ruolo == RuoloElemento::Elemento)
            terra += e.superficie;
    double laghi = 0;
    for (const ElementoMappa& e : fisica.dati->elementi)
        if (e.categoria == "fiume" && e.forma == FormaElemento::Area)
            laghi += e.superficie;
    const double indistinto = superficieDi(*fisica.dati, "Indistinto");
    QVERIFY2(indistinto >= 0.96 * (terra - laghi) && indistinto <= 1.01 * terra,
             qPrintable(QString("Indistinto %1 km2, land %2 km2")
                            .arg(indistinto / 1e6, 0, 'f', 0)
                            .arg(terra / 1e6, 0, 'f', 0)));
    // Drawn under every other element.
    for (int i : fisica.dati->indiciDi("Indistinto"))
        for (const ElementoMappa& e : fisica.dati->elementi)
            if (e.nome != "Indistinto" && e.ruolo == RuoloElemento::Elemento)
                QVERIFY2(e.ordine >= fisica.dati->elementi[i].ordine, qPrintable(e.nome));
}

QTEST_MAIN(TestLuoghi)
#include "test_luoghi.moc"

// Checks on the committed political map files against the program's political tables:
// names letter for letter, one element per name, the colour classes a proper four-colouring
// of the real borders, the border layer, the frame and the file size budget.

#include "MappaDati.h"
#include "catalog/CatalogoArea.h"

#include <QFileInfo>
#include <QTest>

using namespace mappedati;

namespace {

const QString cartellaMappe = QStringLiteral(ORBISTO_SOURCE_DATA_DIR "/mappe");

// Neighbours: a border of at least this many frame-thousandths, with vertices within a
// ten-thousandth of the frame of each other.
constexpr double tolleranzaRelativa = 1e-4;
constexpr double confineMinimoRelativo = 1e-3;

struct MappaCatalogo {
    QString riga;
    QString percorso;
    QStringList nomi;
    QList<int> classi;
};

QList<MappaCatalogo> mappePolitiche() {
    QList<MappaCatalogo> out;
    auto aggiungi = [&](const QString& riga, const QString& percorso,
                        const QList<VoceCatalogo>& voci) {
        MappaCatalogo m{riga, percorso, {}, {}};
        for (const VoceCatalogo& v : voci) {
            m.nomi << v.nome;
            m.classi << v.classe;
        }
        out << m;
    };
    for (const QString& area : ChiaviAree())
        aggiungi(area,
                 cartellaMappe + u'/' + area + u'/' + area + QStringLiteral("_politica.geojson"),
                 TabellaPolitica(area));
    for (const VoceCatalogo& regione : TabellaPolitica(QStringLiteral("Italia")))
        aggiungi(regione.nome,
                 cartellaMappe + QStringLiteral("/regioniitaliane/") + regione.nome +
                     QStringLiteral("_politica.geojson"),
                 ProvinceDellaRegione(regione.nome));
    return out;
}

void righeMappe() {
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QStringList>("nomi");
    QTest::addColumn<QList<int>>("classi");
    for (const MappaCatalogo& m : mappePolitiche())
        QTest::newRow(m.riga.toUtf8().constData()) << m.percorso << m.riga << m.nomi << m.classi;
}

std::vector<const Elemento*> elementiCliccabili(const Mappa& m) {
    std::vector<const Elemento*> out;
    for (const Elemento& e : m.elementi)
        if (e.ruolo == QLatin1String("element"))
            out.push_back(&e);
    return out;
}

double latoCornice(const Mappa& m) {
    return std::max(m.cornice.width(), m.cornice.height());
}

} // namespace

class TestMappeDati : public QObject {
    Q_OBJECT
private slots:
    void adiacenzaDallaGeometria();
    void intestazione_data() { righeMappe(); }
    void intestazione();
    void nomiDelCatalogo_data() { righeMappe(); }
    void nomiDelCatalogo();
    void quattroColori_data() { righeMappe(); }
    void quattroColori();
    void dimensione_data() { righeMappe(); }
    void dimensione();
};

// The adjacency used below, on a small drawing: A|B share an edge, C touches A only at a
// corner, D is near B but across a gap, E shares part of B's edge without sharing vertices.
void TestMappeDati::adiacenzaDallaGeometria() {
    const Mappa m = leggiMappa(QStringLiteral(ORBISTO_TEST_DATA_DIR "/adiacenza.geojson"));
    QVERIFY2(m.errore.isEmpty(), qPrintable(m.errore));
    const auto el = elementiCliccabili(m);
    QCOMPARE(el.size(), size_t(5));
    QHash<QString, int> indice;
    for (int i = 0; i < static_cast<int>(el.size()); ++i)
        indice[el[static_cast<size_t>(i)]->nome] = i;
    auto tra = [&](const char* a, const char* b) {
        return coppia(indice.value(QString::fromLatin1(a), -1),
                      indice.value(QString::fromLatin1(b), -1));
    };
    const QSet<std::pair<int, int>> attese{tra("A", "B"), tra("B", "E")};
    QCOMPARE(vicini(el, 0.01, 0.5), attese);
}

void TestMappeDati::intestazione() {
    QFETCH(QString, percorso);
    QFETCH(QString, area);
    const Mappa m = leggiMappa(percorso);
    QVERIFY2(m.errore.isEmpty(), qPrintable(m.errore));
    QCOMPARE(m.meta.value(QLatin1String("format")).toInt(), 1);
    QCOMPARE(m.meta.value(QLatin1String("kind")).toString(), QStringLiteral("political"));
    QCOMPARE(m.meta.value(QLatin1String("area")).toString(), area);
    QCOMPARE(m.meta.value(QLatin1String("borderLayer")).toString(), QStringLiteral("Confini"));
    QVERIFY(m.meta.value(QLatin1String("attribution"))
                .toString()
                .contains(QStringLiteral("ISTAT, elaborazione openpolis")));
    QVERIFY(m.cornice.width() > 0 && m.cornice.height() > 0);

    int confini = 0;
    const QRectF tolleranza = m.cornice.adjusted(-1, -1, 1, 1);
    for (const Elemento& e : m.elementi) {
        if (e.ruolo == QLatin1String("border")) {
            ++confini;
            QCOMPARE(e.nome, QStringLiteral("Confini"));
            QCOMPARE(e.tipo, QStringLiteral("line"));
        } else {
            QVERIFY2(e.ruolo == QLatin1String("element") || e.ruolo == QLatin1String("background"),
                     qPrintable(e.ruolo));
            QCOMPARE(e.tipo, QStringLiteral("area"));
            QVERIFY2(e.tipoGeometria == QLatin1String("Polygon") ||
                         e.tipoGeometria == QLatin1String("MultiPolygon"),
                     qPrintable(e.nome + u' ' + e.tipoGeometria));
            QVERIFY2(!e.anelli.empty(), qPrintable(e.nome));
            if (e.ruolo == QLatin1String("background"))
                QVERIFY2(e.nome.isEmpty(), qPrintable(e.nome));
        }
        for (const Anello& r : e.anelli)
            for (const QPointF& p : r)
                QVERIFY2(tolleranza.contains(p),
                         qPrintable(QStringLiteral("%1 esce dalla cornice a %2 %3")
                                        .arg(e.nome)
                                        .arg(p.x())
                                        .arg(p.y())));
    }
    QCOMPARE(confini, 1);
}

void TestMappeDati::nomiDelCatalogo() {
    QFETCH(QString, percorso);
    QFETCH(QStringList, nomi);
    const Mappa m = leggiMappa(percorso);
    QVERIFY2(m.errore.isEmpty(), qPrintable(m.errore));
    QHash<QString, int> conteggio;
    for (const Elemento* e : elementiCliccabili(m)) {
        QVERIFY2(nomi.contains(e->nome),
                 qPrintable(QStringLiteral("non nel catalogo: ") + e->nome));
        ++conteggio[e->nome];
    }
    for (const QString& n : nomi)
        QVERIFY2(conteggio.value(n) == 1,
                 qPrintable(QStringLiteral("%1 compare %2 volte").arg(n).arg(conteggio.value(n))));
}

void TestMappeDati::quattroColori() {
    QFETCH(QString, percorso);
    QFETCH(QStringList, nomi);
    QFETCH(QList<int>, classi);
    const Mappa m = leggiMappa(percorso);
    QVERIFY2(m.errore.isEmpty(), qPrintable(m.errore));
    const auto el = elementiCliccabili(m);
    const double lato = latoCornice(m);
    QStringList conflitti;
    for (const auto& [a, b] : vicini(el, lato * tolleranzaRelativa, lato * confineMinimoRelativo)) {
        const QString& na = el[static_cast<size_t>(a)]->nome;
        const QString& nb = el[static_cast<size_t>(b)]->nome;
        const int ca = classi.value(nomi.indexOf(na), -1);
        const int cb = classi.value(nomi.indexOf(nb), -2);
        if (ca == cb)
            conflitti << QStringLiteral("%1 / %2 (classe %3)").arg(na, nb).arg(ca);
    }
    conflitti.sort();
    QVERIFY2(conflitti.isEmpty(), qPrintable(conflitti.join(QStringLiteral("; "))));
}

void TestMappeDati::dimensione() {
    QFETCH(QString, percorso);
    QVERIFY(QFileInfo::exists(percorso));
    QVERIFY2(QFileInfo(percorso).size() < 1500 * 1000,
             qPrintable(QString::number(QFileInfo(percorso).size())));
}

QTEST_GUILESS_MAIN(TestMappeDati)
#include "test_mappe_dati.moc"

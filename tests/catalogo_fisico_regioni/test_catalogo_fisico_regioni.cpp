// The twenty regional physical tables: their row counts per category, their loader, and their
// agreement with the regional physical maps (name for name, and every feature inside its region
// or, for rivers, lakes and seas, touching it). The region's land is taken from the region's
// political map, which is drawn from the same ISTAT boundaries but by another generator.
#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisicoRegioni.h"
#include "shell/Percorsi.h"
#include "workspace/colori/FiltroCategorie.h"
#include "workspace/mappa/ChiaveMappa.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPainter>
#include <QTest>

#include <array>
#include <cmath>

using Conteggi = std::array<int, 6>; // fiume, mare, monte, pianura, deserto, altri
Q_DECLARE_METATYPE(Conteggi)

namespace {

const char* const categorie[] = {"fiume", "mare", "monte", "pianura", "deserto", "altri"};

QJsonObject leggiJson(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

// Every [x, y] pair of a GeoJSON coordinates array, however deeply nested.
void vertici(const QJsonValue& v, QList<QPointF>* out) {
    const QJsonArray a = v.toArray();
    if (a.size() >= 2 && a.at(0).isDouble()) {
        out->append(QPointF(a.at(0).toDouble(), a.at(1).toDouble()));
        return;
    }
    for (const QJsonValue& c : a)
        vertici(c, out);
}

// The outer rings and the holes of a Polygon or MultiPolygon.
void anelli(const QJsonObject& g, QList<QPolygonF>* esterni, QList<QPolygonF>* buchi) {
    const QString tipo = g.value("type").toString();
    QJsonArray poligoni;
    if (tipo == "Polygon")
        poligoni.append(g.value("coordinates"));
    else if (tipo == "MultiPolygon")
        poligoni = g.value("coordinates").toArray();
    for (const QJsonValue& poly : poligoni) {
        const QJsonArray rs = poly.toArray();
        for (int i = 0; i < rs.size(); ++i) {
            QList<QPointF> pts;
            vertici(rs.at(i), &pts);
            (i == 0 ? esterni : buchi)->append(QPolygonF(pts));
        }
    }
}

// The land of a region as a raster mask of its political map's elements, widened by
// `tolleranza` map units (the two maps are simplified and rounded independently).
class Regione {
public:
    Regione(const QJsonObject& politica, double tolleranza) {
        const QJsonArray b = politica.value("orbisto").toObject().value("bounds").toArray();
        x0_ = b[0].toDouble();
        y1_ = b[3].toDouble();
        passo_ = tolleranza / 2;
        maschera_ =
            QImage(int(std::ceil((b[2].toDouble() - x0_) / passo_)) + 1,
                   int(std::ceil((y1_ - b[1].toDouble()) / passo_)) + 1, QImage::Format_Grayscale8);
        maschera_.fill(0);
        QList<QPolygonF> esterni, buchi;
        for (const QJsonValue& fv : politica.value("features").toArray()) {
            const QJsonObject f = fv.toObject();
            if (f.value("properties").toObject().value("role").toString() == "element")
                anelli(f.value("geometry").toObject(), &esterni, &buchi);
        }
        // Rings in pixels, the unit of the mask and of the pen.
        const QTransform inPixel(1 / passo_, 0, 0, -1 / passo_, -x0_ / passo_, y1_ / passo_);
        for (QPolygonF& r : esterni)
            r = inPixel.map(r);
        for (QPolygonF& r : buchi)
            r = inPixel.map(r);
        QPainter p(&maschera_);
        p.setRenderHint(QPainter::Antialiasing);
        // Each outer ring filled on its own, so that provinces overlapping by a hair do not
        // cancel out; holes (enclaves) cleared; then every ring widened by the tolerance
        // (antialiased, so a thin stretch of border marks every pixel it touches).
        p.setPen(Qt::NoPen);
        for (const QPolygonF& r : esterni) {
            p.setBrush(Qt::white);
            p.drawPolygon(r, Qt::WindingFill);
        }
        for (const QPolygonF& r : buchi) {
            p.setBrush(Qt::black);
            p.drawPolygon(r, Qt::WindingFill);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 2 * tolleranza / passo_));
        for (const QPolygonF& r : esterni + buchi)
            p.drawPolygon(r);
    }

    bool contiene(QPointF q) const {
        const int x = int(std::floor((q.x() - x0_) / passo_));
        const int y = int(std::floor((y1_ - q.y()) / passo_));
        return maschera_.valid(x, y) && qGray(maschera_.pixel(x, y)) > 0;
    }

private:
    double x0_ = 0, y1_ = 0, passo_ = 1;
    QImage maschera_;
};

// The elements of a physical map that break the rule: areas and peaks lie inside the region,
// rivers, lakes and seas touch it.
QStringList fuoriDallaRegione(const QJsonObject& fisica, const QJsonObject& politica,
                              double tolleranza) {
    const Regione regione(politica, tolleranza);
    QStringList fuori;
    for (const QJsonValue& fv : fisica.value("features").toArray()) {
        const QJsonObject f = fv.toObject();
        const QJsonObject p = f.value("properties").toObject();
        if (p.value("role").toString() != "element")
            continue;
        QList<QPointF> pts;
        vertici(f.value("geometry").toObject().value("coordinates"), &pts);
        const QString cat = p.value("category").toString();
        const bool basta_toccare = cat == "fiume" || cat == "mare";
        int dentro = 0;
        for (const QPointF& q : pts)
            dentro += regione.contiene(q) ? 1 : 0;
        if (pts.isEmpty() || (basta_toccare ? dentro == 0 : dentro < pts.size()))
            fuori.append(p.value("name").toString());
    }
    return fuori;
}

QString fileFisico(const QString& regione) {
    return FileDellaMappa("swf/regioniitaliane/" + regione + "fis1.swf");
}

QString filePolitico(const QString& regione) {
    return FileDellaMappa("swf/regioniitaliane/" + regione + "pol1.swf");
}

bool inizia(const QString& nome, const QStringList& prefissi) {
    for (const QString& p : prefissi)
        if (nome.startsWith(p))
            return true;
    return false;
}

} // namespace

class TestCatalogoFisicoRegioni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void regioniComeNelCatalogo();
    void conteggi_data();
    void conteggi();
    void nomeNonRegione_data();
    void nomeNonRegione();
    void didascalieAdatte_data();
    void didascalieAdatte();
    void mappa_data();
    void mappa();
    void elementiNellaRegione_data();
    void elementiNellaRegione();
    void verificaRiconosceGliSconfinamenti();
};

void TestCatalogoFisicoRegioni::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
}

void TestCatalogoFisicoRegioni::regioniComeNelCatalogo() {
    // The chooser hands over a region name from the area catalog; each must find its table.
    QStringList nomi;
    for (const VoceCatalogo& v : TabellaPolitica("Italia"))
        nomi.append(v.nome);
    QCOMPARE(nomi.size(), 20);
    QCOMPARE(RegioniConTabellaFisica(), nomi);
}

void TestCatalogoFisicoRegioni::conteggi_data() {
    QTest::addColumn<QString>("regione");
    QTest::addColumn<Conteggi>("attesi");
    const QList<std::pair<const char*, Conteggi>> righe{
        {"Valle d'Aosta", {1, 0, 7, 0, 6, 0}}, {"Emilia Romagna", {8, 1, 6, 1, 0, 0}},
        {"Liguria", {8, 2, 6, 0, 0, 0}},       {"Piemonte", {16, 0, 9, 1, 4, 0}},
        {"Veneto", {8, 1, 9, 1, 0, 0}},        {"Friuli Venezia Giulia", {5, 1, 6, 1, 0, 0}},
        {"Abruzzo", {7, 1, 6, 1, 1, 0}},       {"Toscana", {8, 1, 9, 4, 2, 1}},
        {"Marche", {8, 1, 7, 0, 1, 0}},        {"Molise", {5, 1, 4, 0, 1, 0}},
        {"Puglia", {7, 2, 6, 3, 0, 1}},        {"Lazio", {16, 1, 17, 4, 0, 1}},
        {"Campania", {8, 1, 18, 6, 0, 2}},     {"Umbria", {7, 0, 5, 2, 1, 0}},
        {"Basilicata", {7, 2, 6, 2, 1, 0}},    {"Trentino Alto Adige", {9, 0, 16, 0, 10, 0}},
        {"Calabria", {10, 3, 12, 7, 0, 0}},    {"Lombardia", {17, 0, 20, 1, 2, 0}},
        {"Sicilia", {7, 4, 16, 4, 0, 5}},      {"Sardegna", {8, 2, 14, 4, 0, 5}},
    };
    for (const auto& [r, c] : righe)
        QTest::newRow(r) << QString::fromUtf8(r) << c;
}

void TestCatalogoFisicoRegioni::conteggi() {
    QFETCH(QString, regione);
    QFETCH(Conteggi, attesi);
    CatalogoFisico c;
    QVERIFY(CaricaFisicoRegione(c, regione));
    int righe = 1; // "Indistinto"
    for (int n : attesi)
        righe += n;
    QCOMPARE(int(c.NumeroElementiFisici), righe - 1);

    Conteggi trovati{};
    int indistinti = 0;
    QStringList nomi;
    for (int i = 0; i <= c.NumeroElementiFisici; ++i) {
        const QString nome = c.ElencoFisico[i][CatalogoFisico::ColonnaNome];
        const QString cat = c.ElencoFisico[i][CatalogoFisico::ColonnaCategoria];
        QVERIFY2(!nomi.contains(nome), qPrintable("twice: " + nome));
        nomi.append(nome);
        if (cat == "indistinto") {
            ++indistinti;
            continue;
        }
        const auto it = std::find(std::begin(categorie), std::end(categorie), cat);
        QVERIFY2(it != std::end(categorie), qPrintable(nome + ": " + cat));
        ++trovati[std::distance(std::begin(categorie), it)];
    }
    QCOMPARE(trovati, attesi);
    QCOMPARE(indistinti, 1);
    QCOMPARE(c.ElencoFisico[c.NumeroElementiFisici][0], QString("Indistinto"));
}

void TestCatalogoFisicoRegioni::nomeNonRegione_data() {
    QTest::addColumn<QString>("nome");
    QTest::newRow("vuoto") << "";
    QTest::newRow("a caso") << "tutte";
    QTest::newRow("area") << "Italia";
    QTest::newRow("minuscole") << "valle d'aosta";
    QTest::newRow("spazio finale") << "Sicilia ";
    QTest::newRow("grafia ISTAT") << "Trentino-Alto Adige";
    QTest::newRow("provincia") << "Provincia di Aosta";
}

void TestCatalogoFisicoRegioni::nomeNonRegione() {
    QFETCH(QString, nome);
    CatalogoFisico c;
    CaricaCatalogoFisico(c, "Italia");
    c.ElencoFisico[3][CatalogoFisico::ColonnaColore] = "0000FF";
    const CatalogoFisico prima = c;
    QVERIFY(!CaricaFisicoRegione(c, nome));
    QVERIFY(TabellaFisicaRegione(nome).empty());
    QCOMPARE(c.NumeroElementiFisici, prima.NumeroElementiFisici);
    QVERIFY(c.ElencoFisico == prima.ElencoFisico);
}

void TestCatalogoFisicoRegioni::didascalieAdatte_data() {
    QTest::addColumn<QString>("regione");
    for (const QString& r : RegioniConTabellaFisica())
        QTest::newRow(qPrintable(r)) << r;
}

void TestCatalogoFisicoRegioni::didascalieAdatte() {
    // The "&Visualizza" entries of a region window are captioned per region ("Valli" or
    // "Colline", "Isole" or "Altri"): what the entry shows must be what it says.
    QFETCH(QString, regione);
    const QString deserti =
        FiltroCategorie::Didascalia(CategoriaFiltro::Deserti, "Italia", regione);
    const QString altri = FiltroCategorie::Didascalia(CategoriaFiltro::Altri, "Italia", regione);
    const QStringList valli{"Val", "Valle", "Valli"};
    const QStringList colline{"Colline", "Collina", "Calanchi"};
    const QStringList isole{"Isola", "Isole", "Arcipelago"};
    for (const VoceFisica& v : TabellaFisicaRegione(regione)) {
        const QString nome = QString::fromUtf16(v.nome);
        const QString cat = QString::fromUtf16(v.categoria);
        if (cat == "deserto")
            QVERIFY2(inizia(nome, deserti == "Valli" ? valli : colline),
                     qPrintable(nome + " under " + deserti));
        if (cat == "altri" && altri == "Isole")
            QVERIFY2(inizia(nome, isole), qPrintable(nome + " under " + altri));
    }
}

void TestCatalogoFisicoRegioni::mappa_data() {
    didascalieAdatte_data();
}

void TestCatalogoFisicoRegioni::mappa() {
    QFETCH(QString, regione);
    // The region chooser opens a regional physical window only when this file exists.
    QVERIFY(EsisteMappa("swf/regioniitaliane/" + regione + "fis1.swf"));
    const QString percorso = fileFisico(regione);
    QVERIFY(QFileInfo(percorso).size() < 1'500'000);
    const QJsonObject doc = leggiJson(percorso);
    QVERIFY2(!doc.isEmpty(), qPrintable(percorso));
    const QJsonObject meta = doc.value("orbisto").toObject();
    QCOMPARE(meta.value("kind").toString(), QString("physical"));
    QCOMPARE(meta.value("area").toString(), regione);
    // Same frame as the political map, so the two maps of a region line up.
    QCOMPARE(meta.value("bounds"),
             leggiJson(filePolitico(regione)).value("orbisto").toObject().value("bounds"));

    QMap<QString, QString> tabella;
    for (const VoceFisica& v : TabellaFisicaRegione(regione))
        tabella.insert(QString::fromUtf16(v.nome), QString::fromUtf16(v.categoria));
    QMap<QString, int> visti;
    for (const QJsonValue& fv : doc.value("features").toArray()) {
        const QJsonObject p = fv.toObject().value("properties").toObject();
        const QString nome = p.value("name").toString();
        if (p.value("role").toString() == "background") {
            QVERIFY(nome.isEmpty());
            continue;
        }
        QCOMPARE(p.value("role").toString(), QString("element"));
        QVERIFY2(tabella.contains(nome), qPrintable("not in the table: " + nome));
        QCOMPARE(p.value("category").toString(), tabella.value(nome));
        // Peaks are points; everything else has a shape the pupil can reach.
        const QString kind = p.value("kind").toString();
        if (tabella.value(nome) == "mare" || tabella.value(nome) == "indistinto")
            QCOMPARE(kind, QString("area"));
        ++visti[nome];
    }
    for (auto it = tabella.cbegin(); it != tabella.cend(); ++it)
        QVERIFY2(visti.value(it.key()) == 1,
                 qPrintable(QString("%1 drawn %2 times").arg(it.key()).arg(visti.value(it.key()))));
}

void TestCatalogoFisicoRegioni::elementiNellaRegione_data() {
    didascalieAdatte_data();
}

void TestCatalogoFisicoRegioni::elementiNellaRegione() {
    QFETCH(QString, regione);
    const QJsonObject fisica = leggiJson(fileFisico(regione));
    const QJsonObject politica = leggiJson(filePolitico(regione));
    QVERIFY(!fisica.isEmpty() && !politica.isEmpty());
    // 250 m: both maps are simplified (40 m) and rounded (5-10 m) on their own.
    const QStringList fuori = fuoriDallaRegione(fisica, politica, 250);
    QVERIFY2(fuori.isEmpty(), qPrintable(fuori.join(", ")));
}

void TestCatalogoFisicoRegioni::verificaRiconosceGliSconfinamenti() {
    // A square region with a detached islet; the fixture's features break the rule in every
    // way that the check above must catch.
    const QJsonObject fisica = leggiJson(ORBISTO_TEST_DATA_DIR "/Quadrato_fisica.geojson");
    const QJsonObject politica = leggiJson(ORBISTO_TEST_DATA_DIR "/Quadrato_politica.geojson");
    QVERIFY(!fisica.isEmpty() && !politica.isEmpty());
    QCOMPARE(fuoriDallaRegione(fisica, politica, 20),
             (QStringList{"Colle Sconfinato", "Piana nel Buco", "Fiume Lontano", "Mare Aperto"}));
}

QTEST_MAIN(TestCatalogoFisicoRegioni)
#include "test_catalogo_fisico_regioni.moc"

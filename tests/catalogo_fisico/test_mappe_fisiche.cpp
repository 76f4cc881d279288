// The physical tables against the committed map files: every row of a table is one element of
// its map with the same name and category, and every map lies inside its frame.
#include "catalog/CatalogoFisico.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTest>

namespace {

QString percorsoMappa(const QString& area) {
    return QStringLiteral(ORBISTO_SOURCE_DATA_DIR "/mappe/%1/%1_fisica.geojson").arg(area);
}

QJsonObject leggiMappa(const QString& area) {
    QFile f(percorsoMappa(area));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

// Walks nested coordinate arrays down to the [x, y] pairs.
bool dentro(const QJsonValue& v, double xmin, double ymin, double xmax, double ymax,
            QString* fuori) {
    const QJsonArray a = v.toArray();
    if (!a.isEmpty() && a.at(0).isDouble()) {
        const double x = a.at(0).toDouble(), y = a.at(1).toDouble();
        if (x < xmin || x > xmax || y < ymin || y > ymax) {
            *fuori = QString("%1 %2").arg(x).arg(y);
            return false;
        }
        return true;
    }
    for (const QJsonValue& c : a)
        if (!dentro(c, xmin, ymin, xmax, ymax, fuori))
            return false;
    return true;
}

bool tipoCoerente(const QString& kind, const QString& geometria) {
    if (kind == "area")
        return geometria == "Polygon" || geometria == "MultiPolygon";
    if (kind == "line")
        return geometria == "LineString" || geometria == "MultiLineString";
    if (kind == "point")
        return geometria == "Point" || geometria == "MultiPoint";
    return false;
}

} // namespace

class TestMappeFisiche : public QObject {
    Q_OBJECT
private slots:
    void mappa_data();
    void mappa();
};

void TestMappeFisiche::mappa_data() {
    QTest::addColumn<QString>("area");
    for (const char* area :
         {"Italia", "Europa", "Africa", "Asia", "Americacs", "Sudamerica", "Australia"})
        QTest::newRow(area) << area;
}

void TestMappeFisiche::mappa() {
    QFETCH(QString, area);
    const QJsonObject doc = leggiMappa(area);
    QVERIFY2(!doc.isEmpty(), "map file missing or not JSON");
    // Every map file ships with the program and is read whole when its window opens.
    QVERIFY(QFileInfo(percorsoMappa(area)).size() < 1'500'000);

    const QJsonObject meta = doc.value("orbisto").toObject();
    QCOMPARE(meta.value("kind").toString(), QString("physical"));
    QCOMPARE(meta.value("area").toString(), area);
    QCOMPARE(meta.value("borderLayer").toString(), QString("Confine"));
    const QJsonArray b = meta.value("bounds").toArray();
    QCOMPARE(b.size(), 4);
    const double xmin = b[0].toDouble(), ymin = b[1].toDouble();
    const double xmax = b[2].toDouble(), ymax = b[3].toDouble();
    QVERIFY(xmin < xmax && ymin < ymax);

    // Table rows by name.
    QMap<QString, QString> tabella;
    for (const VoceFisica& v : TabellaFisica(area))
        tabella.insert(QString::fromUtf16(v.nome), QString::fromUtf16(v.categoria));
    QVERIFY(!tabella.isEmpty());

    QMap<QString, int> visti;
    for (const QJsonValue& fv : doc.value("features").toArray()) {
        const QJsonObject f = fv.toObject();
        const QJsonObject p = f.value("properties").toObject();
        const QJsonObject g = f.value("geometry").toObject();
        const QString nome = p.value("name").toString();
        const QString ruolo = p.value("role").toString();
        const QString kind = p.value("kind").toString();

        QVERIFY2(tipoCoerente(kind, g.value("type").toString()), qPrintable(nome));
        QVERIFY2(!g.value("coordinates").toArray().isEmpty(), qPrintable(nome));
        QString fuori;
        QVERIFY2(dentro(g.value("coordinates"), xmin, ymin, xmax, ymax, &fuori),
                 qPrintable(nome + ": " + fuori));

        if (ruolo == "background") {
            QVERIFY2(nome.isEmpty(), qPrintable(nome));
            continue;
        }
        QVERIFY2(ruolo == "element" || ruolo == "border", qPrintable(nome + " " + ruolo));
        // The border layer is the table's "Confine" row; everything else is an element.
        QCOMPARE(ruolo == "border", nome == "Confine");
        QVERIFY2(tabella.contains(nome), qPrintable("not in the table: " + nome));
        QCOMPARE(p.value("category").toString(), tabella.value(nome));
        ++visti[nome];
    }
    for (auto it = tabella.cbegin(); it != tabella.cend(); ++it)
        QVERIFY2(visti.value(it.key()) == 1,
                 qPrintable(QString("%1 drawn %2 times").arg(it.key()).arg(visti.value(it.key()))));
}

QTEST_APPLESS_MAIN(TestMappeFisiche)
#include "test_mappe_fisiche.moc"

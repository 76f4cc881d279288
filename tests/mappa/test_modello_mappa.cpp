#include "workspace/mappa/ModelloMappa.h"
#include "workspace/mappa/VistaMappa.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include <sys/stat.h>

namespace {
const QString cartella = QStringLiteral(ORBISTO_TEST_DATA_DIR "/dati/mappe/Prova/");
}

class TestModelloMappa : public QObject {
    Q_OBJECT
private slots:
    void politica();
    void fisica();
    void senzaMetadati();
    void fileDanneggiato_data();
    void fileDanneggiato();
    void fileMancante();
    void fileNonNormale();
    void testoConEscape();
    void marcatoriSecondoLaScala_data();
    void marcatoriSecondoLaScala();
    void nitidaAQuattroVolte();
    void buchiEBordiComuni_data();
    void buchiEBordiComuni();
    void regolaDiPresa_data();
    void regolaDiPresa();
    void simboliNonSiCoprono();
};

namespace {

// A plain crossed by a river, a thin lake along the river, a tiny island with a peak on it and
// the undistinguished land, on a 1000 x 1000 frame (one map unit, one pixel; y points up).
std::shared_ptr<const DatiMappa> mappaDellaRegola() {
    const QByteArray testo = R"({"type":"FeatureCollection","orbisto":{"kind":"physical",
      "bounds":[0,0,1000,1000],"borderLayer":"Confine"},
      "features":[
        {"type":"Feature","properties":{"name":"Indistinto","category":"indistinto","kind":"area",
         "order":1},"geometry":{"type":"Polygon","coordinates":[[[50,50],[950,50],[950,950],
         [50,950],[50,50]]]}},
        {"type":"Feature","properties":{"name":"Pianura","category":"pianura","kind":"area",
         "order":2},"geometry":{"type":"Polygon","coordinates":[[[100,100],[900,100],[900,500],
         [100,500],[100,100]]]}},
        {"type":"Feature","properties":{"name":"Lago","category":"fiume","kind":"area",
         "order":3},"geometry":{"type":"Polygon","coordinates":[[[400,297],[500,297],[500,303],
         [400,303],[400,297]]]}},
        {"type":"Feature","properties":{"name":"Fiume","category":"fiume","kind":"line",
         "order":4},"geometry":{"type":"LineString","coordinates":[[100,300],[940,300]]}},
        {"type":"Feature","properties":{"name":"Isola","category":"altri","kind":"area",
         "order":2},"geometry":{"type":"Polygon","coordinates":[[[700,700],[705,700],[705,705],
         [700,705],[700,700]]]}},
        {"type":"Feature","properties":{"name":"Vetta","category":"monte","kind":"point",
         "order":5},"geometry":{"type":"Point","coordinates":[702.5,702.5]}}]})";
    const RisultatoMappa r = LeggiMappaGeoJson(testo, "regola.geojson");
    return r.dati;
}

} // namespace

void TestModelloMappa::politica() {
    const RisultatoMappa r = CaricaMappa(cartella + "Prova_politica.geojson");
    QVERIFY2(r.dati, qPrintable(r.errore));
    const DatiMappa& d = *r.dati;
    QCOMPARE(d.tipo, TipoMappa::Politica);
    QCOMPARE(d.area, QString("Prova"));
    QCOMPARE(d.limiti, QRectF(0, 0, 1000, 500));
    QCOMPARE(d.stratoConfini, QString("Confini"));
    QCOMPARE(d.elementi.size(), 6);
    // Draw order: background (0), Alfa and Beta (1, file order kept), Gamma and Isolotto (2),
    // the border layer (9) last.
    QStringList ordine;
    for (const ElementoMappa& e : d.elementi)
        ordine << e.nome;
    QCOMPARE(ordine, (QStringList{"", "Alfa", "Beta", "Gamma", "Isolotto", "Confini"}));
    QCOMPARE(d.elementi[0].ruolo, RuoloElemento::Sfondo);
    QCOMPARE(d.elementi[5].ruolo, RuoloElemento::Confine);
    QCOMPARE(d.elementi[5].forma, FormaElemento::Linea);
    QCOMPARE(d.elementi[1].superficie, 160000.0);
    QCOMPARE(d.elementi[2].limiti, QRectF(450, 50, 400, 400)); // a MultiPolygon
    QCOMPARE(d.indiciDi("Confini"), QList<int>{5});
    QVERIFY(d.indiciDi("").isEmpty()); // background land has no name to colour or hit
}

void TestModelloMappa::fisica() {
    const RisultatoMappa r = CaricaMappa(cartella + "Prova_fisica.geojson");
    QVERIFY2(r.dati, qPrintable(r.errore));
    const DatiMappa& d = *r.dati;
    QCOMPARE(d.tipo, TipoMappa::Fisica);
    QCOMPARE(d.stratoConfini, QString("Confine"));
    const int monte = d.indiciDi("Monte Uno").value(0, -1);
    QVERIFY(monte >= 0);
    QCOMPARE(d.elementi[monte].forma, FormaElemento::Punto);
    QCOMPARE(d.elementi[monte].parti, QList<QPolygonF>{QPolygonF{QPointF(800, 330)}});
    QCOMPARE(d.elementi[d.indiciDi("Fiume Uno")[0]].categoria, QString("fiume"));
}

void TestModelloMappa::senzaMetadati() {
    // A file saved by a GIS tool that dropped our member: kind from the categories, frame from the
    // geometry, kind of each element from its geometry type.
    const QByteArray testo = R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"name":"Po","category":"fiume"},
         "geometry":{"type":"LineString","coordinates":[[0,0],[10,5]]}},
        {"type":"Feature","properties":{"name":"Vuoto"},"geometry":null}]})";
    const RisultatoMappa r = LeggiMappaGeoJson(testo, "senza.geojson");
    QVERIFY2(r.dati, qPrintable(r.errore));
    QCOMPARE(r.dati->tipo, TipoMappa::Fisica);
    QCOMPARE(r.dati->stratoConfini, QString("Confine"));
    QCOMPARE(r.dati->limiti, QRectF(0, 0, 10, 5));
    QCOMPARE(r.dati->elementi.size(), 1);
    QCOMPARE(r.dati->elementi[0].forma, FormaElemento::Linea);
}

void TestModelloMappa::fileDanneggiato_data() {
    QTest::addColumn<QByteArray>("testo");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("vuoto") << QByteArray() << "danneggiato (riga 1)";
    QTest::newRow("troncato") << QByteArray("{\"type\":\"FeatureCollection\",\n\"features\":[{\"ty")
                              << "danneggiato (riga 2)";
    QTest::newRow("non una collezione")
        << QByteArray(R"({"type":"Feature","features":[]})") << "non è una mappa";
    QTest::newRow("array in cima") << QByteArray("[1,2]") << "danneggiato";
    QTest::newRow("numero sbagliato")
        << QByteArray(R"({"type":"FeatureCollection","features":[{"geometry":
            {"type":"Point","coordinates":[1,x]}}]})")
        << "atteso un numero";
    QTest::newRow("posizione a una coordinata")
        << QByteArray(R"({"type":"FeatureCollection","features":[{"geometry":
            {"type":"Point","coordinates":[1]}}]})")
        << "meno di due coordinate";
    QTest::newRow("testo non chiuso")
        << QByteArray(R"({"type":"FeatureCollection)") << "testo non chiuso";
    QTest::newRow("testo in più") << QByteArray(R"({"type":"FeatureCollection"} x)")
                                  << "testo in più";
    QTest::newRow("annidamento senza fine")
        << QByteArray(R"({"a":)") + QByteArray(5000, '[') << "annidamento troppo profondo";
    QTest::newRow("coordinate troppo annidate")
        << QByteArray(R"({"type":"FeatureCollection","features":[{"geometry":
            {"type":"Polygon","coordinates":[[[[[[[[[[[[0,0]]]]]]]]]]]]}}]})")
        << "troppo in profondità";
    // Numbers: JSON only, finite and within what a map plane can hold.
    const auto punto = [](const char* x) -> QByteArray {
        return QByteArray(R"({"type":"FeatureCollection","features":[{"geometry":
            {"type":"Point","coordinates":[)") +
               x + ",5]}}]}";
    };
    QTest::newRow("nan") << punto("nan") << "atteso un numero";
    QTest::newRow("inf") << punto("inf") << "atteso un numero";
    QTest::newRow("-inf") << punto("-inf") << "atteso un numero";
    QTest::newRow("più iniziale") << punto("+1") << "atteso un numero";
    QTest::newRow("punto iniziale") << punto(".5") << "atteso un numero";
    QTest::newRow("esadecimale") << punto("0x10") << "atteso";
    QTest::newRow("1e400") << punto("1e400") << "fuori dall'intervallo";
    QTest::newRow("2e9") << punto("2e9") << "fuori dall'intervallo";
    const auto metadati = [](const char* m) -> QByteArray {
        return QByteArray(R"({"type":"FeatureCollection","orbisto":{)") + m + R"(},"features":[]})";
    };
    QTest::newRow("format -inf") << metadati(R"("format":-inf)") << "atteso un numero";
    QTest::newRow("format 2000000") << metadati(R"("format":2000000)") << "\"format\"";
    QTest::newRow("format 1.5") << metadati(R"("format":1.5)") << "\"format\"";
    QTest::newRow("bounds nan") << metadati(R"("bounds":[0,0,nan,1])") << "atteso un numero";
    QTest::newRow("bounds al contrario")
        << metadati(R"("bounds":[100,0,0,100])") << "non sono nell'ordine";
    QTest::newRow("bounds enormi")
        << metadati(R"("bounds":[0,0,1e300,1])") << "fuori dall'intervallo";
    const auto ordine = [](const char* o) -> QByteArray {
        return QByteArray(R"({"type":"FeatureCollection","features":[{"properties":{"name":"A",
            "order":)") +
               o + R"(},"geometry":{"type":"Point","coordinates":[1,2]}}]})";
    };
    QTest::newRow("order -1e300") << ordine("-1e300") << "fuori dall'intervallo";
    QTest::newRow("order 1e7") << ordine("1e7") << "\"order\"";
    QTest::newRow("order nan") << ordine("nan") << "valore non valido";
}

void TestModelloMappa::fileDanneggiato() {
    QFETCH(QByteArray, testo);
    QFETCH(QString, messaggio);
    const RisultatoMappa r = LeggiMappaGeoJson(testo, "rotto.geojson");
    QVERIFY(!r.dati);
    QVERIFY2(r.errore.contains(messaggio), qPrintable(r.errore));
    QVERIFY(r.errore.contains("rotto.geojson"));
}

void TestModelloMappa::fileNonNormale() {
    // A FIFO or a device in the data folder is refused at once, not read.
    QTemporaryDir dir;
    const QString fifo = dir.path() + "/Fifo_politica.geojson";
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.path() + "/Zero_politica.geojson";
    QVERIFY(QFile::link("/dev/zero", zero));
    for (const QString& f : {fifo, zero}) {
        const RisultatoMappa r = CaricaMappa(f);
        QVERIFY(!r.dati);
        QVERIFY2(!r.errore.isEmpty(), qPrintable(f));
    }
}

void TestModelloMappa::fileMancante() {
    const RisultatoMappa r = CaricaMappa(cartella + "Nessuna_politica.geojson");
    QVERIFY(!r.dati);
    QVERIFY2(r.errore.contains("non esiste"), qPrintable(r.errore));
}

void TestModelloMappa::testoConEscape() {
    const QByteArray testo = R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"name":"Citt\u00e0 \"Vecchia\" / Nord","kind":"point"},
         "geometry":{"type":"Point","coordinates":[1.5e2,-2]}},
        {"type":"Feature","properties":{"name":"Forlì-Cesena","kind":"point"},
         "geometry":{"type":"MultiPoint","coordinates":[[1,2],[3,4]]}}]})";
    const RisultatoMappa r = LeggiMappaGeoJson(testo, "escape.geojson");
    QVERIFY2(r.dati, qPrintable(r.errore));
    QCOMPARE(r.dati->elementi[0].nome, QString::fromUtf8("Città \"Vecchia\" / Nord"));
    QCOMPARE(r.dati->elementi[0].parti[0][0], QPointF(150, -2));
    QCOMPARE(r.dati->elementi[1].nome, QString::fromUtf8("Forlì-Cesena"));
    QCOMPARE(r.dati->elementi[1].parti.size(), 1);
    QCOMPARE(r.dati->elementi[1].parti[0].size(), 2);
}

void TestModelloMappa::marcatoriSecondoLaScala_data() {
    QTest::addColumn<QSize>("dimensione");
    QTest::addColumn<bool>("marcatore");
    // Isolotto is 4 x 4 map units: a marker until it is 24 px wide on its own.
    QTest::newRow("1:1") << QSize(1000, 500) << true;
    QTest::newRow("4x") << QSize(4000, 2000) << true;
    QTest::newRow("8x") << QSize(8000, 4000) << false;
}

void TestModelloMappa::marcatoriSecondoLaScala() {
    QFETCH(QSize, dimensione);
    QFETCH(bool, marcatore);
    VistaMappa v;
    v.impostaDati(CaricaMappa(cartella + "Prova_politica.geojson").dati);
    v.impostaDimensione(dimensione);
    const int i = v.dati()->indiciDi("Isolotto")[0];
    QCOMPARE(v.haMarcatore(i), marcatore);
    QVERIFY(v.rettangoloElemento(i).width() >= VistaMappa::LatoMarcatore);
    QCOMPARE(v.colpisci(v.puntoDiPresa(i)).nome, QString("Isolotto"));
}

void TestModelloMappa::nitidaAQuattroVolte() {
    // At 4x the edge of Alfa is drawn at the 4x position with a sharp transition, not a scaled
    // bitmap: one pixel outside is sea, one pixel inside is the element.
    VistaMappa v;
    v.impostaDati(CaricaMappa(cartella + "Prova_politica.geojson").dati);
    v.impostaSfondo(Qt::blue);
    v.colora("Alfa", QColor(Qt::red));
    v.impostaDimensione(QSize(4000, 2000));
    QImage img(400, 200, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.translate(-100, -1700); // the part of the map around Alfa's lower-left corner (50, 50)
    v.disegna(p, QRectF(100, 1700, 400, 200));
    p.end();
    // Map x = 50 is device x = 200 -> image x = 100; map y = 50 is device y = 1800 -> image 100.
    QCOMPARE(img.pixelColor(98, 50), QColor(Qt::blue));
    QCOMPARE(img.pixelColor(101, 50), QColor(Qt::red));
    QCOMPARE(img.pixelColor(150, 98), QColor(Qt::red));
    QCOMPARE(img.pixelColor(150, 101), QColor(Qt::blue));
}

void TestModelloMappa::buchiEBordiComuni_data() {
    QTest::addColumn<bool>("composta"); // the widget's composed picture, or the painter's
    QTest::newRow("pittore") << false;
    QTest::newRow("composta") << true;
}

void TestModelloMappa::buchiEBordiComuni() {
    // A ring with a hole (a lake that is not an element) and a neighbour sharing an edge
    // at a fractional pixel position.
    QFETCH(bool, composta);
    const QByteArray testo = R"({"type":"FeatureCollection","orbisto":{"bounds":[0,0,100,100]},
      "features":[
        {"type":"Feature","properties":{"name":"Anello","kind":"area"},"geometry":{"type":"Polygon",
         "coordinates":[[[0,0],[50.5,0],[50.5,100],[0,100],[0,0]],[[10,10],[30,10],[30,30],[10,30],[10,10]]]}},
        {"type":"Feature","properties":{"name":"Vicino","kind":"area"},"geometry":{"type":"MultiPolygon",
         "coordinates":[[[[50.5,0],[100,0],[100,100],[50.5,100],[50.5,0]]]]}}]})";
    const RisultatoMappa r = LeggiMappaGeoJson(testo, "buco.geojson");
    QVERIFY2(r.dati, qPrintable(r.errore));
    QCOMPARE(r.dati->elementi[0].poligoni, QList<qsizetype>{0});
    VistaMappa v;
    v.impostaDati(r.dati);
    v.impostaDimensione(QSize(100, 100));
    v.impostaSfondo(QColor(0, 0, 255));
    v.colora("Anello", QColor(255, 0, 0));
    v.colora("Vicino", QColor(255, 0, 0));
    QImage img(100, 100, QImage::Format_ARGB32_Premultiplied);
    if (composta) {
        v.componiMappa(img, QRect(0, 0, 100, 100), 1.0);
    } else {
        QPainter p(&img);
        v.disegna(p, QRectF(0, 0, 100, 100));
    }
    QCOMPARE(img.pixelColor(20, 80), QColor(0, 0, 255)); // the hole shows the background
    QCOMPARE(img.pixelColor(5, 5), QColor(255, 0, 0));
    if (composta) // two elements of one colour meet without a seam of background
        QCOMPARE(img.pixelColor(50, 50), QColor(255, 0, 0));
    // Hit testing agrees: the hole is nobody's.
    QCOMPARE(v.colpisci(QPointF(20, 80)).nome, QString());
    QCOMPARE(v.colpisci(QPointF(40, 80)).nome, QString("Anello"));
}

void TestModelloMappa::regolaDiPresa_data() {
    QTest::addColumn<QPointF>("punto"); // device point (y = 1000 - map y)
    QTest::addColumn<QString>("nome");
    QTest::newRow("sul fiume, nella pianura") << QPointF(300, 701) << "Fiume";
    QTest::newRow("pianura lontano dal fiume") << QPointF(300, 640) << "Pianura";
    QTest::newRow("accanto al fiume, nella pianura") << QPointF(300, 707) << "Pianura";
    QTest::newRow("fiume attraverso il suo lago") << QPointF(450, 700) << "Lago";
    QTest::newRow("accanto al fiume, terra indistinta") << QPointF(920, 715) << "Indistinto";
    QTest::newRow("margine del fiume, terra indistinta") << QPointF(920, 707) << "Fiume";
}

void TestModelloMappa::regolaDiPresa() {
    // The area under the pointer wins over a line's margin; a line drawn over a large area wins
    // on its stroke, but not over a lake it would cover.
    QFETCH(QPointF, punto);
    QFETCH(QString, nome);
    VistaMappa v;
    v.impostaDati(mappaDellaRegola());
    QVERIFY(v.dati());
    v.impostaDimensione(QSize(1000, 1000));
    QCOMPARE(v.colpisci(punto).nome, nome);
}

void TestModelloMappa::simboliNonSiCoprono() {
    // The tiny island's marker would sit on the peak: it moves aside, and both can be chosen.
    VistaMappa v;
    v.impostaDati(mappaDellaRegola());
    QVERIFY(v.dati());
    v.impostaDimensione(QSize(1000, 1000));
    const int isola = v.dati()->indiciDi("Isola")[0];
    const int vetta = v.dati()->indiciDi("Vetta")[0];
    QVERIFY(v.haMarcatore(isola));
    const QPointF a = v.puntoDiPresa(isola), b = v.puntoDiPresa(vetta);
    QVERIFY2(std::hypot(a.x() - b.x(), a.y() - b.y()) >= VistaMappa::LatoMarcatore - 4.5,
             qPrintable(QStringLiteral("%1,%2 %3,%4").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y())));
    QCOMPARE(v.colpisci(a).nome, QString("Isola"));
    QCOMPARE(v.colpisci(b).nome, QString("Vetta"));
    // The lake crossed by its river keeps pixels of its own.
    const int lago = v.dati()->indiciDi("Lago")[0];
    QCOMPARE(v.colpisci(v.puntoDiPresa(lago)).nome, QString("Lago"));
}

QTEST_MAIN(TestModelloMappa)
#include "test_modello_mappa.moc"

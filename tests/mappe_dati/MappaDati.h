#pragma once

// Reading of political map files (GeoJSON with the "orbisto" member) and adjacency of their
// elements computed from the geometry, for the checks on the committed map data.

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace mappedati {

using Anello = std::vector<QPointF>;

struct Elemento {
    QString nome;
    QString ruolo;
    QString tipo;
    QString tipoGeometria;
    std::vector<Anello> anelli; // every ring (outer and inner) of every polygon
};

struct Mappa {
    QJsonObject meta;
    QRectF cornice;
    std::vector<Elemento> elementi;
    QString errore; // empty when the file was read
};

inline Anello leggiAnello(const QJsonArray& a) {
    Anello out;
    out.reserve(static_cast<size_t>(a.size()));
    for (const QJsonValue& p : a) {
        const QJsonArray xy = p.toArray();
        out.emplace_back(xy.at(0).toDouble(), xy.at(1).toDouble());
    }
    return out;
}

inline void leggiGeometria(const QJsonObject& g, Elemento& e) {
    e.tipoGeometria = g.value(QLatin1String("type")).toString();
    const QJsonArray c = g.value(QLatin1String("coordinates")).toArray();
    if (e.tipoGeometria == QLatin1String("Polygon")) {
        for (const QJsonValue& r : c)
            e.anelli.push_back(leggiAnello(r.toArray()));
    } else if (e.tipoGeometria == QLatin1String("MultiPolygon")) {
        for (const QJsonValue& poly : c)
            for (const QJsonValue& r : poly.toArray())
                e.anelli.push_back(leggiAnello(r.toArray()));
    } else if (e.tipoGeometria == QLatin1String("LineString")) {
        e.anelli.push_back(leggiAnello(c));
    } else if (e.tipoGeometria == QLatin1String("MultiLineString")) {
        for (const QJsonValue& l : c)
            e.anelli.push_back(leggiAnello(l.toArray()));
    }
}

inline Mappa leggiMappa(const QString& percorso) {
    Mappa m;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        m.errore = QLatin1String("file non leggibile: ") + percorso;
        return m;
    }
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
    if (doc.isNull()) {
        m.errore = QLatin1String("JSON non valido: ") + err.errorString();
        return m;
    }
    const QJsonObject radice = doc.object();
    m.meta = radice.value(QLatin1String("orbisto")).toObject();
    const QJsonArray b = m.meta.value(QLatin1String("bounds")).toArray();
    if (b.size() == 4)
        m.cornice = QRectF(QPointF(b.at(0).toDouble(), b.at(1).toDouble()),
                           QPointF(b.at(2).toDouble(), b.at(3).toDouble()));
    for (const QJsonValue& v : radice.value(QLatin1String("features")).toArray()) {
        const QJsonObject feat = v.toObject();
        const QJsonObject p = feat.value(QLatin1String("properties")).toObject();
        Elemento e;
        e.nome = p.value(QLatin1String("name")).toString();
        e.ruolo = p.value(QLatin1String("role")).toString();
        e.tipo = p.value(QLatin1String("kind")).toString();
        leggiGeometria(feat.value(QLatin1String("geometry")).toObject(), e);
        m.elementi.push_back(std::move(e));
    }
    return m;
}

// An unordered pair of indices, smaller first.
inline std::pair<int, int> coppia(int a, int b) {
    return a < b ? std::pair{a, b} : std::pair{b, a};
}

inline double distanzaPuntoSegmento(QPointF p, QPointF a, QPointF b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double l2 = dx * dx + dy * dy;
    double t = 0.0;
    if (l2 > 0.0)
        t = std::clamp(((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / l2, 0.0, 1.0);
    const double qx = a.x() + t * dx - p.x();
    const double qy = a.y() + t * dy - p.y();
    return std::sqrt(qx * qx + qy * qy);
}

// Pairs of areas (indices into `aree`) that share a stretch of border: at least `minimo`
// map units of one area's outline run within `tolleranza` of the other's. Areas that touch
// at a single point are not neighbours. Borders need not share vertices.
inline QSet<std::pair<int, int>> vicini(const std::vector<const Elemento*>& aree, double tolleranza,
                                        double minimo) {
    struct Segmento {
        QPointF a, b;
        int area;
    };
    std::vector<Segmento> segmenti;
    QRectF estensione;
    for (int i = 0; i < static_cast<int>(aree.size()); ++i)
        for (const Anello& r : aree[static_cast<size_t>(i)]->anelli)
            for (size_t k = 1; k < r.size(); ++k) {
                segmenti.push_back({r[k - 1], r[k], i});
                estensione |= QRectF(r[k - 1], r[k]).normalized().adjusted(-1, -1, 1, 1);
            }
    if (segmenti.empty())
        return {};

    // Uniform grid over the segments, each segment stored in every cell its box touches.
    const int lato = 256;
    const double cw = estensione.width() / lato;
    const double ch = estensione.height() / lato;
    auto cella = [&](double x, double y) {
        const int cx = std::clamp(static_cast<int>((x - estensione.left()) / cw), 0, lato - 1);
        const int cy = std::clamp(static_cast<int>((y - estensione.top()) / ch), 0, lato - 1);
        return std::pair{cx, cy};
    };
    std::vector<std::vector<int>> griglia(static_cast<size_t>(lato * lato));
    for (int s = 0; s < static_cast<int>(segmenti.size()); ++s) {
        const Segmento& sg = segmenti[static_cast<size_t>(s)];
        const auto [x0, y0] = cella(std::min(sg.a.x(), sg.b.x()) - tolleranza,
                                    std::min(sg.a.y(), sg.b.y()) - tolleranza);
        const auto [x1, y1] = cella(std::max(sg.a.x(), sg.b.x()) + tolleranza,
                                    std::max(sg.a.y(), sg.b.y()) + tolleranza);
        for (int cy = y0; cy <= y1; ++cy)
            for (int cx = x0; cx <= x1; ++cx)
                griglia[static_cast<size_t>(cy * lato + cx)].push_back(s);
    }
    // Which other areas have their outline within the tolerance of a point.
    auto areeVicine = [&](QPointF p, int esclusa) {
        QSet<int> out;
        const auto [cx, cy] = cella(p.x(), p.y());
        for (int s : griglia[static_cast<size_t>(cy * lato + cx)]) {
            const Segmento& sg = segmenti[static_cast<size_t>(s)];
            if (sg.area != esclusa && !out.contains(sg.area) &&
                distanzaPuntoSegmento(p, sg.a, sg.b) <= tolleranza)
                out.insert(sg.area);
        }
        return out;
    };

    QHash<std::pair<int, int>, double> condiviso;
    for (const Segmento& sg : segmenti) {
        const QSet<int> ia = areeVicine(sg.a, sg.area);
        if (ia.isEmpty())
            continue;
        const QSet<int> ib = areeVicine(sg.b, sg.area);
        const double lunghezza = std::hypot(sg.b.x() - sg.a.x(), sg.b.y() - sg.a.y());
        for (int altra : ia) {
            if (!ib.contains(altra))
                continue;
            // Both ends lie on the other area's outline; make sure the middle does too, so
            // that a segment cutting across a corner is not counted.
            const QPointF m = (sg.a + sg.b) / 2.0;
            if (!areeVicine(m, sg.area).contains(altra))
                continue;
            condiviso[coppia(sg.area, altra)] += lunghezza;
        }
    }
    QSet<std::pair<int, int>> out;
    for (auto it = condiviso.cbegin(); it != condiviso.cend(); ++it)
        if (it.value() >= minimo)
            out.insert(it.key());
    return out;
}

} // namespace mappedati

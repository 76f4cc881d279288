#include "printing/ContornoMappa.h"

#include "workspace/mappa/ChiaveMappa.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QStringList& Aree() {
    static const QStringList aree{QStringLiteral("Italia"),    QStringLiteral("Europa"),
                                  QStringLiteral("Africa"),    QStringLiteral("Asia"),
                                  QStringLiteral("Americacs"), QStringLiteral("Sudamerica"),
                                  QStringLiteral("Australia")};
    return aree;
}

// Drawings up to this many device pixels (the previews, the screen) use a simplified outline;
// printing uses every point of the map.
constexpr double LatoSemplice = 2048;

} // namespace

ContornoMappa::ContornoMappa(std::shared_ptr<const DatiMappa> dati) : dati_(std::move(dati)) {
    if (!dati_)
        return;
    limiti_ = dati_->limiti;
    percorsi_ = std::make_shared<Percorsi>();
    for (const ElementoMappa& e : dati_->elementi) {
        // Points are no borders; the border layer repeats the edges of the areas.
        if (e.forma == FormaElemento::Punto || e.ruolo == RuoloElemento::Confine)
            continue;
        for (const QPolygonF& parte : e.parti)
            if (parte.size() >= 2)
                percorsi_->linee.append({parte, e.forma == FormaElemento::Area});
    }
}

const QPainterPath& ContornoMappa::Percorso(double latoDispositivo) const {
    const int livello = latoDispositivo > LatoSemplice
                            ? 99
                            : std::max(6, int(std::ceil(std::log2(latoDispositivo))));
    auto trovato = percorsi_->livelli.constFind(livello);
    if (trovato != percorsi_->livelli.constEnd())
        return *trovato;
    const double tolleranza =
        livello == 99 ? 0
                      : std::max(limiti_.width(), limiti_.height()) / std::ldexp(1.0, livello) / 2;
    QPainterPath percorso;
    for (const Linea& l : percorsi_->linee) {
        const QPolygonF& parte = l.punti;
        percorso.moveTo(parte.first());
        QPointF ultimo = parte.first();
        for (qsizetype i = 1; i < parte.size(); ++i) {
            const QPointF d = parte[i] - ultimo;
            if (i == parte.size() - 1 || std::abs(d.x()) + std::abs(d.y()) >= tolleranza) {
                percorso.lineTo(parte[i]);
                ultimo = parte[i];
            }
        }
        if (l.chiusa)
            percorso.closeSubpath();
    }
    return *percorsi_->livelli.insert(livello, std::move(percorso));
}

QString ContornoMappa::AreaDelFoglio(const QString& area) {
    for (const QString& a : Aree())
        if (a.compare(area, Qt::CaseInsensitive) == 0)
            return a;
    return {};
}

ContornoMappa ContornoMappa::DellArea(const QString& area, QString* errore) {
    const QString chiave = AreaDelFoglio(area);
    if (chiave.isEmpty()) {
        if (errore)
            *errore =
                QStringLiteral("Non c'è un foglio in bianco e nero per l'area \"%1\".").arg(area);
        return {};
    }
    const QString file = FileDellaMappa(QStringLiteral("swf/") + chiave + u'/' + chiave +
                                        QStringLiteral("pol1.swf"));
    RisultatoMappa r = CaricaMappa(file);
    if (!r.dati) {
        if (errore)
            *errore = r.errore;
        return {};
    }
    return ContornoMappa(std::move(r.dati));
}

double ContornoMappa::Proporzione() const {
    if (limiti_.width() <= 0 || limiti_.height() <= 0)
        return 1;
    return limiti_.width() / limiti_.height();
}

void ContornoMappa::Disegna(QPainter& p, const QRectF& dove) const {
    p.save();
    p.fillRect(dove, Qt::white);
    if (Valido() && !dove.isEmpty() && limiti_.width() > 0 && limiti_.height() > 0) {
        const double scala =
            std::min(dove.width() / limiti_.width(), dove.height() / limiti_.height());
        const double w = limiti_.width() * scala;
        const double h = limiti_.height() * scala;
        const QRectF mappa(dove.x() + (dove.width() - w) / 2, dove.y() + (dove.height() - h) / 2, w,
                           h);
        p.setClipRect(mappa, Qt::IntersectClip);
        // Map plane (y north) to the rectangle (y down).
        QTransform t;
        t.translate(mappa.left(), mappa.bottom());
        t.scale(scala, -scala);
        t.translate(-limiti_.left(), -limiti_.top());
        p.setRenderHint(QPainter::Antialiasing, true);
        // About a fifth of a millimetre on a 100 mm sheet, never thinner than a device pixel.
        QPen penna(Qt::black);
        penna.setCosmetic(true);
        const double scalaDispositivo = std::max(std::abs(p.transform().m11()), 1e-6);
        penna.setWidthF(std::max(1.0, std::max(w, h) * scalaDispositivo / 500.0));
        penna.setJoinStyle(Qt::RoundJoin);
        penna.setCapStyle(Qt::RoundCap);
        p.setPen(penna);
        p.setBrush(Qt::NoBrush);
        p.setTransform(t, true);
        p.drawPath(Percorso(std::max(w, h) * scalaDispositivo));
    }
    p.restore();
}

#include "shell/menu/DisegniMenu.h"

#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "catalog/Tavolozza.h"
#include "shell/Profilo.h"
#include "workspace/mappa/ChiaveMappa.h"
#include "workspace/mappa/ModelloMappa.h"
#include "workspace/mappa/VistaMappa.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace DisegniMenu {
namespace {

QColor colorePalette(int indice) {
    return QColor::fromRgb(QRgb(0xFF000000u | Tavolozza::Rgb(indice)));
}

QString chiaveCache(const QString& area, TipoMiniatura tipo, QSize d, const ProfiloUtente& p) {
    QString k = area + u'|' + QString::number(int(tipo)) + u'|' + QString::number(d.width()) +
                u'x' + QString::number(d.height()) + u'|';
    if (tipo == TipoMiniatura::Politica) {
        for (int i = 0; i < 4; ++i)
            k += QString::number(p.SchemaPolitico[size_t(i)]) + u',';
    } else {
        for (qint16 c : p.SchemaFisico)
            k += QString::number(c) + u',';
    }
    return k;
}

} // namespace

QImage MiniaturaMappa(const QString& area, TipoMiniatura tipo, QSize dimensione,
                      const ProfiloUtente& profilo) {
    if (dimensione.width() < 8 || dimensione.height() < 8)
        return {};
    static QHash<QString, QImage> cache;
    const QString k = chiaveCache(area, tipo, dimensione, profilo);
    if (const auto it = cache.constFind(k); it != cache.constEnd())
        return *it;

    const bool politica = tipo == TipoMiniatura::Politica;
    const QString chiave =
        QStringLiteral("swf/%1/%1%2")
            .arg(area, politica ? QStringLiteral("pol1.swf") : QStringLiteral("fis1.swf"));
    const QString file = FileDellaMappa(chiave);
    const RisultatoMappa r = file.isEmpty() ? RisultatoMappa{} : CaricaMappa(file);
    if (!r.dati)
        return {};
    const DatiMappa& d = *r.dati;

    // Drawn four times larger and reduced: the round markers that make tiny elements reachable
    // on the map keep their size in pixels, and would cover a small picture.
    constexpr int Sovracampionamento = 4;
    const QSize grande = dimensione * Sovracampionamento;
    VistaMappa v;
    v.impostaDati(r.dati);
    v.impostaDimensione(grande);
    v.impostaCornice(Qt::transparent);
    if (politica) {
        QHash<QString, int> classi;
        for (const VoceCatalogo& voce : TabellaPolitica(area))
            classi.insert(voce.nome, voce.classe);
        v.impostaSfondo(Qt::transparent);
        for (auto it = d.perNome.cbegin(); it != d.perNome.cend(); ++it) {
            if (it.key() == d.stratoConfini)
                continue;
            const int classe = std::clamp(classi.value(it.key(), 0), 0, 3);
            v.colora(it.key(), colorePalette(profilo.SchemaPolitico[size_t(classe)]));
        }
        // Borders in black: on a small picture they keep the regions apart.
        v.colora(d.stratoConfini, QColor(Qt::black));
    } else {
        v.impostaSfondo(colorePalette(profilo.SchemaFisico[0]));
        for (const RuoloFisicoElemento& fisico : RuoliFisici(d))
            v.colora(fisico.nome, colorePalette(profilo.SchemaFisico[size_t(fisico.ruolo)]));
    }

    QImage img(grande, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    v.disegna(p, QRectF(QPointF(0, 0), QSizeF(grande)));
    p.end();
    img = img.scaled(dimensione, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (cache.size() > 200)
        cache.clear();
    cache.insert(k, img);
    return img;
}

namespace {

QPainterPath pezzoPuzzle(const QRectF& q) {
    // A square piece with a knob on the right and a socket on top.
    const double l = q.width();
    const double r = l * 0.17;
    QPainterPath p;
    p.moveTo(q.topLeft());
    p.lineTo(q.left() + l * 0.5 - r, q.top());
    p.arcTo(QRectF(q.left() + l * 0.5 - r, q.top() - r, 2 * r, 2 * r), 180, 180);
    p.lineTo(q.topRight());
    p.lineTo(q.right(), q.top() + l * 0.5 - r);
    p.arcTo(QRectF(q.right() - r, q.top() + l * 0.5 - r, 2 * r, 2 * r), 90, -180);
    p.lineTo(q.bottomRight());
    p.lineTo(q.bottomLeft());
    p.closeSubpath();
    return p;
}

} // namespace

QImage DisegnaPittogramma(Pittogramma tipo, QSize dimensione, const QColor& colore) {
    if (dimensione.width() < 8 || dimensione.height() < 8)
        return {};
    QImage img(dimensione, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double lato = std::min(dimensione.width(), dimensione.height()) * 0.9;
    const QRectF q(QPointF((dimensione.width() - lato) / 2, (dimensione.height() - lato) / 2),
                   QSizeF(lato, lato));
    const double tratto = std::max(2.0, lato / 28);
    QPen contorno(Qt::black, tratto, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(contorno);

    switch (tipo) {
    case Pittogramma::Puzzle: {
        const double l = lato * 0.42;
        const QRectF a(q.left() + lato * 0.08, q.top() + lato * 0.3, l, l);
        p.setBrush(colore);
        p.drawPath(pezzoPuzzle(a));
        QColor chiaro = colore.lighter(150);
        p.setBrush(chiaro);
        QTransform t;
        t.translate(q.left() + lato * 0.5 + tratto * 2, q.top() + lato * 0.22);
        t.rotate(12);
        p.drawPath(t.map(pezzoPuzzle(QRectF(0, 0, l, l))));
        break;
    }
    case Pittogramma::Dove: {
        // A pin over the question mark.
        const double r = lato * 0.22;
        const QPointF c(q.center().x(), q.top() + lato * 0.3);
        QPainterPath spillo;
        spillo.moveTo(c.x(), q.top() + lato * 0.95);
        spillo.lineTo(c.x() - r * 0.9, c.y() + r * 0.45);
        spillo.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 205, -230);
        spillo.closeSubpath();
        p.setBrush(colore);
        p.drawPath(spillo);
        QFont f;
        f.setPixelSize(int(r * 1.5));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawEllipse(c, r * 0.72, r * 0.72);
        p.drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter,
                   QStringLiteral("?"));
        break;
    }
    case Pittogramma::Test: {
        const QRectF foglio(q.left() + lato * 0.15, q.top() + lato * 0.05, lato * 0.7, lato * 0.9);
        p.setBrush(Qt::white);
        p.drawRoundedRect(foglio, tratto * 2, tratto * 2);
        for (int i = 0; i < 3; ++i) {
            const double y = foglio.top() + foglio.height() * (0.22 + 0.28 * i);
            const QRectF casella(foglio.left() + lato * 0.06, y - lato * 0.06, lato * 0.12,
                                 lato * 0.12);
            p.setPen(contorno);
            p.setBrush(colore);
            p.drawRect(casella);
            p.drawLine(QPointF(casella.right() + lato * 0.06, y),
                       QPointF(foglio.right() - lato * 0.06, y));
            QPen spunta(QColor(0x00, 0x80, 0x00), tratto * 1.6, Qt::SolidLine, Qt::RoundCap);
            p.setPen(spunta);
            p.drawLine(QPointF(casella.left() + casella.width() * 0.2, casella.center().y()),
                       QPointF(casella.center().x(), casella.bottom() - casella.height() * 0.15));
            p.drawLine(QPointF(casella.center().x(), casella.bottom() - casella.height() * 0.15),
                       QPointF(casella.right() + casella.width() * 0.3, casella.top()));
        }
        break;
    }
    case Pittogramma::Schede: {
        const QRectF foglio(q.left() + lato * 0.18, q.top() + lato * 0.05, lato * 0.64, lato * 0.9);
        p.setBrush(Qt::white);
        QPainterPath pagina;
        const double piega = lato * 0.16;
        pagina.moveTo(foglio.topLeft());
        pagina.lineTo(foglio.right() - piega, foglio.top());
        pagina.lineTo(foglio.right(), foglio.top() + piega);
        pagina.lineTo(foglio.bottomRight());
        pagina.lineTo(foglio.bottomLeft());
        pagina.closeSubpath();
        p.drawPath(pagina);
        QPen riga(colore.darker(130), tratto * 1.3, Qt::SolidLine, Qt::RoundCap);
        p.setPen(riga);
        for (int i = 0; i < 6; ++i) {
            const double y = foglio.top() + foglio.height() * (0.25 + 0.12 * i);
            const double fine = foglio.right() - lato * (i % 3 == 2 ? 0.2 : 0.07);
            p.drawLine(QPointF(foglio.left() + lato * 0.07, y), QPointF(fine, y));
        }
        break;
    }
    case Pittogramma::Torna: {
        QPainterPath freccia;
        const double y = q.center().y();
        freccia.moveTo(q.left() + lato * 0.05, y);
        freccia.lineTo(q.left() + lato * 0.45, y - lato * 0.35);
        freccia.lineTo(q.left() + lato * 0.45, y - lato * 0.15);
        freccia.lineTo(q.right() - lato * 0.05, y - lato * 0.15);
        freccia.lineTo(q.right() - lato * 0.05, y + lato * 0.15);
        freccia.lineTo(q.left() + lato * 0.45, y + lato * 0.15);
        freccia.lineTo(q.left() + lato * 0.45, y + lato * 0.35);
        freccia.closeSubpath();
        p.setBrush(colore);
        p.drawPath(freccia);
        break;
    }
    }
    p.end();
    return img;
}

QFont CarattereAdattato(const QFont& base, const QString& testo, QSize box, bool aCapo,
                        int minimoPixel) {
    QFont f = base;
    if (box.width() <= 0 || box.height() <= 0)
        return f;
    int pixel = f.pixelSize() > 0 ? f.pixelSize() : QFontMetrics(f).height();
    if (f.pixelSize() <= 0)
        pixel = std::max(1, int(f.pointSizeF() * 96.0 / 72.0 + 0.5));
    const int flag = Qt::AlignCenter | (aCapo ? Qt::TextWordWrap : 0);
    for (; pixel > minimoPixel; --pixel) {
        f.setPixelSize(pixel);
        const QFontMetrics m(f);
        const QRect r = m.boundingRect(QRect(0, 0, box.width(), 100000), flag, testo);
        // Word-wrapping never splits a word: a word wider than the box still overflows.
        if (r.width() <= box.width() && r.height() <= box.height())
            return f;
    }
    f.setPixelSize(minimoPixel);
    return f;
}

} // namespace DisegniMenu

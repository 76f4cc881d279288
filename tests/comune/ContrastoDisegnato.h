#pragma once

// Contrast as the pupil sees it: measured on the pixels a widget draws.

#include "workspace/colori/Contrasto.h"

#include <QAction>
#include <QHash>
#include <QImage>
#include <QMenuBar>
#include <QWidget>

namespace ContrastoDisegnato {

// In a region of a picture: the ratio between its background (the most frequent colour) and its
// most contrasting pixel (the core of the text's strokes).
inline double Rapporto(const QImage& immagine, const QRect& regione) {
    QHash<QRgb, int> conta;
    const QRect r = regione.intersected(immagine.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++conta[immagine.pixel(x, y) & 0xFFFFFFu];
    QRgb sfondo = 0;
    int massimo = -1;
    for (auto it = conta.cbegin(); it != conta.cend(); ++it)
        if (it.value() > massimo) {
            massimo = it.value();
            sfondo = it.key();
        }
    double migliore = 1;
    for (auto it = conta.cbegin(); it != conta.cend(); ++it)
        migliore = std::max(migliore, Contrasto::Rapporto(it.key(), sfondo));
    return migliore;
}

// Every enabled entry of a menu bar with the contrast of its caption as drawn.
inline QList<std::pair<QString, double>> VociDellaBarra(QMenuBar* barra) {
    const QImage immagine = barra->grab().toImage();
    const qreal scala = immagine.devicePixelRatio();
    QList<std::pair<QString, double>> out;
    for (QAction* a : barra->actions()) {
        if (!a->isVisible() || !a->isEnabled() || a->isSeparator())
            continue;
        const QRect g = barra->actionGeometry(a);
        const QRect r(int(g.x() * scala), int(g.y() * scala), int(g.width() * scala),
                      int(g.height() * scala));
        out.append({QString(a->text()).remove(u'&'), Rapporto(immagine, r)});
    }
    return out;
}

} // namespace ContrastoDisegnato

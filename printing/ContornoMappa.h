#pragma once

#include "workspace/mappa/ModelloMappa.h"

#include <QHash>
#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <memory>

class QPainter;

// The black-and-white outline of a map: the borders of every area (elements and the land around
// them) and the border lines, black on white, with no names and no fill. Built once from the
// atlas's own map file and drawn as vectors at any size, so a printed sheet is crisp at the
// printer's resolution.
class ContornoMappa {
public:
    ContornoMappa() = default;
    explicit ContornoMappa(std::shared_ptr<const DatiMappa> dati);

    // The outline sheet of an area ("Italia" with its twenty regions, "Europa", ...), from the
    // area's political map; compared without regard to case. An empty outline (Valido() false)
    // for an unknown area or a missing map file; errore then says why.
    static ContornoMappa DellArea(const QString& area, QString* errore = nullptr);
    // The canonical area key of an area name, empty when it is none of the seven.
    static QString AreaDelFoglio(const QString& area);

    bool Valido() const { return dati_ != nullptr; }
    const DatiMappa* Dati() const { return dati_.get(); }
    // The map frame's proportions: width / height.
    double Proporzione() const;
    QSizeF Dimensione() const { return limiti_.size(); }

    // Paints the sheet into dove: white, and the outline as large as dove allows with the map's
    // own proportions, centred. The line width follows the drawing's size (at least one device
    // pixel).
    void Disegna(QPainter& p, const QRectF& dove) const;

private:
    std::shared_ptr<const DatiMappa> dati_;
    QRectF limiti_;
    // The outline in the map plane (y pointing north) for a drawing of about 2^livello device
    // pixels: the points closer than a pixel of that drawing are left out; printing sizes get
    // every point. Built on first use and shared by the copies of this outline.
    const QPainterPath& Percorso(double latoDispositivo) const;

    struct Linea {
        QPolygonF punti;
        bool chiusa = false;
    };
    struct Percorsi {
        QList<Linea> linee;
        QHash<int, QPainterPath> livelli;
    };
    std::shared_ptr<Percorsi> percorsi_;
};

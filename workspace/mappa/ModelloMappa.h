#pragma once

#include "workspace/mappa/ChiaveMappa.h"

#include <QHash>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <memory>

// One map as read from its data file (docs/FORMATO_MAPPE.md), in map-plane coordinates
// (y pointing north). Immutable once loaded, so one copy is shared by every widget showing it.

enum class RuoloElemento { Elemento, Sfondo, Confine };
enum class FormaElemento { Area, Linea, Punto };

struct ElementoMappa {
    QString nome;
    RuoloElemento ruolo = RuoloElemento::Elemento;
    QString categoria; // physical maps: "monte", "fiume", ...; empty on political maps
    FormaElemento forma = FormaElemento::Area;
    int ordine = 0;
    // Areas: the rings of all polygons (outer and holes, filled even-odd); lines: the polylines;
    // points: one polygon holding the points.
    QList<QPolygonF> parti;
    // Areas: the index in parti where each polygon (outer ring, then its holes) starts.
    QList<qsizetype> poligoni;
    QRectF limiti;         // bounding box of every part
    double superficie = 0; // areas: sum of the ring areas (holes subtracted by winding)
};

struct DatiMappa {
    int formato = 1;
    TipoMappa tipo = TipoMappa::Politica;
    QString area;
    QRectF limiti; // the map frame the widget fits into its rectangle
    QString proiezione;
    QString unita;
    QString stratoConfini; // "Confini" (political) or "Confine" (physical)
    QString attribuzione;
    QString file;
    // Sorted by draw order (ties keep file order).
    QList<ElementoMappa> elementi;
    // Element name (and the border layer's name) -> indices in elementi.
    QHash<QString, QList<int>> perNome;
    qsizetype numeroPunti = 0; // vertices of all parts, for diagnostics

    QList<int> indiciDi(const QString& nome) const { return perNome.value(nome); }
};

struct RisultatoMappa {
    std::shared_ptr<const DatiMappa> dati; // null on failure
    QString errore;                        // Italian message on failure
};

// The physical colour role (the index into the profile's physical scheme) of each element of a
// physical map that has one, with the name the element is coloured by: the border layer goes by
// its layer name and counts as "altri" when the file gives it no category. Background land has
// no role.
struct RuoloFisicoElemento {
    QString nome;
    int ruolo = 0;
};
QList<RuoloFisicoElemento> RuoliFisici(const DatiMappa& d);

// Reads a map data file. Never throws; a missing, unreadable or malformed file gives a clear
// Italian message. Files already read (same path, size and modification time) come from a cache.
RisultatoMappa CaricaMappa(const QString& percorso);

// Parses map data already in memory; nomeFile only appears in messages.
RisultatoMappa LeggiMappaGeoJson(QByteArrayView testo, const QString& nomeFile);

// The physical category shown by frame n (1..7), empty for frame 0 and out-of-range frames.
QString CategoriaDelFotogramma(int fotogramma);

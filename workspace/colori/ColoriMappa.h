#pragma once

#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "shell/Profilo.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <span>

// The colour passes of the map windows as data: the (element, "RRGGBB") pairs that ImpostaColori
// sends to the map, in order. The window calls ColoraElemento for each pair.

struct ColoreElemento {
    QString nome;
    QString colore; // "RRGGBB", as the map takes it
    bool operator==(const ColoreElemento&) const = default;
};
using PassataColori = QList<ColoreElemento>;

// Rows of the physical catalog: name, category word, stored colour (the layout of
// CatalogoFisico::ElencoFisico, rows 0..NumeroElementiFisici).
using RigheFisiche = std::span<const std::array<QString, 3>>;
// The rows in use of a physical catalog.
RigheFisiche RigheDi(const CatalogoFisico& c);

// The colour of political class k: Tavolozza[SchemaPolitico[k]]. A class outside 0..5 is taken
// as class 0; a scheme entry outside the palette as palette entry 0.
QString ColoreClasse(const ProfiloUtente& p, int classe);

// The political window: every element 0..NumeroElementi in its class colour, then the border
// layer "Confini" in the background colour.
PassataColori ColoriPolitici(const CatalogoArea& c, const ProfiloUtente& p);
// The region chooser: the regions in their class colours, borders untouched.
PassataColori ColoriSceltaRegione(const CatalogoArea& c, const ProfiloUtente& p);
// The single-region political window: its provinces (ProvinceDellaRegione) in their class
// colours, borders untouched.
PassataColori ColoriProvince(const QList<VoceCatalogo>& province, const ProfiloUtente& p);
// The physical windows: every row with its stored colour (TrovaColoriFisiche). A row whose
// colour was never computed (unknown category, empty column) is not sent.
PassataColori ColoriFisici(RigheFisiche righe);

// The colours of the window around the map.
struct ColoriFinestra {
    quint32 finestra = 0;   // window, viewport, scanning boxes: 0xRRGGBB
    quint32 sfondoNome = 0; // background of the name box
    quint32 testoNome = 0;  // text of the name box
    QString sfondoMappa;    // the map's background, "RRGGBB"
    quint32 cornice = 0;    // around the map where it does not fill the viewport
    QString evidenziazione; // highlight of the selected or scanned element, "RRGGBB"
    bool operator==(const ColoriFinestra&) const = default;
};
// Political windows: ColoreSfondo everywhere, ColoreTesto for the name, SchemaPolitico[4] for the
// highlight.
ColoriFinestra ColoriFinestraPolitica(const ProfiloUtente& p);
// Physical windows: SchemaFisico 11 for the window, 1 for the name, 0 for the map background,
// 10 for the highlight.
ColoriFinestra ColoriFinestraFisica(const ProfiloUtente& p);

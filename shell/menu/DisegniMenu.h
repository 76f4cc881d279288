#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

struct ProfiloUtente;

// The pictures of the menus, drawn from the atlas's own maps and from simple shapes, and the
// fitting of captions into their boxes.
namespace DisegniMenu {

enum class TipoMiniatura { Politica, Fisica };

// The map of an area key ("Italia", "Europa", ...) as a picture of the given size, coloured
// with the profile's political classes or physical categories. Around the map (and, on
// political maps, in the sea) the picture is transparent, so the tile's own colour shows
// through. A missing or unreadable map gives a null image. Pictures are kept for the run: the
// same key, size and colours are drawn once.
QImage MiniaturaMappa(const QString& area, TipoMiniatura tipo, QSize dimensione,
                      const ProfiloUtente& profilo);

// Drawn pictograms of the activity tiles.
enum class Pittogramma {
    Puzzle, // two interlocking puzzle pieces
    Dove,   // a map pin over a question mark
    Test,   // a ticked checklist
    Schede, // a written page
    Torna,  // an arrow pointing back
};
// colore: the main colour (the group's colour); the outlines are black, for contrast.
QImage DisegnaPittogramma(Pittogramma tipo, QSize dimensione, const QColor& colore);

// The largest font, not larger than base, in which testo fits in a box of the given size
// (word-wrapped when aCapo). Never smaller than minimoPixel pixels.
QFont CarattereAdattato(const QFont& base, const QString& testo, QSize box, bool aCapo = true,
                        int minimoPixel = 8);

} // namespace DisegniMenu

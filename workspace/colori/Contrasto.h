#pragma once

#include <QtGlobal>

// Text against a background by the WCAG rules: relative luminance of sRGB colours and the
// contrast ratio between two of them (1 to 21). Colours are 0xRRGGBB.
namespace Contrasto {

// The ratio the program asks for any text it draws on a coloured background.
inline constexpr double Minimo = 4.5;

double Luminanza(quint32 rgb);
double Rapporto(quint32 a, quint32 b);

struct Coppia {
    quint32 testo = 0;
    quint32 sfondo = 0xFFFFFF;
    bool operator==(const Coppia&) const = default;
};

// The pair to draw with: the wanted one when its contrast is at least Minimo; otherwise the same
// background with black or white text, whichever reads better (one of them always reaches 4.58).
Coppia Leggibile(quint32 testo, quint32 sfondo);
// Black or white, whichever contrasts more with the background.
quint32 TestoSu(quint32 sfondo);

} // namespace Contrasto

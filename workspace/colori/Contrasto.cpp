#include "workspace/colori/Contrasto.h"

#include <algorithm>
#include <cmath>

namespace Contrasto {

namespace {

double Canale(quint32 v) {
    const double c = double(v & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

constexpr quint32 Nero = 0x000000;
constexpr quint32 Bianco = 0xFFFFFF;

} // namespace

double Luminanza(quint32 rgb) {
    return 0.2126 * Canale(rgb >> 16) + 0.7152 * Canale(rgb >> 8) + 0.0722 * Canale(rgb);
}

double Rapporto(quint32 a, quint32 b) {
    const double la = Luminanza(a), lb = Luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

quint32 TestoSu(quint32 sfondo) {
    return Rapporto(Nero, sfondo) >= Rapporto(Bianco, sfondo) ? Nero : Bianco;
}

Coppia Leggibile(quint32 testo, quint32 sfondo) {
    testo &= 0xFFFFFF;
    sfondo &= 0xFFFFFF;
    if (Rapporto(testo, sfondo) >= Minimo)
        return {testo, sfondo};
    // Black or white reaches at least 4.58 on any background.
    return {TestoSu(sfondo), sfondo};
}

} // namespace Contrasto

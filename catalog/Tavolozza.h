#pragma once

#include <QString>

#include <array>

// The fixed palette of 216 colours. Every colour setting of a profile is an index into it;
// the order is part of the profile format and never changes.
namespace Tavolozza {

inline constexpr int NumeroColori = 216;

// The palette in its three forms, built once by CostruisciTavolozza().
struct Forme {
    std::array<QString, NumeroColori> Tavolozza;        // "RRGGBB", for the maps
    std::array<QString, NumeroColori> TavolozzaVB;      // "&H00BBGGRR&", the Windows colour literal
    std::array<double, NumeroColori> TavolozzaNumerica; // 0xRRGGBB as a number
};

// Builds (once) and returns the three forms.
const Forme& CostruisciTavolozza();

// 0xRRGGBB of entry i; i outside 0..215 gives the value of entry 0.
quint32 Rgb(int i);
// "RRGGBB" of entry i (upper case); out-of-range indices give entry 0.
QString Esadecimale(int i);
// Whether i is a valid palette index.
constexpr bool IndiceValido(int i) {
    return i >= 0 && i < NumeroColori;
}

} // namespace Tavolozza

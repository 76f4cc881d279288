#pragma once

#include <QSizeF>

#include <optional>

// The sizing rules of the map view of the activity windows, without widgets: zoom steps, the
// scroll ranges they give and the arrow-key scrolling. Lengths are pixels.
namespace VistaZoom {

inline constexpr double FattoreIngrandimento = 1.2;
inline constexpr double FattoreRiduzione = 0.8;
// The scroll bars count in 16 bits: a zoom that would need a larger range is not made.
inline constexpr int MassimoScorrimento = 32767;

// "Ingrandisci": the map 1.2 times larger; nullopt when a scroll range would overflow.
std::optional<QSizeF> Ingrandisci(QSizeF mappa, QSizeF viewport);
// "Riduci": the map 0.8 times smaller; nullopt when its height would go below half the
// viewport's height (the viewport height as a whole number, halved with truncation).
std::optional<QSizeF> Riduci(QSizeF mappa, QSizeF viewport);

// A scroll bar for one direction.
struct Barra {
    int massimo = 0;       // map length - viewport length, never negative
    int passo = 0;         // SmallChange: massimo / 50
    int pagina = 0;        // LargeChange: massimo / 10
    bool visibile = false; // the map is longer than the viewport
    bool operator==(const Barra&) const = default;
};
Barra CalcolaBarra(double mappa, double viewport);

// Arrow keys: Left/Up go back one LargeChange only when the value is at least LargeChange,
// Right/Down go on one LargeChange only when massimo - LargeChange is at least the value; a move
// that would cross an end is not made. Returns the new value.
int FrecciaIndietro(int valore, const Barra& barra);
int FrecciaAvanti(int valore, const Barra& barra);

} // namespace VistaZoom

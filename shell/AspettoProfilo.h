#pragma once

#include "workspace/colori/Contrasto.h"

#include <QFont>

class QMenuBar;
class QMessageBox;
class QWidget;

// The profile's large print and colours on the parts of a window that every window shares: the
// menu bar with its menus, and the message boxes. Text is always drawn with a contrast ratio of
// at least Contrasto::Minimo: a profile pair that is too close keeps its background and gets black
// or white text.
namespace AspettoProfilo {

// The profile's font (its family, Verdana when none, and its size within 8..96 points).
QFont Carattere();
// The profile's text and background colours (ColoreTesto, ColoreSfondo), made readable.
Contrasto::Coppia Colori();

// Colours the bar and every menu of the window it belongs to with the pair (the entry under the
// pointer or the keyboard in the inverted pair), and gives them the font: the menus at its size,
// the bar at the largest size up to it at which every entry fits the bar's width (never under 12
// points), so that no entry hides behind the overflow button.
void ColoraBarraMenu(QMenuBar* barra, const Contrasto::Coppia& colori, const QFont& carattere);

// The profile's font and colours on a message box (or any dialog), its buttons included.
void ApplicaAMessaggio(QWidget* dialogo);

} // namespace AspettoProfilo

#pragma once

#include <functional>

class QWidget;

// The chain of full-screen windows: each window shows the next one and closes itself.
namespace Navigazione {

using Fabbrica = std::function<QWidget*()>;

// The window that makes the area menu; registered by the menus at start-up.
void RegistraMenuAree(Fabbrica fabbrica);
// Creates and shows the area menu. False when no area menu is available.
bool MostraMenuAree();

// Places a window at the screen's top-left corner with the screen's full size and shows it.
void MostraATuttoSchermo(QWidget* finestra);

// Asks whether to leave the program; on Yes saves the current profile and ends the program.
// Returns false when the pupil answered No.
bool ConfermaUscita(QWidget* proprietario);

} // namespace Navigazione

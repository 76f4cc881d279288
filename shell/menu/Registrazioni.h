#pragma once

// Registers every window of the program with the navigation, by name: the menus, the about box
// and the activity windows built so far. Called once at start-up, before the start screen.
void RegistraFinestre();

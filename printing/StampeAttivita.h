#pragma once

class FinestraProgramma;
class QWidget;

// The two entries of the "&Stampa" menu of every activity window.

// "stampa mappa bianco e nero": the black-and-white sheet of the current area, modally; when it
// closes, the window runs its activation again (a new game for quizzes and puzzles).
void StampaMappaBiancoNero(FinestraProgramma* finestra);

// "stampa pagina esercizio": the window as it looks on the screen, on the default printer, without
// a dialog; "Impossibile stampare il form." when it cannot be printed. True when printed.
bool StampaPaginaEsercizio(QWidget* finestra);

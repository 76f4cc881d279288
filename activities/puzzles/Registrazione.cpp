#include "activities/puzzles/Registrazione.h"

#include "activities/puzzles/FormPuzzle.h"
#include "shell/Navigazione.h"

void RegistraFinestrePuzzle() {
    Navigazione::Registra(QStringLiteral("FormPuzzlePolitico"),
                          [] { return new FormPuzzlePolitico; });
    Navigazione::Registra(QStringLiteral("FormPuzzlePoliticoReg"),
                          [] { return new FormPuzzlePoliticoReg; });
    Navigazione::Registra(QStringLiteral("FormPuzzleFisico"), [] { return new FormPuzzleFisico; });
    Navigazione::Registra(QStringLiteral("FormPuzzleFisicoRegioni"),
                          [] { return new FormPuzzleFisicoRegioni; });
}

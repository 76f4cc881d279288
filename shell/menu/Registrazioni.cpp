#include "shell/menu/Registrazioni.h"

#include "activities/exploration/Registrazione.h"
#include "activities/puzzles/Registrazione.h"
#include "activities/quizzes/Registrazione.h"
#include "configuration/FormConfigura.h"
#include "results/FormEserciziEseguiti.h"

#include "shell/Navigazione.h"
#include "shell/menu/FormInfo.h"
#include "shell/menu/FormMenu.h"
#include "shell/menu/FormMenu2.h"
#include "shell/menu/FormMenu3.h"
#include "shell/menu/NomiFinestre.h"

void RegistraFinestre() {
    Navigazione::Registra(Navigazione::MenuAree, [] { return new FormMenu; });
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FormMenu2; });
    Navigazione::Registra(Navigazione::SceltaRegione, [] { return new FormMenu3; });
    Navigazione::Registra(Navigazione::Informazioni, [] { return new FormInfo; });
    Navigazione::Registra(NomiFinestre::Configurazione, [] { return new FormConfigura; });
    RegistraFinestreEsplorazione();
    RegistraFinestrePuzzle();
    RegistraFinestreQuiz();
    Navigazione::Registra(NomiFinestre::EserciziEseguiti, [] { return new FormEserciziEseguiti; });
}

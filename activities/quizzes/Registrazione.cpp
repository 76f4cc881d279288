#include "activities/quizzes/Registrazione.h"

#include "activities/quizzes/FormFisDove.h"
#include "activities/quizzes/FormPolDove.h"
#include "activities/quizzes/FormTestPol.h"
#include "shell/Navigazione.h"

void RegistraFinestreQuiz() {
    Navigazione::Registra(QStringLiteral("FormPolDove"), [] { return new FormPolDove; });
    Navigazione::Registra(QStringLiteral("FormPolDoveReg"), [] { return new FormPolDoveReg; });
    Navigazione::Registra(QStringLiteral("FormFisDove"), [] { return new FormFisDove; });
    Navigazione::Registra(QStringLiteral("FormFisDoveRegioni"),
                          [] { return new FormFisDoveRegioni; });
    Navigazione::Registra(QStringLiteral("FormTestPol"), [] { return new FormTestPol; });
}

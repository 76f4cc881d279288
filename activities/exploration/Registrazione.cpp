#include "activities/exploration/Registrazione.h"

#include "activities/exploration/FormMappaFis.h"
#include "activities/exploration/FormMappaPol.h"
#include "activities/exploration/FormSchede.h"
#include "shell/Navigazione.h"

void RegistraFinestreEsplorazione() {
    Navigazione::Registra(QStringLiteral("FormMappaPol"), [] { return new FormMappaPol; });
    Navigazione::Registra(QStringLiteral("FormMappaPolReg"), [] { return new FormMappaPolReg; });
    Navigazione::Registra(QStringLiteral("FormMappaFis"), [] { return new FormMappaFis; });
    Navigazione::Registra(QStringLiteral("FormMappaRegioniFis"),
                          [] { return new FormMappaRegioniFis; });
    Navigazione::Registra(QStringLiteral("formSchede"), [] { return new FormSchede; });
}

#pragma once

#include "shell/Navigazione.h"
#include "workspace/scansione/MenuScansione.h"

#include <QString>

// Names of the windows the menus open (the navigation registry's keys). A tile or entry whose
// window is not registered is shown disabled.
namespace NomiFinestre {
inline const QString MappaPolitica = QStringLiteral("FormMappaPol");
inline const QString MappaFisica = QStringLiteral("FormMappaFis");
inline const QString PuzzlePolitico = QStringLiteral("FormPuzzlePolitico");
inline const QString PuzzleFisico = QStringLiteral("FormPuzzleFisico");
inline const QString DovePolitico = QStringLiteral("FormPolDove");
inline const QString DoveFisico = QStringLiteral("FormFisDove");
inline const QString TestRegioni = QStringLiteral("FormTestPol");
inline const QString Schede = QStringLiteral("formSchede");
inline const QString MappaPoliticaRegione = QStringLiteral("FormMappaPolReg");
inline const QString PuzzlePoliticoRegione = QStringLiteral("FormPuzzlePoliticoReg");
inline const QString DovePoliticoRegione = QStringLiteral("FormPolDoveReg");
inline const QString MappaFisicaRegione = QStringLiteral("FormMappaRegioniFis");
inline const QString PuzzleFisicoRegione = QStringLiteral("FormPuzzleFisicoRegioni");
inline const QString DoveFisicoRegione = QStringLiteral("FormFisDoveRegioni");
inline const QString Configurazione = QStringLiteral("FormConfigura");
inline const QString EserciziEseguiti = QStringLiteral("FormEserciziEseguiti");

// The window of an activity tile, and of a regional activity ("" for none).
QString DellaCasella(DestinazioneCasella f);
QString DellaRegione(FinestraRegionale f);
} // namespace NomiFinestre

#include "shell/menu/NomiFinestre.h"

namespace NomiFinestre {

QString DellaCasella(FinestraAttivita f) {
    switch (f) {
    case FinestraAttivita::MappaPolitica:
        return MappaPolitica;
    case FinestraAttivita::PuzzlePolitico:
        return PuzzlePolitico;
    case FinestraAttivita::DovePolitico:
        return DovePolitico;
    case FinestraAttivita::TestRegioni:
        return TestRegioni;
    case FinestraAttivita::MappaFisica:
        return MappaFisica;
    case FinestraAttivita::PuzzleFisico:
        return PuzzleFisico;
    case FinestraAttivita::DoveFisico:
        return DoveFisico;
    case FinestraAttivita::Scheda:
        return Schede;
    case FinestraAttivita::MenuAree:
        return Navigazione::MenuAree;
    case FinestraAttivita::SceltaRegione:
        return Navigazione::SceltaRegione;
    case FinestraAttivita::Nessuna:
        break;
    }
    return {};
}

QString DellaRegione(FinestraRegionale f) {
    switch (f) {
    case FinestraRegionale::MappaPoliticaRegione:
        return MappaPoliticaRegione;
    case FinestraRegionale::PuzzlePoliticoRegione:
        return PuzzlePoliticoRegione;
    case FinestraRegionale::DovePoliticoRegione:
        return DovePoliticoRegione;
    case FinestraRegionale::MappaFisicaRegione:
        return MappaFisicaRegione;
    case FinestraRegionale::PuzzleFisicoRegione:
        return PuzzleFisicoRegione;
    case FinestraRegionale::DoveFisicoRegione:
        return DoveFisicoRegione;
    case FinestraRegionale::Nessuna:
        break;
    }
    return {};
}

} // namespace NomiFinestre

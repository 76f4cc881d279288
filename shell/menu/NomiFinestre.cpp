#include "shell/menu/NomiFinestre.h"

namespace NomiFinestre {

QString DellaCasella(DestinazioneCasella f) {
    switch (f) {
    case DestinazioneCasella::MappaPolitica:
        return MappaPolitica;
    case DestinazioneCasella::PuzzlePolitico:
        return PuzzlePolitico;
    case DestinazioneCasella::DovePolitico:
        return DovePolitico;
    case DestinazioneCasella::TestRegioni:
        return TestRegioni;
    case DestinazioneCasella::MappaFisica:
        return MappaFisica;
    case DestinazioneCasella::PuzzleFisico:
        return PuzzleFisico;
    case DestinazioneCasella::DoveFisico:
        return DoveFisico;
    case DestinazioneCasella::Scheda:
        return Schede;
    case DestinazioneCasella::MenuAree:
        return Navigazione::MenuAree;
    case DestinazioneCasella::SceltaRegione:
        return Navigazione::SceltaRegione;
    case DestinazioneCasella::Nessuna:
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

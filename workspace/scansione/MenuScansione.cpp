#include "workspace/scansione/MenuScansione.h"

ComandoScansione ScansioneMenuAree(ModoScansione modo, int intervalloMs) {
    ComandoScansione::Opzioni o;
    o.modo = modo;
    o.intervalloMs = intervalloMs;
    o.rilascio = ComandoScansione::Rilascio::Seleziona;
    o.inMovimentoAllAvvio = true;
    o.indiceIniziale = 0;
    return ComandoScansione(CicloScansione(NumeroCaselleAree - 1), o);
}

namespace {

ComandoScansione::Opzioni OpzioniMenu(ModoScansione modo, int intervalloMs) {
    ComandoScansione::Opzioni o;
    o.modo = modo;
    o.intervalloMs = intervalloMs;
    o.rilascio = ComandoScansione::Rilascio::Seleziona;
    o.inMovimentoAllAvvio = true;
    o.indiceIniziale = 0;
    return o;
}

} // namespace

ScansioneMenuAttivita::ScansioneMenuAttivita(const QString& area, ModoScansione modo,
                                             int intervalloMs)
    : area_(area), modo_(modo), comando_(CicloScansione(1), OpzioniMenu(modo, intervalloMs)) {
    Attiva();
}

void ScansioneMenuAttivita::Attiva() {
    comando_.Attiva();
    if (area_ == u"Italia" && modo_ != ModoScansione::Mouse) {
        fase_ = Fase::SceltaItalia;
        comando_.Ciclo() = CicloScansione(1);
        comando_.Ciclo().ImpostaIndice(0);
        casella_ = 0;
    } else {
        PassaAlleCaselle(Fase::Caselle);
    }
}

void ScansioneMenuAttivita::PassaAlleCaselle(Fase fase) {
    fase_ = fase;
    comando_.Ciclo() = CicloScansione(
        NumeroCaselleAttivita - 1, CicloScansione::Ripristino::SoloSeEvidenziato, [this](int i) {
            return i == static_cast<int>(CasellaAttivita::Test) && fase_ != Fase::Regioni;
        });
    // The highlight starts again from the first tile, whichever button made the choice.
    comando_.Ciclo().ImpostaIndice(0);
    casella_ = 0;
}

int ScansioneMenuAttivita::SceltaEvidenziata() const {
    return fase_ == Fase::SceltaItalia ? comando_.Indice() : -1;
}

ScansioneMenuAttivita::Eventi
ScansioneMenuAttivita::Converti(const ComandoScansione::Eventi& eventi) {
    Eventi out;
    for (const ComandoScansione::Evento& e : eventi) {
        if (e.tipo == ComandoScansione::Evento::Tipo::Ripartita ||
            e.tipo == ComandoScansione::Evento::Tipo::Pausa)
            continue;
        if (fase_ == Fase::SceltaItalia) {
            if (e.tipo == ComandoScansione::Evento::Tipo::Passo) {
                out.append(
                    Evento{Evento::Tipo::PassoScelta, e.passo.daRipristinare, e.passo.evidenziato});
            } else {
                const bool regioni = e.indice != 0;
                out.append(Evento{Evento::Tipo::Scelta, -1, -1, regioni});
                PassaAlleCaselle(regioni ? Fase::Regioni : Fase::Caselle);
                out.append(Evento{Evento::Tipo::PassoCasella, -1, 0, regioni});
            }
            continue;
        }
        if (e.tipo == ComandoScansione::Evento::Tipo::Passo) {
            casella_ = e.passo.evidenziato;
            out.append(Evento{Evento::Tipo::PassoCasella, e.passo.daRipristinare,
                              e.passo.evidenziato, fase_ == Fase::Regioni});
        } else {
            out.append(Evento{Evento::Tipo::Avvia, -1, -1, fase_ == Fase::Regioni, e.indice});
        }
    }
    return out;
}

ScansioneMenuAttivita::Eventi ScansioneMenuAttivita::PremiSpazio() {
    return Converti(comando_.PremiSpazio());
}

ScansioneMenuAttivita::Eventi ScansioneMenuAttivita::RilasciaSpazio() {
    return Converti(comando_.RilasciaSpazio());
}

ScansioneMenuAttivita::Eventi ScansioneMenuAttivita::PremiInvio() {
    return Converti(comando_.PremiInvio());
}

ScansioneMenuAttivita::Eventi ScansioneMenuAttivita::RilasciaInvio() {
    return Converti(comando_.RilasciaInvio());
}

ScansioneMenuAttivita::Eventi ScansioneMenuAttivita::Trascorri(int millisecondi) {
    return Converti(comando_.Trascorri(millisecondi));
}

std::optional<int> ScansioneMenuAttivita::MillisecondiAlProssimoScatto() const {
    return comando_.MillisecondiAlProssimoScatto();
}

DestinazioneCasella FinestraDellaCasella(int casella, bool italiaPerRegioni) {
    const auto mappa = [&](DestinazioneCasella intera) {
        return italiaPerRegioni ? DestinazioneCasella::SceltaRegione : intera;
    };
    switch (casella) {
    case 0:
        return mappa(DestinazioneCasella::MappaPolitica);
    case 1:
        return mappa(DestinazioneCasella::PuzzlePolitico);
    case 2:
        return mappa(DestinazioneCasella::DovePolitico);
    case 3:
        return italiaPerRegioni ? DestinazioneCasella::TestRegioni : DestinazioneCasella::Nessuna;
    case 4:
        return mappa(DestinazioneCasella::MappaFisica);
    case 5:
        return mappa(DestinazioneCasella::PuzzleFisico);
    case 6:
        return mappa(DestinazioneCasella::DoveFisico);
    case 7:
        return DestinazioneCasella::Scheda;
    case 8:
        return DestinazioneCasella::MenuAree;
    default:
        return DestinazioneCasella::Nessuna;
    }
}

FinestraRegionale FinestraDellaRegione(int attivitaScelta) {
    switch (attivitaScelta) {
    case 0:
        return FinestraRegionale::MappaPoliticaRegione;
    case 1:
        return FinestraRegionale::PuzzlePoliticoRegione;
    case 2:
        return FinestraRegionale::DovePoliticoRegione;
    case 4:
        return FinestraRegionale::MappaFisicaRegione;
    case 5:
        return FinestraRegionale::PuzzleFisicoRegione;
    case 6:
        return FinestraRegionale::DoveFisicoRegione;
    default:
        return FinestraRegionale::Nessuna;
    }
}

bool RichiedeMappaFisicaRegionale(int attivitaScelta) {
    return attivitaScelta >= 4 && attivitaScelta <= 6;
}

FinestraRegionale FinestraRegioneACaso(int attivitaScelta) {
    if (attivitaScelta == 0 || attivitaScelta == 1)
        return FinestraDellaRegione(attivitaScelta);
    return FinestraRegionale::Nessuna;
}

#include "workspace/scansione/ComandoScansione.h"

#include <algorithm>

ModoScansione ModoDaAccesso(int modalitaAccesso) {
    switch (modalitaAccesso) {
    case 2:
        return ModoScansione::Manuale;
    case 3:
        return ModoScansione::Automatica;
    default:
        return ModoScansione::Mouse;
    }
}

int IntervalloScansione(int tempoScansione) {
    return std::clamp(tempoScansione, 4, 60) * 250;
}

ComandoScansione::ComandoScansione(CicloScansione ciclo, Opzioni opzioni)
    : ciclo_(std::move(ciclo)), opzioni_(opzioni) {
    opzioni_.intervalloMs = std::max(opzioni_.intervalloMs, 1);
    Attiva();
}

void ComandoScansione::Attiva() {
    ciclo_.ImpostaIndice(opzioni_.indiceIniziale);
    attiva_ = opzioni_.modo == ModoScansione::Automatica && opzioni_.inMovimentoAllAvvio;
    orologio_ = opzioni_.modo == ModoScansione::Automatica;
    trascorsi_ = 0;
}

ComandoScansione::Eventi ComandoScansione::Passo() {
    const CicloScansione::Passo p = ciclo_.Avanza();
    if (p.daRipristinare < 0 && p.evidenziato < 0)
        return {};
    return {Evento::DiPasso(p)};
}

ComandoScansione::Eventi ComandoScansione::PremiSpazio() {
    // The clock stops while the switch is held, so the highlight cannot move away from the
    // element the pupil is choosing. Key repeats change nothing.
    if (opzioni_.modo == ModoScansione::Automatica)
        orologio_ = false;
    return {};
}

ComandoScansione::Eventi ComandoScansione::RilasciaSpazio() {
    switch (opzioni_.modo) {
    case ModoScansione::Mouse:
        return {};
    case ModoScansione::Manuale:
        return Passo();
    case ModoScansione::Automatica:
        break;
    }
    // The clock starts again with a full interval.
    orologio_ = true;
    trascorsi_ = 0;
    const int indice = ciclo_.Indice();
    if (opzioni_.rilascio == Rilascio::Seleziona) {
        if (indice < 0)
            return {};
        return {Evento::DiSelezione(indice)};
    }
    if (!attiva_) {
        attiva_ = true;
        return {Evento{Evento::Tipo::Ripartita, {}, indice}};
    }
    // Nothing highlighted yet: there is nothing to choose, the highlight keeps moving.
    if (indice < 0)
        return {};
    attiva_ = false;
    return {Evento::DiSelezione(indice)};
}

ComandoScansione::Eventi ComandoScansione::RilasciaInvio() {
    if (opzioni_.modo != ModoScansione::Manuale || ciclo_.Indice() < 0)
        return {};
    return {Evento::DiSelezione(ciclo_.Indice())};
}

ComandoScansione::Eventi ComandoScansione::Trascorri(int millisecondi) {
    if (!orologio_ || millisecondi <= 0)
        return {};
    trascorsi_ += std::min(millisecondi, 1 << 29);
    if (trascorsi_ < opzioni_.intervalloMs)
        return {};
    trascorsi_ %= opzioni_.intervalloMs;
    if (!attiva_)
        return {};
    return Passo();
}

std::optional<int> ComandoScansione::MillisecondiAlProssimoScatto() const {
    if (!orologio_)
        return std::nullopt;
    return opzioni_.intervalloMs - trascorsi_;
}

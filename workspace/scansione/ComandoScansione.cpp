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
    spazioGiu_ = false;
    invioGiu_ = false;
    tenutaSpazio_ = 0;
    tenutaInvio_ = 0;
    giri_ = 0;
    pausa_ = false;
}

bool ComandoScansione::Accettata(int tenuta) const {
    return tenuta >= opzioni_.accettazioneMs;
}

ComandoScansione::Eventi ComandoScansione::PassoDellOrologio() {
    const int prima = ciclo_.Indice();
    if (opzioni_.giriPrimaDellaPausa > 0 && prima >= 0) {
        // A step that brings the highlight back to the start ends a loop; after the last silent
        // loop the highlight stays where it is and the clock stops until the next press.
        CicloScansione prova = ciclo_;
        const CicloScansione::Passo p = prova.Avanza();
        if (p.evidenziato >= 0 && p.evidenziato <= prima &&
            ++giri_ >= opzioni_.giriPrimaDellaPausa) {
            pausa_ = true;
            attiva_ = false;
            orologio_ = false;
            return {Evento{Evento::Tipo::Pausa, {}, prima}};
        }
    }
    return Passo();
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
    spazioGiu_ = true;
    tenutaSpazio_ = 0;
    return {};
}

ComandoScansione::Eventi ComandoScansione::PremiInvio() {
    invioGiu_ = true;
    tenutaInvio_ = 0;
    return {};
}

ComandoScansione::Eventi ComandoScansione::RilasciaSpazio() {
    const bool premuto = spazioGiu_;
    spazioGiu_ = false;
    if (premuto && !Accettata(tenutaSpazio_)) {
        // Too short to be meant: as if the switch had not been touched; the automatic clock goes
        // on from where it was.
        if (opzioni_.modo == ModoScansione::Automatica)
            orologio_ = !pausa_;
        return {};
    }
    giri_ = 0;
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
    if (pausa_) {
        // The press that ends a pause only sets the highlight going again.
        pausa_ = false;
        attiva_ = true;
        // The highlight stands at the end of a loop: the next step, back to the start, begins
        // the first loop rather than ending one.
        giri_ = -1;
        return {Evento{Evento::Tipo::Ripartita, {}, indice}};
    }
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
    const bool premuto = invioGiu_;
    invioGiu_ = false;
    if (premuto && !Accettata(tenutaInvio_))
        return {};
    giri_ = 0;
    if (opzioni_.modo != ModoScansione::Manuale || ciclo_.Indice() < 0)
        return {};
    return {Evento::DiSelezione(ciclo_.Indice())};
}

ComandoScansione::Eventi ComandoScansione::Trascorri(int millisecondi) {
    if (millisecondi <= 0)
        return {};
    millisecondi = std::min(millisecondi, 1 << 29);
    if (spazioGiu_)
        tenutaSpazio_ = std::min(tenutaSpazio_ + millisecondi, 1 << 29);
    if (invioGiu_)
        tenutaInvio_ = std::min(tenutaInvio_ + millisecondi, 1 << 29);
    if (!orologio_)
        return {};
    trascorsi_ += millisecondi;
    if (trascorsi_ < opzioni_.intervalloMs)
        return {};
    trascorsi_ %= opzioni_.intervalloMs;
    if (!attiva_)
        return {};
    return PassoDellOrologio();
}

std::optional<int> ComandoScansione::MillisecondiAlProssimoScatto() const {
    if (!orologio_)
        return std::nullopt;
    return opzioni_.intervalloMs - trascorsi_;
}

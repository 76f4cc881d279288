#include "workspace/scansione/FiltroTasti.h"

#include <algorithm>

FiltroTasti::Uscite FiltroTasti::Avanza(std::optional<qint64> istante) {
    // Each decision with the time of the event it passes on, so that keys keep their order.
    QList<std::pair<qint64, Uscita>> decisioni;
    const auto scaduto = [&](qint64 da, bool almeno) {
        if (!istante)
            return true;
        const qint64 trascorso = *istante - da;
        return almeno ? trascorso >= SogliaRimbalzo : trascorso > SogliaRimbalzo;
    };
    for (auto& [tasto, t] : tasti_) {
        switch (t.stato) {
        case Stato::Su:
        case Stato::Giu:
            break;
        case Stato::InConferma:
            if (scaduto(t.premuto, true)) {
                t.stato = Stato::Giu;
                decisioni.append({t.premuto, {Uscita::Tipo::Premuto, tasto}});
            }
            break;
        case Stato::Rimbalzo:
            // A short press nobody took up again: chatter, nothing is passed on. A press coming
            // late after it starts a new hold of its own.
            if (scaduto(t.rilasciato, false)) {
                t.stato = Stato::Su;
                t.rilascioNoto = false;
            }
            break;
        case Stato::RilascioInAttesa:
            if (scaduto(t.rilasciato, false)) {
                if (!t.muto)
                    decisioni.append({t.rilasciato, {Uscita::Tipo::Rilasciato, tasto}});
                t.stato = Stato::Su;
                t.muto = false;
                t.rilascioNoto = true;
            }
            break;
        }
    }
    std::stable_sort(decisioni.begin(), decisioni.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Uscite out;
    for (const auto& d : decisioni)
        out.append(d.second);
    return out;
}

FiltroTasti::Uscite FiltroTasti::Premi(int tasto, qint64 istante, bool ripetizione) {
    Uscite out = Avanza(istante);
    if (ripetizione)
        return out;
    Tasto& t = tasti_[tasto];
    switch (t.stato) {
    case Stato::Su:
        if (t.rilascioNoto && istante - t.rilasciato <= SogliaRimbalzo) {
            // The release before this press was already passed on (the press came late): the
            // rest of this hold is the same use of the switch.
            t.stato = Stato::Giu;
            t.muto = true;
        } else {
            t.stato = Stato::InConferma;
            t.muto = false;
        }
        t.premuto = istante;
        break;
    case Stato::Rimbalzo:
        // Taken up again at once: the hold goes on from its first press.
        t.stato = Stato::InConferma;
        break;
    case Stato::RilascioInAttesa:
        // A repeat of the held key, or a bounce: still held.
        t.stato = Stato::Giu;
        break;
    case Stato::Giu:
        // A press with no release since the last one: the release went to a window that closed
        // meanwhile (the press opened another). This is a new use of the switch.
        t.stato = Stato::InConferma;
        t.premuto = istante;
        t.muto = false;
        break;
    case Stato::InConferma:
        break;
    }
    return out;
}

FiltroTasti::Uscite FiltroTasti::Rilascia(int tasto, qint64 istante, bool ripetizione) {
    Uscite out = Avanza(istante);
    if (ripetizione)
        return out;
    Tasto& t = tasti_[tasto];
    switch (t.stato) {
    case Stato::Su:
        // Its press was not seen here; remembered so that a repeat press right after it is known.
        t.rilasciato = istante;
        t.rilascioNoto = true;
        break;
    case Stato::InConferma:
        // Shorter than the threshold (a longer one was confirmed by Avanza above).
        t.stato = Stato::Rimbalzo;
        t.rilasciato = istante;
        break;
    case Stato::Giu:
        t.stato = Stato::RilascioInAttesa;
        t.rilasciato = istante;
        break;
    case Stato::Rimbalzo:
    case Stato::RilascioInAttesa:
        break;
    }
    return out;
}

FiltroTasti::Uscite FiltroTasti::Scadi() {
    return Avanza(std::nullopt);
}

bool FiltroTasti::InAttesa() const {
    for (const auto& [tasto, t] : tasti_)
        if (t.stato == Stato::InConferma || t.stato == Stato::Rimbalzo ||
            t.stato == Stato::RilascioInAttesa)
            return true;
    return false;
}

bool FiltroTasti::Premuto(int tasto) const {
    const auto it = tasti_.find(tasto);
    if (it == tasti_.end())
        return false;
    return !it->second.muto &&
           (it->second.stato == Stato::Giu || it->second.stato == Stato::RilascioInAttesa);
}

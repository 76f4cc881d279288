#include "workspace/voce/SincroniaParole.h"

#include <algorithm>
#include <optional>

namespace {

struct Parola {
    qsizetype inizio = 0;
    qsizetype fine = 0;
    std::optional<qint64> campione;
};

QList<Parola> Parole(const QString& testo) {
    QList<Parola> parole;
    qsizetype i = 0;
    while (i < testo.size()) {
        while (i < testo.size() && testo[i].isSpace())
            ++i;
        if (i >= testo.size())
            break;
        const qsizetype inizio = i;
        while (i < testo.size() && !testo[i].isSpace())
            ++i;
        parole.append({inizio, i, std::nullopt});
    }
    return parole;
}

} // namespace

QList<qint64> CampioniSegnalibri(const TestoVoce& testo, const QList<ParolaSintetizzata>& parole,
                                 qint64 campioniTotali) {
    QList<Parola> nostre = Parole(testo.testo);
    for (const ParolaSintetizzata& p : parole) {
        if (p.lunghezza <= 0)
            continue;
        // The word of ours that holds the reported start.
        auto it = std::upper_bound(nostre.begin(), nostre.end(), p.inizio,
                                   [](qsizetype pos, const Parola& w) { return pos < w.inizio; });
        if (it == nostre.begin())
            continue;
        --it;
        if (p.inizio >= it->fine)
            continue;
        const qint64 campione = std::clamp<qint64>(p.campione, 0, campioniTotali);
        if (!it->campione || campione < *it->campione)
            it->campione = campione;
    }

    QList<qint64> risultato;
    risultato.reserve(testo.segnalibri.size());
    qint64 ultimo = 0;
    auto parola = nostre.cbegin(); // marks come in text order: one pass over the words
    for (const SegnalibroVoce& s : testo.segnalibri) {
        // The first word that ends after the mark: the word it stands in front of (or inside).
        while (parola != nostre.cend() && parola->fine <= s.posizione)
            ++parola;
        auto it = parola;
        while (it != nostre.cend() && !it->campione)
            ++it;
        qint64 campione = it == nostre.cend() ? campioniTotali : *it->campione;
        campione = std::max(campione, ultimo);
        ultimo = campione;
        risultato.append(campione);
    }
    return risultato;
}

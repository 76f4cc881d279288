#include "workspace/voce/TestoVoce.h"

namespace {

bool NomeTag(QStringView nome) {
    if (nome.size() != 3)
        return false;
    for (QChar c : nome) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

std::optional<int> Numero(QStringView valore) {
    bool ok = false;
    const int n = valore.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

TestoVoce AnalizzaTestoVoce(QStringView sorgente) {
    TestoVoce risultato;
    risultato.testo.reserve(sorgente.size());
    qsizetype i = 0;
    while (i < sorgente.size()) {
        const QChar c = sorgente[i];
        if (c != u'\\') {
            risultato.testo.append(c);
            ++i;
            continue;
        }
        const qsizetype chiusura = sorgente.indexOf(u'\\', i + 1);
        if (chiusura < 0) { // a lone backslash at the end
            ++i;
            continue;
        }
        const QStringView corpo = sorgente.sliced(i + 1, chiusura - i - 1);
        const qsizetype uguale = corpo.indexOf(u'=');
        const QStringView nome = uguale < 0 ? corpo : corpo.first(uguale);
        if (!NomeTag(nome)) {
            // Not a tag: drop the backslash and go on reading what follows it as text. The
            // empty pair "\\" is dropped whole.
            i += corpo.isEmpty() ? 2 : 1;
            continue;
        }
        const QStringView valore = uguale < 0 ? QStringView() : corpo.sliced(uguale + 1);
        const auto n = Numero(valore);
        if (uguale >= 0 && n) {
            if (nome.compare(u"Spd", Qt::CaseInsensitive) == 0)
                risultato.velocita = *n;
            else if (nome.compare(u"Pit", Qt::CaseInsensitive) == 0)
                risultato.tono = *n;
            else if (nome.compare(u"Mrk", Qt::CaseInsensitive) == 0)
                risultato.segnalibri.append({*n, risultato.testo.size()});
        }
        i = chiusura + 1;
    }
    return risultato;
}

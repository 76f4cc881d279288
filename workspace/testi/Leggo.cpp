#include "workspace/testi/Leggo.h"

#include <algorithm>

bool Leggo::Separatore(QChar c, Separatori separatori) {
    if (c == u' ' || c == u'.')
        return true;
    if (separatori == Separatori::SpazioEPunto)
        return false;
    return c == u'\r' || c == u'\n' || c == u'\t' || c == QChar(QChar::LineSeparator) ||
           c == QChar(QChar::ParagraphSeparator) || c == QChar(QChar::Nbsp);
}

std::optional<FraseDaLeggere> Leggo::ProssimaFrase(QStringView testo, int posizione,
                                                   const QString& prefisso, Separatori separatori) {
    const int lunghezza = static_cast<int>(std::min<qsizetype>(testo.size(), 0x7FFFFFFF));
    posizione = std::max(posizione, 0);
    if (posizione >= lunghezza)
        return std::nullopt;

    FraseDaLeggere frase;
    QString corpo;
    QString parola;
    bool dopoSeparatore = false;
    int inizioParola = posizione; // 0-based start of the range of the next bookmark
    const auto segna = [&](int numero) {
        QString detta = parola;
        // A backslash would open a speech tag: it is never spoken.
        detta.replace(u'\\', u' ');
        if (std::any_of(detta.cbegin(), detta.cend(),
                        [&](QChar c) { return !Separatore(c, separatori); }))
            frase.haParole = true;
        corpo += QStringLiteral("\\Mrk=") + QString::number(numero) + u'\\' + detta;
        frase.segnalibri.append(
            SegnalibroFrase{numero, IntervalloTesto{inizioParola, std::max(inizioParola, numero)}});
        inizioParola = std::max(inizioParola, numero);
        parola.clear();
    };

    while (!parola.endsWith(u'.') && posizione < lunghezza) {
        ++posizione;
        const QChar c = testo[posizione - 1];
        if (Separatore(c, separatori)) {
            if (!dopoSeparatore) {
                segna(posizione);
                dopoSeparatore = true;
            }
        } else {
            dopoSeparatore = false;
        }
        parola += c;
    }
    // The text ended without a full stop: the last word gets its bookmark at the last character.
    if (!parola.endsWith(u'.')) {
        const bool soloSeparatori = std::all_of(parola.cbegin(), parola.cend(),
                                                [&](QChar c) { return Separatore(c, separatori); });
        if (!soloSeparatori)
            segna(posizione);
    }
    frase.testo = prefisso + corpo;
    frase.posizioneFinale = posizione;
    return frase;
}

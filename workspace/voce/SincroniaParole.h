#pragma once

#include "workspace/voce/TestoVoce.h"

#include <QList>

// Where the synthesiser says each word began: the word's first character as an index in the
// spoken text and the audio sample at which it is heard.
struct ParolaSintetizzata {
    qsizetype inizio = 0;
    qsizetype lunghezza = 0;
    qint64 campione = 0;
};

// The audio sample at which each bookmark of the text is reached, in the order of
// testo.segnalibri. A bookmark fires when the word that follows it starts to be heard; the
// synthesiser does not report every word (elided words such as "dell'Europa" come back as
// "dell", punctuation is silent), so the text is cut into its own words (runs of non-blank
// characters) and each word takes the first report that falls inside it. A bookmark whose
// word has no report takes the next word that has one; a bookmark after the last heard word
// fires at the end of the audio. The result never goes backwards.
QList<qint64> CampioniSegnalibri(const TestoVoce& testo, const QList<ParolaSintetizzata>& parole,
                                 qint64 campioniTotali);

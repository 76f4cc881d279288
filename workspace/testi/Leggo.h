#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Cuts a text into the sentences that the reading character speaks one at a time. Every word is
// preceded by a bookmark "\Mrk=n\" whose number n is the 1-based position of the separator that
// ends the word, so that when the character reaches the bookmark the window knows which word is
// being heard. The rules are described in docs/TESTI.md.

// A character range of the text, 0-based, [inizio, fine).
struct IntervalloTesto {
    int inizio = 0;
    int fine = 0;

    bool Vuoto() const { return fine <= inizio; }
    bool operator==(const IntervalloTesto&) const = default;
};

struct SegnalibroFrase {
    int numero = 0;         // the value of "\Mrk=", a 1-based position in the text
    IntervalloTesto parola; // what is shown red when the bookmark is reached
    bool operator==(const SegnalibroFrase&) const = default;
};

struct FraseDaLeggere {
    QString testo;                     // the speech prefix, then bookmarks and words
    QList<SegnalibroFrase> segnalibri; // in text order
    int posizioneFinale = 0;           // 1-based position of the sentence's last character
    bool haParole = false;             // false when the sentence holds only separators
};

class Leggo {
public:
    enum class Separatori {
        SpazioEPunto, // the map windows: a space or a full stop ends a word
        ConACapo,     // the reading window: also line breaks and tabs
    };

    // The sentence that starts after the 1-based position `posizione` (0 = the start). A sentence
    // ends at the first word that ends with a full stop, or at the end of the text; the closing
    // full stop is not spoken. nullopt when posizione is at or past the end.
    static std::optional<FraseDaLeggere>
    ProssimaFrase(QStringView testo, int posizione, const QString& prefisso, Separatori separatori);

    static bool Separatore(QChar c, Separatori separatori);
};

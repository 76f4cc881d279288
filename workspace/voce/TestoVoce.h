#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// A text to be spoken, in the form the windows hand to the reading character: an optional
// prefix "\Spd=N\\Pit=N\" and any number of "\Mrk=n\" bookmarks between the words.
struct SegnalibroVoce {
    int numero = 0;
    qsizetype posizione = 0; // index in TestoVoce::testo where the mark stands
    bool operator==(const SegnalibroVoce&) const = default;
};

struct TestoVoce {
    QString testo;                    // what is actually spoken, every tag removed
    std::optional<int> velocita;      // last valid "\Spd=" value
    std::optional<int> tono;          // last valid "\Pit=" value
    QList<SegnalibroVoce> segnalibri; // in text order
};

// Splits the tags from the words. A tag is a backslash, a three-letter name, an optional "=value"
// and a closing backslash; names are compared without regard to case. "\Spd=", "\Pit=" and
// "\Mrk=" with a value that is not a whole number are dropped, like every other tag; a backslash
// that opens no tag is dropped too, so that nothing of the markup is ever read aloud.
TestoVoce AnalizzaTestoVoce(QStringView sorgente);

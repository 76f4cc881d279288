#pragma once

#include "workspace/testi/LettoreRtf.h"

#include <QBrush>
#include <QColor>
#include <QList>
#include <QString>

#include <optional>

class QTextDocument;

// Turns what LettoreRtf read into Qt's rich text, and the few edits the reading windows make on
// it. Character positions of the document equal those of DocumentoRtf::TestoSemplice() and of
// QTextDocument::toPlainText(), which writes the line break U+2028 as one '\n'.
namespace DocumentoTesto {

// Replaces the document's content. Runs keep bold, italic, underline, size and colour; runs
// without a colour of their own take coloreTesto.
void Riempi(QTextDocument& documento, const DocumentoRtf& testo,
            const QColor& coloreTesto = QColor(Qt::black));

// Reads the RTF file into the document. On failure the document is left empty and the Italian
// message is returned.
std::optional<QString> Carica(QTextDocument& documento, const QString& percorso,
                              const QColor& coloreTesto = QColor(Qt::black));

// "Aumenta": every character 5 points larger.
void AumentaCaratteri(QTextDocument& documento);
// "Riduci": every character of 13 points or more 5 points smaller, so nothing goes below 8.
void RiduciCaratteri(QTextDocument& documento);

// Colours the characters [inizio, fine) (positions clamped to the text); an empty range does
// nothing.
void ColoraIntervallo(QTextDocument& documento, int inizio, int fine, const QColor& colore);
// Colours the whole text.
void ColoraTutto(QTextDocument& documento, const QColor& colore);

// The text colour of every run of characters, so that a word painted red for the reading can
// be given back the colour it had (a title, a coloured word), not one colour for everything.
struct ColoreTratto {
    int inizio = 0;
    int fine = 0;
    QBrush colore; // Qt::NoBrush: the run had no colour of its own
};
using ColoriTesto = QList<ColoreTratto>;
ColoriTesto Colori(const QTextDocument& documento);
// Gives the characters [inizio, fine) the colours they had when coloriOriginali were taken.
void RipristinaColori(QTextDocument& documento, const ColoriTesto& coloriOriginali, int inizio,
                      int fine);

// The three colour contrasts of the sheet reader ("Modifica colore"), 1 to 3: black on white,
// white on black, black on light grey. Any other value is taken as 1. The spoken word is red in
// all three.
struct ContrastoLettura {
    QColor sfondo;
    QColor testo;
};
ContrastoLettura Contrasto(int schemaLettura);
// 1, 2, 3, then 1 again.
int ProssimoContrasto(int schemaLettura);
inline const QColor ColoreParolaLetta = QColor(255, 0, 0);

} // namespace DocumentoTesto

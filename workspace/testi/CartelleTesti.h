#pragma once

#include <QString>
#include <QStringList>

// Where the information texts are, below the program's data folder:
//   testi/<area>/               the texts the pupil chooses from ("testi/italia/" for Italy)
//   testipredefiniti/<area>/<area>.rtf   the sheet of each area
// Folder and file names are matched without regard to case, so "testi\Italia\" and
// "testi\italia\" name the same folder, as they always did.
namespace CartelleTesti {

// The existing path below `base` whose components equal those of `relativo` without regard to
// case; where no such entry exists, the rest of `relativo` is appended as written.
QString Risolvi(const QString& base, const QString& relativo);

// The folder the "apri" and "Altra scheda" dialogs open in, with a trailing '/'.
QString CartellaTesti(const QString& area);
// "testi/italia/", used by the Italian region windows.
QString CartellaTestiItalia();
// The sheet of an area: "testipredefiniti/<area>/<area>.rtf".
QString SchedaPredefinita(const QString& area);

// The texts a folder offers to the pupil: its ".rtf" files (any case of the extension), full
// paths, in alphabetical order of their names without regard to case; none when the folder is
// missing.
QStringList TestiDellaCartella(const QString& cartella);
// The name a text is shown with: the file name without folder and extension.
QString NomeDelTesto(const QString& percorso);

} // namespace CartelleTesti

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Where the program's files live, and the small file and folder tests the program uses.
namespace Percorsi {

// The per-user settings folder, "OrbistoTessivo" under the platform's configuration location,
// with a trailing '/'.
QString CartellaImpostazioniPredefinita();

// The program's data folder (maps, texts, sounds, documents), with a trailing '/': "data" next to
// the executable in the build tree, the installed data folder otherwise. Empty when none is found.
QString CartellaProgramma();
// Tests and tools may point the program at another data folder.
void ImpostaCartellaProgramma(const QString& cartella);
// A path below the data folder; accepts '/' or '\' separators and a leading separator.
QString InCartellaProgramma(const QString& relativo);

// True when a listing of the path returns a name. The last component may hold the wildcards
// '*' and '?'; names are compared without regard to case.
bool EsisteFile(const QString& percorso);
// False for an empty path; otherwise true when the path names an existing folder (hidden ones too).
bool EsisteCartella(const QString& percorso);

// The entry of a folder whose name equals nome without regard to case, or nome itself when there
// is none: on case-sensitive file systems "MARCO.ini" and "marco.ini" are one user.
QString NomeNellaCartella(const QString& cartella, const QString& nome);

// Writes the whole file atomically (temporary file, then rename). Returns an Italian message on
// failure, nothing on success.
std::optional<QString> ScriviFileAtomico(const QString& percorso, const QByteArray& dati);

} // namespace Percorsi

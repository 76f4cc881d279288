#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Where the program's files live, and the small file and folder tests the program uses.
namespace Percorsi {

// The per-user settings folder, "OrbistoTessivo" under the platform's configuration location,
// with a trailing '/'.
QString CartellaImpostazioniPredefinita();

// The program's data folder (maps, texts, sounds, documents), with a trailing '/': "data" next to
// the executable in the build tree, the installed data folder otherwise. Empty when none is found.
QString CartellaProgramma();
// The folders looked at for the data folder, in order (absolute, cleaned), for the message said
// at start-up when none of them holds the data.
QStringList CartelleProgrammaCercate();
// The Italian message said at start-up when no data folder was found, naming the folders
// searched; nothing when the data folder is there.
std::optional<QString> AvvisoCartellaProgramma();
// Tests and tools may point the program at another data folder.
void ImpostaCartellaProgramma(const QString& cartella);
// A path below the data folder; accepts '/' or '\' separators and a leading separator. Empty
// when there is no data folder: a data path is never resolved against the working folder.
QString InCartellaProgramma(const QString& relativo);

// True when the folder of the path holds an entry with exactly its last component, compared
// without regard to case. No character is a wildcard: "Anna [3B].ini" names one file.
bool EsisteFile(const QString& percorso);
// False for an empty path; otherwise true when the path names an existing folder (hidden ones too).
bool EsisteCartella(const QString& percorso);

// The entry of a folder whose name equals nome without regard to case, or nome itself when there
// is none: on case-sensitive file systems "MARCO.ini" and "marco.ini" are one user.
QString NomeNellaCartella(const QString& cartella, const QString& nome);

// Reads a regular file of at most massimo bytes. Anything else (a folder, a FIFO, a device, a
// link to one of them, a longer file) is refused without blocking and without reading more than
// massimo + 1 bytes; errore, when given, gets the Italian reason.
std::optional<QByteArray> LeggiFileRegolare(const QString& percorso, qint64 massimo,
                                            QString* errore = nullptr);

// Writes the whole file atomically: a temporary file in the same folder, every write checked,
// its size checked and the data flushed to the disk, then renamed over the old file. On any
// failure (a full disk, a folder that cannot be written) the old file is left untouched and the
// Italian message is returned; nothing on success. Every file the program writes goes through
// here.
std::optional<QString> ScriviFileAtomico(const QString& percorso, const QByteArray& dati);

// The step that writes the bytes into the open temporary file (a POSIX descriptor). Returns 0 on
// success, otherwise the errno of the failure. Tests install one that fails as a full disk does;
// an empty function restores the real one.
using ScritturaDati = std::function<int(int descrittore, QByteArrayView dati)>;
void ImpostaScritturaDati(ScritturaDati scrittura);

} // namespace Percorsi

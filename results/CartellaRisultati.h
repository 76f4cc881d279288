#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Where the results files live: "<documents folder>/OrbistoTessivo/<NomeUtente>/", so a teacher
// finds them, with the readme in "<documents folder>/OrbistoTessivo/".
namespace CartellaRisultati {

// "<documents folder>/OrbistoTessivo/" (with the trailing '/'); the home folder stands in when
// the platform names no documents folder.
QString Base();
// Tests point it elsewhere; an empty text restores the documents folder.
void ImpostaBase(const QString& base);
// The user's folder, with the trailing '/'.
QString DellUtente(const QString& nomeUtente);
// The readme's path.
QString FileLeggimi();
// The five lines of the readme, Windows-1252, CR LF.
QByteArray TestoLeggimi();

// CreaCartella: creates the folder with every missing folder above it and writes the readme
// (atomically). Returns an Italian message on failure.
std::optional<QString> CreaCartella(const QString& cartella);

} // namespace CartellaRisultati

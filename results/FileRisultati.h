#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// The results file (".rpt"): text in the Windows-1252 code page, one value per line, every line
// ended by CR LF:
//   two header lines (free text, not shown when the file is opened);
//   the number of table rows including the header row, as printed numbers are written (" 4 ");
//   five lines per exercise row: activity, area, right, wrong, time, exactly as shown;
//   the note line.
// The percentage is not stored, nor are the row numbers.
struct TabellaRisultati {
    QList<std::array<QString, 5>> righe;
    QString nota;
    bool operator==(const TabellaRisultati&) const = default;
};

namespace FileRisultati {

// The most exercise rows a file may declare; anything above is taken as a damaged file.
constexpr int MassimoRighe = 100000;
// Larger files are not read.
constexpr qint64 MassimaDimensione = 16 * 1024 * 1024;

QByteArray Scrivi(const TabellaRisultati& tabella, const QString& intestazione1,
                  const QString& intestazione2);
// nullopt for a malformed file: a row count that is not a number, below 1 or absurdly large; a
// file shorter than its count; binary data.
std::optional<TabellaRisultati> Leggi(const QByteArray& dati);

// Windows-1252 both ways. Characters the code page lacks are written as '?'; the five bytes it
// leaves undefined are read as the control characters of the same value.
QByteArray Codifica1252(const QString& testo);
QString Decodifica1252(const QByteArray& dati);

} // namespace FileRisultati

#pragma once

#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// The exercise log of the run: one row per quiz or test exercise, in the order they started.
// Rows are numbered from 1. Columns: activity, area, right answers, wrong answers, whole seconds;
// the three numbers are written when the pupil leaves the exercise with "&Esci" and stay empty
// otherwise. The log has no upper bound: every exercise gets its row.
struct RigaEsercizio {
    QString attivita;
    QString area;
    QString esatte;
    QString errate;
    QString tempo;
    bool operator==(const RigaEsercizio&) const = default;
};

inline const QString AttivitaDovePolitica = QStringLiteral("Dov'è ... mappa politica");
inline const QString AttivitaDoveFisica = QStringLiteral("Dov'è ... mappa fisica");
inline const QString AttivitaTest = QStringLiteral("Test");

class RegistroEsercizi {
public:
    // Opens a row with its first two columns; returns its number (1, 2, ...).
    int Apri(const QString& attivita, const QString& area);
    // Completes a row with the counts and the seconds. A number outside the log does nothing.
    void Completa(int riga, int esatte, int errate, qint64 secondi);

    int NumeroEsercizi() const { return static_cast<int>(righe_.size()); }
    // Row 1..NumeroEsercizi(); an empty row for any other number.
    RigaEsercizio Riga(int numero) const;
    const QList<RigaEsercizio>& Righe() const { return righe_; }
    void Svuota() { righe_.clear(); }

private:
    QList<RigaEsercizio> righe_;
};

// A number as the log writes it: the sign's place, blank when not negative, then the digits
// (" 7", "-3").
QString TestoNumero(qint64 n);

// The percentage of right answers of a row, "57%": the whole part of E / (E + W) * 100, free of
// the last-digit error of the division. A row without answers (E + W = 0, or count cells that are
// not numbers) shows "–".
QString Percentuale(const QString& esatte, const QString& errate);
inline const QString PercentualeAssente = QStringLiteral("–");

// The running exercise of a quiz or test window: its log row and its start time (the window's
// quiz keeps the counts).
// Time comes from a monotonic clock (milliseconds), so an exercise across midnight still gets
// its real length; tests set the clock.
class EsercizioInCorso {
public:
    using Orologio = std::function<qint64()>;
    static void ImpostaOrologio(Orologio orologio);
    static qint64 Adesso();

    // Opens the row in the log and starts the clock.
    void Inizia(RegistroEsercizi& registro, const QString& attivita, const QString& area);
    // "&Esci": writes the counts and the whole seconds into the row. Only once per exercise.
    void Chiudi(RegistroEsercizi& registro, int esatte, int errate);
    int Riga() const { return riga_; }
    bool Aperto() const { return riga_ > 0; }

private:
    int riga_ = 0;
    qint64 inizio_ = 0;
};

#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// How a reading character looks. Characters are small JSON files in the data folder,
// "personaggi/<name>.json"; the format is described in docs/VOCE.md.
struct AspettoPersonaggio {
    QString nome;        // the name the profile uses ("Merlin")
    QString titolo;      // shown in the configuration window
    int larghezza = 140; // pixels
    int altezza = 180;
    QString cappello; // "punta", "tesa" or "nessuno"
    QString capelli;  // "corti", "coda" or "nessuno"
    bool barba = false;
    QColor veste, coloreCappello, pelle, coloreCapelli, occhi, bocca, decorazioni, contorno;
    int battitoCigliaMs = 4000; // a blink every so often
};

inline const QString PersonaggioPredefinitoNome = QStringLiteral("Merlin");

// The default character, built in: it is used whenever no file can be read.
AspettoPersonaggio PersonaggioPredefinito();

// Reads a character file. Missing fields take the default character's values; a file that is
// not a JSON object, or a colour that is not a colour, gives nullopt and an Italian reason.
std::optional<AspettoPersonaggio> LeggiPersonaggio(const QByteArray& json,
                                                   QString* errore = nullptr);

// The character called nome from the folder (the data folder's "personaggi/" when empty). An
// unknown, unreadable or unsafe name gives the default character "Merlin" (its file when it
// can be read, otherwise the built-in one). Never fails.
AspettoPersonaggio CaricaPersonaggio(const QString& nome, const QString& cartella = {});

// The names of the characters in the folder, sorted, the default one first.
QStringList ElencoPersonaggi(const QString& cartella = {});

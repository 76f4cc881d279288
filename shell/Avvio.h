#pragma once

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// Refuses a second copy of the program for the same settings folder. A lock left behind by a
// program that crashed does not block the next start.
class IstanzaUnica {
public:
    explicit IstanzaUnica(const QString& cartellaImpostazioni);
    ~IstanzaUnica();
    IstanzaUnica(const IstanzaUnica&) = delete;
    IstanzaUnica& operator=(const IstanzaUnica&) = delete;

    // True when this is the only running copy (the lock is then held until destruction).
    bool Acquisisci();
    QString PercorsoBlocco() const { return percorso; }

private:
    QString percorso;
    std::unique_ptr<QLockFile> blocco;
};

inline const QString MessaggioSecondaCopia =
    QStringLiteral("E' già stata avviata una copia di questo programma!");

// Steps of start-up after the single-instance test: makes sure the settings folder exists (with
// its notice file), puts the run state to its initial values, builds the palette and loads the
// default user's profile. Returns an Italian message when the folder could not be created or
// written: the program then goes on with the defaults in memory.
std::optional<QString> PreparaStato(const QString& cartellaImpostazioni);

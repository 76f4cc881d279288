#pragma once

#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "results/RegistroEsercizi.h"
#include "shell/Profilo.h"
#include "workspace/scansione/OpzioniScansione.h"

#include <QString>
#include <QStringList>

#include <optional>

// The program-wide run state: it lives from start-up to exit. Each part has one writer: the
// profile fields are written by the profile load, the presets and the configuration window;
// the catalogs by their loaders; the navigation values by the menus.
struct StatoProgramma {
    QString CartellaImpostazioni; // with a trailing '/'
    QString NomeUtente;
    QString FileProfilo;
    ProfiloUtente Profilo;
    QString PrefissoVoce;
    // The switch options of the user, from the file beside the profile (OpzioniUtente()).
    OpzioniScansione Opzioni;
    // False when the settings folder could not be created: the program runs on defaults.
    bool ImpostazioniScrivibili = true;

    // The exercise log of the run (its row count is NumeroEsercizi); written by the quiz and
    // test windows only.
    RegistroEsercizi Registro;
    bool PerRegioni = false;
    QString AreaScelta;
    qint16 AttivitaScelta = 0;
    QString RegioneScelta;
    QString FileTesto;

    CatalogoArea Catalogo;
    CatalogoFisico Fisico;
};

// The one run state of the program.
StatoProgramma& Stato();

inline const QString NomeUtentePredefinito = QStringLiteral("_predefinito");

// Puts the run state into its start-up values for the given settings folder (user, paths, log
// count, navigation) and the default profile. Nothing is read or written.
void InizializzaStato(StatoProgramma& s, const QString& cartellaImpostazioni);

// Makes nome the current user: NomeUtente and FileProfilo (matching an existing file without
// regard to case). Nothing is read.
void ImpostaUtente(StatoProgramma& s, const QString& nome);

// Puts the default values into every profile field and rebuilds PrefissoVoce.
void ProfiloPredefinito(StatoProgramma& s);

// A profile file is a few hundred bytes; anything longer than this is not a profile.
inline constexpr qint64 DimensioneMassimaProfilo = 4096;

// Loads FileProfilo into the profile fields; a missing or unreadable file gives the complete
// default profile, silently. Only a regular file of at most DimensioneMassimaProfilo bytes is
// read (a FIFO or a device never blocks nor floods the program). Rebuilds PrefissoVoce. Loads the
// switch options of the file beside it (defaults when missing or damaged).
void CaricaProfilo(StatoProgramma& s);

// Writes the profile to FileProfilo, and the switch options beside it, atomically. A blank user
// name saves nothing and is no error. Returns an Italian message when the name is not a safe file
// name or the file cannot be written; the settings stay in memory either way. A file already
// there that does not read as a profile is first moved aside to "<name>.ini.bak", and avviso
// (when given) gets the Italian notice that says so; the notice comes once, since the next save
// finds a readable file.
std::optional<QString> SalvaProfilo(const StatoProgramma& s, QString* avviso = nullptr);

// nullopt when nome can be a user (and so a file) name; otherwise the reason, in Italian.
std::optional<QString> VerificaNomeUtente(const QString& nome);

// The users of the area menu: every "*.ini" of the folder, without the extension, in lower case,
// "_predefinito" included; names the program would refuse as a user (VerificaNomeUtente) are
// left out, since their profile could never be loaded.
QStringList ElencoUtentiMenu(const QString& cartellaImpostazioni);
// The users of the configuration window: as above in upper case, "_predefinito" excluded.
QStringList ElencoUtentiConfigurazione(const QString& cartellaImpostazioni);

// Creates the settings folder and its notice file "leggimi.txt". Returns an Italian message on
// failure.
std::optional<QString> CreaCartellaImpostazioni(const QString& cartellaImpostazioni);

// The three lines of the notice file, CR LF, as bytes.
QByteArray TestoLeggimi();

// Waits the given seconds while the interface keeps processing its events. Zero or negative
// returns at once. Immune to the clock passing midnight.
void Pausa(double secondi);

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The nine windows of the setup wizard, in order: a welcome, seven numbered steps and a closing
// window. What a step does is data: the program it starts (a path relative to the installation
// folder) and how long the wizard waits before moving on, or the copy of the data folders.
struct PassoSetup {
    enum class Azione {
        Avanti,  // welcome: the next window
        Avvia,   // starts a program shipped in the installation folder, pauses, moves on
        Copia,   // copies the data folders
        Termina, // closing window: ends the wizard
    };

    QString nomeFinestra; // "Form1" .. "Form9"
    QString titolo;       // Label1
    QString numeroPasso;  // Label2: "1/7" .. "7/7", empty for welcome and closing
    QString nota;         // Label3
    QString pulsante;     // Command1's caption
    Azione azione = Azione::Avanti;
    QString programma;       // Avvia: relative to the installation folder
    QStringList argomenti;   // Avvia: its arguments
    int pausaSecondi = 0;    // Avvia: the wait before the next window
    QString messaggioIgnora; // Command2 "Ignora": the message shown; empty when there is no Ignora

    bool HaIgnora() const { return !messaggioIgnora.isEmpty(); }
};

namespace Setup {

// Every window and message carries these titles.
inline const QString TitoloFinestre = QStringLiteral("Orbisto di Tessivo");
inline const QString TitoloMessaggi = QStringLiteral("Setup Orbisto di Tessivo");
inline const QString TestoIgnora = QStringLiteral("Ignora");
inline const QString CopiaCompletata = QStringLiteral("Copia completata");

// The nine windows in order.
const QList<PassoSetup>& Passi();

// The folder of the atlas's own package below the installation folder, and the package's file
// name pattern ("orbisto_<version>_<arch>.deb").
inline const QString CartellaPacchetto = QStringLiteral("pacchettoinstallazione");
// The step programs of the speech, sound and character components below the installation folder.
inline const QString CartellaComponenti = QStringLiteral("componenti");
// The data folders below the installation folder: the tree the atlas reads.
inline const QString CartellaArchivi = QStringLiteral("OrbistoT");

} // namespace Setup

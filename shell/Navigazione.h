#pragma once

#include <QString>
#include <QWidget>

#include <functional>

// A full-screen window of the program. Activazione() is the sequence that runs every time the
// window is shown by the navigation (and again when a modal window opened from it closes):
// it re-reads the profile, recolours, resizes and sets up the input mode. Making one installs the
// program's switch filter (FiltroInterruttori), so every window gets one press per use of a
// switch.
class FinestraProgramma : public QWidget {
    Q_OBJECT
public:
    explicit FinestraProgramma(QWidget* parent = nullptr);
    virtual void Attivazione() {}
};

// The chain of full-screen windows: each window shows the next one and closes itself. Windows
// are known by name ("FormMenu", "FormMenu2", "FormMappaPol", ...); like forms, each name has at
// most one live window, which Mostra() reuses (the region chooser stays loaded, hidden, behind
// the regional windows).
namespace Navigazione {

using Fabbrica = std::function<QWidget*()>;

// Registers the window that a name makes. The window is deleted when it closes.
void Registra(const QString& nome, Fabbrica fabbrica);
// Forgets every registered window (tests).
void Azzera();
// Whether a name has a window.
bool Disponibile(const QString& nome);
// Shows the window of a name full screen, creating it if needed, and runs its activation.
// Returns it, or nullptr when the name has no window.
QWidget* Mostra(const QString& nome);
// The live window of a name, if any.
QWidget* Esistente(const QString& nome);

// Places a window at the screen's top-left corner with the screen's full size and shows it.
void MostraATuttoSchermo(QWidget* finestra);

// Asks whether to leave the program; on Yes saves the current profile and ends the program.
// Returns false when the pupil answered No.
bool ConfermaUscita(QWidget* proprietario);

// Window names.
inline const QString MenuAree = QStringLiteral("FormMenu");
inline const QString MenuAttivita = QStringLiteral("FormMenu2");
inline const QString SceltaRegione = QStringLiteral("FormMenu3");
inline const QString Informazioni = QStringLiteral("FormInfo");

} // namespace Navigazione

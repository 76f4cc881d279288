#include "shell/Navigazione.h"

#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace Navigazione {
namespace {

Fabbrica& fabbricaMenuAree() {
    static Fabbrica f;
    return f;
}

} // namespace

void RegistraMenuAree(Fabbrica fabbrica) {
    fabbricaMenuAree() = std::move(fabbrica);
}

bool MostraMenuAree() {
    if (!fabbricaMenuAree())
        return false;
    QWidget* menu = fabbricaMenuAree()();
    if (!menu)
        return false;
    MostraATuttoSchermo(menu);
    return true;
}

void MostraATuttoSchermo(QWidget* finestra) {
    QScreen* schermo = finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
    if (schermo)
        finestra->setGeometry(schermo->geometry());
    // Without a window manager full-screen mode does not resize the window: the geometry above
    // does.
    finestra->showFullScreen();
    finestra->raise();
    finestra->activateWindow();
}

bool ConfermaUscita(QWidget* proprietario) {
    if (!messaggi().Domanda(proprietario, QStringLiteral("Vuoi uscire dal programma?")))
        return false;
    if (auto errore = SalvaProfilo(Stato()))
        messaggi().Errore(
            proprietario,
            QStringLiteral("Le impostazioni dell'utente non sono state salvate.\n%1").arg(*errore));
    QCoreApplication::exit(0);
    return true;
}

} // namespace Navigazione

#include "shell/Navigazione.h"

#include "shell/FiltroInterruttori.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>

FinestraProgramma::FinestraProgramma(QWidget* parent) : QWidget(parent) {
    FiltroInterruttori::Installa();
}

namespace Navigazione {
namespace {

struct Voce {
    Fabbrica fabbrica;
    QPointer<QWidget> finestra;
};

QHash<QString, Voce>& registro() {
    static QHash<QString, Voce> r;
    return r;
}

} // namespace

void Registra(const QString& nome, Fabbrica fabbrica) {
    registro()[nome].fabbrica = std::move(fabbrica);
}

void Azzera() {
    registro().clear();
}

bool Disponibile(const QString& nome) {
    const auto it = registro().constFind(nome);
    return it != registro().constEnd() && it->fabbrica;
}

QWidget* Esistente(const QString& nome) {
    const auto it = registro().constFind(nome);
    return it == registro().constEnd() ? nullptr : it->finestra.data();
}

QWidget* Mostra(const QString& nome) {
    auto it = registro().find(nome);
    if (it == registro().end() || !it->fabbrica)
        return nullptr;
    if (!it->finestra) {
        QWidget* nuova = it->fabbrica();
        if (!nuova)
            return nullptr;
        nuova->setAttribute(Qt::WA_DeleteOnClose);
        nuova->setObjectName(nome);
        it->finestra = nuova;
    }
    QWidget* finestra = it->finestra;
    MostraATuttoSchermo(finestra);
    if (auto* f = qobject_cast<FinestraProgramma*>(finestra))
        f->Attivazione();
    return finestra;
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

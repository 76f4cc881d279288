#include "shell/FiltroInterruttori.h"

#include "shell/StatoProgramma.h"
#include "workspace/scansione/ComandoScansione.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
FiltroInterruttori* installato = nullptr;
} // namespace

FiltroInterruttori::FiltroInterruttori(QObject* parent) : QObject(parent) {
    attesa_.setSingleShot(true);
    attesa_.setInterval(FiltroTasti::AttesaMs);
    connect(&attesa_, &QTimer::timeout, this, &FiltroInterruttori::Scadi);
}

void FiltroInterruttori::Installa() {
    if (installato || !qApp)
        return;
    installato = new FiltroInterruttori(qApp);
    qApp->installEventFilter(installato);
}

FiltroInterruttori* FiltroInterruttori::Istanza() {
    return installato;
}

bool FiltroInterruttori::Attivo() {
    return ModoDaAccesso(Stato().Profilo.ModalitaAccesso) != ModoScansione::Mouse;
}

bool FiltroInterruttori::Interruttore(int tasto) {
    return tasto == Qt::Key_Space || tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
}

bool FiltroInterruttori::eventFilter(QObject* oggetto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease)
        return false;
    // Key events reach the window object first and then its widgets: they are taken at the
    // widget, where they can be given back.
    if (!oggetto->isWidgetType())
        return false;
    auto* e = static_cast<QKeyEvent*>(evento);
    if (e == inConsegna_)
        return false;
    if (!Interruttore(e->key())) {
        // Another key (typing in a text box): the switch events before it go first.
        if (eraAttivo_ && filtro_.InAttesa() && Attivo())
            Scadi();
        return false;
    }
    if (!Attivo()) {
        if (eraAttivo_) {
            filtro_.Azzera();
            attesa_.stop();
            eraAttivo_ = false;
        }
        return false;
    }
    eraAttivo_ = true;
    Origine& o = origini_[e->key()];
    o.destinatario = static_cast<QWidget*>(oggetto);
    o.modificatori = e->modifiers();
    o.codiceNativo = e->nativeScanCode();
    o.tastoNativo = e->nativeVirtualKey();
    o.modificatoriNativi = e->nativeModifiers();
    o.testo = e->text();
    o.istante = e->timestamp();
    const auto istante = static_cast<qint64>(e->timestamp());
    const FiltroTasti::Uscite uscite = tipo == QEvent::KeyPress
                                           ? filtro_.Premi(e->key(), istante, e->isAutoRepeat())
                                           : filtro_.Rilascia(e->key(), istante, e->isAutoRepeat());
    e->accept();
    Riarma();
    Consegna(uscite);
    return true;
}

void FiltroInterruttori::Riarma() {
    if (filtro_.InAttesa())
        attesa_.start();
    else
        attesa_.stop();
}

void FiltroInterruttori::Scadi() {
    attesa_.stop();
    Consegna(filtro_.Scadi());
}

void FiltroInterruttori::Consegna(const FiltroTasti::Uscite& uscite) {
    for (const FiltroTasti::Uscita& u : uscite) {
        const Origine o = origini_[u.tasto];
        QWidget* w = o.destinatario;
        if (!w || !w->isVisible())
            w = QApplication::focusWidget();
        if (!w)
            w = QApplication::activeWindow();
        if (!w)
            continue;
        const QEvent::Type tipo =
            u.tipo == FiltroTasti::Uscita::Tipo::Premuto ? QEvent::KeyPress : QEvent::KeyRelease;
        QKeyEvent evento(tipo, u.tasto, o.modificatori, o.codiceNativo, o.tastoNativo,
                         o.modificatoriNativi, o.testo, false, 1);
        evento.setTimestamp(o.istante);
        // The delivery may open a window and run a modal loop that sends more switch events
        // here: the filter's state is already up to date, and only this event is let through.
        const QKeyEvent* prima = inConsegna_;
        inConsegna_ = &evento;
        QApplication::sendEvent(w, &evento);
        inConsegna_ = prima;
    }
}

#include "printing/ScansioneFinestra.h"

#include "shell/StatoProgramma.h"
#include "workspace/scansione/OrologioScansione.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include "printing/Modale.h"

#include <QDialog>

namespace {

FunzioneModale& funzioneModale() {
    static FunzioneModale f;
    return f;
}

const char* const ProprietaStile = "orbistoStileOriginale";

} // namespace

void EseguiModale(QDialog& finestra) {
    if (const FunzioneModale& f = funzioneModale()) {
        finestra.setModal(true);
        finestra.show();
        f(finestra);
        if (finestra.isVisible())
            finestra.reject();
        return;
    }
    finestra.exec();
}

void ImpostaModale(FunzioneModale funzione) {
    funzioneModale() = std::move(funzione);
}

ScansioneFinestra::ScansioneFinestra(QWidget* finestra, QLabel* etichetta)
    : QObject(finestra), finestra_(finestra), etichetta_(etichetta) {
    orologio_ = new OrologioScansione(this);
    connect(orologio_, &OrologioScansione::Scaduto, this,
            [this] { AvanzaOrologio(orologio_->Preleva()); });
}

ScansioneFinestra::~ScansioneFinestra() {
    qApp->removeEventFilter(this);
}

void ScansioneFinestra::ImpostaFermate(QList<Fermata> fermate) {
    fermate_ = std::move(fermate);
}

void ScansioneFinestra::Avvia() {
    const ProfiloUtente& p = Stato().Profilo;
    modo_ = ModoDaAccesso(p.ModalitaAccesso);
    if (etichetta_)
        etichetta_->setVisible(modo_ != ModoScansione::Mouse);
    for (int i = 0; i < fermate_.size(); ++i)
        Evidenzia(i, false);
    qApp->removeEventFilter(this);
    orologio_->Arma(std::nullopt);
    if (modo_ == ModoScansione::Mouse || fermate_.isEmpty())
        return;
    ComandoScansione::Opzioni o;
    o.modo = modo_;
    o.intervalloMs = IntervalloScansione(p.TempoScansione);
    o.rilascio = ComandoScansione::Rilascio::Seleziona;
    o.inMovimentoAllAvvio = true;
    o.indiceIniziale = 0;
    CicloScansione ciclo(static_cast<int>(fermate_.size()) - 1,
                         CicloScansione::Ripristino::SoloSeEvidenziato, [this](int i) {
                             const Fermata& f = fermate_.value(i);
                             if (f.controllo && !f.controllo->isEnabled())
                                 return true;
                             return f.attiva && !f.attiva();
                         });
    comando_ = std::make_unique<ComandoScansione>(std::move(ciclo), o);
    comando_->Attiva();
    spazioPremuto_ = invioPremuto_ = false;
    qApp->installEventFilter(this);
    Evidenzia(comando_->Indice(), true);
    orologio_->Azzera();
    orologio_->Arma(comando_->MillisecondiAlProssimoScatto());
}

void ScansioneFinestra::Ferma() {
    qApp->removeEventFilter(this);
    orologio_->Arma(std::nullopt);
}

int ScansioneFinestra::Evidenziata() const {
    return comando_ && modo_ != ModoScansione::Mouse ? comando_->Indice() : -1;
}

void ScansioneFinestra::Evidenzia(int indice, bool si) {
    if (indice < 0 || indice >= fermate_.size())
        return;
    Fermata& f = fermate_[indice];
    if (QWidget* w = f.controllo) {
        if (si) {
            if (!w->property(ProprietaStile).isValid())
                w->setProperty(ProprietaStile, w->styleSheet());
            w->setStyleSheet(QString::fromLatin1(w->metaObject()->className()) +
                             QStringLiteral(" { border: 4px solid red; }"));
            w->setFocus(Qt::OtherFocusReason);
        } else if (w->property(ProprietaStile).isValid()) {
            w->setStyleSheet(w->property(ProprietaStile).toString());
        }
    }
    if (si && etichetta_)
        etichetta_->setText(QStringLiteral("▶ ") + f.nome);
}

void ScansioneFinestra::Esegui(const ComandoScansione::Eventi& eventi) {
    QPointer<ScansioneFinestra> io(this);
    for (const ComandoScansione::Evento& e : eventi) {
        if (!io)
            return;
        switch (e.tipo) {
        case ComandoScansione::Evento::Tipo::Passo:
            Evidenzia(e.passo.daRipristinare, false);
            Evidenzia(e.passo.evidenziato, true);
            break;
        case ComandoScansione::Evento::Tipo::Selezione:
            if (e.indice >= 0 && e.indice < fermate_.size() && fermate_[e.indice].scegli) {
                auto scegli = fermate_[e.indice].scegli;
                scegli();
            }
            break;
        case ComandoScansione::Evento::Tipo::Ripartita:
            break;
        }
    }
}

void ScansioneFinestra::AvanzaOrologio(int millisecondi) {
    if (!comando_ || modo_ == ModoScansione::Mouse)
        return;
    QPointer<ScansioneFinestra> io(this);
    Esegui(comando_->Trascorri(millisecondi));
    if (io && comando_)
        orologio_->Arma(comando_->MillisecondiAlProssimoScatto());
}

bool ScansioneFinestra::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress && evento->type() != QEvent::KeyRelease)
        return false;
    auto* w = qobject_cast<QWidget*>(oggetto);
    if (!w || !comando_ || !finestra_->isVisible() || w->window() != finestra_)
        return false;
    // A window opened on top (a message, a dialog) keeps its own keys.
    if (QWidget* modale = QApplication::activeModalWidget(); modale && modale != finestra_)
        return false;
    auto* k = static_cast<QKeyEvent*>(evento);
    const bool spazio = k->key() == Qt::Key_Space;
    const bool invio = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
    if (!spazio && !invio)
        return false;
    if (k->isAutoRepeat())
        return true;
    QPointer<ScansioneFinestra> io(this);
    ComandoScansione::Eventi eventi = comando_->Trascorri(orologio_->Preleva());
    if (evento->type() == QEvent::KeyPress) {
        (spazio ? spazioPremuto_ : invioPremuto_) = true;
        if (spazio)
            eventi += comando_->PremiSpazio();
    } else {
        // A release whose press came before the window opened (the key that opened it) is not
        // a choice made here.
        bool& premuto = spazio ? spazioPremuto_ : invioPremuto_;
        if (premuto) {
            premuto = false;
            eventi += spazio ? comando_->RilasciaSpazio() : comando_->RilasciaInvio();
        }
    }
    Esegui(eventi);
    if (io && comando_)
        orologio_->Arma(comando_->MillisecondiAlProssimoScatto());
    return true;
}

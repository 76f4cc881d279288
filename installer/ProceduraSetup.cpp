#include "installer/ProceduraSetup.h"

#include "installer/AvviatoreProgrammi.h"
#include "installer/FileSystemSetup.h"
#include "installer/FinestraSetup.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

void MessaggiSetupReali::Informazione(QWidget* proprietario, const QString& testo,
                                      const QString& dettagli) {
    QMessageBox box(QMessageBox::Information, Setup::TitoloMessaggi, testo, QMessageBox::Ok,
                    proprietario);
    if (!dettagli.isEmpty())
        box.setDetailedText(dettagli);
    box.exec();
}

void MessaggiSetupReali::Errore(QWidget* proprietario, const QString& testo) {
    QMessageBox box(QMessageBox::Warning, Setup::TitoloMessaggi, testo, QMessageBox::Ok,
                    proprietario);
    box.exec();
}

ProceduraSetup::ProceduraSetup(Ambiente ambiente, QObject* parent)
    : QObject(parent), ambiente_(std::move(ambiente)) {
    pausa_.setSingleShot(true);
    connect(&pausa_, &QTimer::timeout, this, &ProceduraSetup::Avanti);
    if (ambiente_.avviatore)
        connect(ambiente_.avviatore, &AvviatoreProgrammi::Fallito, this,
                &ProceduraSetup::ProgrammaFallito);
}

ProceduraSetup::~ProceduraSetup() {
    if (finestra_)
        finestra_->ChiudiPerPassaggio();
}

void ProceduraSetup::Avvia() {
    Mostra(0);
}

QString ProceduraSetup::Percorso(const QString& relativo) const {
    QString radice = ambiente_.sorgente;
    while (radice.endsWith(u'/') && radice.size() > 1)
        radice.chop(1);
    return radice + u'/' + relativo;
}

void ProceduraSetup::Mostra(int indice) {
    const QPointer<FinestraSetup> precedente = finestra_;
    indice_ = indice;
    auto* nuova = new FinestraSetup(Setup::Passi().at(indice));
    connect(nuova, &FinestraSetup::ChiusaDallUtente, this, &ProceduraSetup::FinestraChiusa);
    connect(nuova->Command1(), &QPushButton::clicked, this, &ProceduraSetup::Azione);
    connect(nuova->Command2(), &QPushButton::clicked, this, &ProceduraSetup::Ignora);
    finestra_ = nuova;
    nuova->show();
    nuova->activateWindow();
    // The next window first, then this one closes: the wizard never has no window.
    if (precedente)
        precedente->ChiudiPerPassaggio();
}

void ProceduraSetup::Avanti() {
    if (terminata_)
        return;
    if (indice_ + 1 < Setup::Passi().size())
        Mostra(indice_ + 1);
    else
        Termina();
}

void ProceduraSetup::Termina() {
    if (terminata_)
        return;
    terminata_ = true;
    pausa_.stop();
    if (FinestraSetup* ultima = finestra_) {
        finestra_ = nullptr;
        ultima->ChiudiPerPassaggio();
    }
    emit Terminata();
}

void ProceduraSetup::FinestraChiusa(FinestraSetup* finestra) {
    // Closed by the window manager: the wizard ends, whatever step it was on.
    if (finestra == finestra_)
        finestra_ = nullptr;
    Termina();
}

void ProceduraSetup::Azione() {
    if (terminata_ || !finestra_ || pausa_.isActive())
        return;
    const PassoSetup& passo = Setup::Passi().at(indice_);
    switch (passo.azione) {
    case PassoSetup::Azione::Avanti:
        Avanti();
        return;
    case PassoSetup::Azione::Termina:
        Termina();
        return;
    case PassoSetup::Azione::Copia:
        Copia();
        return;
    case PassoSetup::Azione::Avvia:
        break;
    }
    const QString programma = Percorso(passo.programma);
    const auto errore =
        ambiente_.avviatore
            ? ambiente_.avviatore->Avvia(programma, passo.argomenti, ambiente_.sorgente)
            : std::optional<QString>(QStringLiteral("nessun programma può essere avviato"));
    if (errore) {
        // Said, then the wizard moves on as after "Ignora": the pupil's teacher can run the
        // step again later.
        ambiente_.messaggi->Errore(finestra_,
                                   QStringLiteral("%1 (passo %2): %3")
                                       .arg(passo.messaggioIgnora, passo.numeroPasso, *errore));
        Avanti();
        return;
    }
    finestra_->ImpostaOccupata(true);
    finestra_->setCursor(Qt::BusyCursor);
    pausa_.start(passo.pausaSecondi * ambiente_.millisecondiPerSecondo);
}

void ProceduraSetup::Ignora() {
    if (terminata_ || !finestra_ || pausa_.isActive())
        return;
    const PassoSetup& passo = Setup::Passi().at(indice_);
    if (!passo.HaIgnora())
        return;
    ambiente_.messaggi->Informazione(finestra_, passo.messaggioIgnora);
    if (!terminata_)
        Avanti();
}

void ProceduraSetup::Copia() {
    finestra_->ImpostaOccupata(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString sorgente = Percorso(Setup::CartellaArchivi);
    std::optional<CopiaArchivi::Esito> esito;
    // The installed atlas's data folder belongs to the administrator: the copy asks for the
    // rights only when this user cannot write there.
    const QFileInfo destinazione(ambiente_.destinazione);
    QFileInfo esistente = destinazione;
    while (!esistente.exists() && esistente.absoluteFilePath() != esistente.absolutePath())
        esistente = QFileInfo(esistente.absolutePath());
    const bool scrivibile = esistente.exists() && esistente.isWritable();
    if (!scrivibile && ambiente_.copiaComeAmministratore)
        esito = ambiente_.copiaComeAmministratore(sorgente, ambiente_.destinazione);
    if (!esito)
        esito = CopiaArchivi::Copia(*ambiente_.fs, sorgente, ambiente_.destinazione);
    QApplication::restoreOverrideCursor();
    if (terminata_)
        return;
    ambiente_.messaggi->Informazione(finestra_, CopiaArchivi::Messaggio(*esito),
                                     CopiaArchivi::Dettagli(*esito));
    if (finestra_)
        finestra_->ImpostaOccupata(false);
    Avanti();
}

void ProceduraSetup::ProgrammaFallito(const QString& programma, const QString& motivo) {
    if (terminata_)
        return;
    ambiente_.messaggi->Errore(finestra_, QStringLiteral("Il programma «%1» non ha completato "
                                                         "l'installazione: %2")
                                              .arg(QFileInfo(programma).fileName(), motivo));
}

#pragma once

#include "installer/CopiaArchivi.h"
#include "installer/FinestraSetup.h"
#include "installer/PassiSetup.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class AvviatoreProgrammi;
class FileSystemSetup;
class QWidget;

// The wizard's message boxes, behind an interface so that tests can read them.
class MessaggiSetup {
public:
    virtual ~MessaggiSetup() = default;
    // An information box with an OK button; dettagli, when given, can be unfolded.
    virtual void Informazione(QWidget* proprietario, const QString& testo,
                              const QString& dettagli = {}) = 0;
    virtual void Errore(QWidget* proprietario, const QString& testo) = 0;
};

// QMessageBox, titled "Setup Orbisto di Tessivo".
class MessaggiSetupReali : public MessaggiSetup {
public:
    void Informazione(QWidget* proprietario, const QString& testo,
                      const QString& dettagli = {}) override;
    void Errore(QWidget* proprietario, const QString& testo) override;
};

// The wizard: shows its nine windows one after another. Every step starts its program and moves
// on after the step's pause without waiting for it, or copies the data folders, or is skipped
// with "Ignora". Closing a window by other means ends the wizard.
class ProceduraSetup : public QObject {
    Q_OBJECT
public:
    struct Ambiente {
        QString sorgente;     // the installation folder (the wizard's own folder)
        QString destinazione; // the data folder the installed atlas reads
        FileSystemSetup* fs = nullptr;
        AvviatoreProgrammi* avviatore = nullptr;
        MessaggiSetup* messaggi = nullptr;
        int millisecondiPerSecondo = 1000; // tests shorten the pauses
        // The copy when the destination cannot be written by this user: runs it with the
        // administrator's rights and returns its outcome; nothing when that could not be done.
        std::function<std::optional<CopiaArchivi::Esito>(const QString& sorgente,
                                                         const QString& destinazione)>
            copiaComeAmministratore;
    };

    explicit ProceduraSetup(Ambiente ambiente, QObject* parent = nullptr);
    ~ProceduraSetup() override;

    void Avvia();
    // The window on screen (nullptr once the wizard has ended).
    FinestraSetup* Finestra() const { return finestra_; }
    int IndicePasso() const { return indice_; }
    bool InPausa() const { return pausa_.isActive(); }

    // The buttons of the current window.
    void Azione();
    void Ignora();

signals:
    void Terminata();

private:
    void Mostra(int indice);
    void Avanti();
    void Termina();
    void Copia();
    void FinestraChiusa(FinestraSetup* finestra);
    void ProgrammaFallito(const QString& programma, const QString& motivo);
    QString Percorso(const QString& relativo) const;

    Ambiente ambiente_;
    QPointer<FinestraSetup> finestra_;
    int indice_ = -1;
    QTimer pausa_;
    bool terminata_ = false;
};

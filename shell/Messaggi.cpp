#include "shell/Messaggi.h"

#include <QMessageBox>

namespace {

class MessaggiVeri final : public Messaggi {
public:
    bool Domanda(QWidget* proprietario, const QString& testo, const QString& titolo) override {
        return QMessageBox::question(proprietario, titolo, testo,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    }
    void Informazione(QWidget* proprietario, const QString& testo, const QString& titolo) override {
        QMessageBox::information(proprietario, titolo, testo);
    }
    void Errore(QWidget* proprietario, const QString& testo, const QString& titolo) override {
        QMessageBox::critical(proprietario, titolo, testo);
    }
};

Messaggi* installati = nullptr;

} // namespace

Messaggi& messaggi() {
    static MessaggiVeri veri;
    return installati ? *installati : veri;
}

void ImpostaMessaggi(Messaggi* altri) {
    installati = altri;
}

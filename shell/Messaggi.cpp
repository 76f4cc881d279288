#include "shell/Messaggi.h"

#include "shell/AspettoProfilo.h"

#include <QMessageBox>

namespace {

class MessaggiVeri final : public Messaggi {
public:
    bool Domanda(QWidget* proprietario, const QString& testo, const QString& titolo) override {
        return Mostra(proprietario, QMessageBox::Question, testo, titolo,
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    }
    void Informazione(QWidget* proprietario, const QString& testo, const QString& titolo) override {
        Mostra(proprietario, QMessageBox::Information, testo, titolo, QMessageBox::Ok,
               QMessageBox::Ok);
    }
    void Errore(QWidget* proprietario, const QString& testo, const QString& titolo) override {
        Mostra(proprietario, QMessageBox::Critical, testo, titolo, QMessageBox::Ok,
               QMessageBox::Ok);
    }

private:
    static int Mostra(QWidget* proprietario, QMessageBox::Icon icona, const QString& testo,
                      const QString& titolo, QMessageBox::StandardButtons pulsanti,
                      QMessageBox::StandardButton predefinito) {
        QMessageBox box(icona, titolo, testo, pulsanti, proprietario);
        box.setDefaultButton(predefinito);
        PreparaMessaggio(box);
        return box.exec();
    }
};

Messaggi* installati = nullptr;

} // namespace

void PreparaMessaggio(QMessageBox& box) {
    AspettoProfilo::ApplicaAMessaggio(&box);
    box.setAccessibleName(box.windowTitle());
    box.setAccessibleDescription(box.text());
}

Messaggi& messaggi() {
    static MessaggiVeri veri;
    return installati ? *installati : veri;
}

void ImpostaMessaggi(Messaggi* altri) {
    installati = altri;
}

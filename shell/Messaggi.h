#pragma once

#include <QString>

class QMessageBox;
class QWidget;

inline const QString TitoloProgramma = QStringLiteral("L'Orbisto di Tessivo");

// The program's message boxes, behind an interface so that tests can answer them.
class Messaggi {
public:
    virtual ~Messaggi() = default;
    // A Yes/No question; true for Yes.
    virtual bool Domanda(QWidget* proprietario, const QString& testo,
                         const QString& titolo = TitoloProgramma) = 0;
    virtual void Informazione(QWidget* proprietario, const QString& testo,
                              const QString& titolo = TitoloProgramma) = 0;
    virtual void Errore(QWidget* proprietario, const QString& testo,
                        const QString& titolo = TitoloProgramma) = 0;
};

// The look of the program's message boxes: the profile's font size and readable colours, the
// title exactly as given (the program does not add its name to window titles).
void PreparaMessaggio(QMessageBox& box);

// The message boxes in use: the real ones unless a test installed others.
Messaggi& messaggi();
// Installs other message boxes (not owned); nullptr restores the real ones.
void ImpostaMessaggi(Messaggi* altri);

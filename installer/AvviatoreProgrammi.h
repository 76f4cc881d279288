#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// Starts the programs of the installation steps without waiting for them, behind an interface
// so that tests start nothing. A program that cannot be started is said at once; one that
// ends with a failure while the wizard still runs is said through Fallito.
class AvviatoreProgrammi : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts programma (an absolute path) in cartella; an Italian reason when it could not be
    // started (missing, not executable, refused).
    virtual std::optional<QString> Avvia(const QString& programma, const QStringList& argomenti,
                                         const QString& cartella) = 0;

signals:
    // A started program ended with a failure; motivo is in Italian.
    void Fallito(const QString& programma, const QString& motivo);
};

// Real processes. A started program outlives the wizard: it is never killed when the wizard
// ends, and its output goes nowhere.
class AvviatoreReale : public AvviatoreProgrammi {
    Q_OBJECT
public:
    using AvviatoreProgrammi::AvviatoreProgrammi;
    std::optional<QString> Avvia(const QString& programma, const QStringList& argomenti,
                                 const QString& cartella) override;
};

// The reason, in Italian, for a program that cannot be started; nothing when it can.
std::optional<QString> MotivoNonAvviabile(const QString& programma);
// The meaning of a step program's exit code (the step scripts and pkexec share these).
QString MotivoUscita(int codice);

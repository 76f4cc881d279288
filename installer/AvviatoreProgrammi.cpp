#include "installer/AvviatoreProgrammi.h"

#include <QFileInfo>
#include <QProcess>

std::optional<QString> MotivoNonAvviabile(const QString& programma) {
    const QFileInfo info(programma);
    if (!info.exists())
        return QStringLiteral("il file «%1» non si trova nella cartella di installazione")
            .arg(info.fileName());
    if (!info.isFile())
        return QStringLiteral("«%1» non è un programma").arg(info.fileName());
    if (!info.isExecutable())
        return QStringLiteral("non ci sono i permessi per eseguire «%1»").arg(info.fileName());
    return std::nullopt;
}

QString MotivoUscita(int codice) {
    switch (codice) {
    case 126:
        return QStringLiteral("l'autorizzazione dell'amministratore è stata annullata");
    case 127:
        return QStringLiteral("l'autorizzazione dell'amministratore è stata negata");
    case 3:
        return QStringLiteral("il pacchetto da installare non si trova nella cartella di "
                              "installazione");
    case 4:
        return QStringLiteral("manca lo strumento per ottenere i permessi di amministratore "
                              "(pkexec)");
    default:
        return QStringLiteral("l'installazione non è riuscita (codice %1)").arg(codice);
    }
}

std::optional<QString> AvviatoreReale::Avvia(const QString& programma, const QStringList& argomenti,
                                             const QString& cartella) {
    if (auto motivo = MotivoNonAvviabile(programma))
        return motivo;
    // Not a detached start: the wizard wants to hear of a failure. The process object is never
    // deleted while the program runs (deleting it would kill the program), so an installation
    // goes on even when the wizard ends first.
    auto* processo = new QProcess;
    processo->setProgram(programma);
    processo->setArguments(argomenti);
    processo->setWorkingDirectory(cartella);
    processo->setStandardInputFile(QProcess::nullDevice());
    processo->setStandardOutputFile(QProcess::nullDevice());
    processo->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(processo, &QProcess::finished, this,
                     [this, processo, programma](int codice, QProcess::ExitStatus stato) {
                         if (stato != QProcess::NormalExit)
                             emit Fallito(programma,
                                          QStringLiteral("il programma si è interrotto"));
                         else if (codice != 0)
                             emit Fallito(programma, MotivoUscita(codice));
                         processo->deleteLater();
                     });
    processo->start();
    if (!processo->waitForStarted(5000)) {
        const QString errore = processo->errorString();
        processo->deleteLater();
        return QStringLiteral("impossibile avviare «%1» (%2)")
            .arg(QFileInfo(programma).fileName(), errore);
    }
    return std::nullopt;
}

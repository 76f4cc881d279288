// orbisto-setup: the wizard that installs the atlas from its installation folder.
//
//   orbisto-setup [--sorgente CARTELLA] [--destinazione CARTELLA]
//   orbisto-setup --copia-archivi SORGENTE DESTINAZIONE   (the copy alone, used with pkexec)

#include "installer/AvviatoreProgrammi.h"
#include "installer/CopiaArchivi.h"
#include "installer/FileSystemSetup.h"
#include "installer/PassiSetup.h"
#include "installer/ProceduraSetup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QTranslator>

#include <cstdio>

#ifndef ORBISTO_SETUP_DESTINAZIONE
#define ORBISTO_SETUP_DESTINAZIONE "/usr/share/orbisto"
#endif

namespace {

// The copy on its own, for the run with the administrator's rights: one line per outcome.
int CopiaDaRigaDiComando(const QString& sorgente, const QString& destinazione) {
    FileSystemReale fs;
    const CopiaArchivi::Esito esito = CopiaArchivi::Copia(fs, sorgente, destinazione);
    QTextStream out(stdout);
    out << "COPIATI\t" << esito.copiati << '\n';
    out << "CREATE\t" << esito.cartelleCreate << '\n';
    for (const auto& e : esito.errori)
        out << "ERRORE\t" << QString(e.file).replace(u'\t', u' ').replace(u'\n', u' ') << '\t'
            << QString(e.motivo).replace(u'\t', u' ').replace(u'\n', u' ') << '\n';
    out.flush();
    return esito.errori.isEmpty() ? 0 : 1;
}

// Runs this program's copy through pkexec and reads its outcome; nothing when the rights were
// not given or pkexec is missing.
std::optional<CopiaArchivi::Esito> CopiaComeAmministratore(const QString& sorgente,
                                                           const QString& destinazione) {
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    if (pkexec.isEmpty())
        return std::nullopt;
    QProcess processo;
    processo.setStandardInputFile(QProcess::nullDevice());
    processo.start(pkexec, {QCoreApplication::applicationFilePath(),
                            QStringLiteral("--copia-archivi"), sorgente, destinazione});
    if (!processo.waitForStarted(10000))
        return std::nullopt;
    // The password dialog may take a while; the window keeps repainting meanwhile.
    while (processo.state() != QProcess::NotRunning) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        processo.waitForFinished(50);
    }
    if (processo.exitStatus() != QProcess::NormalExit || processo.exitCode() > 1)
        return std::nullopt; // refused or cancelled
    CopiaArchivi::Esito esito;
    const QString uscita = QString::fromUtf8(processo.readAllStandardOutput());
    for (const QString& riga : uscita.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList campi = riga.split(u'\t');
        if (campi.size() >= 2 && campi[0] == QStringLiteral("COPIATI"))
            esito.copiati = campi[1].toInt();
        else if (campi.size() >= 2 && campi[0] == QStringLiteral("CREATE"))
            esito.cartelleCreate = campi[1].toInt();
        else if (campi.size() >= 3 && campi[0] == QStringLiteral("ERRORE"))
            esito.errori.append({campi[1], campi[2]});
    }
    return esito;
}

} // namespace

int main(int argc, char* argv[]) {
    // The copy alone runs without a display.
    if (argc == 4 && QByteArray(argv[1]) == "--copia-archivi") {
        QCoreApplication app(argc, argv);
        return CopiaDaRigaDiComando(QString::fromLocal8Bit(argv[2]),
                                    QString::fromLocal8Bit(argv[3]));
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orbisto-setup"));
    QTranslator traduzioneQt;
    if (traduzioneQt.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioneQt);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    QCommandLineParser opzioni;
    opzioni.setApplicationDescription(QStringLiteral("Installazione dell'Orbisto di Tessivo"));
    opzioni.addHelpOption();
    const QCommandLineOption sorgente(
        QStringLiteral("sorgente"),
        QStringLiteral("Cartella di installazione (predefinita: la cartella del programma)."),
        QStringLiteral("cartella"), QCoreApplication::applicationDirPath());
    const QCommandLineOption destinazione(
        QStringLiteral("destinazione"),
        QStringLiteral("Cartella dei dati dell'atlante installato."), QStringLiteral("cartella"),
        QStringLiteral(ORBISTO_SETUP_DESTINAZIONE));
    opzioni.addOption(sorgente);
    opzioni.addOption(destinazione);
    opzioni.process(app);

    FileSystemReale fs;
    AvviatoreReale avviatore;
    MessaggiSetupReali messaggi;
    ProceduraSetup::Ambiente ambiente;
    ambiente.sorgente = opzioni.value(sorgente);
    ambiente.destinazione = opzioni.value(destinazione);
    ambiente.fs = &fs;
    ambiente.avviatore = &avviatore;
    ambiente.messaggi = &messaggi;
    ambiente.copiaComeAmministratore = CopiaComeAmministratore;

    ProceduraSetup procedura(ambiente);
    // Windows come and go one at a time; the wizard ends when it says so.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&procedura, &ProceduraSetup::Terminata, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    procedura.Avvia();
    return app.exec();
}

#include "shell/Avvio.h"
#include "shell/FiltroInterruttori.h"
#include "shell/FormAvvio.h"
#include "shell/Messaggi.h"
#include "shell/Navigazione.h"
#include "shell/Percorsi.h"
#include "shell/menu/Registrazioni.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orbisto"));
    // No display name: the platform would append it to every title ("Error — ..."); the windows
    // and message boxes carry their own titles.

    // Qt's own dialogs (Yes/No buttons, file and print dialogs) in Italian.
    QTranslator traduzioneQt;
    if (traduzioneQt.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioneQt);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    const QString cartella = Percorsi::CartellaImpostazioniPredefinita();
    IstanzaUnica istanza(cartella);
    if (!istanza.Acquisisci()) {
        std::fprintf(stderr, "%s\n", MessaggioSecondaCopia.toLocal8Bit().constData());
        messaggi().Errore(nullptr, MessaggioSecondaCopia, QStringLiteral("Error"));
        return 1;
    }

    if (auto errore = PreparaStato(cartella))
        messaggi().Errore(nullptr, *errore);

    RegistraFinestre();
    // Every switch press is one action, in every window and dialog.
    FiltroInterruttori::Installa();
    auto* avvio = new FormAvvio;
    avvio->setAttribute(Qt::WA_DeleteOnClose);
    Navigazione::MostraATuttoSchermo(avvio);
    return app.exec();
}

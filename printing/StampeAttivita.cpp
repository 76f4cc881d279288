#include "printing/StampeAttivita.h"

#include "printing/FormMappaBiancoNero.h"
#include "printing/Modale.h"
#include "printing/MotoreStampa.h"
#include "shell/Messaggi.h"
#include "shell/Navigazione.h"

#include <QPixmap>
#include <QPointer>

void StampaMappaBiancoNero(FinestraProgramma* finestra) {
    QPointer<FinestraProgramma> attivita(finestra);
    {
        FormMappaBiancoNero foglio(finestra);
        foglio.Attivazione();
        EseguiModale(foglio);
    }
    if (attivita && attivita->isVisible()) {
        attivita->activateWindow();
        attivita->Attivazione();
    }
}

bool StampaPaginaEsercizio(QWidget* finestra) {
    if (!finestra)
        return false;
    // The window's inside as it is on the screen, captured in memory.
    const QImage immagine = finestra->grab().toImage();
    const double dpi = finestra->logicalDpiX() > 0 ? finestra->logicalDpiX() : 96.0;
    if (MotoreStampa::Istanza().StampaPagina(immagine, dpi, finestra->windowTitle()))
        return true;
    messaggi().Informazione(finestra, QStringLiteral("Impossibile stampare il form."));
    return false;
}

#include "shell/Avvio.h"

#include "catalog/Tavolozza.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

IstanzaUnica::IstanzaUnica(const QString& cartellaImpostazioni) {
    QString cartella = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (cartella.isEmpty() || !QDir().mkpath(cartella))
        cartella = QDir::tempPath();
    // One lock per settings folder: two users (or two test runs) never block each other.
    const QByteArray impronta =
        QCryptographicHash::hash(QDir::cleanPath(cartellaImpostazioni).toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    percorso = cartella + QStringLiteral("/orbisto-") + QString::fromLatin1(impronta) +
               QStringLiteral(".lock");
}

IstanzaUnica::~IstanzaUnica() = default;

bool IstanzaUnica::Acquisisci() {
    blocco = std::make_unique<QLockFile>(percorso);
    // A lock is stale only when its process is gone; never time it out while the program runs.
    blocco->setStaleLockTime(0);
    if (blocco->tryLock(0))
        return true;
    if (blocco->error() == QLockFile::LockFailedError && blocco->removeStaleLockFile() &&
        blocco->tryLock(0))
        return true;
    // Any other failure (an unwritable runtime folder) must not keep the program from starting.
    return blocco->error() != QLockFile::LockFailedError;
}

std::optional<QString> PreparaStato(const QString& cartellaImpostazioni) {
    std::optional<QString> errore;
    if (!Percorsi::EsisteCartella(cartellaImpostazioni))
        errore = CreaCartellaImpostazioni(cartellaImpostazioni);
    StatoProgramma& s = Stato();
    InizializzaStato(s, cartellaImpostazioni);
    s.ImpostazioniScrivibili = !errore.has_value();
    Tavolozza::CostruisciTavolozza();
    CaricaProfilo(s);
    return errore;
}

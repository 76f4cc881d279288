#include "installer/FileSystemSetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool FileSystemReale::EsisteCartella(const QString& percorso) const {
    if (percorso.isEmpty())
        return false;
    const QFileInfo info(percorso);
    return info.isDir() && QDir(percorso).isReadable();
}

std::optional<QString> FileSystemReale::CreaCartella(const QString& percorso) {
    if (QDir().mkpath(percorso) && QFileInfo(percorso).isDir())
        return std::nullopt;
    return QStringLiteral("impossibile creare la cartella (permessi insufficienti o disco pieno)");
}

QStringList FileSystemReale::FileDellaCartella(const QString& percorso) const {
    return QDir(percorso).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

std::optional<QString> FileSystemReale::CopiaFile(const QString& sorgente,
                                                  const QString& destinazione) {
    QFile in(sorgente);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("impossibile leggere il file (%1)").arg(in.errorString());
    // Written beside the destination and renamed over it once whole: a failed copy never
    // leaves a truncated file in place of a good one.
    QSaveFile out(destinazione);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("impossibile scrivere nella cartella di destinazione (%1)")
            .arg(out.errorString());
    qint64 scritti = 0;
    QByteArray blocco;
    while (!(blocco = in.read(1 << 20)).isEmpty()) {
        if (out.write(blocco) != blocco.size()) {
            out.cancelWriting();
            return QStringLiteral("scrittura non riuscita (disco pieno?)");
        }
        scritti += blocco.size();
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return QStringLiteral("lettura interrotta (%1)").arg(in.errorString());
    }
    if (!out.flush() || scritti != in.size()) {
        out.cancelWriting();
        return QStringLiteral("scrittura non riuscita (disco pieno?)");
    }
    if (!out.commit())
        return QStringLiteral("scrittura non riuscita (%1)").arg(out.errorString());
    return std::nullopt;
}

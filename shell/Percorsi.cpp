#include "shell/Percorsi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Percorsi {
namespace {

QString& cartellaImpostata() {
    static QString c;
    return c;
}

QString conBarra(QString p) {
    if (!p.isEmpty() && !p.endsWith(u'/'))
        p += u'/';
    return p;
}

int scriviTutto(int descrittore, QByteArrayView dati) {
    const char* p = dati.data();
    qsizetype resto = dati.size();
    while (resto > 0) {
        const ssize_t n = ::write(descrittore, p, size_t(resto));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        p += n;
        resto -= n;
    }
    return 0;
}

ScritturaDati& scritturaImpostata() {
    static ScritturaDati s;
    return s;
}

// The reason of a failed file operation, in Italian.
QString motivo(int codice) {
    switch (codice) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("il disco è pieno");
    case EACCES:
    case EPERM:
        return QStringLiteral("non si hanno i permessi per scrivere nella cartella");
    case EROFS:
        return QStringLiteral("il disco è protetto da scrittura");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("il file o la sua cartella non esiste");
    case EIO:
        return QStringLiteral("errore del disco");
    default:
        return QStringLiteral("errore di sistema %1").arg(codice);
    }
}

QString nonSalvato(const QString& percorso, const QString& perche) {
    return QStringLiteral("Impossibile salvare il file \"%1\": %2. Il file precedente non è stato "
                          "modificato.")
        .arg(QDir::toNativeSeparators(percorso), perche);
}

} // namespace

QString CartellaImpostazioniPredefinita() {
    return conBarra(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    QStringLiteral("/OrbistoTessivo"));
}

void ImpostaCartellaProgramma(const QString& cartella) {
    cartellaImpostata() = conBarra(QDir::cleanPath(cartella));
}

QStringList CartelleProgrammaCercate() {
    const QString exe = QCoreApplication::applicationDirPath();
    if (exe.isEmpty())
        return {};
    QStringList cartelle;
    for (const char* relativo : {"/data", "/../share/orbisto", "/../data", "/../../data"})
        cartelle.append(QDir::cleanPath(exe + QString::fromLatin1(relativo)));
    return cartelle;
}

std::optional<QString> AvvisoCartellaProgramma() {
    if (!CartellaProgramma().isEmpty())
        return std::nullopt;
    QStringList righe;
    for (const QString& c : CartelleProgrammaCercate())
        righe.append(QStringLiteral("- ") + QDir::toNativeSeparators(c));
    return QStringLiteral("La cartella dei dati del programma (mappe, testi, suoni) non è stata "
                          "trovata. Le mappe e i suoni non saranno disponibili.\n"
                          "Cartelle cercate:\n%1\n"
                          "Reinstallare il programma può risolvere il problema.")
        .arg(righe.join(u'\n'));
}

QString CartellaProgramma() {
    if (!cartellaImpostata().isEmpty())
        return cartellaImpostata();
    for (const QString& c : CartelleProgrammaCercate()) {
        if (!QDir::isAbsolutePath(c))
            continue;
        if (QFileInfo(c + QStringLiteral("/mappe")).isDir() ||
            QFileInfo(c + QStringLiteral("/suoni")).isDir()) {
            cartellaImpostata() = conBarra(QDir::cleanPath(c));
            return cartellaImpostata();
        }
    }
    return {};
}

QString InCartellaProgramma(const QString& relativo) {
    QString r = relativo;
    r.replace(u'\\', u'/');
    while (r.startsWith(u'/'))
        r.remove(0, 1);
    const QString cartella = CartellaProgramma();
    if (cartella.isEmpty())
        return {};
    return cartella + r;
}

bool EsisteFile(const QString& percorso) {
    if (percorso.isEmpty())
        return false;
    QString p = percorso;
    p.replace(u'\\', u'/');
    const QFileInfo info(p);
    const QString nome = info.fileName();
    if (nome.isEmpty())
        return false;
    if (info.exists() || info.isSymLink())
        return true;
    const QDir cartella = info.dir();
    if (!cartella.exists())
        return false;
    const auto voci = cartella.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                                         QDir::NoDotAndDotDot);
    for (const QString& v : voci)
        if (v.compare(nome, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool EsisteCartella(const QString& percorso) {
    if (percorso.isEmpty())
        return false;
    return QFileInfo(percorso).isDir();
}

QString NomeNellaCartella(const QString& cartella, const QString& nome) {
    const QDir d(cartella);
    if (QFileInfo::exists(d.filePath(nome)))
        return nome;
    const auto voci = d.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& v : voci)
        if (v.compare(nome, Qt::CaseInsensitive) == 0)
            return v;
    return nome;
}

std::optional<QByteArray> LeggiFileRegolare(const QString& percorso, qint64 massimo,
                                            QString* errore) {
    auto rifiuta = [&](const QString& perche) -> std::optional<QByteArray> {
        if (errore)
            *errore = perche;
        return std::nullopt;
    };
    const QByteArray nome = QFile::encodeName(percorso);
    // Non-blocking, so that a FIFO cannot hold the program; the type is checked on the open
    // descriptor, so that nothing can be swapped in between.
    const int fd = ::open(nome.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return rifiuta(QStringLiteral("il file non si può aprire (%1)").arg(motivo(errno)));
    struct Chiudi {
        int fd;
        ~Chiudi() { ::close(fd); }
    } chiudi{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return rifiuta(QStringLiteral("non è un file normale"));
    if (st.st_size > massimo)
        return rifiuta(QStringLiteral("il file è troppo grande"));
    QByteArray dati;
    dati.resize(qsizetype(std::min<qint64>(massimo + 1, st.st_size + 1)));
    qsizetype letti = 0;
    while (letti < dati.size()) {
        const ssize_t n = ::read(fd, dati.data() + letti, size_t(dati.size() - letti));
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return rifiuta(QStringLiteral("il file non si può leggere (%1)").arg(motivo(errno)));
        }
        if (n == 0)
            break;
        letti += n;
        if (letti == dati.size() && letti <= massimo)
            dati.resize(std::min<qsizetype>(massimo + 1, dati.size() * 2));
    }
    dati.truncate(letti);
    if (letti > massimo)
        return rifiuta(QStringLiteral("il file è troppo grande"));
    return dati;
}

void ImpostaScritturaDati(ScritturaDati scrittura) {
    scritturaImpostata() = std::move(scrittura);
}

std::optional<QString> ScriviFileAtomico(const QString& percorso, const QByteArray& dati) {
    const QFileInfo destinazione(percorso);
    // The temporary file sits beside the destination, so that the rename is atomic; it is hidden
    // and does not end like the destination, so that no listing takes it for a profile.
    QTemporaryFile temporaneo(destinazione.absolutePath() + QStringLiteral("/.") +
                              destinazione.fileName() + QStringLiteral(".XXXXXX"));
    if (!temporaneo.open()) {
        const int codice = destinazione.absoluteDir().exists() ? EACCES : ENOENT;
        return nonSalvato(percorso, motivo(codice));
    }
    if (destinazione.isFile())
        temporaneo.setPermissions(QFile::permissions(percorso));
    const int fd = temporaneo.handle();
    const ScritturaDati& scrivi = scritturaImpostata();
    int codice = scrivi ? scrivi(fd, dati) : scriviTutto(fd, dati);
    struct stat st {};
    if (codice == 0 && ::fstat(fd, &st) != 0)
        codice = errno;
    // A write that reported success but left the file short is a full disk as well.
    if (codice == 0 && st.st_size != dati.size())
        codice = ENOSPC;
    if (codice == 0 && ::fsync(fd) != 0)
        codice = errno;
    if (codice != 0)
        return nonSalvato(percorso, motivo(codice)); // the temporary file is removed
    temporaneo.close();
    if (::rename(QFile::encodeName(temporaneo.fileName()).constData(),
                 QFile::encodeName(destinazione.absoluteFilePath()).constData()) != 0)
        return nonSalvato(percorso, motivo(errno));
    temporaneo.setAutoRemove(false);
    // The rename itself reaches the disk with the folder.
    const int cartella = ::open(QFile::encodeName(destinazione.absolutePath()).constData(),
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (cartella >= 0) {
        ::fsync(cartella);
        ::close(cartella);
    }
    return std::nullopt;
}

} // namespace Percorsi

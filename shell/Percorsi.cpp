#include "shell/Percorsi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

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

} // namespace

QString CartellaImpostazioniPredefinita() {
    return conBarra(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    QStringLiteral("/OrbistoTessivo"));
}

void ImpostaCartellaProgramma(const QString& cartella) {
    cartellaImpostata() = conBarra(QDir::cleanPath(cartella));
}

QString CartellaProgramma() {
    if (!cartellaImpostata().isEmpty())
        return cartellaImpostata();
    const QString exe = QCoreApplication::applicationDirPath();
    const QStringList candidati{
        exe + QStringLiteral("/data"),
        exe + QStringLiteral("/../share/orbisto"),
        exe + QStringLiteral("/../data"),
        exe + QStringLiteral("/../../data"),
    };
    for (const QString& c : candidati) {
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
    return CartellaProgramma() + r;
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
    QDir cartella = info.dir();
    if (!cartella.exists())
        return false;
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(
                                    nome, QRegularExpression::UnanchoredWildcardConversion),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression esatta(QRegularExpression::anchoredPattern(re.pattern()),
                                    QRegularExpression::CaseInsensitiveOption);
    const auto voci = cartella.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                                         QDir::NoDotAndDotDot);
    for (const QString& v : voci)
        if (esatta.match(v).hasMatch())
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

std::optional<QString> ScriviFileAtomico(const QString& percorso, const QByteArray& dati) {
    QSaveFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("Impossibile scrivere il file \"%1\": %2")
            .arg(percorso, f.errorString());
    if (f.write(dati) != dati.size()) {
        const QString errore = f.errorString();
        f.cancelWriting();
        return QStringLiteral("Impossibile scrivere il file \"%1\": %2").arg(percorso, errore);
    }
    if (!f.commit())
        return QStringLiteral("Impossibile salvare il file \"%1\": %2")
            .arg(percorso, f.errorString());
    return std::nullopt;
}

} // namespace Percorsi

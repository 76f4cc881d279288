#include "results/CartellaRisultati.h"

#include "results/FileRisultati.h"
#include "shell/Percorsi.h"

#include <QDir>
#include <QStandardPaths>

namespace CartellaRisultati {

namespace {
QString& base() {
    static QString b;
    return b;
}
} // namespace

QString Base() {
    QString b = base();
    if (b.isEmpty()) {
        QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documenti.isEmpty())
            documenti = QDir::homePath();
        b = documenti + QStringLiteral("/OrbistoTessivo");
    }
    if (!b.endsWith(u'/'))
        b += u'/';
    return b;
}

void ImpostaBase(const QString& b) {
    base() = b;
}

QString DellUtente(const QString& nomeUtente) {
    return Base() + nomeUtente + u'/';
}

QString FileLeggimi() {
    return Base() + QStringLiteral("leggimi.txt");
}

QByteArray TestoLeggimi() {
    const QStringList righe{
        QStringLiteral("Questa cartella contiene i file dei programmi pubblicati sul sito del "
                       "progetto L'Orbisto di Tessivo."),
        QStringLiteral(" "),
        QStringLiteral("Se qualche programma presenta problemi di funzionamento può essere utile "
                       "cancellare il file *.ini relativo al programma in quata cartella."),
        QStringLiteral(" "), QStringLiteral("Non cancellare questo file.")};
    QByteArray out;
    for (const QString& r : righe)
        out += FileRisultati::Codifica1252(r) + QByteArrayLiteral("\r\n");
    return out;
}

std::optional<QString> CreaCartella(const QString& cartella) {
    if (cartella.isEmpty() || !QDir().mkpath(cartella))
        return QStringLiteral("Impossibile creare la cartella \"%1\".").arg(cartella);
    if (!QDir().mkpath(Base()))
        return QStringLiteral("Impossibile creare la cartella \"%1\".").arg(Base());
    return Percorsi::ScriviFileAtomico(FileLeggimi(), TestoLeggimi());
}

} // namespace CartellaRisultati

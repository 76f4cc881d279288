#include "workspace/testi/CartelleTesti.h"

#include "shell/Percorsi.h"

#include <QDir>
#include <QFileInfo>

namespace CartelleTesti {

QString Risolvi(const QString& base, const QString& relativo) {
    QString percorso = base;
    if (!percorso.isEmpty() && !percorso.endsWith(u'/'))
        percorso += u'/';
    QString r = relativo;
    r.replace(u'\\', u'/');
    const QStringList parti = r.split(u'/', Qt::SkipEmptyParts);
    bool esiste = QFileInfo(percorso.isEmpty() ? QStringLiteral(".") : percorso).isDir();
    for (qsizetype i = 0; i < parti.size(); ++i) {
        QString nome = parti[i];
        if (esiste) {
            const QDir d(percorso.isEmpty() ? QStringLiteral(".") : percorso);
            if (!QFileInfo::exists(d.filePath(nome))) {
                const QStringList voci =
                    d.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
                bool trovato = false;
                for (const QString& v : voci) {
                    if (v.compare(nome, Qt::CaseInsensitive) == 0) {
                        nome = v;
                        trovato = true;
                        break;
                    }
                }
                esiste = trovato;
            }
        }
        percorso += nome;
        if (i + 1 < parti.size())
            percorso += u'/';
    }
    if (r.endsWith(u'/') && !percorso.endsWith(u'/'))
        percorso += u'/';
    return percorso;
}

QString CartellaTesti(const QString& area) {
    return Risolvi(Percorsi::CartellaProgramma(), QStringLiteral("testi/") + area + u'/');
}

QString CartellaTestiItalia() {
    return Risolvi(Percorsi::CartellaProgramma(), QStringLiteral("testi/italia/"));
}

QString SchedaPredefinita(const QString& area) {
    return Risolvi(Percorsi::CartellaProgramma(), QStringLiteral("testipredefiniti/") + area +
                                                      u'/' + area + QStringLiteral(".rtf"));
}

QStringList TestiDellaCartella(const QString& cartella) {
    QDir d(cartella);
    if (cartella.isEmpty() || !d.exists())
        return {};
    d.setNameFilters({QStringLiteral("*.rtf")});
    d.setFilter(QDir::Files | QDir::Readable);
    d.setSorting(QDir::Name | QDir::IgnoreCase);
    QStringList out;
    for (const QFileInfo& f : d.entryInfoList())
        out << f.absoluteFilePath();
    return out;
}

QString NomeDelTesto(const QString& percorso) {
    QString nome = percorso;
    nome.replace(u'\\', u'/');
    nome = nome.mid(nome.lastIndexOf(u'/') + 1);
    const qsizetype punto = nome.lastIndexOf(u'.');
    return punto > 0 ? nome.left(punto) : nome;
}

} // namespace CartelleTesti

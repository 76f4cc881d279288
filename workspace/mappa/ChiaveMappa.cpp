#include "workspace/mappa/ChiaveMappa.h"

#include "shell/Percorsi.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

struct Suffisso {
    QStringView testo;
    TipoMappa tipo;
    bool puntatoreGrande;
    bool puzzle;
    bool trascinamento;
};

// Longest first, so that "pol1pm" is not read as "pol1" followed by "pm".
constexpr std::array<Suffisso, 8> suffissi{{
    {u"pol2scansione", TipoMappa::Politica, true, true, false},
    {u"fis2scansione", TipoMappa::Fisica, true, true, false},
    {u"pol1pm", TipoMappa::Politica, true, false, false},
    {u"fis1pm", TipoMappa::Fisica, true, false, false},
    {u"pol1", TipoMappa::Politica, false, false, false},
    {u"fis1", TipoMappa::Fisica, false, false, false},
    {u"pol2", TipoMappa::Politica, true, true, true},
    {u"fis2", TipoMappa::Fisica, true, true, true},
}};

} // namespace

std::optional<ChiaveMappa> RisolviChiaveMappa(const QString& chiave) {
    QString k = chiave.trimmed();
    k.replace(u'\\', u'/');
    if (k.isEmpty())
        return std::nullopt;

    if (k.endsWith(u".geojson", Qt::CaseInsensitive)) {
        ChiaveMappa c;
        const QFileInfo info(k);
        c.cartella = info.dir().dirName();
        c.nome = info.completeBaseName();
        c.fileDati = k;
        return c;
    }

    // Everything up to the last "swf" folder is the program folder (or nothing).
    const QStringList parti = k.split(u'/', Qt::SkipEmptyParts);
    qsizetype swf = -1;
    for (qsizetype i = parti.size() - 1; i >= 0; --i) {
        if (parti[i].compare(u"swf", Qt::CaseInsensitive) == 0) {
            swf = i;
            break;
        }
    }
    if (swf < 0 || swf + 3 != parti.size())
        return std::nullopt;
    const QString cartella = parti[swf + 1];
    QString file = parti[swf + 2];
    if (file.endsWith(u".swf", Qt::CaseInsensitive))
        file.chop(4);

    for (const Suffisso& s : suffissi) {
        if (!file.endsWith(s.testo, Qt::CaseInsensitive))
            continue;
        const QString nome = file.left(file.size() - s.testo.size());
        if (nome.isEmpty())
            return std::nullopt;
        const bool regioni = cartella.compare(u"regioniitaliane", Qt::CaseInsensitive) == 0;
        if (!regioni && nome.compare(cartella, Qt::CaseInsensitive) != 0)
            return std::nullopt;
        ChiaveMappa c;
        c.cartella = cartella;
        c.nome = nome;
        c.suffisso = s.testo.toString();
        c.tipo = s.tipo;
        c.puntatoreGrande = s.puntatoreGrande;
        c.puzzle = s.puzzle;
        c.trascinamento = s.trascinamento;
        c.fileDati = Percorsi::InCartellaProgramma(
            QStringLiteral("mappe/") + cartella + u'/' + nome +
            (s.tipo == TipoMappa::Politica ? QStringLiteral("_politica.geojson")
                                           : QStringLiteral("_fisica.geojson")));
        return c;
    }
    return std::nullopt;
}

QString FileDellaMappa(const QString& chiave) {
    const auto c = RisolviChiaveMappa(chiave);
    return c ? c->fileDati : QString();
}

bool EsisteMappa(const QString& chiave) {
    const QString f = FileDellaMappa(chiave);
    return !f.isEmpty() && Percorsi::EsisteFile(f);
}

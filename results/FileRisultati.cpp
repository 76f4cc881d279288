#include "results/FileRisultati.h"

#include <QStringList>

namespace {

// 0x80..0x9F of Windows-1252; 0 where the code page has no character.
constexpr char16_t Alti[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const QByteArray FineRiga = QByteArrayLiteral("\r\n");

// One value per line: a line break inside a cell would shift every line after it.
QString UnaRiga(const QString& testo) {
    QString t = testo;
    t.replace(u'\r', u' ');
    t.replace(u'\n', u' ');
    return t;
}

} // namespace

namespace FileRisultati {

QByteArray Codifica1252(const QString& testo) {
    QByteArray out;
    out.reserve(testo.size());
    for (QChar c : testo) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        char b = '?';
        for (int i = 0; i < 32; ++i)
            if (Alti[i] != 0 && Alti[i] == u)
                b = char(0x80 + i);
        out.append(b);
    }
    return out;
}

QString Decodifica1252(const QByteArray& dati) {
    QString out;
    out.reserve(dati.size());
    for (char ch : dati) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F && Alti[b - 0x80] != 0)
            out.append(QChar(Alti[b - 0x80]));
        else
            out.append(QChar(char16_t(b)));
    }
    return out;
}

QByteArray Scrivi(const TabellaRisultati& tabella, const QString& intestazione1,
                  const QString& intestazione2) {
    QByteArray out;
    auto riga = [&out](const QString& t) {
        out += Codifica1252(UnaRiga(t));
        out += FineRiga;
    };
    riga(intestazione1);
    riga(intestazione2);
    riga(u' ' + QString::number(tabella.righe.size() + 1) + u' ');
    for (const auto& r : tabella.righe)
        for (const QString& cella : r)
            riga(cella);
    riga(tabella.nota);
    return out;
}

std::optional<TabellaRisultati> Leggi(const QByteArray& dati) {
    if (dati.size() > MassimaDimensione)
        return std::nullopt;
    // Text only: control characters other than the line ends and tabs mean a binary file.
    for (char ch : dati) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 && b != '\r' && b != '\n' && b != '\t')
            return std::nullopt;
    }
    QList<QByteArray> righe = dati.split('\n');
    // A final line end leaves one empty piece after it.
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    for (QByteArray& r : righe)
        if (r.endsWith('\r'))
            r.chop(1);
    if (righe.size() < 3)
        return std::nullopt;
    bool ok = false;
    const qint64 conteggio = righe[2].trimmed().toLongLong(&ok);
    if (!ok || conteggio < 1 || conteggio - 1 > MassimoRighe)
        return std::nullopt;
    const qint64 esercizi = conteggio - 1;
    // Every row of the count and the note must be there.
    if (righe.size() < 3 + esercizi * 5 + 1)
        return std::nullopt;
    TabellaRisultati t;
    t.righe.reserve(esercizi);
    int k = 3;
    for (qint64 r = 0; r < esercizi; ++r) {
        std::array<QString, 5> celle;
        for (QString& c : celle)
            c = Decodifica1252(righe[k++]);
        t.righe.append(celle);
    }
    t.nota = Decodifica1252(righe[k]);
    return t;
}

} // namespace FileRisultati

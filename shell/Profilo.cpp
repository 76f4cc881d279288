#include "shell/Profilo.h"

#include "catalog/Preset.h"

#include <QStringList>

#include <limits>

namespace {

// Windows-1252 0x80..0x9F; 0 marks the five undefined positions (kept as the C1 control).
constexpr char16_t cp1252Alti[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Text fields (a font, a voice, a character) are short names; longer values are cut here.
constexpr qsizetype LunghezzaMassimaTesto = 255;

// Sequential reading of values, as the "Input #" statement reads them.
class Lettore {
public:
    explicit Lettore(QString testo) : t(std::move(testo)) {}

    // A text value; nullopt past the end of the file.
    std::optional<QString> testo() {
        if (!saltaSpaziIniziali())
            return std::nullopt;
        QString valore;
        if (t[pos] == u'"') {
            ++pos;
            while (pos < t.size() && t[pos] != u'"')
                valore.append(t[pos++]);
            if (pos < t.size())
                ++pos; // closing quote
            // Anything up to the delimiter after a quoted value is dropped.
            while (pos < t.size() && t[pos] != u',' && !fineRiga())
                ++pos;
        } else {
            while (pos < t.size() && t[pos] != u',' && !fineRiga())
                valore.append(t[pos++]);
            while (!valore.isEmpty() && valore.back() == u' ')
                valore.chop(1);
        }
        consumaDelimitatore();
        valore.truncate(LunghezzaMassimaTesto);
        return valore;
    }

    // A 16-bit number; nullopt past the end or when the value is not a 16-bit number.
    std::optional<qint16> numero() {
        if (!saltaSpaziIniziali())
            return std::nullopt;
        QString valore;
        while (pos < t.size() && t[pos] != u',' && t[pos] != u' ' && t[pos] != u'\t' && !fineRiga())
            valore.append(t[pos++]);
        while (pos < t.size() && (t[pos] == u' ' || t[pos] == u'\t'))
            ++pos;
        consumaDelimitatore();
        if (valore.isEmpty())
            return qint16(0);
        bool ok = false;
        const qlonglong n = valore.toLongLong(&ok, 10);
        if (!ok || n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max())
            return std::nullopt;
        return static_cast<qint16>(n);
    }

    // A flag, read as text: true exactly when it starts with an upper-case "T".
    std::optional<bool> flag() {
        const auto v = testo();
        if (!v)
            return std::nullopt;
        return v->startsWith(u'T');
    }

private:
    bool fineRiga() const { return t[pos] == u'\r' || t[pos] == u'\n'; }

    bool saltaSpaziIniziali() {
        while (pos < t.size() && (t[pos] == u' ' || t[pos] == u'\t'))
            ++pos;
        return pos < t.size();
    }

    void consumaDelimitatore() {
        if (pos >= t.size())
            return;
        if (t[pos] == u',') {
            ++pos;
            return;
        }
        if (t[pos] == u'\r') {
            ++pos;
            if (pos < t.size() && t[pos] == u'\n')
                ++pos;
        } else if (t[pos] == u'\n') {
            ++pos;
        }
    }

    QString t;
    qsizetype pos = 0;
};

QByteArray numeroStampato(qint16 n) {
    // A blank in place of the sign of a non-negative number, one blank after the digits.
    return (n < 0 ? QByteArray::number(n) : ' ' + QByteArray::number(n)) + ' ';
}

QByteArray flagStampato(bool b) {
    return b ? QByteArrayLiteral("True") : QByteArrayLiteral("False");
}

} // namespace

namespace Cp1252 {

QString Decodifica(QByteArrayView dati) {
    QString s;
    s.reserve(dati.size());
    for (char c : dati) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0 && cp1252Alti[b - 0x80] != 0)
            s.append(QChar(cp1252Alti[b - 0x80]));
        else
            s.append(QChar(char16_t(b)));
    }
    return s;
}

QByteArray Codifica(QStringView testo) {
    QByteArray out;
    out.reserve(testo.size());
    for (QChar ch : testo) {
        const char16_t u = ch.unicode();
        // The five bytes Windows-1252 leaves undefined were read as the C1 controls of the same
        // value: they go back unchanged.
        const bool nonDefinito = u >= 0x80 && u < 0xA0 && cp1252Alti[u - 0x80] == 0;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || nonDefinito) {
            out.append(static_cast<char>(u));
            continue;
        }
        char c = '?';
        for (int i = 0; i < 32; ++i)
            if (cp1252Alti[i] == u) {
                c = static_cast<char>(0x80 + i);
                break;
            }
        out.append(c);
    }
    return out;
}

} // namespace Cp1252

ProfiloUtente ProfiloPredefinito() {
    ProfiloUtente p;
    p.NomeFont = QStringLiteral("verdana");
    p.DimensioneFont = 24;
    PresetPolitico1(p);
    PresetFisico1(p);
    p.RipartiDopoSelezione = false;
    p.VelocitaVoce = 130;
    p.TonoVoce = 100;
    p.ParlatoAttivo = true;
    p.SuoniAttivi = true;
    p.ModalitaAccesso = ModalitaMouse;
    p.TempoScansione = 4;
    p.PuntatoreSistema = false;
    p.TracciaAttivita = false;
    p.ModoVoce = QStringLiteral("{7EF71701-A92D-11d1-B17B-0020AFED142E}");
    p.Personaggio = QStringLiteral("Merlin");
    return p;
}

QString PrefissoVoce(const ProfiloUtente& p) {
    return QStringLiteral("\\Spd=%1\\\\Pit=%2\\").arg(p.VelocitaVoce).arg(p.TonoVoce);
}

QByteArray ScriviProfilo(const ProfiloUtente& p) {
    QList<QByteArray> righe;
    righe.append(Cp1252::Codifica(p.NomeFont));
    righe.append(numeroStampato(p.DimensioneFont));
    righe.append(numeroStampato(p.ColoreTesto));
    righe.append(numeroStampato(p.ColoreSfondo));
    for (qint16 v : p.SchemaPolitico)
        righe.append(numeroStampato(v));
    for (qint16 v : p.SchemaFisico)
        righe.append(numeroStampato(v));
    righe.append(flagStampato(p.RipartiDopoSelezione));
    righe.append(numeroStampato(p.VelocitaVoce));
    righe.append(numeroStampato(p.TonoVoce));
    righe.append(flagStampato(p.ParlatoAttivo));
    righe.append(flagStampato(p.SuoniAttivi));
    righe.append(numeroStampato(p.ModalitaAccesso));
    righe.append(numeroStampato(p.TempoScansione));
    righe.append(flagStampato(p.PuntatoreSistema));
    righe.append(flagStampato(p.TracciaAttivita));
    righe.append(Cp1252::Codifica(p.ModoVoce));
    righe.append(Cp1252::Codifica(p.Personaggio));
    Q_ASSERT(righe.size() == RigheProfilo);
    QByteArray out;
    for (const QByteArray& r : righe)
        out += r + "\r\n";
    return out;
}

std::optional<ProfiloUtente> LeggiProfilo(QByteArrayView dati) {
    Lettore l(Cp1252::Decodifica(dati));
    ProfiloUtente p;
    bool ok = true;
    auto testo = [&](QString& campo) {
        if (!ok)
            return;
        if (auto v = l.testo())
            campo = *v;
        else
            ok = false;
    };
    auto numero = [&](qint16& campo) {
        if (!ok)
            return;
        if (auto v = l.numero())
            campo = *v;
        else
            ok = false;
    };
    auto flag = [&](bool& campo) {
        if (!ok)
            return;
        if (auto v = l.flag())
            campo = *v;
        else
            ok = false;
    };
    testo(p.NomeFont);
    numero(p.DimensioneFont);
    numero(p.ColoreTesto);
    numero(p.ColoreSfondo);
    for (qint16& v : p.SchemaPolitico)
        numero(v);
    for (qint16& v : p.SchemaFisico)
        numero(v);
    flag(p.RipartiDopoSelezione);
    numero(p.VelocitaVoce);
    numero(p.TonoVoce);
    flag(p.ParlatoAttivo);
    flag(p.SuoniAttivi);
    numero(p.ModalitaAccesso);
    numero(p.TempoScansione);
    flag(p.PuntatoreSistema);
    flag(p.TracciaAttivita);
    testo(p.ModoVoce);
    testo(p.Personaggio);
    if (!ok)
        return std::nullopt;
    return p;
}

#include "workspace/voce/ParametriVoce.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

int VelocitaSintesi(int velocitaVoce) {
    const int v = std::clamp(velocitaVoce, VelocitaVoceMinima, VelocitaVoceMassima);
    // Linear, 0.8 words per minute per step from 90: slow but fluent at the bottom, brisk at the
    // top, and a little slower than an adult reader (175) at the default.
    return 90 + (v - VelocitaVoceMinima) * 4 / 5;
}

int TonoSintesi(int tonoVoce) {
    const int t = std::clamp(tonoVoce, TonoVoceMinimo, TonoVoceMassimo);
    const double ottave = std::log2(t / 100.0); // -1 .. +2
    const double passo = ottave < 0 ? 25.0 : 20.0;
    return std::clamp(static_cast<int>(std::lround(50.0 + passo * ottave)), 0, 99);
}

QList<ModoSintesi> FiltraModi(QList<ModoSintesi> modi,
                              const std::function<bool(const QString&)>& mbrolaPresente) {
    const QString prefissoMbrola = QStringLiteral("mb/");
    modi.removeIf([&](const ModoSintesi& m) {
        if (!m.file.startsWith(prefissoMbrola))
            return false;
        QString voce = m.file.mid(prefissoMbrola.size());
        if (voce.startsWith(QStringLiteral("mb-")))
            voce = voce.mid(3);
        return !mbrolaPresente || !mbrolaPresente(voce);
    });
    auto rango = [&](const ModoSintesi& m) {
        if (m.lingua == u"it")
            return m.file.startsWith(prefissoMbrola) ? 1 : 0;
        return 2;
    };
    std::stable_sort(modi.begin(), modi.end(), [&](const ModoSintesi& a, const ModoSintesi& b) {
        const int ra = rango(a);
        const int rb = rango(b);
        if (ra != rb)
            return ra < rb;
        return a.nome.compare(b.nome, Qt::CaseInsensitive) < 0;
    });
    return modi;
}

QList<ModoSintesi> ConVariantiItaliane(QList<ModoSintesi> modi, QStringList varianti) {
    static const QRegularExpression numerata(QStringLiteral("^([mf])([0-9]+)$"));
    QList<std::pair<QString, QString>> scelte; // variant, readable name
    for (const QString& v : varianti) {
        const auto m = numerata.match(v);
        if (!m.hasMatch())
            continue;
        const QString genere = m.captured(1) == u"m" ? QStringLiteral("voce maschile")
                                                     : QStringLiteral("voce femminile");
        scelte.append({v, genere + u' ' + QString::number(m.captured(2).toInt())});
    }
    std::sort(scelte.begin(), scelte.end(), [](const auto& a, const auto& b) {
        if (a.first[0] != b.first[0])
            return a.first[0] < b.first[0];
        return a.first.mid(1).toInt() < b.first.mid(1).toInt();
    });
    QList<ModoSintesi> out;
    for (const ModoSintesi& m : std::as_const(modi)) {
        if (m.lingua != u"it" || m.file.startsWith(QStringLiteral("mb/")) ||
            m.file.contains(u'+')) {
            out.append(m);
            continue;
        }
        ModoSintesi base = m;
        base.nome = QStringLiteral("Italiano");
        out.append(base);
        for (const auto& [variante, nome] : std::as_const(scelte)) {
            ModoSintesi v = m;
            v.file = m.file + u'+' + variante;
            v.identificatore = u'{' + v.file + u'}';
            v.nome = QStringLiteral("Italiano – ") + nome;
            out.append(v);
        }
    }
    return out;
}

QString FileDelModo(const QList<ModoSintesi>& modi, const QString& modoVoce) {
    for (const ModoSintesi& m : modi) {
        if (m.identificatore.compare(modoVoce, Qt::CaseInsensitive) == 0)
            return m.file;
    }
    for (const ModoSintesi& m : modi) {
        if (m.lingua == u"it")
            return m.file;
    }
    return modi.isEmpty() ? QString() : modi.first().file;
}

bool MbrolaInstallato(const QString& voceMbrola) {
    if (voceMbrola.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("mbrola")).isEmpty())
        return false;
    const QString base = QStringLiteral("/usr/share/mbrola/");
    const QString candidati[] = {base + voceMbrola, base + voceMbrola + u'/' + voceMbrola,
                                 base + QStringLiteral("voices/") + voceMbrola};
    for (const QString& p : candidati) {
        if (QFileInfo(p).isFile())
            return true;
    }
    return false;
}

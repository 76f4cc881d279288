#include "workspace/voce/Personaggio.h"

#include "shell/Percorsi.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

QString Cartella(const QString& cartella) {
    QString c =
        cartella.isEmpty() ? Percorsi::InCartellaProgramma(QStringLiteral("personaggi")) : cartella;
    if (!c.isEmpty() && !c.endsWith(u'/'))
        c += u'/';
    return c;
}

bool NomeSicuro(const QString& nome) {
    static const QRegularExpression valido(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_ -]{0,63}$"));
    return valido.match(nome).hasMatch();
}

constexpr qint64 DimensioneMassima = 64 * 1024;

std::optional<AspettoPersonaggio> DaFile(const QString& percorso) {
    const auto dati = Percorsi::LeggiFileRegolare(percorso, DimensioneMassima);
    if (!dati)
        return std::nullopt;
    return LeggiPersonaggio(*dati);
}

} // namespace

AspettoPersonaggio PersonaggioPredefinito() {
    AspettoPersonaggio a;
    a.nome = PersonaggioPredefinitoNome;
    a.titolo = QStringLiteral("Mago Merlino");
    a.cappello = QStringLiteral("punta");
    a.capelli = QStringLiteral("corti");
    a.barba = true;
    a.veste = QColor(0x3b, 0x5b, 0xdb);
    a.coloreCappello = QColor(0x5f, 0x3d, 0xc4);
    a.pelle = QColor(0xf8, 0xd7, 0xb8);
    a.coloreCapelli = QColor(0xf1, 0xf3, 0xf5);
    a.occhi = QColor(0x1f, 0x29, 0x37);
    a.bocca = QColor(0xb9, 0x1c, 0x1c);
    a.decorazioni = QColor(0xff, 0xd4, 0x3b);
    a.contorno = QColor(0x1e, 0x29, 0x3b);
    return a;
}

std::optional<AspettoPersonaggio> LeggiPersonaggio(const QByteArray& json, QString* errore) {
    auto fallisci = [errore](const QString& perche) -> std::optional<AspettoPersonaggio> {
        if (errore)
            *errore = perche;
        return std::nullopt;
    };
    QJsonParseError analisi;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &analisi);
    if (analisi.error != QJsonParseError::NoError || !doc.isObject())
        return fallisci(QStringLiteral("Il file del personaggio non è un oggetto JSON valido."));
    const QJsonObject o = doc.object();

    AspettoPersonaggio a = PersonaggioPredefinito();
    a.nome = o.value(u"nome").toString(a.nome);
    a.titolo = o.value(u"titolo").toString();
    a.larghezza = std::clamp(o.value(u"larghezza").toInt(a.larghezza), 40, 600);
    a.altezza = std::clamp(o.value(u"altezza").toInt(a.altezza), 40, 800);
    a.battitoCigliaMs =
        std::clamp(o.value(u"battito_ciglia_ms").toInt(a.battitoCigliaMs), 500, 60000);
    a.barba = o.value(u"barba").toBool(a.barba);

    auto scelta = [&](QStringView chiave, const QString& attuale,
                      std::initializer_list<QStringView> ammessi, QString* esito) {
        const QString v = o.value(chiave).toString(attuale);
        for (QStringView m : ammessi) {
            if (v == m) {
                *esito = v;
                return true;
            }
        }
        return false;
    };
    if (!scelta(u"cappello", a.cappello, {u"punta", u"tesa", u"nessuno"}, &a.cappello))
        return fallisci(QStringLiteral("Cappello sconosciuto nel file del personaggio."));
    if (!scelta(u"capelli", a.capelli, {u"corti", u"coda", u"nessuno"}, &a.capelli))
        return fallisci(QStringLiteral("Capelli sconosciuti nel file del personaggio."));

    const QJsonObject colori = o.value(u"colori").toObject();
    const std::pair<QStringView, QColor*> campi[] = {{u"veste", &a.veste},
                                                     {u"cappello", &a.coloreCappello},
                                                     {u"pelle", &a.pelle},
                                                     {u"capelli", &a.coloreCapelli},
                                                     {u"occhi", &a.occhi},
                                                     {u"bocca", &a.bocca},
                                                     {u"decorazioni", &a.decorazioni},
                                                     {u"contorno", &a.contorno}};
    for (const auto& [chiave, colore] : campi) {
        if (!colori.contains(chiave))
            continue;
        const QColor c = QColor::fromString(colori.value(chiave).toString());
        if (!c.isValid())
            return fallisci(QStringLiteral("Colore non valido nel file del personaggio: ") +
                            chiave.toString());
        *colore = c;
    }
    return a;
}

AspettoPersonaggio CaricaPersonaggio(const QString& nome, const QString& cartella) {
    const QString c = Cartella(cartella);
    if (!c.isEmpty()) {
        for (const QString& n : {nome, PersonaggioPredefinitoNome}) {
            if (!NomeSicuro(n))
                continue;
            const QString file = Percorsi::NomeNellaCartella(c, n + QStringLiteral(".json"));
            if (auto a = DaFile(c + file)) {
                a->nome = n; // the name the profile knows it by
                if (a->titolo.isEmpty())
                    a->titolo = n;
                return *a;
            }
        }
    }
    return PersonaggioPredefinito();
}

QStringList ElencoPersonaggi(const QString& cartella) {
    QStringList nomi;
    const QString c = Cartella(cartella);
    if (!c.isEmpty()) {
        const auto voci =
            QDir(c).entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        for (const QFileInfo& f : voci) {
            if (NomeSicuro(f.completeBaseName()))
                nomi.append(f.completeBaseName());
        }
    }
    nomi.removeAll(PersonaggioPredefinitoNome);
    nomi.prepend(PersonaggioPredefinitoNome);
    return nomi;
}

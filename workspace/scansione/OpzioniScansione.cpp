#include "workspace/scansione/OpzioniScansione.h"

#include <QFileInfo>
#include <QSettings>

#include <optional>

namespace {

const QString Estensione = QStringLiteral(".opzioni.ini");

const QString ChiaveLeggi = QStringLiteral("Scansione/LeggiEvidenziato");
const QString ChiaveAccettazione = QStringLiteral("Scansione/TempoAccettazioneDecimi");
const QString ChiaveGiri = QStringLiteral("Scansione/GiriPrimaDellaPausa");
const QString ChiaveSpessa = QStringLiteral("Scansione/EvidenziazioneSpessa");

std::optional<int> Intero(const QSettings& s, const QString& chiave, int massimo) {
    if (!s.contains(chiave))
        return 0;
    bool ok = false;
    const int v = s.value(chiave).toString().trimmed().toInt(&ok);
    if (!ok || v < 0 || v > massimo)
        return std::nullopt;
    return v;
}

std::optional<bool> Booleano(const QSettings& s, const QString& chiave) {
    if (!s.contains(chiave))
        return false;
    const QString v = s.value(chiave).toString().trimmed().toLower();
    if (v == u"true" || v == u"1")
        return true;
    if (v == u"false" || v == u"0")
        return false;
    return std::nullopt;
}

} // namespace

QString FileOpzioni(const QString& fileProfilo) {
    QString base = fileProfilo;
    if (base.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive))
        base.chop(4);
    return base + Estensione;
}

bool EFileOpzioni(const QString& nomeFile) {
    return nomeFile.endsWith(Estensione, Qt::CaseInsensitive);
}

QByteArray ScriviOpzioniScansione(const OpzioniScansione& o) {
    const auto flag = [](bool b) {
        return b ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
    };
    QByteArray out = QByteArrayLiteral("[Scansione]\n");
    out += "LeggiEvidenziato=" + flag(o.leggiEvidenziato) + '\n';
    out += "TempoAccettazioneDecimi=" + QByteArray::number(o.accettazioneDecimi) + '\n';
    out += "GiriPrimaDellaPausa=" + QByteArray::number(o.giriPrimaDellaPausa) + '\n';
    out += "EvidenziazioneSpessa=" + flag(o.evidenziazioneSpessa) + '\n';
    return out;
}

OpzioniScansione LeggiOpzioniScansione(const QString& percorso) {
    if (percorso.isEmpty() || !QFileInfo(percorso).isFile())
        return {};
    QSettings s(percorso, QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return {};
    const auto leggi = Booleano(s, ChiaveLeggi);
    const auto accettazione = Intero(s, ChiaveAccettazione, AccettazioneDecimiMassima);
    const auto giri = Intero(s, ChiaveGiri, GiriPrimaDellaPausaMassimi);
    const auto spessa = Booleano(s, ChiaveSpessa);
    if (!leggi || !accettazione || !giri || !spessa)
        return {};
    OpzioniScansione o;
    o.leggiEvidenziato = *leggi;
    o.accettazioneDecimi = *accettazione;
    o.giriPrimaDellaPausa = *giri;
    o.evidenziazioneSpessa = *spessa;
    return o;
}

QString StileEvidenziato(const OpzioniScansione& o) {
    return QStringLiteral("QPushButton { background: #FF0000; color: black; border: %1px solid "
                          "black; }")
        .arg(SpessoreEvidenziazione(o));
}

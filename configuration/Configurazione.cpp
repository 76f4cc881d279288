#include "configuration/Configurazione.h"

#include "catalog/Tavolozza.h"
#include "shell/Profilo.h"

#include <QLocale>

namespace Configurazione {

QStringList RuoliPolitici() {
    return {QStringLiteral("Colore 1"), QStringLiteral("Colore 2"),    QStringLiteral("Colore 3"),
            QStringLiteral("Colore 4"), QStringLiteral("Selezione"),   QStringLiteral("Sfondo"),
            QStringLiteral("Testi"),    QStringLiteral("Sfondo mappa")};
}

QStringList RuoliFisici() {
    return {QStringLiteral("Sfondo mappa"),    QStringLiteral("Testi"),
            QStringLiteral("Fiumi e laghi"),   QStringLiteral("Mari"),
            QStringLiteral("Montagne"),        QStringLiteral("Pianure"),
            QStringLiteral("Deserti - Valli"), QStringLiteral("Ghiacciai"),
            QStringLiteral("Altri paesi"),     QStringLiteral("Indistinto"),
            QStringLiteral("Selezione"),       QStringLiteral("Sfondo ")};
}

bool ImpostaRuoloPolitico(ProfiloUtente& p, int ruolo, int indice) {
    if (!Tavolozza::IndiceValido(indice))
        return false;
    const auto v = qint16(indice);
    switch (ruolo) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
        p.SchemaPolitico[size_t(ruolo)] = v;
        return true;
    case RuoloPoliticoSfondo:
        p.ColoreSfondo = v;
        return true;
    case RuoloPoliticoTesti:
        p.ColoreTesto = v;
        return true;
    case 7:
        p.SchemaPolitico[5] = v;
        return true;
    default:
        return false;
    }
}

int ColoreRuoloPolitico(const ProfiloUtente& p, int ruolo) {
    switch (ruolo) {
    case RuoloPoliticoSfondo:
        return p.ColoreSfondo;
    case RuoloPoliticoTesti:
        return p.ColoreTesto;
    case 7:
        return p.SchemaPolitico[5];
    default:
        return ruolo >= 0 && ruolo <= 4 ? p.SchemaPolitico[size_t(ruolo)] : 0;
    }
}

bool ImpostaRuoloFisico(ProfiloUtente& p, int ruolo, int indice) {
    if (!Tavolozza::IndiceValido(indice) || ruolo < 0 || ruolo >= int(p.SchemaFisico.size()))
        return false;
    p.SchemaFisico[size_t(ruolo)] = qint16(indice);
    return true;
}

QString DidascaliaScansione(int tempoScansione) {
    const QLocale it(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("Velocità scansione: ") + it.toString(tempoScansione / 4.0, 'f', 2) +
           QStringLiteral(" secondi");
}

QString DidascaliaAccettazione(int decimi) {
    const QLocale it(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("Tempo di accettazione: ") + it.toString(decimi / 10.0, 'f', 1) +
           QStringLiteral(" secondi");
}

QString DidascaliaGiri(int giri) {
    return QStringLiteral("Giri prima della pausa: ") +
           (giri <= 0 ? QStringLiteral("mai") : QString::number(giri));
}

QString DidascaliaVelocita(int velocita) {
    return QStringLiteral("Velocità = ") + QString::number(velocita);
}

QString DidascaliaTono(int tono) {
    return QStringLiteral("Tono = ") + QString::number(tono);
}

QString DidascaliaFont(const QString& nome, int dimensione) {
    return QStringLiteral("Font selezionato ") + nome + QStringLiteral(" - ") +
           QString::number(dimensione);
}

QString NomeProprio(const QString& nome) {
    QString out = nome.toLower();
    bool inizio = true;
    for (QChar& c : out) {
        if (inizio && c.isLetter())
            c = c.toUpper();
        inizio = c.isSpace();
    }
    return out;
}

} // namespace Configurazione

#include "results/RegistroEsercizi.h"

#include <QElapsedTimer>

#include <cmath>

int RegistroEsercizi::Apri(const QString& attivita, const QString& area) {
    righe_.append(RigaEsercizio{attivita, area, {}, {}, {}});
    return static_cast<int>(righe_.size());
}

void RegistroEsercizi::Completa(int riga, int esatte, int errate, qint64 secondi) {
    if (riga < 1 || riga > righe_.size())
        return;
    RigaEsercizio& r = righe_[riga - 1];
    r.esatte = TestoNumero(esatte);
    r.errate = TestoNumero(errate);
    r.tempo = TestoNumero(secondi);
}

RigaEsercizio RegistroEsercizi::Riga(int numero) const {
    if (numero < 1 || numero > righe_.size())
        return {};
    return righe_[numero - 1];
}

QString TestoNumero(qint64 n) {
    return (n < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(n < 0 ? -n : n);
}

namespace {
std::optional<qint64> Numero(const QString& cella) {
    bool ok = false;
    const qint64 n = cella.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}
} // namespace

QString Percentuale(const QString& esatte, const QString& errate) {
    const auto e = Numero(esatte);
    const auto w = Numero(errate);
    if (!e || !w || *e + *w == 0)
        return PercentualeAssente;
    const double p = double(*e) / double(*e + *w) * 100.0;
    // Through 15 significant digits and back: 57 / 100 * 100 is 57, not 56.99999...
    const double arrotondato = QString::number(p, 'g', 15).toDouble();
    return QString::number(static_cast<qint64>(std::floor(arrotondato))) + u'%';
}

// --- EsercizioInCorso ------------------------------------------------------------------------

namespace {
EsercizioInCorso::Orologio& orologio() {
    static EsercizioInCorso::Orologio o;
    return o;
}
} // namespace

void EsercizioInCorso::ImpostaOrologio(Orologio o) {
    orologio() = std::move(o);
}

qint64 EsercizioInCorso::Adesso() {
    if (const Orologio& o = orologio())
        return o();
    static QElapsedTimer avvio = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return avvio.elapsed();
}

void EsercizioInCorso::Inizia(RegistroEsercizi& registro, const QString& attivita,
                              const QString& area) {
    riga_ = registro.Apri(attivita, area);
    inizio_ = Adesso();
}

void EsercizioInCorso::Chiudi(RegistroEsercizi& registro, int esatte, int errate) {
    if (riga_ <= 0)
        return;
    const qint64 secondi = std::max<qint64>(0, (Adesso() - inizio_) / 1000);
    registro.Completa(riga_, esatte, errate, secondi);
    riga_ = 0;
}

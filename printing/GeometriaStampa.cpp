#include "printing/GeometriaStampa.h"

#include <algorithm>
#include <cmath>
#include <optional>

int ArrotondaPari(double valore) {
    if (!std::isfinite(valore))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(valore, -2.0e9, 2.0e9)));
}

int GeometriaStampa::Limita(int v, int minimo, int massimo) {
    return std::clamp(v, minimo, massimo);
}

namespace {

// The number a box holds; texts too long for a number count as very large.
std::optional<qint64> Numero(const QString& testo) {
    bool ok = false;
    const qint64 n = testo.toLongLong(&ok);
    if (ok)
        return n;
    QString cifre = testo;
    const bool negativo = cifre.startsWith(u'-');
    if (negativo)
        cifre.remove(0, 1);
    if (cifre.isEmpty() ||
        !std::all_of(cifre.begin(), cifre.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    return negativo ? -1'000'000'000'000LL : 1'000'000'000'000LL;
}

QString Limitato(const QString& testo, qint64 minimo, qint64 massimo) {
    const auto n = Numero(testo);
    if (!n)
        return testo;
    if (*n < minimo)
        return QString::number(minimo);
    if (*n > massimo)
        return QString::number(massimo);
    return testo;
}

} // namespace

QString GeometriaStampa::LimitaDimensione(const QString& testo) {
    if (testo.isEmpty())
        return testo;
    return Limitato(testo, DimensioneMinima, DimensioneMassima);
}

QString GeometriaStampa::LimitaMargine(const QString& testo) {
    if (testo.isEmpty() || testo == QStringLiteral("-"))
        return testo;
    return Limitato(testo, MargineMinimo, MargineMassimo);
}

bool GeometriaStampa::CarattereMargine(QChar c, const QString& testo, int posizione,
                                       int selezionato) {
    if (c.isDigit())
        return true;
    if (c != u'-')
        return false;
    if (selezionato > 0 && selezionato >= testo.size())
        return true;
    return posizione == 0 && !testo.startsWith(u'-');
}

QSize GeometriaStampa::AdattaNelQuadrato(double proporzione, int lato) {
    lato = Limita(lato, DimensioneMinima, DimensioneMassima);
    if (!(proporzione > 0) || !std::isfinite(proporzione))
        return {lato, lato};
    if (proporzione >= 1)
        return {lato, std::max(1, ArrotondaPari(lato / proporzione))};
    return {std::max(1, ArrotondaPari(lato * proporzione)), lato};
}

void GeometriaStampa::ImpostaFoglio(int larghezza, int altezza) {
    larghezzaFoglio_ = std::max(1, larghezza);
    altezzaFoglio_ = std::max(1, altezza);
}

void GeometriaStampa::Inizia(int x, int y, int larghezza, int altezza) {
    x_ = Limita(x, MargineMinimo, MargineMassimo);
    y_ = Limita(y, MargineMinimo, MargineMassimo);
    larghezza_ = Limita(larghezza, DimensioneMinima, DimensioneMassima);
    altezza_ = Limita(altezza, DimensioneMinima, DimensioneMassima);
    proporzione_ = static_cast<double>(larghezza_) / altezza_;
}

void GeometriaStampa::ImpostaLarghezza(int larghezza) {
    larghezza_ = Limita(larghezza, DimensioneMinima, DimensioneMassima);
    if (mantieni_)
        altezza_ =
            Limita(ArrotondaPari(larghezza_ / proporzione_), DimensioneMinima, DimensioneMassima);
}

void GeometriaStampa::ImpostaAltezza(int altezza) {
    altezza_ = Limita(altezza, DimensioneMinima, DimensioneMassima);
    if (mantieni_)
        larghezza_ =
            Limita(ArrotondaPari(proporzione_ * altezza_), DimensioneMinima, DimensioneMassima);
}

void GeometriaStampa::ImpostaX(int x) {
    x_ = Limita(x, MargineMinimo, MargineMassimo);
}

void GeometriaStampa::ImpostaY(int y) {
    y_ = Limita(y, MargineMinimo, MargineMassimo);
}

void GeometriaStampa::ImpostaMantieniProporzioni(bool mantieni) {
    mantieni_ = mantieni;
    if (mantieni_)
        ImpostaLarghezza(larghezza_);
}

void GeometriaStampa::ImpostaAlCentro(bool centro) {
    centro_ = centro;
    Centra();
}

void GeometriaStampa::Centra() {
    if (!centro_)
        return;
    x_ =
        Limita(ArrotondaPari((larghezzaFoglio_ - larghezza_) / 2.0), MargineMinimo, MargineMassimo);
    y_ = Limita(ArrotondaPari((altezzaFoglio_ - altezza_) / 2.0), MargineMinimo, MargineMassimo);
}

void GeometriaStampa::Massima() {
    if (mantieni_) {
        const double foglio = static_cast<double>(larghezzaFoglio_) / altezzaFoglio_;
        const double area = static_cast<double>(larghezza_) / altezza_;
        if (foglio > area) {
            altezza_ = Limita(altezzaFoglio_, DimensioneMinima, DimensioneMassima);
            larghezza_ =
                Limita(ArrotondaPari(proporzione_ * altezza_), DimensioneMinima, DimensioneMassima);
            y_ = 0;
        } else {
            larghezza_ = Limita(larghezzaFoglio_, DimensioneMinima, DimensioneMassima);
            altezza_ = Limita(ArrotondaPari(larghezza_ / proporzione_), DimensioneMinima,
                              DimensioneMassima);
            x_ = 0;
        }
    } else {
        larghezza_ = Limita(larghezzaFoglio_, DimensioneMinima, DimensioneMassima);
        altezza_ = Limita(altezzaFoglio_, DimensioneMinima, DimensioneMassima);
    }
    if (centro_) {
        Centra();
        return;
    }
    if (x_ + larghezza_ > larghezzaFoglio_)
        x_ = larghezzaFoglio_ - larghezza_;
    if (y_ + altezza_ > altezzaFoglio_)
        y_ = altezzaFoglio_ - altezza_;
}

void GeometriaStampa::AltoSinistra() {
    x_ = 0;
    y_ = 0;
}

QRect GeometriaStampa::RettangoloAnteprima(QSize riquadro) const {
    const double sx = static_cast<double>(riquadro.width()) / larghezzaFoglio_;
    const double sy = static_cast<double>(riquadro.height()) / altezzaFoglio_;
    return {ArrotondaPari(sx * x_), ArrotondaPari(sy * y_), ArrotondaPari(sx * larghezza_),
            ArrotondaPari(sy * altezza_)};
}

bool GeometriaStampa::Eccede() const {
    return x_ + larghezza_ > larghezzaFoglio_ || y_ + altezza_ > altezzaFoglio_;
}

QRect GeometriaStampa::Riscalata() const {
    double x = x_, y = y_, w = larghezza_, h = altezza_;
    if (x + w > larghezzaFoglio_) {
        const double f = larghezzaFoglio_ / (x + w);
        x = ArrotondaPari(x * f);
        y = ArrotondaPari(y * f);
        w = ArrotondaPari(w * f);
        h = ArrotondaPari(h * f);
    }
    if (y + h > altezzaFoglio_) {
        const double f = altezzaFoglio_ / (y + h);
        x = ArrotondaPari(x * f);
        y = ArrotondaPari(y * f);
        w = ArrotondaPari(w * f);
        h = ArrotondaPari(h * f);
    }
    return {static_cast<int>(x), static_cast<int>(y), std::max(1, static_cast<int>(w)),
            std::max(1, static_cast<int>(h))};
}

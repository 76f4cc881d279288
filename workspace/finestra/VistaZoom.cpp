#include "workspace/finestra/VistaZoom.h"

#include <algorithm>
#include <cmath>

namespace VistaZoom {

std::optional<QSizeF> Ingrandisci(QSizeF mappa, QSizeF viewport) {
    const QSizeF nuova = mappa * FattoreIngrandimento;
    if (nuova.width() - viewport.width() > MassimoScorrimento ||
        nuova.height() - viewport.height() > MassimoScorrimento)
        return std::nullopt;
    return nuova;
}

std::optional<QSizeF> Riduci(QSizeF mappa, QSizeF viewport) {
    const QSizeF nuova = mappa * FattoreRiduzione;
    const int meta = static_cast<int>(viewport.height()) / 2;
    if (nuova.height() < meta)
        return std::nullopt;
    return nuova;
}

Barra CalcolaBarra(double mappa, double viewport) {
    Barra b;
    const double eccesso = std::round(mappa) - std::round(viewport);
    b.visibile = eccesso > 0;
    b.massimo = static_cast<int>(std::clamp(eccesso, 0.0, double(MassimoScorrimento)));
    b.passo = b.massimo / 50;
    b.pagina = b.massimo / 10;
    return b;
}

int FrecciaIndietro(int valore, const Barra& barra) {
    if (barra.pagina > 0 && valore >= barra.pagina)
        return valore - barra.pagina;
    return valore;
}

int FrecciaAvanti(int valore, const Barra& barra) {
    if (barra.pagina > 0 && barra.massimo - barra.pagina >= valore)
        return valore + barra.pagina;
    return valore;
}

} // namespace VistaZoom

#include "workspace/scansione/CicloScansione.h"

CicloScansione::CicloScansione(int ultimo, Ripristino ripristino, std::function<bool(int)> salta)
    : ultimo_(ultimo < -1 ? -1 : ultimo), ripristino_(ripristino), salta_(std::move(salta)) {}

void CicloScansione::ImpostaUltimo(int ultimo) {
    ultimo_ = ultimo < -1 ? -1 : ultimo;
    if (indice_ > ultimo_)
        indice_ = -1;
}

void CicloScansione::ImpostaIndice(int indice) {
    indice_ = (indice >= 0 && indice <= ultimo_) ? indice : -1;
}

CicloScansione::Passo CicloScansione::Avanza() {
    Passo p;
    if (ultimo_ < 0)
        return p;
    const int vecchio = indice_;
    if (vecchio >= 0)
        p.daRipristinare = vecchio;
    else if (ripristino_ == Ripristino::Precedente)
        p.daRipristinare = ultimo_;

    // At most one full turn: a catalog where every element is skipped ends with nothing
    // highlighted instead of searching forever.
    int i = vecchio;
    for (int giri = 0; giri <= ultimo_; ++giri) {
        i = (i >= ultimo_ || i < 0) ? 0 : i + 1;
        if (!salta_ || !salta_(i)) {
            indice_ = i;
            p.evidenziato = i;
            return p;
        }
    }
    indice_ = -1;
    return p;
}

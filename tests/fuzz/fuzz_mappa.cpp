// The map files: any bytes give a map or an Italian message, never undefined behaviour; a map
// that loads has finite geometry inside the allowed range and a consistent name index.

#include "tests/fuzz/Verifica.h"
#include "workspace/mappa/ModelloMappa.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

bool finito(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const RisultatoMappa r = LeggiMappaGeoJson(
        QByteArrayView(reinterpret_cast<const char*>(dati), qsizetype(n)), QStringLiteral("f"));
    if (!r.dati) {
        VERIFICA(!r.errore.isEmpty());
        return 0;
    }
    const DatiMappa& d = *r.dati;
    VERIFICA(finito(d.limiti) && d.limiti.width() > 0 && d.limiti.height() > 0);
    for (const ElementoMappa& e : d.elementi) {
        VERIFICA(!e.parti.isEmpty());
        VERIFICA(std::isfinite(e.superficie));
        for (const QPolygonF& p : e.parti)
            for (const QPointF& q : p)
                VERIFICA(std::abs(q.x()) <= 1e9 && std::abs(q.y()) <= 1e9);
        for (qsizetype i : e.poligoni)
            VERIFICA(i >= 0 && i < e.parti.size());
    }
    for (auto it = d.perNome.cbegin(); it != d.perNome.cend(); ++it)
        for (int i : it.value())
            VERIFICA(i >= 0 && i < d.elementi.size());
    for (const RuoloFisicoElemento& ruolo : RuoliFisici(d))
        VERIFICA(ruolo.ruolo >= 0 && ruolo.ruolo < 12);
    return 0;
}

// The sentence splitter on any text, with both sets of separators and from any position: each
// sentence moves forward, its bookmarks are in order and name words inside the text.

#include "tests/fuzz/Verifica.h"
#include "workspace/testi/Leggo.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    if (n < 2)
        return 0;
    const auto separatori =
        dati[0] & 1 ? Leggo::Separatori::ConACapo : Leggo::Separatori::SpazioEPunto;
    const QString testo =
        QString::fromUtf8(reinterpret_cast<const char*>(dati + 2), qsizetype(n - 2));
    int posizione = dati[1] % (testo.size() + 1);
    int frasi = 0;
    while (auto f = Leggo::ProssimaFrase(testo, posizione, QString(), separatori)) {
        VERIFICA(++frasi <= testo.size() + 1);
        VERIFICA(f->posizioneFinale > posizione && f->posizioneFinale <= testo.size());
        int ultimo = posizione;
        for (const SegnalibroFrase& s : f->segnalibri) {
            VERIFICA(s.numero > ultimo && s.numero <= testo.size() + 1);
            VERIFICA(s.parola.inizio >= 0 && s.parola.inizio <= s.parola.fine &&
                     s.parola.fine <= testo.size());
            ultimo = s.numero;
        }
        posizione = f->posizioneFinale;
    }
    return 0;
}

// The RTF reader: any bytes give a document (at least one paragraph, adjacent runs
// of different formats); the reading of its text then walks every sentence to the end.

#include "tests/fuzz/Verifica.h"
#include "workspace/testi/LettoreRtf.h"
#include "workspace/testi/LetturaTesto.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const DocumentoRtf d =
        LettoreRtf::Leggi(QByteArrayView(reinterpret_cast<const char*>(dati), qsizetype(n)));
    VERIFICA(!d.paragrafi.isEmpty());
    for (const ParagrafoRtf& p : d.paragrafi)
        for (qsizetype i = 1; i < p.segmenti.size(); ++i)
            VERIFICA(!(p.segmenti[i].formato == p.segmenti[i - 1].formato));
    const QString testo = d.TestoSemplice();

    // Read aloud from start to end, every bookmark reached: it ends, and every painted range lies
    // in the text.
    LetturaTesto lettura;
    lettura.ImpostaTesto(testo);
    auto frase = lettura.Leggi();
    int richiesta = 0, frasi = 0;
    while (frase) {
        VERIFICA(++frasi <= testo.size() + 1);
        lettura.RegistraRichiesta(++richiesta);
        for (const SegnalibroFrase& s : frase->segnalibri) {
            const auto e = lettura.Segnalibro(s.numero);
            VERIFICA(e.rossa.inizio >= 0 && e.rossa.fine <= testo.size());
        }
        const auto fatto = lettura.RichiestaCompletata(richiesta);
        VERIFICA(fatto.normale.inizio >= 0 && fatto.normale.fine <= testo.size());
        frase = fatto.prossima;
    }
    return 0;
}

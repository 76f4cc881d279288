// The exercise log's results files (".rpt"): any bytes give a table or nothing; a table that
// loads writes and loads back to the same values, and a file the program wrote loads unchanged.

#include "results/FileRisultati.h"
#include "tests/fuzz/Verifica.h"

#include <cstddef>
#include <cstdint>

namespace {

// One value per line: a carriage return inside a value is written as a blank (documented).
bool scrivibile(const TabellaRisultati& t) {
    if (t.nota.contains(u'\r'))
        return false;
    for (const auto& riga : t.righe)
        for (const QString& cella : riga)
            if (cella.contains(u'\r'))
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), qsizetype(n));
    const auto letta = FileRisultati::Leggi(byte);
    if (!letta)
        return 0;
    const QByteArray scritto =
        FileRisultati::Scrivi(*letta, QStringLiteral("intestazione"), QStringLiteral("utente"));
    const auto riletta = FileRisultati::Leggi(scritto);
    VERIFICA(riletta.has_value());
    VERIFICA(riletta->righe.size() == letta->righe.size());
    if (scrivibile(*letta)) {
        VERIFICA(*riletta == *letta);
        VERIFICA(FileRisultati::Scrivi(*riletta, QStringLiteral("intestazione"),
                                       QStringLiteral("utente")) == scritto);
    }
    return 0;
}

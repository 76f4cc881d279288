// The profile file: any bytes load or give the defaults; what loads writes and loads again to the
// same values, and a file the program wrote loads unchanged.

#include "shell/Profilo.h"
#include "tests/fuzz/Verifica.h"

#include <cstddef>
#include <cstdint>

namespace {

// What the writer can put back: text values are written without quotes, so a comma, a leading
// blank or quote, trailing blanks or a line break inside one do not survive (documented).
bool testoScrivibile(const QString& t) {
    if (t.contains(u',') || t.contains(u'\r') || t.contains(u'\n'))
        return false;
    if (!t.isEmpty() &&
        (t.front() == u' ' || t.front() == u'\t' || t.front() == u'"' || t.back() == u' '))
        return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const auto letto =
        LeggiProfilo(QByteArrayView(reinterpret_cast<const char*>(dati), qsizetype(n)));
    if (!letto)
        return 0;
    VERIFICA(letto->NomeFont.size() <= 255 && letto->ModoVoce.size() <= 255 &&
             letto->Personaggio.size() <= 255);
    const QByteArray scritto = ScriviProfilo(*letto);
    const auto riletto = LeggiProfilo(scritto);
    // A text value the unquoted format cannot hold shifts the values after it (documented): such
    // a file need only read without harm.
    if (!testoScrivibile(letto->NomeFont) || !testoScrivibile(letto->ModoVoce) ||
        !testoScrivibile(letto->Personaggio))
        return 0;
    VERIFICA(riletto.has_value());
    VERIFICA(*riletto == *letto);
    // A file the program wrote loads unchanged.
    VERIFICA(ScriviProfilo(*riletto) == scritto);
    return 0;
}

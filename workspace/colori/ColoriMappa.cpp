#include "workspace/colori/ColoriMappa.h"

#include "catalog/Tavolozza.h"

#include <algorithm>

namespace {

bool ColoreValido(const QString& c) {
    if (c.size() != 6)
        return false;
    for (QChar ch : c)
        if (!ch.isDigit() && !(ch.toUpper() >= u'A' && ch.toUpper() <= u'F'))
            return false;
    return true;
}

int VoceSchema(const ProfiloUtente& p, int ruolo) {
    return ruolo >= 0 && ruolo < int(p.SchemaFisico.size()) ? p.SchemaFisico[ruolo] : 0;
}

} // namespace

RigheFisiche RigheDi(const CatalogoFisico& c) {
    const int righe =
        std::clamp<int>(c.NumeroElementiFisici + 1, 0, CatalogoFisico::MassimoElementi);
    return RigheFisiche(c.ElencoFisico.data(), std::size_t(righe));
}

QString ColoreClasse(const ProfiloUtente& p, int classe) {
    if (classe < 0 || classe >= int(p.SchemaPolitico.size()))
        classe = 0;
    return Tavolozza::Esadecimale(p.SchemaPolitico[classe]);
}

PassataColori ColoriSceltaRegione(const CatalogoArea& c, const ProfiloUtente& p) {
    PassataColori out;
    const int ultimo = std::min<int>(c.NumeroElementi, CatalogoArea::MassimoElementi - 1);
    out.reserve(ultimo + 2);
    for (int i = 0; i <= ultimo; ++i)
        out.append(ColoreElemento{c.ElencoNomi[i], ColoreClasse(p, c.ClasseColore[i])});
    return out;
}

PassataColori ColoriPolitici(const CatalogoArea& c, const ProfiloUtente& p) {
    PassataColori out = ColoriSceltaRegione(c, p);
    // Borders are drawn in the background colour.
    out.append(ColoreElemento{QStringLiteral("Confini"), Tavolozza::Esadecimale(p.ColoreSfondo)});
    return out;
}

PassataColori ColoriProvince(const QList<VoceCatalogo>& province, const ProfiloUtente& p) {
    PassataColori out;
    out.reserve(province.size());
    for (const VoceCatalogo& v : province)
        if (!v.nome.isEmpty())
            out.append(ColoreElemento{v.nome, ColoreClasse(p, v.classe)});
    return out;
}

PassataColori ColoriFisici(RigheFisiche righe) {
    PassataColori out;
    out.reserve(righe.size());
    for (const auto& r : righe)
        if (!r[0].isEmpty() && ColoreValido(r[2]))
            out.append(ColoreElemento{r[0], r[2].toUpper()});
    return out;
}

ColoriFinestra ColoriFinestraPolitica(const ProfiloUtente& p) {
    ColoriFinestra c;
    c.finestra = Tavolozza::Rgb(p.ColoreSfondo);
    c.sfondoNome = c.finestra;
    c.testoNome = Tavolozza::Rgb(p.ColoreTesto);
    c.sfondoMappa = Tavolozza::Esadecimale(p.ColoreSfondo);
    c.cornice = c.finestra;
    c.evidenziazione = ColoreClasse(p, 4);
    return c;
}

ColoriFinestra ColoriFinestraFisica(const ProfiloUtente& p) {
    ColoriFinestra c;
    c.finestra = Tavolozza::Rgb(VoceSchema(p, 11));
    c.sfondoNome = c.finestra;
    c.testoNome = Tavolozza::Rgb(VoceSchema(p, 1));
    c.sfondoMappa = Tavolozza::Esadecimale(VoceSchema(p, 0));
    c.cornice = c.finestra;
    c.evidenziazione = Tavolozza::Esadecimale(VoceSchema(p, 10));
    return c;
}

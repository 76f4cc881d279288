#include "workspace/colori/FiltroCategorie.h"

namespace {

struct Definizione {
    CategoriaFiltro categoria;
    const char16_t* menu;
    const char16_t* scorciatoia;
    int fotogramma;
    const char16_t* parola; // category word counted; nullptr: every feature but "indistinto"
};

constexpr Definizione Definizioni[] = {
    {CategoriaFiltro::Tutto, u"mnuTutto", u"", 0, nullptr},
    {CategoriaFiltro::Monti, u"mnuMonti", u"Ctrl+M", 1, u"monte"},
    {CategoriaFiltro::Pianure, u"mnuPianure", u"Ctrl+E", 2, u"pianura"},
    {CategoriaFiltro::Deserti, u"mnuDeserti", u"Ctrl+D", 3, u"deserto"},
    {CategoriaFiltro::FiumiLaghi, u"mnuFiumiLaghi", u"Ctrl+F", 4, u"fiume"},
    {CategoriaFiltro::Ghiacciai, u"mnuGhiacciai", u"Ctrl+G", 5, u"ghiacciaio"},
    {CategoriaFiltro::Mari, u"mnuBarrieraCorallina", u"Ctrl+C", 6, u"mare"},
    {CategoriaFiltro::Altri, u"mnuAltri", u"Ctrl+J", 7, u"altri"},
};

const Definizione& DefinizioneDi(CategoriaFiltro c) {
    for (const Definizione& d : Definizioni)
        if (d.categoria == c)
            return d;
    return Definizioni[0];
}

bool InElenco(const QString& regione, std::initializer_list<const char16_t*> elenco) {
    for (const char16_t* r : elenco)
        if (regione == QStringView(r))
            return true;
    return false;
}

} // namespace

int FiltroCategorie::Fotogramma(CategoriaFiltro categoria) {
    return DefinizioneDi(categoria).fotogramma;
}

QString FiltroCategorie::Parola(CategoriaFiltro categoria) {
    const Definizione& d = DefinizioneDi(categoria);
    return d.parola ? QString::fromUtf16(d.parola) : QString();
}

int FiltroCategorie::Conta(RigheFisiche righe, CategoriaFiltro categoria) {
    const Definizione& d = DefinizioneDi(categoria);
    int n = 0;
    for (const auto& r : righe) {
        if (d.parola ? r[1] == QStringView(d.parola) : r[1] != u"indistinto")
            ++n;
    }
    return n;
}

QString FiltroCategorie::Didascalia(CategoriaFiltro categoria, const QString& area,
                                    const QString& regione) {
    const bool perRegione = !regione.isEmpty();
    switch (categoria) {
    case CategoriaFiltro::Tutto:
        return QStringLiteral("Tutto");
    case CategoriaFiltro::Monti:
        return QStringLiteral("Monti");
    case CategoriaFiltro::Pianure:
        return QStringLiteral("Pianure");
    case CategoriaFiltro::Deserti:
        if (!perRegione)
            return QStringLiteral("Deserti");
        if (InElenco(regione, {u"Basilicata", u"Umbria", u"Piemonte", u"Marche", u"Molise",
                               u"Abruzzo", u"Lombardia", u"Toscana"}))
            return QStringLiteral("Colline");
        return QStringLiteral("Valli");
    case CategoriaFiltro::FiumiLaghi:
        return QStringLiteral("Fiumi e Laghi");
    case CategoriaFiltro::Ghiacciai:
        return QStringLiteral("Ghiacciai");
    case CategoriaFiltro::Mari:
        if (!perRegione && area.toLower() == u"australia")
            return QStringLiteral("Barriera Corallina");
        return QStringLiteral("Mari");
    case CategoriaFiltro::Altri:
        if (InElenco(regione,
                     {u"Toscana", u"Lazio", u"Sicilia", u"Sardegna", u"Campania", u"Puglia"}))
            return QStringLiteral("Isole");
        return QStringLiteral("Altri");
    }
    return {};
}

FiltroCategorie::FiltroCategorie(RigheFisiche righe, const QString& area, const QString& regione) {
    const bool perRegione = !regione.isEmpty();
    for (const Definizione& d : Definizioni) {
        if (d.categoria == CategoriaFiltro::Altri && !perRegione)
            continue;
        VoceFiltro v;
        v.categoria = d.categoria;
        v.menu = QString::fromUtf16(d.menu);
        v.didascalia = Didascalia(d.categoria, area, regione);
        v.scorciatoia = QString::fromUtf16(d.scorciatoia);
        v.fotogramma = d.fotogramma;
        v.elementi = Conta(righe, d.categoria);
        v.visibile = d.categoria == CategoriaFiltro::Tutto || v.elementi > 0;
        voci_.append(v);
    }
    Scegli(CategoriaFiltro::Tutto);
}

const VoceFiltro* FiltroCategorie::Voce(CategoriaFiltro categoria) const {
    for (const VoceFiltro& v : voci_)
        if (v.categoria == categoria)
            return &v;
    return nullptr;
}

int FiltroCategorie::Scegli(CategoriaFiltro categoria) {
    const VoceFiltro* v = Voce(categoria);
    if (!v) // "Altri" outside a region window: the whole map
        v = Voce(CategoriaFiltro::Tutto);
    spuntata_ = v->categoria;
    elementiCategoria_ = v->elementi;
    return v->fotogramma;
}

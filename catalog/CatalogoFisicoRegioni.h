#pragma once

#include "catalog/CatalogoFisico.h"

#include <QString>
#include <QStringList>

#include <span>

// The physical tables of Italy's twenty regions: each region's rivers and lakes ("fiume"), seas,
// gulfs and straits ("mare"), ranges, massifs and peaks ("monte"), plains ("pianura"), valleys
// and hill country ("deserto"), islands ("altri"), ending with "Indistinto". The names are the
// element names of data/mappe/regioniitaliane/<region>_fisica.geojson.

// Loads the table of a region, named exactly as in the regions table of the area catalog
// ("Valle d'Aosta", "Trentino Alto Adige", ...). Returns false, and leaves the catalog as it
// was, for any other name (including "tutte").
bool CaricaFisicoRegione(CatalogoFisico& c, const QString& regione);

// The constant table of a region without touching any catalog (for tools and checks); empty
// for a name that is not a region.
std::span<const VoceFisica> TabellaFisicaRegione(const QString& regione);

// The regions that have a physical table, in the order of the regions table.
QStringList RegioniConTabellaFisica();

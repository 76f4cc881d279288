#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The political catalog of the area the pupil chose, and the provinces of Italy.
// Every count is the highest index in use (the element count minus one); consumers loop
// from 0 to it inclusive. A load overwrites the rows it writes and clears nothing else.
struct CatalogoArea {
    static constexpr int MassimoElementi = 101; // indices 0..100
    static constexpr int MassimoProvince = 151; // rows 0..150

    std::array<QString, MassimoElementi> ElencoNomi;
    std::array<qint16, MassimoElementi> ClasseColore{};
    qint16 NumeroElementi = -1;

    // Column 0: "Provincia di Torino"; column 1: its region, spelled as in the Italy table.
    std::array<std::array<QString, 2>, MassimoProvince> ElencoProvince;
    std::array<qint16, MassimoProvince> ClasseProvincia{};
    qint16 NumeroProvince = -1;
};

void CaricaRegioniItalia(CatalogoArea& c);
void CaricaNazioniEuropa(CatalogoArea& c);
void CaricaNazioniAfrica(CatalogoArea& c);
void CaricaNazioniAsia(CatalogoArea& c);
void CaricaNazioniAmericacs(CatalogoArea& c);
void CaricaNazioniSudamerica(CatalogoArea& c);
void CaricaNazioniOceania(CatalogoArea& c);
void CaricaProvince(CatalogoArea& c);

// The seven area keys, in the order of the area menu's tiles.
const QStringList& ChiaviAree();
// The position of an area key in ChiaviAree() (Italia 0 ... Australia 6); -1 for any other text.
int IndiceArea(const QString& area);

// Runs the political loader of an area key ("Italia", "Europa", ...). Returns false, and
// leaves the catalog unchanged, for an unknown key.
bool CaricaCatalogoPolitico(CatalogoArea& c, const QString& area);

// The names and classes of an area's table without touching any catalog (for tools and checks).
struct VoceCatalogo {
    QString nome;
    int classe = 0;
};
QList<VoceCatalogo> TabellaPolitica(const QString& area);

// The provinces of one region, in table order, with their classes.
QList<VoceCatalogo> ProvinceDellaRegione(const QString& regione);

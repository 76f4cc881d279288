#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <span>

struct ProfiloUtente;

// The eight category words of the physical tables.
namespace CategoriaFisica {
inline constexpr char16_t Fiume[] = u"fiume";
inline constexpr char16_t Mare[] = u"mare";
inline constexpr char16_t Monte[] = u"monte";
inline constexpr char16_t Pianura[] = u"pianura";
inline constexpr char16_t Deserto[] = u"deserto";
inline constexpr char16_t Ghiacciaio[] = u"ghiacciaio";
inline constexpr char16_t Altri[] = u"altri";
inline constexpr char16_t Indistinto[] = u"indistinto";
} // namespace CategoriaFisica

// One row of a constant physical table: the feature's name, exactly as its map element is
// named, and its category word ("fiume", "mare", "monte", "pianura", "deserto", "ghiacciaio",
// "altri", "indistinto").
struct VoceFisica {
    const char16_t* nome;
    const char16_t* categoria;
};

// The physical catalog: one table at a time. Column 0 is the name, column 1 the category word,
// column 2 the colour as "RRGGBB" (written by TrovaColoriFisiche). NumeroElementiFisici is the
// highest row in use (-1 before any load); consumers loop from 0 to it inclusive. A load writes
// columns 0 and 1 of the rows it covers and clears nothing else.
struct CatalogoFisico {
    static constexpr int MassimoElementi = 101; // rows 0..100
    static constexpr int ColonnaNome = 0;
    static constexpr int ColonnaCategoria = 1;
    static constexpr int ColonnaColore = 2;

    std::array<std::array<QString, 3>, MassimoElementi> ElencoFisico;
    qint16 NumeroElementiFisici = -1;
};

// Copies a table into the catalog from row 0, in table order. Rows past index 100 are not
// written; NumeroElementiFisici ends at the last row written. An empty table leaves the
// catalog as it was.
void CaricaFisico(CatalogoFisico& c, std::span<const VoceFisica> tabella);

void CaricaFisicoAfrica(CatalogoFisico& c);
void CaricaFisicoSudamerica(CatalogoFisico& c);
void CaricaFisicoAsia(CatalogoFisico& c);
void CaricaFisicoEuropa(CatalogoFisico& c);
void CaricaFisicoAmericacs(CatalogoFisico& c);
void CaricaFisicoOceania(CatalogoFisico& c);
void CaricaFisicoItalia(CatalogoFisico& c);

// Runs the physical loader of an area key ("Italia", "Europa", "Africa", "Asia", "Americacs",
// "Sudamerica", "Australia"). Returns false, and leaves the catalog unchanged, for any other key.
bool CaricaCatalogoFisico(CatalogoFisico& c, const QString& area);

// The constant table of an area key without touching any catalog (for tools and checks);
// empty for an unknown key.
std::span<const VoceFisica> TabellaFisica(const QString& area);

// The role of a category word in the physical colour scheme (the SchemaFisico index, 2..9), or
// -1 for a word that is not one of the eight. Compared exactly (lower case).
int RuoloCategoriaFisica(QStringView categoria);

// Colours rows 0..NumeroElementiFisici from the profile's physical scheme: a row whose category
// is one of the eight words gets Tavolozza[SchemaFisico[role]] in column 2. Rows with another
// word, and rows whose scheme entry is not a palette index, keep their colour.
void TrovaColoriFisiche(CatalogoFisico& c, const ProfiloUtente& p);

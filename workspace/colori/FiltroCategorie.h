#pragma once

#include "workspace/colori/ColoriMappa.h"

#include <QList>
#include <QString>

#include <array>

// The "&Visualizza" menu of the physical windows: one entry per category of features, each
// showing one frame of the map; entries without features are hidden, "Tutto" is always there.
enum class CategoriaFiltro {
    Tutto,
    Monti,
    Pianure,
    Deserti, // "Deserti", or "Valli"/"Colline" on Italian regions
    FiumiLaghi,
    Ghiacciai,
    Mari,  // "Mari", or "Barriera Corallina" for Oceania
    Altri, // Italian regions only: "Altri" or "Isole"
};

struct VoceFiltro {
    CategoriaFiltro categoria = CategoriaFiltro::Tutto;
    QString menu;        // the menu entry's object name, "mnuMonti"
    QString didascalia;  // "Monti"
    QString scorciatoia; // "Ctrl+M"; empty for "Tutto"
    int fotogramma = 0;  // the map frame that shows the category
    int elementi = 0;    // features of the category (every feature but "indistinto" for "Tutto")
    bool visibile = true;
    bool operator==(const VoceFiltro&) const = default;
};

class FiltroCategorie {
public:
    // righe: the physical catalog rows 0..NumeroElementiFisici. area: AreaScelta. regione: the
    // region of a single-region window, empty for the area windows.
    FiltroCategorie(RigheFisiche righe, const QString& area, const QString& regione = {});

    // The entries in menu order: Tutto, Monti, Pianure, Deserti, Fiumi e Laghi, Ghiacciai, Mari,
    // and Altri in single-region windows.
    const QList<VoceFiltro>& Voci() const { return voci_; }
    const VoceFiltro* Voce(CategoriaFiltro categoria) const;

    // Choosing an entry: it becomes the ticked one. Returns the frame to show; the count is in
    // ElementiCategoria().
    int Scegli(CategoriaFiltro categoria);
    CategoriaFiltro Spuntata() const { return spuntata_; }
    int ElementiCategoria() const { return elementiCategoria_; }

    // Features of the rows that a category counts.
    static int Conta(RigheFisiche righe, CategoriaFiltro categoria);
    static int Fotogramma(CategoriaFiltro categoria);
    // The category word of an entry ("monte" for Monti); empty for "Tutto".
    static QString Parola(CategoriaFiltro categoria);
    // The caption of an entry, which depends on the area and, in single-region windows, on the
    // region.
    static QString Didascalia(CategoriaFiltro categoria, const QString& area,
                              const QString& regione = {});

private:
    QList<VoceFiltro> voci_;
    CategoriaFiltro spuntata_ = CategoriaFiltro::Tutto;
    int elementiCategoria_ = 0;
};

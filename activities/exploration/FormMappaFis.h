#pragma once

#include "activities/exploration/FinestraEsplorazione.h"
#include "catalog/CatalogoFisico.h"
#include "workspace/colori/FiltroCategorie.h"

#include <QHash>

#include <memory>

class MenuVisualizza;

// Free exploration of a physical map: the features of the physical catalog, each in its own
// colour; undistinguished land and borders are not chosen; the "&Visualizza" menu shows one
// category at a time. FormMappaFis shows the area of AreaScelta (all of Italy included).
class FormMappaFis : public FinestraEsplorazione {
    Q_OBJECT
public:
    explicit FormMappaFis(QWidget* parent = nullptr);

    // Choosing an entry of "&Visualizza": the category's frame, the colours sent twice a
    // second apart, the name box emptied.
    void ScegliCategoria(CategoriaFiltro categoria);
    const FiltroCategorie& Filtro() const { return *filtro_; }
    const CatalogoFisico& Catalogo() const { return fisico_; }

protected:
    struct Regionale {};
    FormMappaFis(Regionale, QWidget* parent);

    // Builds the "&Visualizza" menu for the catalog now in fisico_.
    void CostruisciFiltro(const QString& area, const QString& regione);

    QString ChiaveMappa() const override;
    int UltimoElemento() const override { return fisico_.NumeroElementiFisici; }
    QString NomeElemento(int indice) const override;
    QString ColoreProprio(int indice) const override;
    bool SaltaNellaScansione(int indice) const override;
    PassataColori ColoriDellaMappa() const override;
    QString CartellaTesti() const override;
    void ElementoCliccato(const QString& nome) override;
    void PrimaDeiColori() override;

    CatalogoFisico fisico_; // the window's copy, coloured from the profile at every activation
    std::unique_ptr<FiltroCategorie> filtro_;
    MenuVisualizza* menuFiltro_ = nullptr;
};

// One Italian region's physical map (RegioneScelta). Its table is loaded into the window's own
// catalog, so the program's Italy table stays as the activity menu left it. A region without a
// table or a map shows "Questa regione non è ancora stata inserita." and goes back to the region
// chooser.
class FormMappaRegioniFis : public FormMappaFis {
    Q_OBJECT
public:
    explicit FormMappaRegioniFis(QWidget* parent = nullptr);

    void Attivazione() override;
    bool RegionePresente() const { return presente_; }

protected:
    QString ChiaveMappa() const override;

private:
    QString regione_;
    bool presente_ = false;
};

inline const QString MessaggioRegioneMancante =
    QStringLiteral("Questa regione non è ancora stata inserita.");

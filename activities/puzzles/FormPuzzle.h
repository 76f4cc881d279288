#pragma once

#include "activities/puzzles/FinestraPuzzle.h"
#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"

// The four puzzle windows. What sets them apart is data: the pieces, the colours of the empty
// places, the excluded categories and the map.

// The political puzzle of an area (AreaScelta): the elements of the area catalog.
class FormPuzzlePolitico : public FinestraPuzzle {
    Q_OBJECT
public:
    explicit FormPuzzlePolitico(QWidget* parent = nullptr);

protected:
    QString ChiaveMappa() const override;
    QList<PezzoPuzzle> Pezzi() const override;
    ColoriPuzzle ColoriGioco() const override;
};

// The provinces of one Italian region (RegioneScelta; for "tutte" a region drawn at random).
// "&Esci" goes back to the region chooser.
class FormPuzzlePoliticoReg : public FinestraPuzzle {
    Q_OBJECT
public:
    explicit FormPuzzlePoliticoReg(QWidget* parent = nullptr);
    const QString& Regione() const { return regione_; }

protected:
    QString ChiaveMappa() const override;
    QList<PezzoPuzzle> Pezzi() const override;
    ColoriPuzzle ColoriGioco() const override;
    QString FinestraDiRitorno() const override { return Navigazione::SceltaRegione; }

private:
    FormPuzzlePoliticoReg(QString regione, QWidget* parent);
    QString regione_;
    QList<VoceCatalogo> province_;
};

// The physical puzzle of an area: the features of the physical catalog but "indistinto" and the
// islands and borders ("altri").
class FormPuzzleFisico : public FinestraPuzzle {
    Q_OBJECT
public:
    explicit FormPuzzleFisico(QWidget* parent = nullptr);
    const CatalogoFisico& Catalogo() const { return fisico_; }

protected:
    struct Regionale {};
    FormPuzzleFisico(Regionale, const QString& regione, QWidget* parent);

    QString ChiaveMappa() const override;
    QList<PezzoPuzzle> Pezzi() const override;
    QStringList CategorieEscluse() const override;
    ColoriPuzzle ColoriGioco() const override;
    void PrimaDeiColori() override;

    CatalogoFisico fisico_; // the window's copy, coloured from the profile at every activation
    bool altriSonoPezzi_ = false;
};

// One Italian region's physical puzzle; its islands are pieces like the other features. A region
// without a table or a map says so and goes back to the region chooser.
class FormPuzzleFisicoRegioni : public FormPuzzleFisico {
    Q_OBJECT
public:
    explicit FormPuzzleFisicoRegioni(QWidget* parent = nullptr);
    void Attivazione() override;
    const QString& Regione() const { return regione_; }
    bool RegionePresente() const { return presente_; }

protected:
    QString ChiaveMappa() const override;

private:
    FormPuzzleFisicoRegioni(QString regione, QWidget* parent);
    QString regione_;
    bool presente_ = false;
};

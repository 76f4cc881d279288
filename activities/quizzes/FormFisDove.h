#pragma once

#include "activities/quizzes/FinestraQuiz.h"
#include "catalog/CatalogoFisico.h"
#include "workspace/colori/FiltroCategorie.h"

#include <memory>

class MenuVisualizza;

// The where-is quiz on the physical map of the chosen area. "&Visualizza" narrows the questions
// to one category of features (the map shows that category's frame); "Tutto" asks every feature
// but the undistinguished land and, on the area maps, the "altri" features. A feature shows its
// own colour once found; until then the features inside the filter have the map-background
// colour and the others the colour of undistinguished land.
class FormFisDove : public FinestraQuiz {
    Q_OBJECT
public:
    explicit FormFisDove(QWidget* parent = nullptr);

    // Choosing an entry of "&Visualizza": the new filter, the colours twice, the name box
    // emptied, and the quiz restarted on it in the same exercise.
    void ScegliCategoria(CategoriaFiltro categoria);
    CategoriaFiltro Categoria() const { return categoria_; }
    const QList<VoceFiltrata>& Filtrato() const { return elenco_; }
    const CatalogoFisico& Catalogo() const { return fisico_; }

protected:
    struct Regionale {};
    FormFisDove(Regionale, QWidget* parent);
    void CostruisciFiltro(const QString& area, const QString& regione);

    QString ChiaveMappa() const override;
    QString Attivita() const override { return AttivitaDoveFisica; }
    QString AreaDelRegistro() const override;
    QString TestoFine() const override { return FineQuizFisico; }
    QList<QuizDove::Elemento> ElementiDelQuiz() override;
    QString ColoreTrovato(int slot) const override;
    QString ColoreDaTrovare(int slot) const override;
    bool ClicIgnorato(const QString& nome) const override;
    double PausaAutomatica() const override { return 1.0; }
    bool PuoRicominciare() override;

    CatalogoFisico fisico_; // the window's copy, coloured from the profile at every start
    bool regionale_ = false;

private:
    void ApplicaFiltro(CategoriaFiltro categoria);

    std::unique_ptr<FiltroCategorie> filtro_;
    MenuVisualizza* menu_ = nullptr;
    QList<VoceFiltrata> elenco_; // ElencoFiltrato
    CategoriaFiltro categoria_ = CategoriaFiltro::Tutto;
};

// The physical quiz on one Italian region (RegioneScelta), with the region's own table and the
// "Altri" category. A region without a table or a map says so and goes back to the chooser.
class FormFisDoveRegioni : public FormFisDove {
    Q_OBJECT
public:
    explicit FormFisDoveRegioni(QWidget* parent = nullptr);
    void Attivazione() override;
    bool RegionePresente() const { return presente_; }
    const QString& Regione() const { return regione_; }

protected:
    QString ChiaveMappa() const override;
    QString FinestraDiRitorno() const override { return Navigazione::SceltaRegione; }
    double PausaAutomatica() const override { return 0; }

private:
    QString regione_;
    bool presente_ = false;
};

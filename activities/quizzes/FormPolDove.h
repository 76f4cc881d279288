#pragma once

#include "activities/quizzes/FinestraQuiz.h"
#include "catalog/CatalogoArea.h"

// The where-is quiz on the political map of the chosen area: the elements of the area catalog.
class FormPolDove : public FinestraQuiz {
    Q_OBJECT
public:
    explicit FormPolDove(QWidget* parent = nullptr);

    // "&Ricomincia" reloads the map first.
    void Ricomincia() override;

protected:
    struct Regionale {};
    FormPolDove(Regionale, QWidget* parent);

    QString ChiaveMappa() const override;
    QString Attivita() const override { return AttivitaDovePolitica; }
    QString AreaDelRegistro() const override;
    QString TestoFine() const override { return FineQuizPolitico; }
    QList<QuizDove::Elemento> ElementiDelQuiz() override;
    QString ColoreTrovato(int slot) const override;
    QString ColoreDaTrovare(int slot) const override;

    // Names and classes of the slots, in catalog order.
    QList<VoceCatalogo> elementi_;
};

// The where-is quiz on one Italian region's provinces (RegioneScelta, or a region drawn at
// random for "tutte"). Slot 0 is empty and never asked. The region's map is loaded at every
// start of an exercise; "&Esci" goes back to the region chooser.
class FormPolDoveReg : public FormPolDove {
    Q_OBJECT
public:
    explicit FormPolDoveReg(QWidget* parent = nullptr);
    const QString& Regione() const { return regione_; }

protected:
    QString ChiaveMappa() const override;
    QString AreaDelRegistro() const override { return regione_; }
    QString FinestraDiRitorno() const override { return Navigazione::SceltaRegione; }
    void PrimaDellEsercizio() override;

private:
    QString regione_;
};

#pragma once

#include "activities/exploration/FinestraEsplorazione.h"
#include "catalog/CatalogoArea.h"

#include <QList>

#include <functional>

// Free exploration of a political map: a click or a scanning selection highlights the element,
// writes its name in the name box and speaks it. FormMappaPol shows the area of AreaScelta with
// the elements of the area catalog.
class FormMappaPol : public FinestraEsplorazione {
    Q_OBJECT
public:
    explicit FormMappaPol(QWidget* parent = nullptr);

    const QList<VoceCatalogo>& Elementi() const { return elementi_; }

protected:
    // For the regional window, which builds its own list.
    struct Regionale {};
    FormMappaPol(Regionale, QWidget* parent);

    QString ChiaveMappa() const override;
    int UltimoElemento() const override { return static_cast<int>(elementi_.size()) - 1; }
    QString NomeElemento(int indice) const override;
    QString ColoreProprio(int indice) const override;
    PassataColori ColoriDellaMappa() const override;
    QString CartellaTesti() const override;
    void ElementoCliccato(const QString& nome) override;

    // The elements, in catalog order.
    QList<VoceCatalogo> elementi_;
};

// One Italian region with its provinces (RegioneScelta). The list has an empty slot 0, as the
// region windows always had; the scanning passes over it. "&Esci" goes back to the region
// chooser. For "tutte" ("Regione a caso") a region is drawn at random.
class FormMappaPolReg : public FormMappaPol {
    Q_OBJECT
public:
    explicit FormMappaPolReg(QWidget* parent = nullptr);

    const QString& Regione() const { return regione_; }

    // The draw of "Regione a caso": an index 0..n-1 (tests fix it).
    using Estrazione = std::function<int(int n)>;
    static void ImpostaEstrazione(Estrazione estrazione);

protected:
    QString ChiaveMappa() const override;
    bool SaltaNellaScansione(int indice) const override { return indice == 0; }
    PassataColori ColoriDellaMappa() const override;
    QString CartellaTesti() const override;
    QString FinestraDiRitorno() const override { return Navigazione::SceltaRegione; }
    void DopoNormale() override;

private:
    QString regione_;
};

#pragma once

#include "activities/quizzes/TestRegioni.h"
#include "results/RegistroEsercizi.h"
#include "workspace/finestra/FinestraAttivita.h"

class BarraRisposte;
class QPushButton;

// The test on Italy's regions and provinces. The window names a province; the pupil finds its
// region on the map of Italy (ShockwaveFlash1), then the province on the region's map, which
// opens beside it (ShockwaveFlash2 in Picture2). Both steps are counted; a region takes its class
// colour on the map of Italy once all its provinces are found.
//
// Switch users answer the same two steps: during the region step the highlight walks the
// regions on the map of Italy, during the province step the provinces on the region's map, and
// after them the "Leggi" stop, which speaks the question again. Selecting answers exactly as a
// click does (same counts, sounds and pauses).
class FormTestPol : public FinestraAttivita {
    Q_OBJECT
public:
    explicit FormTestPol(QWidget* parent = nullptr);

    void Attivazione() override;
    void GeneraEsercizio();
    void Esci() override;

    const TestRegioni& Test() const { return test_; }
    MappaWidget* Mappa2() const { return mappa2_; }
    QWidget* Picture2() const { return picture2_; }
    BarraRisposte* StatusBar1() const { return barra_; }
    QPushButton* CommandLeggi() const { return leggi_; }
    int RigaRegistro() const { return esercizio_.Riga(); }
    // A click on the region's map (the command without its prefix).
    void ProvinciaCliccata(const QString& nome);

protected:
    QString ChiaveMappa() const override;
    // Scanning positions: the regions in the region step, the region's provinces in the province
    // step; as many positions as the larger of the two lists, the others passed over.
    int UltimoElemento() const override { return posizioni_ - 1; }
    QString NomeElemento(int indice) const override;
    QString ColoreProprio(int indice) const override;
    PassataColori ColoriDellaMappa() const override;
    void ElementoCliccato(const QString& nome) override;
    bool SaltaNellaScansione(int indice) const override { return indice >= ElementiDelPasso(); }
    QList<QAbstractButton*> FermatePrimaDiEsci() const override;
    void PassoScansione(const CicloScansione::Passo& passo) override;
    void SelezioneScansione(int indice) override;
    void DopoNormale() override;

private:
    void RegioneScelta(const QString& regione);
    void ColoraRegioniFatte();
    void AggiornaBarra();
    void ColoraLeggi();
    // The elements the scan walks in the current step: regions, provinces of the region, none.
    int ElementiDelPasso() const;
    QString NomeNelPasso(int indice) const;
    void RipristinaNelPasso(int indice);
    // A new step: the highlight starts again before the first element.
    void NuovoPasso(bool riprendiScansione);
    QString ColoreDaTrovare() const;

    TestRegioni test_;
    EsercizioInCorso esercizio_;
    MappaWidget* mappa2_ = nullptr;
    QWidget* picture2_ = nullptr;
    BarraRisposte* barra_ = nullptr;
    QPushButton* leggi_ = nullptr;
    QList<int> provinceDelPasso_; // catalog slots of the region's provinces in the province step
    int posizioni_ = 0;
    quint64 domande_ = 0;
    bool inAvvio_ = false;
};

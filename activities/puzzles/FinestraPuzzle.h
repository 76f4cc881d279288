#pragma once

#include "activities/puzzles/GiocoPuzzle.h"
#include "workspace/colori/FiltroCategorie.h"
#include "workspace/finestra/FinestraAttivita.h"

#include <QHash>

#include <memory>

class QPushButton;

// The window of a puzzle: the frame with "&Cambia" (menu command and a button beside the name
// box), "&Ricomincia" and, on physical maps, "&Visualizza" with "Decolora parti inattive". The
// game is a GiocoPuzzle; the four windows differ only in their pieces, colours and map
// (FormPuzzle.h).
//
// With the mouse the pupil drags the piece on offer onto the map, which reports a hit
// ("posato" + name + "p", "colpito"). In the scanning modes the highlight walks over the places
// still empty, then stops on "Cambia" and "Esci"; choosing the place of the piece on offer puts
// it in.
// Every placement and every Cambia is followed by the draw of the next piece after a pause of a
// second and a half (FinestraAttivita::ImpostaPausa shortens it in tests).
class FinestraPuzzle : public FinestraAttivita {
    Q_OBJECT
public:
    void Attivazione() override;

    // The commands of the window.
    void Cambia();
    void Ricomincia();
    // "&Visualizza" (physical windows): a category, "Tutto", "Decolora parti inattive".
    void ScegliCategoria(CategoriaFiltro categoria);
    void CambiaDecolora();

    const GiocoPuzzle& Gioco() const { return *gioco_; }
    QPushButton* CommandCambia() const { return cambia_; }
    // The scanning stop of "Cambia": after the places, before "Esci".
    int StopCambia() const { return UltimoElemento() + 1; }

    // The draws of the game (tests fix them); by default uniform.
    static void ImpostaEstrazione(GiocoPuzzle::Estrazione estrazione);
    static const GiocoPuzzle::Estrazione& Estrazione();

    static inline const QString MessaggioFine = QStringLiteral("Bravo, hai terminato!");

protected:
    // regione: the region of a single-region window, empty for an area.
    FinestraPuzzle(Tipo tipo, const QString& regione, QWidget* parent);

    // The pieces, built again at every activation (the colours follow the profile).
    virtual QList<PezzoPuzzle> Pezzi() const = 0;
    // Category words never offered (physical maps).
    virtual QStringList CategorieEscluse() const { return {}; }
    virtual ColoriPuzzle ColoriGioco() const = 0;

    // The physical windows' "&Visualizza": righe are the rows of their catalog.
    void CostruisciFiltro(RigheFisiche righe, const QString& area, const QString& regione);

    int UltimoElemento() const override { return gioco_->Numero() - 1; }
    QString NomeElemento(int indice) const override;
    QString ColoreProprio(int indice) const override;
    bool SaltaNellaScansione(int indice) const override;
    PassataColori ColoriDellaMappa() const override;
    void PassoScansione(const CicloScansione::Passo& passo) override;
    void SelezioneScansione(int indice) override;
    QList<QAbstractButton*> FermatePrimaDiEsci() const override;
    void PrimaDeiColori() override;

private:
    void ComandoMappa(const QString& comando, const QString& argomenti);
    void NuovoGioco();
    // The map afresh (every piece back off the board) in the game's colours, then the first draw.
    void RiavviaGioco();
    void PezzoPosato(int indice, bool daScansione);
    // The draw after the pause: the next piece on offer, or the end.
    void ScegliNazione();
    void Fine();
    void AbilitaComandi(bool abilita);
    void ColoraCambia();

    QString regione_;
    std::unique_ptr<GiocoPuzzle> gioco_;
    QPushButton* cambia_ = nullptr;
    QAction* mnuCambia_ = nullptr;
    QAction* mnuRicomincia_ = nullptr;
    std::unique_ptr<FiltroCategorie> filtro_;
    QMenu* menuFiltro_ = nullptr;
    QHash<CategoriaFiltro, QAction*> vociFiltro_;
    QAction* mnuDecolora_ = nullptr;
};

#pragma once

#include "catalog/CatalogoArea.h"
#include "shell/menu/MenuConScansione.h"
#include "workspace/scansione/ComandoScansione.h"

#include <functional>
#include <memory>

class MappaWidget;
class QAction;
class QLabel;
class QPushButton;

// The region chooser of Italy: the political map of Italy by region, on which the pupil picks a
// region with a click or by scanning; the chooser then opens the regional window of the activity
// chosen in the activity menu (AttivitaScelta) for that region (RegioneScelta) and stays loaded,
// hidden, behind it. "Regione a caso" opens the regional political map or puzzle of a region
// drawn at random; "Torna" goes back to the activity menu.
//
// Scanning walks the twenty regions in table order and then the two buttons, so that a switch
// user can also draw a region at random or go back.
class FormMenu3 : public MenuConScansione<FormMenu3, ComandoScansione> {
    Q_OBJECT
    friend class MenuConScansione<FormMenu3, ComandoScansione>;

public:
    explicit FormMenu3(QWidget* parent = nullptr);
    ~FormMenu3() override;

    void Attivazione() override;

    MappaWidget* Mappa() const { return mappa_; }
    QLabel* Titolo() const { return titolo_; }
    QPushButton* PulsanteACaso() const { return pulsanti_[0]; }
    QPushButton* PulsanteTorna() const { return pulsanti_[1]; }
    // The scanning index: 0..19 regions, 20 "Regione a caso", 21 "Torna"; -1 nothing yet.
    int IndiceScansione() const;
    static constexpr int IndiceACaso = 20;
    static constexpr int IndiceTorna = 21;

    // Opens the regional window of AttivitaScelta for a region (as a click on the map does).
    void ScegliRegione(const QString& regione);
    void RegioneACaso();
    void Torna();

    // The random draw of "Regione a caso": an integer in [0, n). Tests fix it.
    using Estrazione = std::function<int(int n)>;
    static void ImpostaEstrazione(Estrazione e);

protected:
    void CasellaScelta(int) override {}
    void ApplicaProfilo() override;

private:
    void Esegui(const ComandoScansione::Eventi& eventi);
    void ImpostaColori();
    void Ripristina(int indice);
    void Evidenzia(int indice);
    void Seleziona(int indice);
    void ComandoMappa(const QString& comando, const QString& argomenti);
    bool ACasoDisponibile() const;

    CatalogoArea regioni_;
    MappaWidget* mappa_ = nullptr;
    QLabel* titolo_ = nullptr;
    QLabel* istruzione_ = nullptr;
    QPushButton* pulsanti_[2] = {nullptr, nullptr};
};

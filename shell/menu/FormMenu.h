#pragma once

#include "shell/menu/FinestraMenu.h"

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class ComandoScansione;

// The area menu, the program's home: the seven areas as tiles with their political maps, the
// user list, and the menu bar (configuration, exercise log, documents, about box, exit).
// Choosing an area loads its political and physical catalogs, sets AreaScelta and opens the
// activity menu.
class FormMenu : public FinestraMenu {
    Q_OBJECT
public:
    explicit FormMenu(QWidget* parent = nullptr);
    ~FormMenu() override;

    void Attivazione() override;
    // Opens the area of a tile index (0 "Italia" .. 6 "Oceania"); other indices do nothing.
    void ApriArea(int indice);

    QComboBox* ListaUtenti() const { return combo_; }
    QAction* ComandoEserciziEseguiti() const { return esercizi_; }

protected:
    void ApplicaProfilo() override;
    void GestisciTempo(int millisecondi) override;
    void GestisciSpazioPremuto() override;
    void GestisciSpazioRilasciato() override;
    void GestisciInvioPremuto() override;
    void GestisciInvio() override;
    std::optional<int> ProssimoScatto() const override;
    void CasellaScelta(int indice) override;

private:
    void RiempiUtenti();
    void UtenteScelto(int riga);

    QLabel* titolo_ = nullptr;
    QLabel* etichettaUtente_ = nullptr;
    QComboBox* combo_ = nullptr;
    QAction* esercizi_ = nullptr;
    std::unique_ptr<ComandoScansione> scansione_;
    bool riempimento_ = false;
};

// The captions of the area tiles, by index.
const QStringList& DidascalieAree();

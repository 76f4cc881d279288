#pragma once

#include "shell/menu/FinestraMenu.h"

#include <memory>
#include <optional>

// A menu whose scanning is one state machine of type Macchina: the scanning inputs go to the
// machine and the events it answers with go to the window's Esegui(). The window makes the
// machine (scansione_) at every activation, for the profile's input mode.
template <typename Finestra, typename Macchina> class MenuConScansione : public FinestraMenu {
public:
    using FinestraMenu::FinestraMenu;

protected:
    void GestisciTempo(int millisecondi) override {
        if (scansione_)
            finestra().Esegui(scansione_->Trascorri(millisecondi));
    }
    void GestisciSpazioPremuto() override {
        if (scansione_)
            finestra().Esegui(scansione_->PremiSpazio());
    }
    void GestisciSpazioRilasciato() override {
        if (scansione_)
            finestra().Esegui(scansione_->RilasciaSpazio());
    }
    void GestisciInvioPremuto() override {
        if (scansione_)
            finestra().Esegui(scansione_->PremiInvio());
    }
    void GestisciInvio() override {
        if (scansione_)
            finestra().Esegui(scansione_->RilasciaInvio());
    }
    std::optional<int> ProssimoScatto() const override {
        return scansione_ ? scansione_->MillisecondiAlProssimoScatto() : std::nullopt;
    }

    std::unique_ptr<Macchina> scansione_;

private:
    Finestra& finestra() { return static_cast<Finestra&>(*this); }
};

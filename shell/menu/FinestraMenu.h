#pragma once

#include "shell/Navigazione.h"
#include "workspace/scansione/ComandoScansione.h"

#include <QList>
#include <QPointer>

#include <optional>

class AnnuncioScansione;
class CasellaMenu;
class OrologioScansione;
class QAction;
class QMenu;
class QMenuBar;
class clsResize;

// What the three menus share: a full-screen window with a menu bar and a designed area laid out
// proportionally, the profile's colours and font, picture tiles, and the switch keys of the
// scanning modes (Space and Enter, on the window itself, with the scanning clock).
//
// Key rules in the scanning modes: a held key's auto-repeat is ignored (holding Space is one
// press and one release); a release whose press came before the window's activation is dropped,
// so the Enter that opened this window cannot also choose in it.
class FinestraMenu : public FinestraProgramma {
    Q_OBJECT
public:
    // The designed size of the area under the menu bar, in pixels; the layout scales it.
    static constexpr int LarghezzaProgetto = 800;
    static constexpr int AltezzaProgetto = 560;

    explicit FinestraMenu(QWidget* parent = nullptr);
    ~FinestraMenu() override;

    void Attivazione() override;

    ModoScansione Modo() const { return modo_; }
    QMenuBar* BarraMenu() const { return barra_; }
    QWidget* Area() const { return area_; }
    const QList<CasellaMenu*>& Caselle() const { return caselle_; }
    // "&Configurazioni" of the menu bar.
    QAction* ComandoConfigura() const { return configura_; }
    // The tile highlighted now, -1 none.
    int CasellaEvidenziata() const;

    // The scanning clock's tick, with the time that passed (tests inject it).
    void Scorri(int millisecondi);

protected:
    // Builds a tile at its designed place in the area.
    CasellaMenu* AggiungiCasella(int indice, const QString& didascalia, const QRect& progetto);
    // A menu-bar command with its shortcut.
    QAction* AggiungiComando(QMenu* menu, const QString& testo, const QKeySequence& tasti);
    QAction* AggiungiComando(const QString& testo, const QKeySequence& tasti);
    // The menu-bar commands every menu has: "&Configurazioni" (Ctrl+K, enabled at every activation
    // when the configuration window exists) and "&Esci" (Ctrl+Q, asks to leave the program).
    QAction* AggiungiComandoConfigura();
    QAction* AggiungiComandoEsci();
    // Shows the window of a name and, when it opened, closes this menu.
    void Apri(const QString& nome);
    // To be called at the end of the subclass constructor: records the designed geometry.
    void RegistraProgetto();

    // Paints tile i red and every other tile in the background colour (-1: none red).
    void ColoraCasella(int indice);

    // The profile's colours and fonts on the window, its tiles and controls.
    virtual void ApplicaProfilo();
    // Scanning: the subclass's logic.
    virtual void GestisciTempo(int millisecondi) = 0;
    virtual void GestisciSpazioPremuto() = 0;
    virtual void GestisciSpazioRilasciato() = 0;
    virtual void GestisciInvioPremuto() {}
    virtual void GestisciInvio() = 0;
    virtual std::optional<int> ProssimoScatto() const = 0;
    // Mouse mode: a tile was clicked (or opened from the keyboard).
    virtual void CasellaScelta(int indice) = 0;

    // Auditory scanning: speaks what a scanning step highlighted, when the user's switch options
    // ask for it (the tiles do it by themselves through ColoraCasella).
    void AnnunciaEvidenziato(const QString& testo);
    // Stops the clock (the window opens another one).
    void FermaOrologio();

    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    QColor ColoreSfondo() const;
    QColor ColoreTesto() const;
    QFont CarattereProfilo() const;

private:
    enum class Ingresso { Tempo, SpazioGiu, SpazioSu, InvioGiu, InvioSu };
    void Gestisci(Ingresso ingresso);
    void Riarma();
    void ImpostaFocusScansione(bool scansione);
    void PuntatoreCaselle();

    QMenuBar* barra_ = nullptr;
    QWidget* area_ = nullptr;
    clsResize* ridimensionatore_ = nullptr;
    OrologioScansione* orologio_ = nullptr;
    QList<CasellaMenu*> caselle_;
    QAction* configura_ = nullptr;
    AnnuncioScansione* annuncio_ = nullptr;
    ModoScansione modo_ = ModoScansione::Mouse;
    bool spazioGiu_ = false;
    bool invioGiu_ = false;
};

#pragma once

#include "shell/Navigazione.h"
#include "workspace/colori/ColoriMappa.h"
#include "workspace/scansione/ComandoScansione.h"

#include <QPointer>
#include <QSizeF>
#include <QTimer>

#include <functional>
#include <memory>

class AnnuncioScansione;
class Assistente;
class MappaWidget;
class MotoreVoce;
class OrologioScansione;
class QAbstractButton;
class QAction;
class QActionGroup;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollBar;

// A small box that takes the keyboard focus and hands its keys to the window: the arrow keys in
// mouse mode (PictureFrecce), Space and Enter in the scanning modes (PictureScansioneManuale,
// PictureScansioneAutomatica). Key repeats of a held switch are not passed on.
class RicevitoreTasti : public QWidget {
    Q_OBJECT
public:
    explicit RicevitoreTasti(const QString& nome, const QString& nomeAccessibile,
                             QWidget* parent = nullptr);

signals:
    void Premuto(int tasto);
    void Rilasciato(int tasto);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }
};

// The frame every activity window is built on: a full-screen window with the map in a viewport
// (Picture1 holding the MappaWidget, whose position inside it is the scroll position), the name
// box (Text1) under it, the scroll bars, the menu bar with "&Stampa", "&Dimensioni", "&Leggi" and
// "&Esci", the reading character, and the key receivers of the three access modes.
//
// Each window says what its elements are (UltimoElemento, NomeElemento, ColoreProprio), which map
// it shows and how it colours it; the frame does the activation sequence, the sizing and zoom,
// the scanning clock and keys, and the colour passes once for all. Exploration, quiz and puzzle
// windows override the click, scanning-step and selection handlers.
class FinestraAttivita : public FinestraProgramma {
    Q_OBJECT
public:
    enum class Tipo { Politica, Fisica };

    explicit FinestraAttivita(Tipo tipo, QWidget* parent = nullptr);
    ~FinestraAttivita() override;

    // Runs every time the navigation shows the window: profile, reading character, colours,
    // sizes and zoom back to "Normale", the access mode.
    void Attivazione() override;

    // The frame procedures.
    void ImpostaColori();
    void ImpostaDimensione();
    void TuttoSchermo();
    void DimensioniFisse();
    void Ingrandisci();
    void Riduci();
    void Normale();
    void CambiaVisualizzazioneNome(); // Ctrl+T: "Tutto schermo" / "mostra Testo"
    void CambiaBarre();               // Ctrl+B
    // Speaks a text with the profile's voice when speech is on.
    void Leggi(const QString& testo);
    void StopAll();
    // "&Esci": stops the voice, shows the window to go back to and closes this one. The quizzes
    // first complete their exercise's log row.
    virtual void Esci();

    Tipo TipoMappa() const { return tipo_; }
    MappaWidget* Mappa() const { return mappa_; }
    QLineEdit* Text1() const { return text1_; }
    QWidget* Picture1() const { return picture1_; }
    QWidget* PictureAltezza() const { return area_; }
    QScrollBar* HScroll1() const { return hscroll_; }
    QScrollBar* VScroll1() const { return vscroll_; }
    QMenuBar* BarraMenu() const { return barra_; }
    RicevitoreTasti* PictureFrecce() const { return frecce_; }
    RicevitoreTasti* PictureScansioneManuale() const { return manuale_; }
    RicevitoreTasti* PictureScansioneAutomatica() const { return automatica_; }
    // The receiver that takes the keys in the current access mode.
    RicevitoreTasti* RicevitoreAttivo() const;
    // A menu entry by its object name ("mnuIngrandisci", "mnuLeggi", ...); nullptr when absent.
    QAction* Azione(const QString& nome) const;
    Assistente* assistente() const { return assistente_; }
    const QString& ElementoSelezionato() const { return elementoSelezionato_; }
    ComandoScansione& Scansione() { return *scansione_; }
    ModoScansione Modo() const { return modo_; }
    // Whether the name box is shown.
    bool NomeVisibile() const { return nomeVisibile_; }
    // The "Esci" button beside the name box: shown in the scanning modes, the last stop of the
    // scanning cycle.
    QPushButton* PulsanteEsci() const { return esci_; }
    // The stops of the scanning cycle after the elements, in order, "Esci" last; their indices in
    // the cycle follow UltimoElemento().
    const QList<QAbstractButton*>& Fermate() const { return fermate_; }
    // The stop highlighted now, nullptr when none.
    QAbstractButton* FermataEvidenziata() const;

    // Lets the scanning clock run as if the given time had passed (tests and benchmarks drive the
    // automatic scanning this way; the window's own timer does the same in use).
    void AvanzaOrologio(int millisecondi);

    // The speaker each window's reading character gets (tests install a fake); by default the
    // program's speech service.
    using FabbricaVoce = std::function<MotoreVoce*()>; // the same as ::FabbricaVoce
    static void ImpostaFabbricaVoce(FabbricaVoce fabbrica);
    // The deliberate pauses (between the colour passes of the physical windows); by default
    // Pausa(), which keeps handling events. Tests and benchmarks may shorten them.
    using FunzionePausa = std::function<void(double)>;
    static void ImpostaPausa(FunzionePausa pausa);

protected:
    // What the window shows.
    virtual QString ChiaveMappa() const = 0;
    virtual int UltimoElemento() const = 0;
    virtual QString NomeElemento(int indice) const = 0;
    // The element's own colour, "RRGGBB".
    virtual QString ColoreProprio(int indice) const = 0;
    // Elements the scanning highlight passes over.
    virtual bool SaltaNellaScansione(int indice) const { return false; }
    virtual PassataColori ColoriDellaMappa() const = 0;
    virtual ColoriFinestra ColoriDellaFinestra() const;
    // The window "&Esci" shows.
    virtual QString FinestraDiRitorno() const { return Navigazione::MenuAttivita; }

    // Handlers.
    // A click on an element in mouse mode: the command without its 8-character prefix.
    virtual void ElementoCliccato(const QString& nome) { Q_UNUSED(nome); }
    // One scanning step: the element left gets its own colour, the new one the highlight and
    // its name goes into the name box.
    virtual void PassoScansione(const CicloScansione::Passo& passo);
    // The pupil chose the highlighted element: exploration windows speak its name.
    virtual void SelezioneScansione(int indice);
    // The scanning of the window, built at every activation for the profile's mode: the elements
    // 0..UltimoElemento(), then the stops (Fermate()).
    virtual std::unique_ptr<ComandoScansione> CreaScansione() const;
    // The window's own stops of the scanning cycle, walked after the map's elements and before
    // "Esci" (always the last stop): buttons of the window, such as the quizzes' "&Cambia" given to
    // ImpostaControlloAccantoAlNome. The frame highlights a stop like an element and, when the
    // pupil chooses it, clicks it; PassoScansione and SelezioneScansione see only elements.
    // Disabled and hidden buttons are passed over. Asked at every activation.
    virtual QList<QAbstractButton*> FermatePrimaDiEsci() const { return {}; }
    // Speaks a text that already carries the speech prefix (a sentence of a text read aloud).
    void Parla(const QString& testoConPrefisso);
    // Every request this window sends to its character, in order (true for Parla), and every
    // StopAll: the windows that follow their requests' ends (reading texts) count them here.
    virtual void RichiestaInviata(bool frase) { Q_UNUSED(frase); }
    virtual void VoceFermata() {}

    // Steps of the activation that windows add: before the colour passes (after the reading
    // character), and after "Normale".
    virtual void PrimaDeiColori() {}
    virtual void DopoNormale() {}

    // Loads ChiaveMappa() into the map widget; false (the widget shows why) when it is missing.
    bool CaricaMappa();
    // The key of an area's or a region's map for this window's kind, with the profile's pointer.
    static QString ChiaveArea(const QString& area, Tipo tipo);
    static QString ChiaveRegione(const QString& regione, Tipo tipo);

    // Adds a menu of the window between "&Dimensioni" and "&Leggi".
    void AggiungiMenu(QMenu* menu);
    // A menu entry with an object name, an accessible name and a shortcut.
    QAction* NuovaAzione(QMenu* menu, const QString& nome, const QString& testo,
                         const QKeySequence& scorciatoia = {});

    // A pane at the right of the map (the text being read); the viewport gives up its width
    // while it is visible.
    void ImpostaPannello(QWidget* pannello, double frazioneLarghezza);
    void MostraPannello(bool visibile);
    bool PannelloVisibile() const;

    // Controls the quiz and puzzle windows add: one beside the name box (the "&Cambia" button),
    // shown with it, and a status bar along the bottom of the window. Both take their size
    // from their sizeHint; the map gives up the room.
    void ImpostaControlloAccantoAlNome(QWidget* controllo);
    void ImpostaBarraStato(QWidget* barra);

    void ImpostaElementoSelezionato(const QString& nome) { elementoSelezionato_ = nome; }
    // Runs a deliberate pause; false when the window was closed meanwhile.
    bool PausaSicura(double secondi);
    // The font of the name box and of the texts (the profile's font and size).
    QFont FontProfilo() const;

    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void CostruisciMenu();
    void DisponiCornice();
    void RidisponiVista();
    void ImpostaModoAccesso();
    void ApplicaZoom(QSizeF nuova);
    void ImpostaBarre(QSizeF mappa);
    void MuoviMappa();
    void CliccatoSullaMappa(const QString& comando, const QString& argomenti);
    void TastoPremuto(int tasto);
    void TastoRilasciato(int tasto);
    void Esegui(const ComandoScansione::Eventi& eventi);
    void OrologioScaduto();
    void MantieniFuoco();
    int AltezzaNome() const;
    int AltezzaUtile() const; // PictureAltezza less the status bar
    int LarghezzaNome() const;
    void DisponiAccessori();
    int LarghezzaAccessori() const;
    int LarghezzaDisponibile() const;
    bool EsciVisibile() const;
    // Index of a stop in Fermate() for an index of the cycle, -1 for elements and nothing.
    int Fermata(int indice) const;
    void EvidenziaFermata(int fermata, bool evidenziata);

    Tipo tipo_;
    QMenuBar* barra_ = nullptr;
    QWidget* area_ = nullptr; // PictureAltezza: the height shared by viewport, name box, bar
    QWidget* picture1_ = nullptr;
    MappaWidget* mappa_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLabel* label1_ = nullptr; // measures a line of the profile font ("Foglia")
    QScrollBar* hscroll_ = nullptr;
    QScrollBar* vscroll_ = nullptr;
    RicevitoreTasti* frecce_ = nullptr;
    RicevitoreTasti* manuale_ = nullptr;
    RicevitoreTasti* automatica_ = nullptr;
    QWidget* pannello_ = nullptr;
    double frazionePannello_ = 0;
    QWidget* accantoNome_ = nullptr;
    QPushButton* esci_ = nullptr;
    QList<QAbstractButton*> fermate_;
    QWidget* barraStato_ = nullptr;
    Assistente* assistente_ = nullptr;
    AnnuncioScansione* annuncio_ = nullptr; // "Leggi l'elemento evidenziato"

    QAction* azioneLeggi_ = nullptr;
    QAction* azioneVisual_ = nullptr;
    QAction* azioneBarre_ = nullptr;
    QAction* lineaBarre_ = nullptr;

    QSizeF dimensioneMappa_;
    bool nomeVisibile_ = true;
    bool zoomNormale_ = true; // no zoom since the last "Normale": a resize fits the map again
    QString elementoSelezionato_;
    ModoScansione modo_ = ModoScansione::Mouse;
    std::unique_ptr<ComandoScansione> scansione_;
    OrologioScansione* orologio_ = nullptr;
    QTimer fuoco_; // Timer2: keeps the keys on the receiver of the access mode
    bool inAttivazione_ = false;
};

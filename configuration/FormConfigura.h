#pragma once

#include "shell/Navigazione.h"
#include "workspace/voce/ParametriVoce.h"

#include <QFont>
#include <QList>

#include <functional>
#include <optional>

class Assistente;
class GrigliaTavolozza;
class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QVBoxLayout;

// The configuration window: a teacher edits the current pupil's profile in six tabs (user,
// font, political colours, physical colours, voice and character, input mode with the switch
// options). Every control writes straight into the profile in memory; "&Menu" saves it and
// goes back to the area menu. Used with a mouse or the keyboard: every control has a caption,
// an accessible name and a place in the tab order.
class FormConfigura : public FinestraProgramma {
    Q_OBJECT
public:
    enum Scheda { Utente, Fonts, Politiche, Fisiche, Audio, Input };

    explicit FormConfigura(QWidget* parent = nullptr);
    ~FormConfigura() override;

    void Attivazione() override;

    // Repaints every sample from the profile.
    void ImpostaColori();
    // Fills the voice and character lists of the "Audio" tab.
    void ImpostaVoce();
    // "&Menu": saves the profile and shows the area menu.
    void Esci();

    // The controls, for tests and assistive tools.
    QTabWidget* TabStrip1() const { return schede_; }
    QRadioButton* OpzioneUtente(int i) const { return option1_[i]; }
    QListWidget* List1() const { return list1_; }
    QLineEdit* Text1() const { return text1_; }
    QLabel* Label4() const { return label4_; }
    QLabel* AvvisoNome() const { return avvisoNome_; }
    QCheckBox* CheckSalvaUtente() const { return checkSalvaUtente_; }
    QPushButton* Command3() const { return command3_; }
    QLabel* Label8() const { return label8_; }
    QRadioButton* Option3(int i) const { return option3_[i]; }
    QRadioButton* Option2(int i) const { return option2_[i]; }
    QRadioButton* OptionFis(int i) const { return optionFis_[i]; }
    QFrame* CasellaColore(int i) const { return casellaColore_[i]; }
    QFrame* CasellaColoreFis(int i) const { return casellaColoreFis_[i]; }
    QWidget* FramePol() const { return framePol_; }
    QWidget* FrameFis() const { return frameFis_; }
    QLabel* Label5() const { return label5_; }
    GrigliaTavolozza* Griglia() const { return griglia_; }
    QCheckBox* Check1() const { return check1_; }
    QCheckBox* CheckSuoni() const { return checkSuoni_; }
    QScrollBar* HScroll1() const { return hscroll1_; }
    QScrollBar* HScroll2() const { return hscroll2_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QListWidget* List2() const { return list2_; }
    QListWidget* List3() const { return list3_; }
    QLineEdit* Text2() const { return text2_; }
    QPushButton* Command1() const { return command1_; }
    QWidget* PicAgent() const { return picAgent_; }
    QRadioButton* Option4(int modalita) const;
    QScrollBar* HScroll3() const { return hscroll3_; }
    QLabel* Label7() const { return label7_; }
    QCheckBox* CheckRiparti() const { return checkRiparti_; }
    QCheckBox* Check3() const { return check3_; }
    QCheckBox* CheckLeggiEvidenziato() const { return checkLeggi_; }
    QScrollBar* HScrollAccettazione() const { return hscrollAccettazione_; }
    QLabel* LabelAccettazione() const { return labelAccettazione_; }
    QScrollBar* HScrollGiri() const { return hscrollGiri_; }
    QLabel* LabelGiri() const { return labelGiri_; }
    QCheckBox* CheckSpessa() const { return checkSpessa_; }
    QAction* ComandoMenu() const { return menu_; }
    Assistente* assistente() const { return assistente_; }

    // Seams: the font dialog (nullopt when cancelled) and the list of voices.
    using SceltaFont = std::function<std::optional<QFont>(const QFont& iniziale, QWidget*)>;
    static void ImpostaSceltaFont(SceltaFont f);
    using ElencoVoci = std::function<QList<ModoSintesi>()>;
    static void ImpostaElencoVoci(ElencoVoci f);

    // The handlers, as the controls call them.
    void SchedaCliccata(int scheda);
    void OpzioneUtenteCliccata(int i);
    void UtenteScelto(const QString& nome);
    void NomeNuovoCambiato(const QString& testo);
    void ScegliFont();
    void PresetCliccato(int k);
    void ColoreCliccato(int indice);
    void VoceScelta(int riga);
    void PersonaggioScelto(int riga);
    void ProvaVoce();
    void ModalitaCliccata(int modalita);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* CreaUtente();
    QWidget* CreaFonts();
    QWidget* CreaColori();
    QWidget* CreaAudio();
    QWidget* CreaInput();
    void AggiornaControlli();
    void CaricaPersonaggio();
    void MostraPersonaggio(bool visibile);
    void AbilitaRuoli(bool si);
    void AggiornaDidascaliaScansione();

    QTabWidget* schede_ = nullptr;
    QAction* menu_ = nullptr;
    QList<QWidget*> pagine_;
    QVBoxLayout* layoutPol_ = nullptr;
    QVBoxLayout* layoutFis_ = nullptr;
    QWidget* frameColori_ = nullptr; // FrameColoriPolitiche: presets and palette, on both tabs

    QRadioButton* option1_[3] = {};
    QListWidget* list1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* avvisoNome_ = nullptr;
    QCheckBox* checkSalvaUtente_ = nullptr;
    QPushButton* command3_ = nullptr;
    QLabel* label8_ = nullptr;
    QRadioButton* option3_[5] = {};
    QButtonGroup* gruppoPol_ = nullptr;
    QButtonGroup* gruppoFis_ = nullptr;
    QList<QRadioButton*> option2_;
    QList<QRadioButton*> optionFis_;
    QList<QFrame*> casellaColore_;
    QList<QFrame*> casellaColoreFis_;
    QWidget* framePol_ = nullptr;
    QWidget* frameFis_ = nullptr;
    QLabel* label5_ = nullptr;
    GrigliaTavolozza* griglia_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* checkSuoni_ = nullptr;
    QScrollBar* hscroll1_ = nullptr;
    QScrollBar* hscroll2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QListWidget* list2_ = nullptr;
    QListWidget* list3_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QPushButton* command1_ = nullptr;
    QWidget* picAgent_ = nullptr;
    QRadioButton* option4_[3] = {};
    QButtonGroup* gruppoModalita_ = nullptr;
    QScrollBar* hscroll3_ = nullptr;
    QLabel* label7_ = nullptr;
    QCheckBox* checkRiparti_ = nullptr;
    QCheckBox* check3_ = nullptr;
    QCheckBox* checkLeggi_ = nullptr;
    QScrollBar* hscrollAccettazione_ = nullptr;
    QLabel* labelAccettazione_ = nullptr;
    QScrollBar* hscrollGiri_ = nullptr;
    QLabel* labelGiri_ = nullptr;
    QCheckBox* checkSpessa_ = nullptr;
    Assistente* assistente_ = nullptr;
    QList<ModoSintesi> voci_;
    bool aggiornando_ = false; // controls being set from the profile: no handler writes back
};

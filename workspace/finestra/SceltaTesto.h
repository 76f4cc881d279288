#pragma once

#include "workspace/scansione/ComandoScansione.h"

#include <QDialog>

#include <memory>

class OrologioScansione;
class QLabel;
class QListWidget;

// Choosing a text to read: a full-screen list of the texts of a folder
// (CartelleTesti::TestiDellaCartella) in the profile's font and colours, then "Altro..." (the
// system file dialog, through DialogoFile, for a teacher who wants a file from elsewhere) and
// "Torna" (nothing chosen). With the mouse a click or the keyboard (arrows, Enter) chooses; in
// the scanning modes the rows are walked as the menus' tiles are: manual Space steps and Enter
// chooses, automatic moves by itself and Space chooses.
//
// Windows use it through sceltaTesto().Scegli(...), which runs it modally; tests install another
// SceltaTesto, or drive a FinestraSceltaTesto directly.
class SceltaTesto {
public:
    virtual ~SceltaTesto() = default;
    // The chosen text's path, or the empty text when the pupil went back.
    virtual QString Scegli(QWidget* proprietario, const QString& cartella,
                           const QString& titolo) = 0;
};

// The chooser in use: the full-screen list unless a test installed another.
SceltaTesto& sceltaTesto();
// Installs another chooser (not owned); nullptr restores the real one.
void ImpostaSceltaTesto(SceltaTesto* altra);

class FinestraSceltaTesto : public QDialog {
    Q_OBJECT
public:
    FinestraSceltaTesto(const QString& cartella, const QString& titolo, QWidget* parent = nullptr);
    ~FinestraSceltaTesto() override;

    // The chosen path once the chooser closed with a choice; empty otherwise.
    QString Scelto() const { return scelto_; }
    QListWidget* Elenco() const { return elenco_; }
    QLabel* Titolo() const { return titolo_; }
    const QStringList& Testi() const { return testi_; }
    int RigaAltro() const { return int(testi_.size()); }
    int RigaTorna() const { return int(testi_.size()) + 1; }
    // The row highlighted by scanning or selected with the mouse and keyboard, -1 none.
    int Evidenziata() const;
    ModoScansione Modo() const { return modo_; }

    // Chooses a row: a text, "Altro..." or "Torna".
    void ScegliRiga(int riga);
    // The scanning clock's tick, with the time that passed (tests inject it).
    void Scorri(int millisecondi);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void ApplicaProfilo();
    void Esegui(const ComandoScansione::Eventi& eventi);
    void Riarma();

    QString cartella_;
    QStringList testi_;
    QString scelto_;
    QLabel* titolo_ = nullptr;
    QListWidget* elenco_ = nullptr;
    ModoScansione modo_ = ModoScansione::Mouse;
    std::unique_ptr<ComandoScansione> scansione_;
    OrologioScansione* orologio_ = nullptr;
    bool spazioGiu_ = false;
    bool invioGiu_ = false;
    bool deciso_ = false;
};

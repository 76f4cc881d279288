#pragma once

#include "shell/Navigazione.h"

class QLabel;
class QPushButton;
class clsResize;

// The about box: who made the atlas, where its map data come from (with the attributions their
// licences ask for) and the terms of use. "Chiudi" (or Esc) goes back to the area menu.
class FormInfo : public FinestraProgramma {
    Q_OBJECT
public:
    explicit FormInfo(QWidget* parent = nullptr);

    void Attivazione() override;
    void Chiudi();

    QLabel* Crediti() const { return crediti_; }
    QLabel* Condizioni() const { return condizioni_; }
    QPushButton* PulsanteChiudi() const { return chiudi_; }

    static QString TestoCrediti();
    static QString TestoCondizioni();

protected:
    void resizeEvent(QResizeEvent* e) override;
    // A switch (Space or Enter) pressed and released on the window closes it, wherever the
    // keyboard focus is.
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void adattaCaratteri();

    QLabel* crediti_ = nullptr;
    QLabel* condizioni_ = nullptr;
    QPushButton* chiudi_ = nullptr;
    clsResize* ridimensionatore_ = nullptr;
    int premuto_ = 0; // the switch key pressed here, 0 none
};

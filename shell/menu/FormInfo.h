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

private:
    void adattaCaratteri();

    QLabel* crediti_ = nullptr;
    QLabel* condizioni_ = nullptr;
    QPushButton* chiudi_ = nullptr;
    clsResize* ridimensionatore_ = nullptr;
};

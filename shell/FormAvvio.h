#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class clsResize;

// The start screen: the atlas's title, a picture and one button that leads to the area menu.
// A click on the button or the picture, or Enter, opens the area menu and closes this window.
class FormAvvio : public QWidget {
    Q_OBJECT
public:
    explicit FormAvvio(QWidget* parent = nullptr);

    QPushButton* BottoneAvvio() const { return bottone; }
    // A discreet notice at the foot of the window (no audio output, for one).
    void Avvisa(const QString& testo);
    QLabel* EtichettaAvviso() const { return avvisoAudio; }

public slots:
    void Avvia();

signals:
    // Emitted when the area menu has been shown (the window then closes itself).
    void menuAperto();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void applicaColoriEFont();

    QWidget* immagine = nullptr;
    QLabel* titolo = nullptr;
    QLabel* versione = nullptr;
    QLabel* data = nullptr;
    QLabel* crediti1 = nullptr;
    QLabel* crediti2 = nullptr;
    QPushButton* bottone = nullptr;
    QLabel* avvisoAudio = nullptr;
    clsResize* ridimensionatore = nullptr;
};

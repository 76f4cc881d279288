#pragma once

#include "printing/ContornoMappa.h"

#include <QDialog>

class QLabel;
class QMenuBar;
class ScansioneFinestra;

// The outline sheet shown on the screen: white, the outline as large as the room allows with the
// map's own proportions.
class FoglioContorno : public QWidget {
    Q_OBJECT
public:
    explicit FoglioContorno(QWidget* parent = nullptr);
    void Imposta(ContornoMappa contorno);
    const ContornoMappa& Contorno() const { return contorno_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    ContornoMappa contorno_;
};

// The black-and-white map sheet ("FormMappaBiancoNero"): the outline of the current area (the
// whole of Italy with its twenty regions also for the regional windows), black borders on white,
// no names. "Conferma &Stampa" hands it to the print preview; "&Esci" closes. Modal, full screen,
// in the profile's background colour.
class FormMappaBiancoNero : public QDialog {
    Q_OBJECT
public:
    explicit FormMappaBiancoNero(QWidget* parent = nullptr);

    // Activation: screen size, colours, the sheet of AreaScelta (another value keeps what the
    // window showed before).
    void Attivazione();
    // "Conferma &Stampa": the sheet through the preview, 10 mm from the top-left corner, in the
    // largest area of the map's proportions inside a 100 mm square, on a landscape sheet, as the
    // job "Stampa".
    void ConfermaStampa();

    FoglioContorno* Picture1() const { return picture1_; }
    QMenuBar* BarraMenu() const { return barra_; }
    ScansioneFinestra* Scansione() const { return scansione_; }
    QString Errore() const { return errore_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void Disponi();

    QMenuBar* barra_ = nullptr;
    FoglioContorno* picture1_ = nullptr;
    QLabel* lblErrore_ = nullptr;
    QLabel* lblScansione_ = nullptr;
    ScansioneFinestra* scansione_ = nullptr;
    QString errore_;
};

#pragma once

#include "workspace/scansione/ComandoScansione.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class OrologioScansione;
class QLabel;

// Switch access for the small printing windows: the highlight walks over a few stops (buttons,
// boxes, menu commands) and the pupil chooses one with the profile's scanning mode (manual: Space
// steps, Enter chooses; automatic: the clock steps, Space chooses). The stop in the highlight
// gets a thick red frame and the keyboard focus, and its name is shown in the window's label.
// In mouse mode nothing happens and the keys work as usual.
class ScansioneFinestra : public QObject {
    Q_OBJECT
public:
    struct Fermata {
        QString nome;
        QPointer<QWidget> controllo; // may be null (a menu command)
        std::function<void()> scegli;
        std::function<bool()> attiva; // skipped while this says false; null: always active
    };

    ScansioneFinestra(QWidget* finestra, QLabel* etichetta);
    ~ScansioneFinestra() override;

    void ImpostaFermate(QList<Fermata> fermate);
    // Reads the profile's mode and starts (at every opening of the window).
    void Avvia();
    void Ferma();
    ModoScansione Modo() const { return modo_; }
    // The stop in the highlight, -1 when none.
    int Evidenziata() const;
    // Lets the clock run as if this time had passed (tests).
    void AvanzaOrologio(int millisecondi);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Esegui(const ComandoScansione::Eventi& eventi);
    void Evidenzia(int indice, bool si);

    QWidget* finestra_;
    QLabel* etichetta_;
    QList<Fermata> fermate_;
    ModoScansione modo_ = ModoScansione::Mouse;
    std::unique_ptr<ComandoScansione> comando_;
    OrologioScansione* orologio_ = nullptr;
    bool spazioPremuto_ = false;
    bool invioPremuto_ = false;
};

#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Proportional layout: records the designed geometry of every control of a window and, whenever
// the window's inner area changes size, moves and stretches each control by the same horizontal
// and vertical ratios. Font sizes are left alone.
//
// A control may carry a layout tag in its "layoutTag" property: "@" followed by any of the letters
// L, T, W, H separated by commas; only the named dimensions are scaled. An empty tag, or one that
// does not begin with "@", counts as "@L,T,W,H". Controls placed by a Qt layout are left to it.
class clsResize : public QObject {
    Q_OBJECT
public:
    explicit clsResize(QObject* parent = nullptr);

    static constexpr const char* ProprietaEtichetta = "layoutTag";
    // Sets a control's layout tag.
    static void ImpostaEtichetta(QWidget* controllo, const QString& etichetta);

    // The window to lay out. Setting it records nothing by itself.
    void setSourceForm(QWidget* finestra);
    QWidget* SourceForm() const { return sorgente; }

    // Records the window and its controls again (after controls were added or moved by code).
    void ReInitialise();
    // Makes the window percent % of the screen's width and height, centres it, lays it out.
    void SizeFormToScreen(quint8 percent);
    // Lays the controls out for the window's current inner size.
    void ResizeControls();
    // When set, the window's resize events call ResizeControls() by themselves.
    void setAutomatico(bool attivo);

    // The designed inner size (valid after the first recording).
    QSize DimensioneProgetto() const { return progetto; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    struct Registrazione {
        QPointer<QWidget> controllo;
        QRect geometria;
    };
    QList<QWidget*> controlli() const;
    void registra();

    QPointer<QWidget> sorgente;
    bool primaVolta = true;
    bool automatico = false;
    QSize progetto;
    QList<Registrazione> registrazioni;
};

// Which dimensions a layout tag names.
struct DimensioniEtichetta {
    bool left = true, top = true, width = true, height = true;
    bool operator==(const DimensioniEtichetta&) const = default;
};
DimensioniEtichetta LeggiEtichetta(const QString& etichetta);

// The scaled geometry of a recorded rectangle for the given ratios and tag.
QRect ScalaGeometria(const QRect& progetto, double rapportoOrizzontale, double rapportoVerticale,
                     const DimensioniEtichetta& dimensioni);

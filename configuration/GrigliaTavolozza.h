#pragma once

#include <QWidget>

// The 216 colours of the palette as one grid drawn by itself (CasellaColorata(0..215)): cell i
// shows palette colour i. A click, or Space/Enter on the cell chosen with the arrow keys, emits
// cliccata(i). Each cell is an accessible child named by its colour, so assistive tools can
// walk and press them.
class GrigliaTavolozza : public QWidget {
    Q_OBJECT
public:
    static constexpr int Colonne = 18;
    static constexpr int Righe = 12;
    static constexpr int LatoMinimo = 24; // pixels

    explicit GrigliaTavolozza(QWidget* parent = nullptr);

    // The rectangle of cell i, in widget coordinates.
    QRect RettangoloCella(int i) const;
    // The cell under a point, -1 none.
    int CellaIn(const QPoint& p) const;
    // The cell with the keyboard's cursor.
    int Corrente() const { return corrente_; }
    void ImpostaCorrente(int i);
    // Presses cell i as a click does.
    void Premi(int i);
    // The accessible name of cell i: "Colore 24: FFFF00".
    static QString NomeCella(int i);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void cliccata(int indice);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    int Lato() const;
    int corrente_ = 0;
};

#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

// A picture tile of the menus: a picture above a caption, on the window's background, or on pure
// red while it is highlighted (by scanning or under the mouse). The picture is drawn for the
// tile's size whenever the tile is resized; the caption takes the largest font, up to the
// profile's, that fits its box. A disabled tile is shown faded and tells why in its description.
class CasellaMenu : public QWidget {
    Q_OBJECT
public:
    // Draws the picture for a size; may return a null image (nothing shown).
    using Disegnatore = std::function<QImage(QSize)>;

    CasellaMenu(int indice, const QString& didascalia, QWidget* parent = nullptr);

    int Indice() const { return indice_; }
    QString Didascalia() const { return didascalia_; }
    void ImpostaDidascalia(const QString& testo);
    // The name read by assistive tools when the caption alone is ambiguous ("Mappa politica").
    void ImpostaNomeAccessibile(const QString& nome);
    void ImpostaDisegnatore(Disegnatore d);

    // Colours: the window's background and the caption's text.
    void ImpostaColori(const QColor& sfondo, const QColor& testo);
    // The caption's font before fitting (profile font and size).
    void ImpostaCarattere(const QFont& f);
    QFont CarattereDidascalia() const { return carattereAdattato_; }
    QRect RettangoloDidascalia() const;
    QRect RettangoloImmagine() const;

    void ImpostaEvidenziata(bool si);
    bool Evidenziata() const { return evidenziata_; }
    // The colour the tile is painted with now (red while highlighted).
    QColor ColoreAttuale() const;

    static inline const QColor Rosso{255, 0, 0};

signals:
    void cliccata(int indice);
    // The mouse entered or left the tile.
    void puntata(int indice);
    void lasciata(int indice);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void ridisegnaImmagine();
    void adattaCarattere();
    void aggiornaAccessibilita();

    int indice_;
    QString didascalia_;
    QString nomeAccessibile_;
    Disegnatore disegnatore_;
    QImage immagine_;
    QColor sfondo_{Qt::white};
    QColor testo_{Qt::black};
    QFont carattere_;
    QFont carattereAdattato_;
    bool evidenziata_ = false;
};

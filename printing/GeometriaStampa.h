#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// Rounds to the nearest whole number, halves to the even one (92.5 gives 92, 93.5 gives 94).
int ArrotondaPari(double valore);

// Where a picture goes on the sheet, in whole millimetres from the top-left corner of the
// printable area, and the rules of the print preview's size and margin boxes: the limits of what
// can be typed, "Mantieni proporzioni", "Stampa al centro", "Massima" and "Alto sinistra", the
// rectangle of the small and enlarged previews, and the rescaling offered when the area runs
// past the sheet. No widgets: the preview window shows what this class decides.
class GeometriaStampa {
public:
    static constexpr int DimensioneMinima = 1;
    static constexpr int DimensioneMassima = 2000;
    static constexpr int MargineMinimo = -2000;
    static constexpr int MargineMassimo = 2000;

    // The text a size box shows after a change: below 1 "1", above 2000 "2000", otherwise the
    // text as typed ("" stays "" while the user is typing).
    static QString LimitaDimensione(const QString& testo);
    // The same for a margin box: -2000..2000; a lone "-" stays while the user is typing.
    static QString LimitaMargine(const QString& testo);
    // Whether a character may be typed into a size box (digits; Backspace is a key, not a
    // character).
    static bool CarattereDimensione(QChar c) { return c.isDigit(); }
    // Whether a character may be typed into a margin box holding testo with the caret at
    // posizione and selezionato characters selected: digits, and a minus sign only as the first
    // character.
    static bool CarattereMargine(QChar c, const QString& testo, int posizione, int selezionato);

    // The default print area of a picture of the given proportions (width / height): the largest
    // rectangle of those proportions inside a square of lato millimetres, so that a map is never
    // stretched to the square.
    static QSize AdattaNelQuadrato(double proporzione, int lato);

    // The printable size of the sheet of the chosen printer, in millimetres.
    void ImpostaFoglio(int larghezza, int altezza);
    int LarghezzaFoglio() const { return larghezzaFoglio_; }
    int AltezzaFoglio() const { return altezzaFoglio_; }

    // The caller's print area; the proportion (width / height) is fixed from here on.
    void Inizia(int x, int y, int larghezza, int altezza);

    int PosizioneX() const { return x_; }
    int PosizioneY() const { return y_; }
    int LarghezzaStampa() const { return larghezza_; }
    int AltezzaStampa() const { return altezza_; }
    QRect Area() const { return {x_, y_, larghezza_, altezza_}; }
    double Proporzione() const { return proporzione_; }
    bool MantieniProporzioni() const { return mantieni_; }
    bool AlCentro() const { return centro_; }

    // Size changes, brought within 1..2000; with the proportions kept the other side follows.
    void ImpostaLarghezza(int larghezza);
    void ImpostaAltezza(int altezza);
    // Margin changes, brought within -2000..2000.
    void ImpostaX(int x);
    void ImpostaY(int y);
    // Turning the proportions on makes the height follow the width.
    void ImpostaMantieniProporzioni(bool mantieni);
    // Turning "Stampa al centro" on centres the area at once; while on, every refresh does.
    void ImpostaAlCentro(bool centro);
    // The margins as half the free space, rounded (only while centred).
    void Centra();
    // "Massima": the largest area the sheet holds (with the proportions kept, or the whole
    // sheet); a margin that would push it past the sheet is reduced.
    void Massima();
    // "Alto sinistra": both margins 0.
    void AltoSinistra();

    // The print area in a preview box of the given size in pixels (the box shows the sheet).
    QRect RettangoloAnteprima(QSize riquadro) const;

    // Whether the area runs past the printable sheet.
    bool Eccede() const;
    // The area scaled down to the sheet ("Posso cambiare la scala?" answered Yes): first by the
    // width, then, if still too high, by the height; each value rounded.
    QRect Riscalata() const;

private:
    static int Limita(int v, int minimo, int massimo);

    int larghezzaFoglio_ = 210;
    int altezzaFoglio_ = 297;
    int x_ = 0, y_ = 0;
    int larghezza_ = 100, altezza_ = 100;
    double proporzione_ = 1;
    bool mantieni_ = true;
    bool centro_ = false;
};

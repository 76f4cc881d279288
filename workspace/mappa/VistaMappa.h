#pragma once

#include "workspace/mappa/ModelloMappa.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QTransform>

#include <memory>
#include <vector>

class QPainter;

// Everything the map widget does apart from being a widget: the layout of map and puzzle tray in
// a rectangle, the colours, the category frame, the puzzle pieces, hit testing and painting.
// Geometry is cached in device pixels per size (simplified to half a pixel), so painting and hit
// testing cost the same at any zoom and edges stay crisp; a new size rebuilds the cache.
class VistaMappa {
public:
    // Reachability, in device pixels. What a click selects, first to last:
    //  1. a symbol (point symbol or marker) within RaggioMarcatore of its centre, the nearest;
    //  2. the smallest area under the pointer, or the nearest line within its drawn half width
    //     and TolleranzaPropriaLinee: the line wins over the area unless the line would cover a
    //     good part of that area (a lake on its river);
    //  3. the nearest symbol within RaggioPresaMarcatore, then the nearest line within
    //     TolleranzaLinee: these margins only reach over the sea, background land and the
    //     undistinguished land, never into an element's own area;
    //  4. physical maps: the border layer, then the undistinguished land.
    // Elements too small to be seen get a marker; so does any element that the rule above would
    // leave with fewer than SuperficieRiservata pixels of its own. A marker that would cover
    // another symbol is moved aside.
    static constexpr double LatoMarcatore = 24;         // markers of tiny elements, point symbols
    static constexpr double SogliaPiccolo = 24;         // elements narrower than this get a marker
    static constexpr double SuperficiePiccola = 200;    // ... or covering fewer square pixels
    static constexpr double RaggioMarcatore = 13;       // the drawn symbol and its halo
    static constexpr double RaggioPresaMarcatore = 17;  // a symbol is hit this close to its centre
    static constexpr double TolleranzaPropriaLinee = 3; // beyond half the drawn width of a line
    static constexpr double TolleranzaLinee = 10;       // lines are hit this close
    static constexpr double TolleranzaConfine = 5;      // physical borders ("Confine")
    static constexpr double SuperficieRiservata = 100;  // pixels an element keeps for itself
    static constexpr double TolleranzaIncastro = 30; // a piece dropped with its centre this close
    static constexpr double SovrapposizioneIncastro = 0.4; // ... or covering 40 % of its place

    enum class StatoPezzo { Assente, NelVassoio, Posato, Nascosto };

    struct Colpo {
        int indice = -1;      // element index, -1 when nothing is hit
        bool confine = false; // the physical border layer was hit
        QString nome;         // element name, or the border layer's name
        bool valido() const { return indice >= 0 || confine; }
    };

    VistaMappa();

    // A new map (or none) and its mode; every colour, frame and piece state starts afresh.
    void impostaDati(std::shared_ptr<const DatiMappa> dati, bool puzzle = false,
                     bool trascinamento = false);
    const DatiMappa* dati() const { return dati_.get(); }
    bool puzzle() const { return puzzle_; }
    bool trascinamento() const { return puzzle_ && trascinamento_; }

    void impostaDimensione(QSize dimensione);
    QSize dimensione() const { return dimensione_; }

    // --- colours -----------------------------------------------------------------------------
    // Colours an element, a piece (element name + "p") or the border layer. False when no object
    // has that name or the colour is not "RRGGBB".
    bool colora(const QString& oggetto, const QString& rrggbb);
    bool colora(const QString& oggetto, const QColor& colore);
    QColor colore(const QString& oggetto) const; // invalid colour for an unknown object
    QColor coloreElemento(int indice) const;
    void impostaSfondo(const QColor& c);  // the map's background (BGColor)
    void impostaCornice(const QColor& c); // the letterbox around the map (BackgroundColor)
    QColor sfondo() const { return sfondo_; }
    QColor cornice() const { return cornice_.isValid() ? cornice_ : sfondo_; }
    // The colour that means "highlighted" (for accessibility); invalid = none.
    void impostaColoreEvidenziazione(const QColor& c) { evidenziazione_ = c; }
    bool evidenziato(int indice) const;

    // --- frames ------------------------------------------------------------------------------
    // Frame 0 shows every category, 1..7 one category (physical maps). Out of range: ignored.
    bool impostaFotogramma(int n);
    int fotogramma() const { return fotogramma_; }
    bool visibile(int indice) const;

    // --- puzzle ------------------------------------------------------------------------------
    static QString NomePezzo(const QString& elemento) { return elemento + u'p'; }
    // The piece of this element waits in the tray (unknown names: nothing on offer).
    bool offriPezzo(const QString& elemento);
    // Takes a piece off the board; accepts the piece name (element + "p") or the element name.
    bool nascondiPezzo(const QString& pezzo);
    QString pezzoOfferto() const;
    StatoPezzo statoPezzo(const QString& elemento) const;
    // Dragging the piece on offer (device coordinates).
    bool iniziaTrascinamento(QPointF punto);
    void trascina(QPointF punto);
    // Ends a drag. True when the piece fell on its place: it settles there. Otherwise it goes
    // back to the tray.
    bool rilascia(QPointF punto);
    bool staTrascinando() const { return trascinando_; }
    // Whether the piece on offer, moved by spostamento pixels from its place, counts as placed.
    bool incastra(QPointF spostamento) const;
    QRectF rettangoloVassoio() const;
    QRectF rettangoloPezzoOfferto() const; // where the piece on offer is drawn now
    // The part of the map the pupil can see without scrolling (device coordinates; empty: all
    // of it). Zoomed in, the tray may be out of sight: the piece on offer then waits in the
    // corner of the visible part farthest from its place, reduced to fit there, and comes back
    // to map scale when it is picked up (or to 80 % of the visible part, when larger; such a
    // piece fits when its centre is dropped on its place). A dragged piece never leaves the
    // visible part.
    void impostaZonaVisibile(const QRectF& zona) { zonaVisibile_ = zona; }
    QRectF zonaVisibile() const;

    // --- geometry ----------------------------------------------------------------------------
    QRectF rettangoloMappa() const;    // the map frame in device pixels
    QTransform trasformazione() const; // map plane -> device
    Colpo colpisci(QPointF punto) const;
    QRectF rettangoloElemento(int indice) const; // device rectangle, marker included
    QPointF puntoDiPresa(int indice) const;      // a point that hits the element
    bool haMarcatore(int indice) const;

    // Paints the map (disegnaMappa: background, tray, elements, symbols) and the piece on offer
    // on top (disegnaPezzo); disegna does both. The widget caches the first and repaints only the
    // second while a piece is dragged.
    void disegna(QPainter& p, const QRectF& esposto) const;
    void disegnaMappa(QPainter& p, const QRectF& esposto) const;
    void disegnaPezzo(QPainter& p) const;

    // The widget's fast path: the map of the device rectangle zona into img (zona's size times
    // rapportoPixel). The element under each pixel, the one beneath it and the antialiased
    // coverage between them are computed once per size, frame and zona; a change of colours then
    // costs one pass over the pixels instead of drawing every element again.
    void componiMappa(QImage& img, const QRect& zona, qreal rapportoPixel) const;

    // Building the geometry and the canvas of a new size on another thread: a copy with the
    // map, mode, size and frame but no cache; preparaTela builds them (on the copy, anywhere);
    // adottaCache takes them back when they are still for this map, size and frame (colours
    // may have changed meanwhile: they are applied when composing).
    VistaMappa copiaSenzaCache() const;
    void preparaTela(const QRect& zona, qreal rapportoPixel) const;
    bool telaPronta(const QRect& zona, qreal rapportoPixel) const;
    bool adottaCache(VistaMappa&& altra);
    // Where the map frame falls at another size (no geometry is built).
    QRectF rettangoloMappaPer(QSize dimensione) const;

private:
    struct Forma {
        QList<QPolygonF> parti; // simplified device geometry: rings, lines or points
        QList<QRectF> limitiParti;
        QList<int> semplici;   // areas: indices of rings that are a polygon without holes
        QPainterPath conBuchi; // areas: the polygons with holes
        QRectF limiti;
        double superficie = 0;
        double lunghezza = 0; // lines: the drawn length
        bool marcatore = false;
        bool protetta = false; // areas: wins over the lines drawn across it
        QPointF centro;        // the marker's centre (or the point symbol's)
        QRectF zona;           // everything a click on the element can reach
    };
    struct Pezzo {
        StatoPezzo stato = StatoPezzo::Assente;
    };

    struct Tela {
        QRect zona;
        qreal rapporto = 0;
        int generazione = -1;
        int fotogramma = -1;
        int larghezza = 0, altezza = 0;
        // Each row as runs: a label fully covering lunghezza pixels, or one edge pixel where
        // sopra covers sotto by copertura/255. Labels: 0 letterbox, 1 map background,
        // 2 + element index.
        struct Tratto {
            quint16 sopra = 0, sotto = 0;
            quint8 copertura = 255;
            quint32 lunghezza = 0;
        };
        std::vector<Tratto> tratti;
        std::vector<quint32> inizioRiga; // altezza + 1 entries into tratti
    };

    void assicuraCache() const;
    void decidiMarcatori() const;
    void costruisciGriglia() const;
    void separaMarcatori() const;
    int pixelPropri(int i) const;
    QPointF puntoProposto(int i) const;
    // The hit rule; tutti: every element counts as visible (frame 0).
    Colpo colpo(QPointF punto, bool tutti) const;
    double raggioProprioLinee() const;
    void costruisciTela(const QRect& zona, qreal rapporto) const;
    void disegnaDecorazioni(QPainter& p, const QRectF& esposto) const;
    struct Impaginazione {
        QRectF mappa, vassoio;
        double scala = 1;
    };
    Impaginazione impagina(QSize dimensione) const;
    void calcolaImpaginazione() const;
    QRectF limitiDisegno(int i) const;
    double spessoreLinee() const;
    double spessoreConfini() const;
    void disegnaForma(QPainter& p, int i, const QColor& colore, const QRectF& esposto) const;
    QPainterPath percorso(int i) const;
    void disegnaSimboli(QPainter& p, int i, const QColor& colore, QPointF spostamento) const;
    QPointF spostamentoVassoio() const;
    struct Attesa {
        QPointF centro; // centre of the piece waiting for the pupil
        double scala = 1;
    };
    Attesa attesaPezzo() const;
    double scalaTrascinamento() const;
    QRectF rettangoloPezzo(int i) const;

    std::shared_ptr<const DatiMappa> dati_;
    bool puzzle_ = false;
    bool trascinamento_ = false;
    QSize dimensione_{800, 600};
    QList<QColor> colori_;
    QList<QColor> coloriPezzi_;
    QList<Pezzo> pezzi_;
    QColor coloreConfini_;
    QColor sfondo_{0x33, 0x66, 0x99};
    QColor cornice_;
    QColor evidenziazione_;
    int fotogramma_ = 0;
    int offerto_ = -1;
    bool trascinando_ = false;
    QPointF presa_;
    QPointF inizioTrascinamento_;
    double scalaTrascinamento_ = 1;
    QPointF spostamentoTrascinamento_;
    QRectF zonaVisibile_;

    mutable bool cacheValida_ = false;
    mutable int generazione_ = 0;
    mutable Tela tela_;
    mutable QList<Forma> forme_;
    // Elements drawn as a symbol (point symbols and markers), and a grid of cells over the widget
    // listing the areas, lines and borders whose reach meets each cell (areas smallest first).
    mutable QList<int> simboli_;
    struct Griglia {
        double lato = 32;
        int colonne = 0, righe = 0;
        std::vector<quint32> inizio; // colonne * righe + 1 entries into elementi
        std::vector<int> elementi;
    };
    mutable Griglia griglia_;
    mutable double superficieProtetta_ = -1; // the largest area a line leaves alone
    mutable QRectF rettangoloMappa_;
    mutable QRectF vassoio_;
    mutable double scala_ = 1;
    // The piece on offer as last drawn.
    mutable QImage immaginePezzo_;
    mutable int pezzoInImmagine_ = -1;
    mutable double scalaImmagine_ = 0;
    mutable QColor coloreImmagine_;
    mutable int generazioneImmagine_ = -1;
};

// Our large high-contrast pointer: a black-outlined yellow arrow, lato pixels tall (at least 48),
// with a white halo so it shows on any map colour. The hot spot is the arrow's tip at (3, 3).
QImage ImmaginePuntatoreGrande(int lato = 56, qreal rapportoPixel = 1.0);

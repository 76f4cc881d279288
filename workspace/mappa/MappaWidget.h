#pragma once

#include "workspace/mappa/ChiaveMappa.h"
#include "workspace/mappa/VistaMappa.h"

#include <QAccessible>
#include <QHash>
#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class QAccessibleInterface;

// The map of every activity window. It draws one map data file, takes the window's requests
// through the same entry points the old map movies had, and reports what the pupil did through
// FSCommand:
//
//   SetVariable("QualeOggetto", name), then SetVariable("TestoColore.QualeColore", "RRGGBB")
//       colours the object named last: an element, a puzzle piece (element name + "p") or the
//       border layer ("Confini" / "Confine"). Use ColoraElemento(), which sends both in order.
//   SetVariable("IstanzaNazioneScelta.NazioneScelta", element)   puts that element's piece in the
//       tray beside the map (puzzle maps with drag only); zoomed in, where the tray is out of
//       sight, the piece waits in a corner of the visible part instead.
//   SetVariable("PerPuzzle.NazioneDaNascondere", element + "p")  takes that piece off the board.
//   GotoFrame(0..7)   physical maps: 0 every category, 1 monte, 2 pianura, 3 deserto, 4 fiume,
//       5 ghiacciaio, 6 mare, 7 altri ("indistinto" land and the borders always show).
//   setBGColor("RRGGBB")        the map's own background (the sea).
//   setBackgroundColor(number)  0xRRGGBB: the letterbox around the map, so that it matches the
//       window; until it is set the letterbox takes the BGColor.
//
// Commands sent with FSCommand(command, args):
//   "elemento" + name, args ""          a click on an element (8-character prefix). Physical maps
//       also report the undistinguished land ("elementoIndistinto" or the name of the land's
//       feature) and the border layer ("elementoConfine").
//   "posato" + name + "p", "colpito"    the piece on offer was dropped on its place (6-character
//       prefix, then the piece name).
//
// The parent sets the widget's geometry for zoom and scrolling; the map keeps its aspect ratio,
// centred and letterboxed, and is drawn from vector data at any size. The hit rule is
// VistaMappa's: symbols, then the smallest area or the line drawn under the pointer, then the
// margins of symbols and lines; elements too small to hit, or left with too few pixels of their
// own, get a round marker of 24 px. The "pm" and puzzle variants show a large high-contrast pointer; a
// window may set another cursor shape on the widget (a blank one while scanning), and
// unsetCursor() or the plain arrow bring back the map's own pointer.
// Every element is an accessible child (name, rectangle, highlighted state); set the highlight
// colour with setColoreEvidenziazione() so that highlighted elements are reported and announced.
class MappaWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Movie READ movie WRITE setMovie)

public:
    static inline const QString PrefissoElemento = QStringLiteral("elemento");
    static inline const QString PrefissoPezzo = QStringLiteral("posato");
    static inline const QString ArgomentoColpito = QStringLiteral("colpito");
    static inline const QString VariabileOggetto = QStringLiteral("QualeOggetto");
    static inline const QString VariabileColore = QStringLiteral("TestoColore.QualeColore");
    static inline const QString VariabilePezzoScelto =
        QStringLiteral("IstanzaNazioneScelta.NazioneScelta");
    static inline const QString VariabileNascondi = QStringLiteral("PerPuzzle.NazioneDaNascondere");

    explicit MappaWidget(QWidget* parent = nullptr);
    ~MappaWidget() override;

    // Loads the map of a key ("swf/Europa/Europapol1pm.swf", a full path ending in such a key, or
    // a ".geojson" path). Every colour, the frame and the pieces start afresh, even for the same
    // key. On failure the widget shows the Italian message, has no elements and returns false.
    bool caricaMappa(const QString& chiave);
    void setMovie(const QString& chiave) { caricaMappa(chiave); }
    QString movie() const { return chiaveTesto_; }
    QString ultimoErrore() const { return errore_; }
    const std::optional<ChiaveMappa>& chiave() const { return chiave_; }

    void SetVariable(const QString& nome, const QString& valore);
    void GotoFrame(int fotogramma);
    void setBGColor(const QString& rrggbb);
    void setBackgroundColor(double rgb);
    void setBackgroundColor(quint32 rgb);
    void setBackgroundColor(int rgb) { setBackgroundColor(quint32(rgb)); }
    void setColoreEvidenziazione(const QString& rrggbb);

    const VistaMappa& vista() const { return vista_; }
    // The element under a widget point, as a click there would report it ("" for nothing).
    QString nomeInPunto(QPoint punto) const;
    // Emits the click command of an element, as a click on it would (used by assistive tools).
    void attivaElemento(int indice);

    // Accessibility: one child per named element.
    int numeroFigliAccessibili() const { return int(figliAccessibili_.size()); }
    int elementoDelFiglio(int figlio) const { return figliAccessibili_.value(figlio, -1); }
    int figlioDellElemento(int elemento) const;
    QAccessibleInterface* interfacciaFiglio(int figlio) const;

    QSize sizeHint() const override { return {800, 600}; }

    // After a new size (a zoom step) the first paint shows the last picture scaled to the new
    // size while the sharp one is built on another thread; it replaces the scaled one as soon as
    // it is ready. False while the scaled picture is shown.
    bool immagineNitida() const { return !anteprima_ && !lavoro_; }
    bool staPreparando() const { return lavoro_ != nullptr; }

signals:
    void FSCommand(const QString& command, const QString& args);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* oggetto, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    struct Lavoro;
    void avviaLavoro(const QRect& zona, qreal rapporto);
    void lavoroFinito(const std::shared_ptr<Lavoro>& lavoro);
    void aggiornaPuntatore();
    // The part of the widget its parent lets the pupil see (zoomed in, scrolled); true when it
    // changed. The piece on offer waits inside it.
    bool aggiornaZonaVisibile();
    void ridisegnaMappa(); // the picture of the map changed
    void annuncia(int elemento, QAccessible::Event evento);
    void azzeraFigliAccessibili();

    VistaMappa vista_;
    QString chiaveTesto_;
    std::optional<ChiaveMappa> chiave_;
    QString errore_;
    QString oggettoInAttesa_;
    int sottoPuntatore_ = -1;
    QList<int> figliAccessibili_;
    // The map as last painted, for the visible part of the widget: repaints that change nothing
    // but the dragged piece, and repaints after a scroll inside it, are a copy.
    QImage immagine_;
    QRect zonaImmagine_;
    bool immagineValida_ = false;
    // The map frame of immagine_, and whether it still shows this map in its colours (then,
    // at another size, it can stand in scaled while the sharp picture is built).
    QRectF mappaImmagine_;
    bool immagineRiusabile_ = false;
    bool anteprima_ = false; // the last paint showed the scaled picture
    std::shared_ptr<Lavoro> lavoro_;
    QRectF zonaVisibile_; // empty: the whole widget is in sight
    mutable QHash<int, QAccessible::Id> idFigli_;
};

// Colours one map object: SetVariable "QualeOggetto" := nome, then "TestoColore.QualeColore" :=
// colore ("RRGGBB", a palette entry), always in this order.
void ColoraElemento(MappaWidget& mappa, const QString& nome, const QString& colore);

#include "workspace/mappa/MappaWidget.h"

#include "workspace/mappa/AccessibileMappa.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSet>
#include <QThreadPool>
#include <QWindow>

#include <cmath>

MappaWidget::MappaWidget(QWidget* parent) : QWidget(parent) {
    InstallaAccessibilitaMappa();
    if (parent)
        parent->installEventFilter(this);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Mappa"));
    vista_.impostaDimensione(size());
}

// The geometry and canvas of one size, built on a worker thread on a copy of the view.
struct MappaWidget::Lavoro {
    VistaMappa vista;
    QRect zona;
    qreal rapporto = 1;
};

MappaWidget::~MappaWidget() {
    azzeraFigliAccessibili();
}

bool MappaWidget::caricaMappa(const QString& chiave) {
    chiaveTesto_ = chiave;
    chiave_ = RisolviChiaveMappa(chiave);
    errore_.clear();
    oggettoInAttesa_.clear();
    sottoPuntatore_ = -1;
    azzeraFigliAccessibili();
    std::shared_ptr<const DatiMappa> dati;
    if (!chiave_) {
        errore_ = QStringLiteral("\"%1\" non è il nome di una mappa.").arg(chiave);
    } else {
        RisultatoMappa r = CaricaMappa(chiave_->fileDati);
        dati = std::move(r.dati);
        errore_ = r.errore;
        if (dati && chiave_->suffisso.isEmpty())
            chiave_->tipo = dati->tipo;
    }
    vista_.impostaDati(dati, chiave_ && chiave_->puzzle, chiave_ && chiave_->trascinamento);
    vista_.impostaDimensione(size());
    if (dati) {
        QSet<QString> visti;
        for (int i = 0; i < dati->elementi.size(); ++i) {
            const ElementoMappa& e = dati->elementi[i];
            if (e.ruolo == RuoloElemento::Elemento && !e.nome.isEmpty() &&
                !visti.contains(e.nome)) {
                visti.insert(e.nome);
                figliAccessibili_.append(i);
            }
        }
    }
    aggiornaPuntatore();
    ridisegnaMappa();
    if (QAccessible::isActive()) {
        QAccessibleEvent ev(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&ev);
    }
    return dati != nullptr;
}

void MappaWidget::aggiornaPuntatore() {
    if (chiave_ && chiave_->puntatoreGrande) {
        const qreal r = std::max<qreal>(1.0, devicePixelRatioF());
        const QImage img = ImmaginePuntatoreGrande(56, r);
        setCursor(QCursor(QPixmap::fromImage(img), 3, 3));
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

bool MappaWidget::eventFilter(QObject* oggetto, QEvent* e) {
    // The viewport (the parent) resized: the part of the map in sight changed with it.
    if (oggetto == parentWidget() && e->type() == QEvent::Resize && aggiornaZonaVisibile() &&
        !vista_.pezzoOfferto().isEmpty())
        update();
    return QWidget::eventFilter(oggetto, e);
}

bool MappaWidget::event(QEvent* e) {
    if (e->type() == QEvent::ParentAboutToChange && parentWidget())
        parentWidget()->removeEventFilter(this);
    else if (e->type() == QEvent::ParentChange && parentWidget())
        parentWidget()->installEventFilter(this);
    // In the large-pointer variants the plain arrow (what unsetCursor() from the window leaves)
    // means the map's own pointer; other shapes a window sets (blank while scanning) stay.
    if (e->type() == QEvent::CursorChange && chiave_ && chiave_->puntatoreGrande &&
        cursor().shape() == Qt::ArrowCursor)
        aggiornaPuntatore();
    return QWidget::event(e);
}

void MappaWidget::SetVariable(const QString& nome, const QString& valore) {
    if (nome == VariabileOggetto) {
        oggettoInAttesa_ = valore;
    } else if (nome == VariabileColore) {
        if (oggettoInAttesa_.isEmpty())
            return;
        const bool eraEvidenziato = [&] {
            const auto indici =
                vista_.dati() ? vista_.dati()->indiciDi(oggettoInAttesa_) : QList<int>();
            return !indici.isEmpty() && vista_.evidenziato(indici.first());
        }();
        const QColor prima = vista_.colore(oggettoInAttesa_);
        if (!vista_.colora(oggettoInAttesa_, valore))
            return;
        if (vista_.colore(oggettoInAttesa_) == prima)
            return;
        ridisegnaMappa();
        if (vista_.dati()) {
            const auto indici = vista_.dati()->indiciDi(oggettoInAttesa_);
            if (!indici.isEmpty()) {
                const bool ora = vista_.evidenziato(indici.first());
                if (ora && !eraEvidenziato)
                    annuncia(indici.first(), QAccessible::Focus);
                if (ora != eraEvidenziato)
                    annuncia(indici.first(), QAccessible::StateChanged);
            }
        }
    } else if (nome == VariabilePezzoScelto) {
        aggiornaZonaVisibile();
        vista_.offriPezzo(valore);
        update();
    } else if (nome == VariabileNascondi) {
        if (vista_.nascondiPezzo(valore))
            update();
    }
}

void MappaWidget::GotoFrame(int fotogramma) {
    if (vista_.impostaFotogramma(fotogramma)) {
        ridisegnaMappa();
        if (QAccessible::isActive()) {
            QAccessibleEvent ev(this, QAccessible::VisibleDataChanged);
            QAccessible::updateAccessibility(&ev);
        }
    }
}

void MappaWidget::setBGColor(const QString& rrggbb) {
    QString t = rrggbb.trimmed();
    bool ok = t.size() == 6;
    const uint v = t.toUInt(&ok, 16);
    if (!ok)
        return;
    vista_.impostaSfondo(QColor::fromRgb(QRgb(0xFF000000u | v)));
    ridisegnaMappa();
}

void MappaWidget::setBackgroundColor(double rgb) {
    if (!std::isfinite(rgb) || rgb < 0 || rgb > 16777215.0)
        return;
    setBackgroundColor(quint32(rgb));
}

void MappaWidget::setBackgroundColor(quint32 rgb) {
    vista_.impostaCornice(QColor::fromRgb(QRgb(0xFF000000u | (rgb & 0xFFFFFFu))));
    ridisegnaMappa();
}

void MappaWidget::setColoreEvidenziazione(const QString& rrggbb) {
    bool ok = rrggbb.size() == 6;
    const uint v = rrggbb.toUInt(&ok, 16);
    vista_.impostaColoreEvidenziazione(ok ? QColor::fromRgb(QRgb(0xFF000000u | v)) : QColor());
}

QString MappaWidget::nomeInPunto(QPoint punto) const {
    return vista_.colpisci(punto).nome;
}

void MappaWidget::attivaElemento(int indice) {
    if (!vista_.dati() || indice < 0 || indice >= vista_.dati()->elementi.size())
        return;
    emit FSCommand(PrefissoElemento + vista_.dati()->elementi[indice].nome, QString());
}

void MappaWidget::ridisegnaMappa() {
    immagineValida_ = false;
    immagineRiusabile_ = false; // other colours, frame or map: the old picture would mislead
    update();
}

void MappaWidget::avviaLavoro(const QRect& zona, qreal rapporto) {
    if (lavoro_)
        return; // when it ends, the next paint asks for what is still missing
    auto lavoro = std::make_shared<Lavoro>();
    lavoro->vista = vista_.copiaSenzaCache();
    lavoro->zona = zona;
    lavoro->rapporto = rapporto;
    lavoro_ = lavoro;
    QPointer<MappaWidget> io(this);
    QThreadPool::globalInstance()->start([lavoro, io] {
        lavoro->vista.preparaTela(lavoro->zona, lavoro->rapporto);
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return; // the program is ending
        QMetaObject::invokeMethod(
            app,
            [lavoro, io] {
                if (io)
                    io->lavoroFinito(lavoro);
            },
            Qt::QueuedConnection);
    });
}

void MappaWidget::lavoroFinito(const std::shared_ptr<Lavoro>& lavoro) {
    if (lavoro != lavoro_)
        return;
    lavoro_.reset();
    if (vista_.adottaCache(std::move(lavoro->vista)))
        immagineValida_ = false;
    update();
}

bool MappaWidget::aggiornaZonaVisibile() {
    const QRect zona = isVisible() ? visibleRegion().boundingRect() : QRect();
    const QRectF nuova = zona.isEmpty() || zona == rect() ? QRectF() : QRectF(zona);
    if (nuova == zonaVisibile_)
        return false;
    zonaVisibile_ = nuova;
    vista_.impostaZonaVisibile(nuova);
    return true;
}

void MappaWidget::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    // Scrolled: the piece on offer follows into the part in sight.
    if (aggiornaZonaVisibile() && !vista_.pezzoOfferto().isEmpty())
        update();
}

void MappaWidget::paintEvent(QPaintEvent* e) {
    if (aggiornaZonaVisibile() && !vista_.pezzoOfferto().isEmpty() && !vista_.staTrascinando() &&
        e->rect() != rect())
        update(); // the piece moved out of the part being painted
    // The part of the widget that can be seen; zoomed in, a margin around it so that scrolling
    // by a step reuses the picture.
    QRect zona = isVisible() ? visibleRegion().boundingRect() : QRect();
    if (!zona.isEmpty() && zona != rect())
        zona.adjust(-zona.width() / 4, -zona.height() / 4, zona.width() / 4, zona.height() / 4);
    zona = zona.united(e->rect()).intersected(rect());
    if (zona.isEmpty())
        zona = e->rect();
    QPainter p(this);
    const qreal dpr = devicePixelRatioF();
    if (!immagineValida_ || !zonaImmagine_.contains(e->rect())) {
        // A new size: until the canvas of this size is built, the last picture, scaled.
        const bool riusabile = immagineRiusabile_ && !immagine_.isNull() && vista_.dati() &&
                               !mappaImmagine_.isEmpty() && vista_.pezzoOfferto().isEmpty();
        if (riusabile && !vista_.telaPronta(zona, dpr)) {
            const QRectF nuova = vista_.rettangoloMappaPer(size());
            if (nuova.size() != mappaImmagine_.size()) {
                const double k = nuova.width() / mappaImmagine_.width();
                const QRectF dove(
                    nuova.topLeft() +
                        (QPointF(zonaImmagine_.topLeft()) - mappaImmagine_.topLeft()) * k,
                    QSizeF(zonaImmagine_.size()) * k);
                // Only the part the paint needs is scaled.
                const QRectF serve = dove.intersected(QRectF(e->rect()));
                const qreal q = immagine_.devicePixelRatio() / k;
                const QRectF sorgente((serve.topLeft() - dove.topLeft()) * q, serve.size() * q);
                p.fillRect(e->rect(), vista_.cornice());
                if (!serve.isEmpty())
                    p.drawImage(serve, immagine_, sorgente);
                anteprima_ = true;
                avviaLavoro(zona, dpr);
                return;
            }
        }
        vista_.componiMappa(immagine_, zona, dpr);
        zonaImmagine_ = zona;
        mappaImmagine_ = vista_.rettangoloMappa();
        immagineValida_ = true;
        immagineRiusabile_ = true;
    }
    anteprima_ = false;
    const QRect r = e->rect();
    const qreal rapporto = immagine_.devicePixelRatio();
    p.drawImage(r, immagine_,
                QRectF((r.topLeft() - zonaImmagine_.topLeft()) * rapporto, r.size() * rapporto));
    vista_.disegnaPezzo(p);
    if (!errore_.isEmpty() && !vista_.dati()) {
        QFont f = font();
        f.setPointSizeF(std::max(12.0, f.pointSizeF() * 1.5));
        p.setFont(f);
        const QColor fondo = vista_.cornice();
        p.setPen(fondo.lightness() > 128 ? Qt::black : Qt::white);
        p.drawText(rect().adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap, errore_);
    }
}

void MappaWidget::resizeEvent(QResizeEvent* e) {
    vista_.impostaDimensione(size());
    aggiornaZonaVisibile();
    immagineValida_ = false;
    QWidget::resizeEvent(e);
}

void MappaWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    const QPointF p = e->position();
    aggiornaZonaVisibile();
    if (vista_.trascinamento() && vista_.iniziaTrascinamento(p)) {
        update();
        return;
    }
    const VistaMappa::Colpo c = vista_.colpisci(p);
    if (c.valido())
        emit FSCommand(PrefissoElemento + c.nome, QString());
}

void MappaWidget::mouseMoveEvent(QMouseEvent* e) {
    if (vista_.staTrascinando()) {
        vista_.trascina(e->position());
        update();
        return;
    }
    const VistaMappa::Colpo c = vista_.colpisci(e->position());
    if (c.indice != sottoPuntatore_) {
        sottoPuntatore_ = c.indice;
        if (c.indice >= 0)
            annuncia(c.indice, QAccessible::Focus);
    }
}

void MappaWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !vista_.staTrascinando()) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    const bool posato = vista_.rilascia(e->position());
    update();
    if (posato) {
        // The state is final before the window hears of it: its handler may pause and let
        // other events in.
        emit FSCommand(PrefissoPezzo + VistaMappa::NomePezzo(vista_.pezzoOfferto()),
                       ArgomentoColpito);
    }
}

void MappaWidget::leaveEvent(QEvent* e) {
    sottoPuntatore_ = -1;
    QWidget::leaveEvent(e);
}

// --- accessibility ----------------------------------------------------------------------------

int MappaWidget::figlioDellElemento(int elemento) const {
    if (!vista_.dati() || elemento < 0 || elemento >= vista_.dati()->elementi.size())
        return -1;
    // Several features of one name share the child of the first.
    const QList<int> indici = vista_.dati()->indiciDi(vista_.dati()->elementi[elemento].nome);
    return int(figliAccessibili_.indexOf(indici.value(0, elemento)));
}

QAccessibleInterface* MappaWidget::interfacciaFiglio(int figlio) const {
    if (figlio < 0 || figlio >= figliAccessibili_.size())
        return nullptr;
    if (auto it = idFigli_.constFind(figlio); it != idFigli_.cend())
        return QAccessible::accessibleInterface(*it);
    auto* i =
        new AccessibileElementoMappa(const_cast<MappaWidget*>(this), figliAccessibili_[figlio]);
    idFigli_.insert(figlio, QAccessible::registerAccessibleInterface(i));
    return i;
}

void MappaWidget::azzeraFigliAccessibili() {
    for (QAccessible::Id id : std::as_const(idFigli_))
        QAccessible::deleteAccessibleInterface(id);
    idFigli_.clear();
    figliAccessibili_.clear();
}

void MappaWidget::annuncia(int elemento, QAccessible::Event evento) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* figlio = interfacciaFiglio(figlioDellElemento(elemento));
    if (!figlio)
        return;
    if (evento == QAccessible::StateChanged) {
        QAccessible::State cambiato;
        cambiato.selected = true;
        QAccessibleStateChangeEvent ev(figlio, cambiato);
        QAccessible::updateAccessibility(&ev);
    } else {
        QAccessibleEvent ev(figlio, evento);
        QAccessible::updateAccessibility(&ev);
    }
}

void ColoraElemento(MappaWidget& mappa, const QString& nome, const QString& colore) {
    mappa.SetVariable(MappaWidget::VariabileOggetto, nome);
    mappa.SetVariable(MappaWidget::VariabileColore, colore);
}

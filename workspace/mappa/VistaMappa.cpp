#include "workspace/mappa/VistaMappa.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor coloreElementoIniziale(0xD8, 0xD8, 0xD8);
const QColor colorePezzoIniziale(0xFF, 0xCC, 0x00);
const QColor coloreConfiniIniziale(0x40, 0x40, 0x40);

bool dentroAnelli(const QList<QPolygonF>& anelli, QPointF p) {
    bool dentro = false;
    for (const QPolygonF& a : anelli) {
        const qsizetype n = a.size();
        for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
            const QPointF& pi = a[i];
            const QPointF& pj = a[j];
            if ((pi.y() > p.y()) != (pj.y() > p.y()) &&
                p.x() < (pj.x() - pi.x()) * (p.y() - pi.y()) / (pj.y() - pi.y()) + pi.x())
                dentro = !dentro;
        }
    }
    return dentro;
}

double distanzaSegmento(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double l2 = QPointF::dotProduct(ab, ab);
    double t = l2 > 0 ? QPointF::dotProduct(p - a, ab) / l2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

double distanzaLinee(const QList<QPolygonF>& linee, QPointF p) {
    double migliore = std::numeric_limits<double>::infinity();
    for (const QPolygonF& l : linee) {
        if (l.size() == 1)
            migliore = std::min(migliore, std::hypot(p.x() - l[0].x(), p.y() - l[0].y()));
        for (qsizetype i = 1; i < l.size(); ++i)
            migliore = std::min(migliore, distanzaSegmento(p, l[i - 1], l[i]));
    }
    return migliore;
}

QRectF quadratoIntorno(QPointF c, double lato) {
    return QRectF(c.x() - lato / 2, c.y() - lato / 2, lato, lato);
}

QPolygonF triangolo(QPointF c, double lato) {
    const double h = lato / 2;
    return QPolygonF{QPointF(c.x(), c.y() - h), QPointF(c.x() + h, c.y() + h * 0.75),
                     QPointF(c.x() - h, c.y() + h * 0.75)};
}

QColor coloreDaTesto(const QString& rrggbb) {
    QString t = rrggbb.trimmed();
    if (t.startsWith(u'#'))
        t.remove(0, 1);
    if (t.size() != 6)
        return {};
    bool ok = false;
    const uint v = t.toUInt(&ok, 16);
    return ok ? QColor::fromRgb(QRgb(0xFF000000u | v)) : QColor();
}

} // namespace

VistaMappa::VistaMappa() = default;

void VistaMappa::impostaDati(std::shared_ptr<const DatiMappa> dati, bool puzzle,
                             bool trascinamento) {
    dati_ = std::move(dati);
    puzzle_ = puzzle;
    trascinamento_ = trascinamento;
    const qsizetype n = dati_ ? dati_->elementi.size() : 0;
    colori_ = QList<QColor>(n);
    coloriPezzi_ = QList<QColor>(n);
    pezzi_ = QList<Pezzo>(n);
    coloreConfini_ = QColor();
    fotogramma_ = 0;
    offerto_ = -1;
    trascinando_ = false;
    cacheValida_ = false;
}

void VistaMappa::impostaDimensione(QSize dimensione) {
    if (dimensione == dimensione_)
        return;
    dimensione_ = dimensione;
    cacheValida_ = false;
}

// --- colours ----------------------------------------------------------------------------------

bool VistaMappa::colora(const QString& oggetto, const QString& rrggbb) {
    const QColor c = coloreDaTesto(rrggbb);
    return c.isValid() && colora(oggetto, c);
}

bool VistaMappa::colora(const QString& oggetto, const QColor& colore) {
    if (!dati_ || !colore.isValid())
        return false;
    if (auto it = dati_->perNome.constFind(oggetto); it != dati_->perNome.cend()) {
        for (int i : *it)
            colori_[i] = colore;
        return true;
    }
    if (oggetto.endsWith(u'p')) {
        const QString elemento = oggetto.chopped(1);
        if (elemento != dati_->stratoConfini) {
            if (auto it = dati_->perNome.constFind(elemento); it != dati_->perNome.cend()) {
                for (int i : *it)
                    coloriPezzi_[i] = colore;
                return true;
            }
        }
    }
    return false;
}

QColor VistaMappa::coloreElemento(int i) const {
    if (!dati_ || i < 0 || i >= colori_.size())
        return {};
    if (colori_[i].isValid())
        return colori_[i];
    const ElementoMappa& e = dati_->elementi[i];
    if (e.ruolo == RuoloElemento::Confine)
        return coloreConfiniIniziale;
    if (e.ruolo == RuoloElemento::Sfondo) {
        // Land that is not an element: a neutral grey that stands apart from the background.
        const QColor s = sfondo_.toRgb();
        const int g = s.lightness() > 150 ? 0x90 : 0xB8;
        return QColor((s.red() * 3 + g * 7) / 10, (s.green() * 3 + g * 7) / 10,
                      (s.blue() * 3 + g * 7) / 10);
    }
    return coloreElementoIniziale;
}

QColor VistaMappa::colore(const QString& oggetto) const {
    if (!dati_)
        return {};
    if (auto it = dati_->perNome.constFind(oggetto); it != dati_->perNome.cend())
        return coloreElemento(it->first());
    if (oggetto.endsWith(u'p')) {
        if (auto it = dati_->perNome.constFind(oggetto.chopped(1)); it != dati_->perNome.cend()) {
            const QColor c = coloriPezzi_[it->first()];
            return c.isValid() ? c : colorePezzoIniziale;
        }
    }
    return {};
}

void VistaMappa::impostaSfondo(const QColor& c) {
    if (c.isValid())
        sfondo_ = c;
}

void VistaMappa::impostaCornice(const QColor& c) {
    if (c.isValid())
        cornice_ = c;
}

bool VistaMappa::evidenziato(int indice) const {
    return evidenziazione_.isValid() && indice >= 0 && indice < colori_.size() &&
           colori_[indice] == evidenziazione_;
}

// --- frames -----------------------------------------------------------------------------------

bool VistaMappa::impostaFotogramma(int n) {
    if (n < 0 || n > 7)
        return false;
    fotogramma_ = n;
    return true;
}

bool VistaMappa::visibile(int i) const {
    if (!dati_ || i < 0 || i >= dati_->elementi.size())
        return false;
    if (dati_->tipo == TipoMappa::Politica || fotogramma_ == 0)
        return true;
    const ElementoMappa& e = dati_->elementi[i];
    if (e.ruolo != RuoloElemento::Elemento || e.categoria == u"indistinto")
        return true;
    return e.categoria == CategoriaDelFotogramma(fotogramma_);
}

// --- layout and cache -------------------------------------------------------------------------

void VistaMappa::calcolaImpaginazione() const {
    const double w = std::max(1, dimensione_.width());
    const double h = std::max(1, dimensione_.height());
    vassoio_ = QRectF();
    if (!dati_) {
        rettangoloMappa_ = QRectF(0, 0, w, h);
        scala_ = 1;
        return;
    }
    const QRectF b = dati_->limiti;
    if (trascinamento()) {
        // The tray holds the piece on offer at map scale: as wide (or tall) as the largest piece,
        // between a fifth and nearly half of the map.
        double maxL = 0, maxA = 0;
        for (const ElementoMappa& e : dati_->elementi) {
            if (e.ruolo != RuoloElemento::Elemento)
                continue;
            maxL = std::max(maxL, e.limiti.width());
            maxA = std::max(maxA, e.limiti.height());
        }
        const double vl = std::clamp(maxL * 1.15, 0.2 * b.width(), 0.45 * b.width());
        const double va = std::clamp(maxA * 1.15, 0.2 * b.height(), 0.45 * b.height());
        const double sDestra = std::min(w / (b.width() + vl), h / b.height());
        const double sSotto = std::min(w / b.width(), h / (b.height() + va));
        if (sDestra >= sSotto) {
            scala_ = sDestra;
            const double tl = (b.width() + vl) * scala_, ta = b.height() * scala_;
            const QPointF o((w - tl) / 2, (h - ta) / 2);
            rettangoloMappa_ = QRectF(o, QSizeF(b.width() * scala_, ta));
            vassoio_ = QRectF(o.x() + b.width() * scala_, o.y(), vl * scala_, ta);
        } else {
            scala_ = sSotto;
            const double tl = b.width() * scala_, ta = (b.height() + va) * scala_;
            const QPointF o((w - tl) / 2, (h - ta) / 2);
            rettangoloMappa_ = QRectF(o, QSizeF(tl, b.height() * scala_));
            vassoio_ = QRectF(o.x(), o.y() + b.height() * scala_, tl, va * scala_);
        }
        vassoio_.adjust(4, 4, -4, -4);
        return;
    }
    scala_ = std::min(w / b.width(), h / b.height());
    const QSizeF s(b.width() * scala_, b.height() * scala_);
    rettangoloMappa_ = QRectF(QPointF((w - s.width()) / 2, (h - s.height()) / 2), s);
}

QTransform VistaMappa::trasformazione() const {
    assicuraCache();
    if (!dati_)
        return {};
    const QRectF& b = dati_->limiti;
    return QTransform(scala_, 0, 0, -scala_, rettangoloMappa_.x() - b.x() * scala_,
                      rettangoloMappa_.y() + b.bottom() * scala_);
}

QRectF VistaMappa::rettangoloMappa() const {
    assicuraCache();
    return rettangoloMappa_;
}

QRectF VistaMappa::rettangoloVassoio() const {
    assicuraCache();
    return vassoio_;
}

void VistaMappa::assicuraCache() const {
    if (cacheValida_)
        return;
    cacheValida_ = true;
    ++generazione_;
    calcolaImpaginazione();
    forme_.clear();
    if (!dati_)
        return;
    const QRectF& b = dati_->limiti;
    const double s = scala_;
    const double dx = rettangoloMappa_.x() - b.x() * s;
    const double dy = rettangoloMappa_.y() + b.bottom() * s;
    forme_.resize(dati_->elementi.size());
    for (qsizetype i = 0; i < dati_->elementi.size(); ++i) {
        const ElementoMappa& e = dati_->elementi[i];
        Forma& f = forme_[i];
        f.limiti = QRectF(QPointF(e.limiti.left() * s + dx, -e.limiti.bottom() * s + dy),
                          QSizeF(e.limiti.width() * s, e.limiti.height() * s));
        f.superficie = e.superficie * s * s;
        double maggiore = -1;
        // Which rings start a polygon, and whether that polygon has holes.
        QList<bool> inizio(e.parti.size(), false);
        for (qsizetype k : e.poligoni)
            if (k >= 0 && k < e.parti.size())
                inizio[k] = true;
        for (qsizetype k = 0; k < e.parti.size(); ++k) {
            const QPolygonF& parte = e.parti[k];
            QPolygonF d;
            d.reserve(parte.size());
            QPointF ultimo;
            for (const QPointF& m : parte) {
                const QPointF q(m.x() * s + dx, -m.y() * s + dy);
                // Points closer than about half a pixel to the last kept one add nothing visible.
                if (d.isEmpty() ||
                    std::abs(q.x() - ultimo.x()) + std::abs(q.y() - ultimo.y()) >= 0.6 ||
                    e.forma == FormaElemento::Punto) {
                    d.append(q);
                    ultimo = q;
                }
            }
            if (!parte.isEmpty() && e.forma != FormaElemento::Punto) {
                const QPointF m = parte.last();
                const QPointF q(m.x() * s + dx, -m.y() * s + dy);
                if (d.last() != q)
                    d.append(q);
            }
            if (e.forma == FormaElemento::Area) {
                if (d.size() < 3)
                    continue; // smaller than a pixel: the marker stands for it
                const QRectF r = d.boundingRect();
                if (r.width() * r.height() > maggiore) {
                    maggiore = r.width() * r.height();
                    f.centro = r.center();
                }
                const bool primo = inizio[k];
                const bool conBuchi = primo && k + 1 < e.parti.size() && !inizio[k + 1];
                const bool buco = !primo;
                if (conBuchi || buco) {
                    f.conBuchi.addPolygon(d);
                    f.conBuchi.closeSubpath();
                } else {
                    f.semplici.append(int(f.parti.size()));
                }
            }
            f.limitiParti.append(d.boundingRect());
            f.parti.append(std::move(d));
        }
        if (maggiore < 0)
            f.centro = f.limiti.center();
        if (e.forma == FormaElemento::Punto && !f.parti.isEmpty() && !f.parti[0].isEmpty())
            f.centro = f.parti[0][0];
        const bool stretto = std::max(f.limiti.width(), f.limiti.height()) < SogliaPiccolo;
        f.marcatore =
            e.ruolo == RuoloElemento::Elemento && e.forma != FormaElemento::Punto &&
            (stretto || (e.forma == FormaElemento::Area && f.superficie < SuperficiePiccola));
    }
}

double VistaMappa::spessoreLinee() const {
    return std::clamp(std::min(rettangoloMappa_.width(), rettangoloMappa_.height()) / 300.0, 2.0,
                      8.0);
}

double VistaMappa::spessoreConfini() const {
    return std::clamp(std::min(rettangoloMappa_.width(), rettangoloMappa_.height()) / 1100.0, 1.0,
                      3.0);
}

bool VistaMappa::haMarcatore(int i) const {
    assicuraCache();
    return i >= 0 && i < forme_.size() && forme_[i].marcatore;
}

QRectF VistaMappa::rettangoloElemento(int i) const {
    assicuraCache();
    if (i < 0 || i >= forme_.size())
        return {};
    const Forma& f = forme_[i];
    const ElementoMappa& e = dati_->elementi[i];
    if (e.forma == FormaElemento::Punto) {
        QRectF r;
        for (const QPointF& p : f.parti.value(0))
            r = r.united(quadratoIntorno(p, LatoMarcatore));
        return r;
    }
    if (f.marcatore)
        return f.limiti.united(quadratoIntorno(f.centro, LatoMarcatore));
    if (e.forma == FormaElemento::Linea) {
        const double m = spessoreLinee() / 2;
        return f.limiti.adjusted(-m, -m, m, m);
    }
    return f.limiti;
}

QRectF VistaMappa::rettangoloPezzo(int i) const {
    assicuraCache();
    if (i < 0 || i >= forme_.size())
        return {};
    const Forma& f = forme_[i];
    if (f.marcatore || dati_->elementi[i].forma == FormaElemento::Punto)
        return quadratoIntorno(f.centro, LatoMarcatore);
    return rettangoloElemento(i);
}

QPointF VistaMappa::puntoDiPresa(int i) const {
    assicuraCache();
    if (i < 0 || i >= forme_.size())
        return {};
    const Forma& f = forme_[i];
    const ElementoMappa& e = dati_->elementi[i];
    if (f.marcatore || e.forma == FormaElemento::Punto)
        return f.centro;
    if (e.forma == FormaElemento::Linea && !f.parti.isEmpty() && !f.parti[0].isEmpty())
        return f.parti[0][f.parti[0].size() / 2];
    // An area: the centre of its largest ring when it falls inside, else a point inside found
    // on the horizontal line through that centre.
    if (dentroAnelli(f.parti, f.centro))
        return f.centro;
    for (const QPolygonF& a : f.parti) {
        QList<double> xs;
        const double y = a.boundingRect().center().y();
        for (qsizetype k = 0, j = a.size() - 1; k < a.size(); j = k++)
            if ((a[k].y() > y) != (a[j].y() > y))
                xs.append((a[j].x() - a[k].x()) * (y - a[k].y()) / (a[j].y() - a[k].y()) +
                          a[k].x());
        std::sort(xs.begin(), xs.end());
        for (qsizetype k = 0; k + 1 < xs.size(); k += 2) {
            const QPointF c((xs[k] + xs[k + 1]) / 2, y);
            if (dentroAnelli(f.parti, c))
                return c;
        }
    }
    return f.centro;
}

// --- hit testing ------------------------------------------------------------------------------

VistaMappa::Colpo VistaMappa::colpisci(QPointF p) const {
    assicuraCache();
    Colpo c;
    if (!dati_)
        return c;
    const QList<ElementoMappa>& el = dati_->elementi;
    auto fatto = [&](int i) {
        c.indice = i;
        c.nome = el[i].nome;
        return c;
    };

    // 1. Point symbols and the markers of tiny elements: they sit on top of everything.
    int migliore = -1;
    double distanza = RaggioPresaMarcatore;
    for (int i = 0; i < el.size(); ++i) {
        if (el[i].ruolo != RuoloElemento::Elemento || !visibile(i))
            continue;
        const Forma& f = forme_[i];
        if (el[i].forma == FormaElemento::Punto) {
            for (const QPointF& q : f.parti.value(0)) {
                const double d = std::hypot(q.x() - p.x(), q.y() - p.y());
                if (d <= distanza) {
                    distanza = d;
                    migliore = i;
                }
            }
        } else if (f.marcatore) {
            const double d = std::hypot(f.centro.x() - p.x(), f.centro.y() - p.y());
            if (d <= distanza) {
                distanza = d;
                migliore = i;
            }
        }
    }
    if (migliore >= 0)
        return fatto(migliore);

    // 2. Lines (rivers), within a generous tolerance.
    distanza = TolleranzaLinee;
    for (int i = 0; i < el.size(); ++i) {
        if (el[i].ruolo != RuoloElemento::Elemento || el[i].forma != FormaElemento::Linea ||
            !visibile(i))
            continue;
        const Forma& f = forme_[i];
        if (!f.limiti.adjusted(-distanza, -distanza, distanza, distanza).contains(p))
            continue;
        const double d = distanzaLinee(f.parti, p);
        if (d <= distanza) {
            distanza = d;
            migliore = i;
        }
    }
    if (migliore >= 0)
        return fatto(migliore);

    // 3. Areas under the pointer: the smallest wins (a lake inside a plain, an enclave).
    auto areaPiuPiccola = [&](bool indistinto) {
        int scelta = -1;
        double superficie = std::numeric_limits<double>::infinity();
        for (int i = 0; i < el.size(); ++i) {
            const ElementoMappa& e = el[i];
            if (e.ruolo != RuoloElemento::Elemento || e.forma != FormaElemento::Area ||
                (e.categoria == u"indistinto") != indistinto || !visibile(i))
                continue;
            const Forma& f = forme_[i];
            if (!f.limiti.contains(p) || f.superficie >= superficie)
                continue;
            if (dentroAnelli(f.parti, p)) {
                superficie = f.superficie;
                scelta = i;
            }
        }
        return scelta;
    };
    migliore = areaPiuPiccola(false);
    if (migliore >= 0)
        return fatto(migliore);

    // 4. Physical maps report their border layer, then the undistinguished land.
    if (dati_->tipo == TipoMappa::Fisica) {
        for (int i = 0; i < el.size(); ++i) {
            if (el[i].ruolo != RuoloElemento::Confine)
                continue;
            const Forma& f = forme_[i];
            const double t = TolleranzaConfine;
            if (!f.limiti.adjusted(-t, -t, t, t).contains(p))
                continue;
            const bool colpito = el[i].forma == FormaElemento::Area
                                     ? dentroAnelli(f.parti, p)
                                     : distanzaLinee(f.parti, p) <= t;
            if (colpito) {
                c.confine = true;
                c.nome = dati_->stratoConfini;
                return c;
            }
        }
        migliore = areaPiuPiccola(true);
        if (migliore >= 0) {
            fatto(migliore);
            if (c.nome.isEmpty())
                c.nome = QStringLiteral("Indistinto");
            return c;
        }
    }
    return c;
}

// --- puzzle -----------------------------------------------------------------------------------

bool VistaMappa::offriPezzo(const QString& elemento) {
    trascinando_ = false;
    if (offerto_ >= 0 && pezzi_[offerto_].stato == StatoPezzo::NelVassoio)
        pezzi_[offerto_].stato = StatoPezzo::Assente;
    offerto_ = -1;
    if (!dati_ || !puzzle_)
        return false;
    const QList<int> indici = dati_->indiciDi(elemento);
    if (indici.isEmpty() || dati_->elementi[indici.first()].ruolo != RuoloElemento::Elemento)
        return false;
    offerto_ = indici.first();
    pezzi_[offerto_].stato = StatoPezzo::NelVassoio;
    return true;
}

bool VistaMappa::nascondiPezzo(const QString& pezzo) {
    if (!dati_ || !puzzle_)
        return false;
    QList<int> indici;
    if (pezzo.endsWith(u'p'))
        indici = dati_->indiciDi(pezzo.chopped(1));
    if (indici.isEmpty())
        indici = dati_->indiciDi(pezzo);
    if (indici.isEmpty() || dati_->elementi[indici.first()].ruolo != RuoloElemento::Elemento)
        return false;
    const int i = indici.first();
    pezzi_[i].stato = StatoPezzo::Nascosto;
    if (i == offerto_) {
        offerto_ = -1;
        trascinando_ = false;
    }
    return true;
}

QString VistaMappa::pezzoOfferto() const {
    return dati_ && offerto_ >= 0 ? dati_->elementi[offerto_].nome : QString();
}

VistaMappa::StatoPezzo VistaMappa::statoPezzo(const QString& elemento) const {
    if (!dati_)
        return StatoPezzo::Assente;
    const QList<int> indici = dati_->indiciDi(elemento);
    return indici.isEmpty() ? StatoPezzo::Assente : pezzi_[indici.first()].stato;
}

QPointF VistaMappa::spostamentoVassoio() const {
    assicuraCache();
    if (offerto_ < 0)
        return {};
    const QRectF posto = rettangoloPezzo(offerto_);
    QPointF d = vassoio_.center() - posto.center();
    // A piece larger than the tray reaches over the map rather than out of the widget.
    const QRectF r = posto.translated(d);
    const double w = dimensione_.width(), h = dimensione_.height();
    if (r.right() > w - 4)
        d.rx() -= std::min(r.right() - (w - 4), r.left() - 4);
    if (r.bottom() > h - 4)
        d.ry() -= std::min(r.bottom() - (h - 4), r.top() - 4);
    return d;
}

QRectF VistaMappa::zonaVisibile() const {
    const QRectF tutto(QPointF(0, 0), QSizeF(dimensione_));
    const QRectF z = zonaVisibile_.intersected(tutto);
    return z.isEmpty() ? tutto : z;
}

VistaMappa::Attesa VistaMappa::attesaPezzo() const {
    assicuraCache();
    const QRectF posto = rettangoloPezzo(offerto_);
    const QRectF z = zonaVisibile();
    if (posto.isEmpty())
        return {posto.center(), 1};
    if (z.contains(vassoio_)) {
        // The tray is in sight: the piece at map scale, reduced only if the view is smaller.
        const double s =
            std::min({1.0, (z.width() - 8) / posto.width(), (z.height() - 8) / posto.height()});
        return {posto.center() + spostamentoVassoio(), std::max(s, 0.02)};
    }
    // Zoomed in: at most 45 % of the visible part, in its corner farthest from the place.
    const QRectF dentro = z.adjusted(6, 6, -6, -6);
    const double s = std::max(0.02, std::min({1.0, 0.45 * dentro.width() / posto.width(),
                                              0.45 * dentro.height() / posto.height()}));
    const QSizeF m = posto.size() * s;
    const double x[2] = {dentro.left() + m.width() / 2, dentro.right() - m.width() / 2};
    const double y[2] = {dentro.top() + m.height() / 2, dentro.bottom() - m.height() / 2};
    QPointF migliore(x[1], y[1]);
    double distanza = -1;
    for (double cy : {y[1], y[0]})
        for (double cx : {x[1], x[0]}) {
            const QPointF c(cx, cy);
            const QPointF v = c - posto.center();
            const double d = v.x() * v.x() + v.y() * v.y();
            if (d > distanza + 1) {
                distanza = d;
                migliore = c;
            }
        }
    return {migliore, s};
}

QRectF VistaMappa::rettangoloPezzoOfferto() const {
    if (!trascinamento() || offerto_ < 0 || pezzi_[offerto_].stato != StatoPezzo::NelVassoio)
        return {};
    const QRectF posto = rettangoloPezzo(offerto_);
    const double s = trascinando_ ? scalaTrascinamento_ : attesaPezzo().scala;
    QRectF r(QPointF(), posto.size() * s);
    r.moveCenter(trascinando_ ? posto.center() + spostamentoTrascinamento_ : attesaPezzo().centro);
    return r;
}

double VistaMappa::scalaTrascinamento() const {
    // Map scale, unless the piece is larger than the part of the map in sight (zoomed in on a
    // large element): then reduced to fit it, so it can be carried anywhere in view.
    const QRectF posto = rettangoloPezzo(offerto_);
    const QRectF z = zonaVisibile();
    if (posto.isEmpty())
        return 1;
    return std::max(
        0.02, std::min({1.0, 0.8 * z.width() / posto.width(), 0.8 * z.height() / posto.height()}));
}

bool VistaMappa::iniziaTrascinamento(QPointF punto) {
    const QRectF r = rettangoloPezzoOfferto();
    // The whole box of the piece, and a margin, can be grabbed: easier for an unsteady hand.
    if (r.isNull() || !r.adjusted(-8, -8, 8, 8).contains(punto))
        return false;
    // The piece takes its dragging size with the grabbed point of it under the pointer.
    const QRectF posto = rettangoloPezzo(offerto_);
    scalaTrascinamento_ = scalaTrascinamento();
    const QSizeF m = posto.size() * scalaTrascinamento_;
    const double u = r.width() > 0 ? std::clamp((punto.x() - r.left()) / r.width(), 0.0, 1.0) : 0.5;
    const double v =
        r.height() > 0 ? std::clamp((punto.y() - r.top()) / r.height(), 0.0, 1.0) : 0.5;
    const QPointF centro =
        punto - QPointF(u * m.width(), v * m.height()) + QPointF(m.width() / 2, m.height() / 2);
    inizioTrascinamento_ = centro - posto.center();
    spostamentoTrascinamento_ = inizioTrascinamento_;
    presa_ = punto;
    trascinando_ = true;
    return true;
}

void VistaMappa::trascina(QPointF punto) {
    if (!trascinando_)
        return;
    // The pointer may leave the map; the piece stays where it can be seen.
    const QRectF z = zonaVisibile();
    const QPointF p(std::clamp(punto.x(), z.left(), z.right()),
                    std::clamp(punto.y(), z.top(), z.bottom()));
    spostamentoTrascinamento_ = inizioTrascinamento_ + (p - presa_);
}

bool VistaMappa::incastra(QPointF d) const {
    if (offerto_ < 0)
        return false;
    if (std::hypot(d.x(), d.y()) <= TolleranzaIncastro)
        return true;
    const QRectF posto = rettangoloPezzo(offerto_);
    const QRectF comune = posto.intersected(posto.translated(d));
    const double a = posto.width() * posto.height();
    return a > 0 && comune.width() * comune.height() >= SovrapposizioneIncastro * a;
}

bool VistaMappa::rilascia(QPointF punto) {
    if (!trascinando_)
        return false;
    trascina(punto);
    trascinando_ = false;
    const QPointF d = spostamentoTrascinamento_;
    bool dentro = false;
    if (scalaTrascinamento_ < 1) {
        // A reduced piece fits when its centre falls on its place, or near its middle.
        const Colpo c = colpisci(rettangoloPezzo(offerto_).center() + d);
        dentro =
            std::hypot(d.x(), d.y()) <= TolleranzaIncastro ||
            (c.indice >= 0 && dati_->elementi[c.indice].nome == dati_->elementi[offerto_].nome);
    } else {
        dentro = incastra(d);
    }
    if (!dentro)
        return false; // back to the tray
    pezzi_[offerto_].stato = StatoPezzo::Posato;
    return true;
}

// --- painting ---------------------------------------------------------------------------------

QRectF VistaMappa::limitiDisegno(int i) const {
    const double m = std::max(spessoreLinee(), LatoMarcatore) / 2 + 2;
    return forme_[i].limiti.adjusted(-m, -m, m, m);
}

QPainterPath VistaMappa::percorso(int i) const {
    QPainterPath pp;
    const ElementoMappa& e = dati_->elementi[i];
    for (const QPolygonF& parte : forme_[i].parti) {
        pp.addPolygon(parte);
        if (e.forma == FormaElemento::Area)
            pp.closeSubpath();
    }
    return pp;
}

void VistaMappa::disegnaForma(QPainter& p, int i, const QColor& colore,
                              const QRectF& esposto) const {
    const ElementoMappa& e = dati_->elementi[i];
    const Forma& f = forme_[i];
    switch (e.forma) {
    case FormaElemento::Area:
        p.setPen(Qt::NoPen);
        p.setBrush(colore);
        for (int k : f.semplici)
            if (f.limitiParti[k].intersects(esposto))
                p.drawPolygon(f.parti[k]);
        if (!f.conBuchi.isEmpty())
            p.drawPath(f.conBuchi);
        break;
    case FormaElemento::Linea: {
        const bool confine = e.ruolo == RuoloElemento::Confine;
        const double w = confine ? spessoreConfini() : spessoreLinee();
        QPen penna(colore, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        if (confine && w <= 1.0)
            penna.setCosmetic(true); // the fast thin-line path
        p.setPen(penna);
        p.setBrush(Qt::NoBrush);
        const double m = w / 2 + 1;
        for (qsizetype k = 0; k < f.parti.size(); ++k)
            if (f.limitiParti[k].adjusted(-m, -m, m, m).intersects(esposto))
                p.drawPolyline(f.parti[k]);
        break;
    }
    case FormaElemento::Punto:
        break;
    }
}

void VistaMappa::disegnaSimboli(QPainter& p, int i, const QColor& colore,
                                QPointF spostamento) const {
    const ElementoMappa& e = dati_->elementi[i];
    const Forma& f = forme_[i];
    QPen alone(Qt::white, 4.5);
    alone.setJoinStyle(Qt::RoundJoin);
    QPen bordo(Qt::black, 2);
    bordo.setJoinStyle(Qt::RoundJoin);
    if (e.forma == FormaElemento::Punto) {
        for (const QPointF& q : f.parti.value(0)) {
            const QPolygonF t = triangolo(q + spostamento, LatoMarcatore);
            p.setBrush(Qt::NoBrush);
            p.setPen(alone);
            p.drawPolygon(t);
            p.setPen(bordo);
            p.setBrush(colore);
            p.drawPolygon(t);
        }
    } else if (f.marcatore) {
        const QRectF r = quadratoIntorno(f.centro + spostamento, LatoMarcatore - 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(alone);
        p.drawEllipse(r);
        p.setPen(bordo);
        p.setBrush(colore);
        p.drawEllipse(r);
    }
}

void VistaMappa::disegna(QPainter& p, const QRectF& esposto) const {
    disegnaMappa(p, esposto);
    disegnaPezzo(p);
}

void VistaMappa::disegnaMappa(QPainter& p, const QRectF& esposto) const {
    assicuraCache();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(esposto, cornice());
    p.fillRect(rettangoloMappa_.intersected(esposto), sfondo_);
    if (dati_) {
        const QList<ElementoMappa>& el = dati_->elementi;
        for (int i = 0; i < el.size(); ++i) {
            if (el[i].forma == FormaElemento::Punto || !visibile(i) ||
                !limitiDisegno(i).intersects(esposto))
                continue;
            disegnaForma(p, i, coloreElemento(i), esposto);
        }
    }
    p.restore();
    disegnaDecorazioni(p, esposto);
}

// --- the label canvas ---------------------------------------------------------------------

void VistaMappa::costruisciTela(const QRect& zona, qreal rapporto) const {
    Tela& t = tela_;
    t.zona = zona;
    t.rapporto = rapporto;
    t.generazione = generazione_;
    t.fotogramma = fotogramma_;
    t.larghezza = int(std::ceil(zona.width() * rapporto));
    t.altezza = int(std::ceil(zona.height() * rapporto));
    const size_t n = size_t(t.larghezza) * size_t(t.altezza);
    std::vector<quint16> sopra(n, 0), sotto(n, 0);
    std::vector<quint8> copertura(n, 255);
    t.tratti.clear();
    t.inizioRiga.assign(size_t(t.altezza) + 1, 0);
    if (n == 0)
        return;
    // Turns the pixel labels into runs when the canvas is done (also on an early return).
    struct AllaFine {
        Tela& t;
        std::vector<quint16>& sopra;
        std::vector<quint16>& sotto;
        std::vector<quint8>& copertura;
        ~AllaFine() {
            t.tratti.reserve(size_t(t.altezza) * 64);
            for (int y = 0; y < t.altezza; ++y) {
                t.inizioRiga[size_t(y)] = quint32(t.tratti.size());
                const size_t base = size_t(y) * size_t(t.larghezza);
                int x = 0;
                while (x < t.larghezza) {
                    const size_t k = base + size_t(x);
                    Tela::Tratto r;
                    r.sopra = sopra[k];
                    r.copertura = copertura[k];
                    if (r.copertura != 255) {
                        r.sotto = sotto[k];
                        r.lunghezza = 1;
                    } else {
                        int fine = x + 1;
                        while (fine < t.larghezza && copertura[base + size_t(fine)] == 255 &&
                               sopra[base + size_t(fine)] == r.sopra)
                            ++fine;
                        r.lunghezza = quint32(fine - x);
                    }
                    x += int(r.lunghezza);
                    t.tratti.push_back(r);
                }
            }
            t.inizioRiga[size_t(t.altezza)] = quint32(t.tratti.size());
        }
    } allaFine{t, sopra, sotto, copertura};

    // Device pixels of the canvas: device point q is canvas point (q - zona.topLeft) * rapporto.
    const QRect mappa = QRectF((rettangoloMappa_.topLeft() - zona.topLeft()) * rapporto,
                               rettangoloMappa_.size() * rapporto)
                            .toAlignedRect()
                            .intersected(QRect(0, 0, t.larghezza, t.altezza));
    for (int y = mappa.top(); y <= mappa.bottom(); ++y)
        std::fill_n(sopra.begin() + qsizetype(y) * t.larghezza + mappa.left(), mappa.width(),
                    quint16(1));
    if (!dati_)
        return;

    // Each element is rasterised once, antialiased, into a coverage scratch, and merged: where it
    // covers a pixel fully it becomes the only label; where partly, it goes on top of whatever was
    // the main label there, with its coverage.
    QImage graffio(t.larghezza, t.altezza, QImage::Format_Alpha8);
    graffio.fill(0);
    QPainter p(&graffio);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QTransform versoTela =
        QTransform::fromTranslate(-zona.x(), -zona.y()) * QTransform::fromScale(rapporto, rapporto);
    const QRectF esposto(zona);
    const QList<ElementoMappa>& el = dati_->elementi;
    for (int i = 0; i < el.size() && i < 65534; ++i) {
        if (el[i].forma == FormaElemento::Punto || !visibile(i))
            continue;
        const double m = el[i].forma == FormaElemento::Linea ? spessoreLinee() / 2 + 2 : 2;
        const QRectF limiti = forme_[i].limiti.adjusted(-m, -m, m, m);
        if (!limiti.intersects(esposto))
            continue;
        const QRect r = versoTela.mapRect(limiti).toAlignedRect().intersected(graffio.rect());
        if (r.isEmpty())
            continue;
        p.setClipRect(r);
        p.setTransform(versoTela);
        disegnaForma(p, i, Qt::black, esposto);
        p.resetTransform();
        const quint16 etichetta = quint16(i + 2);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uchar* riga = graffio.scanLine(y);
            const qsizetype base = qsizetype(y) * t.larghezza;
            for (int x = r.left(); x <= r.right(); ++x) {
                const uchar c = riga[x];
                if (!c)
                    continue;
                riga[x] = 0;
                const qsizetype k = base + x;
                if (c == 255) {
                    sopra[k] = etichetta;
                    copertura[k] = 255;
                } else {
                    sotto[k] = copertura[k] >= 128 ? sopra[k] : sotto[k];
                    sopra[k] = etichetta;
                    copertura[k] = c;
                }
            }
        }
    }
}

void VistaMappa::componiMappa(QImage& img, const QRect& zona, qreal rapporto) const {
    assicuraCache();
    const Tela& t = tela_;
    if (t.zona != zona || t.rapporto != rapporto || t.generazione != generazione_ ||
        t.fotogramma != fotogramma_)
        costruisciTela(zona, rapporto);
    if (img.width() != t.larghezza || img.height() != t.altezza ||
        img.format() != QImage::Format_RGB32)
        img = QImage(t.larghezza, t.altezza, QImage::Format_RGB32); // opaque: copied, not blended
    img.setDevicePixelRatio(rapporto);

    const qsizetype n = dati_ ? dati_->elementi.size() : 0;
    std::vector<quint32> colori(size_t(n + 2));
    colori[0] = cornice().rgb() | 0xFF000000u;
    colori[1] = sfondo_.rgb() | 0xFF000000u;
    for (qsizetype i = 0; i < n; ++i)
        colori[size_t(i + 2)] = coloreElemento(int(i)).rgb() | 0xFF000000u;
    const quint32* c = colori.data();
    for (int y = 0; y < t.altezza; ++y) {
        auto* riga = reinterpret_cast<quint32*>(img.scanLine(y));
        const Tela::Tratto* r = t.tratti.data() + t.inizioRiga[size_t(y)];
        const Tela::Tratto* fine = t.tratti.data() + t.inizioRiga[size_t(y) + 1];
        for (; r != fine; ++r) {
            if (r->copertura == 255) {
                std::fill_n(riga, r->lunghezza, c[r->sopra]);
                riga += r->lunghezza;
                continue;
            }
            const uint a = r->copertura;
            const quint32 p = c[r->sopra], q = c[r->sotto];
            const uint b = 255 - a;
            quint32 rb = (p & 0xFF00FFu) * a + (q & 0xFF00FFu) * b;
            rb = ((rb + ((rb >> 8) & 0xFF00FFu) + 0x800080u) >> 8) & 0xFF00FFu;
            quint32 g = ((p >> 8) & 0xFFu) * a + ((q >> 8) & 0xFFu) * b;
            g = ((g + (g >> 8) + 0x80u) >> 8) & 0xFFu;
            *riga++ = 0xFF000000u | rb | (g << 8);
        }
    }
    QPainter p(&img);
    p.translate(-zona.topLeft());
    disegnaDecorazioni(p, QRectF(zona));
}

void VistaMappa::disegnaDecorazioni(QPainter& p, const QRectF& esposto) const {
    if (!dati_)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    if (!vassoio_.isNull() && vassoio_.intersects(esposto)) {
        const QColor s = sfondo_.toRgb();
        const QColor fondo = s.lightness() > 128 ? s.darker(115) : s.lighter(140);
        p.setPen(QPen(s.lightness() > 128 ? Qt::black : Qt::white, 2, Qt::DashLine));
        p.setBrush(fondo);
        p.drawRoundedRect(vassoio_, 12, 12);
    }
    const QList<ElementoMappa>& el = dati_->elementi;
    for (int i = 0; i < el.size(); ++i) {
        if ((el[i].forma != FormaElemento::Punto && !forme_[i].marcatore) || !visibile(i) ||
            !limitiDisegno(i).intersects(esposto))
            continue;
        disegnaSimboli(p, i, coloreElemento(i), {});
    }
    p.restore();
}

void VistaMappa::disegnaPezzo(QPainter& p) const {
    // The piece on offer, in the tray or under the pointer, outlined so it shows on any colour.
    const QRectF pezzo = rettangoloPezzoOfferto();
    if (pezzo.isNull())
        return;
    const QList<ElementoMappa>& el = dati_->elementi;
    const QPointF centro = rettangoloPezzo(offerto_).center();
    const QPointF d = pezzo.center() - centro;
    const QColor c =
        coloriPezzi_[offerto_].isValid() ? coloriPezzi_[offerto_] : colorePezzoIniziale;
    const Forma& f = forme_[offerto_];
    if (f.marcatore || el[offerto_].forma == FormaElemento::Punto) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        disegnaSimboli(p, offerto_, c, d);
        p.restore();
        return;
    }
    // Outlining a large piece costs far more than a frame; it is drawn once per piece, size and
    // colour, and a drag only moves the picture.
    const double scala = trascinando_ ? scalaTrascinamento_ : attesaPezzo().scala;
    const qreal rapporto = p.device() ? std::max<qreal>(1.0, p.device()->devicePixelRatioF()) : 1.0;
    const double margine = std::max(5.0, spessoreLinee() + 4) / 2 + 2;
    if (immaginePezzo_.isNull() || pezzoInImmagine_ != offerto_ || scalaImmagine_ != scala ||
        coloreImmagine_ != c || generazioneImmagine_ != generazione_ ||
        immaginePezzo_.devicePixelRatio() != rapporto) {
        const QRectF cornice = pezzo.adjusted(-margine, -margine, margine, margine);
        const QSize px(int(std::ceil(cornice.width() * rapporto)),
                       int(std::ceil(cornice.height() * rapporto)));
        immaginePezzo_ = QImage(px, QImage::Format_ARGB32_Premultiplied);
        immaginePezzo_.setDevicePixelRatio(rapporto);
        immaginePezzo_.fill(Qt::transparent);
        QPainter q(&immaginePezzo_);
        q.setRenderHint(QPainter::Antialiasing, true);
        // Moved and reduced as a path, so that outlines keep their width.
        QTransform t;
        t.translate(margine, margine);
        t.scale(scala, scala);
        t.translate(-(centro.x() - pezzo.width() / scala / 2),
                    -(centro.y() - pezzo.height() / scala / 2));
        const QPainterPath pp = t.map(percorso(offerto_));
        if (el[offerto_].forma == FormaElemento::Area) {
            // A white halo and a black outline, as hairlines drawn a few times side by side:
            // on coastlines of thousands of points a wide pen costs ten times more.
            q.setBrush(Qt::NoBrush);
            q.setPen(QPen(Qt::white, 0));
            for (const QPointF o :
                 {QPointF(-2, -2), QPointF(2, -2), QPointF(-2, 2), QPointF(2, 2), QPointF(0, -2.5),
                  QPointF(0, 2.5), QPointF(-2.5, 0), QPointF(2.5, 0)})
                q.drawPath(pp.translated(o));
            q.setPen(Qt::NoPen);
            q.setBrush(c);
            q.drawPath(pp);
            q.setBrush(Qt::NoBrush);
            q.setPen(QPen(Qt::black, 0));
            for (const QPointF o :
                 {QPointF(-0.6, -0.6), QPointF(0.6, -0.6), QPointF(-0.6, 0.6), QPointF(0.6, 0.6)})
                q.drawPath(pp.translated(o));
        } else {
            q.strokePath(pp, QPen(Qt::black, spessoreLinee() + 4, Qt::SolidLine, Qt::RoundCap,
                                  Qt::BevelJoin));
            q.strokePath(pp, QPen(c, spessoreLinee(), Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
        }
        pezzoInImmagine_ = offerto_;
        scalaImmagine_ = scala;
        coloreImmagine_ = c;
        generazioneImmagine_ = generazione_;
    }
    p.drawImage(pezzo.topLeft() - QPointF(margine, margine), immaginePezzo_);
}

// --- pointer ----------------------------------------------------------------------------------

QImage ImmaginePuntatoreGrande(int lato, qreal rapportoPixel) {
    lato = std::max(lato, 48);
    const int px = int(std::ceil(lato * rapportoPixel));
    QImage img(px, px, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(rapportoPixel);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The classic arrow, drawn on a grid of 16 units scaled to the size.
    const double u = (lato - 6) / 16.0;
    const QPolygonF freccia{QPointF(0, 0),     QPointF(0, 14),     QPointF(3.5, 10.8),
                            QPointF(6, 16),    QPointF(8.6, 14.8), QPointF(6.2, 9.8),
                            QPointF(10.6, 9.8)};
    QPolygonF f;
    for (const QPointF& q : freccia)
        f.append(QPointF(3 + q.x() * u, 3 + q.y() * u));
    p.setPen(QPen(Qt::white, 3.5 + u / 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(f);
    p.setPen(QPen(Qt::black, 1.5 + u / 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0xE6, 0x00));
    p.drawPolygon(f);
    return img;
}

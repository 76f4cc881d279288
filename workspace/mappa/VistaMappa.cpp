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

bool dentroAnello(const QPolygonF& a, QPointF p) {
    bool dentro = false;
    const qsizetype n = a.size();
    for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
        const QPointF& pi = a[i];
        const QPointF& pj = a[j];
        if ((pi.y() > p.y()) != (pj.y() > p.y()) &&
            p.x() < (pj.x() - pi.x()) * (p.y() - pi.y()) / (pj.y() - pi.y()) + pi.x())
            dentro = !dentro;
    }
    return dentro;
}

bool dentroAnelli(const QList<QPolygonF>& anelli, QPointF p) {
    bool dentro = false;
    for (const QPolygonF& a : anelli)
        if (dentroAnello(a, p))
            dentro = !dentro;
    return dentro;
}

// Rings whose bounding box misses the point cannot change the parity: they are skipped.
bool dentroAnelli(const QList<QPolygonF>& anelli, const QList<QRectF>& limiti, QPointF p) {
    bool dentro = false;
    for (qsizetype k = 0; k < anelli.size(); ++k) {
        if (k < limiti.size() && !limiti[k].contains(p))
            continue;
        if (dentroAnello(anelli[k], p))
            dentro = !dentro;
    }
    return dentro;
}

// The length of segment a-b inside r (Liang-Barsky).
double lunghezzaDentro(QPointF a, QPointF b, const QRectF& r) {
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return 0;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return 0;
    }
    return (t1 - t0) * std::hypot(dx, dy);
}

double distanza2Segmento(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double l2 = QPointF::dotProduct(ab, ab);
    double t = l2 > 0 ? QPointF::dotProduct(p - a, ab) / l2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return d.x() * d.x() + d.y() * d.y();
}

// The distance from p to the nearest of the lines, when it is at most limite (infinity
// otherwise): parts and segments whose box is farther than that are passed over.
double distanzaLinee(const QList<QPolygonF>& linee, const QList<QRectF>& limiti, QPointF p,
                     double limite) {
    double migliore = std::numeric_limits<double>::infinity();
    double soglia = limite;
    for (qsizetype k = 0; k < linee.size(); ++k) {
        if (k < limiti.size() && !limiti[k].adjusted(-soglia, -soglia, soglia, soglia).contains(p))
            continue;
        const QPolygonF& l = linee[k];
        if (l.size() == 1) {
            const QPointF d = p - l[0];
            const double d2 = d.x() * d.x() + d.y() * d.y();
            if (d2 <= soglia * soglia)
                migliore = soglia = std::sqrt(d2);
        }
        for (qsizetype i = 1; i < l.size(); ++i) {
            const QPointF& a = l[i - 1];
            const QPointF& b = l[i];
            if (p.x() < std::min(a.x(), b.x()) - soglia ||
                p.x() > std::max(a.x(), b.x()) + soglia ||
                p.y() < std::min(a.y(), b.y()) - soglia || p.y() > std::max(a.y(), b.y()) + soglia)
                continue;
            const double d2 = distanza2Segmento(p, a, b);
            if (d2 <= soglia * soglia)
                migliore = soglia = std::sqrt(d2);
        }
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
    const Impaginazione i = impagina(dimensione_);
    rettangoloMappa_ = i.mappa;
    vassoio_ = i.vassoio;
    scala_ = i.scala;
}

QRectF VistaMappa::rettangoloMappaPer(QSize dimensione) const {
    return impagina(dimensione).mappa;
}

VistaMappa::Impaginazione VistaMappa::impagina(QSize dimensione) const {
    const double w = std::max(1, dimensione.width());
    const double h = std::max(1, dimensione.height());
    Impaginazione r;
    if (!dati_) {
        r.mappa = QRectF(0, 0, w, h);
        r.scala = 1;
        return r;
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
            r.scala = sDestra;
            const double tl = (b.width() + vl) * r.scala, ta = b.height() * r.scala;
            const QPointF o((w - tl) / 2, (h - ta) / 2);
            r.mappa = QRectF(o, QSizeF(b.width() * r.scala, ta));
            r.vassoio = QRectF(o.x() + b.width() * r.scala, o.y(), vl * r.scala, ta);
        } else {
            r.scala = sSotto;
            const double tl = b.width() * r.scala, ta = (b.height() + va) * r.scala;
            const QPointF o((w - tl) / 2, (h - ta) / 2);
            r.mappa = QRectF(o, QSizeF(tl, b.height() * r.scala));
            r.vassoio = QRectF(o.x(), o.y() + b.height() * r.scala, tl, va * r.scala);
        }
        r.vassoio.adjust(4, 4, -4, -4);
        return r;
    }
    r.scala = std::min(w / b.width(), h / b.height());
    const QSizeF s(b.width() * r.scala, b.height() * r.scala);
    r.mappa = QRectF(QPointF((w - s.width()) / 2, (h - s.height()) / 2), s);
    return r;
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
    simboli_.clear();
    griglia_ = Griglia{};
    superficieProtetta_ = -1;
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
        if (e.forma == FormaElemento::Linea)
            for (const QPolygonF& l : f.parti)
                for (qsizetype k = 1; k < l.size(); ++k)
                    f.lunghezza += std::hypot(l[k].x() - l[k - 1].x(), l[k].y() - l[k - 1].y());
        const bool stretto = std::max(f.limiti.width(), f.limiti.height()) < SogliaPiccolo;
        f.marcatore =
            e.ruolo == RuoloElemento::Elemento && e.forma != FormaElemento::Punto &&
            (stretto || (e.forma == FormaElemento::Area && f.superficie < SuperficiePiccola));
    }
    decidiMarcatori();
}

double VistaMappa::raggioProprioLinee() const {
    return spessoreLinee() / 2 + TolleranzaPropriaLinee;
}

void VistaMappa::decidiMarcatori() const {
    const QList<ElementoMappa>& el = dati_->elementi;
    const double r = raggioProprioLinee();
    // A line drawn over a good part of an area (a river through its lake) leaves the area its
    // own pixels.
    for (int a = 0; a < el.size(); ++a) {
        Forma& fa = forme_[a];
        if (el[a].ruolo != RuoloElemento::Elemento || el[a].forma != FormaElemento::Area ||
            el[a].categoria == u"indistinto" || fa.superficie <= 0)
            continue;
        for (int l = 0; l < el.size() && !fa.protetta; ++l) {
            if (el[l].ruolo != RuoloElemento::Elemento || el[l].forma != FormaElemento::Linea)
                continue;
            const Forma& fl = forme_[l];
            if (!fl.limiti.adjusted(-r, -r, r, r).intersects(fa.limiti))
                continue;
            double coperta = 0;
            for (const QPolygonF& parte : fl.parti)
                for (qsizetype k = 1; k < parte.size(); ++k)
                    coperta += 2 * r * lunghezzaDentro(parte[k - 1], parte[k], fa.limiti);
            fa.protetta = coperta >= 0.4 * fa.superficie;
        }
        if (fa.protetta)
            superficieProtetta_ = std::max(superficieProtetta_, fa.superficie);
    }
    // Where a marker stands: the centre of the largest ring (areas), the middle of the first
    // line (lines).
    auto posizionaMarcatore = [&](int i) {
        Forma& f = forme_[i];
        if (el[i].forma == FormaElemento::Linea && !f.parti.isEmpty() && !f.parti[0].isEmpty())
            f.centro = f.parti[0][f.parti[0].size() / 2];
    };
    simboli_.clear();
    for (int i = 0; i < el.size(); ++i) {
        if (el[i].ruolo != RuoloElemento::Elemento)
            continue;
        if (forme_[i].marcatore)
            posizionaMarcatore(i);
        if (forme_[i].marcatore || el[i].forma == FormaElemento::Punto)
            simboli_.append(i);
    }
    separaMarcatori();
    costruisciGriglia();

    // Elements that the symbols, smaller areas and lines would leave with too few pixels get a
    // marker too: smallest first, so each one sees the markers given before it.
    QList<std::pair<double, int>> daProvare;
    for (int i = 0; i < el.size(); ++i) {
        const Forma& f = forme_[i];
        if (el[i].ruolo != RuoloElemento::Elemento || el[i].forma == FormaElemento::Punto ||
            el[i].categoria == u"indistinto" || f.marcatore)
            continue;
        const double impronta =
            el[i].forma == FormaElemento::Linea ? f.lunghezza * 2 * r : f.superficie;
        if (impronta < 40 * SuperficieRiservata)
            daProvare.append({impronta, i});
    }
    std::sort(daProvare.begin(), daProvare.end());
    bool aggiunti = false;
    for (const auto& [impronta, i] : daProvare) {
        if (pixelPropri(i) >= SuperficieRiservata)
            continue;
        forme_[i].marcatore = true;
        posizionaMarcatore(i);
        simboli_.append(i);
        aggiunti = true;
    }
    if (aggiunti)
        separaMarcatori();
    for (int i = 0; i < el.size(); ++i) {
        Forma& f = forme_[i];
        f.zona = f.limiti;
        if (el[i].forma == FormaElemento::Linea)
            f.zona.adjust(-TolleranzaLinee, -TolleranzaLinee, TolleranzaLinee, TolleranzaLinee);
        if (el[i].forma == FormaElemento::Punto)
            for (const QPointF& q : f.parti.value(0))
                f.zona = f.zona.united(quadratoIntorno(q, 2 * RaggioPresaMarcatore));
        if (f.marcatore)
            f.zona = f.zona.united(quadratoIntorno(f.centro, 2 * RaggioPresaMarcatore));
    }
}

void VistaMappa::separaMarcatori() const {
    // Markers are moved apart from the symbols they would cover (point symbols stay where their
    // place is), a little at a time, never far from where they belong.
    const QList<ElementoMappa>& el = dati_->elementi;
    constexpr double distanza = LatoMarcatore - 4;
    constexpr double spostamentoMassimo = 3 * LatoMarcatore;
    QList<QPointF> origine(forme_.size());
    for (int i : simboli_)
        origine[i] = forme_[i].centro;
    const QRectF dentro = rettangoloMappa_.adjusted(LatoMarcatore / 2, LatoMarcatore / 2,
                                                    -LatoMarcatore / 2, -LatoMarcatore / 2);
    for (int giro = 0; giro < 24; ++giro) {
        bool mosso = false;
        for (int i : simboli_) {
            Forma& f = forme_[i];
            if (!f.marcatore)
                continue;
            QPointF spinta;
            for (int j : simboli_) {
                if (j == i)
                    continue;
                const Forma& g = forme_[j];
                const QList<QPointF> centri =
                    el[j].forma == FormaElemento::Punto ? g.parti.value(0) : QList{g.centro};
                for (const QPointF& q : centri) {
                    const QPointF d = f.centro - q;
                    const double l = std::hypot(d.x(), d.y());
                    if (l >= distanza)
                        continue;
                    // Two markers share the way; a symbol that coincides is passed on its right.
                    const double parte = g.marcatore ? 0.5 : 1.0;
                    const QPointF verso =
                        l > 0.01 ? d / l : QPointF(i < j || !g.marcatore ? 1.0 : -1.0, 0.0);
                    spinta += verso * (distanza - l) * parte;
                }
            }
            if (spinta.isNull())
                continue;
            QPointF nuovo = f.centro + spinta * 0.5;
            QPointF via = nuovo - origine[i];
            const double l = std::hypot(via.x(), via.y());
            if (l > spostamentoMassimo)
                nuovo = origine[i] + via * (spostamentoMassimo / l);
            if (!dentro.isEmpty())
                nuovo = QPointF(std::clamp(nuovo.x(), dentro.left(), dentro.right()),
                                std::clamp(nuovo.y(), dentro.top(), dentro.bottom()));
            if (std::abs(nuovo.x() - f.centro.x()) + std::abs(nuovo.y() - f.centro.y()) > 0.05) {
                f.centro = nuovo;
                mosso = true;
            }
        }
        if (!mosso)
            break;
    }
}

void VistaMappa::costruisciGriglia() const {
    // About 4096 cells whatever the size; each lists the elements it may hit, areas smallest
    // first so that the first area under the pointer is the smallest one.
    Griglia& g = griglia_;
    const double w = std::max(1, dimensione_.width());
    const double h = std::max(1, dimensione_.height());
    g.lato = std::max(32.0, std::ceil(std::sqrt(w * h / 4096.0)));
    g.colonne = int(std::ceil(w / g.lato));
    g.righe = int(std::ceil(h / g.lato));
    const size_t celle = size_t(g.colonne) * size_t(g.righe);
    const QList<ElementoMappa>& el = dati_->elementi;
    QList<std::pair<double, int>> ordine;
    for (int i = 0; i < el.size(); ++i) {
        const ElementoMappa& e = el[i];
        if (e.ruolo == RuoloElemento::Sfondo || e.forma == FormaElemento::Punto)
            continue;
        ordine.append({e.forma == FormaElemento::Area ? forme_[i].superficie : -1.0, i});
    }
    std::stable_sort(ordine.begin(), ordine.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto portata = [&](int i) {
        const Forma& f = forme_[i];
        double m = 0;
        if (el[i].forma == FormaElemento::Linea)
            m = el[i].ruolo == RuoloElemento::Confine ? TolleranzaConfine : TolleranzaLinee;
        const QRectF r = f.limiti.adjusted(-m, -m, m, m);
        return QRect(QPoint(std::clamp(int(std::floor(r.left() / g.lato)), 0, g.colonne - 1),
                            std::clamp(int(std::floor(r.top() / g.lato)), 0, g.righe - 1)),
                     QPoint(std::clamp(int(std::floor(r.right() / g.lato)), 0, g.colonne - 1),
                            std::clamp(int(std::floor(r.bottom() / g.lato)), 0, g.righe - 1)));
    };
    std::vector<quint32> conta(celle + 1, 0);
    QList<QRect> portate(el.size());
    for (const auto& [chiave, i] : ordine) {
        const QRectF& l = forme_[i].limiti;
        if (l.right() < -TolleranzaLinee || l.bottom() < -TolleranzaLinee ||
            l.left() > w + TolleranzaLinee || l.top() > h + TolleranzaLinee)
            continue;
        portate[i] = portata(i);
        for (int y = portate[i].top(); y <= portate[i].bottom(); ++y)
            for (int x = portate[i].left(); x <= portate[i].right(); ++x)
                ++conta[size_t(y) * size_t(g.colonne) + size_t(x)];
    }
    g.inizio.assign(celle + 1, 0);
    for (size_t k = 0; k < celle; ++k)
        g.inizio[k + 1] = g.inizio[k] + conta[k];
    g.elementi.assign(g.inizio[celle], -1);
    std::vector<quint32> riempite(g.inizio.begin(), g.inizio.end() - 1);
    for (const auto& [chiave, i] : ordine) {
        if (portate[i].isNull())
            continue;
        for (int y = portate[i].top(); y <= portate[i].bottom(); ++y)
            for (int x = portate[i].left(); x <= portate[i].right(); ++x)
                g.elementi[riempite[size_t(y) * size_t(g.colonne) + size_t(x)]++] = i;
    }
}

int VistaMappa::pixelPropri(int i) const {
    // The pixels (as a mouse reports them) where a click selects element i, counted up to
    // SuperficieRiservata. Only the pixels of the element's own drawing are asked.
    const Forma& f = forme_[i];
    const bool linea = dati_->elementi[i].forma == FormaElemento::Linea;
    const double m = linea ? raggioProprioLinee() : 0;
    const QRect r = f.limiti.adjusted(-m - 1, -m - 1, m + 1, m + 1)
                        .toAlignedRect()
                        .intersected(QRect(QPoint(0, 0), dimensione_));
    if (r.isEmpty())
        return 0;
    QImage maschera(r.size(), QImage::Format_Alpha8);
    maschera.fill(0);
    {
        QPainter p(&maschera);
        // Pixel (x, y) of the mask is the point (x, y) of the widget, at its centre.
        p.translate(-r.x() + 0.5, -r.y() + 0.5);
        const QPainterPath pp = percorso(i);
        if (linea) {
            p.strokePath(pp, QPen(Qt::black, 2 * m, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPath(pp);
        }
    }
    int n = 0;
    for (int y = 0; y < maschera.height(); ++y) {
        const uchar* riga = maschera.constScanLine(y);
        for (int x = 0; x < maschera.width(); ++x)
            if (riga[x] >= 128 && colpo(QPointF(r.x() + x, r.y() + y), true).indice == i &&
                ++n >= SuperficieRiservata)
                return n;
    }
    return n;
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
    const QPointF p = puntoProposto(i);
    if (colpo(p, true).indice == i || dati_->elementi[i].ruolo != RuoloElemento::Elemento)
        return p;
    // Something else answers there (a symbol on the area, a river across it): the first point of
    // the element's box, on a grid of 2 px, that answers with the element.
    const QRectF r =
        forme_[i].zona.intersected(QRectF(0, 0, dimensione_.width(), dimensione_.height()));
    for (int y = int(std::ceil(r.top())); y <= int(r.bottom()); y += 2)
        for (int x = int(std::ceil(r.left())); x <= int(r.right()); x += 2)
            if (colpo(QPointF(x, y), true).indice == i)
                return QPointF(x, y);
    return p;
}

QPointF VistaMappa::puntoProposto(int i) const {
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
    return colpo(p, false);
}

VistaMappa::Colpo VistaMappa::colpo(QPointF p, bool tutti) const {
    Colpo c;
    if (!dati_)
        return c;
    const QList<ElementoMappa>& el = dati_->elementi;
    auto fatto = [&](int i) {
        c.indice = i;
        c.nome = el[i].nome;
        return c;
    };
    auto vede = [&](int i) { return tutti || visibile(i); };

    // The nearest symbol within raggio of its centre (squared distances).
    auto simboloVicino = [&](double raggio) {
        int migliore = -1;
        double distanza = raggio * raggio;
        auto prova = [&](int i, QPointF q) {
            const double dx = q.x() - p.x(), dy = q.y() - p.y();
            const double d = dx * dx + dy * dy;
            if (d < distanza || (migliore < 0 && d <= distanza)) {
                distanza = d;
                migliore = i;
            }
        };
        for (int i : simboli_) {
            if (!vede(i))
                continue;
            const Forma& f = forme_[i];
            if (el[i].forma == FormaElemento::Punto) {
                if (!f.parti.isEmpty())
                    for (const QPointF& q : f.parti.first())
                        prova(i, q);
            } else {
                prova(i, f.centro);
            }
        }
        return migliore;
    };

    // 1. On a symbol.
    if (const int s = simboloVicino(RaggioMarcatore); s >= 0)
        return fatto(s);

    // 2. The smallest area under the pointer and the nearest line drawn there.
    const Griglia& g = griglia_;
    const int cx = int(std::floor(p.x() / g.lato));
    const int cy = int(std::floor(p.y() / g.lato));
    const int* inizio = nullptr;
    const int* fine = nullptr;
    if (cx >= 0 && cy >= 0 && cx < g.colonne && cy < g.righe) {
        const size_t k = size_t(cy) * size_t(g.colonne) + size_t(cx);
        inizio = g.elementi.data() + g.inizio[k];
        fine = g.elementi.data() + g.inizio[k + 1];
    }
    const double proprio = raggioProprioLinee();
    int area = -1, linea = -1, lineaVicina = -1;
    double dLinea = proprio, dVicina = TolleranzaLinee;
    for (const int* it = inizio; it != fine; ++it) {
        const int i = *it;
        const ElementoMappa& e = el[i];
        if (e.ruolo != RuoloElemento::Elemento || !vede(i))
            continue;
        const Forma& f = forme_[i];
        if (e.forma == FormaElemento::Area) {
            // The lines come first in the cell, then the areas smallest first: the first area
            // under the pointer is the smallest, and with a line there only an area that the
            // line must leave alone (none is larger than superficieProtetta_) can still win.
            if (linea >= 0 && f.superficie > superficieProtetta_)
                break;
            if (e.categoria == u"indistinto" || !f.limiti.contains(p))
                continue;
            if (dentroAnelli(f.parti, f.limitiParti, p)) {
                area = i;
                break;
            }
        } else if (e.forma == FormaElemento::Linea) {
            const double t = TolleranzaLinee;
            if (!f.limiti.adjusted(-t, -t, t, t).contains(p))
                continue;
            const double d = distanzaLinee(f.parti, f.limitiParti, p, t);
            if (d <= dVicina) {
                dVicina = d;
                lineaVicina = i;
            }
            if (d <= dLinea) {
                dLinea = d;
                linea = i;
            }
        }
    }
    if (area >= 0 && linea >= 0)
        return fatto(forme_[area].protetta ? area : linea);
    if (area >= 0)
        return fatto(area);
    if (linea >= 0)
        return fatto(linea);

    // 3. The margins of symbols and lines, where no element's own area is.
    if (const int s = simboloVicino(RaggioPresaMarcatore); s >= 0)
        return fatto(s);
    if (lineaVicina >= 0)
        return fatto(lineaVicina);

    // 4. Physical maps report their border layer, then the undistinguished land.
    if (dati_->tipo != TipoMappa::Fisica)
        return c;
    for (const int* it = inizio; it != fine; ++it) {
        const int i = *it;
        if (el[i].ruolo != RuoloElemento::Confine)
            continue;
        const Forma& f = forme_[i];
        const double t = TolleranzaConfine;
        if (!f.limiti.adjusted(-t, -t, t, t).contains(p))
            continue;
        const bool colpito = el[i].forma == FormaElemento::Area
                                 ? dentroAnelli(f.parti, f.limitiParti, p)
                                 : distanzaLinee(f.parti, f.limitiParti, p, t) <= t;
        if (colpito) {
            c.confine = true;
            c.nome = dati_->stratoConfini;
            return c;
        }
    }
    for (const int* it = inizio; it != fine; ++it) {
        const int i = *it;
        const ElementoMappa& e = el[i];
        if (e.ruolo != RuoloElemento::Elemento || e.forma != FormaElemento::Area ||
            e.categoria != u"indistinto" || !vede(i))
            continue;
        const Forma& f = forme_[i];
        if (f.limiti.contains(p) && dentroAnelli(f.parti, f.limitiParti, p)) {
            fatto(i);
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
    const Forma& f = forme_[i];
    QRectF r = f.limiti.adjusted(-m, -m, m, m);
    if (f.marcatore)
        r = r.united(quadratoIntorno(f.centro, LatoMarcatore + 4));
    return r;
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

VistaMappa VistaMappa::copiaSenzaCache() const {
    VistaMappa c;
    c.dati_ = dati_;
    c.puzzle_ = puzzle_;
    c.trascinamento_ = trascinamento_;
    c.dimensione_ = dimensione_;
    c.fotogramma_ = fotogramma_;
    return c;
}

void VistaMappa::preparaTela(const QRect& zona, qreal rapporto) const {
    assicuraCache();
    costruisciTela(zona, rapporto);
}

bool VistaMappa::telaPronta(const QRect& zona, qreal rapporto) const {
    const Tela& t = tela_;
    return cacheValida_ && t.zona == zona && t.rapporto == rapporto &&
           t.generazione == generazione_ && t.fotogramma == fotogramma_;
}

bool VistaMappa::adottaCache(VistaMappa&& altra) {
    if (altra.dati_ != dati_ || !dati_ || altra.dimensione_ != dimensione_ ||
        altra.puzzle_ != puzzle_ || altra.trascinamento_ != trascinamento_ || !altra.cacheValida_ ||
        altra.tela_.generazione != altra.generazione_ || altra.tela_.fotogramma != fotogramma_)
        return false;
    if (!cacheValida_) {
        // The geometry is the same whichever copy builds it.
        forme_ = std::move(altra.forme_);
        simboli_ = std::move(altra.simboli_);
        griglia_ = std::move(altra.griglia_);
        superficieProtetta_ = altra.superficieProtetta_;
        rettangoloMappa_ = altra.rettangoloMappa_;
        vassoio_ = altra.vassoio_;
        scala_ = altra.scala_;
        cacheValida_ = true;
        ++generazione_;
    }
    tela_ = std::move(altra.tela_);
    tela_.generazione = generazione_;
    return true;
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

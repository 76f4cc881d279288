#include "shell/clsResize.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <cmath>

clsResize::clsResize(QObject* parent) : QObject(parent) {}

void clsResize::ImpostaEtichetta(QWidget* controllo, const QString& etichetta) {
    if (controllo)
        controllo->setProperty(ProprietaEtichetta, etichetta);
}

DimensioniEtichetta LeggiEtichetta(const QString& etichetta) {
    if (!etichetta.startsWith(u'@'))
        return {};
    DimensioniEtichetta d{false, false, false, false};
    const auto lettere = QStringView(etichetta).mid(1).split(u',');
    for (QStringView l : lettere) {
        const QString lettera = l.trimmed().toString().toUpper();
        if (lettera == u"L")
            d.left = true;
        else if (lettera == u"T")
            d.top = true;
        else if (lettera == u"W")
            d.width = true;
        else if (lettera == u"H")
            d.height = true;
    }
    return d;
}

QRect ScalaGeometria(const QRect& progetto, double rapportoOrizzontale, double rapportoVerticale,
                     const DimensioniEtichetta& d) {
    auto scala = [](int v, double r) { return static_cast<int>(std::lround(v * r)); };
    return QRect(d.left ? scala(progetto.x(), rapportoOrizzontale) : progetto.x(),
                 d.top ? scala(progetto.y(), rapportoVerticale) : progetto.y(),
                 d.width ? scala(progetto.width(), rapportoOrizzontale) : progetto.width(),
                 d.height ? scala(progetto.height(), rapportoVerticale) : progetto.height());
}

void clsResize::setSourceForm(QWidget* finestra) {
    if (sorgente && automatico)
        sorgente->removeEventFilter(this);
    sorgente = finestra;
    primaVolta = true;
    registrazioni.clear();
    if (sorgente && automatico)
        sorgente->installEventFilter(this);
}

void clsResize::setAutomatico(bool attivo) {
    if (attivo == automatico)
        return;
    automatico = attivo;
    if (!sorgente)
        return;
    if (automatico)
        sorgente->installEventFilter(this);
    else
        sorgente->removeEventFilter(this);
}

bool clsResize::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == sorgente && evento->type() == QEvent::Resize)
        ResizeControls();
    return QObject::eventFilter(oggetto, evento);
}

namespace {

// Composite controls (combo boxes, scroll areas, spin boxes...) place their own inner widgets;
// only plain containers are entered.
bool contenitore(const QWidget* w) {
    if (w->property("contenitoreLayout").toBool())
        return true;
    const QByteArray classe = w->metaObject()->className();
    return classe == "QWidget" || classe == "QFrame" || classe == "QGroupBox" || classe == "QLabel";
}

void raccogli(QWidget* genitore, QList<QWidget*>& out) {
    for (QObject* o : genitore->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        // Controls placed by a layout follow the layout, not the ratios.
        if (genitore->layout() && genitore->layout()->indexOf(w) >= 0)
            continue;
        out.append(w);
        if (contenitore(w))
            raccogli(w, out);
    }
}

} // namespace

QList<QWidget*> clsResize::controlli() const {
    QList<QWidget*> out;
    if (sorgente)
        raccogli(sorgente, out);
    return out;
}

void clsResize::registra() {
    registrazioni.clear();
    if (!sorgente)
        return;
    progetto = sorgente->size();
    for (QWidget* w : controlli())
        registrazioni.append({w, w->geometry()});
    primaVolta = false;
}

void clsResize::ReInitialise() {
    registra();
}

void clsResize::SizeFormToScreen(quint8 percent) {
    if (!sorgente)
        return;
    if (primaVolta)
        registra();
    QWidget* finestra = sorgente->window();
    QScreen* schermo = finestra->screen();
    if (!schermo)
        return;
    const QRect s = schermo->geometry();
    const int h = static_cast<int>(percent / 100.0 * s.height());
    const int w = static_cast<int>(percent / 100.0 * s.width());
    finestra->setGeometry(s.x() + (s.width() - w) / 2, s.y() + (s.height() - h) / 2, w, h);
    ResizeControls();
}

void clsResize::ResizeControls() {
    if (!sorgente || sorgente->window()->isMinimized())
        return;
    if (primaVolta) {
        registra();
        return;
    }
    if (registrazioni.isEmpty() || progetto.width() <= 0 || progetto.height() <= 0)
        return;
    const QSize attuale = sorgente->size();
    if (attuale.width() <= 0 || attuale.height() <= 0)
        return;
    const double rv = double(attuale.height()) / progetto.height();
    const double ro = double(attuale.width()) / progetto.width();
    const bool aggiornamenti = sorgente->updatesEnabled();
    sorgente->setUpdatesEnabled(false);
    for (const Registrazione& r : std::as_const(registrazioni)) {
        if (!r.controllo)
            continue; // a control deleted since the recording is skipped
        const auto d = LeggiEtichetta(r.controllo->property(ProprietaEtichetta).toString());
        r.controllo->setGeometry(ScalaGeometria(r.geometria, ro, rv, d));
    }
    sorgente->setUpdatesEnabled(aggiornamenti);
}

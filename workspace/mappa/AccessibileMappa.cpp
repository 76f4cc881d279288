#include "workspace/mappa/AccessibileMappa.h"

#include "workspace/mappa/MappaWidget.h"

#include <QWindow>

AccessibileMappa::AccessibileMappa(QWidget* w)
    : QAccessibleWidget(w, QAccessible::List, QStringLiteral("Mappa")) {}

MappaWidget* AccessibileMappa::mappa() const {
    return static_cast<MappaWidget*>(widget());
}

int AccessibileMappa::childCount() const {
    return mappa()->numeroFigliAccessibili();
}

QAccessibleInterface* AccessibileMappa::child(int indice) const {
    return mappa()->interfacciaFiglio(indice);
}

int AccessibileMappa::indexOfChild(const QAccessibleInterface* figlio) const {
    const auto* e = dynamic_cast<const AccessibileElementoMappa*>(figlio);
    return e ? mappa()->figlioDellElemento(e->elemento()) : -1;
}

QAccessibleInterface* AccessibileMappa::childAt(int x, int y) const {
    const QPoint locale = mappa()->mapFromGlobal(QPoint(x, y));
    const VistaMappa::Colpo c = mappa()->vista().colpisci(locale);
    return c.indice >= 0 ? child(mappa()->figlioDellElemento(c.indice)) : nullptr;
}

QString AccessibileMappa::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const DatiMappa* dm = mappa()->vista().dati();
        if (dm && !dm->area.isEmpty())
            return (dm->tipo == TipoMappa::Fisica ? QStringLiteral("Mappa fisica: ")
                                                  : QStringLiteral("Mappa politica: ")) +
                   dm->area;
        return QStringLiteral("Mappa");
    }
    return QAccessibleWidget::text(t);
}

AccessibileElementoMappa::AccessibileElementoMappa(MappaWidget* mappa, int elemento)
    : mappa_(mappa), elemento_(elemento) {}

bool AccessibileElementoMappa::isValid() const {
    return mappa_ && mappa_->vista().dati() && elemento_ >= 0 &&
           elemento_ < mappa_->vista().dati()->elementi.size();
}

QWindow* AccessibileElementoMappa::window() const {
    return mappa_ ? mappa_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibileElementoMappa::parent() const {
    return mappa_ ? QAccessible::queryAccessibleInterface(mappa_.data()) : nullptr;
}

QString AccessibileElementoMappa::text(QAccessible::Text t) const {
    if (!isValid())
        return {};
    const ElementoMappa& e = mappa_->vista().dati()->elementi[elemento_];
    if (t == QAccessible::Name)
        return e.nome;
    if (t == QAccessible::Description)
        return e.categoria;
    return {};
}

QRect AccessibileElementoMappa::rect() const {
    if (!isValid())
        return {};
    const QRect locale =
        mappa_->vista().rettangoloElemento(elemento_).toAlignedRect().intersected(mappa_->rect());
    return QRect(mappa_->mapToGlobal(locale.topLeft()), locale.size());
}

QAccessible::State AccessibileElementoMappa::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = mappa_->vista().evidenziato(elemento_);
    s.focused = s.selected;
    s.invisible = !mappa_->vista().visibile(elemento_);
    s.offscreen = !mappa_->visibleRegion().boundingRect().intersects(
        mappa_->vista().rettangoloElemento(elemento_).toAlignedRect());
    return s;
}

void* AccessibileElementoMappa::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList AccessibileElementoMappa::actionNames() const {
    return {pressAction()};
}

void AccessibileElementoMappa::doAction(const QString& azione) {
    if (azione == pressAction() && mappa_)
        mappa_->attivaElemento(elemento_);
}

namespace {
QAccessibleInterface* fabbrica(const QString& classe, QObject* oggetto) {
    if (classe == u"MappaWidget" && oggetto && oggetto->isWidgetType())
        return new AccessibileMappa(static_cast<QWidget*>(oggetto));
    return nullptr;
}
} // namespace

void InstallaAccessibilitaMappa() {
    static const bool installata = [] {
        QAccessible::installFactory(fabbrica);
        return true;
    }();
    Q_UNUSED(installata);
}

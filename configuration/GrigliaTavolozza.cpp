#include "configuration/GrigliaTavolozza.h"

#include "catalog/Tavolozza.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// One cell for assistive tools: a button named by its colour.
class AccessibileCella : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibileCella(GrigliaTavolozza* griglia, int indice) : griglia_(griglia), indice_(indice) {}

    bool isValid() const override { return griglia_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return griglia_ ? griglia_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(griglia_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return GrigliaTavolozza::NomeCella(indice_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!griglia_)
            return {};
        const QRect r = griglia_->RettangoloCella(indice_);
        return QRect(griglia_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.disabled = griglia_ && !griglia_->isEnabled();
        s.focused = griglia_ && griglia_->hasFocus() && griglia_->Corrente() == indice_;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                 : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& azione) override {
        if (azione == pressAction() && griglia_)
            griglia_->Premi(indice_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<GrigliaTavolozza> griglia_;
    int indice_;
};

class AccessibileGriglia : public QAccessibleWidget {
public:
    explicit AccessibileGriglia(QWidget* w) : QAccessibleWidget(w, QAccessible::Table) {}
    ~AccessibileGriglia() override {
        for (QAccessible::Id id : std::as_const(celle_))
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return Tavolozza::NumeroColori; }
    QAccessibleInterface* child(int i) const override {
        if (i < 0 || i >= Tavolozza::NumeroColori)
            return nullptr;
        if (celle_.isEmpty())
            celle_.fill(0, Tavolozza::NumeroColori);
        if (!celle_[i]) {
            auto* c = new AccessibileCella(static_cast<GrigliaTavolozza*>(widget()), i);
            celle_[i] = QAccessible::registerAccessibleInterface(c);
        }
        return QAccessible::accessibleInterface(celle_[i]);
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < celle_.size(); ++i)
            if (celle_[i] && QAccessible::accessibleInterface(celle_[i]) == c)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        auto* g = static_cast<GrigliaTavolozza*>(widget());
        const int i = g->CellaIn(g->mapFromGlobal(QPoint(x, y)));
        return i >= 0 ? child(i) : nullptr;
    }

private:
    mutable QList<QAccessible::Id> celle_;
};

QAccessibleInterface* fabbricaAccessibile(const QString& classe, QObject* o) {
    if (classe == QLatin1String("GrigliaTavolozza") && o && o->isWidgetType())
        return new AccessibileGriglia(static_cast<QWidget*>(o));
    return nullptr;
}

} // namespace

GrigliaTavolozza::GrigliaTavolozza(QWidget* parent) : QWidget(parent) {
    static const bool installata = [] {
        QAccessible::installFactory(fabbricaAccessibile);
        return true;
    }();
    Q_UNUSED(installata);
    setObjectName(QStringLiteral("CasellaColorata"));
    setAccessibleName(QStringLiteral("Tavolozza dei colori"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QString GrigliaTavolozza::NomeCella(int i) {
    return QStringLiteral("Colore %1: %2").arg(i).arg(Tavolozza::Esadecimale(i));
}

int GrigliaTavolozza::Lato() const {
    return std::max(LatoMinimo, std::min(width() / Colonne, height() / Righe));
}

QSize GrigliaTavolozza::sizeHint() const {
    return QSize(Colonne * 32, Righe * 32);
}

QSize GrigliaTavolozza::minimumSizeHint() const {
    return QSize(Colonne * LatoMinimo, Righe * LatoMinimo);
}

QRect GrigliaTavolozza::RettangoloCella(int i) const {
    const int l = Lato();
    return QRect((i % Colonne) * l, (i / Colonne) * l, l, l);
}

int GrigliaTavolozza::CellaIn(const QPoint& p) const {
    const int l = Lato();
    if (p.x() < 0 || p.y() < 0)
        return -1;
    const int c = p.x() / l;
    const int r = p.y() / l;
    if (c >= Colonne || r >= Righe)
        return -1;
    return r * Colonne + c;
}

void GrigliaTavolozza::ImpostaCorrente(int i) {
    i = std::clamp(i, 0, Tavolozza::NumeroColori - 1);
    if (i == corrente_)
        return;
    const int prima = corrente_;
    corrente_ = i;
    update(RettangoloCella(prima).adjusted(-2, -2, 2, 2));
    update(RettangoloCella(i).adjusted(-2, -2, 2, 2));
    if (hasFocus()) {
        QAccessibleEvent e(this, QAccessible::Focus);
        e.setChild(i);
        QAccessible::updateAccessibility(&e);
    }
}

void GrigliaTavolozza::Premi(int i) {
    if (!isEnabled() || !Tavolozza::IndiceValido(i))
        return;
    ImpostaCorrente(i);
    emit cliccata(i);
}

void GrigliaTavolozza::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    for (int i = 0; i < Tavolozza::NumeroColori; ++i) {
        const QRect r = RettangoloCella(i);
        if (!r.intersects(e->rect()))
            continue;
        p.fillRect(r, QColor::fromRgb(Tavolozza::Rgb(i)));
        p.setPen(QColor(128, 128, 128));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        // The keyboard's cell: a black and white frame, visible on every colour.
        const QRect r = RettangoloCella(corrente_);
        p.setPen(QPen(Qt::white, 3));
        p.drawRect(r.adjusted(1, 1, -2, -2));
        p.setPen(QPen(Qt::black, 2, Qt::DashLine));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

void GrigliaTavolozza::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        Premi(CellaIn(e->position().toPoint()));
}

void GrigliaTavolozza::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Left:
        ImpostaCorrente(corrente_ - 1);
        break;
    case Qt::Key_Right:
        ImpostaCorrente(corrente_ + 1);
        break;
    case Qt::Key_Up:
        if (corrente_ >= Colonne)
            ImpostaCorrente(corrente_ - Colonne);
        break;
    case Qt::Key_Down:
        if (corrente_ + Colonne < Tavolozza::NumeroColori)
            ImpostaCorrente(corrente_ + Colonne);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Premi(corrente_);
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

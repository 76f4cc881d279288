#include "shell/menu/CasellaMenu.h"

#include "shell/StatoProgramma.h"

#include "shell/menu/DisegniMenu.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Share of the tile's height given to the caption.
constexpr double QuotaDidascalia = 0.3;

// Assistive tools see a tile as a button: pressable, focused while highlighted, unavailable
// while disabled.
class AccessibileCasella : public QAccessibleWidget {
public:
    explicit AccessibileCasella(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }
    void doAction(const QString& azione) override {
        auto* c = static_cast<CasellaMenu*>(widget());
        if (azione == pressAction() && c->isEnabled())
            emit c->cliccata(c->Indice());
        else
            QAccessibleWidget::doAction(azione);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (static_cast<const CasellaMenu*>(widget())->Evidenziata())
            s.focused = true;
        return s;
    }
};

QAccessibleInterface* fabbricaAccessibile(const QString& classe, QObject* oggetto) {
    if (classe == u"CasellaMenu" && oggetto && oggetto->isWidgetType())
        return new AccessibileCasella(static_cast<QWidget*>(oggetto));
    return nullptr;
}

int bordo(const QWidget* w) {
    return std::max(3, std::min(w->width(), w->height()) / 30);
}

} // namespace

CasellaMenu::CasellaMenu(int indice, const QString& didascalia, QWidget* parent)
    : QWidget(parent), indice_(indice), didascalia_(didascalia) {
    static const bool fabbricaInstallata = [] {
        QAccessible::installFactory(fabbricaAccessibile);
        return true;
    }();
    Q_UNUSED(fabbricaInstallata);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    aggiornaAccessibilita();
}

void CasellaMenu::ImpostaDidascalia(const QString& testo) {
    didascalia_ = testo;
    adattaCarattere();
    aggiornaAccessibilita();
    update();
}

void CasellaMenu::ImpostaNomeAccessibile(const QString& nome) {
    nomeAccessibile_ = nome;
    aggiornaAccessibilita();
}

void CasellaMenu::ImpostaDisegnatore(Disegnatore d) {
    disegnatore_ = std::move(d);
    ridisegnaImmagine();
    update();
}

void CasellaMenu::ImpostaColori(const QColor& sfondo, const QColor& testo) {
    sfondo_ = sfondo;
    testo_ = testo;
    update();
}

void CasellaMenu::ImpostaCarattere(const QFont& f) {
    carattere_ = f;
    adattaCarattere();
    update();
}

QRect CasellaMenu::RettangoloDidascalia() const {
    const int b = bordo(this);
    const int h = int(height() * QuotaDidascalia);
    return QRect(b, height() - h - b, width() - 2 * b, h);
}

QRect CasellaMenu::RettangoloImmagine() const {
    const int b = bordo(this);
    return QRect(b * 2, b * 2, width() - 4 * b, RettangoloDidascalia().top() - 3 * b);
}

void CasellaMenu::ImpostaEvidenziata(bool si) {
    if (evidenziata_ == si)
        return;
    evidenziata_ = si;
    update();
    if (si && isVisible()) {
        QAccessibleEvent e(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&e);
    }
}

QColor CasellaMenu::ColoreAttuale() const {
    return evidenziata_ ? Rosso : sfondo_;
}

void CasellaMenu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ColoreAttuale());
    const int b = bordo(this);
    if (evidenziata_) {
        // A black edge around the red, visible on any background; three times as thick for the
        // pupils whose switch options ask for it.
        const int e = Stato().Opzioni.evidenziazioneSpessa ? b * 3 : b;
        p.setPen(QPen(Qt::black, e));
        p.drawRect(rect().adjusted(e / 2, e / 2, -(e + 1) / 2, -(e + 1) / 2));
    } else if (hasFocus()) {
        p.setPen(QPen(testo_, std::max(2, b / 2), Qt::DashLine));
        p.drawRect(rect().adjusted(b / 2, b / 2, -(b + 1) / 2, -(b + 1) / 2));
    }
    if (!immagine_.isNull()) {
        const QRect zona = RettangoloImmagine();
        QImage img = immagine_;
        if (!isEnabled()) {
            img = img.convertToFormat(QImage::Format_Grayscale8)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            // keep transparency of the original
            img.setAlphaChannel(immagine_.convertToFormat(QImage::Format_Alpha8));
            p.setOpacity(0.45);
        }
        const QPoint angolo(zona.x() + (zona.width() - img.width()) / 2,
                            zona.y() + (zona.height() - img.height()) / 2);
        p.drawImage(angolo, img);
        p.setOpacity(1);
    }
    QColor colore = testo_;
    if (evidenziata_)
        colore = Qt::black; // the best contrast on pure red
    else if (!isEnabled())
        colore.setAlpha(140);
    p.setPen(colore);
    p.setFont(carattereAdattato_);
    p.drawText(RettangoloDidascalia(), Qt::AlignCenter | Qt::TextWordWrap, didascalia_);
}

void CasellaMenu::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ridisegnaImmagine();
    adattaCarattere();
}

void CasellaMenu::ridisegnaImmagine() {
    const QSize d = RettangoloImmagine().size();
    immagine_ = disegnatore_ && d.width() > 8 && d.height() > 8 ? disegnatore_(d) : QImage();
}

void CasellaMenu::adattaCarattere() {
    carattereAdattato_ =
        DisegniMenu::CarattereAdattato(carattere_, didascalia_, RettangoloDidascalia().size());
}

void CasellaMenu::aggiornaAccessibilita() {
    setAccessibleName(nomeAccessibile_.isEmpty() ? didascalia_ : nomeAccessibile_);
    setAccessibleDescription(isEnabled() ? QString()
                                         : QStringLiteral("Attività non ancora disponibile"));
}

void CasellaMenu::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit cliccata(indice_);
}

void CasellaMenu::keyPressEvent(QKeyEvent* e) {
    // Keyboard users of the mouse mode: Enter or Space on the focused tile opens it.
    if (!e->isAutoRepeat() &&
        (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space)) {
        emit cliccata(indice_);
        return;
    }
    QWidget::keyPressEvent(e);
}

void CasellaMenu::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    emit puntata(indice_);
}

void CasellaMenu::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    emit lasciata(indice_);
}

void CasellaMenu::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        aggiornaAccessibilita();
        update();
    }
}

#include "shell/AspettoProfilo.h"

#include "catalog/Tavolozza.h"
#include "shell/StatoProgramma.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>

namespace AspettoProfilo {

namespace {

QString Esa(quint32 rgb) {
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

// Disabled entries: between text and background, still told apart from both.
quint32 Spento(const Contrasto::Coppia& c) {
    const QColor t = QColor::fromRgb(c.testo), s = QColor::fromRgb(c.sfondo);
    const auto mezzo = [](int a, int b) { return (a * 3 + b * 2) / 5; };
    return QColor(mezzo(t.red(), s.red()), mezzo(t.green(), s.green()), mezzo(t.blue(), s.blue()))
               .rgb() &
           0xFFFFFFu;
}

QPalette Tavolozza(QPalette pal, const Contrasto::Coppia& c) {
    const QColor testo = QColor::fromRgb(c.testo), sfondo = QColor::fromRgb(c.sfondo);
    for (const QPalette::ColorGroup g :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Window, sfondo);
        pal.setColor(g, QPalette::Base, sfondo);
        pal.setColor(g, QPalette::Button, sfondo);
        const QColor t = g == QPalette::Disabled ? QColor::fromRgb(Spento(c)) : testo;
        pal.setColor(g, QPalette::WindowText, t);
        pal.setColor(g, QPalette::Text, t);
        pal.setColor(g, QPalette::ButtonText, t);
        pal.setColor(g, QPalette::Highlight, testo);
        pal.setColor(g, QPalette::HighlightedText, sfondo);
    }
    return pal;
}

int LarghezzaVoci(const QMenuBar* barra, const QFont& f) {
    const QFontMetrics fm(f);
    // The style's room around each entry, measured on the bar as it is.
    int l = 0;
    for (const QAction* a : barra->actions())
        if (a->isVisible() && !a->isSeparator())
            l += fm.horizontalAdvance(QString(a->text()).remove(u'&')) + fm.averageCharWidth() * 2 +
                 8;
    return l;
}

} // namespace

QFont Carattere() {
    const ProfiloUtente& p = Stato().Profilo;
    QFont f(p.NomeFont.isEmpty() ? QStringLiteral("Verdana") : p.NomeFont);
    f.setPointSize(std::clamp<int>(p.DimensioneFont, 8, 96));
    return f;
}

Contrasto::Coppia Colori() {
    const ProfiloUtente& p = Stato().Profilo;
    return Contrasto::Leggibile(Tavolozza::Rgb(p.ColoreTesto), Tavolozza::Rgb(p.ColoreSfondo));
}

void ColoraBarraMenu(QMenuBar* barra, const Contrasto::Coppia& colori, const QFont& carattere) {
    const QString stile =
        QStringLiteral("QMenuBar { background: %1; color: %2; }"
                       "QMenuBar::item { background: %1; color: %2; }"
                       "QMenuBar::item:selected, QMenuBar::item:pressed { background: %2; "
                       "color: %1; }"
                       "QMenuBar::item:disabled { color: %3; }"
                       "QMenu { background: %1; color: %2; border: 2px solid %2; }"
                       "QMenu::item:selected { background: %2; color: %1; }"
                       "QMenu::item:disabled { color: %3; }"
                       "QMenu::separator { background: %2; height: 2px; }")
            .arg(Esa(colori.sfondo), Esa(colori.testo), Esa(Spento(colori)));
    QList<QMenu*> menu;
    for (QAction* a : barra->actions())
        if (QMenu* m = a->menu())
            menu << m;
    if (QWidget* finestra = barra->window())
        for (QMenu* m : finestra->findChildren<QMenu*>())
            if (!menu.contains(m))
                menu << m;
    // The style sheet is set only when it changes: setting it again polishes every entry.
    for (QMenu* m : std::as_const(menu)) {
        m->setFont(carattere);
        m->setPalette(Tavolozza(m->palette(), colori));
        if (m->styleSheet() != stile)
            m->setStyleSheet(stile);
    }
    barra->setPalette(Tavolozza(barra->palette(), colori));
    barra->setAutoFillBackground(true);
    if (barra->styleSheet() != stile)
        barra->setStyleSheet(stile);
    QFont f = carattere;
    const int larghezza = barra->width() > 1 ? barra->width() : barra->window()->width();
    while (f.pointSize() > 12 && LarghezzaVoci(barra, f) > larghezza)
        f.setPointSize(f.pointSize() - 1);
    barra->setFont(f);
}

void ApplicaAMessaggio(QWidget* dialogo) {
    const Contrasto::Coppia c = Colori();
    const QFont f = Carattere();
    dialogo->setFont(f);
    // Buttons may carry a font of their class from the platform: every part gets it explicitly.
    for (QWidget* w : dialogo->findChildren<QWidget*>())
        w->setFont(f);
    dialogo->setPalette(Tavolozza(dialogo->palette(), c));
    dialogo->setAutoFillBackground(true);
    dialogo->setStyleSheet(QStringLiteral("QWidget { background: %1; color: %2; }"
                                          "QPushButton { border: 3px solid %2; padding: 6px 18px; "
                                          "min-width: 4em; }"
                                          "QPushButton:focus { border: 6px solid %2; }")
                               .arg(Esa(c.sfondo), Esa(c.testo)));
}

} // namespace AspettoProfilo

#include "workspace/finestra/MenuVisualizza.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

MenuVisualizza::MenuVisualizza(QWidget* finestra, std::function<void(CategoriaFiltro)> scelta)
    : QObject(finestra), finestra_(finestra), scelta_(std::move(scelta)) {
    menu_ = new QMenu(QStringLiteral("&Visualizza"), finestra);
    menu_->setObjectName(QStringLiteral("mnuVisualizza"));
    menu_->menuAction()->setObjectName(QStringLiteral("mnuVisualizza"));
    gruppo_ = new QActionGroup(this);
    gruppo_->setExclusive(true);
}

void MenuVisualizza::Aggiorna(const FiltroCategorie& filtro) {
    for (const VoceFiltro& v : filtro.Voci()) {
        QAction* a = voci_.value(v.categoria);
        if (!a) {
            a = new QAction(v.didascalia, finestra_);
            a->setObjectName(v.menu);
            if (!v.scorciatoia.isEmpty()) {
                a->setShortcut(QKeySequence(v.scorciatoia));
                a->setShortcutContext(Qt::WindowShortcut);
            }
            a->setCheckable(true);
            menu_->addAction(a);
            gruppo_->addAction(a);
            const CategoriaFiltro categoria = v.categoria;
            connect(a, &QAction::triggered, this, [this, categoria] {
                if (scelta_)
                    scelta_(categoria);
            });
            voci_.insert(v.categoria, a);
        }
        a->setText(v.didascalia);
        a->setVisible(v.visibile);
    }
    Spunta(CategoriaFiltro::Tutto);
}

void MenuVisualizza::Spunta(CategoriaFiltro categoria) {
    if (QAction* a = voci_.value(categoria))
        a->setChecked(true);
}

#pragma once

#include "workspace/colori/FiltroCategorie.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

// The "&Visualizza" menu of the physical windows over a FiltroCategorie: one checkable entry per
// category with its caption and shortcut, the empty ones hidden, the chosen one ticked.
class MenuVisualizza : public QObject {
    Q_OBJECT
public:
    // The menu belongs to the window; scelta runs when the pupil picks an entry.
    MenuVisualizza(QWidget* finestra, std::function<void(CategoriaFiltro)> scelta);

    QMenu* Menu() const { return menu_; }
    // Creates the missing entries for the filter's categories; captions and visibility follow
    // the filter; "Tutto" is ticked.
    void Aggiorna(const FiltroCategorie& filtro);
    void Spunta(CategoriaFiltro categoria);
    QAction* Voce(CategoriaFiltro categoria) const { return voci_.value(categoria); }

private:
    QWidget* finestra_;
    std::function<void(CategoriaFiltro)> scelta_;
    QMenu* menu_;
    QActionGroup* gruppo_;
    QHash<CategoriaFiltro, QAction*> voci_;
};

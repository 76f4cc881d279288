#pragma once

#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPointer>

class MappaWidget;

// The map as a list for screen readers: each named element is an item with its name, its
// rectangle on screen and whether it is highlighted; "press" reports it as a click would.
class AccessibileMappa : public QAccessibleWidget {
public:
    explicit AccessibileMappa(QWidget* w);
    int childCount() const override;
    QAccessibleInterface* child(int indice) const override;
    int indexOfChild(const QAccessibleInterface* figlio) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;

private:
    MappaWidget* mappa() const;
};

class AccessibileElementoMappa : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibileElementoMappa(MappaWidget* mappa, int elemento);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QStringList actionNames() const override;
    void doAction(const QString& azione) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int elemento() const { return elemento_; }

private:
    QPointer<MappaWidget> mappa_;
    int elemento_;
};

// Registers the factory that gives MappaWidget its accessible interface (once per program).
void InstallaAccessibilitaMappa();

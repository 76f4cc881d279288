#pragma once

#include <QWidget>

// The start screen's picture: a globe with its graticule, drawn at any size.
class ImmagineAvvio : public QWidget {
    Q_OBJECT
public:
    explicit ImmagineAvvio(QWidget* parent = nullptr);

signals:
    void cliccata();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
};

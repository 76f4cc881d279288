#include "shell/ImmagineAvvio.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

ImmagineAvvio::ImmagineAvvio(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Immagine dell'atlante"));
    setAccessibleDescription(QStringLiteral("Un mappamondo. Cliccalo per entrare nell'atlante."));
    setCursor(Qt::PointingHandCursor);
}

void ImmagineAvvio::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double lato = std::min(width(), height()) * 0.92;
    const QPointF c(width() / 2.0, height() / 2.0);
    const double r = lato / 2.0;

    // The sea, lit from the top left.
    QRadialGradient mare(c + QPointF(-r * 0.35, -r * 0.35), r * 1.4);
    mare.setColorAt(0, QColor(0x7F, 0xC8, 0xF8));
    mare.setColorAt(1, QColor(0x1E, 0x5A, 0xA8));
    p.setPen(QPen(QColor(0x10, 0x30, 0x60), std::max(2.0, r / 40)));
    p.setBrush(mare);
    p.drawEllipse(c, r, r);

    // Orthographic projection centred on Italy.
    const double lon0 = 12 * std::numbers::pi / 180, lat0 = 30 * std::numbers::pi / 180;
    auto proietta = [&](double lonGradi, double latGradi, bool& visibile) {
        const double lon = lonGradi * std::numbers::pi / 180,
                     lat = latGradi * std::numbers::pi / 180;
        const double cosc =
            std::sin(lat0) * std::sin(lat) + std::cos(lat0) * std::cos(lat) * std::cos(lon - lon0);
        visibile = cosc >= 0;
        const double x = std::cos(lat) * std::sin(lon - lon0);
        const double y =
            std::cos(lat0) * std::sin(lat) - std::sin(lat0) * std::cos(lat) * std::cos(lon - lon0);
        return QPointF(c.x() + r * x, c.y() - r * y);
    };

    // Graticule every 30 degrees: each line is traced in 3-degree steps, broken where it passes
    // behind the globe.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), std::max(1.0, r / 120)));
    auto traccia = [&](auto puntoDellaLinea, int da, int a) {
        QPainterPath linea;
        bool primo = true;
        for (int t = da; t <= a; t += 3) {
            bool visibile = false;
            const QPointF q = puntoDellaLinea(t, visibile);
            if (!visibile) {
                primo = true;
                continue;
            }
            primo ? linea.moveTo(q) : linea.lineTo(q);
            primo = false;
        }
        p.drawPath(linea);
    };
    for (int lon = -180; lon < 180; lon += 30)
        traccia([&](int lat, bool& v) { return proietta(lon, lat, v); }, -90, 90);
    for (int lat = -60; lat <= 60; lat += 30)
        traccia([&](int lon, bool& v) { return proietta(lon, lat, v); }, -180, 180);

    // A compass star in the lower right.
    const QPointF s = c + QPointF(r * 0.78, r * 0.78);
    const double sr = r * 0.22;
    QPainterPath stella;
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4 - std::numbers::pi / 2;
        const double raggio = (i % 2 == 0) ? sr : sr * 0.35;
        const QPointF q = s + QPointF(std::cos(a) * raggio, std::sin(a) * raggio);
        i == 0 ? stella.moveTo(q) : stella.lineTo(q);
    }
    stella.closeSubpath();
    p.setPen(QPen(QColor(0x40, 0x20, 0x00), std::max(1.5, r / 80)));
    p.setBrush(QColor(0xFF, 0xCC, 0x33));
    p.drawPath(stella);
}

void ImmagineAvvio::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        emit cliccata();
}

#include "workspace/scansione/OrologioScansione.h"

#include <algorithm>

OrologioScansione::OrologioScansione(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &OrologioScansione::Scaduto);
    misura_.start();
}

int OrologioScansione::Preleva() {
    const qint64 ms = misura_.restart();
    return static_cast<int>(std::clamp<qint64>(ms, 0, 1 << 29));
}

void OrologioScansione::Azzera() {
    misura_.restart();
}

void OrologioScansione::Arma(std::optional<int> millisecondi) {
    if (!millisecondi) {
        timer_.stop();
        return;
    }
    timer_.start(std::max(*millisecondi, 0));
}

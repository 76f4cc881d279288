#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

// The real clock behind ComandoScansione and ScansioneMenuAttivita, for the windows. The logic
// counts time only through Trascorri(ms); this object measures it and says when to ask:
//
//   // every input, and every Scaduto(): first bring the logic's clock up to date
//   auto eventi = comando.Trascorri(orologio.Preleva());
//   eventi += comando.RilasciaSpazio();          // the key, if any
//   ... paint / select from eventi ...
//   orologio.Arma(comando.MillisecondiAlProssimoScatto());
//
// so no elapsed time is ever lost or counted twice, and the logic's own restarts (Space released)
// take effect exactly.
class OrologioScansione : public QObject {
    Q_OBJECT
public:
    explicit OrologioScansione(QObject* parent = nullptr);

    // Milliseconds since the previous call (or since construction / Azzera), and starts counting
    // again.
    int Preleva();
    // Starts counting again without reporting (window activation).
    void Azzera();
    // Emits Scaduto() after the given delay; nullopt stops the clock (manual scanning, Space
    // held, window hidden).
    void Arma(std::optional<int> millisecondi);
    bool Armato() const { return timer_.isActive(); }

signals:
    void Scaduto();

private:
    QTimer timer_;
    QElapsedTimer misura_;
};

#pragma once

#include "workspace/scansione/FiltroTasti.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <map>

class QKeyEvent;
class QWidget;

// The one place where the switches of every window are filtered: in the scanning modes the
// Space and Enter key events of the whole program go through a FiltroTasti (held keys, key
// repeats the toolkit did not flag, chatter) before any window, menu, message box or dialog sees
// them. What passes is delivered again, as a key event without the repeat flag, to the widget
// that received the original (or, when that one is gone or hidden, to the widget with the
// keyboard focus). In the mouse mode nothing is filtered.
//
// Installed on the application by the first FinestraProgramma (and by main, before the start
// screen), so windows added later are covered without doing anything.
class FiltroInterruttori : public QObject {
    Q_OBJECT
public:
    static void Installa();
    // The installed filter, nullptr before Installa().
    static FiltroInterruttori* Istanza();
    // Whether the switches are filtered now: the profile's scanning modes.
    static bool Attivo();
    // Whether a key is one of the switches.
    static bool Interruttore(int tasto);

    // Takes at once the decisions that wait for the quiet time (tests; the timer does it in use).
    void Scadi();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    explicit FiltroInterruttori(QObject* parent);
    void Consegna(const FiltroTasti::Uscite& uscite);
    void Riarma();

    struct Origine {
        QPointer<QWidget> destinatario;
        Qt::KeyboardModifiers modificatori;
        quint32 codiceNativo = 0;
        quint32 tastoNativo = 0;
        quint32 modificatoriNativi = 0;
        QString testo;
        quint64 istante = 0;
    };

    FiltroTasti filtro_;
    QTimer attesa_;
    std::map<int, Origine> origini_;
    const QKeyEvent* inConsegna_ = nullptr;
    bool eraAttivo_ = false;
};

#pragma once

#include "installer/PassiSetup.h"

#include <QWidget>

class QLabel;
class QPushButton;

// One window of the wizard: title, step number, note, the action button and "Ignora".
class FinestraSetup : public QWidget {
    Q_OBJECT
public:
    explicit FinestraSetup(const PassoSetup& passo, QWidget* parent = nullptr);

    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command2() const { return command2_; }

    // Buttons off while the step's program starts and the wizard waits.
    void ImpostaOccupata(bool occupata);
    // Closes the window as the wizard moves on (not an end of the wizard).
    void ChiudiPerPassaggio();

signals:
    // The window was closed by the window manager or Alt+F4.
    void ChiusaDallUtente(FinestraSetup* finestra);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    bool passaggio_ = false;
};

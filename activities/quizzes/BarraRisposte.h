#pragma once

#include <QWidget>

class QLabel;

// StatusBar1 of the quizzes and the test: three panels, "Esatti n", "Errati n" and "Avanti".
// A panel is rewritten only when its count changes.
class BarraRisposte : public QWidget {
    Q_OBJECT
public:
    explicit BarraRisposte(QWidget* parent = nullptr);

    void Imposta(int esatte, int errate);
    // The panels' texts, for tests.
    QString Esatti() const;
    QString Errati() const;
    // The font of the panels (the profile's, within a size that leaves the map its room).
    void ImpostaCarattere(const QFont& font);

    QSize sizeHint() const override;

private:
    QLabel* esatti_;
    QLabel* errati_;
    QLabel* avanti_;
    int esatte_ = -1;
    int errate_ = -1;
};

#pragma once

#include "printing/GeometriaStampa.h"
#include "printing/MotoreStampa.h"

#include <QDialog>
#include <QLineEdit>

#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class ScansioneFinestra;

// A number box of the print preview with its up-down: only the characters the box accepts can be
// typed, Up and Down (and the two small buttons) step within the up-down's range, and a key
// release is reported (the preview follows the boxes after each key).
class CasellaNumero : public QLineEdit {
    Q_OBJECT
public:
    using Filtro = std::function<bool(QChar, const QString&, int, int)>;
    CasellaNumero(const QString& nome, const QString& nomeAccessibile, int minimo, int massimo,
                  Filtro filtro, QWidget* parent);
    // The box with its up-down buttons, for the layout.
    QWidget* ConPulsanti() const { return contenitore_; }
    QToolButton* Su() const { return su_; }
    QToolButton* Giu() const { return giu_; }
    void Passo(int delta);
    int Valore() const { return text().toInt(); }

signals:
    void TastoRilasciato();
    void PassoFatto();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    int minimo_, massimo_;
    Filtro filtro_;
    QWidget* contenitore_ = nullptr;
    QToolButton* su_ = nullptr;
    QToolButton* giu_ = nullptr;
};

// The sheet with the print area, as the printer will print it (frame "Foglio"): the paper, its
// border and the picture in the print area, grey for a monochrome printer. A click, Enter or
// Space opens the enlarged preview.
class AnteprimaFoglio : public QWidget {
    Q_OBJECT
public:
    explicit AnteprimaFoglio(QWidget* parent = nullptr);
    // The box of the sheet inside the widget (the paper less its border).
    void Imposta(const DisegnoStampa* disegno, QRect area, bool grigio);
    QRect Area() const { return area_; }
    bool Grigio() const { return grigio_; }
    // What is painted inside the paper (tests look at it).
    QImage Foglio() const { return foglio_; }

signals:
    void Cliccato();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QImage foglio_;
    QRect area_;
    bool grigio_ = false;
};

// The print preview ("frmStampa"): prints one picture on a printer of the user's choice, at a
// position and size in millimetres on the sheet. The print geometry is GeometriaStampa, the
// printer work MotoreStampa. The printer of the last print and the driver's settings survive
// closing; "&Chiudi" puts back the settings found at the opening.
class FrmStampa : public QDialog {
    Q_OBJECT
public:
    explicit FrmStampa(QWidget* parent = nullptr);
    ~FrmStampa() override;

    // Prints oggetto through the preview: X, Y, W, H in millimetres, orientation 1 portrait,
    // 2 landscape, the job's title. Shows the window modally and returns when it closes; true
    // when something was printed. No printer at all: the sheet is offered as a PDF file.
    static bool StampaFPB(QWidget* proprietario, const DisegnoStampa& oggetto, int x, int y, int w,
                          int h, int orientamento, const QString& titolo);

    // The printer of the last print, empty until the first opening (kept for the program's run).
    static QString& NomeStampante();

    // The scale question when the area runs past the sheet; answers Yes, No or Cancel as
    // QMessageBox buttons. Tests install an answer; empty restores the message box.
    using DomandaScala = std::function<int(QWidget*)>;
    static void ImpostaDomandaScala(DomandaScala domanda);

    const GeometriaStampa& Geometria() const { return geometria_; }
    AnteprimaFoglio* Anteprima() const { return picPreview_; }
    QWidget* Ingrandimento() const { return picZoom_; }
    AnteprimaFoglio* AnteprimaIngrandita() const { return picPreviewZoom_; }
    ScansioneFinestra* Scansione() const { return scansione_; }
    bool Stampato() const { return stampato_; }

    // Steps of the window, public for the tests that drive it.
    bool Prepara(const DisegnoStampa& oggetto, int x, int y, int w, int h, int orientamento,
                 const QString& titolo);
    void Stampa();
    void Chiudi();
    void MostraIngrandimento();
    void NascondiIngrandimento(bool ripristina);

protected:
    void reject() override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Costruisci();
    void SceltaStampante(int indice);
    void Proprieta();
    void DisegnaFoglio();
    void AggiornaAnteprima();
    void MostraValori();
    void CambioDimensione(CasellaNumero* casella);
    void CambioMargine(CasellaNumero* casella);
    void DisponiIngrandimento();

    GeometriaStampa geometria_;
    DisegnoStampa oggetto_;
    QString titolo_;
    ImpostazioniStampante salvate_;
    bool monocromatica_ = false;
    int orientamento_ = 0;
    bool stampato_ = false;
    bool inAggiornamento_ = false;
    QSizeF foglio_{210, 297};

    QComboBox* cboPrinterNames_ = nullptr;
    QPushButton* cmdProprieta_ = nullptr;
    QLabel* lblNessuna_ = nullptr;
    CasellaNumero* txtNCopies_ = nullptr;
    CasellaNumero* txtPrW_ = nullptr;
    CasellaNumero* txtPrH_ = nullptr;
    CasellaNumero* txtPrX_ = nullptr;
    CasellaNumero* txtPrY_ = nullptr;
    QCheckBox* chkProporzioni_ = nullptr;
    QCheckBox* chkCentro_ = nullptr;
    QPushButton* cmdMax_ = nullptr;
    QPushButton* cmdOrigine_ = nullptr;
    QPushButton* cmdStampa_ = nullptr;
    QPushButton* cmdChiudi_ = nullptr;
    QWidget* fraFoglio_ = nullptr;
    AnteprimaFoglio* picPreview_ = nullptr;
    QLabel* lblStampaInCorso_ = nullptr;
    QWidget* picZoom_ = nullptr;
    AnteprimaFoglio* picPreviewZoom_ = nullptr;
    QLabel* lblScansione_ = nullptr;
    ScansioneFinestra* scansione_ = nullptr;
};

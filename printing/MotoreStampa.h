#pragma once

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QWidget;

// The entry of the printer list that writes the sheet to a PDF file instead (the file is asked
// for at printing time), so that a teacher without a printer can still produce a sheet.
inline const QString SalvaComePdf = QStringLiteral("Salva come PDF…");

// What is printed: a drawing with its own proportions, painted into any rectangle. The outline
// maps draw vectors at the printer's resolution; a window is a picture captured in memory.
class DisegnoStampa {
public:
    using Funzione = std::function<void(QPainter&, const QRectF&)>;

    DisegnoStampa() = default;
    DisegnoStampa(QSizeF dimensione, Funzione disegna);
    static DisegnoStampa DaImmagine(const QImage& immagine);

    bool Valido() const { return disegna_ && dimensione_.width() > 0 && dimensione_.height() > 0; }
    QSizeF Dimensione() const { return dimensione_; }
    double Proporzione() const;
    // Paints the drawing as large as area allows with its own proportions, centred: it is never
    // stretched.
    void Disegna(QPainter& p, const QRectF& area) const;
    // The drawing at a size in pixels on white, in grey when asked (what a monochrome printer
    // will make of it).
    QImage Immagine(QSize dimensione, bool grigio) const;

private:
    QSizeF dimensione_;
    Funzione disegna_;
};

// Every pixel's grey level (blue + green + red) / 3, rounded; alpha kept.
QImage ConvertiInGrigi(const QImage& immagine);

// The system's printers, behind an interface so that tests can stand in their own queues.
class SistemaStampa {
public:
    virtual ~SistemaStampa() = default;
    // The installed printers, in the system's order.
    virtual QStringList Stampanti() const = 0;
    // The default printer, or the empty text when none is set.
    virtual QString Predefinita() const = 0;
    // A printer with that name and its driver's settings; nullptr when there is no such printer.
    virtual std::unique_ptr<QPrinter> Crea(const QString& nome) = 0;
    // The driver's own settings dialog (orientation, colour mode, copies); true when confirmed.
    virtual bool Dialogo(QPrinter& stampante, QWidget* proprietario) = 0;
};

// Through Qt Print Support (CUPS on Linux); the dialog is Qt's print dialog.
class SistemaStampaQt final : public SistemaStampa {
public:
    QStringList Stampanti() const override;
    QString Predefinita() const override;
    std::unique_ptr<QPrinter> Crea(const QString& nome) override;
    bool Dialogo(QPrinter& stampante, QWidget* proprietario) override;
};

// The system in use: Qt's unless a test installed another.
SistemaStampa& sistemaStampa();
// Installs another system (not owned); nullptr restores Qt's.
void ImpostaSistemaStampa(SistemaStampa* altro);

// The settings of the printer opened last (its driver's settings as the dialog left them).
struct ImpostazioniStampante {
    QString stampante;
    std::optional<QPageLayout> pagina;
    QPrinter::ColorMode colore = QPrinter::Color;
    bool operator==(const ImpostazioniStampante&) const = default;
};

// The printing engine: opens a printer by name and keeps its settings, tells the printable size
// of the sheet, shows the driver's dialog, and prints a drawing at a position and size in
// millimetres, one print job per copy. One instance lives as long as the program. Failures show
// a clear Italian message (message boxes through Messaggi) and are returned to the caller.
class MotoreStampa {
public:
    static MotoreStampa& Istanza();

    // The installed printers and "Salva come PDF…" last.
    QStringList Elenco() const;
    // The default printer, or the empty text (no message).
    QString StampantePredefinita() const;

    // Opens a printer; an empty name takes the default printer (and gets it). The orientation
    // asked before (ImpostaOrientamento) is merged into the driver's settings. Fails with a
    // message when there is no printer at all or the named one does not exist (any more).
    bool ApriStampante(QString& nome, QWidget* proprietario);
    const QString& Aperta() const { return impostazioni_.stampante; }
    // The printable size of the sheet of the open printer, in millimetres.
    std::optional<QSizeF> DimensioniFoglio() const;
    // 1 portrait, 2 landscape, other values leave the driver's choice; 0 before any open.
    int Orientamento() const;
    void ImpostaOrientamento(int orientamento);
    // Whether the open printer prints in grey.
    bool Monocromatica() const { return impostazioni_.colore == QPrinter::GrayScale; }
    // The driver's dialog for the open printer, starting from copie copies; the dialog's copies
    // come back in copie. False when there is no open printer or the dialog was cancelled.
    bool ProprietaStampante(QWidget* proprietario, int& copie);

    const ImpostazioniStampante& Impostazioni() const { return impostazioni_; }
    void RipristinaImpostazioni(const ImpostazioniStampante& salvate);

    enum class Esito { Stampato, Annullato, Fallito };
    // Prints the drawing in the rectangle mm (from the top-left corner of the printable area) on
    // the open printer, one job per copy ("Salva come PDF…": one file, one page per copy, the
    // file asked with the program's save dialog). Cancelled when the user cancels the file
    // dialog (a message says so); failed with a message when the printer vanished or a job could
    // not be started.
    Esito StampaImmagine(const DisegnoStampa& disegno, const QRect& mm, const QString& titolo,
                         int copie, QWidget* proprietario);

    // Prints a picture of a window on the default printer without any dialog, at its size on the
    // screen (dpi dots per inch), reduced to the sheet when larger. False, without a message,
    // when there is no default printer or the job fails.
    bool StampaPagina(const QImage& immagine, double dpi, const QString& titolo);

    // Forgets the open printer and its settings (tests).
    void Azzera();

private:
    MotoreStampa() = default;
    std::unique_ptr<QPrinter> NuovaStampante(const QString& nome) const;
    void Applica(QPrinter& p) const;
    static void Leggi(const QPrinter& p, ImpostazioniStampante& i);

    ImpostazioniStampante impostazioni_;
    int orientamento_ = 0;
};

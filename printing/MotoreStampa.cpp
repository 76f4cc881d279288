#include "printing/MotoreStampa.h"

#include "shell/Messaggi.h"
#include "workspace/finestra/DialogoFile.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

namespace {

SistemaStampa* installato = nullptr;

// The resolution of the PDF writer: fine enough for any sheet, and the same as a good printer.
constexpr int RisoluzionePdf = 600;

// The hourglass while a job is prepared, back to the default however printing ends.
struct Clessidra {
    Clessidra() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Clessidra() { QGuiApplication::restoreOverrideCursor(); }
    Clessidra(const Clessidra&) = delete;
    Clessidra& operator=(const Clessidra&) = delete;
};

QRectF RettangoloDispositivo(const QPrinter& p, const QRectF& mm) {
    const double f = p.resolution() / 25.4;
    return {mm.x() * f, mm.y() * f, mm.width() * f, mm.height() * f};
}

} // namespace

// --- the drawing -------------------------------------------------------------------------------

DisegnoStampa::DisegnoStampa(QSizeF dimensione, Funzione disegna)
    : dimensione_(dimensione), disegna_(std::move(disegna)) {}

DisegnoStampa DisegnoStampa::DaImmagine(const QImage& immagine) {
    if (immagine.isNull())
        return {};
    return DisegnoStampa(QSizeF(immagine.size()), [immagine](QPainter& p, const QRectF& dove) {
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(dove, immagine);
        p.restore();
    });
}

double DisegnoStampa::Proporzione() const {
    return Valido() ? dimensione_.width() / dimensione_.height() : 1.0;
}

void DisegnoStampa::Disegna(QPainter& p, const QRectF& area) const {
    if (!Valido() || area.isEmpty())
        return;
    const double scala =
        std::min(area.width() / dimensione_.width(), area.height() / dimensione_.height());
    const QSizeF s = dimensione_ * scala;
    disegna_(p, QRectF(area.x() + (area.width() - s.width()) / 2,
                       area.y() + (area.height() - s.height()) / 2, s.width(), s.height()));
}

QImage DisegnoStampa::Immagine(QSize dimensione, bool grigio) const {
    QImage img(dimensione.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        Disegna(p, QRectF(QPointF(0, 0), QSizeF(img.size())));
    }
    return grigio ? ConvertiInGrigi(img) : img;
}

QImage ConvertiInGrigi(const QImage& immagine) {
    QImage img = immagine.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* riga = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = riga[x];
            // Three values: a sum of n + 0.5 thirds never happens, so rounding is plain.
            const int g = (qRed(c) + qGreen(c) + qBlue(c) + 1) / 3;
            riga[x] = qRgba(g, g, g, qAlpha(c));
        }
    }
    return img;
}

// --- the system --------------------------------------------------------------------------------

QStringList SistemaStampaQt::Stampanti() const {
    return QPrinterInfo::availablePrinterNames();
}

QString SistemaStampaQt::Predefinita() const {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<QPrinter> SistemaStampaQt::Crea(const QString& nome) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(nome);
    if (info.isNull())
        return nullptr;
    auto p = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // A printer that cannot print in colour is a monochrome one, whatever the default says.
    const auto modi = info.supportedColorModes();
    if (!modi.isEmpty() && !modi.contains(QPrinter::Color))
        p->setColorMode(QPrinter::GrayScale);
    else
        p->setColorMode(info.defaultColorMode());
    return p;
}

bool SistemaStampaQt::Dialogo(QPrinter& stampante, QWidget* proprietario) {
    QPrintDialog dialogo(&stampante, proprietario);
    dialogo.setWindowTitle(QStringLiteral("Proprietà della stampante"));
    dialogo.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialogo.exec() == QDialog::Accepted;
}

SistemaStampa& sistemaStampa() {
    static SistemaStampaQt qt;
    return installato ? *installato : qt;
}

void ImpostaSistemaStampa(SistemaStampa* altro) {
    installato = altro;
}

// --- the engine --------------------------------------------------------------------------------

MotoreStampa& MotoreStampa::Istanza() {
    static MotoreStampa motore;
    return motore;
}

void MotoreStampa::Azzera() {
    impostazioni_ = {};
    orientamento_ = 0;
}

QStringList MotoreStampa::Elenco() const {
    QStringList elenco = sistemaStampa().Stampanti();
    elenco.removeAll(SalvaComePdf);
    elenco << SalvaComePdf;
    return elenco;
}

QString MotoreStampa::StampantePredefinita() const {
    return sistemaStampa().Predefinita();
}

std::unique_ptr<QPrinter> MotoreStampa::NuovaStampante(const QString& nome) const {
    if (nome == SalvaComePdf) {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setResolution(RisoluzionePdf);
        p->setPageSize(QPageSize(QPageSize::A4));
        p->setColorMode(QPrinter::Color);
        return p;
    }
    if (nome.isEmpty())
        return nullptr;
    return sistemaStampa().Crea(nome);
}

void MotoreStampa::Leggi(const QPrinter& p, ImpostazioniStampante& i) {
    i.pagina = p.pageLayout();
    i.colore = p.colorMode();
}

void MotoreStampa::Applica(QPrinter& p) const {
    if (impostazioni_.pagina)
        p.setPageLayout(*impostazioni_.pagina);
    p.setColorMode(impostazioni_.colore);
}

bool MotoreStampa::ApriStampante(QString& nome, QWidget* proprietario) {
    if (nome.isEmpty())
        nome = StampantePredefinita();
    if (nome.isEmpty()) {
        impostazioni_ = {};
        messaggi().Errore(proprietario,
                          QStringLiteral("Stampante di default non specificata.\n"
                                         "Nessuna stampante è installata come predefinita."));
        return false;
    }
    std::unique_ptr<QPrinter> p = NuovaStampante(nome);
    if (!p) {
        impostazioni_ = {};
        messaggi().Errore(proprietario,
                          QStringLiteral("Non posso accedere alla stampante richiesta.\n"
                                         "La stampante \"%1\" non è disponibile: forse è stata "
                                         "rimossa o scollegata.")
                              .arg(nome));
        return false;
    }
    if (impostazioni_.stampante == nome)
        Applica(*p); // the same printer again: keep what its dialog set
    ImpostazioniStampante nuove;
    nuove.stampante = nome;
    Leggi(*p, nuove);
    if (nuove.pagina && (orientamento_ == 1 || orientamento_ == 2))
        nuove.pagina->setOrientation(orientamento_ == 1 ? QPageLayout::Portrait
                                                        : QPageLayout::Landscape);
    impostazioni_ = nuove;
    return true;
}

std::optional<QSizeF> MotoreStampa::DimensioniFoglio() const {
    if (impostazioni_.stampante.isEmpty() || !impostazioni_.pagina)
        return std::nullopt;
    const QSizeF s = impostazioni_.pagina->paintRect(QPageLayout::Millimeter).size();
    if (s.isEmpty())
        return std::nullopt;
    return s;
}

int MotoreStampa::Orientamento() const {
    if (!impostazioni_.pagina)
        return 0;
    return impostazioni_.pagina->orientation() == QPageLayout::Portrait ? 1 : 2;
}

void MotoreStampa::ImpostaOrientamento(int orientamento) {
    orientamento_ = orientamento;
    if (impostazioni_.pagina && (orientamento == 1 || orientamento == 2))
        impostazioni_.pagina->setOrientation(orientamento == 1 ? QPageLayout::Portrait
                                                               : QPageLayout::Landscape);
}

bool MotoreStampa::ProprietaStampante(QWidget* proprietario, int& copie) {
    if (impostazioni_.stampante.isEmpty())
        return false;
    std::unique_ptr<QPrinter> p = NuovaStampante(impostazioni_.stampante);
    if (!p) {
        messaggi().Errore(proprietario,
                          QStringLiteral("La stampante \"%1\" non è più disponibile: scegline "
                                         "un'altra dall'elenco.")
                              .arg(impostazioni_.stampante));
        return false;
    }
    Applica(*p);
    p->setCopyCount(std::max(1, copie));
    if (!sistemaStampa().Dialogo(*p, proprietario))
        return false;
    Leggi(*p, impostazioni_);
    copie = std::max(1, p->copyCount());
    return true;
}

void MotoreStampa::RipristinaImpostazioni(const ImpostazioniStampante& salvate) {
    impostazioni_ = salvate;
}

MotoreStampa::Esito MotoreStampa::StampaImmagine(const DisegnoStampa& disegno, const QRect& mm,
                                                 const QString& titolo, int copie,
                                                 QWidget* proprietario) {
    const QString nome = impostazioni_.stampante;
    if (!disegno.Valido() || mm.isEmpty()) {
        messaggi().Errore(proprietario,
                          QStringLiteral("Errore di stampa: non c'è nulla da stampare."));
        return Esito::Fallito;
    }
    if (nome.isEmpty()) {
        messaggi().Errore(proprietario,
                          QStringLiteral("Nessuna stampante è stata scelta: scegline una "
                                         "dall'elenco."));
        return Esito::Fallito;
    }
    copie = std::clamp(copie, 1, 100);
    const bool pdf = nome == SalvaComePdf;
    QString file;
    if (pdf) {
        QString nomeFile = titolo.trimmed().isEmpty() ? QStringLiteral("Stampa") : titolo.trimmed();
        file = dialogoFile().Scegli(
            proprietario, DialogoFile::Salva, QStringLiteral("Salva come PDF"),
            nomeFile + QStringLiteral(".pdf"), QStringLiteral("Documenti PDF (*.pdf)"),
            QDir::homePath(), QStringLiteral("pdf"));
        if (file.isEmpty()) {
            messaggi().Informazione(proprietario,
                                    QStringLiteral("Stampa annullata: il foglio non è stato "
                                                   "salvato."));
            return Esito::Annullato;
        }
    }
    Clessidra clessidra;
    const int lavori = pdf ? 1 : copie;
    const int pagine = pdf ? copie : 1;
    for (int lavoro = 0; lavoro < lavori; ++lavoro) {
        std::unique_ptr<QPrinter> p = NuovaStampante(nome);
        if (!p) {
            messaggi().Errore(proprietario,
                              QStringLiteral("La stampante \"%1\" non è più disponibile: forse è "
                                             "stata rimossa o scollegata.\nScegline un'altra "
                                             "dall'elenco.")
                                  .arg(nome));
            return Esito::Fallito;
        }
        Applica(*p);
        p->setCopyCount(1);
        p->setDocName(titolo);
        p->setCreator(TitoloProgramma);
        if (pdf)
            p->setOutputFileName(file);
        QPainter painter;
        if (!painter.begin(p.get())) {
            messaggi().Errore(
                proprietario,
                QStringLiteral("Stampa interrotta: non riesco ad avviare la stampa "
                               "su \"%1\".%2")
                    .arg(pdf ? file : nome,
                         lavoro > 0
                             ? QStringLiteral("\nCopie stampate: %1 di %2.").arg(lavoro).arg(copie)
                             : QString()));
            return Esito::Fallito;
        }
        bool ok = true;
        for (int pagina = 0; pagina < pagine && ok; ++pagina) {
            if (pagina > 0)
                ok = p->newPage();
            if (ok)
                disegno.Disegna(painter, RettangoloDispositivo(*p, mm));
        }
        ok = painter.end() && ok;
        if (!ok || p->printerState() == QPrinter::Error || p->printerState() == QPrinter::Aborted) {
            messaggi().Errore(proprietario,
                              QStringLiteral("Stampa interrotta: la stampante \"%1\" non ha "
                                             "accettato il lavoro.")
                                  .arg(pdf ? file : nome));
            return Esito::Fallito;
        }
    }
    return Esito::Stampato;
}

bool MotoreStampa::StampaPagina(const QImage& immagine, double dpi, const QString& titolo) {
    const QString nome = StampantePredefinita();
    if (nome.isEmpty() || immagine.isNull() || !(dpi > 0))
        return false;
    std::unique_ptr<QPrinter> p = sistemaStampa().Crea(nome);
    if (!p)
        return false;
    p->setDocName(titolo);
    p->setCreator(TitoloProgramma);
    p->setCopyCount(1);
    const QSizeF foglio = p->pageLayout().paintRect(QPageLayout::Millimeter).size();
    QSizeF mm = QSizeF(immagine.size()) * (25.4 / dpi);
    if (foglio.isEmpty())
        return false;
    if (mm.width() > foglio.width() || mm.height() > foglio.height())
        mm.scale(foglio, Qt::KeepAspectRatio);
    Clessidra clessidra;
    QPainter painter;
    if (!painter.begin(p.get()))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(RettangoloDispositivo(*p, QRectF(QPointF(0, 0), mm)), immagine);
    const bool ok = painter.end();
    return ok && p->printerState() != QPrinter::Error && p->printerState() != QPrinter::Aborted;
}

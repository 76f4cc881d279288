#include "printing/FormMappaBiancoNero.h"

#include "catalog/Tavolozza.h"
#include "printing/FrmStampa.h"
#include "printing/GeometriaStampa.h"
#include "printing/ScansioneFinestra.h"
#include "shell/AspettoProfilo.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

namespace {

// Picture1 sits 120 twips (8 pixels) from the top and the left.
constexpr int Margine = 8;

} // namespace

FoglioContorno::FoglioContorno(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FoglioContorno::Imposta(ContornoMappa contorno) {
    contorno_ = std::move(contorno);
    update();
}

QSize FoglioContorno::sizeHint() const {
    return {450, qRound(450 / contorno_.Proporzione())};
}

void FoglioContorno::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    contorno_.Disegna(p, QRectF(rect()));
}

FormMappaBiancoNero::FormMappaBiancoNero(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormMappaBiancoNero"));
    setWindowTitle(TitoloProgramma);
    setAccessibleName(QStringLiteral("Mappa in bianco e nero"));
    setModal(true);

    barra_ = new QMenuBar(this);
    barra_->setObjectName(QStringLiteral("BarraMenu"));
    barra_->setAccessibleName(QStringLiteral("Barra dei menu"));
    barra_->setNativeMenuBar(false);
    QAction* conferma = barra_->addAction(QStringLiteral("Conferma &Stampa"));
    conferma->setObjectName(QStringLiteral("mnuConfermaStampa"));
    // Also Ctrl+S and Ctrl+P, the keys of the print entries that opened the window.
    auto* ctrlS = new QAction(this);
    ctrlS->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_P)});
    addAction(ctrlS);
    connect(conferma, &QAction::triggered, this, &FormMappaBiancoNero::ConfermaStampa);
    connect(ctrlS, &QAction::triggered, this, &FormMappaBiancoNero::ConfermaStampa);
    QAction* esci = barra_->addAction(QStringLiteral("&Esci"));
    esci->setObjectName(QStringLiteral("mnuEsci"));
    connect(esci, &QAction::triggered, this, &QDialog::reject);

    picture1_ = new FoglioContorno(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setAccessibleName(QStringLiteral("Mappa muta in bianco e nero"));

    lblErrore_ = new QLabel(this);
    lblErrore_->setObjectName(QStringLiteral("lblErrore"));
    lblErrore_->setWordWrap(true);
    lblErrore_->hide();

    lblScansione_ = new QLabel(this);
    lblScansione_->setObjectName(QStringLiteral("lblScansione"));
    lblScansione_->setAccessibleName(QStringLiteral("Comando evidenziato"));
    lblScansione_->setAutoFillBackground(true);
    lblScansione_->setStyleSheet(QStringLiteral(
        "QLabel { background: white; color: black; border: 4px solid red; padding: 6px; }"));
    lblScansione_->hide();
    scansione_ = new ScansioneFinestra(this, lblScansione_);
    scansione_->ImpostaFermate({
        {QStringLiteral("Conferma Stampa"), nullptr, [this] { ConfermaStampa(); }, {}},
        {QStringLiteral("Esci"), nullptr, [this] { reject(); }, {}},
    });
}

void FormMappaBiancoNero::Attivazione() {
    // The whole screen, over the full-screen activity window.
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        setGeometry(s->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
    const ProfiloUtente& p = Stato().Profilo;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(Tavolozza::Rgb(p.ColoreSfondo)));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f = font();
    if (!p.NomeFont.isEmpty())
        f.setFamily(p.NomeFont);
    f.setPointSize(std::clamp<int>(p.DimensioneFont, 12, 28));
    // The bar in the profile's colours (made readable) and font size, every entry on it.
    barra_->resize(width(), barra_->height());
    AspettoProfilo::ColoraBarraMenu(barra_, AspettoProfilo::Colori(), AspettoProfilo::Carattere());
    lblScansione_->setFont(f);
    lblErrore_->setFont(f);

    // Another area keeps what the window showed before; with nothing shown, the window says why.
    QString errore;
    ContornoMappa c = ContornoMappa::DellArea(Stato().AreaScelta, &errore);
    if (c.Valido())
        picture1_->Imposta(std::move(c));
    errore_ = picture1_->Contorno().Valido() ? QString() : errore;
    lblErrore_->setText(errore_);
    lblErrore_->setVisible(!errore_.isEmpty());
    Disponi();
    scansione_->Avvia();
}

void FormMappaBiancoNero::Disponi() {
    const int hBarra = barra_->sizeHint().height();
    barra_->setGeometry(0, 0, width(), hBarra);
    int basso = 0;
    if (lblScansione_->isVisibleTo(this)) {
        const int h = lblScansione_->sizeHint().height() + 12;
        lblScansione_->setGeometry(Margine, height() - h - Margine, width() - 2 * Margine, h);
        basso = h + Margine;
    }
    if (lblErrore_->isVisibleTo(this)) {
        const int h = lblErrore_->sizeHint().height();
        lblErrore_->setGeometry(Margine, hBarra + Margine, width() - 2 * Margine, h);
    }
    const int alto = hBarra + Margine + (lblErrore_->isVisibleTo(this) ? lblErrore_->height() : 0);
    const QSize spazio(std::max(1, width() - 2 * Margine),
                       std::max(1, height() - alto - Margine - basso));
    QSizeF s(picture1_->Contorno().Proporzione(), 1.0);
    s.scale(QSizeF(spazio), Qt::KeepAspectRatio);
    picture1_->setGeometry(Margine, alto, std::max(1, qRound(s.width())),
                           std::max(1, qRound(s.height())));
}

void FormMappaBiancoNero::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Disponi();
}

void FormMappaBiancoNero::ConfermaStampa() {
    const ContornoMappa contorno = picture1_->Contorno();
    if (!contorno.Valido()) {
        messaggi().Errore(this, errore_.isEmpty() ? QStringLiteral("Non c'è una mappa da stampare.")
                                                  : errore_);
        return;
    }
    scansione_->Ferma();
    const DisegnoStampa disegno(contorno.Dimensione(), [contorno](QPainter& p, const QRectF& dove) {
        contorno.Disegna(p, dove);
    });
    // Never stretched: the map's proportions inside the 100 mm square.
    const QSize area = GeometriaStampa::AdattaNelQuadrato(contorno.Proporzione(), 100);
    FrmStampa::StampaFPB(this, disegno, 10, 10, area.width(), area.height(), 2,
                         QStringLiteral("Stampa"));
    if (isVisible())
        scansione_->Avvia();
}

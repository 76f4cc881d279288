#include "printing/FrmStampa.h"

#include "printing/Modale.h"
#include "printing/ScansioneFinestra.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

FrmStampa::DomandaScala& domandaScala() {
    static FrmStampa::DomandaScala d;
    return d;
}

// The longer side of the sheet on the screen, in pixels.
constexpr int LatoFoglio = 260;
// Margins of the enlarged preview, in pixels.
constexpr int MargineZoom = 8;

} // namespace

// --- number box ----------------------------------------------------------------------------------

CasellaNumero::CasellaNumero(const QString& nome, const QString& nomeAccessibile, int minimo,
                             int massimo, Filtro filtro, QWidget* parent)
    : QLineEdit(parent), minimo_(minimo), massimo_(massimo), filtro_(std::move(filtro)) {
    setObjectName(nome);
    setAccessibleName(nomeAccessibile);
    setMaxLength(6);
    contenitore_ = new QWidget(parent);
    auto* riga = new QHBoxLayout(contenitore_);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->setSpacing(2);
    setParent(contenitore_);
    riga->addWidget(this, 1);
    auto pulsante = [&](const QString& testo, const QString& accessibile, int delta) {
        auto* b = new QToolButton(contenitore_);
        b->setText(testo);
        b->setAccessibleName(accessibile);
        b->setToolTip(accessibile);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        connect(b, &QToolButton::clicked, this, [this, delta] { Passo(delta); });
        riga->addWidget(b);
        return b;
    };
    const QString base = nome.mid(3); // txtPrW -> PrW
    giu_ = pulsante(QStringLiteral("▼"), QStringLiteral("Diminuisci: ") + nomeAccessibile, -1);
    su_ = pulsante(QStringLiteral("▲"), QStringLiteral("Aumenta: ") + nomeAccessibile, +1);
    giu_->setObjectName(QStringLiteral("upd") + base + QStringLiteral("Giu"));
    su_->setObjectName(QStringLiteral("upd") + base + QStringLiteral("Su"));
}

void CasellaNumero::Passo(int delta) {
    const int v = std::clamp(text().toInt() + delta, minimo_, massimo_);
    setText(QString::number(v));
    emit textEdited(text());
    emit PassoFatto();
}

void CasellaNumero::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
        Passo(e->key() == Qt::Key_Up ? 1 : -1);
        e->accept();
        return;
    }
    const QString t = e->text();
    if (t.size() == 1 && t[0].isPrint() &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const int selezione = selectedText().size();
        if (!filtro_(t[0], text(), cursorPosition(), selezione)) {
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void CasellaNumero::keyReleaseEvent(QKeyEvent* e) {
    QLineEdit::keyReleaseEvent(e);
    emit TastoRilasciato();
}

// --- the sheet ---------------------------------------------------------------------------------

AnteprimaFoglio::AnteprimaFoglio(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void AnteprimaFoglio::Imposta(const DisegnoStampa* disegno, QRect area, bool grigio) {
    const QSize foglio = (size() - QSize(8, 8)).expandedTo(QSize(1, 1));
    area_ = area;
    grigio_ = grigio;
    foglio_ = QImage(foglio, QImage::Format_RGB32);
    foglio_.fill(Qt::white);
    {
        QPainter p(&foglio_);
        if (disegno && disegno->Valido() && !area.isEmpty())
            disegno->Disegna(p, QRectF(area));
        // The print area itself, so that a letterboxed picture still shows its box.
        QPen bordo(QColor(0x99, 0x99, 0x99));
        bordo.setStyle(Qt::DotLine);
        p.setPen(bordo);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(area).adjusted(0, 0, -1, -1));
    }
    if (grigio)
        foglio_ = ConvertiInGrigi(foglio_);
    update();
}

void AnteprimaFoglio::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The paper (shpFoglio), its border 3 pixels in (shpBordo), the sheet 4 pixels in.
    p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    p.setPen(Qt::black);
    p.drawRect(QRect(3, 3, width() - 6, height() - 6).adjusted(0, 0, -1, -1));
    p.drawImage(QPoint(4, 4), foglio_);
    if (hasFocus()) {
        QPen fuoco(palette().color(QPalette::Highlight), 3);
        p.setPen(fuoco);
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void AnteprimaFoglio::mouseReleaseEvent(QMouseEvent* e) {
    QWidget::mouseReleaseEvent(e);
    emit Cliccato();
}

void AnteprimaFoglio::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        e->accept();
        emit Cliccato();
        return;
    }
    QWidget::keyPressEvent(e);
}

// --- the window --------------------------------------------------------------------------------

QString& FrmStampa::NomeStampante() {
    static QString nome;
    return nome;
}

void FrmStampa::ImpostaDomandaScala(DomandaScala domanda) {
    domandaScala() = std::move(domanda);
}

FrmStampa::FrmStampa(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmStampa"));
    setWindowTitle(QStringLiteral("Stampa"));
    setAccessibleName(QStringLiteral("Anteprima di stampa"));
    setModal(true);
    Costruisci();
}

FrmStampa::~FrmStampa() = default;

void FrmStampa::Costruisci() {
    auto* principale = new QVBoxLayout(this);
    auto* corpo = new QHBoxLayout;
    principale->addLayout(corpo, 1);

    // The sheet.
    auto* fraFoglio = new QGroupBox(QStringLiteral("&Foglio"), this);
    fraFoglio->setObjectName(QStringLiteral("fraFoglio"));
    fraFoglio_ = fraFoglio;
    auto* colFoglio = new QVBoxLayout(fraFoglio);
    picPreview_ = new AnteprimaFoglio(fraFoglio);
    picPreview_->setObjectName(QStringLiteral("picPreview"));
    picPreview_->setAccessibleName(QStringLiteral("Anteprima del foglio: Invio per ingrandire"));
    picPreview_->setToolTip(QStringLiteral("Clicca sul foglio per l'anteprima di stampa"));
    colFoglio->addWidget(picPreview_, 0, Qt::AlignCenter);
    auto* label1 =
        new QLabel(QStringLiteral("Clicca sul foglio per l'anteprima di stampa"), fraFoglio);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    label1->setAlignment(Qt::AlignCenter);
    colFoglio->addWidget(label1);
    colFoglio->addStretch(1);
    lblStampaInCorso_ = new QLabel(QStringLiteral("Stampa in corso..."), picPreview_);
    lblStampaInCorso_->setObjectName(QStringLiteral("lblStampaInCorso"));
    lblStampaInCorso_->setAutoFillBackground(true);
    lblStampaInCorso_->setFrameShape(QFrame::Box);
    lblStampaInCorso_->setAlignment(Qt::AlignCenter);
    lblStampaInCorso_->hide();
    connect(picPreview_, &AnteprimaFoglio::Cliccato, this, &FrmStampa::MostraIngrandimento);
    corpo->addWidget(fraFoglio, 1);

    auto* destra = new QVBoxLayout;
    corpo->addLayout(destra, 1);

    // The printer.
    auto* zFrame1 = new QGroupBox(QStringLiteral("Stampante"), this);
    zFrame1->setObjectName(QStringLiteral("zFrame1"));
    auto* gStampante = new QGridLayout(zFrame1);
    auto* zLabel1 = new QLabel(QStringLiteral("&Nome:"), zFrame1);
    zLabel1->setObjectName(QStringLiteral("zLabel1"));
    cboPrinterNames_ = new QComboBox(zFrame1);
    cboPrinterNames_->setObjectName(QStringLiteral("cboPrinterNames"));
    cboPrinterNames_->setAccessibleName(QStringLiteral("Nome della stampante"));
    zLabel1->setBuddy(cboPrinterNames_);
    cmdProprieta_ = new QPushButton(QStringLiteral("P&roprietà"), zFrame1);
    cmdProprieta_->setObjectName(QStringLiteral("cmdProprieta"));
    cmdProprieta_->setAccessibleName(QStringLiteral("Proprietà della stampante"));
    cmdProprieta_->setAutoDefault(false);
    lblNessuna_ = new QLabel(QStringLiteral("Nessuna stampante installata: il foglio si può "
                                            "salvare come PDF."),
                             zFrame1);
    lblNessuna_->setObjectName(QStringLiteral("lblNessunaStampante"));
    lblNessuna_->setWordWrap(true);
    lblNessuna_->hide();
    gStampante->addWidget(zLabel1, 0, 0);
    gStampante->addWidget(cboPrinterNames_, 0, 1);
    gStampante->addWidget(cmdProprieta_, 0, 2);
    gStampante->addWidget(lblNessuna_, 1, 0, 1, 3);
    gStampante->setColumnStretch(1, 1);
    destra->addWidget(zFrame1);
    connect(cboPrinterNames_, &QComboBox::currentIndexChanged, this, &FrmStampa::SceltaStampante);
    connect(cmdProprieta_, &QPushButton::clicked, this, &FrmStampa::Proprieta);

    // Copies.
    auto* rigaCopie = new QHBoxLayout;
    auto* lblNCopie = new QLabel(QStringLiteral("N. di c&opie:"), this);
    lblNCopie->setObjectName(QStringLiteral("lblLblNCopie"));
    auto cifre = [](QChar c, const QString&, int, int) {
        return GeometriaStampa::CarattereDimensione(c);
    };
    auto meno = [](QChar c, const QString& t, int pos, int sel) {
        return GeometriaStampa::CarattereMargine(c, t, pos, sel);
    };
    txtNCopies_ = new CasellaNumero(QStringLiteral("txtNCopies"), QStringLiteral("Numero di copie"),
                                    1, 100, cifre, this);
    lblNCopie->setBuddy(txtNCopies_);
    rigaCopie->addWidget(lblNCopie);
    rigaCopie->addWidget(txtNCopies_->ConPulsanti());
    rigaCopie->addStretch(1);
    destra->addLayout(rigaCopie);
    connect(txtNCopies_, &QLineEdit::textEdited, this, [this] {
        const QString t = txtNCopies_->text();
        if (t.isEmpty())
            return;
        const int v = std::clamp(t.toInt(), 1, 100);
        if (QString::number(v) != t)
            txtNCopies_->setText(QString::number(v));
    });

    // Print size.
    auto* zFrame3 = new QGroupBox(QStringLiteral("Dimensioni Stampa"), this);
    zFrame3->setObjectName(QStringLiteral("zFrame3"));
    auto* gDim = new QGridLayout(zFrame3);
    auto* zLabel8 = new QLabel(QStringLiteral("Largh&ezza:"), zFrame3);
    zLabel8->setObjectName(QStringLiteral("zLabel8"));
    txtPrW_ = new CasellaNumero(QStringLiteral("txtPrW"),
                                QStringLiteral("Larghezza di stampa in millimetri"), 2, 2000, cifre,
                                zFrame3);
    zLabel8->setBuddy(txtPrW_);
    auto* zLabel2 = new QLabel(QStringLiteral("Alte&zza:"), zFrame3);
    zLabel2->setObjectName(QStringLiteral("zLabel2"));
    txtPrH_ = new CasellaNumero(QStringLiteral("txtPrH"),
                                QStringLiteral("Altezza di stampa in millimetri"), 2, 2000, cifre,
                                zFrame3);
    zLabel2->setBuddy(txtPrH_);
    chkProporzioni_ = new QCheckBox(QStringLiteral("&Mantieni proporzioni"), zFrame3);
    chkProporzioni_->setObjectName(QStringLiteral("chkProporzioni"));
    chkProporzioni_->setAccessibleName(QStringLiteral("Mantieni proporzioni"));
    chkProporzioni_->setChecked(true);
    cmdMax_ = new QPushButton(QStringLiteral("Ma&ssima"), zFrame3);
    cmdMax_->setObjectName(QStringLiteral("cmdMax"));
    cmdMax_->setAccessibleName(QStringLiteral("Massima: usa tutto il foglio"));
    cmdMax_->setToolTip(QStringLiteral("Usa tutto il foglio"));
    cmdMax_->setAutoDefault(false);
    gDim->addWidget(zLabel8, 0, 0);
    gDim->addWidget(txtPrW_->ConPulsanti(), 0, 1);
    gDim->addWidget(zLabel2, 1, 0);
    gDim->addWidget(txtPrH_->ConPulsanti(), 1, 1);
    gDim->addWidget(chkProporzioni_, 2, 0, 1, 2);
    gDim->addWidget(cmdMax_, 3, 0, 1, 2);
    destra->addWidget(zFrame3);

    // Margins.
    auto* zFrame2 = new QGroupBox(QStringLiteral("Margini Stampa"), this);
    zFrame2->setObjectName(QStringLiteral("zFrame2"));
    auto* gMar = new QGridLayout(zFrame2);
    auto* zLabel7 = new QLabel(QStringLiteral("S&inistro:"), zFrame2);
    zLabel7->setObjectName(QStringLiteral("zLabel7"));
    txtPrX_ = new CasellaNumero(QStringLiteral("txtPrX"),
                                QStringLiteral("Margine sinistro in millimetri"), -2000, 2000, meno,
                                zFrame2);
    zLabel7->setBuddy(txtPrX_);
    auto* zLabel9 = new QLabel(QStringLiteral("S&uperiore:"), zFrame2);
    zLabel9->setObjectName(QStringLiteral("zLabel9"));
    txtPrY_ = new CasellaNumero(QStringLiteral("txtPrY"),
                                QStringLiteral("Margine superiore in millimetri"), -2000, 2000,
                                meno, zFrame2);
    zLabel9->setBuddy(txtPrY_);
    chkCentro_ = new QCheckBox(QStringLiteral("Stampa &al centro"), zFrame2);
    chkCentro_->setObjectName(QStringLiteral("chkCentro"));
    chkCentro_->setAccessibleName(QStringLiteral("Stampa al centro"));
    cmdOrigine_ = new QPushButton(QStringLiteral("A&lto sinistra"), zFrame2);
    cmdOrigine_->setObjectName(QStringLiteral("cmdOrigine"));
    cmdOrigine_->setAccessibleName(QStringLiteral("Alto sinistra: margini a zero"));
    cmdOrigine_->setToolTip(QStringLiteral("Imposta i margini a 0"));
    cmdOrigine_->setAutoDefault(false);
    gMar->addWidget(zLabel7, 0, 0);
    gMar->addWidget(txtPrX_->ConPulsanti(), 0, 1);
    gMar->addWidget(zLabel9, 1, 0);
    gMar->addWidget(txtPrY_->ConPulsanti(), 1, 1);
    gMar->addWidget(chkCentro_, 2, 0, 1, 2);
    gMar->addWidget(cmdOrigine_, 3, 0, 1, 2);
    destra->addWidget(zFrame2);
    destra->addStretch(1);

    // Print, close, and the scanning highlight's name.
    auto* pulsanti = new QHBoxLayout;
    lblScansione_ = new QLabel(this);
    lblScansione_->setObjectName(QStringLiteral("lblScansione"));
    lblScansione_->setAccessibleName(QStringLiteral("Comando evidenziato"));
    QFont grande = lblScansione_->font();
    grande.setBold(true);
    lblScansione_->setFont(grande);
    lblScansione_->hide();
    cmdStampa_ = new QPushButton(QStringLiteral("S&tampa"), this);
    cmdStampa_->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa_->setAccessibleName(QStringLiteral("Stampa"));
    cmdStampa_->setDefault(true);
    cmdChiudi_ = new QPushButton(QStringLiteral("&Chiudi"), this);
    cmdChiudi_->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi_->setAccessibleName(QStringLiteral("Chiudi senza stampare"));
    cmdChiudi_->setAutoDefault(false);
    pulsanti->addWidget(lblScansione_, 1);
    pulsanti->addWidget(cmdStampa_);
    pulsanti->addWidget(cmdChiudi_);
    principale->addLayout(pulsanti);
    connect(cmdStampa_, &QPushButton::clicked, this, &FrmStampa::Stampa);
    connect(cmdChiudi_, &QPushButton::clicked, this, &FrmStampa::Chiudi);

    // Boxes.
    for (CasellaNumero* c : {txtPrW_, txtPrH_}) {
        connect(c, &QLineEdit::textEdited, this, [this, c] { CambioDimensione(c); });
    }
    for (CasellaNumero* c : {txtPrX_, txtPrY_}) {
        connect(c, &QLineEdit::textEdited, this, [this, c] { CambioMargine(c); });
    }
    connect(chkProporzioni_, &QCheckBox::toggled, this, [this](bool on) {
        geometria_.ImpostaMantieniProporzioni(on);
        AggiornaAnteprima();
    });
    connect(chkCentro_, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget* w :
             {static_cast<QWidget*>(txtPrX_), static_cast<QWidget*>(txtPrY_),
              txtPrX_->ConPulsanti(), txtPrY_->ConPulsanti(), static_cast<QWidget*>(cmdOrigine_)})
            w->setEnabled(!on);
        geometria_.ImpostaAlCentro(on);
        AggiornaAnteprima();
    });
    connect(cmdOrigine_, &QPushButton::clicked, this, [this] {
        geometria_.AltoSinistra();
        AggiornaAnteprima();
    });
    connect(cmdMax_, &QPushButton::clicked, this, [this] {
        geometria_.Massima();
        AggiornaAnteprima();
    });

    // The enlarged preview, over everything while open.
    picZoom_ = new QWidget(this);
    picZoom_->setObjectName(QStringLiteral("picZoom"));
    picZoom_->setAccessibleName(QStringLiteral("Anteprima ingrandita"));
    picZoom_->setToolTip(QStringLiteral("Chiudi"));
    picZoom_->setAutoFillBackground(true);
    picZoom_->hide();
    picZoom_->installEventFilter(this);
    picPreviewZoom_ = new AnteprimaFoglio(picZoom_);
    picPreviewZoom_->setObjectName(QStringLiteral("picPreviewZoom"));
    picPreviewZoom_->setAccessibleName(
        QStringLiteral("Anteprima ingrandita: Invio, spazio o Esc per chiudere"));
    picPreviewZoom_->setToolTip(QStringLiteral("Chiudi"));
    connect(picPreviewZoom_, &AnteprimaFoglio::Cliccato, this,
            [this] { NascondiIngrandimento(false); });

    scansione_ = new ScansioneFinestra(this, lblScansione_);
    scansione_->ImpostaFermate({
        {QStringLiteral("Stampa"), cmdStampa_, [this] { cmdStampa_->click(); }, {}},
        {QStringLiteral("Massima"), cmdMax_, [this] { cmdMax_->click(); }, {}},
        {QStringLiteral("Stampa al centro"), chkCentro_, [this] { chkCentro_->click(); }, {}},
        {QStringLiteral("Mantieni proporzioni"),
         chkProporzioni_,
         [this] { chkProporzioni_->click(); },
         {}},
        {QStringLiteral("Anteprima ingrandita"),
         picPreview_,
         [this] {
             if (picZoom_->isVisible())
                 NascondiIngrandimento(true);
             else
                 MostraIngrandimento();
         },
         {}},
        {QStringLiteral("Chiudi"), cmdChiudi_, [this] { cmdChiudi_->click(); }, {}},
    });
}

bool FrmStampa::StampaFPB(QWidget* proprietario, const DisegnoStampa& oggetto, int x, int y, int w,
                          int h, int orientamento, const QString& titolo) {
    FrmStampa finestra(proprietario);
    if (!finestra.Prepara(oggetto, x, y, w, h, orientamento, titolo))
        return false;
    EseguiModale(finestra);
    return finestra.Stampato();
}

bool FrmStampa::Prepara(const DisegnoStampa& oggetto, int x, int y, int w, int h, int orientamento,
                        const QString& titolo) {
    MotoreStampa& motore = MotoreStampa::Istanza();
    // 1. The printer: the last one printed on, else the default, else a PDF file.
    QString& nome = NomeStampante();
    const bool nessuna = motore.Elenco().size() <= 1;
    lblNessuna_->setVisible(nessuna);
    if (nome.isEmpty()) {
        nome = motore.StampantePredefinita();
        if (nome.isEmpty())
            nome = SalvaComePdf;
    }
    // 2.-5. The picture and its area.
    if (w == 0 || h == 0) {
        messaggi().Errore(parentWidget(), QStringLiteral("Errore di stampa"));
        return false;
    }
    if (!oggetto.Valido()) {
        messaggi().Errore(parentWidget(), QStringLiteral("Si è verificato un errore"));
        return false;
    }
    // The profile's font, within a size that keeps the window on the screen.
    {
        const ProfiloUtente& p = Stato().Profilo;
        QFont f = QApplication::font();
        if (!p.NomeFont.isEmpty())
            f.setFamily(p.NomeFont);
        f.setPointSize(std::clamp<int>(p.DimensioneFont, 10, 20));
        setFont(f);
    }
    oggetto_ = oggetto;
    titolo_ = titolo.isEmpty() ? QStringLiteral("Stampa") : titolo;
    orientamento_ = orientamento;
    geometria_ = GeometriaStampa();
    geometria_.ImpostaMantieniProporzioni(false);
    geometria_.Inizia(x, y, w, h);
    geometria_.ImpostaMantieniProporzioni(true);
    chkProporzioni_->setChecked(true);
    chkCentro_->setChecked(false);

    // Activation.
    salvate_ = motore.Impostazioni();
    monocromatica_ = motore.Monocromatica();
    if (orientamento == 1 || orientamento == 2)
        motore.ImpostaOrientamento(orientamento);
    const QStringList elenco = motore.Elenco();
    {
        const QSignalBlocker blocco(cboPrinterNames_);
        cboPrinterNames_->clear();
        cboPrinterNames_->addItems(elenco);
    }
    const int indice = std::max<int>(0, static_cast<int>(elenco.lastIndexOf(nome)));
    cboPrinterNames_->setCurrentIndex(-1);
    {
        const QSignalBlocker blocco(cboPrinterNames_);
        cboPrinterNames_->setCurrentIndex(indice);
    }
    SceltaStampante(indice);
    txtNCopies_->setText(QStringLiteral("1"));
    MostraValori();
    AggiornaAnteprima();
    cmdStampa_->setFocus(Qt::OtherFocusReason);
    scansione_->Avvia();
    return true;
}

void FrmStampa::SceltaStampante(int indice) {
    if (indice < 0)
        return;
    QString nome = cboPrinterNames_->itemText(indice);
    MotoreStampa& motore = MotoreStampa::Istanza();
    if (!motore.ApriStampante(nome, this))
        return; // the sheet keeps its size; the engine said why
    if (const auto foglio = motore.DimensioniFoglio()) {
        foglio_ = *foglio;
        geometria_.ImpostaFoglio(ArrotondaPari(foglio->width()), ArrotondaPari(foglio->height()));
    }
    monocromatica_ = motore.Monocromatica();
    DisegnaFoglio();
}

void FrmStampa::Proprieta() {
    MotoreStampa& motore = MotoreStampa::Istanza();
    int copie = std::max(1, txtNCopies_->Valore());
    if (motore.Aperta().isEmpty()) {
        SceltaStampante(cboPrinterNames_->currentIndex());
        if (motore.Aperta().isEmpty())
            return;
    }
    if (!motore.ProprietaStampante(this, copie))
        return;
    txtNCopies_->setText(QString::number(copie));
    if (const auto foglio = motore.DimensioniFoglio()) {
        foglio_ = *foglio;
        geometria_.ImpostaFoglio(ArrotondaPari(foglio->width()), ArrotondaPari(foglio->height()));
    }
    monocromatica_ = motore.Monocromatica();
    DisegnaFoglio();
}

void FrmStampa::DisegnaFoglio() {
    const double d = static_cast<double>(geometria_.LarghezzaFoglio()) / geometria_.AltezzaFoglio();
    QSize foglio;
    if (d > 1)
        foglio = QSize(LatoFoglio, std::max(1, ArrotondaPari(LatoFoglio / d)));
    else
        foglio = QSize(std::max(1, ArrotondaPari(LatoFoglio * d)), LatoFoglio);
    picPreview_->setFixedSize(foglio + QSize(8, 8));
    if (oggetto_.Valido())
        AggiornaAnteprima();
}

void FrmStampa::MostraValori() {
    const auto scrivi = [](CasellaNumero* c, int v) {
        const QString t = QString::number(v);
        if (c->text() != t) {
            const QSignalBlocker blocco(c);
            c->setText(t);
        }
    };
    scrivi(txtPrW_, geometria_.LarghezzaStampa());
    scrivi(txtPrH_, geometria_.AltezzaStampa());
    scrivi(txtPrX_, geometria_.PosizioneX());
    scrivi(txtPrY_, geometria_.PosizioneY());
}

void FrmStampa::AggiornaAnteprima() {
    if (inAggiornamento_)
        return;
    inAggiornamento_ = true;
    geometria_.Centra();
    MostraValori();
    const QSize riquadro = picPreview_->size() - QSize(8, 8);
    picPreview_->Imposta(&oggetto_, geometria_.RettangoloAnteprima(riquadro), monocromatica_);
    if (picZoom_->isVisible())
        DisponiIngrandimento();
    inAggiornamento_ = false;
}

namespace {

// Brings the box's text within its limits (without a second change signal) and reads it.
std::optional<int> ValoreLimitato(CasellaNumero* casella, QString (*limita)(const QString&)) {
    const QString limitato = limita(casella->text());
    if (limitato != casella->text()) {
        const QSignalBlocker blocco(casella);
        casella->setText(limitato);
    }
    bool ok = false;
    const int v = limitato.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

void FrmStampa::CambioDimensione(CasellaNumero* casella) {
    const auto valore = ValoreLimitato(casella, &GeometriaStampa::LimitaDimensione);
    if (!valore)
        return;
    const int v = *valore;
    if (casella == txtPrW_)
        geometria_.ImpostaLarghezza(v);
    else
        geometria_.ImpostaAltezza(v);
    MostraValori();
    if (geometria_.LarghezzaStampa() > 1 && geometria_.AltezzaStampa() > 1)
        AggiornaAnteprima();
}

void FrmStampa::CambioMargine(CasellaNumero* casella) {
    const auto valore = ValoreLimitato(casella, &GeometriaStampa::LimitaMargine);
    if (!valore)
        return;
    const int v = *valore;
    if (casella == txtPrX_)
        geometria_.ImpostaX(v);
    else
        geometria_.ImpostaY(v);
    AggiornaAnteprima();
}

void FrmStampa::Stampa() {
    MotoreStampa& motore = MotoreStampa::Istanza();
    const QString nome = cboPrinterNames_->currentText();
    if (motore.Aperta() != nome) {
        SceltaStampante(cboPrinterNames_->currentIndex());
        if (motore.Aperta() != nome)
            return;
    }
    QRect area = geometria_.Area();
    if (geometria_.Eccede()) {
        const QString testo = QStringLiteral("Dimensioni stampa eccedenti i limiti del foglio\n\n"
                                             "Posso cambiare la scala?");
        int risposta;
        if (const DomandaScala& d = domandaScala())
            risposta = d(this);
        else
            risposta = QMessageBox::question(
                this, QStringLiteral(" Errore di Scala"), testo,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (risposta == QMessageBox::Cancel)
            return;
        if (risposta == QMessageBox::Yes)
            area = geometria_.Riscalata();
    }
    lblStampaInCorso_->adjustSize();
    lblStampaInCorso_->resize(lblStampaInCorso_->sizeHint() + QSize(16, 8));
    lblStampaInCorso_->move((picPreview_->width() - lblStampaInCorso_->width()) / 2,
                            (picPreview_->height() - lblStampaInCorso_->height()) / 2);
    lblStampaInCorso_->show();
    lblStampaInCorso_->raise();
    QPointer<FrmStampa> io(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!io)
        return;
    const int copie = std::clamp(txtNCopies_->Valore(), 1, 100);
    const auto esito = motore.StampaImmagine(oggetto_, area, titolo_, copie, this);
    if (!io)
        return;
    lblStampaInCorso_->hide();
    if (esito == MotoreStampa::Esito::Stampato) {
        NomeStampante() = nome;
        stampato_ = true;
        scansione_->Ferma();
        accept();
    }
}

void FrmStampa::Chiudi() {
    MotoreStampa::Istanza().RipristinaImpostazioni(salvate_);
    scansione_->Ferma();
    QDialog::reject();
}

void FrmStampa::reject() {
    if (picZoom_->isVisible()) {
        NascondiIngrandimento(true);
        return;
    }
    Chiudi();
}

void FrmStampa::keyPressEvent(QKeyEvent* e) {
    if (picZoom_->isVisible() &&
        (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space)) {
        NascondiIngrandimento(false);
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool FrmStampa::eventFilter(QObject* oggetto, QEvent* evento) {
    // A click on the margin of the enlarged preview closes it and restores the window.
    if (oggetto == picZoom_ && evento->type() == QEvent::MouseButtonRelease) {
        NascondiIngrandimento(true);
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FrmStampa::MostraIngrandimento() {
    if (!oggetto_.Valido())
        return;
    picZoom_->show();
    picZoom_->raise();
    setWindowState(windowState() | Qt::WindowMaximized);
    QPointer<FrmStampa> io(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!io)
        return;
    DisponiIngrandimento();
    picPreviewZoom_->setFocus(Qt::OtherFocusReason);
}

void FrmStampa::DisponiIngrandimento() {
    picZoom_->setGeometry(rect().adjusted(MargineZoom, MargineZoom, -MargineZoom, -MargineZoom));
    const double d = static_cast<double>(geometria_.LarghezzaFoglio()) / geometria_.AltezzaFoglio();
    double w = picZoom_->width() - 2 * MargineZoom * 2;
    double h = w / d;
    const double hMax = picZoom_->height() - 2 * MargineZoom * 2;
    if (h > hMax) {
        h = hMax;
        w = d * h;
    }
    const QSize foglio(std::max(1, ArrotondaPari(w)), std::max(1, ArrotondaPari(h)));
    picPreviewZoom_->setGeometry((picZoom_->width() - foglio.width() - 8) / 2,
                                 (picZoom_->height() - foglio.height() - 8) / 2, foglio.width() + 8,
                                 foglio.height() + 8);
    picPreviewZoom_->Imposta(&oggetto_, geometria_.RettangoloAnteprima(foglio), monocromatica_);
}

void FrmStampa::NascondiIngrandimento(bool ripristina) {
    picZoom_->hide();
    if (ripristina)
        setWindowState(windowState() & ~Qt::WindowMaximized);
    picPreview_->setFocus(Qt::OtherFocusReason);
}

void FrmStampa::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    if (picZoom_ && picZoom_->isVisible())
        DisponiIngrandimento();
}

#include "workspace/finestra/FinestraAttivita.h"

#include "catalog/Tavolozza.h"
#include "printing/StampeAttivita.h"
#include "shell/AspettoProfilo.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/colori/Contrasto.h"
#include "workspace/finestra/VistaZoom.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/scansione/OrologioScansione.h"
#include "workspace/voce/AnnuncioScansione.h"
#include "workspace/voce/Assistente.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

FinestraAttivita::FunzionePausa& funzionePausa() {
    static FinestraAttivita::FunzionePausa f;
    return f;
}

void Colora(QWidget* w, quint32 sfondo) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(sfondo));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// The focus-keeping clock of the window (Timer2); a tenth of a second is quick enough for a
// switch and leaves the menus alone while they are open.
constexpr int IntervalloFuoco = 100;

} // namespace

// ---------------------------------------------------------------------------------------------

RicevitoreTasti::RicevitoreTasti(const QString& nome, const QString& nomeAccessibile,
                                 QWidget* parent)
    : QWidget(parent) {
    setObjectName(nome);
    setAccessibleName(nomeAccessibile);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_KeyCompression, false);
}

void RicevitoreTasti::keyPressEvent(QKeyEvent* e) {
    e->accept();
    if (!e->isAutoRepeat())
        emit Premuto(e->key());
}

void RicevitoreTasti::keyReleaseEvent(QKeyEvent* e) {
    e->accept();
    if (!e->isAutoRepeat())
        emit Rilasciato(e->key());
}

// ---------------------------------------------------------------------------------------------

FinestraAttivita::FinestraAttivita(Tipo tipo, QWidget* parent)
    : FinestraProgramma(parent), tipo_(tipo) {
    setWindowTitle(TitoloProgramma);
    setFocusPolicy(Qt::NoFocus);

    barra_ = new QMenuBar(this);
    barra_->setObjectName(QStringLiteral("BarraMenu"));
    barra_->setAccessibleName(QStringLiteral("Barra dei menu"));
    barra_->setNativeMenuBar(false);

    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("PictureAltezza"));
    area_->setAccessibleName(QStringLiteral("Area della mappa"));

    picture1_ = new QWidget(area_);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setAccessibleName(QStringLiteral("Riquadro della mappa"));

    mappa_ = new MappaWidget(picture1_);
    mappa_->setObjectName(QStringLiteral("ShockwaveFlash1"));
    mappa_->setAccessibleName(QStringLiteral("Mappa"));
    mappa_->setFocusPolicy(Qt::NoFocus);
    connect(mappa_, &MappaWidget::FSCommand, this, &FinestraAttivita::CliccatoSullaMappa);

    text1_ = new QLineEdit(area_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAccessibleName(QStringLiteral("Nome dell'elemento"));
    text1_->setReadOnly(true);
    text1_->setFrame(false);
    text1_->setAlignment(Qt::AlignCenter);
    text1_->setFocusPolicy(Qt::NoFocus);
    text1_->setTextMargins(0, 0, 0, 0);

    // The way out for switch users: the last stop of the scanning cycle, beside the name box.
    esci_ = new QPushButton(QStringLiteral("Esci"), area_);
    esci_->setObjectName(QStringLiteral("PulsanteEsci"));
    esci_->setAccessibleName(QStringLiteral("Esci"));
    esci_->setAccessibleDescription(QStringLiteral("Chiude la mappa e torna al menu"));
    esci_->setFocusPolicy(Qt::NoFocus);
    esci_->hide();
    connect(esci_, &QPushButton::clicked, this, &FinestraAttivita::Esci);

    label1_ = new QLabel(QStringLiteral("Per settare i font"), area_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->hide();

    hscroll_ = new QScrollBar(Qt::Horizontal, area_);
    hscroll_->setObjectName(QStringLiteral("HScroll1"));
    hscroll_->setAccessibleName(QStringLiteral("Scorrimento orizzontale della mappa"));
    hscroll_->setFocusPolicy(Qt::NoFocus);
    hscroll_->hide();
    vscroll_ = new QScrollBar(Qt::Vertical, area_);
    vscroll_->setObjectName(QStringLiteral("VScroll1"));
    vscroll_->setAccessibleName(QStringLiteral("Scorrimento verticale della mappa"));
    vscroll_->setFocusPolicy(Qt::NoFocus);
    vscroll_->hide();
    connect(hscroll_, &QScrollBar::valueChanged, this, &FinestraAttivita::MuoviMappa);
    connect(vscroll_, &QScrollBar::valueChanged, this, &FinestraAttivita::MuoviMappa);

    frecce_ = new RicevitoreTasti(QStringLiteral("PictureFrecce"),
                                  QStringLiteral("Frecce per spostare la mappa"), area_);
    manuale_ = new RicevitoreTasti(QStringLiteral("PictureScansioneManuale"),
                                   QStringLiteral("Scansione manuale: spazio e invio"), area_);
    automatica_ = new RicevitoreTasti(QStringLiteral("PictureScansioneAutomatica"),
                                      QStringLiteral("Scansione automatica: spazio"), area_);
    for (RicevitoreTasti* r : {frecce_, manuale_, automatica_}) {
        r->setGeometry(0, 0, 1, 1);
        connect(r, &RicevitoreTasti::Premuto, this, &FinestraAttivita::TastoPremuto);
        connect(r, &RicevitoreTasti::Rilasciato, this, &FinestraAttivita::TastoRilasciato);
    }
    manuale_->hide();
    automatica_->hide();

    orologio_ = new OrologioScansione(this);
    connect(orologio_, &OrologioScansione::Scaduto, this, &FinestraAttivita::OrologioScaduto);
    fuoco_.setInterval(IntervalloFuoco);
    connect(&fuoco_, &QTimer::timeout, this, &FinestraAttivita::MantieniFuoco);

    CostruisciMenu();

    // Loading: the reading character of the window (speech is set up at every activation).
    assistente_ = CaricaAssistente(this, Stato().Profilo, NuovaVoce());
    annuncio_ = new AnnuncioScansione(this);

    scansione_ = std::make_unique<ComandoScansione>(CicloScansione(), ComandoScansione::Opzioni{});
    if (QScreen* s = QGuiApplication::primaryScreen())
        resize(s->size());
    else
        resize(800, 600);
}

FinestraAttivita::~FinestraAttivita() {
    // Unloading: no request of this window may speak after it.
    if (assistente_)
        assistente_->StopAll();
    if (annuncio_)
        annuncio_->Ferma();
}

QAction* FinestraAttivita::NuovaAzione(QMenu* menu, const QString& nome, const QString& testo,
                                       const QKeySequence& scorciatoia) {
    auto* a = new QAction(testo, this);
    a->setObjectName(nome);
    if (!scorciatoia.isEmpty()) {
        a->setShortcut(scorciatoia);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    if (menu)
        menu->addAction(a);
    else
        addAction(a);
    return a;
}

void FinestraAttivita::CostruisciMenu() {
    auto* stampa = barra_->addMenu(QStringLiteral("&Stampa"));
    stampa->setObjectName(QStringLiteral("mnuStampa"));
    stampa->menuAction()->setObjectName(QStringLiteral("mnuStampa"));
    // The black-and-white sheet (modal; closing it runs the activation again) and the page.
    connect(NuovaAzione(stampa, QStringLiteral("mnuStampaMappaBN"),
                        QStringLiteral("stampa mappa bianco e nero"),
                        QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, [this] { StampaMappaBiancoNero(this); });
    connect(NuovaAzione(stampa, QStringLiteral("mnuStampaEsercizio"),
                        QStringLiteral("stampa pagina esercizio"),
                        QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, [this] { StampaPaginaEsercizio(this); });

    auto* dim = barra_->addMenu(QStringLiteral("&Dimensioni"));
    dim->setObjectName(QStringLiteral("mnuDimensioni"));
    dim->menuAction()->setObjectName(QStringLiteral("mnuDimensioni"));
    connect(NuovaAzione(dim, QStringLiteral("mnuIngrandisci"), QStringLiteral("Ingrandisci"),
                        QKeySequence(Qt::CTRL | Qt::Key_I)),
            &QAction::triggered, this, &FinestraAttivita::Ingrandisci);
    connect(NuovaAzione(dim, QStringLiteral("mnuRiduci"), QStringLiteral("Riduci"),
                        QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, &FinestraAttivita::Riduci);
    connect(NuovaAzione(dim, QStringLiteral("mnuNormale"), QStringLiteral("Normale"),
                        QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &FinestraAttivita::Normale);
    dim->addSeparator()->setObjectName(QStringLiteral("mnuLinea"));
    azioneVisual_ = NuovaAzione(dim, QStringLiteral("mnuVisual"), QStringLiteral("Tutto schermo"),
                                QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(azioneVisual_, &QAction::triggered, this, &FinestraAttivita::CambiaVisualizzazioneNome);
    lineaBarre_ = dim->addSeparator();
    lineaBarre_->setObjectName(QStringLiteral("mnuLinea2"));
    azioneBarre_ =
        NuovaAzione(dim, QStringLiteral("mnuBarre"), QStringLiteral("nascondi Barre scorrimento"),
                    QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(azioneBarre_, &QAction::triggered, this, &FinestraAttivita::CambiaBarre);
    lineaBarre_->setVisible(false);
    azioneBarre_->setVisible(false);

    azioneLeggi_ = barra_->addAction(QStringLiteral("&Leggi"));
    azioneLeggi_->setObjectName(QStringLiteral("mnuLeggi"));
    // "&Leggi" and "&Esci" are commands of the bar itself: Alt+L and Alt+E.
    connect(azioneLeggi_, &QAction::triggered, this, [this] { Leggi(text1_->text()); });
    auto* esci = barra_->addAction(QStringLiteral("&Esci"));
    esci->setObjectName(QStringLiteral("mnuEsci"));
    connect(esci, &QAction::triggered, this, &FinestraAttivita::Esci);
}

void FinestraAttivita::AggiungiMenu(QMenu* menu) {
    barra_->insertMenu(azioneLeggi_, menu);
}

QAction* FinestraAttivita::Azione(const QString& nome) const {
    const auto azioni = findChildren<QAction*>(nome);
    return azioni.isEmpty() ? nullptr : azioni.first();
}

// --- activation ------------------------------------------------------------------------------

void FinestraAttivita::Attivazione() {
    if (inAttivazione_)
        return;
    QPointer<FinestraAttivita> io(this);
    inAttivazione_ = true;
    // The flag drops however the sequence ends (a pause may see the window closed).
    struct Fine {
        QPointer<FinestraAttivita>& f;
        ~Fine() {
            if (f)
                f->inAttivazione_ = false;
        }
    } fine{io};
    const ProfiloUtente& p = Stato().Profilo;

    // 1. The whole screen (the navigation has placed the window).
    DisponiCornice();
    // 2. The reading character.
    ImpostaMerlino(assistente_, p, frameGeometry());
    // Window steps before the colours (the physical filter).
    PrimaDeiColori();
    // 3. Colours, sizes, the map fitted to the viewport.
    ImpostaColori();
    ImpostaDimensione();
    Normale();
    DopoNormale();
    if (!io)
        return;
    // 4. Pending events, then the second colour pass; the physical maps wait a second.
    if (tipo_ == Tipo::Fisica) {
        if (!PausaSicura(1.0))
            return;
    } else {
        QCoreApplication::processEvents();
        if (!io)
            return;
    }
    ImpostaColori();
    // 5. The access mode.
    ImpostaModoAccesso();
}

bool FinestraAttivita::PausaSicura(double secondi) {
    QPointer<FinestraAttivita> io(this);
    if (const FunzionePausa& f = funzionePausa())
        f(secondi);
    else
        Pausa(secondi);
    return !io.isNull() && isVisible();
}

void FinestraAttivita::ImpostaModoAccesso() {
    const ProfiloUtente& p = Stato().Profilo;
    modo_ = ModoDaAccesso(p.ModalitaAccesso);
    for (QAbstractButton* b : std::as_const(fermate_))
        if (b)
            EvidenziaFermata(int(fermate_.indexOf(b)), false);
    fermate_.clear();
    for (QAbstractButton* b : FermatePrimaDiEsci())
        if (b && b != esci_)
            fermate_.append(b);
    fermate_.append(esci_);
    // "Esci" beside the name box in the scanning modes.
    DimensioniFisse();
    scansione_ = CreaScansione();
    scansione_->Attiva();
    orologio_->Azzera();
    switch (modo_) {
    case ModoScansione::Mouse:
        manuale_->hide();
        automatica_->hide();
        frecce_->show();
        break;
    case ModoScansione::Manuale:
        automatica_->hide();
        frecce_->hide();
        manuale_->show();
        break;
    case ModoScansione::Automatica:
        manuale_->hide();
        frecce_->hide();
        automatica_->show();
        break;
    }
    // The map reports no clicks in the scanning modes; the large pointer is of no use there.
    if (modo_ == ModoScansione::Mouse)
        mappa_->unsetCursor();
    else if (tipo_ == Tipo::Politica)
        mappa_->setCursor(Qt::BlankCursor);
    RicevitoreAttivo()->setFocus(Qt::OtherFocusReason);
    orologio_->Arma(scansione_->MillisecondiAlProssimoScatto());
    fuoco_.start();
}

std::unique_ptr<ComandoScansione> FinestraAttivita::CreaScansione() const {
    const ProfiloUtente& p = Stato().Profilo;
    ComandoScansione::Opzioni o;
    o.modo = ModoDaAccesso(p.ModalitaAccesso);
    o.intervalloMs = IntervalloScansione(p.TempoScansione);
    o.rilascio = ComandoScansione::Rilascio::FermaOAvvia;
    o.inMovimentoAllAvvio = false;
    o.indiceIniziale = -1;
    const auto ripristino = tipo_ == Tipo::Politica ? CicloScansione::Ripristino::Precedente
                                                    : CicloScansione::Ripristino::SoloSeEvidenziato;
    const int ultimo = UltimoElemento();
    CicloScansione ciclo(ultimo + int(fermate_.size()), ripristino, [this, ultimo](int i) {
        if (i <= ultimo)
            return SaltaNellaScansione(i);
        const int f = Fermata(i);
        return f < 0 || !fermate_[f] || !fermate_[f]->isEnabled() || fermate_[f]->isHidden();
    });
    return std::make_unique<ComandoScansione>(std::move(ciclo), o);
}

RicevitoreTasti* FinestraAttivita::RicevitoreAttivo() const {
    switch (modo_) {
    case ModoScansione::Manuale:
        return manuale_;
    case ModoScansione::Automatica:
        return automatica_;
    case ModoScansione::Mouse:
        break;
    }
    return frecce_;
}

void FinestraAttivita::MantieniFuoco() {
    if (!isVisible() || !isActiveWindow() || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget())
        return;
    RicevitoreTasti* r = RicevitoreAttivo();
    if (!r->hasFocus())
        r->setFocus(Qt::OtherFocusReason);
}

// --- colours ---------------------------------------------------------------------------------

ColoriFinestra FinestraAttivita::ColoriDellaFinestra() const {
    const ProfiloUtente& p = Stato().Profilo;
    return tipo_ == Tipo::Politica ? ColoriFinestraPolitica(p) : ColoriFinestraFisica(p);
}

QFont FinestraAttivita::FontProfilo() const {
    const ProfiloUtente& p = Stato().Profilo;
    QFont f = font();
    if (!p.NomeFont.isEmpty())
        f.setFamily(p.NomeFont);
    f.setPointSize(std::clamp<int>(p.DimensioneFont, 8, 200));
    return f;
}

void FinestraAttivita::ImpostaColori() {
    const ColoriFinestra c = ColoriDellaFinestra();
    for (QWidget* w :
         {static_cast<QWidget*>(this), area_, picture1_, static_cast<QWidget*>(manuale_),
          static_cast<QWidget*>(automatica_), static_cast<QWidget*>(frecce_)})
        Colora(w, c.finestra);
    const QFont f = FontProfilo();
    // The menu bar and its menus in the window's text colours (made readable) and the profile's
    // font.
    const int altezzaBarra = barra_->sizeHint().height();
    AspettoProfilo::ColoraBarraMenu(barra_, Contrasto::Leggibile(c.testoNome, c.finestra), f);
    if (barra_->sizeHint().height() != altezzaBarra)
        DisponiCornice();
    label1_->setFont(f);
    text1_->setFont(f);
    esci_->setFont(f);
    // "Esci" in the colours of the name box beside it, framed.
    const Contrasto::Coppia nome = Contrasto::Leggibile(c.testoNome, c.sfondoNome);
    const QString stileEsci =
        QStringLiteral("background: #%1; color: #%2; border: 3px solid #%2; padding: 0 12px;")
            .arg(nome.sfondo, 6, 16, QLatin1Char('0'))
            .arg(nome.testo, 6, 16, QLatin1Char('0'));
    if (esci_->property("evidenziata").toBool())
        esci_->setProperty("stileProprio", stileEsci);
    else if (esci_->styleSheet() != stileEsci)
        esci_->setStyleSheet(stileEsci);
    QPalette pal = text1_->palette();
    pal.setColor(QPalette::Base, QColor::fromRgb(c.sfondoNome));
    pal.setColor(QPalette::Text, QColor::fromRgb(c.testoNome));
    text1_->setPalette(pal);

    mappa_->setBGColor(c.sfondoMappa);
    mappa_->setBackgroundColor(c.cornice);
    mappa_->setColoreEvidenziazione(c.evidenziazione);
    const PassataColori passata = ColoriDellaMappa();
    for (const ColoreElemento& e : passata)
        ColoraElemento(*mappa_, e.nome, e.colore);
}

// --- sizing ----------------------------------------------------------------------------------

void FinestraAttivita::DisponiCornice() {
    const int hBarra = barra_->sizeHint().height();
    barra_->setGeometry(0, 0, width(), hBarra);
    area_->setGeometry(0, hBarra, width(), std::max(0, height() - hBarra));
}

int FinestraAttivita::AltezzaNome() const {
    // The measuring label takes the profile font and the caption "Foglia": the name box is
    // one and a tenth of its line, never less than the line and its margins.
    label1_->setText(QStringLiteral("Foglia"));
    const QFontMetrics fm(label1_->font());
    const int riga = fm.height();
    return std::max(static_cast<int>(1.1 * riga), riga + 6);
}

int FinestraAttivita::LarghezzaDisponibile() const {
    int l = area_->width();
    if (pannello_ && pannello_->isVisibleTo(area_))
        l -= static_cast<int>(area_->width() * frazionePannello_);
    return std::max(l, 1);
}

int FinestraAttivita::AltezzaUtile() const {
    const int hBasso = barraStato_ ? barraStato_->sizeHint().height() : 0;
    return std::max(1, area_->height() - hBasso);
}

bool FinestraAttivita::EsciVisibile() const {
    return modo_ != ModoScansione::Mouse;
}

int FinestraAttivita::LarghezzaAccessori() const {
    int l = 0;
    if (accantoNome_)
        l += accantoNome_->sizeHint().width();
    if (EsciVisibile())
        l += esci_->sizeHint().width();
    return l;
}

int FinestraAttivita::LarghezzaNome() const {
    int l = LarghezzaDisponibile();
    if (nomeVisibile_)
        l -= std::min(LarghezzaAccessori(), l / 2);
    return std::max(l, 1);
}

void FinestraAttivita::DisponiAccessori() {
    // Beside the name box: the window's control, then "Esci"; the two share what the name box
    // leaves, in proportion to what they ask for.
    const int disponibile = LarghezzaDisponibile();
    const int chiesto = std::max(LarghezzaAccessori(), 1);
    int x = LarghezzaNome();
    const double scala = nomeVisibile_ ? std::min(1.0, double(disponibile - x) / chiesto) : 1.0;
    int y = text1_->y();
    int h = text1_->height();
    if (!nomeVisibile_) {
        // Full-screen map: a switch user still needs the way out, in the corner of the map.
        h = AltezzaNome();
        y = std::max(0, picture1_->y() + picture1_->height() - h);
        x = std::max(0, disponibile - (EsciVisibile() ? esci_->sizeHint().width() : 0));
    }
    if (accantoNome_) {
        accantoNome_->setVisible(nomeVisibile_);
        if (nomeVisibile_) {
            const int l =
                EsciVisibile() ? int(accantoNome_->sizeHint().width() * scala) : disponibile - x;
            accantoNome_->setGeometry(x, y, l, h);
            x += l;
        }
    }
    esci_->setVisible(EsciVisibile());
    if (EsciVisibile()) {
        esci_->setGeometry(x, y, std::max(disponibile - x, 1), h);
        esci_->raise();
    }
    if (barraStato_) {
        const int hStato = barraStato_->sizeHint().height();
        barraStato_->setGeometry(0, area_->height() - hStato, area_->width(), hStato);
    }
}

void FinestraAttivita::ImpostaControlloAccantoAlNome(QWidget* controllo) {
    accantoNome_ = controllo;
    accantoNome_->setParent(area_);
    RidisponiVista();
}

void FinestraAttivita::ImpostaBarraStato(QWidget* barra) {
    barraStato_ = barra;
    barraStato_->setParent(area_);
    barraStato_->show();
    RidisponiVista();
}

void FinestraAttivita::ImpostaDimensione() {
    nomeVisibile_ = true;
    text1_->show();
    azioneVisual_->setText(QStringLiteral("Tutto schermo"));
    const int hNome = AltezzaNome();
    const int hBarra = hscroll_->isVisibleTo(area_) ? hscroll_->sizeHint().height() : 0;
    const int hVista = std::max(1, AltezzaUtile() - hNome - hBarra);
    picture1_->setGeometry(0, 0, picture1_->width(), hVista);
    DimensioniFisse();
    text1_->setGeometry(0, hVista, LarghezzaNome(), hNome);
    DisponiAccessori();
}

void FinestraAttivita::TuttoSchermo() {
    nomeVisibile_ = false;
    text1_->hide();
    azioneVisual_->setText(QStringLiteral("mostra Testo"));
    const int hBarra = hscroll_->isVisibleTo(area_) ? hscroll_->sizeHint().height() : 0;
    const int hVista = std::max(1, AltezzaUtile() - hBarra);
    picture1_->setGeometry(0, 0, picture1_->width(), hVista);
    if (tipo_ == Tipo::Politica) {
        if (dimensioneMappa_.height() < hVista)
            dimensioneMappa_.setHeight(hVista);
    } else if (dimensioneMappa_.height() <= hVista) {
        dimensioneMappa_.setHeight(hVista - hscroll_->sizeHint().height());
    }
    mappa_->resize(qRound(dimensioneMappa_.width()), qRound(dimensioneMappa_.height()));
    DimensioniFisse();
}

void FinestraAttivita::DimensioniFisse() {
    const bool vBarra = vscroll_->isVisibleTo(area_);
    const int larghezza = LarghezzaDisponibile();
    const int lBarra = vBarra ? vscroll_->sizeHint().width() : 0;
    const int lVista = std::max(1, larghezza - lBarra);
    // The bars can be hidden and shown again only while the map is larger than the viewport.
    const bool piuGrande =
        dimensioneMappa_.width() > lVista || dimensioneMappa_.height() > picture1_->height();
    azioneBarre_->setVisible(piuGrande);
    lineaBarre_->setVisible(piuGrande);
    azioneBarre_->setText(vBarra || hscroll_->isVisibleTo(area_)
                              ? QStringLiteral("nascondi Barre scorrimento")
                              : QStringLiteral("mostra Barre scorrimento"));
    picture1_->setGeometry(0, picture1_->y(), lVista, picture1_->height());
    vscroll_->setGeometry(lVista, picture1_->y(), lBarra, picture1_->height());
    const int hNome = nomeVisibile_ ? text1_->height() : 0;
    hscroll_->setGeometry(0, picture1_->y() + picture1_->height() + hNome, lVista,
                          hscroll_->sizeHint().height());
    if (nomeVisibile_)
        text1_->setGeometry(0, picture1_->height(), LarghezzaNome(), text1_->height());
    if (pannello_ && pannello_->isVisibleTo(area_))
        pannello_->setGeometry(larghezza, 0, area_->width() - larghezza, AltezzaUtile());
    DisponiAccessori();
    // The key receivers sit in a corner of the window, out of the way.
    for (QWidget* r : {static_cast<QWidget*>(frecce_), static_cast<QWidget*>(manuale_),
                       static_cast<QWidget*>(automatica_)})
        r->setGeometry(area_->width() - 1, area_->height() - 1, 1, 1);
}

void FinestraAttivita::RidisponiVista() {
    if (nomeVisibile_)
        ImpostaDimensione();
    else
        TuttoSchermo();
}

void FinestraAttivita::ImpostaBarre(QSizeF mappa) {
    const VistaZoom::Barra v = VistaZoom::CalcolaBarra(mappa.height(), picture1_->height());
    const VistaZoom::Barra h = VistaZoom::CalcolaBarra(mappa.width(), picture1_->width());
    vscroll_->setMaximum(v.massimo);
    vscroll_->setSingleStep(std::max(v.passo, 1));
    vscroll_->setPageStep(std::max(v.pagina, 1));
    vscroll_->setVisible(v.visibile);
    hscroll_->setMaximum(h.massimo);
    hscroll_->setSingleStep(std::max(h.passo, 1));
    hscroll_->setPageStep(std::max(h.pagina, 1));
    hscroll_->setVisible(h.visibile);
}

void FinestraAttivita::ApplicaZoom(QSizeF nuova) {
    zoomNormale_ = false;
    dimensioneMappa_ = nuova;
    ImpostaBarre(nuova);
    mappa_->resize(qRound(nuova.width()), qRound(nuova.height()));
    MuoviMappa();
    RidisponiVista();
}

void FinestraAttivita::Ingrandisci() {
    if (auto nuova = VistaZoom::Ingrandisci(dimensioneMappa_, picture1_->size()))
        ApplicaZoom(*nuova);
}

void FinestraAttivita::Riduci() {
    if (auto nuova = VistaZoom::Riduci(dimensioneMappa_, picture1_->size()))
        ApplicaZoom(*nuova);
}

void FinestraAttivita::Normale() {
    zoomNormale_ = true;
    hscroll_->hide();
    vscroll_->hide();
    hscroll_->setValue(0);
    vscroll_->setValue(0);
    RidisponiVista();
    double altezza = picture1_->height();
    if (tipo_ == Tipo::Fisica)
        altezza -= hscroll_->sizeHint().height();
    dimensioneMappa_ = QSizeF(picture1_->width(), std::max(altezza, 1.0));
    mappa_->setGeometry(0, 0, qRound(dimensioneMappa_.width()), qRound(dimensioneMappa_.height()));
    RidisponiVista();
}

void FinestraAttivita::CambiaVisualizzazioneNome() {
    if (nomeVisibile_)
        TuttoSchermo();
    else
        ImpostaDimensione();
}

void FinestraAttivita::CambiaBarre() {
    vscroll_->setVisible(!vscroll_->isVisibleTo(area_));
    hscroll_->setVisible(!hscroll_->isVisibleTo(area_));
    RidisponiVista();
}

void FinestraAttivita::MuoviMappa() {
    mappa_->move(-hscroll_->value(), -vscroll_->value());
}

void FinestraAttivita::ImpostaPannello(QWidget* pannello, double frazioneLarghezza) {
    pannello_ = pannello;
    frazionePannello_ = std::clamp(frazioneLarghezza, 0.1, 0.7);
    pannello_->setParent(area_);
    pannello_->hide();
}

void FinestraAttivita::MostraPannello(bool visibile) {
    if (!pannello_ || pannello_->isVisibleTo(area_) == visibile)
        return;
    pannello_->setVisible(visibile);
    if (zoomNormale_)
        Normale();
    else
        RidisponiVista();
}

bool FinestraAttivita::PannelloVisibile() const {
    return pannello_ && pannello_->isVisibleTo(area_);
}

void FinestraAttivita::resizeEvent(QResizeEvent* e) {
    FinestraProgramma::resizeEvent(e);
    DisponiCornice();
    if (zoomNormale_)
        Normale();
    else
        RidisponiVista();
}

// --- map, speech, keys -----------------------------------------------------------------------

bool FinestraAttivita::CaricaMappa() {
    return mappa_->caricaMappa(ChiaveMappa());
}

QString FinestraAttivita::ChiaveArea(const QString& area, Tipo tipo) {
    const bool sistema = Stato().Profilo.PuntatoreSistema;
    const QString suffisso =
        tipo == Tipo::Politica
            ? (sistema ? QStringLiteral("pol1.swf") : QStringLiteral("pol1pm.swf"))
            : (sistema ? QStringLiteral("fis1.swf") : QStringLiteral("fis1pm.swf"));
    return QStringLiteral("swf/") + area + u'/' + area + suffisso;
}

QString FinestraAttivita::ChiaveRegione(const QString& regione, Tipo tipo) {
    const bool sistema = Stato().Profilo.PuntatoreSistema;
    const QString suffisso =
        tipo == Tipo::Politica
            ? (sistema ? QStringLiteral("pol1.swf") : QStringLiteral("pol1pm.swf"))
            : (sistema ? QStringLiteral("fis1.swf") : QStringLiteral("fis1pm.swf"));
    return QStringLiteral("swf/regioniitaliane/") + regione + suffisso;
}

void FinestraAttivita::Leggi(const QString& testo) {
    if (!assistente_ || !Stato().Profilo.ParlatoAttivo)
        return;
    ::Leggi(assistente_, Stato().Profilo, testo);
    RichiestaInviata(false);
}

void FinestraAttivita::Parla(const QString& testoConPrefisso) {
    if (!assistente_ || !Stato().Profilo.ParlatoAttivo)
        return;
    assistente_->Speak(testoConPrefisso);
    RichiestaInviata(true);
}

void FinestraAttivita::StopAll() {
    if (assistente_)
        assistente_->StopAll();
    VoceFermata();
}

void FinestraAttivita::Esci() {
    StopAll();
    orologio_->Arma(std::nullopt);
    fuoco_.stop();
    // The pupil is never left without a window: when the way back has no window, stay here.
    if (!Navigazione::Mostra(FinestraDiRitorno())) {
        ImpostaModoAccesso();
        return;
    }
    close();
}

void FinestraAttivita::CliccatoSullaMappa(const QString& comando, const QString& argomenti) {
    Q_UNUSED(argomenti);
    if (modo_ != ModoScansione::Mouse)
        return;
    if (!comando.startsWith(MappaWidget::PrefissoElemento))
        return;
    ElementoCliccato(comando.mid(MappaWidget::PrefissoElemento.size()));
}

void FinestraAttivita::PassoScansione(const CicloScansione::Passo& passo) {
    const QString evidenziazione = ColoriDellaFinestra().evidenziazione;
    if (passo.daRipristinare >= 0)
        ColoraElemento(*mappa_, NomeElemento(passo.daRipristinare),
                       ColoreProprio(passo.daRipristinare));
    if (passo.evidenziato >= 0) {
        const QString nome = NomeElemento(passo.evidenziato);
        ColoraElemento(*mappa_, nome, evidenziazione);
        text1_->setText(nome);
    }
}

void FinestraAttivita::SelezioneScansione(int indice) {
    StopAll();
    Leggi(NomeElemento(indice));
}

void FinestraAttivita::Esegui(const ComandoScansione::Eventi& eventi) {
    QPointer<FinestraAttivita> io(this);
    for (const ComandoScansione::Evento& e : eventi) {
        if (!io)
            return;
        switch (e.tipo) {
        case ComandoScansione::Evento::Tipo::Passo: {
            // The stops are painted here; the window's handler sees the elements only.
            CicloScansione::Passo passo = e.passo;
            const int lasciata = Fermata(passo.daRipristinare);
            const int raggiunta = Fermata(passo.evidenziato);
            if (lasciata >= 0) {
                EvidenziaFermata(lasciata, false);
                passo.daRipristinare = -1;
            }
            if (raggiunta >= 0)
                passo.evidenziato = -1;
            if (passo.daRipristinare >= 0 || passo.evidenziato >= 0)
                PassoScansione(passo);
            if (io && raggiunta >= 0)
                EvidenziaFermata(raggiunta, true);
            // Auditory scanning: the element or the stop reached is spoken.
            if (io && scansione_->Impostazioni().leggiEvidenziato) {
                if (raggiunta >= 0 && fermate_[raggiunta])
                    annuncio_->Annuncia(fermate_[raggiunta]->text().remove(u'&'), Stato().Profilo);
                else if (passo.evidenziato >= 0)
                    annuncio_->Annuncia(NomeElemento(passo.evidenziato), Stato().Profilo);
            }
            break;
        }
        case ComandoScansione::Evento::Tipo::Selezione: {
            const int f = Fermata(e.indice);
            if (f < 0) {
                SelezioneScansione(e.indice);
            } else if (QAbstractButton* b = fermate_[f]) {
                b->click();
            }
            break;
        }
        case ComandoScansione::Evento::Tipo::Ripartita:
        case ComandoScansione::Evento::Tipo::Pausa:
            break;
        }
    }
}

int FinestraAttivita::Fermata(int indice) const {
    const int f = indice - UltimoElemento() - 1;
    return indice >= 0 && f >= 0 && f < fermate_.size() ? f : -1;
}

QAbstractButton* FinestraAttivita::FermataEvidenziata() const {
    if (modo_ == ModoScansione::Mouse || !scansione_)
        return nullptr;
    const int f = Fermata(scansione_->Indice());
    return f < 0 ? nullptr : fermate_[f];
}

void FinestraAttivita::EvidenziaFermata(int fermata, bool evidenziata) {
    if (fermata < 0 || fermata >= fermate_.size() || !fermate_[fermata])
        return;
    QAbstractButton* b = fermate_[fermata];
    // A highlighted stop takes the highlight colour of the elements, with readable text and a
    // thick border; left, it gets back its own look.
    constexpr const char* Proprio = "stileProprio";
    if (evidenziata) {
        if (b->property("evidenziata").toBool())
            return;
        b->setProperty(Proprio, b->styleSheet());
        const quint32 sfondo = ColoriDellaFinestra().evidenziazione.toUInt(nullptr, 16) & 0xFFFFFFu;
        const quint32 testo = Contrasto::TestoSu(sfondo);
        b->setStyleSheet(QStringLiteral("background: #%1; color: #%2; border: %3px solid #%2;")
                             .arg(sfondo, 6, 16, QLatin1Char('0'))
                             .arg(testo, 6, 16, QLatin1Char('0'))
                             .arg(SpessoreEvidenziazione(Stato().Opzioni)));
        b->setProperty("evidenziata", true);
    } else {
        if (!b->property("evidenziata").toBool())
            return;
        b->setStyleSheet(b->property(Proprio).toString());
        b->setProperty("evidenziata", false);
    }
}

void FinestraAttivita::TastoPremuto(int tasto) {
    const bool invio = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    if (modo_ == ModoScansione::Mouse || (tasto != Qt::Key_Space && !invio))
        return;
    auto eventi = scansione_->Trascorri(orologio_->Preleva());
    eventi += invio ? scansione_->PremiInvio() : scansione_->PremiSpazio();
    Esegui(eventi);
    orologio_->Arma(scansione_->MillisecondiAlProssimoScatto());
}

void FinestraAttivita::TastoRilasciato(int tasto) {
    if (modo_ == ModoScansione::Mouse) {
        QScrollBar* barra = nullptr;
        bool avanti = false;
        switch (tasto) {
        case Qt::Key_Left:
            barra = hscroll_;
            break;
        case Qt::Key_Up:
            barra = vscroll_;
            break;
        case Qt::Key_Right:
            barra = hscroll_;
            avanti = true;
            break;
        case Qt::Key_Down:
            barra = vscroll_;
            avanti = true;
            break;
        default:
            return;
        }
        VistaZoom::Barra b;
        b.massimo = barra->maximum();
        b.pagina = barra->pageStep();
        b.visibile = true;
        barra->setValue(avanti ? VistaZoom::FrecciaAvanti(barra->value(), b)
                               : VistaZoom::FrecciaIndietro(barra->value(), b));
        return;
    }
    const bool spazio = tasto == Qt::Key_Space;
    const bool invio = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    if (!spazio && !invio)
        return;
    QPointer<FinestraAttivita> io(this);
    auto eventi = scansione_->Trascorri(orologio_->Preleva());
    eventi += spazio ? scansione_->RilasciaSpazio() : scansione_->RilasciaInvio();
    Esegui(eventi);
    if (io)
        orologio_->Arma(scansione_->MillisecondiAlProssimoScatto());
}

void FinestraAttivita::OrologioScaduto() {
    AvanzaOrologio(orologio_->Preleva());
}

void FinestraAttivita::AvanzaOrologio(int millisecondi) {
    QPointer<FinestraAttivita> io(this);
    MantieniFuoco();
    Esegui(scansione_->Trascorri(millisecondi));
    if (io)
        orologio_->Arma(scansione_->MillisecondiAlProssimoScatto());
}

void FinestraAttivita::hideEvent(QHideEvent* e) {
    orologio_->Arma(std::nullopt);
    fuoco_.stop();
    FinestraProgramma::hideEvent(e);
}

void FinestraAttivita::closeEvent(QCloseEvent* e) {
    StopAll();
    annuncio_->Ferma();
    orologio_->Arma(std::nullopt);
    fuoco_.stop();
    FinestraProgramma::closeEvent(e);
}

void FinestraAttivita::ImpostaFabbricaVoce(FabbricaVoce fabbrica) {
    ::ImpostaFabbricaVoce(std::move(fabbrica));
}

void FinestraAttivita::ImpostaPausa(FunzionePausa pausa) {
    funzionePausa() = std::move(pausa);
}

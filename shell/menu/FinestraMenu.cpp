#include "shell/menu/FinestraMenu.h"

#include "catalog/Tavolozza.h"
#include "shell/AspettoProfilo.h"
#include "shell/Navigazione.h"
#include "shell/StatoProgramma.h"
#include "shell/clsResize.h"
#include "shell/menu/CasellaMenu.h"
#include "shell/menu/NomiFinestre.h"
#include "workspace/mappa/VistaMappa.h"
#include "workspace/scansione/OrologioScansione.h"
#include "workspace/voce/AnnuncioScansione.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
constexpr const char* ProprietaFocus = "focusOriginale";
} // namespace

FinestraMenu::FinestraMenu(QWidget* parent) : FinestraProgramma(parent) {
    setWindowTitle(QStringLiteral("L'Orbisto di Tessivo"));
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    barra_ = new QMenuBar(this);
    barra_->setAccessibleName(QStringLiteral("Barra dei menu"));
    layout->setMenuBar(barra_);
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("AreaMenu"));
    area_->resize(LarghezzaProgetto, AltezzaProgetto);
    area_->setMouseTracking(true);
    layout->addWidget(area_);
    ridimensionatore_ = new clsResize(this);
    orologio_ = new OrologioScansione(this);
    annuncio_ = new AnnuncioScansione(this);
    connect(orologio_, &OrologioScansione::Scaduto, this, [this] { Gestisci(Ingresso::Tempo); });
}

FinestraMenu::~FinestraMenu() = default;

void FinestraMenu::RegistraProgetto() {
    // The area is recorded at its designed size, before the layout stretches it.
    area_->resize(LarghezzaProgetto, AltezzaProgetto);
    ridimensionatore_->setSourceForm(area_);
    ridimensionatore_->ReInitialise();
    ridimensionatore_->setAutomatico(true);
    resize(LarghezzaProgetto, AltezzaProgetto + barra_->sizeHint().height());
}

CasellaMenu* FinestraMenu::AggiungiCasella(int indice, const QString& didascalia,
                                           const QRect& progetto) {
    auto* c = new CasellaMenu(indice, didascalia, area_);
    c->setObjectName(QStringLiteral("Picture1_%1").arg(indice));
    c->setGeometry(progetto);
    connect(c, &CasellaMenu::cliccata, this, [this](int i) {
        if (modo_ == ModoScansione::Mouse)
            CasellaScelta(i);
    });
    connect(c, &CasellaMenu::puntata, this, [this, c](int i) {
        if (modo_ == ModoScansione::Mouse && c->isEnabled())
            ColoraCasella(i);
    });
    connect(c, &CasellaMenu::lasciata, this, [this](int i) {
        if (modo_ == ModoScansione::Mouse && CasellaEvidenziata() == i)
            ColoraCasella(-1);
    });
    caselle_.append(c);
    return c;
}

QAction* FinestraMenu::AggiungiComando(QMenu* menu, const QString& testo,
                                       const QKeySequence& tasti) {
    QAction* a = menu->addAction(testo);
    a->setShortcut(tasti);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

QAction* FinestraMenu::AggiungiComando(const QString& testo, const QKeySequence& tasti) {
    QAction* a = barra_->addAction(testo);
    a->setShortcut(tasti);
    // A top-level entry of the menu bar: its shortcut must work while the bar is not focused.
    addAction(a);
    return a;
}

int FinestraMenu::CasellaEvidenziata() const {
    for (const CasellaMenu* c : caselle_)
        if (c->Evidenziata())
            return c->Indice();
    return -1;
}

void FinestraMenu::ColoraCasella(int indice) {
    const int prima = CasellaEvidenziata();
    for (CasellaMenu* c : std::as_const(caselle_))
        c->ImpostaEvidenziata(c->Indice() == indice);
    if (indice >= 0 && indice != prima) {
        for (const CasellaMenu* c : std::as_const(caselle_))
            if (c->Indice() == indice)
                AnnunciaEvidenziato(c->Didascalia());
    }
}

void FinestraMenu::AnnunciaEvidenziato(const QString& testo) {
    if (modo_ != ModoScansione::Mouse && Stato().Opzioni.leggiEvidenziato)
        annuncio_->Annuncia(testo, Stato().Profilo);
}

QColor FinestraMenu::ColoreSfondo() const {
    return QColor::fromRgb(Tavolozza::Rgb(Stato().Profilo.ColoreSfondo));
}

QColor FinestraMenu::ColoreTesto() const {
    // Readable on the background whatever the profile says.
    return QColor::fromRgb(AspettoProfilo::Colori().testo);
}

QFont FinestraMenu::CarattereProfilo() const {
    return AspettoProfilo::Carattere();
}

void FinestraMenu::ApplicaProfilo() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColoreSfondo());
    pal.setColor(QPalette::WindowText, ColoreTesto());
    setPalette(pal);
    setAutoFillBackground(true);
    // The menu bar in the profile's colours (made readable) and font size.
    AspettoProfilo::ColoraBarraMenu(barra_, AspettoProfilo::Colori(), CarattereProfilo());
    // The bar's new height at once: a bar lower than its entries shows only the overflow button.
    if (layout())
        layout()->activate();
    const QFont f = CarattereProfilo();
    for (CasellaMenu* c : std::as_const(caselle_)) {
        c->ImpostaColori(ColoreSfondo(), ColoreTesto());
        c->ImpostaCarattere(f);
    }
}

void FinestraMenu::PuntatoreCaselle() {
    const bool grande = !Stato().Profilo.PuntatoreSistema && modo_ == ModoScansione::Mouse;
    static const QCursor puntatoreGrande(QPixmap::fromImage(ImmaginePuntatoreGrande()), 3, 3);
    // Tiles and buttons: what the pupil points at.
    QList<QWidget*> bersagli(caselle_.cbegin(), caselle_.cend());
    for (QAbstractButton* b : area_->findChildren<QAbstractButton*>())
        bersagli << b;
    for (QWidget* w : std::as_const(bersagli)) {
        if (grande)
            w->setCursor(puntatoreGrande);
        else
            w->unsetCursor();
    }
}

void FinestraMenu::ImpostaFocusScansione(bool scansione) {
    // Scanning: every key goes to the window; the controls give up the focus.
    const auto figli = findChildren<QWidget*>();
    for (QWidget* w : figli) {
        if (w == barra_ || barra_->isAncestorOf(w))
            continue;
        if (!w->property(ProprietaFocus).isValid())
            w->setProperty(ProprietaFocus, int(w->focusPolicy()));
        w->setFocusPolicy(scansione ? Qt::NoFocus
                                    : Qt::FocusPolicy(w->property(ProprietaFocus).toInt()));
    }
    if (scansione)
        setFocus(Qt::OtherFocusReason);
}

QAction* FinestraMenu::AggiungiComandoConfigura() {
    configura_ =
        AggiungiComando(QStringLiteral("&Configurazioni"), QKeySequence(Qt::CTRL | Qt::Key_K));
    configura_->setObjectName(QStringLiteral("mnuConfigura"));
    connect(configura_, &QAction::triggered, this, [this] { Apri(NomiFinestre::Configurazione); });
    return configura_;
}

QAction* FinestraMenu::AggiungiComandoEsci() {
    QAction* esci = AggiungiComando(QStringLiteral("&Esci"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    esci->setObjectName(QStringLiteral("mnuEsci"));
    connect(esci, &QAction::triggered, this, [this] { Navigazione::ConfermaUscita(this); });
    return esci;
}

void FinestraMenu::Apri(const QString& nome) {
    FermaOrologio();
    if (Navigazione::Mostra(nome))
        close();
}

void FinestraMenu::Attivazione() {
    if (configura_)
        configura_->setEnabled(Navigazione::Disponibile(NomiFinestre::Configurazione));
    modo_ = ModoDaAccesso(Stato().Profilo.ModalitaAccesso);
    spazioGiu_ = false;
    invioGiu_ = false;
    ApplicaProfilo();
    ImpostaFocusScansione(modo_ != ModoScansione::Mouse);
    PuntatoreCaselle();
    orologio_->Azzera();
    orologio_->Arma(std::nullopt);
}

void FinestraMenu::Scorri(int millisecondi) {
    GestisciTempo(millisecondi);
    Riarma();
}

void FinestraMenu::Gestisci(Ingresso ingresso) {
    // Every input first brings the logic's clock up to date.
    const int trascorsi = orologio_->Preleva();
    if (ingresso == Ingresso::Tempo || trascorsi > 0)
        GestisciTempo(trascorsi);
    switch (ingresso) {
    case Ingresso::Tempo:
        break;
    case Ingresso::SpazioGiu:
        GestisciSpazioPremuto();
        break;
    case Ingresso::SpazioSu:
        GestisciSpazioRilasciato();
        break;
    case Ingresso::InvioGiu:
        GestisciInvioPremuto();
        break;
    case Ingresso::InvioSu:
        GestisciInvio();
        break;
    }
    Riarma();
}

void FinestraMenu::Riarma() {
    orologio_->Arma(isVisible() ? ProssimoScatto() : std::nullopt);
}

void FinestraMenu::FermaOrologio() {
    orologio_->Arma(std::nullopt);
    annuncio_->Ferma();
}

void FinestraMenu::keyPressEvent(QKeyEvent* e) {
    if (modo_ == ModoScansione::Mouse) {
        FinestraProgramma::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Space:
        if (!e->isAutoRepeat() && !spazioGiu_) {
            spazioGiu_ = true;
            Gestisci(Ingresso::SpazioGiu);
        }
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!e->isAutoRepeat() && !invioGiu_) {
            invioGiu_ = true;
            Gestisci(Ingresso::InvioGiu);
        }
        e->accept();
        return;
    default:
        FinestraProgramma::keyPressEvent(e);
    }
}

void FinestraMenu::keyReleaseEvent(QKeyEvent* e) {
    if (modo_ == ModoScansione::Mouse || e->isAutoRepeat()) {
        FinestraProgramma::keyReleaseEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Space:
        if (spazioGiu_) {
            spazioGiu_ = false;
            Gestisci(Ingresso::SpazioSu);
        }
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (invioGiu_) {
            invioGiu_ = false;
            Gestisci(Ingresso::InvioSu);
        }
        e->accept();
        return;
    default:
        FinestraProgramma::keyReleaseEvent(e);
    }
}

void FinestraMenu::hideEvent(QHideEvent* e) {
    FinestraProgramma::hideEvent(e);
    FermaOrologio();
}

void FinestraMenu::resizeEvent(QResizeEvent* e) {
    FinestraProgramma::resizeEvent(e);
}

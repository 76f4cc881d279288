#include "activities/puzzles/FinestraPuzzle.h"

#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Suoni.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

GiocoPuzzle::Estrazione& estrazione() {
    static GiocoPuzzle::Estrazione e;
    return e;
}

// The pause before every draw.
constexpr double PausaEstrazione = 1.5;

QString Rgb(quint32 c) {
    return QStringLiteral("#%1").arg(c & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

} // namespace

void FinestraPuzzle::ImpostaEstrazione(GiocoPuzzle::Estrazione e) {
    estrazione() = std::move(e);
}

const GiocoPuzzle::Estrazione& FinestraPuzzle::Estrazione() {
    return estrazione();
}

FinestraPuzzle::FinestraPuzzle(Tipo tipo, const QString& regione, QWidget* parent)
    : FinestraAttivita(tipo, parent), regione_(regione) {
    gioco_ = std::make_unique<GiocoPuzzle>(QList<PezzoPuzzle>{}, QStringList{});

    cambia_ = new QPushButton(QStringLiteral("&Cambia"), this);
    cambia_->setObjectName(QStringLiteral("CommandCambia"));
    cambia_->setAccessibleName(QStringLiteral("Cambia pezzo"));
    // The menu bar's "&Cambia" takes Alt+C: the button's own mnemonic would make it ambiguous.
    cambia_->setShortcut(QKeySequence());
    cambia_->setFocusPolicy(Qt::NoFocus);
    connect(cambia_, &QPushButton::clicked, this, &FinestraPuzzle::Cambia);
    ImpostaControlloAccantoAlNome(cambia_);

    QAction* leggi = Azione(QStringLiteral("mnuLeggi"));
    mnuCambia_ = new QAction(QStringLiteral("&Cambia"), this);
    mnuCambia_->setObjectName(QStringLiteral("mnuCambia"));
    connect(mnuCambia_, &QAction::triggered, this, &FinestraPuzzle::Cambia);
    BarraMenu()->insertAction(leggi, mnuCambia_);
    mnuRicomincia_ = new QAction(QStringLiteral("&Ricomincia"), this);
    mnuRicomincia_->setObjectName(QStringLiteral("mnuRicomincia"));
    connect(mnuRicomincia_, &QAction::triggered, this, &FinestraPuzzle::Ricomincia);
    BarraMenu()->insertAction(leggi, mnuRicomincia_);

    connect(Mappa(), &MappaWidget::FSCommand, this, &FinestraPuzzle::ComandoMappa);
}

void FinestraPuzzle::CostruisciFiltro(RigheFisiche righe, const QString& area,
                                      const QString& regione) {
    filtro_ = std::make_unique<FiltroCategorie>(righe, area, regione);
    if (!menuFiltro_) {
        menuFiltro_ = new QMenu(QStringLiteral("&Visualizza"), this);
        menuFiltro_->setObjectName(QStringLiteral("mnuVisualizza"));
        menuFiltro_->menuAction()->setObjectName(QStringLiteral("mnuVisualizza"));
        // Between "&Cambia" and "&Ricomincia".
        BarraMenu()->insertMenu(mnuRicomincia_, menuFiltro_);
        auto* gruppo = new QActionGroup(this);
        gruppo->setExclusive(true);
        for (const VoceFiltro& v : filtro_->Voci()) {
            const QKeySequence tasto = v.categoria == CategoriaFiltro::Tutto
                                           ? QKeySequence(Qt::CTRL | Qt::Key_A)
                                           : QKeySequence(v.scorciatoia);
            QAction* a = NuovaAzione(menuFiltro_, v.menu, v.didascalia, tasto);
            a->setCheckable(true);
            gruppo->addAction(a);
            const CategoriaFiltro categoria = v.categoria;
            connect(a, &QAction::triggered, this,
                    [this, categoria] { ScegliCategoria(categoria); });
            vociFiltro_.insert(v.categoria, a);
        }
        menuFiltro_->addSeparator();
        mnuDecolora_ = NuovaAzione(menuFiltro_, QStringLiteral("mnuDecolora"),
                                   QStringLiteral("Decolora parti inattive"),
                                   QKeySequence(Qt::CTRL | Qt::Key_Z));
        mnuDecolora_->setCheckable(true);
        connect(mnuDecolora_, &QAction::triggered, this, &FinestraPuzzle::CambiaDecolora);
    }
    for (const VoceFiltro& v : filtro_->Voci())
        if (QAction* a = vociFiltro_.value(v.categoria)) {
            a->setText(v.didascalia);
            a->setVisible(v.visibile);
        }
    if (QAction* tutto = vociFiltro_.value(CategoriaFiltro::Tutto))
        tutto->setChecked(true);
}

// --- the frame's questions ------------------------------------------------------------------

QString FinestraPuzzle::NomeElemento(int indice) const {
    return indice >= 0 && indice < gioco_->Numero() ? gioco_->Pezzo(indice).nome : QString();
}

QString FinestraPuzzle::ColoreProprio(int indice) const {
    return gioco_->ColorePosto(indice, ColoriGioco());
}

bool FinestraPuzzle::SaltaNellaScansione(int indice) const {
    return gioco_->Inserito(indice);
}

PassataColori FinestraPuzzle::ColoriDellaMappa() const {
    return gioco_->Colori(ColoriGioco());
}

QList<QAbstractButton*> FinestraPuzzle::FermatePrimaDiEsci() const {
    return {cambia_};
}

// --- activation and the game ------------------------------------------------------------------

void FinestraPuzzle::NuovoGioco() {
    gioco_ = std::make_unique<GiocoPuzzle>(Pezzi(), CategorieEscluse(), Estrazione());
    if (mnuDecolora_ && mnuDecolora_->isChecked())
        gioco_->ImpostaDecolora(true);
}

void FinestraPuzzle::PrimaDeiColori() {
    // A new game at every activation, the filter back on "Tutto"; the map afresh.
    NuovoGioco();
    if (filtro_) {
        if (QAction* tutto = vociFiltro_.value(CategoriaFiltro::Tutto))
            tutto->setChecked(true);
    }
    CaricaMappa();
    Text1()->clear();
    const ProfiloUtente& p = Stato().Profilo;
    QFont f = FontProfilo();
    f.setPointSize(std::max(8, (p.DimensioneFont / 3) * 2));
    cambia_->setFont(f);
    if (!cambia_->property("evidenziata").toBool())
        ColoraCambia();
}

void FinestraPuzzle::Attivazione() {
    QPointer<FinestraPuzzle> io(this);
    FinestraAttivita::Attivazione();
    if (!io || !isVisible())
        return;
    // The receivers take the new game's cycle (the frame built it for the game of PrimaDeiColori).
    ScegliNazione();
}

void FinestraPuzzle::RiavviaGioco() {
    QPointer<FinestraPuzzle> io(this);
    AbilitaComandi(false);
    CaricaMappa();
    ImpostaColori();
    QCoreApplication::processEvents();
    if (!io)
        return;
    ImpostaColori();
    Text1()->clear();
    ScegliNazione();
}

void FinestraPuzzle::Ricomincia() {
    gioco_->Ricomincia();
    RiavviaGioco();
}

void FinestraPuzzle::ScegliCategoria(CategoriaFiltro categoria) {
    if (categoria == CategoriaFiltro::Tutto)
        gioco_->ScegliTutto();
    else
        gioco_->ScegliCategoria(FiltroCategorie::Parola(categoria));
    if (QAction* a = vociFiltro_.value(categoria))
        a->setChecked(true);
    RiavviaGioco();
}

void FinestraPuzzle::CambiaDecolora() {
    // The action has already changed its tick.
    gioco_->ImpostaDecolora(mnuDecolora_ && mnuDecolora_->isChecked());
    RiavviaGioco();
}

void FinestraPuzzle::AbilitaComandi(bool abilita) {
    // While a draw is under way the window cannot be left nor the piece changed; the scanning
    // passes over the disabled stops meanwhile.
    if (QAction* esci = Azione(QStringLiteral("mnuEsci")))
        esci->setEnabled(abilita);
    PulsanteEsci()->setEnabled(abilita);
    mnuCambia_->setEnabled(abilita);
    cambia_->setEnabled(abilita);
}

void FinestraPuzzle::ScegliNazione() {
    if (gioco_->FaseGioco() != GiocoPuzzle::Fase::Estrazione)
        return;
    QPointer<FinestraPuzzle> io(this);
    AbilitaComandi(false);
    QCoreApplication::processEvents();
    if (!io)
        return;
    // A game with nothing to place ends at once; otherwise the pupil gets a moment first.
    if (gioco_->DaPosare() > 0 && !PausaSicura(PausaEstrazione)) {
        if (io)
            AbilitaComandi(true);
        return;
    }
    // Another draw may have run during the pause: this one then has nothing to do.
    if (gioco_->FaseGioco() == GiocoPuzzle::Fase::Estrazione) {
        const int i = gioco_->Estrai();
        if (i < 0) {
            Fine();
        } else {
            const QString nome = gioco_->Pezzo(i).nome;
            Text1()->setText(nome);
            Leggi(nome);
            Mappa()->SetVariable(MappaWidget::VariabilePezzoScelto, nome);
        }
    }
    if (io)
        AbilitaComandi(true);
}

void FinestraPuzzle::Fine() {
    QPointer<FinestraPuzzle> io(this);
    Text1()->clear();
    Leggi(MessaggioFine);
    messaggi().Informazione(this, MessaggioFine);
    if (io)
        AbilitaComandi(true);
}

void FinestraPuzzle::Cambia() {
    switch (gioco_->Cambia()) {
    case GiocoPuzzle::EsitoCambia::Nulla:
        return;
    case GiocoPuzzle::EsitoCambia::Finito:
        Fine();
        return;
    case GiocoPuzzle::EsitoCambia::Estrai:
        break;
    }
    const int via = gioco_->PezzoDaNascondere();
    if (via >= 0)
        Mappa()->SetVariable(MappaWidget::VariabileNascondi,
                             VistaMappa::NomePezzo(gioco_->Pezzo(via).nome));
    ScegliNazione();
}

void FinestraPuzzle::PezzoPosato(int indice, bool daScansione) {
    QPointer<FinestraPuzzle> io(this);
    const QString nome = gioco_->Pezzo(indice).nome;
    ColoraElemento(*Mappa(), nome, gioco_->Pezzo(indice).colore);
    if (daScansione) {
        Mappa()->SetVariable(MappaWidget::VariabileNascondi, VistaMappa::NomePezzo(nome));
        // "Riparti dall'inizio dopo la selezione": the next step goes to the first empty place.
        // Nothing stays highlighted meanwhile, so an Enter now chooses nothing unseen.
        if (Stato().Profilo.RipartiDopoSelezione)
            Scansione().Ciclo().Azzera();
    }
    SuonoPuzzle(Stato().Profilo);
    ScegliNazione();
    if (io && daScansione && Modo() == ModoScansione::Automatica)
        Scansione().ImpostaScansioneAttiva(true);
}

void FinestraPuzzle::ComandoMappa(const QString& comando, const QString& argomenti) {
    if (Modo() != ModoScansione::Mouse || argomenti != MappaWidget::ArgomentoColpito ||
        !comando.startsWith(MappaWidget::PrefissoPezzo) ||
        comando.size() <= MappaWidget::PrefissoPezzo.size())
        return;
    // The command without its 6-character prefix and its last character ("p").
    const QString nome = comando.mid(MappaWidget::PrefissoPezzo.size()).chopped(1);
    const int i = gioco_->PezzoCorrente();
    // A hit for a piece no longer on offer (already placed, or a draw under way) is ignored.
    if (i < 0 || gioco_->Pezzo(i).nome != nome)
        return;
    if (gioco_->PosaPezzoOfferto() == GiocoPuzzle::Esito::Giusta)
        PezzoPosato(i, false);
}

// --- scanning ---------------------------------------------------------------------------------

void FinestraPuzzle::ColoraCambia() {
    // The frame paints the button's highlight as a scanning stop and gives this look back.
    const ColoriFinestra c = ColoriDellaFinestra();
    cambia_->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %2; border: 2px solid %2; "
                       "padding: 2px 12px; }"
                       "QPushButton:disabled { color: gray; border-color: gray; }")
            .arg(Rgb(c.finestra), Rgb(c.testoNome)));
}

void FinestraPuzzle::PassoScansione(const CicloScansione::Passo& passo) {
    // The name box keeps the piece on offer: the highlight only colours.
    if (passo.daRipristinare >= 0)
        ColoraElemento(*Mappa(), NomeElemento(passo.daRipristinare),
                       ColoreProprio(passo.daRipristinare));
    if (passo.evidenziato >= 0)
        ColoraElemento(*Mappa(), NomeElemento(passo.evidenziato),
                       ColoriDellaFinestra().evidenziazione);
}

void FinestraPuzzle::SelezioneScansione(int indice) {
    const int corrente = gioco_->PezzoCorrente();
    switch (gioco_->Seleziona(indice)) {
    case GiocoPuzzle::Esito::Giusta:
        PezzoPosato(corrente, true);
        break;
    case GiocoPuzzle::Esito::Sbagliata:
        // No sound and no message; the piece on offer is named again for those who hear it.
        StopAll();
        Leggi(gioco_->NomeCorrente());
        break;
    case GiocoPuzzle::Esito::Nulla:
        break;
    }
}

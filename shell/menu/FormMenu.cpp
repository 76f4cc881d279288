#include "shell/menu/FormMenu.h"

#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/ApriDocumento.h"
#include "shell/menu/CasellaMenu.h"
#include "shell/menu/DisegniMenu.h"
#include "shell/menu/NomiFinestre.h"
#include "workspace/scansione/MenuScansione.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

const QStringList& DidascalieAree() {
    static const QStringList d{
        QStringLiteral("Italia"),
        QStringLiteral("Europa"),
        QStringLiteral("Africa"),
        QStringLiteral("Asia"),
        QStringLiteral("America Centro Settentrionale"),
        QStringLiteral("America Meridionale"),
        QStringLiteral("Oceania"),
    };
    return d;
}

FormMenu::FormMenu(QWidget* parent) : FinestraMenu(parent) {
    setAccessibleName(QStringLiteral("Menu delle aree"));

    titolo_ = new QLabel(QStringLiteral("Scegli un'area"), Area());
    titolo_->setObjectName(QStringLiteral("LabelTitolo"));
    titolo_->setGeometry(10, 4, 780, 42);
    titolo_->setAlignment(Qt::AlignCenter);
    titolo_->setAccessibleName(titolo_->text());

    // Four tiles above, three below, the user list beside them.
    const int l = 186, h = 244, passo = 197;
    for (int i = 0; i < NumeroCaselleAree; ++i) {
        const QRect r = i < 4 ? QRect(10 + passo * i, 52, l, h)
                              : QRect(10 + passo * (i - 4), 52 + h + 10, l, h);
        CasellaMenu* c = AggiungiCasella(i, DidascalieAree()[i], r);
        const QString area = ChiaviAree()[i];
        c->ImpostaDisegnatore([area](QSize d) {
            return DisegniMenu::MiniaturaMappa(area, DisegniMenu::TipoMiniatura::Politica, d,
                                               Stato().Profilo);
        });
        c->setAccessibleDescription(QString());
    }

    etichettaUtente_ = new QLabel(QStringLiteral("Utente"), Area());
    etichettaUtente_->setObjectName(QStringLiteral("LabelUtente"));
    etichettaUtente_->setGeometry(10 + passo * 3, 52 + h + 60, l, 40);
    etichettaUtente_->setAlignment(Qt::AlignCenter);
    combo_ = new QComboBox(Area());
    combo_->setObjectName(QStringLiteral("Combo1"));
    combo_->setAccessibleName(QStringLiteral("Utente"));
    combo_->setGeometry(10 + passo * 3, 52 + h + 104, l, 48);
    etichettaUtente_->setBuddy(combo_);
    connect(combo_, &QComboBox::activated, this, &FormMenu::UtenteScelto);

    AggiungiComandoConfigura();
    esercizi_ =
        AggiungiComando(QStringLiteral("Esercizi eseguiti"), QKeySequence(Qt::CTRL | Qt::Key_E));
    esercizi_->setObjectName(QStringLiteral("mnuEserciziEseguiti"));
    connect(esercizi_, &QAction::triggered, this, [this] { Apri(NomiFinestre::EserciziEseguiti); });

    QMenu* info = BarraMenu()->addMenu(QStringLiteral("&Informazioni"));
    info->setObjectName(QStringLiteral("mnuInformazioni"));
    QAction* progetto =
        AggiungiComando(info, QStringLiteral("Progetto Orbisto"), QKeySequence(Qt::Key_F2));
    progetto->setObjectName(QStringLiteral("infoProg"));
    connect(progetto, &QAction::triggered, this, [this] {
        ApriDocumento(this,
                      Percorsi::InCartellaProgramma(QStringLiteral("docum/progettoorbisto.pdf")));
    });
    QAction* doc =
        AggiungiComando(info, QStringLiteral("documentazione d'uso"), QKeySequence(Qt::Key_F1));
    doc->setObjectName(QStringLiteral("mnuDoc"));
    connect(doc, &QAction::triggered, this, [this] {
        ApriDocumento(this,
                      Percorsi::InCartellaProgramma(QStringLiteral("docum/documentazione.pdf")));
    });
    QAction* about = AggiungiComando(info, QStringLiteral("about"), QKeySequence(Qt::Key_F3));
    about->setObjectName(QStringLiteral("mnuabout"));
    connect(about, &QAction::triggered, this, [this] { Apri(Navigazione::Informazioni); });
    addActions(info->actions());

    AggiungiComandoEsci();

    RegistraProgetto();
}

FormMenu::~FormMenu() = default;

void FormMenu::Attivazione() {
    esercizi_->setVisible(Stato().Profilo.TracciaAttivita);
    esercizi_->setEnabled(Navigazione::Disponibile(NomiFinestre::EserciziEseguiti));
    // Refilling the list selects the current user, which reloads the profile: the rest of the
    // activation then follows the profile as it is on file.
    RiempiUtenti();
    FinestraMenu::Attivazione();
    const int intervallo = IntervalloScansione(Stato().Profilo.TempoScansione);
    scansione_ = std::make_unique<ComandoScansione>(ScansioneMenuAree(Modo(), intervallo));
    scansione_->Attiva();
    ColoraCasella(Modo() == ModoScansione::Mouse ? -1 : scansione_->Indice());
    Scorri(0);
}

void FormMenu::ApplicaProfilo() {
    FinestraMenu::ApplicaProfilo();
    const QFont f = CarattereProfilo();
    titolo_->setFont(DisegniMenu::CarattereAdattato(f, titolo_->text(), titolo_->size(), false));
    etichettaUtente_->setFont(DisegniMenu::CarattereAdattato(f, etichettaUtente_->text(),
                                                             etichettaUtente_->size(), false));
    QFont fc = f;
    fc.setPointSize(std::clamp(f.pointSize(), 10, 28));
    combo_->setFont(fc);
}

void FormMenu::RiempiUtenti() {
    riempimento_ = true;
    combo_->clear();
    StatoProgramma& s = Stato();
    combo_->addItems(ElencoUtentiMenu(s.CartellaImpostazioni));
    combo_->setVisible(combo_->count() >= 2);
    etichettaUtente_->setVisible(combo_->count() >= 2);
    int scelta = -1;
    for (int i = 0; i < combo_->count(); ++i)
        if (combo_->itemText(i).toUpper() == s.NomeUtente.toUpper())
            scelta = i;
    // A user that is not in the list is not shown as the first one of it.
    if (scelta < 0)
        combo_->setCurrentIndex(-1);
    riempimento_ = false;
    if (scelta >= 0) {
        combo_->setCurrentIndex(scelta);
        ImpostaUtente(s, combo_->itemText(scelta));
        CaricaProfilo(s);
    }
}

void FormMenu::UtenteScelto(int riga) {
    if (riempimento_ || riga < 0)
        return;
    StatoProgramma& s = Stato();
    ImpostaUtente(s, combo_->itemText(riga));
    CaricaProfilo(s);
    // The new user's colours, font and input mode apply at once.
    Attivazione();
}

void FormMenu::GestisciTempo(int millisecondi) {
    if (!scansione_)
        return;
    for (const auto& e : scansione_->Trascorri(millisecondi))
        if (e.tipo == ComandoScansione::Evento::Tipo::Passo)
            ColoraCasella(e.passo.evidenziato);
}

void FormMenu::GestisciSpazioPremuto() {
    if (scansione_)
        scansione_->PremiSpazio();
}

void FormMenu::GestisciSpazioRilasciato() {
    if (!scansione_)
        return;
    const auto eventi = scansione_->RilasciaSpazio();
    for (const auto& e : eventi) {
        if (e.tipo == ComandoScansione::Evento::Tipo::Passo)
            ColoraCasella(e.passo.evidenziato);
        else if (e.tipo == ComandoScansione::Evento::Tipo::Selezione)
            ApriArea(e.indice);
    }
}

void FormMenu::GestisciInvioPremuto() {
    if (scansione_)
        scansione_->PremiInvio();
}

void FormMenu::GestisciInvio() {
    if (!scansione_)
        return;
    for (const auto& e : scansione_->RilasciaInvio())
        if (e.tipo == ComandoScansione::Evento::Tipo::Selezione)
            ApriArea(e.indice);
}

std::optional<int> FormMenu::ProssimoScatto() const {
    return scansione_ ? scansione_->MillisecondiAlProssimoScatto() : std::nullopt;
}

void FormMenu::CasellaScelta(int indice) {
    ApriArea(indice);
}

void FormMenu::ApriArea(int indice) {
    FermaOrologio();
    if (indice < 0 || indice >= NumeroCaselleAree)
        return;
    StatoProgramma& s = Stato();
    const QString area = ChiaviAree()[indice];
    CaricaCatalogoPolitico(s.Catalogo, area);
    CaricaCatalogoFisico(s.Fisico, area);
    s.AreaScelta = area;
    if (Navigazione::Mostra(Navigazione::MenuAttivita))
        close();
}

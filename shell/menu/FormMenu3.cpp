#include "shell/menu/FormMenu3.h"

#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/DisegniMenu.h"
#include "shell/menu/NomiFinestre.h"
#include "workspace/colori/ColoriMappa.h"
#include "workspace/mappa/ChiaveMappa.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/scansione/MenuScansione.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

FormMenu3::Estrazione& estrazione() {
    static FormMenu3::Estrazione e;
    return e;
}

const QString TitoloScelta = QStringLiteral("Regioni italiane");
const QString MessaggioRegioneMancante =
    QStringLiteral("Questa regione non è ancora stata inserita.");

} // namespace

void FormMenu3::ImpostaEstrazione(Estrazione e) {
    estrazione() = std::move(e);
}

FormMenu3::FormMenu3(QWidget* parent) : MenuConScansione(parent) {
    setAccessibleName(QStringLiteral("Scelta della regione"));
    CaricaRegioniItalia(regioni_);

    titolo_ = new QLabel(TitoloScelta, Area());
    titolo_->setObjectName(QStringLiteral("Label1_0"));
    titolo_->setGeometry(10, 4, 780, 50);
    titolo_->setAlignment(Qt::AlignCenter);

    mappa_ = new MappaWidget(Area());
    mappa_->setObjectName(QStringLiteral("ShockwaveFlash1"));
    mappa_->setAccessibleName(QStringLiteral("Mappa politica dell'Italia: scegli una regione"));
    mappa_->setGeometry(10, 58, 540, 496);
    connect(mappa_, &MappaWidget::FSCommand, this, &FormMenu3::ComandoMappa);

    istruzione_ = new QLabel(QStringLiteral("Scegli una regione"), Area());
    istruzione_->setObjectName(QStringLiteral("Label2"));
    istruzione_->setGeometry(560, 70, 230, 110);
    istruzione_->setAlignment(Qt::AlignCenter);
    istruzione_->setWordWrap(true);

    const QString testi[2] = {QStringLiteral("Regione a caso"), QStringLiteral("Torna")};
    const QKeySequence tasti[2] = {QKeySequence(Qt::CTRL | Qt::Key_R),
                                   QKeySequence(Qt::Key_Escape)};
    for (int i = 0; i < 2; ++i) {
        pulsanti_[i] = new QPushButton(testi[i], Area());
        pulsanti_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        pulsanti_[i]->setAccessibleName(testi[i]);
        pulsanti_[i]->setGeometry(560, 210 + i * 150, 230, 120);
        pulsanti_[i]->setShortcut(tasti[i]);
    }
    pulsanti_[0]->setAccessibleDescription(
        QStringLiteral("Apre l'attività su una regione scelta a caso"));
    pulsanti_[1]->setAccessibleDescription(QStringLiteral("Torna al menu delle attività"));
    connect(pulsanti_[0], &QPushButton::clicked, this, &FormMenu3::RegioneACaso);
    connect(pulsanti_[1], &QPushButton::clicked, this, &FormMenu3::Torna);

    AggiungiComandoConfigura();
    AggiungiComandoEsci();

    RegistraProgetto();
}

FormMenu3::~FormMenu3() = default;

bool FormMenu3::ACasoDisponibile() const {
    const FinestraRegionale f = FinestraRegioneACaso(Stato().AttivitaScelta);
    return f != FinestraRegionale::Nessuna &&
           Navigazione::Disponibile(NomiFinestre::DellaRegione(f));
}

int FormMenu3::IndiceScansione() const {
    return scansione_ ? scansione_->Indice() : -1;
}

void FormMenu3::Attivazione() {
    const StatoProgramma& s = Stato();
    titolo_->setText(TitoloScelta);
    pulsanti_[0]->setEnabled(ACasoDisponibile());
    FinestraMenu::Attivazione();

    mappa_->caricaMappa(s.Profilo.PuntatoreSistema ? QStringLiteral("swf/Italia/Italiapol1.swf")
                                                   : QStringLiteral("swf/Italia/Italiapol1pm.swf"));
    ImpostaColori();

    ComandoScansione::Opzioni o;
    o.modo = Modo();
    o.intervalloMs = IntervalloScansione(s.Profilo.TempoScansione);
    o.rilascio = ComandoScansione::Rilascio::FermaOAvvia;
    o.inMovimentoAllAvvio = true;
    o.indiceIniziale = -1;
    scansione_ = std::make_unique<ComandoScansione>(
        CicloScansione(IndiceTorna, CicloScansione::Ripristino::Precedente,
                       [this](int i) { return i == IndiceACaso && !pulsanti_[0]->isEnabled(); }),
        o);
    scansione_->Attiva();
    Scorri(0);
}

void FormMenu3::ApplicaProfilo() {
    FinestraMenu::ApplicaProfilo();
    // The buttons take the largest profile-font size that fits "Regione a caso"; the title six
    // points more, as far as it fits.
    const QFont f = CarattereProfilo();
    QFont fp = f;
    fp.setPointSize(96);
    fp = DisegniMenu::CarattereAdattato(fp, pulsanti_[0]->text(),
                                        pulsanti_[0]->size() - QSize(16, 16), false);
    for (QPushButton* p : pulsanti_)
        p->setFont(fp);
    QFont ft = fp;
    ft.setPixelSize(fp.pixelSize() + 8);
    ft.setBold(true);
    titolo_->setFont(ft);
    titolo_->setFont(DisegniMenu::CarattereAdattato(ft, QStringLiteral("Friuli Venezia Giulia"),
                                                    titolo_->size(), false));
    istruzione_->setFont(
        DisegniMenu::CarattereAdattato(f, istruzione_->text(), istruzione_->size(), true));
}

void FormMenu3::ImpostaColori() {
    const ProfiloUtente& p = Stato().Profilo;
    mappa_->setBGColor(Tavolozza::Esadecimale(p.ColoreSfondo));
    mappa_->setBackgroundColor(Tavolozza::Rgb(p.ColoreSfondo));
    mappa_->setColoreEvidenziazione(ColoreClasse(p, 4));
    for (const ColoreElemento& c : ColoriSceltaRegione(regioni_, p))
        ColoraElemento(*mappa_, c.nome, c.colore);
}

void FormMenu3::Ripristina(int indice) {
    if (indice >= 0 && indice <= regioni_.NumeroElementi) {
        ColoraElemento(*mappa_, regioni_.ElencoNomi[size_t(indice)],
                       ColoreClasse(Stato().Profilo, regioni_.ClasseColore[size_t(indice)]));
    } else if (indice == IndiceACaso || indice == IndiceTorna) {
        pulsanti_[indice - IndiceACaso]->setStyleSheet(QString());
    }
}

void FormMenu3::Evidenzia(int indice) {
    if (indice >= 0 && indice <= regioni_.NumeroElementi) {
        const QString& nome = regioni_.ElencoNomi[size_t(indice)];
        ColoraElemento(*mappa_, nome, ColoreClasse(Stato().Profilo, 4));
        titolo_->setText(nome);
        AnnunciaEvidenziato(nome);
    } else if (indice == IndiceACaso || indice == IndiceTorna) {
        pulsanti_[indice - IndiceACaso]->setStyleSheet(StileEvidenziato(Stato().Opzioni));
        AnnunciaEvidenziato(pulsanti_[indice - IndiceACaso]->text().remove(u'&'));
        titolo_->setText(TitoloScelta);
    }
}

void FormMenu3::Esegui(const ComandoScansione::Eventi& eventi) {
    for (const ComandoScansione::Evento& e : eventi) {
        if (e.tipo == ComandoScansione::Evento::Tipo::Passo) {
            Ripristina(e.passo.daRipristinare);
            Evidenzia(e.passo.evidenziato);
        } else if (e.tipo == ComandoScansione::Evento::Tipo::Selezione) {
            Seleziona(e.indice);
            return;
        }
    }
}

void FormMenu3::Seleziona(int indice) {
    if (indice >= 0 && indice <= regioni_.NumeroElementi)
        ScegliRegione(regioni_.ElencoNomi[size_t(indice)]);
    else if (indice == IndiceACaso)
        RegioneACaso();
    else if (indice == IndiceTorna)
        Torna();
}

void FormMenu3::ComandoMappa(const QString& comando, const QString&) {
    if (!comando.startsWith(MappaWidget::PrefissoElemento))
        return;
    const QString nome = comando.mid(MappaWidget::PrefissoElemento.size());
    // Only the regions choose: borders and the land around Italy do nothing.
    for (int i = 0; i <= regioni_.NumeroElementi; ++i)
        if (regioni_.ElencoNomi[size_t(i)] == nome) {
            ScegliRegione(nome);
            return;
        }
}

void FormMenu3::ScegliRegione(const QString& regione) {
    StatoProgramma& s = Stato();
    const QString finestra = NomiFinestre::DellaRegione(FinestraDellaRegione(s.AttivitaScelta));
    if (finestra.isEmpty())
        return;
    s.RegioneScelta = regione;
    if (RichiedeMappaFisicaRegionale(s.AttivitaScelta) &&
        !EsisteMappa(QStringLiteral("swf/regioniitaliane/") + regione +
                     QStringLiteral("fis1.swf"))) {
        messaggi().Errore(this, MessaggioRegioneMancante);
        return;
    }
    FermaOrologio();
    if (Navigazione::Mostra(finestra)) {
        // The chooser stays loaded, hidden, behind the regional window.
        hide();
    } else {
        messaggi().Informazione(this, QStringLiteral("Questa attività non è ancora disponibile."));
        Scorri(0);
    }
}

void FormMenu3::RegioneACaso() {
    if (!ACasoDisponibile())
        return;
    const FinestraRegionale f = FinestraRegioneACaso(Stato().AttivitaScelta);
    const int n = regioni_.NumeroElementi + 1;
    int i = estrazione() ? estrazione()(n) : int(QRandomGenerator::global()->bounded(n));
    i = std::clamp(i, 0, n - 1);
    Stato().RegioneScelta = regioni_.ElencoNomi[size_t(i)];
    FermaOrologio();
    if (Navigazione::Mostra(NomiFinestre::DellaRegione(f)))
        close();
}

void FormMenu3::Torna() {
    FermaOrologio();
    if (Navigazione::Mostra(Navigazione::MenuAttivita))
        close();
}

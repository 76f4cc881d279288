#include "activities/exploration/FormMappaFis.h"

#include "catalog/CatalogoFisicoRegioni.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/MenuVisualizza.h"
#include "workspace/mappa/ChiaveMappa.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/testi/CartelleTesti.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>

FormMappaFis::FormMappaFis(QWidget* parent) : FinestraEsplorazione(Tipo::Fisica, parent) {
    setAccessibleName(QStringLiteral("Esplora la carta fisica"));
    fisico_ = Stato().Fisico;
    CostruisciFiltro(Stato().AreaScelta, QString());
    CaricaMappa();
}

FormMappaFis::FormMappaFis(Regionale, QWidget* parent)
    : FinestraEsplorazione(Tipo::Fisica, parent) {}

void FormMappaFis::CostruisciFiltro(const QString& area, const QString& regione) {
    filtro_ = std::make_unique<FiltroCategorie>(RigheDi(fisico_), area, regione);
    if (!menuFiltro_) {
        menuFiltro_ = new MenuVisualizza(this, [this](CategoriaFiltro c) { ScegliCategoria(c); });
        AggiungiMenu(menuFiltro_->Menu());
    }
    menuFiltro_->Aggiorna(*filtro_);
}

void FormMappaFis::ScegliCategoria(CategoriaFiltro categoria) {
    const int fotogramma = filtro_->Scegli(categoria);
    Mappa()->GotoFrame(fotogramma);
    menuFiltro_->Spunta(categoria);
    ImpostaColori();
    if (!PausaSicura(1.0))
        return;
    ImpostaColori();
    Text1()->clear();
}

QString FormMappaFis::ChiaveMappa() const {
    return ChiaveArea(Stato().AreaScelta, Tipo::Fisica);
}

QString FormMappaFis::NomeElemento(int indice) const {
    if (indice < 0 || indice > fisico_.NumeroElementiFisici)
        return {};
    return fisico_.ElencoFisico[indice][CatalogoFisico::ColonnaNome];
}

QString FormMappaFis::ColoreProprio(int indice) const {
    if (indice < 0 || indice > fisico_.NumeroElementiFisici)
        return {};
    return fisico_.ElencoFisico[indice][CatalogoFisico::ColonnaColore];
}

bool FormMappaFis::SaltaNellaScansione(int indice) const {
    return indice >= 0 && indice <= fisico_.NumeroElementiFisici &&
           fisico_.ElencoFisico[indice][CatalogoFisico::ColonnaCategoria] ==
               QStringView(CategoriaFisica::Indistinto);
}

PassataColori FormMappaFis::ColoriDellaMappa() const {
    return ColoriFisici(RigheDi(fisico_));
}

QString FormMappaFis::CartellaTesti() const {
    // The texts of the area shown (those of Italy for Italy and its regions).
    return CartelleTesti::CartellaTesti(Stato().AreaScelta);
}

void FormMappaFis::PrimaDeiColori() {
    // Colours from the current profile; the filter's entries hidden when their category is
    // empty; the filter back on "Tutto".
    TrovaColoriFisiche(fisico_, Stato().Profilo);
    menuFiltro_->Aggiorna(*filtro_);
    Mappa()->GotoFrame(filtro_->Scegli(CategoriaFiltro::Tutto));
}

void FormMappaFis::ElementoCliccato(const QString& comando) {
    StopAll();
    int precedente = 0;
    for (int i = 0; i <= fisico_.NumeroElementiFisici; ++i)
        if (fisico_.ElencoFisico[i][CatalogoFisico::ColonnaNome] == ElementoSelezionato())
            precedente = i;
    if (fisico_.NumeroElementiFisici >= 0)
        ColoraElemento(*Mappa(), ElementoSelezionato(), ColoreProprio(precedente));
    QString nome = comando;
    for (int i = 0; i <= fisico_.NumeroElementiFisici; ++i)
        if (fisico_.ElencoFisico[i][CatalogoFisico::ColonnaNome] == nome &&
            fisico_.ElencoFisico[i][CatalogoFisico::ColonnaCategoria] ==
                QStringView(CategoriaFisica::Indistinto))
            nome = QStringLiteral("Indistinto");
    if (nome == u"Indistinto" || nome == u"Confine") {
        Text1()->clear();
        return;
    }
    Text1()->setText(nome);
    ColoraElemento(*Mappa(), nome, ColoriDellaFinestra().evidenziazione);
    Leggi(nome);
    ImpostaElementoSelezionato(nome);
}

// --- FormMappaRegioniFis ---------------------------------------------------------------------

FormMappaRegioniFis::FormMappaRegioniFis(QWidget* parent) : FormMappaFis(Regionale{}, parent) {
    setAccessibleName(QStringLiteral("Esplora la carta fisica della regione"));
    regione_ = Stato().RegioneScelta;
    presente_ = CaricaFisicoRegione(fisico_, regione_) && EsisteMappa(ChiaveMappa());
    CostruisciFiltro(Stato().AreaScelta, regione_);
    TrovaColoriFisiche(fisico_, Stato().Profilo);
    if (presente_)
        CaricaMappa();
}

void FormMappaRegioniFis::Attivazione() {
    if (!presente_) {
        messaggi().Errore(this, MessaggioRegioneMancante);
        if (Navigazione::Mostra(Navigazione::SceltaRegione))
            close();
        return;
    }
    FormMappaFis::Attivazione();
}

QString FormMappaRegioniFis::ChiaveMappa() const {
    return ChiaveRegione(regione_, Tipo::Fisica);
}

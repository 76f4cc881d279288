#include "activities/quizzes/FormFisDove.h"

#include "activities/exploration/FormMappaFis.h"
#include "catalog/CatalogoFisicoRegioni.h"
#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/MenuVisualizza.h"
#include "workspace/mappa/ChiaveMappa.h"
#include "workspace/mappa/MappaWidget.h"

#include <QLineEdit>
#include <QMenu>

FormFisDove::FormFisDove(QWidget* parent) : FinestraQuiz(Tipo::Fisica, parent) {
    setAccessibleName(QStringLiteral("Dov'è? Carta fisica"));
    fisico_ = Stato().Fisico;
    CostruisciFiltro(Stato().AreaScelta, QString());
    CaricaMappa();
}

FormFisDove::FormFisDove(Regionale, QWidget* parent) : FinestraQuiz(Tipo::Fisica, parent) {
    regionale_ = true;
}

void FormFisDove::CostruisciFiltro(const QString& area, const QString& regione) {
    filtro_ = std::make_unique<FiltroCategorie>(RigheDi(fisico_), area, regione);
    if (!menu_) {
        menu_ = new MenuVisualizza(this, [this](CategoriaFiltro c) { ScegliCategoria(c); });
        AggiungiMenu(menu_->Menu());
    }
    menu_->Aggiorna(*filtro_);
}

QString FormFisDove::ChiaveMappa() const {
    return ChiaveArea(Stato().AreaScelta, Tipo::Fisica);
}

QString FormFisDove::AreaDelRegistro() const {
    return Stato().AreaScelta;
}

void FormFisDove::ApplicaFiltro(CategoriaFiltro categoria) {
    categoria_ = categoria;
    Mappa()->GotoFrame(filtro_->Scegli(categoria));
    menu_->Spunta(categoria);
    const ProfiloUtente& p = Stato().Profilo;
    elenco_ = ElencoFiltrato(RigheDi(fisico_), categoria, regionale_,
                             Tavolozza::Esadecimale(p.SchemaFisico[9]));
    QuizModificabile().ImpostaElementi(ElementiQuiz(elenco_));
}

QList<QuizDove::Elemento> FormFisDove::ElementiDelQuiz() {
    // The category pass of the start: colours from the profile, the empty categories' entries
    // hidden, the filter on "Tutto".
    TrovaColoriFisiche(fisico_, Stato().Profilo);
    menu_->Aggiorna(*filtro_);
    ApplicaFiltro(CategoriaFiltro::Tutto);
    return ElementiQuiz(elenco_);
}

void FormFisDove::ScegliCategoria(CategoriaFiltro categoria) {
    QPointer<FormFisDove> io(this);
    ApplicaFiltro(categoria);
    if (!RicoloraDueVolte())
        return;
    Text1()->clear();
    Ricomincia();
}

bool FormFisDove::PuoRicominciare() {
    if (Quiz().DaTrovare() > 0)
        return true;
    messaggi().Errore(this, NessunElementoDelTipo);
    return false;
}

QString FormFisDove::ColoreTrovato(int slot) const {
    return elenco_.value(slot).colore;
}

QString FormFisDove::ColoreDaTrovare(int slot) const {
    const ProfiloUtente& p = Stato().Profilo;
    return Tavolozza::Esadecimale(elenco_.value(slot).dentro ? p.SchemaFisico[0]
                                                             : p.SchemaFisico[9]);
}

bool FormFisDove::ClicIgnorato(const QString& nome) const {
    // Undistinguished land and the borders are not features.
    if (nome.compare(QStringLiteral("Indistinto"), Qt::CaseInsensitive) == 0 || nome == u"Confine")
        return true;
    for (int i = 0; i <= fisico_.NumeroElementiFisici; ++i)
        if (fisico_.ElencoFisico[i][CatalogoFisico::ColonnaNome] == nome)
            return fisico_.ElencoFisico[i][CatalogoFisico::ColonnaCategoria] ==
                   QStringView(CategoriaFisica::Indistinto);
    return false;
}

// --- FormFisDoveRegioni ----------------------------------------------------------------------

FormFisDoveRegioni::FormFisDoveRegioni(QWidget* parent) : FormFisDove(Regionale{}, parent) {
    setAccessibleName(QStringLiteral("Dov'è? Carta fisica della regione"));
    regione_ = Stato().RegioneScelta;
    presente_ = CaricaFisicoRegione(fisico_, regione_) && EsisteMappa(ChiaveMappa());
    CostruisciFiltro(Stato().AreaScelta, regione_);
    TrovaColoriFisiche(fisico_, Stato().Profilo);
    if (presente_)
        CaricaMappa();
}

void FormFisDoveRegioni::Attivazione() {
    if (!presente_) {
        messaggi().Errore(this, MessaggioRegioneMancante);
        if (Navigazione::Mostra(Navigazione::SceltaRegione))
            close();
        return;
    }
    FormFisDove::Attivazione();
}

QString FormFisDoveRegioni::ChiaveMappa() const {
    return ChiaveRegione(regione_, Tipo::Fisica);
}

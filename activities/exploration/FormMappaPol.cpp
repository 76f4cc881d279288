#include "activities/exploration/FormMappaPol.h"

#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/testi/CartelleTesti.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRandomGenerator>

FormMappaPol::FormMappaPol(QWidget* parent) : FinestraEsplorazione(Tipo::Politica, parent) {
    setAccessibleName(QStringLiteral("Esplora la carta politica"));
    const CatalogoArea& c = Stato().Catalogo;
    for (int i = 0; i <= c.NumeroElementi && i < CatalogoArea::MassimoElementi; ++i)
        elementi_.append({c.ElencoNomi[i], c.ClasseColore[i]});
    // Loading: the area's political map.
    CaricaMappa();
}

FormMappaPol::FormMappaPol(Regionale, QWidget* parent)
    : FinestraEsplorazione(Tipo::Politica, parent) {}

QString FormMappaPol::ChiaveMappa() const {
    return ChiaveArea(Stato().AreaScelta, Tipo::Politica);
}

QString FormMappaPol::NomeElemento(int indice) const {
    return elementi_.value(indice).nome;
}

QString FormMappaPol::ColoreProprio(int indice) const {
    return ColoreClasse(Stato().Profilo, elementi_.value(indice).classe);
}

PassataColori FormMappaPol::ColoriDellaMappa() const {
    return ColoriPolitici(Stato().Catalogo, Stato().Profilo);
}

QString FormMappaPol::CartellaTesti() const {
    return CartelleTesti::CartellaTesti(Stato().AreaScelta);
}

void FormMappaPol::ElementoCliccato(const QString& nome) {
    StopAll();
    // The element chosen before gets its own colour back (the last one of that name).
    int precedente = 0;
    for (int i = 0; i < elementi_.size(); ++i)
        if (elementi_[i].nome == ElementoSelezionato())
            precedente = i;
    if (!elementi_.isEmpty())
        ColoraElemento(*Mappa(), ElementoSelezionato(), ColoreProprio(precedente));
    Text1()->setText(nome);
    ColoraElemento(*Mappa(), nome, ColoriDellaFinestra().evidenziazione);
    Leggi(Text1()->text());
    ImpostaElementoSelezionato(nome);
}

// --- FormMappaPolReg -------------------------------------------------------------------------

namespace {
FormMappaPolReg::Estrazione& estrazione() {
    static FormMappaPolReg::Estrazione e;
    return e;
}
} // namespace

void FormMappaPolReg::ImpostaEstrazione(Estrazione e) {
    estrazione() = std::move(e);
}

FormMappaPolReg::FormMappaPolReg(QWidget* parent) : FormMappaPol(Regionale{}, parent) {
    setAccessibleName(QStringLiteral("Esplora la carta politica della regione"));
    CatalogoArea& c = Stato().Catalogo;
    if (Stato().AreaScelta == u"Italia")
        CaricaProvince(c);
    regione_ = Stato().RegioneScelta;
    // "Regione a caso": one of the regions of the provinces catalog, drawn now.
    QStringList regioni;
    for (int i = 0; i <= c.NumeroProvince && i < CatalogoArea::MassimoProvince; ++i)
        if (!regioni.contains(c.ElencoProvince[i][1]))
            regioni.append(c.ElencoProvince[i][1]);
    if (!regioni.contains(regione_) && !regioni.isEmpty()) {
        const int n = static_cast<int>(regioni.size());
        const int k = estrazione() ? estrazione()(n)
                                   : static_cast<int>(QRandomGenerator::global()->bounded(n));
        regione_ = regioni.value(std::clamp(k, 0, n - 1));
    }
    // Slot 0 stays empty; the provinces of the region follow in catalog order.
    elementi_.append({QString(), 0});
    for (int i = 0; i <= c.NumeroProvince && i < CatalogoArea::MassimoProvince; ++i)
        if (c.ElencoProvince[i][1] == regione_)
            elementi_.append({c.ElencoProvince[i][0], c.ClasseProvincia[i]});
}

QString FormMappaPolReg::ChiaveMappa() const {
    return ChiaveRegione(regione_, Tipo::Politica);
}

PassataColori FormMappaPolReg::ColoriDellaMappa() const {
    QList<VoceCatalogo> province = elementi_;
    if (!province.isEmpty())
        province.removeFirst();
    return ColoriProvince(province, Stato().Profilo);
}

QString FormMappaPolReg::CartellaTesti() const {
    return CartelleTesti::CartellaTestiItalia();
}

void FormMappaPolReg::DopoNormale() {
    // The region's map is loaded at every activation, then coloured once more.
    CaricaMappa();
    Mappa()->GotoFrame(0);
    QCoreApplication::processEvents();
    ImpostaColori();
}

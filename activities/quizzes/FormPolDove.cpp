#include "activities/quizzes/FormPolDove.h"

#include "catalog/Tavolozza.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"

FormPolDove::FormPolDove(QWidget* parent) : FinestraQuiz(Tipo::Politica, parent) {
    setAccessibleName(QStringLiteral("Dov'è? Carta politica"));
    const CatalogoArea& c = Stato().Catalogo;
    for (int i = 0; i <= c.NumeroElementi && i < CatalogoArea::MassimoElementi; ++i)
        elementi_.append({c.ElencoNomi[i], c.ClasseColore[i]});
    CaricaMappa();
}

FormPolDove::FormPolDove(Regionale, QWidget* parent) : FinestraQuiz(Tipo::Politica, parent) {}

QString FormPolDove::ChiaveMappa() const {
    return ChiaveArea(Stato().AreaScelta, Tipo::Politica);
}

QString FormPolDove::AreaDelRegistro() const {
    return Stato().AreaScelta;
}

QList<QuizDove::Elemento> FormPolDove::ElementiDelQuiz() {
    QList<QuizDove::Elemento> out;
    for (const VoceCatalogo& v : elementi_)
        out.append({v.nome, !v.nome.isEmpty()});
    return out;
}

QString FormPolDove::ColoreTrovato(int slot) const {
    return ColoreClasse(Stato().Profilo, elementi_.value(slot).classe);
}

QString FormPolDove::ColoreDaTrovare(int) const {
    // The look of an element not found yet: SchemaPolitico 5, or palette entry 0 when that
    // would be the window's own background.
    const ProfiloUtente& p = Stato().Profilo;
    if (p.ColoreSfondo == 5)
        return Tavolozza::Esadecimale(0);
    return Tavolozza::Esadecimale(p.SchemaPolitico[5]);
}

void FormPolDove::Ricomincia() {
    // The map is loaded again, blank, before the colours.
    CaricaMappa();
    FinestraQuiz::Ricomincia();
}

// --- FormPolDoveReg --------------------------------------------------------------------------

FormPolDoveReg::FormPolDoveReg(QWidget* parent) : FormPolDove(Regionale{}, parent) {
    setAccessibleName(QStringLiteral("Dov'è? Carta politica della regione"));
    CatalogoArea& c = Stato().Catalogo;
    if (Stato().AreaScelta == u"Italia")
        CaricaProvince(c);
    regione_ = Stato().RegioneScelta;
    QStringList regioni;
    for (int i = 0; i <= c.NumeroProvince && i < CatalogoArea::MassimoProvince; ++i)
        if (!regioni.contains(c.ElencoProvince[i][1]))
            regioni.append(c.ElencoProvince[i][1]);
    // "Regione a caso": one of the regions of the provinces catalog.
    if (!regioni.contains(regione_) && !regioni.isEmpty())
        regione_ = regioni.value(EstrazioneQuiz::Estrai(static_cast<int>(regioni.size())));
    elementi_.append({QString(), 0});
    for (int i = 0; i <= c.NumeroProvince && i < CatalogoArea::MassimoProvince; ++i)
        if (c.ElencoProvince[i][1] == regione_)
            elementi_.append({c.ElencoProvince[i][0], c.ClasseProvincia[i]});
}

QString FormPolDoveReg::ChiaveMappa() const {
    return ChiaveRegione(regione_, Tipo::Politica);
}

void FormPolDoveReg::PrimaDellEsercizio() {
    CaricaMappa();
}

#include "activities/puzzles/FormPuzzle.h"

#include "catalog/CatalogoFisicoRegioni.h"
#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/ChiaveMappa.h"

namespace {

// The puzzle map of an area or a region: dragged pieces with the mouse, chosen places when
// scanning.
QString ChiavePuzzle(const QString& cartella, const QString& nome, bool fisica) {
    const bool scansione = Stato().Profilo.ModalitaAccesso > 1;
    const QString suffisso = (fisica ? QStringLiteral("fis2") : QStringLiteral("pol2")) +
                             (scansione ? QStringLiteral("scansione.swf") : QStringLiteral(".swf"));
    return QStringLiteral("swf/") + cartella + u'/' + nome + suffisso;
}

QString Colore(int indice) {
    return Tavolozza::Esadecimale(indice);
}

const QString MessaggioRegioneMancante =
    QStringLiteral("Questa regione non è ancora stata inserita.");

} // namespace

// --- FormPuzzlePolitico -----------------------------------------------------------------------

FormPuzzlePolitico::FormPuzzlePolitico(QWidget* parent)
    : FinestraPuzzle(Tipo::Politica, QString(), parent) {
    setAccessibleName(QStringLiteral("Puzzle della carta politica"));
}

QString FormPuzzlePolitico::ChiaveMappa() const {
    return ChiavePuzzle(Stato().AreaScelta, Stato().AreaScelta, false);
}

QList<PezzoPuzzle> FormPuzzlePolitico::Pezzi() const {
    const CatalogoArea& c = Stato().Catalogo;
    const ProfiloUtente& p = Stato().Profilo;
    QList<PezzoPuzzle> pezzi;
    for (int i = 0; i <= c.NumeroElementi && i < CatalogoArea::MassimoElementi; ++i)
        pezzi.append({c.ElencoNomi[i], QString(), ColoreClasse(p, c.ClasseColore[i])});
    return pezzi;
}

ColoriPuzzle FormPuzzlePolitico::ColoriGioco() const {
    const ProfiloUtente& p = Stato().Profilo;
    ColoriPuzzle c;
    c.pezzo = Colore(p.SchemaPolitico[4]);
    c.vuoto = Colore(p.SchemaPolitico[5]);
    c.escluso = c.vuoto;
    c.altri = {{QStringLiteral("Confini"), Colore(p.ColoreSfondo)}};
    return c;
}

// --- FormPuzzlePoliticoReg --------------------------------------------------------------------

namespace {

// The regions of the provinces catalog, in catalog order.
QStringList RegioniDelleProvince(const CatalogoArea& c) {
    QStringList regioni;
    for (int i = 0; i <= c.NumeroProvince && i < CatalogoArea::MassimoProvince; ++i)
        if (!c.ElencoProvince[i][1].isEmpty() && !regioni.contains(c.ElencoProvince[i][1]))
            regioni.append(c.ElencoProvince[i][1]);
    return regioni;
}

QString RegionePolitica() {
    CatalogoArea& c = Stato().Catalogo;
    if (Stato().AreaScelta == u"Italia")
        CaricaProvince(c);
    return RegioneDelGioco(RegioniDelleProvince(c), Stato().RegioneScelta,
                           FinestraPuzzle::Estrazione());
}

} // namespace

FormPuzzlePoliticoReg::FormPuzzlePoliticoReg(QWidget* parent)
    : FormPuzzlePoliticoReg(RegionePolitica(), parent) {}

FormPuzzlePoliticoReg::FormPuzzlePoliticoReg(QString regione, QWidget* parent)
    : FinestraPuzzle(Tipo::Politica, regione, parent), regione_(std::move(regione)) {
    setAccessibleName(QStringLiteral("Puzzle delle province della regione"));
    const CatalogoArea& c = Stato().Catalogo;
    for (int i = 0; i <= c.NumeroProvince && i < CatalogoArea::MassimoProvince; ++i)
        if (c.ElencoProvince[i][1] == regione_)
            province_.append({c.ElencoProvince[i][0], c.ClasseProvincia[i]});
}

QString FormPuzzlePoliticoReg::ChiaveMappa() const {
    return ChiavePuzzle(QStringLiteral("regioniitaliane"), regione_, false);
}

QList<PezzoPuzzle> FormPuzzlePoliticoReg::Pezzi() const {
    const ProfiloUtente& p = Stato().Profilo;
    QList<PezzoPuzzle> pezzi;
    for (const VoceCatalogo& v : province_)
        pezzi.append({v.nome, QString(), ColoreClasse(p, v.classe)});
    return pezzi;
}

ColoriPuzzle FormPuzzlePoliticoReg::ColoriGioco() const {
    const ProfiloUtente& p = Stato().Profilo;
    ColoriPuzzle c;
    c.pezzo = Colore(p.SchemaPolitico[4]);
    // On a black window the empty provinces are white.
    c.vuoto = p.ColoreSfondo == 5 ? Colore(0) : Colore(p.SchemaPolitico[5]);
    c.escluso = c.vuoto;
    return c;
}

// --- FormPuzzleFisico -------------------------------------------------------------------------

FormPuzzleFisico::FormPuzzleFisico(QWidget* parent)
    : FinestraPuzzle(Tipo::Fisica, QString(), parent) {
    setAccessibleName(QStringLiteral("Puzzle della carta fisica"));
    fisico_ = Stato().Fisico;
    CostruisciFiltro(RigheDi(fisico_), Stato().AreaScelta, QString());
}

FormPuzzleFisico::FormPuzzleFisico(Regionale, const QString& regione, QWidget* parent)
    : FinestraPuzzle(Tipo::Fisica, regione, parent), altriSonoPezzi_(true) {}

QString FormPuzzleFisico::ChiaveMappa() const {
    return ChiavePuzzle(Stato().AreaScelta, Stato().AreaScelta, true);
}

QList<PezzoPuzzle> FormPuzzleFisico::Pezzi() const {
    QList<PezzoPuzzle> pezzi;
    for (const auto& r : RigheDi(fisico_))
        pezzi.append({r[CatalogoFisico::ColonnaNome], r[CatalogoFisico::ColonnaCategoria],
                      r[CatalogoFisico::ColonnaColore]});
    return pezzi;
}

QStringList FormPuzzleFisico::CategorieEscluse() const {
    QStringList escluse{QString::fromUtf16(CategoriaFisica::Indistinto)};
    if (!altriSonoPezzi_)
        escluse.append(QString::fromUtf16(CategoriaFisica::Altri));
    return escluse;
}

ColoriPuzzle FormPuzzleFisico::ColoriGioco() const {
    const ProfiloUtente& p = Stato().Profilo;
    ColoriPuzzle c;
    c.pezzo = Colore(p.SchemaFisico[10]);
    c.vuoto = Colore(p.SchemaFisico[0]);
    c.escluso = Colore(p.SchemaFisico[9]);
    return c;
}

void FormPuzzleFisico::PrimaDeiColori() {
    // The stored colours from the current profile, before the game takes them.
    TrovaColoriFisiche(fisico_, Stato().Profilo);
    FinestraPuzzle::PrimaDeiColori();
}

// --- FormPuzzleFisicoRegioni ------------------------------------------------------------------

namespace {

QString RegioneFisica() {
    QStringList regioni;
    for (const VoceCatalogo& v : TabellaPolitica(QStringLiteral("Italia")))
        regioni.append(v.nome);
    return RegioneDelGioco(regioni, Stato().RegioneScelta, FinestraPuzzle::Estrazione());
}

} // namespace

FormPuzzleFisicoRegioni::FormPuzzleFisicoRegioni(QWidget* parent)
    : FormPuzzleFisicoRegioni(RegioneFisica(), parent) {}

FormPuzzleFisicoRegioni::FormPuzzleFisicoRegioni(QString regione, QWidget* parent)
    : FormPuzzleFisico(Regionale{}, regione, parent), regione_(std::move(regione)) {
    setAccessibleName(QStringLiteral("Puzzle della carta fisica della regione"));
    presente_ = CaricaFisicoRegione(fisico_, regione_) && EsisteMappa(ChiaveMappa());
    CostruisciFiltro(RigheDi(fisico_), Stato().AreaScelta, regione_);
}

void FormPuzzleFisicoRegioni::Attivazione() {
    if (!presente_) {
        messaggi().Errore(this, MessaggioRegioneMancante);
        if (Navigazione::Mostra(Navigazione::SceltaRegione))
            close();
        return;
    }
    FormPuzzleFisico::Attivazione();
}

QString FormPuzzleFisicoRegioni::ChiaveMappa() const {
    return ChiavePuzzle(QStringLiteral("regioniitaliane"), regione_, true);
}

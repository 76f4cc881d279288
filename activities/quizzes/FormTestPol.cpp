#include "activities/quizzes/FormTestPol.h"

#include "activities/quizzes/BarraRisposte.h"
#include "activities/quizzes/QuizDove.h"
#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Suoni.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

FormTestPol::FormTestPol(QWidget* parent) : FinestraAttivita(Tipo::Politica, parent) {
    setAccessibleName(QStringLiteral("Test delle regioni e delle province"));
    // Italy's provinces and regions, whatever area the menus loaded last.
    CatalogoArea italia;
    CaricaProvince(italia);
    test_ = TestRegioni::DaCatalogo(italia, TabellaPolitica(QStringLiteral("Italia")));
    posizioni_ = std::max<int>(int(test_.Regioni().size()), test_.MassimoProvincePerRegione());

    picture2_ = new QWidget(this);
    picture2_->setObjectName(QStringLiteral("Picture2"));
    picture2_->setAccessibleName(QStringLiteral("Riquadro della mappa della regione"));
    picture2_->setAutoFillBackground(true);
    auto* l = new QVBoxLayout(picture2_);
    l->setContentsMargins(0, 0, 0, 0);
    mappa2_ = new MappaWidget(picture2_);
    mappa2_->setObjectName(QStringLiteral("ShockwaveFlash2"));
    mappa2_->setAccessibleName(QStringLiteral("Mappa della regione"));
    mappa2_->setFocusPolicy(Qt::NoFocus);
    l->addWidget(mappa2_);
    mappa2_->hide();
    connect(mappa2_, &MappaWidget::FSCommand, this, [this](const QString& comando, const QString&) {
        if (Modo() != ModoScansione::Mouse || !comando.startsWith(MappaWidget::PrefissoElemento))
            return;
        ProvinciaCliccata(comando.mid(MappaWidget::PrefissoElemento.size()));
    });
    ImpostaPannello(picture2_, 0.5);

    leggi_ = new QPushButton(QStringLiteral("Leggi"), this);
    leggi_->setObjectName(QStringLiteral("CommandLeggi"));
    leggi_->setAccessibleName(QStringLiteral("Leggi di nuovo la domanda"));
    leggi_->setFocusPolicy(Qt::NoFocus);
    leggi_->setAutoFillBackground(true);
    connect(leggi_, &QPushButton::clicked, this, [this] {
        StopAll();
        Leggi(Text1()->text());
    });
    ImpostaControlloAccantoAlNome(leggi_);

    barra_ = new BarraRisposte(this);
    ImpostaBarraStato(barra_);

    // No zoom in the test: only "&Stampa", "&Leggi" and "&Esci".
    if (QAction* dimensioni = Azione(QStringLiteral("mnuDimensioni")))
        dimensioni->setVisible(false);
    for (const char* nome : {"mnuIngrandisci", "mnuRiduci", "mnuNormale", "mnuVisual", "mnuBarre"})
        if (QAction* a = Azione(QString::fromLatin1(nome)))
            a->setEnabled(false);

    CaricaMappa();
}

QString FormTestPol::ChiaveMappa() const {
    return ChiaveArea(QStringLiteral("Italia"), Tipo::Politica);
}

QString FormTestPol::NomeElemento(int indice) const {
    return test_.Regioni().value(indice).nome;
}

QString FormTestPol::ColoreDaTrovare() const {
    const ProfiloUtente& p = Stato().Profilo;
    if (p.ColoreSfondo == 5)
        return Tavolozza::Esadecimale(0);
    return Tavolozza::Esadecimale(p.SchemaPolitico[5]);
}

QString FormTestPol::ColoreProprio(int indice) const {
    const VoceCatalogo r = test_.Regioni().value(indice);
    return test_.RegioneCompleta(r.nome) ? ColoreClasse(Stato().Profilo, r.classe)
                                         : ColoreDaTrovare();
}

PassataColori FormTestPol::ColoriDellaMappa() const {
    PassataColori out;
    for (int i = 0; i < test_.Regioni().size(); ++i)
        out.append({test_.Regioni()[i].nome, ColoreProprio(i)});
    return out;
}

void FormTestPol::DopoNormale() {
    // The region's map takes the window's colours too.
    const ProfiloUtente& p = Stato().Profilo;
    QPalette pal = picture2_->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(Tavolozza::Rgb(p.ColoreSfondo)));
    picture2_->setPalette(pal);
    mappa2_->setBGColor(Tavolozza::Esadecimale(p.ColoreSfondo));
    mappa2_->setBackgroundColor(Tavolozza::Rgb(p.ColoreSfondo));
    ColoraLeggi();
}

void FormTestPol::Attivazione() {
    if (inAvvio_)
        return;
    QPointer<FormTestPol> io(this);
    inAvvio_ = true;
    struct Fine {
        QPointer<FormTestPol>& f;
        ~Fine() {
            if (f)
                f->inAvvio_ = false;
        }
    } fine{io};

    test_.Azzera();
    ++domande_;
    provinceDelPasso_.clear();
    esercizio_.Inizia(Stato().Registro, AttivitaTest, Stato().AreaScelta);
    barra_->Imposta(0, 0);
    barra_->ImpostaCarattere(FontProfilo());
    leggi_->setFont(FontProfilo());
    Text1()->clear();
    mappa2_->hide();
    MostraPannello(true);
    Mappa()->GotoFrame(0);
    FinestraAttivita::Attivazione();
    if (!io || !isVisible())
        return;
    GeneraEsercizio();
}

void FormTestPol::GeneraEsercizio() {
    QPointer<FormTestPol> io(this);
    ++domande_;
    if (!test_.ProssimaDomanda()) {
        NuovoPasso(false);
        Leggi(FineQuizFisico);
        messaggi().Informazione(this, FineQuizFisico);
        return;
    }
    mappa2_->hide();
    provinceDelPasso_.clear();
    Text1()->setText(test_.NomeRichiesto());
    NuovoPasso(true);
    Leggi(Text1()->text());
}

void FormTestPol::Esci() {
    StopAll();
    esercizio_.Chiudi(Stato().Registro, test_.RisposteEsatte(), test_.RisposteErrate());
    ++domande_;
    FinestraAttivita::Esci();
}

void FormTestPol::AggiornaBarra() {
    barra_->Imposta(test_.RisposteEsatte(), test_.RisposteErrate());
}

void FormTestPol::ColoraRegioniFatte() {
    const ProfiloUtente& p = Stato().Profilo;
    const QString daTrovare = Tavolozza::Esadecimale(p.SchemaPolitico[5]);
    for (int i = 0; i < test_.Province().size(); ++i) {
        const TestRegioni::Provincia& pr = test_.Province()[i];
        // Only the region shown has elements; the others are not on this map.
        if (pr.regione != test_.RegioneRichiesta())
            continue;
        ColoraElemento(*mappa2_, pr.nome,
                       test_.ProvinciaTrovata(i) ? ColoreClasse(p, pr.classe) : daTrovare);
    }
}

void FormTestPol::ElementoCliccato(const QString& nome) {
    if (!test_.AttesaRegione())
        return;
    RegioneScelta(nome);
}

void FormTestPol::RegioneScelta(const QString& regione) {
    if (!test_.AttesaRegione())
        return;
    StopAll();
    QPointer<FormTestPol> io(this);
    switch (test_.RispostaRegione(regione)) {
    case TestRegioni::Esito::Ignorata:
        return;
    case TestRegioni::Esito::Sbagliata:
        AggiornaBarra();
        SuonoNo();
        return;
    case TestRegioni::Esito::Giusta:
        break;
    }
    // The region keeps its look on the map of Italy (a switch user had it highlighted), and its
    // map opens beside it.
    const int r = test_.IndiceRegione(regione);
    if (r >= 0)
        ColoraElemento(*Mappa(), regione, ColoreProprio(r));
    const quint64 domanda = domande_;
    mappa2_->caricaMappa(ChiaveRegione(regione, Tipo::Politica));
    provinceDelPasso_ = test_.ProvinceDi(regione);
    ColoraRegioniFatte();
    QCoreApplication::processEvents();
    if (!io || !PausaSicura(1.0) || domande_ != domanda)
        return;
    ColoraRegioniFatte();
    AggiornaBarra();
    mappa2_->show();
    SuonoSi();
    NuovoPasso(true);
}

void FormTestPol::ProvinciaCliccata(const QString& nome) {
    if (test_.FaseCorrente() != TestRegioni::Fase::Provincia || !mappa2_->isVisible())
        return;
    StopAll();
    const int richiesto = test_.Richiesto();
    switch (test_.RispostaProvincia(nome)) {
    case TestRegioni::Esito::Ignorata:
        return;
    case TestRegioni::Esito::Sbagliata:
        AggiornaBarra();
        SuonoNo();
        return;
    case TestRegioni::Esito::Giusta:
        break;
    }
    AggiornaBarra();
    // ControllaSeColorareItalia: the region takes its class colour once complete.
    const QString regione = test_.Province().value(richiesto).regione;
    if (test_.RegioneCompleta(regione)) {
        const int r = test_.IndiceRegione(regione);
        if (r >= 0)
            ColoraElemento(*Mappa(), regione,
                           ColoreClasse(Stato().Profilo, test_.Regioni()[r].classe));
    }
    ColoraRegioniFatte();
    SuonoSi();
    NuovoPasso(false);
    QPointer<FormTestPol> io(this);
    const quint64 domanda = domande_;
    QCoreApplication::processEvents();
    if (!io || !PausaSicura(1.5) || domande_ != domanda)
        return;
    GeneraEsercizio();
}

// --- scanning --------------------------------------------------------------------------------

int FormTestPol::ElementiDelPasso() const {
    switch (test_.FaseCorrente()) {
    case TestRegioni::Fase::Regione:
        return static_cast<int>(test_.Regioni().size());
    case TestRegioni::Fase::Provincia:
        return mappa2_->isVisibleTo(picture2_) ? static_cast<int>(provinceDelPasso_.size()) : 0;
    case TestRegioni::Fase::Fermo:
        break;
    }
    return 0;
}

QString FormTestPol::NomeNelPasso(int indice) const {
    if (test_.FaseCorrente() == TestRegioni::Fase::Provincia)
        return test_.Province().value(provinceDelPasso_.value(indice, -1)).nome;
    return test_.Regioni().value(indice).nome;
}

QList<QAbstractButton*> FormTestPol::FermatePrimaDiEsci() const {
    return {leggi_};
}

void FormTestPol::ColoraLeggi() {
    const ColoriFinestra c = ColoriDellaFinestra();
    QPalette pal = leggi_->palette();
    pal.setColor(QPalette::Button, QColor::fromRgb(c.finestra));
    pal.setColor(QPalette::Window, QColor::fromRgb(c.finestra));
    pal.setColor(QPalette::ButtonText, QColor::fromRgb(c.testoNome));
    leggi_->setPalette(pal);
}

void FormTestPol::RipristinaNelPasso(int indice) {
    if (indice < 0 || indice >= ElementiDelPasso())
        return;
    if (test_.FaseCorrente() == TestRegioni::Fase::Provincia) {
        const int slot = provinceDelPasso_.value(indice, -1);
        const TestRegioni::Provincia pr = test_.Province().value(slot);
        ColoraElemento(*mappa2_, pr.nome,
                       test_.ProvinciaTrovata(slot)
                           ? ColoreClasse(Stato().Profilo, pr.classe)
                           : Tavolozza::Esadecimale(Stato().Profilo.SchemaPolitico[5]));
    } else {
        ColoraElemento(*Mappa(), NomeNelPasso(indice), ColoreProprio(indice));
    }
}

void FormTestPol::NuovoPasso(bool riprendiScansione) {
    if (Modo() == ModoScansione::Mouse)
        return;
    // From a stop ("Leggi", "Esci") the scan reaches the first element by itself; from an
    // element of the step before it starts again before the first.
    if (!FermataEvidenziata())
        Scansione().Ciclo().ImpostaIndice(-1);
    if (riprendiScansione && Modo() == ModoScansione::Automatica)
        Scansione().ImpostaScansioneAttiva(true);
}

void FormTestPol::PassoScansione(const CicloScansione::Passo& passo) {
    RipristinaNelPasso(passo.daRipristinare);
    if (passo.evidenziato >= 0) {
        MappaWidget* mappa =
            test_.FaseCorrente() == TestRegioni::Fase::Provincia ? mappa2_ : Mappa();
        ColoraElemento(*mappa, NomeNelPasso(passo.evidenziato),
                       ColoriDellaFinestra().evidenziazione);
    }
}

void FormTestPol::SelezioneScansione(int indice) {
    if (indice < 0 || indice >= ElementiDelPasso())
        return;
    // The same answer as a click. A right one repaints the element and starts the next step; a
    // wrong one leaves the highlight where it was (stopped, in automatic scanning).
    const QString nome = NomeNelPasso(indice);
    if (test_.FaseCorrente() == TestRegioni::Fase::Regione)
        RegioneScelta(nome);
    else
        ProvinciaCliccata(nome);
}

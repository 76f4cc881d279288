#include "activities/quizzes/FinestraQuiz.h"

#include "activities/quizzes/BarraRisposte.h"
#include "catalog/Tavolozza.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/Suoni.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

// Clears a flag however the function that raised it ends, unless the window is gone.
template <class F> struct Abbassa {
    QPointer<F> finestra;
    bool F::*flag;
    ~Abbassa() {
        if (finestra)
            (finestra.data()->*flag) = false;
    }
};

} // namespace

FinestraQuiz::FinestraQuiz(Tipo tipo, QWidget* parent) : FinestraAttivita(tipo, parent) {
    cambia_ = new QPushButton(QStringLiteral("Cambia"), this);
    cambia_->setObjectName(QStringLiteral("CommandCambia"));
    cambia_->setAccessibleName(QStringLiteral("Cambia la domanda"));
    cambia_->setFocusPolicy(Qt::NoFocus);
    cambia_->setAutoFillBackground(true);
    connect(cambia_, &QPushButton::clicked, this, &FinestraQuiz::Cambia);
    ImpostaControlloAccantoAlNome(cambia_);

    barra_ = new BarraRisposte(this);
    ImpostaBarraStato(barra_);

    // "&Cambia" and "&Ricomincia" are commands of the bar, before "&Leggi" (Alt+C, Alt+R).
    QAction* leggi = Azione(QStringLiteral("mnuLeggi"));
    auto* cambia = new QAction(QStringLiteral("&Cambia"), this);
    cambia->setObjectName(QStringLiteral("mnuCambia"));
    connect(cambia, &QAction::triggered, this, &FinestraQuiz::Cambia);
    BarraMenu()->insertAction(leggi, cambia);
    auto* ricomincia = new QAction(QStringLiteral("&Ricomincia"), this);
    ricomincia->setObjectName(QStringLiteral("mnuRicomincia"));
    connect(ricomincia, &QAction::triggered, this, [this] { Ricomincia(); });
    BarraMenu()->insertAction(leggi, ricomincia);
    azioneEsci_ = Azione(QStringLiteral("mnuEsci"));
}

void FinestraQuiz::Attivazione() {
    if (inAvvio_)
        return;
    QPointer<FinestraQuiz> io(this);
    inAvvio_ = true;
    Abbassa<FinestraQuiz> fine{io, &FinestraQuiz::inAvvio_};

    // A new exercise: its row in the log, the counts at zero, nothing found.
    esercizio_.Inizia(Stato().Registro, Attivita(), AreaDelRegistro());
    quiz_.AzzeraConteggi();
    barra_->Imposta(0, 0);
    barra_->ImpostaCarattere(FontProfilo());
    cambia_->setFont(FontProfilo());
    ++domande_;
    PrimaDellEsercizio();
    if (!io)
        return;
    quiz_.ImpostaElementi(ElementiDelQuiz());
    Text1()->clear();
    ColoraCambia();
    // Colours, sizes, the access mode (the scan starts before the Cambia stop).
    FinestraAttivita::Attivazione();
    if (!io || !isVisible())
        return;
    GeneraEsercizio();
}

void FinestraQuiz::GeneraEsercizio() {
    if (generando_)
        return;
    QPointer<FinestraQuiz> io(this);
    generando_ = true;
    Abbassa<FinestraQuiz> fine{io, &FinestraQuiz::generando_};
    ++domande_;
    if (azioneEsci_)
        azioneEsci_->setEnabled(false);
    if (!quiz_.ProssimaDomanda()) {
        Leggi(TestoFine());
        messaggi().Informazione(this, TestoFine());
        if (io && azioneEsci_)
            azioneEsci_->setEnabled(true);
        return;
    }
    Text1()->setText(quiz_.NomeRichiesto());
    QCoreApplication::processEvents();
    if (!io)
        return;
    if (azioneEsci_)
        azioneEsci_->setEnabled(true);
    Leggi(Text1()->text());
}

void FinestraQuiz::Cambia() {
    if (generando_)
        return;
    // During the pause after a right answer the next question is already on its way.
    const int r = quiz_.Richiesto();
    if (r >= 0 && quiz_.Trovato(r))
        return;
    QPointer<FinestraQuiz> io(this);
    cambia_->setEnabled(false);
    GeneraEsercizio();
    if (io)
        cambia_->setEnabled(true);
}

bool FinestraQuiz::PuoRicominciare() {
    return true;
}

bool FinestraQuiz::RicoloraDueVolte() {
    QPointer<FinestraQuiz> io(this);
    ImpostaColori();
    QCoreApplication::processEvents();
    if (!io)
        return false;
    ImpostaColori();
    return true;
}

void FinestraQuiz::Ricomincia() {
    if (generando_)
        return;
    QPointer<FinestraQuiz> io(this);
    ++domande_;
    quiz_.Ricomincia();
    if (!RicoloraDueVolte())
        return;
    if (!PuoRicominciare())
        return;
    GeneraEsercizio();
}

void FinestraQuiz::Esci() {
    StopAll();
    esercizio_.Chiudi(Stato().Registro, quiz_.RisposteEsatte(), quiz_.RisposteErrate());
    // A pause still running must not ask anything after this.
    ++domande_;
    FinestraAttivita::Esci();
}

quint32 FinestraQuiz::SfondoCambia() const {
    const ProfiloUtente& p = Stato().Profilo;
    if (TipoMappa() == Tipo::Fisica)
        return Tavolozza::Rgb(p.SchemaFisico[0]);
    return Tavolozza::Rgb(p.ColoreSfondo);
}

void FinestraQuiz::ColoraCambia() {
    QPalette pal = cambia_->palette();
    const QColor colore = QColor::fromRgb(SfondoCambia());
    pal.setColor(QPalette::Button, colore);
    pal.setColor(QPalette::Window, colore);
    pal.setColor(QPalette::ButtonText, QColor::fromRgb(ColoriDellaFinestra().testoNome));
    cambia_->setPalette(pal);
}

QString FinestraQuiz::ColoreProprio(int indice) const {
    return quiz_.Trovato(indice) ? ColoreTrovato(indice) : ColoreDaTrovare(indice);
}

PassataColori FinestraQuiz::ColoriDellaMappa() const {
    PassataColori out;
    out.reserve(quiz_.Elementi().size() + 1);
    if (TipoMappa() == Tipo::Politica)
        out.append(
            {QStringLiteral("Confini"), Tavolozza::Esadecimale(Stato().Profilo.ColoreSfondo)});
    for (int i = 0; i <= quiz_.UltimoSlot(); ++i)
        if (!quiz_.Nome(i).isEmpty())
            out.append({quiz_.Nome(i), ColoreProprio(i)});
    return out;
}

void FinestraQuiz::AggiornaBarra() {
    barra_->Imposta(quiz_.RisposteEsatte(), quiz_.RisposteErrate());
}

void FinestraQuiz::ElementoCliccato(const QString& nome) {
    if (ClicIgnorato(nome))
        return;
    const int r = quiz_.Richiesto();
    // No open question: the pause after a right answer, a question being asked, the end.
    if (r < 0 || quiz_.Trovato(r) || generando_)
        return;
    StopAll();
    switch (quiz_.Clic(nome)) {
    case QuizDove::Esito::Ignorata:
        return;
    case QuizDove::Esito::Giusta:
        ColoraElemento(*Mappa(), nome, ColoreTrovato(r));
        AggiornaBarra();
        SuonoSi();
        DopoLaGiusta(2.0, false);
        return;
    case QuizDove::Esito::Sbagliata:
        AggiornaBarra();
        SuonoNo();
        Leggi(QuizDove::FraseErrore(nome, quiz_.NomeRichiesto()));
        return;
    }
}

void FinestraQuiz::DopoLaGiusta(double secondi, bool riprendiScansione) {
    QPointer<FinestraQuiz> io(this);
    const quint64 domanda = domande_;
    if (secondi > 0) {
        if (!PausaSicura(secondi))
            return;
    } else {
        QCoreApplication::processEvents();
        if (!io)
            return;
    }
    // Cambia, Ricomincia, a new category, a new exercise or "&Esci" came during the pause.
    if (domande_ != domanda)
        return;
    GeneraEsercizio();
    if (io && riprendiScansione)
        Scansione().ImpostaScansioneAttiva(true);
}

// --- scanning --------------------------------------------------------------------------------

bool FinestraQuiz::SaltaNellaScansione(int indice) const {
    return quiz_.Trovato(indice) || quiz_.Nome(indice).isEmpty();
}

QList<QAbstractButton*> FinestraQuiz::FermatePrimaDiEsci() const {
    return {cambia_};
}

std::unique_ptr<ComandoScansione> FinestraQuiz::CreaScansione() const {
    // The frame's cycle (elements, Cambia, "Esci"), starting on the last slot so that the first
    // step lands on the Cambia stop.
    std::unique_ptr<ComandoScansione> base = FinestraAttivita::CreaScansione();
    ComandoScansione::Opzioni o = base->Impostazioni();
    o.indiceIniziale = quiz_.UltimoSlot();
    CicloScansione ciclo = base->Ciclo();
    ciclo.ImpostaIndice(-1);
    return std::make_unique<ComandoScansione>(std::move(ciclo), o);
}

void FinestraQuiz::PassoScansione(const CicloScansione::Passo& passo) {
    // The name box keeps the question: scanning only moves the highlight.
    if (passo.daRipristinare >= 0 && !quiz_.Nome(passo.daRipristinare).isEmpty())
        ColoraElemento(*Mappa(), quiz_.Nome(passo.daRipristinare),
                       ColoreProprio(passo.daRipristinare));
    if (passo.evidenziato >= 0)
        ColoraElemento(*Mappa(), quiz_.Nome(passo.evidenziato),
                       ColoriDellaFinestra().evidenziazione);
}

void FinestraQuiz::SelezioneScansione(int indice) {
    const int r = quiz_.Richiesto();
    if (r < 0 || quiz_.Trovato(r) || generando_)
        return;
    const bool automatica = Modo() == ModoScansione::Automatica;
    const bool riparti = Stato().Profilo.RipartiDopoSelezione;
    const QString nome = quiz_.Nome(indice);
    switch (quiz_.Selezione(indice, !automatica)) {
    case QuizDove::Esito::Ignorata:
        return;
    case QuizDove::Esito::Giusta:
        ColoraElemento(*Mappa(), nome, ColoreTrovato(r));
        SuonoSi();
        if (riparti)
            Scansione().Ciclo().ImpostaIndice(quiz_.UltimoSlot());
        DopoLaGiusta(automatica ? PausaAutomatica() : 2.0, automatica);
        return;
    case QuizDove::Esito::Sbagliata:
        // Automatic scanning: the highlight simply stays, stopped, on the element.
        if (automatica)
            return;
        SuonoNo();
        if (riparti) {
            Scansione().Ciclo().ImpostaIndice(quiz_.UltimoSlot());
            ColoraElemento(*Mappa(), nome, ColoreDaTrovare(indice));
        }
        StopAll();
        Leggi(QuizDove::FraseErrore(nome, quiz_.NomeRichiesto()));
        return;
    }
}

#include "activities/exploration/FinestraEsplorazione.h"

#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/SceltaTesto.h"
#include "workspace/testi/DocumentoTesto.h"
#include "workspace/voce/Assistente.h"

#include <QAction>
#include <QTextDocument>

#include <QMenu>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

FinestraEsplorazione::FinestraEsplorazione(Tipo tipo, QWidget* parent)
    : FinestraAttivita(tipo, parent), lettura_(Leggo::Separatori::ConACapo) {
    testo_ = new QTextEdit(this);
    testo_->setObjectName(QStringLiteral("RichTextBox1"));
    testo_->setAccessibleName(QStringLiteral("Testo da leggere"));
    testo_->setReadOnly(true);
    testo_->setFocusPolicy(Qt::NoFocus);
    testo_->setUndoRedoEnabled(false);
    ImpostaPannello(testo_, 0.4);

    auto* menu = new QMenu(QStringLiteral("&Testi"), this);
    menu->setObjectName(QStringLiteral("mnuTesti"));
    menu->menuAction()->setObjectName(QStringLiteral("mnuTesti"));
    apri_ = NuovaAzione(menu, QStringLiteral("mnuApri"), QStringLiteral("apri"),
                        QKeySequence(Qt::Key_F2));
    leggi_ = NuovaAzione(menu, QStringLiteral("mnuLeggiTesto"), QStringLiteral("leggi"),
                         QKeySequence(Qt::Key_F3));
    interrompi_ = NuovaAzione(menu, QStringLiteral("mnuInterrompi"), QStringLiteral("interrompi"),
                              QKeySequence(Qt::Key_F4));
    riprendi_ = NuovaAzione(menu, QStringLiteral("mnuRiprendi"), QStringLiteral("riprendi"),
                            QKeySequence(Qt::Key_F5));
    menu->addSeparator();
    mostra_ = NuovaAzione(menu, QStringLiteral("mnuMostraTesto"),
                          QStringLiteral("mostra o nascondi il testo"), QKeySequence(Qt::Key_F6));
    leggi_->setEnabled(false);
    interrompi_->setEnabled(false);
    riprendi_->setEnabled(false);
    mostra_->setEnabled(false);
    connect(apri_, &QAction::triggered, this, &FinestraEsplorazione::ApriTesto);
    connect(leggi_, &QAction::triggered, this, &FinestraEsplorazione::LeggiTesto);
    connect(interrompi_, &QAction::triggered, this, &FinestraEsplorazione::InterrompiTesto);
    connect(riprendi_, &QAction::triggered, this, &FinestraEsplorazione::RiprendiTesto);
    connect(mostra_, &QAction::triggered, this, [this] { MostraPannello(!PannelloVisibile()); });
    AggiungiMenu(menu);

    if (Assistente* a = assistente()) {
        connect(a, &Assistente::Bookmark, this, &FinestraEsplorazione::Segnalibro);
        connect(a, &Assistente::RequestComplete, this, &FinestraEsplorazione::RichiestaCompletata);
    }
}

QColor FinestraEsplorazione::ColoreNormale() const {
    return QColor::fromRgb(ColoriDellaFinestra().testoNome);
}

void FinestraEsplorazione::ApriTesto() {
    // The folder's texts as a full-screen list, usable with the switches; the system dialog is
    // one entry of it ("Altro...").
    const QString percorso =
        sceltaTesto().Scegli(this, CartellaTesti(), QStringLiteral("Scegli un testo da leggere"));
    if (percorso.isEmpty()) {
        messaggi().Errore(this, QStringLiteral("Non hai scelto nessuna lista!"));
        return;
    }
    Stato().FileTesto = percorso;
    CaricaTesto(percorso);
}

bool FinestraEsplorazione::CaricaTesto(const QString& percorso) {
    const ColoriFinestra c = ColoriDellaFinestra();
    QPalette pal = testo_->palette();
    pal.setColor(QPalette::Base, QColor::fromRgb(c.sfondoNome));
    pal.setColor(QPalette::Text, ColoreNormale());
    testo_->setPalette(pal);
    // The document is replaced; a reading in progress goes on with the new text.
    if (auto errore = DocumentoTesto::Carica(*testo_->document(), percorso, ColoreNormale())) {
        messaggi().Errore(this, *errore);
        return false;
    }
    // Texts are written for 12 points: larger profile fonts enlarge them too, 5 points a step,
    // at most three steps, so that a line of the pane still holds a few words.
    const int passi = std::clamp((Stato().Profilo.DimensioneFont - 12) / 5, 0, 3);
    for (int i = 0; i < passi; ++i)
        DocumentoTesto::AumentaCaratteri(*testo_->document());
    lettura_.ImpostaTesto(testo_->document()->toPlainText());
    leggi_->setEnabled(true);
    mostra_->setEnabled(true);
    MostraPannello(true);
    return true;
}

void FinestraEsplorazione::LeggiTesto() {
    if (!leggi_->isEnabled())
        return;
    StopAll();
    ColoraNormale(lettura_.Evidenziato());
    lettura_.ImpostaPrefisso(Stato().PrefissoVoce.isEmpty() ? PrefissoVoce(Stato().Profilo)
                                                            : Stato().PrefissoVoce);
    const auto frase = lettura_.Leggi();
    interrompi_->setEnabled(true);
    ParlaFrase(frase);
}

void FinestraEsplorazione::InterrompiTesto() {
    if (!interrompi_->isEnabled())
        return;
    const IntervalloTesto rosso = lettura_.Interrompi();
    StopAll();
    ColoraNormale(rosso);
    riprendi_->setEnabled(true);
}

void FinestraEsplorazione::RiprendiTesto() {
    if (!riprendi_->isEnabled())
        return;
    StopAll();
    ParlaFrase(lettura_.RiprendiDopoLaParola());
}

void FinestraEsplorazione::ParlaFrase(const std::optional<FraseDaLeggere>& frase) {
    if (!frase)
        return;
    lettura_.RegistraRichiesta(++richiesta_);
    Parla(frase->testo);
}

void FinestraEsplorazione::RichiestaInviata(bool frase) {
    coda_.append(frase);
}

void FinestraEsplorazione::VoceFermata() {
    coda_.clear();
}

void FinestraEsplorazione::Segnalibro(int numero) {
    const LetturaTesto::Evidenziazione e = lettura_.Segnalibro(numero);
    ColoraNormale(e.normale);
    DocumentoTesto::ColoraIntervallo(*testo_->document(), e.rossa.inizio, e.rossa.fine,
                                     ColoreParola);
    // The word being heard stays in sight.
    if (!e.rossa.Vuoto()) {
        QTextCursor c(testo_->document());
        c.setPosition(std::min(e.rossa.fine, testo_->document()->characterCount() - 1));
        testo_->setTextCursor(c);
        testo_->ensureCursorVisible();
    }
}

void FinestraEsplorazione::RichiestaCompletata() {
    const bool eraFrase = coda_.isEmpty() ? false : coda_.takeFirst();
    // A name spoken in the middle of a reading (the sentence cut off by a click) hands the
    // reading on when it ends; one spoken after a sentence still queued waits for it.
    if (!eraFrase && coda_.contains(true))
        return;
    const LetturaTesto::Completamento c = lettura_.RichiestaCompletata(richiesta_);
    ColoraNormale(c.normale);
    ParlaFrase(c.prossima);
}

void FinestraEsplorazione::ColoraNormale(IntervalloTesto intervallo) {
    if (!intervallo.Vuoto())
        DocumentoTesto::ColoraIntervallo(*testo_->document(), intervallo.inizio, intervallo.fine,
                                         ColoreNormale());
}

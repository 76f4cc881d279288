#include "activities/exploration/FormSchede.h"

#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/DisegniMenu.h"
#include "shell/menu/NomiFinestre.h"
#include "workspace/finestra/SceltaTesto.h"
#include "workspace/testi/CartelleTesti.h"
#include "workspace/testi/DocumentoTesto.h"
#include "workspace/voce/AnnuncioScansione.h"
#include "workspace/voce/Assistente.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const char* const NomiPulsanti[FormSchede::NumeroComandi] = {
    "Leggi",  "Interrompi",      "Riprendi",     "Aumenta",
    "Riduci", "Modifica colore", "Altra scheda", "Esci"};

// Where the character stands: a box at the top of the right column, in pixels.
constexpr int LarghezzaPersonaggio = 160;
constexpr int AltezzaPersonaggio = 200;

} // namespace

FormSchede::FormSchede(QWidget* parent)
    : MenuConScansione(parent), lettura_(Leggo::Separatori::ConACapo) {
    setObjectName(NomiFinestre::Schede);
    setAccessibleName(QStringLiteral("Lettura delle schede"));

    // Menus.
    QMenuBar* barra = BarraMenu();
    QMenu* testi = barra->addMenu(QStringLiteral("&Testi"));
    testi->setObjectName(QStringLiteral("mnuLettura"));
    const auto voce = [this](QMenu* menu, const char* nome, const QString& testo,
                             const QKeySequence& tasti, void (FormSchede::*azione)()) {
        QAction* a = AggiungiComando(menu, testo, tasti);
        a->setObjectName(QString::fromLatin1(nome));
        addAction(a); // the shortcut works with the menu closed
        connect(a, &QAction::triggered, this, azione);
        return a;
    };
    voce(testi, "mnuScheda", QStringLiteral("Altra scheda"), QKeySequence(Qt::Key_F2),
         &FormSchede::AltraScheda);
    voce(testi, "mnuLeggi", QStringLiteral("Leggi"), QKeySequence(Qt::Key_F3), &FormSchede::Leggi);
    voce(testi, "mnuInterrompi", QStringLiteral("Interrompi"), QKeySequence(Qt::Key_F4),
         &FormSchede::Interrompi);
    voce(testi, "mnuRiprendi", QStringLiteral("Riprendi"), QKeySequence(), &FormSchede::Riprendi);
    voce(testi, "mnuLeggiSel", QStringLiteral("Riprendi / Leggi dal cursore"),
         QKeySequence(Qt::Key_F5), &FormSchede::LeggiDalCursore);
    QMenu* font = barra->addMenu(QStringLiteral("&Font"));
    font->setObjectName(QStringLiteral("mnuFont"));
    voce(font, "mnuAumenta", QStringLiteral("Aumenta"), QKeySequence(Qt::CTRL | Qt::Key_I),
         &FormSchede::Aumenta);
    voce(font, "mnuRiduci", QStringLiteral("Riduci"), QKeySequence(Qt::CTRL | Qt::Key_R),
         &FormSchede::Riduci);
    voce(font, "mnuModificaCol", QStringLiteral("Modifica colore"),
         QKeySequence(Qt::CTRL | Qt::Key_C), &FormSchede::ModificaColore);
    QAction* esci = AggiungiComando(QStringLiteral("&Esci"), QKeySequence());
    esci->setObjectName(QStringLiteral("mnuEsci"));
    connect(esci, &QAction::triggered, this, &FormSchede::Esci);

    // The text and, at its right, the character's place and the switch column.
    testo_ = new QTextEdit(Area());
    testo_->setObjectName(QStringLiteral("RichTextBox1"));
    testo_->setAccessibleName(QStringLiteral("Testo da leggere"));
    testo_->setReadOnly(true);
    // A caret for "Leggi dal cursore", moved with the mouse or the arrow keys.
    testo_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    testo_->setUndoRedoEnabled(false);
    testo_->installEventFilter(this);

    colonna_ = new QWidget(Area());
    colonna_->setObjectName(QStringLiteral("ColonnaComandi"));
    auto* vl = new QVBoxLayout(colonna_);
    vl->setContentsMargins(6, 6, 6, 6);
    vl->setSpacing(6);
    picAgent_ = new QWidget(colonna_);
    picAgent_->setObjectName(QStringLiteral("picAgent"));
    picAgent_->setAccessibleName(QStringLiteral("Personaggio"));
    picAgent_->setFixedSize(LarghezzaPersonaggio, AltezzaPersonaggio);
    vl->addWidget(picAgent_, 0, Qt::AlignHCenter);
    for (int i = 0; i < NumeroComandi; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(NomiPulsanti[i]), colonna_);
        b->setObjectName(QStringLiteral("Comando%1").arg(i));
        b->setAccessibleName(QString::fromUtf8(NomiPulsanti[i]));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(b, &QPushButton::clicked, this, [this, i] { EseguiComando(i); });
        vl->addWidget(b, 1);
        pulsanti_.append(b);
    }

    auto* hl = new QHBoxLayout(Area());
    hl->setContentsMargins(0, 0, 0, 0);
    hl->setSpacing(0);
    hl->addWidget(testo_, 3);
    hl->addWidget(colonna_, 1);
    RegistraProgetto();

    assistente_ = CaricaAssistente(this, Stato().Profilo, NuovaVoce());
    connect(assistente_, &Assistente::Bookmark, this, &FormSchede::Segnalibro);
    connect(assistente_, &Assistente::RequestComplete, this, &FormSchede::RichiestaCompletata);
}

FormSchede::~FormSchede() {
    if (assistente_)
        assistente_->StopAll();
}

QAction* FormSchede::Azione(const QString& nomeOggetto) const {
    for (QAction* a : findChildren<QAction*>())
        if (a->objectName() == nomeOggetto)
            return a;
    return nullptr;
}

void FormSchede::Attivazione() {
    FinestraMenu::Attivazione();
    const StatoProgramma& s = Stato();
    prefisso_ = PrefissoVoce(s.Profilo);
    // The contrast goes back to black on white, the box background included (left as it was,
    // a contrast 2 would come back as black text on black).
    schemaLettura_ = 1;
    coloreNormale_ = Qt::black;
    const bool scansione = Modo() != ModoScansione::Mouse;
    for (QPushButton* b : std::as_const(pulsanti_))
        b->setVisible(scansione);
    if (assistente_ && s.Profilo.ParlatoAttivo) {
        assistente_->SoundEffectsOn = false;
        assistente_->StileFumetto &= ~1;
        assistente_->Show();
        const QPoint p = picAgent_->mapToGlobal(QPoint(0, 0));
        assistente_->MoveTo(p.x(), p.y() + 50);
    }
    CaricaTesto(s.FileTesto);

    ComandoScansione::Opzioni o;
    o.modo = Modo();
    o.intervalloMs = IntervalloScansione(s.Profilo.TempoScansione);
    o.rilascio = ComandoScansione::Rilascio::Seleziona;
    o.inMovimentoAllAvvio = true;
    o.indiceIniziale = 0;
    scansione_ = std::make_unique<ComandoScansione>(CicloScansione(NumeroComandi - 1), o);
    ColoraPulsanti(scansione ? 0 : -1);
    Scorri(0);
}

void FormSchede::ApplicaProfilo() {
    FinestraMenu::ApplicaProfilo();
    AdattaPulsanti();
}

void FormSchede::AdattaPulsanti() {
    // The profile's font, as large as fits the button (48-point profiles do not clip).
    const QFont base = CarattereProfilo();
    for (QPushButton* b : std::as_const(pulsanti_)) {
        const QSize box = b->size() - QSize(16, 12);
        if (box.isValid())
            b->setFont(DisegniMenu::CarattereAdattato(base, b->text(), box, true));
    }
}

void FormSchede::resizeEvent(QResizeEvent* e) {
    FinestraMenu::resizeEvent(e);
    AdattaPulsanti();
}

bool FormSchede::eventFilter(QObject* oggetto, QEvent* evento) {
    // The text box would keep Ctrl+C (copy), Ctrl+I and Ctrl+R for itself: they are the window's.
    if (oggetto == testo_ && evento->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(evento);
        const QKeyCombination c = k->keyCombination();
        if (c == QKeyCombination(Qt::ControlModifier, Qt::Key_C) ||
            c == QKeyCombination(Qt::ControlModifier, Qt::Key_I) ||
            c == QKeyCombination(Qt::ControlModifier, Qt::Key_R)) {
            k->ignore();
            return true;
        }
    }
    return FinestraMenu::eventFilter(oggetto, evento);
}

bool FormSchede::CaricaTesto(const QString& percorso) {
    StopAll();
    lettura_ = LetturaTesto(Leggo::Separatori::ConACapo);
    ApplicaContrasto();
    if (auto errore = DocumentoTesto::Carica(*testo_->document(), percorso, coloreNormale_)) {
        messaggi().Errore(this, *errore);
        return false;
    }
    lettura_.ImpostaTesto(testo_->document()->toPlainText());
    testo_->moveCursor(QTextCursor::Start);
    return true;
}

void FormSchede::ApplicaContrasto() {
    const DocumentoTesto::ContrastoLettura c = DocumentoTesto::Contrasto(schemaLettura_);
    coloreNormale_ = c.testo;
    QPalette pal = testo_->palette();
    pal.setColor(QPalette::Base, c.sfondo);
    pal.setColor(QPalette::Text, c.testo);
    testo_->setPalette(pal);
}

void FormSchede::StopAll() {
    if (assistente_)
        assistente_->StopAll();
}

void FormSchede::ParlaFrase(const std::optional<FraseDaLeggere>& frase) {
    if (!frase || !assistente_)
        return;
    lettura_.RegistraRichiesta(++richiesta_);
    if (!Stato().Profilo.ParlatoAttivo) {
        // Speech is off: nothing to follow, the reading stops here.
        lettura_.Interrompi();
        return;
    }
    assistente_->Speak(frase->testo);
}

void FormSchede::Leggi() {
    StopAll();
    ColoraNormale(lettura_.Evidenziato());
    lettura_.ImpostaPrefisso(prefisso_);
    ParlaFrase(lettura_.Leggi());
}

void FormSchede::LeggiDalCursore() {
    StopAll();
    ColoraNormale(lettura_.Evidenziato());
    lettura_.ImpostaPrefisso(prefisso_);
    ParlaFrase(lettura_.LeggiDalCursore(testo_->textCursor().position()));
}

void FormSchede::Interrompi() {
    StopAll();
    ColoraNormale(lettura_.Interrompi());
    QTextCursor c = testo_->textCursor();
    c.clearSelection();
    testo_->setTextCursor(c);
}

void FormSchede::Riprendi() {
    StopAll();
    lettura_.ImpostaPrefisso(prefisso_);
    ParlaFrase(lettura_.RiprendiDallaParola());
}

void FormSchede::Segnalibro(int numero) {
    const LetturaTesto::Evidenziazione e = lettura_.Segnalibro(numero);
    ColoraNormale(e.normale);
    DocumentoTesto::ColoraIntervallo(*testo_->document(), e.rossa.inizio, e.rossa.fine,
                                     DocumentoTesto::ColoreParolaLetta);
    if (!e.rossa.Vuoto()) {
        // The word being heard stays in sight.
        QTextCursor c(testo_->document());
        c.setPosition(std::min(e.rossa.fine, testo_->document()->characterCount() - 1));
        testo_->setTextCursor(c);
        testo_->ensureCursorVisible();
    }
}

void FormSchede::RichiestaCompletata() {
    const LetturaTesto::Completamento c = lettura_.RichiestaCompletata(richiesta_);
    ColoraNormale(c.normale);
    ParlaFrase(c.prossima);
}

void FormSchede::ColoraNormale(IntervalloTesto intervallo) {
    if (!intervallo.Vuoto())
        DocumentoTesto::ColoraIntervallo(*testo_->document(), intervallo.inizio, intervallo.fine,
                                         coloreNormale_);
}

void FormSchede::Aumenta() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DocumentoTesto::AumentaCaratteri(*testo_->document());
    testo_->moveCursor(QTextCursor::Start);
    QApplication::restoreOverrideCursor();
}

void FormSchede::Riduci() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DocumentoTesto::RiduciCaratteri(*testo_->document());
    testo_->moveCursor(QTextCursor::Start);
    QApplication::restoreOverrideCursor();
}

void FormSchede::ModificaColore() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    schemaLettura_ = DocumentoTesto::ProssimoContrasto(schemaLettura_);
    ApplicaContrasto();
    DocumentoTesto::ColoraTutto(*testo_->document(), coloreNormale_);
    // The word being heard stays red.
    const IntervalloTesto rosso = lettura_.Evidenziato();
    if (lettura_.LetturaContinua() && !rosso.Vuoto())
        DocumentoTesto::ColoraIntervallo(*testo_->document(), rosso.inizio, rosso.fine,
                                         DocumentoTesto::ColoreParolaLetta);
    QTextCursor c = testo_->textCursor();
    c.clearSelection();
    testo_->setTextCursor(c);
    QApplication::restoreOverrideCursor();
}

void FormSchede::AltraScheda() {
    // The area's texts as a full-screen list walked by the switches; the system dialog is one
    // entry of it ("Altro...").
    // The window's own highlight waits meanwhile.
    FermaOrologio();
    QPointer<FormSchede> io(this);
    const QString percorso = sceltaTesto().Scegli(
        this, CartelleTesti::CartellaTesti(Stato().AreaScelta), QStringLiteral("Altra scheda"));
    if (!io)
        return;
    Scorri(0);
    if (percorso.isEmpty()) {
        messaggi().Errore(this, QStringLiteral("Non hai scelto nessuna lista!"));
        return;
    }
    Stato().FileTesto = percorso;
    CaricaTesto(percorso);
}

void FormSchede::Esci() {
    StopAll();
    Apri(Navigazione::MenuAttivita);
}

void FormSchede::EseguiComando(int comando) {
    switch (comando) {
    case CmdLeggi:
        Leggi();
        break;
    case CmdInterrompi:
        Interrompi();
        break;
    case CmdRiprendi:
        Riprendi();
        break;
    case CmdAumenta:
        Aumenta();
        break;
    case CmdRiduci:
        Riduci();
        break;
    case CmdModificaColore:
        ModificaColore();
        break;
    case CmdAltraScheda:
        AltraScheda();
        break;
    case CmdEsci:
        Esci();
        break;
    default:
        break;
    }
}

void FormSchede::ColoraPulsanti(int evidenziato) {
    const bool cambiato = evidenziato != evidenziato_;
    evidenziato_ = evidenziato;
    for (int i = 0; i < pulsanti_.size(); ++i)
        pulsanti_[i]->setStyleSheet(i == evidenziato ? StileEvidenziato(Stato().Opzioni)
                                                     : QString());
    // Auditory scanning, but not over the text being read.
    if (cambiato && evidenziato >= 0 && !lettura_.LetturaContinua())
        AnnunciaEvidenziato(pulsanti_[evidenziato]->text());
}

void FormSchede::Esegui(const ComandoScansione::Eventi& eventi) {
    QPointer<FormSchede> io(this);
    for (const ComandoScansione::Evento& e : eventi) {
        if (!io)
            return;
        switch (e.tipo) {
        case ComandoScansione::Evento::Tipo::Passo:
            ColoraPulsanti(e.passo.evidenziato);
            break;
        case ComandoScansione::Evento::Tipo::Selezione:
            EseguiComando(e.indice);
            break;
        case ComandoScansione::Evento::Tipo::Ripartita:
        case ComandoScansione::Evento::Tipo::Pausa:
            break;
        }
    }
}

void FormSchede::closeEvent(QCloseEvent* e) {
    StopAll();
    if (assistente_)
        assistente_->Hide();
    FinestraMenu::closeEvent(e);
}

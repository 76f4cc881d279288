#include "workspace/finestra/SceltaTesto.h"

#include "shell/AspettoProfilo.h"
#include "shell/Messaggi.h"
#include "shell/Navigazione.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/DialogoFile.h"
#include "workspace/scansione/OrologioScansione.h"
#include "workspace/testi/CartelleTesti.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

namespace {

class SceltaTestoVera final : public SceltaTesto {
public:
    QString Scegli(QWidget* proprietario, const QString& cartella, const QString& titolo) override {
        FinestraSceltaTesto f(cartella, titolo, proprietario);
        QScreen* schermo = proprietario && proprietario->screen()
                               ? proprietario->screen()
                               : QGuiApplication::primaryScreen();
        if (schermo)
            f.setGeometry(schermo->geometry());
        f.setWindowState(Qt::WindowFullScreen);
        f.exec();
        return f.Scelto();
    }
};

SceltaTesto* installata = nullptr;

QString Esa(quint32 rgb) {
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

} // namespace

SceltaTesto& sceltaTesto() {
    static SceltaTestoVera vera;
    return installata ? *installata : vera;
}

void ImpostaSceltaTesto(SceltaTesto* altra) {
    installata = altra;
}

FinestraSceltaTesto::FinestraSceltaTesto(const QString& cartella, const QString& titolo,
                                         QWidget* parent)
    : QDialog(parent), cartella_(cartella), testi_(CartelleTesti::TestiDellaCartella(cartella)) {
    setObjectName(QStringLiteral("SceltaTesto"));
    setWindowTitle(TitoloProgramma);
    setAccessibleName(titolo);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(12);
    titolo_ = new QLabel(titolo, this);
    titolo_->setObjectName(QStringLiteral("TitoloScelta"));
    titolo_->setAlignment(Qt::AlignCenter);
    titolo_->setWordWrap(true);
    layout->addWidget(titolo_);

    elenco_ = new QListWidget(this);
    elenco_->setObjectName(QStringLiteral("ElencoTesti"));
    elenco_->setAccessibleName(QStringLiteral("Testi da leggere"));
    elenco_->setWordWrap(true);
    elenco_->setUniformItemSizes(false);
    for (const QString& t : std::as_const(testi_)) {
        auto* voce = new QListWidgetItem(CartelleTesti::NomeDelTesto(t), elenco_);
        voce->setToolTip(t);
    }
    new QListWidgetItem(QStringLiteral("Altro..."), elenco_);
    new QListWidgetItem(QStringLiteral("Torna"), elenco_);
    elenco_->item(RigaAltro())
        ->setData(Qt::AccessibleDescriptionRole,
                  QStringLiteral("Sceglie un testo da un'altra cartella"));
    elenco_->item(RigaTorna())
        ->setData(Qt::AccessibleDescriptionRole,
                  QStringLiteral("Torna alla mappa senza scegliere"));
    layout->addWidget(elenco_, 1);
    // A click, a double click or Enter on a row chooses it (the first of them that arrives).
    const auto scelta = [this](QListWidgetItem* voce) {
        if (modo_ == ModoScansione::Mouse)
            ScegliRiga(elenco_->row(voce));
    };
    connect(elenco_, &QListWidget::itemClicked, this, scelta);
    connect(elenco_, &QListWidget::itemActivated, this, scelta);

    orologio_ = new OrologioScansione(this);
    connect(orologio_, &OrologioScansione::Scaduto, this, [this] { Scorri(orologio_->Preleva()); });

    const ProfiloUtente& p = Stato().Profilo;
    modo_ = ModoDaAccesso(p.ModalitaAccesso);
    ComandoScansione::Opzioni o;
    o.modo = modo_;
    o.intervalloMs = IntervalloScansione(p.TempoScansione);
    o.rilascio = ComandoScansione::Rilascio::Seleziona;
    o.inMovimentoAllAvvio = true;
    o.indiceIniziale = 0;
    scansione_ = std::make_unique<ComandoScansione>(CicloScansione(RigaTorna()), o);
    if (modo_ == ModoScansione::Mouse) {
        elenco_->setFocusPolicy(Qt::StrongFocus);
        elenco_->setFocus();
    } else {
        // The switches reach the chooser itself; the highlight is the scanning's.
        elenco_->setFocusPolicy(Qt::NoFocus);
        elenco_->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        setFocusPolicy(Qt::StrongFocus);
    }
    elenco_->setCurrentRow(0);
    ApplicaProfilo();
}

FinestraSceltaTesto::~FinestraSceltaTesto() = default;

void FinestraSceltaTesto::ApplicaProfilo() {
    const Contrasto::Coppia c = AspettoProfilo::Colori();
    const QFont f = AspettoProfilo::Carattere();
    QFont ft = f;
    ft.setBold(true);
    titolo_->setFont(ft);
    elenco_->setFont(f);
    // The highlighted row as the menus' tiles: red with black text and a black frame.
    setStyleSheet(
        QStringLiteral("QDialog, QLabel { background: %1; color: %2; }"
                       "QListWidget { background: %1; color: %2; border: 3px solid %2; }"
                       "QListWidget::item { padding: 8px; border: 4px solid %1; }"
                       "QListWidget::item:selected { background: #FF0000; color: #000000; "
                       "border: 4px solid #000000; }")
            .arg(Esa(c.sfondo), Esa(c.testo)));
}

int FinestraSceltaTesto::Evidenziata() const {
    if (modo_ == ModoScansione::Mouse)
        return elenco_->currentRow();
    return scansione_->Indice();
}

void FinestraSceltaTesto::ScegliRiga(int riga) {
    if (riga < 0 || riga > RigaTorna() || deciso_)
        return;
    orologio_->Arma(std::nullopt);
    if (riga == RigaTorna()) {
        scelto_.clear();
        deciso_ = true;
        reject();
        return;
    }
    if (riga == RigaAltro()) {
        const QString percorso = dialogoFile().Scegli(
            this, DialogoFile::Apri, QStringLiteral("Scegli un testo da leggere"), QString(),
            QStringLiteral("Testi (*.rtf)"), cartella_, QStringLiteral("rtf"));
        if (percorso.isEmpty()) {
            // Back to the list, as it was.
            spazioGiu_ = invioGiu_ = false;
            Riarma();
            return;
        }
        scelto_ = percorso;
    } else {
        scelto_ = testi_[riga];
    }
    deciso_ = true;
    accept();
}

void FinestraSceltaTesto::Esegui(const ComandoScansione::Eventi& eventi) {
    for (const ComandoScansione::Evento& e : eventi) {
        if (e.tipo == ComandoScansione::Evento::Tipo::Passo && e.passo.evidenziato >= 0) {
            // The highlighted row is the list's current and selected one.
            elenco_->setCurrentRow(e.passo.evidenziato);
            elenco_->scrollToItem(elenco_->item(e.passo.evidenziato));
        } else if (e.tipo == ComandoScansione::Evento::Tipo::Selezione) {
            ScegliRiga(e.indice);
            return;
        }
    }
}

void FinestraSceltaTesto::Riarma() {
    orologio_->Arma(isVisible() ? scansione_->MillisecondiAlProssimoScatto() : std::nullopt);
}

void FinestraSceltaTesto::Scorri(int millisecondi) {
    Esegui(scansione_->Trascorri(millisecondi));
    Riarma();
}

void FinestraSceltaTesto::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (modo_ != ModoScansione::Mouse) {
        scansione_->Attiva();
        spazioGiu_ = invioGiu_ = false;
        Esegui({ComandoScansione::Evento::DiPasso({-1, 0})});
        setFocus(Qt::OtherFocusReason);
        orologio_->Azzera();
        Riarma();
    }
}

void FinestraSceltaTesto::hideEvent(QHideEvent* e) {
    orologio_->Arma(std::nullopt);
    QDialog::hideEvent(e);
}

void FinestraSceltaTesto::keyPressEvent(QKeyEvent* e) {
    if (modo_ == ModoScansione::Mouse) {
        // Enter reaches the list (its row is activated); Esc goes back.
        if (e->key() == Qt::Key_Escape) {
            ScegliRiga(RigaTorna());
            return;
        }
        QDialog::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Space:
        if (!e->isAutoRepeat() && !spazioGiu_) {
            spazioGiu_ = true;
            Esegui(scansione_->Trascorri(orologio_->Preleva()));
            Esegui(scansione_->PremiSpazio());
            Riarma();
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!e->isAutoRepeat() && !invioGiu_) {
            invioGiu_ = true;
            // The press starts the hold that the user's acceptance time measures.
            Esegui(scansione_->Trascorri(orologio_->Preleva()));
            Esegui(scansione_->PremiInvio());
        }
        break;
    case Qt::Key_Escape:
        ScegliRiga(RigaTorna());
        break;
    default:
        QDialog::keyPressEvent(e);
        return;
    }
    e->accept();
}

void FinestraSceltaTesto::keyReleaseEvent(QKeyEvent* e) {
    if (modo_ == ModoScansione::Mouse || e->isAutoRepeat()) {
        QDialog::keyReleaseEvent(e);
        return;
    }
    // Only releases of presses seen here: the key that opened the chooser does not choose.
    switch (e->key()) {
    case Qt::Key_Space:
        if (spazioGiu_) {
            spazioGiu_ = false;
            Esegui(scansione_->Trascorri(orologio_->Preleva()));
            Esegui(scansione_->RilasciaSpazio());
            Riarma();
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (invioGiu_) {
            invioGiu_ = false;
            Esegui(scansione_->Trascorri(orologio_->Preleva()));
            Esegui(scansione_->RilasciaInvio());
            Riarma();
        }
        break;
    default:
        QDialog::keyReleaseEvent(e);
        return;
    }
    e->accept();
}

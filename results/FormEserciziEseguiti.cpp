#include "results/FormEserciziEseguiti.h"

#include "catalog/Tavolozza.h"
#include "results/CartellaRisultati.h"
#include "results/RegistroEsercizi.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/DialogoFile.h"
#include "workspace/scansione/OrologioScansione.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int Colonne = 7;
// Column widths in 24ths of the grid: number, activity, area, right, wrong, time, percentage.
constexpr int Parti[Colonne] = {1, 7, 5, 2, 2, 2, 4};
const QString FiltroRpt = QStringLiteral("Risultati (*.rpt)");
const QString EstensioneRpt = QStringLiteral("rpt");

QFont FontGriglia(int punti) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(punti);
    return f;
}

} // namespace

FormEserciziEseguiti::FormEserciziEseguiti(QWidget* parent) : FinestraProgramma(parent) {
    setObjectName(QStringLiteral("FormEserciziEseguiti"));
    setWindowTitle(TitoloProgramma);
    setAccessibleName(QStringLiteral("Esercizi eseguiti"));
    setFocusPolicy(Qt::StrongFocus);

    barra_ = new QMenuBar(this);
    barra_->setObjectName(QStringLiteral("BarraMenu"));
    barra_->setAccessibleName(QStringLiteral("Barra dei menu"));
    barra_->setNativeMenuBar(false);
    auto* file = barra_->addMenu(QStringLiteral("&File"));
    file->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    auto azione = [this](QMenu* menu, const QString& nome, const QString& testo,
                         const QKeySequence& tasti, void (FormEserciziEseguiti::*f)()) {
        auto* a = menu ? menu->addAction(testo) : barra_->addAction(testo);
        a->setObjectName(nome);
        if (!tasti.isEmpty()) {
            a->setShortcut(tasti);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
        connect(a, &QAction::triggered, this, f);
        return a;
    };
    azione(file, QStringLiteral("mnuSalva"), QStringLiteral("Salva"),
           QKeySequence(Qt::CTRL | Qt::Key_S), &FormEserciziEseguiti::Salva);
    azione(file, QStringLiteral("mnuApri"), QStringLiteral("Apri"),
           QKeySequence(Qt::CTRL | Qt::Key_O), &FormEserciziEseguiti::Apri);
    azione(nullptr, QStringLiteral("mnuStampa"), QStringLiteral("&Stampa"), {},
           &FormEserciziEseguiti::Stampa);
    azione(nullptr, QStringLiteral("mnuEsci"), QStringLiteral("&Esci"), {},
           &FormEserciziEseguiti::Esci);

    auto* corpo = new QWidget(this);
    auto* l = new QVBoxLayout(corpo);
    griglia_ = new QTableWidget(0, Colonne, corpo);
    griglia_->setObjectName(QStringLiteral("MSFlexGrid1"));
    griglia_->setAccessibleName(QStringLiteral("Tabella degli esercizi eseguiti"));
    griglia_->horizontalHeader()->hide();
    griglia_->verticalHeader()->hide();
    griglia_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    griglia_->setSelectionMode(QAbstractItemView::NoSelection);
    griglia_->setFocusPolicy(Qt::NoFocus);
    griglia_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    griglia_->setWordWrap(false);
    l->addWidget(griglia_, 1);
    nota_ = new QLabel(corpo);
    nota_->setObjectName(QStringLiteral("Label3"));
    nota_->setAccessibleName(QStringLiteral("Nota"));
    nota_->setFont(FontGriglia(12));
    l->addWidget(nota_);
    auto* riga = new QHBoxLayout;
    const QStringList testi{QStringLiteral("Salva"), QStringLiteral("Apri"),
                            QStringLiteral("Stampa"), QStringLiteral("Esci")};
    const QList<void (FormEserciziEseguiti::*)()> comandi{
        &FormEserciziEseguiti::Salva, &FormEserciziEseguiti::Apri, &FormEserciziEseguiti::Stampa,
        &FormEserciziEseguiti::Esci};
    for (int i = 0; i < testi.size(); ++i) {
        auto* p = new QPushButton(testi[i], corpo);
        p->setObjectName(QStringLiteral("Command") + testi[i]);
        p->setAccessibleName(testi[i]);
        p->setFocusPolicy(Qt::NoFocus);
        p->setAutoFillBackground(true);
        connect(p, &QPushButton::clicked, this, comandi[i]);
        riga->addWidget(p);
        pulsanti_.append(p);
    }
    l->addLayout(riga);
    auto* principale = new QVBoxLayout(this);
    principale->setContentsMargins(0, 0, 0, 0);
    principale->setMenuBar(barra_);
    principale->addWidget(corpo, 1);

    orologio_ = new OrologioScansione(this);
    connect(orologio_, &OrologioScansione::Scaduto, this, [this] { Scorri(orologio_->Preleva()); });
}

FormEserciziEseguiti::~FormEserciziEseguiti() = default;

void FormEserciziEseguiti::Cella(int riga, int colonna, const QString& testo) {
    QTableWidgetItem* it = griglia_->item(riga, colonna);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        if (riga == 0 || colonna == 0)
            it->setBackground(palette().color(QPalette::Button));
        griglia_->setItem(riga, colonna, it);
    }
    it->setText(testo);
}

void FormEserciziEseguiti::Intestazione() {
    Cella(0, 0, QString());
    Cella(0, 1, Stato().NomeUtente);
    Cella(0, 2, QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    Cella(0, 3, QStringLiteral("Esatti"));
    Cella(0, 4, QStringLiteral("Errati"));
    Cella(0, 5, QStringLiteral("Tempo"));
    Cella(0, 6, QStringLiteral("% correttezza"));
}

void FormEserciziEseguiti::LarghezzeColonne() {
    const int w = std::max(1, griglia_->viewport()->width() / 24);
    for (int c = 0; c < Colonne; ++c)
        griglia_->setColumnWidth(c, Parti[c] * w);
}

void FormEserciziEseguiti::Attivazione() {
    const ProfiloUtente& p = Stato().Profilo;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(Tavolozza::Rgb(p.ColoreSfondo)));
    pal.setColor(QPalette::WindowText, QColor::fromRgb(Tavolozza::Rgb(p.ColoreTesto)));
    setPalette(pal);
    setAutoFillBackground(true);
    // The grid in Arial, as large as the profile asks within what the columns can hold.
    griglia_->setFont(FontGriglia(std::clamp<int>(p.DimensioneFont, 12, 20)));
    QFont fPulsanti = font();
    fPulsanti.setPointSize(std::clamp<int>(p.DimensioneFont, 12, 28));
    for (QPushButton* b : pulsanti_)
        b->setFont(fPulsanti);

    // The log, row by row, with the percentage of each.
    griglia_->setUpdatesEnabled(false);
    const RegistroEsercizi& registro = Stato().Registro;
    // The cells are rewritten in place: a grid shown again keeps its items.
    griglia_->setRowCount(registro.NumeroEsercizi() + 1);
    Intestazione();
    for (int r = 1; r <= registro.NumeroEsercizi(); ++r) {
        const RigaEsercizio riga = registro.Riga(r);
        Cella(r, 0, QString::number(r));
        Cella(r, 1, riga.attivita);
        Cella(r, 2, riga.area);
        Cella(r, 3, riga.esatte);
        Cella(r, 4, riga.errate);
        Cella(r, 5, riga.tempo);
        Cella(r, 6, Percentuale(riga.esatte, riga.errate));
    }
    griglia_->setUpdatesEnabled(true);
    LarghezzeColonne();
    nota_->clear();

    // The access mode: the scan walks the four buttons.
    modo_ = ModoDaAccesso(p.ModalitaAccesso);
    ComandoScansione::Opzioni o;
    o.modo = modo_;
    o.intervalloMs = IntervalloScansione(p.TempoScansione);
    o.rilascio = ComandoScansione::Rilascio::Seleziona;
    o.inMovimentoAllAvvio = true;
    o.indiceIniziale = 0;
    scansione_ = std::make_unique<ComandoScansione>(
        CicloScansione(int(pulsanti_.size()) - 1, CicloScansione::Ripristino::SoloSeEvidenziato),
        o);
    scansione_->Attiva();
    spazioGiu_ = false;
    invioGiu_ = false;
    Evidenzia(modo_ == ModoScansione::Mouse ? -1 : scansione_->Indice());
    setFocus(Qt::OtherFocusReason);
    orologio_->Azzera();
    Riarma();
}

void FormEserciziEseguiti::resizeEvent(QResizeEvent* e) {
    FinestraProgramma::resizeEvent(e);
    LarghezzeColonne();
}

void FormEserciziEseguiti::hideEvent(QHideEvent* e) {
    orologio_->Arma(std::nullopt);
    FinestraProgramma::hideEvent(e);
}

// --- the table as data -----------------------------------------------------------------------

TabellaRisultati FormEserciziEseguiti::Tabella() const {
    TabellaRisultati t;
    for (int r = 1; r < griglia_->rowCount(); ++r) {
        std::array<QString, 5> celle;
        for (int c = 0; c < 5; ++c)
            if (const QTableWidgetItem* it = griglia_->item(r, c + 1))
                celle[c] = it->text();
        t.righe.append(celle);
    }
    t.nota = nota_->text();
    return t;
}

GrigliaDaStampare FormEserciziEseguiti::PerLaStampa() const {
    GrigliaDaStampare g;
    g.font = FontGriglia(12);
    for (int c = 0; c < Colonne; ++c)
        g.larghezze.append(Parti[c]);
    for (int r = 0; r < griglia_->rowCount(); ++r) {
        QStringList riga;
        for (int c = 0; c < Colonne; ++c) {
            const QTableWidgetItem* it = griglia_->item(r, c);
            riga.append(it ? it->text() : QString());
        }
        g.righe.append(riga);
    }
    return g;
}

// --- commands --------------------------------------------------------------------------------

std::optional<QString> FormEserciziEseguiti::PreparaCartella() {
    const QString cartella = CartellaRisultati::DellUtente(Stato().NomeUtente);
    if (Percorsi::EsisteCartella(cartella) && QFile::exists(CartellaRisultati::FileLeggimi()))
        return cartella;
    if (CartellaRisultati::CreaCartella(cartella))
        return std::nullopt;
    return cartella;
}

void FormEserciziEseguiti::Salva() {
    orologio_->Arma(std::nullopt);
    const auto cartella = PreparaCartella();
    QString percorso;
    if (cartella)
        percorso = dialogoFile().Scegli(this, DialogoFile::Salva, QStringLiteral("Salva"),
                                        QString(), FiltroRpt, *cartella, EstensioneRpt);
    bool riuscito = false;
    if (!percorso.isEmpty()) {
        const QByteArray dati = FileRisultati::Scrivi(
            Tabella(), QStringLiteral("L'Orbisto di Tessivo - esercizi eseguiti"),
            Stato().NomeUtente + u' ' + QDate::currentDate().toString(Qt::ISODate));
        riuscito = !Percorsi::ScriviFileAtomico(percorso, dati).has_value();
    }
    if (!riuscito)
        messaggi().Errore(this, MessaggioErrore);
    Riarma();
}

void FormEserciziEseguiti::Apri() {
    orologio_->Arma(std::nullopt);
    const auto cartella = PreparaCartella();
    QString percorso;
    if (cartella)
        percorso = dialogoFile().Scegli(this, DialogoFile::Apri, QStringLiteral("Apri"), QString(),
                                        FiltroRpt, *cartella, EstensioneRpt);
    std::optional<TabellaRisultati> t;
    if (!percorso.isEmpty()) {
        QFile f(percorso);
        if (f.open(QIODevice::ReadOnly) && f.size() <= FileRisultati::MassimaDimensione)
            t = FileRisultati::Leggi(f.readAll());
    }
    if (!t) {
        // The table on screen stays as it was.
        messaggi().Errore(this, MessaggioErrore);
        Riarma();
        return;
    }
    griglia_->setUpdatesEnabled(false);
    griglia_->setRowCount(int(t->righe.size()) + 1);
    Intestazione();
    for (int r = 1; r <= t->righe.size(); ++r) {
        const auto& celle = t->righe[r - 1];
        Cella(r, 0, QString::number(r));
        for (int c = 0; c < 5; ++c)
            Cella(r, c + 1, celle[c]);
        Cella(r, 6, Percentuale(celle[2], celle[3]));
    }
    griglia_->setUpdatesEnabled(true);
    nota_->setText(t->nota);
    Riarma();
}

void FormEserciziEseguiti::Stampa() {
    orologio_->Arma(std::nullopt);
    if (!messaggi().Domanda(this, QStringLiteral("Avvio la stampa?"))) {
        Riarma();
        return;
    }
    QString motivo;
    std::unique_ptr<QPrinter> printer = accessoStampante().Prepara(this, motivo);
    if (!printer) {
        if (!motivo.isEmpty())
            messaggi().Errore(this, motivo);
        Riarma();
        return;
    }
    messaggi().Informazione(this, QStringLiteral("Sto stampando"));
    QPainter painter;
    if (!painter.begin(printer.get())) {
        messaggi().Errore(this, QStringLiteral("Impossibile stampare: la stampante non risponde."));
        Riarma();
        return;
    }
    // Left and top 2 twips inside the printable area.
    const int margine = std::max(1, printer->resolution() * 2 / 1440);
    StampaGriglia(painter, *printer, PerLaStampa(), margine, margine);
    painter.end();
    Riarma();
}

void FormEserciziEseguiti::Esci() {
    orologio_->Arma(std::nullopt);
    if (Navigazione::Mostra(Navigazione::MenuAree))
        close();
}

// --- switches --------------------------------------------------------------------------------

int FormEserciziEseguiti::PulsanteEvidenziato() const {
    return modo_ == ModoScansione::Mouse || !scansione_ ? -1 : scansione_->Indice();
}

void FormEserciziEseguiti::Evidenzia(int indice) {
    const ProfiloUtente& p = Stato().Profilo;
    for (int i = 0; i < pulsanti_.size(); ++i) {
        QPalette pal = pulsanti_[i]->palette();
        pal.setColor(QPalette::Button, i == indice
                                           ? QColor(255, 0, 0)
                                           : QColor::fromRgb(Tavolozza::Rgb(p.ColoreSfondo)));
        pal.setColor(QPalette::ButtonText, QColor::fromRgb(Tavolozza::Rgb(p.ColoreTesto)));
        pulsanti_[i]->setPalette(pal);
    }
}

void FormEserciziEseguiti::Esegui(const ComandoScansione::Eventi& eventi) {
    QPointer<FormEserciziEseguiti> io(this);
    for (const ComandoScansione::Evento& e : eventi) {
        if (!io)
            return;
        if (e.tipo == ComandoScansione::Evento::Tipo::Passo)
            Evidenzia(e.passo.evidenziato);
        else if (e.tipo == ComandoScansione::Evento::Tipo::Selezione && e.indice >= 0 &&
                 e.indice < pulsanti_.size())
            pulsanti_[e.indice]->click();
    }
}

void FormEserciziEseguiti::Riarma() {
    if (scansione_ && isVisible())
        orologio_->Arma(scansione_->MillisecondiAlProssimoScatto());
}

void FormEserciziEseguiti::Scorri(int millisecondi) {
    if (!scansione_)
        return;
    QPointer<FormEserciziEseguiti> io(this);
    Esegui(scansione_->Trascorri(millisecondi));
    if (io)
        Riarma();
}

void FormEserciziEseguiti::keyPressEvent(QKeyEvent* e) {
    if (modo_ == ModoScansione::Mouse || !scansione_) {
        FinestraProgramma::keyPressEvent(e);
        return;
    }
    const int k = e->key();
    if (k == Qt::Key_Space) {
        if (!e->isAutoRepeat() && !spazioGiu_) {
            spazioGiu_ = true;
            auto ev = scansione_->Trascorri(orologio_->Preleva());
            ev += scansione_->PremiSpazio();
            Esegui(ev);
            Riarma();
        }
        e->accept();
    } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        if (!e->isAutoRepeat())
            invioGiu_ = true;
        e->accept();
    } else {
        FinestraProgramma::keyPressEvent(e);
    }
}

void FormEserciziEseguiti::keyReleaseEvent(QKeyEvent* e) {
    if (modo_ == ModoScansione::Mouse || !scansione_ || e->isAutoRepeat()) {
        FinestraProgramma::keyReleaseEvent(e);
        return;
    }
    const int k = e->key();
    const bool spazio = k == Qt::Key_Space && spazioGiu_;
    const bool invio = (k == Qt::Key_Return || k == Qt::Key_Enter) && invioGiu_;
    if (!spazio && !invio) {
        FinestraProgramma::keyReleaseEvent(e);
        return;
    }
    e->accept();
    spazioGiu_ = spazioGiu_ && !spazio;
    invioGiu_ = invioGiu_ && !invio;
    QPointer<FormEserciziEseguiti> io(this);
    auto ev = scansione_->Trascorri(orologio_->Preleva());
    ev += spazio ? scansione_->RilasciaSpazio() : scansione_->RilasciaInvio();
    Esegui(ev);
    if (io)
        Riarma();
}

#include "configuration/FormConfigura.h"

#include "catalog/Preset.h"
#include "catalog/Tavolozza.h"
#include "configuration/Configurazione.h"
#include "configuration/GrigliaTavolozza.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "workspace/scansione/OpzioniScansione.h"
#include "workspace/voce/AnnuncioScansione.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/Personaggio.h"
#include "workspace/voce/ServizioVoce.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

FormConfigura::SceltaFont& sceltaFont() {
    static FormConfigura::SceltaFont f;
    return f;
}

FormConfigura::ElencoVoci& elencoVoci() {
    static FormConfigura::ElencoVoci f;
    return f;
}

const QString TestoProva = QStringLiteral("Questa è la mia voce.");

QColor Colore(int indice) {
    return QColor::fromRgb(Tavolozza::Rgb(indice));
}

void Colora(QWidget* w, const QColor& sfondo, const QColor& testo) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, sfondo);
    pal.setColor(QPalette::Button, sfondo);
    pal.setColor(QPalette::WindowText, testo);
    pal.setColor(QPalette::ButtonText, testo);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QFrame* Campione(QWidget* parent, const QString& nome) {
    auto* f = new QFrame(parent);
    f->setObjectName(nome);
    f->setFrameShape(QFrame::Box);
    f->setMinimumSize(48, 28);
    f->setAutoFillBackground(true);
    return f;
}

QScrollBar* Cursore(QWidget* parent, const QString& nome, const QString& accessibile, int minimo,
                    int massimo) {
    auto* s = new QScrollBar(Qt::Horizontal, parent);
    s->setObjectName(nome);
    s->setAccessibleName(accessibile);
    s->setRange(minimo, massimo);
    s->setPageStep(std::max(1, (massimo - minimo) / 10));
    s->setFocusPolicy(Qt::StrongFocus);
    s->setMinimumHeight(24);
    return s;
}

QLabel* Etichetta(const QString& testo, QWidget* parent, const QString& nome = {}) {
    auto* l = new QLabel(testo, parent);
    l->setWordWrap(true);
    if (!nome.isEmpty())
        l->setObjectName(nome);
    return l;
}

// Every page scrolls, so that large fonts never clip a control.
QWidget* Scorrevole(QWidget* pagina) {
    auto* area = new QScrollArea;
    area->setWidget(pagina);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

} // namespace

FormConfigura::FormConfigura(QWidget* parent) : FinestraProgramma(parent) {
    setObjectName(QStringLiteral("FormConfigura"));
    setWindowTitle(TitoloProgramma);
    setAccessibleName(QStringLiteral("Configurazione"));
    auto* layout = new QVBoxLayout(this);
    auto* barra = new QMenuBar(this);
    barra->setAccessibleName(QStringLiteral("Barra dei menu"));
    layout->setMenuBar(barra);
    menu_ = barra->addAction(QStringLiteral("&Menu"));
    menu_->setObjectName(QStringLiteral("mnuEsci"));
    menu_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    addAction(menu_);
    connect(menu_, &QAction::triggered, this, &FormConfigura::Esci);

    schede_ = new QTabWidget(this);
    schede_->setObjectName(QStringLiteral("TabStrip1"));
    schede_->setAccessibleName(QStringLiteral("Schede della configurazione"));
    layout->addWidget(schede_);

    frameColori_ = CreaColori();
    const QList<std::pair<QString, QWidget*>> pagine{
        {QStringLiteral("Utente"), CreaUtente()},   {QStringLiteral("Fonts"), CreaFonts()},
        {QStringLiteral("Politiche"), new QWidget}, {QStringLiteral("Fisiche"), new QWidget},
        {QStringLiteral("Audio"), CreaAudio()},     {QStringLiteral("Input"), CreaInput()}};
    for (const auto& [titolo, pagina] : pagine) {
        pagine_ << pagina;
        schede_->addTab(Scorrevole(pagina), titolo);
    }
    layoutPol_ = new QVBoxLayout(pagine_[Politiche]);
    layoutPol_->addWidget(framePol_);
    layoutFis_ = new QVBoxLayout(pagine_[Fisiche]);
    layoutFis_->addWidget(frameFis_);
    connect(schede_, &QTabWidget::currentChanged, this, &FormConfigura::SchedaCliccata);

    CaricaPersonaggio();
    resize(1024, 768);
}

FormConfigura::~FormConfigura() {
    if (assistente_)
        assistente_->StopAll();
}

void FormConfigura::ImpostaSceltaFont(SceltaFont f) {
    sceltaFont() = std::move(f);
}

void FormConfigura::ImpostaElencoVoci(ElencoVoci f) {
    elencoVoci() = std::move(f);
}

// --- pages ------------------------------------------------------------------------------------

QWidget* FormConfigura::CreaUtente() {
    auto* p = new QWidget;
    p->setObjectName(QStringLiteral("FrameUtente"));
    auto* l = new QVBoxLayout(p);
    auto* riga = new QHBoxLayout;
    riga->addWidget(Etichetta(QStringLiteral("Utente attuale:"), p));
    label4_ = Etichetta(QString(), p, QStringLiteral("Label4"));
    label4_->setAccessibleName(QStringLiteral("Utente attuale"));
    QFont g = label4_->font();
    g.setBold(true);
    label4_->setFont(g);
    riga->addWidget(label4_, 1);
    l->addLayout(riga);
    auto* gruppo = new QButtonGroup(this);
    const QString testi[3] = {QStringLiteral("Utente &predefinito"),
                              QStringLiteral("&Modifica utente"), QStringLiteral("&Nuovo utente")};
    for (int i = 0; i < 3; ++i) {
        option1_[i] = new QRadioButton(testi[i], p);
        option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        option1_[i]->setAccessibleName(QString(testi[i]).remove(u'&'));
        gruppo->addButton(option1_[i], i);
        l->addWidget(option1_[i]);
        connect(option1_[i], &QRadioButton::clicked, this, [this, i] { OpzioneUtenteCliccata(i); });
    }
    list1_ = new QListWidget(p);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setAccessibleName(QStringLiteral("Elenco degli utenti"));
    connect(list1_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* it) { UtenteScelto(it->text()); });
    connect(list1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* it) { UtenteScelto(it->text()); });
    l->addWidget(list1_);
    text1_ = new QLineEdit(p);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAccessibleName(QStringLiteral("Nome del nuovo utente"));
    connect(text1_, &QLineEdit::textChanged, this, &FormConfigura::NomeNuovoCambiato);
    l->addWidget(text1_);
    avvisoNome_ = Etichetta(QString(), p, QStringLiteral("AvvisoNome"));
    avvisoNome_->setAccessibleName(QStringLiteral("Avviso sul nome"));
    QPalette pa = avvisoNome_->palette();
    pa.setColor(QPalette::WindowText, QColor(0xB0, 0, 0));
    avvisoNome_->setPalette(pa);
    l->addWidget(avvisoNome_);
    checkSalvaUtente_ = new QCheckBox(QStringLiteral("&Tieni traccia dell'attività eseguita"), p);
    checkSalvaUtente_->setObjectName(QStringLiteral("CheckSalvaUtente"));
    checkSalvaUtente_->setAccessibleName(QStringLiteral("Tieni traccia dell'attività eseguita"));
    connect(checkSalvaUtente_, &QCheckBox::toggled, this, [this](bool si) {
        if (!aggiornando_)
            Stato().Profilo.TracciaAttivita = si;
    });
    l->addWidget(checkSalvaUtente_);
    l->addStretch(1);
    list1_->hide();
    text1_->hide();
    return p;
}

QWidget* FormConfigura::CreaFonts() {
    auto* p = new QWidget;
    p->setObjectName(QStringLiteral("FrameColori"));
    auto* l = new QVBoxLayout(p);
    command3_ = new QPushButton(QStringLiteral("&Fonts"), p);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setAccessibleName(QStringLiteral("Scegli il font"));
    connect(command3_, &QPushButton::clicked, this, &FormConfigura::ScegliFont);
    l->addWidget(command3_, 0, Qt::AlignLeft);
    label8_ = Etichetta(QStringLiteral("Esempio di casella di testo"), p, QStringLiteral("Label8"));
    label8_->setAccessibleName(QStringLiteral("Esempio del font"));
    label8_->setAutoFillBackground(true);
    label8_->setMargin(8);
    l->addWidget(label8_);
    l->addStretch(1);
    return p;
}

QWidget* FormConfigura::CreaColori() {
    // FrameColoriPolitiche: the presets and the palette, shared by the two colour tabs.
    auto* f = new QWidget;
    f->setObjectName(QStringLiteral("FrameColoriPolitiche"));
    auto* l = new QVBoxLayout(f);
    auto* preset = new QGroupBox(QStringLiteral("Schemi di colori"), f);
    auto* lp = new QHBoxLayout(preset);
    lp->setSpacing(12);
    auto* gruppo = new QButtonGroup(this);
    const QString testi[5] = {
        QStringLiteral("Configurazione &1"), QStringLiteral("Configurazione &2"),
        QStringLiteral("Configurazione &3"), QStringLiteral("Configurazione &4"),
        QStringLiteral("Configurazione &personale")};
    for (int k = 0; k < 5; ++k) {
        option3_[k] = new QRadioButton(testi[k], preset);
        option3_[k]->setObjectName(QStringLiteral("Option3_%1").arg(k));
        option3_[k]->setAccessibleName(QString(testi[k]).remove(u'&'));
        gruppo->addButton(option3_[k], k);
        lp->addWidget(option3_[k]);
        connect(option3_[k], &QRadioButton::clicked, this, [this, k] { PresetCliccato(k); });
    }
    lp->addStretch(1);
    l->addWidget(preset);
    griglia_ = new GrigliaTavolozza(f);
    connect(griglia_, &GrigliaTavolozza::cliccata, this, &FormConfigura::ColoreCliccato);
    l->addWidget(griglia_, 1);

    // FramePol: the political roles and their samples.
    framePol_ = new QWidget;
    framePol_->setObjectName(QStringLiteral("FramePol"));
    auto* gp = new QGridLayout(framePol_);
    gruppoPol_ = new QButtonGroup(this);
    const QStringList pol = Configurazione::RuoliPolitici();
    // The sample of each role: [0..4] and "Sfondo mappa" [5] have one; background and texts show
    // on the frame and the options themselves.
    const int campionePol[8] = {0, 1, 2, 3, 4, -1, -1, 5};
    for (int i = 0; i < 6; ++i)
        casellaColore_ << Campione(framePol_, QStringLiteral("CasellaColore_%1").arg(i));
    for (int i = 0; i < pol.size(); ++i) {
        auto* o = new QRadioButton(pol[i], framePol_);
        o->setObjectName(QStringLiteral("Option2_%1").arg(i));
        o->setAccessibleName(QStringLiteral("Colore da cambiare: ") + pol[i]);
        gruppoPol_->addButton(o, i);
        option2_ << o;
        gp->addWidget(o, i % 4, (i / 4) * 2);
        if (campionePol[i] >= 0) {
            QFrame* c = casellaColore_[campionePol[i]];
            c->setAccessibleName(QStringLiteral("Campione ") + pol[i]);
            gp->addWidget(c, i % 4, (i / 4) * 2 + 1);
        }
    }
    label5_ = Etichetta(QStringLiteral("Esempio dei  colori scelti"), framePol_,
                        QStringLiteral("Label5"));
    gp->addWidget(label5_, 4, 0, 1, 4);
    option2_[0]->setChecked(true);

    // FrameFis: the physical roles.
    frameFis_ = new QWidget;
    frameFis_->setObjectName(QStringLiteral("FrameFis"));
    auto* gf = new QGridLayout(frameFis_);
    gruppoFis_ = new QButtonGroup(this);
    const QStringList fis = Configurazione::RuoliFisici();
    for (int i = 0; i < fis.size(); ++i) {
        auto* o = new QRadioButton(fis[i], frameFis_);
        o->setObjectName(QStringLiteral("OptionFis_%1").arg(i));
        o->setAccessibleName(QStringLiteral("Colore da cambiare: ") + fis[i].trimmed());
        gruppoFis_->addButton(o, i);
        optionFis_ << o;
        QFrame* c = Campione(frameFis_, QStringLiteral("CasellaColoreFis_%1").arg(i));
        c->setAccessibleName(QStringLiteral("Campione ") + fis[i].trimmed());
        casellaColoreFis_ << c;
        gf->addWidget(o, i % 6, (i / 6) * 2);
        gf->addWidget(c, i % 6, (i / 6) * 2 + 1);
    }
    optionFis_[0]->setChecked(true);
    // At first the colours can be changed one by one ("Configurazione personale").
    option3_[4]->setChecked(true);
    return f;
}

QWidget* FormConfigura::CreaAudio() {
    auto* p = new QWidget;
    p->setObjectName(QStringLiteral("FrameVoce"));
    auto* l = new QGridLayout(p);
    check1_ = new QCheckBox(QStringLiteral("&Attiva parlato"), p);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setAccessibleName(QStringLiteral("Attiva parlato"));
    connect(check1_, &QCheckBox::toggled, this, [this](bool si) {
        if (!aggiornando_)
            Stato().Profilo.ParlatoAttivo = si;
    });
    checkSuoni_ = new QCheckBox(QStringLiteral("Attiva &suoni"), p);
    checkSuoni_->setObjectName(QStringLiteral("CheckSuoni"));
    checkSuoni_->setAccessibleName(QStringLiteral("Attiva suoni"));
    connect(checkSuoni_, &QCheckBox::toggled, this, [this](bool si) {
        if (!aggiornando_)
            Stato().Profilo.SuoniAttivi = si;
    });
    l->addWidget(check1_, 0, 0);
    l->addWidget(checkSuoni_, 0, 1);
    label1_ = Etichetta(QString(), p, QStringLiteral("Label1"));
    hscroll1_ = Cursore(p, QStringLiteral("HScroll1"), QStringLiteral("Velocità della voce"),
                        VelocitaVoceMinima, VelocitaVoceMassima);
    label2_ = Etichetta(QString(), p, QStringLiteral("Label2"));
    hscroll2_ = Cursore(p, QStringLiteral("HScroll2"), QStringLiteral("Tono della voce"),
                        TonoVoceMinimo, TonoVoceMassimo);
    label1_->setBuddy(hscroll1_);
    label2_->setBuddy(hscroll2_);
    l->addWidget(label1_, 1, 0);
    l->addWidget(hscroll1_, 1, 1);
    l->addWidget(label2_, 2, 0);
    l->addWidget(hscroll2_, 2, 1);
    connect(hscroll1_, &QScrollBar::valueChanged, this, [this](int v) {
        label1_->setText(Configurazione::DidascaliaVelocita(v));
        if (aggiornando_)
            return;
        Stato().Profilo.VelocitaVoce = qint16(v);
        Stato().PrefissoVoce = PrefissoVoce(Stato().Profilo);
    });
    connect(hscroll2_, &QScrollBar::valueChanged, this, [this](int v) {
        label2_->setText(Configurazione::DidascaliaTono(v));
        if (aggiornando_)
            return;
        Stato().Profilo.TonoVoce = qint16(v);
        Stato().PrefissoVoce = PrefissoVoce(Stato().Profilo);
    });
    auto* label6 =
        Etichetta(QStringLiteral("modifica linguaggio di lettura"), p, QStringLiteral("Label6"));
    l->addWidget(label6, 3, 0, 1, 2);
    list2_ = new QListWidget(p);
    list2_->setObjectName(QStringLiteral("List2"));
    list2_->setAccessibleName(QStringLiteral("Voci"));
    list3_ = new QListWidget(p);
    list3_->setObjectName(QStringLiteral("List3"));
    list3_->setAccessibleName(QStringLiteral("Personaggi"));
    connect(list2_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (!aggiornando_)
            VoceScelta(r);
    });
    connect(list3_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (!aggiornando_)
            PersonaggioScelto(r);
    });
    l->addWidget(Etichetta(QStringLiteral("Voce:"), p), 4, 0);
    l->addWidget(Etichetta(QStringLiteral("Personaggio:"), p), 4, 1);
    l->addWidget(list2_, 5, 0);
    l->addWidget(list3_, 5, 1);
    text2_ = new QLineEdit(TestoProva, p);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setAccessibleName(QStringLiteral("Frase di prova"));
    command1_ = new QPushButton(QStringLiteral("&Prova voce"), p);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAccessibleName(QStringLiteral("Prova voce"));
    connect(command1_, &QPushButton::clicked, this, &FormConfigura::ProvaVoce);
    l->addWidget(text2_, 6, 0);
    l->addWidget(command1_, 6, 1);
    picAgent_ = new QWidget(p);
    picAgent_->setObjectName(QStringLiteral("picAgent"));
    picAgent_->setAccessibleName(QStringLiteral("Personaggio"));
    picAgent_->setMinimumSize(160, 200);
    l->addWidget(picAgent_, 0, 2, 7, 1);
    l->setColumnStretch(0, 1);
    l->setColumnStretch(1, 1);
    return p;
}

QWidget* FormConfigura::CreaInput() {
    auto* p = new QWidget;
    p->setObjectName(QStringLiteral("FramePunt"));
    auto* l = new QVBoxLayout(p);
    gruppoModalita_ = new QButtonGroup(this);
    const QString testi[3] = {QStringLiteral("&Mouse"),
                              QStringLiteral("Scansione manuale - &spazio e invio"),
                              QStringLiteral("Scansione &automatica - spazio")};
    const int modalita[3] = {ModalitaMouse, ModalitaScansioneManuale, ModalitaScansioneAutomatica};
    for (int i = 0; i < 3; ++i) {
        option4_[i] = new QRadioButton(testi[i], p);
        option4_[i]->setObjectName(QStringLiteral("Option4_%1").arg(modalita[i]));
        option4_[i]->setAccessibleName(QString(testi[i]).remove(u'&'));
        gruppoModalita_->addButton(option4_[i], modalita[i]);
        l->addWidget(option4_[i]);
        const int m = modalita[i];
        connect(option4_[i], &QRadioButton::clicked, this, [this, m] { ModalitaCliccata(m); });
    }
    label7_ = Etichetta(QString(), p, QStringLiteral("Label7"));
    hscroll3_ =
        Cursore(p, QStringLiteral("HScroll3"), QStringLiteral("Velocità della scansione"), 4, 60);
    hscroll3_->setPageStep(4);
    label7_->setBuddy(hscroll3_);
    connect(hscroll3_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!aggiornando_)
            Stato().Profilo.TempoScansione = qint16(v);
        AggiornaDidascaliaScansione();
    });
    l->addWidget(label7_);
    l->addWidget(hscroll3_);
    checkRiparti_ = new QCheckBox(QStringLiteral("&Riparti dall'inizio dopo la selezione"), p);
    checkRiparti_->setObjectName(QStringLiteral("CheckRiparti"));
    checkRiparti_->setAccessibleName(QStringLiteral("Riparti dall'inizio dopo la selezione"));
    connect(checkRiparti_, &QCheckBox::toggled, this, [this](bool si) {
        if (!aggiornando_)
            Stato().Profilo.RipartiDopoSelezione = si;
    });
    check3_ = new QCheckBox(QStringLiteral("&Usa puntatore di sistema"), p);
    check3_->setObjectName(QStringLiteral("Check3"));
    check3_->setAccessibleName(QStringLiteral("Usa puntatore di sistema"));
    connect(check3_, &QCheckBox::toggled, this, [this](bool si) {
        if (!aggiornando_)
            Stato().Profilo.PuntatoreSistema = si;
    });
    l->addWidget(checkRiparti_);
    l->addWidget(check3_);

    // The switch options, kept per user beside the profile.
    auto* opzioni = new QGroupBox(QStringLiteral("Opzioni dei sensori"), p);
    opzioni->setObjectName(QStringLiteral("FrameOpzioni"));
    auto* lo = new QVBoxLayout(opzioni);
    checkLeggi_ = new QCheckBox(QStringLiteral("&Leggi l'elemento evidenziato"), opzioni);
    checkLeggi_->setObjectName(QStringLiteral("CheckLeggiEvidenziato"));
    checkLeggi_->setAccessibleName(QStringLiteral("Leggi l'elemento evidenziato"));
    connect(checkLeggi_, &QCheckBox::toggled, this, [this](bool si) {
        if (!aggiornando_)
            Stato().Opzioni.leggiEvidenziato = si;
    });
    labelAccettazione_ = Etichetta(QString(), opzioni, QStringLiteral("LabelAccettazione"));
    hscrollAccettazione_ =
        Cursore(opzioni, QStringLiteral("HScrollAccettazione"),
                QStringLiteral("Tempo di accettazione"), 0, AccettazioneDecimiMassima);
    hscrollAccettazione_->setPageStep(1);
    labelAccettazione_->setBuddy(hscrollAccettazione_);
    connect(hscrollAccettazione_, &QScrollBar::valueChanged, this, [this](int v) {
        labelAccettazione_->setText(Configurazione::DidascaliaAccettazione(v));
        if (!aggiornando_)
            Stato().Opzioni.accettazioneDecimi = v;
    });
    labelGiri_ = Etichetta(QString(), opzioni, QStringLiteral("LabelGiri"));
    hscrollGiri_ = Cursore(opzioni, QStringLiteral("HScrollGiri"),
                           QStringLiteral("Giri prima della pausa"), 0, GiriPrimaDellaPausaMassimi);
    hscrollGiri_->setPageStep(1);
    labelGiri_->setBuddy(hscrollGiri_);
    connect(hscrollGiri_, &QScrollBar::valueChanged, this, [this](int v) {
        labelGiri_->setText(Configurazione::DidascaliaGiri(v));
        if (!aggiornando_)
            Stato().Opzioni.giriPrimaDellaPausa = v;
    });
    checkSpessa_ = new QCheckBox(QStringLiteral("&Evidenziazione spessa"), opzioni);
    checkSpessa_->setObjectName(QStringLiteral("CheckEvidenziazioneSpessa"));
    checkSpessa_->setAccessibleName(QStringLiteral("Evidenziazione spessa"));
    connect(checkSpessa_, &QCheckBox::toggled, this, [this](bool si) {
        if (!aggiornando_)
            Stato().Opzioni.evidenziazioneSpessa = si;
    });
    lo->addWidget(checkLeggi_);
    lo->addWidget(labelAccettazione_);
    lo->addWidget(hscrollAccettazione_);
    lo->addWidget(labelGiri_);
    lo->addWidget(hscrollGiri_);
    lo->addWidget(checkSpessa_);
    l->addWidget(opzioni);
    l->addStretch(1);
    return p;
}

// --- activation and samples -------------------------------------------------------------------

void FormConfigura::Attivazione() {
    StatoProgramma& s = Stato();
    s.PrefissoVoce = PrefissoVoce(s.Profilo);
    text2_->setText(TestoProva);
    AggiornaControlli();
    {
        const QSignalBlocker b(schede_);
        schede_->setCurrentIndex(Utente);
    }
    SchedaCliccata(Utente);
}

void FormConfigura::AggiornaControlli() {
    aggiornando_ = true;
    const StatoProgramma& s = Stato();
    const ProfiloUtente& p = s.Profilo;
    label4_->setText(s.NomeUtente);
    checkSalvaUtente_->setChecked(p.TracciaAttivita);
    check1_->setChecked(p.ParlatoAttivo);
    checkSuoni_->setChecked(p.SuoniAttivi);
    hscroll1_->setValue(p.VelocitaVoce);
    hscroll2_->setValue(p.TonoVoce);
    label1_->setText(Configurazione::DidascaliaVelocita(p.VelocitaVoce));
    label2_->setText(Configurazione::DidascaliaTono(p.TonoVoce));
    hscroll3_->setValue(std::clamp<int>(p.TempoScansione, 4, 60));
    check3_->setChecked(p.PuntatoreSistema);
    checkLeggi_->setChecked(s.Opzioni.leggiEvidenziato);
    hscrollAccettazione_->setValue(s.Opzioni.accettazioneDecimi);
    labelAccettazione_->setText(
        Configurazione::DidascaliaAccettazione(s.Opzioni.accettazioneDecimi));
    hscrollGiri_->setValue(s.Opzioni.giriPrimaDellaPausa);
    labelGiri_->setText(Configurazione::DidascaliaGiri(s.Opzioni.giriPrimaDellaPausa));
    checkSpessa_->setChecked(s.Opzioni.evidenziazioneSpessa);
    aggiornando_ = false;
    // The input mode as its option shows it; a mode no option has (a profile edited by hand)
    // shows no option chosen.
    gruppoModalita_->setExclusive(false);
    for (QRadioButton* o : option4_)
        o->setChecked(false);
    gruppoModalita_->setExclusive(true);
    if (QRadioButton* o = Option4(p.ModalitaAccesso)) {
        o->setChecked(true);
        ModalitaCliccata(p.ModalitaAccesso);
    } else {
        hscroll3_->hide();
        label7_->hide();
        checkRiparti_->setEnabled(false);
    }
    ImpostaVoce();
    if (assistente_)
        assistente_->ImpostaModoVoce(p.ModoVoce);
    ImpostaColori();
}

QRadioButton* FormConfigura::Option4(int modalita) const {
    switch (modalita) {
    case ModalitaMouse:
        return option4_[0];
    case ModalitaScansioneManuale:
        return option4_[1];
    case ModalitaScansioneAutomatica:
        return option4_[2];
    default:
        return nullptr;
    }
}

void FormConfigura::ImpostaColori() {
    const ProfiloUtente& p = Stato().Profilo;
    const QColor sfondo = Colore(p.ColoreSfondo);
    const QColor testo = Colore(p.ColoreTesto);
    for (QRadioButton* o : std::as_const(option2_))
        Colora(o, sfondo, testo);
    for (int i = 0; i < casellaColore_.size(); ++i) {
        Colora(casellaColore_[i], Colore(p.SchemaPolitico[size_t(i)]), testo);
        casellaColore_[i]->setToolTip(Tavolozza::Esadecimale(p.SchemaPolitico[size_t(i)]));
    }
    Colora(framePol_, sfondo, testo);
    Colora(label5_, sfondo, testo);

    QFont f(p.NomeFont);
    f.setPointSize(std::max<int>(1, p.DimensioneFont));
    label8_->setFont(f);
    label8_->setText(Configurazione::DidascaliaFont(p.NomeFont, p.DimensioneFont));
    Colora(label8_, sfondo, testo);

    const QColor sfondoFis = Colore(p.SchemaFisico[11]);
    const QColor testoFis = Colore(p.SchemaFisico[1]);
    for (int i = 0; i < casellaColoreFis_.size(); ++i) {
        Colora(casellaColoreFis_[i], Colore(p.SchemaFisico[size_t(i)]), testoFis);
        casellaColoreFis_[i]->setToolTip(Tavolozza::Esadecimale(p.SchemaFisico[size_t(i)]));
    }
    for (QRadioButton* o : std::as_const(optionFis_))
        Colora(o, sfondoFis, testoFis);
    Colora(frameFis_, sfondoFis, testoFis);

    {
        const QSignalBlocker b(checkRiparti_);
        checkRiparti_->setChecked(p.RipartiDopoSelezione);
    }
    checkRiparti_->setEnabled(p.ModalitaAccesso > 1);
    {
        const QSignalBlocker b(check3_);
        check3_->setChecked(p.PuntatoreSistema);
    }
}

void FormConfigura::SchedaCliccata(int scheda) {
    MostraPersonaggio(false);
    switch (scheda) {
    case Politiche:
        layoutPol_->insertWidget(0, frameColori_, 1);
        frameColori_->show();
        option3_[3]->hide();
        if (option3_[3]->isChecked())
            option3_[4]->setChecked(true);
        ImpostaColori();
        break;
    case Fisiche:
        layoutFis_->insertWidget(0, frameColori_, 1);
        frameColori_->show();
        option3_[3]->show();
        break;
    case Audio:
        MostraPersonaggio(true);
        break;
    default:
        break;
    }
}

void FormConfigura::AbilitaRuoli(bool si) {
    for (QRadioButton* o : std::as_const(option2_))
        o->setEnabled(si);
    for (QRadioButton* o : std::as_const(optionFis_))
        o->setEnabled(si);
}

// --- user ------------------------------------------------------------------------------------

void FormConfigura::OpzioneUtenteCliccata(int i) {
    StatoProgramma& s = Stato();
    if (auto errore = SalvaProfilo(s))
        messaggi().Errore(this, *errore);
    avvisoNome_->clear();
    switch (i) {
    case 0:
        ImpostaUtente(s, NomeUtentePredefinito);
        label4_->setText(s.NomeUtente);
        list1_->hide();
        text1_->hide();
        break;
    case 1: {
        list1_->clear();
        list1_->addItems(ElencoUtentiConfigurazione(s.CartellaImpostazioni));
        list1_->show();
        text1_->hide();
        break;
    }
    case 2:
        text1_->clear();
        list1_->hide();
        text1_->show();
        text1_->setSelection(0, 12);
        text1_->setFocus();
        break;
    default:
        break;
    }
}

void FormConfigura::UtenteScelto(const QString& nome) {
    StatoProgramma& s = Stato();
    if (nome.isEmpty())
        return;
    if (auto errore = SalvaProfilo(s))
        messaggi().Errore(this, *errore);
    ImpostaUtente(s, nome);
    CaricaProfilo(s);
    // The new user's settings show in every control.
    AggiornaControlli();
}

void FormConfigura::NomeNuovoCambiato(const QString& testo) {
    StatoProgramma& s = Stato();
    if (!testo.isEmpty()) {
        if (auto errore = VerificaNomeUtente(testo)) {
            // Refused: the user stays the one before, so nothing is written under a bad name.
            avvisoNome_->setText(*errore);
            return;
        }
    }
    avvisoNome_->clear();
    ImpostaUtente(s, testo);
    label4_->setText(s.NomeUtente);
}

// --- font -------------------------------------------------------------------------------------

void FormConfigura::ScegliFont() {
    QFont iniziale = label8_->font();
    std::optional<QFont> scelto;
    if (const SceltaFont& f = sceltaFont()) {
        scelto = f(iniziale, this);
    } else {
        bool ok = false;
        const QFont r = QFontDialog::getFont(&ok, iniziale, this, QStringLiteral("Fonts"));
        if (ok)
            scelto = r;
    }
    if (!scelto)
        return;
    const int punti = scelto->pointSize();
    if (scelto->family().trimmed().isEmpty() || punti <= 0 || punti > 32767) {
        messaggi().Errore(this,
                          QStringLiteral("selezionare sia il tipo di font che la dimensione"));
        return;
    }
    ProfiloUtente& p = Stato().Profilo;
    p.NomeFont = scelto->family();
    p.DimensioneFont = qint16(punti);
    QFont mostrato = *scelto;
    label8_->setFont(mostrato);
    ImpostaColori();
    // Bold, italic and underline show in the sample; only name and size are kept.
    mostrato.setPointSize(punti);
    label8_->setFont(mostrato);
}

// --- colours ----------------------------------------------------------------------------------

void FormConfigura::PresetCliccato(int k) {
    ProfiloUtente& p = Stato().Profilo;
    const int scheda = schede_->currentIndex();
    if (scheda == Fisiche && k >= 0 && k < NumeroPresetFisici)
        ApplicaPresetFisico(p, k + 1);
    if (scheda == Politiche && k >= 0 && k < NumeroPresetPolitici)
        ApplicaPresetPolitico(p, k + 1);
    AbilitaRuoli(k == 4);
    ImpostaColori();
}

void FormConfigura::ColoreCliccato(int indice) {
    // Only "Configurazione personale" lets the palette change a colour.
    if (!option3_[4]->isChecked())
        return;
    ProfiloUtente& p = Stato().Profilo;
    const int scheda = schede_->currentIndex();
    if (scheda == Fisiche) {
        const int ruolo = gruppoFis_->checkedId();
        if (!Configurazione::ImpostaRuoloFisico(p, ruolo, indice))
            return;
        const QColor c = Colore(indice);
        if (ruolo == Configurazione::RuoloFisicoSfondo) {
            for (QRadioButton* o : std::as_const(optionFis_))
                Colora(o, c, Colore(p.SchemaFisico[1]));
            Colora(frameFis_, c, Colore(p.SchemaFisico[1]));
        } else if (ruolo == Configurazione::RuoloFisicoTesti) {
            for (QRadioButton* o : std::as_const(optionFis_))
                Colora(o, Colore(p.SchemaFisico[11]), c);
        }
        Colora(casellaColoreFis_[ruolo], c, Colore(p.SchemaFisico[1]));
        return;
    }
    if (scheda == Politiche) {
        const int ruolo = gruppoPol_->checkedId();
        if (!Configurazione::ImpostaRuoloPolitico(p, ruolo, indice))
            return;
        const QColor sfondo = Colore(p.ColoreSfondo);
        const QColor testo = Colore(p.ColoreTesto);
        switch (ruolo) {
        case Configurazione::RuoloPoliticoSfondo:
        case Configurazione::RuoloPoliticoTesti:
            Colora(framePol_, sfondo, testo);
            Colora(label5_, sfondo, testo);
            for (QRadioButton* o : std::as_const(option2_))
                Colora(o, sfondo, testo);
            break;
        case 7:
            Colora(casellaColore_[5], Colore(indice), testo);
            break;
        default:
            Colora(casellaColore_[ruolo], Colore(indice), testo);
            break;
        }
    }
}

// --- voice and character ----------------------------------------------------------------------

void FormConfigura::ImpostaVoce() {
    const ProfiloUtente& p = Stato().Profilo;
    const bool prima = aggiornando_;
    aggiornando_ = true;
    list2_->clear();
    QList<ModoSintesi> tutte = elencoVoci() ? elencoVoci()() : ServizioVoce::Modi();
    voci_.clear();
    for (const ModoSintesi& m : std::as_const(tutte))
        if (m.lingua == u"it")
            voci_.append(m);
    for (const ModoSintesi& m : std::as_const(voci_))
        list2_->addItem(m.nome);
    // The voice the profile names; an unknown one is spoken with the default Italian voice,
    // which the list shows (the profile keeps its value until a voice is chosen).
    const QString file = FileDelModo(voci_, p.ModoVoce);
    for (int i = 0; i < voci_.size(); ++i)
        if (voci_[i].file == file)
            list2_->setCurrentRow(i);

    list3_->clear();
    const QStringList personaggi = ElencoPersonaggi();
    for (const QString& n : personaggi) {
        auto* it = new QListWidgetItem(Configurazione::NomeProprio(n), list3_);
        it->setData(Qt::UserRole, n);
        if (n.compare(p.Personaggio, Qt::CaseInsensitive) == 0)
            list3_->setCurrentItem(it);
    }
    aggiornando_ = prima;
}

void FormConfigura::VoceScelta(int riga) {
    if (riga < 0 || riga >= voci_.size())
        return;
    ProfiloUtente& p = Stato().Profilo;
    p.ModoVoce = voci_[riga].identificatore;
    if (assistente_)
        assistente_->ImpostaModoVoce(p.ModoVoce);
}

void FormConfigura::PersonaggioScelto(int riga) {
    QListWidgetItem* it = list3_->item(riga);
    if (!it)
        return;
    Stato().Profilo.Personaggio = it->data(Qt::UserRole).toString();
    const bool visibile = schede_->currentIndex() == Audio;
    CaricaPersonaggio();
    if (visibile)
        MostraPersonaggio(true);
}

void FormConfigura::CaricaPersonaggio() {
    if (assistente_) {
        assistente_->StopAll();
        assistente_->Hide();
        assistente_->deleteLater();
    }
    assistente_ = CaricaAssistente(this, Stato().Profilo, NuovaVoce());
    assistente_->SoundEffectsOn = false;
    assistente_->StileFumetto &= ~1;
    assistente_->ImpostaModoVoce(Stato().Profilo.ModoVoce);
}

void FormConfigura::MostraPersonaggio(bool visibile) {
    if (!assistente_)
        return;
    if (!visibile) {
        assistente_->Hide();
        return;
    }
    const QPoint p = picAgent_->mapToGlobal(QPoint(0, 0));
    assistente_->MoveTo(p.x(), p.y() + 50);
    assistente_->Show();
}

void FormConfigura::ProvaVoce() {
    if (!assistente_)
        return;
    const ProfiloUtente& p = Stato().Profilo;
    const QString frase = text2_->text().trimmed().isEmpty() ? TestoProva : text2_->text();
    assistente_->StopAll();
    assistente_->ImpostaModoVoce(p.ModoVoce);
    assistente_->Speak(PrefissoVoce(p) + frase);
}

// --- input ------------------------------------------------------------------------------------

void FormConfigura::ModalitaCliccata(int modalita) {
    ProfiloUtente& p = Stato().Profilo;
    hscroll3_->hide();
    label7_->hide();
    if (!aggiornando_)
        p.ModalitaAccesso = qint16(modalita);
    checkRiparti_->setEnabled(modalita > 1);
    if (modalita == ModalitaScansioneAutomatica) {
        {
            const QSignalBlocker b(hscroll3_);
            hscroll3_->setValue(std::clamp<int>(p.TempoScansione, 4, 60));
        }
        AggiornaDidascaliaScansione();
        hscroll3_->show();
        label7_->show();
    }
}

void FormConfigura::AggiornaDidascaliaScansione() {
    label7_->setText(Configurazione::DidascaliaScansione(hscroll3_->value()));
}

// --- leaving ----------------------------------------------------------------------------------

void FormConfigura::Esci() {
    if (auto errore = SalvaProfilo(Stato()))
        messaggi().Errore(this, *errore);
    MostraPersonaggio(false);
    if (Navigazione::Mostra(Navigazione::MenuAree))
        close();
}

void FormConfigura::closeEvent(QCloseEvent* e) {
    if (assistente_) {
        assistente_->StopAll();
        assistente_->Hide();
    }
    FinestraProgramma::closeEvent(e);
}

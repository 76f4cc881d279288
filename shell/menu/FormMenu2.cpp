#include "shell/menu/FormMenu2.h"

#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "catalog/Tavolozza.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/CasellaMenu.h"
#include "shell/menu/DisegniMenu.h"
#include "shell/menu/NomiFinestre.h"
#include "workspace/scansione/MenuScansione.h"
#include "workspace/testi/CartelleTesti.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString Italia = QStringLiteral("Italia");

struct DatiCasella {
    const char16_t* didascalia;
    const char16_t* nomeAccessibile;
};
constexpr DatiCasella DatiCaselle[NumeroCaselleAttivita] = {
    {u"Mappa", u"Mappa politica"},
    {u"Puzzle", u"Puzzle politico"},
    {u"Dov'è?", u"Dov'è? politico"},
    {u"Test", u"Test delle regioni"},
    {u"Mappa", u"Mappa fisica"},
    {u"Puzzle", u"Puzzle fisico"},
    {u"Dov'è?", u"Dov'è? fisico"},
    {u"Schede", u"Schede"},
    {u"Torna", u"Torna al menu delle aree"},
};

QColor colorePalette(int i) {
    return QColor::fromRgb(Tavolozza::Rgb(i));
}

} // namespace

QString TitoloArea(const QString& area) {
    static const QHash<QString, QString> titoli{
        {QStringLiteral("Italia"), QStringLiteral("Italia")},
        {QStringLiteral("Europa"), QStringLiteral("Europa")},
        {QStringLiteral("Africa"), QStringLiteral("Africa")},
        {QStringLiteral("Asia"), QStringLiteral("Asia")},
        {QStringLiteral("Americacs"), QStringLiteral("America Centro Settentrionale")},
        {QStringLiteral("Sudamerica"), QStringLiteral("America del Sud")},
        {QStringLiteral("Australia"), QStringLiteral("Oceania")},
    };
    return titoli.value(area, area);
}

FormMenu2::FormMenu2(QWidget* parent) : MenuConScansione(parent) {
    setAccessibleName(QStringLiteral("Menu delle attività"));

    titolo_ = new QLabel(Area());
    titolo_->setObjectName(QStringLiteral("Label1_0"));
    titolo_->setGeometry(10, 4, 780, 46);
    titolo_->setAlignment(Qt::AlignCenter);

    // Political activities above, physical ones below; the Italy choice on the right.
    const int l = 150, h = 240, passo = 158;
    for (int i = 0; i < NumeroCaselleAttivita; ++i) {
        const QRect r =
            i < 4 ? QRect(10 + passo * i, 56, l, h) : QRect(10 + passo * (i - 4), 56 + h + 8, l, h);
        CasellaMenu* c = AggiungiCasella(i, QString::fromUtf16(DatiCaselle[i].didascalia), r);
        c->ImpostaNomeAccessibile(QString::fromUtf16(DatiCaselle[i].nomeAccessibile));
    }
    // The pictures: the area's own maps for the two "Mappa" tiles, pictograms for the others.
    const auto miniatura = [](DisegniMenu::TipoMiniatura t) {
        return [t](QSize d) {
            return DisegniMenu::MiniaturaMappa(Stato().AreaScelta, t, d, Stato().Profilo);
        };
    };
    const auto pittogramma = [](DisegniMenu::Pittogramma p, bool fisico) {
        return [p, fisico](QSize d) {
            const ProfiloUtente& pr = Stato().Profilo;
            QColor colore =
                fisico ? colorePalette(pr.SchemaFisico[4]) : colorePalette(pr.SchemaPolitico[0]);
            if (p == DisegniMenu::Pittogramma::Schede)
                colore = QColor(0x00, 0x33, 0x99);
            if (p == DisegniMenu::Pittogramma::Torna)
                colore = QColor(0xFF, 0xCC, 0x00);
            return DisegniMenu::DisegnaPittogramma(p, d, colore);
        };
    };
    using P = DisegniMenu::Pittogramma;
    Caselle()[0]->ImpostaDisegnatore(miniatura(DisegniMenu::TipoMiniatura::Politica));
    Caselle()[1]->ImpostaDisegnatore(pittogramma(P::Puzzle, false));
    Caselle()[2]->ImpostaDisegnatore(pittogramma(P::Dove, false));
    Caselle()[3]->ImpostaDisegnatore(pittogramma(P::Test, false));
    Caselle()[4]->ImpostaDisegnatore(miniatura(DisegniMenu::TipoMiniatura::Fisica));
    Caselle()[5]->ImpostaDisegnatore(pittogramma(P::Puzzle, true));
    Caselle()[6]->ImpostaDisegnatore(pittogramma(P::Dove, true));
    Caselle()[7]->ImpostaDisegnatore(pittogramma(P::Schede, false));
    Caselle()[8]->ImpostaDisegnatore(pittogramma(P::Torna, false));

    // Italy, mouse: two options.
    frame1_ = new QWidget(Area());
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(10 + passo * 4, 56, l, h);
    auto* gruppo = new QButtonGroup(this);
    const QString testi[2] = {QStringLiteral("&Nazione"), QStringLiteral("&Regioni")};
    for (int i = 0; i < 2; ++i) {
        opzioni_[i] = new QRadioButton(testi[i], frame1_);
        opzioni_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        opzioni_[i]->setAccessibleName(i == 0 ? QStringLiteral("Nazione")
                                              : QStringLiteral("Regioni"));
        opzioni_[i]->setGeometry(4, 30 + i * 100, l - 8, 80);
        gruppo->addButton(opzioni_[i], i);
        connect(opzioni_[i], &QRadioButton::clicked, this, [this, i] { OpzioneCliccata(i == 1); });
    }
    // Italy, scanning: two buttons walked by the highlight.
    frame2_ = new QWidget(Area());
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setGeometry(10 + passo * 4, 56, l, h);
    const QString nomi[2] = {QStringLiteral("Nazione"), QStringLiteral("Regioni")};
    for (int i = 0; i < 2; ++i) {
        pulsanti_[i] = new QPushButton(nomi[i], frame2_);
        pulsanti_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        pulsanti_[i]->setAccessibleName(nomi[i]);
        pulsanti_[i]->setAccessibleDescription(
            i == 0 ? QStringLiteral("Le attività sull'Italia intera")
                   : QStringLiteral("Le attività su una regione alla volta"));
        pulsanti_[i]->setGeometry(4, 10 + i * 116, l - 8, 104);
        // Only the switches choose here: the buttons are shown in the scanning modes alone.
        pulsanti_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    AggiungiComandoConfigura();
    AggiungiComandoEsci();

    RegistraProgetto();
}

FormMenu2::~FormMenu2() = default;

void FormMenu2::Attivazione() {
    StatoProgramma& s = Stato();
    const bool italia = s.AreaScelta == Italia;
    titolo_->setText(TitoloArea(s.AreaScelta));
    titolo_->setAccessibleName(QStringLiteral("Attività: ") + titolo_->text());

    FinestraMenu::Attivazione();
    const bool scansione = Modo() != ModoScansione::Mouse;
    sceltaRegioni_ = false;
    opzioni_[s.PerRegioni ? 1 : 0]->setChecked(true);
    frame1_->setVisible(italia && !scansione);
    frame2_->setVisible(italia && scansione);
    Caselle()[3]->setVisible(italia && !scansione && s.PerRegioni);

    scansione_ = std::make_unique<ScansioneMenuAttivita>(
        s.AreaScelta, Modo(), IntervalloScansione(s.Profilo.TempoScansione));
    AggiornaCaselle();
    if (scansione && scansione_->FaseCorrente() == ScansioneMenuAttivita::Fase::SceltaItalia) {
        ColoraCasella(-1);
        ColoraPulsanti(scansione_->SceltaEvidenziata());
    } else {
        ColoraCasella(scansione ? scansione_->CasellaEvidenziata() : -1);
        ColoraPulsanti(-1);
    }
    TrovaColoriFisiche(s.Fisico, s.Profilo);
    Scorri(0);
}

void FormMenu2::ApplicaProfilo() {
    FinestraMenu::ApplicaProfilo();
    const QFont f = CarattereProfilo();
    QFont ft = f;
    ft.setBold(true);
    ft.setPointSize(f.pointSize() + 6);
    titolo_->setFont(
        DisegniMenu::CarattereAdattato(ft, TitoloArea(Stato().AreaScelta), titolo_->size(), false));
    for (int i = 0; i < 2; ++i) {
        // A large option circle, visible for low vision; the caption fits beside it.
        const int lato = std::clamp(opzioni_[i]->height() / 2, 16, 64);
        opzioni_[i]->setStyleSheet(
            QStringLiteral("QRadioButton::indicator { width: %1px; height: %1px; }").arg(lato));
        opzioni_[i]->setFont(DisegniMenu::CarattereAdattato(
            f, opzioni_[i]->text().remove(u'&'), opzioni_[i]->size() - QSize(lato + 16, 8), false));
        pulsanti_[i]->setFont(DisegniMenu::CarattereAdattato(
            f, pulsanti_[i]->text(), pulsanti_[i]->size() - QSize(16, 16), false));
    }
    QPalette pal = frame1_->palette();
    pal.setColor(QPalette::WindowText, ColoreTesto());
    for (QRadioButton* o : opzioni_)
        o->setPalette(pal);
}

bool FormMenu2::ItaliaPerRegioni() const {
    if (Stato().AreaScelta != Italia)
        return false;
    if (Modo() == ModoScansione::Mouse)
        return opzioni_[1]->isChecked();
    return sceltaRegioni_;
}

QString FormMenu2::FinestraDellaCasellaOra(int casella) const {
    return NomiFinestre::DellaCasella(FinestraDellaCasella(casella, ItaliaPerRegioni()));
}

void FormMenu2::AggiornaCaselle() {
    // A tile is enabled when the window it leads to exists: for Italy by regions, the region
    // chooser and the regional window behind it.
    for (CasellaMenu* c : Caselle()) {
        const int i = c->Indice();
        const DestinazioneCasella f = FinestraDellaCasella(i, ItaliaPerRegioni());
        bool disponibile = Navigazione::Disponibile(NomiFinestre::DellaCasella(f));
        if (f == DestinazioneCasella::SceltaRegione)
            disponibile = disponibile && Navigazione::Disponibile(
                                             NomiFinestre::DellaRegione(FinestraDellaRegione(i)));
        c->setEnabled(disponibile);
    }
}

void FormMenu2::ColoraPulsanti(int evidenziato) {
    for (int i = 0; i < 2; ++i) {
        const bool rosso = i == evidenziato;
        if (rosso && !pulsanti_[i]->property("evidenziato").toBool())
            AnnunciaEvidenziato(pulsanti_[i]->accessibleName());
        pulsanti_[i]->setProperty("evidenziato", rosso);
        pulsanti_[i]->setStyleSheet(rosso ? StileEvidenziato(Stato().Opzioni) : QString());
    }
}

void FormMenu2::Esegui(const ScansioneMenuAttivita::Eventi& eventi) {
    using Tipo = ScansioneMenuAttivita::Evento::Tipo;
    for (const auto& e : eventi) {
        switch (e.tipo) {
        case Tipo::PassoScelta:
            ColoraPulsanti(e.evidenziato);
            break;
        case Tipo::Scelta:
            SceltaFatta(e.perRegioni);
            break;
        case Tipo::PassoCasella: {
            // Tiles of windows not built yet are passed over.
            int casella = e.evidenziato;
            for (int giri = 0;
                 giri < NumeroCaselleAttivita && casella >= 0 && !Caselle()[casella]->isEnabled();
                 ++giri) {
                const auto altri = Modo() == ModoScansione::Manuale
                                       ? scansione_->RilasciaSpazio()
                                       : scansione_->Trascorri(
                                             IntervalloScansione(Stato().Profilo.TempoScansione));
                casella = altri.isEmpty() ? -1 : altri.constLast().evidenziato;
            }
            ColoraCasella(casella);
            break;
        }
        case Tipo::Avvia:
            AvviaEsercizi(e.casella);
            return;
        }
    }
}

void FormMenu2::SceltaFatta(bool regioni) {
    sceltaRegioni_ = regioni;
    frame2_->setVisible(false);
    ColoraPulsanti(-1);
    Caselle()[3]->setVisible(regioni);
    AggiornaCaselle();
}

void FormMenu2::OpzioneCliccata(bool regioni) {
    StatoProgramma& s = Stato();
    if (s.AreaScelta != Italia)
        return;
    s.PerRegioni = regioni;
    Caselle()[3]->setVisible(regioni);
    if (!regioni) {
        CaricaRegioniItalia(s.Catalogo);
        CaricaFisicoItalia(s.Fisico);
        TrovaColoriFisiche(s.Fisico, s.Profilo);
    }
    AggiornaCaselle();
}

void FormMenu2::CasellaScelta(int indice) {
    Apri(indice);
}

void FormMenu2::AvviaEsercizi(int indice) {
    if (Modo() == ModoScansione::Mouse)
        return;
    Apri(indice);
}

void FormMenu2::Apri(int casella) {
    if (casella < 0 || casella >= NumeroCaselleAttivita || !Caselle()[casella]->isEnabled() ||
        !Caselle()[casella]->isVisible())
        return;
    const DestinazioneCasella f = FinestraDellaCasella(casella, ItaliaPerRegioni());
    if (f == DestinazioneCasella::Nessuna)
        return;
    StatoProgramma& s = Stato();
    s.AttivitaScelta = qint16(casella);
    if (f == DestinazioneCasella::Scheda) {
        ApriScheda();
        return;
    }
    FermaOrologio();
    if (Navigazione::Mostra(NomiFinestre::DellaCasella(f)))
        close();
    else
        Scorri(0);
}

void FormMenu2::ApriScheda() {
    StatoProgramma& s = Stato();
    s.FileTesto = CartelleTesti::SchedaPredefinita(s.AreaScelta);
    FermaOrologio();
    if (Navigazione::Mostra(NomiFinestre::Schede))
        close();
    else
        Scorri(0);
}

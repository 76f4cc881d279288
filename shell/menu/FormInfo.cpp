#include "shell/menu/FormInfo.h"

#include "shell/AspettoProfilo.h"
#include "shell/StatoProgramma.h"
#include "shell/clsResize.h"
#include "shell/menu/DisegniMenu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace {
constexpr int LarghezzaProgetto = 800;
constexpr int AltezzaProgetto = 600;
} // namespace

QString FormInfo::TestoCrediti() {
    return QStringLiteral(
        "Software di\r\n"
        "Progetto e programmazione: il gruppo di lavoro dell'Orbisto di Tessivo\r\n"
        "Testi per gli alunni e schede: insegnanti di sostegno e di geografia del gruppo\r\n"
        "Prove con gli alunni: le classi che hanno provato l'atlante con mouse e sensori\r\n"
        "Voce: eSpeak NG (licenza GPL 3)\r\n"
        "Mappe del mondo: Made with Natural Earth (dati di pubblico dominio)\r\n"
        "Confini di regioni e province italiane: ISTAT, elaborazione openpolis (CC-BY 4.0), "
        "modificati\r\n"
        "Corsi dei fiumi italiani: World Data Bank II, da GSHHG (LGPL 3)");
}

QString FormInfo::TestoCondizioni() {
    return QStringLiteral(
        "Il programma è gratuito e può essere copiato e distribuito liberamente per uso "
        "scolastico, senza scopo di lucro.\r\n"
        "Le mappe riportano i dati delle fonti indicate, semplificati per la scuola: non sono "
        "adatte a usi diversi dallo studio.");
}

FormInfo::FormInfo(QWidget* parent) : FinestraProgramma(parent) {
    setWindowTitle(QStringLiteral("L'Orbisto di Tessivo"));
    setAccessibleName(QStringLiteral("Informazioni sul programma"));
    resize(LarghezzaProgetto, AltezzaProgetto);

    crediti_ = new QLabel(TestoCrediti(), this);
    crediti_->setObjectName(QStringLiteral("Label1"));
    crediti_->setGeometry(30, 20, 740, 360);
    crediti_->setWordWrap(true);
    crediti_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    crediti_->setAccessibleName(QStringLiteral("Crediti"));
    crediti_->setAccessibleDescription(crediti_->text());

    condizioni_ = new QLabel(TestoCondizioni(), this);
    condizioni_->setObjectName(QStringLiteral("Label2"));
    condizioni_->setGeometry(30, 390, 740, 110);
    condizioni_->setWordWrap(true);
    condizioni_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    condizioni_->setAccessibleName(QStringLiteral("Condizioni d'uso"));
    condizioni_->setAccessibleDescription(condizioni_->text());

    chiudi_ = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi_->setObjectName(QStringLiteral("Command1"));
    chiudi_->setAccessibleName(QStringLiteral("Chiudi"));
    chiudi_->setAccessibleDescription(QStringLiteral("Torna al menu delle aree"));
    chiudi_->setGeometry(300, 515, 200, 70);
    chiudi_->setDefault(true);
    connect(chiudi_, &QPushButton::clicked, this, &FormInfo::Chiudi);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &FormInfo::Chiudi);

    ridimensionatore_ = new clsResize(this);
    ridimensionatore_->setSourceForm(this);
    ridimensionatore_->ReInitialise();
    ridimensionatore_->setAutomatico(true);
}

void FormInfo::Attivazione() {
    premuto_ = 0;
    const Contrasto::Coppia c = AspettoProfilo::Colori();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(c.sfondo));
    pal.setColor(QPalette::WindowText, QColor::fromRgb(c.testo));
    setPalette(pal);
    setAutoFillBackground(true);
    adattaCaratteri();
    chiudi_->setFocus();
}

void FormInfo::resizeEvent(QResizeEvent* e) {
    FinestraProgramma::resizeEvent(e);
    adattaCaratteri();
}

void FormInfo::adattaCaratteri() {
    const ProfiloUtente& p = Stato().Profilo;
    QFont f(p.NomeFont.isEmpty() ? QStringLiteral("Verdana") : p.NomeFont);
    f.setPointSize(std::clamp<int>(p.DimensioneFont, 8, 96));
    crediti_->setFont(DisegniMenu::CarattereAdattato(f, crediti_->text(), crediti_->size()));
    condizioni_->setFont(
        DisegniMenu::CarattereAdattato(f, condizioni_->text(), condizioni_->size()));
    QFont fb = f;
    fb.setBold(true);
    chiudi_->setFont(DisegniMenu::CarattereAdattato(fb, chiudi_->text(),
                                                    chiudi_->size() - QSize(16, 16), false));
}

void FormInfo::keyPressEvent(QKeyEvent* e) {
    const int k = e->key();
    if (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter) {
        if (!e->isAutoRepeat())
            premuto_ = k;
        e->accept();
        return;
    }
    FinestraProgramma::keyPressEvent(e);
}

void FormInfo::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat() && e->key() != 0 && e->key() == premuto_) {
        premuto_ = 0;
        e->accept();
        Chiudi();
        return;
    }
    FinestraProgramma::keyReleaseEvent(e);
}

void FormInfo::Chiudi() {
    if (Navigazione::Mostra(Navigazione::MenuAree))
        close();
}

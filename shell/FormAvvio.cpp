#include "shell/FormAvvio.h"

#include "shell/AspettoProfilo.h"
#include "shell/ImmagineAvvio.h"
#include "shell/Navigazione.h"
#include "shell/StatoProgramma.h"
#include "shell/clsResize.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// The window as designed, in pixels; the layout scales it to the screen.
constexpr int LarghezzaProgetto = 800;
constexpr int AltezzaProgetto = 600;

QLabel* etichetta(QWidget* genitore, const QString& testo, const QRect& geometria,
                  Qt::Alignment allineamento) {
    auto* l = new QLabel(testo, genitore);
    l->setGeometry(geometria);
    l->setAlignment(allineamento);
    l->setWordWrap(true);
    l->setAccessibleName(testo);
    return l;
}

} // namespace

FormAvvio::FormAvvio(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FormAvvio"));
    setWindowTitle(QStringLiteral("L'Orbisto di Tessivo"));
    setAccessibleName(QStringLiteral("Schermata iniziale dell'Orbisto di Tessivo"));
    resize(LarghezzaProgetto, AltezzaProgetto);

    titolo = etichetta(this, QStringLiteral("L'Orbisto di Tessivo"), QRect(20, 20, 760, 90),
                       Qt::AlignCenter);
    titolo->setObjectName(QStringLiteral("LabelTitolo"));

    auto* img = new ImmagineAvvio(this);
    img->setObjectName(QStringLiteral("Image1"));
    img->setGeometry(50, 130, 330, 330);
    connect(img, &ImmagineAvvio::cliccata, this, &FormAvvio::Avvia);
    immagine = img;

    versione =
        etichetta(this, QStringLiteral("versione 2.0"), QRect(420, 140, 340, 45), Qt::AlignCenter);
    data = etichetta(this, QStringLiteral("28 ottobre 2005"), QRect(420, 190, 340, 45),
                     Qt::AlignCenter);
    crediti1 = etichetta(
        this, QStringLiteral("Un atlante da esplorare, ascoltare e giocare, per tutti gli alunni"),
        QRect(420, 255, 340, 75), Qt::AlignCenter);
    crediti2 =
        etichetta(this, QStringLiteral("Mappe: Natural Earth; ISTAT, elaborazione openpolis"),
                  QRect(420, 335, 340, 75), Qt::AlignCenter);

    bottone = new QPushButton(QStringLiteral("Clicca qui o premi Invio"), this);
    bottone->setObjectName(QStringLiteral("BottoneAvvio"));
    bottone->setAccessibleName(QStringLiteral("Clicca qui o premi Invio"));
    bottone->setAccessibleDescription(QStringLiteral("Entra nel menu delle aree dell'atlante"));
    bottone->setGeometry(420, 440, 340, 90);
    bottone->setDefault(true);
    bottone->setFocus();
    connect(bottone, &QPushButton::clicked, this, &FormAvvio::Avvia);

    ridimensionatore = new clsResize(this);
    ridimensionatore->setSourceForm(this);
    ridimensionatore->ReInitialise();
    ridimensionatore->setAutomatico(true);
    applicaColoriEFont();
}

void FormAvvio::applicaColoriEFont() {
    const Contrasto::Coppia c = AspettoProfilo::Colori();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(c.sfondo));
    pal.setColor(QPalette::WindowText, QColor::fromRgb(c.testo));
    setPalette(pal);
    setAutoFillBackground(true);
}

void FormAvvio::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    // Text grows with the window, so that it stays readable and never clips.
    const double scala =
        std::min(width() / double(LarghezzaProgetto), height() / double(AltezzaProgetto));
    const QString famiglia = Stato().Profilo.NomeFont;
    auto imposta = [&](QWidget* w, double pixel, bool grassetto) {
        QFont f(famiglia);
        f.setPixelSize(std::max(8, int(pixel * scala)));
        f.setBold(grassetto);
        w->setFont(f);
    };
    imposta(titolo, 46, true);
    imposta(versione, 22, false);
    imposta(data, 22, false);
    imposta(crediti1, 18, false);
    imposta(crediti2, 16, false);
    imposta(bottone, 26, true);
}

void FormAvvio::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    bottone->setFocus();
}

void FormAvvio::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        Avvia();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void FormAvvio::Avvia() {
    if (!Navigazione::Mostra(Navigazione::MenuAree))
        return;
    emit menuAperto();
    close();
}

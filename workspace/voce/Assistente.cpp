#include "workspace/voce/Assistente.h"

#include "shell/Profilo.h"
#include "workspace/voce/ServizioVoce.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int FotogrammaMs = 40;      // 25 frames a second
constexpr int DurataBattitoMs = 160;  // eyes closed this long
constexpr double LarghezzaBase = 140; // the figure is drawn on a 140 x 180 grid
constexpr double AltezzaBase = 180;

void Stella(QPainter& p, QPointF c, double r) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 == 0 ? r : r * 0.45;
        const QPointF q(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        i == 0 ? path.moveTo(q) : path.lineTo(q);
    }
    path.closeSubpath();
    p.drawPath(path);
}

} // namespace

Assistente::Assistente(const AspettoPersonaggio& aspetto, MotoreVoce* voce, QWidget* finestra)
    : QWidget(finestra, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                            Qt::WindowDoesNotAcceptFocus),
      aspetto_(aspetto), voce_(voce ? voce : new VoceEspeak()) {
    voce_->setParent(this);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(aspetto_.titolo.isEmpty() ? aspetto_.nome : aspetto_.titolo);
    resize(aspetto_.larghezza, aspetto_.altezza);
    connect(voce_, &MotoreVoce::Bookmark, this, &Assistente::Bookmark);
    connect(voce_, &MotoreVoce::RequestComplete, this, &Assistente::RequestComplete);
    connect(voce_, &MotoreVoce::InVoce, this, &Assistente::CambiaVoce);
    animazione_.setInterval(FotogrammaMs);
    connect(&animazione_, &QTimer::timeout, this, &Assistente::Anima);
    tempo_.start();
}

Assistente::~Assistente() {
    // Stop speaking before the speaker goes, without events reaching a half-destroyed window.
    disconnect(voce_, nullptr, this, nullptr);
    voce_->StopAll();
}

void Assistente::Show() {
    show();
}

void Assistente::Hide() {
    hide();
}

void Assistente::MoveTo(int x, int y) {
    move(x, y);
}

void Assistente::Speak(const QString& testo) {
    voce_->Speak(testo);
}

void Assistente::StopAll() {
    voce_->StopAll();
}

void Assistente::ImpostaModoVoce(const QString& modoVoce) {
    voce_->ImpostaModoVoce(modoVoce);
}

void Assistente::showEvent(QShowEvent* e) {
    animazione_.start();
    QWidget::showEvent(e);
}

void Assistente::hideEvent(QHideEvent* e) {
    animazione_.stop();
    QWidget::hideEvent(e);
}

void Assistente::CambiaVoce(bool parla) {
    parla_ = parla;
    if (!parla)
        bocca_ = 0;
    Anima();
}

void Assistente::Anima() {
    const double t = tempo_.elapsed() / 1000.0;
    ondeggio_ = std::sin(t * 2 * M_PI / 2.5); // a slow breath
    if (parla_) {
        // Syllable-like opening and closing, a little irregular so it looks alive.
        const double s = std::abs(std::sin(t * 2 * M_PI * 4.2)) * 0.7 +
                         std::abs(std::sin(t * 2 * M_PI * 1.3)) * 0.3;
        bocca_ = 0.15 + 0.85 * s;
    } else {
        bocca_ = 0;
    }
    const qint64 ms = tempo_.elapsed() % std::max(aspetto_.battitoCigliaMs, 500);
    occhiChiusi_ = ms >= std::max(aspetto_.battitoCigliaMs, 500) - DurataBattitoMs;
    update();
}

void Assistente::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Disegna(p, size(), ondeggio_, bocca_, occhiChiusi_);
}

void Assistente::resizeEvent(QResizeEvent* e) {
    // Without a compositing window manager a translucent window shows black around the figure:
    // clip the window to the figure's outline, in both extremes of its breathing.
    QImage sagoma(size(), QImage::Format_ARGB32_Premultiplied);
    sagoma.fill(Qt::transparent);
    {
        QPainter p(&sagoma);
        Disegna(p, size(), -1, 1, false);
        Disegna(p, size(), 1, 1, false);
    }
    setMask(QRegion(QBitmap::fromImage(sagoma.createAlphaMask())));
    QWidget::resizeEvent(e);
}

void Assistente::Disegna(QPainter& p, QSize dimensione, double ondeggio, double bocca,
                         bool occhiChiusi) const {
    p.setRenderHint(QPainter::Antialiasing);
    const double scala =
        std::min(dimensione.width() / LarghezzaBase, dimensione.height() / AltezzaBase);
    p.translate((dimensione.width() - LarghezzaBase * scala) / 2,
                (dimensione.height() - AltezzaBase * scala) / 2);
    p.scale(scala, scala);

    const AspettoPersonaggio& a = aspetto_;
    const QPen bordo(a.contorno, 2.0);
    const double dy = ondeggio * 1.5; // the upper body rises and falls

    // Shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(QRectF(28, 168, 84, 10));

    // Robe or jacket.
    p.setPen(bordo);
    p.setBrush(a.veste);
    QPainterPath veste;
    veste.moveTo(52, 92 + dy);
    veste.lineTo(88, 92 + dy);
    veste.lineTo(116, 172);
    veste.quadTo(70, 178, 24, 172);
    veste.closeSubpath();
    p.drawPath(veste);
    // Arms.
    p.drawEllipse(QRectF(30, 104 + dy, 22, 40));
    p.drawEllipse(QRectF(88, 104 + dy, 22, 40));
    p.setBrush(a.pelle);
    p.drawEllipse(QRectF(33, 138 + dy, 14, 12));
    p.drawEllipse(QRectF(93, 138 + dy, 14, 12));
    // Decorations on the robe.
    p.setPen(Qt::NoPen);
    p.setBrush(a.decorazioni);
    if (a.barba) {
        Stella(p, QPointF(60, 150), 6);
        Stella(p, QPointF(86, 135), 5);
    } else {
        p.drawEllipse(QRectF(66, 118 + dy, 8, 8));
        p.drawEllipse(QRectF(66, 136 + dy, 8, 8));
    }

    // Hair behind the head.
    p.setPen(bordo);
    if (a.capelli == u"coda") {
        p.setBrush(a.coloreCapelli);
        p.drawEllipse(QRectF(92, 58 + dy, 22, 36));
    }

    // Head.
    p.setBrush(a.pelle);
    p.drawEllipse(QRectF(42, 40 + dy, 56, 58));
    if (a.capelli == u"corti" || a.capelli == u"coda") {
        p.setBrush(a.coloreCapelli);
        p.drawChord(QRectF(42, 38 + dy, 56, 40), 0, 180 * 16);
    }

    // Cheeks.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 120, 90));
    p.drawEllipse(QRectF(48, 72 + dy, 10, 7));
    p.drawEllipse(QRectF(82, 72 + dy, 10, 7));

    // Eyes.
    p.setBrush(a.occhi);
    if (occhiChiusi) {
        p.setPen(QPen(a.occhi, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(56, 66 + dy), QPointF(64, 66 + dy));
        p.drawLine(QPointF(76, 66 + dy), QPointF(84, 66 + dy));
    } else {
        p.drawEllipse(QRectF(56, 61 + dy, 8, 10));
        p.drawEllipse(QRectF(76, 61 + dy, 8, 10));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(59, 63 + dy, 3, 3));
        p.drawEllipse(QRectF(79, 63 + dy, 3, 3));
    }

    // Beard.
    p.setPen(bordo);
    if (a.barba) {
        p.setBrush(a.coloreCapelli);
        QPainterPath barba;
        barba.moveTo(46, 76 + dy);
        barba.quadTo(70, 92 + dy, 94, 76 + dy);
        barba.quadTo(92, 112 + dy, 70, 126 + dy);
        barba.quadTo(48, 112 + dy, 46, 76 + dy);
        p.drawPath(barba);
    }

    // Mouth: a smile when still, an opening oval while speaking.
    p.setBrush(a.bocca);
    if (bocca > 0.01) {
        const double h = 2 + 9 * bocca;
        p.drawEllipse(QRectF(63, 82 + dy - h / 2 + 2, 14, h));
    } else {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(a.bocca, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(62, 76 + dy, 16, 10), 200 * 16, 140 * 16);
    }

    // Hat.
    p.setPen(bordo);
    p.setBrush(a.coloreCappello);
    if (a.cappello == u"punta") {
        QPainterPath c;
        c.moveTo(38, 50 + dy);
        c.quadTo(62, 20 + dy, 82, 2 + dy);
        c.quadTo(88, 26 + dy, 102, 50 + dy);
        c.closeSubpath();
        p.drawPath(c);
        p.drawEllipse(QRectF(30, 44 + dy, 80, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(a.decorazioni);
        Stella(p, QPointF(68, 32 + dy), 6);
        Stella(p, QPointF(82, 16 + dy), 4);
    } else if (a.cappello == u"tesa") {
        p.drawEllipse(QRectF(26, 42 + dy, 88, 14));
        p.drawChord(QRectF(44, 18 + dy, 52, 50), 0, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(a.decorazioni);
        p.drawRect(QRectF(45, 38 + dy, 50, 5));
    }
}

Assistente* CaricaAssistente(QWidget* finestra, const ProfiloUtente& profilo, MotoreVoce* voce) {
    auto* a = new Assistente(CaricaPersonaggio(profilo.Personaggio), voce, finestra);
    a->LanguageID = 1040; // Italian
    return a;
}

void ImpostaMerlino(Assistente* assistente, const ProfiloUtente& profilo, const QRect& finestra) {
    if (!assistente || !profilo.ParlatoAttivo)
        return;
    assistente->SoundEffectsOn = false;
    assistente->ImpostaModoVoce(profilo.ModoVoce);
    assistente->StileFumetto &= ~1;
    assistente->MoveTo(finestra.left() - 200, -finestra.top() - 200);
    assistente->Show();
}

void Leggi(Assistente* assistente, const ProfiloUtente& profilo, const QString& testo,
           bool fermaPrima) {
    if (!assistente || !profilo.ParlatoAttivo)
        return;
    if (fermaPrima)
        assistente->StopAll();
    assistente->Speak(PrefissoVoce(profilo) + testo);
}

#include "activities/quizzes/BarraRisposte.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

BarraRisposte::BarraRisposte(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setAccessibleName(QStringLiteral("Risposte esatte ed errate"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(6, 2, 6, 2);
    auto pannello = [this, l](const QString& nome, const QString& testo) {
        auto* p = new QLabel(testo, this);
        p->setObjectName(nome);
        p->setAccessibleName(testo);
        p->setFrameShape(QFrame::StyledPanel);
        p->setFrameShadow(QFrame::Sunken);
        p->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        l->addWidget(p, 1);
        return p;
    };
    esatti_ = pannello(QStringLiteral("PannelloEsatti"), QStringLiteral("Esatti"));
    errati_ = pannello(QStringLiteral("PannelloErrati"), QStringLiteral("Errati"));
    avanti_ = pannello(QStringLiteral("PannelloAvanti"), QStringLiteral("Avanti"));
    setAutoFillBackground(true);
}

void BarraRisposte::Imposta(int esatte, int errate) {
    if (esatte != esatte_) {
        esatte_ = esatte;
        esatti_->setText(QStringLiteral("Esatti ") + QString::number(esatte));
        esatti_->setAccessibleName(esatti_->text());
    }
    if (errate != errate_) {
        errate_ = errate;
        errati_->setText(QStringLiteral("Errati ") + QString::number(errate));
        errati_->setAccessibleName(errati_->text());
    }
}

QString BarraRisposte::Esatti() const {
    return esatti_->text();
}

QString BarraRisposte::Errati() const {
    return errati_->text();
}

void BarraRisposte::ImpostaCarattere(const QFont& font) {
    QFont f = font;
    f.setPointSize(std::clamp(f.pointSize(), 10, 24));
    for (QLabel* p : {esatti_, errati_, avanti_})
        p->setFont(f);
    updateGeometry();
}

QSize BarraRisposte::sizeHint() const {
    // 450 twips (30 pixels at 96 dpi), taller when the font needs it.
    const int riga = esatti_->sizeHint().height() + 4;
    return {QWidget::sizeHint().width(), std::max(30, riga)};
}

#include "installer/FinestraSetup.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FinestraSetup::FinestraSetup(const PassoSetup& passo, QWidget* parent) : QWidget(parent) {
    setObjectName(passo.nomeFinestra);
    setWindowTitle(Setup::TitoloFinestre);
    setAttribute(Qt::WA_DeleteOnClose);

    QFont grande = font();
    grande.setPointSizeF(grande.pointSizeF() * 1.5);
    grande.setBold(true);

    label1_ = new QLabel(passo.titolo, this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setFont(grande);
    label1_->setWordWrap(true);
    label2_ = new QLabel(passo.numeroPasso, this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setFont(grande);
    label2_->setVisible(!passo.numeroPasso.isEmpty());
    label2_->setAccessibleName(QStringLiteral("Passo %1").arg(passo.numeroPasso));
    label3_ = new QLabel(passo.nota, this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setWordWrap(true);
    label3_->setVisible(!passo.nota.isEmpty());

    command1_ = new QPushButton(passo.pulsante, this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAccessibleName(passo.pulsante);
    command1_->setDefault(true);
    command1_->setAutoDefault(true);
    command2_ = new QPushButton(QStringLiteral("&") + Setup::TestoIgnora, this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setAccessibleName(Setup::TestoIgnora);
    command2_->setAutoDefault(true);
    command2_->setVisible(passo.HaIgnora());

    auto* testa = new QHBoxLayout;
    testa->addWidget(label1_, 1);
    testa->addWidget(label2_, 0, Qt::AlignTop);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(command1_);
    pulsanti->addWidget(command2_);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(testa);
    tutto->addWidget(label3_);
    tutto->addStretch(1);
    tutto->addLayout(pulsanti);
    setMinimumSize(520, 260);
    command1_->setFocus();
}

void FinestraSetup::ImpostaOccupata(bool occupata) {
    command1_->setEnabled(!occupata);
    command2_->setEnabled(!occupata);
}

void FinestraSetup::ChiudiPerPassaggio() {
    passaggio_ = true;
    close();
}

void FinestraSetup::closeEvent(QCloseEvent* e) {
    if (!passaggio_)
        emit ChiusaDallUtente(this);
    e->accept();
}

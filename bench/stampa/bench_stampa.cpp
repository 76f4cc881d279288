#include "printing/ContornoMappa.h"
#include "printing/FormMappaBiancoNero.h"
#include "printing/FrmStampa.h"
#include "printing/MotoreStampa.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/DialogoFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

// Printing costs: opening the preview with the Europe sheet (budget 300 ms), a preview refresh
// after a size change (20 ms), an A4 page of the outline map written at 600 dpi to PDF (1 s).
// Run offscreen: QT_QPA_PLATFORM=offscreen build-release/bench/stampa/bench_stampa

namespace {

class SenzaMessaggi : public Messaggi {
public:
    bool Domanda(QWidget*, const QString&, const QString&) override { return true; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString& t, const QString&) override { qWarning() << t; }
};

class DialogoFisso : public DialogoFile {
public:
    QString file;
    QString Scegli(QWidget*, int, const QString&, const QString&, const QString&, const QString&,
                   const QString&) override {
        return file;
    }
};

// No printer installed: the preview offers "Salva come PDF…".
class NessunaStampante : public SistemaStampa {
public:
    QStringList Stampanti() const override { return {}; }
    QString Predefinita() const override { return {}; }
    std::unique_ptr<QPrinter> Crea(const QString&) override { return nullptr; }
    bool Dialogo(QPrinter&, QWidget*) override { return false; }
};

DisegnoStampa Foglio(const ContornoMappa& c) {
    return DisegnoStampa(c.Dimensione(),
                         [c](QPainter& p, const QRectF& dove) { c.Disegna(p, dove); });
}

} // namespace

class BenchStampa : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void apriAnteprimaEuropa();
    void aggiornaDopoLarghezza();
    void paginaA4Pdf600();

private:
    QTemporaryDir cartella;
    QTemporaryDir impostazioni;
    SenzaMessaggi messaggiMuti;
    DialogoFisso dialogo;
    NessunaStampante nessuna;
};

void BenchStampa::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().AreaScelta = QStringLiteral("Europa");
    ImpostaMessaggi(&messaggiMuti);
    ImpostaDialogoFile(&dialogo);
    ImpostaSistemaStampa(&nessuna);
    // The map file is read once per run (the cache keeps it); its first reading is reported
    // here and left out of the measures below.
    QElapsedTimer t;
    t.start();
    QVERIFY(ContornoMappa::DellArea(QStringLiteral("Europa")).Valido());
    qInfo("first reading of the Europe map file and its outline: %lld ms", qlonglong(t.elapsed()));
}

void BenchStampa::apriAnteprimaEuropa() {
    // The sheet window's activation (outline built from the map), "Conferma Stampa" up to the
    // preview shown and painted.
    QBENCHMARK {
        FormMappaBiancoNero foglio;
        foglio.Attivazione();
        const ContornoMappa c = foglio.Picture1()->Contorno();
        FrmStampa f(&foglio);
        f.Prepara(Foglio(c), 10, 10, 100, 77, 2, QStringLiteral("Stampa"));
        f.show();
        QCoreApplication::processEvents();
        f.Anteprima()->repaint();
    }
}

void BenchStampa::aggiornaDopoLarghezza() {
    FrmStampa f;
    f.Prepara(Foglio(ContornoMappa::DellArea(QStringLiteral("Europa"))), 10, 10, 100, 77, 2,
              QStringLiteral("Stampa"));
    f.show();
    QCoreApplication::processEvents();
    auto* w = f.findChild<QLineEdit*>(QStringLiteral("txtPrW"));
    QVERIFY(w);
    int i = 0;
    QBENCHMARK {
        w->setText(QString::number(100 + (++i % 50)));
        emit w->textEdited(w->text());
        f.Anteprima()->repaint();
    }
}

void BenchStampa::paginaA4Pdf600() {
    MotoreStampa& m = MotoreStampa::Istanza();
    QString nome = SalvaComePdf;
    m.ImpostaOrientamento(2);
    QVERIFY(m.ApriStampante(nome, nullptr));
    const QSizeF foglio = *m.DimensioniFoglio();
    const ContornoMappa c = ContornoMappa::DellArea(QStringLiteral("Europa"));
    GeometriaStampa g;
    g.ImpostaFoglio(qRound(foglio.width()), qRound(foglio.height()));
    const QSize area = GeometriaStampa::AdattaNelQuadrato(c.Proporzione(), 100);
    g.Inizia(0, 0, area.width(), area.height());
    g.Massima();
    dialogo.file = cartella.filePath(QStringLiteral("europa.pdf"));
    QBENCHMARK {
        QCOMPARE(m.StampaImmagine(Foglio(c), g.Area(), QStringLiteral("Stampa"), 1, nullptr),
                 MotoreStampa::Esito::Stampato);
    }
    qInfo("PDF: %lld bytes, print area %d x %d mm", qlonglong(QFile(dialogo.file).size()),
          g.LarghezzaStampa(), g.AltezzaStampa());
}

QTEST_MAIN(BenchStampa)
#include "bench_stampa.moc"

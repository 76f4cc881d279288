#include "activities/exploration/FormSchede.h"
#include "configuration/FormConfigura.h"
#include "configuration/GrigliaTavolozza.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/voce/Assistente.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

// The configuration window and the reading window. Budgets: opening the configuration window
// (built, activated and painted) under 150 ms; a palette click repainting its samples under
// 10 ms; "Aumenta" on a five-page text under 100 ms (measured together with "Riduci", which
// puts the text back, and the relayout); the first word of "Leggi" heard (its bookmark, on the
// audio clock) within 150 ms.
//
//   QT_QPA_PLATFORM=offscreen build-release/bench/configurazione/bench_configura
class BenchConfigura : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aperturaConfigurazione();
    void clicTavolozza();
    void aumentaCinquePagine();
    void primaParolaLetta();

private:
    FormSchede* scheda(const QByteArray& rtf);
    QTemporaryDir dir;
};

void BenchConfigura::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    InizializzaStato(Stato(), dir.path() + u'/');
    Stato().Profilo.ParlatoAttivo = true;
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraProgramma; });
}

void BenchConfigura::aperturaConfigurazione() {
    // The voice list is read once per run (the engine's start-up): read it before.
    delete new FormConfigura;
    QBENCHMARK {
        auto* f = new FormConfigura;
        Navigazione::MostraATuttoSchermo(f);
        f->Attivazione();
        f->grab();
        delete f;
    }
}

void BenchConfigura::clicTavolozza() {
    auto* f = new FormConfigura;
    Navigazione::MostraATuttoSchermo(f);
    f->Attivazione();
    f->TabStrip1()->setCurrentIndex(FormConfigura::Politiche);
    f->Option3(4)->click();
    f->Option2(6)->click(); // "Testi": every role option repainted
    f->grab();
    int cella = 0;
    QBENCHMARK {
        f->Griglia()->Premi(cella);
        cella = (cella + 37) % 216;
        f->FramePol()->repaint();
    }
    delete f;
}

FormSchede* BenchConfigura::scheda(const QByteArray& rtf) {
    const QString percorso = dir.filePath(QStringLiteral("scheda.rtf"));
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return nullptr;
    file.write(rtf);
    file.close();
    Stato().FileTesto = percorso;
    auto* f = new FormSchede;
    Navigazione::MostraATuttoSchermo(f);
    f->Attivazione();
    return f;
}

static QByteArray CinquePagine() {
    // About 2,000 words in 100 paragraphs, with bold and italic runs: five printed pages.
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
    for (int p = 0; p < 100; ++p) {
        rtf += "Il fiume {\\b Po} nasce dal Monviso e attraversa la {\\i pianura padana} da ovest "
               "a est, raccoglie le acque di molti affluenti alpini e appenninici e sfocia nel "
               "mare Adriatico con un ampio delta.\\par ";
    }
    rtf += "}";
    return rtf;
}

void BenchConfigura::aumentaCinquePagine() {
    FormSchede* f = scheda(CinquePagine());
    QVERIFY(f);
    f->RichTextBox1()->viewport()->repaint();
    QBENCHMARK {
        f->Aumenta();
        f->RichTextBox1()->viewport()->repaint();
        f->Riduci();
        f->RichTextBox1()->viewport()->repaint();
    }
    delete f;
}

void BenchConfigura::primaParolaLetta() {
    // The real speech service (without an audio device the audio clock is the wall clock).
    FormSchede* f = scheda(CinquePagine());
    QVERIFY(f);
    {
        // Warm-up: the engine's start.
        QEventLoop prima;
        connect(f->assistente(), &Assistente::Bookmark, &prima, &QEventLoop::quit);
        QTimer::singleShot(5000, &prima, &QEventLoop::quit);
        f->Leggi();
        prima.exec();
        f->Interrompi();
    }
    QEventLoop attesa;
    connect(f->assistente(), &Assistente::Bookmark, &attesa, &QEventLoop::quit);
    QBENCHMARK {
        f->Leggi();
        attesa.exec();
        f->Interrompi();
    }
    delete f;
}

QTEST_MAIN(BenchConfigura)
#include "bench_configura.moc"

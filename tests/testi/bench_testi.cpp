#include "workspace/testi/DocumentoTesto.h"
#include "workspace/testi/LetturaTesto.h"

#include <QFile>
#include <QTest>
#include <QTextDocument>

// Opening a text ("apri", "Altra scheda") and preparing each sentence to speak.
class BenchTesti : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void leggiRtf();
    void riempiDocumento();
    void frasi();

private:
    QByteArray dati_;
};

void BenchTesti::initTestCase() {
    QFile f(ORBISTO_SOURCE_DATA_DIR "/testipredefiniti/Americacs/Americacs.rtf");
    QVERIFY(f.open(QIODevice::ReadOnly));
    dati_ = f.readAll();
}

void BenchTesti::leggiRtf() {
    qsizetype n = 0;
    QBENCHMARK {
        n += LettoreRtf::Leggi(dati_).paragrafi.size();
    }
    QVERIFY(n > 0);
}

void BenchTesti::riempiDocumento() {
    const DocumentoRtf rtf = LettoreRtf::Leggi(dati_);
    QTextDocument d;
    QBENCHMARK {
        DocumentoTesto::Riempi(d, rtf);
    }
    QVERIFY(!d.isEmpty());
}

// Every sentence of the text, as continuous reading asks for them.
void BenchTesti::frasi() {
    LetturaTesto l;
    l.ImpostaTesto(LettoreRtf::Leggi(dati_).TestoSemplice());
    QBENCHMARK {
        auto f = l.Leggi();
        while (f)
            f = l.RichiestaCompletata().prossima;
    }
}

QTEST_MAIN(BenchTesti)
#include "bench_testi.moc"

#include "results/FileRisultati.h"
#include "results/RegistroEsercizi.h"

#include <QTest>

// The exercise log and the ".rpt" format without windows.

class TestRegistro : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { EsercizioInCorso::ImpostaOrologio({}); }

    void rigaSenzaEsci();
    void centounesimoEsercizio();
    void tempoECifre();
    void percentuale_data();
    void percentuale();
    void salvaERileggi();
    void fileWindows();
    void fileMalformati_data();
    void fileMalformati();
};

void TestRegistro::rigaSenzaEsci() {
    RegistroEsercizi r;
    qint64 adesso = 0;
    EsercizioInCorso::ImpostaOrologio([&adesso] { return adesso; });
    EsercizioInCorso e;
    e.Inizia(r, AttivitaDovePolitica, QStringLiteral("Europa"));
    e.Chiudi(r, 1, 0);
    // The second is left without "&Esci": the window is activated again.
    EsercizioInCorso e2;
    e2.Inizia(r, AttivitaDoveFisica, QStringLiteral("Asia"));
    EsercizioInCorso e3;
    e3.Inizia(r, AttivitaTest, QStringLiteral("Italia"));
    e3.Chiudi(r, 0, 1);
    QCOMPARE(r.NumeroEsercizi(), 3);
    QCOMPARE(r.Riga(1), (RigaEsercizio{AttivitaDovePolitica, "Europa", " 1", " 0", " 0"}));
    QCOMPARE(r.Riga(2), (RigaEsercizio{AttivitaDoveFisica, "Asia", "", "", ""}));
    QCOMPARE(r.Riga(3), (RigaEsercizio{AttivitaTest, "Italia", " 0", " 1", " 0"}));
    QCOMPARE(Percentuale(r.Riga(2).esatte, r.Riga(2).errate), PercentualeAssente);
}

void TestRegistro::centounesimoEsercizio() {
    RegistroEsercizi r;
    for (int i = 1; i <= 105; ++i)
        QCOMPARE(r.Apri(AttivitaTest, QString::number(i)), i);
    r.Completa(101, 2, 1, 7);
    QCOMPARE(r.NumeroEsercizi(), 105);
    QCOMPARE(r.Riga(101), (RigaEsercizio{AttivitaTest, "101", " 2", " 1", " 7"}));
    QCOMPARE(r.Riga(105).area, QStringLiteral("105"));
    // Numbers outside the log change nothing and read as empty rows.
    r.Completa(0, 1, 1, 1);
    r.Completa(106, 1, 1, 1);
    QCOMPARE(r.Riga(106), RigaEsercizio{});
}

void TestRegistro::tempoECifre() {
    RegistroEsercizi r;
    qint64 adesso = 86'399'000; // one second before midnight: the clock is monotonic
    EsercizioInCorso::ImpostaOrologio([&adesso] { return adesso; });
    EsercizioInCorso e;
    e.Inizia(r, AttivitaDovePolitica, QStringLiteral("Italia"));
    adesso += 95'700;
    e.Chiudi(r, 3, 2);
    QCOMPARE(r.Riga(1), (RigaEsercizio{AttivitaDovePolitica, "Italia", " 3", " 2", " 95"}));
    // Only once: a second "&Esci" leaves the row as it is.
    adesso += 10'000;
    e.Chiudi(r, 4, 4);
    QCOMPARE(r.Riga(1).tempo, QStringLiteral(" 95"));
    QCOMPARE(TestoNumero(-3), QStringLiteral("-3"));
    QCOMPARE(TestoNumero(0), QStringLiteral(" 0"));
}

void TestRegistro::percentuale_data() {
    QTest::addColumn<QString>("esatte");
    QTest::addColumn<QString>("errate");
    QTest::addColumn<QString>("attesa");
    QTest::newRow("57/43") << " 57"
                           << " 43"
                           << "57%";
    QTest::newRow("2/1") << " 2"
                         << " 1"
                         << "66%";
    QTest::newRow("3/0") << " 3"
                         << " 0"
                         << "100%";
    QTest::newRow("0/4") << " 0"
                         << " 4"
                         << "0%";
    QTest::newRow("1/2") << " 1"
                         << " 2"
                         << "33%";
    QTest::newRow("29/71") << " 29"
                           << " 71"
                           << "29%";
    QTest::newRow("nessuna risposta") << " 0"
                                      << " 0"
                                      << "–";
    QTest::newRow("celle vuote") << ""
                                 << ""
                                 << "–";
    QTest::newRow("testo") << "abc"
                           << " 1"
                           << "–";
}

void TestRegistro::percentuale() {
    QFETCH(QString, esatte);
    QFETCH(QString, errate);
    QFETCH(QString, attesa);
    QCOMPARE(Percentuale(esatte, errate), attesa);
}

void TestRegistro::salvaERileggi() {
    TabellaRisultati t;
    t.righe.append({AttivitaDovePolitica, "Europa", " 12", " 3", " 140"});
    t.righe.append({AttivitaTest, "Reggio, Calabria € “x”", "", "", ""});
    t.nota = QStringLiteral("Classe 3ª, già fatto");
    const QByteArray dati = FileRisultati::Scrivi(t, "Orbisto", "Marco");
    // Windows-1252, CR LF on every line, the count as " 3 ".
    QVERIFY(dati.startsWith("Orbisto\r\nMarco\r\n 3 \r\nDov\x27\xe8 ... mappa politica\r\n"));
    QVERIFY(dati.endsWith("Classe 3\xaa, gi\xe0 fatto\r\n"));
    QVERIFY(dati.contains("Reggio, Calabria \x80 \x93x\x94\r\n"));
    QCOMPARE(dati.count('\n'), dati.count("\r\n"));
    const auto letta = FileRisultati::Leggi(dati);
    QVERIFY(letta);
    QCOMPARE(*letta, t);
    // An empty table.
    const auto vuota = FileRisultati::Leggi(FileRisultati::Scrivi({}, "a", "b"));
    QVERIFY(vuota);
    QVERIFY(vuota->righe.isEmpty());
}

void TestRegistro::fileWindows() {
    // As the old program wrote them: header lines, " 2 ", one row, a note; the last line
    // without its line end is still read.
    const QByteArray dati("Risultati\r\nutente\r\n 2 \r\nDov'\xe8 ... mappa fisica\r\nEuropa\r\n"
                          " 5\r\n 0\r\n 61\r\nnota finale");
    const auto t = FileRisultati::Leggi(dati);
    QVERIFY(t);
    QCOMPARE(t->righe.size(), 1);
    QCOMPARE(t->righe[0][0], AttivitaDoveFisica);
    QCOMPARE(t->righe[0][4], QStringLiteral(" 61"));
    QCOMPARE(t->nota, QStringLiteral("nota finale"));
    // LF only is accepted too.
    QByteArray lf = dati;
    lf.replace("\r\n", "\n");
    QCOMPARE(FileRisultati::Leggi(lf), t);
}

void TestRegistro::fileMalformati_data() {
    QTest::addColumn<QByteArray>("dati");
    QTest::newRow("vuoto") << QByteArray();
    QTest::newRow("conteggio negativo") << QByteArray("a\r\nb\r\n-3 \r\nnota\r\n");
    QTest::newRow("conteggio zero") << QByteArray("a\r\nb\r\n 0 \r\nnota\r\n");
    QTest::newRow("conteggio enorme") << QByteArray("a\r\nb\r\n 2000000000 \r\nx\r\n");
    QTest::newRow("conteggio oltre 64 bit")
        << QByteArray("a\r\nb\r\n 99999999999999999999999 \r\nx\r\n");
    QTest::newRow("conteggio non numero") << QByteArray("a\r\nb\r\nquattro\r\nnota\r\n");
    QTest::newRow("più corto del conteggio")
        << QByteArray("a\r\nb\r\n 3 \r\nTest\r\nItalia\r\n 1\r\n 2\r\n 3\r\nnota\r\n");
    QTest::newRow("senza nota") << QByteArray(
        "a\r\nb\r\n 2 \r\nTest\r\nItalia\r\n 1\r\n 2\r\n 3\r\n");
    QTest::newRow("binario") << QByteArray("a\r\nb\r\n 1 \r\n\x00\x01\x02\xff", 14);
    QTest::newRow("troppo grande") << QByteArray(FileRisultati::MassimaDimensione + 1, 'x');
}

void TestRegistro::fileMalformati() {
    QFETCH(QByteArray, dati);
    QVERIFY(!FileRisultati::Leggi(dati));
}

QTEST_GUILESS_MAIN(TestRegistro)
#include "test_registro.moc"

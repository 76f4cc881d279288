#include "workspace/testi/Leggo.h"
#include "workspace/testi/LetturaTesto.h"

#include <QTest>

using Segnalibri = QList<SegnalibroFrase>;
Q_DECLARE_METATYPE(Leggo::Separatori)

static SegnalibroFrase S(int n, int inizio, int fine) {
    return SegnalibroFrase{n, IntervalloTesto{inizio, fine}};
}

// The words between the bookmarks of a spoken sentence, tags removed.
static QStringList Parole(const QString& frase) {
    QStringList parti = frase.split("\\Mrk=");
    parti.removeFirst(); // the prefix
    QStringList parole;
    for (const QString& p : parti)
        parole << p.mid(p.indexOf('\\') + 1);
    return parole;
}

class TestLeggo : public QObject {
    Q_OBJECT
private slots:
    void frase_data();
    void frase();
    void prefisso();
    void riprendiDopoInterrompi();
    void riprendiDopoLaParola();
    void letturaContinuaFinoAllaFine();
    void richiestaVecchiaIgnorata();
    void frasiSenzaParoleSaltate();
    void senzaSegnalibriNonRipete();
    void testoAccorciatoDuranteLaLettura();
    void testoVuoto();
    void fraseInterrotta_data();
    void fraseInterrotta();
};

void TestLeggo::frase_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("posizione");
    QTest::addColumn<Leggo::Separatori>("separatori");
    QTest::addColumn<QString>("detto");
    QTest::addColumn<int>("finale");
    QTest::addColumn<Segnalibri>("segnalibri");

    const auto mappa = Leggo::Separatori::SpazioEPunto;
    const auto scheda = Leggo::Separatori::ConACapo;

    QTest::newRow("prima frase di una parola")
        << "Roma. Parigi." << 0 << mappa << "\\Mrk=5\\Roma" << 5 << Segnalibri{S(5, 0, 5)};
    QTest::newRow("la frase dopo comincia col separatore")
        << "Roma. Parigi." << 5 << mappa << "\\Mrk=6\\\\Mrk=13\\ Parigi" << 13
        << Segnalibri{S(6, 5, 6), S(13, 6, 13)};
    QTest::newRow("tre parole") << QString("Roma è bella. Sì.") << 0 << mappa
                                << QString("\\Mrk=5\\Roma\\Mrk=7\\ è\\Mrk=13\\ bella") << 13
                                << Segnalibri{S(5, 0, 5), S(7, 5, 7), S(13, 7, 13)};
    QTest::newRow("separatori di seguito: un segnalibro")
        << QString("Roma   è.") << 0 << mappa << QString("\\Mrk=5\\Roma\\Mrk=9\\   è") << 9
        << Segnalibri{S(5, 0, 5), S(9, 5, 9)};
    QTest::newRow("testo senza punto finale")
        << "Ciao mondo" << 0 << mappa << "\\Mrk=5\\Ciao\\Mrk=10\\ mondo" << 10
        << Segnalibri{S(5, 0, 5), S(10, 5, 10)};
    QTest::newRow("senza punto, spazi in fondo")
        << "Ciao  " << 0 << mappa << "\\Mrk=5\\Ciao" << 6 << Segnalibri{S(5, 0, 5)};
    QTest::newRow("dal cursore in mezzo a una parola")
        << QString("Roma è bella.") << 2 << mappa
        << QString("\\Mrk=5\\ma\\Mrk=7\\ è\\Mrk=13\\ bella") << 13
        << Segnalibri{S(5, 2, 5), S(7, 5, 7), S(13, 7, 13)};
    QTest::newRow("a capo unisce le parole sulla mappa")
        << "Italia\nRoma." << 0 << mappa << "\\Mrk=12\\Italia\nRoma" << 12
        << Segnalibri{S(12, 0, 12)};
    QTest::newRow("a capo separa nella scheda")
        << "Italia\nRoma." << 0 << scheda << "\\Mrk=7\\Italia\\Mrk=12\\\nRoma" << 12
        << Segnalibri{S(7, 0, 7), S(12, 7, 12)};
    QTest::newRow("tabulazione e a capo di riga nella scheda")
        << QString("Capitale:\tRoma\u2028Fine.") << 0 << scheda
        << QString("\\Mrk=10\\Capitale:\\Mrk=15\\\tRoma\\Mrk=20\\\u2028Fine") << 20
        << Segnalibri{S(10, 0, 10), S(15, 10, 15), S(20, 15, 20)};
    QTest::newRow("barra rovesciata mai detta")
        << "a\\b c." << 0 << mappa << "\\Mrk=4\\a b\\Mrk=6\\ c" << 6
        << Segnalibri{S(4, 0, 4), S(6, 4, 6)};
}

void TestLeggo::frase() {
    QFETCH(QString, testo);
    QFETCH(int, posizione);
    QFETCH(Leggo::Separatori, separatori);
    QFETCH(QString, detto);
    QFETCH(int, finale);
    QFETCH(Segnalibri, segnalibri);

    const auto f = Leggo::ProssimaFrase(testo, posizione, QString(), separatori);
    QVERIFY(f);
    QCOMPARE(f->testo, detto);
    QCOMPARE(f->posizioneFinale, finale);
    QCOMPARE(f->segnalibri, segnalibri);
    QVERIFY(f->haParole);
    QVERIFY(!Leggo::ProssimaFrase(testo, int(testo.size()), QString(), separatori));
}

void TestLeggo::prefisso() {
    const auto f =
        Leggo::ProssimaFrase(u"Ciao.", 0, "\\Spd=130\\\\Pit=100\\", Leggo::Separatori::ConACapo);
    QVERIFY(f);
    QCOMPARE(f->testo, QString("\\Spd=130\\\\Pit=100\\\\Mrk=5\\Ciao"));
}

// "Riprendi" of the sheet reader: the word that was red when reading stopped is read again.
void TestLeggo::riprendiDopoInterrompi() {
    LetturaTesto l;
    l.ImpostaTesto(QString("Roma è bella. Sì."));
    QVERIFY(l.Leggi());
    auto e = l.Segnalibro(5);
    QCOMPARE(e.rossa, (IntervalloTesto{0, 5}));
    e = l.Segnalibro(7);
    QCOMPARE(e.normale, (IntervalloTesto{0, 5}));
    QCOMPARE(e.rossa, (IntervalloTesto{5, 7}));

    QCOMPARE(l.Interrompi(), (IntervalloTesto{5, 7}));
    QVERIFY(!l.LetturaContinua());
    // The old request completes because of StopAll: nothing more is said.
    QVERIFY(!l.RichiestaCompletata().prossima);

    const auto f = l.RiprendiDallaParola();
    QVERIFY(f);
    QCOMPARE(Parole(f->testo), (QStringList{QString("è"), " bella"}));
    QVERIFY(l.LetturaContinua());
    // The first bookmark of the resumed sentence paints the repeated word.
    QCOMPARE(l.Segnalibro(7).rossa, (IntervalloTesto{5, 7}));
}

// "riprendi" of the map windows: reading goes on after the last bookmark reached.
void TestLeggo::riprendiDopoLaParola() {
    LetturaTesto l(Leggo::Separatori::SpazioEPunto);
    l.ImpostaTesto(QString("Roma è bella. Sì."));
    QVERIFY(l.Leggi());
    l.Segnalibro(5);
    l.Interrompi();
    const auto f = l.RiprendiDopoLaParola();
    QVERIFY(f);
    QCOMPARE(Parole(f->testo), (QStringList{QString("è"), " bella"}));
}

void TestLeggo::letturaContinuaFinoAllaFine() {
    LetturaTesto l;
    l.ImpostaPrefisso("\\Spd=130\\\\Pit=100\\");
    l.ImpostaTesto("Uno. Due tre.\nQuattro");
    QStringList parole;
    auto f = l.Leggi();
    int frasi = 0;
    while (f) {
        QVERIFY(f->testo.startsWith("\\Spd=130\\\\Pit=100\\"));
        QVERIFY(++frasi <= 3);
        for (const SegnalibroFrase& s : f->segnalibri)
            l.Segnalibro(s.numero);
        parole << Parole(f->testo);
        f = l.RichiestaCompletata().prossima;
    }
    QCOMPARE(frasi, 3);
    QCOMPARE(parole.join("").simplified(), QString("Uno Due tre Quattro"));
    QVERIFY(!l.LetturaContinua());
    QCOMPARE(l.PosizioneLettura(), 21);
}

void TestLeggo::richiestaVecchiaIgnorata() {
    LetturaTesto l;
    l.ImpostaTesto("Uno. Due.");
    QVERIFY(l.Leggi());
    l.RegistraRichiesta(2);
    QVERIFY(!l.RichiestaCompletata(1).prossima);
    QCOMPARE(l.PosizioneLettura(), 0);
    QVERIFY(l.RichiestaCompletata(2).prossima);
}

void TestLeggo::frasiSenzaParoleSaltate() {
    LetturaTesto l;
    l.ImpostaTesto("Uno... \n\n. Due.");
    const auto primo = l.Leggi();
    QVERIFY(primo);
    QCOMPARE(Parole(primo->testo), QStringList{"Uno"});
    const auto dopo = l.RichiestaCompletata().prossima;
    QVERIFY(dopo);
    QCOMPARE(Parole(dopo->testo).join("").trimmed(), QString("Due"));
    QVERIFY(!l.RichiestaCompletata().prossima);
}

// A speech engine that reports no bookmarks (or a reading that ends before the first one) must
// not make the same sentence come back forever.
void TestLeggo::senzaSegnalibriNonRipete() {
    LetturaTesto l;
    l.ImpostaTesto("Uno. Due.");
    QVERIFY(l.Leggi());
    const auto dopo = l.RichiestaCompletata().prossima;
    QVERIFY(dopo);
    QCOMPARE(Parole(dopo->testo).join("").trimmed(), QString("Due"));
    QVERIFY(!l.RichiestaCompletata().prossima);
}

void TestLeggo::testoAccorciatoDuranteLaLettura() {
    // The map windows may open another text while one is being read.
    LetturaTesto l;
    l.ImpostaTesto("Una frase piuttosto lunga. Un'altra frase lunga.");
    QVERIFY(l.Leggi());
    l.Segnalibro(26);
    l.ImpostaTesto("Corto.");
    QVERIFY(!l.RichiestaCompletata().prossima);
    QVERIFY(l.Interrompi().fine <= 6);
}

void TestLeggo::testoVuoto() {
    LetturaTesto l;
    QVERIFY(!l.Leggi());
    QVERIFY(!l.LeggiDalCursore(50));
}

void TestLeggo::fraseInterrotta_data() {
    // "Uno. Due tre quattro. Cinque." The second sentence is cut off after the bookmarks given.
    QTest::addColumn<QList<int>>("segnalibri");
    QTest::addColumn<QString>("ripresa"); // the words of the sentence read when going on
    QTest::newRow("prima di ogni parola") << QList<int>{} << "Due tre quattro";
    QTest::newRow("su Due") << QList<int>{8} << "Due tre quattro";
    QTest::newRow("su tre") << QList<int>{8, 12} << "tre quattro";
    QTest::newRow("sull'ultima parola") << QList<int>{8, 12, 21} << "quattro";
}

void TestLeggo::fraseInterrotta() {
    // A name spoken in the middle of a sentence: the reading goes on from the word that was
    // being heard, not from the next sentence.
    QFETCH(QList<int>, segnalibri);
    QFETCH(QString, ripresa);
    LetturaTesto l;
    l.ImpostaTesto("Uno. Due tre quattro. Cinque.");
    QVERIFY(l.Leggi());
    l.Segnalibro(4);
    l.RegistraRichiesta(1);
    const auto seconda = l.RichiestaCompletata(1).prossima;
    QVERIFY(seconda);
    QCOMPARE(Parole(seconda->testo).join("").simplified(), QString("Due tre quattro"));
    l.RegistraRichiesta(2);
    for (int n : segnalibri)
        l.Segnalibro(n);
    l.FraseInterrotta();
    const LetturaTesto::Completamento c = l.RichiestaCompletata(2);
    if (!segnalibri.isEmpty())
        QCOMPARE(c.normale.fine, segnalibri.last()); // the red word goes back to normal
    QVERIFY(c.prossima);
    QCOMPARE(Parole(c.prossima->testo).join("").simplified(), ripresa);
    // Then on as usual.
    l.RegistraRichiesta(3);
    const auto dopo = l.RichiestaCompletata(3).prossima;
    QVERIFY(dopo);
    QCOMPARE(Parole(dopo->testo).join("").simplified(), QString("Cinque"));
    // Not reading: nothing to go back to.
    QVERIFY(!l.RichiestaCompletata(3).prossima);
    l.FraseInterrotta();
    QVERIFY(!l.RichiestaCompletata(3).prossima);
}

QTEST_GUILESS_MAIN(TestLeggo)
#include "test_leggo.moc"

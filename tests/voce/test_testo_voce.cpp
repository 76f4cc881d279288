// Parsing of the tagged speech text, the placing of bookmarks on the synthesised audio, and the
// speed, pitch and voice choices.
#include "workspace/voce/ParametriVoce.h"
#include "workspace/voce/SincroniaParole.h"
#include "workspace/voce/TestoVoce.h"

#include <QTest>

using Segni = QList<SegnalibroVoce>;
using Campioni = QList<qint64>;
using Parole = QList<ParolaSintetizzata>;
Q_DECLARE_METATYPE(std::optional<int>)

class TestTestoVoce : public QObject {
    Q_OBJECT
private slots:
    void analizza_data();
    void analizza();
    void campioni_data();
    void campioni();
    void velocitaEToni();
    void modi_data();
    void modi();
};

void TestTestoVoce::analizza_data() {
    QTest::addColumn<QString>("sorgente");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<std::optional<int>>("velocita");
    QTest::addColumn<std::optional<int>>("tono");
    QTest::addColumn<Segni>("segni");
    const std::optional<int> no;

    QTest::newRow("prefisso predefinito")
        << "\\Spd=130\\\\Pit=100\\Roma"
        << "Roma" << std::optional(130) << std::optional(100) << Segni{};
    // What the reading window builds: a mark before each word, holding where the word ends.
    QTest::newRow("lettura") << "\\Spd=130\\\\Pit=100\\\\Mrk=5\\Roma\\Mrk=7\\ è\\Mrk=10\\ la"
                             << "Roma è la" << std::optional(130) << std::optional(100)
                             << Segni{{5, 0}, {7, 4}, {10, 6}};
    QTest::newRow("segno in fondo") << "ciao\\Mrk=9\\"
                                    << "ciao" << no << no << Segni{{9, 4}};
    QTest::newRow("segno negativo e grande") << "\\Mrk=-3\\a\\Mrk=2147483647\\b"
                                             << "ab" << no << no << Segni{{-3, 0}, {2147483647, 1}};
    QTest::newRow("nomi senza maiuscole")
        << "\\spd=200\\\\PIT=80\\x"
        << "x" << std::optional(200) << std::optional(80) << Segni{};
    QTest::newRow("spazi nel valore") << "\\Spd= 90 \\x"
                                      << "x" << std::optional(90) << no << Segni{};
    QTest::newRow("ultimo vince") << "\\Spd=90\\a\\Spd=200\\b"
                                  << "ab" << std::optional(200) << no << Segni{};
    // Malformed tags are dropped whole and never spoken.
    QTest::newRow("Spd vuoto") << "\\Spd=\\Roma"
                               << "Roma" << no << no << Segni{};
    QTest::newRow("Mrk non numerico") << "a\\Mrk=abc\\b"
                                      << "ab" << no << no << Segni{};
    QTest::newRow("Pit senza uguale") << "\\Pit\\Roma"
                                      << "Roma" << no << no << Segni{};
    QTest::newRow("tag sconosciuto") << "\\Emp\\forte \\Pau=300\\piano"
                                     << "forte piano" << no << no << Segni{};
    QTest::newRow("barra sola") << "Roma \\ Milano"
                                << "Roma  Milano" << no << no << Segni{};
    QTest::newRow("barra in fondo") << "Roma\\"
                                    << "Roma" << no << no << Segni{};
    QTest::newRow("solo una barra") << "\\"
                                    << "" << no << no << Segni{};
    QTest::newRow("doppia barra") << "a\\\\b"
                                  << "ab" << no << no << Segni{};
    QTest::newRow("non un tag") << "C:\\dati\\x"
                                << "C:datix" << no << no << Segni{};
    QTest::newRow("tag non chiuso") << "a \\Mrk=4"
                                    << "a Mrk=4" << no << no << Segni{};
    QTest::newRow("vuoto") << ""
                           << "" << no << no << Segni{};
}

void TestTestoVoce::analizza() {
    QFETCH(QString, sorgente);
    QFETCH(QString, testo);
    QFETCH(std::optional<int>, velocita);
    QFETCH(std::optional<int>, tono);
    QFETCH(Segni, segni);
    const TestoVoce t = AnalizzaTestoVoce(sorgente);
    QCOMPARE(t.testo, testo);
    QCOMPARE(t.velocita, velocita);
    QCOMPARE(t.tono, tono);
    QCOMPARE(t.segnalibri, segni);
}

void TestTestoVoce::campioni_data() {
    QTest::addColumn<QString>("sorgente");
    QTest::addColumn<Parole>("parole");
    QTest::addColumn<qint64>("totale");
    QTest::addColumn<Campioni>("attesi");

    // "Roma è la capitale": words at 0, 5, 7, 10.
    const QString frase = "\\Mrk=1\\Roma\\Mrk=2\\ è\\Mrk=3\\ la\\Mrk=4\\ capitale";
    QTest::newRow("ogni parola") << frase
                                 << Parole{{0, 4, 100}, {5, 1, 900}, {7, 2, 1500}, {10, 8, 2000}}
                                 << qint64(5000) << Campioni{100, 900, 1500, 2000};
    // The synthesiser skips a word: its mark waits for the next word heard.
    QTest::newRow("parola taciuta") << frase << Parole{{0, 4, 100}, {7, 2, 1500}, {10, 8, 2000}}
                                    << qint64(5000) << Campioni{100, 1500, 1500, 2000};
    // Nothing reported after a mark: it fires at the end of the audio.
    QTest::newRow("coda muta") << frase << Parole{{0, 4, 100}, {5, 1, 900}} << qint64(5000)
                               << Campioni{100, 900, 5000, 5000};
    QTest::newRow("nessun evento")
        << frase << Parole{} << qint64(700) << Campioni{700, 700, 700, 700};
    // Elided words come back in part ("dell" of "dell'Europa"); reports of length 0 are noise.
    QTest::newRow("elisione") << "\\Mrk=1\\città\\Mrk=2\\ dell'Europa\\Mrk=3\\ grandi"
                              << Parole{{0, 5, 10}, {6, 0, 50}, {6, 4, 400}, {18, 6, 900}}
                              << qint64(2000) << Campioni{10, 400, 900};
    QTest::newRow("report a metà parola")
        << "\\Mrk=1\\L'Italia\\Mrk=2\\ bella" << Parole{{2, 6, 300}, {9, 5, 800}} << qint64(1000)
        << Campioni{300, 800};
    // A mark after the last word, as the reading window ends each sentence.
    QTest::newRow("segno finale") << "\\Mrk=1\\Roma\\Mrk=2\\" << Parole{{0, 4, 10}} << qint64(900)
                                  << Campioni{10, 900};
    // Spaces and punctuation between mark and word do not matter.
    QTest::newRow("spazi prima della parola")
        << "\\Mrk=1\\   Roma" << Parole{{3, 4, 50}} << qint64(100) << Campioni{50};
    // Reports beyond the audio or out of order never make a bookmark go backwards.
    QTest::newRow("mai indietro") << frase
                                  << Parole{{0, 4, 800}, {5, 1, 300}, {7, 2, 9999}, {10, 8, 1000}}
                                  << qint64(5000) << Campioni{800, 800, 5000, 5000};
    QTest::newRow("report fuori testo")
        << "\\Mrk=1\\Roma" << Parole{{40, 3, 5}, {-2, 3, 5}} << qint64(100) << Campioni{100};
}

void TestTestoVoce::campioni() {
    QFETCH(QString, sorgente);
    QFETCH(Parole, parole);
    QFETCH(qint64, totale);
    QFETCH(Campioni, attesi);
    QCOMPARE(CampioniSegnalibri(AnalizzaTestoVoce(sorgente), parole, totale), attesi);
}

void TestTestoVoce::velocitaEToni() {
    // Faster and higher as the profile's numbers grow, over their whole ranges.
    for (int v = VelocitaVoceMinima; v < VelocitaVoceMassima; ++v)
        QVERIFY2(VelocitaSintesi(v) <= VelocitaSintesi(v + 1), qPrintable(QString::number(v)));
    for (int t = TonoVoceMinimo; t < TonoVoceMassimo; ++t)
        QVERIFY2(TonoSintesi(t) <= TonoSintesi(t + 1), qPrintable(QString::number(t)));
    QVERIFY(VelocitaSintesi(VelocitaVoceMinima) < VelocitaSintesi(VelocitaVoceMassima));
    QVERIFY(TonoSintesi(TonoVoceMinimo) < TonoSintesi(TonoVoceMassimo));
    // Intelligible at the extremes: the engine slurs above ~300 words a minute and drags
    // below 80; the pitch stays inside its 0..99 scale.
    QVERIFY(VelocitaSintesi(VelocitaVoceMinima) >= 80);
    QVERIFY(VelocitaSintesi(VelocitaVoceMassima) <= 300);
    QVERIFY(TonoSintesi(TonoVoceMinimo) > 0);
    QVERIFY(TonoSintesi(TonoVoceMassimo) < 99);
    // The default is the engine's middle pitch and a calm pace, below an adult reader's 175.
    QCOMPARE(TonoSintesi(TonoVocePredefinito), 50);
    QVERIFY(VelocitaSintesi(VelocitaVocePredefinita) < 175);
    QVERIFY(VelocitaSintesi(VelocitaVocePredefinita) > 120);
    // Out of range values (a hand-edited profile) are held to the range.
    QCOMPARE(VelocitaSintesi(-5), VelocitaSintesi(VelocitaVoceMinima));
    QCOMPARE(VelocitaSintesi(32767), VelocitaSintesi(VelocitaVoceMassima));
    QCOMPARE(TonoSintesi(0), TonoSintesi(TonoVoceMinimo));
    QCOMPARE(TonoSintesi(10000), TonoSintesi(TonoVoceMassimo));
}

void TestTestoVoce::modi_data() {
    QTest::addColumn<QString>("modoVoce");
    QTest::addColumn<bool>("mbrola");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("ordine");

    // Italian first, then by name.
    const QStringList senzaMbrola{"roa/it", "gmw/en", "gmw/de"};
    QTest::newRow("identificatore storico")
        << "{7EF71701-A92D-11d1-B17B-0020AFED142E}" << false << "roa/it" << senzaMbrola;
    QTest::newRow("vuoto") << "" << false << "roa/it" << senzaMbrola;
    QTest::newRow("sconosciuto") << "{nulla}" << false << "roa/it" << senzaMbrola;
    QTest::newRow("scelto") << "{gmw/de}" << false << "gmw/de" << senzaMbrola;
    QTest::newRow("maiuscole") << "{GMW/EN}" << false << "gmw/en" << senzaMbrola;
    // An MBROLA voice whose engine is missing cannot be chosen, even by its identifier.
    QTest::newRow("mbrola assente") << "{mb/mb-it3}" << false << "roa/it" << senzaMbrola;
    QTest::newRow("mbrola presente") << "{mb/mb-it3}" << true << "mb/mb-it3"
                                     << QStringList{"roa/it", "mb/mb-it3", "gmw/en", "gmw/de"};
}

void TestTestoVoce::modi() {
    QFETCH(QString, modoVoce);
    QFETCH(bool, mbrola);
    QFETCH(QString, file);
    QFETCH(QStringList, ordine);
    const QList<ModoSintesi> installati{
        {"{gmw/en}", "English", "en", "gmw/en"},
        {"{mb/mb-it3}", "italian-mbrola-3", "it", "mb/mb-it3"},
        {"{gmw/de}", "German", "de", "gmw/de"},
        {"{roa/it}", "Italian", "it", "roa/it"},
    };
    const QList<ModoSintesi> modi =
        FiltraModi(installati, [&](const QString& voce) { return mbrola && voce == "it3"; });
    QStringList visti;
    for (const ModoSintesi& m : modi)
        visti.append(m.file);
    QCOMPARE(visti, ordine);
    QCOMPARE(FileDelModo(modi, modoVoce), file);
}

QTEST_GUILESS_MAIN(TestTestoVoce)
#include "test_testo_voce.moc"

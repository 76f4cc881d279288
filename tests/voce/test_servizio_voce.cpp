// The speech service on the real engine: bookmarks on the audio clock, cancellation, queueing,
// speed, bad tags, and no sound card. The audio output is whatever the machine has (a null sink
// in CI, none at all elsewhere) unless a test puts its own.
#include "workspace/voce/ParametriVoce.h"
#include "workspace/voce/ServizioVoce.h"
#include "workspace/voce/SintesiEspeak.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

// An output that plays nothing and is done at once (or when the test says so); it notes what it
// was given.
struct Registro {
    QList<qsizetype> blocchi; // bytes of each block started
};

class UscitaRegistrata : public UscitaAudio {
public:
    UscitaRegistrata(Registro* r, bool dispositivo) : r_(r), dispositivo_(dispositivo) {}
    bool Avvia(const QByteArray& pcm, int) override {
        if (!dispositivo_)
            return false;
        r_->blocchi.append(pcm.size());
        return true;
    }
    qint64 PosizioneUs() const override { return 1LL << 40; }
    bool Finita() const override { return true; }
    void Ferma() override {}

private:
    Registro* r_;
    bool dispositivo_;
};

ServizioVoce::FabbricaUscita Registrata(Registro* r) {
    return [r] { return std::make_unique<UscitaRegistrata>(r, true); };
}

// No sound card: every device start fails.
ServizioVoce::FabbricaUscita SenzaDispositivo() {
    return [] { return std::make_unique<UscitaRegistrata>(nullptr, false); };
}

// What a speaker heard, with the time of each event since Speak.
struct Ascolto {
    explicit Ascolto(MotoreVoce* v) {
        QObject::connect(v, &MotoreVoce::Bookmark, v, [this](int n) {
            segni.append(n);
            tempiMs.append(orologio.elapsed());
        });
        QObject::connect(v, &MotoreVoce::RequestComplete, v, [this] {
            ++complete;
            fineMs = orologio.elapsed();
        });
        orologio.start();
    }
    QList<int> segni;
    QList<qint64> tempiMs;
    int complete = 0;
    qint64 fineMs = -1;
    QElapsedTimer orologio;
};

// "Mrk=k" before each word, numbered by word.
QString ConSegni(const QStringList& parole, const QString& prefisso = "\\Spd=130\\\\Pit=100\\") {
    QString t = prefisso;
    for (int i = 0; i < parole.size(); ++i)
        t += QString("\\Mrk=%1\\").arg(i + 1) + (i ? " " : "") + parole[i];
    return t;
}

qint64 DurataMs(const QString& testoPiano, int velocitaVoce) {
    RichiestaSintesi r;
    r.testo = testoPiano;
    r.velocita = VelocitaSintesi(velocitaVoce);
    return SintesiEspeak::SintetizzaOra(r).pcm.size() / 2 * 1000 / FrequenzaSintesi;
}

} // namespace

class TestServizioVoce : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void segnalibriInOrdineEnTempo();
    void senzaDispositivo();
    void fermaAnnullaSegniEFine();
    void fermaPrimaDellaSintesi();
    void fermaSoloIlSuo();
    void codaInOrdine();
    void piuVeloceEPiuCorto();
    void tagMalformati_data();
    void tagMalformati();
    void fermaEParlaDentroUnSegnalibro();
    void letturaContinua();
    void voceDistruttaMentreParla();
    void modiItalianoPrimo();
};

void TestServizioVoce::initTestCase() {
    RichiestaSintesi r;
    r.testo = "Roma";
    const RisultatoSintesi s = SintesiEspeak::SintetizzaOra(r);
    if (!s.sintetizzato)
        QSKIP("Motore di sintesi non disponibile (manca espeak-ng-data)");
}

void TestServizioVoce::segnalibriInOrdineEnTempo() {
    ServizioVoce servizio; // the machine's real output, or the clock when it has none
    VoceEspeak voce(&servizio);
    const QStringList parole{"Roma", "è", "la", "capitale", "d'Italia."};
    Ascolto a(&voce);
    voce.Speak(ConSegni(parole));
    QTRY_COMPARE_WITH_TIMEOUT(a.complete, 1, 20000);
    QCOMPARE(a.segni, (QList<int>{1, 2, 3, 4, 5}));
    for (int i = 1; i < a.tempiMs.size(); ++i)
        QVERIFY(a.tempiMs[i] >= a.tempiMs[i - 1]);
    // The marks follow the voice: spread over the audio, not all at once when it is made.
    const qint64 durata = DurataMs("Roma è la capitale d'Italia.", 130);
    QVERIFY2(a.tempiMs.last() - a.tempiMs.first() >= durata / 2,
             qPrintable(QString("segni in %1 ms, audio %2 ms")
                            .arg(a.tempiMs.last() - a.tempiMs.first())
                            .arg(durata)));
    QVERIFY(a.fineMs >= a.tempiMs.last());
    QVERIFY2(a.fineMs >= durata * 9 / 10,
             qPrintable(QString("fine a %1 ms, audio %2 ms").arg(a.fineMs).arg(durata)));
}

void TestServizioVoce::senzaDispositivo() {
    ServizioVoce servizio(SenzaDispositivo());
    VoceEspeak voce(&servizio);
    Ascolto a(&voce);
    voce.Speak(ConSegni({"Milano", "Torino", "Napoli"}));
    QTRY_COMPARE_WITH_TIMEOUT(a.complete, 1, 10000);
    QCOMPARE(a.segni, (QList<int>{1, 2, 3}));
    // On the clock of the audio that would have played.
    const qint64 durata = DurataMs("Milano Torino Napoli", 130);
    QVERIFY(a.tempiMs.last() - a.tempiMs.first() >= durata / 2);
    QVERIFY(a.fineMs >= durata * 9 / 10);
}

void TestServizioVoce::fermaAnnullaSegniEFine() {
    ServizioVoce servizio(SenzaDispositivo());
    VoceEspeak voce(&servizio);
    Ascolto a(&voce);
    const QStringList parole{"Il",       "Po", "è",          "il", "fiume",   "più",    "lungo",
                             "d'Italia", "e",  "attraversa", "la", "pianura", "padana."};
    voce.Speak(ConSegni(parole));
    voce.Speak(ConSegni({"Seconda", "richiesta"})); // queued, to be cancelled too
    QTRY_VERIFY_WITH_TIMEOUT(a.segni.size() >= 2, 10000);
    voce.StopAll();
    const auto visti = a.segni;
    QVERIFY(!servizio.Occupato());
    QTest::qWait(DurataMs(parole.join(' '), 130) + 500);
    QCOMPARE(a.segni, visti);
    QCOMPARE(a.complete, 0);
    // The speaker still works afterwards.
    voce.Speak(ConSegni({"Ancora"}));
    QTRY_COMPARE_WITH_TIMEOUT(a.complete, 1, 10000);
    QCOMPARE(a.segni.last(), 1);
}

void TestServizioVoce::fermaPrimaDellaSintesi() {
    Registro r;
    ServizioVoce servizio(Registrata(&r));
    VoceEspeak voce(&servizio);
    Ascolto a(&voce);
    voce.Speak(ConSegni({"Uno", "due"}));
    voce.StopAll(); // before the worker has answered
    QTest::qWait(300);
    QCOMPARE(a.segni.size(), 0);
    QCOMPARE(a.complete, 0);
    QCOMPARE(r.blocchi.size(), 0);
}

void TestServizioVoce::fermaSoloIlSuo() {
    ServizioVoce servizio(SenzaDispositivo());
    VoceEspeak mappa(&servizio);
    VoceEspeak menu(&servizio);
    Ascolto aMappa(&mappa);
    Ascolto aMenu(&menu);
    mappa.Speak(ConSegni({"Sicilia", "Sardegna"}));
    menu.Speak(ConSegni({"Europa"}));
    mappa.StopAll(); // a closing window stops only its own speech
    QTRY_COMPARE_WITH_TIMEOUT(aMenu.complete, 1, 10000);
    QCOMPARE(aMenu.segni, QList<int>{1});
    QCOMPARE(aMappa.complete, 0);
    QCOMPARE(aMappa.segni.size(), 0);
}

void TestServizioVoce::codaInOrdine() {
    Registro r;
    ServizioVoce servizio(Registrata(&r));
    VoceEspeak voce(&servizio);
    QList<int> ordine;
    int complete = 0;
    connect(&voce, &MotoreVoce::Bookmark, this, [&](int n) { ordine.append(n); });
    connect(&voce, &MotoreVoce::RequestComplete, this, [&] {
        ordine.append(-1);
        ++complete;
    });
    // A long request first: the short ones after it must not overtake it.
    voce.Speak("\\Mrk=10\\La Lombardia è la regione più popolosa d'Italia e Milano il suo "
               "capoluogo\\Mrk=11\\");
    voce.Speak("\\Mrk=20\\Lazio");
    voce.Speak("Umbria\\Mrk=30\\");
    QTRY_COMPARE_WITH_TIMEOUT(complete, 3, 10000);
    QCOMPARE(ordine, (QList<int>{10, 11, -1, 20, -1, 30, -1}));
    QCOMPARE(r.blocchi.size(), 3);
}

void TestServizioVoce::piuVeloceEPiuCorto() {
    const QString testo = "Le Alpi separano l'Italia dalla Francia, dalla Svizzera e dall'Austria.";
    QList<qsizetype> lunghezze;
    for (int velocita : {50, 130, 250}) {
        Registro r;
        ServizioVoce servizio(Registrata(&r));
        VoceEspeak voce(&servizio);
        QSignalSpy fine(&voce, &MotoreVoce::RequestComplete);
        voce.Speak(QString("\\Spd=%1\\\\Pit=100\\").arg(velocita) + testo);
        QTRY_COMPARE_WITH_TIMEOUT(fine.count(), 1, 10000);
        QCOMPARE(r.blocchi.size(), 1);
        lunghezze.append(r.blocchi.first());
    }
    QVERIFY2(lunghezze[0] > lunghezze[1] && lunghezze[1] > lunghezze[2],
             qPrintable(QString("%1 %2 %3").arg(lunghezze[0]).arg(lunghezze[1]).arg(lunghezze[2])));
    // From the slowest to the fastest the audio is well under half as long.
    QVERIFY(lunghezze[2] * 2 < lunghezze[0]);
}

void TestServizioVoce::tagMalformati_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QList<int>>("segni");
    QTest::newRow("Spd vuoto") << "\\Spd=\\Roma" << QList<int>{};
    QTest::newRow("Pit vuoto") << "\\Spd=130\\\\Pit=\\Roma" << QList<int>{};
    QTest::newRow("Mrk non numerico") << "\\Mrk=abc\\Roma\\Mrk=2\\ Milano" << QList<int>{2};
    QTest::newRow("barra sola") << "\\" << QList<int>{};
    QTest::newRow("barra in mezzo") << "Roma \\ Milano\\Mrk=1\\" << QList<int>{1};
    QTest::newRow("velocità assurda") << "\\Spd=-40000\\\\Pit=999999\\Roma" << QList<int>{};
    QTest::newRow("vuoto") << "" << QList<int>{};
    QTest::newRow("solo segni") << "\\Mrk=1\\\\Mrk=2\\" << QList<int>{1, 2};
    QTest::newRow("solo punteggiatura") << "\\Mrk=1\\... !" << QList<int>{1};
    QTest::newRow("markup") << "<speak><mark name=\"1\"/>Roma</speak>" << QList<int>{};
}

void TestServizioVoce::tagMalformati() {
    QFETCH(QString, testo);
    QFETCH(QList<int>, segni);
    Registro r;
    ServizioVoce servizio(Registrata(&r));
    VoceEspeak voce(&servizio);
    Ascolto a(&voce);
    voce.Speak(testo);
    QTRY_COMPARE_WITH_TIMEOUT(a.complete, 1, 10000);
    QCOMPARE(a.segni, segni);
}

void TestServizioVoce::fermaEParlaDentroUnSegnalibro() {
    // The reading window stops and speaks anew from its event handlers.
    ServizioVoce servizio(SenzaDispositivo());
    VoceEspeak voce(&servizio);
    Ascolto a(&voce);
    bool fatto = false;
    connect(&voce, &MotoreVoce::Bookmark, this, [&](int n) {
        if (n == 2 && !fatto) {
            fatto = true;
            voce.StopAll();
            voce.Speak("\\Mrk=7\\Riprendo");
        }
    });
    voce.Speak(ConSegni({"Uno", "due", "tre", "quattro"}));
    QTRY_COMPARE_WITH_TIMEOUT(a.complete, 1, 10000);
    QCOMPARE(a.segni, (QList<int>{1, 2, 7}));
}

void TestServizioVoce::letturaContinua() {
    // The reading window speaks the next sentence from RequestComplete, sentence after sentence.
    ServizioVoce servizio(SenzaDispositivo());
    VoceEspeak voce(&servizio);
    const QStringList frasi{"\\Mrk=4\\Roma\\Mrk=9\\ è bella.",
                            "\\Mrk=15\\ Milano\\Mrk=20\\ lavora.",
                            "\\Mrk=27\\ Napoli\\Mrk=30\\ canta."};
    int prossima = 0;
    QList<int> segni;
    connect(&voce, &MotoreVoce::Bookmark, this, [&](int n) { segni.append(n); });
    connect(&voce, &MotoreVoce::RequestComplete, this, [&] {
        if (prossima < frasi.size())
            voce.Speak("\\Spd=250\\\\Pit=100\\" + frasi[prossima++]);
        else
            ++prossima;
    });
    voce.Speak("\\Spd=250\\\\Pit=100\\" + frasi[prossima++]);
    QTRY_COMPARE_WITH_TIMEOUT(prossima, frasi.size() + 1, 15000);
    QCOMPARE(segni, (QList<int>{4, 9, 15, 20, 27, 30}));
    QVERIFY(!servizio.Occupato());
}

void TestServizioVoce::voceDistruttaMentreParla() {
    ServizioVoce servizio(SenzaDispositivo());
    auto* chiusa = new VoceEspeak(&servizio);
    VoceEspeak aperta(&servizio);
    Ascolto a(&aperta);
    chiusa->Speak(ConSegni({"Una", "finestra", "che", "si", "chiude"}));
    aperta.Speak(ConSegni({"Nuova"}));
    QTest::qWait(50);
    delete chiusa;
    QTRY_COMPARE_WITH_TIMEOUT(a.complete, 1, 10000);
    QCOMPARE(a.segni, QList<int>{1});
}

void TestServizioVoce::modiItalianoPrimo() {
    const QList<ModoSintesi> modi = ServizioVoce::Modi();
    QVERIFY(!modi.isEmpty());
    QCOMPARE(modi.first().lingua, QString("it"));
    QVERIFY(modi.first().identificatore.startsWith('{'));
    QVERIFY(modi.first().identificatore.endsWith('}'));
    for (const ModoSintesi& m : modi)
        QVERIFY2(!m.file.startsWith("mb/") || MbrolaInstallato(m.file.mid(6)), qPrintable(m.file));
}

QTEST_GUILESS_MAIN(TestServizioVoce)
#include "test_servizio_voce.moc"

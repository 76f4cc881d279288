// Speech latency: from Speak of a short name to the first sample handed to the audio device
// (budget 150 ms), with the machine's audio device and with none; and the synthesis alone.
// Build in Release and run by hand; with a sound server (scripts/test.sh starts a null sink)
// the "dispositivo" row measures the real device path.
#include "workspace/voce/ParametriVoce.h"
#include "workspace/voce/ServizioVoce.h"
#include "workspace/voce/SintesiEspeak.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

class BenchVoce : public QObject {
    Q_OBJECT
private slots:
    void latenza_data();
    void latenza();
    void sintesi_data();
    void sintesi();
};

void BenchVoce::latenza_data()
{
    QTest::addColumn<bool>("dispositivo");
    QTest::newRow("dispositivo") << true;
    QTest::newRow("senza dispositivo") << false;
}

void BenchVoce::latenza()
{
    QFETCH(bool, dispositivo);
    if (dispositivo && !DispositivoAudioPresente())
        QSKIP("Nessun dispositivo audio su questa macchina");
    ServizioVoce servizio(dispositivo ? ServizioVoce::FabbricaUscita{}
                                      : ServizioVoce::FabbricaUscita([] {
                                            return std::make_unique<UscitaSenzaAudio>();
                                        }));
    VoceEspeak voce(&servizio);
    // Warm up: the engine's first load and the sound server connection are start-up costs.
    {
        QEventLoop attesa;
        connect(&servizio, &ServizioVoce::PrimoCampione, &attesa, &QEventLoop::quit);
        QTimer::singleShot(5000, &attesa, &QEventLoop::quit);
        voce.Speak("\\Spd=130\\\\Pit=100\\Pronto");
        attesa.exec();
        voce.StopAll();
    }
    QEventLoop attesa;
    connect(&servizio, &ServizioVoce::PrimoCampione, &attesa, &QEventLoop::quit);
    QBENCHMARK {
        voce.Speak("\\Spd=130\\\\Pit=100\\Reggio Calabria");
        attesa.exec();
        voce.StopAll();
    }
}

void BenchVoce::sintesi_data()
{
    QTest::addColumn<QString>("testo");
    QTest::newRow("nome") << "Reggio Calabria";
    QTest::newRow("frase") << "Il Po nasce dal Monviso, attraversa la pianura padana e sfocia nel "
                              "mare Adriatico con un ampio delta.";
}

void BenchVoce::sintesi()
{
    QFETCH(QString, testo);
    RichiestaSintesi r;
    r.testo = testo;
    r.velocita = VelocitaSintesi(VelocitaVocePredefinita);
    r.tono = TonoSintesi(TonoVocePredefinito);
    SintesiEspeak::SintetizzaOra(r);
    QBENCHMARK {
        SintesiEspeak::SintetizzaOra(r);
    }
}

QTEST_GUILESS_MAIN(BenchVoce)
#include "bench_voce.moc"

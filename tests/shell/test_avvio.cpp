#include "shell/Avvio.h"
#include "shell/FormAvvio.h"
#include "shell/Messaggi.h"
#include "shell/Navigazione.h"
#include "shell/StatoProgramma.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray leggimiAtteso =
    "Questa cartella contiene i files di impostazione del programma 'Orbisto di Tessivo'.\r\n"
    " \r\n"
    "Se il programma presenta problemi di funzionamento pu\xC3\xB2 essere utile cancellarla.\r\n";

QByteArray leggi(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class RisposteFisse : public Messaggi {
public:
    bool risposta = false;
    QStringList domande, errori;
    bool Domanda(QWidget*, const QString& testo, const QString&) override {
        domande << testo;
        return risposta;
    }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString& testo, const QString&) override { errori << testo; }
};

QString eseguibile() {
    return QStringLiteral(ORBISTO_BINARY_DIR "/orbisto");
}

} // namespace

class TestAvvio : public QObject {
    Q_OBJECT
private slots:
    void primoAvvioCreaLaCartella();
    void cartellaEsistenteNonRiscritta();
    void cartellaNonScrivibile();
    void bloccoAbbandonato();
    void confermaUscita_data();
    void confermaUscita();
    void pausa();
    void avvioSenzaMenu();
    void programmaVero();
    void programmaSenzaCartellaDati();
    void programmaSenzaAudio();
};

void TestAvvio::primoAvvioCreaLaCartella() {
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/OrbistoTessivo/";
    QVERIFY(!PreparaStato(cartella));
    QCOMPARE(leggi(cartella + "leggimi.txt"), leggimiAtteso);
    QCOMPARE(Stato().NomeUtente, QStringLiteral("_predefinito"));
    QCOMPARE(Stato().FileProfilo, cartella + "_predefinito.ini");
    QCOMPARE(Stato().Profilo, ProfiloPredefinito());
    QVERIFY(Stato().ImpostazioniScrivibili);
    // No profile file is written until the first save.
    QCOMPARE(QDir(cartella).entryList(QDir::Files), QStringList{"leggimi.txt"});
}

void TestAvvio::cartellaEsistenteNonRiscritta() {
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/OrbistoTessivo/";
    QDir().mkpath(cartella);
    QVERIFY(!PreparaStato(cartella));
    QVERIFY(QDir(cartella).entryList(QDir::Files).isEmpty());
}

void TestAvvio::cartellaNonScrivibile() {
    // A folder below a plain file can never be created, whoever runs the test.
    QTemporaryDir dir;
    QFile ostacolo(dir.path() + "/file");
    QVERIFY(ostacolo.open(QIODevice::WriteOnly));
    ostacolo.close();
    const auto errore = PreparaStato(dir.path() + "/file/OrbistoTessivo/");
    QVERIFY(errore.has_value());
    QVERIFY(errore->contains(QStringLiteral("impostazioni")));
    QVERIFY(!Stato().ImpostazioniScrivibili);
    QCOMPARE(Stato().Profilo, ProfiloPredefinito());
}

void TestAvvio::bloccoAbbandonato() {
    QTemporaryDir dir;
    IstanzaUnica prima(dir.path());
    QVERIFY(prima.Acquisisci());
    {
        IstanzaUnica seconda(dir.path());
        QCOMPARE(seconda.PercorsoBlocco(), prima.PercorsoBlocco());
        QVERIFY(!seconda.Acquisisci());
    }
    // Another settings folder is another program.
    QTemporaryDir altra;
    IstanzaUnica terza(altra.path());
    QVERIFY(terza.Acquisisci());

    // A lock left by a process that no longer exists does not block.
    QTemporaryDir orfana;
    IstanzaUnica sonda(orfana.path());
    QFile f(sonda.PercorsoBlocco());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("999999\norbisto\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    QVERIFY(sonda.Acquisisci());
}

void TestAvvio::confermaUscita_data() {
    QTest::addColumn<bool>("risposta");
    QTest::newRow("no") << false;
    QTest::newRow("sì") << true;
}

void TestAvvio::confermaUscita() {
    QFETCH(bool, risposta);
    QTemporaryDir dir;
    QVERIFY(!PreparaStato(dir.path()));
    Stato().Profilo.DimensioneFont = 33;
    RisposteFisse m;
    m.risposta = risposta;
    ImpostaMessaggi(&m);
    // The event loop that ConfermaUscita would end.
    bool uscito = false;
    QTimer::singleShot(0, this, [&] {
        QCOMPARE(Navigazione::ConfermaUscita(nullptr), risposta);
        if (!risposta)
            QCoreApplication::exit(7);
    });
    const int codice = QCoreApplication::exec();
    uscito = codice == 0;
    ImpostaMessaggi(nullptr);
    QCOMPARE(m.domande, QStringList{"Vuoi uscire dal programma?"});
    QCOMPARE(uscito, risposta);
    // Yes saves the current profile; No leaves the files alone.
    QCOMPARE(QFile::exists(dir.path() + "/_predefinito.ini"), risposta);
    if (risposta)
        QVERIFY(leggi(dir.path() + "/_predefinito.ini").contains("\r\n 33 \r\n"));
}

void TestAvvio::pausa() {
    int scatti = 0;
    QTimer t;
    t.setInterval(50);
    connect(&t, &QTimer::timeout, this, [&] { ++scatti; });
    t.start();
    QElapsedTimer cronometro;
    cronometro.start();
    Pausa(0.5);
    QVERIFY(cronometro.elapsed() >= 500);
    QVERIFY2(scatti >= 3, "timers keep firing during a pause");
    cronometro.restart();
    Pausa(0);
    Pausa(-1);
    QVERIFY(cronometro.elapsed() < 400);
}

void TestAvvio::avvioSenzaMenu() {
    // Until the area menu is registered the start screen stays where it is.
    Navigazione::Azzera();
    FormAvvio f;
    f.show();
    QSignalSpy aperto(&f, &FormAvvio::menuAperto);
    f.BottoneAvvio()->click();
    QCOMPARE(aperto.count(), 0);
    QVERIFY(f.isVisible());

    QWidget* menu = nullptr;
    Navigazione::Registra(Navigazione::MenuAree, [&] { return menu = new QWidget; });
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(aperto.count(), 1);
    QVERIFY(menu && menu->isVisible());
    QVERIFY(!f.isVisible());
    QCOMPARE(Navigazione::Esistente(Navigazione::MenuAree), menu);
    // Showing it again reuses the live window.
    QCOMPARE(Navigazione::Mostra(Navigazione::MenuAree), menu);
    delete menu;
    QVERIFY(!Navigazione::Esistente(Navigazione::MenuAree));
    Navigazione::Azzera();
}

void TestAvvio::programmaVero() {
    // The built program, started as a user would start it, with a fresh configuration folder.
    QTemporaryDir config, runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess primo;
    primo.setProcessEnvironment(env);
    primo.start(eseguibile());
    QVERIFY(primo.waitForStarted());
    const QString leggimi = config.path() + "/OrbistoTessivo/leggimi.txt";
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(leggimi) && leggi(leggimi).size() == leggimiAtteso.size(), 20000);
    QCOMPARE(leggi(leggimi), leggimiAtteso);
    QTest::qWait(300);
    QCOMPARE(primo.state(), QProcess::Running);

    // A second copy says so and touches nothing.
    QFile::remove(leggimi);
    QProcess secondo;
    secondo.setProcessEnvironment(env);
    secondo.start(eseguibile());
    QVERIFY(secondo.waitForStarted());
    QByteArray errori;
    QTRY_VERIFY_WITH_TIMEOUT(
        (errori += secondo.readAllStandardError()).contains("E' già stata avviata"), 20000);
    secondo.kill();
    secondo.waitForFinished();
    QVERIFY(!QFile::exists(leggimi));
    QCOMPARE(QDir(config.path() + "/OrbistoTessivo").entryList(QDir::Files), QStringList{});
    QCOMPARE(primo.state(), QProcess::Running);

    primo.kill();
    primo.waitForFinished();
}

namespace {

// Starts the program with a fresh configuration and returns what it wrote on its error output
// once that holds atteso (or after 20 s); the program is then ended.
QByteArray erroriDelProgramma(const QString& programma, const QByteArray& atteso,
                              const QMap<QString, QString>& variabili = {}) {
    QTemporaryDir config, runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (auto it = variabili.cbegin(); it != variabili.cend(); ++it)
        env.insert(it.key(), it.value());
    QProcess p;
    p.setProcessEnvironment(env);
    // A working folder holding a data folder must not be taken for the program's.
    p.setWorkingDirectory(QStringLiteral(ORBISTO_SOURCE_DATA_DIR "/.."));
    p.start(programma);
    if (!p.waitForStarted())
        return {};
    QByteArray errori;
    QElapsedTimer t;
    t.start();
    while (!errori.contains(atteso) && t.elapsed() < 20000 && p.state() == QProcess::Running) {
        p.waitForReadyRead(200);
        errori += p.readAllStandardError();
    }
    p.kill();
    p.waitForFinished();
    return errori + p.readAllStandardError();
}

} // namespace

void TestAvvio::programmaSenzaCartellaDati() {
    // The program copied where there is no data folder says where it looked for one.
    QTemporaryDir altrove;
    const QString copia = altrove.path() + "/bin/orbisto";
    QVERIFY(QDir().mkpath(altrove.path() + "/bin"));
    QVERIFY(QFile::copy(eseguibile(), copia));
    const QByteArray errori = erroriDelProgramma(copia, "Cartelle cercate");
    QVERIFY2(errori.contains("Cartelle cercate"), errori.constData());
    QVERIFY2(errori.contains(QFile::encodeName(altrove.path() + "/bin/data")), errori.constData());
}

void TestAvvio::programmaSenzaAudio() {
    // No sound server: the program starts and says once that it will be silent.
    QTemporaryDir vuota;
    QFile conf(vuota.path() + "/client.conf");
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("autospawn = no\n");
    conf.close();
    const QByteArray errori =
        erroriDelProgramma(eseguibile(), "Voce e suoni disattivati",
                           {{"PULSE_SERVER", "unix:" + vuota.path() + "/nessun-server"},
                            {"PULSE_CLIENTCONFIG", vuota.path() + "/client.conf"}});
    QVERIFY2(errori.count("Voce e suoni disattivati") == 1, errori.constData());
}

QTEST_MAIN(TestAvvio)
#include "test_avvio.moc"

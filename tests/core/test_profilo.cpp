#include "shell/Percorsi.h"
#include "shell/Profilo.h"
#include "shell/StatoProgramma.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The default profile exactly as the program writes it.
const QByteArray filePredefinito =
    "verdana\r\n 24 \r\n 5 \r\n 1 \r\n 0 \r\n 24 \r\n 82 \r\n 131 \r\n 9 \r\n 88 \r\n"
    " 89 \r\n 5 \r\n 197 \r\n 190 \r\n 9 \r\n 100 \r\n 7 \r\n 1 \r\n 192 \r\n 2 \r\n"
    " 5 \r\n 0 \r\nFalse\r\n 130 \r\n 100 \r\nTrue\r\nTrue\r\n 0 \r\n 4 \r\nFalse\r\n"
    "False\r\n{7EF71701-A92D-11d1-B17B-0020AFED142E}\r\nMerlin\r\n";

QByteArray conRiga(int riga, const QByteArray& valore) {
    QList<QByteArray> righe = filePredefinito.split('\n');
    righe[riga - 1] = valore + '\r';
    return righe.join('\n');
}

QByteArray scrivi(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write fixture");
    f.write(dati);
    return dati;
}

QByteArray leggi(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestProfilo : public QObject {
    Q_OBJECT
private slots:
    void salvataggioEsatto();
    void prefissoVoce();
    void lettura_data();
    void lettura();
    void andataERitorno_data();
    void andataERitorno();
    void caricaDaDisco_data();
    void caricaDaDisco();
    void salvaAtomicoENomiSicuri_data();
    void salvaAtomicoENomiSicuri();
    void nomeSenzaMaiuscole();
    void elenchiUtenti();
    void byteNonDefiniti_data();
    void byteNonDefiniti();
    void testiLunghiTroncati();
    void nomeConParentesi_data();
    void nomeConParentesi();
    void profiloIlleggibileConservato_data();
    void profiloIlleggibileConservato();
    void soloFileNormali_data();
    void soloFileNormali();
    void discoPieno_data();
    void discoPieno();
    void cartellaNonScrivibile();
    void interrottoDuranteIlSalvataggio();
};

void TestProfilo::salvataggioEsatto() {
    QCOMPARE(ScriviProfilo(ProfiloPredefinito()), filePredefinito);
}

void TestProfilo::prefissoVoce() {
    ProfiloUtente p = ProfiloPredefinito();
    QCOMPARE(PrefissoVoce(p), QStringLiteral("\\Spd=130\\\\Pit=100\\"));
    p.VelocitaVoce = 250;
    p.TonoVoce = -5;
    QCOMPARE(PrefissoVoce(p), QStringLiteral("\\Spd=250\\\\Pit=-5\\"));
}

void TestProfilo::lettura_data() {
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("dimensione");
    QTest::addColumn<bool>("riparti");

    QTest::newRow("predefinito") << filePredefinito << true << "verdana" << 24 << false;
    QTest::newRow("righe LF") << QByteArray(filePredefinito).replace("\r\n", "\n") << true
                              << "verdana" << 24 << false;
    QTest::newRow("solo 20 righe")
        << filePredefinito.left(filePredefinito.indexOf(" 5 \r\n 0 \r\nFalse")) << false << "" << 0
        << false;
    QTest::newRow("vuoto") << QByteArray() << false << "" << 0 << false;
    QTest::newRow("40000 non sta in 16 bit") << conRiga(2, " 40000 ") << false << "" << 0 << false;
    QTest::newRow("-32768 sta in 16 bit")
        << conRiga(2, "-32768 ") << true << "verdana" << -32768 << false;
    QTest::newRow("numero non numerico") << conRiga(2, " abc ") << false << "" << 0 << false;
    QTest::newRow("spazi prima del numero")
        << conRiga(2, "      36") << true << "verdana" << 36 << false;
    QTest::newRow("flag True") << conRiga(23, "True") << true << "verdana" << 24 << true;
    QTest::newRow("flag minuscolo true") << conRiga(23, "true") << true << "verdana" << 24 << false;
    QTest::newRow("flag T qualsiasi") << conRiga(23, "Tutto") << true << "verdana" << 24 << true;
    QTest::newRow("flag con spazi prima")
        << conRiga(23, "   True") << true << "verdana" << 24 << true;
    QTest::newRow("font con spazi prima")
        << conRiga(1, "   Arial") << true << "Arial" << 24 << false;
    QTest::newRow("font tra virgolette")
        << conRiga(1, "\"Times, New\"") << true << "Times, New" << 24 << false;
    // A comma ends the text value: what follows is read as the next value and every later value
    // shifts by one, so the file no longer reads.
    QTest::newRow("virgola nel font") << conRiga(1, "Arial, 30") << false << "" << 0 << false;
    QTest::newRow("virgola e testo") << conRiga(1, "Arial, bold") << false << "" << 0 << false;
    QTest::newRow("Windows-1252") << conRiga(1, "Caf\xE9 Gr\xE0"
                                                "fico \x80")
                                  << true << QString::fromUtf8("Café Gràfico €") << 24 << false;
}

void TestProfilo::lettura() {
    QFETCH(QByteArray, dati);
    QFETCH(bool, valido);
    const auto p = LeggiProfilo(dati);
    QCOMPARE(p.has_value(), valido);
    if (!valido)
        return;
    QTEST(p->NomeFont, "font");
    QTEST(int(p->DimensioneFont), "dimensione");
    QTEST(p->RipartiDopoSelezione, "riparti");
    QCOMPARE(p->ModoVoce, QStringLiteral("{7EF71701-A92D-11d1-B17B-0020AFED142E}"));
    QCOMPARE(p->Personaggio, QStringLiteral("Merlin"));
}

void TestProfilo::andataERitorno_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("identico");
    QTest::newRow("semplice") << "Arial" << true;
    QTest::newRow("con spazi interni") << "Times New Roman" << true;
    QTest::newRow("accentato") << QString::fromUtf8("Façade Ñ") << true;
    QTest::newRow("vuoto") << "" << true;
    QTest::newRow("con virgola") << "Arial, Bold" << false;
    QTest::newRow("spazi iniziali") << "  Arial" << false;
    QTest::newRow("virgolette iniziali") << "\"Arial" << false;
}

void TestProfilo::andataERitorno() {
    QFETCH(QString, font);
    QFETCH(bool, identico);
    ProfiloUtente p = ProfiloPredefinito();
    p.NomeFont = font;
    p.DimensioneFont = 48;
    p.ColoreTesto = 215;
    p.SchemaPolitico = {1, 2, 3, 4, 5, 6};
    p.SchemaFisico = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    p.RipartiDopoSelezione = true;
    p.VelocitaVoce = 250;
    p.TonoVoce = 50;
    p.ParlatoAttivo = false;
    p.SuoniAttivi = false;
    p.ModalitaAccesso = 3;
    p.TempoScansione = 60;
    p.PuntatoreSistema = true;
    p.TracciaAttivita = true;
    p.ModoVoce = QStringLiteral("{it}");
    p.Personaggio = QStringLiteral("Gufo");
    const auto letto = LeggiProfilo(ScriviProfilo(p));
    if (identico) {
        QVERIFY(letto.has_value());
        QCOMPARE(*letto, p);
    } else {
        QVERIFY(!letto.has_value() || *letto != p);
    }
}

void TestProfilo::caricaDaDisco_data() {
    QTest::addColumn<QByteArray>("contenuto"); // empty: no file
    QTest::addColumn<int>("dimensioneAttesa");
    QTest::newRow("file mancante") << QByteArray() << 24;
    QTest::newRow("file buono") << conRiga(2, " 32 ") << 32;
    QTest::newRow("file corto") << filePredefinito.left(60) << 24;
    QTest::newRow("troppo grande") << conRiga(2, " 40000 ") << 24;
}

void TestProfilo::caricaDaDisco() {
    QFETCH(QByteArray, contenuto);
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    s.Profilo.DimensioneFont = 99; // must not survive a load
    ImpostaUtente(s, QStringLiteral("marco"));
    if (!contenuto.isEmpty())
        scrivi(s.FileProfilo, contenuto);
    CaricaProfilo(s);
    QTEST(int(s.Profilo.DimensioneFont), "dimensioneAttesa");
    QCOMPARE(s.PrefissoVoce, PrefissoVoce(s.Profilo));
    // A bad file is left as it was until the next save.
    if (!contenuto.isEmpty())
        QCOMPARE(leggi(s.FileProfilo), contenuto);
}

void TestProfilo::salvaAtomicoENomiSicuri_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("accettato");
    QTest::newRow("semplice") << "Marco" << true;
    QTest::newRow("accenti e spazi") << QString::fromUtf8("Niccolò Rossi") << true;
    QTest::newRow("predefinito") << "_predefinito" << true;
    QTest::newRow("barra") << "a/b" << false;
    QTest::newRow("barra rovescia") << "a\\b" << false;
    QTest::newRow("risalita") << ".." << false;
    QTest::newRow("risalita nel nome") << "../altro" << false;
    QTest::newRow("controllo") << "a\tb" << false;
    QTest::newRow("riservato") << "CON" << false;
    QTest::newRow("riservato minuscolo con estensione") << "lpt1.txt" << false;
    QTest::newRow("due punti") << "c:nome" << false;
    QTest::newRow("65 caratteri") << QString(65, u'a') << false;
    QTest::newRow("64 caratteri") << QString(64, u'a') << true;
    QTest::newRow("punto finale") << "marco." << false;
}

void TestProfilo::salvaAtomicoENomiSicuri() {
    QFETCH(QString, nome);
    QFETCH(bool, accettato);
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    ImpostaUtente(s, nome);
    s.Profilo.DimensioneFont = 30;
    const auto errore = SalvaProfilo(s);
    QCOMPARE(!errore.has_value(), accettato);
    const QStringList file = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    if (accettato) {
        QCOMPARE(file, QStringList{nome + ".ini"});
        QCOMPARE(leggi(s.FileProfilo), ScriviProfilo(s.Profilo));
    } else {
        QVERIFY(!errore->isEmpty());
        QVERIFY2(file.isEmpty(), qPrintable(file.join(',')));
        // Nothing outside the settings folder either.
        QVERIFY(!QFile::exists(dir.path() + "/../altro.ini"));
    }
}

void TestProfilo::nomeSenzaMaiuscole() {
    // On case-sensitive file systems "MARCO" and "marco.ini" are one user.
    QTemporaryDir dir;
    scrivi(dir.path() + "/marco.ini", conRiga(2, " 40 "));
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    ImpostaUtente(s, QStringLiteral("MARCO"));
    CaricaProfilo(s);
    QCOMPARE(int(s.Profilo.DimensioneFont), 40);
    s.Profilo.DimensioneFont = 41;
    QVERIFY(!SalvaProfilo(s));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"marco.ini"});
    QVERIFY(leggi(dir.path() + "/marco.ini").contains("\r\n 41 \r\n"));

    // A blank name saves nothing and is no error.
    ImpostaUtente(s, QStringLiteral("   "));
    QVERIFY(!SalvaProfilo(s));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestProfilo::elenchiUtenti() {
    QTemporaryDir dir;
    QCOMPARE(ElencoUtentiMenu(dir.path()), QStringList{});
    scrivi(dir.path() + "/_predefinito.ini", filePredefinito);
    QCOMPARE(ElencoUtentiMenu(dir.path()), QStringList{"_predefinito"});
    QCOMPARE(ElencoUtentiConfigurazione(dir.path()), QStringList{});
    scrivi(dir.path() + "/Luca.ini", filePredefinito);
    scrivi(dir.path() + "/anna.INI", filePredefinito);
    scrivi(dir.path() + "/LUCA.ini", filePredefinito); // same user, other case
    scrivi(dir.path() + "/note.txt", "x");
    QDir(dir.path()).mkdir("cartella.ini");
    // Names the program refuses as users could never be loaded: they are not offered.
    for (const char* rifiutato : {"...ini", "a\\b.ini", "con.ini", "x..y.ini", "Lpt1.ini"})
        scrivi(dir.path() + "/" + rifiutato, filePredefinito);
    QCOMPARE(ElencoUtentiMenu(dir.path()),
             (QStringList{"_predefinito", "anna", "cartella", "luca"}));
    QCOMPARE(ElencoUtentiConfigurazione(dir.path()), (QStringList{"ANNA", "CARTELLA", "LUCA"}));
}

void TestProfilo::byteNonDefiniti_data() {
    QTest::addColumn<char>("byte");
    for (const char b : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
        QTest::newRow(QByteArray::number(uchar(b), 16).constData()) << b;
}

void TestProfilo::byteNonDefiniti() {
    // A byte Windows-1252 leaves undefined survives a load and a save unchanged.
    QFETCH(char, byte);
    const QByteArray font = QByteArray("Font") + byte + "x";
    const QByteArray file = conRiga(1, font);
    const auto letto = LeggiProfilo(file);
    QVERIFY(letto.has_value());
    QCOMPARE(ScriviProfilo(*letto), file);
    QCOMPARE(Cp1252::Codifica(Cp1252::Decodifica(font)), font);
}

void TestProfilo::testiLunghiTroncati() {
    const auto letto = LeggiProfilo(conRiga(1, QByteArray(3000, 'F')));
    QVERIFY(letto.has_value());
    QCOMPARE(letto->NomeFont, QString(255, u'F'));
    QCOMPARE(int(letto->DimensioneFont), 24);
}

void TestProfilo::nomeConParentesi_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("altroFile"); // a file a wildcard reading of the name would match
    QTest::newRow("parentesi quadre") << "Anna [3B]"
                                      << "Anna 3.ini";
    QTest::newRow("intervallo") << "classe [a-c]"
                                << "classe b.ini";
    QTest::newRow("negazione") << "x[!y]"
                               << "xz.ini";
}

void TestProfilo::nomeConParentesi() {
    // The existence test compares one exact name: brackets are not a wildcard set.
    QFETCH(QString, nome);
    QFETCH(QString, altroFile);
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    ImpostaUtente(s, nome);
    QVERIFY(!VerificaNomeUtente(nome));
    QVERIFY(!Percorsi::EsisteFile(s.FileProfilo));
    scrivi(dir.path() + "/" + altroFile, conRiga(2, " 20 "));
    QVERIFY(!Percorsi::EsisteFile(s.FileProfilo));
    scrivi(s.FileProfilo, conRiga(2, " 44 "));
    QVERIFY(Percorsi::EsisteFile(s.FileProfilo));
    QVERIFY(
        Percorsi::EsisteFile(s.FileProfilo.toUpper().replace(dir.path().toUpper(), dir.path())));
    CaricaProfilo(s);
    QCOMPARE(int(s.Profilo.DimensioneFont), 44);
    // At exit the pupil's own values go back, not the defaults.
    s.Profilo.DimensioneFont = 45;
    QVERIFY(!SalvaProfilo(s));
    QVERIFY(leggi(s.FileProfilo).contains("\r\n 45 \r\n"));
    QCOMPARE(leggi(dir.path() + "/" + altroFile), conRiga(2, " 20 "));
}

void TestProfilo::profiloIlleggibileConservato_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::newRow("troncato") << filePredefinito.left(80);
    QTest::newRow("binario") << QByteArray("\x00\x01\xFF\xFE\x00\x7F", 6);
    QTest::newRow("vuoto") << QByteArray("");
    QTest::newRow("troppo lungo") << filePredefinito + QByteArray(5000, ' ');
}

void TestProfilo::profiloIlleggibileConservato() {
    QFETCH(QByteArray, contenuto);
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    ImpostaUtente(s, QStringLiteral("Marta"));
    scrivi(s.FileProfilo, contenuto);
    CaricaProfilo(s);
    QCOMPARE(s.Profilo, ProfiloPredefinito());
    QCOMPARE(leggi(s.FileProfilo), contenuto);

    s.Profilo.DimensioneFont = 31;
    QString avviso;
    QVERIFY(!SalvaProfilo(s, &avviso));
    QVERIFY2(avviso.contains("Marta.ini.bak"), qPrintable(avviso));
    QCOMPARE(leggi(s.FileProfilo + ".bak"), contenuto);
    CaricaProfilo(s);
    QCOMPARE(int(s.Profilo.DimensioneFont), 31);

    // Said once: the next save finds a profile it can read and keeps no other copy.
    avviso.clear();
    s.Profilo.DimensioneFont = 32;
    QVERIFY(!SalvaProfilo(s, &avviso));
    QVERIFY(avviso.isEmpty());
    QCOMPARE(leggi(s.FileProfilo + ".bak"), contenuto);
    QCOMPARE(ElencoUtentiMenu(dir.path()), QStringList{"marta"});
}

void TestProfilo::soloFileNormali_data() {
    QTest::addColumn<QString>("tipo");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("collegamento a /dev/zero") << "zero";
    QTest::newRow("file enorme") << "enorme";
    QTest::newRow("collegamento interrotto") << "interrotto";
}

void TestProfilo::soloFileNormali() {
    // Neither blocks start-up nor fills the memory: the defaults, at once, and the entry is kept
    // aside at the next save.
    QFETCH(QString, tipo);
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    ImpostaUtente(s, QStringLiteral("luca"));
    const QByteArray percorso = QFile::encodeName(s.FileProfilo);
    if (tipo == "fifo")
        QCOMPARE(::mkfifo(percorso.constData(), 0600), 0);
    else if (tipo == "zero")
        QVERIFY(QFile::link("/dev/zero", s.FileProfilo));
    else if (tipo == "interrotto")
        QVERIFY(QFile::link(dir.path() + "/manca", s.FileProfilo));
    else {
        QFile f(s.FileProfilo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(300LL * 1024 * 1024)); // sparse: no disk space used
    }
    QElapsedTimer t;
    t.start();
    CaricaProfilo(s);
    QVERIFY(t.elapsed() < 2000);
    QCOMPARE(s.Profilo, ProfiloPredefinito());
    QString avviso;
    QVERIFY(!SalvaProfilo(s, &avviso));
    QVERIFY(!avviso.isEmpty());
    QVERIFY(QFileInfo(s.FileProfilo).isFile());
    QCOMPARE(leggi(s.FileProfilo), ScriviProfilo(s.Profilo));
    const QFileInfo copia(s.FileProfilo + ".bak");
    QVERIFY(copia.exists() || copia.isSymLink());
}

void TestProfilo::discoPieno_data() {
    QTest::addColumn<int>("modo");
    QTest::newRow("scrittura fallita") << 0; // ENOSPC after half the bytes
    QTest::newRow("scrittura corta senza errore") << 1;
}

void TestProfilo::discoPieno() {
    // A full disk: the save fails with a message, the old profile stays whole and no temporary
    // file is left behind.
    QFETCH(int, modo);
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path());
    ImpostaUtente(s, QStringLiteral("Paolo"));
    const QByteArray vecchio = scrivi(s.FileProfilo, conRiga(2, " 40 "));
    Percorsi::ImpostaScritturaDati([modo](int fd, QByteArrayView dati) {
        const auto meta = size_t(dati.size() / 2);
        if (::write(fd, dati.data(), meta) != ssize_t(meta))
            return EIO;
        return modo == 0 ? ENOSPC : 0;
    });
    s.Profilo.DimensioneFont = 12;
    const auto errore = SalvaProfilo(s);
    Percorsi::ImpostaScritturaDati({});
    QVERIFY(errore.has_value());
    QVERIFY2(errore->contains(QStringLiteral("il disco è pieno")), qPrintable(*errore));
    QCOMPARE(leggi(s.FileProfilo), vecchio);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Paolo.ini"});
    // With room again the same save goes through.
    QVERIFY(!SalvaProfilo(s));
    QCOMPARE(leggi(s.FileProfilo), ScriviProfilo(s.Profilo));
}

void TestProfilo::cartellaNonScrivibile() {
    QTemporaryDir dir;
    StatoProgramma s;
    InizializzaStato(s, dir.path() + "/file/sotto");
    scrivi(dir.path() + "/file", "x");
    ImpostaUtente(s, QStringLiteral("Paolo"));
    const auto errore = SalvaProfilo(s);
    QVERIFY(errore.has_value());
    QVERIFY2(errore->startsWith(QStringLiteral("Impossibile salvare il file")),
             qPrintable(*errore));
    QCOMPARE(leggi(dir.path() + "/file"), QByteArray("x"));
    if (::geteuid() == 0)
        QSKIP("permissions do not stop the superuser");
    QDir(dir.path()).mkdir("chiusa");
    InizializzaStato(s, dir.path() + "/chiusa");
    ImpostaUtente(s, QStringLiteral("Paolo"));
    QFile::setPermissions(dir.path() + "/chiusa", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QVERIFY(SalvaProfilo(s).has_value());
    QFile::setPermissions(dir.path() + "/chiusa",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestProfilo::interrottoDuranteIlSalvataggio() {
    // A program killed in the middle of saving leaves the old or the new file, never a mix.
    QTemporaryDir dir;
    const QString percorso = dir.path() + "/grande.ini";
    const QByteArray a(512 * 1024, 'a'), b(512 * 1024, 'b');
    QVERIFY(!Percorsi::ScriviFileAtomico(percorso, a));
    for (int prova = 0; prova < 8; ++prova) {
        const pid_t figlio = ::fork();
        QVERIFY(figlio >= 0);
        if (figlio == 0) {
            for (int i = 0;; ++i)
                Percorsi::ScriviFileAtomico(percorso, i % 2 ? a : b);
        }
        QThread::msleep(20 + 15 * prova);
        ::kill(figlio, SIGKILL);
        int stato = 0;
        ::waitpid(figlio, &stato, 0);
        const QByteArray letto = leggi(percorso);
        QVERIFY(letto == a || letto == b);
    }
}

QTEST_GUILESS_MAIN(TestProfilo)
#include "test_profilo.moc"

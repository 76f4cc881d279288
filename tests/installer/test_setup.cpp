#include "installer/AvviatoreProgrammi.h"
#include "installer/CopiaArchivi.h"
#include "installer/FileSystemSetup.h"
#include "installer/FinestraSetup.h"
#include "installer/PassiSetup.h"
#include "installer/ProceduraSetup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct Messaggio {
    bool errore = false;
    QString testo;
    QString dettagli;
};

class MessaggiRegistrati : public MessaggiSetup {
public:
    void Informazione(QWidget*, const QString& testo, const QString& dettagli) override {
        elenco.append({false, testo, dettagli});
    }
    void Errore(QWidget*, const QString& testo) override { elenco.append({true, testo, {}}); }
    QList<Messaggio> elenco;
};

class AvviatoreFinto : public AvviatoreProgrammi {
public:
    std::optional<QString> Avvia(const QString& programma, const QStringList& argomenti,
                                 const QString&) override {
        avviati << programma + (argomenti.isEmpty() ? QString() : u' ' + argomenti.join(u' '));
        if (rifiuta.contains(QFileInfo(programma).fileName()))
            return QStringLiteral("permessi negati");
        return std::nullopt;
    }
    void Fallisci(const QString& programma) {
        emit Fallito(programma, QStringLiteral("rifiutato"));
    }
    QStringList avviati;
    QSet<QString> rifiuta;
};

// The real file system, with chosen files that cannot be copied and a record of every write.
class FileSystemControllato : public FileSystemReale {
public:
    std::optional<QString> CreaCartella(const QString& percorso) override {
        scritture << percorso;
        return FileSystemReale::CreaCartella(percorso);
    }
    std::optional<QString> CopiaFile(const QString& da, const QString& a) override {
        scritture << a;
        if (illeggibili.contains(QFileInfo(da).fileName()))
            return QStringLiteral("impossibile leggere il file (permesso negato)");
        return FileSystemReale::CopiaFile(da, a);
    }
    QStringList scritture;
    QSet<QString> illeggibili;
};

void Scrivi(const QString& percorso, const QByteArray& dati = "x") {
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dati);
}

QStringList FileSotto(const QString& radice) {
    QStringList file;
    QDir d(radice);
    const auto voci = d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& v : voci) {
        if (v.isDir())
            for (const QString& f : FileSotto(v.absoluteFilePath()))
                file << v.fileName() + u'/' + f;
        else
            file << v.fileName();
    }
    file.sort();
    return file;
}

} // namespace

class TestSetup : public QObject {
    Q_OBJECT

    // New folders for every test.
    std::unique_ptr<QTemporaryDir> sorgenteDir_;
    std::unique_ptr<QTemporaryDir> destinazioneDir_;
    QTemporaryDir& sorgente_() { return *sorgenteDir_; }
    QTemporaryDir& destinazione_() { return *destinazioneDir_; }
    MessaggiRegistrati messaggi_;
    AvviatoreFinto avviatore_;
    FileSystemControllato fs_;

    ProceduraSetup::Ambiente Ambiente(int msPerSecondo = 10) {
        ProceduraSetup::Ambiente a;
        a.sorgente = sorgente_().path();
        a.destinazione = destinazione_().path() + QStringLiteral("/share/orbisto");
        a.fs = &fs_;
        a.avviatore = &avviatore_;
        a.messaggi = &messaggi_;
        a.millisecondiPerSecondo = msPerSecondo;
        return a;
    }

private slots:
    void init() {
        sorgenteDir_ = std::make_unique<QTemporaryDir>();
        destinazioneDir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(sorgente_().isValid() && destinazione_().isValid());
        messaggi_.elenco.clear();
        avviatore_.avviati.clear();
        avviatore_.rifiuta.clear();
        fs_.scritture.clear();
        fs_.illeggibili.clear();
    }

    void noveFinestreConTitoliENumeri() {
        const auto& passi = Setup::Passi();
        QCOMPARE(passi.size(), 9);
        for (int i = 0; i < passi.size(); ++i) {
            QCOMPARE(passi[i].nomeFinestra, QStringLiteral("Form%1").arg(i + 1));
            QCOMPARE(passi[i].numeroPasso,
                     i == 0 || i == 8 ? QString() : QStringLiteral("%1/7").arg(i));
            QCOMPARE(passi[i].HaIgnora(), i != 0 && i != 8);
        }
        ProceduraSetup procedura(Ambiente());
        procedura.Avvia();
        FinestraSetup* f = procedura.Finestra();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), QStringLiteral("Orbisto di Tessivo"));
        QCOMPARE(f->Label1()->text(), QStringLiteral("Questo programma permette di installare sul "
                                                     "computer l'Orbisto di Tessivo - v. 2.0"));
        QVERIFY(!f->Command2()->isVisibleTo(f));
    }

    // "Ignora" on every step: the seven messages, no program started, nothing written.
    void ignoraOvunque() {
        ProceduraSetup procedura(Ambiente());
        QSignalSpy fine(&procedura, &ProceduraSetup::Terminata);
        procedura.Avvia();
        procedura.Azione(); // welcome
        for (int passo = 1; passo <= 7; ++passo) {
            QCOMPARE(procedura.IndicePasso(), passo);
            QCOMPARE(procedura.Finestra()->Label2()->text(), QStringLiteral("%1/7").arg(passo));
            QTest::mouseClick(procedura.Finestra()->Command2(), Qt::LeftButton);
        }
        QCOMPARE(procedura.IndicePasso(), 8);
        QCOMPARE(procedura.Finestra()->Label1()->text(),
                 QStringLiteral("Procedura di installazione completata"));
        QStringList testi;
        for (const auto& m : messaggi_.elenco) {
            QVERIFY(!m.errore);
            testi << m.testo;
        }
        QCOMPARE(testi,
                 (QStringList{QStringLiteral("Il programma non è stato installato"),
                              QStringLiteral("Gli archivi non sono stati copiati"),
                              QStringLiteral("Componenti della sintesi vocale non installati"),
                              QStringLiteral("Merlino non installato"),
                              QStringLiteral("Sintesi vocale non installata"),
                              QStringLiteral("Componenti non installati"),
                              QStringLiteral("Componenti non installati")}));
        QVERIFY(avviatore_.avviati.isEmpty());
        QVERIFY(fs_.scritture.isEmpty());
        QVERIFY(!QFileInfo::exists(destinazione_().path() + QStringLiteral("/share")));
        QCOMPARE(fine.size(), 0);
        procedura.Azione(); // "Fine"
        QCOMPARE(fine.size(), 1);
        QVERIFY(!procedura.Finestra());
    }

    // Step 1 moves on after its pause whether or not the program has ended; the buttons do
    // nothing during the pause (no second installer).
    void installaPassaDopoLaPausa() {
        ProceduraSetup procedura(Ambiente(20));
        procedura.Avvia();
        procedura.Azione();
        QCOMPARE(procedura.IndicePasso(), 1);
        procedura.Azione();
        QCOMPARE(avviatore_.avviati,
                 QStringList{sorgente_().path() + QStringLiteral("/componenti/programma.sh")});
        QVERIFY(procedura.InPausa());
        QCOMPARE(procedura.IndicePasso(), 1);
        QVERIFY(!procedura.Finestra()->Command1()->isEnabled());
        procedura.Azione();
        procedura.Ignora();
        QCOMPARE(avviatore_.avviati.size(), 1);
        QVERIFY(messaggi_.elenco.isEmpty());
        QTRY_COMPARE(procedura.IndicePasso(), 2); // 5 s scaled to 100 ms
        QVERIFY(messaggi_.elenco.isEmpty());
    }

    // Each "Installa" starts its own program, found below the installation folder.
    void ogniPassoAvviaIlSuoProgramma() {
        ProceduraSetup procedura(Ambiente(1));
        procedura.Avvia();
        procedura.Azione();
        for (int passo = 1; passo <= 7; ++passo) {
            QCOMPARE(procedura.IndicePasso(), passo);
            if (passo == 2)
                procedura.Ignora();
            else {
                procedura.Azione();
                QTRY_COMPARE(procedura.IndicePasso(), passo + 1);
            }
        }
        QStringList attesi;
        for (const QString& s : {QStringLiteral("programma"), QStringLiteral("motore-voce"),
                                 QStringLiteral("personaggi"), QStringLiteral("voce-italiana"),
                                 QStringLiteral("lingua-italiana"), QStringLiteral("uscita-audio")})
            attesi << sorgente_().path() + QStringLiteral("/componenti/") + s +
                          QStringLiteral(".sh");
        QCOMPARE(avviatore_.avviati, attesi);
    }

    // A program that cannot be started is said, and the wizard moves on without its pause.
    void programmaNonAvviabileSegnalato() {
        avviatore_.rifiuta << QStringLiteral("motore-voce.sh");
        ProceduraSetup procedura(Ambiente(1000));
        procedura.Avvia();
        procedura.Azione();
        procedura.Ignora();
        procedura.Ignora();
        QCOMPARE(procedura.IndicePasso(), 3);
        messaggi_.elenco.clear();
        procedura.Azione();
        QCOMPARE(procedura.IndicePasso(), 4);
        QVERIFY(!procedura.InPausa());
        QCOMPARE(messaggi_.elenco.size(), 1);
        QVERIFY(messaggi_.elenco[0].errore);
        QVERIFY(messaggi_.elenco[0].testo.contains(QStringLiteral("permessi negati")));
        QVERIFY(messaggi_.elenco[0].testo.contains(QStringLiteral("3/7")));
        // A program that fails later, while the wizard still runs, is said too.
        avviatore_.Fallisci(sorgente_().path() + QStringLiteral("/componenti/programma.sh"));
        QCOMPARE(messaggi_.elenco.size(), 2);
        QVERIFY(messaggi_.elenco[1].testo.contains(QStringLiteral("programma.sh")));
    }

    void motiviDeiProgrammiNonAvviabili() {
        QTemporaryDir d;
        const QString script = d.filePath(QStringLiteral("passo.sh"));
        QVERIFY(MotivoNonAvviabile(d.filePath(QStringLiteral("manca.sh")))
                    ->contains(QStringLiteral("non si trova")));
        QVERIFY(MotivoNonAvviabile(d.path()).has_value());
        Scrivi(script, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(MotivoNonAvviabile(script)->contains(QStringLiteral("permessi")));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!MotivoNonAvviabile(script));
        QVERIFY(MotivoUscita(126).contains(QStringLiteral("annullata")));
        QVERIFY(MotivoUscita(3).contains(QStringLiteral("pacchetto")));
    }

    // The real launcher: a program that exits with a failure is reported through Fallito.
    void avviatoreRealeSegnalaUnFallimento() {
        QTemporaryDir d;
        const QString script = d.filePath(QStringLiteral("passo.sh"));
        Scrivi(script, "#!/bin/sh\nexit 126\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        AvviatoreReale avviatore;
        QSignalSpy fallito(&avviatore, &AvviatoreProgrammi::Fallito);
        QVERIFY(!avviatore.Avvia(script, {}, d.path()));
        QTRY_COMPARE(fallito.size(), 1);
        QVERIFY(fallito[0][1].toString().contains(QStringLiteral("annullata")));
        QVERIFY(avviatore.Avvia(d.filePath(QStringLiteral("manca.sh")), {}, d.path()));
    }

    // "Copia" on an empty tree creates the thirty folders and copies nothing.
    void copiaDaUnAlberoVuoto() {
        QCOMPARE(CopiaArchivi::Cartelle().size(), 30);
        ProceduraSetup procedura(Ambiente());
        procedura.Avvia();
        procedura.Azione();
        procedura.Ignora();
        QCOMPARE(procedura.IndicePasso(), 2);
        procedura.Azione();
        QCOMPARE(procedura.IndicePasso(), 3);
        QCOMPARE(messaggi_.elenco.size(), 2);
        QCOMPARE(messaggi_.elenco[1].testo, QStringLiteral("Copia completata"));
        const QString dest = destinazione_().path() + QStringLiteral("/share/orbisto");
        for (const QString& c : CopiaArchivi::Cartelle())
            QVERIFY2(QFileInfo(dest + u'/' + c).isDir(), qPrintable(c));
        QVERIFY(QFileInfo(dest + QStringLiteral("/testi/italia")).isDir());
        QVERIFY(QFileInfo(dest + QStringLiteral("/mappe/Italia")).isDir());
        QVERIFY(FileSotto(dest).isEmpty() ||
                std::all_of(FileSotto(dest).cbegin(), FileSotto(dest).cend(),
                            [&](const QString& f) { return QFileInfo(dest + u'/' + f).isDir(); }));
    }

    // Only the four kinds of data file are copied, with the folders' names as the atlas
    // spells them; a file that cannot be copied is named and the copy goes on.
    void copiaSoloGliArchivi() {
        const QString s = sorgente_().path() + QStringLiteral("/OrbistoT");
        Scrivi(s + QStringLiteral("/mappe/Europa/Europa_politica.geojson"), "{}");
        Scrivi(s + QStringLiteral("/mappe/Europa/appunti.txt"));
        Scrivi(s + QStringLiteral("/testi/italia/Le regioni.rtf"));
        Scrivi(s + QStringLiteral("/suoni/si.WAV"));
        Scrivi(s + QStringLiteral("/suoni/no.wav"));
        Scrivi(s + QStringLiteral("/docum/guida.pdf"));
        Scrivi(s + QStringLiteral("/mappe/Nascosta/Altro.geojson")); // not a data folder
        fs_.illeggibili << QStringLiteral("si.WAV");
        const QString d = destinazione_().path() + QStringLiteral("/share/orbisto");
        // A file already there is replaced.
        Scrivi(d + QStringLiteral("/docum/guida.pdf"), "vecchio");

        const CopiaArchivi::Esito esito = CopiaArchivi::Copia(fs_, s, d);
        QCOMPARE(esito.copiati, 4);
        QCOMPARE(esito.errori.size(), 1);
        QVERIFY(esito.errori[0].file.endsWith(QStringLiteral("suoni/si.WAV")));
        QCOMPARE(FileSotto(d + QStringLiteral("/mappe/Europa")),
                 QStringList{QStringLiteral("Europa_politica.geojson")});
        QVERIFY(QFileInfo::exists(d + QStringLiteral("/testi/italia/Le regioni.rtf")));
        QVERIFY(QFileInfo::exists(d + QStringLiteral("/suoni/no.wav")));
        QVERIFY(!QFileInfo::exists(d + QStringLiteral("/suoni/si.WAV")));
        QVERIFY(!QFileInfo::exists(d + QStringLiteral("/mappe/Nascosta")));
        QFile guida(d + QStringLiteral("/docum/guida.pdf"));
        QVERIFY(guida.open(QIODevice::ReadOnly));
        QCOMPARE(guida.readAll(), QByteArray("x"));
        const QString messaggio = CopiaArchivi::Messaggio(esito);
        QVERIFY(messaggio.startsWith(QStringLiteral("Copia completata")));
        QVERIFY(messaggio.contains(QStringLiteral("1 file non è stato copiato")));
        QVERIFY(messaggio.contains(QStringLiteral("si.WAV")));
    }

    // A folder that cannot be made is reported once and the other folders are still copied.
    void cartellaNonCreabile() {
        const QString s = sorgente_().path() + QStringLiteral("/OrbistoT");
        Scrivi(s + QStringLiteral("/suoni/no.wav"));
        Scrivi(s + QStringLiteral("/docum/guida.pdf"));
        const QString d = destinazione_().path() + QStringLiteral("/share/orbisto");
        // A plain file where the "docum" folder should be.
        Scrivi(d + QStringLiteral("/docum"), "file");
        const auto esito = CopiaArchivi::Copia(fs_, s, d);
        QCOMPARE(esito.copiati, 1);
        QCOMPARE(esito.errori.size(), 1);
        QVERIFY(esito.errori[0].file.endsWith(QStringLiteral("/docum")));
        QVERIFY(QFileInfo::exists(d + QStringLiteral("/suoni/no.wav")));
    }

    // Many failures: the message names the first ones and counts them all; the details list
    // every one.
    void moltiErroriContati() {
        CopiaArchivi::Esito esito;
        for (int i = 0; i < 25; ++i)
            esito.errori.append({QStringLiteral("f%1.wav").arg(i), QStringLiteral("disco pieno")});
        const QString m = CopiaArchivi::Messaggio(esito);
        QVERIFY(m.contains(QStringLiteral("25 file non sono stati copiati")));
        QVERIFY(m.contains(QStringLiteral("e altri 15")));
        QCOMPARE(CopiaArchivi::Dettagli(esito).count(u'\n'), 24);
    }

    // The copy alone, as the administrator's run does it: one line per outcome.
    void copiaDaRigaDiComando() {
        const QString s = sorgente_().path() + QStringLiteral("/OrbistoT");
        Scrivi(s + QStringLiteral("/suoni/no.wav"));
        const QString d = destinazione_().path() + QStringLiteral("/cli");
        QProcess p;
        p.start(QStringLiteral(ORBISTO_BINARY_DIR "/orbisto-setup"),
                {QStringLiteral("--copia-archivi"), s, d});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(out.contains(QStringLiteral("COPIATI\t1")), qPrintable(out));
        QVERIFY(QFileInfo::exists(d + QStringLiteral("/suoni/no.wav")));
    }

    // Closing a window by the window manager ends the wizard, also during a pause.
    void chiusuraDallaFinestraTermina_data() {
        QTest::addColumn<int>("passo");
        QTest::addColumn<bool>("inPausa");
        QTest::newRow("benvenuto") << 0 << false;
        QTest::newRow("passo 3/7") << 3 << false;
        QTest::newRow("durante la pausa") << 1 << true;
    }
    void chiusuraDallaFinestraTermina() {
        QFETCH(int, passo);
        QFETCH(bool, inPausa);
        ProceduraSetup procedura(Ambiente(1000));
        QSignalSpy fine(&procedura, &ProceduraSetup::Terminata);
        procedura.Avvia();
        if (passo > 0)
            procedura.Azione();
        for (int i = 1; i < passo; ++i)
            procedura.Ignora();
        if (inPausa) {
            procedura.Azione();
            QVERIFY(procedura.InPausa());
        }
        QPointer<FinestraSetup> f = procedura.Finestra();
        f->close();
        QCOMPARE(fine.size(), 1);
        QVERIFY(!procedura.Finestra());
        QVERIFY(!procedura.InPausa());
        QTest::qWait(50);
        QVERIFY(!f); // deleted
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!w->isVisible());
    }

    // The buttons have names for assistive tools and the action button is the default.
    void accessibilita() {
        ProceduraSetup procedura(Ambiente());
        procedura.Avvia();
        procedura.Azione();
        FinestraSetup* f = procedura.Finestra();
        QCOMPARE(f->Command1()->accessibleName(), QStringLiteral("Installa"));
        QCOMPARE(f->Command2()->accessibleName(), QStringLiteral("Ignora"));
        QVERIFY(f->Command1()->isDefault());
    }
};

QTEST_MAIN(TestSetup)
#include "test_setup.moc"

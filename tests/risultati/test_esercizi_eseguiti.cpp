#include "results/CartellaRisultati.h"
#include "results/FileRisultati.h"
#include "results/FormEserciziEseguiti.h"
#include "results/StampaGriglia.h"
#include "shell/Messaggi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/NomiFinestre.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/finestra/DialogoFile.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// The results window: the log shown as a table, saving and opening ".rpt" files in the user's
// folder, printing the table (to a PDF file here), and the switches.

namespace {

class MessaggiFinti : public Messaggi {
public:
    bool risposta = true;
    QStringList domande, informazioni, errori;
    bool Domanda(QWidget*, const QString& t, const QString&) override {
        domande << t;
        return risposta;
    }
    void Informazione(QWidget*, const QString& t, const QString&) override { informazioni << t; }
    void Errore(QWidget*, const QString& t, const QString&) override { errori << t; }
};

class DialogoFinto : public DialogoFile {
public:
    QString risposta;
    QString cartella, titolo;
    int modo = -1;
    QString Scegli(QWidget*, int m, const QString& t, const QString&, const QString&,
                   const QString& c, const QString&) override {
        modo = m;
        titolo = t;
        cartella = c;
        return risposta;
    }
};

class StampantePdf : public AccessoStampante {
public:
    QString file;
    bool nessuna = false;
    std::unique_ptr<QPrinter> Prepara(QWidget*, QString& motivo) override {
        if (nessuna) {
            motivo = NessunaStampante;
            return nullptr;
        }
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(file);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    }
};

class FinestraSegnaposto : public FinestraProgramma {
public:
    using FinestraProgramma::FinestraProgramma;
};

QString Testo(QTableWidget* g, int r, int c) {
    const QTableWidgetItem* it = g->item(r, c);
    return it ? it->text() : QString();
}

} // namespace

class TestEserciziEseguiti : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mostraIlRegistro();
    void registroVuoto();
    void salvaCreaLeCartelleERilegge();
    void salvaAnnullato();
    void apriFileMalformati_data();
    void apriFileMalformati();
    void apriFileWindows();
    void stampaPdf();
    void stampaSenzaStampante();
    void stampaRifiutata();
    void interruttori_data();
    void interruttori();

private:
    FormEserciziEseguiti* apri() {
        return qobject_cast<FormEserciziEseguiti*>(
            Navigazione::Mostra(NomiFinestre::EserciziEseguiti));
    }
    void Riempi(int righe) {
        for (int i = 1; i <= righe; ++i) {
            const int r = Stato().Registro.Apri(AttivitaDovePolitica, QStringLiteral("Europa"));
            Stato().Registro.Completa(r, i, 100 - i, 10 * i);
        }
    }

    QTemporaryDir cartella;
    MessaggiFinti messaggiFinti;
    DialogoFinto dialogo;
    StampantePdf stampante;
};

void TestEserciziEseguiti::initTestCase() {
    ImpostaMessaggi(&messaggiFinti);
    ImpostaDialogoFile(&dialogo);
    ImpostaAccessoStampante(&stampante);
}

void TestEserciziEseguiti::init() {
    InizializzaStato(Stato(), cartella.path() + QStringLiteral("/impostazioni/"));
    ProfiloPredefinito(Stato());
    ImpostaUtente(Stato(), QStringLiteral("marco"));
    // Documents below a folder that does not exist yet.
    CartellaRisultati::ImpostaBase(cartella.path() + QStringLiteral("/Documenti/OrbistoTessivo"));
    Navigazione::Azzera();
    Navigazione::Registra(NomiFinestre::EserciziEseguiti, [] { return new FormEserciziEseguiti; });
    Navigazione::Registra(Navigazione::MenuAree, [] { return new FinestraSegnaposto; });
    messaggiFinti = MessaggiFinti{};
    dialogo = DialogoFinto{};
    stampante.nessuna = false;
    stampante.file = cartella.path() + QStringLiteral("/stampa.pdf");
    QFile::remove(stampante.file);
}

void TestEserciziEseguiti::cleanup() {
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraProgramma*>(w))
            finestre << w;
    for (const QPointer<QWidget>& w : finestre)
        delete w.data();
    CartellaRisultati::ImpostaBase({});
    QDir(cartella.path() + QStringLiteral("/Documenti")).removeRecursively();
}

void TestEserciziEseguiti::mostraIlRegistro() {
    RegistroEsercizi& r = Stato().Registro;
    r.Completa(r.Apri(AttivitaDovePolitica, QStringLiteral("Europa")), 57, 43, 95);
    r.Apri(AttivitaDoveFisica, QStringLiteral("Asia")); // left without "&Esci"
    r.Completa(r.Apri(AttivitaTest, QStringLiteral("Italia")), 0, 0, 3);
    auto* f = apri();
    QVERIFY(f);
    QTableWidget* g = f->MSFlexGrid1();
    QCOMPARE(g->rowCount(), 4);
    QCOMPARE(g->columnCount(), 7);
    QCOMPARE(Testo(g, 0, 1), QStringLiteral("marco"));
    QCOMPARE(Testo(g, 0, 6), QStringLiteral("% correttezza"));
    const QStringList riga1{"1", "Dov'è ... mappa politica", "Europa", " 57", " 43", " 95", "57%"};
    for (int c = 0; c < 7; ++c)
        QCOMPARE(Testo(g, 1, c), riga1[c]);
    QCOMPARE(Testo(g, 2, 3), QString());
    QCOMPARE(Testo(g, 2, 6), QStringLiteral("–"));
    QCOMPARE(Testo(g, 3, 6), QStringLiteral("–"));
    // The columns share the grid in 24ths: 1, 7, 5, 2, 2, 2, 4.
    QCOMPARE(g->columnWidth(1) * 2, g->columnWidth(3) * 7);
    QVERIFY(f->Label3()->text().isEmpty());
}

void TestEserciziEseguiti::registroVuoto() {
    auto* f = apri();
    QCOMPARE(f->MSFlexGrid1()->rowCount(), 1);
    QCOMPARE(Testo(f->MSFlexGrid1(), 0, 3), QStringLiteral("Esatti"));
}

void TestEserciziEseguiti::salvaCreaLeCartelleERilegge() {
    Riempi(101);
    RegistroEsercizi& r = Stato().Registro;
    r.Apri(AttivitaTest, QStringLiteral("Reggio, Emilia"));
    auto* f = apri();
    QCOMPARE(f->MSFlexGrid1()->rowCount(), 103);
    const QString utente = CartellaRisultati::DellUtente(QStringLiteral("marco"));
    dialogo.risposta = utente + QStringLiteral("prova.rpt");
    f->Salva();
    QVERIFY2(messaggiFinti.errori.isEmpty(), qPrintable(messaggiFinti.errori.join(u'|')));
    QCOMPARE(dialogo.cartella, utente);
    QCOMPARE(dialogo.titolo, QStringLiteral("Salva"));
    QVERIFY(QFile::exists(CartellaRisultati::FileLeggimi()));
    QFile file(dialogo.risposta);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray dati = file.readAll();
    QVERIFY(dati.contains("\r\n 103 \r\nDov'\xe8 ... mappa politica\r\nEuropa\r\n 1\r\n 99\r\n"));
    QVERIFY(dati.contains("Reggio, Emilia\r\n"));

    // A new run of the window shows the log again; Apri shows the file.
    Stato().Registro.Svuota();
    f->Attivazione();
    QCOMPARE(f->MSFlexGrid1()->rowCount(), 1);
    dialogo.risposta = utente + QStringLiteral("prova.rpt");
    f->Apri();
    QVERIFY(messaggiFinti.errori.isEmpty());
    QTableWidget* g = f->MSFlexGrid1();
    QCOMPARE(g->rowCount(), 103);
    QCOMPARE(Testo(g, 0, 1), QStringLiteral("marco"));
    QCOMPARE(Testo(g, 57, 0), QStringLiteral("57"));
    QCOMPARE(Testo(g, 57, 3), QStringLiteral(" 57"));
    QCOMPARE(Testo(g, 57, 6), QStringLiteral("57%"));
    QCOMPARE(Testo(g, 102, 2), QStringLiteral("Reggio, Emilia"));
    QCOMPARE(Testo(g, 102, 6), QStringLiteral("–"));
}

void TestEserciziEseguiti::salvaAnnullato() {
    auto* f = apri();
    dialogo.risposta.clear();
    f->Salva();
    QCOMPARE(messaggiFinti.errori, QStringList{FormEserciziEseguiti::MessaggioErrore});
}

void TestEserciziEseguiti::apriFileMalformati_data() {
    QTest::addColumn<QByteArray>("dati");
    QTest::newRow("negativo") << QByteArray("a\r\nb\r\n-5 \r\nx\r\n");
    QTest::newRow("enorme") << QByteArray("a\r\nb\r\n 999999999 \r\nx\r\n");
    QTest::newRow("non numero") << QByteArray("a\r\nb\r\nmolti\r\nx\r\n");
    QTest::newRow("corto") << QByteArray("a\r\nb\r\n 5 \r\nTest\r\nItalia\r\n");
    QTest::newRow("binario") << QByteArray("\x7f"
                                           "ELF\x02\x01\x01\x00\x00\x00",
                                           10);
}

void TestEserciziEseguiti::apriFileMalformati() {
    QFETCH(QByteArray, dati);
    Riempi(2);
    auto* f = apri();
    const QString percorso = cartella.path() + QStringLiteral("/rotto.rpt");
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(dati);
    file.close();
    dialogo.risposta = percorso;
    QElapsedTimer t;
    t.start();
    f->Apri();
    QVERIFY(t.elapsed() < 5000);
    QCOMPARE(messaggiFinti.errori, QStringList{"Si è verificato un errore!"});
    // The table on screen is left as it was.
    QCOMPARE(f->MSFlexGrid1()->rowCount(), 3);
    QCOMPARE(Testo(f->MSFlexGrid1(), 2, 3), QStringLiteral(" 2"));
}

void TestEserciziEseguiti::apriFileWindows() {
    auto* f = apri();
    const QString percorso = cartella.path() + QStringLiteral("/vecchio.rpt");
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Risultati\r\nMarco\r\n 2 \r\nDov'\xe8 ... mappa fisica\r\nEuropa\r\n 2\r\n 1\r\n"
               " 44\r\nBravo \x96 buon lavoro\r\n");
    file.close();
    dialogo.risposta = percorso;
    f->Apri();
    QVERIFY(messaggiFinti.errori.isEmpty());
    QCOMPARE(Testo(f->MSFlexGrid1(), 1, 1), QStringLiteral("Dov'è ... mappa fisica"));
    QCOMPARE(Testo(f->MSFlexGrid1(), 1, 6), QStringLiteral("66%"));
    QCOMPARE(f->Label3()->text(), QStringLiteral("Bravo – buon lavoro"));
}

void TestEserciziEseguiti::stampaPdf() {
    Riempi(5);
    auto* f = apri();
    f->Stampa();
    QCOMPARE(messaggiFinti.domande, QStringList{"Avvio la stampa?"});
    QCOMPARE(messaggiFinti.informazioni, QStringList{"Sto stampando"});
    QVERIFY(messaggiFinti.errori.isEmpty());
    QVERIFY(QFileInfo(stampante.file).size() > 1000);
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {stampante.file});
    QVERIFY2(pdfinfo.waitForFinished(20000), "pdfinfo (poppler-utils) is needed");
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
    // The text of the table is in the page.
    QProcess testo;
    testo.start(QStringLiteral("pdftotext"), {stampante.file, QStringLiteral("-")});
    QVERIFY(testo.waitForFinished(20000));
    const QString t = QString::fromUtf8(testo.readAllStandardOutput());
    QVERIFY2(t.contains(QStringLiteral("Europa")) && t.contains(QStringLiteral("Esatti")),
             qPrintable(t));
}

void TestEserciziEseguiti::stampaSenzaStampante() {
    stampante.nessuna = true;
    auto* f = apri();
    f->Stampa();
    QCOMPARE(messaggiFinti.errori, QStringList{NessunaStampante});
    QVERIFY(messaggiFinti.informazioni.isEmpty());
}

void TestEserciziEseguiti::stampaRifiutata() {
    messaggiFinti.risposta = false;
    auto* f = apri();
    f->Stampa();
    QVERIFY(messaggiFinti.informazioni.isEmpty());
    QVERIFY(!QFile::exists(stampante.file));
}

void TestEserciziEseguiti::interruttori_data() {
    QTest::addColumn<int>("modalita");
    QTest::newRow("manuale") << 2;
    QTest::newRow("automatica") << 3;
}

void TestEserciziEseguiti::interruttori() {
    QFETCH(int, modalita);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    auto* f = apri();
    QPointer<FormEserciziEseguiti> guardia(f);
    QCOMPARE(f->PulsanteEvidenziato(), 0);
    // To "Esci" (the fourth button) and choose it.
    for (int i = 0; i < 3; ++i) {
        if (modalita == 2) {
            TastiFinestra::Clic(f, Qt::Key_Space);
        } else {
            f->Scorri(1000);
        }
    }
    QCOMPARE(f->PulsanteEvidenziato(), 3);
    const Qt::Key scelta = modalita == 2 ? Qt::Key_Return : Qt::Key_Space;
    TastiFinestra::Clic(f, scelta);
    QVERIFY(Navigazione::Esistente(Navigazione::MenuAree));
    QVERIFY(guardia.isNull() || !guardia->isVisible());
}

QTEST_MAIN(TestEserciziEseguiti)
#include "test_esercizi_eseguiti.moc"

#include "activities/exploration/FormSchede.h"
#include "activities/exploration/Registrazione.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/finestra/SceltaTesto.h"
#include "workspace/testi/DocumentoTesto.h"
#include "workspace/voce/AnnuncioScansione.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/VoceFinta.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

// The reading window driven through a fake speaker: the menu commands, their shortcuts, and the
// switch column walked by the scanning keys.

namespace {

class MessaggiFinti : public Messaggi {
public:
    QStringList errori;
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString& testo, const QString&) override { errori << testo; }
};

// The text chooser, answering with a fixed path.
class SceltaFinta : public SceltaTesto {
public:
    QString risposta;
    QString cartella;
    int chiamate = 0;
    QString Scegli(QWidget*, const QString& cartellaTesti, const QString&) override {
        ++chiamate;
        cartella = cartellaTesti;
        return risposta;
    }
};

class FinestraSegnaposto : public FinestraProgramma {
public:
    using FinestraProgramma::FinestraProgramma;
    void Attivazione() override { ++attivazioni; }
    int attivazioni = 0;
};

// Every speaker the windows make, in order: the character's first, then the announcer's.
QList<QPointer<VoceFinta>> voci;

// The text of a request without its tags.
QString Parole(const QString& richiesta) {
    QString t = richiesta;
    t.remove(QRegularExpression(QStringLiteral("\\\\[A-Za-z]{3}=[^\\\\]*\\\\")));
    t.remove(QRegularExpression(QStringLiteral("\\\\+")));
    return t.simplified();
}

QList<int> Punti(QTextDocument* d) {
    QList<int> out;
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            out << int(it.fragment().charFormat().fontPointSize());
    return out;
}

} // namespace

class TestSchede : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void menuEScorciatoie();
    void riduciEAumenta_data();
    void riduciEAumenta();
    void riprendiDopoInterrompi();
    void cursoreAMetaParola();
    void testoSenzaPunto();
    void contrasto2();
    void altraScheda();
    void interruttori_data();
    void interruttori();
    void opzioniInterruttore_data();
    void opzioniInterruttore();

private:
    FormSchede* apri(const QByteArray& rtf);
    VoceFinta* voce(FormSchede* f) { return qobject_cast<VoceFinta*>(f->assistente()->Voce()); }
    // A switch press and release as the window system sends them, through the program's
    // switch filter; tenutaMs of the window's scanning time pass while the switch is held.
    void colpo(FormSchede* f, Qt::Key tasto, int tenutaMs = 0) {
        TastiFinestra::Premi(f, tasto);
        if (tenutaMs > 0)
            f->Scorri(tenutaMs);
        TastiFinestra::Rilascia(f, tasto);
    }

    QTemporaryDir dir;
    MessaggiFinti messaggiFinti;
    SceltaFinta dialogo;
};

void TestSchede::initTestCase() {
    ImpostaFabbricaVoce([] {
        auto* v = new VoceFinta;
        voci << v;
        return v;
    });
    ImpostaMessaggi(&messaggiFinti);
    ImpostaSceltaTesto(&dialogo);
}

void TestSchede::init() {
    InizializzaStato(Stato(), dir.path() + u'/');
    Stato().Profilo.ParlatoAttivo = true;
    Stato().AreaScelta = QStringLiteral("Europa");
    Navigazione::Azzera();
    RegistraFinestreEsplorazione();
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraSegnaposto; });
    messaggiFinti.errori.clear();
    dialogo = SceltaFinta{};
    voci.clear();
}

void TestSchede::cleanup() {
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraProgramma*>(w))
            finestre << w;
    for (const QPointer<QWidget>& w : finestre)
        delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

FormSchede* TestSchede::apri(const QByteArray& rtf) {
    const QString percorso = dir.filePath(QStringLiteral("scheda%1.rtf").arg(voci.size()));
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        return nullptr;
    f.write(rtf);
    f.close();
    Stato().FileTesto = percorso;
    return qobject_cast<FormSchede*>(Navigazione::Mostra(QStringLiteral("formSchede")));
}

const QByteArray Due =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Roma capitale. Il Po e lungo.\\par}";

void TestSchede::menuEScorciatoie() {
    FormSchede* f = apri(Due);
    QVERIFY(f);
    const QList<std::pair<QString, QKeySequence>> attese{
        {"mnuScheda", QKeySequence(Qt::Key_F2)},
        {"mnuLeggi", QKeySequence(Qt::Key_F3)},
        {"mnuInterrompi", QKeySequence(Qt::Key_F4)},
        {"mnuRiprendi", QKeySequence()},
        {"mnuLeggiSel", QKeySequence(Qt::Key_F5)},
        {"mnuAumenta", QKeySequence("Ctrl+I")},
        {"mnuRiduci", QKeySequence("Ctrl+R")},
        {"mnuModificaCol", QKeySequence("Ctrl+C")},
        {"mnuEsci", QKeySequence()}};
    for (const auto& [nome, tasti] : attese) {
        QAction* a = f->Azione(nome);
        QVERIFY2(a, qPrintable(nome));
        QCOMPARE(a->shortcut(), tasti);
    }
    // F3 reads, Ctrl+I enlarges, Ctrl+C changes the contrast even with the caret in the text.
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    f->RichTextBox1()->setFocus();
    QTest::keyClick(f->RichTextBox1(), Qt::Key_F3);
    QCOMPARE(voce(f)->richieste.size(), 1);
    QCOMPARE(Parole(voce(f)->richieste.first()), QString("Roma capitale"));
    QTest::keyClick(f->RichTextBox1(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(Punti(f->RichTextBox1()->document()).first(), 17);
    QTest::keyClick(f->RichTextBox1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(f->SchemaLettura(), 2);
}

void TestSchede::riduciEAumenta_data() {
    QTest::addColumn<QString>("comandi"); // "R" Riduci, "A" Aumenta
    QTest::addColumn<QList<int>>("attesi");
    // The text: 8, 12, 13, 17 and 30 points.
    QTest::newRow("riduci una volta") << "R" << QList<int>{8, 12, 8, 12, 25};
    QTest::newRow("riduci tre volte: mai sotto 8") << "RRR" << QList<int>{8, 12, 8, 12, 15};
    QTest::newRow("aumenta") << "A" << QList<int>{13, 17, 18, 22, 35};
    QTest::newRow("aumenta e riduci") << "AR" << QList<int>{8, 12, 13, 17, 30};
}

void TestSchede::riduciEAumenta() {
    QFETCH(QString, comandi);
    QFETCH(QList<int>, attesi);
    FormSchede* f = apri("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs16 otto \\fs24 dodici "
                         "\\fs26 tredici \\fs34 diciassette \\fs60 trenta\\par}");
    QVERIFY(f);
    QCOMPARE(Punti(f->RichTextBox1()->document()), (QList<int>{8, 12, 13, 17, 30}));
    for (QChar c : comandi)
        c == 'R' ? f->Riduci() : f->Aumenta();
    QCOMPARE(Punti(f->RichTextBox1()->document()), attesi);
}

void TestSchede::riprendiDopoInterrompi() {
    FormSchede* f = apri(Due);
    VoceFinta* v = voce(f);
    f->Leggi();
    // "Roma" heard, then "capitale": the second word is red when reading stops.
    const QString frase = v->richieste.last();
    const auto segnalibri = QRegularExpression("\\\\Mrk=(\\d+)\\\\").globalMatch(frase);
    QList<int> numeri;
    for (auto it = segnalibri; it.hasNext();)
        numeri << it.next().captured(1).toInt();
    QCOMPARE(numeri.size(), 2);
    v->SimulaSegnalibro(numeri[0]);
    v->SimulaSegnalibro(numeri[1]);
    f->Interrompi();
    QVERIFY(!f->Lettura().LetturaContinua());
    f->Riprendi();
    QCOMPARE(Parole(v->richieste.last()), QString("capitale"));
    QVERIFY(f->Lettura().LetturaContinua());
}

void TestSchede::cursoreAMetaParola() {
    FormSchede* f = apri(Due);
    QTextCursor c = f->RichTextBox1()->textCursor();
    c.setPosition(7); // "Roma ca|pitale"
    f->RichTextBox1()->setTextCursor(c);
    f->LeggiDalCursore();
    QCOMPARE(Parole(voce(f)->richieste.last()), QString("pitale"));
}

void TestSchede::testoSenzaPunto() {
    // The sentence loop ends with the text: the last words are spoken once, then reading stops.
    FormSchede* f = apri("{\\rtf1\\ansi\\f0\\fs24 Uno due. Tre quattro\\par}");
    VoceFinta* v = voce(f);
    f->Leggi();
    v->SimulaFine();
    QCOMPARE(Parole(v->richieste.last()), QString("Tre quattro"));
    v->SimulaFine();
    QCOMPARE(v->richieste.size(), 2);
    QVERIFY(!f->Lettura().LetturaContinua());
}

void TestSchede::contrasto2() {
    FormSchede* f = apri(Due);
    f->ModificaColore();
    QCOMPARE(f->SchemaLettura(), 2);
    QCOMPARE(f->RichTextBox1()->palette().color(QPalette::Base), QColor(Qt::black));
    f->Leggi();
    const QString frase = voce(f)->richieste.last();
    const int primo = QRegularExpression("\\\\Mrk=(\\d+)\\\\").match(frase).captured(1).toInt();
    voce(f)->SimulaSegnalibro(primo);
    QTextCursor c(f->RichTextBox1()->document());
    c.setPosition(1);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0)); // "Roma", spoken
    c.setPosition(10);
    QCOMPARE(c.charFormat().foreground().color(), QColor(Qt::white)); // "capitale", not yet
    // Three contrasts, then the first again; a new activation starts from black on white.
    f->ModificaColore();
    QCOMPARE(f->RichTextBox1()->palette().color(QPalette::Base), QColor(224, 224, 224));
    f->ModificaColore();
    QCOMPARE(f->SchemaLettura(), 1);
    f->ModificaColore();
    f->Attivazione();
    QCOMPARE(f->SchemaLettura(), 1);
    QCOMPARE(f->RichTextBox1()->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestSchede::altraScheda() {
    FormSchede* f = apri(Due);
    f->AltraScheda();
    QCOMPARE(messaggiFinti.errori, QStringList{"Non hai scelto nessuna lista!"});
    QVERIFY(dialogo.cartella.endsWith("testi/Europa/"));
    QCOMPARE(f->RichTextBox1()->toPlainText(), QString("Roma capitale. Il Po e lungo."));
    const QString altro = dir.filePath("altro.rtf");
    QFile file(altro);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi Altro testo.\\par}");
    file.close();
    dialogo.risposta = altro;
    f->AltraScheda();
    QCOMPARE(Stato().FileTesto, altro);
    QCOMPARE(f->RichTextBox1()->toPlainText(), QString("Altro testo."));
}

// Switch users: the column of commands walked by the highlight. Scripts: "S" Space, "E" Enter,
// "t" one scanning interval.
void TestSchede::interruttori_data() {
    QTest::addColumn<int>("modalita");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("atteso"); // "leggi", "aumenta", "esci"

    QTest::newRow("manuale: Leggi è il primo") << 2 << "E"
                                               << "leggi";
    QTest::newRow("manuale: tre passi, Aumenta") << 2 << "S S S E"
                                                 << "aumenta";
    QTest::newRow("manuale: Esci dopo l'ultimo") << 2 << "S S S S S S S E"
                                                 << "esci";
    QTest::newRow("automatica: Leggi subito") << 3 << "S"
                                              << "leggi";
    QTest::newRow("automatica: tre intervalli, Aumenta") << 3 << "t t t S"
                                                         << "aumenta";
    QTest::newRow("automatica: il giro torna a Leggi") << 3 << "t t t t t t t t S"
                                                       << "leggi";
    QTest::newRow("automatica: Esci") << 3 << "t t t t t t t S"
                                      << "esci";
}

void TestSchede::interruttori() {
    QFETCH(int, modalita);
    QFETCH(QString, copione);
    QFETCH(QString, atteso);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    QPointer<FormSchede> f = apri(Due);
    QVERIFY(f);
    for (QPushButton* b : f->findChildren<QPushButton*>())
        QVERIFY(b->isVisibleTo(f));
    QCOMPARE(f->PulsanteEvidenziato(), 0);
    for (const QString& a : copione.split(' ')) {
        if (a == "S")
            colpo(f, Qt::Key_Space);
        else if (a == "E")
            colpo(f, Qt::Key_Return);
        else
            f->Scorri(1000);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (atteso == "esci") {
        QVERIFY(!f || !f->isVisible());
        return;
    }
    QVERIFY(f && f->isVisible());
    if (atteso == "leggi")
        QCOMPARE(Parole(voce(f)->richieste.value(0)), QString("Roma capitale"));
    else
        QCOMPARE(Punti(f->RichTextBox1()->document()).first(), 17);
}

// The user's switch options in this window: a press shorter than the acceptance time does
// nothing; auditory scanning speaks every button the highlight reaches (the first one at
// activation), cutting the previous one short.
void TestSchede::opzioniInterruttore_data() {
    QTest::addColumn<int>("accettazioneDecimi");
    QTest::addColumn<bool>("leggiEvidenziato");
    QTest::addColumn<int>("tenutaMs");
    QTest::addColumn<int>("evidenziato"); // after one manual step
    QTest::addColumn<QStringList>("annunci");

    QTest::newRow("pressione breve ignorata") << 5 << false << 200 << 0 << QStringList{};
    QTest::newRow("pressione abbastanza lunga") << 5 << false << 500 << 1 << QStringList{};
    QTest::newRow("scansione uditiva") << 0 << true << 0 << 1 << QStringList{"Leggi", "Interrompi"};
}

void TestSchede::opzioniInterruttore() {
    QFETCH(int, accettazioneDecimi);
    QFETCH(bool, leggiEvidenziato);
    QFETCH(int, tenutaMs);
    QFETCH(int, evidenziato);
    QFETCH(QStringList, annunci);
    Stato().Profilo.ModalitaAccesso = 2;
    Stato().Opzioni.accettazioneDecimi = accettazioneDecimi;
    Stato().Opzioni.leggiEvidenziato = leggiEvidenziato;
    FormSchede* f = apri(Due);
    QVERIFY(f);
    colpo(f, Qt::Key_Space, tenutaMs);
    QCOMPARE(f->PulsanteEvidenziato(), evidenziato);
    // The announcer's speaker is the one made after the character's.
    QStringList detti;
    for (const QPointer<VoceFinta>& v : std::as_const(voci))
        if (v && v != voce(f))
            for (const QString& r : v->richieste)
                detti << Parole(r);
    QCOMPARE(detti, annunci);
    if (leggiEvidenziato) {
        colpo(f, Qt::Key_Space);
        for (const QPointer<VoceFinta>& v : std::as_const(voci))
            if (v && v != voce(f)) {
                // The second step stopped the first announcement.
                QCOMPARE(v->pronunciati.size(), 1);
                QCOMPARE(Parole(v->pronunciati.first()), QString("Riprendi"));
            }
    }
}

QTEST_MAIN(TestSchede)
#include "test_schede.moc"

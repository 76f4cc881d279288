// The reading character: loading by name, the window's show/move/hide, what ImpostaMerlino and
// Leggi do with the profile, and the mouth moving while its audio plays.
#include "shell/Percorsi.h"
#include "shell/Profilo.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/VoceFinta.h"

#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString Cartella = ORBISTO_TEST_DATA_DIR "/personaggi";

ProfiloUtente Profilo(bool parlato = true) {
    ProfiloUtente p = ProfiloPredefinito();
    p.ParlatoAttivo = parlato;
    return p;
}

int PixelColorati(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qAlpha(img.pixel(x, y)) > 0;
    return n;
}

} // namespace

class TestAssistente : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void carica_data();
    void carica();
    void coloreNonValido();
    void elenco();
    void mostraSpostaNascondi();
    void impostaMerlino_data();
    void impostaMerlino();
    void leggi_data();
    void leggi();
    void boccaMentreParla();
    void eventiDellaVoce();
    void aspettiDiversi();
    void caricaDalProfilo();
};

void TestAssistente::initTestCase() {
    Percorsi::ImpostaCartellaProgramma(ORBISTO_SOURCE_DATA_DIR);
}

void TestAssistente::carica_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("caricato");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("cappello");
    QTest::newRow("predefinito") << "Merlin"
                                 << "Merlin"
                                 << "Merlino di prova"
                                 << "punta";
    QTest::newRow("minuscole") << "merlin"
                               << "merlin"
                               << "Merlino di prova"
                               << "punta";
    // Missing fields take the default character's values.
    QTest::newRow("minimo") << "Minimo"
                            << "Minimo"
                            << "Minimo"
                            << "tesa";
    // Anything that cannot be read gives the default character, never an error.
    QTest::newRow("sconosciuto") << "Genie"
                                 << "Merlin"
                                 << "Merlino di prova"
                                 << "punta";
    QTest::newRow("vuoto") << ""
                           << "Merlin"
                           << "Merlino di prova"
                           << "punta";
    QTest::newRow("rotto") << "Rotto"
                           << "Merlin"
                           << "Merlino di prova"
                           << "punta";
    QTest::newRow("colore sbagliato") << "Colori"
                                      << "Merlin"
                                      << "Merlino di prova"
                                      << "punta";
    QTest::newRow("fuori cartella") << "../personaggi/Minimo"
                                    << "Merlin"
                                    << "Merlino di prova"
                                    << "punta";
}

void TestAssistente::carica() {
    QFETCH(QString, nome);
    QFETCH(QString, caricato);
    QFETCH(QString, titolo);
    QFETCH(QString, cappello);
    const AspettoPersonaggio a = CaricaPersonaggio(nome, Cartella);
    QCOMPARE(a.nome, caricato);
    QCOMPARE(a.titolo, titolo);
    QCOMPARE(a.cappello, cappello);
}

void TestAssistente::coloreNonValido() {
    QString errore;
    QVERIFY(!LeggiPersonaggio(R"({"colori": {"pelle": "rosa?"}})", &errore));
    QVERIFY(errore.contains("pelle"));
    QVERIFY(!LeggiPersonaggio(R"({"cappello": "corona"})", &errore));
    QVERIFY(!LeggiPersonaggio("[1, 2]", &errore));
    // Without its folder, the built-in character.
    QCOMPARE(CaricaPersonaggio("Merlin", "/nessuna/cartella").titolo, QString("Mago Merlino"));
}

void TestAssistente::elenco() {
    // The default one first, files that could never be loaded by name left out.
    const QStringList nomi = ElencoPersonaggi(Cartella);
    QCOMPARE(nomi.first(), QString("Merlin"));
    QCOMPARE(nomi.count("Merlin"), 1);
    QVERIFY(nomi.contains("Minimo"));
    // The shipped characters: at least two looks, every one readable.
    const QStringList veri = ElencoPersonaggi();
    QVERIFY(veri.size() >= 2);
    for (const QString& n : veri)
        QCOMPARE(CaricaPersonaggio(n).nome, n);
}

void TestAssistente::mostraSpostaNascondi() {
    QWidget finestra;
    Assistente a(PersonaggioPredefinito(), new VoceFinta, &finestra);
    QVERIFY(a.isWindow());
    QVERIFY(a.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!a.isVisible());
    a.MoveTo(300, 200);
    a.Show();
    QVERIFY(a.isVisible());
    QCOMPARE(a.pos(), QPoint(300, 200));
    a.MoveTo(-340, -400); // off the screen, as the map windows put it
    QCOMPARE(a.pos(), QPoint(-340, -400));
    a.Hide();
    QVERIFY(!a.isVisible());
    a.Show();
    QVERIFY(a.isVisible());
    QCOMPARE(a.pos(), QPoint(-340, -400));
}

void TestAssistente::impostaMerlino_data() {
    QTest::addColumn<bool>("parlato");
    QTest::addColumn<QRect>("finestra");
    QTest::addColumn<bool>("visibile");
    QTest::addColumn<QPoint>("posizione");
    QTest::newRow("schermo intero") << true << QRect(0, 0, 1280, 800) << true << QPoint(-200, -200);
    QTest::newRow("spostata") << true << QRect(40, 30, 800, 600) << true << QPoint(-160, -230);
    QTest::newRow("parlato spento") << false << QRect(0, 0, 1280, 800) << false << QPoint(0, 0);
}

void TestAssistente::impostaMerlino() {
    QFETCH(bool, parlato);
    QFETCH(QRect, finestra);
    QFETCH(bool, visibile);
    QFETCH(QPoint, posizione);
    auto* voce = new VoceFinta;
    Assistente a(PersonaggioPredefinito(), voce);
    a.MoveTo(0, 0);
    a.SoundEffectsOn = true;
    a.StileFumetto = 3;
    ProfiloUtente p = Profilo(parlato);
    p.ModoVoce = "{roa/it}";
    ImpostaMerlino(&a, p, finestra);
    QCOMPARE(a.isVisible(), visibile);
    QCOMPARE(a.pos(), posizione);
    QCOMPARE(voce->modo, parlato ? QString("{roa/it}") : QString());
    QCOMPARE(a.SoundEffectsOn, !parlato);
    QCOMPARE(a.StileFumetto & 1, parlato ? 0 : 1);
    ImpostaMerlino(nullptr, p, finestra); // no character: nothing happens
}

void TestAssistente::leggi_data() {
    QTest::addColumn<bool>("parlato");
    QTest::addColumn<bool>("fermaPrima");
    QTest::addColumn<QStringList>("detti");
    QTest::addColumn<int>("fermate");
    QTest::newRow("esplorazione") << true << false
                                  << QStringList{"\\Spd=130\\\\Pit=100\\Prima",
                                                 "\\Spd=130\\\\Pit=100\\Sicilia"}
                                  << 0;
    QTest::newRow("quiz") << true << true << QStringList{"\\Spd=130\\\\Pit=100\\Sicilia"} << 1;
    QTest::newRow("parlato spento")
        << false << true << QStringList{"\\Spd=130\\\\Pit=100\\Prima"} << 0;
}

void TestAssistente::leggi() {
    QFETCH(bool, parlato);
    QFETCH(bool, fermaPrima);
    QFETCH(QStringList, detti);
    QFETCH(int, fermate);
    auto* voce = new VoceFinta;
    Assistente a(PersonaggioPredefinito(), voce);
    a.Speak("\\Spd=130\\\\Pit=100\\Prima");
    Leggi(&a, Profilo(parlato), "Sicilia", fermaPrima);
    QCOMPARE(voce->pronunciati, detti);
    QCOMPARE(voce->fermate, fermate);
    Leggi(nullptr, Profilo(), "Sicilia", true); // no character: no error
}

void TestAssistente::boccaMentreParla() {
    auto* voce = new VoceFinta;
    Assistente a(PersonaggioPredefinito(), voce);
    a.Show();
    QCOMPARE(a.AperturaBocca(), 0.0);
    emit voce->InVoce(true);
    QVERIFY(a.StaParlando());
    // The mouth opens and closes while the audio plays.
    double minimo = 1, massimo = 0;
    for (int i = 0; i < 12; ++i) {
        QTest::qWait(45);
        minimo = std::min(minimo, a.AperturaBocca());
        massimo = std::max(massimo, a.AperturaBocca());
    }
    QVERIFY(massimo > 0.5);
    QVERIFY(massimo - minimo > 0.2);
    emit voce->InVoce(false);
    QVERIFY(!a.StaParlando());
    QCOMPARE(a.AperturaBocca(), 0.0);
}

void TestAssistente::eventiDellaVoce() {
    auto* voce = new VoceFinta;
    Assistente a(PersonaggioPredefinito(), voce);
    QSignalSpy segni(&a, &Assistente::Bookmark);
    QSignalSpy fine(&a, &Assistente::RequestComplete);
    voce->SimulaSegnalibro(42);
    voce->SimulaFine();
    QCOMPARE(segni.count(), 1);
    QCOMPARE(segni.first().first().toInt(), 42);
    QCOMPARE(fine.count(), 1);
    // The character's speaker goes with it.
    QPointer<MotoreVoce> v(voce);
    {
        Assistente b(PersonaggioPredefinito(), new VoceFinta);
        v = b.Voce();
    }
    QVERIFY(v.isNull());
}

void TestAssistente::aspettiDiversi() {
    QImage immagini[2];
    const QString nomi[2] = {"Merlin", "Tessa"};
    for (int i = 0; i < 2; ++i) {
        Assistente a(CaricaPersonaggio(nomi[i]), new VoceFinta);
        immagini[i] = a.grab().toImage();
        // A figure, not an empty or filled box.
        const int colorati = PixelColorati(immagini[i]);
        QVERIFY2(colorati > immagini[i].width() * immagini[i].height() / 5, qPrintable(nomi[i]));
        QVERIFY2(colorati < immagini[i].width() * immagini[i].height() * 9 / 10,
                 qPrintable(nomi[i]));
    }
    QVERIFY(immagini[0] != immagini[1]);
}

void TestAssistente::caricaDalProfilo() {
    QWidget finestra;
    ProfiloUtente p = Profilo();
    p.Personaggio = "Tessa";
    QPointer<Assistente> a = CaricaAssistente(&finestra, p, new VoceFinta);
    QCOMPARE(a->Aspetto().nome, QString("Tessa"));
    QCOMPARE(a->LanguageID, 1040);
    p.Personaggio = "PersonaggioCheNonEsiste";
    QCOMPARE(CaricaAssistente(&finestra, p, new VoceFinta)->Aspetto().nome, QString("Merlin"));
}

QTEST_MAIN(TestAssistente)
#include "test_assistente.moc"

// The text chooser driven as a pupil drives it: with the mouse and the keyboard, with the two
// switches of manual scanning and the one of automatic scanning; "Altro..." through the file
// dialog a teacher uses.

#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "tests/comune/ContrastoDisegnato.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/finestra/DialogoFile.h"
#include "workspace/finestra/SceltaTesto.h"
#include "workspace/testi/CartelleTesti.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

class DialogoFinto : public DialogoFile {
public:
    QString risposta;
    QString cartella;
    int chiamate = 0;
    QString Scegli(QWidget*, int, const QString&, const QString&, const QString&,
                   const QString& cartellaIniziale, const QString&) override {
        ++chiamate;
        cartella = cartellaIniziale;
        return risposta;
    }
};

// A step of the scanning clock long enough for one step at any interval.
constexpr int Passo = 15000;

} // namespace

class TestSceltaTesto : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testiDellaCartella();
    void scelta_data();
    void scelta();
    void tastoCheHaAperto();
    void aspetto();
    void scritturaNonRiordinata();

private:
    void Scrivi(const QString& nome) {
        QFile f(cartella.filePath(nome));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1 Testo.}");
    }

    QTemporaryDir impostazioni;
    QTemporaryDir cartella;
    DialogoFinto dialogo;
};

void TestSceltaTesto::initTestCase() {
    // As in the program: every switch event goes through the program's filter.
    FiltroInterruttori::Installa();
    ImpostaDialogoFile(&dialogo);
    // Out of order, one upper-case extension, one file that is not a text.
    Scrivi(QStringLiteral("Fiumi e laghi.rtf"));
    Scrivi(QStringLiteral("clima.RTF"));
    Scrivi(QStringLiteral("Appunti.txt"));
    Scrivi(QStringLiteral("Alpi.rtf"));
}

void TestSceltaTesto::init() {
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().Profilo.TempoScansione = 4;
    dialogo = DialogoFinto{};
}

void TestSceltaTesto::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraSceltaTesto*>(w))
            delete w;
}

void TestSceltaTesto::testiDellaCartella() {
    const QStringList testi = CartelleTesti::TestiDellaCartella(cartella.path());
    QStringList nomi;
    for (const QString& t : testi)
        nomi << CartelleTesti::NomeDelTesto(t);
    QCOMPARE(nomi, (QStringList{"Alpi", "clima", "Fiumi e laghi"}));
    QVERIFY(CartelleTesti::TestiDellaCartella(cartella.filePath("manca")).isEmpty());
    QVERIFY(CartelleTesti::TestiDellaCartella(QString()).isEmpty());
    QCOMPARE(CartelleTesti::NomeDelTesto(QStringLiteral("C:\\testi\\Europa\\Alpi.rtf")),
             QStringLiteral("Alpi"));
}

void TestSceltaTesto::scelta_data() {
    // The script: "S" Space pressed and released, "E" Enter pressed and released, "t" a clock
    // step, "cN" a click on row N, "kN" the keyboard to row N and Enter, "Esc".
    // Rows: 0 Alpi, 1 clima, 2 Fiumi e laghi, 3 Altro..., 4 Torna.
    QTest::addColumn<int>("modo");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("risposta"); // of the file dialog
    QTest::addColumn<QString>("scelto");   // file name, "" nothing, "-" still open
    QTest::addColumn<int>("dialoghi");
    QTest::newRow("mouse: un clic sceglie") << 0 << "c1"
                                            << ""
                                            << "clima.RTF" << 0;
    QTest::newRow("mouse: tastiera e Invio") << 0 << "k2"
                                             << ""
                                             << "Fiumi e laghi.rtf" << 0;
    QTest::newRow("mouse: Torna") << 0 << "c4"
                                  << ""
                                  << "" << 0;
    QTest::newRow("mouse: Esc") << 0 << "Esc"
                                << ""
                                << "" << 0;
    QTest::newRow("mouse: Altro...") << 0 << "c3"
                                     << "/altrove/Mari.rtf"
                                     << "Mari.rtf" << 1;
    QTest::newRow("mouse: Altro... annullato resta aperto") << 0 << "c3"
                                                            << ""
                                                            << "-" << 1;
    QTest::newRow("manuale: Invio sul primo") << 2 << "E"
                                              << ""
                                              << "Alpi.rtf" << 0;
    QTest::newRow("manuale: Spazio sposta, Invio sceglie") << 2 << "S S E"
                                                           << ""
                                                           << "Fiumi e laghi.rtf" << 0;
    QTest::newRow("manuale: il tempo non sposta") << 2 << "t t E"
                                                  << ""
                                                  << "Alpi.rtf" << 0;
    QTest::newRow("manuale: Torna") << 2 << "S S S S E"
                                    << ""
                                    << "" << 0;
    QTest::newRow("manuale: dopo Torna di nuovo il primo") << 2 << "S S S S S E"
                                                           << ""
                                                           << "Alpi.rtf" << 0;
    QTest::newRow("manuale: Altro... annullato, poi un testo") << 2 << "S S S E S S S E"
                                                               << ""
                                                               << "clima.RTF" << 1;
    QTest::newRow("automatica: Spazio sceglie") << 3 << "t S"
                                                << ""
                                                << "clima.RTF" << 0;
    QTest::newRow("automatica: Invio non sceglie") << 3 << "E t t"
                                                   << ""
                                                   << "-" << 0;
    QTest::newRow("automatica: Torna") << 3 << "t t t t S"
                                       << ""
                                       << "" << 0;
    QTest::newRow("automatica: Altro...") << 3 << "t t t S"
                                          << "/altrove/Mari.rtf"
                                          << "Mari.rtf" << 1;
}

void TestSceltaTesto::scelta() {
    QFETCH(int, modo);
    QFETCH(QString, copione);
    QFETCH(QString, risposta);
    QFETCH(QString, scelto);
    QFETCH(int, dialoghi);
    Stato().Profilo.ModalitaAccesso = qint16(modo);
    dialogo.risposta = risposta;
    auto* f = new FinestraSceltaTesto(cartella.path(), QStringLiteral("Scegli un testo"));
    QSignalSpy chiusa(f, &QDialog::finished);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QCOMPARE(f->Elenco()->count(), 5);
    QCOMPARE(f->Elenco()->item(3)->text(), QStringLiteral("Altro..."));
    QCOMPARE(f->Elenco()->item(4)->text(), QStringLiteral("Torna"));
    if (modo != 0)
        QCOMPARE(f->Evidenziata(), 0);
    for (const QString& a : copione.split(u' ', Qt::SkipEmptyParts)) {
        if (!f->isVisible())
            break;
        if (a == u"S") {
            TastiFinestra::Premi(f, Qt::Key_Space);
            TastiFinestra::Rilascia(f, Qt::Key_Space);
        } else if (a == u"E") {
            TastiFinestra::Premi(f, Qt::Key_Return);
            TastiFinestra::Rilascia(f, Qt::Key_Return);
        } else if (a == u"t") {
            f->Scorri(Passo);
        } else if (a == u"Esc") {
            QTest::keyClick(f, Qt::Key_Escape);
        } else if (a.startsWith(u'c')) {
            QListWidgetItem* voce = f->Elenco()->item(a.mid(1).toInt());
            QTest::mouseClick(f->Elenco()->viewport(), Qt::LeftButton, {},
                              f->Elenco()->visualItemRect(voce).center());
        } else if (a.startsWith(u'k')) {
            f->Elenco()->setFocus();
            f->Elenco()->setCurrentRow(a.mid(1).toInt());
            QTest::keyClick(f->Elenco(), Qt::Key_Return);
        }
    }
    QCOMPARE(dialogo.chiamate, dialoghi);
    if (dialoghi > 0)
        QCOMPARE(dialogo.cartella, cartella.path());
    if (scelto == u"-") {
        QVERIFY(f->isVisible());
        QCOMPARE(chiusa.size(), 0);
        return;
    }
    QCOMPARE(chiusa.size(), 1);
    QVERIFY(!f->isVisible());
    if (scelto.isEmpty()) {
        QVERIFY(f->Scelto().isEmpty());
        QCOMPARE(f->result(), int(QDialog::Rejected));
    } else {
        QVERIFY2(f->Scelto().endsWith(u'/' + scelto), qPrintable(f->Scelto()));
        QCOMPARE(f->result(), int(QDialog::Accepted));
    }
}

void TestSceltaTesto::tastoCheHaAperto() {
    // The Enter whose press opened the chooser does not choose in it when released.
    Stato().Profilo.ModalitaAccesso = 2;
    auto* f = new FinestraSceltaTesto(cartella.path(), QStringLiteral("Scegli un testo"));
    f->show();
    TastiFinestra::Rilascia(f, Qt::Key_Return);
    QVERIFY(f->isVisible());
    QVERIFY(f->Scelto().isEmpty());
}

void TestSceltaTesto::aspetto() {
    // Full screen in the profile's font; every row readable, the highlighted one too.
    Stato().Profilo.ModalitaAccesso = 2;
    Stato().Profilo.DimensioneFont = 48;
    Stato().Profilo.ColoreTesto = Stato().Profilo.ColoreSfondo = 0; // a scheme too close
    auto* f = new FinestraSceltaTesto(cartella.path(), QStringLiteral("Scegli un testo"));
    f->resize(1280, 800);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QCOMPARE(f->Elenco()->font().pointSize(), 48);
    QCOMPARE(f->Titolo()->font().pointSize(), 48);
    QVERIFY(!f->Elenco()->accessibleName().isEmpty());
    const QImage immagine = f->Elenco()->viewport()->grab().toImage();
    for (int riga : {0, 1, 4}) {
        const QRect r = f->Elenco()->visualItemRect(f->Elenco()->item(riga));
        const double rapporto = ContrastoDisegnato::Rapporto(immagine, r);
        QVERIFY2(rapporto >= Contrasto::Minimo, qPrintable(QString::number(rapporto)));
    }
    // The highlighted row is red, like the menus' tiles.
    const QRect r0 = f->Elenco()->visualItemRect(f->Elenco()->item(0));
    QCOMPARE(QColor(immagine.pixel(r0.center().x(), r0.top() + 6)), QColor(Qt::red));
}

void TestSceltaTesto::scritturaNonRiordinata() {
    // Typing in a text box in a scanning mode: a Space still waiting in the switch filter is
    // delivered before the next key, so the letters keep their order.
    Stato().Profilo.ModalitaAccesso = 2;
    QLineEdit campo;
    campo.show();
    campo.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&campo));
    const qint64 t = TastiFinestra::Orologio() += 1000;
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    a.setTimestamp(quint64(t));
    QApplication::sendEvent(&campo, &a);
    TastiFinestra::Invia(&campo, {true, Qt::Key_Space, t + 60, false});
    QKeyEvent b(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    b.setTimestamp(quint64(t + 75));
    QApplication::sendEvent(&campo, &b);
    TastiFinestra::Invia(&campo, {false, Qt::Key_Space, t + 120, false});
    TastiFinestra::Scadi();
    QCOMPARE(campo.text(), QStringLiteral("a b"));
}

QTEST_MAIN(TestSceltaTesto)
#include "test_scelta_testo.moc"

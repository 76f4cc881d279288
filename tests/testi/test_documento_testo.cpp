#include "workspace/testi/DocumentoTesto.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

static QTextCharFormat FormatoIn(QTextDocument& d, int posizione) {
    QTextCursor c(&d);
    c.setPosition(posizione + 1); // the format of the character before the cursor
    return c.charFormat();
}

class TestDocumentoTesto : public QObject {
    Q_OBJECT
private slots:
    void posizioniComeIlTesto();
    void formati();
    void riduci_data();
    void riduci();
    void aumenta();
    void coloraIntervallo();
    void caricaFileMancante();
};

void TestDocumentoTesto::posizioniComeIlTesto() {
    // The reading window highlights by positions computed on TestoSemplice(): they must be the
    // document's positions too, across paragraphs, line breaks and tabs.
    const DocumentoRtf rtf = LettoreRtf::Leggi(
        "{\\rtf1\\qc\\b Titolo\\b0\\par\\pard Riga\\line due\\tab x\\par\\par citt\\'e0.}");
    QTextDocument d;
    DocumentoTesto::Riempi(d, rtf);
    // toPlainText() writes the line break as '\n': one character either way.
    QCOMPARE(d.toPlainText(), rtf.TestoSemplice().replace(QChar(0x2028), '\n'));
    const int citta = int(rtf.TestoSemplice().indexOf(QString("città")));
    QTextCursor c(&d);
    c.setPosition(citta);
    c.setPosition(citta + 5, QTextCursor::KeepAnchor);
    QCOMPARE(c.selectedText(), QString("città"));
    QCOMPARE(d.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
}

void TestDocumentoTesto::formati() {
    QTextDocument d;
    DocumentoTesto::Riempi(
        d,
        LettoreRtf::Leggi(
            "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\fs40\\b a\\b0\\i b\\i0\\ul c\\ulnone"
            "\\cf1 d\\cf0 e}"),
        QColor(Qt::white));
    QCOMPARE(FormatoIn(d, 0).fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatoIn(d, 0).fontPointSize(), 20.0);
    QVERIFY(FormatoIn(d, 1).fontItalic());
    QVERIFY(FormatoIn(d, 2).fontUnderline());
    QCOMPARE(FormatoIn(d, 3).foreground().color(), QColor(Qt::red));
    // Runs without a colour of their own take the reader's text colour.
    QCOMPARE(FormatoIn(d, 4).foreground().color(), QColor(Qt::white));
}

void TestDocumentoTesto::riduci_data() {
    QTest::addColumn<int>("mezziPunti");
    QTest::addColumn<double>("dopo");
    QTest::newRow("8") << 16 << 8.0;
    QTest::newRow("12 resta") << 24 << 12.0;
    QTest::newRow("12,5 resta") << 25 << 12.5;
    QTest::newRow("13") << 26 << 8.0;
    QTest::newRow("17") << 34 << 12.0;
    QTest::newRow("30") << 60 << 25.0;
}

void TestDocumentoTesto::riduci() {
    QFETCH(int, mezziPunti);
    QFETCH(double, dopo);
    QTextDocument d;
    DocumentoTesto::Riempi(
        d, LettoreRtf::Leggi(
               QByteArray("{\\rtf1\\fs" + QByteArray::number(mezziPunti) + " ab\\par cd}")));
    DocumentoTesto::RiduciCaratteri(d);
    QCOMPARE(FormatoIn(d, 0).fontPointSize(), dopo);
    QCOMPARE(FormatoIn(d, 4).fontPointSize(), dopo);
}

void TestDocumentoTesto::aumenta() {
    QTextDocument d;
    DocumentoTesto::Riempi(d, LettoreRtf::Leggi("{\\rtf1\\fs24 a\\fs40\\b b}"));
    DocumentoTesto::AumentaCaratteri(d);
    QCOMPARE(FormatoIn(d, 0).fontPointSize(), 17.0);
    QCOMPARE(FormatoIn(d, 1).fontPointSize(), 25.0);
    // Only the size changes.
    QCOMPARE(FormatoIn(d, 1).fontWeight(), int(QFont::Bold));
}

void TestDocumentoTesto::coloraIntervallo() {
    QTextDocument d;
    DocumentoTesto::Riempi(d, LettoreRtf::Leggi("{\\rtf1 Roma \\b bella}"));
    DocumentoTesto::ColoraIntervallo(d, 5, 1000, Qt::red);
    QCOMPARE(FormatoIn(d, 4).foreground().color(), QColor(Qt::black));
    QCOMPARE(FormatoIn(d, 5).foreground().color(), QColor(Qt::red));
    QCOMPARE(FormatoIn(d, 9).foreground().color(), QColor(Qt::red));
    QCOMPARE(FormatoIn(d, 9).fontWeight(), int(QFont::Bold));
    DocumentoTesto::ColoraIntervallo(d, 3, 1, Qt::green); // empty: nothing
    QCOMPARE(FormatoIn(d, 2).foreground().color(), QColor(Qt::black));
    DocumentoTesto::ColoraTutto(d, Qt::white);
    QCOMPARE(FormatoIn(d, 0).foreground().color(), QColor(Qt::white));
    QCOMPARE(FormatoIn(d, 9).foreground().color(), QColor(Qt::white));
}

void TestDocumentoTesto::caricaFileMancante() {
    QTextDocument d;
    d.setPlainText("vecchio");
    const auto errore = DocumentoTesto::Carica(d, ORBISTO_TEST_DATA_DIR "/non_esiste.rtf");
    QVERIFY(errore);
    QVERIFY(d.isEmpty());
    QVERIFY(!DocumentoTesto::Carica(d, ORBISTO_TEST_DATA_DIR "/wordpad.rtf"));
    QVERIFY(d.toPlainText().startsWith("L'Italia"));
}

QTEST_MAIN(TestDocumentoTesto)
#include "test_documento_testo.moc"

#include "workspace/testi/LettoreRtf.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

// A compact picture of the formatting: each run as "[attributes]text", runs joined by '|',
// paragraphs by " / ". Attributes: b, i, u, the size in half points when not 24, #RRGGBB.
static QString Descrivi(const DocumentoRtf& d) {
    QStringList paragrafi;
    for (const ParagrafoRtf& p : d.paragrafi) {
        QStringList segmenti;
        for (const SegmentoRtf& s : p.segmenti) {
            QStringList a;
            if (s.formato.grassetto)
                a << "b";
            if (s.formato.corsivo)
                a << "i";
            if (s.formato.sottolineato)
                a << "u";
            if (s.formato.mezziPunti != 24)
                a << QString::number(s.formato.mezziPunti);
            if (s.formato.colore)
                a << QString("#%1").arg(*s.formato.colore, 6, 16, QChar('0')).toUpper();
            segmenti << "[" + a.join(',') + "]" + s.testo;
        }
        paragrafi << segmenti.join('|');
    }
    return paragrafi.join(" / ");
}

class TestLettoreRtf : public QObject {
    Q_OBJECT
private slots:
    void testo_data();
    void testo();
    void formato_data();
    void formato();
    void allineamento();
    void malformato_data();
    void malformato();
    void spazzaturaBinaria();
    void nonRtf_data();
    void nonRtf();
    void codepageDiversa();
    void fileWordPad();
    void fileMancante();
    void testoTroppoLungo_data();
    void testoTroppoLungo();
};

void TestLettoreRtf::testo_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("semplice") << QByteArray("{\\rtf1 Ciao}") << "Ciao";
    QTest::newRow("par") << QByteArray("{\\rtf1 Uno\\par Due}") << "Uno\nDue";
    QTest::newRow("par finale non crea un paragrafo")
        << QByteArray("{\\rtf1 Uno\\par\r\n}") << "Uno";
    QTest::newRow("paragrafo vuoto in mezzo")
        << QByteArray("{\\rtf1 Uno\\par\\par Due}") << "Uno\n\nDue";
    QTest::newRow("line") << QByteArray("{\\rtf1 a\\line b}") << QString("a\u2028b");
    QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << "a\tb";
    QTest::newRow("delimitatore consumato")
        << QByteArray("{\\rtf1\\b grassetto\\b0  x}") << "grassetto x";
    QTest::newRow("a capo nel sorgente ignorati") << QByteArray("{\\rtf1 a\r\nb\nc}") << "abc";
    QTest::newRow("barra e a capo = par") << QByteArray("{\\rtf1 a\\\nb}") << "a\nb";
    QTest::newRow("1252") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 citt\\'e0 \\'c8 perch\\'e9}")
                          << QString("città È perché");
    QTest::newRow("1252 tra 80 e 9f")
        << QByteArray("{\\rtf1 \\'80 \\'93x\\'94 \\'85}") << QString("€ “x” …");
    QTest::newRow("esadecimale maiuscolo") << QByteArray("{\\rtf1 \\'E8}") << QString("è");
    QTest::newRow("unicode") << QByteArray("{\\rtf1 \\u8364? euro}") << QString("€ euro");
    QTest::newRow("unicode negativo, coppia surrogata")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("😀");
    QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0\\u233 x}") << QString("éx");
    QTest::newRow("uc2 salta due escape")
        << QByteArray("{\\rtf1\\uc2\\u233\\'e9\\'e9x}") << QString("éx");
    QTest::newRow("uc vale nel suo gruppo")
        << QByteArray("{\\rtf1{\\uc2\\u233 ab}\\u233 cd}") << QString("ééd");
    QTest::newRow("parentesi e barra letterali") << QByteArray("{\\rtf1 \\{a\\}\\\\}") << "{a}\\";
    QTest::newRow("simboli") << QByteArray("{\\rtf1 a\\~b\\emdash c\\-d\\bullet}")
                             << QString("a\u00A0b\u2014cd\u2022");
    QTest::newRow("tabella dei font saltata")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times;}}\\f0 Testo}") << "Testo";
    QTest::newRow("info e stylesheet saltati")
        << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}Testo}")
        << "Testo";
    QTest::newRow("destinazione con asterisco")
        << QByteArray("{\\rtf1{\\*\\generator Riched20 10.0;}{\\*\\ignota {annidato} x}Testo}")
        << "Testo";
    QTest::newRow("pict con bin che contiene parentesi")
        << QByteArray("{\\rtf1 a{\\pict\\bin4 {{{{}b}") << "ab";
    QTest::newRow("testo nascosto") << QByteArray("{\\rtf1 a{\\v nascosto}b}") << "ab";
    QTest::newRow("campo: solo il risultato")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Roma}}}") << "Roma";
    QTest::newRow("parametro negativo") << QByteArray("{\\rtf1\\li-720 a}") << "a";
    QTest::newRow("parola di controllo ignota")
        << QByteArray("{\\rtf1\\pippo12 a\\pluto b}") << "ab";
    QTest::newRow("vuoto") << QByteArray("{\\rtf1}") << "";
}

void TestLettoreRtf::testo() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, atteso);
    const DocumentoRtf d = LettoreRtf::Leggi(rtf);
    QVERIFY(d.eraRtf);
    QCOMPARE(d.TestoSemplice(), atteso);
}

void TestLettoreRtf::formato_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("grassetto in un gruppo") << QByteArray("{\\rtf1 a{\\b b}c}") << "[]a|[b]b|[]c";
    QTest::newRow("corsivo e sottolineato")
        << QByteArray("{\\rtf1\\i a\\ul b\\ulnone c\\i0 d}") << "[i]a|[i,u]b|[i]c|[]d";
    QTest::newRow("ul0 spegne") << QByteArray("{\\rtf1\\ul a\\ul0 b}") << "[u]a|[]b";
    QTest::newRow("il gruppo ripristina")
        << QByteArray("{\\rtf1\\b a{\\b0 b}c}") << "[b]a|[]b|[b]c";
    QTest::newRow("fs") << QByteArray("{\\rtf1\\fs36 a\\fs b}") << "[36]a|[]b";
    QTest::newRow("colori") << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;"
                                          "\\red0\\green0\\blue255;}\\cf1 r\\cf2 b\\cf0 n\\cf9 x}")
                            << "[#FF0000]r|[#0000FF]b|[]nx";
    QTest::newRow("ultimo colore senza punto e virgola")
        << QByteArray("{\\rtf1{\\colortbl;\\red0\\green128\\blue0}\\cf1 v}") << "[#008000]v";
    QTest::newRow("plain") << QByteArray("{\\rtf1\\b\\i\\fs40 a\\plain b}") << "[b,i,40]a|[]b";
    QTest::newRow("par divide i paragrafi")
        << QByteArray("{\\rtf1\\b Titolo\\b0\\par Testo}") << "[b]Titolo / []Testo";
    QTest::newRow("escape con formato")
        << QByteArray("{\\rtf1\\b citt\\'e0\\b0  e}") << QString("[b]città|[] e");
}

void TestLettoreRtf::formato() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, atteso);
    QCOMPARE(Descrivi(LettoreRtf::Leggi(rtf)), atteso);
}

void TestLettoreRtf::allineamento() {
    const DocumentoRtf d = LettoreRtf::Leggi(
        "{\\rtf1\\qc\\sa240 Titolo\\par\\pard Testo\\par\\qj\\sb120 Lungo\\par\\qr Firma}");
    QCOMPARE(d.paragrafi.size(), 4);
    QCOMPARE(d.paragrafi[0].allineamento, AllineamentoRtf::Centro);
    QCOMPARE(d.paragrafi[1].allineamento, AllineamentoRtf::Sinistra);
    QCOMPARE(d.paragrafi[2].allineamento, AllineamentoRtf::Giustificato);
    QCOMPARE(d.paragrafi[3].allineamento, AllineamentoRtf::Destra);
    // Spacing is a paragraph property too, cleared by \pard.
    QCOMPARE(d.paragrafi[0].spazioDopo, 240);
    QCOMPARE(d.paragrafi[1].spazioDopo, 0);
    QCOMPARE(d.paragrafi[2].spazioPrima, 120);
    QCOMPARE(d.paragrafi[3].spazioPrima, 120);
}

void TestLettoreRtf::malformato_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("parentesi chiuse in piu") << QByteArray("{\\rtf1 a}}}b") << "ab";
    QTest::newRow("parentesi mai chiuse") << QByteArray("{\\rtf1 {\\b a") << "a";
    QTest::newRow("escape troncato a una cifra") << QByteArray("{\\rtf1 a\\'e") << "a";
    QTest::newRow("escape troncato") << QByteArray("{\\rtf1 a\\'") << "a";
    QTest::newRow("barra finale") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("escape non esadecimale") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("numeri enormi")
        << QByteArray("{\\rtf1\\fs99999999999999999999 a\\cf99999999999 b\\u99999999999 cd}")
        << "abd";
    QTest::newRow("bin enorme") << QByteArray("{\\rtf1 a\\bin99999999999 xyz}") << "a";
    QTest::newRow("bin negativo") << QByteArray("{\\rtf1 a\\bin-5 xyz}") << "axyz";
    QTest::newRow("uc enorme") << QByteArray("{\\rtf1\\uc99999 \\u233 abc}") << QString("é");
    QTest::newRow("parola di controllo lunghissima")
        << QByteArray("{\\rtf1 a\\" + QByteArray(5000, 'x') + " b}") << "ab";
    QTest::newRow("nidificazione profonda")
        << QByteArray("{\\rtf1 " + QByteArray(200000, '{') + "a" + QByteArray(200000, '}') + "b}")
        << "ab";
    QTest::newRow("byte di controllo nel testo") << QByteArray("{\\rtf1 a\x01\x00"
                                                               "b\x7f}",
                                                               13)
                                                 << "ab";
    QTest::newRow("solo intestazione troncata") << QByteArray("{\\rtf") << "";
}

void TestLettoreRtf::malformato() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, atteso);
    const DocumentoRtf d = LettoreRtf::Leggi(rtf);
    QVERIFY(!d.paragrafi.isEmpty());
    QCOMPARE(d.TestoSemplice(), atteso);
}

void TestLettoreRtf::spazzaturaBinaria() {
    // Random bytes after a valid header: the reader must end, with some paragraphs.
    for (quint32 seme = 1; seme <= 20; ++seme) {
        QRandomGenerator g(seme);
        QByteArray dati("{\\rtf1\\ansi ");
        for (int i = 0; i < 20000; ++i) {
            // Plenty of the characters that mean something to RTF.
            static const char speciali[] = "{}\\'*uc0123456789bin ";
            dati.append(g.bounded(3) == 0 ? speciali[g.bounded(int(sizeof speciali) - 1)]
                                          : char(g.bounded(256)));
        }
        const DocumentoRtf d = LettoreRtf::Leggi(dati);
        QVERIFY(!d.paragrafi.isEmpty());
    }
}

void TestLettoreRtf::nonRtf_data() {
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("righe CR LF") << QByteArray("Solo testo\r\nseconda riga\r\n")
                                 << "Solo testo\nseconda riga";
    QTest::newRow("UTF-8") << QByteArray("citt\xc3\xa0") << QString("città");
    QTest::newRow("Windows-1252") << QByteArray("citt\xe0 \x80") << QString("città €");
    QTest::newRow("vuoto") << QByteArray() << "";
    QTest::newRow("quasi rtf") << QByteArray("{\\rt a}") << "{\\rt a}";
}

void TestLettoreRtf::nonRtf() {
    QFETCH(QByteArray, dati);
    QFETCH(QString, atteso);
    const DocumentoRtf d = LettoreRtf::Leggi(dati);
    QVERIFY(!d.eraRtf);
    QCOMPARE(d.TestoSemplice(), atteso);
}

void TestLettoreRtf::codepageDiversa() {
    if (!QStringDecoder("windows-1250").isValid())
        QSKIP("Qt without the Windows-1250 code page");
    // 0xE8 is "č" in Central European, "è" in Western.
    QCOMPARE(LettoreRtf::Leggi("{\\rtf1\\ansi\\ansicpg1250 \\'e8}").TestoSemplice(), QString("č"));
    QCOMPARE(LettoreRtf::Leggi("{\\rtf1\\ansi\\ansicpg99999 \\'e8}").TestoSemplice(), QString("è"));
}

void TestLettoreRtf::fileWordPad() {
    const LettoreRtf::Esito e = LettoreRtf::LeggiFile(ORBISTO_TEST_DATA_DIR "/wordpad.rtf");
    QVERIFY(!e.errore);
    QCOMPARE(e.documento.TestoSemplice(),
             QString("L'Italia\nL'Italia è una penisola a forma di stivale. "
                     "Il fiume più lungo è il Po.\nFine"));
    const ParagrafoRtf& titolo = e.documento.paragrafi[0];
    QCOMPARE(titolo.allineamento, AllineamentoRtf::Centro);
    QVERIFY(titolo.segmenti[0].formato.grassetto);
    QCOMPARE(titolo.segmenti[0].formato.mezziPunti, 40);
    QCOMPARE(titolo.segmenti[0].formato.colore, std::optional<quint32>(0x0000FF));
    QCOMPARE(e.documento.paragrafi[1].segmenti[0].formato.mezziPunti, 28);
}

void TestLettoreRtf::fileMancante() {
    const LettoreRtf::Esito e = LettoreRtf::LeggiFile(ORBISTO_TEST_DATA_DIR "/non_esiste.rtf");
    QVERIFY(e.errore);
    QVERIFY(e.errore->contains("non esiste"));
    QCOMPARE(e.documento.TestoSemplice(), QString());

    const LettoreRtf::Esito cartella = LettoreRtf::LeggiFile(ORBISTO_TEST_DATA_DIR);
    QVERIFY(cartella.errore);
}

void TestLettoreRtf::testoTroppoLungo_data() {
    // A text the window would take minutes to lay out is refused at once, with a message.
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("accettato");
    QTest::newRow("file enorme") << QByteArray(LettoreRtf::DimensioneMassima + 1, 'a') << false;
    QTest::newRow("troppi caratteri")
        << QByteArray("{\\rtf1 ") + QByteArray(LettoreRtf::CaratteriMassimi + 10, 'a') + "}"
        << false;
    QTest::newRow("testo lungo ma leggibile")
        << QByteArray("{\\rtf1 ") + QByteArray(LettoreRtf::CaratteriMassimi / 2, 'a') + "}" << true;
}

void TestLettoreRtf::testoTroppoLungo() {
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, accettato);
    QTemporaryDir dir;
    const QString percorso = dir.path() + "/lungo.rtf";
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
    f.close();
    const LettoreRtf::Esito e = LettoreRtf::LeggiFile(percorso);
    QCOMPARE(!e.errore.has_value(), accettato);
    if (accettato)
        return;
    QVERIFY2(e.errore->contains("troppo lungo"), qPrintable(*e.errore));
    QCOMPARE(e.documento.TestoSemplice(), QString());
}

QTEST_GUILESS_MAIN(TestLettoreRtf)
#include "test_lettore_rtf.moc"

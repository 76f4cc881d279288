#include "catalog/CatalogoArea.h"
#include "workspace/colori/SelezioneMappa.h"

#include <QTest>

using Righe = QList<std::array<QString, 3>>;

static QString Descrivi(const AzioneSelezione& a) {
    QStringList out;
    if (a.ripristina)
        out << "R:" + a.ripristina->nome + "=" + a.ripristina->colore;
    if (a.evidenzia)
        out << "E:" + a.evidenzia->nome + "=" + a.evidenzia->colore;
    out << "T:" + a.testoNome;
    if (a.leggi)
        out << "L";
    return out.join(' ');
}

class TestSelezione : public QObject {
    Q_OBJECT
private slots:
    void clic_data();
    void clic();
};

void TestSelezione::clic_data() {
    QTest::addColumn<bool>("fisica");
    QTest::addColumn<QStringList>("comandi");
    QTest::addColumn<QString>("ultima");
    QTest::addColumn<QString>("selezionato");

    QTest::newRow("primo clic") << false << QStringList{"elementoLombardia"}
                                << "E:Lombardia=FF3300 T:Lombardia L"
                                << "Lombardia";
    QTest::newRow("stesso elemento due volte")
        << false << QStringList{"elementoLombardia", "elementoLombardia"}
        << "R:Lombardia=3399FF E:Lombardia=FF3300 T:Lombardia L"
        << "Lombardia";
    QTest::newRow("un altro elemento")
        << false << QStringList{"elementoLombardia", "elementoPiemonte"}
        << "R:Lombardia=3399FF E:Piemonte=FF3300 T:Piemonte L"
        << "Piemonte";
    QTest::newRow("fisica: elemento") << true << QStringList{"elementoPo"} << "E:Po=000000 T:Po L"
                                      << "Po";
    QTest::newRow("fisica: terra indistinta dopo un elemento")
        << true << QStringList{"elementoPo", "elementoIndistinto"} << "R:Po=0000FF T:"
        << "Po";
    QTest::newRow("fisica: nome di una terra indistinta")
        << true << QStringList{"elementoPo", "elementoPianoro"} << "R:Po=0000FF T:"
        << "Po";
    QTest::newRow("fisica: confine")
        << true << QStringList{"elementoPo", "elementoConfine"} << "R:Po=0000FF T:"
        << "Po";
    QTest::newRow("fisica: confine come primo clic")
        << true << QStringList{"elementoConfine"} << "T:"
        << "";
    QTest::newRow("fisica: dopo l'indistinto si riparte dall'ultimo elemento")
        << true << QStringList{"elementoPo", "elementoIndistinto", "elementoMonte Bianco"}
        << "R:Po=0000FF E:Monte Bianco=000000 T:Monte Bianco L"
        << "Monte Bianco";
}

void TestSelezione::clic() {
    QFETCH(bool, fisica);
    QFETCH(QStringList, comandi);
    QFETCH(QString, ultima);
    QFETCH(QString, selezionato);

    CatalogoArea italia;
    CaricaRegioniItalia(italia);
    const ProfiloUtente p = ProfiloPredefinito();
    const Righe righe{{"Monte Bianco", "monte", "FF3300"},
                      {"Po", "fiume", "0000FF"},
                      {"Pianoro", "indistinto", "999999"},
                      {"Confine", "altri", "009999"},
                      {"Indistinto", "indistinto", "999999"}};
    SelezioneMappa s = fisica ? SelezioneMappa::Fisica(RigheFisiche(righe.data(), righe.size()),
                                                       ColoriFinestraFisica(p).evidenziazione)
                              : SelezioneMappa::Politica(ColoriSceltaRegione(italia, p),
                                                         ColoriFinestraPolitica(p).evidenziazione);
    AzioneSelezione a;
    for (const QString& c : comandi)
        a = s.Clic(c);
    QCOMPARE(Descrivi(a), ultima);
    QCOMPARE(s.ElementoSelezionato(), selezionato);
}

QTEST_GUILESS_MAIN(TestSelezione)
#include "test_selezione.moc"

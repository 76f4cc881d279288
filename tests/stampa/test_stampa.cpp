#include "printing/ContornoMappa.h"
#include "printing/FormMappaBiancoNero.h"
#include "printing/FrmStampa.h"
#include "printing/Modale.h"
#include "printing/MotoreStampa.h"
#include "printing/ScansioneFinestra.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/finestra/DialogoFile.h"
#include "workspace/finestra/FinestraAttivita.h"
#include "workspace/voce/VoceFinta.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Printing driven end to end: printer queues stood in by PDF writers in a temporary folder, the
// preview and the sheet window driven while they are shown, and every printed file checked with
// poppler's tools (page count, page size, where the picture landed, not blank).

namespace {

class MessaggiFinti : public Messaggi {
public:
    QStringList errori, informazioni;
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString& testo, const QString&) override {
        informazioni << testo;
    }
    void Errore(QWidget*, const QString& testo, const QString&) override { errori << testo; }
};

class DialogoFinto : public DialogoFile {
public:
    QString risposta;
    int chiamate = 0;
    QString Scegli(QWidget*, int, const QString&, const QString&, const QString&, const QString&,
                   const QString&) override {
        ++chiamate;
        return risposta;
    }
};

// Printer queues that write each job to its own PDF file: "<queue>-<n>.pdf".
class SistemaFinto : public SistemaStampa {
public:
    QString cartella;
    QStringList stampanti;
    QString predefinita;
    QStringList grigie; // monochrome queues
    QStringList rotte;  // queues whose jobs cannot start
    std::function<bool(QPrinter&)> dialogo;
    int lavori = 0;
    QStringList file;

    QStringList Stampanti() const override { return stampanti; }
    QString Predefinita() const override { return predefinita; }
    std::unique_ptr<QPrinter> Crea(const QString& nome) override {
        if (!stampanti.contains(nome))
            return nullptr;
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setResolution(300);
        p->setPageSize(QPageSize(QPageSize::A4));
        p->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        p->setColorMode(grigie.contains(nome) ? QPrinter::GrayScale : QPrinter::Color);
        const QString f = rotte.contains(nome)
                              ? QStringLiteral("/cartella-che-non-esiste/x/lavoro.pdf")
                              : cartella + u'/' + nome + u'-' + QString::number(++lavori) +
                                    QStringLiteral(".pdf");
        p->setOutputFileName(f);
        file << f;
        return p;
    }
    bool Dialogo(QPrinter& p, QWidget*) override { return dialogo ? dialogo(p) : false; }
};

// A minimal activity window on the frame, counting its activations.
class FinestraProva : public FinestraAttivita {
public:
    explicit FinestraProva(QString chiave) : FinestraAttivita(Tipo::Politica), chiave_(chiave) {
        CaricaMappa();
    }
    int attivazioni = 0;

protected:
    QString ChiaveMappa() const override { return chiave_; }
    int UltimoElemento() const override { return -1; }
    QString NomeElemento(int) const override { return {}; }
    QString ColoreProprio(int) const override { return QStringLiteral("FFFFFF"); }
    PassataColori ColoriDellaMappa() const override { return {}; }
    void DopoNormale() override { ++attivazioni; }

private:
    QString chiave_;
};

// A solid picture of the given size.
DisegnoStampa Rettangolo(QSize s, QColor c = Qt::red) {
    QImage img(s, QImage::Format_RGB32);
    img.fill(c);
    return DisegnoStampa::DaImmagine(img);
}

struct InfoPdf {
    int pagine = 0;
    QSizeF paginaMm;
};

InfoPdf LeggiPdf(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished(20000);
    InfoPdf i;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const auto pag = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    if (pag.hasMatch())
        i.pagine = pag.captured(1).toInt();
    const auto dim =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(out);
    if (dim.hasMatch())
        i.paginaMm = QSizeF(dim.captured(1).toDouble(), dim.captured(2).toDouble()) * 25.4 / 72.0;
    return i;
}

// The first page rendered in grey at 50 dpi (half a millimetre per pixel): the box of the dark
// pixels in millimetres and how many there are.
struct Inchiostro {
    QRectF scatolaMm;
    qsizetype scuri = 0;
};
constexpr int DpiControllo = 50;

Inchiostro Rendi(const QString& file, const QString& cartella) {
    const QString base = cartella + QStringLiteral("/resa");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(DpiControllo), QStringLiteral("-gray"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), file, base});
    p.waitForFinished(30000);
    QImage img(base + QStringLiteral(".pgm"));
    Inchiostro r;
    if (img.isNull())
        return r;
    img = img.convertToFormat(QImage::Format_Grayscale8);
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y) {
        const uchar* riga = img.constScanLine(y);
        for (int x = 0; x < img.width(); ++x)
            if (riga[x] < 200) {
                ++r.scuri;
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    }
    if (x1 >= 0) {
        const double mm = 25.4 / DpiControllo;
        r.scatolaMm = QRectF(x0 * mm, y0 * mm, (x1 - x0 + 1) * mm, (y1 - y0 + 1) * mm);
    }
    return r;
}

bool Vicino(const QRectF& a, const QRectF& b, double tolleranza) {
    return std::abs(a.left() - b.left()) <= tolleranza &&
           std::abs(a.top() - b.top()) <= tolleranza &&
           std::abs(a.right() - b.right()) <= tolleranza &&
           std::abs(a.bottom() - b.bottom()) <= tolleranza;
}

template <class T> T* Figlio(QWidget* w, const char* nome) {
    return w->findChild<T*>(QString::fromLatin1(nome));
}

} // namespace

class TestStampa : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void stampaInPdf();
    void centroEMassima();
    void limitiDelleCaselle();
    void chiudiRipristina();
    void ultimaStampantePreselezionata();
    void monocromaticaInGrigio();
    void treCopieTreLavori();
    void guasti_data();
    void guasti();
    void nessunaStampanteSalvaPdf();
    void areaVuota();
    void foglioSenzaMappa();
    void scala_data();
    void scala();
    void ingrandimento();
    void foglioDellArea_data();
    void foglioDellArea();
    void foglioRegionaleEItalia();
    void foglioStampatoNonStirato();
    void chiusuraRiattiva();
    void paginaEsercizio();
    void paginaEsercizioSenzaStampante();
    void accessibilita();
    void fontGrandeNonTaglia();
    void scansioneAnteprima();
    void scansioneFoglio();

private:
    // Opens the preview for the picture; azione drives it while it is shown.
    bool apri(const DisegnoStampa& d, QRect area, std::function<void(FrmStampa&)> azione,
              int orientamento = 2) {
        ImpostaModale([azione](QDialog& f) { azione(static_cast<FrmStampa&>(f)); });
        return FrmStampa::StampaFPB(nullptr, d, area.x(), area.y(), area.width(), area.height(),
                                    orientamento, QStringLiteral("Prova"));
    }
    static void clic(FrmStampa& f, const char* nome) {
        QPushButton* b = Figlio<QPushButton>(&f, nome);
        QVERIFY(b);
        b->click();
    }

    QTemporaryDir impostazioni;
    QTemporaryDir uscita;
    MessaggiFinti messaggiFinti;
    DialogoFinto dialogo;
    SistemaFinto sistema;
};

void TestStampa::initTestCase() {
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([](double) {});
    ImpostaMessaggi(&messaggiFinti);
    ImpostaDialogoFile(&dialogo);
    ImpostaSistemaStampa(&sistema);
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {QStringLiteral("-v")});
    QVERIFY2(p.waitForFinished(10000),
             "pdfinfo is missing: install poppler-utils (scripts/installa-dipendenze.sh)");
}

void TestStampa::init() {
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().Profilo.ModalitaAccesso = 0;
    Stato().AreaScelta = QStringLiteral("Europa");
    messaggiFinti = MessaggiFinti{};
    dialogo = DialogoFinto{};
    QDir(uscita.path()).removeRecursively();
    QDir().mkpath(uscita.path());
    sistema = SistemaFinto{};
    sistema.cartella = uscita.path();
    sistema.stampanti = {QStringLiteral("Prova_A"), QStringLiteral("Prova_B"),
                         QStringLiteral("Grigia")};
    sistema.grigie = {QStringLiteral("Grigia")};
    sistema.predefinita = QStringLiteral("Prova_A");
    MotoreStampa::Istanza().Azzera();
    FrmStampa::NomeStampante().clear();
    FrmStampa::ImpostaDomandaScala({});
}

void TestStampa::cleanup() {
    ImpostaModale({});
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraProgramma*>(w))
            delete w;
}

void TestStampa::stampaInPdf() {
    QRect area;
    QRectF attesoMm;
    const bool ok = apri(Rettangolo({400, 308}), {10, 10, 100, 77}, [&](FrmStampa& f) {
        QCOMPARE(Figlio<QComboBox>(&f, "cboPrinterNames")->currentText(), "Prova_A");
        // A4 landscape less 5 mm margins.
        QCOMPARE(f.Geometria().LarghezzaFoglio(), 287);
        QCOMPARE(f.Geometria().AltezzaFoglio(), 200);
        QVERIFY(f.Geometria().MantieniProporzioni());
        area = f.Geometria().Area();
        // The preview shows the area where it will be printed, in proportion to the sheet.
        const QRect r = f.Anteprima()->Area();
        const QSize box = f.Anteprima()->size() - QSize(8, 8);
        QVERIFY(std::abs(r.x() - box.width() * 10.0 / 287) <= 1);
        QVERIFY(std::abs(r.width() - box.width() * 100.0 / 287) <= 1);
        const QImage foglio = f.Anteprima()->Foglio();
        QCOMPARE(foglio.pixelColor(r.center()), QColor(Qt::red));
        QCOMPARE(foglio.pixelColor(box.width() - 3, box.height() - 3), QColor(Qt::white));
        attesoMm = QRectF(5 + area.x(), 5 + area.y(), area.width(), area.height());
        clic(f, "cmdStampa");
        QVERIFY(!f.isVisible());
    });
    QVERIFY(ok);
    QCOMPARE(area, QRect(10, 10, 100, 77));
    QVERIFY2(messaggiFinti.errori.isEmpty(), qPrintable(messaggiFinti.errori.join(u'\n')));
    QCOMPARE(sistema.file.size() >= 1, true);
    const QString pdf = sistema.file.last();
    const InfoPdf info = LeggiPdf(pdf);
    QCOMPARE(info.pagine, 1);
    QVERIFY2(std::abs(info.paginaMm.width() - 297) < 1 &&
                 std::abs(info.paginaMm.height() - 210) < 1,
             qPrintable(
                 QStringLiteral("%1 x %2").arg(info.paginaMm.width()).arg(info.paginaMm.height())));
    const Inchiostro ink = Rendi(pdf, uscita.path());
    QVERIFY(ink.scuri > 1000);
    QVERIFY2(Vicino(ink.scatolaMm, attesoMm, 1.0), qPrintable(QStringLiteral("%1 %2 %3 %4")
                                                                  .arg(ink.scatolaMm.x())
                                                                  .arg(ink.scatolaMm.y())
                                                                  .arg(ink.scatolaMm.width())
                                                                  .arg(ink.scatolaMm.height())));
    QCOMPARE(FrmStampa::NomeStampante(), QStringLiteral("Prova_A"));
}

void TestStampa::centroEMassima() {
    apri(Rettangolo({400, 308}), {10, 10, 100, 77}, [&](FrmStampa& f) {
        auto* centro = Figlio<QCheckBox>(&f, "chkCentro");
        centro->click();
        QCOMPARE(f.Geometria().Area(), QRect(94, 62, 100, 77)); // 93.5 -> 94, 61.5 -> 62
        QCOMPARE(Figlio<QLineEdit>(&f, "txtPrX")->text(), "94");
        QVERIFY(!Figlio<QLineEdit>(&f, "txtPrX")->isEnabled());
        QVERIFY(!Figlio<QPushButton>(&f, "cmdOrigine")->isEnabled());
        // A new width centres again.
        auto* w = Figlio<QLineEdit>(&f, "txtPrW");
        w->selectAll();
        QTest::keyClicks(w, "120");
        QCOMPARE(f.Geometria().Area(), QRect(84, 54, 120, 92)); // 92.4; 83.5 -> 84; 54
        clic(f, "cmdMax");
        QCOMPARE(f.Geometria().Area(), QRect(14, 0, 260, 200));
        centro->click();
        QVERIFY(Figlio<QPushButton>(&f, "cmdOrigine")->isEnabled());
        clic(f, "cmdOrigine");
        QCOMPARE(f.Geometria().Area(), QRect(0, 0, 260, 200));
        clic(f, "cmdChiudi");
    });
}

void TestStampa::limitiDelleCaselle() {
    apri(Rettangolo({100, 100}), {10, 10, 100, 100}, [&](FrmStampa& f) {
        auto* w = Figlio<QLineEdit>(&f, "txtPrW");
        auto* h = Figlio<QLineEdit>(&f, "txtPrH");
        auto* x = Figlio<QLineEdit>(&f, "txtPrX");
        w->selectAll();
        QTest::keyClicks(w, "0");
        QCOMPARE(w->text(), "1");
        w->selectAll();
        QTest::keyClicks(w, "2500");
        QCOMPARE(w->text(), "2000");
        QCOMPARE(h->text(), "2000"); // 100 x 100 stays 1:1
        w->selectAll();
        QTest::keyClicks(w, "1a5"); // letters cannot be typed
        QCOMPARE(w->text(), "15");
        QCOMPARE(h->text(), "15");
        x->selectAll();
        QTest::keyClicks(x, "-2500");
        QCOMPARE(x->text(), "-2000");
        QCOMPARE(f.Geometria().PosizioneX(), -2000);
        x->selectAll();
        QTest::keyClicks(x, "3-"); // a minus only as the first character
        QCOMPARE(x->text(), "3");
        QTest::keyClick(x, Qt::Key_Up);
        QCOMPARE(x->text(), "4");
        // Up-downs of the sizes go from 2.
        w->setText("2");
        QTest::keyClick(w, Qt::Key_Down);
        QCOMPARE(w->text(), "2");
        clic(f, "cmdChiudi");
    });
}

void TestStampa::chiudiRipristina() {
    QString nome = QStringLiteral("Prova_A");
    MotoreStampa::Istanza().ApriStampante(nome, nullptr);
    const ImpostazioniStampante prima = MotoreStampa::Istanza().Impostazioni();
    sistema.dialogo = [](QPrinter& p) {
        p.setPageOrientation(QPageLayout::Portrait);
        p.setColorMode(QPrinter::GrayScale);
        p.setCopyCount(4);
        return true;
    };
    apri(Rettangolo({100, 100}), {10, 10, 100, 100}, [&](FrmStampa& f) {
        clic(f, "cmdProprieta");
        QCOMPARE(Figlio<QLineEdit>(&f, "txtNCopies")->text(), "4");
        QCOMPARE(f.Geometria().LarghezzaFoglio(), 200); // now portrait
        QVERIFY(f.Anteprima()->Grigio());
        clic(f, "cmdChiudi");
    });
    QCOMPARE(MotoreStampa::Istanza().Impostazioni(), prima);
    QVERIFY(QDir(uscita.path()).entryList({"*.pdf"}).isEmpty());
}

void TestStampa::ultimaStampantePreselezionata() {
    apri(Rettangolo({100, 100}), {10, 10, 50, 50}, [&](FrmStampa& f) {
        auto* cbo = Figlio<QComboBox>(&f, "cboPrinterNames");
        QCOMPARE(cbo->count(), 4);
        QCOMPARE(cbo->itemText(3), SalvaComePdf);
        cbo->setCurrentIndex(1);
        clic(f, "cmdStampa");
    });
    QCOMPARE(FrmStampa::NomeStampante(), QStringLiteral("Prova_B"));
    QString scelta;
    apri(Rettangolo({100, 100}), {10, 10, 50, 50}, [&](FrmStampa& f) {
        scelta = Figlio<QComboBox>(&f, "cboPrinterNames")->currentText();
        clic(f, "cmdChiudi");
    });
    QCOMPARE(scelta, QStringLiteral("Prova_B"));
}

void TestStampa::monocromaticaInGrigio() {
    FrmStampa::NomeStampante() = QStringLiteral("Grigia");
    apri(Rettangolo({100, 100}), {10, 10, 100, 100}, [&](FrmStampa& f) {
        QVERIFY(f.Anteprima()->Grigio());
        const QRect r = f.Anteprima()->Area();
        QCOMPARE(f.Anteprima()->Foglio().pixelColor(r.center()), QColor(85, 85, 85));
        f.MostraIngrandimento();
        const QRect rz = f.AnteprimaIngrandita()->Area();
        QCOMPARE(f.AnteprimaIngrandita()->Foglio().pixelColor(rz.center()), QColor(85, 85, 85));
        f.NascondiIngrandimento(true);
        clic(f, "cmdStampa");
    });
    // The printer itself receives the colour picture.
    const Inchiostro ink = Rendi(sistema.file.last(), uscita.path());
    QVERIFY(ink.scuri > 0);
}

void TestStampa::treCopieTreLavori() {
    apri(Rettangolo({100, 100}), {10, 10, 30, 30}, [&](FrmStampa& f) {
        auto* copie = Figlio<QLineEdit>(&f, "txtNCopies");
        copie->selectAll();
        QTest::keyClicks(copie, "3");
        clic(f, "cmdStampa");
    });
    const QStringList pdf = QDir(uscita.path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    QCOMPARE(pdf.size(), 3);
    for (const QString& p : pdf)
        QCOMPARE(LeggiPdf(uscita.filePath(p)).pagine, 1);
}

void TestStampa::guasti_data() {
    QTest::addColumn<QString>("guasto");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("stampante sparita") << "sparita"
                                       << "non è più disponibile";
    QTest::newRow("lavoro che non parte") << "rotta"
                                          << "Stampa interrotta";
    QTest::newRow("file PDF annullato") << "annullato"
                                        << "Stampa annullata";
}

void TestStampa::guasti() {
    QFETCH(QString, guasto);
    QFETCH(QString, messaggio);
    if (guasto == "rotta")
        sistema.rotte << QStringLiteral("Prova_A");
    if (guasto == "annullato")
        FrmStampa::NomeStampante() = SalvaComePdf;
    bool aperta = false, etichetta = true;
    const bool stampato = apri(Rettangolo({100, 100}), {10, 10, 50, 50}, [&](FrmStampa& f) {
        if (guasto == "sparita")
            sistema.stampanti.removeAll(QStringLiteral("Prova_A"));
        clic(f, "cmdStampa");
        aperta = f.isVisible();
        etichetta = Figlio<QLabel>(&f, "lblStampaInCorso")->isVisible();
        // Still usable: another printer prints.
        if (guasto != "annullato") {
            Figlio<QComboBox>(&f, "cboPrinterNames")->setCurrentText(QStringLiteral("Prova_B"));
            clic(f, "cmdStampa");
        }
    });
    QVERIFY(aperta);
    QVERIFY(!etichetta);
    QCOMPARE(stampato, guasto != "annullato");
    const QStringList tutti = messaggiFinti.errori + messaggiFinti.informazioni;
    QVERIFY2(tutti.join(u'\n').contains(messaggio), qPrintable(tutti.join(u'\n')));
}

void TestStampa::nessunaStampanteSalvaPdf() {
    sistema.stampanti.clear();
    sistema.predefinita.clear();
    dialogo.risposta = uscita.filePath(QStringLiteral("foglio.pdf"));
    bool nota = false;
    QRectF attesoMm;
    const bool ok = apri(Rettangolo({200, 100}), {10, 10, 100, 50}, [&](FrmStampa& f) {
        QCOMPARE(Figlio<QComboBox>(&f, "cboPrinterNames")->currentText(), SalvaComePdf);
        nota = Figlio<QLabel>(&f, "lblNessunaStampante")->isVisible();
        const QPageLayout pagina = *MotoreStampa::Istanza().Impostazioni().pagina;
        const QPointF origine = pagina.paintRect(QPageLayout::Millimeter).topLeft();
        attesoMm = QRectF(origine + QPointF(10, 10), QSizeF(100, 50));
        clic(f, "cmdStampa");
    });
    QVERIFY(ok);
    QVERIFY(nota);
    QVERIFY(messaggiFinti.errori.isEmpty());
    QCOMPARE(dialogo.chiamate, 1);
    const InfoPdf info = LeggiPdf(dialogo.risposta);
    QCOMPARE(info.pagine, 1);
    QVERIFY(std::abs(info.paginaMm.width() - 297) < 1);
    const Inchiostro ink = Rendi(dialogo.risposta, uscita.path());
    QVERIFY2(Vicino(ink.scatolaMm, attesoMm, 1.0), qPrintable(QStringLiteral("%1 %2 %3 %4")
                                                                  .arg(ink.scatolaMm.x())
                                                                  .arg(ink.scatolaMm.y())
                                                                  .arg(ink.scatolaMm.width())
                                                                  .arg(ink.scatolaMm.height())));
}

void TestStampa::areaVuota() {
    bool mostrata = false;
    ImpostaModale([&](QDialog&) { mostrata = true; });
    QVERIFY(!FrmStampa::StampaFPB(nullptr, Rettangolo({10, 10}), 10, 10, 0, 100, 2, "Stampa"));
    QVERIFY(!mostrata);
    QCOMPARE(messaggiFinti.errori, QStringList{QStringLiteral("Errore di stampa")});
}

void TestStampa::foglioSenzaMappa() {
    Stato().AreaScelta = QStringLiteral("Atlantide");
    FormMappaBiancoNero foglio;
    foglio.Attivazione();
    QVERIFY(!foglio.Picture1()->Contorno().Valido());
    QVERIFY(foglio.Errore().contains(QStringLiteral("Atlantide")));
    bool mostrata = false;
    ImpostaModale([&](QDialog&) { mostrata = true; });
    foglio.ConfermaStampa();
    QVERIFY(!mostrata);
    QCOMPARE(messaggiFinti.errori.size(), 1);
    // Another value of the area keeps the sheet shown before.
    Stato().AreaScelta = QStringLiteral("Asia");
    foglio.Attivazione();
    Stato().AreaScelta = QStringLiteral("Atlantide");
    foglio.Attivazione();
    QCOMPARE(foglio.Picture1()->Contorno().Dati()->area, QStringLiteral("Asia"));
    QVERIFY(foglio.Errore().isEmpty());
}

void TestStampa::scala_data() {
    QTest::addColumn<int>("risposta");
    QTest::addColumn<bool>("stampato");
    QTest::addColumn<QRectF>("attesoMm"); // inside the 5 mm margins
    QTest::newRow("Sì") << int(QMessageBox::Yes) << true << QRectF(5 + 9, 5 + 9, 278, 93);
    QTest::newRow("Annulla") << int(QMessageBox::Cancel) << false << QRectF();
}

void TestStampa::scala() {
    QFETCH(int, risposta);
    QFETCH(bool, stampato);
    QFETCH(QRectF, attesoMm);
    int domande = 0;
    FrmStampa::ImpostaDomandaScala([&](QWidget*) {
        ++domande;
        return risposta;
    });
    const bool ok = apri(Rettangolo({300, 100}), {10, 10, 300, 100}, [&](FrmStampa& f) {
        clic(f, "cmdStampa");
        if (f.isVisible())
            clic(f, "cmdChiudi");
    });
    QCOMPARE(domande, 1);
    QCOMPARE(ok, stampato);
    if (!stampato) {
        QVERIFY(sistema.file.size() <= 1); // only the printer opened, no job
        return;
    }
    const Inchiostro ink = Rendi(sistema.file.last(), uscita.path());
    QVERIFY2(Vicino(ink.scatolaMm, attesoMm, 1.0), qPrintable(QStringLiteral("%1 %2 %3 %4")
                                                                  .arg(ink.scatolaMm.x())
                                                                  .arg(ink.scatolaMm.y())
                                                                  .arg(ink.scatolaMm.width())
                                                                  .arg(ink.scatolaMm.height())));
}

void TestStampa::ingrandimento() {
    apri(Rettangolo({100, 100}), {10, 10, 100, 100}, [&](FrmStampa& f) {
        f.Anteprima()->setFocus();
        QTest::keyClick(f.Anteprima(), Qt::Key_Return);
        QVERIFY(f.Ingrandimento()->isVisible());
        QVERIFY(f.AnteprimaIngrandita()->width() > f.Anteprima()->width());
        QCOMPARE(f.Ingrandimento()->toolTip(), QStringLiteral("Chiudi"));
        // Esc closes the enlarged preview, not the window.
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.Ingrandimento()->isVisible());
        QVERIFY(f.isVisible());
        QTest::mouseClick(f.Anteprima(), Qt::LeftButton);
        QVERIFY(f.Ingrandimento()->isVisible());
        QTest::mouseClick(f.AnteprimaIngrandita(), Qt::LeftButton);
        QVERIFY(!f.Ingrandimento()->isVisible());
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
    });
}

void TestStampa::foglioDellArea_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("europa minuscolo") << "europa"
                                      << "Europa";
    QTest::newRow("Italia") << "Italia"
                            << "Italia";
    QTest::newRow("Australia") << "Australia"
                               << "Australia";
    QTest::newRow("Americacs") << "AMERICACS"
                               << "Americacs";
}

void TestStampa::foglioDellArea() {
    QFETCH(QString, area);
    QFETCH(QString, atteso);
    QString errore;
    const ContornoMappa c = ContornoMappa::DellArea(area, &errore);
    QVERIFY2(c.Valido(), qPrintable(errore));
    QCOMPARE(c.Dati()->area, atteso);
    // Black borders on white: every painted pixel is a grey of the outline, nothing coloured, and
    // not blank.
    QImage img(400, 400, QImage::Format_RGB32);
    QPainter p(&img);
    c.Disegna(p, QRectF(0, 0, 400, 400));
    p.end();
    qsizetype neri = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor k = img.pixelColor(x, y);
            QVERIFY(k.red() == k.green() && k.green() == k.blue());
            neri += k.red() < 128;
        }
    QVERIFY(neri > 1000);
    QVERIFY(neri < 400 * 400 / 4); // outlines, not filled areas
}

void TestStampa::foglioRegionaleEItalia() {
    Stato().AreaScelta = QStringLiteral("Italia");
    Stato().PerRegioni = true;
    Stato().RegioneScelta = QStringLiteral("Lazio");
    FinestraProva finestra(QStringLiteral("swf/regioniitaliane/Laziopol1pm.swf"));
    finestra.show();
    finestra.Attivazione();
    QString area;
    int regioni = 0;
    ImpostaModale([&](QDialog& d) {
        auto& foglio = static_cast<FormMappaBiancoNero&>(d);
        const DatiMappa* dati = foglio.Picture1()->Contorno().Dati();
        QVERIFY(dati);
        area = dati->area;
        for (const ElementoMappa& e : dati->elementi)
            regioni += e.ruolo == RuoloElemento::Elemento;
    });
    finestra.Azione(QStringLiteral("mnuStampaMappaBN"))->trigger();
    QCOMPARE(area, QStringLiteral("Italia"));
    QCOMPARE(regioni, 20);
}

void TestStampa::foglioStampatoNonStirato() {
    Stato().AreaScelta = QStringLiteral("Europa");
    FormMappaBiancoNero foglio;
    foglio.Attivazione();
    QVERIFY(foglio.Picture1()->Contorno().Valido());
    // The sheet on the screen keeps the map's proportions.
    const double p = foglio.Picture1()->Contorno().Proporzione();
    QVERIFY(std::abs(double(foglio.Picture1()->width()) / foglio.Picture1()->height() - p) < 0.02);
    QRect area;
    QRectF attesoMm;
    ImpostaModale([&](QDialog& d) {
        auto& f = static_cast<FrmStampa&>(d);
        area = f.Geometria().Area();
        attesoMm = QRectF(5 + area.x(), 5 + area.y(), area.width(), area.height());
        clic(f, "cmdStampa");
    });
    foglio.ConfermaStampa();
    // Europe (5750 x 4400) fits the 100 mm square as 100 x 77: never stretched to the square.
    QCOMPARE(area, QRect(10, 10, 100, 77));
    const QString pdf = sistema.file.last();
    const InfoPdf info = LeggiPdf(pdf);
    QCOMPARE(info.pagine, 1);
    QVERIFY(info.paginaMm.width() > info.paginaMm.height()); // landscape
    const Inchiostro ink = Rendi(pdf, uscita.path());
    QVERIFY(ink.scuri > 500);
    // The outline lies in the print area and spans it.
    QVERIFY2(attesoMm.adjusted(-1, -1, 1, 1).contains(ink.scatolaMm),
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                            .arg(ink.scatolaMm.x())
                            .arg(ink.scatolaMm.y())
                            .arg(ink.scatolaMm.width())
                            .arg(ink.scatolaMm.height())));
    QVERIFY(ink.scatolaMm.width() > 0.9 * attesoMm.width() ||
            ink.scatolaMm.height() > 0.9 * attesoMm.height());
}

void TestStampa::chiusuraRiattiva() {
    Stato().AreaScelta = QStringLiteral("Europa");
    FinestraProva finestra(QStringLiteral("swf/Europa/Europapol1pm.swf"));
    finestra.show();
    finestra.Attivazione();
    const int prima = finestra.attivazioni;
    bool mostrato = false;
    ImpostaModale([&](QDialog& d) {
        mostrato = d.objectName() == QStringLiteral("FormMappaBiancoNero") && d.isModal();
        // "&Esci" of the sheet window.
        for (QAction* a : static_cast<FormMappaBiancoNero&>(d).BarraMenu()->actions())
            if (a->objectName() == QStringLiteral("mnuEsci"))
                a->trigger();
    });
    QAction* bn = finestra.Azione(QStringLiteral("mnuStampaMappaBN"));
    QVERIFY(bn->isEnabled());
    QCOMPARE(bn->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    bn->trigger();
    QVERIFY(mostrato);
    QCOMPARE(finestra.attivazioni, prima + 1);
}

void TestStampa::paginaEsercizio() {
    Stato().AreaScelta = QStringLiteral("Europa");
    FinestraProva finestra(QStringLiteral("swf/Europa/Europapol1pm.swf"));
    finestra.resize(800, 600);
    finestra.show();
    finestra.Attivazione();
    QAction* pagina = finestra.Azione(QStringLiteral("mnuStampaEsercizio"));
    QVERIFY(pagina->isEnabled());
    QCOMPARE(pagina->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    ImpostaModale([](QDialog&) { QFAIL("no dialog may open"); });
    pagina->trigger();
    QVERIFY(messaggiFinti.informazioni.isEmpty());
    QCOMPARE(sistema.file.size(), 1);
    const QString pdf = sistema.file.last();
    QCOMPARE(LeggiPdf(pdf).pagine, 1);
    const Inchiostro ink = Rendi(pdf, uscita.path());
    QVERIFY(ink.scuri > 1000);
    // At its size on the screen, reduced to the printable width, never stretched.
    const double dpi = finestra.logicalDpiX();
    QSizeF mm = QSizeF(finestra.size()) * 25.4 / dpi;
    if (mm.width() > 200 || mm.height() > 287)
        mm.scale(QSizeF(200, 287), Qt::KeepAspectRatio);
    QVERIFY(ink.scatolaMm.left() >= 5 - 1 && ink.scatolaMm.top() >= 5 - 1);
    QVERIFY2(ink.scatolaMm.right() <= 5 + mm.width() + 1 &&
                 ink.scatolaMm.bottom() <= 5 + mm.height() + 1,
             qPrintable(QStringLiteral("%1 x %2 in %3 x %4")
                            .arg(ink.scatolaMm.right())
                            .arg(ink.scatolaMm.bottom())
                            .arg(mm.width())
                            .arg(mm.height())));
}

void TestStampa::paginaEsercizioSenzaStampante() {
    sistema.stampanti.clear();
    sistema.predefinita.clear();
    FinestraProva finestra(QStringLiteral("swf/Europa/Europapol1pm.swf"));
    finestra.show();
    finestra.Attivazione();
    finestra.Azione(QStringLiteral("mnuStampaEsercizio"))->trigger();
    QCOMPARE(messaggiFinti.informazioni,
             QStringList{QStringLiteral("Impossibile stampare il form.")});
    QVERIFY(messaggiFinti.errori.isEmpty());
    QVERIFY(finestra.isVisible());
}

void TestStampa::accessibilita() {
    apri(Rettangolo({100, 100}), {10, 10, 100, 100}, [&](FrmStampa& f) {
        for (QWidget* w : f.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&f) || w->focusPolicy() == Qt::NoFocus)
                continue;
            if (qobject_cast<QLabel*>(w) || w->objectName().startsWith(QStringLiteral("qt_")))
                continue;
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
        // Every command has its key: a mnemonic on the button or on the label of its box.
        for (const char* nome : {"cmdProprieta", "cmdMax", "cmdOrigine", "cmdStampa", "cmdChiudi"})
            QVERIFY2(Figlio<QPushButton>(&f, nome)->text().contains(u'&'), nome);
        for (const char* nome : {"chkProporzioni", "chkCentro"})
            QVERIFY2(Figlio<QCheckBox>(&f, nome)->text().contains(u'&'), nome);
        for (QLabel* l : f.findChildren<QLabel*>())
            if (l->buddy())
                QVERIFY2(l->text().contains(u'&'), qPrintable(l->text()));
        for (const char* nome :
             {"txtNCopies", "txtPrW", "txtPrH", "txtPrX", "txtPrY", "cboPrinterNames"}) {
            bool conEtichetta = false;
            for (QLabel* l : f.findChildren<QLabel*>())
                conEtichetta |= l->buddy() && l->buddy()->objectName() == QLatin1String(nome);
            QVERIFY2(conEtichetta, nome);
        }
        clic(f, "cmdChiudi");
    });
    FormMappaBiancoNero foglio;
    foglio.Attivazione();
    QCOMPARE(foglio.Picture1()->accessibleName().isEmpty(), false);
    for (QAction* a : foglio.BarraMenu()->actions())
        QVERIFY2(a->text().contains(u'&'), qPrintable(a->text()));
}

void TestStampa::fontGrandeNonTaglia() {
    Stato().Profilo.DimensioneFont = 48;
    apri(Rettangolo({100, 100}), {10, 10, 100, 100}, [&](FrmStampa& f) {
        f.adjustSize();
        QCoreApplication::processEvents();
        for (QAbstractButton* b : f.findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(&f) || b->text().isEmpty())
                continue;
            QVERIFY2(b->width() >= b->minimumSizeHint().width() &&
                         b->height() >= b->minimumSizeHint().height(),
                     qPrintable(b->objectName()));
        }
        for (QLabel* l : f.findChildren<QLabel*>()) {
            if (!l->isVisibleTo(&f) || l->wordWrap() || l->text().isEmpty())
                continue;
            QVERIFY2(l->width() >= l->minimumSizeHint().width(), qPrintable(l->text()));
        }
        clic(f, "cmdChiudi");
    });
}

void TestStampa::scansioneAnteprima() {
    Stato().Profilo.ModalitaAccesso = 2; // manual: Space steps, Enter chooses
    bool chiusa = false;
    apri(Rettangolo({400, 308}), {10, 10, 100, 77}, [&](FrmStampa& f) {
        ScansioneFinestra* s = f.Scansione();
        QCOMPARE(s->Modo(), ModoScansione::Manuale);
        QCOMPARE(s->Evidenziata(), 0); // "Stampa"
        QVERIFY(Figlio<QLabel>(&f, "lblScansione")->isVisible());
        QWidget* fuoco = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
        // An Enter released whose press came before the window is no choice.
        QTest::keyRelease(fuoco, Qt::Key_Return);
        QVERIFY(f.isVisible());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f,
                        Qt::Key_Space);
        QCOMPARE(s->Evidenziata(), 1); // "Massima"
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f,
                        Qt::Key_Return);
        QCOMPARE(f.Geometria().Area(), QRect(10, 0, 260, 200));
        QVERIFY(f.isVisible());
        // On to "Chiudi" and out.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f,
                            Qt::Key_Space);
        QCOMPARE(s->Evidenziata(), 5);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f,
                        Qt::Key_Return);
        chiusa = !f.isVisible();
    });
    QVERIFY(chiusa);
    QVERIFY(sistema.file.size() <= 1);

    Stato().Profilo.ModalitaAccesso = 3; // automatic: the clock steps, Space chooses
    Stato().Profilo.TempoScansione = 4;
    bool stampato = false;
    stampato = apri(Rettangolo({400, 308}), {10, 10, 100, 77}, [&](FrmStampa& f) {
        ScansioneFinestra* s = f.Scansione();
        QCOMPARE(s->Evidenziata(), 0);
        s->AvanzaOrologio(1000);
        QCOMPARE(s->Evidenziata(), 1);
        for (int i = 0; i < 5; ++i)
            s->AvanzaOrologio(1000); // round to "Stampa"
        QCOMPARE(s->Evidenziata(), 0);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f,
                        Qt::Key_Space);
    });
    QVERIFY(stampato);
}

void TestStampa::scansioneFoglio() {
    Stato().Profilo.ModalitaAccesso = 2;
    FinestraProva finestra(QStringLiteral("swf/Europa/Europapol1pm.swf"));
    finestra.show();
    finestra.Attivazione();
    bool uscito = false;
    ImpostaModale([&](QDialog& d) {
        auto& foglio = static_cast<FormMappaBiancoNero&>(d);
        QCOMPARE(foglio.Scansione()->Evidenziata(), 0);
        QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : &d;
        QTest::keyClick(w, Qt::Key_Space);
        QCOMPARE(foglio.Scansione()->Evidenziata(), 1); // "Esci"
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d,
                        Qt::Key_Return);
        uscito = !d.isVisible();
    });
    finestra.Azione(QStringLiteral("mnuStampaMappaBN"))->trigger();
    QVERIFY(uscito);
}

QTEST_MAIN(TestStampa)
#include "test_stampa.moc"

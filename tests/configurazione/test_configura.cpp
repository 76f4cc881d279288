#include "catalog/Tavolozza.h"
#include "configuration/Configurazione.h"
#include "configuration/FormConfigura.h"
#include "configuration/GrigliaTavolozza.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/scansione/ComandoScansione.h"
#include "workspace/voce/AnnuncioScansione.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/ParametriVoce.h"
#include "workspace/voce/VoceFinta.h"

#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

// The configuration window as a teacher uses it: tabs, options, the palette, the voice, the
// user, and "&Menu" writing the profile.

namespace {

class MessaggiFinti : public Messaggi {
public:
    QStringList errori;
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString& testo, const QString&) override { errori << testo; }
};

class Segnaposto : public FinestraProgramma {
public:
    using FinestraProgramma::FinestraProgramma;
    void Attivazione() override { ++attivazioni; }
    int attivazioni = 0;
};

QString Esa(const QColor& c) {
    return c.name(QColor::HexRgb).mid(1).toUpper();
}

QList<ModoSintesi> VociProva() {
    return {{"{roa/it}", "Italiano", "it", "roa/it"},
            {"{roa/it+m1}", "Italiano – voce maschile 1", "it", "roa/it+m1"},
            {"{gmw/en}", "English (en)", "en", "gmw/en"}};
}

} // namespace

class TestConfigura : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void casiLimite_data();
    void casiLimite();
    void menuScriveIlProfilo();
    void voceSconosciuta();
    void varianti_data();
    void varianti();
    void utenti();
    void font();
    void provaVoce();
    void opzioniInterruttore();
    void accessibilita();
    void caratteriGrandi();

private:
    FormConfigura* apri() {
        auto* f =
            qobject_cast<FormConfigura*>(Navigazione::Mostra(QStringLiteral("FormConfigura")));
        return f;
    }
    QString Sonda(FormConfigura* f, const QString& nome);
    void Azione(FormConfigura* f, const QString& azione);

    QTemporaryDir dir;
    MessaggiFinti messaggiFinti;
    QList<QPointer<VoceFinta>> voci;
};

void TestConfigura::initTestCase() {
    ImpostaFabbricaVoce([this] {
        auto* v = new VoceFinta;
        voci << v;
        return v;
    });
    ImpostaMessaggi(&messaggiFinti);
    FormConfigura::ImpostaElencoVoci(&VociProva);
    Percorsi::ImpostaCartellaProgramma(ORBISTO_SOURCE_DATA_DIR);
}

void TestConfigura::init() {
    InizializzaStato(Stato(), dir.path() + u'/');
    Navigazione::Azzera();
    Navigazione::Registra(QStringLiteral("FormConfigura"), [] { return new FormConfigura; });
    Navigazione::Registra(Navigazione::MenuAree, [] { return new Segnaposto; });
    messaggiFinti.errori.clear();
    voci.clear();
}

void TestConfigura::cleanup() {
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FinestraProgramma*>(w))
            finestre << w;
    for (const QPointer<QWidget>& w : finestre)
        delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// "scheda N", "modo M", "scansione V", "preset K", "pol R", "fis R", "cella I".
void TestConfigura::Azione(FormConfigura* f, const QString& azione) {
    const QStringList p = azione.split(' ');
    const int n = p.value(1).toInt();
    if (p[0] == "scheda")
        f->TabStrip1()->setCurrentIndex(n);
    else if (p[0] == "modo")
        f->Option4(n)->click();
    else if (p[0] == "scansione")
        f->HScroll3()->setValue(n);
    else if (p[0] == "preset")
        f->Option3(n)->click();
    else if (p[0] == "pol")
        f->Option2(n)->click();
    else if (p[0] == "fis")
        f->OptionFis(n)->click();
    else if (p[0] == "cella")
        f->Griglia()->Premi(n);
    else
        QFAIL(qPrintable("azione sconosciuta " + azione));
}

// What a probe reads from the window or the profile, as text.
QString TestConfigura::Sonda(FormConfigura* f, const QString& nome) {
    const ProfiloUtente& p = Stato().Profilo;
    const auto tutti = [](const auto& lista, auto prova) {
        QStringList valori;
        for (auto* w : lista)
            valori << prova(w);
        valori.removeDuplicates();
        return valori.join('|');
    };
    if (nome == "Label7")
        return f->Label7()->text();
    if (nome == "HScroll3.visibile")
        return f->HScroll3()->isHidden() ? "0" : "1";
    if (nome == "HScroll3")
        return QString::number(f->HScroll3()->value());
    if (nome == "TempoScansione")
        return QString::number(p.TempoScansione);
    if (nome == "ModalitaAccesso")
        return QString::number(p.ModalitaAccesso);
    if (nome == "CheckRiparti.abilitato")
        return f->CheckRiparti()->isEnabled() ? "1" : "0";
    if (nome == "SchemaPolitico") {
        QStringList v;
        for (qint16 i : p.SchemaPolitico)
            v << QString::number(i);
        return v.join(',');
    }
    if (nome == "Colore1")
        return Tavolozza::Esadecimale(p.SchemaPolitico[0]);
    if (nome == "ColoreTesto")
        return QString::number(p.ColoreTesto);
    if (nome == "SchemaFisico11")
        return QString::number(p.SchemaFisico[11]);
    if (nome == "Option2.abilitate")
        return tutti(QList<QRadioButton*>{f->Option2(0), f->Option2(5), f->Option2(7)},
                     [](QWidget* w) { return QString::number(w->isEnabled()); });
    if (nome == "Option2.testo") {
        QList<QRadioButton*> l;
        for (int i = 0; i < 8; ++i)
            l << f->Option2(i);
        return tutti(l, [](QWidget* w) { return Esa(w->palette().color(QPalette::WindowText)); });
    }
    if (nome == "Label5.testo")
        return Esa(f->Label5()->palette().color(QPalette::WindowText));
    if (nome == "OptionFis.sfondo") {
        QList<QRadioButton*> l;
        for (int i = 0; i < 12; ++i)
            l << f->OptionFis(i);
        return tutti(l, [](QWidget* w) { return Esa(w->palette().color(QPalette::Window)); });
    }
    if (nome == "FrameFis.sfondo")
        return Esa(f->FrameFis()->palette().color(QPalette::Window));
    if (nome == "CasellaColoreFis11")
        return Esa(f->CasellaColoreFis(11)->palette().color(QPalette::Window));
    if (nome == "Configurazione4.visibile")
        return f->Option3(3)->isHidden() ? "0" : "1";
    return "?" + nome;
}

void TestConfigura::casiLimite_data() {
    QTest::addColumn<int>("modalita"); // of the profile before opening
    QTest::addColumn<QString>("azioni");
    QTest::addColumn<QString>("attesi"); // "sonda=valore; ..."

    QTest::newRow("automatica: la barra appare a TempoScansione")
        << 0 << "scheda 5; modo 3"
        << "HScroll3.visibile=1; HScroll3=4; Label7=Velocità scansione: 1,00 secondi; "
           "ModalitaAccesso=3";
    QTest::newRow("automatica: 10 quarti di secondo")
        << 0 << "scheda 5; modo 3; scansione 10"
        << "Label7=Velocità scansione: 2,50 secondi; TempoScansione=10";
    QTest::newRow("profilo automatico all'apertura")
        << 3 << "scheda 5"
        << "HScroll3.visibile=1; CheckRiparti.abilitato=1";
    QTest::newRow("mouse: niente ripartenza")
        << 3 << "scheda 5; modo 0"
        << "CheckRiparti.abilitato=0; HScroll3.visibile=0; ModalitaAccesso=0";
    QTest::newRow("manuale: ripartenza possibile, nessuna barra")
        << 0 << "scheda 5; modo 2"
        << "CheckRiparti.abilitato=1; HScroll3.visibile=0";
    QTest::newRow("modalità 1 scritta a mano: nessuna opzione")
        << 1 << "scheda 5"
        << "CheckRiparti.abilitato=0; HScroll3.visibile=0; ModalitaAccesso=1";
    QTest::newRow("Configurazione 2, poi la tavolozza non cambia nulla")
        << 0 << "scheda 2; preset 1; pol 0; cella 5"
        << "Colore1=0033CC; Option2.abilitate=0; SchemaPolitico=210,24,100,145,9,88";
    QTest::newRow("personale, Testi, cella 0: didascalie bianche")
        << 0 << "scheda 2; preset 4; pol 6; cella 0"
        << "Option2.testo=FFFFFF; Label5.testo=FFFFFF; ColoreTesto=0";
    QTest::newRow("Fisiche, Sfondo, cella 24: giallo")
        << 0 << "scheda 3; preset 4; fis 11; cella 24"
        << "SchemaFisico11=24; OptionFis.sfondo=FFFF00; FrameFis.sfondo=FFFF00; "
           "CasellaColoreFis11=FFFF00";
    QTest::newRow("Configurazione 4 solo sulle fisiche") << 0 << "scheda 3"
                                                         << "Configurazione4.visibile=1";
    QTest::newRow("Configurazione 4 nascosta sulle politiche") << 0 << "scheda 3; scheda 2"
                                                               << "Configurazione4.visibile=0";
    QTest::newRow("Configurazione 4 fisica") << 0 << "scheda 3; preset 3"
                                             << "SchemaFisico11=5; FrameFis.sfondo=000000";
}

void TestConfigura::casiLimite() {
    QFETCH(int, modalita);
    QFETCH(QString, azioni);
    QFETCH(QString, attesi);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    FormConfigura* f = apri();
    QVERIFY(f);
    for (const QString& a : azioni.split("; "))
        Azione(f, a);
    for (const QString& atteso : attesi.split("; ")) {
        const QString nome = atteso.section('=', 0, 0);
        QCOMPARE(nome + '=' + Sonda(f, nome), atteso);
    }
}

void TestConfigura::menuScriveIlProfilo() {
    ImpostaUtente(Stato(), "marco");
    FormConfigura* f = apri();
    f->TabStrip1()->setCurrentIndex(FormConfigura::Input);
    f->Option4(2)->click();
    f->CheckRiparti()->click();
    f->HScrollGiri()->setValue(3);
    QPointer<FormConfigura> vivo(f);
    f->ComandoMenu()->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!vivo || !vivo->isVisible());
    QVERIFY(Navigazione::Esistente(Navigazione::MenuAree));
    QFile file(dir.filePath("marco.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray scritto = file.readAll();
    QCOMPARE(scritto, ScriviProfilo(Stato().Profilo));
    QCOMPARE(LeggiProfilo(scritto)->ModalitaAccesso, qint16(2));
    QVERIFY(LeggiProfilo(scritto)->RipartiDopoSelezione);
    QCOMPARE(LeggiOpzioniScansione(dir.filePath("marco.opzioni.ini")).giriPrimaDellaPausa, 3);
}

void TestConfigura::voceSconosciuta() {
    // A profile from another machine: its voice is not here. The window opens, shows the
    // default Italian voice and leaves the profile as it is until a voice is chosen.
    Stato().Profilo.ModoVoce = "{7EF71701-A92D-11d1-B17B-0020AFED142E}";
    FormConfigura* f = apri();
    QCOMPARE(f->List2()->count(), 2); // the Italian voices only
    QCOMPARE(f->List2()->currentItem()->text(), QString("Italiano"));
    QCOMPARE(Stato().Profilo.ModoVoce, QString("{7EF71701-A92D-11d1-B17B-0020AFED142E}"));
    QCOMPARE(FileDelModo(VociProva(), Stato().Profilo.ModoVoce), QString("roa/it"));
    f->List2()->setCurrentRow(1);
    QCOMPARE(Stato().Profilo.ModoVoce, QString("{roa/it+m1}"));
    auto* v = qobject_cast<VoceFinta*>(f->assistente()->Voce());
    QCOMPARE(v->modo, QString("{roa/it+m1}"));
}

void TestConfigura::varianti_data() {
    QTest::addColumn<QStringList>("varianti");
    QTest::addColumn<QStringList>("nomi");
    QTest::addColumn<QString>("secondo");
    QTest::newRow("maschili e femminili in ordine")
        << QStringList{"m2", "klatt", "f1", "m10", "m1", "Alex"}
        << QStringList{"Italiano",
                       "Italiano – voce femminile 1",
                       "Italiano – voce maschile 1",
                       "Italiano – voce maschile 2",
                       "Italiano – voce maschile 10",
                       "English"}
        << "{roa/it+f1}";
    QTest::newRow("nessuna variante")
        << QStringList{} << QStringList{"Italiano", "English"} << "{gmw/en}";
}

void TestConfigura::varianti() {
    QFETCH(QStringList, varianti);
    QFETCH(QStringList, nomi);
    QFETCH(QString, secondo);
    const QList<ModoSintesi> modi = ConVariantiItaliane(
        {{"{roa/it}", "Italian (it)", "it", "roa/it"}, {"{gmw/en}", "English", "en", "gmw/en"}},
        varianti);
    QStringList visti;
    for (const ModoSintesi& m : modi)
        visti << m.nome;
    QCOMPARE(visti, nomi);
    QCOMPARE(modi[1].identificatore, secondo);
    // A variant chosen on another machine whose list lacks it: the plain Italian voice.
    QCOMPARE(FileDelModo(modi, "{roa/it+m7}"), QString("roa/it"));
}

void TestConfigura::utenti() {
    FormConfigura* f = apri();
    f->OpzioneUtente(2)->click(); // "Nuovo utente"
    QVERIFY(!f->Text1()->isHidden());
    QTest::keyClicks(f->Text1(), "a/b");
    QVERIFY(!f->AvvisoNome()->text().isEmpty());
    QVERIFY(Stato().NomeUtente != "a/b");
    f->Text1()->setText("luca");
    QVERIFY(f->AvvisoNome()->text().isEmpty());
    QCOMPARE(Stato().NomeUtente, QString("luca"));
    QCOMPARE(f->Label4()->text(), QString("luca"));
    Stato().Profilo.DimensioneFont = 40;
    f->OpzioneUtente(0)->click(); // saves luca first
    QVERIFY(QFile::exists(dir.filePath("luca.ini")));
    QCOMPARE(Stato().NomeUtente, NomeUtentePredefinito);
    f->OpzioneUtente(1)->click(); // "Modifica utente": the list of users without the options
    QStringList elenco;
    for (int i = 0; i < f->List1()->count(); ++i)
        elenco << f->List1()->item(i)->text();
    QVERIFY(elenco.contains("LUCA"));
    QVERIFY(!elenco.join(',').contains("OPZIONI"));
    QVERIFY(!elenco.contains("_PREDEFINITO"));
    Stato().Profilo.DimensioneFont = 12;
    f->UtenteScelto("LUCA");
    QCOMPARE(Stato().Profilo.DimensioneFont, qint16(40));
    QCOMPARE(f->Label4()->text(), QString("LUCA"));
}

void TestConfigura::font() {
    QFont scelto("DejaVu Sans", 30);
    scelto.setBold(true);
    std::optional<QFont> risposta = scelto;
    FormConfigura::ImpostaSceltaFont([&](const QFont&, QWidget*) { return risposta; });
    FormConfigura* f = apri();
    f->Command3()->click();
    QCOMPARE(Stato().Profilo.NomeFont, QString("DejaVu Sans"));
    QCOMPARE(Stato().Profilo.DimensioneFont, qint16(30));
    QCOMPARE(f->Label8()->text(), QString("Font selezionato DejaVu Sans - 30"));
    QCOMPARE(f->Label8()->font().pointSize(), 30);
    // Cancelled: nothing changes; a font without a point size: the message.
    risposta.reset();
    f->Command3()->click();
    QCOMPARE(Stato().Profilo.DimensioneFont, qint16(30));
    QFont pixel("DejaVu Sans");
    pixel.setPixelSize(20);
    risposta = pixel;
    f->Command3()->click();
    QCOMPARE(messaggiFinti.errori,
             QStringList{"selezionare sia il tipo di font che la dimensione"});
    QCOMPARE(Stato().Profilo.DimensioneFont, qint16(30));
    FormConfigura::ImpostaSceltaFont({});
}

void TestConfigura::provaVoce() {
    FormConfigura* f = apri();
    f->TabStrip1()->setCurrentIndex(FormConfigura::Audio);
    f->HScroll1()->setValue(200);
    f->HScroll2()->setValue(150);
    QCOMPARE(f->Label1()->text(), QString("Velocità = 200"));
    QCOMPARE(Stato().PrefissoVoce, QString("\\Spd=200\\\\Pit=150\\"));
    f->Command1()->click();
    auto* v = qobject_cast<VoceFinta*>(f->assistente()->Voce());
    QCOMPARE(v->richieste.last(), QString("\\Spd=200\\\\Pit=150\\Questa è la mia voce."));
    // Another character: loaded at once, and it speaks.
    const int riga = f->List3()->currentRow();
    f->List3()->setCurrentRow(riga == 0 ? 1 : 0);
    QCOMPARE(Stato().Profilo.Personaggio, f->List3()->currentItem()->data(Qt::UserRole).toString());
    QCOMPARE(f->assistente()->Aspetto().nome.toLower(), Stato().Profilo.Personaggio.toLower());
}

void TestConfigura::opzioniInterruttore() {
    FormConfigura* f = apri();
    f->TabStrip1()->setCurrentIndex(FormConfigura::Input);
    f->CheckLeggiEvidenziato()->click();
    f->HScrollAccettazione()->setValue(5);
    f->HScrollGiri()->setValue(0);
    f->CheckSpessa()->click();
    QCOMPARE(f->LabelAccettazione()->text(), QString("Tempo di accettazione: 0,5 secondi"));
    QCOMPARE(f->LabelGiri()->text(), QString("Giri prima della pausa: mai"));
    const OpzioniScansione o = Stato().Opzioni;
    QVERIFY(o.leggiEvidenziato);
    QCOMPARE(o.accettazioneDecimi, 5);
    QVERIFY(o.evidenziazioneSpessa);
    // The scanning machines made from now on take them.
    ComandoScansione c(CicloScansione(2), ComandoScansione::Opzioni{});
    QCOMPARE(c.Impostazioni().accettazioneMs, 500);
    QVERIFY(c.Impostazioni().leggiEvidenziato);
}

void TestConfigura::accessibilita() {
    FormConfigura* f = apri();
    for (int t = 0; t < f->TabStrip1()->count(); ++t) {
        f->TabStrip1()->setCurrentIndex(t);
        QList<QWidget*> controlli;
        for (auto* w : f->findChildren<QAbstractButton*>())
            controlli << w;
        for (auto* w : f->findChildren<QAbstractSlider*>())
            if (!w->objectName().isEmpty()) // the scroll areas' own bars have no name
                controlli << w;
        for (auto* w : f->findChildren<QListWidget*>())
            controlli << w;
        for (auto* w : f->findChildren<QLineEdit*>())
            controlli << w;
        for (QWidget* w : controlli) {
            if (w->objectName().startsWith("qt_") || w->inherits("QTabBar") ||
                w->parentWidget()->inherits("QTabBar") || w->inherits("QToolButton"))
                continue;
            QVERIFY2(!w->accessibleName().isEmpty(),
                     qPrintable(w->objectName() + ' ' + w->metaObject()->className() + ' ' +
                                w->parentWidget()->objectName()));
        }
    }
    // The palette: 216 accessible cells named by their colour, pressed like a click.
    f->TabStrip1()->setCurrentIndex(FormConfigura::Fisiche);
    f->OptionFis(3)->click();
    QAccessibleInterface* g = QAccessible::queryAccessibleInterface(f->Griglia());
    QVERIFY(g);
    QCOMPARE(g->childCount(), 216);
    QAccessibleInterface* cella = g->child(24);
    QCOMPARE(cella->text(QAccessible::Name), QString("Colore 24: FFFF00"));
    QCOMPARE(cella->role(), QAccessible::Button);
    cella->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(Stato().Profilo.SchemaFisico[3], qint16(24));
    // Keyboard: arrows and Space.
    f->Griglia()->setFocus();
    f->Griglia()->ImpostaCorrente(0);
    QTest::keyClick(f->Griglia(), Qt::Key_Down);
    QTest::keyClick(f->Griglia(), Qt::Key_Right);
    QTest::keyClick(f->Griglia(), Qt::Key_Space);
    QCOMPARE(Stato().Profilo.SchemaFisico[3], qint16(GrigliaTavolozza::Colonne + 1));
    QVERIFY(f->Griglia()->RettangoloCella(0).width() >= GrigliaTavolozza::LatoMinimo);
}

void TestConfigura::caratteriGrandi() {
    // At twice the usual font size no caption is cut: every control gets at least the room it
    // asks for (the tabs scroll instead).
    const QFont prima = QApplication::font();
    QFont grande = prima;
    grande.setPointSizeF(prima.pointSizeF() * 2);
    QApplication::setFont(grande);
    FormConfigura* f = apri();
    f->resize(1024, 600);
    for (int t = 0; t < f->TabStrip1()->count(); ++t) {
        f->TabStrip1()->setCurrentIndex(t);
        QApplication::processEvents();
        for (QAbstractButton* b : f->findChildren<QAbstractButton*>()) {
            if (!b->isVisible() || b->inherits("QToolButton"))
                continue;
            QVERIFY2(b->width() >= b->minimumSizeHint().width(), qPrintable(b->objectName()));
            QVERIFY2(b->height() >= b->minimumSizeHint().height(), qPrintable(b->objectName()));
        }
    }
    QApplication::setFont(prima);
}

QTEST_MAIN(TestConfigura)
#include "test_configura.moc"

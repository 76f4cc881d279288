// The menus driven as a pupil drives them: mouse clicks, and the Space and Enter switches of
// manual and automatic scanning, with the scanning clock's ticks injected. The activity windows
// are stand-ins that only record that they were shown.

#include "catalog/CatalogoArea.h"
#include "catalog/Preset.h"
#include "catalog/Tavolozza.h"
#include "shell/Avvio.h"
#include "shell/Messaggi.h"
#include "shell/Navigazione.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "shell/menu/ApriDocumento.h"
#include "shell/menu/CasellaMenu.h"
#include "shell/menu/DisegniMenu.h"
#include "shell/menu/FormInfo.h"
#include "shell/menu/FormMenu.h"
#include "shell/menu/FormMenu2.h"
#include "shell/menu/FormMenu3.h"
#include "shell/menu/NomiFinestre.h"
#include "shell/menu/Registrazioni.h"
#include "tests/comune/ContrastoDisegnato.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/colori/ColoriMappa.h"
#include "workspace/mappa/MappaWidget.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "workspace/voce/AnnuncioScansione.h"
#include "workspace/voce/VoceFinta.h"

Q_DECLARE_METATYPE(FlussoTasti)

namespace {

// Every tick of the tests is one step: 60 quarter seconds, so the real clock never steps.
constexpr int Tempo = 60;
constexpr int Passo = 15000;

class Finta : public FinestraProgramma {
public:
    int attivazioni = 0;
    void Attivazione() override { ++attivazioni; }
};

class MessaggiFinti : public Messaggi {
public:
    QStringList domande, informazioni, errori;
    bool Domanda(QWidget*, const QString& t, const QString&) override {
        domande << t;
        return false;
    }
    void Informazione(QWidget*, const QString& t, const QString&) override { informazioni << t; }
    void Errore(QWidget*, const QString& t, const QString&) override { errori << t; }
};

const QStringList TutteLeAttivita{
    NomiFinestre::MappaPolitica,        NomiFinestre::MappaFisica,
    NomiFinestre::PuzzlePolitico,       NomiFinestre::PuzzleFisico,
    NomiFinestre::DovePolitico,         NomiFinestre::DoveFisico,
    NomiFinestre::TestRegioni,          NomiFinestre::Schede,
    NomiFinestre::MappaPoliticaRegione, NomiFinestre::PuzzlePoliticoRegione,
    NomiFinestre::DovePoliticoRegione,  NomiFinestre::MappaFisicaRegione,
    NomiFinestre::PuzzleFisicoRegione,  NomiFinestre::DoveFisicoRegione,
};

void RegistraFinte(const QStringList& nomi) {
    for (const QString& n : nomi)
        Navigazione::Registra(n, [] { return new Finta; });
}

// The window of a name when it is alive and shown.
QWidget* Visibile(const QString& nome) {
    QWidget* w = Navigazione::Esistente(nome);
    return w && w->isVisible() ? w : nullptr;
}

template <typename T> T* Mostra(const QString& nome) {
    // Windows that closed themselves go away first, as between two clicks of the pupil.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* w = qobject_cast<T*>(Navigazione::Mostra(nome));
    if (w) {
        // Shortcuts need the active window, as on the pupil's screen.
        if (!QTest::qWaitForWindowActive(w))
            qWarning("window not active");
        w->setFocus();
    }
    return w;
}

// A switch press or release on the widget that has the keyboard, through the switch filter.
void Premi(QWidget* finestra, Qt::Key tasto) {
    QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : finestra;
    TastiFinestra::Premi(w, tasto);
}
void Rilascia(QWidget* finestra, Qt::Key tasto) {
    QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : finestra;
    TastiFinestra::Rilascia(w, tasto);
}

// Runs a script on a menu: "t" a clock tick, "S" Space pressed and released, "E" Enter pressed
// and released, "P" Space pressed, "R" Space released, "r" Enter released alone. Returns the
// highlighted tile after each action ("-" none) until the window goes away.
QString Esegui(FinestraMenu* m, const QString& copione) {
    QPointer<FinestraMenu> f(m);
    QStringList visti;
    for (const QString& a : copione.split(u' ', Qt::SkipEmptyParts)) {
        if (!f || !f->isVisible())
            break;
        if (a == "t")
            f->Scorri(Passo);
        else if (a == "S") {
            Premi(f, Qt::Key_Space);
            Rilascia(f, Qt::Key_Space);
        } else if (a == "E") {
            Premi(f, Qt::Key_Return);
            Rilascia(f, Qt::Key_Return);
        } else if (a == "P")
            Premi(f, Qt::Key_Space);
        else if (a == "R")
            Rilascia(f, Qt::Key_Space);
        else if (a == "r")
            Rilascia(f, Qt::Key_Return);
        if (f && f->isVisible()) {
            const int i = f->CasellaEvidenziata();
            visti << (i < 0 ? QStringLiteral("-") : QString::number(i));
        }
    }
    return visti.join(u' ');
}

QString NomeDi(const QColor& c) {
    return c.name(QColor::HexRgb).mid(1).toUpper();
}

} // namespace

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuAreeMouse();
    void menuAreeScansione_data();
    void menuAreeScansione();
    void menuAreeComandi();
    void listaUtenti();
    void documentiEInformazioni();

    void menuAttivitaScansione_data();
    void menuAttivitaScansione();
    void caselleNonDisponibili();
    void casellePuzzle_data();
    void casellePuzzle();
    void italiaMouse();
    void schedeETorna();

    void sceltaRegioneClic_data();
    void sceltaRegioneClic();
    void sceltaRegioneManuale();
    void sceltaRegioneAutomatica();
    void regioneACaso_data();
    void regioneACaso();
    void regioniPerInterruttore_data();
    void regioniPerInterruttore();

    void unaPressioneUnaAzione_data();
    void unaPressioneUnaAzione();
    void opzioniInterruttore_data();
    void opzioniInterruttore();

    void caratteriGrandi_data();
    void caratteriGrandi();
    void barraLeggibile_data();
    void barraLeggibile();
    void messaggiLeggibili_data();
    void messaggiLeggibili();
    void viaDiUscitaPerInterruttore_data();
    void viaDiUscitaPerInterruttore();
    void miniature_data();
    void miniature();

private:
    QTemporaryDir impostazioni_;
    MessaggiFinti messaggi_;
    QStringList documenti_;
};

void TestMenu::init() {
    QVERIFY(impostazioni_.isValid());
    QVERIFY(!PreparaStato(impostazioni_.path() + "/"));
    Percorsi::ImpostaCartellaProgramma(ORBISTO_SOURCE_DATA_DIR);
    Stato().Profilo.TempoScansione = Tempo;
    Navigazione::Azzera();
    RegistraFinestre();
    messaggi_ = {};
    ImpostaMessaggi(&messaggi_);
    documenti_.clear();
    ImpostaApertoreDocumenti([this](const QString& p) { documenti_ << p; });
}

void TestMenu::cleanup() {
    ImpostaFabbricaVoce({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            finestre << w;
    for (const QPointer<QWidget>& w : finestre)
        delete w.data();
    Navigazione::Azzera();
    ImpostaMessaggi(nullptr);
    ImpostaApertoreDocumenti({});
    FormMenu3::ImpostaEstrazione({});
}

// --- area menu -----------------------------------------------------------------------------

void TestMenu::menuAreeMouse() {
    auto* menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QVERIFY(menu);
    QCOMPARE(menu->Caselle().size(), 7);
    // Hovering paints the tile red, leaving paints it back.
    CasellaMenu* oceania = menu->Caselle()[6];
    QEnterEvent entra(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(oceania, &entra);
    QCOMPARE(menu->CasellaEvidenziata(), 6);
    QCOMPARE(oceania->ColoreAttuale(), CasellaMenu::Rosso);
    QEvent esce(QEvent::Leave);
    QApplication::sendEvent(oceania, &esce);
    QCOMPARE(menu->CasellaEvidenziata(), -1);

    QTest::mouseClick(oceania, Qt::LeftButton, {}, oceania->rect().center());
    QCOMPARE(Stato().AreaScelta, QStringLiteral("Australia"));
    QCOMPARE(Stato().Catalogo.NumeroElementi, qint16(3));
    QVERIFY(Stato().Fisico.NumeroElementiFisici >= 0);
    QVERIFY(Visibile(Navigazione::MenuAttivita));
    QVERIFY(!menu->isVisible());
}

void TestMenu::menuAreeScansione_data() {
    QTest::addColumn<int>("modo");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("visti");
    QTest::addColumn<QString>("area");
    QTest::newRow("automatica: Space apre la casella evidenziata") << 3 << "t t S"
                                                                   << "1 2"
                                                                   << "Africa";
    QTest::newRow("automatica: da Oceania torna a Italia") << 3 << "t t t t t t t"
                                                           << "1 2 3 4 5 6 0"
                                                           << "";
    QTest::newRow("automatica: Space tenuto ferma l'evidenziazione") << 3 << "t P t t R"
                                                                     << "1 1 1 1"
                                                                     << "Europa";
    QTest::newRow("automatica: Invio non sceglie") << 3 << "E t"
                                                   << "0 1"
                                                   << "";
    QTest::newRow("manuale: Space sposta, Invio apre") << 2 << "S S S E"
                                                       << "1 2 3"
                                                       << "Asia";
    QTest::newRow("manuale: Invio su Italia") << 2 << "E"
                                              << ""
                                              << "Italia";
    QTest::newRow("manuale: il tempo non sposta") << 2 << "t t"
                                                  << "0 0"
                                                  << "";
    QTest::newRow("manuale: Invio rilasciato da un'altra finestra") << 2 << "r r S"
                                                                    << "0 0 1"
                                                                    << "";
    QTest::newRow("mouse: i tasti non fanno nulla") << 0 << "S E t"
                                                    << "- - -"
                                                    << "";
}

void TestMenu::menuAreeScansione() {
    QFETCH(int, modo);
    QFETCH(QString, copione);
    QFETCH(QString, visti);
    QFETCH(QString, area);
    Stato().Profilo.ModalitaAccesso = qint16(modo);
    SalvaProfilo(Stato()); // the menu reloads the profile from its file
    auto* menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QVERIFY(menu);
    QCOMPARE(menu->CasellaEvidenziata(), modo == 0 ? -1 : 0);
    QCOMPARE(Esegui(menu, copione), visti);
    QCOMPARE(Stato().AreaScelta, area);
    QCOMPARE(bool(Visibile(Navigazione::MenuAttivita)), !area.isEmpty());
    if (modo != 0) {
        // A click is not a switch: nothing opens.
        if (Visibile(Navigazione::MenuAree)) {
            QTest::mouseClick(menu->Caselle()[3], Qt::LeftButton);
            QCOMPARE(Stato().AreaScelta, area);
        }
    }
}

void TestMenu::menuAreeComandi() {
    Stato().Profilo.TracciaAttivita = false;
    SalvaProfilo(Stato());
    // Only the area menu: "&Configurazioni" has no window to open.
    Navigazione::Azzera();
    Navigazione::Registra(Navigazione::MenuAree, [] { return new FormMenu; });
    auto* menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QVERIFY(!menu->ComandoEserciziEseguiti()->isVisible());
    QVERIFY(!menu->ComandoConfigura()->isEnabled());
    menu->close();
    RegistraFinestre();

    Stato().Profilo.TracciaAttivita = true;
    SalvaProfilo(Stato());
    RegistraFinte({NomiFinestre::Configurazione, NomiFinestre::EserciziEseguiti});
    menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QVERIFY(menu->ComandoEserciziEseguiti()->isVisible());
    QVERIFY(menu->ComandoConfigura()->isEnabled());
    QTest::keySequence(menu, QKeySequence(Qt::CTRL | Qt::Key_K));
    QVERIFY(Visibile(NomiFinestre::Configurazione));
    QVERIFY(!menu->isVisible());

    // "&Esci" asks; the answer here is No and the menu stays.
    menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QTest::keySequence(menu, QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(messaggi_.domande, QStringList{"Vuoi uscire dal programma?"});
    QVERIFY(menu->isVisible());
}

void TestMenu::listaUtenti() {
    // Only the default user: the list stays hidden.
    auto* menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QVERIFY(menu->ListaUtenti()->isHidden());
    menu->close();

    // A second user with other settings.
    ProfiloUtente marco = Stato().Profilo;
    marco.DimensioneFont = 31;
    marco.ModalitaAccesso = 2;
    QFile f(impostazioni_.path() + "/marco.ini");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ScriviProfilo(marco));
    f.close();
    SalvaProfilo(Stato());

    menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QComboBox* lista = menu->ListaUtenti();
    QVERIFY(!lista->isHidden());
    QCOMPARE(lista->currentText(), QStringLiteral("_predefinito"));
    QCOMPARE(menu->Modo(), ModoScansione::Mouse);
    const int riga = lista->findText("marco");
    QVERIFY(riga >= 0);
    lista->setCurrentIndex(riga);
    emit lista->activated(riga);
    QCOMPARE(Stato().NomeUtente, QStringLiteral("marco"));
    QCOMPARE(Stato().Profilo.DimensioneFont, qint16(31));
    // The new user's input mode applies at once.
    QCOMPARE(menu->Modo(), ModoScansione::Manuale);
    QCOMPARE(menu->CasellaEvidenziata(), 0);
    menu->close();

    // A name the program refuses is not offered, and a current user missing from the list is
    // not shown as the first one of it.
    QFile rifiutato(impostazioni_.path() + "/x..y.ini");
    QVERIFY(rifiutato.open(QIODevice::WriteOnly));
    rifiutato.write(ScriviProfilo(marco));
    rifiutato.close();
    ImpostaUtente(Stato(), QStringLiteral("Giulia"));
    menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QCOMPARE(menu->ListaUtenti()->findText("x..y"), -1);
    QCOMPARE(menu->ListaUtenti()->count(), 2);
    QCOMPARE(menu->ListaUtenti()->currentIndex(), -1);
    QCOMPARE(Stato().NomeUtente, QStringLiteral("Giulia"));
}

void TestMenu::documentiEInformazioni() {
    auto* menu = Mostra<FormMenu>(Navigazione::MenuAree);
    QTest::keyClick(menu, Qt::Key_F2);
    QTest::keyClick(menu, Qt::Key_F1);
    QCOMPARE(documenti_.size(), 2);
    QVERIFY(documenti_[0].endsWith("/docum/progettoorbisto.pdf"));
    QVERIFY(documenti_[1].endsWith("/docum/documentazione.pdf"));
    for (const QString& d : documenti_) {
        QFile pdf(d);
        QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(d));
        QVERIFY(pdf.read(5) == "%PDF-");
    }
    // A missing document shows nothing and does not fail.
    ImpostaApertoreDocumenti({});
    ApriDocumento(menu, impostazioni_.path() + "/nessuno.pdf");

    QTest::keyClick(menu, Qt::Key_F3);
    auto* info = qobject_cast<FormInfo*>(Visibile(Navigazione::Informazioni));
    QVERIFY(info);
    QVERIFY(!menu->isVisible());
    const QString crediti = info->Crediti()->text();
    QVERIFY(crediti.startsWith("Software di\r\n"));
    QVERIFY(crediti.contains("Made with Natural Earth"));
    QVERIFY(crediti.contains("ISTAT, elaborazione openpolis"));
    QCOMPARE(info->Condizioni()->text().count("\r\n"), 1);
    info->PulsanteChiudi()->click();
    QVERIFY(Visibile(Navigazione::MenuAree));
    QVERIFY(!info->isVisible());
}

// --- activity menu -------------------------------------------------------------------------

void TestMenu::menuAttivitaScansione_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("modo");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("visti");
    QTest::addColumn<QString>("aperta");
    QTest::newRow("Africa automatica: senza Test, e di nuovo da capo")
        << "Africa" << 3 << "t t t t t t t t t"
        << "1 2 4 5 6 7 8 0 1"
        << "";
    QTest::newRow("Africa automatica: Space sulla mappa fisica")
        << "Africa" << 3 << "t t t S"
        << "1 2 4" << NomiFinestre::MappaFisica;
    QTest::newRow("Africa manuale: Torna") << "Africa" << 2 << "S S S S S S S E"
                                           << "1 2 4 5 6 7 8" << Navigazione::MenuAree;
    QTest::newRow("Italia manuale: Regioni, poi il Test")
        << "Italia" << 2 << "S E S S S E"
        << "- 0 1 2 3" << NomiFinestre::TestRegioni;
    QTest::newRow("Italia manuale: Regioni, la mappa passa per la scelta della regione")
        << "Italia" << 2 << "S E E"
        << "- 0" << Navigazione::SceltaRegione;
    QTest::newRow("Italia manuale: Regioni, la mappa fisica passa per la scelta della regione")
        << "Italia" << 2 << "S E S S S S E"
        << "- 0 1 2 3 4" << Navigazione::SceltaRegione;
    QTest::newRow("Italia automatica: Regioni, il puzzle fisico passa per la scelta della regione")
        << "Italia" << 3 << "t S t t t t t S"
        << "- 0 1 2 3 4 5" << Navigazione::SceltaRegione;
    QTest::newRow("Italia automatica: Nazione, il Test è saltato") << "Italia" << 3 << "S t t t t"
                                                                   << "0 1 2 4 5"
                                                                   << "";
    QTest::newRow("Italia automatica: Nazione, mappa fisica dell'Italia intera")
        << "Italia" << 3 << "S t t t S"
        << "0 1 2 4" << NomiFinestre::MappaFisica;
    QTest::newRow("Italia automatica: Regioni") << "Italia" << 3 << "t S t t t t"
                                                << "- 0 1 2 3 4"
                                                << "";
}

void TestMenu::menuAttivitaScansione() {
    QFETCH(QString, area);
    QFETCH(int, modo);
    QFETCH(QString, copione);
    QFETCH(QString, visti);
    QFETCH(QString, aperta);
    RegistraFinte(TutteLeAttivita);
    Stato().Profilo.ModalitaAccesso = qint16(modo);
    Stato().AreaScelta = area;
    CaricaCatalogoPolitico(Stato().Catalogo, area);
    auto* menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QVERIFY(menu);
    QCOMPARE(menu->Titolo()->text(), area);
    const bool italia = area == "Italia";
    QCOMPARE(menu->PulsanteScelta(0)->isVisible(), italia);
    QVERIFY(!menu->OpzioneNazione()->isVisible());
    QVERIFY(!menu->Caselle()[3]->isVisible());
    if (italia) {
        // The choice comes first: "Nazione" red, no tile.
        QVERIFY(menu->PulsanteScelta(0)->property("evidenziato").toBool());
        QCOMPARE(menu->CasellaEvidenziata(), -1);
    }
    QCOMPARE(Esegui(menu, copione), visti);
    if (aperta.isEmpty()) {
        QVERIFY(menu->isVisible());
    } else {
        QVERIFY(Visibile(aperta));
        QVERIFY(!menu->isVisible());
    }
}

void TestMenu::casellePuzzle_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("modalita");
    for (const char* a :
         {"Italia", "Europa", "Africa", "Asia", "Americacs", "Sudamerica", "Australia"}) {
        QTest::addRow("%s, mouse", a) << QString::fromLatin1(a) << 0;
        QTest::addRow("%s, scansione", a) << QString::fromLatin1(a) << 3;
    }
}

void TestMenu::casellePuzzle() {
    // The program's own windows: both puzzle tiles are there for every area.
    QFETCH(QString, area);
    QFETCH(int, modalita);
    Stato().Profilo.ModalitaAccesso = qint16(modalita);
    Stato().AreaScelta = area;
    auto* menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QVERIFY(menu->Caselle()[1]->isEnabled());
    QVERIFY(menu->Caselle()[5]->isEnabled());
}

void TestMenu::caselleNonDisponibili() {
    // Only the menus and the two exploration windows exist: the other activities are shown but
    // disabled, and the highlight passes over them.
    Navigazione::Azzera();
    Navigazione::Registra(Navigazione::MenuAree, [] { return new FormMenu; });
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FormMenu2; });
    Navigazione::Registra(Navigazione::SceltaRegione, [] { return new FormMenu3; });
    RegistraFinte({NomiFinestre::MappaPolitica, NomiFinestre::MappaFisica});
    Stato().Profilo.ModalitaAccesso = 3;
    Stato().AreaScelta = "Asia";
    auto* menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QList<int> abilitate;
    for (CasellaMenu* c : menu->Caselle()) {
        if (c->isEnabled())
            abilitate << c->Indice();
        QVERIFY(!c->accessibleName().isEmpty());
    }
    QCOMPARE(abilitate, (QList<int>{0, 4, 8}));
    QCOMPARE(menu->Caselle()[1]->accessibleDescription(),
             QStringLiteral("Attività non ancora disponibile"));
    // Assistive tools see buttons that press like a click, and not the disabled ones.
    QAccessibleInterface* mappa = QAccessible::queryAccessibleInterface(menu->Caselle()[4]);
    QVERIFY(mappa);
    QCOMPARE(mappa->role(), QAccessible::Button);
    QCOMPARE(mappa->text(QAccessible::Name), QStringLiteral("Mappa fisica"));
    QVERIFY(QAccessible::queryAccessibleInterface(menu->Caselle()[1])->state().disabled);
    QCOMPARE(Esegui(menu, "t t t t"), QStringLiteral("4 8 0 4"));
    QTest::mouseClick(menu->Caselle()[1], Qt::LeftButton);
    QVERIFY(menu->isVisible());
    menu->close();
    Stato().Profilo.ModalitaAccesso = 0;
    menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QAccessible::queryAccessibleInterface(menu->Caselle()[4])
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(Visibile(NomiFinestre::MappaFisica));
    Stato().Profilo.ModalitaAccesso = 3;

    // The puzzle window arrives: its tile lights up by itself.
    RegistraFinte({NomiFinestre::PuzzlePolitico});
    menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QVERIFY(menu->Caselle()[1]->isEnabled());
    QCOMPARE(Esegui(menu, "t t t"), QStringLiteral("1 4 8"));
}

void TestMenu::italiaMouse() {
    RegistraFinte(TutteLeAttivita);
    Stato().AreaScelta = "Italia";
    CaricaRegioniItalia(Stato().Catalogo);
    auto* menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QVERIFY(menu->OpzioneNazione()->isVisible());
    QVERIFY(menu->OpzioneNazione()->isChecked());
    QVERIFY(!menu->PulsanteScelta(0)->isVisible());
    QVERIFY(!menu->Caselle()[3]->isVisible());
    QCOMPARE(menu->FinestraDellaCasellaOra(4), NomiFinestre::MappaFisica);

    QTest::mouseClick(menu->OpzioneRegioni(), Qt::LeftButton);
    QVERIFY(Stato().PerRegioni);
    QVERIFY(menu->Caselle()[3]->isVisible());
    QCOMPARE(menu->FinestraDellaCasellaOra(4), Navigazione::SceltaRegione);

    // Leaving and coming back keeps "Regioni".
    QTest::mouseClick(menu->Caselle()[8], Qt::LeftButton);
    QVERIFY(Visibile(Navigazione::MenuAree));
    menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QVERIFY(menu->OpzioneRegioni()->isChecked());
    QVERIFY(menu->Caselle()[3]->isVisible());

    // "Mappa" of the physical group opens the region chooser with AttivitaScelta 4.
    QTest::mouseClick(menu->Caselle()[4], Qt::LeftButton);
    QCOMPARE(Stato().AttivitaScelta, qint16(4));
    QVERIFY(Visibile(Navigazione::SceltaRegione));

    // "Nazione" reloads the Italy catalogs and hides the test.
    Stato().Catalogo.NumeroElementi = 2;
    menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QTest::mouseClick(menu->OpzioneNazione(), Qt::LeftButton);
    QVERIFY(!Stato().PerRegioni);
    QCOMPARE(Stato().Catalogo.NumeroElementi, qint16(19));
    QVERIFY(!menu->Caselle()[3]->isVisible());
    QVERIFY(!Stato().Fisico.ElencoFisico[0][CatalogoFisico::ColonnaColore].isEmpty());
}

void TestMenu::schedeETorna() {
    RegistraFinte(TutteLeAttivita);
    Stato().AreaScelta = "Europa";
    auto* menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QTest::mouseClick(menu->Caselle()[7], Qt::LeftButton);
    QCOMPARE(Stato().FileTesto,
             QString(ORBISTO_SOURCE_DATA_DIR "/testipredefiniti/Europa/Europa.rtf"));
    QVERIFY(QFile::exists(Stato().FileTesto));
    QVERIFY(Visibile(NomiFinestre::Schede));
    QCOMPARE(Stato().AttivitaScelta, qint16(7));
}

// --- region chooser ------------------------------------------------------------------------

void TestMenu::sceltaRegioneClic_data() {
    QTest::addColumn<int>("attivita");
    QTest::addColumn<QString>("regione");
    QTest::addColumn<QString>("aperta");
    QTest::addColumn<QString>("errore");
    QTest::newRow("mappa politica, Lombardia")
        << 0 << "Lombardia" << NomiFinestre::MappaPoliticaRegione << "";
    QTest::newRow("mappa fisica, regione con la mappa")
        << 4 << "Piemonte" << NomiFinestre::MappaFisicaRegione << "";
    QTest::newRow("mappa fisica, regione senza la mappa")
        << 4 << "Lombardia"
        << ""
        << "Questa regione non è ancora stata inserita.";
    QTest::newRow("dov'è fisico, regione senza la mappa")
        << 6 << "Lombardia"
        << ""
        << "Questa regione non è ancora stata inserita.";
}

void TestMenu::sceltaRegioneClic() {
    QFETCH(int, attivita);
    QFETCH(QString, regione);
    QFETCH(QString, aperta);
    QFETCH(QString, errore);
    // A data folder with the map of Italy and the physical map of Piemonte alone.
    QTemporaryDir dati;
    QVERIFY(QDir(dati.path()).mkpath("mappe/Italia"));
    QVERIFY(QDir(dati.path()).mkpath("mappe/regioniitaliane"));
    QVERIFY(QFile::link(ORBISTO_SOURCE_DATA_DIR "/mappe/Italia/Italia_politica.geojson",
                        dati.path() + "/mappe/Italia/Italia_politica.geojson"));
    QFile piemonte(dati.path() + "/mappe/regioniitaliane/Piemonte_fisica.geojson");
    QVERIFY(piemonte.open(QIODevice::WriteOnly));
    piemonte.close();
    Percorsi::ImpostaCartellaProgramma(dati.path());

    RegistraFinte(TutteLeAttivita);
    Stato().AreaScelta = "Italia";
    Stato().AttivitaScelta = qint16(attivita);
    auto* scelta = Mostra<FormMenu3>(Navigazione::SceltaRegione);
    QVERIFY(scelta);
    MappaWidget* mappa = scelta->Mappa();
    QVERIFY2(mappa->ultimoErrore().isEmpty(), qPrintable(mappa->ultimoErrore()));
    const auto indici = mappa->vista().dati()->indiciDi(regione);
    QVERIFY(!indici.isEmpty());
    QTest::mouseClick(mappa, Qt::LeftButton, {},
                      mappa->vista().puntoDiPresa(indici.first()).toPoint());
    if (aperta.isEmpty()) {
        QCOMPARE(messaggi_.errori, QStringList{errore});
        QVERIFY(scelta->isVisible());
        for (const QString& n : TutteLeAttivita)
            QVERIFY(!Visibile(n));
        return;
    }
    QVERIFY(messaggi_.errori.isEmpty());
    QCOMPARE(Stato().RegioneScelta, regione);
    QVERIFY(Visibile(aperta));
    // The chooser stays loaded behind the regional window, and comes back on request.
    QVERIFY(!scelta->isVisible());
    QCOMPARE(Navigazione::Esistente(Navigazione::SceltaRegione), scelta);
    QCOMPARE(Navigazione::Mostra(Navigazione::SceltaRegione), scelta);
    QVERIFY(scelta->isVisible());
    QCOMPARE(scelta->Titolo()->text(), QStringLiteral("Regioni italiane"));
}

void TestMenu::sceltaRegioneManuale() {
    RegistraFinte(TutteLeAttivita);
    Stato().Profilo.ModalitaAccesso = 2;
    Stato().AreaScelta = "Italia";
    Stato().AttivitaScelta = 0;
    auto* scelta = Mostra<FormMenu3>(Navigazione::SceltaRegione);
    const VistaMappa& vista = scelta->Mappa()->vista();
    const QString evidenziazione = ColoreClasse(Stato().Profilo, 4);
    const QList<VoceCatalogo> regioni = TabellaPolitica("Italia");
    const auto colore = [&](int i) { return NomeDi(vista.colore(regioni[i].nome)); };
    const auto proprio = [&](int i) { return ColoreClasse(Stato().Profilo, regioni[i].classe); };

    // Enter before any Space chooses nothing.
    Esegui(scelta, "E");
    QVERIFY(scelta->isVisible());
    QCOMPARE(scelta->IndiceScansione(), -1);

    Esegui(scelta, "S");
    QCOMPARE(scelta->Titolo()->text(), QStringLiteral("Valle d'Aosta"));
    QCOMPARE(colore(0), evidenziazione);
    Esegui(scelta, "S S S S S S S S S S S S S S S S S S S");
    QCOMPARE(scelta->Titolo()->text(), QStringLiteral("Sardegna"));
    QCOMPARE(colore(19), evidenziazione);
    QCOMPARE(colore(18), proprio(18));
    // After the regions, the two buttons; then Valle d'Aosta again.
    Esegui(scelta, "S");
    QCOMPARE(scelta->IndiceScansione(), FormMenu3::IndiceACaso);
    QCOMPARE(colore(19), proprio(19));
    Esegui(scelta, "S");
    QCOMPARE(scelta->IndiceScansione(), FormMenu3::IndiceTorna);
    Esegui(scelta, "S");
    QCOMPARE(scelta->Titolo()->text(), QStringLiteral("Valle d'Aosta"));
    Esegui(scelta, "S S S E");
    QCOMPARE(Stato().RegioneScelta, QStringLiteral("Lombardia"));
    QVERIFY(Visibile(NomiFinestre::MappaPoliticaRegione));

    // Back to the chooser: scanning starts again from nothing; "Torna" by the switches.
    scelta = Mostra<FormMenu3>(Navigazione::SceltaRegione);
    QCOMPARE(scelta->IndiceScansione(), -1);
    QCOMPARE(colore(3), proprio(3));
    Esegui(scelta, "S S S S S S S S S S S S S S S S S S S S S S E");
    QVERIFY(Visibile(Navigazione::MenuAttivita));
    QVERIFY(!scelta->isVisible());
}

void TestMenu::sceltaRegioneAutomatica() {
    RegistraFinte(TutteLeAttivita);
    Stato().Profilo.ModalitaAccesso = 3;
    Stato().AreaScelta = "Italia";
    Stato().AttivitaScelta = 0;
    auto* scelta = Mostra<FormMenu3>(Navigazione::SceltaRegione);
    // The highlight moves from the start; holding Space freezes it; the release chooses.
    scelta->Scorri(Passo);
    QCOMPARE(scelta->IndiceScansione(), 0);
    Premi(scelta, Qt::Key_Space);
    scelta->Scorri(Passo);
    scelta->Scorri(Passo);
    QCOMPARE(scelta->IndiceScansione(), 0);
    Rilascia(scelta, Qt::Key_Space);
    QCOMPARE(Stato().RegioneScelta, QStringLiteral("Valle d'Aosta"));
    QVERIFY(Visibile(NomiFinestre::MappaPoliticaRegione));
}

void TestMenu::regioneACaso_data() {
    QTest::addColumn<int>("attivita");
    QTest::addColumn<QString>("aperta");
    QTest::newRow("mappa politica") << 0 << NomiFinestre::MappaPoliticaRegione;
    QTest::newRow("puzzle politico") << 1 << NomiFinestre::PuzzlePoliticoRegione;
    QTest::newRow("dov'è politico: non c'è") << 2 << "";
    QTest::newRow("mappa fisica: non c'è") << 4 << "";
}

void TestMenu::regioneACaso() {
    QFETCH(int, attivita);
    QFETCH(QString, aperta);
    RegistraFinte(TutteLeAttivita);
    FormMenu3::ImpostaEstrazione([](int n) { return n - 1; });
    Stato().AreaScelta = "Italia";
    Stato().AttivitaScelta = qint16(attivita);
    auto* scelta = Mostra<FormMenu3>(Navigazione::SceltaRegione);
    QCOMPARE(scelta->PulsanteACaso()->isEnabled(), !aperta.isEmpty());
    scelta->PulsanteACaso()->click();
    if (aperta.isEmpty()) {
        QVERIFY(scelta->isVisible());
        return;
    }
    // A real region, never a name no map has.
    QCOMPARE(Stato().RegioneScelta, QStringLiteral("Sardegna"));
    QVERIFY(Visibile(aperta));
}

void TestMenu::regioniPerInterruttore_data() {
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("casella");
    QTest::addColumn<QString>("aperta");
    for (const int modo : {2, 3}) {
        const char* m = modo == 2 ? "manuale" : "automatica";
        QTest::addRow("mappa fisica, %s", m) << modo << 4 << NomiFinestre::MappaFisicaRegione;
        QTest::addRow("puzzle fisico, %s", m) << modo << 5 << NomiFinestre::PuzzleFisicoRegione;
        QTest::addRow("dov'è fisico, %s", m) << modo << 6 << NomiFinestre::DoveFisicoRegione;
    }
}

void TestMenu::regioniPerInterruttore() {
    // With "Regioni" chosen by the switches, the physical tiles lead to the region chooser as
    // with the mouse, and from there to the region's physical window.
    QFETCH(int, modo);
    QFETCH(int, casella);
    QFETCH(QString, aperta);
    RegistraFinte(TutteLeAttivita);
    Stato().Profilo.ModalitaAccesso = qint16(modo);
    Stato().AreaScelta = "Italia";
    CaricaCatalogoPolitico(Stato().Catalogo, "Italia");
    auto* menu = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    QVERIFY(menu);
    QString copione = modo == 2 ? "S E" : "t S";
    for (int i = 0; i < casella; ++i)
        copione += modo == 2 ? " S" : " t";
    copione += modo == 2 ? " E" : " S";
    Esegui(menu, copione);
    auto* scelta = qobject_cast<FormMenu3*>(Visibile(Navigazione::SceltaRegione));
    QVERIFY(scelta);
    QCOMPARE(int(Stato().AttivitaScelta), casella);
    Esegui(scelta, modo == 2 ? "S E" : "t S");
    QVERIFY(messaggi_.errori.isEmpty());
    QCOMPARE(Stato().RegioneScelta, QStringLiteral("Valle d'Aosta"));
    QVERIFY(Visibile(aperta));
}

// --- every window, large and small fonts ----------------------------------------------------

void TestMenu::caratteriGrandi_data() {
    QTest::addColumn<int>("punti");
    QTest::addColumn<QString>("finestra");
    for (int punti : {8, 24, 48}) {
        for (const QString& f : {Navigazione::MenuAree, Navigazione::MenuAttivita,
                                 Navigazione::SceltaRegione, Navigazione::Informazioni})
            QTest::addRow("%s %d pt", qPrintable(f), punti) << punti << f;
    }
}

void TestMenu::caratteriGrandi() {
    QFETCH(int, punti);
    QFETCH(QString, finestra);
    RegistraFinte(TutteLeAttivita);
    Stato().Profilo.DimensioneFont = qint16(punti);
    SalvaProfilo(Stato());
    Stato().AreaScelta = "Americacs";
    QWidget* w = Navigazione::Mostra(finestra);
    QVERIFY(w);
    QVERIFY(w->width() > 0);
    for (auto* c : w->findChildren<CasellaMenu*>()) {
        const QFontMetrics m(c->CarattereDidascalia());
        const QRect r = m.boundingRect(c->RettangoloDidascalia(),
                                       Qt::AlignCenter | Qt::TextWordWrap, c->Didascalia());
        QVERIFY2(c->RettangoloDidascalia().contains(r), qPrintable(c->Didascalia()));
    }
    for (auto* l : w->findChildren<QLabel*>()) {
        if (l->isHidden() || l->text().isEmpty())
            continue;
        const QFontMetrics m(l->font());
        const int flag = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect r = m.boundingRect(l->contentsRect(), flag, l->text());
        QVERIFY2(r.width() <= l->contentsRect().width() && r.height() <= l->contentsRect().height(),
                 qPrintable(l->text()));
    }
    for (auto* b : w->findChildren<QAbstractButton*>()) {
        if (b->isHidden() || b->objectName().startsWith("qt_"))
            continue;
        QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->text()));
        const QFontMetrics m(b->font());
        QVERIFY2(m.horizontalAdvance(b->text().remove('&')) <= b->width(), qPrintable(b->text()));
        QVERIFY2(m.height() <= b->height(), qPrintable(b->text()));
    }
}

// --- tile pictures -------------------------------------------------------------------------

void TestMenu::miniature_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<bool>("politica");
    for (const QString& a : ChiaviAree()) {
        QTest::addRow("%s politica", qPrintable(a)) << a << true;
        QTest::addRow("%s fisica", qPrintable(a)) << a << false;
    }
}

void TestMenu::miniature() {
    QFETCH(QString, area);
    QFETCH(bool, politica);
    using DisegniMenu::TipoMiniatura;
    const TipoMiniatura tipo = politica ? TipoMiniatura::Politica : TipoMiniatura::Fisica;
    ProfiloUtente p = ProfiloPredefinito();
    const QSize d(120, 90);
    const QImage img = DisegniMenu::MiniaturaMappa(area, tipo, d, p);
    QCOMPARE(img.size(), d);
    // The map fills the picture's middle (physical maps with their sea); political maps leave
    // the sea transparent, so the tile's colour (red when highlighted) shows around the land.
    QCOMPARE(qAlpha(img.pixel(60, 45)) > 0 || politica, true);
    QSet<QRgb> colori;
    int trasparenti = 0;
    for (int y = 0; y < d.height(); ++y)
        for (int x = 0; x < d.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) == 0)
                ++trasparenti;
            else if (qAlpha(c) == 255)
                colori.insert(c & 0xFFFFFF);
        }
    if (politica)
        QVERIFY(trasparenti > 0);
    // Drawn in the profile's colours: political classes, or the categories of the features
    // (every area has mountains large enough to show).
    const QRgb atteso =
        politica ? Tavolozza::Rgb(p.SchemaPolitico[0]) : Tavolozza::Rgb(p.SchemaFisico[4]);
    QVERIFY2(colori.contains(atteso & 0xFFFFFF), qPrintable(QString::number(atteso, 16)));
    // Another profile is another picture.
    p.SchemaPolitico[0] = p.SchemaPolitico[1];
    p.SchemaFisico[4] = p.SchemaFisico[1];
    QVERIFY(DisegniMenu::MiniaturaMappa(area, tipo, d, p) != img);

    // No map: no picture, no failure.
    QTemporaryDir vuota;
    Percorsi::ImpostaCartellaProgramma(vuota.path());
    QVERIFY(DisegniMenu::MiniaturaMappa(area, tipo, QSize(121, 90), p).isNull());
    QVERIFY(DisegniMenu::MiniaturaMappa(area, tipo, QSize(0, 0), p).isNull());
}

void TestMenu::unaPressioneUnaAzione_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("modo");
    QTest::addColumn<FlussoTasti>("flusso");
    QTest::addColumn<int>("consegna");
    QTest::addColumn<QString>("esito");
    using namespace FlussiTasti;
    const struct {
        const char* nome;
        FlussoTasti (*flusso)(int);
    } flussi[] = {
        {"tenuto 3 s non segnato", [](int t) { return Tenuto(t, 0, 3000, Contrassegno::Nessuno); }},
        {"tenuto 3 s a segni alterni",
         [](int t) { return Tenuto(t, 0, 3000, Contrassegno::Alterni); }},
        {"rimbalzante", [](int t) { return Rimbalzante(t, 0); }},
        {"pulito", [](int t) { return Pulito(t, 0); }},
    };
    // What one action does: in the area menu Space steps to Europa, Enter (manual) or Space
    // (automatic) opens Italy's activity menu, which stays at its start (the choice "Nazione"
    // highlighted); in Europe's activity menu
    // Space steps to the puzzle and a choice opens the political map.
    const struct {
        const char* menu;
        const char* modo;
        int modalita;
        int tasto;
        const char* esito;
    } casi[] = {
        {"aree", "manuale, Spazio", 2, Qt::Key_Space, "aree 1"},
        {"aree", "manuale, Invio", 2, Qt::Key_Return, "scelta 0"},
        {"aree", "automatica, Spazio", 3, Qt::Key_Space, "scelta 0"},
        {"attivita", "manuale, Spazio", 2, Qt::Key_Space, "attivita 1"},
        {"attivita", "manuale, Invio", 2, Qt::Key_Return, "mappa"},
        {"attivita", "automatica, Spazio", 3, Qt::Key_Space, "mappa"},
    };
    for (const auto& c : casi)
        for (const auto& fl : flussi)
            for (const Consegna d : {Consegna::Regolare, Consegna::PressioneInRitardo})
                QTest::addRow("%s, %s, %s%s", c.menu, c.modo, fl.nome,
                              d == Consegna::Regolare ? "" : ", pressioni in ritardo")
                    << QString(c.menu) << c.modalita << fl.flusso(c.tasto) << int(d)
                    << QString(c.esito);
}

void TestMenu::unaPressioneUnaAzione() {
    // A held or bouncing switch acts once, also when the window it opened takes the rest of the
    // hold.
    QFETCH(QString, menu);
    QFETCH(int, modo);
    QFETCH(FlussoTasti, flusso);
    QFETCH(int, consegna);
    QFETCH(QString, esito);
    RegistraFinte(TutteLeAttivita);
    Stato().Profilo.ModalitaAccesso = qint16(modo);
    SalvaProfilo(Stato());
    FinestraMenu* m = nullptr;
    if (menu == u"aree") {
        m = Mostra<FormMenu>(Navigazione::MenuAree);
    } else {
        Stato().AreaScelta = QStringLiteral("Europa");
        m = Mostra<FormMenu2>(Navigazione::MenuAttivita);
    }
    QVERIFY(m);
    TastiFinestra::Riproduci(flusso, FlussiTasti::Consegna(consegna), [] {
        if (QWidget* w = QApplication::focusWidget())
            return w;
        for (const QString& n : {Navigazione::MenuAree, Navigazione::MenuAttivita})
            if (QWidget* w = Visibile(n))
                return w;
        return static_cast<QWidget*>(nullptr);
    });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList aperte;
    for (const QString& n : TutteLeAttivita)
        if (auto* f = dynamic_cast<Finta*>(Navigazione::Esistente(n)))
            aperte << QStringLiteral("%1 x%2").arg(n).arg(f->attivazioni);
    QString visto;
    if (auto* aree = qobject_cast<FormMenu*>(Visibile(Navigazione::MenuAree)))
        visto = QStringLiteral("aree %1").arg(aree->CasellaEvidenziata());
    else if (auto* attivita = qobject_cast<FormMenu2*>(Visibile(Navigazione::MenuAttivita))) {
        visto = QStringLiteral("attivita %1").arg(attivita->CasellaEvidenziata());
        for (int i = 0; i < 2; ++i)
            if (attivita->PulsanteScelta(i)->isVisible() &&
                attivita->PulsanteScelta(i)->property("evidenziato").toBool())
                visto = QStringLiteral("scelta %1").arg(i);
    }
    if (esito == u"mappa") {
        QCOMPARE(aperte, QStringList{NomiFinestre::MappaPolitica + " x1"});
    } else {
        QCOMPARE(aperte, QStringList());
        QCOMPARE(visto, esito);
    }
}

namespace {

// The colour schemes of the tests of readability: the political presets, and personal schemes
// whose text is the background colour.
void Schemi() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("colore");
}

struct Schema {
    QString nome;
    int preset; // political preset, 0 for the personal scheme
    int colore; // personal scheme: text and background both this entry
};

QList<Schema> SchemiDaProvare() {
    QList<Schema> out;
    for (int n = 1; n <= NumeroPresetPolitici; ++n)
        out << Schema{QStringLiteral("Configurazione %1").arg(n), n, -1};
    for (int c : {0, 100, 215})
        out << Schema{QStringLiteral("testo uguale allo sfondo %1").arg(c), 0, c};
    return out;
}

void ApplicaSchema(int preset, int colore) {
    if (preset > 0) {
        ApplicaPresetPolitico(Stato().Profilo, preset);
    } else {
        Stato().Profilo.ColoreTesto = qint16(colore);
        Stato().Profilo.ColoreSfondo = qint16(colore);
    }
}

} // namespace

void TestMenu::barraLeggibile_data() {
    Schemi();
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<int>("punti");
    for (const QString& f :
         {Navigazione::MenuAree, Navigazione::MenuAttivita, Navigazione::SceltaRegione}) {
        for (const Schema& sc : SchemiDaProvare())
            for (int punti : {24, 48})
                QTest::addRow("%s, %s, %d punti", qPrintable(f), qPrintable(sc.nome), punti)
                    << sc.preset << sc.colore << f << punti;
    }
}

void TestMenu::barraLeggibile() {
    // Every entry of the menu bar is drawn with a contrast of at least 4.5:1 under every scheme,
    // in the profile's font size as far as the bar holds every entry.
    QFETCH(int, preset);
    QFETCH(int, colore);
    QFETCH(QString, finestra);
    QFETCH(int, punti);
    RegistraFinte({NomiFinestre::Configurazione});
    ApplicaSchema(preset, colore);
    Stato().Profilo.DimensioneFont = qint16(punti);
    Stato().Profilo.TracciaAttivita = true; // every entry of the area menu
    Stato().AreaScelta = "Europa";
    SalvaProfilo(Stato());
    auto* m = Mostra<FinestraMenu>(finestra);
    QVERIFY(m);
    // A school screen.
    m->resize(1280, 800);
    m->Attivazione();
    QMenuBar* barra = m->BarraMenu();
    const auto voci = ContrastoDisegnato::VociDellaBarra(barra);
    QVERIFY(voci.size() >= 2);
    for (const auto& [voce, rapporto] : voci)
        QVERIFY2(rapporto >= Contrasto::Minimo,
                 qPrintable(QStringLiteral("%1: %2").arg(voce).arg(rapporto)));
    for (QAction* a : barra->actions())
        if (a->isVisible())
            QVERIFY2(barra->rect().contains(barra->actionGeometry(a)), qPrintable(a->text()));
    QVERIFY(barra->font().pointSize() <= punti);
    if (punti == 24)
        QCOMPARE(barra->font().pointSize(), punti);
}

void TestMenu::messaggiLeggibili_data() {
    Schemi();
    QTest::addColumn<QString>("titolo");
    for (const Schema& sc : SchemiDaProvare())
        QTest::newRow(qPrintable(sc.nome)) << sc.preset << sc.colore << TitoloProgramma;
    QTest::newRow("seconda copia") << 1 << -1 << "Error";
}

void TestMenu::messaggiLeggibili() {
    // Message boxes in the profile's font size and readable colours, with the title given.
    QFETCH(int, preset);
    QFETCH(int, colore);
    QFETCH(QString, titolo);
    ApplicaSchema(preset, colore);
    Stato().Profilo.DimensioneFont = 36;
    const QString testo = QStringLiteral("Questa regione non è ancora stata inserita.");
    QMessageBox box(QMessageBox::Critical, titolo, testo, QMessageBox::Ok);
    PreparaMessaggio(box);
    box.adjustSize();
    QCOMPARE(box.windowTitle(), titolo);
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    QLabel* etichetta = nullptr;
    for (QLabel* l : box.findChildren<QLabel*>())
        if (l->text() == testo)
            etichetta = l;
    QVERIFY(etichetta);
    QCOMPARE(etichetta->font().pointSize(), 36);
    QCOMPARE(box.button(QMessageBox::Ok)->font().pointSize(), 36);
    const QImage immagine = box.grab().toImage();
    const QRect r(etichetta->mapTo(&box, QPoint(0, 0)), etichetta->size());
    const double rapporto = ContrastoDisegnato::Rapporto(immagine, r);
    QVERIFY2(rapporto >= Contrasto::Minimo, qPrintable(QString::number(rapporto)));
}

// The user's switch options in the area menu (the same machine serves every menu): a press
// shorter than the acceptance time does nothing, automatic scanning pauses after its silent
// loops and the next Space only sets it going, auditory scanning speaks every tile reached and
// cuts the previous one short. "P t R" holds Space for a whole interval; "S" is a press of no
// length.
void TestMenu::opzioniInterruttore_data() {
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("accettazione");
    QTest::addColumn<int>("giri");
    QTest::addColumn<bool>("leggi");
    QTest::addColumn<QString>("copione");
    QTest::addColumn<QString>("visti");

    QTest::newRow("manuale: pressione breve ignorata") << 2 << 5 << 0 << false << "S S"
                                                       << "0 0";
    QTest::newRow("manuale: pressione tenuta") << 2 << 5 << 0 << false << "P t R"
                                               << "0 0 1";
    QTest::newRow("automatica: scelta breve ignorata, si prosegue")
        << 3 << 5 << 0 << false << "t S t"
        << "1 1 2";
    QTest::newRow("automatica: pausa dopo un giro, Space riparte senza scegliere")
        << 3 << 0 << 1 << false << "t t t t t t t t S t"
        << "1 2 3 4 5 6 6 6 6 0";
    QTest::newRow("automatica: ogni passo letto") << 3 << 0 << 0 << true << "t t t"
                                                  << "1 2 3";
    QTest::newRow("manuale: ogni passo letto") << 2 << 0 << 0 << true << "S S"
                                               << "1 2";
}

void TestMenu::opzioniInterruttore() {
    QFETCH(int, modo);
    QFETCH(int, accettazione);
    QFETCH(int, giri);
    QFETCH(bool, leggi);
    QFETCH(QString, copione);
    QFETCH(QString, visti);
    QList<QPointer<VoceFinta>> voci;
    ImpostaFabbricaVoce([&voci] {
        auto* v = new VoceFinta;
        voci << v;
        return v;
    });
    Stato().Profilo.ModalitaAccesso = qint16(modo);
    Stato().Opzioni.accettazioneDecimi = accettazione;
    Stato().Opzioni.giriPrimaDellaPausa = giri;
    Stato().Opzioni.leggiEvidenziato = leggi;
    // The area menu loads the user's profile and options from the files at every activation.
    SalvaProfilo(Stato());
    auto* menu = Mostra<FormMenu>(Navigazione::MenuAree);
    const QString visto = Esegui(menu, copione);
    // Each announcement cut the one before: only the last is still being spoken (until the
    // menu closes).
    int inCorso = 0;
    for (const QPointer<VoceFinta>& v : std::as_const(voci))
        if (v)
            inCorso += int(v->pronunciati.size());
    menu->close();
    Stato().Opzioni = {};
    SalvaProfilo(Stato());
    QCOMPARE(visto, visti);
    QStringList detti;
    QStringList attesi;
    if (leggi) {
        attesi << menu->Caselle()[0]->Didascalia();
        for (const QString& i : visti.split(' '))
            attesi << menu->Caselle()[i.toInt()]->Didascalia();
    }
    for (const QPointer<VoceFinta>& v : std::as_const(voci))
        if (v)
            for (const QString& r : v->richieste)
                detti << r.section('\\', -1);
    QCOMPARE(detti, attesi);
    QCOMPARE(inCorso, leggi ? 1 : 0);
}

void TestMenu::viaDiUscitaPerInterruttore_data() {
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("finestra");
    for (const int modo : {2, 3}) {
        const char* m = modo == 2 ? "manuale" : "automatica";
        for (const QString& f : {QStringLiteral("informazioni"), QStringLiteral("messaggio")}) {
            QTest::addRow("%s, %s, Spazio", qPrintable(f), m) << modo << int(Qt::Key_Space) << f;
            if (modo == 2)
                QTest::addRow("%s, %s, Invio", qPrintable(f), m)
                    << modo << int(Qt::Key_Return) << f;
        }
    }
}

void TestMenu::viaDiUscitaPerInterruttore() {
    // The about box and the message boxes close with the switches: their button has the keys.
    QFETCH(int, modo);
    QFETCH(int, tasto);
    QFETCH(QString, finestra);
    Stato().Profilo.ModalitaAccesso = qint16(modo);
    SalvaProfilo(Stato());
    QWidget* w = nullptr;
    QScopedPointer<QMessageBox> box;
    if (finestra == u"informazioni") {
        w = Mostra<FormInfo>(Navigazione::Informazioni);
    } else {
        box.reset(new QMessageBox(QMessageBox::Critical, TitoloProgramma,
                                  QStringLiteral("Questa regione non è ancora stata inserita."),
                                  QMessageBox::Ok));
        PreparaMessaggio(*box);
        box->show();
        QVERIFY(QTest::qWaitForWindowActive(box.data()));
        w = box.data();
    }
    QVERIFY(w);
    QWidget* tasti = QApplication::focusWidget();
    QVERIFY(tasti && w->isAncestorOf(tasti));
    TastiFinestra::Premi(tasti, tasto);
    TastiFinestra::Rilascia(tasti, tasto);
    QVERIFY(!w->isVisible());
    if (finestra == u"informazioni")
        QVERIFY(Visibile(Navigazione::MenuAree));
}

QTEST_MAIN(TestMenu)
#include "test_menu.moc"

#include "activities/exploration/FormMappaFis.h"
#include "activities/exploration/FormMappaPol.h"
#include "shell/Messaggi.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/MappaWidget.h"
#include "workspace/voce/VoceFinta.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <map>
#include <memory>

// Every element of every map shipped in data/mappe can be clicked at normal zoom: for each map
// and each of two screens, the map widget is given the size the exploration window gives it on
// that screen, and for every element at least 64 pixels answer a click with that element.

namespace {

class MessaggiMuti : public Messaggi {
public:
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString&, const QString&) override {}
};

constexpr int PixelRichiesti = 64;

const std::array<QSize, 2> Schermi{QSize(1280, 800), QSize(1920, 1080)};

} // namespace

class TestRaggiungibilita : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ogniElementoSiPuoScegliere_data();
    void ogniElementoSiPuoScegliere();

private:
    QTemporaryDir impostazioni;
    MessaggiMuti messaggi;
    // The map widget's size in the exploration windows: (screen, physical) -> size.
    std::map<std::pair<int, bool>, QSize> dimensioni;
};

void TestRaggiungibilita::initTestCase() {
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([](double) {});
    ImpostaMessaggi(&messaggi);
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    InizializzaStato(Stato(), impostazioni.path() + u'/');
    ProfiloPredefinito(Stato());
    Stato().AreaScelta = QStringLiteral("Italia");
    // The windows lay their map out once for each screen: the menu bar, the name box in the
    // profile's font and, on physical maps, the room of the horizontal bar come off.
    for (int s = 0; s < int(Schermi.size()); ++s) {
        for (bool fisica : {false, true}) {
            std::unique_ptr<FinestraAttivita> f;
            if (fisica)
                f = std::make_unique<FormMappaFis>();
            else
                f = std::make_unique<FormMappaPol>();
            f->resize(Schermi[size_t(s)]);
            f->Attivazione();
            const QSize d = f->Mappa()->size();
            QVERIFY2(d.width() > Schermi[size_t(s)].width() / 2 &&
                         d.height() > Schermi[size_t(s)].height() / 2,
                     qPrintable(QStringLiteral("mappa di %1x%2").arg(d.width()).arg(d.height())));
            dimensioni[{s, fisica}] = d;
        }
    }
}

void TestRaggiungibilita::ogniElementoSiPuoScegliere_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("schermo");
    QStringList file;
    QDirIterator it(QStringLiteral(ORBISTO_SOURCE_DATA_DIR "/mappe"), {"*.geojson"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        file << it.next();
    file.sort();
    QVERIFY(!file.isEmpty());
    for (const QString& f : file)
        for (int s = 0; s < int(Schermi.size()); ++s)
            QTest::addRow("%s %dx%d", qPrintable(QFileInfo(f).completeBaseName()),
                          Schermi[size_t(s)].width(), Schermi[size_t(s)].height())
                << f << s;
}

void TestRaggiungibilita::ogniElementoSiPuoScegliere() {
    QFETCH(QString, file);
    QFETCH(int, schermo);
    MappaWidget w;
    QVERIFY2(w.caricaMappa(file), qPrintable(w.ultimoErrore()));
    const VistaMappa& v = w.vista();
    const DatiMappa& d = *v.dati();
    w.resize(dimensioni.at({schermo, d.tipo == TipoMappa::Fisica}));
    w.show(); // a hidden widget hears of its new size only when shown
    const QRect widget = w.rect();
    QCOMPARE(v.dimensione(), widget.size());

    // The box of each element's name, with the margin a click may have.
    QHash<QString, QRectF> scatole;
    for (int i = 0; i < d.elementi.size(); ++i) {
        const ElementoMappa& e = d.elementi[i];
        if (e.ruolo != RuoloElemento::Elemento || e.nome.isEmpty())
            continue;
        const double m = VistaMappa::RaggioPresaMarcatore;
        scatole[e.nome] =
            scatole.value(e.nome).united(v.rettangoloElemento(i).adjusted(-m, -m, m, m));
    }
    // Every pixel of the box, in an order that spreads the first ones over the whole box, until
    // enough of them answer with the element.
    QStringList mancanti;
    for (auto it = scatole.cbegin(); it != scatole.cend(); ++it) {
        const QRect r = it.value().toAlignedRect().intersected(widget);
        int trovati = 0;
        for (int oy = 0; oy < 8 && trovati < PixelRichiesti; ++oy)
            for (int ox = 0; ox < 8 && trovati < PixelRichiesti; ++ox)
                for (int y = r.top() + oy; y <= r.bottom() && trovati < PixelRichiesti; y += 8)
                    for (int x = r.left() + ox; x <= r.right() && trovati < PixelRichiesti; x += 8)
                        if (v.colpisci(QPointF(x, y)).nome == it.key())
                            ++trovati;
        if (trovati < PixelRichiesti)
            mancanti << QStringLiteral("%1 (%2 px)").arg(it.key()).arg(trovati);
    }
    mancanti.sort();
    QVERIFY2(mancanti.isEmpty(),
             qPrintable(QStringLiteral("mappa %1x%2, elementi difficili da scegliere: %3")
                            .arg(widget.width())
                            .arg(widget.height())
                            .arg(mancanti.join(QStringLiteral(", ")))));
}

QTEST_MAIN(TestRaggiungibilita)
#include "test_raggiungibilita.moc"

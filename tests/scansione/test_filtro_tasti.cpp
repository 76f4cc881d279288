// The switch filter fed with event streams shaped like the X11 server's: held keys with repeat
// pairs (flagged or not), bouncing switches, clean presses, delivered at their pace, in bursts or
// with late presses. Whatever the stream, one use of the switch is one press and one release.

#include "tests/comune/FlussiTasti.h"
#include "workspace/scansione/FiltroTasti.h"

#include <QTest>

Q_DECLARE_METATYPE(FlussoTasti)
Q_DECLARE_METATYPE(FlussiTasti::Consegna)

using namespace FlussiTasti;

namespace {

// "S+" Space pressed, "S-" released, "E+"/"E-" Enter.
QString Descrivi(const FiltroTasti::Uscite& uscite) {
    QStringList out;
    for (const auto& u : uscite)
        out << QString(u.tasto == Qt::Key_Space ? "S" : "E") +
                   (u.tipo == FiltroTasti::Uscita::Tipo::Premuto ? "+" : "-");
    return out.join(' ');
}

QString Filtra(const FlussoTasti& f, Consegna c) {
    FiltroTasti filtro;
    FiltroTasti::Uscite uscite;
    Riproduci(
        f, c, FiltroTasti::AttesaMs,
        [&](const EventoTasto& e) {
            uscite += e.premuto ? filtro.Premi(e.tasto, e.istante, e.ripetizione)
                                : filtro.Rilascia(e.tasto, e.istante, e.ripetizione);
        },
        [&] { uscite += filtro.Scadi(); });
    if (filtro.InAttesa())
        return "in attesa";
    return Descrivi(uscite);
}

} // namespace

class TestFiltroTasti : public QObject {
    Q_OBJECT
private slots:
    void flussi_data();
    void flussi();
    void premutoDuranteLaTenuta();
};

void TestFiltroTasti::flussi_data() {
    QTest::addColumn<FlussoTasti>("flusso");
    QTest::addColumn<QString>("atteso");
    const int S = Qt::Key_Space, E = Qt::Key_Return;
    struct Riga {
        const char* nome;
        FlussoTasti flusso;
        const char* atteso;
    };
    const QList<Riga> righe{
        {"pressione pulita", Pulito(S, 1000), "S+ S-"},
        {"tenuto 3 s, ripetizioni segnate", Tenuto(S, 1000, 3000, Contrassegno::Tutti), "S+ S-"},
        {"tenuto 3 s, ripetizioni non segnate", Tenuto(S, 1000, 3000, Contrassegno::Nessuno),
         "S+ S-"},
        {"tenuto 1,5 s, ripetizioni alterne", Tenuto(S, 1000, 1500, Contrassegno::Alterni),
         "S+ S-"},
        {"Invio tenuto 3 s, non segnate", Tenuto(E, 1000, 3000, Contrassegno::Nessuno), "E+ E-"},
        {"rimbalzi prima e dopo", Rimbalzante(S, 1000), "S+ S-"},
        {"scheggia sola", Scheggia(S, 1000), ""},
        {"scheggia e poi una pressione", Scheggia(S, 1000) + Pulito(S, 1300), "S+ S-"},
        {"due pressioni distinte", Pulito(S, 1000) + Pulito(S, 1400), "S+ S- S+ S-"},
        {"due pressioni a 60 ms", Pulito(S, 1000, 100) + Pulito(S, 1160, 100), "S+ S- S+ S-"},
        {"passo e scelta", Pulito(S, 1000) + Pulito(E, 1400), "S+ S- E+ E-"},
        {"Invio premuto mentre Spazio scade",
         {{true, S, 1000}, {false, S, 1100}, {true, E, 1110}, {false, E, 1300}},
         "S+ S- E+ E-"},
        {"rilascio senza pressione", {{false, S, 1000}}, ""},
        {"rilascio perso con la finestra che si è chiusa",
         {{true, E, 1000}, {true, E, 3000}, {false, E, 3200}},
         "E+ E+ E-"},
        {"tenuto da prima: ripetizioni e rilascio",
         {{true, S, 1000, true}, {false, S, 1040}, {true, S, 1040}, {false, S, 1080}},
         ""},
        {"tenuto, poi rimbalzo al rilascio",
         Tenuto(S, 1000, 1000, Contrassegno::Nessuno) +
             FlussoTasti{{true, S, 2010}, {false, S, 2020}},
         "S+ S-"},
    };
    for (const Consegna c : {Consegna::Regolare, Consegna::Raffica, Consegna::PressioneInRitardo})
        for (const Riga& r : righe) {
            const char* modo = c == Consegna::Regolare  ? "regolare"
                               : c == Consegna::Raffica ? "raffica"
                                                        : "in ritardo";
            QTest::addRow("%s, %s", r.nome, modo) << r.flusso << QString(r.atteso);
        }
}

void TestFiltroTasti::flussi() {
    QFETCH(FlussoTasti, flusso);
    QFETCH(QString, atteso);
    const QString tag = QTest::currentDataTag();
    const Consegna c = tag.endsWith("regolare")  ? Consegna::Regolare
                       : tag.endsWith("raffica") ? Consegna::Raffica
                                                 : Consegna::PressioneInRitardo;
    QCOMPARE(Filtra(flusso, c), atteso);
}

void TestFiltroTasti::premutoDuranteLaTenuta() {
    // The program is told of the press once the key has been held past the threshold, and the
    // key stays down through the repeats.
    FiltroTasti f;
    QVERIFY(f.Premi(Qt::Key_Space, 1000).isEmpty());
    QVERIFY(f.InAttesa());
    QCOMPARE(Descrivi(f.Scadi()), QString("S+"));
    QVERIFY(f.Premuto(Qt::Key_Space));
    QVERIFY(f.Rilascia(Qt::Key_Space, 1500).isEmpty());
    QVERIFY(f.Premi(Qt::Key_Space, 1500).isEmpty());
    QVERIFY(f.Premuto(Qt::Key_Space));
    QVERIFY(!f.InAttesa());
    QVERIFY(f.Rilascia(Qt::Key_Space, 1700).isEmpty());
    QCOMPARE(Descrivi(f.Scadi()), QString("S-"));
    QVERIFY(!f.Premuto(Qt::Key_Space));
}

QTEST_APPLESS_MAIN(TestFiltroTasti)
#include "test_filtro_tasti.moc"

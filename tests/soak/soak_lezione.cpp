// A whole lesson driven as a pupil drives it: the exploration windows of every area opened and
// closed again and again, the map walked with the scanning switch and names chosen and spoken
// (by a speaker that only records). The resident memory is measured at the start, after the
// first windows (warm caches), at the end and at its peak.
//
//   soak_lezione [aperture] [passi per apertura] [nomi per apertura]
//
// Defaults: 500 openings, 20 scanning steps and 3 choices each (10,000 steps, over 1,000
// names). Exits with 1 when memory grows by more than 8 MB after the warm-up or the peak passes
// 150 MB.

#include "activities/exploration/Registrazione.h"
#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "shell/Avvio.h"
#include "shell/Messaggi.h"
#include "shell/Navigazione.h"
#include "shell/Percorsi.h"
#include "shell/StatoProgramma.h"
#include "tests/comune/TastiFinestra.h"
#include "workspace/finestra/FinestraAttivita.h"
#include "workspace/voce/Assistente.h"
#include "workspace/voce/VoceFinta.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

class MessaggiMuti : public Messaggi {
public:
    int errori = 0;
    bool Domanda(QWidget*, const QString&, const QString&) override { return false; }
    void Informazione(QWidget*, const QString&, const QString&) override {}
    void Errore(QWidget*, const QString& testo, const QString&) override {
        ++errori;
        std::fprintf(stderr, "messaggio: %s\n", qPrintable(testo));
    }
};

// Kilobytes of "VmRSS" or "VmHWM" (the peak) in /proc/self/status.
long memoria(const char* voce) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (riga.startsWith(voce))
            return riga.mid(int(qstrlen(voce))).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notices ("does not support raise()") would bury the figures.
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& testo) {
        if (tipo != QtDebugMsg && tipo != QtInfoMsg && tipo != QtWarningMsg)
            std::fprintf(stderr, "%s\n", qPrintable(testo));
    });
    QApplication app(argc, argv);
    const int aperture = argc > 1 ? std::atoi(argv[1]) : 500;
    const int passi = argc > 2 ? std::atoi(argv[2]) : 20;
    const int nomi = argc > 3 ? std::atoi(argv[3]) : 3;

    QTemporaryDir impostazioni;
    if (auto errore = PreparaStato(impostazioni.path() + u'/'))
        std::fprintf(stderr, "%s\n", qPrintable(*errore));
    Percorsi::ImpostaCartellaProgramma(QStringLiteral(ORBISTO_SOURCE_DATA_DIR));
    MessaggiMuti messaggi;
    ImpostaMessaggi(&messaggi);
    FinestraAttivita::ImpostaFabbricaVoce([] { return new VoceFinta; });
    FinestraAttivita::ImpostaPausa([](double) {});
    Navigazione::Azzera();
    RegistraFinestreEsplorazione();
    // The activity menu the windows go back to: a plain window is enough here.
    Navigazione::Registra(Navigazione::MenuAttivita, [] { return new FinestraProgramma; });
    Navigazione::Registra(Navigazione::SceltaRegione, [] { return new FinestraProgramma; });

    StatoProgramma& s = Stato();
    s.Profilo.ModalitaAccesso = ModalitaScansioneManuale;
    s.Profilo.ParlatoAttivo = true;

    const long inizio = memoria("VmRSS:");
    long dopoRiscaldamento = 0;
    long passiFatti = 0, nomiDetti = 0;
    QElapsedTimer cronometro;
    cronometro.start();
    const QStringList finestre{QStringLiteral("FormMappaPol"), QStringLiteral("FormMappaFis")};
    const int riscaldamento = std::min(50, aperture / 5);
    for (int i = 0; i < aperture; ++i) {
        const QString area = ChiaviAree()[(i / 2) % ChiaviAree().size()];
        CaricaCatalogoPolitico(s.Catalogo, area);
        CaricaCatalogoFisico(s.Fisico, area);
        s.AreaScelta = area;
        auto* f = qobject_cast<FinestraAttivita*>(Navigazione::Mostra(finestre[i % 2]));
        if (!f) {
            std::fprintf(stderr, "la finestra %s non si apre\n", qPrintable(finestre[i % 2]));
            return 2;
        }
        auto* voce = qobject_cast<VoceFinta*>(f->assistente()->Voce());
        for (int p = 0; p < passi; ++p) {
            TastiFinestra::Clic(f->RicevitoreAttivo(), Qt::Key_Space);
            ++passiFatti;
            if (nomi > 0 && p % (passi / nomi) == passi / nomi - 1 && voce) {
                const auto prima = voce->richieste.size();
                TastiFinestra::Clic(f->RicevitoreAttivo(), Qt::Key_Return);
                nomiDetti += voce->richieste.size() - prima;
                voce->SimulaFine();
            }
        }
        f->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (i + 1 == riscaldamento)
            dopoRiscaldamento = memoria("VmRSS:");
    }
    const long fine = memoria("VmRSS:");
    const long picco = memoria("VmHWM:");
    ImpostaMessaggi(nullptr);

    const long crescita = fine - dopoRiscaldamento;
    std::printf("aperture %d, passi di scansione %ld, nomi detti %ld, messaggi d'errore %d, "
                "%.1f s\n",
                aperture, passiFatti, nomiDetti, messaggi.errori, cronometro.elapsed() / 1000.0);
    std::printf("RSS inizio %.1f MB, dopo %d aperture %.1f MB, fine %.1f MB, picco %.1f MB, "
                "crescita dopo il riscaldamento %.1f MB\n",
                inizio / 1024.0, riscaldamento, dopoRiscaldamento / 1024.0, fine / 1024.0,
                picco / 1024.0, crescita / 1024.0);
    return crescita > 8 * 1024 || picco > 150 * 1024 ? 1 : 0;
}

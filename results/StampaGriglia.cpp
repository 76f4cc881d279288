#include "results/StampaGriglia.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <numeric>

QString TestoLimitato(const QFontMetrics& metriche, const QString& testo, int larghezza) {
    QString t = testo;
    while (!t.isEmpty() && metriche.horizontalAdvance(t) > larghezza)
        t.chop(1);
    return t;
}

int StampaGriglia(QPainter& painter, QPrinter& printer, const GrigliaDaStampare& griglia, int x,
                  int y) {
    if (griglia.larghezze.isEmpty())
        return 0;
    painter.setFont(griglia.font);
    const QFontMetrics fm(painter.font(), painter.device());
    const int gap = std::max(1, printer.resolution() / 24); // 60 twips
    const QRect pagina = printer.pageLayout().paintRectPixels(printer.resolution());
    const int n = static_cast<int>(griglia.larghezze.size());
    // The columns share the page width left after the gaps, in their proportions on screen.
    const int disponibile = std::max(n, pagina.width() - x - gap - 2 * gap * n - 1);
    const double totale = std::max(
        1.0,
        double(std::accumulate(griglia.larghezze.begin(), griglia.larghezze.end(), qint64(0))));
    QList<int> colonne;
    for (int l : griglia.larghezze)
        colonne.append(std::max(1, int(l / totale * disponibile)));
    int xmax = x + gap;
    for (int c : colonne)
        xmax += c + 2 * gap;
    const int altezzaRiga = fm.height() + 2 * gap;
    const int fondo = pagina.height();

    int pagine = 1;
    int cima = y;
    int corrente = y;
    auto chiudiPagina = [&] {
        painter.drawRect(x, cima, xmax - x, corrente - cima);
        int bordo = x;
        for (int c = 0; c + 1 < n; ++c) {
            bordo += colonne[c] + 2 * gap;
            painter.drawLine(bordo, cima, bordo, corrente);
        }
    };
    auto disegnaRiga = [&](const QStringList& riga, bool prima) {
        if (!prima)
            painter.drawLine(x, corrente, xmax, corrente);
        corrente += gap;
        int bordo = x + gap;
        for (int c = 0; c < n; ++c) {
            const QString testo = TestoLimitato(fm, riga.value(c), colonne[c]);
            painter.drawText(bordo, corrente + fm.ascent(), testo);
            bordo += colonne[c] + 2 * gap;
        }
        corrente += fm.height() + gap;
    };
    for (int r = 0; r < griglia.righe.size(); ++r) {
        if (r > 0 && corrente + altezzaRiga > fondo && corrente > cima + altezzaRiga) {
            chiudiPagina();
            printer.newPage();
            ++pagine;
            cima = corrente = y;
            // The header row again at the top of the new page.
            disegnaRiga(griglia.righe.first(), true);
            disegnaRiga(griglia.righe[r], false);
            continue;
        }
        disegnaRiga(griglia.righe[r], r == 0);
    }
    chiudiPagina();
    return pagine;
}

std::unique_ptr<QPrinter> AccessoStampanteQt::Prepara(QWidget* proprietario, QString& motivo) {
    motivo.clear();
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        motivo = NessunaStampante;
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialogo(printer.get(), proprietario);
    dialogo.setWindowTitle(QStringLiteral("Stampa"));
    if (dialogo.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

namespace {
AccessoStampanteQt& reale() {
    static AccessoStampanteQt r;
    return r;
}
AccessoStampante*& installato() {
    static AccessoStampante* a = nullptr;
    return a;
}
} // namespace

AccessoStampante& accessoStampante() {
    return installato() ? *installato() : reale();
}

void ImpostaAccessoStampante(AccessoStampante* altro) {
    installato() = altro;
}

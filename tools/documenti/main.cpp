// documenti: writes the atlas's PDF documents (data/docum/) from their Markdown sources.
//
//   documenti <sorgente.md> <uscita.pdf> <titolo>
//
// The page is A4 with wide margins and a large, plain font, for teachers and pupils who read on
// screen with magnification. QTextDocument numbers the pages.

#include <QCommandLineParser>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>

#include <cstdlib>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser riga;
    riga.setApplicationDescription(
        QStringLiteral("Scrive un documento PDF dell'atlante da un testo Markdown."));
    riga.addHelpOption();
    riga.addPositionalArgument(QStringLiteral("sorgente"), QStringLiteral("testo Markdown"));
    riga.addPositionalArgument(QStringLiteral("uscita"), QStringLiteral("file PDF da scrivere"));
    riga.addPositionalArgument(QStringLiteral("titolo"), QStringLiteral("titolo del documento"));
    riga.process(app);
    const QStringList a = riga.positionalArguments();
    QTextStream err(stderr);
    if (a.size() != 3) {
        err << riga.helpText();
        return 2;
    }
    QFile sorgente(a[0]);
    if (!sorgente.open(QIODevice::ReadOnly)) {
        err << "Impossibile leggere \"" << a[0] << "\"." << Qt::endl;
        return 1;
    }
    const QString testo = QString::fromUtf8(sorgente.readAll());

    QPdfWriter pdf(a[1]);
    pdf.setTitle(a[2]);
    pdf.setCreator(QStringLiteral("L'Orbisto di Tessivo"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));

    QTextDocument documento;
    QFont carattere(QStringLiteral("DejaVu Sans"));
    carattere.setPointSizeF(13);
    documento.setDefaultFont(carattere);
    documento.setDefaultStyleSheet(QStringLiteral("h1 { color: #003399; } h2 { color: #003399; }"));
    documento.setMarkdown(testo);
    documento.setMetaInformation(QTextDocument::DocumentTitle, a[2]);
    documento.print(&pdf);
    if (!QFile::exists(a[1])) {
        err << "Impossibile scrivere \"" << a[1] << "\"." << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << a[1] << Qt::endl;
    return EXIT_SUCCESS;
}

#pragma once

#include <QFont>
#include <QList>
#include <QStringList>

#include <memory>

class QPainter;
class QPrinter;
class QWidget;

// A table to print: its rows of cell texts (row 0 is the header), the column widths as on
// screen (any unit: they are scaled to fit the page) and the font.
struct GrigliaDaStampare {
    QList<QStringList> righe;
    QList<int> larghezze;
    QFont font;
};

// StampaGriglia: draws the table as a ruled table from (x, y), in device units: each cell's text
// cut to its column, a gap of 1/24 inch around it, lines between rows and columns, a frame
// around. Columns are scaled to the page width; rows that do not fit go on to a new page, which
// repeats the header row. Returns the number of pages drawn.
int StampaGriglia(QPainter& painter, QPrinter& printer, const GrigliaDaStampare& griglia, int x,
                  int y);
// TestoLimitato: the text less its last characters until it fits the width.
QString TestoLimitato(const QFontMetrics& metriche, const QString& testo, int larghezza);

// The printer access of the results window: a printer ready to print on, or nothing (no printer,
// or the pupil cancelled; motivo then says why, or stays empty for a cancel).
class AccessoStampante {
public:
    virtual ~AccessoStampante() = default;
    virtual std::unique_ptr<QPrinter> Prepara(QWidget* proprietario, QString& motivo) = 0;
};

// QPrintDialog on the system's printers.
class AccessoStampanteQt final : public AccessoStampante {
public:
    std::unique_ptr<QPrinter> Prepara(QWidget* proprietario, QString& motivo) override;
};

AccessoStampante& accessoStampante();
// Installs another printer access (not owned); nullptr restores the real one.
void ImpostaAccessoStampante(AccessoStampante* altro);

inline const QString NessunaStampante =
    QStringLiteral("Non è installata nessuna stampante: impossibile stampare.");

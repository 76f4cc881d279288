#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The information texts are RTF files. The reader turns their bytes into paragraphs of
// formatted runs, without any dependency on the GUI: the reading windows turn the result into a
// QTextDocument (DocumentoTesto.h). The subset it understands is described in docs/TESTI.md.

// Character formatting of a run.
struct FormatoRtf {
    bool grassetto = false;
    bool corsivo = false;
    bool sottolineato = false;
    int mezziPunti = 24;           // "\fs": size in half points (24 = 12 points)
    std::optional<quint32> colore; // 0xRRGGBB from "\cf"; none = the reader's text colour

    bool operator==(const FormatoRtf&) const = default;
};

enum class AllineamentoRtf { Sinistra, Centro, Destra, Giustificato };

struct SegmentoRtf {
    QString testo; // '\t' for a tab, U+2028 for a line break inside the paragraph
    FormatoRtf formato;

    bool operator==(const SegmentoRtf&) const = default;
};

struct ParagrafoRtf {
    QList<SegmentoRtf> segmenti; // adjacent runs never share the same format
    AllineamentoRtf allineamento = AllineamentoRtf::Sinistra;
    int spazioPrima = 0; // "\sb", twips
    int spazioDopo = 0;  // "\sa", twips

    QString Testo() const;
    bool operator==(const ParagrafoRtf&) const = default;
};

struct DocumentoRtf {
    QList<ParagrafoRtf> paragrafi; // at least one, possibly empty
    // False when the bytes were not RTF at all and were read as plain text.
    bool eraRtf = true;

    // The text as the reading window sees it: paragraphs joined by '\n'. Its character positions
    // are the positions of the document built from it.
    QString TestoSemplice() const;
};

class LettoreRtf {
public:
    // Never fails: malformed RTF gives whatever text could be recovered. Bytes that do not start
    // with "{\rtf" are taken as plain text (UTF-8 when valid, Windows-1252 otherwise), one
    // paragraph per line.
    static DocumentoRtf Leggi(QByteArrayView dati);

    struct Esito {
        DocumentoRtf documento;
        std::optional<QString> errore; // Italian message when the file could not be read
    };
    // Reads a file. A missing, unreadable or oversized file (or one that is not a regular file)
    // gives an empty document and a message.
    static Esito LeggiFile(const QString& percorso);

    // Files above this size, and texts of more characters than CaratteriMassimi, are refused
    // with a message rather than read: laying out a longer text would freeze the window for
    // a long time. The texts of the atlas are a few thousand characters.
    static constexpr qint64 DimensioneMassima = 2 * 1024 * 1024;
    static constexpr qsizetype CaratteriMassimi = 100'000;
};

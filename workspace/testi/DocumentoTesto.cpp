#include "workspace/testi/DocumentoTesto.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace DocumentoTesto {
namespace {

QTextCharFormat FormatoCarattere(const FormatoRtf& f, const QColor& coloreTesto) {
    QTextCharFormat c;
    c.setFontWeight(f.grassetto ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.corsivo);
    c.setFontUnderline(f.sottolineato);
    c.setFontPointSize(f.mezziPunti / 2.0);
    c.setForeground(f.colore ? QColor::fromRgb(*f.colore) : coloreTesto);
    return c;
}

QTextBlockFormat FormatoBlocco(const ParagrafoRtf& p) {
    QTextBlockFormat b;
    // Margins are in pixels at the usual 96 per inch; twips are 1440 per inch.
    b.setTopMargin(p.spazioPrima / 15.0);
    b.setBottomMargin(p.spazioDopo / 15.0);
    switch (p.allineamento) {
    case AllineamentoRtf::Sinistra:
        b.setAlignment(Qt::AlignLeft);
        break;
    case AllineamentoRtf::Centro:
        b.setAlignment(Qt::AlignHCenter);
        break;
    case AllineamentoRtf::Destra:
        b.setAlignment(Qt::AlignRight);
        break;
    case AllineamentoRtf::Giustificato:
        b.setAlignment(Qt::AlignJustify);
        break;
    }
    return b;
}

// The ranges of text with one format, collected before any change so that merging fragments
// cannot disturb the walk.
struct Tratto {
    int inizio;
    int lunghezza;
    double punti;
};

QList<Tratto> Tratti(const QTextDocument& documento) {
    QList<Tratto> tratti;
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid())
                continue;
            double punti = f.charFormat().fontPointSize();
            if (punti <= 0)
                punti = documento.defaultFont().pointSizeF();
            tratti.append(Tratto{f.position(), f.length(), punti});
        }
    }
    return tratti;
}

void CambiaPunti(QTextCursor& c, const Tratto& t, double punti) {
    c.setPosition(t.inizio);
    c.setPosition(t.inizio + t.lunghezza, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setFontPointSize(punti);
    c.mergeCharFormat(f);
}

} // namespace

void Riempi(QTextDocument& documento, const DocumentoRtf& testo, const QColor& coloreTesto) {
    documento.clear();
    QTextCursor c(&documento);
    c.beginEditBlock();
    bool primo = true;
    for (const ParagrafoRtf& p : testo.paragrafi) {
        const QTextCharFormat base = FormatoCarattere(
            p.segmenti.isEmpty() ? FormatoRtf{} : p.segmenti.first().formato, coloreTesto);
        if (primo) {
            c.setBlockFormat(FormatoBlocco(p));
            c.setBlockCharFormat(base);
            primo = false;
        } else {
            c.insertBlock(FormatoBlocco(p), base);
        }
        for (const SegmentoRtf& s : p.segmenti)
            c.insertText(s.testo, FormatoCarattere(s.formato, coloreTesto));
    }
    c.endEditBlock();
    documento.clearUndoRedoStacks();
    documento.setModified(false);
}

std::optional<QString> Carica(QTextDocument& documento, const QString& percorso,
                              const QColor& coloreTesto) {
    const LettoreRtf::Esito esito = LettoreRtf::LeggiFile(percorso);
    if (esito.errore) {
        documento.clear();
        return esito.errore;
    }
    Riempi(documento, esito.documento, coloreTesto);
    return std::nullopt;
}

void AumentaCaratteri(QTextDocument& documento) {
    const QList<Tratto> tratti = Tratti(documento);
    // One edit: the text is laid out again once, not after every run.
    QTextCursor c(&documento);
    c.beginEditBlock();
    for (const Tratto& t : tratti)
        CambiaPunti(c, t, t.punti + 5);
    c.endEditBlock();
}

void RiduciCaratteri(QTextDocument& documento) {
    const QList<Tratto> tratti = Tratti(documento);
    QTextCursor c(&documento);
    c.beginEditBlock();
    for (const Tratto& t : tratti)
        if (t.punti >= 13)
            CambiaPunti(c, t, t.punti - 5);
    c.endEditBlock();
}

void ColoraIntervallo(QTextDocument& documento, int inizio, int fine, const QColor& colore) {
    const int ultimo = std::max(0, documento.characterCount() - 1);
    inizio = std::clamp(inizio, 0, ultimo);
    fine = std::clamp(fine, 0, ultimo);
    if (fine <= inizio)
        return;
    QTextCursor c(&documento);
    c.setPosition(inizio);
    c.setPosition(fine, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setForeground(colore);
    c.mergeCharFormat(f);
}

void ColoraTutto(QTextDocument& documento, const QColor& colore) {
    ColoraIntervallo(documento, 0, documento.characterCount() - 1, colore);
}

ColoriTesto Colori(const QTextDocument& documento) {
    ColoriTesto colori;
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid())
                continue;
            const QTextCharFormat fc = f.charFormat();
            const QBrush colore =
                fc.hasProperty(QTextFormat::ForegroundBrush) ? fc.foreground() : QBrush();
            const int inizio = f.position(), fine = f.position() + f.length();
            if (!colori.isEmpty() && colori.last().fine == inizio && colori.last().colore == colore)
                colori.last().fine = fine;
            else
                colori.append({inizio, fine, colore});
        }
    }
    return colori;
}

void RipristinaColori(QTextDocument& documento, const ColoriTesto& coloriOriginali, int inizio,
                      int fine) {
    const int ultimo = std::max(0, documento.characterCount() - 1);
    inizio = std::clamp(inizio, 0, ultimo);
    fine = std::clamp(fine, 0, ultimo);
    for (const ColoreTratto& t : coloriOriginali) {
        const int a = std::max(inizio, t.inizio), b = std::min(fine, t.fine);
        if (b <= a)
            continue;
        if (t.colore.style() != Qt::NoBrush) {
            QTextCursor c(&documento);
            c.setPosition(a);
            c.setPosition(b, QTextCursor::KeepAnchor);
            QTextCharFormat f;
            f.setForeground(t.colore);
            c.mergeCharFormat(f);
            continue;
        }
        // No colour of its own: the property is taken off, piece by piece, keeping the rest of
        // the format.
        int p = a;
        while (p < b) {
            QTextCursor c(&documento);
            c.setPosition(p);
            const QTextBlock blocco = c.block();
            int passo = b;
            QTextCharFormat formato;
            for (auto it = blocco.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.position() <= p && p < f.position() + f.length()) {
                    passo = std::min(b, f.position() + f.length());
                    formato = f.charFormat();
                    break;
                }
            }
            if (passo <= p)
                passo = std::min(b, blocco.position() + blocco.length());
            if (passo <= p)
                break;
            formato.clearForeground();
            c.setPosition(passo, QTextCursor::KeepAnchor);
            c.setCharFormat(formato);
            p = passo;
        }
    }
}

ContrastoLettura Contrasto(int schemaLettura) {
    switch (schemaLettura) {
    case 2:
        return {QColor(Qt::black), QColor(Qt::white)};
    case 3:
        return {QColor(224, 224, 224), QColor(Qt::black)};
    default:
        return {QColor(Qt::white), QColor(Qt::black)};
    }
}

int ProssimoContrasto(int schemaLettura) {
    return schemaLettura >= 1 && schemaLettura < 3 ? schemaLettura + 1 : 1;
}

} // namespace DocumentoTesto

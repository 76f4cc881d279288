#include "workspace/testi/LettoreRtf.h"

#include "shell/Percorsi.h"
#include "shell/Profilo.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

namespace {

// Groups deeper than this are still balanced but no longer keep their own state: a file made of
// nothing but '{' cannot make the reader grow without bound.
constexpr int ProfonditaMassima = 256;
// A control word's name longer than this is cut (its letters are still consumed).
constexpr int LunghezzaMassimaParola = 32;

enum class Destinazione { Testo, Salta, Colori };

struct StatoGruppo {
    FormatoRtf formato;
    AllineamentoRtf allineamento = AllineamentoRtf::Sinistra;
    int spazioPrima = 0;
    int spazioDopo = 0;
    Destinazione destinazione = Destinazione::Testo;
    int caratteriDopoUnicode = 1; // "\ucN"
    bool nascosto = false;        // "\v"
};

// Destinations whose content is never text to show.
bool DestinazioneDaSaltare(QLatin1StringView parola) {
    static constexpr std::string_view nomi[]{"fonttbl",
                                             "filetbl",
                                             "stylesheet",
                                             "info",
                                             "pict",
                                             "object",
                                             "objdata",
                                             "header",
                                             "headerl",
                                             "headerr",
                                             "headerf",
                                             "footer",
                                             "footerl",
                                             "footerr",
                                             "footerf",
                                             "footnote",
                                             "fldinst",
                                             "listtable",
                                             "listoverridetable",
                                             "revtbl",
                                             "rsidtbl",
                                             "xmlnstbl",
                                             "themedata",
                                             "colorschememapping",
                                             "latentstyles",
                                             "datastore",
                                             "generator",
                                             "pgdsctbl",
                                             "mmathPr",
                                             "author",
                                             "operator",
                                             "title",
                                             "subject",
                                             "keywords",
                                             "comment",
                                             "doccomm",
                                             "company",
                                             "nonshppict",
                                             "shppict",
                                             "shp",
                                             "shpinst",
                                             "sp",
                                             "do",
                                             "bkmkstart",
                                             "bkmkend",
                                             "txe",
                                             "xe",
                                             "tc",
                                             "template",
                                             "annotation",
                                             "atnid",
                                             "atnauthor"};
    const std::string_view p(parola.data(), std::size_t(parola.size()));
    return std::any_of(std::begin(nomi), std::end(nomi),
                       [&](std::string_view n) { return p == n; });
}

class Analizzatore {
public:
    explicit Analizzatore(QByteArrayView dati) : dati_(dati) {}

    DocumentoRtf Esegui() {
        qsizetype i = 0;
        const qsizetype n = dati_.size();
        while (i < n) {
            const char c = dati_[i];
            if (c == '{') {
                ChiudiByte();
                saltaDopoUnicode_ = 0;
                if (pila_.size() < ProfonditaMassima)
                    pila_.append(stato_);
                else
                    ++oltreLimite_;
                ++i;
            } else if (c == '}') {
                ChiudiByte();
                saltaDopoUnicode_ = 0;
                if (oltreLimite_ > 0) {
                    --oltreLimite_;
                } else if (!pila_.isEmpty()) {
                    ChiudiColoreSeServe();
                    stato_ = pila_.takeLast();
                }
                ++i;
            } else if (c == '\\') {
                i = Controllo(i + 1);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                if (saltaDopoUnicode_ > 0)
                    --saltaDopoUnicode_;
                else
                    Carattere(static_cast<unsigned char>(c));
                ++i;
            }
        }
        ChiudiByte();
        ChiudiParagrafo(false);
        // The "\par" that ends the last line leaves an empty paragraph behind: it is not text.
        if (doc_.paragrafi.size() > 1 && doc_.paragrafi.last().segmenti.isEmpty())
            doc_.paragrafi.removeLast();
        return std::move(doc_);
    }

private:
    // Reads the control word or symbol that starts at i (just after the backslash) and returns
    // the index of the first byte after it.
    qsizetype Controllo(qsizetype i) {
        const qsizetype n = dati_.size();
        if (i >= n)
            return n;
        const char c = dati_[i];
        if (c == '\'') {
            // "\'xx": one byte in the document's code page. A truncated or invalid escape is
            // dropped.
            int valore = 0;
            qsizetype j = i + 1;
            for (int k = 0; k < 2; ++k, ++j) {
                const int cifra = j < n ? CifraEsadecimale(dati_[j]) : -1;
                if (cifra < 0)
                    return j;
                valore = valore * 16 + cifra;
            }
            if (saltaDopoUnicode_ > 0)
                --saltaDopoUnicode_;
            else
                Carattere(static_cast<unsigned char>(valore));
            return j;
        }
        ChiudiByte();
        if (!IsLettera(c)) {
            const bool saltato = saltaDopoUnicode_ > 0;
            if (saltato)
                --saltaDopoUnicode_;
            switch (c) {
            case '*':
                stato_.destinazione = Destinazione::Salta;
                break;
            case '\\':
            case '{':
            case '}':
                if (!saltato)
                    Testo(QChar(char16_t(c)));
                break;
            case '~':
                if (!saltato)
                    Testo(QChar(0x00A0));
                break;
            case '_':
                if (!saltato)
                    Testo(QChar(0x2011));
                break;
            case '\r':
            case '\n':
                if (!saltato)
                    Parola(QLatin1StringView("par"), false, 0);
                break;
            default: // "\-" optional hyphen, "\|", "\:" and the like: nothing to show
                break;
            }
            return i + 1;
        }

        qsizetype j = i;
        while (j < n && IsLettera(dati_[j]))
            ++j;
        const QLatin1StringView parola(dati_.data() + i,
                                       std::min<qsizetype>(j - i, LunghezzaMassimaParola));
        bool conParametro = false;
        bool negativo = false;
        qint64 valore = 0;
        if (j < n && dati_[j] == '-' && j + 1 < n && IsCifra(dati_[j + 1])) {
            negativo = true;
            ++j;
        }
        while (j < n && IsCifra(dati_[j])) {
            conParametro = true;
            if (valore < std::numeric_limits<int>::max())
                valore = valore * 10 + (dati_[j] - '0');
            ++j;
        }
        if (j < n && dati_[j] == ' ')
            ++j; // the delimiter belongs to the control word
        valore = std::min<qint64>(valore, std::numeric_limits<int>::max());
        const int parametro = static_cast<int>(negativo ? -valore : valore);

        if (parola == QLatin1StringView("bin")) {
            // Raw binary data follows; never shown.
            const qint64 salto = conParametro && parametro > 0 ? parametro : 0;
            return std::min<qint64>(n, j + salto);
        }
        if (saltaDopoUnicode_ > 0) {
            --saltaDopoUnicode_;
            return j;
        }
        Parola(parola, conParametro, parametro);
        return j;
    }

    void Parola(QLatin1StringView p, bool conParametro, int v) {
        const bool acceso = !conParametro || v != 0;
        if (p == QLatin1StringView("ansicpg")) {
            ImpostaCodifica(v);
            return;
        }
        if (p == QLatin1StringView("uc")) {
            stato_.caratteriDopoUnicode = std::clamp(v, 0, 16);
            return;
        }
        if (p == QLatin1StringView("u")) {
            if (conParametro) {
                const int codice = v < 0 ? v + 65536 : v;
                if (codice > 0 && codice <= 0xFFFF)
                    Testo(QChar(char16_t(codice)));
            }
            saltaDopoUnicode_ = stato_.caratteriDopoUnicode;
            return;
        }
        if (p == QLatin1StringView("colortbl")) {
            stato_.destinazione = Destinazione::Colori;
            coloreAperto_ = false;
            return;
        }
        if (DestinazioneDaSaltare(p)) {
            stato_.destinazione = Destinazione::Salta;
            return;
        }
        if (stato_.destinazione == Destinazione::Colori) {
            const int componente = std::clamp(v, 0, 255);
            if (p == QLatin1StringView("red"))
                ImpostaComponente(16, componente);
            else if (p == QLatin1StringView("green"))
                ImpostaComponente(8, componente);
            else if (p == QLatin1StringView("blue"))
                ImpostaComponente(0, componente);
            return;
        }
        if (stato_.destinazione != Destinazione::Testo)
            return;

        FormatoRtf& f = stato_.formato;
        if (p == QLatin1StringView("par") || p == QLatin1StringView("page") ||
            p == QLatin1StringView("row")) {
            ChiudiParagrafo();
        } else if (p == QLatin1StringView("line")) {
            Testo(QChar(QChar::LineSeparator));
        } else if (p == QLatin1StringView("tab") || p == QLatin1StringView("cell")) {
            Testo(QChar(u'\t'));
        } else if (p == QLatin1StringView("b")) {
            f.grassetto = acceso;
        } else if (p == QLatin1StringView("i")) {
            f.corsivo = acceso;
        } else if (p == QLatin1StringView("ulnone")) {
            f.sottolineato = false;
        } else if (p.startsWith(QLatin1StringView("ul")) && p != QLatin1StringView("ulc")) {
            f.sottolineato = acceso;
        } else if (p == QLatin1StringView("fs")) {
            f.mezziPunti = conParametro && v > 0 ? std::clamp(v, 2, 1000) : 24;
        } else if (p == QLatin1StringView("cf")) {
            f.colore = conParametro && v >= 0 && v < colori_.size() ? colori_[v] : std::nullopt;
        } else if (p == QLatin1StringView("plain")) {
            f = FormatoRtf{};
            stato_.nascosto = false;
        } else if (p == QLatin1StringView("v")) {
            stato_.nascosto = acceso;
        } else if (p == QLatin1StringView("pard")) {
            stato_.allineamento = AllineamentoRtf::Sinistra;
            stato_.spazioPrima = stato_.spazioDopo = 0;
        } else if (p == QLatin1StringView("sb")) {
            stato_.spazioPrima = std::clamp(v, 0, 14400);
        } else if (p == QLatin1StringView("sa")) {
            stato_.spazioDopo = std::clamp(v, 0, 14400);
        } else if (p == QLatin1StringView("ql")) {
            stato_.allineamento = AllineamentoRtf::Sinistra;
        } else if (p == QLatin1StringView("qc")) {
            stato_.allineamento = AllineamentoRtf::Centro;
        } else if (p == QLatin1StringView("qr")) {
            stato_.allineamento = AllineamentoRtf::Destra;
        } else if (p == QLatin1StringView("qj")) {
            stato_.allineamento = AllineamentoRtf::Giustificato;
        } else if (p == QLatin1StringView("emdash")) {
            Testo(QChar(0x2014));
        } else if (p == QLatin1StringView("endash")) {
            Testo(QChar(0x2013));
        } else if (p == QLatin1StringView("bullet")) {
            Testo(QChar(0x2022));
        } else if (p == QLatin1StringView("lquote")) {
            Testo(QChar(0x2018));
        } else if (p == QLatin1StringView("rquote")) {
            Testo(QChar(0x2019));
        } else if (p == QLatin1StringView("ldblquote")) {
            Testo(QChar(0x201C));
        } else if (p == QLatin1StringView("rdblquote")) {
            Testo(QChar(0x201D));
        } else if (p == QLatin1StringView("emspace") || p == QLatin1StringView("enspace") ||
                   p == QLatin1StringView("qmspace")) {
            Testo(QChar(u' '));
        }
        // Every other control word changes nothing that the reader shows.
    }

    void Carattere(unsigned char b) {
        if (stato_.destinazione == Destinazione::Colori) {
            if (b == ';')
                FineVoceColore();
            return;
        }
        if (stato_.destinazione != Destinazione::Testo || stato_.nascosto)
            return;
        if (b == '\t') {
            Testo(QChar(u'\t'));
            return;
        }
        if (b < 0x20 || b == 0x7F)
            return; // control bytes carry nothing to show
        if (b < 0x80) {
            Testo(QChar(char16_t(b)));
            return;
        }
        byteInAttesa_.append(static_cast<char>(b));
        formatoByte_ = stato_.formato;
    }

    void Testo(QChar c) {
        if (stato_.destinazione != Destinazione::Testo || stato_.nascosto)
            return;
        ChiudiByte();
        ProprietaParagrafo();
        if (!corrente_.segmenti.isEmpty() && corrente_.segmenti.last().formato == stato_.formato)
            corrente_.segmenti.last().testo.append(c);
        else
            corrente_.segmenti.append(SegmentoRtf{QString(c), stato_.formato});
    }

    void AggiungiTesto(const QString& s, const FormatoRtf& f) {
        if (s.isEmpty())
            return;
        ProprietaParagrafo();
        if (!corrente_.segmenti.isEmpty() && corrente_.segmenti.last().formato == f)
            corrente_.segmenti.last().testo += s;
        else
            corrente_.segmenti.append(SegmentoRtf{s, f});
    }

    // Bytes of the code page are decoded together, so that double-byte code pages work too.
    void ChiudiByte() {
        if (byteInAttesa_.isEmpty())
            return;
        QString s;
        if (decodificatore_.isValid())
            s = decodificatore_.decode(byteInAttesa_);
        else
            s = Cp1252::Decodifica(byteInAttesa_);
        byteInAttesa_.clear();
        if (stato_.destinazione == Destinazione::Testo)
            AggiungiTesto(s, formatoByte_);
    }

    // A "\par" gives the paragraph the alignment in effect; the last paragraph of a file keeps
    // the one its text was written with (the groups around it are closed by then).
    void ChiudiParagrafo(bool conAllineamentoCorrente = true) {
        ChiudiByte();
        if (conAllineamentoCorrente)
            ProprietaParagrafo();
        doc_.paragrafi.append(std::move(corrente_));
        corrente_ = ParagrafoRtf{};
    }

    void ProprietaParagrafo() {
        corrente_.allineamento = stato_.allineamento;
        corrente_.spazioPrima = stato_.spazioPrima;
        corrente_.spazioDopo = stato_.spazioDopo;
    }

    void ImpostaCodifica(int pagina) {
        ChiudiByte();
        if (pagina == 1252 || pagina <= 0) {
            decodificatore_ = QStringDecoder();
            return;
        }
        if (pagina == 65001) {
            decodificatore_ = QStringDecoder(QStringDecoder::Utf8);
            return;
        }
        const QByteArray numero = QByteArray::number(pagina);
        const QByteArray windows = QByteArrayLiteral("windows-") + numero;
        decodificatore_ = QStringDecoder(windows.constData());
        if (!decodificatore_.isValid()) {
            const QByteArray cp = QByteArrayLiteral("CP") + numero;
            decodificatore_ = QStringDecoder(cp.constData());
        }
        // An unknown code page falls back to Windows-1252 (invalid decoder).
    }

    void ImpostaComponente(int spostamento, int valore) {
        colore_ = (colore_ & ~(0xFFu << spostamento)) | (quint32(valore) << spostamento);
        coloreAperto_ = true;
    }

    void FineVoceColore() {
        // An entry without components is the automatic colour (normally entry 0).
        colori_.append(coloreAperto_ ? std::optional<quint32>(colore_) : std::nullopt);
        colore_ = 0;
        coloreAperto_ = false;
    }

    void ChiudiColoreSeServe() {
        // A last entry without its ';' still counts.
        if (stato_.destinazione == Destinazione::Colori && coloreAperto_)
            FineVoceColore();
    }

    static bool IsLettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsCifra(char c) { return c >= '0' && c <= '9'; }
    static int CifraEsadecimale(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    QByteArrayView dati_;
    StatoGruppo stato_;
    QList<StatoGruppo> pila_;
    int oltreLimite_ = 0;
    int saltaDopoUnicode_ = 0;
    QByteArray byteInAttesa_;
    FormatoRtf formatoByte_;
    QStringDecoder decodificatore_; // invalid = Windows-1252
    QList<std::optional<quint32>> colori_;
    quint32 colore_ = 0;
    bool coloreAperto_ = false;
    ParagrafoRtf corrente_;
    DocumentoRtf doc_;
};

bool IniziaComeRtf(QByteArrayView dati) {
    qsizetype i = 0;
    if (dati.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < dati.size() &&
           (dati[i] == ' ' || dati[i] == '\t' || dati[i] == '\r' || dati[i] == '\n'))
        ++i;
    return dati.sliced(i).startsWith("{\\rtf");
}

DocumentoRtf TestoNonRtf(QByteArrayView dati) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString testo = utf8.decode(dati);
    if (utf8.hasError())
        testo = Cp1252::Decodifica(dati);
    if (testo.startsWith(QChar(0xFEFF)))
        testo.remove(0, 1);
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    testo.replace(u'\r', u'\n');
    DocumentoRtf doc;
    doc.eraRtf = false;
    const QStringList righe = testo.split(u'\n');
    for (const QString& riga : righe) {
        ParagrafoRtf p;
        QString pulita;
        pulita.reserve(riga.size());
        for (QChar c : riga)
            if (c == u'\t' || c.unicode() >= 0x20)
                pulita += c;
        if (!pulita.isEmpty())
            p.segmenti.append(SegmentoRtf{pulita, FormatoRtf{}});
        doc.paragrafi.append(p);
    }
    if (doc.paragrafi.size() > 1 && doc.paragrafi.last().segmenti.isEmpty())
        doc.paragrafi.removeLast();
    return doc;
}

} // namespace

QString ParagrafoRtf::Testo() const {
    QString t;
    for (const SegmentoRtf& s : segmenti)
        t += s.testo;
    return t;
}

QString DocumentoRtf::TestoSemplice() const {
    QString t;
    for (qsizetype i = 0; i < paragrafi.size(); ++i) {
        if (i > 0)
            t += u'\n';
        t += paragrafi[i].Testo();
    }
    return t;
}

DocumentoRtf LettoreRtf::Leggi(QByteArrayView dati) {
    if (!IniziaComeRtf(dati))
        return TestoNonRtf(dati);
    return Analizzatore(dati).Esegui();
}

LettoreRtf::Esito LettoreRtf::LeggiFile(const QString& percorso) {
    Esito esito;
    esito.documento.paragrafi.append(ParagrafoRtf{});
    const QFileInfo info(percorso);
    if (percorso.isEmpty() || !info.exists()) {
        esito.errore = QStringLiteral("Il testo \"%1\" non esiste.").arg(percorso);
        return esito;
    }
    if (!info.isFile()) {
        esito.errore = QStringLiteral("\"%1\" non è un file di testo.").arg(percorso);
        return esito;
    }
    const QString troppo =
        QStringLiteral("Il testo \"%1\" è troppo lungo per la finestra di lettura (al massimo "
                       "%2 caratteri): scegliere un testo più breve.")
            .arg(info.fileName())
            .arg(CaratteriMassimi);
    if (info.size() > DimensioneMassima) {
        esito.errore = troppo;
        return esito;
    }
    QString motivo;
    const auto dati = Percorsi::LeggiFileRegolare(percorso, DimensioneMassima, &motivo);
    if (!dati) {
        esito.errore = info.size() > DimensioneMassima
                           ? troppo
                           : QStringLiteral("Impossibile aprire il testo \"%1\": %2.")
                                 .arg(info.fileName(), motivo);
        return esito;
    }
    DocumentoRtf letto = Leggi(*dati);
    qsizetype caratteri = 0;
    for (const ParagrafoRtf& p : std::as_const(letto.paragrafi))
        for (const SegmentoRtf& r : p.segmenti)
            caratteri += r.testo.size() + 1;
    if (caratteri > CaratteriMassimi) {
        esito.errore = troppo;
        return esito;
    }
    esito.documento = std::move(letto);
    return esito;
}

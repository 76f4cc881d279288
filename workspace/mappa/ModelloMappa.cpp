#include "workspace/mappa/ModelloMappa.h"

#include "catalog/CatalogoFisico.h"
#include "shell/Percorsi.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// The largest magnitude of any number in a map file: map-plane coordinates are metres, and the
// whole Earth spans some 4e7 of them.
constexpr double CoordinataMassima = 1e9;
// Draw orders and format versions are small integers.
constexpr double InteroMassimo = 1e6;
// The largest map file read; the atlas's largest is about 1 MB.
constexpr qint64 DimensioneMassimaFile = 64 * 1024 * 1024;

// A small, strict JSON reader specialised for map files: it walks the text once, keeps the
// members it needs and parses coordinate arrays straight into polygons (no intermediate
// document tree), which keeps the load of the largest map within a few milliseconds.
class LettoreJson {
public:
    explicit LettoreJson(QByteArrayView t)
        : inizio_(t.data()), p_(t.data()), fine_(t.data() + t.size()) {}

    bool fallito() const { return fallito_; }
    const QString& errore() const { return errore_; }
    int rigaErrore() const {
        return 1 + int(std::count(inizio_, inizio_ + posizioneErrore_, '\n'));
    }

    bool errore(const QString& messaggio) {
        if (!fallito_) {
            fallito_ = true;
            errore_ = messaggio;
            posizioneErrore_ = p_ - inizio_;
        }
        return false;
    }

    void spazi() {
        while (p_ < fine_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t'))
            ++p_;
    }
    char prossimo() {
        spazi();
        return p_ < fine_ ? *p_ : '\0';
    }
    bool atteso(char c) {
        spazi();
        if (p_ < fine_ && *p_ == c) {
            ++p_;
            return true;
        }
        if (p_ >= fine_)
            return errore(QStringLiteral("il testo finisce prima del previsto"));
        return errore(QStringLiteral("atteso '%1', trovato '%2'")
                          .arg(QChar::fromLatin1(c))
                          .arg(QChar::fromLatin1(*p_)));
    }
    bool fineDelTesto() {
        spazi();
        return p_ >= fine_;
    }

    // Iterates the members of an object: the callback gets the key (raw bytes, keys carry no
    // escapes in map files) and must consume the value.
    template <typename F> bool oggetto(F&& membro) {
        if (!atteso('{'))
            return false;
        if (prossimo() == '}') {
            ++p_;
            return true;
        }
        for (;;) {
            QByteArrayView chiave;
            if (!chiaveGrezza(chiave) || !atteso(':'))
                return false;
            if (!membro(chiave))
                return false;
            const char c = prossimo();
            if (c == ',') {
                ++p_;
                continue;
            }
            if (c == '}') {
                ++p_;
                return true;
            }
            return atteso('}');
        }
    }

    template <typename F> bool array(F&& voce) {
        if (!atteso('['))
            return false;
        if (prossimo() == ']') {
            ++p_;
            return true;
        }
        for (;;) {
            if (!voce())
                return false;
            const char c = prossimo();
            if (c == ',') {
                ++p_;
                continue;
            }
            if (c == ']') {
                ++p_;
                return true;
            }
            return atteso(']');
        }
    }

    bool stringa(QString& out) {
        if (!atteso('"'))
            return false;
        out.clear();
        const char* pezzo = p_;
        while (p_ < fine_) {
            const char c = *p_;
            if (c == '"') {
                out += QString::fromUtf8(pezzo, p_ - pezzo);
                ++p_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return errore(QStringLiteral("carattere di controllo dentro un testo"));
            if (c != '\\') {
                ++p_;
                continue;
            }
            out += QString::fromUtf8(pezzo, p_ - pezzo);
            ++p_;
            if (p_ >= fine_)
                break;
            const char e = *p_++;
            switch (e) {
            case '"':
                out += u'"';
                break;
            case '\\':
                out += u'\\';
                break;
            case '/':
                out += u'/';
                break;
            case 'b':
                out += u'\b';
                break;
            case 'f':
                out += u'\f';
                break;
            case 'n':
                out += u'\n';
                break;
            case 'r':
                out += u'\r';
                break;
            case 't':
                out += u'\t';
                break;
            case 'u': {
                if (fine_ - p_ < 4)
                    return errore(QStringLiteral("sequenza \\u incompleta"));
                bool ok = false;
                const uint codice = QByteArrayView(p_, 4).toUInt(&ok, 16);
                if (!ok)
                    return errore(QStringLiteral("sequenza \\u non valida"));
                out += QChar(char16_t(codice));
                p_ += 4;
                break;
            }
            default:
                return errore(QStringLiteral("sequenza di escape non valida"));
            }
            pezzo = p_;
        }
        return errore(QStringLiteral("testo non chiuso"));
    }

    // A JSON number (no "nan", "inf", "+1", ".5" or hexadecimal), finite and within
    // CoordinataMassima: no map needs more, and larger values would overflow the geometry.
    bool numero(double& out) {
        spazi();
        const char* q = p_;
        auto cifre = [&] {
            const char* da = q;
            while (q < fine_ && *q >= '0' && *q <= '9')
                ++q;
            return q > da;
        };
        if (q < fine_ && *q == '-')
            ++q;
        bool valido = cifre();
        if (valido && q < fine_ && *q == '.') {
            ++q;
            valido = cifre();
        }
        if (valido && q < fine_ && (*q == 'e' || *q == 'E')) {
            ++q;
            if (q < fine_ && (*q == '+' || *q == '-'))
                ++q;
            valido = cifre();
        }
        if (!valido)
            return errore(QStringLiteral("atteso un numero"));
        const auto [fine, ec] = std::from_chars(p_, q, out);
        if (ec == std::errc::result_out_of_range ||
            (ec == std::errc() && fine == q && !(std::abs(out) <= CoordinataMassima)))
            return errore(QStringLiteral("numero fuori dall'intervallo ammesso"));
        if (ec != std::errc() || fine != q)
            return errore(QStringLiteral("atteso un numero"));
        p_ = q;
        return true;
    }

    // A string, number, true, false or null read as text (numbers in their written form).
    bool valoreSemplice(QString& out, bool& eNumero, double& valoreNumerico) {
        eNumero = false;
        const char c = prossimo();
        if (c == '"')
            return stringa(out);
        if (c == '-' || (c >= '0' && c <= '9')) {
            const char* da = p_;
            if (!numero(valoreNumerico))
                return false;
            eNumero = true;
            out = QString::fromLatin1(da, p_ - da);
            return true;
        }
        if (c == '{' || c == '[') {
            out.clear();
            return salta();
        }
        return letterale(out);
    }

    bool salta(int profondita = 0) {
        if (profondita > 64)
            return errore(QStringLiteral("annidamento troppo profondo"));
        const char c = prossimo();
        if (c == '{')
            return oggetto([&](QByteArrayView) { return salta(profondita + 1); });
        if (c == '[')
            return array([&] { return salta(profondita + 1); });
        if (c == '"') {
            QString s;
            return stringa(s);
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            double d;
            return numero(d);
        }
        QString s;
        return letterale(s);
    }

    // GeoJSON coordinates of any geometry type: every innermost array of positions becomes one
    // polygon (a ring, a line or a group of points); a bare position becomes a polygon of one
    // point.
    // Polygons are recorded in poligoni as the index of their first ring.
    bool coordinate(QList<QPolygonF>& parti, QList<qsizetype>& poligoni, int profondita = 0,
                    bool* sequenza = nullptr) {
        if (profondita > 8)
            return errore(QStringLiteral("coordinate annidate troppo in profondità"));
        spazi();
        const char* inizioArray = p_;
        if (!atteso('['))
            return false;
        const char c = prossimo();
        if (c == ']') {
            ++p_;
            return true;
        }
        if (c != '[') {
            // A bare position (a Point's coordinates).
            p_ = inizioArray;
            QPointF punto;
            if (!posizione(punto))
                return false;
            parti.append(QPolygonF{punto});
            return true;
        }
        // Peek into the first child: positions or deeper arrays?
        ++p_;
        const bool figliPosizioni = prossimo() != '[';
        p_ = inizioArray;
        if (!figliPosizioni) {
            const qsizetype inizio = parti.size();
            bool anelli = false;
            const bool ok =
                array([&] { return coordinate(parti, poligoni, profondita + 1, &anelli); });
            if (ok && anelli)
                poligoni.append(inizio); // an array of rings: one polygon
            return ok;
        }
        QPolygonF seq;
        const bool ok = array([&] {
            QPointF punto;
            if (!posizione(punto))
                return false;
            seq.append(punto);
            return true;
        });
        if (ok) {
            parti.append(std::move(seq));
            if (sequenza)
                *sequenza = true;
        }
        return ok;
    }

private:
    bool chiaveGrezza(QByteArrayView& out) {
        if (!atteso('"'))
            return false;
        const char* da = p_;
        while (p_ < fine_ && *p_ != '"') {
            if (*p_ == '\\') {
                // Rare: decode and compare as text.
                p_ = da - 1;
                QString s;
                if (!stringa(s))
                    return false;
                chiaveDecodificata_ = s.toUtf8();
                out = chiaveDecodificata_;
                return true;
            }
            ++p_;
        }
        if (p_ >= fine_)
            return errore(QStringLiteral("testo non chiuso"));
        out = QByteArrayView(da, p_ - da);
        ++p_;
        return true;
    }

    bool letterale(QString& out) {
        spazi();
        for (const char* parola : {"true", "false", "null"}) {
            const auto n = qsizetype(std::strlen(parola));
            if (fine_ - p_ >= n && QByteArrayView(p_, n) == QByteArrayView(parola, n)) {
                p_ += n;
                out = QString::fromLatin1(parola);
                return true;
            }
        }
        if (p_ >= fine_)
            return errore(QStringLiteral("il testo finisce prima del previsto"));
        return errore(QStringLiteral("valore non valido"));
    }

    bool posizione(QPointF& punto) {
        int n = 0;
        double xy[2] = {0, 0};
        const bool ok = array([&] {
            double v;
            if (!numero(v))
                return false;
            if (n < 2)
                xy[n] = v;
            ++n;
            return true;
        });
        if (!ok)
            return false;
        if (n < 2)
            return errore(QStringLiteral("una posizione ha meno di due coordinate"));
        punto = QPointF(xy[0], xy[1]);
        return true;
    }

    const char* inizio_;
    const char* p_;
    const char* fine_;
    bool fallito_ = false;
    QString errore_;
    qsizetype posizioneErrore_ = 0;
    QByteArray chiaveDecodificata_;
};

double superficieAnello(const QPolygonF& anello) {
    double s = 0;
    const qsizetype n = anello.size();
    for (qsizetype i = 0, j = n - 1; i < n; j = i++)
        s += (anello[j].x() + anello[i].x()) * (anello[j].y() - anello[i].y());
    return s / 2;
}

QString messaggioDanneggiato(const QString& file, int riga, const QString& motivo) {
    return QStringLiteral("Il file della mappa \"%1\" è danneggiato (riga %2): %3.")
        .arg(QDir::toNativeSeparators(file))
        .arg(riga)
        .arg(motivo);
}

} // namespace

QString CategoriaDelFotogramma(int fotogramma) {
    static const QString categorie[] = {
        QString(),
        QStringLiteral("monte"),
        QStringLiteral("pianura"),
        QStringLiteral("deserto"),
        QStringLiteral("fiume"),
        QStringLiteral("ghiacciaio"),
        QStringLiteral("mare"),
        QStringLiteral("altri"),
    };
    if (fotogramma < 0 || fotogramma > 7)
        return {};
    return categorie[fotogramma];
}

RisultatoMappa LeggiMappaGeoJson(QByteArrayView testo, const QString& nomeFile) {
    auto dati = std::make_shared<DatiMappa>();
    dati->file = nomeFile;
    LettoreJson j(testo);
    QString tipo;
    QString tipoMappa;
    QList<double> limiti;
    bool haMetadati = false;

    auto leggiMetadati = [&](QByteArrayView k) -> bool {
        haMetadati = true;
        QString s;
        bool eNumero = false;
        double v = 0;
        if (k == "bounds") {
            return j.array([&] {
                double d;
                if (!j.numero(d))
                    return false;
                limiti.append(d);
                return true;
            });
        }
        if (!j.valoreSemplice(s, eNumero, v))
            return false;
        if (k == "format") {
            if (!eNumero || v != std::floor(v) || v < 0 || v > InteroMassimo)
                return j.errore(QStringLiteral("\"format\" non è un numero di versione valido"));
            dati->formato = int(v);
        } else if (k == "kind")
            tipoMappa = s;
        else if (k == "area")
            dati->area = s;
        else if (k == "projection")
            dati->proiezione = s;
        else if (k == "units")
            dati->unita = s;
        else if (k == "borderLayer")
            dati->stratoConfini = s;
        else if (k == "attribution")
            dati->attribuzione = s;
        return true;
    };

    auto leggiFeature = [&]() -> bool {
        ElementoMappa e;
        QString ruolo, forma, tipoGeometria;
        bool haOrdine = false, haGeometria = false;
        const bool ok = j.oggetto([&](QByteArrayView k) {
            if (k == "properties") {
                if (j.prossimo() == 'n')
                    return j.salta();
                return j.oggetto([&](QByteArrayView p) {
                    QString s;
                    bool eNumero = false;
                    double v = 0;
                    if (!j.valoreSemplice(s, eNumero, v))
                        return false;
                    if (p == "name")
                        e.nome = s == u"null" && !eNumero ? QString() : s;
                    else if (p == "role")
                        ruolo = s;
                    else if (p == "category")
                        e.categoria = s == u"null" ? QString() : s;
                    else if (p == "kind")
                        forma = s;
                    else if (p == "order" && eNumero) {
                        if (v != std::floor(v) || std::abs(v) > InteroMassimo)
                            return j.errore(QStringLiteral(
                                "\"order\" deve essere un numero intero tra -1000000 e 1000000"));
                        e.ordine = int(v);
                        haOrdine = true;
                    }
                    return true;
                });
            }
            if (k == "geometry") {
                if (j.prossimo() == 'n')
                    return j.salta();
                return j.oggetto([&](QByteArrayView g) {
                    if (g == "type")
                        return j.stringa(tipoGeometria);
                    if (g == "coordinates") {
                        haGeometria = true;
                        return j.coordinate(e.parti, e.poligoni);
                    }
                    return j.salta();
                });
            }
            return j.salta();
        });
        if (!ok)
            return false;
        Q_UNUSED(haOrdine);
        if (!haGeometria || e.parti.isEmpty())
            return true; // features without geometry draw nothing
        if (forma == u"line" || forma == u"linea")
            e.forma = FormaElemento::Linea;
        else if (forma == u"point" || forma == u"punto")
            e.forma = FormaElemento::Punto;
        else if (forma == u"area")
            e.forma = FormaElemento::Area;
        else if (tipoGeometria.contains(u"LineString"))
            e.forma = FormaElemento::Linea;
        else if (tipoGeometria.contains(u"Point"))
            e.forma = FormaElemento::Punto;
        else
            e.forma = FormaElemento::Area;
        if (ruolo == u"background")
            e.ruolo = RuoloElemento::Sfondo;
        else if (ruolo == u"border")
            e.ruolo = RuoloElemento::Confine;
        else if (ruolo.isEmpty() && e.nome.isEmpty())
            e.ruolo = RuoloElemento::Sfondo;
        else
            e.ruolo = RuoloElemento::Elemento;
        if (e.forma == FormaElemento::Area && e.poligoni.isEmpty())
            e.poligoni.append(0);
        if (e.forma == FormaElemento::Punto && e.parti.size() > 1) {
            QPolygonF tutti;
            for (const QPolygonF& p : std::as_const(e.parti))
                tutti += p;
            e.parti = {tutti};
        }
        QRectF r;
        for (const QPolygonF& p : std::as_const(e.parti)) {
            dati->numeroPunti += p.size();
            r = r.isNull() ? p.boundingRect() : r.united(p.boundingRect());
            if (e.forma == FormaElemento::Area)
                e.superficie += superficieAnello(p);
        }
        e.superficie = std::abs(e.superficie);
        e.limiti = r;
        dati->elementi.append(std::move(e));
        return true;
    };

    const bool ok = j.oggetto([&](QByteArrayView k) {
        if (k == "type")
            return j.stringa(tipo);
        if (k == "orbisto")
            return j.oggetto(leggiMetadati);
        if (k == "features")
            return j.array(leggiFeature);
        return j.salta();
    });
    if (!ok)
        return {nullptr, messaggioDanneggiato(nomeFile, j.rigaErrore(), j.errore())};
    if (!j.fineDelTesto())
        return {nullptr, messaggioDanneggiato(nomeFile, j.rigaErrore(),
                                              QStringLiteral("testo in più dopo la fine"))};
    if (tipo != u"FeatureCollection")
        return {nullptr,
                QStringLiteral("Il file \"%1\" non è una mappa: manca \"FeatureCollection\".")
                    .arg(QDir::toNativeSeparators(nomeFile))};

    // Metadata: documented defaults when a GIS tool dropped the "orbisto" member.
    bool fisica = tipoMappa == u"physical";
    if (!haMetadati || tipoMappa.isEmpty())
        fisica = std::any_of(dati->elementi.cbegin(), dati->elementi.cend(),
                             [](const ElementoMappa& e) { return !e.categoria.isEmpty(); });
    dati->tipo = fisica ? TipoMappa::Fisica : TipoMappa::Politica;
    if (dati->stratoConfini.isEmpty())
        dati->stratoConfini = fisica ? QStringLiteral("Confine") : QStringLiteral("Confini");
    QRectF cornice;
    // Every number is finite and bounded by now; a frame given backwards is an error, while a
    // short or empty one falls back to the bounding box as a GIS tool may leave it.
    if (limiti.size() == 4 && (limiti[2] < limiti[0] || limiti[3] < limiti[1]))
        return {nullptr, QStringLiteral("Il file della mappa \"%1\" è danneggiato: i limiti "
                                        "\"bounds\" non sono nell'ordine xmin, ymin, xmax, ymax.")
                             .arg(QDir::toNativeSeparators(nomeFile))};
    if (limiti.size() == 4 && limiti[2] > limiti[0] && limiti[3] > limiti[1])
        cornice = QRectF(QPointF(limiti[0], limiti[1]), QPointF(limiti[2], limiti[3]));
    else
        for (const ElementoMappa& e : std::as_const(dati->elementi))
            cornice = cornice.isNull() ? e.limiti : cornice.united(e.limiti);
    if (cornice.width() <= 0 || cornice.height() <= 0)
        cornice = QRectF(cornice.topLeft(),
                         QSizeF(std::max(cornice.width(), 1.0), std::max(cornice.height(), 1.0)));
    dati->limiti = cornice;

    std::stable_sort(
        dati->elementi.begin(), dati->elementi.end(),
        [](const ElementoMappa& a, const ElementoMappa& b) { return a.ordine < b.ordine; });
    for (int i = 0; i < dati->elementi.size(); ++i) {
        const ElementoMappa& e = dati->elementi[i];
        if (e.ruolo == RuoloElemento::Elemento && !e.nome.isEmpty())
            dati->perNome[e.nome].append(i);
        else if (e.ruolo == RuoloElemento::Confine)
            dati->perNome[dati->stratoConfini].append(i);
    }
    return {std::move(dati), {}};
}

RisultatoMappa CaricaMappa(const QString& percorso) {
    if (percorso.isEmpty())
        return {nullptr, QStringLiteral("Nessuna mappa indicata.")};
    // Names are matched without regard to case, as the program does for every data file.
    const QFileInfo richiesto(percorso);
    const QString vero = richiesto.dir().filePath(
        Percorsi::NomeNellaCartella(richiesto.absolutePath(), richiesto.fileName()));
    const QFileInfo info(vero);
    if (!info.isFile())
        return {nullptr, QStringLiteral("Il file della mappa \"%1\" non esiste.")
                             .arg(QDir::toNativeSeparators(percorso))};

    struct Voce {
        qint64 dimensione;
        QDateTime modifica;
        std::shared_ptr<const DatiMappa> dati;
    };
    static QHash<QString, Voce> cache;
    const QString chiave = info.absoluteFilePath();
    if (auto it = cache.constFind(chiave);
        it != cache.cend() && it->dimensione == info.size() && it->modifica == info.lastModified())
        return {it->dati, {}};

    QString motivo;
    const auto testo = Percorsi::LeggiFileRegolare(vero, DimensioneMassimaFile, &motivo);
    if (!testo)
        return {nullptr, QStringLiteral("Il file della mappa \"%1\" non si può leggere: %2.")
                             .arg(QDir::toNativeSeparators(percorso), motivo)};
    RisultatoMappa r = LeggiMappaGeoJson(*testo, percorso);
    if (r.dati) {
        if (cache.size() > 8)
            cache.clear();
        cache.insert(chiave, {info.size(), info.lastModified(), r.dati});
    }
    return r;
}

QList<RuoloFisicoElemento> RuoliFisici(const DatiMappa& d) {
    QList<RuoloFisicoElemento> ruoli;
    for (const ElementoMappa& e : d.elementi) {
        if (e.ruolo == RuoloElemento::Sfondo)
            continue;
        const bool confine = e.ruolo == RuoloElemento::Confine;
        const QString categoria =
            confine && e.categoria.isEmpty() ? QStringLiteral("altri") : e.categoria;
        const int ruolo = RuoloCategoriaFisica(categoria);
        if (ruolo >= 0)
            ruoli.append({confine ? d.stratoConfini : e.nome, ruolo});
    }
    return ruoli;
}

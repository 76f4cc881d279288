// rendermappa: draws a map, by its key ("swf/Europa/Europapol1.swf") or its data file, to a PNG
// with the atlas's colours, and lists the names that do not match the program's tables.
//
//   rendermappa <chiave-o-file.geojson> <uscita.png> [--size LxA] [--frame N]
//               [--colours default|profile] [--user NOME] [--data CARTELLA] [--piece NOME]
//
// default colours: the two "Configurazione 1" schemes; profile: the schemes of a user's profile
// (--user, "_predefinito" when omitted) from the settings folder.

#include "catalog/CatalogoArea.h"
#include "catalog/CatalogoFisico.h"
#include "catalog/Tavolozza.h"
#include "shell/Percorsi.h"
#include "shell/Profilo.h"
#include "shell/StatoProgramma.h"
#include "workspace/mappa/ChiaveMappa.h"
#include "workspace/mappa/ModelloMappa.h"
#include "workspace/mappa/VistaMappa.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTextStream>

#include <cstdlib>

namespace {

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

QColor colorePalette(int indice) {
    return QColor::fromRgb(QRgb(0xFF000000u | Tavolozza::Rgb(indice)));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser riga;
    riga.setApplicationDescription(
        QStringLiteral("Disegna una mappa dell'atlante in un file PNG con i colori dell'atlante."));
    riga.addHelpOption();
    riga.addPositionalArgument(
        QStringLiteral("mappa"),
        QStringLiteral("chiave (swf/Europa/Europapol1.swf) o file .geojson"));
    riga.addPositionalArgument(QStringLiteral("uscita"), QStringLiteral("file PNG da scrivere"));
    const QCommandLineOption dimensione(QStringLiteral("size"),
                                        QStringLiteral("dimensione in pixel (1920x1080)"),
                                        QStringLiteral("LxA"), QStringLiteral("1920x1080"));
    const QCommandLineOption fotogramma(QStringLiteral("frame"),
                                        QStringLiteral("categoria mostrata, 0..7 (0)"),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption colori(QStringLiteral("colours"),
                                    QStringLiteral("default (Configurazione 1) o profile"),
                                    QStringLiteral("tipo"), QStringLiteral("default"));
    const QCommandLineOption utente(QStringLiteral("user"),
                                    QStringLiteral("utente del profilo (_predefinito)"),
                                    QStringLiteral("nome"), NomeUtentePredefinito);
    const QCommandLineOption dati(QStringLiteral("data"),
                                  QStringLiteral("cartella dei dati (quella del programma)"),
                                  QStringLiteral("cartella"));
    const QCommandLineOption pezzo(
        QStringLiteral("piece"), QStringLiteral("mappe puzzle: l'elemento il cui pezzo è offerto"),
        QStringLiteral("nome"));
    riga.addOptions({dimensione, fotogramma, colori, utente, dati, pezzo});
    riga.process(app);

    const QStringList argomenti = riga.positionalArguments();
    if (argomenti.size() != 2) {
        err() << riga.helpText();
        return 2;
    }
    if (riga.isSet(dati))
        Percorsi::ImpostaCartellaProgramma(riga.value(dati));

    const QStringList lati = riga.value(dimensione).split(u'x');
    const int larghezza = lati.value(0).toInt();
    const int altezza = lati.value(1).toInt();
    if (lati.size() != 2 || larghezza < 16 || altezza < 16 || larghezza > 8192 || altezza > 8192) {
        err() << "Dimensione non valida: " << riga.value(dimensione) << Qt::endl;
        return 2;
    }

    const auto chiave = RisolviChiaveMappa(argomenti[0]);
    if (!chiave) {
        err() << "\"" << argomenti[0] << "\" non è il nome di una mappa." << Qt::endl;
        return 1;
    }
    const RisultatoMappa r = CaricaMappa(chiave->fileDati);
    if (!r.dati) {
        err() << r.errore << Qt::endl;
        return 1;
    }
    const DatiMappa& d = *r.dati;

    ProfiloUtente profilo = ProfiloPredefinito();
    if (riga.value(colori) == u"profile") {
        StatoProgramma s;
        InizializzaStato(s, Percorsi::CartellaImpostazioniPredefinita());
        ImpostaUtente(s, riga.value(utente));
        CaricaProfilo(s);
        profilo = s.Profilo;
    } else if (riga.value(colori) != u"default") {
        err() << "Colori sconosciuti: " << riga.value(colori) << Qt::endl;
        return 2;
    }

    VistaMappa v;
    v.impostaDati(r.dati, chiave->puzzle, chiave->trascinamento);
    v.impostaDimensione(QSize(larghezza, altezza));

    // The names of the program's table for this map, to colour by class and to check.
    QHash<QString, int> classi;
    QStringList nomiTabella;
    const bool regione = chiave->cartella.compare(u"regioniitaliane", Qt::CaseInsensitive) == 0;
    if (d.tipo == TipoMappa::Politica) {
        const QList<VoceCatalogo> tabella =
            regione ? ProvinceDellaRegione(chiave->nome) : TabellaPolitica(chiave->nome);
        for (const VoceCatalogo& voce : tabella) {
            classi.insert(voce.nome, voce.classe);
            nomiTabella << voce.nome;
        }
        v.impostaSfondo(colorePalette(profilo.ColoreSfondo));
        for (auto it = d.perNome.cbegin(); it != d.perNome.cend(); ++it) {
            if (it.key() == d.stratoConfini)
                continue;
            const int classe = std::clamp(classi.value(it.key(), 0), 0, 3);
            v.colora(it.key(), colorePalette(profilo.SchemaPolitico[classe]));
            v.colora(VistaMappa::NomePezzo(it.key()), colorePalette(profilo.SchemaPolitico[4]));
        }
        v.colora(d.stratoConfini, colorePalette(profilo.ColoreSfondo));
    } else {
        if (!regione)
            for (const VoceFisica& voce : TabellaFisica(chiave->nome))
                nomiTabella << QString::fromUtf16(voce.nome);
        v.impostaSfondo(colorePalette(profilo.SchemaFisico[0]));
        v.impostaCornice(colorePalette(profilo.SchemaFisico[11]));
        for (const RuoloFisicoElemento& fisico : RuoliFisici(d))
            v.colora(fisico.nome, colorePalette(profilo.SchemaFisico[size_t(fisico.ruolo)]));
        for (const ElementoMappa& e : d.elementi) {
            if (e.ruolo == RuoloElemento::Sfondo)
                continue;
            const QString nome = e.ruolo == RuoloElemento::Confine ? d.stratoConfini : e.nome;
            v.colora(VistaMappa::NomePezzo(nome), colorePalette(profilo.SchemaFisico[10]));
        }
        v.impostaFotogramma(riga.value(fotogramma).toInt());
    }
    if (riga.isSet(pezzo))
        v.offriPezzo(riga.value(pezzo));

    // The same picture the map widget shows.
    QImage img;
    v.componiMappa(img, QRect(0, 0, larghezza, altezza), 1.0);
    QPainter p(&img);
    v.disegnaPezzo(p);
    p.end();
    if (!img.save(argomenti[1], "PNG")) {
        err() << "Impossibile scrivere \"" << argomenti[1] << "\"." << Qt::endl;
        return 1;
    }

    QTextStream out(stdout);
    int elementi = 0;
    for (const ElementoMappa& e : d.elementi)
        elementi += e.ruolo == RuoloElemento::Elemento;
    out << argomenti[1] << ": " << d.area << ", " << elementi << " elementi, " << d.numeroPunti
        << " vertici, " << larghezza << 'x' << altezza << Qt::endl;
    if (!nomiTabella.isEmpty()) {
        const QSet<QString> tabella(nomiTabella.cbegin(), nomiTabella.cend());
        QStringList fuori, mancanti;
        for (auto it = d.perNome.cbegin(); it != d.perNome.cend(); ++it)
            if (it.key() != d.stratoConfini && !tabella.contains(it.key()))
                fuori << it.key();
        for (const QString& n : nomiTabella)
            if (!d.perNome.contains(n) && n != d.stratoConfini)
                mancanti << n;
        fuori.sort();
        if (!fuori.isEmpty())
            out << "  nella mappa ma non nella tabella: " << fuori.join(QStringLiteral(", "))
                << Qt::endl;
        if (!mancanti.isEmpty())
            out << "  nella tabella ma non nella mappa: " << mancanti.join(QStringLiteral(", "))
                << Qt::endl;
    }
    return EXIT_SUCCESS;
}

#include "installer/CopiaArchivi.h"

#include "installer/FileSystemSetup.h"
#include "installer/PassiSetup.h"

namespace CopiaArchivi {

namespace {

QString Unisci(const QString& radice, const QString& relativo) {
    QString r = radice;
    while (r.endsWith(u'/') && r.size() > 1)
        r.chop(1);
    return relativo.isEmpty() ? r : r + u'/' + relativo;
}

} // namespace

const QStringList& Cartelle() {
    static const QStringList cartelle = [] {
        // Area folders as the atlas spells them: maps and default texts by area key, the texts
        // chosen by the pupil in "testi/italia" for Italy.
        const QStringList aree{QStringLiteral("Africa"),     QStringLiteral("Americacs"),
                               QStringLiteral("Asia"),       QStringLiteral("Australia"),
                               QStringLiteral("Europa"),     QStringLiteral("Italia"),
                               QStringLiteral("Sudamerica"), QStringLiteral("regioniitaliane")};
        QStringList c{QString(), QStringLiteral("docum"), QStringLiteral("suoni")};
        for (const QString& base : {QStringLiteral("mappe"), QStringLiteral("testi"),
                                    QStringLiteral("testipredefiniti")}) {
            c << base;
            for (const QString& area : aree) {
                const bool testiItalia =
                    base == QStringLiteral("testi") && area == QStringLiteral("Italia");
                c << base + u'/' + (testiItalia ? QStringLiteral("italia") : area);
            }
        }
        return c;
    }();
    return cartelle;
}

const QStringList& Estensioni() {
    static const QStringList estensioni{QStringLiteral("pdf"), QStringLiteral("rtf"),
                                        QStringLiteral("geojson"), QStringLiteral("wav")};
    return estensioni;
}

Esito Copia(FileSystemSetup& fs, const QString& sorgente, const QString& destinazione) {
    Esito esito;
    for (const QString& cartella : Cartelle()) {
        const QString da = Unisci(sorgente, cartella);
        const QString a = Unisci(destinazione, cartella);
        if (!fs.EsisteCartella(a)) {
            if (auto errore = fs.CreaCartella(a)) {
                esito.errori.append({a, *errore});
                continue; // nothing can go into a folder that is not there
            }
            ++esito.cartelleCreate;
        }
        if (!fs.EsisteCartella(da))
            continue;
        const QStringList file = fs.FileDellaCartella(da);
        for (const QString& estensione : Estensioni()) {
            const QString suffisso = u'.' + estensione;
            for (const QString& nome : file) {
                if (!nome.endsWith(suffisso, Qt::CaseInsensitive) || nome.size() == suffisso.size())
                    continue;
                if (auto errore = fs.CopiaFile(da + u'/' + nome, a + u'/' + nome))
                    esito.errori.append({da + u'/' + nome, *errore});
                else
                    ++esito.copiati;
            }
        }
    }
    return esito;
}

QString Messaggio(const Esito& esito) {
    if (esito.errori.isEmpty())
        return Setup::CopiaCompletata;
    const int n = int(esito.errori.size());
    // The first few by name; the whole list goes into the message's details.
    constexpr int elencati = 10;
    QStringList righe;
    for (int i = 0; i < n && i < elencati; ++i)
        righe << esito.errori[i].file + QStringLiteral(": ") + esito.errori[i].motivo;
    if (n > elencati)
        righe << QStringLiteral("... e altri %1").arg(n - elencati);
    return Setup::CopiaCompletata + QStringLiteral("\n\n") +
           (n == 1 ? QStringLiteral("1 file non è stato copiato:")
                   : QStringLiteral("%1 file non sono stati copiati:").arg(n)) +
           u'\n' + righe.join(u'\n');
}

QString Dettagli(const Esito& esito) {
    QStringList righe;
    for (const Errore& e : esito.errori)
        righe << e.file + QStringLiteral(": ") + e.motivo;
    return righe.join(u'\n');
}

} // namespace CopiaArchivi

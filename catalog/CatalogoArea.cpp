#include "catalog/CatalogoArea.h"

#include <iterator>
#include <span>

namespace {

struct Elemento {
    const char16_t* nome;
    int classe;
};

struct Provincia {
    const char16_t* nome;
    const char16_t* regione;
    int classe;
};

// clang-format off
const Elemento tabellaItalia[] = {
    {u"Valle d'Aosta", 1},
    {u"Piemonte", 2},
    {u"Liguria", 0},
    {u"Lombardia", 3},
    {u"Trentino Alto Adige", 0},
    {u"Veneto", 2},
    {u"Friuli Venezia Giulia", 1},
    {u"Emilia Romagna", 1},
    {u"Toscana", 2},
    {u"Umbria", 3},
    {u"Marche", 0},
    {u"Lazio", 1},
    {u"Abruzzo", 2},
    {u"Molise", 0},
    {u"Campania", 2},
    {u"Basilicata", 1},
    {u"Puglia", 3},
    {u"Calabria", 0},
    {u"Sicilia", 3},
    {u"Sardegna", 0},
};
const Elemento tabellaEuropa[] = {
    {u"Islanda", 3},
    {u"Irlanda", 1},
    {u"Regno Unito", 0},
    {u"Portogallo", 2},
    {u"Spagna", 3},
    {u"Andorra", 0},
    {u"Francia", 2},
    {u"Principato di Monaco", 3},
    {u"Italia", 1},
    {u"Repubblica di San Marino", 0},
    {u"Città del Vaticano", 2},
    {u"Svizzera", 0},
    {u"Liechtenstein", 1},
    {u"Lussemburgo", 0},
    {u"Belgio", 1},
    {u"Paesi bassi", 2},
    {u"Germania", 3},
    {u"Danimarca", 1},
    {u"Austria", 2},
    {u"Repubblica Ceca", 0},
    {u"Slovenia", 3},
    {u"Croazia", 1},
    {u"Bosnia Erzegovina", 2},
    {u"Serbia", 3},
    {u"Albania", 0},
    {u"Macedonia", 1},
    {u"Grecia", 2},
    {u"Bulgaria", 0},
    {u"Romania", 2},
    {u"Moldavia", 1},
    {u"Ungheria", 0},
    {u"Slovacchia", 1},
    {u"Polonia", 2},
    {u"Bielorussia", 1},
    {u"Ucraina", 3},
    {u"Lituania", 3},
    {u"Lettonia", 2},
    {u"Estonia", 1},
    {u"Russia", 0},
    {u"Finlandia", 3},
    {u"Svezia", 2},
    {u"Norvegia", 1},
    {u"Turchia Europea", 3},
    {u"Cipro", 0},
    {u"Malta", 3},
};
const Elemento tabellaAfrica[] = {
    {u"Sahara Occidentale", 0},
    {u"Marocco", 1},
    {u"Algeria", 2},
    {u"Tunisia", 3},
    {u"Libia", 0},
    {u"Egitto", 1},
    {u"Mauritania", 3},
    {u"Mali", 0},
    {u"Niger", 3},
    {u"Ciad", 1},
    {u"Sudan", 2},
    {u"Etiopia", 3},
    {u"Eritrea", 1},
    {u"Somalia", 0},
    {u"Gambia", 2},
    {u"Senegal", 1},
    {u"Guinea Bissau", 0},
    {u"Guinea", 3},
    {u"Sierra Leone", 1},
    {u"Liberia", 0},
    {u"Costa d'Avorio", 2},
    {u"Burkina", 1},
    {u"Ghana", 0},
    {u"Togo", 3},
    {u"Benin", 0},
    {u"Nigeria", 2},
    {u"Camerun", 0},
    {u"Repubblica Centrafricana", 3},
    {u"Uganda", 0},
    {u"Kenya", 1},
    {u"Guinea Equatoriale", 2},
    {u"Gabon", 3},
    {u"Congo", 2},
    {u"Zaire", 1},
    {u"Ruanda", 2},
    {u"Burundi", 0},
    {u"Tanzania", 3},
    {u"Angola", 0},
    {u"Zambia", 2},
    {u"Malawi", 1},
    {u"Mozambico", 0},
    {u"Namibia", 3},
    {u"Botswana", 1},
    {u"Zimbabwe", 3},
    {u"Repubblica Sudafricana", 2},
    {u"Lesotho", 3},
    {u"Swaziland", 1},
    {u"Madagascar", 3},
    {u"Canarie (Spagna)", 3},
    {u"Capo Verde", 2},
    {u"Sao Tomè e Principe", 1},
    {u"Isole Comore", 1},
    {u"Seychelles", 2},
    {u"Reunion (Francia)", 0},
    {u"Mauritius", 1},
};
const Elemento tabellaAsia[] = {
    {u"Turchia", 2},
    {u"Israele", 3},
    {u"Libano", 0},
    {u"Siria", 1},
    {u"Giordania", 2},
    {u"Iraq", 3},
    {u"Kuwait", 2},
    {u"Emirati Arabi Uniti", 3},
    {u"Oman", 2},
    {u"Yemen", 1},
    {u"Arabia Saudita", 0},
    {u"Iran", 1},
    {u"Turkmenistan", 2},
    {u"Uzbekistan", 1},
    {u"Tagikistan", 0},
    {u"Kirghizistan", 3},
    {u"Kazakistan", 0},
    {u"Russia", 1},
    {u"Mongolia", 3},
    {u"Corea del Nord", 0},
    {u"Corea del Sud", 1},
    {u"Giappone", 3},
    {u"Afghanistan", 3},
    {u"Pakistan", 0},
    {u"India", 3},
    {u"Sri Lanka", 1},
    {u"Nepal", 1},
    {u"Bhutan", 0},
    {u"Bangladesh", 2},
    {u"Cina", 2},
    {u"Taiwan", 0},
    {u"Myanmar (Birmania)", 1},
    {u"Thailandia", 0},
    {u"Laos", 3},
    {u"Cambogia", 1},
    {u"Viet Nam", 0},
    {u"Filippine", 3},
    {u"Malaysia", 2},
    {u"Singapore", 1},
    {u"Indonesia", 0},
    {u"Timor", 3},
    {u"Maldive", 2},
};
const Elemento tabellaAmericacs[] = {
    {u"Alaska (Stati Uniti)", 0},
    {u"Canada", 1},
    {u"Groenlandia (Danimarca)", 2},
    {u"Stati Uniti", 3},
    {u"Messico", 0},
    {u"Guatemala", 1},
    {u"Belize", 2},
    {u"El Salvador", 3},
    {u"Honduras", 0},
    {u"Nicaragua", 1},
    {u"Costa Rica", 2},
    {u"Panama", 3},
    {u"Cuba", 1},
    {u"Giamaica", 0},
    {u"Bahama", 2},
    {u"Haiti", 3},
    {u"Repubblica Dominicana", 0},
    {u"Puerto Rico (Stati Uniti)", 1},
    {u"Piccole Antille (Diversi Stati)", 2},
};
const Elemento tabellaSudamerica[] = {
    {u"Colombia", 3},
    {u"Venezuela", 1},
    {u"Trinidad and Tobago", 2},
    {u"Guyana", 3},
    {u"Suriname", 0},
    {u"Guiana Francese", 1},
    {u"Ecuador", 1},
    {u"Perù", 0},
    {u"Brasile", 2},
    {u"Bolivia", 3},
    {u"Cile", 2},
    {u"Argentina e Isole Falkland", 1},
    {u"Paraguay", 0},
    {u"Uruguay", 3},
};
const Elemento tabellaAustralia[] = {
    {u"Australia", 0},
    {u"Nuova Zelanda", 1},
    {u"Papua Nuova Guinea", 2},
    {u"Micronesia Melanesia Polinesia (Diversi Stati)", 3},
};
const Provincia tabellaProvince[] = {
    {u"Provincia di L'Aquila", u"Abruzzo", 0},
    {u"Provincia di Teramo", u"Abruzzo", 1},
    {u"Provincia di Pescara", u"Abruzzo", 2},
    {u"Provincia di Chieti", u"Abruzzo", 3},
    {u"Provincia di Matera", u"Basilicata", 2},
    {u"Provincia di Potenza", u"Basilicata", 1},
    {u"Provincia di Cosenza", u"Calabria", 3},
    {u"Provincia di Crotone", u"Calabria", 1},
    {u"Provincia di Catanzaro", u"Calabria", 2},
    {u"Provincia di Vibo Valentia", u"Calabria", 3},
    {u"Provincia di Reggio Calabria", u"Calabria", 1},
    {u"Provincia di Caserta", u"Campania", 2},
    {u"Provincia di Benevento", u"Campania", 0},
    {u"Provincia di Napoli", u"Campania", 1},
    {u"Provincia di Avellino", u"Campania", 3},
    {u"Provincia di Salerno", u"Campania", 2},
    {u"Provincia di Piacenza", u"Emilia Romagna", 0},
    {u"Provincia di Parma", u"Emilia Romagna", 1},
    {u"Provincia di Reggio Emilia", u"Emilia Romagna", 2},
    {u"Provincia di Modena", u"Emilia Romagna", 3},
    {u"Provincia di Bologna", u"Emilia Romagna", 0},
    {u"Provincia di Ferrara", u"Emilia Romagna", 1},
    {u"Provincia di Ravenna", u"Emilia Romagna", 2},
    {u"Provincia di Forlì Cesena", u"Emilia Romagna", 3},
    {u"Provincia di Rimini", u"Emilia Romagna", 0},
    {u"Provincia di Pordenone", u"Friuli Venezia Giulia", 1},
    {u"Provincia di Udine", u"Friuli Venezia Giulia", 2},
    {u"Provincia di Gorizia", u"Friuli Venezia Giulia", 3},
    {u"Provincia di Trieste", u"Friuli Venezia Giulia", 0},
    {u"Provincia di Viterbo", u"Lazio", 0},
    {u"Provincia di Rieti", u"Lazio", 1},
    {u"Provincia di Roma", u"Lazio", 3},
    {u"Provincia di Frosinone", u"Lazio", 2},
    {u"Provincia di Latina", u"Lazio", 0},
    {u"Provincia di Imperia", u"Liguria", 0},
    {u"Provincia di Savona", u"Liguria", 1},
    {u"Provincia di Genova", u"Liguria", 2},
    {u"Provincia di La Spezia", u"Liguria", 3},
    {u"Provincia di Sondrio", u"Lombardia", 0},
    {u"Provincia di Varese", u"Lombardia", 1},
    {u"Provincia di Como", u"Lombardia", 2},
    {u"Provincia di Lecco", u"Lombardia", 3},
    {u"Provincia di Bergamo", u"Lombardia", 1},
    {u"Provincia di Brescia", u"Lombardia", 3},
    {u"Provincia di Milano", u"Lombardia", 0},
    {u"Provincia di Pavia", u"Lombardia", 2},
    {u"Provincia di Lodi", u"Lombardia", 1},
    {u"Provincia di Cremona", u"Lombardia", 2},
    {u"Provincia di Mantova", u"Lombardia", 0},
    {u"Provincia di Pesaro Urbino", u"Marche", 0},
    {u"Provincia di Ancona", u"Marche", 2},
    {u"Provincia di Macerata", u"Marche", 1},
    {u"Provincia di Ascoli Piceno", u"Marche", 3},
    {u"Provincia di Isernia", u"Molise", 2},
    {u"Provincia di Campobasso", u"Molise", 0},
    {u"Provincia del Verbano Cusio Ossola", u"Piemonte", 0},
    {u"Provincia di Vercelli", u"Piemonte", 1},
    {u"Provincia di Biella", u"Piemonte", 2},
    {u"Provincia di Novara", u"Piemonte", 3},
    {u"Provincia di Torino", u"Piemonte", 3},
    {u"Provincia di Asti", u"Piemonte", 2},
    {u"Provincia di Alessandria", u"Piemonte", 0},
    {u"Provincia di Cuneo", u"Piemonte", 1},
    {u"Provincia di Foggia", u"Puglia", 1},
    {u"Provincia di Bari", u"Puglia", 2},
    {u"Provincia di Taranto", u"Puglia", 3},
    {u"Provincia di Brindisi", u"Puglia", 0},
    {u"Provincia di Lecce", u"Puglia", 1},
    {u"Provincia di Sassari", u"Sardegna", 2},
    {u"Provincia di Nuoro", u"Sardegna", 3},
    {u"Provincia di Oristano", u"Sardegna", 0},
    {u"Provincia di Cagliari", u"Sardegna", 1},
    {u"Provincia di Messina", u"Sicilia", 0},
    {u"Provincia di Palermo", u"Sicilia", 1},
    {u"Provincia di Trapani", u"Sicilia", 2},
    {u"Provincia di Agrigento", u"Sicilia", 3},
    {u"Provincia di Caltanisetta", u"Sicilia", 2},
    {u"Provincia di Enna", u"Sicilia", 3},
    {u"Provincia di Catania", u"Sicilia", 1},
    {u"Provincia di Ragusa", u"Sicilia", 0},
    {u"Provincia di Siracusa", u"Sicilia", 3},
    {u"Provincia di Massa-Carrara", u"Toscana", 0},
    {u"Provincia di Lucca", u"Toscana", 1},
    {u"Provincia di Pistoia", u"Toscana", 2},
    {u"Provincia di Prato", u"Toscana", 3},
    {u"Provincia di Firenze", u"Toscana", 0},
    {u"Provincia di Arezzo", u"Toscana", 1},
    {u"Provincia di Pisa", u"Toscana", 3},
    {u"Provincia di Livorno", u"Toscana", 0},
    {u"Provincia di Siena", u"Toscana", 2},
    {u"Provincia di Grosseto", u"Toscana", 1},
    {u"Provincia di Trento", u"Trentino Alto Adige", 1},
    {u"Provincia di Bolzano", u"Trentino Alto Adige", 2},
    {u"Provincia di Terni", u"Umbria", 3},
    {u"Provincia di Perugia", u"Umbria", 0},
    {u"Provincia di Aosta", u"Valle d'Aosta", 1},
    {u"Provincia di Belluno", u"Veneto", 0},
    {u"Provincia di Vicenza", u"Veneto", 1},
    {u"Provincia di Treviso", u"Veneto", 3},
    {u"Provincia di Venezia", u"Veneto", 2},
    {u"Provincia di Verona", u"Veneto", 2},
    {u"Provincia di Padova", u"Veneto", 0},
    {u"Provincia di Rovigo", u"Veneto", 1},
};
// clang-format on

void carica(CatalogoArea& c, std::span<const Elemento> tabella) {
    int i = 0;
    for (const Elemento& e : tabella) {
        if (i >= CatalogoArea::MassimoElementi)
            break;
        c.ElencoNomi[i] = QString::fromUtf16(e.nome);
        c.ClasseColore[i] = static_cast<qint16>(e.classe);
        ++i;
    }
    c.NumeroElementi = static_cast<qint16>(i - 1);
}

std::span<const Elemento> tabellaDi(const QString& area) {
    // In the order of ChiaviAree().
    static const std::span<const Elemento> tabelle[] = {
        tabellaItalia,    tabellaEuropa,     tabellaAfrica,   tabellaAsia,
        tabellaAmericacs, tabellaSudamerica, tabellaAustralia};
    const int i = IndiceArea(area);
    return i < 0 ? std::span<const Elemento>() : tabelle[i];
}

} // namespace

void CaricaRegioniItalia(CatalogoArea& c) {
    carica(c, tabellaItalia);
}
void CaricaNazioniEuropa(CatalogoArea& c) {
    carica(c, tabellaEuropa);
}
void CaricaNazioniAfrica(CatalogoArea& c) {
    carica(c, tabellaAfrica);
}
void CaricaNazioniAsia(CatalogoArea& c) {
    carica(c, tabellaAsia);
}
void CaricaNazioniAmericacs(CatalogoArea& c) {
    carica(c, tabellaAmericacs);
}
void CaricaNazioniSudamerica(CatalogoArea& c) {
    carica(c, tabellaSudamerica);
}
void CaricaNazioniOceania(CatalogoArea& c) {
    carica(c, tabellaAustralia);
}

void CaricaProvince(CatalogoArea& c) {
    int i = 0;
    for (const Provincia& p : tabellaProvince) {
        c.ElencoProvince[i][0] = QString::fromUtf16(p.nome);
        c.ElencoProvince[i][1] = QString::fromUtf16(p.regione);
        c.ClasseProvincia[i] = static_cast<qint16>(p.classe);
        ++i;
    }
    c.NumeroProvince = static_cast<qint16>(i - 1);
}

const QStringList& ChiaviAree() {
    static const QStringList chiavi{QStringLiteral("Italia"),    QStringLiteral("Europa"),
                                    QStringLiteral("Africa"),    QStringLiteral("Asia"),
                                    QStringLiteral("Americacs"), QStringLiteral("Sudamerica"),
                                    QStringLiteral("Australia")};
    return chiavi;
}

int IndiceArea(const QString& area) {
    return static_cast<int>(ChiaviAree().indexOf(area));
}

bool CaricaCatalogoPolitico(CatalogoArea& c, const QString& area) {
    const auto tabella = tabellaDi(area);
    if (tabella.empty())
        return false;
    carica(c, tabella);
    return true;
}

QList<VoceCatalogo> TabellaPolitica(const QString& area) {
    QList<VoceCatalogo> voci;
    for (const Elemento& e : tabellaDi(area))
        voci.append({QString::fromUtf16(e.nome), e.classe});
    return voci;
}

QList<VoceCatalogo> ProvinceDellaRegione(const QString& regione) {
    QList<VoceCatalogo> voci;
    for (const Provincia& p : tabellaProvince)
        if (regione == QStringView(p.regione))
            voci.append({QString::fromUtf16(p.nome), p.classe});
    return voci;
}

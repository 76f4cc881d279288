#include "catalog/CatalogoFisico.h"

#include "catalog/CatalogoArea.h"

#include "catalog/Tavolozza.h"
#include "shell/Profilo.h"

#include <algorithm>

namespace {

using namespace CategoriaFisica;

// The element names of the physical maps under data/mappe/<area>/<area>_fisica.geojson; the
// test of this catalog checks them against the map files name for name.
// clang-format off
const VoceFisica tabellaAfrica[] = {
    {u"Fiume Nilo", Fiume},
    {u"Fiume Congo", Fiume},
    {u"Fiume Niger", Fiume},
    {u"Fiume Zambesi", Fiume},
    {u"Fiume Orange", Fiume},
    {u"Fiume Senegal", Fiume},
    {u"Fiume Limpopo", Fiume},
    {u"Nilo Azzurro", Fiume},
    {u"Lago Vittoria", Fiume},
    {u"Lago Tanganica", Fiume},
    {u"Lago Malawi", Fiume},
    {u"Lago Ciad", Fiume},
    {u"Monti Atlante", Monte},
    {u"Monti Ahaggar", Monte},
    {u"Monti Tibesti", Monte},
    {u"Monti dell'Aïr", Monte},
    {u"Altopiano Etiopico", Monte},
    {u"Monti dei Draghi", Monte},
    {u"Monti Mitumba", Monte},
    {u"Ruwenzori", Monte},
    {u"Kilimangiaro", Monte},
    {u"Monte Kenya", Monte},
    {u"Monte Camerun", Monte},
    {u"Monte Toubkal", Monte},
    {u"Ras Dascian", Monte},
    {u"Bacino del Congo", Pianura},
    {u"Sahel", Pianura},
    {u"Deserto del Sahara", Deserto},
    {u"Deserto del Kalahari", Deserto},
    {u"Deserto del Namib", Deserto},
    {u"Indistinto", Indistinto},
};

const VoceFisica tabellaSudamerica[] = {
    {u"Rio delle Amazzoni", Fiume},
    {u"Fiume Paraná", Fiume},
    {u"Fiume Orinoco", Fiume},
    {u"Fiume São Francisco", Fiume},
    {u"Fiume Madeira", Fiume},
    {u"Fiume Uruguay", Fiume},
    {u"Fiume Magdalena", Fiume},
    {u"Fiume Tocantins", Fiume},
    {u"Lago Titicaca", Fiume},
    {u"Cordigliera delle Ande", Monte},
    {u"Altopiano del Brasile", Monte},
    {u"Altopiano della Guiana", Monte},
    {u"Aconcagua", Monte},
    {u"Chimborazo", Monte},
    {u"Huascarán", Monte},
    {u"Pianura Amazzonica", Pianura},
    {u"Pampa", Pianura},
    {u"Gran Chaco", Pianura},
    {u"Llanos", Pianura},
    {u"Deserto di Atacama", Deserto},
    {u"Indistinto", Indistinto},
};

const VoceFisica tabellaAsia[] = {
    {u"Fiume Azzurro", Fiume},
    {u"Fiume Giallo", Fiume},
    {u"Fiume Mekong", Fiume},
    {u"Fiume Gange", Fiume},
    {u"Fiume Indo", Fiume},
    {u"Fiume Brahmaputra", Fiume},
    {u"Fiume Eufrate", Fiume},
    {u"Fiume Tigri", Fiume},
    {u"Fiume Ob", Fiume},
    {u"Fiume Irtysh", Fiume},
    {u"Fiume Jenisei", Fiume},
    {u"Fiume Lena", Fiume},
    {u"Fiume Amur", Fiume},
    {u"Fiume Irrawaddy", Fiume},
    {u"Fiume Salween", Fiume},
    {u"Fiume Amu Darya", Fiume},
    {u"Fiume Syr Darya", Fiume},
    {u"Lago Bajkal", Fiume},
    {u"Lago Balkhash", Fiume},
    {u"Lago d'Aral", Fiume},
    {u"Himalaya", Monte},
    {u"Karakorum", Monte},
    {u"Hindu Kush", Monte},
    {u"Pamir", Monte},
    {u"Tien Shan", Monte},
    {u"Monti Altai", Monte},
    {u"Monti Kunlun", Monte},
    {u"Monti Zagros", Monte},
    {u"Monti Elburz", Monte},
    {u"Ghati Occidentali", Monte},
    {u"Ghati Orientali", Monte},
    {u"Monti di Verkhojansk", Monte},
    {u"Altopiano del Tibet", Monte},
    {u"Altopiano del Deccan", Monte},
    {u"Altopiano della Siberia Centrale", Monte},
    {u"Monte Everest", Monte},
    {u"K2", Monte},
    {u"Kangchenjunga", Monte},
    {u"Monte Ararat", Monte},
    {u"Bassopiano Siberiano Occidentale", Pianura},
    {u"Bassopiano Siberiano Settentrionale", Pianura},
    {u"Bassopiano della Kolyma", Pianura},
    {u"Bassopiano del Turan", Pianura},
    {u"Steppa del Kazakistan", Pianura},
    {u"Grande Pianura Cinese", Pianura},
    {u"Pianura della Manciuria", Pianura},
    {u"Pianura del Gange", Pianura},
    {u"Deserto del Gobi", Deserto},
    {u"Deserto del Rub al-Khali", Deserto},
    {u"Deserto del Thar", Deserto},
    {u"Deserto del Taklimakan", Deserto},
    {u"Indistinto", Indistinto},
};

const VoceFisica tabellaEuropa[] = {
    {u"Fiume Volga", Fiume},
    {u"Fiume Danubio", Fiume},
    {u"Fiume Reno", Fiume},
    {u"Fiume Dnepr", Fiume},
    {u"Fiume Don", Fiume},
    {u"Fiume Elba", Fiume},
    {u"Fiume Vistola", Fiume},
    {u"Fiume Oder", Fiume},
    {u"Fiume Loira", Fiume},
    {u"Fiume Senna", Fiume},
    {u"Fiume Rodano", Fiume},
    {u"Fiume Tago", Fiume},
    {u"Fiume Ebro", Fiume},
    {u"Fiume Po", Fiume},
    {u"Fiume Dvina Settentrionale", Fiume},
    {u"Fiume Duero", Fiume},
    {u"Fiume Garonna", Fiume},
    {u"Fiume Tamigi", Fiume},
    {u"Lago Ladoga", Fiume},
    {u"Lago Onega", Fiume},
    {u"Lago Vänern", Fiume},
    {u"Alpi", Monte},
    {u"Pirenei", Monte},
    {u"Carpazi", Monte},
    {u"Caucaso", Monte},
    {u"Monti Urali", Monte},
    {u"Appennini", Monte},
    {u"Alpi Dinariche", Monte},
    {u"Alpi Scandinave", Monte},
    {u"Monti Balcani", Monte},
    {u"Cordigliera Cantabrica", Monte},
    {u"Massiccio Centrale", Monte},
    {u"Giura", Monte},
    {u"Monti Grampiani", Monte},
    {u"Monti del Pindo", Monte},
    {u"Monte Bianco", Monte},
    {u"Monte Elbrus", Monte},
    {u"Etna", Monte},
    {u"Monte Olimpo", Monte},
    {u"Grande Pianura Europea", Pianura},
    {u"Steppa Pontica", Pianura},
    {u"Grande Pianura Ungherese", Pianura},
    {u"Pianure Baltiche", Pianura},
    {u"Depressione Caspica", Pianura},
    {u"Bassopiano della Vychegda", Pianura},
    {u"Tundra della Bolshezemelskaya", Pianura},
    {u"Pianura Padana", Pianura},
    {u"Delta del Danubio", Pianura},
    {u"Delta del Volga", Pianura},
    {u"Indistinto", Indistinto},
};

const VoceFisica tabellaAmericacs[] = {
    {u"Montagne Rocciose", Monte},
    {u"Monti Appalachi", Monte},
    {u"Sierra Madre Occidentale", Monte},
    {u"Sierra Madre Orientale", Monte},
    {u"Terre Artiche", Ghiacciaio},
    {u"Catena Costiera", Monte},
    {u"Catena delle Cascate", Monte},
    {u"Sierra Nevada", Monte},
    {u"Catena dell'Alaska", Monte},
    {u"Catena di Brooks", Monte},
    {u"Sierra Madre del Sud", Monte},
    {u"Monti Mackenzie", Monte},
    {u"Monte Denali", Monte},
    {u"Monte Logan", Monte},
    {u"Pico de Orizaba", Monte},
    {u"Popocatépetl", Monte},
    {u"Fiume Mississippi", Fiume},
    {u"Fiume Missouri", Fiume},
    {u"Fiume Ohio", Fiume},
    {u"Fiume Mackenzie", Fiume},
    {u"Fiume Yukon", Fiume},
    {u"Fiume San Lorenzo", Fiume},
    {u"Fiume Colorado", Fiume},
    {u"Rio Grande", Fiume},
    {u"Fiume Columbia", Fiume},
    {u"Fiume Nelson", Fiume},
    {u"Fiume Arkansas", Fiume},
    {u"Lago Superiore", Fiume},
    {u"Lago Michigan", Fiume},
    {u"Lago Huron", Fiume},
    {u"Lago Erie", Fiume},
    {u"Lago Ontario", Fiume},
    {u"Grande Lago degli Orsi", Fiume},
    {u"Grande Lago degli Schiavi", Fiume},
    {u"Lago Winnipeg", Fiume},
    {u"Lago di Nicaragua", Fiume},
    {u"Grandi Pianure", Pianura},
    {u"Bassopiano Centrale", Pianura},
    {u"Pianura Costiera Atlantica", Pianura},
    {u"Scudo Canadese", Pianura},
    {u"Deserto di Sonora", Deserto},
    {u"Deserto del Chihuahua", Deserto},
    {u"Indistinto", Indistinto},
};

const VoceFisica tabellaAustralia[] = {
    {u"Fiume Murray", Fiume},
    {u"Fiume Darling", Fiume},
    {u"Lago Eyre", Fiume},
    {u"Grande Barriera Corallina", Mare},
    {u"Grande Catena Divisoria", Monte},
    {u"Alpi Australiane", Monte},
    {u"Monti Blu", Monte},
    {u"Monti MacDonnell", Monte},
    {u"Catena di Flinders", Monte},
    {u"Catena di Hamersley", Monte},
    {u"Altopiano di Kimberley", Monte},
    {u"Altopiano di Barkly", Monte},
    {u"Monti della Nuova Guinea", Monte},
    {u"Alpi Meridionali", Monte},
    {u"Puncak Jaya", Monte},
    {u"Monte Wilhelm", Monte},
    {u"Monte Kosciuszko", Monte},
    {u"Monte Cook", Monte},
    {u"Monte Ruapehu", Monte},
    {u"Pianura di Nullarbor", Pianura},
    {u"Bacino del Murray-Darling", Pianura},
    {u"Grande Bacino Artesiano", Pianura},
    {u"Darling Downs", Pianura},
    {u"Gran Deserto Sabbioso", Deserto},
    {u"Gran Deserto Victoria", Deserto},
    {u"Deserto di Gibson", Deserto},
    {u"Deserto di Simpson", Deserto},
    {u"Deserto di Tanami", Deserto},
    {u"Confine", Altri},
    {u"Indistinto", Indistinto},
};

const VoceFisica tabellaItalia[] = {
    {u"Alpi Orientali", Monte},
    {u"Alpi Centrali", Monte},
    {u"Alpi Occidentali", Monte},
    {u"Appennino Settentrionale e Alpi Apuane", Monte},
    {u"Appennino Centrale", Monte},
    {u"Appennino Meridionale", Monte},
    {u"Appennino Calabro", Monte},
    {u"Monte Bianco", Monte},
    {u"Monte Rosa", Monte},
    {u"Gran Sasso", Monte},
    {u"Etna", Monte},
    {u"Vesuvio", Monte},
    {u"Gennargentu", Monte},
    {u"Pianura Padana", Pianura},
    {u"Pianura Veneto-Friulana", Pianura},
    {u"Maremma", Pianura},
    {u"Campagna Romana", Pianura},
    {u"Agro Pontino", Pianura},
    {u"Pianura Campana", Pianura},
    {u"Piana del Sele", Pianura},
    {u"Tavoliere delle Puglie", Pianura},
    {u"Piana di Metaponto", Pianura},
    {u"Piana di Sibari", Pianura},
    {u"Piana di Catania", Pianura},
    {u"Campidano", Pianura},
    {u"Fiume Po", Fiume},
    {u"Fiume Adige", Fiume},
    {u"Fiume Tevere", Fiume},
    {u"Fiume Adda", Fiume},
    {u"Fiume Oglio", Fiume},
    {u"Fiume Tanaro", Fiume},
    {u"Fiume Ticino", Fiume},
    {u"Fiume Arno", Fiume},
    {u"Fiume Piave", Fiume},
    {u"Fiume Reno", Fiume},
    {u"Fiume Brenta", Fiume},
    {u"Fiume Tagliamento", Fiume},
    {u"Fiume Volturno", Fiume},
    {u"Fiume Isonzo", Fiume},
    {u"Fiume Dora Baltea", Fiume},
    {u"Fiume Sesia", Fiume},
    {u"Fiume Mincio", Fiume},
    {u"Fiume Ofanto", Fiume},
    {u"Fiume Simeto", Fiume},
    {u"Fiume Liri-Garigliano", Fiume},
    {u"Fiume Tirso", Fiume},
    {u"Fiume Sele", Fiume},
    {u"Fiume Ombrone", Fiume},
    {u"Fiume Bradano", Fiume},
    {u"Fiume Basento", Fiume},
    {u"Fiume Crati", Fiume},
    {u"Fiume Salso", Fiume},
    {u"Fiume Belice", Fiume},
    {u"Fiume Flumendosa", Fiume},
    {u"Fiume Coghinas", Fiume},
    {u"Fiume Serchio", Fiume},
    {u"Fiume Nera", Fiume},
    {u"Fiume Aniene", Fiume},
    {u"Fiume Trebbia", Fiume},
    {u"Fiume Taro", Fiume},
    {u"Fiume Secchia", Fiume},
    {u"Fiume Panaro", Fiume},
    {u"Fiume Lambro", Fiume},
    {u"Fiume Serio", Fiume},
    {u"Fiume Bacchiglione", Fiume},
    {u"Fiume Livenza", Fiume},
    {u"Fiume Isarco", Fiume},
    {u"Fiume Dora Riparia", Fiume},
    {u"Fiume Metauro", Fiume},
    {u"Fiume Tronto", Fiume},
    {u"Fiume Pescara", Fiume},
    {u"Fiume Sangro", Fiume},
    {u"Lago di Garda", Fiume},
    {u"Lago Maggiore", Fiume},
    {u"Lago di Como", Fiume},
    {u"Lago d'Iseo", Fiume},
    {u"Lago di Lugano", Fiume},
    {u"Lago Trasimeno", Fiume},
    {u"Lago di Bolsena", Fiume},
    {u"Lago di Bracciano", Fiume},
    {u"Lago di Lesina", Fiume},
    {u"Lago di Varano", Fiume},
    {u"Valli di Comacchio", Fiume},
    {u"Mar Mediterraneo", Mare},
    {u"Mar Ligure", Mare},
    {u"Mar di Sardegna", Mare},
    {u"Mar Tirreno", Mare},
    {u"Mare di Sicilia", Mare},
    {u"Mar Ionio", Mare},
    {u"Mare Adriatico", Mare},
    {u"Confine", Altri},
    {u"Indistinto", Indistinto},
};

// clang-format on

} // namespace

void CaricaFisico(CatalogoFisico& c, std::span<const VoceFisica> tabella) {
    if (tabella.empty())
        return;
    const auto righe = std::min<std::size_t>(tabella.size(), CatalogoFisico::MassimoElementi);
    for (std::size_t i = 0; i < righe; ++i) {
        c.ElencoFisico[i][CatalogoFisico::ColonnaNome] = QString::fromUtf16(tabella[i].nome);
        c.ElencoFisico[i][CatalogoFisico::ColonnaCategoria] =
            QString::fromUtf16(tabella[i].categoria);
    }
    c.NumeroElementiFisici = static_cast<qint16>(righe - 1);
}

void CaricaFisicoAfrica(CatalogoFisico& c) {
    CaricaFisico(c, tabellaAfrica);
}
void CaricaFisicoSudamerica(CatalogoFisico& c) {
    CaricaFisico(c, tabellaSudamerica);
}
void CaricaFisicoAsia(CatalogoFisico& c) {
    CaricaFisico(c, tabellaAsia);
}
void CaricaFisicoEuropa(CatalogoFisico& c) {
    CaricaFisico(c, tabellaEuropa);
}
void CaricaFisicoAmericacs(CatalogoFisico& c) {
    CaricaFisico(c, tabellaAmericacs);
}
void CaricaFisicoOceania(CatalogoFisico& c) {
    CaricaFisico(c, tabellaAustralia);
}
void CaricaFisicoItalia(CatalogoFisico& c) {
    CaricaFisico(c, tabellaItalia);
}

std::span<const VoceFisica> TabellaFisica(const QString& area) {
    // In the order of ChiaviAree().
    static const std::span<const VoceFisica> tabelle[] = {
        tabellaItalia,    tabellaEuropa,     tabellaAfrica,   tabellaAsia,
        tabellaAmericacs, tabellaSudamerica, tabellaAustralia};
    const int i = IndiceArea(area);
    return i < 0 ? std::span<const VoceFisica>() : tabelle[i];
}

bool CaricaCatalogoFisico(CatalogoFisico& c, const QString& area) {
    const auto tabella = TabellaFisica(area);
    if (tabella.empty())
        return false;
    CaricaFisico(c, tabella);
    return true;
}

int RuoloCategoriaFisica(QStringView categoria) {
    static constexpr const char16_t* parole[] = {Fiume,   Mare,       Monte, Pianura,
                                                 Deserto, Ghiacciaio, Altri, Indistinto};
    for (int i = 0; i < static_cast<int>(std::size(parole)); ++i)
        if (categoria == QStringView(parole[i]))
            return i + 2;
    return -1;
}

void TrovaColoriFisiche(CatalogoFisico& c, const ProfiloUtente& p) {
    const int ultima = std::min<int>(c.NumeroElementiFisici, CatalogoFisico::MassimoElementi - 1);
    for (int i = 0; i <= ultima; ++i) {
        auto& riga = c.ElencoFisico[i];
        const int ruolo = RuoloCategoriaFisica(riga[CatalogoFisico::ColonnaCategoria]);
        if (ruolo < 0)
            continue;
        const int indice = p.SchemaFisico[ruolo];
        if (!Tavolozza::IndiceValido(indice))
            continue;
        riga[CatalogoFisico::ColonnaColore] = Tavolozza::Esadecimale(indice);
    }
}

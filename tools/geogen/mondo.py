"""Political maps of the six world areas from Natural Earth 10m (world-atlas TopoJSON).

Each element of an area's table is built from one or more Natural Earth units, or from parts
of a unit chosen by where the part lies (Turkey west of the Bosphorus, Alaska, the Canaries,
Reunion, French Guiana, ...).  Every other unit inside the frame is background land."""

import json

from shapely.geometry import Point, Polygon

import aree
import comune
from comune import parti, unione

# Part selectors: (lon, lat) of a polygon's representative point -> bool.
SELETTORI = {
    "tracia": lambda x, y: (25.5 <= x <= 29.2 and 40.3 <= y <= 42.2 and (y > 40.7 or x < 26.8))
    or (x < 26.0 and y > 40.0),
    "crimea": lambda x, y: 32.4 <= x <= 36.65 and 44.3 <= y <= 46.3,
    "alaska": lambda x, y: (x < -129.5 and y > 50) or x > 170,
    "canarie": lambda x, y: x < -12.5 and 27 <= y <= 30,
    "reunion": lambda x, y: 55 <= x <= 56 and -21.5 <= y <= -20.7,
    "guiana": lambda x, y: -55 <= x <= -51 and 1.5 <= y <= 6.5,
    "antille": lambda x, y: -70.5 <= x <= -59 and 11 <= y <= 18.7,
    "pacifico": lambda x, y: x > 150 or x < -150,
}


def _non(nome):
    return lambda x, y: not SELETTORI[nome](x, y)


# area -> list of (element, [unit | (unit, selector)]) in table order.
ELEMENTI = {
    "Europa": [
        ("Islanda", ["Iceland"]),
        ("Irlanda", ["Ireland"]),
        ("Regno Unito", ["United Kingdom", "Isle of Man", "Jersey", "Guernsey"]),
        ("Portogallo", ["Portugal"]),
        ("Spagna", ["Spain"]),
        ("Andorra", ["Andorra"]),
        ("Francia", ["France"]),
        ("Principato di Monaco", ["Monaco"]),
        ("Italia", ["Italy"]),
        ("Repubblica di San Marino", ["San Marino"]),
        ("Città del Vaticano", ["Vatican"]),
        ("Svizzera", ["Switzerland"]),
        ("Liechtenstein", ["Liechtenstein"]),
        ("Lussemburgo", ["Luxembourg"]),
        ("Belgio", ["Belgium"]),
        ("Paesi bassi", ["Netherlands"]),
        ("Germania", ["Germany"]),
        ("Danimarca", ["Denmark", "Faeroe Is."]),
        ("Austria", ["Austria"]),
        ("Repubblica Ceca", ["Czechia"]),
        ("Slovenia", ["Slovenia"]),
        ("Croazia", ["Croatia"]),
        ("Bosnia Erzegovina", ["Bosnia and Herz."]),
        ("Serbia", ["Serbia", "Montenegro", "Kosovo"]),
        ("Albania", ["Albania"]),
        ("Macedonia", ["Macedonia"]),
        ("Grecia", ["Greece"]),
        ("Bulgaria", ["Bulgaria"]),
        ("Romania", ["Romania"]),
        ("Moldavia", ["Moldova"]),
        ("Ungheria", ["Hungary"]),
        ("Slovacchia", ["Slovakia"]),
        ("Polonia", ["Poland"]),
        ("Bielorussia", ["Belarus"]),
        ("Ucraina", ["Ukraine", ("Russia", "crimea")]),
        ("Lituania", ["Lithuania"]),
        ("Lettonia", ["Latvia"]),
        ("Estonia", ["Estonia"]),
        ("Russia", [("Russia", "-crimea")]),
        ("Finlandia", ["Finland", "Åland"]),
        ("Svezia", ["Sweden"]),
        ("Norvegia", ["Norway"]),
        ("Turchia Europea", [("Turkey", "tracia")]),
        ("Cipro", ["Cyprus", "N. Cyprus", "Cyprus U.N. Buffer Zone", "Dhekelia", "Akrotiri"]),
        ("Malta", ["Malta"]),
    ],
    "Africa": [
        ("Sahara Occidentale", ["W. Sahara"]),
        ("Marocco", ["Morocco"]),
        ("Algeria", ["Algeria"]),
        ("Tunisia", ["Tunisia"]),
        ("Libia", ["Libya"]),
        ("Egitto", ["Egypt"]),
        ("Mauritania", ["Mauritania"]),
        ("Mali", ["Mali"]),
        ("Niger", ["Niger"]),
        ("Ciad", ["Chad"]),
        ("Sudan", ["Sudan", "S. Sudan"]),
        ("Etiopia", ["Ethiopia"]),
        ("Eritrea", ["Eritrea"]),
        ("Somalia", ["Somalia", "Somaliland"]),
        ("Gambia", ["Gambia"]),
        ("Senegal", ["Senegal"]),
        ("Guinea Bissau", ["Guinea-Bissau"]),
        ("Guinea", ["Guinea"]),
        ("Sierra Leone", ["Sierra Leone"]),
        ("Liberia", ["Liberia"]),
        ("Costa d'Avorio", ["Côte d'Ivoire"]),
        ("Burkina", ["Burkina Faso"]),
        ("Ghana", ["Ghana"]),
        ("Togo", ["Togo"]),
        ("Benin", ["Benin"]),
        ("Nigeria", ["Nigeria"]),
        ("Camerun", ["Cameroon"]),
        ("Repubblica Centrafricana", ["Central African Rep."]),
        ("Uganda", ["Uganda"]),
        ("Kenya", ["Kenya"]),
        ("Guinea Equatoriale", ["Eq. Guinea"]),
        ("Gabon", ["Gabon"]),
        ("Congo", ["Congo"]),
        ("Zaire", ["Dem. Rep. Congo"]),
        ("Ruanda", ["Rwanda"]),
        ("Burundi", ["Burundi"]),
        ("Tanzania", ["Tanzania"]),
        ("Angola", ["Angola"]),
        ("Zambia", ["Zambia"]),
        ("Malawi", ["Malawi"]),
        ("Mozambico", ["Mozambique"]),
        ("Namibia", ["Namibia"]),
        ("Botswana", ["Botswana"]),
        ("Zimbabwe", ["Zimbabwe"]),
        ("Repubblica Sudafricana", ["South Africa"]),
        ("Lesotho", ["Lesotho"]),
        ("Swaziland", ["eSwatini"]),
        ("Madagascar", ["Madagascar"]),
        ("Canarie (Spagna)", [("Spain", "canarie")]),
        ("Capo Verde", ["Cabo Verde"]),
        ("Sao Tomè e Principe", ["São Tomé and Principe"]),
        ("Isole Comore", ["Comoros"]),
        ("Seychelles", ["Seychelles"]),
        ("Reunion (Francia)", [("France", "reunion")]),
        ("Mauritius", ["Mauritius"]),
    ],
    "Asia": [
        ("Turchia", ["Turkey"]),
        ("Israele", ["Israel"]),
        ("Libano", ["Lebanon"]),
        ("Siria", ["Syria"]),
        ("Giordania", ["Jordan"]),
        ("Iraq", ["Iraq"]),
        ("Kuwait", ["Kuwait"]),
        ("Emirati Arabi Uniti", ["United Arab Emirates"]),
        ("Oman", ["Oman"]),
        ("Yemen", ["Yemen"]),
        ("Arabia Saudita", ["Saudi Arabia"]),
        ("Iran", ["Iran"]),
        ("Turkmenistan", ["Turkmenistan"]),
        ("Uzbekistan", ["Uzbekistan"]),
        ("Tagikistan", ["Tajikistan"]),
        ("Kirghizistan", ["Kyrgyzstan"]),
        ("Kazakistan", ["Kazakhstan", "Baikonur"]),
        ("Russia", [("Russia", "-crimea")]),
        ("Mongolia", ["Mongolia"]),
        ("Corea del Nord", ["North Korea"]),
        ("Corea del Sud", ["South Korea"]),
        ("Giappone", ["Japan"]),
        ("Afghanistan", ["Afghanistan"]),
        ("Pakistan", ["Pakistan"]),
        ("India", ["India"]),
        ("Sri Lanka", ["Sri Lanka"]),
        ("Nepal", ["Nepal"]),
        ("Bhutan", ["Bhutan"]),
        ("Bangladesh", ["Bangladesh"]),
        ("Cina", ["China", "Hong Kong", "Macao"]),
        ("Taiwan", ["Taiwan"]),
        ("Myanmar (Birmania)", ["Myanmar"]),
        ("Thailandia", ["Thailand"]),
        ("Laos", ["Laos"]),
        ("Cambogia", ["Cambodia"]),
        ("Viet Nam", ["Vietnam"]),
        ("Filippine", ["Philippines"]),
        ("Malaysia", ["Malaysia"]),
        ("Singapore", ["Singapore"]),
        ("Indonesia", ["Indonesia"]),
        ("Timor", ["Timor-Leste"]),
        ("Maldive", ["Maldives"]),
    ],
    "Americacs": [
        ("Alaska (Stati Uniti)", [("United States of America", "alaska")]),
        ("Canada", ["Canada"]),
        ("Groenlandia (Danimarca)", ["Greenland"]),
        ("Stati Uniti", [("United States of America", "-alaska")]),
        ("Messico", ["Mexico"]),
        ("Guatemala", ["Guatemala"]),
        ("Belize", ["Belize"]),
        ("El Salvador", ["El Salvador"]),
        ("Honduras", ["Honduras"]),
        ("Nicaragua", ["Nicaragua"]),
        ("Costa Rica", ["Costa Rica"]),
        ("Panama", ["Panama"]),
        ("Cuba", ["Cuba"]),
        ("Giamaica", ["Jamaica"]),
        ("Bahama", ["Bahamas"]),
        ("Haiti", ["Haiti"]),
        ("Repubblica Dominicana", ["Dominican Rep."]),
        ("Puerto Rico (Stati Uniti)", ["Puerto Rico"]),
        ("Piccole Antille (Diversi Stati)", [
            "U.S. Virgin Is.", "British Virgin Is.", "Anguilla", "St-Martin", "Sint Maarten",
            "St-Barthélemy", "St. Kitts and Nevis", "Antigua and Barb.", "Montserrat",
            "Dominica", "Saint Lucia", "St. Vin. and Gren.", "Barbados", "Grenada",
            "Aruba", "Curaçao", ("France", "antille"), ("Netherlands", "antille")]),
    ],
    "Sudamerica": [
        ("Colombia", ["Colombia"]),
        ("Venezuela", ["Venezuela"]),
        ("Trinidad and Tobago", ["Trinidad and Tobago"]),
        ("Guyana", ["Guyana"]),
        ("Suriname", ["Suriname"]),
        ("Guiana Francese", [("France", "guiana")]),
        ("Ecuador", ["Ecuador"]),
        ("Perù", ["Peru"]),
        ("Brasile", ["Brazil"]),
        ("Bolivia", ["Bolivia"]),
        ("Cile", ["Chile"]),
        ("Argentina e Isole Falkland", ["Argentina", "Falkland Is."]),
        ("Paraguay", ["Paraguay"]),
        ("Uruguay", ["Uruguay"]),
    ],
    "Australia": [
        ("Australia", ["Australia", "Ashmore and Cartier Is.", "Coral Sea Is.", "Norfolk Island"]),
        ("Nuova Zelanda", ["New Zealand"]),
        ("Papua Nuova Guinea", ["Papua New Guinea"]),
        ("Micronesia Melanesia Polinesia (Diversi Stati)", [
            "Fiji", "Solomon Is.", "Vanuatu", "New Caledonia", "Samoa", "American Samoa",
            "Tonga", "Kiribati", "Tuvalu", "Nauru", "Micronesia", "Marshall Is.", "Palau",
            "Guam", "N. Mariana Is.", "Fr. Polynesia", "Wallis and Futuna Is.", "Cook Is.",
            "Niue", "Pitcairn Is.", ("U.S. Minor Outlying Is.", "pacifico")]),
    ],
}

_MONDO = None


def carica_mondo():
    """Natural Earth 10m units (lon/lat, shapely), keyed by their English name.  The Vatican,
    which the quantized world data loses, is taken from the ISTAT boundaries (the hole that
    Rome's comune leaves), and cut out of Italy."""
    global _MONDO
    if _MONDO is not None:
        return _MONDO
    import topojson
    unita = {}
    for f in topojson.leggi(comune.sorgente("countries", "world-atlas", "countries-10m.topo.json"),
                            "countries"):
        nome = f["properties"]["name"]
        g = comune.forma(_oltre_antimeridiano(f["geometry"]))
        unita[nome] = unione([unita[nome], g]) if nome in unita else g
    laghi = grandi_laghi()
    for nome, g in list(unita.items()):
        if g.intersects(laghi):
            unita[nome] = comune.solo_poligoni(g.difference(laghi))
    vaticano = enclave_istat((12.4533, 41.9029))
    unita["Vatican"] = vaticano
    unita["Italy"] = comune.solo_poligoni(unita["Italy"].difference(vaticano))
    _MONDO = unita
    return unita


def _oltre_antimeridiano(geom):
    """Polygons whose rings run across the 180th meridian (eastern Russia, the Aleutians,
    Fiji) get their western longitudes shifted by 360 degrees, so that they are valid planar
    lon/lat polygons; the projections wrap longitudes, so the map is unchanged."""
    polys = [geom["coordinates"]] if geom["type"] == "Polygon" else geom["coordinates"]
    out = []
    for poly in polys:
        attraversa = any(max(c[0] for c in r) - min(c[0] for c in r) > 180 for r in poly)
        if attraversa:
            poly = [[(c[0] + 360 if c[0] < 0 else c[0], c[1]) for c in r] for r in poly]
        out.append(poly)
    return {"type": "MultiPolygon", "coordinates": out}


# Lakes dry today, or drawn by their historical outline, stay land.
LAGHI_ESCLUSI = {"Aral Sea", "Lake Eyre North"}


def grandi_laghi():
    """The large lakes (Natural Earth 50m, scale rank up to 2), cut out of the land so that
    the Great Lakes, Victoria, Titicaca... show as water on the political maps."""
    with open(comune.sorgente("physical", "ne_50m", "ne_50m_lakes.geojson"), encoding="utf-8") as fh:
        d = json.load(fh)
    laghi = []
    for f in d["features"]:
        p = f["properties"]
        if p.get("scalerank", 9) > 2 or p.get("name") in LAGHI_ESCLUSI:
            continue
        g = comune.forma(f["geometry"])
        if g.area >= 0.2:
            laghi.append(g)
    return unione(laghi)


def enclave_istat(punto):
    """The hole in the ISTAT region boundaries that contains `punto` (lon, lat)."""
    with open(comune.sorgente("italy", "openpolis", "geojson", "limits_IT_regions.geojson"),
              encoding="utf-8") as fh:
        regioni = json.load(fh)
    p = Point(*punto)
    for f in regioni["features"]:
        for poly in parti(comune.forma(f["geometry"])):
            for r in poly.interiors:
                buco = Polygon(r)
                if buco.contains(p):
                    return buco
    raise SystemExit(f"Nessuna enclave ISTAT in {punto}")


def _selettore(s):
    if s.startswith("-"):
        return _non(s[1:])
    return SELETTORI[s]


def costruisci(area):
    unita = carica_mondo()
    usate = {}  # unit -> list of (selector) already assigned to elements
    elementi = []
    for nome, fonti in ELEMENTI[area]:
        pezzi = []
        for fonte in fonti:
            if isinstance(fonte, tuple):
                u, sel = fonte
                test = _selettore(sel)
                pezzi += [p for p in parti(unita[u])
                          if test(p.representative_point().x, p.representative_point().y)]
                usate.setdefault(u, []).append(test)
            else:
                if fonte not in unita:
                    raise SystemExit(f"Unita' Natural Earth sconosciuta: {fonte}")
                pezzi += parti(unita[fonte])
                usate.setdefault(fonte, []).append(None)
        g = comune.proietta(unione(pezzi), area)
        if g.is_empty:
            raise SystemExit(f"{area}: l'elemento {nome!r} e' fuori dalla cornice")
        elementi.append((nome, g))
    sfondo = []
    for u, g in sorted(unita.items()):
        if u == "Antarctica":
            continue
        tests = usate.get(u)
        if tests and None in tests:
            continue
        resto = g
        if tests:
            resto = unione([p for p in parti(g)
                            if not any(t(p.representative_point().x, p.representative_point().y)
                                       for t in tests)])
        gp = comune.proietta(resto, area)
        if not gp.is_empty:
            sfondo.append((u, gp))
    return elementi, sfondo


def genera(area):
    elementi, sfondo = costruisci(area)
    features = comune.componi(area, elementi, sfondo)
    return comune.scrivi(area, features)

"""Political maps of Italy (regions) and of the 20 regions (their provinces as of 2004).

Sources: ISTAT boundaries of June 2023 as published by openpolis (CC-BY 4.0): the comuni
(simplified by openpolis) give the provinces, which are rebuilt as they were in 2004 by
dissolving comuni; the unsimplified region boundaries give coastlines and region borders
(the comuni's province borders are fitted into them).  Neighbouring countries come from
Natural Earth 10m and are fitted to the ISTAT national border."""

import json

from shapely.geometry import Point, Polygon

import aree
import catalogo
import comune
import mondo
import topojson
from comune import parti, unione

# 2023 comune code prefix (the historical ISTAT province code) -> 2004 province (short name).
PROVINCE_2004 = {
    "001": "Torino", "002": "Vercelli", "003": "Novara", "004": "Cuneo", "005": "Asti",
    "006": "Alessandria", "096": "Biella", "103": "Verbano Cusio Ossola", "007": "Aosta",
    "012": "Varese", "013": "Como", "014": "Sondrio", "015": "Milano", "016": "Bergamo",
    "017": "Brescia", "018": "Pavia", "019": "Cremona", "020": "Mantova", "097": "Lecco",
    "098": "Lodi", "108": "Milano", "021": "Bolzano", "022": "Trento", "023": "Verona",
    "024": "Vicenza", "025": "Belluno", "026": "Treviso", "027": "Venezia", "028": "Padova",
    "029": "Rovigo", "030": "Udine", "031": "Gorizia", "032": "Trieste", "093": "Pordenone",
    "008": "Imperia", "009": "Savona", "010": "Genova", "011": "La Spezia",
    "033": "Piacenza", "034": "Parma", "035": "Reggio Emilia", "036": "Modena",
    "037": "Bologna", "038": "Ferrara", "039": "Ravenna", "040": "Forlì Cesena",
    "099": "Rimini", "045": "Massa-Carrara", "046": "Lucca", "047": "Pistoia",
    "048": "Firenze", "049": "Livorno", "050": "Pisa", "051": "Arezzo", "052": "Siena",
    "053": "Grosseto", "100": "Prato", "054": "Perugia", "055": "Terni",
    "041": "Pesaro Urbino", "042": "Ancona", "043": "Macerata", "044": "Ascoli Piceno",
    "109": "Ascoli Piceno", "056": "Viterbo", "057": "Rieti", "058": "Roma", "059": "Latina",
    "060": "Frosinone", "066": "L'Aquila", "067": "Teramo", "068": "Pescara", "069": "Chieti",
    "070": "Campobasso", "094": "Isernia", "061": "Caserta", "062": "Benevento",
    "063": "Napoli", "064": "Avellino", "065": "Salerno", "071": "Foggia", "072": "Bari",
    "073": "Taranto", "074": "Brindisi", "075": "Lecce", "110": "Bari", "076": "Potenza",
    "077": "Matera", "078": "Cosenza", "079": "Catanzaro", "080": "Reggio Calabria",
    "101": "Crotone", "102": "Vibo Valentia", "081": "Trapani", "082": "Palermo",
    "083": "Messina", "084": "Agrigento", "085": "Caltanisetta", "086": "Enna",
    "087": "Catania", "088": "Ragusa", "089": "Siracusa",
}

# Comuni whose 2004 province differs from what their code says, by cadastral (Belfiore) code,
# which does not change when a comune moves.
SPOSTATI = {
    # Alta Valmarecchia (to Rimini in 2009), Montecopiolo and Sassofeltrio (2021): Pesaro Urbino
    "C080": "Pesaro Urbino", "E838": "Pesaro Urbino", "F137": "Pesaro Urbino",
    "G433": "Pesaro Urbino", "H949": "Pesaro Urbino", "I201": "Pesaro Urbino",
    "L034": "Pesaro Urbino", "F478": "Pesaro Urbino", "I460": "Pesaro Urbino",
    # Sappada (to Udine in 2017): Belluno
    "I421": "Belluno",
    # Barletta-Andria-Trani took these three from Foggia, the rest from Bari
    "E946": "Foggia", "H839": "Foggia", "B915": "Foggia",
}

# Sardinia: the Interior Ministry's local-finance code (minint_finloc, "5" + region + province
# + comune) still carries the province of before 2005.
SARDEGNA_FINLOC = {"073": "Sassari", "053": "Nuoro", "095": "Oristano", "017": "Cagliari"}

# Comuni missing from the 2023 data (holes after dissolving): region -> province that holds them.
MANCANTI = {
    "Lombardia": ("Varese", "Bardello con Malgesso e Bregano"),
    "Piemonte": ("Asti", "Moransengo-Tonengo"),
}

# Foreign enclaves, kept as holes: San Marino and the Vatican City.
ENCLAVI = {"San Marino": (12.4578, 43.9424), "Città del Vaticano": (12.4533, 41.9029)}

# Lakes shown as water on the maps of Italy: at least this surface (square metres).
LAGO_MINIMO_M2 = 40e6

# Fitting tolerance between Natural Earth borders and the ISTAT national border (metres).
ADATTAMENTO_M = 3000


def nome_tabella(breve):
    if breve == "Verbano Cusio Ossola":
        return "Provincia del Verbano Cusio Ossola"
    return "Provincia di " + breve


def regione_tabella(nome_istat):
    n = nome_istat.split("/")[0].replace("-", " ")
    return n


def provincia_2004(p):
    cat = p.get("com_catasto_code")
    if cat in SPOSTATI:
        return SPOSTATI[cat]
    if str(p.get("reg_istat_code_num")) == "20" or p.get("reg_istat_code") == "20":
        fin = str(p["minint_finloc"])
        return SARDEGNA_FINLOC[fin[3:6]]
    return PROVINCE_2004[str(p["com_istat_code"])[:3]]


def _regione_di_provincia():
    return {n: r for n, r, _ in catalogo.province()}


def carica_comuni():
    """{2023 region name (table spelling): {province: [comune polygons, lon/lat]}}"""
    out = {}
    for codice in range(1, 21):
        fn = comune.sorgente("italy", "openpolis", "topojson",
                             f"limits_R_{codice}_municipalities.topo.json")
        for f in topojson.leggi(fn, "comuni"):
            p = f["properties"]
            reg = regione_tabella(p["reg_name"])
            prov = provincia_2004(p)
            out.setdefault(reg, {}).setdefault(prov, []).append(comune.forma(f["geometry"]))
    return out


def carica_regioni_istat():
    """Unsimplified 2023 regions (lon/lat) with the gaps of missing comuni filled; the
    enclaves (San Marino, Vatican) as separate polygons; and the filled gaps per region."""
    with open(comune.sorgente("italy", "openpolis", "geojson", "limits_IT_regions.geojson"),
              encoding="utf-8") as fh:
        d = json.load(fh)
    regioni = {regione_tabella(f["properties"]["reg_name"]): comune.forma(f["geometry"])
               for f in d["features"]}
    italia = unione(list(regioni.values()))
    enclavi, buchi = {}, {}
    for poly in parti(italia):
        for r in poly.interiors:
            buco = Polygon(r)
            trovato = [k for k, pt in ENCLAVI.items() if buco.contains(Point(*pt))]
            if trovato:
                enclavi[trovato[0]] = buco
                continue
            # A gap in the national coverage: a comune missing from the data.  It belongs to
            # the region it shares most border with.
            bordo = buco.exterior
            reg = max(regioni, key=lambda n: bordo.intersection(regioni[n].buffer(1e-6)).length)
            buchi.setdefault(reg, []).append(buco)
    for nome, bs in sorted(buchi.items()):
        regioni[nome] = unione([regioni[nome]] + bs)
        area_km2 = sum(b.area for b in bs) * 111 * 80
        print(f"  {nome}: {len(bs)} vuoti riempiti ({area_km2:.1f} km2 circa)")
    if set(enclavi) != set(ENCLAVI):
        raise SystemExit(f"Enclavi non trovate: {set(ENCLAVI) - set(enclavi)}")
    return regioni, enclavi, buchi


def adatta_province(reg, r_full, pezzi, buchi):
    """Fit the simplified province pieces of one 2023 region into its unsimplified outline:
    clip to the outline, then give every leftover sliver to the province it shares most
    border with (the filled holes of missing comuni go to their known province)."""
    aree_p = {p: comune.solo_poligoni(g.intersection(r_full)) for p, g in pezzi.items()}
    resto = r_full.difference(unione(list(aree_p.values())))
    aggiunte = {p: [] for p in aree_p}
    mancante = MANCANTI.get(reg)
    for s in parti(resto):
        if s.area < 1.0:
            continue
        if mancante and any(s.intersection(b).area > 0.5 * b.area for b in buchi.get(reg, [])):
            aggiunte[mancante[0]].append(s)
            continue
        migliore, lung = None, -1.0
        bordo = s.boundary
        for p, a in aree_p.items():
            if a.is_empty or a.distance(s) > 1.0:
                continue
            l_c = bordo.intersection(a.buffer(1.0)).length
            if l_c > lung:
                migliore, lung = p, l_c
        if migliore is None:
            migliore = min(aree_p, key=lambda p: aree_p[p].distance(s))
        aggiunte[migliore].append(s)
    return {p: unione([aree_p[p]] + aggiunte[p]) for p in aree_p}


def costruisci_province():
    """2004 provinces (Italy plane), the 2004 regions, the enclaves, all fitted together."""
    print("Italia: comuni e regioni ISTAT")
    comuni = carica_comuni()
    regioni_ll, enclavi_ll, buchi_ll = carica_regioni_istat()
    province = {}
    for reg, per_prov in sorted(comuni.items()):
        r_full = comune.proietta(regioni_ll[reg], "Italia")
        pezzi = {p: comune.proietta(unione(gs), "Italia") for p, gs in per_prov.items()}
        buchi = {reg: [comune.proietta(b, "Italia") for b in buchi_ll.get(reg, [])]}
        for p, g in adatta_province(reg, r_full, pezzi, buchi).items():
            province.setdefault(p, []).append(g)
    province = {p: unione(gs) for p, gs in province.items()}
    attese = {n for n, _, _ in catalogo.province()}
    trovate = {nome_tabella(p) for p in province}
    if attese != trovate:
        raise SystemExit(f"Province: mancano {attese - trovate}, in piu' {trovate - attese}")
    reg_di = _regione_di_provincia()
    regioni = {}
    for p, g in province.items():
        regioni.setdefault(reg_di[nome_tabella(p)], []).append(g)
    regioni = {r: unione(gs) for r, gs in regioni.items()}
    enclavi = {k: comune.proietta(g, "Italia") for k, g in enclavi_ll.items()}
    return province, regioni, enclavi


def stati_vicini(italia):
    """Neighbouring countries (Natural Earth, Italy plane), fitted to the ISTAT border: each
    is widened by the gap towards Italy and then cut by Italy, so no sea shows between them."""
    unita = mondo.carica_mondo()
    out = []
    gia = None
    vicino = italia.buffer(ADATTAMENTO_M)
    for nome, g in sorted(unita.items()):
        if nome in ("Italy", "Vatican", "San Marino", "Antarctica"):
            continue
        gp = comune.proietta(g, "Italia")
        if gp.is_empty:
            continue
        if gp.distance(italia) < ADATTAMENTO_M:
            gp = unione([gp, gp.buffer(ADATTAMENTO_M).intersection(vicino)])
        gp = gp.difference(italia)
        if gia is not None:
            gp = gp.difference(gia)
        gp = comune.solo_poligoni(gp)
        if gp.is_empty:
            continue
        gia = gp if gia is None else gia.union(gp)
        out.append((nome, gp))
    return out


def _ritaglia(g, nome):
    xmin, ymin, xmax, ymax = aree.cornice(nome)
    from shapely.geometry import box
    return comune.solo_poligoni(g.intersection(box(xmin, ymin, xmax, ymax)))


def laghi_italiani(italia):
    """Lakes of at least LAGO_MINIMO_M2 touching Italy (Natural Earth 10m and its Europe
    supplement, which name some of them wrongly; only their outlines are used), in the Italy
    plane: Garda, Maggiore, Como, Trasimeno, Bolsena, Iseo, Bracciano, Lugano, ..."""
    laghi = []
    for fn in ("ne_10m_lakes.geojson", "ne_10m_lakes_europe.geojson"):
        with open(comune.sorgente("physical", "ne_10m", fn), encoding="utf-8") as fh:
            d = json.load(fh)
        for f in d["features"]:
            g = comune.proietta(comune.forma(f["geometry"]), "Italia")
            if g.area >= LAGO_MINIMO_M2 and g.intersects(italia):
                laghi.append(g)
    return unione(laghi)


def genera(scelte):
    province, regioni, enclavi = costruisci_province()
    italia = unione(list(regioni.values()) + list(enclavi.values()))
    esteri = stati_vicini(italia)
    laghi = laghi_italiani(italia)
    province = {p: comune.solo_poligoni(g.difference(laghi)) for p, g in province.items()}
    regioni = {r: comune.solo_poligoni(g.difference(laghi)) for r, g in regioni.items()}
    esteri = [(k, comune.solo_poligoni(g.difference(laghi))) for k, g in esteri]
    sfondo_comune = [(k, g) for k, g in esteri] + [(k, g) for k, g in sorted(enclavi.items())]
    reg_di = _regione_di_provincia()
    for nome in scelte:
        print(nome)
        if nome == "Italia":
            elementi = [(n, _ritaglia(regioni[n], nome)) for n, _ in catalogo.tabella("Italia")]
            sfondo = [(k, _ritaglia(g, nome)) for k, g in sfondo_comune]
        else:
            elementi = [(n, province[p]) for p in sorted(province)
                        for n in [nome_tabella(p)] if reg_di[n] == nome]
            ordine = [n for n, _ in catalogo.province_della_regione(nome)]
            elementi.sort(key=lambda e: ordine.index(e[0]))
            sfondo = [("regione " + r, _ritaglia(g, nome)) for r, g in sorted(regioni.items())
                      if r != nome]
            sfondo += [(k, _ritaglia(g, nome)) for k, g in sfondo_comune]
        sfondo = [(k, g) for k, g in sfondo if not g.is_empty]
        features = comune.componi(nome, elementi, sfondo)
        comune.scrivi(nome, features)

"""Projections, map frames and the map-file writer shared by every map generator.

Both the political and the physical generators import this module, so that the two maps of
an area line up exactly: same projection, same frame.  Public names (stable):

    AREE, REGIONI, CHIAVE_REGIONE
    proiezione(nome)            -> PROJ string of the area or region
    cornice(nome)               -> (xmin, ymin, xmax, ymax), the frame in map-plane metres
    finestre_geografiche(nome)  -> lon/lat boxes that are safe to project for that map
    passo(nome)                 -> rounding step of the written coordinates, in metres
    trasformazione(nome)        -> osr.CoordinateTransformation lon/lat WGS84 -> map plane
    proietta(geom, nome)        -> ogr.Geometry: lon/lat geometry cut to the safe window,
                                   projected and clipped to the frame (None when empty)
    poligono_cornice(nome)      -> ogr.Geometry of the frame rectangle (map plane)
    percorso_mappa(radice, nome, tipo) -> path of data/mappe/... for "politica"/"fisica"
    elemento(nome, ruolo, tipo, geometria, ordine=0, categoria=None) -> feature dict
    scrivi_mappa(percorso, nome, tipo, elementi, attribuzione=ATTRIBUZIONE) -> bytes written

`nome` is an area key ("Italia", "Europa", ...) or an Italian region spelled as in the
program's regions table ("Valle d'Aosta", "Emilia Romagna", ...).  Geometries passed to
`elemento` may be GeoJSON dicts, objects with `__geo_interface__` (shapely) or ogr.Geometry.
"""

import json
import math
import os

from osgeo import gdal, ogr, osr

ogr.UseExceptions()
osr.UseExceptions()

AREE = ("Italia", "Europa", "Africa", "Asia", "Americacs", "Sudamerica", "Australia")

# The twenty regions in the order of the program's table, and the ISTAT region code of each.
REGIONI = (
    "Valle d'Aosta", "Piemonte", "Liguria", "Lombardia", "Trentino Alto Adige", "Veneto",
    "Friuli Venezia Giulia", "Emilia Romagna", "Toscana", "Umbria", "Marche", "Lazio",
    "Abruzzo", "Molise", "Campania", "Basilicata", "Puglia", "Calabria", "Sicilia", "Sardegna",
)
CHIAVE_REGIONE = {
    "Piemonte": 1, "Valle d'Aosta": 2, "Lombardia": 3, "Trentino Alto Adige": 4, "Veneto": 5,
    "Friuli Venezia Giulia": 6, "Liguria": 7, "Emilia Romagna": 8, "Toscana": 9, "Umbria": 10,
    "Marche": 11, "Lazio": 12, "Abruzzo": 13, "Molise": 14, "Campania": 15, "Puglia": 16,
    "Basilicata": 17, "Calabria": 18, "Sicilia": 19, "Sardegna": 20,
}

ATTRIBUZIONE = ("Natural Earth (public domain); "
                "ISTAT, elaborazione openpolis (CC-BY 4.0)")

# Italy and its regions: the national single-zone transverse Mercator (RDN2008 / Italy zone,
# EPSG:6875), the same plane used by Italian national cartography.
_ITALIA = ("+proj=tmerc +lat_0=0 +lon_0=12 +k=0.9985 +x_0=7000000 +y_0=0 +ellps=GRS80 "
           "+towgs84=0,0,0,0,0,0,0 +units=m +no_defs")


def _laea(lat0, lon0):
    return f"+proj=laea +lat_0={lat0} +lon_0={lon0} +datum=WGS84 +units=m +no_defs"


# area -> (projection, frame in metres, lon/lat windows safe to project, rounding step in metres)
_AREE = {
    "Italia": (_ITALIA, (6530000, 3880000, 7600000, 5250000),
               [(-5.0, 30.0, 30.0, 55.0)], 20),
    "Europa": (_laea(52, 15), (-2650000, -1900000, 3100000, 2500000),
               [(-55.0, 20.0, 90.0, 89.0)], 100),
    "Africa": (_laea(3, 18), (-4700000, -4300000, 4400000, 3950000),
               [(-40.0, -50.0, 75.0, 48.0)], 100),
    "Asia": (_laea(35, 90), (-5300000, -5100000, 6000000, 4700000),
             [(-10.0, -25.0, 200.0, 89.0), (-180.0, -25.0, -160.0, 89.0)], 200),
    "Americacs": (_laea(45, -100), (-3500000, -3950000, 4600000, 4950000),
                  [(-180.0, -5.0, 15.0, 89.0), (140.0, 40.0, 200.0, 89.0)], 200),
    "Sudamerica": (_laea(-20, -60), (-2500000, -4050000, 2900000, 3650000),
                   [(-110.0, -62.0, -5.0, 25.0)], 100),
    "Australia": (_laea(-15, 165), (-5300000, -3650000, 6200000, 3950000),
                  [(95.0, -60.0, 250.0, 35.0), (-180.0, -60.0, -110.0, 35.0)], 200),
}

# Region frames: the region's extent in the Italy plane plus a margin (computed once from the
# ISTAT 2023 region boundaries and frozen here so every map of a region shares it).
_ESTENSIONI_REGIONI = {
    "Piemonte": (6577726, 4882055, 6779709, 5146111),
    "Valle d'Aosta": (6596331, 5040775, 6684159, 5096595),
    "Lombardia": (6725726, 4945600, 6954906, 5160446),
    "Trentino Alto Adige": (6876709, 5052701, 7036493, 5209641),
    "Veneto": (6892481, 4954317, 7085795, 5164089),
    "Friuli Venezia Giulia": (7024703, 5043525, 7149394, 5160624),
    "Liguria": (6638309, 4850759, 6845758, 4946127),
    "Emilia Romagna": (6778059, 4836789, 7060555, 4995107),
    "Toscana": (6815879, 4671466, 7029885, 4921101),
    "Umbria": (6991175, 4685185, 7103249, 4824121),
    "Marche": (7014941, 4721810, 7156326, 4863309),
    "Lazio": (6954729, 4510850, 7168988, 4737693),
    "Abruzzo": (7084157, 4611369, 7230117, 4745672),
    "Molise": (7161359, 4577388, 7262746, 4656138),
    "Campania": (7147537, 4427433, 7323315, 4592204),
    "Puglia": (7244181, 4419053, 7555300, 4676568),
    "Basilicata": (7280889, 4419066, 7412643, 4556494),
    "Calabria": (7317727, 4198563, 7450299, 4448210),
    "Sicilia": (6993422, 3923655, 7319250, 4296124),
    "Sardegna": (6673548, 4302417, 6816267, 4571841),
}


def _cornice_regione(e):
    xmin, ymin, xmax, ymax = e
    m = 0.06 * max(xmax - xmin, ymax - ymin)
    return (int(math.floor((xmin - m) / 1000) * 1000), int(math.floor((ymin - m) / 1000) * 1000),
            int(math.ceil((xmax + m) / 1000) * 1000), int(math.ceil((ymax + m) / 1000) * 1000))


def _dati(nome):
    if nome in _AREE:
        return _AREE[nome]
    if nome in _ESTENSIONI_REGIONI:
        c = _cornice_regione(_ESTENSIONI_REGIONI[nome])
        size = max(c[2] - c[0], c[3] - c[1])
        step = 5 if size < 200000 else 10
        return (_ITALIA, c, [(0.0, 33.0, 25.0, 50.0)], step)
    raise KeyError(f"area o regione sconosciuta: {nome!r}")


def proiezione(nome):
    return _dati(nome)[0]


def cornice(nome):
    return tuple(_dati(nome)[1])


def finestre_geografiche(nome):
    return list(_dati(nome)[2])


def passo(nome):
    return _dati(nome)[3]


def e_regione(nome):
    return nome in _ESTENSIONI_REGIONI


_WGS84 = None


def _wgs84():
    global _WGS84
    if _WGS84 is None:
        _WGS84 = osr.SpatialReference()
        _WGS84.ImportFromEPSG(4326)
        _WGS84.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
    return _WGS84


_TRASF = {}


def trasformazione(nome):
    p = proiezione(nome)
    if p not in _TRASF:
        dst = osr.SpatialReference()
        dst.ImportFromProj4(p)
        dst.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
        _TRASF[p] = osr.CoordinateTransformation(_wgs84(), dst)
    return _TRASF[p]


def _rettangolo(xmin, ymin, xmax, ymax, densita=0):
    ring = ogr.Geometry(ogr.wkbLinearRing)
    for x, y in ((xmin, ymin), (xmax, ymin), (xmax, ymax), (xmin, ymax), (xmin, ymin)):
        ring.AddPoint_2D(x, y)
    poly = ogr.Geometry(ogr.wkbPolygon)
    poly.AddGeometry(ring)
    if densita:
        poly.Segmentize(densita)
    return poly


def poligono_cornice(nome):
    return _rettangolo(*cornice(nome))


def finestra_lonlat(nome):
    """Union of the safe lon/lat windows, densified so that it projects without kinks."""
    out = None
    for b in finestre_geografiche(nome):
        r = _rettangolo(*b, densita=0.5)
        out = r if out is None else out.Union(r)
    return out


def proietta(geom, nome):
    """Cut a lon/lat geometry to the safe window, project it and clip it to the frame."""
    if geom is None or geom.IsEmpty():
        return None
    g = geom.Intersection(finestra_lonlat(nome))
    if g is None or g.IsEmpty():
        return None
    g = g.Clone()
    g.Transform(trasformazione(nome))
    gdal.PushErrorHandler("CPLQuietErrorHandler")
    valida = g.IsValid()
    gdal.PopErrorHandler()
    if not valida:
        g = g.MakeValid()  # projecting can fold a ring onto itself near the window edge
    g = g.Intersection(poligono_cornice(nome))
    if g is None or g.IsEmpty():
        return None
    return g


def percorso_mappa(radice_data, nome, tipo):
    """tipo: "politica" or "fisica".  radice_data is the repository's data/ folder."""
    cartella = "regioniitaliane" if e_regione(nome) else nome
    return os.path.join(radice_data, "mappe", cartella, f"{nome}_{tipo}.geojson")


def _in_dizionario(g):
    if isinstance(g, dict):
        return g
    if hasattr(g, "__geo_interface__"):
        return g.__geo_interface__
    if hasattr(g, "ExportToJson"):
        return json.loads(g.ExportToJson())
    raise TypeError("geometria non riconosciuta")


def elemento(nome, ruolo, tipo, geometria, ordine=0, categoria=None):
    """A feature in the map-file contract.  ruolo: element|background|border;
    tipo: area|line|point; categoria only on physical maps."""
    props = {"name": nome, "role": ruolo}
    if categoria is not None:
        props["category"] = categoria
    props["kind"] = tipo
    props["order"] = int(ordine)
    return {"type": "Feature", "properties": props, "geometry": _in_dizionario(geometria)}


def _arrotonda_anello(coords, p, chiuso):
    out = []
    for c in coords:
        q = [int(round(c[0] / p) * p), int(round(c[1] / p) * p)]
        if not out or q != out[-1]:
            out.append(q)
    if chiuso:
        if out and out[0] != out[-1]:
            out.append(list(out[0]))
        if len(out) < 4:
            return None
    elif len(out) < 2:
        return None
    return out


def _arrotonda(geom, p):
    t = geom["type"]
    c = geom.get("coordinates")
    if t == "Point":
        return {"type": t, "coordinates": [int(round(c[0] / p) * p), int(round(c[1] / p) * p)]}
    if t == "MultiPoint":
        return {"type": t, "coordinates": [[int(round(a / p) * p), int(round(b / p) * p)]
                                            for a, b, *_ in c]}
    if t == "LineString":
        r = _arrotonda_anello(c, p, False)
        return {"type": t, "coordinates": r} if r else None
    if t == "MultiLineString":
        ls = [r for r in (_arrotonda_anello(x, p, False) for x in c) if r]
        return {"type": t, "coordinates": ls} if ls else None
    if t == "Polygon":
        rings = [_arrotonda_anello(x, p, True) for x in c]
        if not rings or rings[0] is None:
            return None
        return {"type": t, "coordinates": [r for r in rings if r]}
    if t == "MultiPolygon":
        polys = []
        for poly in c:
            rings = [_arrotonda_anello(x, p, True) for x in poly]
            if rings and rings[0] is not None:
                polys.append([r for r in rings if r])
        return {"type": t, "coordinates": polys} if polys else None
    if t == "GeometryCollection":
        raise ValueError("GeometryCollection non ammessa nei file delle mappe")
    raise ValueError(f"tipo di geometria sconosciuto: {t}")


def scrivi_mappa(percorso, nome, tipo, elementi, attribuzione=ATTRIBUZIONE, passo_m=None):
    """Write one map file in the contract format (docs/FORMATO_MAPPE.md).

    nome: area key or region; tipo: "politica" or "fisica"; elementi: features built with
    `elemento`.  Coordinates are rounded to `passo_m` metres (default: passo(nome)); features
    whose geometry vanishes in the rounding are dropped.  Returns the size in bytes."""
    kind = {"politica": "political", "fisica": "physical"}[tipo]
    p = passo_m or passo(nome)
    features = []
    for f in elementi:
        d = _in_dizionario(f["geometry"])
        # A tiny island state must not vanish in the rounding: fall back to whole metres.
        g = _arrotonda(d, p) or _arrotonda(d, 1)
        if g is None:
            continue
        features.append({"type": "Feature", "properties": f["properties"], "geometry": g})
    doc = {
        "type": "FeatureCollection",
        "orbisto": {
            "format": 1,
            "kind": kind,
            "area": nome,
            "bounds": list(cornice(nome)),
            "projection": proiezione(nome),
            "units": "m",
            "borderLayer": "Confini" if tipo == "politica" else "Confine",
            "attribution": attribuzione,
        },
        "features": features,
    }
    os.makedirs(os.path.dirname(percorso) or ".", exist_ok=True)
    testo = json.dumps(doc, ensure_ascii=False, separators=(",", ":"))
    # One feature per line keeps diffs readable without costing much.
    testo = testo.replace(',{"type":"Feature"', ',\n{"type":"Feature"')
    dati = (testo + "\n").encode("utf-8")
    tmp = percorso + ".tmp"
    with open(tmp, "wb") as fh:
        fh.write(dati)
    os.replace(tmp, percorso)
    return len(dati)


def verifica():
    """Self-check: every frame corner lies inside the safe window of its map."""
    inv_errori = []
    for nome in list(AREE) + list(REGIONI):
        dst = osr.SpatialReference()
        dst.ImportFromProj4(proiezione(nome))
        dst.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
        inv = osr.CoordinateTransformation(dst, _wgs84())
        fin = finestra_lonlat(nome)
        xmin, ymin, xmax, ymax = cornice(nome)
        for i in range(11):
            for x, y in ((xmin + (xmax - xmin) * i / 10, ymin), (xmin + (xmax - xmin) * i / 10, ymax),
                         (xmin, ymin + (ymax - ymin) * i / 10), (xmax, ymin + (ymax - ymin) * i / 10)):
                lon, lat, _ = inv.TransformPoint(x, y)
                pt = ogr.Geometry(ogr.wkbPoint)
                pt.AddPoint_2D(lon, lat)
                if not fin.Contains(pt) and not (abs(abs(lon) - 180) < 1e-6):
                    inv_errori.append((nome, round(lon, 2), round(lat, 2)))
    return inv_errori


if __name__ == "__main__":
    errori = verifica()
    for e in errori:
        print("cornice fuori dalla finestra geografica:", e)
    for nome in list(AREE) + list(REGIONI):
        print(f"{nome:24s} {cornice(nome)}  passo {passo(nome)} m  {proiezione(nome)}")
    raise SystemExit(1 if errori else 0)

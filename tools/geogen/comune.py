"""Helpers shared by the political generator: geometry conversion, mapshaper, map assembly."""

import json
import os
import shutil
import subprocess

from osgeo import ogr
from shapely import wkb
from shapely.geometry import GeometryCollection, MultiPolygon, Polygon, shape, mapping
from shapely.ops import unary_union
from shapely.validation import make_valid

import aree

QUI = os.path.dirname(os.path.abspath(__file__))
RADICE = os.path.dirname(os.path.dirname(QUI))
DATI = os.path.join(RADICE, "data")
CACHE = os.path.join(QUI, "cache")
GEODATA = os.environ.get("ORBISTO_GEODATA", "/work/shared/geodata")
MAPSHAPER = os.path.join(QUI, "node_modules", ".bin", "mapshaper")


def sorgente(*parti):
    p = os.path.join(GEODATA, *parti)
    if not os.path.exists(p):
        raise SystemExit(f"File sorgente mancante: {p} (impostare ORBISTO_GEODATA)")
    return p


def solo_poligoni(g):
    """Keep the areal part of a geometry (overlay results may carry stray lines/points)."""
    if g is None or g.is_empty:
        return MultiPolygon()
    if isinstance(g, Polygon):
        return MultiPolygon([g])
    if isinstance(g, MultiPolygon):
        return g
    if isinstance(g, GeometryCollection) or hasattr(g, "geoms"):
        polys = []
        for x in g.geoms:
            polys.extend(solo_poligoni(x).geoms)
        return MultiPolygon(polys)
    return MultiPolygon()


def parti(g):
    return list(solo_poligoni(g).geoms)


def in_ogr(g):
    return ogr.CreateGeometryFromWkb(bytes(g.wkb))


def da_ogr(g):
    if g is None:
        return MultiPolygon()
    return solo_poligoni(wkb.loads(bytes(g.ExportToWkb())))


def proietta(g, nome):
    """Shapely lon/lat -> shapely in the map plane of `nome`, clipped to its frame."""
    if g is None or g.is_empty:
        return MultiPolygon()
    pezzi = [p if p.is_valid else make_valid(p) for p in parti(da_ogr(aree.proietta(in_ogr(g), nome)))]
    return unione(pezzi)


def togli_buchi_piccoli(g, area_minima):
    out = []
    for p in parti(g):
        interni = [r for r in p.interiors if Polygon(r).area >= area_minima]
        out.append(Polygon(p.exterior, interni))
    return MultiPolygon(out)


def intervallo_4x(nome):
    """Size in metres of one screen pixel when the map fills a 1920x1080 screen at 4x zoom."""
    xmin, ymin, xmax, ymax = aree.cornice(nome)
    return max((xmax - xmin) / 1920.0, (ymax - ymin) / 1080.0) / 4.0


def semplifica(nome, voci, intervallo):
    """Topology-preserving simplification of a set of areas with mapshaper.

    voci: list of (key, shapely geometry in the map plane).  Returns (dict key -> geometry
    dict, border lines geometry dict or None): the lines are the shared edges between areas
    (country or region borders), taken from the simplified topology so they match the areas."""
    cartella = os.path.join(CACHE, "ms", nome.replace("'", "_").replace(" ", "_"))
    shutil.rmtree(cartella, ignore_errors=True)
    os.makedirs(cartella, exist_ok=True)
    ingresso = os.path.join(cartella, "elementi.json")
    with open(ingresso, "w", encoding="utf-8") as fh:
        json.dump({"type": "FeatureCollection", "features": [
            {"type": "Feature", "properties": {"k": k}, "geometry": mapping(g)}
            for k, g in voci if not g.is_empty]}, fh)
    uscita = os.path.join(cartella, "out")
    os.makedirs(uscita, exist_ok=True)
    cmd = [MAPSHAPER, "-i", ingresso, "snap", "-rename-layers", "elementi",
           "-simplify", "planar", f"interval={intervallo:.1f}", "keep-shapes",
           "-innerlines", "+", "name=confini",
           "-o", uscita + "/", "format=geojson", "target=*"]
    r = subprocess.run(cmd, capture_output=True, text=True)
    if r.returncode != 0:
        raise SystemExit(f"mapshaper non riuscito per {nome}:\n{r.stderr}")
    with open(os.path.join(uscita, "elementi.json"), encoding="utf-8") as fh:
        el = json.load(fh)
    aree_out = {}
    for f in el["features"]:
        if f["geometry"] is not None:
            aree_out[f["properties"]["k"]] = f["geometry"]
    linee = None
    pc = os.path.join(uscita, "confini.json")
    if os.path.exists(pc):
        with open(pc, encoding="utf-8") as fh:
            cf = json.load(fh)
        segmenti = []
        geoms = cf.get("geometries") or [f["geometry"] for f in cf.get("features", [])]
        for g in geoms:
            if g is None:
                continue
            if g["type"] == "LineString":
                segmenti.append(g["coordinates"])
            elif g["type"] == "MultiLineString":
                segmenti.extend(g["coordinates"])
        if segmenti:
            linee = {"type": "MultiLineString", "coordinates": segmenti}
    return aree_out, linee


def componi(nome, elementi, sfondo, intervallo=None):
    """Simplify and assemble the features of one political map.

    elementi: list of (name, geometry) in table order; sfondo: list of (key, geometry) for
    background land.  Returns the list of contract features."""
    voci = [("e:" + n, g) for n, g in elementi] + [("b:" + k, g) for k, g in sfondo]
    semplici, linee = semplifica(nome, voci, intervallo or intervallo_4x(nome))
    out = []
    for k, _ in sfondo:
        g = semplici.get("b:" + k)
        if g:
            out.append(aree.elemento("", "background", "area", g, ordine=0))
    for n, originale in elementi:
        g = semplici.get("e:" + n)
        if g is None:
            raise SystemExit(f"{nome}: l'elemento {n!r} e' sparito nella semplificazione")
        out.append(aree.elemento(n, "element", "area", isole_ritrovate(g, originale), ordine=1))
    if linee:
        out.append(aree.elemento("Confini", "border", "line", linee, ordine=2))
    return out


def isole_ritrovate(g, originale):
    """The simplified geometry (a GeoJSON dict) with every island of the original that the
    simplification dropped (Ventotene from Lazio) put back as its own convex outline."""
    semplice = shape(g)
    perse = [p for p in parti(originale) if not p.is_empty and not semplice.intersects(p)]
    if not perse:
        return g
    return mapping(unione([semplice] + [p.convex_hull for p in perse]))


def scrivi(nome, features):
    percorso = aree.percorso_mappa(DATI, nome, "politica")
    n = aree.scrivi_mappa(percorso, nome, "politica", features)
    print(f"  {os.path.relpath(percorso, RADICE)}: {n / 1e6:.2f} MB, "
          f"{sum(1 for f in features if f['properties']['role'] == 'element')} elementi")
    return percorso, n


def unione(geoms):
    geoms = [g for g in geoms if g is not None and not g.is_empty]
    if not geoms:
        return MultiPolygon()
    return solo_poligoni(unary_union(geoms))


def forma(d):
    g = shape(d)
    if g.is_valid:
        return solo_poligoni(g)
    return unione([p if p.is_valid else make_valid(p) for p in parti(g)])

#!/usr/bin/python3
"""Physical maps of the six world areas and of Italy (data/mappe/<area>/<area>_fisica.geojson).

Every element comes from real geometry, as listed in fisica_elementi.csv (one row per element,
in the order of the program's physical tables): Natural Earth 4.0 physical layers, the ISTAT
2023 comuni (openpolis), published coordinates.  The source of every element is written to
fisica_fonti.csv.  Run from anywhere:

    /usr/bin/python3 tools/geogen/genera_fisiche.py [--geodata DIR] [area ...]

Needs Debian 12 python3-gdal, python3-shapely, python3-numpy and gmt-gshhg-full (World Data
Bank II rivers); sources and methods: data/mappe/FONTI_FISICHE.md.
"""

import argparse
import csv
import json
import math
import os
import sys

from osgeo import ogr
from shapely import wkb as shp_wkb
from shapely.geometry import (GeometryCollection, LineString, MultiLineString,
                              MultiPolygon, Point, Polygon, box, shape)
from shapely.ops import linemerge, nearest_points, unary_union

QUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, QUI)
import aree  # noqa: E402
import fiumi_wdb  # noqa: E402
import topojson  # noqa: E402

RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))
ELEMENTI = os.path.join(QUI, "fisica_elementi.csv")
FONTI = os.path.join(QUI, "fisica_fonti.csv")

CATEGORIE = ("fiume", "mare", "monte", "pianura", "deserto", "ghiacciaio", "altri", "indistinto")

# Draw order: lower first.
ORDINE = {"sfondo": 0, "indistinto": 1, "mare": 2, "terrestri": 3, "pianura": 3, "deserto": 3,
          "ghiacciaio": 3, "monte": 3, "lago": 200, "fiume": 201, "confine": 202, "punto": 203}

# Simplification tolerance of projected geometry (metres), per map.
TOLLERANZA = {"Italia": 250, "Europa": 1500, "Africa": 2500, "Asia": 3000,
              "Americacs": 3000, "Sudamerica": 2500, "Australia": 2500}

# Natural Earth draws some ranges and deserts as thin bands along their axis: a region polygon
# whose mean width (2 * area / perimeter) is below this many degrees is widened to it, so that
# it can be seen and reached on the map.
LARGHEZZA_MINIMA = {"Italia": 0.12, "Europa": 0.6, "Africa": 0.8, "Asia": 1.0,
                    "Americacs": 1.0, "Sudamerica": 0.8, "Australia": 0.8}

# The foot of the Alps and of the northern Apennines, round the Po and Veneto-Friuli plain: the
# towns that stand where the plain meets the mountains (their published coordinates), west to
# east along the Alps, then out to sea and back west along the Apennines and the hills of
# Monferrato and Turin.  Comuni that reach into the mountains are cut here.
PIEDE_LUOGHI = [
    ("Borgo San Dalmazzo", 7.45, 44.32), ("Revello", 7.39, 44.62), ("Barge", 7.33, 44.75),
    ("Pinerolo", 7.30, 44.87), ("Avigliana", 7.40, 45.05), ("Val della Torre", 7.50, 45.15),
    ("Lanzo Torinese", 7.55, 45.27), ("Cuorgnè", 7.65, 45.38), ("Ivrea", 7.85, 45.50),
    ("Biella", 8.00, 45.53), ("Cossato", 8.20, 45.60), ("Gattinara", 8.35, 45.63),
    ("Arona", 8.55, 45.72), ("Sesto Calende", 8.70, 45.75), ("Varese", 8.85, 45.78),
    ("Como", 9.05, 45.78), ("Erba", 9.30, 45.78), ("Lecco", 9.45, 45.75), ("Bergamo", 9.65, 45.70),
    ("Palazzolo sull'Oglio", 9.95, 45.63), ("Brescia", 10.20, 45.56), ("Lonato", 10.45, 45.50),
    ("Peschiera del Garda", 10.65, 45.45), ("Verona", 10.95, 45.47), ("Montecchio Maggiore", 11.25, 45.52),
    ("Thiene", 11.47, 45.68), ("Bassano del Grappa", 11.75, 45.78), ("Montebelluna", 12.00, 45.80),
    ("Conegliano", 12.25, 45.91), ("Sacile", 12.45, 46.00), ("Aviano", 12.60, 46.05),
    ("Maniago", 12.85, 46.15), ("Gemona del Friuli", 13.10, 46.23), ("Tarcento", 13.30, 46.17),
    ("Cividale del Friuli", 13.45, 46.10), ("Gorizia", 13.60, 45.95), ("Monfalcone", 13.55, 45.80),
    ("mare", 13.50, 45.40), ("mare", 12.90, 44.30), ("Cattolica", 12.75, 43.95),
    ("Rimini", 12.45, 44.00), ("Cesena", 12.25, 44.10), ("Forlì", 12.05, 44.18),
    ("Faenza", 11.88, 44.26), ("Imola", 11.70, 44.33), ("Bologna", 11.35, 44.46),
    ("Casalecchio di Reno", 11.10, 44.50), ("Modena", 10.93, 44.58), ("Sassuolo", 10.78, 44.53),
    ("Reggio nell'Emilia", 10.60, 44.66), ("Parma", 10.35, 44.76), ("Fidenza", 10.06, 44.85),
    ("Piacenza", 9.70, 45.00), ("Castel San Giovanni", 9.40, 45.02), ("Voghera", 9.05, 44.96),
    ("Tortona", 8.86, 44.86), ("Novi Ligure", 8.78, 44.74), ("Alessandria", 8.58, 44.85),
    ("Valenza", 8.58, 45.03), ("Casale Monferrato", 8.45, 45.12), ("Trino", 8.20, 45.16),
    ("Chivasso", 7.95, 45.17), ("Superga", 7.75, 45.08), ("Moncalieri", 7.72, 44.98),
    ("Carmagnola", 7.76, 44.88), ("Bra", 7.80, 44.74), ("Fossano", 7.76, 44.57),
    ("Mondovì", 7.82, 44.43), ("Cuneo", 7.62, 44.35),
]
PIEDE_DEI_MONTI = [(x, y) for _, x, y in PIEDE_LUOGHI]

# Lagoons left open by Natural Earth 10m land: name, lon/lat box.
LAGUNE_NE = [
    ("Laguna di Venezia", 12.15, 45.17, 12.60, 45.62),
    ("Laguna di Marano e Grado", 13.00, 45.66, 13.50, 45.80),
    ("Lagune del delta del Po", 12.20, 44.75, 12.60, 45.10),
]
# Lagoons that Natural Earth 10m fills: outlines generalised by hand from their known shape
# (about 1 km precision).
LAGUNE_CONTORNO = [
    ("Laguna di Orbetello (ponente)", [(11.09, 42.445), (11.12, 42.465), (11.17, 42.47),
                                       (11.205, 42.455), (11.20, 42.445), (11.16, 42.435),
                                       (11.12, 42.43), (11.10, 42.435)]),
    ("Laguna di Orbetello (levante)", [(11.215, 42.435), (11.24, 42.45), (11.265, 42.445),
                                       (11.27, 42.425), (11.25, 42.405), (11.22, 42.41),
                                       (11.205, 42.425)]),
    ("Stagno di Cabras", [(8.49, 39.93), (8.50, 39.97), (8.52, 40.00), (8.545, 39.995),
                          (8.55, 39.97), (8.54, 39.94), (8.52, 39.925)]),
]

NE10 = "physical/ne_10m/"
NE50 = "physical/ne_50m/"


class Sorgenti:
    """Raw layers, loaded on first use."""

    def __init__(self, geodata):
        self.geodata = geodata
        self._cache = {}

    def _geojson(self, rel):
        if rel not in self._cache:
            with open(os.path.join(self.geodata, rel), encoding="utf-8") as fh:
                feats = json.load(fh)["features"]
            self._cache[rel] = [(f["properties"], shape(f["geometry"])) for f in feats
                                if f.get("geometry")]
        return self._cache[rel]

    def strato(self, nome):
        return self._geojson(nome)

    def comuni(self, regione):
        chiave = f"comuni{regione}"
        if chiave not in self._cache:
            p = os.path.join(self.geodata, "italy/openpolis/topojson",
                             f"limits_R_{regione}_municipalities.topo.json")
            self._cache[chiave] = [(f["properties"], shape(f["geometry"]).buffer(0))
                                   for f in topojson.leggi(p, "comuni")]
        return self._cache[chiave]

    def italia(self):
        if "italia" not in self._cache:
            p = os.path.join(self.geodata, "italy/openpolis/topojson/limits_IT_regions.topo.json")
            regioni = [shape(f["geometry"]).buffer(0) for f in topojson.leggi(p, "regions")]
            self._cache["italia"] = unary_union(regioni).buffer(0.002).buffer(-0.002)
        return self._cache["italia"]

    def lagune(self):
        """The coastal lagoons, which the comuni include in their land: water on the physical
        maps.  Where Natural Earth 10m land leaves a lagoon open, the comuni land that it does
        not cover, inside the lagoon's box; Orbetello and Cabras, which it fills, by outline."""
        if "lagune" not in self._cache:
            terra = self.terre_10m().buffer(0.003)
            it = self.italia()
            parti = []
            for _, x0, y0, x1, y1 in LAGUNE_NE:
                acqua = it.intersection(box(x0, y0, x1, y1)).difference(terra)
                parti.extend(p for p in (acqua.geoms if hasattr(acqua, "geoms") else [acqua])
                             if isinstance(p, Polygon) and p.area > 2e-4)
            for _, pts in LAGUNE_CONTORNO:
                parti.append(Polygon(pts).intersection(it))
            self._cache["lagune"] = unary_union(parti).buffer(0)
        return self._cache["lagune"]

    def terre_10m(self):
        if "terre10" not in self._cache:
            p = os.path.join(self.geodata, "countries/world-atlas/land-10m.topo.json")
            self._cache["terre10"] = unary_union(
                [shape(f["geometry"]).buffer(0) for f in topojson.leggi(p, "land")])
        return self._cache["terre10"]

    def terre_50m(self):
        if "terre50" not in self._cache:
            self._cache["terre50"] = unary_union([g.buffer(0) for _, g in
                                                  self.strato(NE50 + "ne_50m_land.geojson")])
        return self._cache["terre50"]


def nome_comune(props):
    """The names a comune answers to (bilingual names are written "Italiano/Deutsch")."""
    nomi = {props.get("name"), props.get("name_it")}
    n = props.get("name") or ""
    if "/" in n:
        nomi.add(n.split("/")[0].strip())
    return {x for x in nomi if x}


def trova_comune(src, regione, nome):
    trovati = [g for p, g in src.comuni(regione) if nome in nome_comune(p)]
    if len(trovati) != 1:
        raise SystemExit(f"comune {nome!r} della regione {regione}: {len(trovati)} corrispondenze")
    return trovati[0]


def sequenza_comuni(testo):
    """'R9:A|B;R12:C' or 'R4:A|B|R5:C' -> [(region, name)], plus '@lon,lat' and '>name' tokens."""
    out = []
    regione = None
    for parte in testo.replace(";", "|").split("|"):
        parte = parte.strip()
        if not parte:
            continue
        if parte.startswith("R") and ":" in parte and parte[1:parte.index(":")].isdigit():
            regione = int(parte[1:parte.index(":")])
            parte = parte[parte.index(":") + 1:]
        out.append((regione, parte))
    return out


def solo_poligoni(g):
    if g is None or g.is_empty:
        return None
    if isinstance(g, (Polygon, MultiPolygon)):
        return g
    if isinstance(g, GeometryCollection):
        ps = [x for x in g.geoms if isinstance(x, (Polygon, MultiPolygon))]
        return unary_union(ps) if ps else None
    return None


def solo_linee(g):
    if g is None or g.is_empty:
        return None
    if isinstance(g, (LineString, MultiLineString)):
        return g
    if isinstance(g, GeometryCollection):
        ls = [x for x in g.geoms if isinstance(x, (LineString, MultiLineString))]
        return unisci_linee(ls) if ls else None
    return None


def unisci_linee(parti):
    u = unary_union(parti)
    return linemerge(u) if isinstance(u, MultiLineString) else u


def semipiano(px, py, dx, dy, lato):
    """Half of the plane on one side (lato = +1 left, -1 right) of the line through (px, py)
    with direction (dx, dy), as a large polygon in lon/lat."""
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    lx, ly = -dy * lato, dx * lato
    far = 60.0
    a = (px - dx * far, py - dy * far)
    b = (px + dx * far, py + dy * far)
    return Polygon([a, b, (b[0] + lx * far, b[1] + ly * far), (a[0] + lx * far, a[1] + ly * far)])


def liscia(coords, giri=2):
    """Chaikin corner cutting: keeps both ends, rounds the corners of a line through towns."""
    pts = list(coords)
    for _ in range(giri):
        nuovi = [pts[0]]
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            nuovi.append((0.75 * x0 + 0.25 * x1, 0.75 * y0 + 0.25 * y1))
            nuovi.append((0.25 * x0 + 0.75 * x1, 0.25 * y0 + 0.75 * y1))
        nuovi.append(pts[-1])
        pts = nuovi
    return pts


class Generatore:
    def __init__(self, src):
        self.src = src
        self.geometrie = {}  # (area, name) -> lon/lat geometry
        self.tipi = {}  # (area, name) -> "area" | "line" | "point"
        self.descrizioni = {}  # (area, name) -> source text
        self.wdb = None
        self.fonti = []

    # --- one builder per source kind; each returns (geometry, kind, source text) ---------

    def fiumi(self, area, chiavi):
        """Natural Earth centre-lines by name.  After the names: '!x0,y0,x1,y1' drops the
        stretches whose middle lies in that box (a tributary carrying the same name), and each
        '>@lon,lat@lon,lat...' group carries the river on from its nearest end through those
        published points (town on the bank, mouth), along World Data Bank II where it follows."""
        gruppi = chiavi.split(">")
        testa = gruppi[0].split("|")
        nomi = {t for t in testa if not t.startswith("!")}
        scarti = [box(*map(float, t[1:].split(","))) for t in testa if t.startswith("!")]
        linea, tipo, descr = self._fiumi_ne(area, nomi)
        if scarti:
            parti = [l for l in (linea.geoms if hasattr(linea, "geoms") else [linea])
                     if not any(b.contains(l.interpolate(0.5, normalized=True)) for b in scarti)]
            linea = unisci_linee(parti)
            descr += "; senza i tratti entro " + ", ".join(
                "lon %g..%g lat %g..%g" % (b.bounds[0], b.bounds[2], b.bounds[1], b.bounds[3])
                for b in scarti) + " (un affluente con lo stesso nome)"
        for g in gruppi[1:]:
            punti = [tuple(map(float, q.split(","))) for q in g.split("@") if q]
            linea, quota = self.prolunga(linea, punti)
            descr += (f"; prolungato per {', '.join(f'{y:.2f} N {x:.2f} E' for x, y in punti)} "
                      f"(coordinate pubblicate di città sulle rive e della foce), "
                      f"World Data Bank II per {quota:.0%} del tratto aggiunto")
        return linea, tipo, descr

    def prolunga(self, linea, punti):
        """The line carried on from its end nearest punti[0] through punti."""
        parti = list(linea.geoms) if hasattr(linea, "geoms") else [linea]
        p0 = Point(punti[0])
        migliore = None
        for i, l in enumerate(parti):
            for estremo in (l.coords[0], l.coords[-1]):
                d = Point(estremo).distance(p0)
                if migliore is None or d < migliore[0]:
                    migliore = (d, i, estremo)
        _, i, estremo = migliore
        guida = LineString([estremo] + punti)
        xs = [c[0] for c in guida.coords]
        ys = [c[1] for c in guida.coords]
        segmenti = fiumi_wdb.leggi_segmenti(min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1)
        tratto, quota = fiumi_wdb.traccia(guida, segmenti)
        return unisci_linee(parti + [tratto]), quota

    def _fiumi_ne(self, area, nomi):
        strati = ["ne_10m_rivers_lake_centerlines.geojson"]
        if area == "Italia":
            strati.append("ne_10m_rivers_europe.geojson")
        parti = []
        usati = []
        for s in strati:
            n = 0
            for p, g in self.src.strato(NE10 + s):
                if p.get("name") in nomi:
                    parti.append(g)
                    n += 1
            if n:
                usati.append(f"{s.replace('.geojson', '')} ({n} tratti)")
        if not parti:
            raise SystemExit(f"{area}: nessun fiume tra {sorted(nomi)}")
        return unisci_linee(parti), "line", f"Natural Earth 4.0 {', '.join(usati)}: {', '.join(sorted(nomi))}"

    def laghi(self, area, chiavi):
        strati = ["ne_10m_lakes.geojson", "ne_10m_lakes_europe.geojson",
                  "ne_10m_lakes_north_america.geojson"]
        parti = []
        descr = []
        for chiave in chiavi.split("|"):
            if chiave.startswith("@"):
                x, y = map(float, chiave[1:].split(","))
                pt = Point(x, y)
                for s in strati:
                    hit = [(p, g) for p, g in self.src.strato(NE10 + s) if g.contains(pt)]
                    if hit:
                        p, g = hit[0]
                        parti.append(g.buffer(0))
                        descr.append(f"{s.replace('.geojson', '')}: poligono in {x},{y} "
                                     f"(nome nel livello: {p.get('name')!r})")
                        break
                else:
                    raise SystemExit(f"{area}: nessun lago in {chiave}")
            else:
                trovato = False
                for s in strati:
                    gs = [g.buffer(0) for p, g in self.src.strato(NE10 + s)
                          if p.get("name") == chiave]
                    if gs:
                        parti.extend(gs)
                        descr.append(f"{s.replace('.geojson', '')}: {chiave}")
                        trovato = True
                        break
                if not trovato:
                    raise SystemExit(f"{area}: lago {chiave!r} non trovato")
        return unary_union(parti), "area", "Natural Earth 4.0 " + "; ".join(descr)

    def regioni(self, area, chiavi):
        nomi = chiavi.split("|")
        gs = [g.buffer(0) for p, g in self.src.strato(NE10 + "ne_10m_geography_regions_polys.geojson")
              if p.get("name") in nomi]
        if not gs:
            raise SystemExit(f"{area}: regione {nomi} non trovata")
        g = unary_union(gs)
        descr = "Natural Earth 4.0 ne_10m_geography_regions_polys: " + ", ".join(nomi)
        larghezza = 2 * g.area / g.length
        minima = LARGHEZZA_MINIMA[area]
        if larghezza < minima:
            g = g.buffer((minima - larghezza) / 2)
            descr += f" (fascia allargata a {minima} gradi)"
        return g, "area", descr

    def forma(self, area, chiavi):
        """A feature whose extent no dataset holds, or holds only in pieces, drawn from its
        published limits.  Tokens separated by '|':
          NE:NAME      a Natural Earth region polygon, added
          P:x,y x,y..  a generalised outline through the listed lon/lat points, added
          B:x,y,km ..  a band along the listed axis points, `km` wide at each point, added
          X:x,y x,y..  keep only the part inside this outline (a traditional division)
          -Name        take away another element of the same map
          H            fill the holes
          R:text       where the defining points come from (goes into the sources)"""
        aggiunte, tagli, meno, rif, descr = [], [], [], [], []
        riempi = False
        for t in chiavi.split("|"):
            t = t.strip()
            if t.startswith("NE:"):
                gs = [g.buffer(0) for p, g in
                      self.src.strato(NE10 + "ne_10m_geography_regions_polys.geojson")
                      if p.get("name") == t[3:]]
                if not gs:
                    raise SystemExit(f"{area}: regione {t[3:]!r} non trovata")
                aggiunte.append(unary_union(gs))
                descr.append(f"Natural Earth 4.0 ne_10m_geography_regions_polys {t[3:]}")
            elif t.startswith("P:"):
                pts = [tuple(map(float, q.split(","))) for q in t[2:].split()]
                aggiunte.append(Polygon(pts).buffer(0))
                descr.append("contorno generalizzato per " + _elenco_punti(pts))
            elif t.startswith("B:"):
                pts = [tuple(map(float, q.split(","))) for q in t[2:].split()]
                aggiunte.append(fascia(area, pts))
                descr.append("fascia lungo l'asse per " + ", ".join(
                    f"{y:.2f} N {x:.2f} E ({km:g} km)" for x, y, km in pts))
            elif t.startswith("X:"):
                pts = [tuple(map(float, q.split(","))) for q in t[2:].split()]
                tagli.append(Polygon(pts).buffer(0))
                descr.append("parte entro il limite per " + _elenco_punti(pts))
            elif t.startswith("-"):
                meno.append(t[1:])
            elif t == "H":
                riempi = True
            elif t.startswith("R:"):
                rif.append(t[2:])
            elif t:
                raise SystemExit(f"{area}: elemento di forma sconosciuto {t!r}")
        g = unary_union(aggiunte)
        if riempi:
            g = riempi_buchi(solo_poligoni(g), 1e9)
        for x in tagli:
            g = g.intersection(x)
        for n in meno:
            g = g.difference(self.geometrie[(area, n)])
            descr.append(f"meno {n}")
        g = solo_poligoni(g)
        testo = "; ".join(descr)
        if rif:
            testo += " (punti da: " + "; ".join(rif) + ")"
        return g, "area", testo

    def catena(self, area, chiavi):
        """A range that the region layer lacks: a band through its main peaks, in order."""
        nomi = chiavi.split("|")
        strato = self.src.strato(NE10 + "ne_10m_geography_regions_elevation_points.geojson")
        punti = []
        for n in nomi:
            pts = [g for p, g in strato if p.get("name") == n]
            if len(pts) != 1:
                raise SystemExit(f"{area}: vetta {n!r}: {len(pts)} corrispondenze")
            punti.append(pts[0].coords[0])
        minima = LARGHEZZA_MINIMA[area]
        g = LineString(punti).buffer(minima / 2)
        return g, "area", (f"fascia larga {minima} gradi attraverso le vette di Natural Earth 4.0 "
                           f"ne_10m_geography_regions_elevation_points: {', '.join(nomi)}")

    def vette(self, area, chiavi):
        chiavi, _, vicino = chiavi.partition("@")
        pts = [(p, g) for p, g in
               self.src.strato(NE10 + "ne_10m_geography_regions_elevation_points.geojson")
               if p.get("name") == chiavi]
        if vicino and pts:
            # Same name on several peaks: the one nearest the given place.
            x, y = map(float, vicino.split(","))
            pts = [min(pts, key=lambda pg: pg[1].distance(Point(x, y)))]
        if len(pts) != 1:
            raise SystemExit(f"{area}: vetta {chiavi!r}: {len(pts)} corrispondenze")
        p, g = pts[0]
        return g, "point", (f"Natural Earth 4.0 ne_10m_geography_regions_elevation_points: "
                            f"{chiavi} ({p.get('elevation'):.0f} m, {g.x:.4f} {g.y:.4f})")

    def mari(self, area, chiavi, tagli=None):
        """Natural Earth marine polygons by name ('+' joins several); after '>': 'in:' keeps
        the part inside the outline through the listed capes, 'fuori:' the part outside it,
        'resto' what the other seas of the map leave."""
        nome, _, regola = chiavi.partition(">")
        nomi = nome.split("+")
        gs = [g.buffer(0) for p, g in self.src.strato(NE10 + "ne_10m_geography_marine_polys.geojson")
              if p.get("name") in nomi]
        if not gs:
            raise SystemExit(f"{area}: mare {nome!r} non trovato")
        g = unary_union(gs)
        descr = f"Natural Earth 4.0 ne_10m_geography_marine_polys: {', '.join(nomi)}"
        if regola.startswith("cut:"):
            x0, y0, x1, y1 = map(float, regola[4:].split(","))
            g = g.intersection(box(x0, y0, x1, y1))
            descr += f", parte entro lon {x0}..{x1}, lat {y0}..{y1}"
        elif regola.startswith(("in:", "fuori:")):
            tipo, _, testo = regola.partition(":")
            pts = [tuple(map(float, q.split(","))) for q in testo.split()]
            limite = Polygon(pts).buffer(0)
            g = g.intersection(limite) if tipo == "in" else g.difference(limite)
            descr += (", parte " + ("entro" if tipo == "in" else "fuori dal") +
                      " limite per i capi alle coordinate pubblicate " + _elenco_punti(pts))
        elif regola == "resto":
            for t in tagli or []:
                g = g.difference(t)
            descr += ", senza le parti assegnate agli altri mari della tabella"
        return g, "area", descr

    def barriera(self, area, chiavi):
        """The named reef of the marine layer is only a marker there: the element is the reef
        lines of ne_10m_reefs inside its extent, widened by 0.2 degrees to be seen and hit."""
        gs = [g for p, g in self.src.strato(NE10 + "ne_10m_geography_marine_polys.geojson")
              if p.get("name") == chiavi]
        if not gs:
            raise SystemExit(f"{area}: {chiavi!r} non trovata")
        b = [g.bounds for g in gs]
        estensione = box(min(x[0] for x in b), min(x[1] for x in b), max(x[2] for x in b),
                         max(x[3] for x in b)).buffer(0.2)
        scogli = [g for p, g in self.src.strato(NE10 + "ne_10m_reefs.geojson")
                  if g.intersects(estensione)]
        g = unary_union([x.buffer(0.2) for x in scogli]).intersection(estensione)
        return g, "area", (f"Natural Earth 4.0 ne_10m_reefs: {len(scogli)} scogliere entro "
                           f"l'estensione di {chiavi} (ne_10m_geography_marine_polys), "
                           f"allargate di 0,2 gradi")

    def ghiacci(self, area, chiavi):
        finestra = aree.finestra_lonlat(area)
        fin = shp_wkb.loads(bytes(finestra.ExportToWkb()))
        gs = [g.buffer(0) for p, g in self.src.strato(NE10 + "ne_10m_glaciated_areas.geojson")
              if g.intersects(fin)]
        return unary_union(gs), "area", (f"Natural Earth 4.0 ne_10m_glaciated_areas: "
                                         f"{len(gs)} poligoni entro la cornice")

    def taglio(self, area, chiavi):
        nome, _, regola = chiavi.partition(">")
        base, _, _ = self.regioni(area, nome)
        tipo, _, valori = regola.partition(":")
        if tipo == "meridiani":
            a, b = map(float, valori.split(","))
            g = base.intersection(box(a, -90, b, 90))
            descr = f"parte tra i meridiani {a} e {b}"
        elif tipo == "passi":
            v = valori.split(",")
            g = base
            # Cut lines run NE-SW through the passes, across the chain.
            if v[0] != "-":
                x, y = float(v[0]), float(v[1])
                g = g.intersection(semipiano(x, y, 1, 1, -1))
                v = v[2:]
            else:
                v = v[1:]
            if v and v[0] != "-":
                x, y = float(v[0]), float(v[1])
                g = g.intersection(semipiano(x, y, 1, 1, +1))
            descr = f"parte tra le linee NE-SO per i valichi {valori}"
        else:
            raise SystemExit(f"taglio sconosciuto: {regola}")
        return solo_poligoni(g), "area", (f"Natural Earth 4.0 ne_10m_geography_regions_polys: "
                                          f"{nome}, {descr}")

    def comuni(self, area, chiavi):
        seq = sequenza_comuni(chiavi)
        gs = [trova_comune(self.src, r, n) for r, n in seq]
        g = unary_union(gs).buffer(0.001).buffer(-0.001)
        g = riempi_buchi(g, 0.002)
        nomi = ", ".join(n for _, n in seq)
        return g, "area", f"ISTAT 2023 (openpolis), comuni uniti: {nomi}"

    def comuni_piani(self, area, chiavi):
        regioni = [int(x) for x in chiavi.split(",")]
        piede = Polygon(PIEDE_DEI_MONTI).buffer(0)
        monti = unary_union([g.buffer(0) for p, g in
                             self.src.strato(NE10 + "ne_10m_geography_regions_polys.geojson")
                             if p.get("name") in ("ALPS", "APPENNINI")])
        gs = []
        for r in regioni:
            for p, g in self.src.comuni(r):
                if g.area > 0 and g.intersection(monti).area < 0.5 * g.area:
                    gs.append(g)
        g = unary_union(gs).buffer(0.003).buffer(-0.003)
        g = riempi_buchi(g, 0.05)
        g = solo_poligoni(g.intersection(piede))
        g = togli_frammenti(g, 0.01)
        return g, "area", (f"ISTAT 2023 (openpolis), comuni delle regioni {chiavi} per meno di metà "
                           f"entro ALPS e APPENNINI di Natural Earth 4.0, uniti ({len(gs)} comuni), "
                           f"fino al piede delle Alpi e dell'Appennino (linea per "
                           f"{', '.join(n for n, _, _ in PIEDE_LUOGHI)})")

    def comuni_linea(self, area, chiavi):
        seq = sequenza_comuni(chiavi)
        punti = []
        foce = None
        nomi = []
        for r, n in seq:
            if n.startswith("@"):
                x, y = map(float, n[1:].split(","))
                punti.append((x, y))
            elif n.startswith(">"):
                foce = n[1:]
            else:
                c = trova_comune(self.src, r, n).representative_point()
                punti.append((c.x, c.y))
                nomi.append(n)
        if foce:
            ricevente = self.geometrie[(area, foce)]
            ultimo = Point(punti[-1])
            punti.append(nearest_points(ricevente, ultimo)[0].coords[0])
        guida = LineString(liscia(punti))
        if self.wdb is None:
            self.wdb = fiumi_wdb.leggi_segmenti(5.5, 35.5, 19.0, 47.5)
        linea, quota = fiumi_wdb.traccia(guida, self.wdb)
        comuni = ("comuni attraversati (ISTAT 2023, openpolis, punto interno di ogni comune): "
                  + ", ".join(nomi) + "; sorgente e foce da coordinate pubblicate")
        if quota >= 0.005:
            descr = (f"World Data Bank II (gmt-gshhg binned_river_f) per {quota:.0%} della "
                     f"lunghezza; il resto per i {comuni}")
        else:
            descr = f"corso per i {comuni} (nessun tratto in World Data Bank II)"
        if foce:
            descr += f"; confluisce nel {foce}"
        return linea, "line", descr

    def come(self, area, chiavi):
        altra, _, nome = chiavi.partition(":")
        chiave = (altra, nome)
        return (self.geometrie[chiave], self.tipi[chiave],
                f"la stessa geometria di {nome} della mappa {altra}: {self.descrizioni[chiave]}")

    # --- maps ---------------------------------------------------------------------------

    def genera(self, area, righe):
        elementi_ll = []  # (name, category, kind, lon/lat geometry, source)
        per_nome = {r[0]: r for r in righe}

        def costruisci(nome):
            if (area, nome) in self.geometrie:
                return
            _, cat, fonte, chiavi = per_nome[nome]
            # An outline that takes another element away needs that one first.
            if fonte == "forma":
                for t in chiavi.split("|"):
                    if t.startswith("-"):
                        costruisci(t[1:])
            if fonte == "mari" and chiavi.endswith(">resto"):
                altri = [r[0] for r in righe if r[2] == "mari" and not r[3].endswith(">resto")]
                for n in altri:
                    costruisci(n)
                g, tipo, descr = self.mari(area, chiavi, [self.geometrie[(area, n)] for n in altri])
            elif fonte == "mari":
                g, tipo, descr = self.mari(area, chiavi)
            else:
                g, tipo, descr = getattr(self, fonte)(area, chiavi)
            self.geometrie[(area, nome)] = g
            self.tipi[(area, nome)] = tipo
            self.descrizioni[(area, nome)] = descr

        for nome, cat, fonte, chiavi in righe:
            if fonte in ("confine", "indistinto"):
                elementi_ll.append((nome, cat, fonte, None, None))
                continue
            costruisci(nome)
            chiave = (area, nome)
            elementi_ll.append((nome, cat, self.tipi[chiave], self.geometrie[chiave],
                                self.descrizioni[chiave]))

        tol = TOLLERANZA[area]
        if area == "Italia":
            terra = self.src.italia().difference(self.src.lagune())
            sfondo = self.src.terre_10m().difference(self.src.italia().buffer(0.001))
            descr_terra = "ISTAT 2023 (openpolis) regioni unite, senza le lagune costiere"
        else:
            terra = self.src.terre_50m()
            sfondo = None
            descr_terra = "Natural Earth 4.0 ne_50m_land"

        terre = terra if sfondo is None else terra.union(sfondo)
        feats = []
        terrestri = []  # (area, index in feats) of the land elements
        for nome, cat, tipo, g, descr in elementi_ll:
            if tipo in ("confine", "indistinto"):
                continue
            if cat == "mare":
                g = g.difference(terre)
                if area == "Italia":
                    g = g.difference(self.src.lagune())
            elif tipo == "area" and cat in ("monte", "pianura", "deserto", "ghiacciaio"):
                g = togli_strisce(solo_poligoni(g.intersection(terre)),
                                  LARGHEZZA_MINIMA[area] / 6)
            pg = proietta(g, area, tol if tipo != "point" else 0)
            if pg is None:
                raise SystemExit(f"{area}: {nome} fuori dalla cornice")
            if tipo == "area":
                ordine = ORDINE["lago"] if cat == "fiume" else ORDINE[cat]
                if cat in ("monte", "pianura", "deserto", "ghiacciaio"):
                    terrestri.append((pg.area, len(feats)))
            elif tipo == "line":
                ordine = ORDINE["fiume"]
            else:
                ordine = ORDINE["punto"]
            if tipo == "area":
                pg = su_griglia(pg, aree.passo(area))
            feats.append(aree.elemento(nome, "element", tipo, pg.__geo_interface__, ordine, cat))
            self.fonti.append((area, nome, cat, descr))

        # Land elements overlap (the Ahaggar lies in the Sahara, the Piana di Sibari in the
        # Appennino Calabro): larger ones are drawn first, so that every one shows.
        for rango, (_, i) in enumerate(sorted(terrestri, key=lambda t: -t[0])):
            feats[i]["properties"]["order"] = ORDINE["terrestri"] + rango
        for nome, cat, tipo, g, descr in elementi_ll:
            if tipo == "confine":
                linee = [g for p, g in self.src.strato("countries/ne_10m_admin_0_boundary_lines_land.geojson")]
                pg = proietta(unary_union(linee), area, tol)
                feats.append(aree.elemento(nome, "border", "line", pg.__geo_interface__,
                                           ORDINE["confine"], cat))
                self.fonti.append((area, nome, cat, "Natural Earth 4.0 "
                                   "ne_10m_admin_0_boundary_lines_land, entro la cornice"))
            elif tipo == "indistinto":
                # The whole land, drawn under every other element: where another element
                # lies, that one is hit first; a frame that hides a category leaves no hole.
                pt = togli_frammenti(solo_poligoni(proietta(terra, area, tol)), (tol * 2) ** 2)
                pt = su_griglia(pt, aree.passo(area))
                feats.append(aree.elemento(nome, "element", "area", pt.__geo_interface__,
                                           ORDINE["indistinto"], cat))
                self.fonti.append((area, nome, cat,
                                   f"{descr_terra}, disegnata sotto gli altri elementi"))
        if sfondo is not None:
            ps = proietta(sfondo, area, tol)
            if ps is not None:
                feats.insert(0, aree.elemento("", "background", "area", ps.__geo_interface__,
                                              ORDINE["sfondo"]))
        percorso = aree.percorso_mappa(os.path.join(RADICE, "data"), area, "fisica")
        attribuzione = aree.ATTRIBUZIONE
        if self.wdb is not None and area == "Italia":
            attribuzione += "; World Data Bank II rivers (GSHHG 2.3.7, LGPL)"
        n = aree.scrivi_mappa(percorso, area, "fisica", feats, attribuzione)
        print(f"{area:11s} {len(feats):3d} elementi  {n / 1e6:.2f} MB  {percorso}")
        return n


def _elenco_punti(pts):
    return ", ".join(f"{y:.2f} N {x:.2f} E" for x, y in pts)


def fascia(area, punti):
    """A band along the axis through (lon, lat, km wide) points, built in the map's plane so
    that its width is true, returned in lon/lat."""
    from osgeo import osr
    avanti = aree.trasformazione(area)
    dst = osr.SpatialReference()
    dst.ImportFromProj4(aree.proiezione(area))
    dst.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
    src = osr.SpatialReference()
    src.ImportFromEPSG(4326)
    src.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
    indietro = osr.CoordinateTransformation(dst, src)
    cerchi = []
    for x, y, km in punti:
        px, py, _ = avanti.TransformPoint(x, y)
        cerchi.append(Point(px, py).buffer(km * 500.0, 16))
    if len(cerchi) == 1:
        g = cerchi[0]
    else:
        g = unary_union([unary_union([a, b]).convex_hull for a, b in zip(cerchi, cerchi[1:])])

    def ll(c):
        c = list(c)
        fitti = [c[0]]
        for (x0, y0), (x1, y1) in zip(c, c[1:]):
            n = max(1, int(math.hypot(x1 - x0, y1 - y0) // 20000))
            fitti.extend((x0 + (x1 - x0) * k / n, y0 + (y1 - y0) * k / n) for k in range(1, n + 1))
        return [indietro.TransformPoint(px, py)[:2] for px, py in fitti]
    polys = list(g.geoms) if hasattr(g, "geoms") else [g]
    return unary_union([Polygon(ll(p.exterior.coords), [ll(r.coords) for r in p.interiors])
                        for p in polys]).buffer(0)


def riempi_buchi(g, area_max):
    def piena(p):
        return Polygon(p.exterior, [r for r in p.interiors if Polygon(r).area > area_max])
    if isinstance(g, Polygon):
        return piena(g)
    if isinstance(g, MultiPolygon):
        return MultiPolygon([piena(p) for p in g.geoms])
    return g


def togli_strisce(g, larghezza):
    """Drops the parts thinner than `larghezza` (mean width 2 * area / perimeter): slivers left
    along the coast when a region polygon is cut to the land."""
    if isinstance(g, MultiPolygon):
        ps = [p for p in g.geoms if 2 * p.area / p.length >= larghezza]
        if ps:
            return MultiPolygon(ps) if len(ps) > 1 else ps[0]
    return g


def su_griglia(g, passo):
    """The area rounded to the grid the map file is written on, and valid there: rounding can
    fold a narrow neck onto itself, so the rounded area is mended and rounded again."""
    from shapely.ops import transform

    def arrotonda(x, y, z=None):
        return ([round(v / passo) * passo for v in x], [round(v / passo) * passo for v in y])

    for _ in range(4):
        g = transform(arrotonda, g)
        if g.is_valid:
            return g
        g = solo_poligoni(g.buffer(0))
        if g is None:
            return None
    return g


def togli_frammenti(g, area_min):
    if isinstance(g, MultiPolygon):
        ps = [p for p in g.geoms if p.area >= area_min]
        if ps:
            return MultiPolygon(ps) if len(ps) > 1 else ps[0]
    return g


def proietta(g, area, tolleranza):
    """lon/lat shapely -> projected, clipped to the frame, simplified shapely (None if empty)."""
    if g is None or g.is_empty:
        return None
    if isinstance(g, GeometryCollection):
        g = solo_poligoni(g) or solo_linee(g)
        if g is None:
            return None
    og = ogr.CreateGeometryFromWkb(bytes(g.wkb))
    pg = aree.proietta(og, area)
    if pg is None:
        return None
    s = shp_wkb.loads(bytes(pg.ExportToWkb()))
    if tolleranza:
        s = s.simplify(tolleranza, preserve_topology=True)
    if isinstance(g, (Polygon, MultiPolygon)):
        s = solo_poligoni(s.buffer(0))
    elif isinstance(g, (LineString, MultiLineString)):
        s = solo_linee(s)
    if s is None or s.is_empty:
        return None
    return s


def leggi_elementi():
    righe = {}
    with open(ELEMENTI, encoding="utf-8") as fh:
        for riga in fh:
            if not riga.strip() or riga.startswith("#"):
                continue
            area, nome, cat, fonte, chiavi = riga.rstrip("\n").split(";", 4)
            if cat not in CATEGORIE:
                raise SystemExit(f"categoria sconosciuta: {riga}")
            righe.setdefault(area, []).append((nome, cat, fonte, chiavi))
    return righe


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--geodata", default="/work/shared/geodata")
    ap.add_argument("aree", nargs="*")
    a = ap.parse_args()
    righe = leggi_elementi()
    # Italy first: the Europe map reuses its Pianura Padana.
    ordine = ["Italia"] + [x for x in aree.AREE if x != "Italia"]
    scelte = a.aree or ordine
    if any(x != "Italia" for x in scelte) and "Italia" not in scelte and any(
            r[2] == "come" for x in scelte for r in righe[x]):
        scelte = ["Italia"] + scelte
    gen = Generatore(Sorgenti(a.geodata))
    for area in ordine:
        if area in scelte:
            gen.genera(area, righe[area])
    if not a.aree:
        with open(FONTI, "w", encoding="utf-8", newline="") as fh:
            w = csv.writer(fh, delimiter=";", lineterminator="\n")
            w.writerow(["area", "nome", "categoria", "fonte"])
            for r in gen.fonti:
                w.writerow(r)


if __name__ == "__main__":
    main()

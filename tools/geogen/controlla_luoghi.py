#!/usr/bin/python3
"""Geographic check of the generated maps against well-known places.

Reads luoghi_di_controllo.csv (places with their published coordinates and a rule on one
element of one map), projects each place with its map's own projection (aree.py), checks the
rule on the committed map file and writes the projected places to
tests/mappe_dati/fixtures/luoghi_proiettati.csv, which the C++ test reads.  Also checks that
the "Indistinto" of every physical map covers all its land, that every area polygon is valid
and that no area element keeps a sliver.  Exits non-zero on any failure.

    /usr/bin/python3 tools/geogen/controlla_luoghi.py [mappa ...]
"""

import csv
import json
import os
import sys

import numpy as np
from shapely.geometry import LineString, Point, shape
from shapely.ops import unary_union

QUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, QUI)
import aree  # noqa: E402

RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))
LUOGHI = os.path.join(QUI, "luoghi_di_controllo.csv")
PROIETTATI = os.path.join(RADICE, "tests", "mappe_dati", "fixtures", "luoghi_proiettati.csv")

# "Indistinto" must cover at least this share of the land of its map.
COPERTURA_MINIMA = 0.985
# Share of a region that may lie outside its "Indistinto" as coastal lagoons (the Venice
# lagoon is about 3 % of the Veneto).
LAGUNE_MASSIME = 0.04
# An area part smaller than this share of the frame is a sliver nobody can reach
# (about 2 x 2 pixels of a 1920 x 1080 map).
FRAMMENTO = 4 / (1920 * 1080)


def leggi_luoghi():
    with open(LUOGHI, encoding="utf-8") as fh:
        righe = [r for r in fh if r.strip() and not r.startswith("#")]
    return list(csv.DictReader(righe, delimiter=";"))


_MAPPE = {}


def mappa(nome, tipo):
    chiave = (nome, tipo)
    if chiave not in _MAPPE:
        with open(aree.percorso_mappa(os.path.join(RADICE, "data"), nome, tipo),
                  encoding="utf-8") as fh:
            doc = json.load(fh)
        elementi = {}
        for f in doc["features"]:
            p = f["properties"]
            if p.get("role") == "element" and f.get("geometry"):
                elementi[p["name"]] = (p.get("kind"), shape(f["geometry"]), p.get("category"))
        _MAPPE[chiave] = (doc, elementi)
    return _MAPPE[chiave]


def proietta(nome, lon, lat):
    x, y, _ = aree.trasformazione(nome).TransformPoint(lon, lat)
    return x, y


def anelli(g):
    poligoni = list(g.geoms) if hasattr(g, "geoms") else [g]
    for p in poligoni:
        yield p.exterior.coords
        for r in p.interiors:
            yield r.coords


def anelli_o_linee(g):
    if g.geom_type in ("Polygon", "MultiPolygon"):
        yield from anelli(g)
    elif g.geom_type == "LineString":
        yield g.coords
    elif g.geom_type == "MultiLineString":
        for l in g.geoms:
            yield l.coords
    elif g.geom_type == "Point":
        yield g.coords
    else:
        for p in g.geoms:
            yield p.coords


def pari_dispari(g, x, y):
    """Whether (x, y) lies inside the area as the map widget fills it: an odd number of its
    rings (outer rings and holes alike) around the point."""
    dentro = False
    for anello in anelli(g):
        a = np.asarray(anello)
        x0, y0 = a[:-1, 0], a[:-1, 1]
        x1, y1 = a[1:, 0], a[1:, 1]
        attraversa = (y0 > y) != (y1 > y)
        with np.errstate(divide="ignore", invalid="ignore"):
            xi = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
        if np.count_nonzero(attraversa & (x < xi)) % 2:
            dentro = not dentro
    return dentro


def verifica_regola(elementi, nome_el, regola, pt):
    if nome_el not in elementi:
        return f"elemento {nome_el!r} assente"
    tipo, g, _ = elementi[nome_el]
    op, _, valore = regola.partition(":")
    if op in ("dentro", "fuori"):
        if tipo != "area":
            return f"{nome_el!r} non è un'area"
        dentro = pari_dispari(g, pt.x, pt.y)
        if dentro != (op == "dentro"):
            bordo = min(LineString(r).distance(pt) for r in anelli(g)) / 1000
            return (f"{'fuori da' if op == 'dentro' else 'dentro'} {nome_el} "
                    f"(a {bordo:.1f} km dal bordo)")
        return None
    if op in ("entro", "oltre"):
        km = float(valore)
        d = (0.0 if tipo == "area" and pari_dispari(g, pt.x, pt.y)
             else min(LineString(r).distance(pt) if len(r) > 1 else Point(r[0]).distance(pt)
                      for r in anelli_o_linee(g)) / 1000)
        if (op == "entro") != (d <= km):
            return f"{nome_el} a {d:.1f} km (regola {regola})"
        return None
    return f"regola sconosciuta {regola!r}"


def controlla_luoghi(scelte):
    errori = []
    righe_out = []
    for r in leggi_luoghi():
        nome, tipo = r["mappa"], r["tipo"]
        lon, lat = float(r["lon"]), float(r["lat"])
        x, y = proietta(nome, lon, lat)
        righe_out.append([nome, tipo, r["luogo"], r["lon"], r["lat"], f"{x:.0f}", f"{y:.0f}",
                          r["regola"], r["elemento"]])
        if scelte and nome not in scelte:
            continue
        _, elementi = mappa(nome, tipo)
        e = verifica_regola(elementi, r["elemento"], r["regola"], Point(x, y))
        if e:
            errori.append(f"{nome} ({tipo}): {r['luogo']}: {e}")
    if not scelte:
        os.makedirs(os.path.dirname(PROIETTATI), exist_ok=True)
        tmp = PROIETTATI + ".tmp"
        with open(tmp, "w", encoding="utf-8", newline="") as fh:
            fh.write("# Derived by tools/geogen/controlla_luoghi.py from luoghi_di_controllo.csv: "
                     "the places projected\n# with the projection of their map "
                     "(x, y in map-plane metres). Do not edit.\n")
            w = csv.writer(fh, delimiter=";", lineterminator="\n")
            w.writerow(["mappa", "tipo", "luogo", "lon", "lat", "x", "y", "regola", "elemento"])
            w.writerows(righe_out)
        os.replace(tmp, PROIETTATI)
    return errori


def controlla_mappe(scelte):
    errori = []
    nomi = [n for n in list(aree.AREE) + list(aree.REGIONI) if not scelte or n in scelte]
    for nome in nomi:
        doc, elementi = mappa(nome, "fisica")
        cornice = aree.cornice(nome)
        minimo = FRAMMENTO * (cornice[2] - cornice[0]) * (cornice[3] - cornice[1])
        for n, (tipo, g, _) in elementi.items():
            if tipo != "area":
                continue
            if not g.is_valid:
                errori.append(f"{nome}: {n}: poligono non valido")
            parti = list(g.geoms) if hasattr(g, "geoms") else [g]
            piccole = [p for p in parti if p.area < minimo]
            if piccole and len(piccole) == len(parti):
                errori.append(f"{nome}: {n}: solo frammenti ({len(piccole)})")
        if "Indistinto" not in elementi:
            errori.append(f"{nome}: manca Indistinto")
            continue
        # The land: every land element (the political map's land, less the lagoons, on the
        # regional maps, where land elements cover it only in part).
        terra = unary_union([g.buffer(0) for n, (t, g, c) in elementi.items()
                             if t == "area" and c not in ("mare", "fiume", "indistinto")])
        indistinto = elementi["Indistinto"][1].buffer(0)
        scoperta = terra.difference(indistinto.buffer(300)).area
        # On the map of Italy the ranges reach into the neighbouring countries, which are
        # background: there Italy itself is checked, as on the regional maps.
        if nome != "Italia" and terra.area and scoperta / terra.area > 1 - COPERTURA_MINIMA:
            errori.append(f"{nome}: Indistinto lascia scoperto il {scoperta / terra.area:.1%} "
                          f"delle terre degli altri elementi")
        if aree.e_regione(nome) or nome == "Italia":
            # The whole region (as on its political map) but its lakes and coastal lagoons.
            politica, _ = mappa(nome, "politica")
            regione = unary_union([shape(f["geometry"]).buffer(0) for f in politica["features"]
                                   if f["properties"].get("role") == "element"])
            acque = unary_union([g.buffer(0) for n, (t, g, c) in elementi.items()
                                 if t == "area" and c == "fiume"] or [Point(0, 0)])
            resto = regione.difference(acque).difference(indistinto.buffer(300)).area
            if resto / regione.area > LAGUNE_MASSIME:
                errori.append(f"{nome}: Indistinto lascia scoperto il {resto / regione.area:.1%} "
                              f"della regione")
    return errori


def main():
    scelte = sys.argv[1:]
    errori = controlla_luoghi(scelte) + controlla_mappe(scelte)
    for e in errori:
        print(e)
    n = len(leggi_luoghi())
    print(f"{n} regole su {len({(r['mappa'], r['luogo']) for r in leggi_luoghi()})} luoghi; "
          f"{len(errori)} errori")
    raise SystemExit(1 if errori else 0)


if __name__ == "__main__":
    main()

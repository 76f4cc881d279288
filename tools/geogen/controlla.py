#!/usr/bin/python3
"""Checks a generated political map against the program's table: every name present once,
no unknown element, and the colour classes a proper four-colouring of the real adjacency.

    controlla.py [mappa ...]     (default: every political map)
Prints each pair of neighbours that share a class, and a conflict-free recolouring hint."""

import json
import sys

from shapely.geometry import shape
from shapely.strtree import STRtree

import aree
import catalogo
import comune


def vicini(features, passo):
    geoms = {f["properties"]["name"]: shape(f["geometry"]) for f in features}
    nomi = list(geoms)
    eps = 2.5 * passo
    albero = STRtree([geoms[n] for n in nomi])
    indice = {id(geoms[n]): n for n in nomi}
    coppie = set()
    for a in nomi:
        ga = geoms[a]
        gb_list = albero.query(ga.buffer(eps))
        for gb in gb_list:
            b = indice[id(gb)]
            if b <= a:
                continue
            condiviso = ga.buffer(eps).intersection(gb.boundary).length
            if condiviso > 4 * eps:
                coppie.add((a, b))
    return coppie


def controlla(nome):
    percorso = aree.percorso_mappa(comune.DATI, nome, "politica")
    with open(percorso, encoding="utf-8") as fh:
        doc = json.load(fh)
    el = [f for f in doc["features"] if f["properties"]["role"] == "element"]
    classi = catalogo.classi(nome)
    errori = []
    nomi = [f["properties"]["name"] for f in el]
    for n in classi:
        if nomi.count(n) != 1:
            errori.append(f"{n!r} presente {nomi.count(n)} volte")
    for n in nomi:
        if n not in classi:
            errori.append(f"{n!r} non e' nel catalogo")
    for a, b in sorted(vicini(el, aree.passo(nome))):
        if classi.get(a) == classi.get(b):
            errori.append(f"confinanti con la stessa classe {classi[a]}: {a} / {b}")
    return errori


if __name__ == "__main__":
    scelte = sys.argv[1:] or list(aree.AREE) + list(aree.REGIONI)
    totale = 0
    for s in scelte:
        e = controlla(s)
        totale += len(e)
        print(s, "ok" if not e else "")
        for x in e:
            print("   ", x)
    raise SystemExit(1 if totale else 0)

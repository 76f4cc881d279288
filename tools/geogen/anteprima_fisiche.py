#!/usr/bin/python3
"""Previews of the physical maps in the default colours ("Configurazione 1").

    /usr/bin/python3 tools/geogen/anteprima_fisiche.py [--cartella DIR] [--foglio PNG] [area ...]

Writes one PNG per map into --cartella (default /tmp/anteprime_fisiche) and, with --foglio,
a contact sheet of all the maps drawn (docs/mappe/fisiche.png in the repository)."""

import argparse
import json
import os
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib.collections import LineCollection, PatchCollection  # noqa: E402
from matplotlib.patches import PathPatch  # noqa: E402
from matplotlib.path import Path  # noqa: E402

QUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, QUI)
import aree  # noqa: E402

RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))

# "Configurazione 1": map background and the colour of each category.
SFONDO = "#FFCC99"
COLORI = {"fiume": "#0000FF", "mare": "#00FFFF", "monte": "#FF3300", "pianura": "#00FF00",
          "deserto": "#FF9900", "ghiacciaio": "#CCCCCC", "altri": "#009999",
          "indistinto": "#999999"}
TERRA_SFONDO = "#E8E0D0"


def _percorso_poligono(coords):
    verts, codes = [], []
    for anello in coords:
        verts.extend(anello)
        codes.extend([Path.MOVETO] + [Path.LINETO] * (len(anello) - 2) + [Path.CLOSEPOLY])
    return Path(verts, codes)


def _poligoni(g):
    if g["type"] == "Polygon":
        return [g["coordinates"]]
    if g["type"] == "MultiPolygon":
        return g["coordinates"]
    return []


def _linee(g):
    if g["type"] == "LineString":
        return [g["coordinates"]]
    if g["type"] == "MultiLineString":
        return g["coordinates"]
    return []


def _punti(g):
    if g["type"] == "Point":
        return [g["coordinates"]]
    if g["type"] == "MultiPoint":
        return g["coordinates"]
    return []


def disegna(ax, area, etichette=True):
    with open(aree.percorso_mappa(os.path.join(RADICE, "data"), area, "fisica"), encoding="utf-8") as fh:
        doc = json.load(fh)
    xmin, ymin, xmax, ymax = doc["orbisto"]["bounds"]
    w = xmax - xmin
    ax.set_facecolor(SFONDO)
    feats = sorted(doc["features"], key=lambda f: f["properties"].get("order", 0))
    for f in feats:
        p, g = f["properties"], f["geometry"]
        ruolo = p["role"]
        colore = TERRA_SFONDO if ruolo == "background" else COLORI.get(p.get("category"), "#000000")
        if p["kind"] == "area":
            patches = [PathPatch(_percorso_poligono(c)) for c in _poligoni(g)]
            ax.add_collection(PatchCollection(patches, facecolor=colore, edgecolor="#444444",
                                              linewidth=0.15))
        elif p["kind"] == "line":
            if ruolo == "border":
                ax.add_collection(LineCollection(_linee(g), colors="#202020", linewidths=0.6,
                                                 linestyles="dashed"))
            else:
                ax.add_collection(LineCollection(_linee(g), colors=colore, linewidths=1.1))
        else:
            for x, y in _punti(g):
                ax.plot([x], [y], marker="^", color=colore, markeredgecolor="black",
                        markersize=6, markeredgewidth=0.5)
        if etichette and ruolo == "element" and p["category"] != "indistinto":
            x, y = _ancora(g)
            if x is not None:
                ax.text(x, y, p["name"], fontsize=4.5, ha="center", va="center",
                        color="black", clip_on=True)
    ax.set_xlim(xmin, xmax)
    ax.set_ylim(ymin, ymax)
    ax.set_aspect("equal")
    ax.set_xticks([])
    ax.set_yticks([])
    ax.set_title(f"{area} — fisica", fontsize=9)
    return w


def _ancora(g):
    pts = []
    for c in _poligoni(g):
        pts.extend(c[0])
    for c in _linee(g):
        pts.extend(c)
    pts.extend(_punti(g))
    if not pts:
        return None, None
    if g["type"] in ("LineString", "MultiLineString"):
        return pts[len(pts) // 2]
    if g["type"] in ("Point", "MultiPoint"):
        return pts[0][0], pts[0][1]
    # Centre of the largest ring's bounding box.
    anello = max((c[0] for c in _poligoni(g)), key=len)
    xs = [p[0] for p in anello]
    ys = [p[1] for p in anello]
    return (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cartella", default="/tmp/anteprime_fisiche")
    ap.add_argument("--foglio")
    ap.add_argument("aree", nargs="*")
    a = ap.parse_args()
    scelte = a.aree or list(aree.AREE)
    os.makedirs(a.cartella, exist_ok=True)
    for area in scelte:
        fig, ax = plt.subplots(figsize=(10, 10))
        disegna(ax, area)
        fig.savefig(os.path.join(a.cartella, f"{area}_fisica.png"), dpi=110, bbox_inches="tight")
        plt.close(fig)
    if a.foglio:
        colonne = 4
        righe = (len(scelte) + colonne - 1) // colonne
        fig, axs = plt.subplots(righe, colonne, figsize=(4.2 * colonne, 4.4 * righe))
        for i, ax in enumerate(axs.flat):
            if i < len(scelte):
                disegna(ax, scelte[i], etichette=False)
            else:
                ax.axis("off")
        fig.tight_layout()
        fig.savefig(a.foglio, dpi=80)
        plt.close(fig)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Quick PNG preview of a map file (matplotlib), for checking the generator's output before
the widget's own render tool is available:  anteprima.py file.geojson out.png [larghezza_px]"""

import json
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib.patches import PathPatch  # noqa: E402
from matplotlib.path import Path  # noqa: E402

import catalogo  # noqa: E402

COLORI = ["#f4a582", "#92c5de", "#b8e186", "#fddb6d"]


def _path(geom):
    verts, codes = [], []
    polys = [geom["coordinates"]] if geom["type"] == "Polygon" else geom["coordinates"]
    for poly in polys:
        for ring in poly:
            verts += ring
            codes += [Path.MOVETO] + [Path.LINETO] * (len(ring) - 2) + [Path.CLOSEPOLY]
    return Path(verts, codes)


def disegna(percorso, uscita, larghezza=1600, etichette=True):
    with open(percorso, encoding="utf-8") as fh:
        doc = json.load(fh)
    meta = doc["orbisto"]
    xmin, ymin, xmax, ymax = meta["bounds"]
    try:
        classi = catalogo.classi(meta["area"])
    except KeyError:
        classi = {}
    w = larghezza / 100.0
    h = w * (ymax - ymin) / (xmax - xmin)
    fig = plt.figure(figsize=(w, h), dpi=100)
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_facecolor("#dcefff")
    ax.set_xlim(xmin, xmax)
    ax.set_ylim(ymin, ymax)
    ax.set_aspect("equal")
    ax.axis("off")
    fig.patch.set_facecolor("#dcefff")
    feats = sorted(doc["features"], key=lambda f: f["properties"]["order"])
    for f in feats:
        p, g = f["properties"], f["geometry"]
        if p["kind"] == "area":
            col = "#e0e0e0" if p["role"] == "background" else COLORI[classi.get(p["name"], 0) % 4]
            if p["role"] == "element" and p["name"] not in classi:
                col = "#ff00ff"
            ax.add_patch(PathPatch(_path(g), facecolor=col, edgecolor="#606060", lw=0.3))
        elif p["kind"] == "line":
            lines = [g["coordinates"]] if g["type"] == "LineString" else g["coordinates"]
            for l in lines:
                xs, ys = zip(*l)
                ax.plot(xs, ys, color="#202020", lw=0.6)
    if etichette:
        for f in feats:
            p, g = f["properties"], f["geometry"]
            if p["role"] != "element":
                continue
            polys = [g["coordinates"]] if g["type"] == "Polygon" else g["coordinates"]
            best = max(polys, key=lambda pl: len(pl[0]))
            xs = [c[0] for c in best[0]]
            ys = [c[1] for c in best[0]]
            ax.text((min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2, p["name"], fontsize=6,
                    ha="center", va="center")
    fig.savefig(uscita, dpi=100)
    plt.close(fig)


if __name__ == "__main__":
    disegna(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 1600)

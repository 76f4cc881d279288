"""Minimal TopoJSON reader: decodes objects of a topology into GeoJSON-like features."""

import json


def _decodifica_archi(topo):
    tr = topo.get("transform")
    archi = []
    for arco in topo["arcs"]:
        if tr:
            sx, sy = tr["scale"]
            tx, ty = tr["translate"]
            x = y = 0
            punti = []
            for p in arco:
                x += p[0]
                y += p[1]
                punti.append((x * sx + tx, y * sy + ty))
        else:
            punti = [(p[0], p[1]) for p in arco]
        archi.append(punti)
    return archi


def _anello(archi, indici):
    out = []
    for i in indici:
        pts = archi[i] if i >= 0 else archi[~i][::-1]
        if out:
            out.extend(pts[1:])
        else:
            out.extend(pts)
    return out


def _poligono(archi, anelli):
    """Rings with fewer than four points (collapsed by quantization) are dropped."""
    out = [_anello(archi, r) for r in anelli]
    if not out or len(out[0]) < 4:
        return None
    return [out[0]] + [r for r in out[1:] if len(r) >= 4]


def _geometria(archi, g):
    t = g.get("type")
    if t == "Polygon":
        p = _poligono(archi, g["arcs"])
        return {"type": "Polygon", "coordinates": p} if p else None
    if t == "MultiPolygon":
        ps = [p for p in (_poligono(archi, r) for r in g["arcs"]) if p]
        return {"type": "MultiPolygon", "coordinates": ps} if ps else None
    if t == "LineString":
        return {"type": "LineString", "coordinates": _anello(archi, g["arcs"])}
    if t == "MultiLineString":
        return {"type": "MultiLineString", "coordinates": [_anello(archi, a) for a in g["arcs"]]}
    if t == "Point":
        return {"type": "Point", "coordinates": g["coordinates"]}
    return None


def leggi(percorso, oggetto):
    """Features of one object of a TopoJSON file: list of dicts with 'id', 'properties',
    'geometry' (GeoJSON dict, lon/lat).  Null geometries are skipped."""
    with open(percorso, encoding="utf-8") as fh:
        topo = json.load(fh)
    archi = _decodifica_archi(topo)
    out = []
    for g in topo["objects"][oggetto]["geometries"]:
        geom = _geometria(archi, g)
        if geom is None:
            continue
        out.append({"id": g.get("id"), "properties": g.get("properties", {}), "geometry": geom})
    return out

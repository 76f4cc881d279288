"""World Data Bank II rivers, as shipped by Debian's gmt-gshhg-full package (GMT's binned
netCDF form), and their use to trace a named river along its real course.

WDB II rivers carry no names.  A river of the atlas is first drawn as a line through the
comuni it crosses (source to mouth); the WDB segments lying along that line are taken as the
river's real course, and the line is kept only where no segment follows it."""

import os

import numpy as np
from osgeo import gdal
from shapely.geometry import LineString, Point
from shapely.ops import substring

gdal.UseExceptions()

FILE_WDB = "/usr/share/gmt-gshhg/binned_river_f.nc"

# Levels 1-8 are rivers (permanent and intermittent); 9-11 are canals.
LIVELLO_MASSIMO = 8


def leggi_segmenti(lon0, lat0, lon1, lat1, percorso=FILE_WDB):
    """[(level, [(lon, lat), ...])] of the river segments in the bins touching the box."""
    if not os.path.exists(percorso):
        raise SystemExit(f"{percorso} mancante: installare il pacchetto Debian gmt-gshhg-full")
    ds = gdal.OpenEx(percorso, gdal.OF_MULTIDIM_RASTER)
    rg = ds.GetRootGroup()

    def a(n):
        return rg.OpenMDArray(n).ReadAsArray()

    size = int(a("Bin_size_in_minutes")[0]) / 60.0
    nlon = int(a("N_bins_in_360_longitude_range")[0])
    primo = a("Id_of_first_segment_in_a_bin")
    nseg = a("N_segments_in_a_bin")
    npt = a("N_points_for_a_segment")
    livello = a("Hierarchial_level_of_a_segment")
    p0 = a("Id_of_first_point_in_a_segment")
    # Point offsets are unsigned 16-bit fractions of the bin, stored as signed shorts.
    dx = a("Relative_longitude_from_SW_corner_of_bin").astype(np.int32) & 0xFFFF
    dy = a("Relative_latitude_from_SW_corner_of_bin").astype(np.int32) & 0xFFFF
    out = []
    for b in np.nonzero(nseg)[0]:
        riga, col = divmod(int(b), nlon)
        w = col * size
        s = 90 - (riga + 1) * size
        if w >= 180:
            w -= 360
        if w + size < lon0 or w > lon1 or s + size < lat0 or s > lat1:
            continue
        for k in range(primo[b], primo[b] + nseg[b]):
            if livello[k] > LIVELLO_MASSIMO or npt[k] < 2:
                continue
            i, n = p0[k], npt[k]
            xs = w + dx[i:i + n] * size / 65535.0
            ys = s + dy[i:i + n] * size / 65535.0
            out.append((int(livello[k]), list(zip(xs.tolist(), ys.tolist()))))
    return out


def segue(linea, segmenti, tolleranza=0.06, quota=0.85, lunghezza_minima=0.03):
    """Segments of which at least `quota` of the points lie within `tolleranza` degrees of the
    line, as (start, end, points oriented along the line), sorted along the line."""
    vicino = linea.buffer(tolleranza)
    out = []
    for _, pts in segmenti:
        seg = LineString(pts)
        if seg.length < lunghezza_minima or not seg.intersects(vicino):
            continue
        dentro = sum(1 for p in pts if vicino.contains(Point(p)))
        if dentro < quota * len(pts):
            continue
        a = linea.project(Point(pts[0]))
        b = linea.project(Point(pts[-1]))
        if a > b:
            a, b, pts = b, a, pts[::-1]
        out.append((a, b, pts))
    out.sort(key=lambda t: t[0])
    return out


def traccia(linea, segmenti):
    """The course along `linea` using the WDB segments that follow it.  Returns the line and
    the share of its length taken from WDB."""
    pezzi = segue(linea, segmenti)
    punti = []
    pos = 0.0
    coperto = 0.0
    for a, b, pts in pezzi:
        if b <= pos:  # already covered by an earlier segment
            continue
        if a > pos:
            punti.extend(_tratto(linea, pos, a))
        punti.extend(pts)
        coperto += b - max(a, pos)
        pos = b
    if pos < linea.length:
        punti.extend(_tratto(linea, pos, linea.length))
    pulito = [punti[0]]
    for p in punti[1:]:
        if p != pulito[-1]:
            pulito.append(p)
    return LineString(pulito), (coperto / linea.length if linea.length else 0.0)


def _tratto(linea, a, b):
    if b - a < 1e-9:
        return []
    t = substring(linea, a, b)
    return list(t.coords) if t.geom_type == "LineString" else []

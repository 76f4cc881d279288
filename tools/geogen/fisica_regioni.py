#!/usr/bin/python3
"""Physical maps of Italy's twenty regions (data/mappe/regioniitaliane/<region>_fisica.geojson).

Every element is built from real geometry, as listed in regioni_elementi.csv (one row per
element, in the order of the program's regional tables): ISTAT 2023 comuni (openpolis)
dissolved for valleys, hill country, plains, uplands and islands; published coordinates for
peaks and for the capes that close a gulf or strait; Natural Earth 4.0 and World Data Bank II
for rivers and lakes; Natural Earth 4.0 marine polygons for seas.  The region's land, its
neighbours and the map frame are those of the region's political map, so the two maps line up.

The source of every element goes to regioni_fonti.csv and data/mappe/FONTI_FISICHE_REGIONI.md.

    /usr/bin/python3 tools/geogen/fisica_regioni.py [--geodata DIR] [regione ...]
"""

import argparse
import csv
import json
import os
import sys

from shapely.geometry import LineString, MultiPolygon, Point, Polygon, box, shape
from shapely.ops import nearest_points, unary_union

QUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, QUI)
import aree  # noqa: E402
import fiumi_wdb  # noqa: E402
import genera_fisiche as gf  # noqa: E402

RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))
ELEMENTI = os.path.join(QUI, "regioni_elementi.csv")
FONTI = os.path.join(QUI, "regioni_fonti.csv")
DOCUMENTO = os.path.join(RADICE, "data", "mappe", "FONTI_FISICHE_REGIONI.md")

CATEGORIE = ("fiume", "mare", "monte", "pianura", "deserto", "altri", "indistinto")

# Draw order, lower first (the same scale as the area maps).
ORDINE = {"sfondo": 0, "indistinto": 1, "mare": 2, "pianura": 3, "deserto": 3, "altri": 3,
          "monte": 5, "lago": 6, "fiume": 7, "punto": 9}

# Areas that overlap are given to one element only, in this order of precedence: islands,
# then ranges and massifs (they take the crests out of the valleys that climb to them), then
# valleys and hill country, then plains.  Lakes are taken out of all of them.
PRECEDENZA = ("altri", "monte", "deserto", "pianura")

TOLLERANZA_M = 40  # simplification of projected geometry
VICINO_MARE_M = 8000  # water this close to a named sea belongs to it
VETTA_SUL_CONFINE_M = 3000  # a summit on the border may lie this far outside the region
MINIMO_M2 = 200_000  # an area element must keep at least this much land in its region


def _tokens(chiavi):
    out = []
    regione = None
    for parte in chiavi.split("|"):
        parte = parte.strip()
        if not parte:
            continue
        if parte.startswith("R") and ":" in parte and parte[1:parte.index(":")].isdigit():
            regione = int(parte[1:parte.index(":")])
            parte = parte[parte.index(":") + 1:]
        out.append((regione, parte))
    return out


def _coppia(testo):
    x, y = testo.lstrip("@").split(",")[:2]
    return float(x), float(y)


def _poligoni(g):
    return gf.solo_poligoni(g)


class GeneratoreRegioni(gf.Generatore):
    def __init__(self, src, righe):
        super().__init__(src)
        self.righe = righe  # region -> [(name, category, source kind, keys)]
        self.italia_righe = {n: (c, f, k) for n, c, f, k in gf.leggi_elementi()["Italia"]}
        self.tipi = {}
        self.cache = {}  # (kind, keys) -> (lon/lat geometry, kind of drawing, source)
        self._comuni = None
        self.fonti = []

    # --- comuni -------------------------------------------------------------------------

    def indice_comuni(self):
        if self._comuni is None:
            self._comuni = {}
            for codice in range(1, 21):
                for p, g in self.src.comuni(codice):
                    nomi = set(gf.nome_comune(p))
                    for n in list(nomi):
                        # Bilingual comuni of Friuli and Trentino: "Italiano-Sloveno".
                        if "-" in n:
                            nomi.add(n.split("-")[0].strip())
                    for n in nomi:
                        self._comuni.setdefault(n, []).append((codice, g))
        return self._comuni

    def comune(self, nome, regione_preferita, regione_forzata=None):
        """A comune by name: in the forced region, else in the map's region, else anywhere
        in Italy when the name is unique."""
        trovati = self.indice_comuni().get(nome, [])
        if regione_forzata:
            trovati = [t for t in trovati if t[0] == regione_forzata]
        else:
            propri = [t for t in trovati if t[0] == regione_preferita]
            if propri:
                trovati = propri
        if len(trovati) != 1:
            raise SystemExit(f"comune {nome!r}: {len(trovati)} corrispondenze")
        return trovati[0][1]

    def comune_o_parte(self, testo, regione, forzata):
        nome, _, punto = testo.partition("@")
        g = self.comune(nome, regione, forzata)
        if not punto:
            return g, nome
        pt = Point(*_coppia(punto))
        parti = list(g.geoms) if isinstance(g, MultiPolygon) else [g]
        scelta = min(parti, key=lambda p: p.distance(pt))
        return scelta, f"{nome} (la parte in {punto})"

    # --- builders: (lon/lat geometry, kind, source) -------------------------------------

    def b_fiumi(self, reg, chiavi):
        return self.fiumi("Italia", chiavi)

    def b_laghi(self, reg, chiavi):
        return self.laghi("Italia", chiavi)

    def b_mari(self, reg, chiavi):
        return self.mari("Italia", chiavi)

    def b_italia(self, reg, chiavi, nome):
        return self.elemento_italia(chiavi or nome)

    def elemento_italia(self, nome):
        if ("Italia", nome) not in self.geometrie:
            cat, fonte, chiavi = self.italia_righe[nome]
            for _, t in _tokens(chiavi):
                if t.startswith(">"):
                    self.elemento_italia(t[1:])
            g, tipo, descr = getattr(self, fonte)("Italia", chiavi)
            self.geometrie[("Italia", nome)] = g
            self.tipi[("Italia", nome)] = tipo
            self.cache[("italia", nome)] = (g, tipo, descr)
        g, tipo, descr = self.cache[("italia", nome)]
        return g, tipo, f"come {nome} della carta fisica d'Italia: {descr}"

    def b_vetta(self, reg, chiavi):
        if chiavi.startswith("ne:"):
            return self.vette("Italia", chiavi[3:])
        x, y, quota = chiavi.split(",")
        return Point(float(x), float(y)), "point", (
            f"coordinate pubblicate della vetta: {float(y):.4f} N, {float(x):.4f} E, "
            f"{int(quota)} m")

    def b_catena(self, reg, chiavi):
        parti = chiavi.split("|")
        km = float(parti[-1])
        punti = [_coppia(p) for p in parti[:-1]]
        return LineString(punti), "band", (
            f"fascia larga {km:g} km lungo la cresta, per le vette e i valichi alle coordinate "
            f"pubblicate " + ", ".join(f"{y:.3f} N {x:.3f} E" for x, y in punti)), km

    def b_comuni(self, reg, chiavi):
        codice = aree.CHIAVE_REGIONE[reg]
        gs, nomi = [], []
        riempi = chiavi.endswith("|*")
        if riempi:
            chiavi = chiavi[:-2]
        for forzata, t in _tokens(chiavi):
            g, n = self.comune_o_parte(t, codice, forzata)
            gs.append(g)
            nomi.append(n)
        descr = "ISTAT 2023 (openpolis), comuni uniti: " + ", ".join(nomi)
        if riempi:
            # The comuni of the region lying among the listed ones (their interior point inside
            # the hull of the listed comuni) close the gaps of a hill country or upland.
            inviluppo = unary_union(gs).convex_hull
            aggiunti = [g for p, g in self.src.comuni(codice)
                        if inviluppo.contains(g.representative_point())]
            gs.extend(aggiunti)
            descr += (f", più i {len(aggiunti)} comuni della regione compresi tra questi "
                      f"(punto interno entro il loro inviluppo)")
        g = unary_union(gs).buffer(0.001).buffer(-0.001)
        g = gf.riempi_buchi(g, 0.002)
        return g, "area", descr

    def b_pedemontana(self, reg, chiavi):
        """A plain bounded by the foot of the mountains: the comuni of the region whose
        interior point lies north of the line through the listed towns (west to east)."""
        codice = aree.CHIAVE_REGIONE[reg]
        nomi = [t for _, t in _tokens(chiavi)]
        punti = sorted((self.comune(n, codice).representative_point().coords[0] for n in nomi))

        def y_linea(x):
            if x <= punti[0][0]:
                return punti[0][1]
            for (x0, y0), (x1, y1) in zip(punti, punti[1:]):
                if x <= x1:
                    return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
            return punti[-1][1]

        gs = [g for p, g in self.src.comuni(codice)
              if g.area > 0 and g.representative_point().y >= y_linea(g.representative_point().x) - 0.01]
        g = unary_union(gs).buffer(0.003).buffer(-0.003)
        g = gf.togli_frammenti(gf.riempi_buchi(g, 0.05), 0.01)
        return g, "area", (f"ISTAT 2023 (openpolis), comuni della regione a nord della linea "
                           f"pedemontana per " + ", ".join(nomi) + f", uniti ({len(gs)} comuni)")

    def b_piani(self, reg, chiavi):
        return self.comuni_piani("Italia", chiavi)

    def b_golfo(self, reg, chiavi):
        punti = [_coppia(p) for p in chiavi.split("|")]
        return Polygon(punti), "area", (
            "mare entro il poligono dei capi alle coordinate pubblicate "
            + ", ".join(f"{y:.3f} N {x:.3f} E" for x, y in punti))

    def b_corso(self, reg, chiavi):
        codice = aree.CHIAVE_REGIONE[reg]
        punti, nomi, foce = [], [], None
        for forzata, t in _tokens(chiavi):
            if t.startswith("@"):
                punti.append(_coppia(t))
            elif t.startswith(">"):
                foce = t[1:]
            else:
                c = self.comune(t, codice, forzata).representative_point()
                punti.append((c.x, c.y))
                nomi.append(t)
        if foce == "mare":
            costa = self.src.italia().boundary
            punti.append(nearest_points(costa, Point(punti[-1]))[0].coords[0])
        elif foce:
            ricevente, _, _ = self.riferimento(reg, foce)
            punti.append(nearest_points(ricevente, Point(punti[-1]))[0].coords[0])
        guida = LineString(gf.liscia(punti))
        if self.wdb is None:
            self.wdb = fiumi_wdb.leggi_segmenti(5.5, 35.5, 19.0, 47.5)
        linea, quota = fiumi_wdb.traccia(guida, self.wdb)
        descr = (f"World Data Bank II (gmt-gshhg binned_river_f) lungo il corso per "
                 f"{quota:.0%} della lunghezza; il resto per i comuni attraversati "
                 f"(ISTAT 2023, openpolis, punto interno di ogni comune): " + ", ".join(nomi)
                 + "; sorgente e foce da coordinate pubblicate")
        if foce and foce != "mare":
            descr += f"; confluisce nel {foce}"
        return linea, "line", descr

    def riferimento(self, reg, nome):
        """The geometry of a river named in a '>Name' key: from the same region's table,
        then from any other region's table, then from the map of Italy."""
        candidati = [reg] + [r for r in self.righe if r != reg]
        for r in candidati:
            for n, cat, fonte, chiavi in self.righe.get(r, []):
                if n == nome and cat == "fiume":
                    return self.costruisci(r, n, fonte, chiavi)
        return self.elemento_italia(nome)

    def costruisci(self, reg, nome, fonte, chiavi):
        chiave = (fonte, chiavi if fonte != "italia" else (chiavi or nome))
        if chiave not in self.cache:
            if fonte == "italia":
                self.cache[chiave] = self.b_italia(reg, chiavi, nome)
            else:
                self.cache[chiave] = getattr(self, "b_" + fonte)(reg, chiavi)
        return self.cache[chiave]

    # --- one map ------------------------------------------------------------------------

    def genera(self, reg):
        righe = self.righe[reg]
        politica = aree.percorso_mappa(os.path.join(RADICE, "data"), reg, "politica")
        with open(politica, encoding="utf-8") as fh:
            doc = json.load(fh)
        terra = unary_union([shape(f["geometry"]).buffer(0) for f in doc["features"]
                             if f["properties"]["role"] == "element"])
        sfondo = [shape(f["geometry"]).buffer(0) for f in doc["features"]
                  if f["properties"]["role"] == "background"]
        tutte_terre = unary_union([terra] + sfondo)
        cornice = box(*aree.cornice(reg))
        acqua = _poligoni(cornice.difference(tutte_terre))
        # Coastal lagoons are water, not land; they belong to no sea.
        lagune = gf.proietta(self.src.lagune(), reg, 0)
        if lagune is not None:
            terra = _poligoni(terra.difference(lagune))

        elementi = {}  # name -> dict(cat, kind, geom (projected), source)
        for nome, cat, fonte, chiavi in righe:
            if fonte == "indistinto":
                continue
            r = self.costruisci(reg, nome, fonte, chiavi)
            g, tipo, descr = r[0], r[1], r[2]
            if tipo == "band":
                pg = gf.proietta(g, reg, 0)
                if pg is None:
                    raise SystemExit(f"{reg}: {nome} fuori dalla cornice")
                pg = pg.buffer(r[3] * 500.0)
                tipo = "area"
            else:
                pg = gf.proietta(g, reg, TOLLERANZA_M if tipo != "point" else 0)
            if pg is None:
                raise SystemExit(f"{reg}: {nome} fuori dalla cornice")
            elementi[nome] = {"cat": cat, "tipo": tipo, "g": pg, "fonte": descr}

        # Peaks: in the region; a summit on the border is moved just inside it.
        interno = terra.buffer(-100)
        for nome, e in elementi.items():
            if e["tipo"] != "point":
                continue
            if not terra.contains(e["g"]):
                d = e["g"].distance(terra)
                if d > VETTA_SUL_CONFINE_M:
                    raise SystemExit(f"{reg}: {nome} a {d:.0f} m fuori dalla regione")
                nuovo = nearest_points(interno, e["g"])[0]
                e["fonte"] += (f"; vetta sul confine: il punto è portato {e['g'].distance(nuovo):.0f} m "
                               f"entro la regione")
                e["g"] = nuovo

        # Lakes, then the land elements in order of precedence, each keeping only land that
        # no earlier element holds.
        laghi = [e["g"] for e in elementi.values() if e["cat"] == "fiume" and e["tipo"] == "area"]
        preso = unary_union([g.intersection(terra) for g in laghi]) if laghi else Polygon()
        for cat in PRECEDENZA:
            for nome, _, _, _ in righe:
                e = elementi.get(nome)
                if e is None or e["cat"] != cat or e["tipo"] != "area":
                    continue
                g = _poligoni(e["g"].intersection(terra).difference(preso))
                g = gf.togli_frammenti(g, 50_000) if g is not None else None
                if g is None or g.area < MINIMO_M2:
                    raise SystemExit(f"{reg}: {nome} non ha terra propria nella regione")
                preso = preso.union(g)
                e["g"] = g

        # Seas: the water of the frame near each named sea; gulfs and straits first.  Lakes
        # and lagoons are not sea.
        assegnata = unary_union(laghi + ([lagune] if lagune is not None else []))
        mari = [(n, e) for n, e in elementi.items() if e["cat"] == "mare"]
        mari.sort(key=lambda ne: 0 if ne[1]["fonte"].startswith("mare entro") else 1)
        for nome, e in mari:
            if e["fonte"].startswith("mare entro"):
                g = acqua.intersection(e["g"])
            else:
                g = acqua.intersection(e["g"].buffer(VICINO_MARE_M))
            g = _poligoni(g.difference(assegnata))
            if g is None or g.is_empty:
                raise SystemExit(f"{reg}: {nome} non ha acqua nella cornice")
            g = gf.togli_frammenti(g, 1_000_000)
            assegnata = assegnata.union(g)
            e["g"] = g

        for nome, e in elementi.items():
            if e["cat"] in ("fiume", "mare") and e["g"].distance(terra) > 200:
                raise SystemExit(f"{reg}: {nome} non tocca la regione")

        feats = []
        for g in sfondo:
            feats.append(aree.elemento("", "background", "area", g.__geo_interface__,
                                       ORDINE["sfondo"]))
        for nome, cat, fonte, chiavi in righe:
            if fonte == "indistinto":
                # The whole land of the region, drawn under every other element: where another
                # element lies, that one is hit first; a frame that hides a category leaves no
                # hole in the land.
                g, tipo, ordine = terra, "area", ORDINE["indistinto"]
                descr = ("tutta la terra della regione (ISTAT 2023, openpolis, come nella carta "
                         "politica, senza le lagune costiere), disegnata sotto gli altri elementi")
            else:
                e = elementi[nome]
                g, tipo, descr = e["g"], e["tipo"], e["fonte"]
                if tipo == "area" and cat in ("monte", "pianura", "deserto", "altri", "mare"):
                    g = _poligoni(g.simplify(TOLLERANZA_M, preserve_topology=True).buffer(0))
                if tipo == "area":
                    ordine = ORDINE["lago"] if cat == "fiume" else ORDINE[cat]
                elif tipo == "line":
                    ordine = ORDINE["fiume"]
                else:
                    ordine = ORDINE["punto"]
            if tipo == "area":
                g = gf.su_griglia(g, aree.passo(reg))
            feats.append(aree.elemento(nome, "element", tipo, g.__geo_interface__, ordine, cat))
            self.fonti.append((reg, nome, cat, descr))
        percorso = aree.percorso_mappa(os.path.join(RADICE, "data"), reg, "fisica")
        attribuzione = aree.ATTRIBUZIONE + "; World Data Bank II rivers (GSHHG 2.3.7, LGPL)"
        n = aree.scrivi_mappa(percorso, reg, "fisica", feats, attribuzione)
        print(f"{reg:22s} {len(feats):3d} elementi  {n / 1e6:.2f} MB")
        return n


def leggi_elementi(percorso=ELEMENTI):
    righe = {}
    with open(percorso, encoding="utf-8") as fh:
        for riga in fh:
            if not riga.strip() or riga.startswith("#"):
                continue
            reg, nome, cat, fonte, chiavi = riga.rstrip("\n").split(";", 4)
            if reg not in aree.CHIAVE_REGIONE:
                raise SystemExit(f"regione sconosciuta: {riga}")
            if cat not in CATEGORIE:
                raise SystemExit(f"categoria sconosciuta: {riga}")
            righe.setdefault(reg, []).append((nome, cat, fonte, chiavi))
    return righe


METODO = """\
# Fonti delle carte fisiche delle venti regioni

Carte `data/mappe/regioniitaliane/<regione>_fisica.geojson`, generate da
`tools/geogen/fisica_regioni.py` (comando: `tools/geogen/genera.sh regioni`) a partire dalla
tabella `tools/geogen/regioni_elementi.csv`, che elenca per ogni regione gli elementi nello
stesso ordine delle tabelle del programma (`catalog/CatalogoFisicoRegioni.cpp`, scritta dallo
stesso file con `tools/geogen/fisica_regioni_tabelle.py`).

## Metodo

- **Terra della regione, regioni e stati vicini, cornice**: come nella carta politica della
  regione (ISTAT 2023, elaborazione openpolis, CC-BY 4.0; province del 2004; stati vicini da
  Natural Earth). Il mare è l'acqua della cornice che non è terra.
- **Valli, colline, pianure, altopiani e massicci, isole**: comuni ISTAT 2023 (openpolis) uniti;
  di un comune con parti su isole e in terraferma si prende la sola parte indicata.
  Per le colline e gli altopiani di comuni sparsi si aggiungono i comuni della regione che
  stanno tra quelli elencati (punto interno entro il loro inviluppo convesso), così l'area è
  continua. La quota di una grande pianura che spetta alla regione (Pianura Padana, Veneta,
  Friulana) è data dai comuni della regione che cadono per meno di metà entro ALPS e
  APPENNINI di Natural Earth 4.0; per l'Emilia Romagna, dove quel poligono copre parte della
  pianura, dai comuni a nord della linea pedemontana per le città della via Emilia.
- **Catene**: fascia larga pochi chilometri lungo la cresta, per le vette e i valichi della
  catena alle loro coordinate pubblicate.
- **Vette**: punto alle coordinate pubblicate della vetta (latitudine, longitudine e quota come
  riportate dai repertori geografici che le riprendono dalla cartografia IGM), o al punto di
  Natural Earth 4.0 quando c'è; precisione dell'ordine di qualche centinaio di metri. Una vetta
  che sta sul confine viene portata appena dentro la regione (lo spostamento è scritto qui sotto).
- **Fiumi**: linee di Natural Earth 4.0 quando il fiume vi ha il suo nome; altrimenti il corso
  dalla sorgente alla foce (o alla confluenza) per i comuni attraversati (punto interno di
  ogni comune, linea arrotondata), seguito lungo i tratti di World Data Bank II (GSHHG 2.3.7,
  pacchetto Debian gmt-gshhg-full) che gli stanno accanto. La forma binned di WDB II nel
  pacchetto porta solo i fiumi maggiori: per i fiumi minori la quota presa da WDB II è 0 % e il
  corso è quello per i comuni.
  **Laghi e lagune**: poligoni di Natural Earth 4.0.
- **Mari**: l'acqua della cornice entro 8 km dal poligono marino di Natural Earth 4.0; golfi e
  stretti: l'acqua entro il poligono dei capi che li chiudono (coordinate pubblicate).
- **Indistinto**: tutta la terra della regione, disegnata sotto gli altri elementi (nascondendo
  una categoria con "Visualizza" non resta alcun buco); le lagune costiere (Venezia,
  Marano e Grado, delta del Po, Orbetello, Cabras) sono acqua e non appartengono a nessun mare,
  come i laghi.
- Le aree non si sovrappongono: isole, poi monti, poi valli e colline, poi pianure; i laghi sono
  tolti a tutte. Ogni elemento sta nella sua regione; fiumi, laghi e mari la toccano.

Le coordinate sono proiettate nel piano RDN2008 / Italy zone (EPSG:6875), come nella carta
politica. Attribuzione: Natural Earth (pubblico dominio); ISTAT, elaborazione openpolis
(CC-BY 4.0); World Data Bank II (GSHHG, LGPL).

## Elementi e fonti
"""


def scrivi_fonti(fonti):
    with open(FONTI, "w", encoding="utf-8", newline="") as fh:
        w = csv.writer(fh, delimiter=";", lineterminator="\n")
        w.writerow(["regione", "nome", "categoria", "fonte"])
        for r in fonti:
            w.writerow(r)
    righe = [METODO]
    attuale = None
    for reg, nome, cat, descr in fonti:
        if reg != attuale:
            righe.append(f"\n### {reg}\n\n| elemento | categoria | fonte |\n|---|---|---|\n")
            attuale = reg
        righe.append(f"| {nome} | {cat} | {descr.replace('|', '/')} |\n")
    tmp = DOCUMENTO + ".tmp"
    with open(tmp, "w", encoding="utf-8") as fh:
        fh.write("".join(righe))
    os.replace(tmp, DOCUMENTO)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--geodata", default="/work/shared/geodata")
    ap.add_argument("regioni", nargs="*")
    a = ap.parse_args()
    righe = leggi_elementi()
    scelte = a.regioni or [r for r in aree.REGIONI]
    for r in scelte:
        if r not in righe:
            raise SystemExit(f"regione senza elementi: {r}")
    gen = GeneratoreRegioni(gf.Sorgenti(a.geodata), righe)
    for r in aree.REGIONI:
        if r in scelte:
            gen.genera(r)
    if not a.regioni:
        scrivi_fonti(gen.fonti)


if __name__ == "__main__":
    main()

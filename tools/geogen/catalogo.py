"""The program's political tables, read from catalog/CatalogoArea.cpp (the single source of
the element names and colour classes), for cross-checks and previews."""

import os
import re

_CPP = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                    "catalog", "CatalogoArea.cpp")
_TABELLE = {"Italia": "tabellaItalia", "Europa": "tabellaEuropa", "Africa": "tabellaAfrica",
            "Asia": "tabellaAsia", "Americacs": "tabellaAmericacs",
            "Sudamerica": "tabellaSudamerica", "Australia": "tabellaAustralia"}


def _testo():
    with open(_CPP, encoding="utf-8") as fh:
        return fh.read()


def _blocco(testo, nome):
    m = re.search(r"\b" + nome + r"\[\]\s*=\s*\{(.*?)\n\};", testo, re.S)
    if not m:
        raise SystemExit(f"Tabella {nome} non trovata in {_CPP}")
    return m.group(1)


def tabella(area):
    """[(name, class)] of an area, in table order."""
    righe = re.findall(r'\{u"((?:[^"\\]|\\.)*)",\s*(\d+)\}', _blocco(_testo(), _TABELLE[area]))
    return [(n, int(c)) for n, c in righe]


def province():
    """[(name, region, class)] in table order."""
    righe = re.findall(r'\{u"((?:[^"\\]|\\.)*)",\s*u"((?:[^"\\]|\\.)*)",\s*(\d+)\}',
                       _blocco(_testo(), "tabellaProvince"))
    return [(n, r, int(c)) for n, r, c in righe]


def province_della_regione(regione):
    return [(n, c) for n, r, c in province() if r == regione]


def classi(nome):
    """name -> class for an area key or a region (its provinces)."""
    if nome in _TABELLE:
        return dict(tabella(nome))
    return dict(province_della_regione(nome))

#!/usr/bin/python3
"""Rebuild the political maps under data/mappe/ from /work/shared/geodata.

    /usr/bin/python3 genera_politiche.py            # every political map
    /usr/bin/python3 genera_politiche.py Europa Lazio  # only these maps
"""

import sys

import aree


def main(argv):
    scelte = argv[1:] or list(aree.AREE) + list(aree.REGIONI)
    for s in scelte:
        if s not in aree.AREE and s not in aree.REGIONI:
            raise SystemExit(f"Mappa sconosciuta: {s}")
    mondiali = [s for s in scelte if s in aree.AREE and s != "Italia"]
    italiane = [s for s in scelte if s == "Italia" or s in aree.REGIONI]
    if mondiali:
        import mondo
        for a in mondiali:
            print(a)
            mondo.genera(a)
    if italiane:
        import italia
        italia.genera(italiane)


if __name__ == "__main__":
    main(sys.argv)

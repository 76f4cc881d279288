#!/bin/sh
# Rebuilds the atlas map files under data/mappe/ from the raw data (default /work/shared/geodata,
# or $ORBISTO_GEODATA).
#   tools/geogen/genera.sh politiche [mappa ...]   political maps (all, or the ones named)
#   tools/geogen/genera.sh fisiche [mappa ...]     physical maps (genera_fisiche.py)
#   tools/geogen/genera.sh regioni [regione ...]   physical maps of the 20 regions and their
#                                                   tables in catalog/CatalogoFisicoRegioni.cpp
# Physical maps are then checked against the places of luoghi_di_controllo.csv
# (controlla_luoghi.py; exits non-zero when a place is wrong).
set -eu
QUI=$(cd "$(dirname "$0")" && pwd)
PY=/usr/bin/python3
cd "$QUI"
if [ ! -x node_modules/.bin/mapshaper ]; then
    npm ci --no-audit --no-fund
fi
tipo=${1:-politiche}
[ $# -gt 0 ] && shift
case "$tipo" in
politiche)
    "$PY" genera_politiche.py "$@"
    "$PY" -W ignore controlla.py "$@"
    ;;
fisiche)
    "$PY" genera_fisiche.py "$@"
    "$PY" controlla_luoghi.py "$@"
    ;;
regioni)
    "$PY" fisica_regioni.py "$@"
    "$PY" fisica_regioni_tabelle.py
    "$PY" controlla_luoghi.py "$@"
    ;;
*)
    echo "uso: $0 politiche|fisiche|regioni [mappa ...]" >&2
    exit 2
    ;;
esac

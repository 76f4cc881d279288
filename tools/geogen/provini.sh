#!/bin/sh
# Contact sheet of every political map, drawn by the map widget's render tool:
#   tools/geogen/provini.sh <rendermappa> [uscita.png]
# (build the tool with: cmake --build <build> --target rendermappa)
set -eu
QUI=$(cd "$(dirname "$0")" && pwd)
RADICE=$(cd "$QUI/../.." && pwd)
RENDER=${1:?uso: provini.sh percorso/di/rendermappa [uscita.png]}
USCITA=${2:-$RADICE/docs/mappe/politiche.png}
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
n=0
disegna() { # chiave etichetta
    n=$((n + 1))
    f=$(printf '%s/%02d.png' "$TMP" "$n")
    QT_QPA_PLATFORM=offscreen "$RENDER" "$1" "$f" --size 800x600 --data "$RADICE/data" >/dev/null 2>&1
    convert "$f" -resize 400x300 -bordercolor white -border 2 -gravity south -splice 0x18 \
        -pointsize 14 -annotate +0+2 "$2" "$f"
}
for a in Italia Europa Africa Asia Americacs Sudamerica Australia; do
    disegna "swf/$a/${a}pol1.swf" "$a"
done
/usr/bin/python3 -c "import sys; sys.path.insert(0, '$QUI'); import aree; print('\n'.join(aree.REGIONI))" |
while IFS= read -r r; do
    disegna "swf/regioniitaliane/${r}pol1.swf" "$r"
done
mkdir -p "$(dirname "$USCITA")"
montage "$TMP"/*.png -tile 6x -geometry +4+4 -background white PNG8:"$USCITA"
echo "$USCITA"

#!/bin/sh
# Contact sheets of the physical maps, drawn by the map widget's render tool:
#   docs/mappe/fisiche.png               the seven area maps
#   docs/mappe/fisiche_italia_filtri.png Italy, one category per frame (1..7)
#   docs/mappe/fisiche_regioni.png       the twenty regions (fisica_regioni_foglio.py)
# Usage: tools/geogen/provini_fisiche.sh <rendermappa>
# (build the tool with: cmake --build <build> --target rendermappa; needs ImageMagick)
set -eu
QUI=$(cd "$(dirname "$0")" && pwd)
RADICE=$(cd "$QUI/../.." && pwd)
RENDER=${1:?uso: provini_fisiche.sh percorso/di/rendermappa}
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
disegna() { # chiave file etichetta [fotogramma]
    QT_QPA_PLATFORM=offscreen "$RENDER" "$1" "$2" --size 800x600 --data "$RADICE/data" \
        ${4:+--frame "$4"} >/dev/null 2>&1
    convert "$2" -resize 420x315 -bordercolor white -border 2 -gravity south -splice 0x18 \
        -pointsize 14 -annotate +0+2 "$3" "$2"
}
n=0
for a in Italia Europa Africa Asia Americacs Sudamerica Australia; do
    n=$((n + 1))
    disegna "swf/$a/${a}fis1.swf" "$(printf '%s/a%02d.png' "$TMP" "$n")" "$a"
done
montage "$TMP"/a*.png -tile 4x -geometry +4+4 -background white PNG8:"$RADICE/docs/mappe/fisiche.png"
for f in 1 2 3 4 5 6 7; do
    disegna "swf/Italia/Italiafis1.swf" "$TMP/f$f.png" "fotogramma $f" "$f"
done
montage "$TMP"/f*.png -tile 4x -geometry +4+4 -background white \
    PNG8:"$RADICE/docs/mappe/fisiche_italia_filtri.png"
/usr/bin/python3 "$QUI/fisica_regioni_foglio.py" --rendermappa "$RENDER"
echo "$RADICE/docs/mappe/fisiche.png $RADICE/docs/mappe/fisiche_italia_filtri.png"

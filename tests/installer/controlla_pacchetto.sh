#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks what it holds.
#   controlla_pacchetto.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
sorgente="$2"
uscita="$(mktemp -d)"
trap 'rm -rf "$uscita"' EXIT
errori=0
errore() { echo "ERRORE: $*" >&2; errori=$((errori + 1)); }

desktop="$sorgente/installer/pacchetto/it.orbistotessivo.Orbisto.desktop"
metainfo="$sorgente/installer/pacchetto/it.orbistotessivo.Orbisto.metainfo.xml"
desktop-file-validate "$desktop" || errore "desktop-file-validate: $desktop"
appstreamcli validate --no-net "$metainfo" || errore "appstreamcli validate: $metainfo"

(cd "$build" && cpack -G DEB -B "$uscita" >"$uscita/cpack.log" 2>&1) ||
    { cat "$uscita/cpack.log" >&2; echo "ERRORE: cpack" >&2; exit 1; }
shopt -s nullglob
pacchetti=("$uscita"/orbisto_*_*.deb)
[ ${#pacchetti[@]} -eq 1 ] || { echo "ERRORE: atteso un orbisto_<versione>_<arch>.deb" >&2; exit 1; }
deb="${pacchetti[0]}"
echo "Pacchetto: $(basename "$deb")"

contenuto="$(dpkg-deb -c "$deb" | awk '{print $NF}')"
for atteso in \
    ./usr/bin/orbisto \
    ./usr/bin/orbisto-setup \
    ./usr/share/orbisto/mappe/Europa/Europa_politica.geojson \
    ./usr/share/orbisto/mappe/regioniitaliane/Lazio_fisica.geojson \
    ./usr/share/orbisto/testipredefiniti/Italia/Italia.rtf \
    ./usr/share/orbisto/suoni/si.wav \
    ./usr/share/orbisto/docum/progettoorbisto.pdf \
    ./usr/share/orbisto/personaggi/Merlin.json \
    ./usr/share/applications/it.orbistotessivo.Orbisto.desktop \
    ./usr/share/metainfo/it.orbistotessivo.Orbisto.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/it.orbistotessivo.Orbisto.svg; do
    grep -qxF "$atteso" <<<"$contenuto" || errore "manca $atteso"
done
# Nothing of the build or the tests in the package.
if grep -E 'test_|bench_|CMakeLists.txt|rendermappa' <<<"$contenuto"; then
    errore "il pacchetto contiene file di prova o di compilazione"
fi

campi="$(dpkg-deb -f "$deb" Package Version Architecture Depends Section)"
echo "$campi"
grep -q '^Package: orbisto$' <<<"$campi" || errore "nome del pacchetto"
grep -q '^Section: education$' <<<"$campi" || errore "sezione"
depends="$(dpkg-deb -f "$deb" Depends)"
for dip in espeak-ng-data libespeak-ng1 libqt6widgets6 libqt6multimedia6; do
    grep -q "$dip" <<<"$depends" || errore "dipendenza mancante: $dip"
done

# The installed files themselves validate too.
mkdir "$uscita/radice"
dpkg-deb -x "$deb" "$uscita/radice"
desktop-file-validate "$uscita/radice/usr/share/applications/it.orbistotessivo.Orbisto.desktop" ||
    errore "desktop-file-validate sul file installato"
appstreamcli validate --no-net \
    "$uscita/radice/usr/share/metainfo/it.orbistotessivo.Orbisto.metainfo.xml" ||
    errore "appstreamcli validate sul file installato"

[ "$errori" -eq 0 ] || { echo "$errori errori" >&2; exit 1; }
echo "Pacchetto corretto."

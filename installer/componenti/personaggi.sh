#!/usr/bin/env bash
# Step 4/7: the reading characters' files, into the atlas's data folder.
. "$(dirname "$0")/comune.sh"
sorgente="$INSTALLAZIONE/OrbistoT/personaggi"
ls "$sorgente"/*.json >/dev/null 2>&1 || exit 3
come_amministratore install -D -m 0644 -t "$DESTINAZIONE/personaggi" "$sorgente"/*.json

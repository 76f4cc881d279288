#!/usr/bin/env bash
# Step 1/7: the atlas's own package, through the system's package tool.
. "$(dirname "$0")/comune.sh"
pacchetto="$(ls -1 "$INSTALLAZIONE"/pacchettoinstallazione/orbisto_*.deb 2>/dev/null | sort -V | tail -n 1)"
[ -n "$pacchetto" ] || exit 3
come_amministratore env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "$pacchetto"

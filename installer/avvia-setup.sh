#!/usr/bin/env bash
# Starts the setup wizard from the installation folder. On a machine without the Qt libraries
# the wizard needs, installs them first (with the administrator's rights).
QUI="$(cd "$(dirname "$0")" && pwd)"
if ldd "$QUI/orbisto-setup" 2>/dev/null | grep -q "not found"; then
    echo "Installazione delle librerie necessarie all'installazione guidata..."
    if [ "$(id -u)" -eq 0 ]; then pre=(); else pre=(pkexec); fi
    "${pre[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n || {
        echo "Impossibile installare le librerie: l'installazione guidata non può partire." >&2
        exit 1
    }
fi
exec "$QUI/orbisto-setup" "$@"

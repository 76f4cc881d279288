# Shared by the step programs of the setup wizard (sourced, not run).
# Exit codes the wizard explains: 3 package missing, 4 no pkexec, 126/127 rights refused.
set -u
QUI="$(cd "$(dirname "$0")" && pwd)"
INSTALLAZIONE="$(dirname "$QUI")"
DESTINAZIONE="${ORBISTO_DESTINAZIONE:-/usr/share/orbisto}"

come_amministratore() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v pkexec >/dev/null 2>&1; then
        pkexec "$@"
    else
        exit 4
    fi
}

# Installs Debian packages that are not installed yet; nothing to do is a success.
installa_pacchetti() {
    local mancanti=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            mancanti+=("$p")
    done
    [ ${#mancanti[@]} -eq 0 ] && exit 0
    come_amministratore env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${mancanti[@]}"
}

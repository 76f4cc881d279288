#!/usr/bin/env bash
# Builds the atlas and runs the whole test suite headless (installing what is missing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installa-dipendenze.sh
# ORBISTO_SANITIZE=1 builds and runs the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-asan), stopping at the first report.
cartella=build-test
opzioni=()
if [ "${ORBISTO_SANITIZE:-0}" = 1 ]; then
    cartella=build-asan
    opzioni=(-DORBISTO_SANITIZE=ON -DORBISTO_BUILD_BENCHMARKS=OFF)
fi
# A compiler cache, when the machine has one, makes rebuilds after small changes quick.
if command -v ccache >/dev/null 2>&1; then
    export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
fi
cmake -S . -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${opzioni[@]}" >/dev/null
cmake --build "$cartella"

# A private runtime folder with a sound server that plays into a null sink, so that the
# speech and sound tests run with a real audio device and no speakers.
export XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'pulseaudio --kill >/dev/null 2>&1 || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="module-null-sink sink_name=nullsink" --load=module-native-protocol-unix \
    >/dev/null 2>&1 || echo "Avviso: server audio non avviato; i test useranno l'uscita senza audio."

cd "$cartella"
QT_QPA_PLATFORM=offscreen xvfb-run -a -s "-screen 0 1280x800x24" \
    ctest --output-on-failure --timeout 120 "$@"

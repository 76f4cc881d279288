#!/usr/bin/env bash
# Builds the atlas in Release, its Debian package (build-release/pacchetti/) and the
# installation folder with the setup wizard (build-release/installazione/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installa-dipendenze.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DORBISTO_BUILD_TESTS=OFF -DORBISTO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-release --target orbisto orbisto-setup
cmake --build build-release --target installazione
ls -1 build-release/pacchetti/orbisto_*.deb

#!/usr/bin/env bash
# Builds the atlas (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installa-dipendenze.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORBISTO_BUILD_TESTS=OFF \
    -DORBISTO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-release --target orbisto
exec build-release/orbisto

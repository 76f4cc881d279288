#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds (default 60), one
# after the other, starting from the seed corpus of the data files and the test fixtures.
#   scripts/fuzz.sh [seconds] [target...]
# New inputs found are kept in build-fuzz/corpus/<target>/ for the next run; an input that
# breaks a reader is written to build-fuzz/reperti/ and the script ends with an error.
set -euo pipefail
cd "$(dirname "$0")/.."
secondi="${1:-60}"
shift || true
bersagli=(fuzz_profilo fuzz_mappa fuzz_rtf fuzz_frasi)
# The results files of the exercise log, when the log is part of the program.
[ -f results/FileRisultati.h ] && bersagli+=(fuzz_rpt)
[ $# -gt 0 ] && bersagli=("$@")

scripts/installa-dipendenze.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DORBISTO_FUZZ=ON \
    -DORBISTO_BUILD_TESTS=OFF -DORBISTO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz --target "${bersagli[@]}"

# The seeds of each target: real files of the data folder and the fixtures of the tests.
semi() {
    local bersaglio="$1" cartella="build-fuzz/semi/$1"
    rm -rf "$cartella"
    mkdir -p "$cartella"
    case "$bersaglio" in
    fuzz_profilo) find tests/fuzz/semi/profilo -type f ;;
    fuzz_mappa)
        find tests/fuzz/semi/mappa -type f
        find data/mappe tests -name '*.geojson' -size -64k -type f ;;
    fuzz_rtf | fuzz_frasi) find data tests \( -name '*.rtf' -o -name '*.txt' \) -size -64k -type f ;;
    fuzz_rpt) find tests -name '*.rpt' -size -64k -type f ;;
    esac | while IFS= read -r f; do
        cp "$f" "$cartella/$(printf '%s' "$f" | md5sum | cut -c1-16)"
    done
    echo "$cartella"
}

mkdir -p build-fuzz/reperti
falliti=()
for b in "${bersagli[@]}"; do
    corpus="build-fuzz/corpus/$b"
    mkdir -p "$corpus"
    seme="$(semi "$b")"
    echo "== $b: $secondi s (semi: $(ls "$seme" | wc -l), corpus: $(ls "$corpus" | wc -l))"
    if ! ASAN_OPTIONS="halt_on_error=1:detect_leaks=1" UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
        "build-fuzz/tests/fuzz/$b" -max_total_time="$secondi" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="build-fuzz/reperti/$b-" \
        "$corpus" "$seme" 2>"build-fuzz/$b.log"; then
        tail -n 60 "build-fuzz/$b.log"
        falliti+=("$b")
    else
        grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "build-fuzz/$b.log" || true
    fi
done
if [ ${#falliti[@]} -gt 0 ]; then
    echo "Fuzzing: trovati problemi in ${falliti[*]} (vedi build-fuzz/reperti/)" >&2
    exit 1
fi
echo "Fuzzing: nessun problema trovato."

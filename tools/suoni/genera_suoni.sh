#!/usr/bin/env bash
# Makes the program's three sound effects with sox and soxi (Debian package "sox"; bc too), reproducibly:
#   data/suoni/si.wav      right answer: two soft rising notes (C5, E5)
#   data/suoni/no.wav      wrong answer: two soft falling notes (E4, C4), low and gentle
#   data/suoni/Puzzle.wav  piece in place: a quick, light rising arpeggio (C5, E5, G5, C6)
# Mellow tones (sine with a little of the octave and twelfth), soft attack, long fade, no
# clicks, peaks near -12 dBFS: warm and never startling. 22050 Hz, mono, 16-bit PCM.
# Usage: tools/suoni/genera_suoni.sh [output folder]   (default: data/suoni of the repository)
set -euo pipefail
cd "$(dirname "$0")/../.."
destinazione="${1:-data/suoni}"
mkdir -p "$destinazione"
lavoro="$(mktemp -d)"
trap 'rm -rf "$lavoro"' EXIT

FORMATO=(-r 22050 -c 1 -b 16 -e signed-integer)

# nota <file> <frequenza> <durata> <attacco> <rilascio> <volume>
nota() {
    local f="$1" hz="$2" dur="$3" att="$4" ril="$5" vol="$6"
    # Fundamental plus a quiet octave and twelfth, mixed, with a soft envelope.
    sox -R -n "${FORMATO[@]}" "$lavoro/a.wav" synth "$dur" sine "$hz"
    sox -R -n "${FORMATO[@]}" "$lavoro/b.wav" synth "$dur" sine "$(echo "$hz*2" | bc -l)" vol 0.18
    sox -R -n "${FORMATO[@]}" "$lavoro/c.wav" synth "$dur" sine "$(echo "$hz*3" | bc -l)" vol 0.06
    sox -R -m "$lavoro/a.wav" "$lavoro/b.wav" "$lavoro/c.wav" "${FORMATO[@]}" "$f" \
        fade h "$att" "$dur" "$ril" vol "$vol"
}

# unisci <uscita> <note...>: joins the notes one after the other, adds a small room, normalises.
unisci() {
    local out="$1"
    shift
    sox -R "$@" "${FORMATO[@]}" "$lavoro/u.wav"
    # Silence first, so the small room has time to die away inside the file.
    sox -R "$lavoro/u.wav" "${FORMATO[@]}" "$out" pad 0 0.2 reverb 25 50 40 norm -12
}

nota "$lavoro/s1.wav" 523.25 0.16 0.012 0.08 0.5
nota "$lavoro/s2.wav" 659.25 0.34 0.012 0.28 0.5
unisci "$destinazione/si.wav" "$lavoro/s1.wav" "$lavoro/s2.wav"

nota "$lavoro/n1.wav" 329.63 0.20 0.02 0.10 0.5
nota "$lavoro/n2.wav" 261.63 0.38 0.02 0.32 0.5
unisci "$destinazione/no.wav" "$lavoro/n1.wav" "$lavoro/n2.wav"

nota "$lavoro/p1.wav" 523.25 0.08 0.006 0.04 0.45
nota "$lavoro/p2.wav" 659.25 0.08 0.006 0.04 0.45
nota "$lavoro/p3.wav" 783.99 0.08 0.006 0.04 0.45
nota "$lavoro/p4.wav" 1046.50 0.30 0.006 0.26 0.4
unisci "$destinazione/Puzzle.wav" "$lavoro/p1.wav" "$lavoro/p2.wav" "$lavoro/p3.wav" "$lavoro/p4.wav"

for f in si no Puzzle; do
    printf '%s: ' "$f.wav"
    soxi -D "$destinazione/$f.wav"
done

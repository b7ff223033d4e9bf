#!/bin/sh
# Resident size of the running simulator over a long run in one display mode, sampled every
# minute, and its growth in MB per hour between the second sample and the last (the first
# minute is start-up).
#
#   bench/soak.sh [STAGE_DIR] [MINUTES] [MODE] > samples.txt
#
# STAGE_DIR holds the built program (default: build/stage); MINUTES defaults to 60, MODE (a
# --power-on mode) to alt. The program runs on $DISPLAY when it is set, offscreen otherwise.
# Each line: minutes since start, Rss, private dirty and anonymous memory in kB. The last line is the growth.
# Target: under 1 MB/h in alternating DUAL.
set -eu

stage=${1:-build/stage}
minutes=${2:-60}
mode=${3:-alt}
program="$stage/vantrel"

if [ ! -x "$program" ]; then
    echo "soak.sh: no program at $program" >&2
    exit 1
fi
platform=offscreen
if [ -n "${DISPLAY:-}" ]; then
    platform=xcb
fi

QT_QPA_PLATFORM=$platform "$program" --no-splash --power-on "$mode" >/dev/null 2>&1 &
pid=$!

# Rss, private dirty pages and anonymous memory of the process, in kB.
sample() {
    awk '/^Rss:/ { r = $2 } /^Private_Dirty:/ { d = $2 } /^Anonymous:/ { a = $2 }
         END { print r, d, a }' "/proc/$pid/smaps_rollup"
}

samples=$(mktemp)
trap 'kill "$pid" 2>/dev/null || true; rm -f "$samples"' EXIT
minute=0
while :; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "soak.sh: the program ended after $minute minutes" >&2
        exit 1
    fi
    echo "$minute $(sample)" | tee -a "$samples"
    [ "$minute" -ge "$minutes" ] && break
    minute=$((minute + 1))
    sleep 60
done
awk 'NR == 2 { m0 = $1; r0 = $2 } { m1 = $1; r1 = $2 }
     END { if (m1 > m0) printf "growth %.2f MB/h\n", (r1 - r0) / 1024 * 60 / (m1 - m0) }' "$samples"

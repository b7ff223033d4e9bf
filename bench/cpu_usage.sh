#!/bin/sh
# CPU use of the running simulator, as a percentage of one core, in three states:
# alternating DUAL, CH I alone, and switched off. Each run is headless (offscreen platform),
# settles first (start-up shows the about box for 3 s), then is measured for a while.
#
#   bench/cpu_usage.sh [STAGE_DIR] [SECONDS]
#
# STAGE_DIR holds the built program (default: build/stage). Targets: alternating DUAL under
# 15 %, CH under 3 %, off under 1 % of one core.
set -eu

stage=${1:-build/stage}
seconds=${2:-10}
settle=5
program="$stage/vantrel"
ticks=$(getconf CLK_TCK)

if [ ! -x "$program" ]; then
    echo "cpu_usage.sh: no program at $program" >&2
    exit 1
fi

# utime + stime of a process, in clock ticks (fields 14 and 15 of /proc/PID/stat; the command
# name in field 2 is cut off first, as it may hold blanks).
cpu_ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

measure() {
    mode=$1
    QT_QPA_PLATFORM=offscreen "$program" --power-on "$mode" >/dev/null 2>&1 &
    pid=$!
    sleep "$settle"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "cpu_usage.sh: the program ended early in mode $mode" >&2
        return 1
    fi
    start=$(cpu_ticks "$pid")
    t0=$(date +%s.%N)
    sleep "$seconds"
    end=$(cpu_ticks "$pid")
    t1=$(date +%s.%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v m="$mode" -v a="$start" -v b="$end" -v t0="$t0" -v t1="$t1" -v hz="$ticks" \
        'BEGIN { printf "%-4s %6.2f %% of one core\n", m, 100 * (b - a) / hz / (t1 - t0) }'
}

for mode in alt ch off; do
    measure "$mode"
done

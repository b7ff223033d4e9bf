#!/bin/sh
# CPU use of the running simulator, as a percentage of one core, in four states:
# alternating DUAL, CH I alone, X-Y, and switched off. Each run settles first (start-up shows the
# about box for 3 s), then is measured for a while. The window is shown at its stored size.
#
#   bench/cpu_usage.sh [STAGE_DIR[,STAGE_DIR...]] [SECONDS]
#
# STAGE_DIR holds the built program (default: build/stage); several, separated by commas, are
# measured in turn in each state, so that the machine's load falls on them alike (the unchanged
# program beside the changed one). By default the program runs headless (offscreen platform);
# with CPU_DISPLAY=:N set it runs under an X server on that display instead, painting as it would
# on a desktop: a private Xvfb, started unless one already serves that display.
# Targets: alternating DUAL under 1.5 %, CH under 0.5 %, X-Y under 1 %, off under 0.1 % of one
# core.
set -eu

stages=${1:-build/stage}
seconds=${2:-10}
settle=5
ticks=$(getconf CLK_TCK)

for stage in $(echo "$stages" | tr ',' ' '); do
    if [ ! -x "$stage/vantrel" ]; then
        echo "cpu_usage.sh: no program at $stage/vantrel" >&2
        exit 1
    fi
done

# utime + stime of a process, in clock ticks (fields 14 and 15 of /proc/PID/stat; the command
# name in field 2 is cut off first, as it may hold blanks).
cpu_ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

xserver=
if [ -n "${CPU_DISPLAY:-}" ]; then
    if [ ! -S "/tmp/.X11-unix/X${CPU_DISPLAY#:}" ]; then
        # A screen just larger than the stored panel: maximised, it shows at about its normal
        # size.
        Xvfb "$CPU_DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xserver=$!
        trap 'kill "$xserver" 2>/dev/null || true' EXIT
        sleep 1
    fi
    platform=xcb
    export DISPLAY="$CPU_DISPLAY"
else
    platform=offscreen
fi

measure() {
    program=$1/vantrel
    mode=$2
    QT_QPA_PLATFORM=$platform "$program" --power-on "$mode" >/dev/null 2>&1 &
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
        -v s="$1" 'BEGIN { printf "%-4s %6.2f %% of one core  %s\n", m, 100 * (b - a) / hz / (t1 - t0), s }'
}

for mode in alt ch xy off; do
    for stage in $(echo "$stages" | tr ',' ' '); do
        measure "$stage" "$mode"
    done
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

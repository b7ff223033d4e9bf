#!/usr/bin/env python3
"""Time from exec to the simulator's first window on the X server, for one or more builds.

    DISPLAY=:N bench/start_time.py [--runs 10] STAGE_DIR [STAGE_DIR ...]

Each run starts `STAGE_DIR/vantrel --no-splash` and waits for the X server to report its first
top-level window mapped (MapNotify on the root window; the X server is expected to run no
window manager, as a private Xvfb). The builds are run in turn, run after run, so that a
change in the machine's load falls on all of them alike. Prints the median, the lowest and the
highest time of each build in milliseconds, and the load average.
Target: 60 ms or less on a quiet machine.
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import statistics
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
TIMEOUT_S = 30.0


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("pad", ctypes.c_long * 24)]


def open_display():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    xlib.XPending.argtypes = [ctypes.c_void_p]
    xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    xlib.XConnectionNumber.argtypes = [ctypes.c_void_p]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("start_time.py: cannot open the X display")
    xlib.XSelectInput(display, xlib.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    xlib.XFlush(display)
    return xlib, display


def drain(xlib, display):
    event = XEvent()
    while xlib.XPending(display):
        xlib.XNextEvent(display, ctypes.byref(event))


def time_one(xlib, display, program):
    """Milliseconds from exec to the first window mapped; None when none came in time."""
    drain(xlib, display)
    socket = xlib.XConnectionNumber(display)
    event = XEvent()
    start = time.monotonic()
    child = subprocess.Popen([program, "--no-splash"], stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL,
                             env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
    mapped = None
    try:
        while mapped is None and time.monotonic() - start < TIMEOUT_S:
            if not xlib.XPending(display):
                select.select([socket], [], [], 0.5)
                continue
            xlib.XNextEvent(display, ctypes.byref(event))
            if event.type == MAP_NOTIFY:
                mapped = (time.monotonic() - start) * 1000.0
    finally:
        child.terminate()
        child.wait()
    return mapped


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("stages", nargs="+")
    args = parser.parse_args()
    programs = [os.path.join(stage, "vantrel") for stage in args.stages]
    for program in programs:
        if not os.access(program, os.X_OK):
            sys.exit(f"start_time.py: no program at {program}")
    xlib, display = open_display()
    times = {program: [] for program in programs}
    for _ in range(args.runs):
        for program in programs:
            mapped = time_one(xlib, display, program)
            if mapped is not None:
                times[program].append(mapped)
    for program in programs:
        got = times[program]
        if not got:
            print(f"{program}: no window within {TIMEOUT_S:.0f} s")
            continue
        print(f"{program}: median {statistics.median(got):.0f} ms, "
              f"{min(got):.0f}-{max(got):.0f} ms over {len(got)} runs")
    print("load average: " + " ".join(f"{x:.2f}" for x in os.getloadavg()))


if __name__ == "__main__":
    main()

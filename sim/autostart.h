#pragma once
/// Starting the instrument switched on in a chosen display mode, for benchmarks, screenshots
/// and demonstrations (the program's `--power-on MODE` option).

/// Sets the front panel as a user would have set it for `mode` and switches the instrument on
/// through its power switch. Time/Div "1 ms", 1 V/div, CH I fed by "Cal 2Vpp" at DC coupling;
/// the modes other than "ch" also feed CH II from its generator. "xy" instead feeds both
/// channels from their generators, generator 2 at twice generator 1's frequency, so that the
/// screen shows a Lissajous figure (a figure of eight).
///   "ch"   CH I alone          "dual" CH I and CH II on every refresh
///   "alt"  alternating DUAL    "add"  the sum of both channels
///   "xy"   X-Y                 "off"  nothing: the instrument stays as it is
/// Returns 0, or -1 for an unknown mode (nothing is changed then).
int StartPoweredOn(const char *mode);

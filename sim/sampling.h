#pragma once
/// Sampling: input coupling, start phase and re-sampling of the two one-period input buffers
/// into the 600 display samples of `onda` (screen units).

/// Applies the coupling, chooses each trace's start phase (trigger, random, or carried over from
/// the previous refresh) and re-samples both input buffers into rows 0 and 1 of `onda`.
/// `timeScale` is the time-base factor `Esc_Tempo` (0.8 x seconds per division). Returns 0.
int calc_onda(double timeScale);

/// Shows the coupling indicators of both channels and sets `canais_op` and `dc_val` from
/// `entrada_op`: DC removes nothing, AC removes the buffer's mean, GND grounds the input.
void acdcgnd();

/// Stores in `*result` the mean of the first `count` values of `array`. Leaves `*result`
/// unchanged when `count` < 1.
void dc_ext(const double *array, int count, double *result);

/// Reduces the phase `*x` into [0, period) (phase - floor(phase / period) x period) and returns
/// it truncated to an int: a buffer index 0..599 for a period of 600. A phase that rounds to the
/// period itself becomes 0; a phase that is not finite becomes 0.
int mod(double *x, double period);

#pragma once
/// Trigger search: where inside a channel's one-period input buffer the trace starts, so that
/// successive refreshes show a still picture.

/// Returns the buffer index (0..599) of the first sample past the trigger level `levelt` on the
/// slope `slopet`, searched from the extreme where that slope begins, in the trigger signal:
/// the channel's input multiplied by `y_calib`, or the source on the EXT socket (`trig_ext`),
/// through the trigger coupling `trig_acopl` (AC, the start-up one, removes the mean). With
/// HOLD OFF turned (`holdoff` > 0) the index is instead the first crossing after the previous
/// sweep (`fase_disparo`) and the hold-off, in the trigger source's buffer. Returns -1 when the
/// level lies outside that signal's range, when `channel` is not 1 (CH I) or 2 (CH II), or when
/// `slopet` is neither +1 nor -1. Also lights `ATNORM_TEXT` while the trigger is NORMAL.
int trigger(int channel);

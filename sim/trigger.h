#pragma once
/// Trigger search: where inside a channel's one-period input buffer the trace starts, so that
/// successive refreshes show a still picture.

/// Returns the buffer index (0..599) of the first sample past the trigger level `levelt` on the
/// slope `slopet`, searched from the extreme where that slope begins, in the channel's input
/// with its mean removed and multiplied by `y_calib`. Returns -1 when the level lies outside
/// that signal's range, when `channel` is not 1 (CH I) or 2 (CH II), or when `slopet` is
/// neither +1 nor -1. Also lights `ATNORM_TEXT` while the trigger is NORMAL.
int trigger(int channel);

#pragma once
/// Input routing: every tick of the input timer copies each channel's selected source into its
/// one-period input buffer `onda_entCh` and its frequency into `freq`.

/// Callback of the input timer `TIMER_3` (every 10 ms, with the power on or off). Acts on the
/// timer tick only; returns 0.
int act_entr(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

/// Values of `trig_ext`, the source on the TRIG. EXT socket (0: none, the internal trigger).
enum TrigExtSource : int {
    kTrigExtOff = 0,
    kTrigExtGen1,
    kTrigExtGen2,
    kTrigExtCal02,
    kTrigExtCal2
};

/// One period of external trigger source `fonte` (a `trig_ext` value) into the 600 samples of
/// `buffer` and its frequency into `*hz`. False, and nothing written, for no source.
bool fonte_disparo(int fonte, double *buffer, double *hz);

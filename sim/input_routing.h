#pragma once
/// Input routing: every tick of the input timer copies each channel's selected source into its
/// one-period input buffer `onda_entCh` and its frequency into `freq`.

/// Callback of the input timer `TIMER_3` (every 10 ms with the power on, dozing while it is off).
/// Acts on the timer tick only; returns 0.
int act_entr(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

/// Lets the input timer doze while the power is off (`on` = 0), where only the read-out shows
/// the inputs, and wakes it fully when the power comes on (its first tick comes before the
/// first refresh).
void seguir_entradas(int on);

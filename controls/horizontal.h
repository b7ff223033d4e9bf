#pragma once
/// Horizontal section of the front panel, common to both channels: TIME/DIV, X-POS, the
/// time-base calibration knob and X-MAG, with their setting dialogs (file "time.uir").
///
/// Every callback has the engine's control-callback form and returns 0, except `timediv` when
/// its dialog cannot be loaded, which returns -1 and opens nothing.

// ---- Main-panel pictures ----------------------------------------------------------------------
/// TIME/DIV knob: opens the Time/Div dialog (help page 12).
int timediv(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// X-POS knob: shows the X-POS dialog, which stays loaded for the whole run (help page 9).
int x_pos_btn(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// Time-base calibration knob: shows its dialog, loaded for the whole run (help page 17).
int calib_X(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// X-MAG button: toggles the tenfold magnification and its indicator (help page 21).
int xmag_btn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

// ---- Dialog controls --------------------------------------------------------------------------
/// Time/Div list (value change): the chosen step becomes the time base.
int ValorTime(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// "Sair" of the Time/Div dialog (commit): closes and discards it.
int fecha_timediv(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);
/// X-POS knob (value change): first display sample at -300 + knob, in X units.
int f_xpos(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// Time-base calibration knob (value change): `calib` = 2.0 - knob; at exactly 1.0 the CAL
/// indicator and the dialog's LED light and the engine beeps.
int f_calx(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

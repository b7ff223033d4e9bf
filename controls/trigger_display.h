#pragma once
/// Trigger controls (LEVEL, slope, AT/NM), display controls (X-Y, INTENS, FOCUS) and the
/// front-panel pictures that have no function in the simulation and only open their help page.
/// The level, intensity and focus dialogs are in the file "opcoes.uir".
///
/// Every callback has the engine's control-callback form and returns 0, except an opening
/// callback whose dialog cannot be loaded, which returns -1 and opens nothing.

// ---- Main-panel pictures that act -------------------------------------------------------------
/// Trigger LEVEL knob: opens the level dialog (help page 10).
int level_btn(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// HOLD OFF knob: opens its dialog, the wheel turns it, 0 (minimum) to 10 sweeps (page 10).
int holdoff_btn(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
/// Slope button: toggles rising/falling; the indicator is lit on the falling edge (page 10).
int slope_btn(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// AT/NM button: toggles AUTO and NORM; the trigger search keeps its indicator (page 10).
int atnm(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// X-Y button: toggles the X-Y mode; entering it erases every trace (help page 5).
int modoxy_btn(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
/// INTENS knob: opens the intensity dialog (help page 12).
int intens_btn(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
/// FOCUS knob: opens the focus dialog (help page 12).
int focus_btn(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);

// ---- Main-panel pictures that only open their help page on a right click ----------------------
int ecran(int panel, int control, int event, void *callbackData, int eventData1,
          int eventData2); ///< the screen, page 6
int calp_btn(int panel, int control, int event, void *callbackData, int eventData1,
             int eventData2); ///< calibrator terminals, page 22
int informP(int panel, int control, int event, void *callbackData, int eventData1,
            int eventData2); ///< frames of the information area, page 8

// ---- Dialog controls --------------------------------------------------------------------------
/// LEVEL knob (value change): trigger level in volts.
int f_level(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// INTENS knob (value change), 0 to 10: trace colour from dim green to bright cyan.
int f_intens(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// FOCUS knob (value change), -10 to +10: thin trace within +-2, thick beyond.
int f_focus(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// HOLD OFF knob of its dialog (value change): hold-off in sweeps, 0 .. 10.
int f_holdoff(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// "Sair" of the HOLD OFF dialog (commit).
int fecha_holdoff(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);
/// "Sair" of the level, intensity and focus dialogs (commit): closes and discards the dialog.
int fecha_level(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
int fecha_intens(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);
int fecha_focus(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);

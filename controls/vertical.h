#pragma once
/// Vertical section of the front panel, once per channel: VOLTS/DIV, Y-POS, the vertical
/// calibration knob and INV, with their setting dialogs (file "volt.uir").
///
/// Every callback has the engine's control-callback form and returns 0, except an opening
/// callback whose transient dialog cannot be loaded, which returns -1 and opens nothing.
/// The channel of the dialog that is open is kept in `Canal` (0 CH I, 1 CH II).

// ---- Main-panel pictures ----------------------------------------------------------------------
/// VOLTS/DIV knob of CH I / CH II: opens the Volts/Div dialog for that channel (help page 16).
int volt_div1(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
int volt_div2(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// Y-POS knob of CH I / CH II: opens that channel's Y-POS dialog (help page 14).
int y_pos1_btn(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
int y_pos2_btn(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
/// Vertical calibration knob of CH I / CH II: shows that channel's calibration dialog, which
/// stays loaded for the whole run (help page 16).
int x_cal1_btn(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
int x_cal2_btn(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
/// INV button of CH I / CH II: toggles `inversao` and its indicator (help page 15).
int invert1(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int invert2(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

// ---- Dialog controls --------------------------------------------------------------------------
/// Volts/Div list (value change): the chosen step becomes the scale of channel `Canal`.
int valorvolt(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// "Sair" of the Volts/Div dialog (commit): closes and discards it.
int fecha_voltdiv(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);
/// Hidden "QUIT" of the Volts/Div and Time/Div dialogs (commit): removes the top pop-up only.
int QuitTime(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// Y-POS knob (value change): vertical position of channel `Canal`, in screen units.
int f_ypos(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// "Sair" of the CH I / CH II Y-POS dialog (commit): closes and discards it.
int fecha_ypos1(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
int fecha_ypos2(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
/// Vertical calibration knob (value change): gain 2.0 - knob of channel `Canal`; at exactly
/// 1.0 the CAL indicator and the dialog's LED light and the engine beeps.
int f_ycal(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// "Sair" of every dialog that stays loaded for the whole run (commit): removes the top pop-up
/// and keeps the panel, so that its controls keep their positions.
int fecha_painel(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);

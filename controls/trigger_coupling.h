#pragma once
/// The trigger commands beside LEVEL: the TRIG. coupling selector (AC, DC, HF, LF, ~), the
/// TRIG. EXT. socket and its source dialog ("canais.uir" panel EXTERNO), and the TV SEP selector
/// (the HOLD OFF knob is a knob like LEVEL: `trigger_display.h`). A right click on any of
/// them opens help page 10.
///
/// Every callback has the engine's control-callback form and returns 0, except an opening
/// callback whose dialog cannot be loaded, which returns -1 and opens nothing.

/// Selector position under a click at `y` (control pixels) on a slide picture whose first
/// position's mark lies at `first` and whose marks are `spacing` apart; kept to 0 .. count-1.
int posicao_deslizante(int y, double first, double spacing, int count);

/// TRIG. selector: a left click moves the lever to the position clicked, the wheel one
/// position per notch.
int Trig_btn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// TV SEP selector (OFF, H, V): moves as the TRIG. selector.
int tvsep_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// TRIG. EXT. socket: a left click opens the source dialog.
int Ext_btn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// "Confirmar" of the source dialog (commit): connects the chosen source to TRIG. EXT.
int aplic_ext(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// "Cancelar" of the source dialog (commit): closes it, nothing changed.
int fecha_ext(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);

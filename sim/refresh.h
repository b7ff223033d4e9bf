#pragma once
/// The refresh cycle and the screen: the power switch, the periodic refresh that recomputes and
/// redraws the traces, and the drawing and erasing of each trace on the graph `MOSTRAR`.
///
/// Traces: 1 CH I (row 0 of `onda`), 2 CH II (row 1), 3 ADD (row 2), 4 X-Y (row 0 against
/// row 1). Trace n keeps its plot handle in `plot_onda[n - 1]` and `plot_exist[n - 1]` is 1
/// while it is on the screen.

/// Callback of the power switch `POWERBUTTON`: a left click switches the instrument on or off,
/// a right click opens help page 1. Returns 0.
int Power_btn(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);

/// Shows (1) or hides (0) the read-outs and lamp labels and enables or disables the refresh
/// timer; switching off also hides the six coupling indicators.
void ver_desc(int on);

/// Callback of the refresh timer `TIMER_P`, the same on every event: rewrites the scale
/// read-outs, recomputes both channels, draws the traces of the display mode and sets the
/// timer's next interval. Returns 0.
int Actualizar(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);

/// Draws trace n (1 to 4) with the plot style `OPCAO_FOCUS` and colour `OPCAO_INTENS`;
/// traces 1 to 3 only while their `canais_ver` flag is 1. Drawing the X-Y trace also erases
/// the others and sets the refresh interval to one period of CH I (at most 1 s). Returns 0.
int desenhar(int n);

/// Erases trace n (1 to 4) if it is on the screen. Returns 0.
int apagar(int n);

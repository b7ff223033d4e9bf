#pragma once
/// The "Reiniciar" submenu: returns the oscilloscope, a generator or everything to the state
/// the program starts with, panels, knob pointers and lamps included, after a confirmation.

/// Brings the dialogs that stay loaded (X-POS, the calibrations, the channel modes with the
/// CH I/II button pressed when `ch2` is 1) and the main panel's lamps and source names into line
/// with the oscilloscope's state, as if the user had set it; switched on, the screen starts
/// again with the state's scales.
void alinha_osciloscopio(int ch2);

/// Returns the oscilloscope's settings, its dialogs that stay loaded and the main panel's
/// indicators to their start-up state. The power switch stays as it is: switched on, the
/// instrument goes on showing the reset settings; the generators are left alone.
void reinicia_osciloscopio();

/// Menu items "Reiniciar Osciloscopio", "Reiniciar Gerador 1", "Reiniciar Gerador 2" and
/// "Reiniciar Tudo": each asks first, then resets what it names.
void Reiniciar_osc(int menuBar, int menuItem, void *callbackData, int panel);
void Reiniciar_ger1(int menuBar, int menuItem, void *callbackData, int panel);
void Reiniciar_ger2(int menuBar, int menuItem, void *callbackData, int panel);
void Reiniciar_tudo(int menuBar, int menuItem, void *callbackData, int panel);

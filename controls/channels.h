#pragma once
/// Channel modes (CH I/II, DUAL, ADD, VERT.), input coupling (DC/AC/GD) and input source of
/// each channel, with their setting dialogs (file "canais.uir").
///
/// Every callback has the engine's control-callback form and returns 0, except an opening
/// callback whose dialog cannot be loaded, which returns -1 and opens nothing. The channel of
/// the coupling or source dialog that is open is kept in `Canal` (0 CH I, 1 CH II).

// ---- Main-panel pictures ----------------------------------------------------------------------
/// Channel-mode buttons: shows the channel-mode dialog, loaded for the whole run (help page 20).
int canais_fn(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// DC/AC/GND switch of CH I / CH II: opens that channel's coupling dialog (help page 19).
int entrada1_btn(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);
int entrada2_btn(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);
/// Input socket of CH I / CH II: opens the source dialog at the mouse position; CH II's opens
/// 253 pixels to the left of the mouse (help page 18).
int canal1(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int canal2(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

// ---- Channel-mode dialog (commit of each toggle button) ---------------------------------------
/// CH I/II: only its indicator; the refresh cycle reads the button itself.
int ch_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// DUAL and ADD exclude each other: pressing one releases the other.
int dual_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int add_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// VERT.: alternate drawing of the two traces in DUAL.
int vert_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

// ---- Coupling dialogs ---------------------------------------------------------------------------
/// DC/AC/GD slide (value change): coupling of channel `Canal`.
int f_entrada(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// "Sair" of the coupling dialog (commit): closes and discards it.
int fecha_entrada(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);

// ---- Source dialog -----------------------------------------------------------------------------
/// "Confirmar" (commit): connects channel `Canal` to the chosen source, closes the dialog,
/// opens the generator or the data link when one of them is chosen, and names the source on
/// the main panel.
int aplic_entr(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
/// Source names STRING_CH1 / STRING_CH2 of the information area (left click): while the
/// channel takes a generator's output or its SYNC, opens that generator's panel.
int nome_ch1(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int nome_ch2(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// "Cancelar" (commit): closes and discards the dialog, the source unchanged.
int fecha_canais(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);


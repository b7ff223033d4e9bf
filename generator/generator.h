#pragma once
/// The two function generators: their six panels (file "gerador.uir") and the synthesis of
/// their one-period output buffers.
///
/// One set of panels serves both generators; `geradorID` (0 generator 1, 1 generator 2) names
/// the one they show and edit. After every change `actual_ger` rebuilds that generator's
/// buffer `onda_G` and frequency `freq_G` and rewrites every indicator of the panels.
///
/// Every callback has the engine's control-callback form and returns 0. A right click on a
/// command of the generator's front panel opens its page of the generator help book.

/// Loads the nine generator panels as children of `Painel_Principal` and gives both generators
/// their start values (100 Hz sines, switched on, 2 V and 3 V peak, no offset, phase 0, no
/// ramp, no pulse, no attenuation).
/// Returns 0, or -1 at the first panel that fails to load; the generator state is then left
/// untouched.
int iniciar_gerador();

/// Returns generator `g` (0 or 1) to its start values, as at start-up, rebuilds its buffer and,
/// when the panels show it, its indicators, knobs and output lamp. The other generator and the
/// generator shown are left as they were.
void reinicia_gerador(int g);

/// Rebuilds both generators' buffers from their settings and shows the one on the panels,
/// its output lamp included, as if the user had set them. `geradorID` must be 0 or 1.
void alinha_geradores();

/// Opens the generator panel for a channel (0 CH I, 1 CH II): the panel then shows and edits
/// that channel's generator. The panel is not modal: the oscilloscope stays operable.
void ab_gerador(int channel);

/// Locks (1) or unlocks (0) the generator panels: while locked, every way of opening them
/// (menu, input dialog, board dialog) says so instead, and an open panel is closed.
void bloqueia_gerador(int bloqueado);

/// Menu "Geradores": "Gerador 1" and "Gerador 2" open the generator panel on that generator,
/// whatever the channels' sources.
void Abrir_ger1(int menuBar, int menuItem, void *callbackData, int panel);
void Abrir_ger2(int menuBar, int menuItem, void *callbackData, int panel);

/// Rebuilds generator `geradorID` and refreshes the panels' indicators and knobs. Returns 0.
int actual_ger();

/// Range indicators: lights the button of `GER_ESC` and undims the label of `GERADOR` that match
/// the multiplier `range` (1, 10, ... 1000000), switching every other one off. Returns 0.
int act_escala(int range);

/// Waveform indicators: 1 square, 2 triangle, 3 sine; the others are switched off. Returns 0.
int act_tipo(int type);

/// Writes generator `g`'s output buffer `onda_G[g]` from its settings, without touching a
/// panel. `freq_G[g]` must hold range x knob; it becomes 0 when the generator is off.
/// One period in 600 samples: off gives zeros, a zero frequency the flat offset, otherwise
/// the waveform from the set phase plus the offset; the square key with a duty cycle other
/// than 50 % gives a pulse, the triangle key with a rising share other than 50 % a ramp; the
/// attenuator scales the whole output. Also writes the SYNC buffer `onda_sync[g]`: a 0/5 V
/// square in step with the output (zeros while off or at 0 Hz).
void sintetiza_gerador(int g);

// ---- Front panel GERADOR ----------------------------------------------------------------------
/// Output power switch (left click): toggles `ger_enable` and the LED (help page 1).
int Power_ger(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// "Destacar" / "Acoplar" (commit): moves the generator panel out of the oscilloscope's window
/// into a window of its own, or back below the front (help page 1).
int destaca_gerador(int panel, int control, int event, void *callbackData, int eventData1,
                    int eventData2);
/// "Fechar" (commit): removes the generator panel (help page 1).
int SairGerador(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
/// RANGE buttons (left click): opens the range dialog (help page 10).
int most_esc(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// FREQUENCY dial (left click): opens the frequency dialog (help page 11).
int most_freq(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// AMPLITUDE knob (left click): opens the amplitude dialog (help page 8).
int most_ampl(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// FUNCTION buttons (left click): opens the waveform dialog (help page 3).
int most_onda(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// OFFSET knob (left click): opens the offset dialog (help page 7).
int most_offset(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
/// Areas of the front panel: INFO (page 12), RAMP/PULSE (9), ATT (2), SYNC (6), VCF (5) and
/// OUTPUT (4) open their help page on the right click.
int info_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int ramp_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int att_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int sync_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int vcf_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int output_fn(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// RAMP/PULSE (page 9) and ATT (page 2) also open their dialogs on a left click; the
/// PHASE knob picture (page 13) opens its dialog and turns with the wheel.
int most_fase(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// Typed frequency (commit): "2k", "2,5 kHz", "150" set the range and the dial together; a
/// value that is not a number or lies outside 0.01 Hz .. 2 MHz changes nothing and is refused
/// with a message on the panel; a value between two dial steps takes the nearest step, which
/// the message states (help page 14).
int freq_digitada(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);

// ---- Range dialog GER_ESC (commit): the frequency multiplier of the shown generator -----------
int range1(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int range10(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int range100(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int range1k(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int range10k(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int range100k(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
int range1m(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

// ---- Knob dialogs (value change): frequency knob, peak amplitude (V) and offset (V) ----------
int gerad_freq(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
int gerad_ampl(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
int gerad_offset(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);

// ---- Phase, ramp/pulse and attenuator dialogs: start phase (degrees), rising share of the
// ramp and duty cycle of the pulse (%), attenuator keys 0, -20 and -40 dB (commit) ------------
int gerad_fase(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
int gerad_rampa(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
int gerad_ciclo(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
int att_0(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int att_20(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int att_40(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

// ---- Waveform dialog GER_ONDA (commit): square, triangle, sine -------------------------------
int quad_f(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int tria_f(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int sinu_f(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

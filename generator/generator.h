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

/// Loads the six generator panels as children of `Painel_Principal` and gives both generators
/// their start values (100 Hz sines, switched on, 2 V and 3 V peak, no offset).
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
/// that channel's generator.
void ab_gerador(int channel);

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
/// the waveform from phase 0 plus the offset.
void sintetiza_gerador(int g);

// ---- Front panel GERADOR ----------------------------------------------------------------------
/// Output power switch (left click): toggles `ger_enable` and the LED (help page 1).
int Power_ger(int panel, int control, int event, void *callbackData, int eventData1,
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
/// Help-only areas of the front panel: INFO (page 12), RAMP/PULSE (9), ATT (2), SYNC (6),
/// VCF (5) and OUTPUT (4). They act on the right click only.
int info_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int ramp_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int att_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int sync_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int vcf_fn(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int output_fn(int panel, int control, int event, void *callbackData, int eventData1,
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

// ---- Waveform dialog GER_ONDA (commit): square, triangle, sine -------------------------------
int quad_f(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int tria_f(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int sinu_f(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

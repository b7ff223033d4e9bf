#pragma once
/// What every front-panel control and setting dialog does alike.

/// The part of a click on a front-panel picture that every picture shares: a right click opens
/// help page `pagina_ajuda` whether the instrument is on or off. Returns true only for a left
/// click with the instrument on, the one event on which the picture acts.
bool clique_frontal(int event, int pagina_ajuda);

/// Close button of a dialog loaded per opening: on commit, removes the pop-up and discards the
/// dialog `painel`.
void fecha_dialogo(int event, int painel);

/// A calibration knob at `factor` (2.0 - knob value): exactly 1.0 is the calibrated end, which
/// lights the dialog's `led` and the main panel's CAL `indicador` and beeps; any other value
/// switches both off.
void marca_calibracao(int painel, int led, int indicador, double factor);

#pragma once
/// Input routing: every tick of the input timer copies each channel's selected source into its
/// one-period input buffer `onda_entCh` and its frequency into `freq`.

#include "app/state.h"

#include <string>

/// Callback of the input timer `TIMER_3` (every 10 ms with the power on, dozing while it is off).
/// Acts on the timer tick only; returns 0.
int act_entr(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

/// Lets the input timer doze while the power is off (`on` = 0), where only the read-out shows
/// the inputs, and wakes it fully when the power comes on (its first tick comes before the
/// first refresh).
void seguir_entradas(int on);

/// Values of `trig_ext`, the source on the TRIG. EXT socket (0: none, the internal trigger):
/// the generators, the calibrators, the generators' SYNC outputs, and the points of the board
/// on the bench (kTrigExtBoard + the point, 0 its input, as `placa_ponto`).
enum TrigExtSource : int {
    kTrigExtOff = 0,
    kTrigExtGen1,
    kTrigExtGen2,
    kTrigExtCal02,
    kTrigExtCal2,
    kTrigExtSync1,
    kTrigExtSync2,
    kTrigExtBoard,
    kTrigExtSources = vantrel::kFontesExternas ///< one past the last: four board points
};

/// One period of external trigger source `fonte` (a `trig_ext` value) into the 600 samples of
/// `buffer` and its frequency into `*hz`. False, and nothing written, for no source, for a
/// point the board on the bench lacks, or for a board that does not solve.
bool fonte_disparo(int fonte, double *buffer, double *hz);
/// Brings the bench's shared solution up to date with the board on the bench, its components
/// and its driving generator (solving only when one of them changed). Returns 0, or the
/// solver's negative status.
int placa_resolve();
/// What the main panel names channel `canal` (0/1) by while it probes the board: the board's
/// short name and the point, "Passa-baixo: VC", or "Meia onda: não convergiu" while that probe
/// has no solution.
std::string placa_nome(int canal);
/// The same for point `ponto` of the board on the bench ("Passa-baixo: VC"), or "" for a point
/// the board lacks.
std::string placa_ponto_nome(int ponto);
/// Writes `placa_nome(canal)` into the channel's source name on the main panel.
void mostra_fonte_placa(int canal);

#pragma once
/// Signal measurements read-out: beside the screen, one read-out per channel shows the quantity
/// chosen in its ring (frequency, period, peak-to-peak, maximum, minimum, mean or RMS value),
/// measured on the channel's input buffer `onda_entCh` and source frequency `freq`. It ignores
/// every setting of the oscilloscope and runs whether the instrument is on or off.

namespace vantrel {
/// Quantities of the rings `DADOS_CHI` and `DADOS_CHII`, by ring value. 0 shows nothing.
enum Grandeza : int {
    kGrandezaNenhuma = 0,
    kGrandezaFrequencia = 1, ///< Hz
    kGrandezaPeriodo = 2,    ///< s: 1 / frequency, infinite for a constant signal
    kGrandezaPicoPico = 3,   ///< V
    kGrandezaMaximo = 4,     ///< V
    kGrandezaMinimo = 5,     ///< V
    kGrandezaMedio = 6,      ///< V
    kGrandezaEficaz = 7      ///< V (root mean square)
};
} // namespace vantrel

/// Value of quantity `grandeza` (1 to 7) of one period of a signal held in `sinal` (600 samples,
/// volts) at `frequencia` Hz. A voltage that is zero to within the rounding of the computation
/// (below 1e-9 of the signal's peak-to-peak, or below 1e-12 V) is returned as exactly 0.
/// Returns 0 for any other quantity.
double valor_grandeza(int grandeza, const double sinal[], double frequencia);

/// Base unit of quantity `grandeza` (1 to 7): "Hz", "s" or "V"; "" for any other quantity. The
/// read-out shows it after the SI prefix of the value ("ms", "kHz").
const char *unidade_grandeza(int grandeza);

/// Timer callback of `TIMER_DADOS` (every 0.5 s): on a tick, rewrites the read-outs of CH I and
/// CH II from their rings, the figure with four significant digits and the unit with its SI
/// prefix ("1.000" "ms"); a ring on its empty item hides that channel's value and unit.
/// Returns 0.
int act_dados(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);

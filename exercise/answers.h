#pragma once
/// Checking a student's numeric answers: reading a number with its SI prefix and unit, the
/// tolerance around the true value, and the per-student draw of randomised settings.
/// Only the standard library; nothing here knows the instrument.

#include <optional>
#include <string>
#include <string_view>

namespace exercicio {

/// A reading of the student's text: the value in the base unit, or why it was refused.
struct Resposta {
    std::optional<double> valor;
    std::string erro; ///< Portuguese, e.g. "«2,5 kV» não está em Hz"
};

/// Reads "2500", "2.5k", "2,5 kHz", "-3 mV", "1e3 Hz", "40 µs": a number (decimal point or
/// comma), then optionally one SI prefix (p n u µ m k M G) and the unit `unidade` (which may be
/// empty for a free answer). Any other unit or text is refused with a clear reason, in the
/// language `traduz` gives (Portuguese without it).
Resposta le_resposta(std::string_view texto, std::string_view unidade,
                     const char *(*traduz)(const char *) = nullptr);

/// True when `resposta` is within `tolerancia` of `verdadeiro`: in the quantity's own unit, or
/// in percent of |verdadeiro| when `percentual`. The edge counts as inside.
bool dentro_da_tolerancia(double resposta, double verdadeiro, double tolerancia, bool percentual);

/// A number in `minimo` .. `maximo` drawn for one student and one setting: the same name
/// (blanks at either end and letter case aside) and setting always give the same number, on
/// every machine.
double sorteio(std::string_view aluno, std::string_view definicao, double minimo, double maximo);

} // namespace exercicio

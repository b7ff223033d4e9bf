#pragma once

// Reading a value typed by the user, with SI prefixes and an optional unit.

#include <string_view>

namespace vantrel {
/// Status: nothing but blanks was typed.
inline constexpr int kSiValueEmpty = -20101;
/// Status: the text is not a number with an optional prefix and unit.
inline constexpr int kSiValueNotNumber = -20102;
/// Status: the number is negative.
inline constexpr int kSiValueNegative = -20103;
/// Status: the number is zero.
inline constexpr int kSiValueZero = -20104;
/// Status: the number is below minValue.
inline constexpr int kSiValueBelowMin = -20105;
/// Status: the number is above maxValue.
inline constexpr int kSiValueAboveMax = -20106;
} // namespace vantrel

/// Reads a positive value such as "4k7", "4.7k", "4,7 kΩ", "100n", "1u", "1µ", "2.2m",
/// "10 MΩ", "1e3", "47R" (unit Ω only), "1 kHz". The decimal mark is '.' or ','. Prefixes:
/// p n u µ m k K M G (case matters: m is milli, M mega); in the resistor notation the prefix
/// takes the place of the decimal mark ("4k7" = 4.7k, "4R7" = 4.7 Ω). The unit, when typed,
/// must be `unit` (ASCII letters in any case; for "Ω" also "ohm"/"ohms"); blanks may
/// surround the number, the prefix and the unit.
/// @param unit the expected unit symbol ("Ω", "F", "H", "V", "Hz"); may be empty.
/// @param value receives the value in the unit, correctly rounded from the decimal text.
/// @return 0, or kSiValueEmpty, kSiValueNotNumber, kSiValueNegative, kSiValueZero,
///         kSiValueBelowMin, kSiValueAboveMax; *value is written only on success.
int parseSiValue(std::string_view text, std::string_view unit, double minValue, double maxValue,
                 double *value);

/// Portuguese words for a parseSiValue status, for the user: "" for 0, otherwise a short
/// phrase ("valor vazio", "não é um número", "valor negativo", "valor nulo", "abaixo do
/// mínimo", "acima do máximo").
const char *siValueStatusText(int status);

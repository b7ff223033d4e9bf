#include "generator/signal/si_value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

constexpr std::string_view kOhm = "Ω";

struct Prefix {
    std::string_view symbol;
    int exponent;
};

constexpr std::array<Prefix, 11> kPrefixes{{{"p", -12},
                                            {"n", -9},
                                            {"u", -6},
                                            {"\u00b5", -6}, // micro sign
                                            {"\u03bc", -6}, // Greek mu
                                            {"m", -3},
                                            {"k", 3},
                                            {"K", 3},
                                            {"M", 6},
                                            {"G", 9},
                                            {"R", 0}}}; // resistor notation, Ω only

bool blank(char c) {
    return c == ' ' || c == '\t';
}
bool digit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool sameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

/// Whether `s` spells the unit (or nothing).
bool isUnit(std::string_view s, std::string_view unit) {
    s = trimmed(s);
    if (s.empty() || sameLetters(s, unit)) {
        return true;
    }
    return unit == kOhm && (s == "\u2126" || sameLetters(s, "ohm") || sameLetters(s, "ohms"));
}

/// The prefix that `s` starts with, if any (the resistor notation's R only for ohms).
const Prefix *prefixAt(std::string_view s, std::string_view unit) {
    for (const Prefix &p : kPrefixes) {
        if (s.starts_with(p.symbol) && (p.symbol != "R" || unit == kOhm)) {
            return &p;
        }
    }
    return nullptr;
}

std::string_view digitsAt(std::string_view s, std::size_t *pos) {
    const std::size_t from = *pos;
    while (*pos < s.size() && digit(s[*pos])) {
        ++*pos;
    }
    return s.substr(from, *pos - from);
}

/// A number "[-+]digits[.,digits][e[-+]digits]" or "digits<prefix>digits", then an optional
/// prefix and unit. Writes the decimal text for from_chars into *decimal.
int readNumber(std::string_view s, std::string_view unit, std::string *decimal, bool *negative) {
    std::size_t pos = 0;
    *negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+') {
        ++pos;
    }
    const std::string_view whole = digitsAt(s, &pos);
    std::string_view fraction;
    const Prefix *prefix = nullptr;
    int exponent = 0;
    if (pos < s.size() && (s[pos] == '.' || s[pos] == ',')) {
        ++pos;
        fraction = digitsAt(s, &pos);
    } else if (const Prefix *inner = prefixAt(s.substr(pos), unit);
               inner != nullptr && !whole.empty() && pos + inner->symbol.size() < s.size() &&
               digit(s[pos + inner->symbol.size()])) {
        pos += inner->symbol.size();
        prefix = inner;
        fraction = digitsAt(s, &pos);
    }
    if (whole.empty() && fraction.empty()) {
        return vantrel::kSiValueNotNumber;
    }
    if (prefix == nullptr && pos + 1 < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t after = pos + 1;
        const bool down = s[after] == '-';
        if (s[after] == '-' || s[after] == '+') {
            ++after;
        }
        const std::string_view power = digitsAt(s, &after);
        if (!power.empty() && power.size() < 5) {
            std::from_chars(power.data(), power.data() + power.size(), exponent);
            exponent = down ? -exponent : exponent;
            pos = after;
        }
    }
    std::string_view rest = trimmed(s.substr(pos));
    if (prefix == nullptr && !isUnit(rest, unit)) {
        prefix = prefixAt(rest, unit);
        if (prefix == nullptr) {
            return vantrel::kSiValueNotNumber;
        }
        rest.remove_prefix(prefix->symbol.size());
    }
    if (!isUnit(rest, unit)) {
        return vantrel::kSiValueNotNumber;
    }
    *decimal = std::string(whole.empty() ? "0" : whole) + "." + std::string(fraction) + "e" +
               std::to_string(exponent + (prefix != nullptr ? prefix->exponent : 0));
    return 0;
}

} // namespace

int parseSiValue(std::string_view text, std::string_view unit, double minValue, double maxValue,
                 double *value) {
    text = trimmed(text);
    if (text.empty()) {
        return vantrel::kSiValueEmpty;
    }
    std::string decimal;
    bool negative = false;
    if (const int status = readNumber(text, unit, &decimal, &negative); status != 0) {
        return status;
    }
    const std::size_t mark = decimal.find('e');
    if (decimal.find_first_of("123456789") > mark) {
        return vantrel::kSiValueZero;
    }
    if (negative) {
        return vantrel::kSiValueNegative;
    }
    double parsed = 0.0;
    const auto [end, error] =
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), parsed);
    if (error == std::errc::result_out_of_range) {
        // Beyond the doubles: far below any minimum, or far above any maximum.
        return decimal[mark + 1] == '-' ? vantrel::kSiValueBelowMin : vantrel::kSiValueAboveMax;
    }
    if (parsed < minValue) {
        return vantrel::kSiValueBelowMin;
    }
    if (parsed > maxValue) {
        return vantrel::kSiValueAboveMax;
    }
    *value = parsed;
    return 0;
}

const char *siValueStatusText(int status) {
    switch (status) {
    case 0:
        return "";
    case vantrel::kSiValueEmpty:
        return "valor vazio";
    case vantrel::kSiValueNegative:
        return "valor negativo";
    case vantrel::kSiValueZero:
        return "valor nulo";
    case vantrel::kSiValueBelowMin:
        return "abaixo do mínimo";
    case vantrel::kSiValueAboveMax:
        return "acima do máximo";
    default:
        return "não é um número";
    }
}

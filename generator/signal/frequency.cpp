#include "generator/signal/frequency.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace vantrel {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

/// The multiplier of an SI prefix letter, or 0 when the letter is none.
double prefixFactor(char letter) {
    switch (letter) {
    case 'm':
        return 1e-3;
    case 'k':
    case 'K':
        return 1e3;
    case 'M':
        return 1e6;
    default:
        return 0.0;
    }
}

} // namespace

std::optional<double> ParseSiValue(std::string_view text, std::string_view unit) {
    text = trimmed(text);
    std::size_t end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) {
        ++end;
    }
    int digits = 0;
    bool separator = false;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if ((c == ',' || c == '.') && !separator) {
            separator = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    std::string number(text.substr(text[0] == '+' ? 1 : 0, end - (text[0] == '+' ? 1 : 0)));
    for (char &c : number) {
        c = c == ',' ? '.' : c;
    }
    double value = 0.0;
    const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || stop != number.data() + number.size()) {
        return std::nullopt;
    }
    std::string_view rest = trimmed(text.substr(end));
    // "m" alone is milli, but "M" is mega: the prefix is a prefix only when the unit or nothing
    // follows it.
    if (!rest.empty() && prefixFactor(rest[0]) != 0.0) {
        const std::string_view after = trimmed(rest.substr(1));
        if (after.empty() || sameLetters(after, unit)) {
            return value * prefixFactor(rest[0]);
        }
    }
    if (rest.empty() || sameLetters(rest, unit)) {
        return value;
    }
    return std::nullopt;
}

std::optional<FrequencySetting> FrequencySettingFor(double hz) {
    if (!(hz >= kLowestTypedHz && hz <= kHighestTypedHz)) {
        return std::nullopt;
    }
    constexpr std::array<int, 7> kRanges{1, 10, 100, 1000, 10000, 100000, 1000000};
    constexpr double kStepsPerUnit = 100.0; // the dial moves in hundredths
    constexpr double kLastStep = 200.0;
    for (const int range : kRanges) {
        const double steps = std::round(hz / range * kStepsPerUnit);
        if (steps <= kLastStep) {
            return FrequencySetting{range, steps / kStepsPerUnit};
        }
    }
    return std::nullopt;
}

} // namespace vantrel

#include "sheetserver/protocol.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace sheetserver {

std::string encodeField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string encodeMessage(const std::vector<std::string> &fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += '\t';
        out += encodeField(fields[i]);
    }
    out += '\n';
    return out;
}

namespace {

std::optional<char> unescaped(char c) {
    switch (c) {
    case '\\':
        return '\\';
    case 't':
        return '\t';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<std::vector<std::string>> decodeMessage(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\n' || c == '\r') {
            return std::nullopt; // line breaks travel escaped; a raw one is damage
        } else if (c == '\\') {
            if (i + 1 == line.size())
                return std::nullopt;
            const auto plain = unescaped(line[++i]);
            if (!plain)
                return std::nullopt;
            fields.back() += *plain;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

namespace {

/// Reads the decimal digits at the front of text into value (at most limit); advances text.
bool takeNumber(std::string_view &text, int limit, int &value) {
    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == 0 || digits > 7)
        return false;
    const auto result = std::from_chars(text.data(), text.data() + digits, value);
    if (result.ec != std::errc() || value < 1 || value > limit)
        return false;
    text.remove_prefix(digits);
    return true;
}

bool takeLetter(std::string_view &text, char upper) {
    if (text.empty() || std::toupper(static_cast<unsigned char>(text.front())) != upper)
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::optional<CellAddress> parseCellItem(std::string_view item) {
    CellAddress cell{};
    if (!takeLetter(item, 'R') || !takeNumber(item, kMaxRow, cell.row) || !takeLetter(item, 'C') ||
        !takeNumber(item, kMaxColumn, cell.column) || !item.empty())
        return std::nullopt;
    return cell;
}

std::string cellItemName(CellAddress cell) {
    return "R" + std::to_string(cell.row) + "C" + std::to_string(cell.column);
}

std::string formatNumber(double value) {
    // Plain digits where a spreadsheet would show them ("100000000", not "1e+08"), the exponent
    // form only for very small or very large magnitudes; both the shortest exact text.
    const double magnitude = std::fabs(value);
    const bool plain = value == 0.0 || (magnitude >= 1e-5 && magnitude < 1e15);
    char buffer[400];
    const auto result =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
              : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace sheetserver

#include "measure/link_record.h"

#include <algorithm>
#include <cstring>

namespace {

/// A path as the record may hold it: well-formed UTF-8 without control characters.
bool isPathText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x20 || lead == 0x7F) {
            return false;
        }
        std::size_t length = 1;
        unsigned int code = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07U;
        } else if (lead >= 0xE0) {
            length = 3;
            code = lead & 0x0FU;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1FU;
        } else if (lead >= 0x80) {
            return false;
        }
        if (lead > 0xF4 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0U) != 0x80U) {
                return false;
            }
            code = (code << 6U) | (next & 0x3FU);
        }
        // Overlong forms, surrogates and code points beyond Unicode.
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
            return false;
        }
        i += length;
    }
    return true;
}

std::optional<std::string> readField(std::string_view field) {
    const std::size_t end = field.find('\0');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view text = field.substr(0, end);
    if (!isPathText(text)) {
        return std::nullopt;
    }
    return std::string(text);
}

bool fits(std::string_view path) {
    return path.size() <= kRecordMaxPath && isPathText(path);
}

} // namespace

std::optional<LinkRecord> ParseLinkRecord(std::string_view bytes) {
    if (bytes.size() != kRecordSize) {
        return std::nullopt;
    }
    std::optional<std::string> program = readField(bytes.substr(0, kRecordFieldSize));
    std::optional<std::string> file = readField(bytes.substr(kRecordFieldSize, kRecordFieldSize));
    if (!program || !file) {
        return std::nullopt;
    }
    return LinkRecord{std::move(*program), std::move(*file)};
}

std::optional<std::array<char, kRecordSize>> BuildLinkRecord(std::string_view program,
                                                             std::string_view file) {
    if (!fits(program) || !fits(file)) {
        return std::nullopt;
    }
    std::array<char, kRecordSize> record{};
    std::copy(program.begin(), program.end(), record.begin());
    std::copy(file.begin(), file.end(), record.begin() + kRecordFieldSize);
    return record;
}

std::string QuoteCommandWord(std::string_view word, bool force) {
    // Only printable ASCII stays bare: the launcher also splits at blanks beyond ASCII.
    const bool plain = std::all_of(word.begin(), word.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte > 0x20 && byte < 0x7F && c != '"';
    });
    if (plain && !force && !word.empty()) {
        return std::string(word);
    }
    std::string quoted = "\"";
    for (const char c : word) {
        quoted += c == '"' ? std::string("\"\"\"") : std::string(1, c);
    }
    quoted += '"';
    return quoted;
}

#include "app/engine/dde_protocol.h"

namespace dde {

namespace {

void appendEscaped(std::string &out, std::string_view field) {
    for (const char c : field) {
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
}

} // namespace

std::string EncodeLine(const std::vector<std::string> &fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += '\t';
        }
        appendEscaped(line, fields[i]);
    }
    line += '\n';
    return line;
}

std::optional<std::vector<std::string>> DecodeLine(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
            continue;
        }
        if (c == '\n' || c == '\r') {
            return std::nullopt;
        }
        if (c != '\\') {
            fields.back() += c;
            continue;
        }
        if (++i == line.size()) {
            return std::nullopt;
        }
        switch (line[i]) {
        case '\\':
            fields.back() += '\\';
            break;
        case 't':
            fields.back() += '\t';
            break;
        case 'n':
            fields.back() += '\n';
            break;
        case 'r':
            fields.back() += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return fields;
}

bool LineBuffer::append(std::string_view bytes) {
    if (failed_) {
        return false;
    }
    pending_.append(bytes);
    // Only the part after the last line break can still be too long.
    const std::size_t lastBreak = pending_.rfind('\n');
    const std::size_t tail =
        lastBreak == std::string::npos ? pending_.size() : pending_.size() - lastBreak - 1;
    if (tail > kMaxLineBytes) {
        failed_ = true;
        pending_.clear();
        scanned_ = 0;
    }
    return !failed_;
}

std::optional<std::string> LineBuffer::takeLine() {
    if (failed_) {
        return std::nullopt;
    }
    const std::size_t end = pending_.find('\n', scanned_);
    if (end == std::string::npos) {
        scanned_ = pending_.size();
        return std::nullopt;
    }
    if (end > kMaxLineBytes) {
        failed_ = true;
        pending_.clear();
        scanned_ = 0;
        return std::nullopt;
    }
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    scanned_ = 0;
    return line;
}

} // namespace dde

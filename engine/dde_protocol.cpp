#include "engine/dde_protocol.h"

namespace dde {

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

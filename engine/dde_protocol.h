#pragma once
/// The line format that the DDE client and the spreadsheet server exchange over a local socket.
///
/// A message is one line of UTF-8 text ending in '\n'; its fields are separated by one TAB, and
/// inside a field a backslash escapes "\\", "\t", "\n" and "\r", so that any text (paths with
/// tabs or line breaks included) travels in one field. No Qt: the fuzz target links it alone.
/// This side adds the buffer that cuts the received bytes into lines.

#include "sheetserver/protocol.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dde {

// The codec is the spreadsheet server's own, so that both ends of the link speak one format.
using sheetserver::decodeMessage;
using sheetserver::encodeMessage;
using sheetserver::kMaxLineBytes;

/// Collects bytes as they arrive and hands out whole lines.
class LineBuffer {
public:
    /// Appends received bytes. Returns false once the pending line is longer than
    /// kMaxLineBytes; the buffer then stays failed.
    bool append(std::string_view bytes);
    /// The next whole line without its '\n' (a trailing '\r' is kept as data), or nothing.
    std::optional<std::string> takeLine();
    bool failed() const { return failed_; }

private:
    std::string pending_;
    std::size_t scanned_ = 0; ///< bytes of pending_ known to hold no '\n'
    bool failed_ = false;
};

} // namespace dde

#pragma once
/// The line format that the DDE client and the spreadsheet server exchange over a local socket.
///
/// A message is one line of UTF-8 text ending in '\n'; its fields are separated by one TAB, and
/// inside a field a backslash escapes "\\", "\t", "\n" and "\r", so that any text (paths with
/// tabs or line breaks included) travels in one field. No Qt: the fuzz target links it alone.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dde {

/// Longest line, terminator excluded, that either side accepts; a longer one is a protocol
/// error and ends the connection.
inline constexpr std::size_t kMaxLineBytes = 65536;

/// Joins the fields into one line, escaped, with its terminating '\n'.
std::string EncodeLine(const std::vector<std::string> &fields);

/// Splits one line (without its '\n') into unescaped fields. Empty on a malformed line: an
/// unknown escape, a backslash at the end, or a raw line break.
std::optional<std::vector<std::string>> DecodeLine(std::string_view line);

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

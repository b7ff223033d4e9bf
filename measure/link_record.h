#pragma once
/// The record file of the spreadsheet link ("memo.dat"): the spreadsheet program's path and the
/// workbook's path, remembered between runs, and the command line that starts the program.
/// Standard library only: the fuzz target links this file alone.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

/// The record is exactly 300 bytes: two fields of 150 bytes, each a NUL-terminated path of at
/// most 149 bytes (the program's at offset 0, the workbook's at offset 150).
inline constexpr std::size_t kRecordSize = 300;
inline constexpr std::size_t kRecordFieldSize = 150;
inline constexpr std::size_t kRecordMaxPath = kRecordFieldSize - 1;

struct LinkRecord {
    std::string program;
    std::string file;
};

/// Reads a record. Nothing when the bytes are not one: a wrong size, a field without its NUL,
/// or a path that is not UTF-8 text (control characters included).
std::optional<LinkRecord> ParseLinkRecord(std::string_view bytes);

/// Builds the 300 bytes of a record (unused bytes zero). Nothing when a path does not fit
/// (over 149 bytes) or could not be read back (not UTF-8 text).
std::optional<std::array<char, kRecordSize>> BuildLinkRecord(std::string_view program,
                                                             std::string_view file);

/// One word of a command line: quoted when it holds blanks or quotes (always when `force`),
/// with each quote inside written as three quotes, so that the launcher splits it back into
/// exactly this word.
std::string QuoteCommandWord(std::string_view word, bool force);

#pragma once
// The line protocol of the spreadsheet link: one message per line of UTF-8 text ending in '\n',
// fields separated by one TAB, and inside a field the escapes \\ \t \n \r. Standard library
// only, so that the server, its tests and the fuzz targets share one codec.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sheetserver {

/// Longest line (without its '\n') that either side accepts; a longer one ends the connection.
inline constexpr std::size_t kMaxLineBytes = 65536;

/// Escapes one field so that it holds no TAB, line break or lone backslash.
std::string encodeField(std::string_view field);

/// One whole message: the escaped fields joined by TAB, ending in '\n'.
std::string encodeMessage(const std::vector<std::string> &fields);

/// Splits one line (without its '\n') into its unescaped fields. Empty when a backslash is
/// followed by anything but \ t n r, or ends the line, or when the line holds a raw line break.
std::optional<std::vector<std::string>> decodeMessage(std::string_view line);

/// A cell of the first sheet, both numbers from 1.
struct CellAddress {
    int row;
    int column;
};

/// Largest row and column that an item may name (the size of a modern worksheet).
inline constexpr int kMaxRow = 1048576;
inline constexpr int kMaxColumn = 16384;

/// Parses an item "RnCm" (case-insensitive, decimal digits only). Empty when malformed or out
/// of the worksheet.
std::optional<CellAddress> parseCellItem(std::string_view item);

/// The item name of a cell, "R6C3".
std::string cellItemName(CellAddress cell);

/// The shortest text that reads back as the same double; plain digits between 1e-5 and 1e15.
std::string formatNumber(double value);

} // namespace sheetserver

#pragma once
// The first sheet of a workbook file as cell texts, read with liborcus (.xlsx, .ods, .csv) or
// FreeXL (.xls). A hostile file costs only this process: the file size and what its zip
// container inflates to are capped before any parser sees it.

#include "sheetserver/protocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace sheetserver {

/// Largest workbook file that is read at all.
inline constexpr std::uintmax_t kMaxFileBytes = 64u << 20;
/// Largest total that the entries of a zip container (.xlsx, .ods) may inflate to.
inline constexpr std::uint64_t kMaxInflatedBytes = 256u << 20;
/// Most non-empty cells kept from the first sheet.
inline constexpr std::size_t kMaxCells = 2'000'000;

/// What reading one cell gives: its text, or a message for the user naming the cell.
struct CellRead {
    bool ok = false;
    std::string text;
};

class Workbook {
public:
    /// Stores the text of a cell; row and column from 0 as the parsers give them.
    void setText(int row, int column, std::string text);
    /// Marks a formula cell whose file holds no computed result.
    void setFormulaWithoutValue(int row, int column);
    /// Cells inside rows x columns that hold nothing are unreadable: in an .xls a formula cell
    /// looks empty to the reader, and an empty text would read as a silent zero.
    void setOpaqueEmptyArea(int rows, int columns);
    std::size_t cellCount() const { return cells_.size(); }

    CellRead read(CellAddress cell) const;

private:
    struct Cell {
        std::string text;
        bool formulaWithoutValue = false;
    };
    static std::uint64_t key(int row, int column);

    std::unordered_map<std::uint64_t, Cell> cells_;
    int opaqueRows_ = 0;
    int opaqueColumns_ = 0;
};

/// A loaded workbook, or the reason why it could not be read (a sentence naming the file).
struct LoadResult {
    std::optional<Workbook> workbook;
    std::string error;
};

/// Reads the first sheet of the file, choosing the reader by the file name's extension.
LoadResult loadWorkbook(const std::string &path);

} // namespace sheetserver

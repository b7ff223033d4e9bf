#pragma once
// The readers behind loadWorkbook(), one per file family. Each gives the first sheet or a short
// Portuguese reason (without the file name, which the caller adds).

#include "sheetserver/workbook.h"

#include <exception>
#include <optional>
#include <string>

namespace sheetserver {

/// Thrown from Workbook when a sheet holds more cells than kMaxCells.
struct TooManyCells : std::exception {
    const char *what() const noexcept override { return "too many cells"; }
};

struct ReadOutcome {
    std::optional<Workbook> workbook;
    std::string problem;
};

enum class ZippedFormat { Xlsx, Ods };

ReadOutcome readCsv(const std::string &path);
/// Checks the zip container's inflated size first, then imports with liborcus.
ReadOutcome readZipped(const std::string &path, ZippedFormat format);
ReadOutcome readXls(const std::string &path);

/// Why the zip container at path must not be imported, or nothing when it may be.
std::optional<std::string> zipContainerProblem(const std::string &path);

} // namespace sheetserver

#pragma once
// Writes small workbooks for the server's tests: .csv as text, .xlsx and .ods as zip packages
// built with libzip, so that every test makes the exact file it needs.

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testfiles {

/// One cell: a number or a text, optionally with a formula; cached false leaves the file
/// without the formula's computed value.
struct Cell {
    std::string value;
    bool number = true;
    std::string formula;
    bool cached = true;
};

/// Cells by (row, column), both from 1.
using Sheet = std::map<std::pair<int, int>, Cell>;

Cell number(double value);
Cell text(std::string value);
/// A formula cell; value is its cached result (a number).
Cell formula(std::string formula, double value, bool cached = true);

/// The data-link layout: frequency, points, sample column and first row, and 600 samples
/// (sample i = 100000 * sin(2 pi i / 600)) in that column from that row.
Sheet signalSheet(double frequency = 1000.0, int column = 2, int firstRow = 12);

void writeCsv(const std::string &path, const Sheet &sheet);
void writeXlsx(const std::string &path, const Sheet &sheet);
void writeOds(const std::string &path, const Sheet &sheet);
/// Writes the sheet in the format that the path's extension names (.csv, .xlsx, .ods).
void writeSheet(const std::string &path, const Sheet &sheet);

/// A zip file of the named entries; compress false stores them.
void writeZip(const std::string &path,
              const std::vector<std::pair<std::string, std::string>> &entries,
              bool compress = true);

} // namespace testfiles

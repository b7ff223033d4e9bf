#include "sheetserver/workbook.h"
#include "engine/translate.h"

#include "sheetserver/workbook_readers.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace sheetserver {

std::uint64_t Workbook::key(int row, int column) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(column);
}

void Workbook::setText(int row, int column, std::string text) {
    if (row < 0 || column < 0)
        return;
    if (cells_.size() >= kMaxCells && !cells_.contains(key(row, column)))
        throw TooManyCells();
    cells_[key(row, column)] = Cell{std::move(text), false};
}

void Workbook::setFormulaWithoutValue(int row, int column) {
    if (row < 0 || column < 0)
        return;
    if (cells_.size() >= kMaxCells && !cells_.contains(key(row, column)))
        throw TooManyCells();
    cells_[key(row, column)] = Cell{std::string(), true};
}

void Workbook::setOpaqueEmptyArea(int rows, int columns) {
    opaqueRows_ = rows;
    opaqueColumns_ = columns;
}

CellRead Workbook::read(CellAddress cell) const {
    const int row = cell.row - 1;
    const int column = cell.column - 1;
    const auto found = cells_.find(key(row, column));
    if (found != cells_.end() && found->second.formulaWithoutValue)
        return {false,
                cellItemName(cell) + ": " +
                    QT_TRANSLATE_NOOP("Vantrel", "célula com fórmula sem valor guardado; abra o "
                                                 "ficheiro num editor de folhas de cálculo e "
                                                 "guarde-o")};
    if (found != cells_.end())
        return {true, found->second.text};
    if (row < opaqueRows_ && column < opaqueColumns_)
        return {false, cellItemName(cell) + ": " +
                           QT_TRANSLATE_NOOP("Vantrel", "célula vazia ou com fórmula sem valor "
                                                        "guardado num .xls; guarde o ficheiro como "
                                                        ".xlsx ou .ods")};
    return {true, std::string()};
}

namespace {

std::string lowerExtension(const std::filesystem::path &path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

LoadResult loadWorkbook(const std::string &path) {
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return {std::nullopt,
                name + ": " + QT_TRANSLATE_NOOP("Vantrel", "ficheiro não encontrado")};
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        return {std::nullopt,
                name + ": " + QT_TRANSLATE_NOOP("Vantrel", "não foi possível ler o ficheiro")};
    if (size > kMaxFileBytes)
        return {std::nullopt, name + ": ficheiro demasiado grande (mais de 64 MiB)"};

    const std::string extension = lowerExtension(file);
    ReadOutcome outcome;
    if (extension == ".csv")
        outcome = readCsv(path);
    else if (extension == ".xlsx")
        outcome = readZipped(path, ZippedFormat::Xlsx);
    else if (extension == ".ods")
        outcome = readZipped(path, ZippedFormat::Ods);
    else if (extension == ".xls")
        outcome = readXls(path);
    else
        return {std::nullopt, name + ": " +
                                  QT_TRANSLATE_NOOP("Vantrel", "formato não reconhecido; use .xls, "
                                                               ".xlsx, .ods ou .csv")};

    if (outcome.workbook)
        return {std::move(outcome.workbook), std::string()};
    return {std::nullopt, name + ": " + outcome.problem};
}

} // namespace sheetserver

#pragma once
// A liborcus import factory that keeps only the cell texts of the first sheet.

#include "sheetserver/workbook.h"

#include <orcus/spreadsheet/import_interface.hpp>

#include <memory>
#include <string>
#include <vector>

namespace sheetserver {

class CellCollector : public orcus::spreadsheet::iface::import_factory {
public:
    CellCollector();
    ~CellCollector() override;

    orcus::spreadsheet::iface::import_shared_strings *get_shared_strings() override;
    orcus::spreadsheet::iface::import_reference_resolver *
    get_reference_resolver(orcus::spreadsheet::formula_ref_context_t context) override;
    orcus::spreadsheet::iface::import_sheet *append_sheet(orcus::spreadsheet::sheet_t index,
                                                          std::string_view name) override;
    orcus::spreadsheet::iface::import_sheet *get_sheet(std::string_view name) override;
    orcus::spreadsheet::iface::import_sheet *get_sheet(orcus::spreadsheet::sheet_t index) override;
    void finalize() override {}

    bool hasSheet() const { return firstSheetName_.has_value(); }
    Workbook &workbook() { return workbook_; }

private:
    class Strings;
    class Sheet;
    class Formula;
    class References;

    Workbook workbook_;
    std::optional<std::string> firstSheetName_;
    std::unique_ptr<Strings> strings_;
    std::unique_ptr<References> references_;
    std::unique_ptr<Sheet> firstSheet_;
    std::unique_ptr<Sheet> otherSheets_;
};

} // namespace sheetserver

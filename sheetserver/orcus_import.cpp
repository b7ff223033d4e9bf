#include "sheetserver/orcus_import.h"

#include <orcus/exception.hpp>

#include <cctype>
#include <cmath>
#include <cstdio>

namespace sheetserver {

namespace ss = orcus::spreadsheet;

/// The shared string table: the texts that string cells of .xlsx and .ods refer to by index.
class CellCollector::Strings : public ss::iface::import_shared_strings {
public:
    const std::string &at(std::size_t index) const {
        static const std::string none;
        return index < texts_.size() ? texts_[index] : none;
    }

    std::size_t append(std::string_view s) override {
        texts_.emplace_back(s);
        return texts_.size() - 1;
    }
    std::size_t add(std::string_view s) override { return append(s); }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segments_ += s; }
    std::size_t commit_segments() override {
        texts_.push_back(std::move(segments_));
        segments_.clear();
        return texts_.size() - 1;
    }

private:
    std::vector<std::string> texts_;
    std::string segments_;
};

/// Cell references in A1 notation ("B12", "$A$1", "A1:C3"), which .xlsx uses to place cells.
class CellCollector::References : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override {
        ss::src_address_t cell{0, 0, 0};
        std::string_view rest = address;
        skipDollar(rest);
        int column = 0;
        std::size_t letters = 0;
        while (!rest.empty() && std::isalpha(static_cast<unsigned char>(rest.front())) &&
               letters < 3) {
            column =
                column * 26 + (std::toupper(static_cast<unsigned char>(rest.front())) - 'A' + 1);
            rest.remove_prefix(1);
            ++letters;
        }
        skipDollar(rest);
        int row = 0;
        std::size_t digits = 0;
        while (!rest.empty() && std::isdigit(static_cast<unsigned char>(rest.front())) &&
               digits < 7) {
            row = row * 10 + (rest.front() - '0');
            rest.remove_prefix(1);
            ++digits;
        }
        if (letters == 0 || digits == 0 || !rest.empty() || row < 1 || row > kMaxRow ||
            column > kMaxColumn)
            throw orcus::invalid_arg_error("not a cell reference");
        cell.row = row - 1;
        cell.column = column - 1;
        return cell;
    }

    ss::src_range_t resolve_range(std::string_view range) override {
        const std::size_t colon = range.find(':');
        if (colon == std::string_view::npos) {
            const ss::src_address_t cell = resolve_address(range);
            return {cell, cell};
        }
        return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
    }

private:
    static void skipDollar(std::string_view &text) {
        if (!text.empty() && text.front() == '$')
            text.remove_prefix(1);
    }
};

/// A formula cell: what counts is its cached result, which the file may or may not hold.
class CellCollector::Formula : public ss::iface::import_formula {
public:
    explicit Formula(Workbook *target) : target_(target) {}

    void set_position(ss::row_t row, ss::col_t column) override {
        row_ = row;
        column_ = column;
        result_.reset();
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override { result_ = std::string(value); }
    // A formula without a stored value reaches here as NaN (.xlsx) or as an empty result.
    void set_result_value(double value) override {
        if (std::isnan(value))
            result_.reset();
        else
            result_ = formatNumber(value);
    }
    void set_result_bool(bool value) override { result_ = value ? "TRUE" : "FALSE"; }
    void set_result_empty() override { result_.reset(); }
    void commit() override {
        if (target_ && result_)
            target_->setText(row_, column_, std::move(*result_));
        else if (target_)
            target_->setFormulaWithoutValue(row_, column_);
        result_.reset();
    }

private:
    Workbook *target_;
    ss::row_t row_ = -1;
    ss::col_t column_ = -1;
    std::optional<std::string> result_;
};

/// One sheet: the first one writes into the workbook, any other one (target null) is dropped.
class CellCollector::Sheet : public ss::iface::import_sheet {
public:
    Sheet(Workbook *target, const Strings &strings)
        : target_(target), strings_(strings), formula_(target) {}

    ss::iface::import_formula *get_formula() override { return &formula_; }

    void set_auto(ss::row_t row, ss::col_t column, std::string_view s) override {
        store(row, column, std::string(s));
    }
    void set_string(ss::row_t row, ss::col_t column, ss::string_id_t index) override {
        store(row, column, strings_.at(index));
    }
    void set_value(ss::row_t row, ss::col_t column, double value) override {
        store(row, column, formatNumber(value));
    }
    void set_bool(ss::row_t row, ss::col_t column, bool value) override {
        store(row, column, value ? "TRUE" : "FALSE");
    }
    void set_date_time(ss::row_t row, ss::col_t column, int year, int month, int day, int hour,
                       int minute, double second) override {
        char text[80];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02.0f", year, month, day, hour,
                      minute, second);
        store(row, column, text);
    }
    void set_format(ss::row_t, ss::col_t, std::size_t) override {}
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, std::size_t) override {}
    void fill_down_cells(ss::row_t row, ss::col_t column, ss::row_t count) override {
        if (!target_)
            return;
        const CellRead source = target_->read({row + 1, column + 1});
        for (ss::row_t i = 1; i <= count && row + i < kMaxRow; ++i)
            target_->setText(row + i, column, source.text);
    }
    ss::range_size_t get_sheet_size() const override { return {kMaxRow, kMaxColumn}; }

private:
    void store(ss::row_t row, ss::col_t column, std::string text) {
        if (target_)
            target_->setText(row, column, std::move(text));
    }

    Workbook *target_;
    const Strings &strings_;
    Formula formula_;
};

CellCollector::CellCollector()
    : strings_(std::make_unique<Strings>()), references_(std::make_unique<References>()),
      firstSheet_(std::make_unique<Sheet>(&workbook_, *strings_)),
      otherSheets_(std::make_unique<Sheet>(nullptr, *strings_)) {}

CellCollector::~CellCollector() = default;

ss::iface::import_shared_strings *CellCollector::get_shared_strings() {
    return strings_.get();
}

ss::iface::import_reference_resolver *
CellCollector::get_reference_resolver(ss::formula_ref_context_t) {
    return references_.get();
}

ss::iface::import_sheet *CellCollector::append_sheet(ss::sheet_t index, std::string_view name) {
    if (index == 0 && !firstSheetName_) {
        firstSheetName_ = std::string(name);
        return firstSheet_.get();
    }
    return otherSheets_.get();
}

ss::iface::import_sheet *CellCollector::get_sheet(std::string_view name) {
    if (firstSheetName_ && *firstSheetName_ == name)
        return firstSheet_.get();
    return otherSheets_.get();
}

ss::iface::import_sheet *CellCollector::get_sheet(ss::sheet_t index) {
    if (index == 0 && firstSheetName_)
        return firstSheet_.get();
    return otherSheets_.get();
}

} // namespace sheetserver

#include "workbook_files.h"

#include <zip.h>

#include <cmath>
#include <fstream>
#include <iomanip>
#include <numbers>
#include <sstream>
#include <stdexcept>

namespace testfiles {

Cell number(double value) {
    std::ostringstream out;
    out << std::setprecision(17) << value;
    return {out.str(), true, {}, true};
}

Cell text(std::string value) {
    return {std::move(value), false, {}, true};
}

Cell formula(std::string expression, double value, bool cached) {
    Cell cell = number(value);
    cell.formula = std::move(expression);
    cell.cached = cached;
    return cell;
}

Sheet signalSheet(double frequency, int column, int firstRow) {
    Sheet sheet;
    sheet[{4, 4}] = number(frequency * 100000.0);
    sheet[{5, 2}] = number(0);
    sheet[{6, 3}] = number(600);
    sheet[{8, 3}] = number(column);
    sheet[{9, 3}] = number(firstRow);
    for (int i = 0; i < 600; ++i)
        sheet[{firstRow + i, column}] = number(100000.0 * std::sin(2 * std::numbers::pi * i / 600));
    return sheet;
}

namespace {

std::string escapeXml(const std::string &text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string columnLetters(int column) {
    std::string letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

int lastRow(const Sheet &sheet) {
    return sheet.empty() ? 0 : sheet.rbegin()->first.first;
}

int lastColumn(const Sheet &sheet) {
    int last = 0;
    for (const auto &entry : sheet)
        last = std::max(last, entry.first.second);
    return last;
}

} // namespace

void writeCsv(const std::string &path, const Sheet &sheet) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int row = 1; row <= lastRow(sheet); ++row) {
        for (int column = 1; column <= lastColumn(sheet); ++column) {
            if (column > 1)
                out << ',';
            const auto found = sheet.find({row, column});
            if (found != sheet.end())
                out << found->second.value;
        }
        out << '\n';
    }
}

void writeZip(const std::string &path,
              const std::vector<std::pair<std::string, std::string>> &entries, bool compress) {
    int error = 0;
    zip_t *archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("cannot create " + path);
    for (const auto &[name, content] : entries) {
        zip_source_t *source = zip_source_buffer(archive, content.data(), content.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add " + name);
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 1);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write " + path);
    }
}

void writeXlsx(const std::string &path, const Sheet &sheet) {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string pkg = "http://schemas.openxmlformats.org/package/2006";
    std::string rows;
    std::string strings;
    int stringCount = 0;
    int currentRow = 0;
    for (const auto &[position, cell] : sheet) {
        if (position.first != currentRow) {
            if (currentRow != 0)
                rows += "</row>";
            currentRow = position.first;
            rows += "<row r=\"" + std::to_string(currentRow) + "\">";
        }
        const std::string ref = columnLetters(position.second) + std::to_string(position.first);
        if (!cell.number) {
            rows += "<c r=\"" + ref + "\" t=\"s\"><v>" + std::to_string(stringCount++) + "</v></c>";
            strings += "<si><t>" + escapeXml(cell.value) + "</t></si>";
            continue;
        }
        rows += "<c r=\"" + ref + "\">";
        if (!cell.formula.empty())
            rows += "<f>" + escapeXml(cell.formula) + "</f>";
        if (cell.cached)
            rows += "<v>" + cell.value + "</v>";
        rows += "</c>";
    }
    if (currentRow != 0)
        rows += "</row>";
    writeZip(path,
             {{"[Content_Types].xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"" + pkg +
                   "/content-types\"><Default Extension=\"rels\" "
                   "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                   "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Override "
                   "PartName=\"/xl/workbook.xml\" "
                   "ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/><Override "
                   "PartName=\"/xl/worksheets/sheet1.xml\" "
                   "ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/><Override "
                   "PartName=\"/xl/sharedStrings.xml\" "
                   "ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/></Types>"},
              {"_rels/.rels", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"" +
                                  pkg + "/relationships\"><Relationship Id=\"rId1\" Type=\"" + rel +
                                  "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
              {"xl/workbook.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"" +
                                      main + "\" xmlns:r=\"" + rel +
                                      "\"><sheets><sheet name=\"Folha1\" sheetId=\"1\" "
                                      "r:id=\"rId1\"/></sheets></workbook>"},
              {"xl/_rels/workbook.xml.rels",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"" + pkg +
                   "/relationships\"><Relationship Id=\"rId1\" Type=\"" + rel +
                   "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                   "Type=\"" +
                   rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
              {"xl/sharedStrings.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst xmlns=\"" +
                                           main + "\">" + strings + "</sst>"},
              {"xl/worksheets/sheet1.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
                                           "xmlns=\"" +
                                               main + "\"><sheetData>" + rows +
                                               "</sheetData></worksheet>"}});
}

void writeOds(const std::string &path, const Sheet &sheet) {
    const std::string office = "urn:oasis:names:tc:opendocument:xmlns";
    std::string rows;
    for (int row = 1; row <= lastRow(sheet); ++row) {
        rows += "<table:table-row>";
        for (int column = 1; column <= lastColumn(sheet); ++column) {
            const auto found = sheet.find({row, column});
            if (found == sheet.end()) {
                rows += "<table:table-cell/>";
                continue;
            }
            const Cell &cell = found->second;
            if (!cell.number) {
                rows += "<table:table-cell office:value-type=\"string\"><text:p>" +
                        escapeXml(cell.value) + "</text:p></table:table-cell>";
                continue;
            }
            rows += "<table:table-cell";
            if (cell.cached)
                rows += " office:value-type=\"float\" office:value=\"" + cell.value + "\"";
            if (!cell.formula.empty())
                rows += " table:formula=\"of:=" + escapeXml(cell.formula) + "\"";
            rows += cell.cached ? "><text:p>" + cell.value + "</text:p></table:table-cell>" : "/>";
        }
        rows += "</table:table-row>";
    }
    const std::string content =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content xmlns:office=\"" +
        office + ":office:1.0\" xmlns:table=\"" + office + ":table:1.0\" xmlns:text=\"" + office +
        ":text:1.0\" xmlns:of=\"" + office +
        ":of:1.2\" office:version=\"1.2\"><office:body><office:spreadsheet><table:table "
        "table:name=\"Folha1\">" +
        rows + "</table:table></office:spreadsheet></office:body></office:document-content>";
    const std::string manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><manifest:manifest xmlns:manifest=\"" + office +
        ":manifest:1.0\"><manifest:file-entry manifest:full-path=\"/\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" "
        "manifest:media-type=\"text/xml\"/></manifest:manifest>";
    writeZip(path, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", content},
                    {"META-INF/manifest.xml", manifest}});
}

void writeSheet(const std::string &path, const Sheet &sheet) {
    const auto dot = path.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : path.substr(dot);
    if (extension == ".csv")
        writeCsv(path, sheet);
    else if (extension == ".xlsx")
        writeXlsx(path, sheet);
    else if (extension == ".ods")
        writeOds(path, sheet);
    else
        throw std::invalid_argument("no writer for " + path);
}

} // namespace testfiles

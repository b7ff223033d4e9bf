// The workbook readers and the line codec of the spreadsheet server, in process: every format
// gives the data-link cells at full precision, formula cells give their stored results, and a
// file that cannot be read is refused with a sentence naming it.

#include "sheetserver/protocol.h"
#include "sheetserver/workbook.h"
#include "workbook_files.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

using namespace sheetserver;

namespace {

std::string inDir(const QTemporaryDir &dir, const char *name) {
    return dir.filePath(QString::fromUtf8(name)).toStdString();
}

/// The cell's text, failing the test when the read is refused.
std::string cellText(const Workbook &workbook, int row, int column) {
    const CellRead read = workbook.read({row, column});
    if (!read.ok)
        qWarning("R%dC%d refused: %s", row, column, read.text.c_str());
    return read.ok ? read.text : std::string("<refused>");
}

Workbook loaded(const std::string &path) {
    LoadResult result = loadWorkbook(path);
    if (!result.workbook)
        qWarning("%s", result.error.c_str());
    return result.workbook ? std::move(*result.workbook) : Workbook();
}

void copyPrefix(const std::string &from, const std::string &to, std::size_t bytes) {
    std::ifstream in(from, std::ios::binary);
    std::string data(bytes, '\0');
    in.read(data.data(), static_cast<std::streamsize>(bytes));
    data.resize(static_cast<std::size_t>(in.gcount()));
    std::ofstream(to, std::ios::binary) << data;
}

} // namespace

class TestWorkbook : public QObject {
    Q_OBJECT

private slots:
    void fieldsSurviveTheLine_data();
    void fieldsSurviveTheLine();
    void malformedEscapesAreRefused_data();
    void malformedEscapesAreRefused();
    void cellItems_data();
    void cellItems();
    void numbersReadBackExactly_data();
    void numbersReadBackExactly();

    void everyFormatGivesTheLayoutAtFullPrecision_data();
    void everyFormatGivesTheLayoutAtFullPrecision();
    void templatesHoldOnePeriodOfTheSine_data();
    void templatesHoldOnePeriodOfTheSine();
    void formulaCellsGiveTheirStoredResult_data();
    void formulaCellsGiveTheirStoredResult();
    void xlsFormulaCellIsAnErrorNamingTheCell();
    void workbooksSavedByAnEditorRead_data();
    void workbooksSavedByAnEditorRead();
    void textAndEmptyCells_data();
    void textAndEmptyCells();
    void unreadableFilesAreRefusedByName_data();
    void unreadableFilesAreRefusedByName();
};

void TestWorkbook::fieldsSurviveTheLine_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("plain") << QStringList{"READ", "R6C3"};
    QTest::newRow("path with tab and newline") << QStringList{"CONNECT", "/tmp/a\tb\nc.xls"};
    QTest::newRow("backslashes") << QStringList{"OK", "C:\\Excel\\\\t"};
    QTest::newRow("carriage return and empty") << QStringList{"DATA", "", "\r\n", "fim\\"};
    QTest::newRow("non-ASCII") << QStringList{"CONNECT", "/home/joão/\"sinal\" ç.ods"};
}

void TestWorkbook::fieldsSurviveTheLine() {
    QFETCH(QStringList, fields);
    std::vector<std::string> plain;
    for (const QString &field : fields)
        plain.push_back(field.toStdString());
    const std::string line = encodeMessage(plain);
    QCOMPARE(line.back(), '\n');
    const std::string body = line.substr(0, line.size() - 1);
    QCOMPARE(body.find('\n'), std::string::npos);
    QCOMPARE(static_cast<int>(std::count(body.begin(), body.end(), '\t')), fields.size() - 1);
    const auto decoded = decodeMessage(body);
    QVERIFY(decoded.has_value());
    QCOMPARE(*decoded, plain);
}

void TestWorkbook::malformedEscapesAreRefused_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("backslash at the end") << "READ\tR1C1\\";
    QTest::newRow("unknown escape") << "CONNECT\t\\x";
    QTest::newRow("escaped quote") << "CONNECT\t\\\"a\\\"";
}

void TestWorkbook::malformedEscapesAreRefused() {
    QFETCH(QString, line);
    QVERIFY(!decodeMessage(line.toStdString()).has_value());
}

void TestWorkbook::cellItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("R6C3") << "R6C3" << 6 << 3;
    QTest::newRow("lower case") << "r611c2" << 611 << 2;
    QTest::newRow("largest") << "R1048576C16384" << 1048576 << 16384;
    QTest::newRow("leading zeros") << "R007C02" << 7 << 2;
    const int refused = -1;
    QTest::newRow("row zero") << "R0C1" << refused << refused;
    QTest::newRow("row past the sheet") << "R1048577C1" << refused << refused;
    QTest::newRow("column past the sheet") << "R1C16385" << refused << refused;
    QTest::newRow("huge number") << "R99999999999C1" << refused << refused;
    QTest::newRow("A1 notation") << "B12" << refused << refused;
    QTest::newRow("trailing text") << "R1C1 " << refused << refused;
    QTest::newRow("sign") << "R-1C1" << refused << refused;
    QTest::newRow("no column") << "R1C" << refused << refused;
    QTest::newRow("empty") << "" << refused << refused;
}

void TestWorkbook::cellItems() {
    QFETCH(QString, item);
    QFETCH(int, row);
    QFETCH(int, column);
    const auto cell = parseCellItem(item.toStdString());
    QCOMPARE(cell.has_value(), row > 0);
    if (cell) {
        QCOMPARE(cell->row, row);
        QCOMPARE(cell->column, column);
    }
}

void TestWorkbook::numbersReadBackExactly_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("frequency x 100000") << 1e8 << "100000000";
    QTest::newRow("a sample") << 1047.1784116245792 << "1047.1784116245792";
    QTest::newRow("a tenth") << 0.1 << "0.1";
    QTest::newRow("a third") << 1.0 / 3.0 << "0.3333333333333333";
    QTest::newRow("negative small") << -2.5e-7 << "-2.5e-07";
    QTest::newRow("tiny") << 1e-300 << "1e-300";
    QTest::newRow("huge") << 1.5e300 << "1.5e+300";
    QTest::newRow("zero") << 0.0 << "0";
}

void TestWorkbook::numbersReadBackExactly() {
    QFETCH(double, value);
    QFETCH(QString, text);
    const std::string formatted = formatNumber(value);
    QCOMPARE(QString::fromStdString(formatted), text);
    QCOMPARE(std::strtod(formatted.c_str(), nullptr), value);
}

void TestWorkbook::everyFormatGivesTheLayoutAtFullPrecision_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("firstRow");
    for (const char *name : {"sinal.csv", "sinal.xlsx", "sinal.ods"}) {
        QTest::newRow(name) << name << 2 << 12;
        QTest::newRow(qPrintable(QString("%1 moved").arg(name))) << name << 5 << 40;
    }
}

void TestWorkbook::everyFormatGivesTheLayoutAtFullPrecision() {
    QFETCH(QString, name);
    QFETCH(int, column);
    QFETCH(int, firstRow);
    QTemporaryDir dir;
    const std::string path = inDir(dir, qPrintable(name));
    testfiles::writeSheet(path, testfiles::signalSheet(1234.5, column, firstRow));
    const Workbook workbook = loaded(path);
    QCOMPARE(cellText(workbook, 4, 4), std::string("123450000"));
    QCOMPARE(cellText(workbook, 6, 3), std::string("600"));
    QCOMPARE(cellText(workbook, 8, 3), std::to_string(column));
    QCOMPARE(cellText(workbook, 9, 3), std::to_string(firstRow));
    for (int i = 0; i < 600; ++i) {
        const double expected = 100000.0 * std::sin(2 * std::numbers::pi * i / 600);
        const std::string read = cellText(workbook, firstRow + i, column);
        QCOMPARE(std::strtod(read.c_str(), nullptr), expected);
    }
    QCOMPARE(cellText(workbook, firstRow + 600, column), std::string());
}

void TestWorkbook::templatesHoldOnePeriodOfTheSine_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"template.xls", "template.xlsx", "template.ods", "template.csv"})
        QTest::newRow(name) << name;
}

void TestWorkbook::templatesHoldOnePeriodOfTheSine() {
    QFETCH(QString, name);
    const Workbook workbook = loaded(std::string(TEMPLATE_DIR "/") + name.toStdString());
    QCOMPARE(cellText(workbook, 4, 4), std::string("100000000"));
    QCOMPARE(cellText(workbook, 6, 3), std::string("600"));
    QCOMPARE(cellText(workbook, 8, 3), std::string("2"));
    QCOMPARE(cellText(workbook, 9, 3), std::string("12"));
    QVERIFY(workbook.read({5, 2}).ok);
    for (int i = 0; i < 600; ++i) {
        const double expected = 100000.0 * std::sin(2 * std::numbers::pi * i / 600);
        const double read = std::strtod(cellText(workbook, 12 + i, 2).c_str(), nullptr);
        QVERIFY2(std::fabs(read - expected) < 1e-6, qPrintable(QString("sample %1").arg(i)));
    }
}

void TestWorkbook::formulaCellsGiveTheirStoredResult_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cached");
    for (const char *name : {"pontos.xlsx", "pontos.ods"}) {
        QTest::newRow(qPrintable(QString("%1 with result").arg(name))) << name << true;
        QTest::newRow(qPrintable(QString("%1 without result").arg(name))) << name << false;
    }
}

void TestWorkbook::formulaCellsGiveTheirStoredResult() {
    QFETCH(QString, name);
    QFETCH(bool, cached);
    QTemporaryDir dir;
    const std::string path = inDir(dir, qPrintable(name));
    testfiles::Sheet sheet = testfiles::signalSheet();
    sheet[{6, 3}] = testfiles::formula("COUNT(B12:B611)", 600, cached);
    sheet[{4, 4}] = testfiles::formula("1000*100000", 1e8, true);
    testfiles::writeSheet(path, sheet);
    const Workbook workbook = loaded(path);
    QCOMPARE(cellText(workbook, 4, 4), std::string("100000000"));
    const CellRead points = workbook.read({6, 3});
    QCOMPARE(points.ok, cached);
    if (cached) {
        QCOMPARE(points.text, std::string("600"));
    } else {
        QVERIFY2(points.text.starts_with("R6C3: ") &&
                     points.text.find("fórmula") != std::string::npos,
                 points.text.c_str());
    }
}

void TestWorkbook::xlsFormulaCellIsAnErrorNamingTheCell() {
    const Workbook workbook = loaded(FIXTURE_DIR "/formula_points.xls");
    QCOMPARE(cellText(workbook, 9, 3), std::string("12"));
    const CellRead points = workbook.read({6, 3});
    QVERIFY(!points.ok);
    QCOMPARE(points.text, std::string("R6C3: célula vazia ou com fórmula sem valor guardado num "
                                      ".xls; guarde o ficheiro como .xlsx ou .ods"));
    // Beyond the sheet's used area an empty cell is just empty.
    QCOMPARE(cellText(workbook, 2000, 3), std::string());
}

void TestWorkbook::workbooksSavedByAnEditorRead_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"editor_saved.xlsx", "editor_saved.ods", "editor_saved.csv"})
        QTest::newRow(name) << name;
}

void TestWorkbook::workbooksSavedByAnEditorRead() {
    QFETCH(QString, name);
    const Workbook workbook = loaded(FIXTURE_DIR "/" + name.toStdString());
    QCOMPARE(cellText(workbook, 4, 4), std::string("100000000"));
    QCOMPARE(cellText(workbook, 6, 3), std::string("600"));
    QCOMPARE(cellText(workbook, 8, 3), std::string("2"));
    QCOMPARE(cellText(workbook, 9, 3), std::string("12"));
    // The editor stores 15 significant digits of each computed sample.
    for (int i = 0; i < 600; ++i) {
        const double expected = 100000.0 * std::sin(2 * std::numbers::pi * i / 600);
        const double read = std::strtod(cellText(workbook, 12 + i, 2).c_str(), nullptr);
        QVERIFY2(std::fabs(read - expected) < 1e-9, qPrintable(QString("sample %1").arg(i)));
    }
    // An .xls saved by the same editor keeps its formulas' results where FreeXL cannot see them.
    const Workbook xls = loaded(FIXTURE_DIR "/editor_saved_formulas.xls");
    QCOMPARE(cellText(xls, 8, 3), std::string("2"));
    QVERIFY(!xls.read({4, 4}).ok);
    QVERIFY(QString::fromStdString(xls.read({12, 2}).text).startsWith("R12C2: "));
}

void TestWorkbook::textAndEmptyCells_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"texto.csv", "texto.xlsx", "texto.ods"})
        QTest::newRow(name) << name;
}

void TestWorkbook::textAndEmptyCells() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    const std::string path = inDir(dir, qPrintable(name));
    testfiles::Sheet sheet;
    sheet[{1, 1}] = testfiles::text("Número de pontos");
    sheet[{2, 3}] = testfiles::number(-0.5);
    sheet[{3, 2}] = testfiles::text("seiscentos");
    testfiles::writeSheet(path, sheet);
    const Workbook workbook = loaded(path);
    QCOMPARE(cellText(workbook, 1, 1), std::string("Número de pontos"));
    QCOMPARE(cellText(workbook, 2, 3), std::string("-0.5"));
    QCOMPARE(cellText(workbook, 3, 2), std::string("seiscentos"));
    QCOMPARE(cellText(workbook, 2, 2), std::string());
    QCOMPARE(cellText(workbook, 1048576, 16384), std::string());
}

void TestWorkbook::unreadableFilesAreRefusedByName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "nada.xlsx"
                             << "ficheiro não encontrado";
    QTest::newRow("over 64 MiB") << "enorme.csv"
                                 << "demasiado grande";
    QTest::newRow("zip bomb") << "bomba.xlsx"
                              << "excede 256 MiB";
    QTest::newRow("truncated xlsx") << "cortado.xlsx"
                                    << "danificado";
    QTest::newRow("truncated ods") << "cortado.ods"
                                   << "danificado";
    QTest::newRow("truncated xls") << "cortado.xls"
                                   << "danificado";
    QTest::newRow("not an xls") << "texto.xls"
                                << "danificado";
    QTest::newRow("encrypted xlsx") << "protegido.xlsx"
                                    << "palavra-passe";
    QTest::newRow("encrypted ods") << "protegido.ods"
                                   << "palavra-passe";
    QTest::newRow("xlsx without a sheet") << "vazio.xlsx"
                                          << "nenhuma folha";
    QTest::newRow("unknown kind") << "sinal.txt"
                                  << "formato não reconhecido";
}

void TestWorkbook::unreadableFilesAreRefusedByName() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const std::string path = inDir(dir, qPrintable(name));
    const std::string good = inDir(dir, "bom.xlsx");
    testfiles::writeXlsx(good, testfiles::signalSheet());
    const auto goodSize = std::filesystem::file_size(good);

    if (name == "enorme.csv") {
        std::ofstream(path) << "1,2\n";
        std::filesystem::resize_file(path, (64u << 20) + 1);
    } else if (name == "bomba.xlsx") {
        // 33 entries of 8 MiB of zeros: a few hundred kilobytes that inflate to 264 MiB.
        const std::string zeros(8u << 20, '\0');
        std::vector<std::pair<std::string, std::string>> entries;
        for (int i = 0; i < 33; ++i)
            entries.emplace_back("xl/media/zero" + std::to_string(i) + ".bin", zeros);
        testfiles::writeZip(path, entries);
    } else if (name == "cortado.xlsx") {
        copyPrefix(good, path, goodSize / 2);
    } else if (name == "cortado.ods") {
        const std::string whole = inDir(dir, "bom.ods");
        testfiles::writeOds(whole, testfiles::signalSheet());
        copyPrefix(whole, path, std::filesystem::file_size(whole) - 30);
    } else if (name == "cortado.xls") {
        copyPrefix(TEMPLATE_DIR "/template.xls", path, 3000);
    } else if (name == "falha.xls") {
        std::filesystem::copy_file(FIXTURE_DIR "/freexl_fault.xls", path);
    } else if (name == "texto.xls") {
        std::ofstream(path) << "isto não é uma folha de cálculo\n";
    } else if (name == "protegido.xlsx") {
        // A password-protected .xlsx is an OLE compound file holding the encrypted package.
        std::string data("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        data.append(4096, '\x5A');
        std::ofstream(path, std::ios::binary) << data;
    } else if (name == "protegido.ods") {
        testfiles::writeZip(
            path, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                   {"content.xml", std::string(2000, '\x93')},
                   {"META-INF/manifest.xml",
                    "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:"
                    "manifest:1.0\"><manifest:file-entry manifest:full-path=\"content.xml\">"
                    "<manifest:encryption-data manifest:checksum-type=\"SHA1/1K\"/>"
                    "</manifest:file-entry></manifest:manifest>"}});
    } else if (name == "vazio.xlsx") {
        testfiles::writeZip(path, {{"[Content_Types].xml", "<Types/>"}});
    } else if (name == "sinal.txt") {
        std::ofstream(path) << "1,2\n";
    }

    const LoadResult result = loadWorkbook(path);
    QVERIFY(!result.workbook.has_value());
    const QString error = QString::fromStdString(result.error);
    QVERIFY2(error.startsWith(name + ": ") && error.contains(reason), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "test_workbook.moc"

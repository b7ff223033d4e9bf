// The .xls reader. FreeXL 1.0.6 has memory faults on some damaged files (a stack underflow in
// its character conversion, found by fuzzing), so it runs in a child process that writes the
// cells back through a pipe: a hostile file can then crash or stall only the child, which a
// CPU-time limit ends, and the server answers that the file is damaged.

#include "engine/translate.h"
#include "sheetserver/workbook_readers.h"

#include <freexl.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sheetserver {

namespace {

constexpr const char *kDamaged = "ficheiro danificado ou incompleto";
/// Seconds of CPU time the child may spend on one file.
constexpr rlim_t kChildCpuSeconds = 20;
/// The largest sheet the .xls formats can hold.
constexpr unsigned kMaxXlsRows = 65536;
constexpr unsigned short kMaxXlsColumns = 256;
/// Most bytes of cells the child may send back.
constexpr std::size_t kMaxDumpBytes = 512u << 20;

struct XlsCloser {
    void operator()(const void *handle) const { freexl_close(handle); }
};

std::optional<std::string> cellText(const void *handle, unsigned row, unsigned short column) {
    FreeXL_CellValue value;
    if (freexl_get_cell_value(handle, row, column, &value) != FREEXL_OK)
        return std::nullopt;
    switch (value.type) {
    case FREEXL_CELL_INT:
        return std::to_string(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return formatNumber(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return std::string(value.value.text_value ? value.value.text_value : "");
    default:
        return std::nullopt;
    }
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

/// In the child: "OK rows columns" then one "C row column text" line per cell, or "ERR reason".
int dumpFirstSheet(const std::string &path, int fd) {
    const void *raw = nullptr;
    const int opened = freexl_open(path.c_str(), &raw);
    std::unique_ptr<const void, XlsCloser> handle(raw);
    // FreeXL can report success on a damaged file and give no handle at all.
    if (opened != FREEXL_OK || !raw)
        return writeAll(fd, encodeMessage({"ERR", kDamaged})) ? 0 : 1;
    unsigned int info = 0;
    if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        return writeAll(fd, encodeMessage({"ERR", "ficheiro protegido por palavra-passe; "
                                                  "guarde-o sem palavra-passe"}))
                   ? 0
                   : 1;
    if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0)
        return writeAll(fd, encodeMessage({"ERR", QT_TRANSLATE_NOOP(
                                                      "Vantrel", "o livro não tem nenhuma folha")}))
                   ? 0
                   : 1;
    unsigned int rows = 0;
    unsigned short columns = 0;
    // An .xls sheet has at most 65 536 rows of 256 columns: larger dimensions come from a
    // damaged file, and walking them cell by cell would keep the child busy for minutes.
    if (freexl_select_active_worksheet(raw, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(raw, &rows, &columns) != FREEXL_OK || rows > kMaxXlsRows ||
        columns > kMaxXlsColumns)
        return writeAll(fd, encodeMessage({"ERR", kDamaged})) ? 0 : 1;

    std::string out = encodeMessage({"OK", std::to_string(rows), std::to_string(columns)});
    for (unsigned row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            if (auto text = cellText(raw, row, column))
                out += encodeMessage({"C", std::to_string(row), std::to_string(column), *text});
            if (out.size() > 65536) {
                if (!writeAll(fd, out))
                    return 1;
                out.clear();
            }
        }
    }
    return writeAll(fd, out) ? 0 : 1;
}

/// Reads what the child sends until it closes the pipe; false past the cap.
bool readAll(int fd, std::string &out) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        out.append(buffer, static_cast<std::size_t>(got));
        if (out.size() > kMaxDumpBytes)
            return false;
    }
}

int toInt(const std::string &text) {
    try {
        return std::stoi(text);
    } catch (const std::exception &) {
        return -1;
    }
}

ReadOutcome parseDump(std::string_view dump) {
    Workbook workbook;
    int rows = 0;
    int columns = 0;
    bool first = true;
    try {
        while (!dump.empty()) {
            const std::size_t end = dump.find('\n');
            if (end == std::string_view::npos)
                return {std::nullopt, kDamaged};
            const auto fields = decodeMessage(dump.substr(0, end));
            dump.remove_prefix(end + 1);
            if (!fields)
                return {std::nullopt, kDamaged};
            if (first && fields->front() == "ERR" && fields->size() == 2)
                return {std::nullopt, (*fields)[1]};
            if (first && fields->front() == "OK" && fields->size() == 3) {
                rows = toInt((*fields)[1]);
                columns = toInt((*fields)[2]);
            } else if (!first && fields->front() == "C" && fields->size() == 4) {
                workbook.setText(toInt((*fields)[1]), toInt((*fields)[2]), (*fields)[3]);
            } else {
                return {std::nullopt, kDamaged};
            }
            first = false;
        }
    } catch (const TooManyCells &) {
        return {std::nullopt,
                QT_TRANSLATE_NOOP("Vantrel", "a primeira folha tem demasiadas células")};
    }
    if (first)
        return {std::nullopt, kDamaged};
    workbook.setOpaqueEmptyArea(rows, columns);
    return {std::move(workbook), std::string()};
}

} // namespace

ReadOutcome readXls(const std::string &path) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return {std::nullopt, QT_TRANSLATE_NOOP("Vantrel", "não foi possível ler o ficheiro")};
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return {std::nullopt, QT_TRANSLATE_NOOP("Vantrel", "não foi possível ler o ficheiro")};
    }
    if (child == 0) {
        ::close(pipeFds[0]);
        const rlimit cpu{kChildCpuSeconds, kChildCpuSeconds + 1};
        ::setrlimit(RLIMIT_CPU, &cpu);
        int status = 1;
        try {
            status = dumpFirstSheet(path, pipeFds[1]);
        } catch (...) {
            status = 1;
        }
        ::_exit(status);
    }
    ::close(pipeFds[1]);
    std::string dump;
    const bool complete = readAll(pipeFds[0], dump);
    ::close(pipeFds[0]);
    if (!complete)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {std::nullopt, kDamaged};
    return parseDump(dump);
}

} // namespace sheetserver

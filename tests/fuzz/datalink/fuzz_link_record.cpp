// The record file reader over arbitrary bytes. A record that reads must be rebuilt byte for byte
// in its meaningful part, and the command line made from its two paths must split back into
// exactly those two words.

#include "measure/link_record.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void commandLineSplitsBack(const std::string &program, const std::string &file) {
    if (program.empty() || file.empty()) {
        return;
    }
    const std::string line = QuoteCommandWord(program, false) + " " + QuoteCommandWord(file, true);
    const QStringList words = QProcess::splitCommand(QString::fromStdString(line));
    check(words.size() == 2);
    check(words[0].toStdString() == program);
    check(words[1].toStdString() == file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    if (const auto record = ParseLinkRecord(bytes)) {
        const auto rebuilt = BuildLinkRecord(record->program, record->file);
        check(rebuilt.has_value());
        const auto again = ParseLinkRecord(std::string_view(rebuilt->data(), rebuilt->size()));
        check(again && again->program == record->program && again->file == record->file);
        commandLineSplitsBack(record->program, record->file);
    }
    // Any two texts: a record is built only from paths it can read back.
    const std::string_view program = bytes.substr(0, size / 2);
    const std::string_view file = bytes.substr(size / 2);
    if (const auto built = BuildLinkRecord(program, file)) {
        const auto back = ParseLinkRecord(std::string_view(built->data(), built->size()));
        check(back && back->program == program && back->file == file);
    }
    return 0;
}

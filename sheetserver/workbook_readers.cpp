#include "sheetserver/workbook_readers.h"
#include "engine/translate.h"

#include "sheetserver/orcus_import.h"

#include <orcus/orcus_csv.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <zip.h>

#include <array>
#include <fstream>
#include <memory>

namespace sheetserver {

namespace {

constexpr const char *kDamaged = QT_TRANSLATE_NOOP("Vantrel", "ficheiro danificado ou incompleto");
constexpr const char *kProtected = QT_TRANSLATE_NOOP(
    "Vantrel", "ficheiro protegido por palavra-passe; guarde-o sem palavra-passe");
constexpr const char *kTooLarge =
    QT_TRANSLATE_NOOP("Vantrel", "o conteúdo comprimido excede 256 MiB depois de descomprimido");
constexpr const char *kTooManyCells =
    QT_TRANSLATE_NOOP("Vantrel", "a primeira folha tem demasiadas células");

/// An encrypted .xlsx is an OLE compound file, not a zip; so is every .xls.
bool startsAsCompoundFile(const std::string &path) {
    constexpr std::array<unsigned char, 8> magic{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::ifstream in(path, std::ios::binary);
    std::array<char, 8> head{};
    if (!in.read(head.data(), head.size()))
        return false;
    for (std::size_t i = 0; i < magic.size(); ++i)
        if (static_cast<unsigned char>(head[i]) != magic[i])
            return false;
    return true;
}

struct ZipCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

/// Inflates one entry in small pieces, adding to total; false when the cap is passed or the
/// entry is damaged.
bool inflateCounting(zip_t *archive, zip_uint64_t index, std::uint64_t &total, bool &damaged) {
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        damaged = true;
        return false;
    }
    std::array<char, 65536> buffer;
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            damaged = true;
            return false;
        }
        if (got == 0)
            return true;
        total += static_cast<std::uint64_t>(got);
        if (total > kMaxInflatedBytes)
            return false;
    }
}

/// An OpenDocument file encrypted with a password says so in its manifest.
bool manifestSaysEncrypted(zip_t *archive) {
    const zip_int64_t index = zip_name_locate(archive, "META-INF/manifest.xml", 0);
    if (index < 0)
        return false;
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file)
        return false;
    std::string text;
    std::array<char, 65536> buffer;
    zip_int64_t got = 0;
    while (text.size() < (4u << 20) &&
           (got = zip_fread(file.get(), buffer.data(), buffer.size())) > 0)
        text.append(buffer.data(), static_cast<std::size_t>(got));
    return text.find("encryption-data") != std::string::npos;
}

} // namespace

std::optional<std::string> zipContainerProblem(const std::string &path) {
    if (startsAsCompoundFile(path))
        return std::string(kProtected);
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive)
        return std::string(kDamaged);
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    if (entries <= 0 || entries > 100000)
        return std::string(kDamaged);

    // The sizes the directory declares come first: a bomb that admits its size costs nothing.
    std::uint64_t declared = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), i, 0, &stat) != 0)
            return std::string(kDamaged);
        if ((stat.valid & ZIP_STAT_SIZE) != 0)
            declared += stat.size;
        if (declared > kMaxInflatedBytes)
            return std::string(kTooLarge);
    }
    if (manifestSaysEncrypted(archive.get()))
        return std::string(kProtected);

    // Then what the entries really inflate to, since a directory can lie.
    std::uint64_t total = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        bool damaged = false;
        if (!inflateCounting(archive.get(), i, total, damaged))
            return damaged ? std::string(kDamaged) : std::string(kTooLarge);
    }
    return std::nullopt;
}

namespace {

/// noSheetIsEmpty: a format whose empty file is an empty sheet (.csv) rather than damaged.
ReadOutcome importWith(orcus::iface::import_filter &filter, CellCollector &collector,
                       const std::string &path, bool noSheetIsEmpty) {
    try {
        filter.read_file(path);
    } catch (const TooManyCells &) {
        return {std::nullopt, kTooManyCells};
    } catch (const std::bad_alloc &) {
        return {std::nullopt, "ficheiro demasiado grande para ler"};
    } catch (...) {
        // liborcus reports malformed content through exceptions of several families.
        return {std::nullopt, kDamaged};
    }
    if (!collector.hasSheet() && !noSheetIsEmpty)
        return {std::nullopt, QT_TRANSLATE_NOOP("Vantrel", "o livro não tem nenhuma folha")};
    return {std::move(collector.workbook()), std::string()};
}

} // namespace

ReadOutcome readCsv(const std::string &path) {
    CellCollector collector;
    orcus::orcus_csv filter(&collector);
    return importWith(filter, collector, path, true);
}

ReadOutcome readZipped(const std::string &path, ZippedFormat format) {
    if (const auto problem = zipContainerProblem(path))
        return {std::nullopt, *problem};
    CellCollector collector;
    if (format == ZippedFormat::Xlsx) {
        orcus::orcus_xlsx filter(&collector);
        return importWith(filter, collector, path, false);
    }
    orcus::orcus_ods filter(&collector);
    return importWith(filter, collector, path, false);
}

} // namespace sheetserver

// Feeds arbitrary bytes to one workbook reader as a file of that kind (the readers take a path:
// FreeXL reads only from files), then reads the data-link cells of whatever sheet came out.

#include "sheetserver/workbook.h"

#include <sanitizer/common_interface_defs.h>

#include <fcntl.h>
#include <pthread.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#ifndef FUZZ_EXTENSION
#error "FUZZ_EXTENSION names the reader, for example \".xlsx\""
#endif

namespace {

/// One scratch file per fuzzing process, rewritten for every input.
const std::string &scratchPath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/vantrel-fuzz-XXXXXX" FUZZ_EXTENSION;
        const int fd = mkstemps(pattern.data(), static_cast<int>(sizeof(FUZZ_EXTENSION) - 1));
        if (fd < 0)
            std::abort();
        close(fd);
        return pattern;
    }();
    return path;
}

/// The .xls reader runs FreeXL in a child process because the library has memory faults of its
/// own; the server survives them, and they are not what this target hunts. A child keeps quiet
/// and leaves no crash file: the parent's answer ("damaged") is what gets checked.
void quietChildren() {
    __sanitizer_set_death_callback(nullptr);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0)
        dup2(null, 2);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    pthread_atfork(nullptr, nullptr, quietChildren);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string &path = scratchPath();
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    const sheetserver::LoadResult result = sheetserver::loadWorkbook(path);
    if (!result.workbook) {
        // A refusal always says which file and why.
        if (result.error.empty())
            std::abort();
        return 0;
    }
    for (const sheetserver::CellAddress cell : {sheetserver::CellAddress{4, 4},
                                                {5, 2},
                                                {6, 3},
                                                {8, 3},
                                                {9, 3},
                                                {12, 2},
                                                {611, 2},
                                                {1, 1}})
        (void)result.workbook->read(cell);
    return 0;
}

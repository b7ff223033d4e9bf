#include "app/install_check.h"

#include "app/state.h"
#include "engine/engine.h"
#include "engine/resource_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

/// Panel numbers are small; a resource file numbers its panels from 1.
constexpr int kHighestPanelNumber = 32;

// The resource files that the program loads, "a.uir|b.uir|...", from the build.
#ifndef VANTREL_RESOURCE_FILES
#define VANTREL_RESOURCE_FILES ""
#endif

std::vector<std::string> requiredFileNames() {
    std::vector<std::string> names;
    std::string_view list = VANTREL_RESOURCE_FILES;
    while (!list.empty()) {
        const std::size_t bar = list.find('|');
        names.emplace_back(list.substr(0, bar));
        list = bar == std::string_view::npos ? std::string_view() : list.substr(bar + 1);
    }
    return names;
}

/// Reports every file that the program needs and the folder lacks; false when one is missing.
bool requiredFilesPresent(const fs::path &directory) {
    bool present = true;
    for (const std::string &name : requiredFileNames()) {
        if (!fs::is_regular_file(directory / name)) {
            std::fprintf(stderr, "vantrel: missing resource file %s\n",
                         (directory / name).string().c_str());
            present = false;
        }
    }
    return present;
}

std::vector<std::string> resourceFileNames(const fs::path &directory) {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(directory, error)) {
        if (entry.path().extension() == ".uir") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

/// Loads (and discards) every panel of one file; returns how many, or -1 on a failure.
int loadEveryPanel(const fs::path &directory, const std::string &file) {
    int loaded = 0;
    for (int number = 1; number <= kHighestPanelNumber; ++number) {
        const int handle = LoadPanel(Painel_Principal, file.c_str(), number);
        if (handle == kEngineNoSuchPanel) {
            continue;
        }
        if (handle < 0) {
            std::fprintf(stderr, "vantrel: %s\n", GetEngineErrorText());
            return -1;
        }
        DiscardPanel(handle);
        ++loaded;
        const PanelSpec panel = ReadPanelSpec((directory / file).string(), file, number).panel;
        for (const ControlSpec &control : panel.controls) {
            if (!control.image.empty() && !fs::is_regular_file(directory / control.image)) {
                std::fprintf(stderr, "vantrel: %s: panel %d: missing picture %s\n", file.c_str(),
                             number, control.image.c_str());
                return -1;
            }
        }
    }
    if (loaded == 0) {
        std::fprintf(stderr, "vantrel: %s: holds no panel\n", file.c_str());
        return -1;
    }
    return loaded;
}

} // namespace

int CheckInstallation() {
    char buffer[vantrel::kPathSize] = {};
    if (GetResourceDir(buffer) != 0) {
        std::fprintf(stderr, "vantrel: the resource folder's path is too long\n");
        return 1;
    }
    const fs::path directory(buffer);
    const std::vector<std::string> files = resourceFileNames(directory);
    bool sound = requiredFilesPresent(directory) && !files.empty();
    if (files.empty()) {
        std::fprintf(stderr, "vantrel: no resource files in %s\n", buffer);
    }
    int panels = 0;
    for (const std::string &file : files) {
        const int loaded = loadEveryPanel(directory, file);
        sound = sound && loaded > 0;
        panels += std::max(loaded, 0);
    }
    const fs::path manual = directory / "docs" / "index.html";
    if (!fs::is_regular_file(manual)) {
        std::fprintf(stderr, "vantrel: the manual is missing: %s\n", manual.string().c_str());
        sound = false;
    }
    if (LoadDDETransport() < 0) {
        std::fprintf(stderr, "vantrel: %s\n", GetDDEErrorText());
        sound = false;
    }
    GetHelperProgramDir(buffer);
    std::printf("vantrel: %s: %d panels in %zu resource files from %s; manual %s; helper "
                "programs in %s\n",
                sound ? "installation complete" : "installation DAMAGED", panels, files.size(),
                directory.string().c_str(), manual.string().c_str(), buffer);
    return sound ? 0 : 1;
}

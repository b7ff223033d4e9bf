// Starting and ending outside programs, never through a shell, and the web browser.

#include "engine/dde_reset.h"
#include "engine/engine.h"
#include "engine/model.h"
#include "engine/operation_support.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include <map>
#include <memory>

namespace {

struct Launched {
    std::map<int, std::unique_ptr<QProcess>> processes;
    int nextHandle = 1;
};

Launched &Programs() {
    static Launched launched;
    return launched;
}

constexpr int kStartBoundMs = 5000;
constexpr int kPoliteEndBoundMs = 2000;

void endProcess(QProcess &process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(kPoliteEndBoundMs)) {
        process.kill();
        process.waitForFinished(kPoliteEndBoundMs);
    }
}

} // namespace

int LaunchExecutableEx(const char *commandLine, int, int *handle) {
    if (commandLine == nullptr || QCoreApplication::instance() == nullptr) {
        return kLaunchFailed;
    }
    QStringList words = QProcess::splitCommand(QString::fromUtf8(commandLine));
    if (words.isEmpty()) {
        return kLaunchFailed;
    }
    auto process = std::make_unique<QProcess>();
    process->setProgram(words.takeFirst());
    process->setArguments(words);
    // The program's own complaints go where ours go.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start();
    if (!process->waitForStarted(kStartBoundMs)) {
        return kLaunchFailed;
    }
    Launched &launched = Programs();
    const int newHandle = launched.nextHandle++;
    launched.processes.emplace(newHandle, std::move(process));
    if (handle != nullptr) {
        *handle = newHandle;
    }
    return 0;
}

int ExecutableHasTerminated(int handle) {
    const auto found = Programs().processes.find(handle);
    if (found == Programs().processes.end()) {
        return kLaunchBadHandle;
    }
    return found->second->state() == QProcess::NotRunning ? 1 : 0;
}

int TerminateExecutable(int handle) {
    auto &processes = Programs().processes;
    const auto found = processes.find(handle);
    if (found == processes.end()) {
        return kLaunchBadHandle;
    }
    std::unique_ptr<QProcess> process = std::move(found->second);
    processes.erase(found);
    endProcess(*process);
    return 0;
}

void TerminateAllExecutables() {
    auto &processes = Programs().processes;
    while (!processes.empty()) {
        TerminateExecutable(processes.begin()->first);
    }
}

int InetLaunchDefaultWebBrowser(const char *url) {
    EngineState &engine = Engine();
    engine.lastBrowserUrl = url != nullptr ? url : "";
    if (Headless()) {
        return kEngineOk;
    }
    return QDesktopServices::openUrl(QUrl(QString::fromUtf8(engine.lastBrowserUrl.c_str())))
               ? kEngineOk
               : kEngineBadValue;
}

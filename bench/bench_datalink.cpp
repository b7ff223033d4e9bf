// A whole load of a 600-point waveform through the data-link panel, from "Carregar Dados" to
// "... Dados Carregados com Sucesso.", less the half second that the first connection attempt
// waits by design. Against a stand-in server in this process (the client alone), and against
// the staged sheetserver on each template workbook when it is there.
//
// Target: under 1 s for each workbook format.

#include "app/callbacks.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "measure/spreadsheet_link.h"
#include "support/fake_sheet_server.h"
#include "ui/uir_constants.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr double kFirstWaitSeconds = 0.5;

/// Presses "Carregar Dados" on a fresh panel; returns the seconds beyond the first wait, or a
/// negative value when the load did not complete.
double timedLoad(const std::string &program, const std::string &workbook) {
    if (iniciar_excel(0) < 0) {
        std::fprintf(stderr, "%s\n", GetEngineErrorText());
        return -1.0;
    }
    const int panel = panelhandle;
    SetCtrlVal(panel, PANEL_PATH, program.c_str());
    SetCtrlVal(panel, PANEL_PATH_fich, workbook.c_str());
    QElapsedTimer clock;
    clock.start();
    EngineSendEvent(panel, PANEL_CONNECT, EVENT_COMMIT);
    const double seconds = clock.nsecsElapsed() * 1e-9 - kFirstWaitSeconds;
    const auto status = EngineDiscardedText(panel, PANEL_STATUS);
    const bool loaded =
        status && status->find("... Dados Carregados com Sucesso.") != std::string::npos;
    if (!loaded) {
        std::string shown;
        GetCtrlVal(panel, PANEL_STATUS, &shown);
        std::fprintf(stderr, "%s\n", status ? status->c_str() : shown.c_str());
    }
    EngineReset();
    return loaded ? seconds : -1.0;
}

void BM_LoadFromStandInServer(benchmark::State &state) {
    QTemporaryDir folder;
    const std::string program = (folder.path() + "/espera").toStdString();
    QFile script(QString::fromStdString(program));
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\nexec sleep 60\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    FakeSheetServer server("/dados/sinal.xlsx");
    server.cells = {{"R4C4", "100000000"}, {"R6C3", "600"}, {"R8C3", "2"}, {"R9C3", "12"}};
    for (int i = 0; i < vantrel::kSamples; ++i) {
        server.cells["R" + std::to_string(12 + i) + "C2"] = std::to_string(i * 100);
    }
    if (!server.listen()) {
        state.SkipWithError("the stand-in server cannot listen");
        return;
    }
    for (auto _ : state) {
        const double seconds = timedLoad(program, "/dados/sinal.xlsx");
        if (seconds < 0) {
            state.SkipWithError("the load did not complete");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_LoadFromSheetServer(benchmark::State &state, const char *extension) {
    const QString stage = QStringLiteral(VANTREL_STAGE_DIR);
    const QString program = stage + "/sheetserver";
    const QString workbook = stage + "/Excel/template." + extension;
    if (!QFileInfo(program).isExecutable() || !QFileInfo::exists(workbook)) {
        state.SkipWithError("no staged sheetserver or template workbook");
        return;
    }
    QTemporaryDir sockets;
    qputenv("VANTREL_DDE_DIR", sockets.path().toLocal8Bit());
    for (auto _ : state) {
        const double seconds = timedLoad(program.toStdString(), workbook.toStdString());
        if (seconds < 0) {
            state.SkipWithError("the load did not complete");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

} // namespace

BENCHMARK(BM_LoadFromStandInServer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadFromSheetServer, xls, "xls")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadFromSheetServer, xlsx, "xlsx")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadFromSheetServer, ods, "ods")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadFromSheetServer, csv, "csv")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VANTREL_RESOURCE_DIR", VANTREL_STAGE_DIR);
    qputenv("VANTREL_DDE_LINK", VANTREL_DDE_LINK);
    QApplication application(argc, argv);
    InitCVIRTE(nullptr, argv, nullptr);
    RegisterInstrumentCallbacks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QFile::remove(QCoreApplication::applicationDirPath() + "/memo.dat");
    return 0;
}

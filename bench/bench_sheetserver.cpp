// What the spreadsheet server spends on a data-link load: reading a 600-point template of each
// format and answering the 604 cells that the link reads. The whole load must stay well under
// one second beyond the link's first half-second wait.

#include "sheetserver/workbook.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const char *const kTemplates[] = {"template.csv", "template.xlsx", "template.ods", "template.xls"};

std::string templatePath(const benchmark::State &state) {
    return std::string(VANTREL_STAGE_DIR "/Excel/") + kTemplates[state.range(0)];
}

void loadTemplate(benchmark::State &state) {
    const std::string path = templatePath(state);
    for (auto _ : state) {
        const sheetserver::LoadResult result = sheetserver::loadWorkbook(path);
        if (!result.workbook)
            state.SkipWithError(result.error.c_str());
        benchmark::DoNotOptimize(result.workbook);
    }
    state.SetLabel(kTemplates[state.range(0)]);
}

void answerTheLinkCells(benchmark::State &state) {
    const sheetserver::LoadResult result = sheetserver::loadWorkbook(templatePath(state));
    if (!result.workbook) {
        state.SkipWithError(result.error.c_str());
        return;
    }
    for (auto _ : state) {
        for (const sheetserver::CellAddress cell : {sheetserver::CellAddress{6, 3}, {8, 3}, {9, 3}})
            benchmark::DoNotOptimize(result.workbook->read(cell));
        for (int i = 0; i < 600; ++i)
            benchmark::DoNotOptimize(result.workbook->read({12 + i, 2}));
        benchmark::DoNotOptimize(result.workbook->read({4, 4}));
    }
    state.SetLabel(kTemplates[state.range(0)]);
}

} // namespace

BENCHMARK(loadTemplate)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(answerTheLinkCells)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

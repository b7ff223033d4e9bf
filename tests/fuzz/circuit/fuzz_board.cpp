// Whole board solves from arbitrary bytes: board, frequency, component values (anywhere in
// or just outside their ranges) and a drive of up to 64 samples. Every solve returns (the
// fuzzer's timeout catches a hang), and a solve that succeeds leaves only finite probes with
// the drive as probe 0; one that fails leaves the buffer untouched.

#include "board/circuit/boards.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

/// Reads the next byte, 0 once the input runs out.
struct Bytes {
    const std::uint8_t *data;
    std::size_t size;
    std::uint8_t next() {
        if (size == 0) {
            return 0;
        }
        --size;
        return *data++;
    }
    /// A value spread logarithmically over [lo/2, 2 hi], so that the edges are tried.
    double across(double lo, double hi) {
        const int high = next();
        const double u = (high * 256 + next()) / 65535.0;
        return lo / 2.0 * std::pow(4.0 * hi / lo, u);
    }
};

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Bytes in{data, size};
    using namespace vantrel::circuit;
    const int board = in.next() % kBoardCount;
    const Board &table = kBoards[board];
    const std::uint8_t frequencyByte = in.next();
    const double freqHz = frequencyByte == 0 ? 0.0 : in.across(0.01, 2e6);
    std::vector<double> values;
    for (int c = 0; c < table.componentCount; ++c) {
        const Component &part = table.components[c];
        const bool absent = part.switchable && in.next() % 2 == 0;
        values.push_back(absent ? 0.0 : in.across(part.minValue, part.maxValue));
    }
    const int n = 1 + in.next() % 64;
    std::vector<double> drive(n);
    for (double &v : drive) {
        v = (static_cast<int>(in.next()) - 128) * 0.25;
    }
    std::vector<double> probes(static_cast<std::size_t>(table.probeCount) * n, 12345.0);
    const int status = solveBoard(board, values.data(), drive.data(), n, freqHz, probes.data());
    if (status == 0) {
        check(std::all_of(probes.begin(), probes.end(), [](double v) { return std::isfinite(v); }));
        check(std::equal(drive.begin(), drive.end(), probes.begin()));
    } else {
        check(status == kBoardComponentError || status == kBoardNotConverged);
        check(std::all_of(probes.begin(), probes.end(), [](double v) { return v == 12345.0; }));
    }
    return 0;
}

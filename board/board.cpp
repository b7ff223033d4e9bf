#include "board/board.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vantrel::board {

namespace {

SolveCache theBench;

} // namespace

SolveCache::SolveCache() : probes_(static_cast<std::size_t>(circuit::kMaxProbes) * kSamples) {}

bool SolveCache::sameInputs(int board, const double *values, const double *drive,
                            double freqHz) const {
    if (board != board_ || freqHz != freqHz_) {
        return false;
    }
    const int count = circuit::kBoards[static_cast<std::size_t>(board)].componentCount;
    return std::equal(values, values + count, values_.begin()) &&
           std::equal(drive, drive + kSamples, drive_.begin());
}

int SolveCache::update(int board, const double *values, const double *drive, double freqHz) {
    if (board < 0 || board >= circuit::kBoardCount) {
        status_ = circuit::kBoardIndexError;
        board_ = -1;
        return status_;
    }
    if (sameInputs(board, values, drive, freqHz)) {
        return status_;
    }
    const int count = circuit::kBoards[static_cast<std::size_t>(board)].componentCount;
    board_ = board;
    freqHz_ = freqHz;
    std::copy(values, values + count, values_.begin());
    std::copy(drive, drive + kSamples, drive_.begin());
    ++solves_;
    status_ = circuit::solveBoard(board, values, drive, kSamples, freqHz, probes_.data());
    return status_;
}

const double *SolveCache::probe(int probe) const {
    if (status_ != 0 || probe < 0 ||
        probe >= circuit::kBoards[static_cast<std::size_t>(board_)].probeCount) {
        return nullptr;
    }
    return probes_.data() + static_cast<std::size_t>(probe) * kSamples;
}

SolveCache &bancada() {
    return theBench;
}

std::string formatValue(double value, const char *unit) {
    struct Prefix {
        double scale;
        const char *symbol;
    };
    static constexpr std::array<Prefix, 7> kPrefixes{
        {{1e9, "G"}, {1e6, "M"}, {1e3, "k"}, {1.0, ""}, {1e-3, "m"}, {1e-6, "µ"}, {1e-9, "n"}}};
    Prefix chosen{1e-12, "p"};
    for (const Prefix &p : kPrefixes) {
        // A hair below the boundary still counts as the larger prefix: 999.9999999 n is 1 µ.
        if (std::fabs(value) >= p.scale * (1.0 - 1e-9)) {
            chosen = p;
            break;
        }
    }
    char number[32];
    std::snprintf(number, sizeof number, "%.3g", value / chosen.scale);
    std::string text(number);
    std::replace(text.begin(), text.end(), '.', ',');
    return text + " " + chosen.symbol + unit;
}

} // namespace vantrel::board

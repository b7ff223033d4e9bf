#pragma once
/// The plain pieces the tube's drawing works with: points, traces, and 8-bit images of light.
/// Standard C++ only.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

/// Per-pixel loops are also built for AVX2, chosen at run time where the processor has it:
/// twice the pixels per instruction, and 32-bit multiplies that SSE2 lacks.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VANTREL_PIXEL_LOOP __attribute__((target_clones("default", "avx2")))
#else
#define VANTREL_PIXEL_LOOP
#endif

namespace beam {

/// A position: in a trace's axis units, or in pixels (centres at whole + 0.5).
struct Point {
    double x = 0.0;
    double y = 0.0;
};

inline Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
inline Point operator*(Point a, double k) {
    return {a.x * k, a.y * k};
}
inline Point operator/(Point a, double k) {
    return {a.x / k, a.y / k};
}

/// One trace as the screen shows it: its points in axis units joined in order, the axis ranges
/// that map them onto the screen, its width and its colour (0xAARRGGBB).
struct Trace {
    const std::vector<Point> *points = nullptr;
    double xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
    bool thick = false;
    std::uint32_t colour = 0;
};

/// An 8-bit image of light (or of a beam's coverage) that knows which blocks of each row may
/// hold any, so that clearing, blurring and laying it over the screen skip the dark rest: a
/// trace crosses most rows in a few places only.
struct LightMap {
    static constexpr int kBlock = 16; ///< pixels per block

    int width = 0;
    int height = 0;
    int words = 0; ///< 64-bit words of block flags per row
    std::vector<std::uint8_t> values;
    std::vector<std::uint64_t> lit; ///< per row, bit b: block b may hold light

    void resize(int w, int h) {
        width = w;
        height = h;
        words = (w + 64 * kBlock - 1) / (64 * kBlock);
        values.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
        lit.assign(static_cast<std::size_t>(words) * static_cast<std::size_t>(h), 0);
    }
    std::uint8_t *row(int y) { return values.data() + static_cast<std::ptrdiff_t>(y) * width; }
    const std::uint8_t *row(int y) const {
        return values.data() + static_cast<std::ptrdiff_t>(y) * width;
    }
    std::uint64_t *flags(int y) { return lit.data() + static_cast<std::ptrdiff_t>(y) * words; }
    const std::uint64_t *flags(int y) const {
        return lit.data() + static_cast<std::ptrdiff_t>(y) * words;
    }
    bool rowLit(int y) const {
        const std::uint64_t *f = flags(y);
        return std::any_of(f, f + words, [](std::uint64_t word) { return word != 0; });
    }
    /// Notes that columns x0 to x1 of row y may hold light.
    void mark(int y, int x0, int x1) {
        std::uint64_t *f = flags(y);
        for (int b = x0 / kBlock; b <= x1 / kBlock; ++b)
            f[b / 64] |= std::uint64_t{1} << (b % 64);
    }
    void clearRow(int y) {
        forEachSpan(y, -1, [&](int x0, int x1) { std::fill(row(y) + x0, row(y) + x1 + 1, 0); });
        std::fill(flags(y), flags(y) + words, 0);
    }
    /// Darkens the lit blocks only.
    void clear() {
        for (int y = 0; y < height; ++y)
            clearRow(y);
    }
    /// Calls f(x0, x1) for each run of columns whose blocks may hold light in row y or (when
    /// y2 is a row) in row y2.
    template <typename F>
    void forEachSpan(int y, int y2, F f) const {
        const std::uint64_t *a = flags(y);
        const std::uint64_t *b = y2 >= 0 ? flags(y2) : nullptr;
        const int blocks = (width + kBlock - 1) / kBlock;
        const auto isLit = [&](int k) {
            const std::uint64_t bit = std::uint64_t{1} << (k % 64);
            return ((a[k / 64] | (b != nullptr ? b[k / 64] : 0)) & bit) != 0;
        };
        for (int k = 0; k < blocks;) {
            if (!isLit(k)) {
                ++k;
                continue;
            }
            const int start = k;
            while (k < blocks && isLit(k))
                ++k;
            f(start * kBlock, std::min(width, k * kBlock) - 1);
        }
    }
};

/// Per-pixel loops are also built for AVX2, chosen at run time where the processor has it:

} // namespace beam

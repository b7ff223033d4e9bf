#include "engine/beam/tube.h"

#include "engine/beam/raster.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace beam {

namespace {

/// The beams' halo is drawn into an image of one pixel per this many logical pixels (at the
/// stored size), blurred there and laid over the screen where it holds light: a soft glow for
/// a fraction of the cost of blurring at full size.
constexpr double kGlowCell = 3.0;
/// Focus distance (0 sharp, 1 at either end of the knob) from which the thick line is drawn.
constexpr double kThickFocus = 0.4;
constexpr double kThinWidth = 1.2;  // logical pixels
constexpr double kThickWidth = 3.0; // logical pixels

/// How strongly a beam glows: a brighter colour (a higher intensity) lights more phosphor
/// around its core.
double glowStrength(std::uint32_t colour) {
    const double value =
        std::max({(colour >> 16) & 0xffU, (colour >> 8) & 0xffU, colour & 0xffU}) / 255.0;
    return value * value * value;
}

/// Channels of a 32-bit pixel, each weighted by `weight` / 256.
[[gnu::always_inline]] inline std::uint32_t weighted(std::uint32_t pixel, std::uint32_t weight) {
    return ((((pixel & 0xff00ffU) * weight) >> 8) & 0xff00ffU) |
           ((((pixel & 0x00ff00U) * weight) >> 8) & 0x00ff00U);
}

/// `pixel` moved towards `colour` by `amount` / 255: all the way at 255.
[[gnu::always_inline]] inline std::uint32_t towards(std::uint32_t pixel, std::uint32_t colour,
                                                    int amount) {
    const auto weight = static_cast<std::uint32_t>(amount + (amount >> 7)); // 255 -> 256
    return 0xff000000U | (weighted(pixel, 256U - weight) + weighted(colour, weight));
}

struct HaloShape {
    double cell = 1.0;
    int radius = 1;
    int pad = 3;
};

/// Blur radius in halo pixels for a focus distance of 0 to 1: one step wider per step of the
/// FOCUS knob (two units of its -10..+10 scale).
int haloRadius(double focus) {
    return 1 + static_cast<int>(std::lround(5.0 * focus));
}

/// Light of `v` (0 to 255) in `colour`.
std::uint32_t shade(std::uint32_t colour, std::uint32_t v) {
    return ((((colour >> 16) & 0xffU) * v) >> 8) << 16 | ((((colour >> 8) & 0xffU) * v) >> 8) << 8 |
           (((colour & 0xffU) * v) >> 8);
}

/// Adds two pixels channel by channel, each kept at 255 (no branches: the loops that call it
/// are vectorised).
std::uint32_t addSaturated(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t low = (a & 0x7f7f7f7fU) + (b & 0x7f7f7f7fU);
    const std::uint32_t sum = low ^ ((a ^ b) & 0x80808080U);
    const std::uint32_t overflow = ((a & b) | ((a | b) & ~sum)) & 0x80808080U;
    return sum | ((overflow >> 7) * 0xffU);
}

/// Adds to pixels x0 to x1 the halo blended from two widened rows (`lower` weighing wy / 256)
/// in `colour`.
VANTREL_PIXEL_LOOP void addHalo(std::uint32_t *to, const std::uint8_t *upper,
                                const std::uint8_t *lower, int x0, int x1, std::uint32_t wy,
                                std::uint32_t colour) {
    for (int x = x0; x <= x1; ++x) {
        const std::uint32_t v = (upper[x] * (256U - wy) + lower[x] * wy) >> 8;
        to[x] = addSaturated(to[x], shade(colour, v));
    }
}

/// Moves pixels x0 to x1 towards `colour` by their `amount`.
VANTREL_PIXEL_LOOP void paintTowards(std::uint32_t *to, const std::uint8_t *amount, int x0, int x1,
                                     std::uint32_t colour) {
    for (int x = x0; x <= x1; ++x)
        to[x] = towards(to[x], colour, amount[x]);
}

/// Brightness, of the core's, at which a trace's afterglow starts.
constexpr int kAfterglowStart = 140;

/// Lights the afterglow where a core lies.
VANTREL_PIXEL_LOOP void keepAfterglow(std::uint8_t *left, const std::uint8_t *cover, int x0,
                                      int x1) {
    for (int x = x0; x <= x1; ++x)
        left[x] = std::max(left[x], static_cast<std::uint8_t>((cover[x] * kAfterglowStart) >> 8));
}

/// Scales light x0 to x1 by keep / 256; whether any is left.
VANTREL_PIXEL_LOOP bool fadeSpan(std::uint8_t *row, int x0, int x1, int keep) {
    int left = 0;
    for (int x = x0; x <= x1; ++x) {
        row[x] = static_cast<std::uint8_t>((row[x] * keep) >> 8);
        left |= row[x];
    }
    return left != 0;
}

/// Widens each lit row of the coarse halo to the screen's width, blending neighbouring halo
/// columns: the screen's rows then only blend two of these rows.
void widenHalo(const HaloShape &shape, int width, Phosphor &ph) {
    const LightMap &halo = ph.halo;
    LightMap &wide = ph.wideHalo;
    if (wide.width != width || wide.height != halo.height)
        wide.resize(width, halo.height);
    else
        wide.clear();
    ph.haloColumn.resize(static_cast<std::size_t>(width));
    ph.haloWeight.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const double fx = (x + 0.5) / shape.cell + shape.pad - 0.5;
        const int column = std::clamp(static_cast<int>(std::floor(fx)), 0, halo.width - 2);
        ph.haloColumn[static_cast<std::size_t>(x)] = column;
        ph.haloWeight[static_cast<std::size_t>(x)] =
            std::clamp(static_cast<int>((fx - column) * 256.0), 0, 256);
    }
    for (int r = 0; r < halo.height; ++r) {
        const std::uint8_t *from = halo.row(r);
        std::uint8_t *to = wide.row(r);
        halo.forEachSpan(r, -1, [&](int c0, int c1) {
            // Screen columns that the lit halo columns reach.
            const int x0 =
                std::max(0, static_cast<int>(std::floor((c0 - 1 - shape.pad + 0.5) * shape.cell)));
            const int x1 = std::min(
                width - 1, static_cast<int>(std::ceil((c1 + 1 - shape.pad + 0.5) * shape.cell)));
            for (int x = x0; x <= x1; ++x) {
                const int c = ph.haloColumn[static_cast<std::size_t>(x)];
                const int w = ph.haloWeight[static_cast<std::size_t>(x)];
                to[x] = static_cast<std::uint8_t>((from[c] * (256 - w) + from[c + 1] * w) >> 8);
            }
            if (x0 <= x1)
                wide.mark(r, x0, x1);
        });
    }
}

/// Copies the tube into the frame and lays over it the halo (when `glow` gives its shape),
/// blended bilinearly from its coarse grid and added to the phosphor's light, and the
/// afterglow (when kept) over that.
void composeBase(Image frame, ConstImage staticLayers, const HaloShape *glow,
                 std::uint32_t glowColour, Phosphor &ph) {
    const int w = frame.width;
    const int h = frame.height;
    if (glow != nullptr)
        widenHalo(*glow, w, ph);
    const LightMap &wide = ph.wideHalo;
    const std::uint32_t colour = glowColour & 0xffffffU;
    const bool afterglow = !ph.afterglow.values.empty();
    const std::uint32_t afterColour = ph.afterglowColour & 0xffffffU;
    for (int y = 0; y < h; ++y) {
        const std::uint32_t *from = staticLayers.row(y);
        std::uint32_t *to = frame.row(y);
        std::memcpy(to, from, static_cast<std::size_t>(w) * sizeof(std::uint32_t));
        if (glow != nullptr) {
            const double fy = (y + 0.5) / glow->cell + glow->pad - 0.5;
            const int r0 = std::clamp(static_cast<int>(std::floor(fy)), 0, wide.height - 2);
            const auto wy =
                static_cast<std::uint32_t>(std::clamp(static_cast<int>((fy - r0) * 256.0), 0, 256));
            const std::uint8_t *upper = wide.row(r0);
            const std::uint8_t *lower = wide.row(r0 + 1);
            wide.forEachSpan(
                r0, r0 + 1, [&](int x0, int x1) { addHalo(to, upper, lower, x0, x1, wy, colour); });
        }
        if (afterglow) {
            const std::uint8_t *left = ph.afterglow.row(y);
            ph.afterglow.forEachSpan(
                y, -1, [&](int x0, int x1) { paintTowards(to, left, x0, x1, afterColour); });
        }
    }
}

/// Fades the afterglow by the time passed since the frame before.
void fadeAfterglow(LightMap &afterglow, double elapsedMs, double decayMs) {
    const auto keep = static_cast<int>(256.0 * std::exp(-std::max(0.0, elapsedMs) / decayMs));
    for (int y = 0; y < afterglow.height; ++y) {
        std::uint8_t *row = afterglow.row(y);
        bool lit = false;
        afterglow.forEachSpan(y, -1,
                              [&](int x0, int x1) { lit = fadeSpan(row, x0, x1, keep) || lit; });
        if (!lit)
            std::fill(afterglow.flags(y), afterglow.flags(y) + afterglow.words, 0);
    }
}

/// Paints the cores held in ph.cover in `colour` over the frame and darkens the cover again;
/// with an afterglow kept, the cores also light it.
void composeCores(Image frame, Phosphor &ph, std::uint32_t colour) {
    const std::uint32_t core = colour & 0xffffffU;
    const bool afterglow = !ph.afterglow.values.empty();
    if (afterglow)
        ph.afterglowColour = colour;
    for (int y = 0; y < ph.cover.height; ++y) {
        std::uint8_t *cover = ph.cover.row(y);
        std::uint32_t *to = frame.row(y);
        std::uint8_t *left = afterglow ? ph.afterglow.row(y) : nullptr;
        ph.cover.forEachSpan(y, -1, [&](int x0, int x1) {
            paintTowards(to, cover, x0, x1, core);
            if (left != nullptr) {
                keepAfterglow(left, cover, x0, x1);
                ph.afterglow.mark(y, x0, x1);
            }
        });
        ph.cover.clearRow(y);
    }
}

} // namespace

void ComposeFrame(Image frame, ConstImage tube, const std::vector<Trace> &beams, double logical,
                  double focusDistance, Phosphor &ph, double afterglowMs) {
    const double areaWidth = frame.width;
    const double areaHeight = frame.height;

    // The halo: every beam's light on a coarse grid, blurred, in the last beam's colour (all
    // traces of the instrument share one). A thick beam is at least as blurred as the FOCUS
    // knob's first thick position.
    HaloShape shape;
    shape.cell = kGlowCell * logical;
    double focus = focusDistance;
    for (const Trace &beam : beams)
        focus = std::max(focus, beam.thick ? kThickFocus : 0.0);
    shape.radius = haloRadius(focus);
    shape.pad = 2 * shape.radius + 2;
    const bool glowing = !beams.empty();
    if (glowing) {
        const int hw = static_cast<int>(std::ceil(areaWidth / shape.cell)) + 2 * shape.pad;
        const int hh = static_cast<int>(std::ceil(areaHeight / shape.cell)) + 2 * shape.pad;
        if (ph.halo.width != hw || ph.halo.height != hh)
            ph.halo.resize(hw, hh);
        else
            ph.halo.clear();
    }
    // Each beam's visible runs, once for the halo and the cores.
    if (ph.traceRuns.size() < beams.size())
        ph.traceRuns.resize(beams.size());
    for (std::size_t i = 0; i < beams.size(); ++i) {
        BuildRuns(areaWidth, areaHeight, beams[i], (2 * shape.radius + 1) * shape.cell, ph.cut,
                  ph.kept);
        std::swap(ph.kept, ph.traceRuns[i]);
    }
    // A defocused beam spreads its light over a wider band, a little brighter in all.
    const double spread = 1.0 + 0.35 * (shape.radius - 1);
    for (std::size_t i = 0; i < beams.size(); ++i) {
        const int light = static_cast<int>(255.0 * std::min(1.0, glowStrength(beams[i].colour)));
        StampRuns(ph.halo, ph.traceRuns[i], 1.0 / shape.cell, shape.pad, 0.35 * spread, light);
    }
    if (glowing)
        BlurLight(ph.halo, shape.radius, ph.blurLine, ph.blurSums);

    if (afterglowMs >= 0.0)
        fadeAfterglow(ph.afterglow, afterglowMs, kAfterglowDecayMs);
    composeBase(frame, tube, glowing ? &shape : nullptr, glowing ? beams.back().colour : 0, ph);
    // The cores over it, each run of beams of one colour at a time, in their exact colour.
    if (ph.cover.width != frame.width || ph.cover.height != frame.height)
        ph.cover.resize(frame.width, frame.height);
    for (std::size_t i = 0; i < beams.size(); ++i) {
        const Trace &beam = beams[i];
        const double radius = (beam.thick ? kThickWidth : kThinWidth) * logical / 2.0;
        StampRuns(ph.cover, ph.traceRuns[i], 1.0, 0.0, radius, 255);
        if (i + 1 == beams.size() || beams[i + 1].colour != beam.colour)
            composeCores(frame, ph, beam.colour);
    }
}

} // namespace beam

#pragma once
/// The tube's picture of its traces, in standard C++ over the caller's 32-bit pixels
/// (0xffRRGGBB): the tube face as the caller drew it, a soft halo around every trace that
/// spreads as the beam goes out of focus, the traces' bright cores, and the phosphor's fading
/// afterglow. The light is kept in 8-bit maps that know which blocks of each row hold any, so
/// that a frame costs little more than the pixels the traces cross.

#include "engine/beam/light.h"
#include "engine/beam/raster.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace beam {

/// Pixels owned by the caller, `stride` pixels from one row to the next.
struct Image {
    std::uint32_t *pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    std::uint32_t *row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

struct ConstImage {
    const std::uint32_t *pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    const std::uint32_t *row(int y) const {
        return pixels + static_cast<std::ptrdiff_t>(y) * stride;
    }
};

/// Time in which the afterglow of a trace falls to 1/e of its first brightness.
inline constexpr double kAfterglowDecayMs = 35.0;

/// The working buffers of the frames, kept between them so that a frame allocates nothing once
/// the size is settled, and the afterglow that one frame leaves to the next.
struct Phosphor {
    LightMap halo;      ///< the beams' light at a fraction of the size, then blurred
    LightMap cover;     ///< the beams' cores at full size, one colour at a time
    LightMap afterglow; ///< what the phosphor still shows of earlier frames (empty when off)
    std::vector<std::uint8_t> blurLine;
    std::vector<std::uint32_t> blurSums;
    Runs cut;                          ///< visible pieces of the trace being drawn, device pixels
    Runs kept;                         ///< the same with the needless points dropped
    std::vector<Runs> traceRuns;       ///< kept, for each trace of the frame
    std::vector<int> haloColumn;       ///< per screen column: the halo column left of it
    std::vector<int> haloWeight;       ///< and the weight (of 256) of the one right of it
    LightMap wideHalo;                 ///< the halo's rows widened to the screen's width
    std::uint32_t afterglowColour = 0; ///< colour of the traces the afterglow shows
    std::vector<Trace> traces; ///< the caller's list of a frame's traces, kept for its memory
};

/// Draws a frame: copies `tube` (the face and graticule, same size) into `frame`, lays over it
/// the halo of all traces (in the last trace's colour), then each trace's core in its colour.
/// `logical` is the frame's pixels per logical pixel of the stored panel (beam widths and the
/// halo grow with it); `focus` how far the beam is out of focus, 0 to 1. With
/// `phosphor.afterglow` sized to the frame, `afterglowMs` >= 0 first fades the afterglow by that
/// many milliseconds, then shows it and lets the cores light it.
void ComposeFrame(Image frame, ConstImage tube, const std::vector<Trace> &traces, double logical,
                  double focus, Phosphor &phosphor, double afterglowMs);

} // namespace beam

#pragma once
/// Traces turned into light: cut to the screen, thinned where a straight line lights the same
/// pixels, stamped into an 8-bit light map with soft edges, and blurred into a halo.

#include "engine/beam/light.h"

#include <cstdint>
#include <vector>

namespace beam {

/// The visible pieces of a trace in pixels: the points of every piece one after the other,
/// with the end index of each piece.
struct Runs {
    std::vector<Point> points;
    std::vector<int> ends;
};

/// A rectangle by its edges.
struct Box {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

/// Lights the pixels within `radius` of the segment a-b (pixel centres at whole + 0.5) with
/// `value`, fading to nothing over the pixel beyond, keeping the brighter of old and new.
void StampSegment(LightMap &map, Point a, Point b, double radius, int value);

/// Maps a trace onto an area of `width` x `height` pixels and cuts it into the pieces that fall
/// inside the area widened by `margin` (`cut`), then drops the points that a straight line
/// through their neighbours would light the same (`kept`, the result).
void BuildRuns(double width, double height, const Trace &trace, double margin, Runs &cut,
               Runs &kept);

/// Lights every segment of the runs, mapped by `scale` and shifted by `shift`.
void StampRuns(LightMap &map, const Runs &runs, double scale, double shift, double radius,
               int value);

/// Two box blurs in each direction: close to a Gaussian of about `radius` pixels. Afterwards
/// the blocks flagged are those that hold light. `line` and `sums` are working memory.
void BlurLight(LightMap &map, int radius, std::vector<std::uint8_t> &line,
               std::vector<std::uint32_t> &sums);

} // namespace beam

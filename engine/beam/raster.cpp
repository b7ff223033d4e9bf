#include "engine/beam/raster.h"

#include <array>
#include <cmath>
#include <utility>

namespace beam {

namespace {

/// Shifts a position by half a device pixel (`pixel` is one device pixel in logical units), so
/// that a one-pixel line at a whole position, such as a trace on a division line, covers one
/// row of pixels crisply, like the graticule, instead of two at half strength. The far border
/// would then fall just outside: a value on it is kept on the last pixel.
double onPixelCentre(double v, double extent, double pixel) {
    v += pixel / 2.0;
    if (v > extent - pixel / 2.0 && v <= extent + pixel / 2.0)
        return extent - pixel / 2.0;
    return v;
}

bool isFinite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

/// Liang-Barsky: cuts segment a-b to the rectangle r. False when nothing of it is inside;
/// otherwise a and b are moved onto the cut and bCut tells whether b moved.
bool clipSegment(Point &a, Point &b, const Box &r, bool &bCut) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
    double t0 = 0.0;
    double t1 = 1.0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    bCut = t1 < 1.0;
    const Point start = a;
    if (t0 > 0.0)
        a = Point{start.x + t0 * dx, start.y + t0 * dy};
    if (bCut)
        b = Point{start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

/// u kept within 0 to 1, written without comparisons so that the loops using it are vectorised
/// (a float comparison is a branch to the compiler unless NaN is ruled out).
inline float unitClamp(float u) {
    return 0.5f * (std::abs(u) - std::abs(u - 1.0f) + 1.0f);
}

/// Floor and ceiling of v, which must lie well within int's range (without SSE4.1, std::floor
/// is a library call, and these run once per row of every segment).
inline int floorOf(double v) {
    const int i = static_cast<int>(v);
    return i - (v < i ? 1 : 0);
}
inline int ceilOf(double v) {
    const int i = static_cast<int>(v);
    return i + (v > i ? 1 : 0);
}

/// Narrows [lo, hi] to the x with low <= k * x + c <= high (k's reciprocal given, 0 when k is).
void narrow(double k, double inverse, double c, double low, double high, double &lo, double &hi) {
    if (k == 0.0) {
        if (c < low || c > high) {
            lo = 1.0;
            hi = 0.0;
        }
        return;
    }
    double x0 = (low - c) * inverse;
    double x1 = (high - c) * inverse;
    if (x0 > x1)
        std::swap(x0, x1);
    lo = std::max(lo, x0);
    hi = std::min(hi, x1);
}

} // namespace

/// Lights the pixels within `radius` of the segment a-b (pixel centres at whole + 0.5) with
/// `value`, fading to nothing over the pixel beyond, keeping the brighter of old and new. Only
/// the columns of each row that the rounded segment reaches are visited.
VANTREL_PIXEL_LOOP void StampSegment(LightMap &map, Point a, Point b, double radius, int value) {
    const double reach = radius + 0.5;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double across = reach * std::sqrt(length2);

    const double inverseX = dx != 0.0 ? 1.0 / dx : 0.0;
    const double inverseY = dy != 0.0 ? 1.0 / dy : 0.0;
    const int y0 = std::max(0, static_cast<int>(std::ceil(std::min(a.y, b.y) - reach - 0.5)));
    const int y1 =
        std::min(map.height - 1, static_cast<int>(std::floor(std::max(a.y, b.y) + reach - 0.5)));
    const auto fdx = static_cast<float>(dx);
    const auto fdy = static_cast<float>(dy);
    const auto finv = static_cast<float>(length2 > 0.0 ? 1.0 / length2 : 0.0);
    const auto freach = static_cast<float>(reach);
    const auto scale = static_cast<float>(value);
    const auto ax = static_cast<float>(a.x);
    // On a steep segment, rows whose whole span lies between the ends (most of them) are lit
    // by the horizontal distance to the line alone.
    const bool steep = std::abs(dy) > std::abs(dx);
    const double length = std::sqrt(length2);
    const double slant = steep ? std::abs(dy) / length : 0.0; // distance per column
    const double halfSpan = steep ? reach / slant : 0.0;
    const double sideways = steep ? halfSpan * std::abs(dx) / length : 0.0;
    for (int y = y0; y <= y1; ++y) {
        const double py = y + 0.5 - a.y;
        if (steep) {
            const double along = py * length / dy; // of the span's centre, from a
            if (along - sideways >= 0.0 && along + sideways <= length) {
                const double centre = a.x + py * dx / dy;
                const int x0 = std::max(0, ceilOf(centre - halfSpan - 0.5));
                const int x1 = std::min(map.width - 1, floorOf(centre + halfSpan - 0.5));
                if (x0 > x1)
                    continue;
                std::uint8_t *row = map.row(y);
                const auto fcentre = static_cast<float>(centre - 0.5);
                const auto fslant = static_cast<float>(slant);
                // A short span is lit as one fixed block (unlit beyond the reach): a loop of
                // known length is vectorised whole, without a scalar tail.
                constexpr int kShortSpan = 16;
                if (x1 - x0 < kShortSpan && x0 + kShortSpan <= map.width) {
                    std::uint8_t *block = row + x0;
                    const float first = static_cast<float>(x0) - fcentre;
                    for (int k = 0; k < kShortSpan; ++k) {
                        const float distance = std::abs(first + static_cast<float>(k)) * fslant;
                        const auto v =
                            static_cast<int>(unitClamp(freach - distance) * scale + 0.5f);
                        block[k] =
                            static_cast<std::uint8_t>(std::max(static_cast<int>(block[k]), v));
                    }
                } else {
                    for (int x = x0; x <= x1; ++x) {
                        const float distance = std::abs(static_cast<float>(x) - fcentre) * fslant;
                        const auto v =
                            static_cast<int>(unitClamp(freach - distance) * scale + 0.5f);
                        row[x] = static_cast<std::uint8_t>(std::max(static_cast<int>(row[x]), v));
                    }
                }
                map.mark(y, x0, x1);
                continue;
            }
        }
        // Columns (relative to a) that the rounded ends and the band between them reach.
        double lo = 1e30;
        double hi = -1e30;
        for (const Point end : {Point{0.0, 0.0}, Point{dx, dy}}) {
            const double h = reach * reach - (py - end.y) * (py - end.y);
            if (h >= 0.0) {
                const double half = std::sqrt(h);
                lo = std::min(lo, end.x - half);
                hi = std::max(hi, end.x + half);
            }
        }
        if (length2 > 0.0) {
            // Across the segment: |x dy - py dx| <= reach |d|; along it: 0 <= x dx + py dy <=
            // |d|^2.
            double bandLo = -1e30;
            double bandHi = 1e30;
            narrow(dy, inverseY, -py * dx, -across, across, bandLo, bandHi);
            narrow(dx, inverseX, py * dy, 0.0, length2, bandLo, bandHi);
            if (bandLo <= bandHi) {
                lo = std::min(lo, bandLo);
                hi = std::max(hi, bandHi);
            }
        }
        lo = std::max(lo + a.x - 0.5, -1.0);
        hi = std::min(hi + a.x - 0.5, static_cast<double>(map.width));
        const int x0 = std::max(0, ceilOf(lo));
        const int x1 = std::min(map.width - 1, floorOf(hi));
        if (x0 > x1)
            continue;
        std::uint8_t *row = map.row(y);
        const auto fy = static_cast<float>(py);
        for (int x = x0; x <= x1; ++x) {
            const float fx = static_cast<float>(x) + 0.5f - ax;
            const float t = unitClamp((fx * fdx + fy * fdy) * finv);
            const float ex = fx - t * fdx;
            const float ey = fy - t * fdy;
            const float cover = unitClamp(freach - std::sqrt(ex * ex + ey * ey));
            const auto v = static_cast<int>(cover * scale + 0.5f);
            row[x] = static_cast<std::uint8_t>(std::max(static_cast<int>(row[x]), v));
        }
        map.mark(y, x0, x1);
    }
}

namespace {

double cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}

/// Drops the points of a run that lie within `tolerance` of the straight line between the
/// points kept around them: a smooth trace of 600 samples becomes a few dozen segments, which
/// light the same pixels with far fewer overlapping visits. From each kept point, the next is
/// the farthest whose direction stays inside the cone of directions that pass within
/// `tolerance` of every point before it (one pass, no trigonometry).
void simplifyRun(const Point *points, int count, double tolerance, std::vector<Point> &out) {
    out.push_back(points[0]);
    int anchor = 0;
    while (anchor < count - 1) {
        const Point a = points[anchor];
        Point low;  // clockwise edge of the cone
        Point high; // counter-clockwise edge
        bool narrowed = false;
        double farthest = 0.0;
        int reach = anchor + 1;
        for (int k = anchor + 1; k < count; ++k) {
            const Point r = points[k] - a;
            const double distance = std::sqrt(r.x * r.x + r.y * r.y);
            if (k > anchor + 1 && (distance < farthest ||
                                   (narrowed && (cross(low, r) < 0.0 || cross(r, high) < 0.0))))
                break;
            reach = k;
            farthest = distance;
            if (distance <= tolerance)
                continue;
            // The directions from a that pass within tolerance of this point.
            const Point u = r / distance;
            const double s = tolerance / distance;
            const double c = std::sqrt(1.0 - s * s);
            const Point cw{u.x * c + u.y * s, u.y * c - u.x * s};
            const Point ccw{u.x * c - u.y * s, u.y * c + u.x * s};
            if (!narrowed) {
                low = cw;
                high = ccw;
                narrowed = true;
                continue;
            }
            if (cross(low, cw) > 0.0)
                low = cw;
            if (cross(ccw, high) > 0.0)
                high = ccw;
        }
        out.push_back(points[reach]);
        anchor = reach;
    }
}

/// Box blur of `count` light values `stride` apart, in place; outside is dark.
void blurLine(std::uint8_t *first, int count, std::ptrdiff_t stride, int radius,
              std::vector<std::uint8_t> &copy) {
    copy.resize(static_cast<std::size_t>(count));
    bool lit = false;
    for (int i = 0; i < count; ++i) {
        copy[static_cast<std::size_t>(i)] = first[i * stride];
        lit = lit || copy[static_cast<std::size_t>(i)] != 0;
    }
    if (!lit)
        return;
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i <= radius && i < count; ++i)
        sum += copy[static_cast<std::size_t>(i)];
    for (int i = 0; i < count; ++i) {
        first[i * stride] = static_cast<std::uint8_t>((sum + window / 2) / window);
        if (i + radius + 1 < count)
            sum += copy[static_cast<std::size_t>(i + radius + 1)];
        if (i - radius >= 0)
            sum -= copy[static_cast<std::size_t>(i - radius)];
    }
}

/// Box blur down every column at once, a row at a time (one running sum per column), in
/// place; outside is dark. Row by row, so that it runs along memory and is vectorised.
VANTREL_PIXEL_LOOP void blurColumns(LightMap &map, int radius, std::vector<std::uint8_t> &copy,
                                    std::vector<std::uint32_t> &sums) {
    const int w = map.width;
    const int h = map.height;
    copy.assign(map.values.begin(), map.values.end());
    sums.assign(static_cast<std::size_t>(w), 0);
    const auto rowOf = [&](int y) { return copy.data() + static_cast<std::ptrdiff_t>(y) * w; };
    std::uint32_t *sum = sums.data();
    for (int y = 0; y <= radius && y < h; ++y) {
        const std::uint8_t *from = rowOf(y);
        for (int x = 0; x < w; ++x)
            sum[x] += from[x];
    }
    // Division by the window as a multiplication (the sums stay below 2^16).
    const std::uint32_t inverse = 65536U / static_cast<std::uint32_t>(2 * radius + 1) + 1U;
    for (int y = 0; y < h; ++y) {
        std::uint8_t *to = map.row(y);
        for (int x = 0; x < w; ++x)
            to[x] = static_cast<std::uint8_t>((sum[x] * inverse) >> 16);
        if (y + radius + 1 < h) {
            const std::uint8_t *entering = rowOf(y + radius + 1);
            for (int x = 0; x < w; ++x)
                sum[x] += entering[x];
        }
        if (y - radius >= 0) {
            const std::uint8_t *leaving = rowOf(y - radius);
            for (int x = 0; x < w; ++x)
                sum[x] -= leaving[x];
        }
    }
}

} // namespace

/// Two box blurs in each direction: close to a Gaussian of about `radius` pixels. Afterwards
/// the blocks flagged are those that hold light.
void BlurLight(LightMap &map, int radius, std::vector<std::uint8_t> &line,
               std::vector<std::uint32_t> &sums) {
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < map.height; ++y)
            blurLine(map.row(y), map.width, 1, radius, line);
        blurColumns(map, radius, line, sums);
    }
    for (int y = 0; y < map.height; ++y) {
        std::fill(map.flags(y), map.flags(y) + map.words, 0);
        std::uint8_t *row = map.row(y);
        for (int x0 = 0; x0 < map.width; x0 += LightMap::kBlock) {
            const int x1 = std::min(map.width, x0 + LightMap::kBlock);
            // A value of 1 adds less than one step of brightness: not worth a visit.
            if (std::any_of(row + x0, row + x1, [](std::uint8_t v) { return v > 1; }))
                map.mark(y, x0, x1 - 1);
            else
                std::fill(row + x0, row + x1, 0);
        }
    }
}

/// How strongly a beam glows: a brighter colour (a higher intensity) lights more phosphor

/// Maps a plot to device pixels and cuts it into the pieces that fall inside the area widened
/// by `margin` (so that the cuts themselves are never seen), then drops the points that a
/// straight line through their neighbours would light the same. Samples far outside the ranges
/// and non-finite ones break the line instead of reaching the rasteriser.
void BuildRuns(double width, double height, const Trace &beam, double margin, Runs &cut,
               Runs &kept) {
    cut.points.clear();
    cut.ends.clear();
    kept.points.clear();
    kept.ends.clear();
    // The area widened by the margin on every side, rounded as a rectangle adjusted so would be.
    const Box bounds{-margin, -margin, -margin + (width + margin - -margin),
                     -margin + (height + margin - -margin)};
    const double sx = width / (beam.xMax - beam.xMin);
    const double sy = height / (beam.yMax - beam.yMin);
    const auto toPixels = [&](Point v) {
        return Point{onPixelCentre((v.x - beam.xMin) * sx, width, 1.0),
                     onPixelCentre((beam.yMax - v.y) * sy, height, 1.0)};
    };

    bool open = false;
    const auto closeRun = [&] {
        cut.ends.push_back(static_cast<int>(cut.points.size()));
        open = false;
    };

    // A single sample shows as a dot: a segment one pixel long.
    const std::vector<Point> &points = *beam.points;
    const std::size_t n = points.size();
    const std::size_t segments = std::max<std::size_t>(n, 2) - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        Point a = toPixels(points[i]);
        Point b = n > 1 ? toPixels(points[i + 1]) : a + Point{1.0, 0.0};
        bool bCut = false;
        if (!isFinite(a) || !isFinite(b) || !clipSegment(a, b, bounds, bCut)) {
            if (open)
                closeRun();
            continue;
        }
        // A run ends where the line leaves the area: an open run goes on from a point inside.
        if (!open) {
            cut.points.push_back(a);
            open = true;
        }
        cut.points.push_back(b);
        if (bCut)
            closeRun();
    }
    if (open)
        closeRun();

    constexpr double kTolerance = 0.2; // pixels: a shift nobody sees
    int start = 0;
    for (const int end : cut.ends) {
        simplifyRun(cut.points.data() + start, end - start, kTolerance, kept.points);
        kept.ends.push_back(static_cast<int>(kept.points.size()));
        start = end;
    }
}

/// Lights every segment of the runs (points, with the end index of each run), mapped by
/// `scale` and shifted by `shift`.
void StampRuns(LightMap &map, const Runs &runs, double scale, double shift, double radius,
               int value) {
    const std::vector<Point> &points = runs.points;
    int start = 0;
    for (const int end : runs.ends) {
        for (int i = start; i + 1 < end; ++i) {
            const Point a = points[static_cast<std::size_t>(i)] * scale + Point{shift, shift};
            const Point b = points[static_cast<std::size_t>(i + 1)] * scale + Point{shift, shift};
            StampSegment(map, a, b, radius, value);
        }
        start = end;
    }
}

/// The halo's geometry for one frame: its pixel size in screen pixels, its blur radius and

} // namespace beam

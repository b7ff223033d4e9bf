#include "engine/graph_widget.h"

#include "engine/control_widgets.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr int kDivisionsX = 10;
constexpr int kDivisionsY = 8;
constexpr int kMinorPerDivision = 5;

constexpr double kThinWidth = 1.2;  // logical pixels
constexpr double kThickWidth = 3.0; // logical pixels
constexpr int kThickStyle = 5;      // the engine's thick-line plot style

/// The beams' halo is drawn into an image of one pixel per this many logical pixels (at the
/// stored size), blurred there and laid over the screen where it holds light: a soft glow for
/// a fraction of the cost of blurring at full size.
constexpr double kGlowCell = 3.0;
/// Time after a change of the picture in which its afterglow fades out (eight decay times: to
/// well below one step of brightness).
constexpr qint64 kAfterglowSettleMs = static_cast<qint64>(8 * GraphWidget::kAfterglowDecayMs);
/// Focus distance (0 sharp, 1 at either end of the knob) from which the thick line is drawn.
constexpr double kThickFocus = 0.4;

const QColor kFaceCentre(10, 24, 18);
const QColor kFaceEdge(2, 6, 4);
// Dim enough that a beam of the lowest intensity lying on a line still stands out from it.
const QColor kGraticule(36, 62, 54);
const QColor kCentreLines(44, 76, 66);

/// Centre of a line of `width` whole pixels nearest to v, kept inside [0, extent], so that a
/// line drawn without antialiasing covers whole pixels.
double snapLine(double v, int width, int extent) {
    const double half = width / 2.0;
    return std::clamp(std::round(v - half) + half, half, extent - half);
}

/// Tube face and graticule in device pixels; `scale` is the device pixels per logical pixel.
void paintStaticLayers(QPainter &p, QSize pixels, qreal scale) {
    const int w = pixels.width();
    const int h = pixels.height();

    QRadialGradient face(QPointF(w / 2.0, h / 2.0), std::hypot(w, h) / 2.0);
    face.setColorAt(0.0, kFaceCentre);
    face.setColorAt(1.0, kFaceEdge);
    p.fillRect(QRect(QPoint(0, 0), pixels), face);

    p.setRenderHint(QPainter::Antialiasing, false);
    const int lw = std::max(1, static_cast<int>(std::lround(scale)));
    const double divX = static_cast<double>(w) / kDivisionsX;
    const double divY = static_cast<double>(h) / kDivisionsY;

    p.setPen(QPen(kGraticule, lw, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i <= kDivisionsX; ++i) {
        const double x = snapLine(i * divX, lw, w);
        p.drawLine(QPointF(x, 0), QPointF(x, h));
    }
    for (int j = 0; j <= kDivisionsY; ++j) {
        const double y = snapLine(j * divY, lw, h);
        p.drawLine(QPointF(0, y), QPointF(w, y));
    }

    // Centre lines, a shade brighter, with minor ticks across them.
    p.setPen(QPen(kCentreLines, lw, Qt::SolidLine, Qt::FlatCap));
    const double cx = snapLine(w / 2.0, lw, w);
    const double cy = snapLine(h / 2.0, lw, h);
    p.drawLine(QPointF(cx, 0), QPointF(cx, h));
    p.drawLine(QPointF(0, cy), QPointF(w, cy));
    const double tick = std::max(2.0 * lw, divY / 10.0);
    for (int i = 1; i < kDivisionsX * kMinorPerDivision; ++i) {
        const double x = snapLine(i * divX / kMinorPerDivision, lw, w);
        p.drawLine(QPointF(x, cy - tick), QPointF(x, cy + tick));
    }
    for (int j = 1; j < kDivisionsY * kMinorPerDivision; ++j) {
        const double y = snapLine(j * divY / kMinorPerDivision, lw, h);
        p.drawLine(QPointF(cx - tick, y), QPointF(cx + tick, y));
    }
}

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

bool isFinite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

/// Liang-Barsky: cuts segment a-b to the rectangle r. False when nothing of it is inside;
/// otherwise a and b are moved onto the cut and bCut tells whether b moved.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r, bool &bCut) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{a.x() - r.left(), r.right() - a.x(), a.y() - r.top(),
                                  r.bottom() - a.y()};
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
    const QPointF start = a;
    if (t0 > 0.0)
        a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    if (bCut)
        b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

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
/// twice the pixels per instruction, and 32-bit multiplies that SSE2 lacks.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VANTREL_PIXEL_LOOP __attribute__((target_clones("default", "avx2")))
#else
#define VANTREL_PIXEL_LOOP
#endif

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

/// Lights the pixels within `radius` of the segment a-b (pixel centres at whole + 0.5) with
/// `value`, fading to nothing over the pixel beyond, keeping the brighter of old and new. Only
/// the columns of each row that the rounded segment reaches are visited.
VANTREL_PIXEL_LOOP void stampSegment(LightMap &map, QPointF a, QPointF b, double radius,
                                     int value) {
    const double reach = radius + 0.5;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    const double across = reach * std::sqrt(length2);

    const double inverseX = dx != 0.0 ? 1.0 / dx : 0.0;
    const double inverseY = dy != 0.0 ? 1.0 / dy : 0.0;
    const int y0 = std::max(0, static_cast<int>(std::ceil(std::min(a.y(), b.y()) - reach - 0.5)));
    const int y1 = std::min(map.height - 1,
                            static_cast<int>(std::floor(std::max(a.y(), b.y()) + reach - 0.5)));
    const auto fdx = static_cast<float>(dx);
    const auto fdy = static_cast<float>(dy);
    const auto finv = static_cast<float>(length2 > 0.0 ? 1.0 / length2 : 0.0);
    const auto freach = static_cast<float>(reach);
    const auto scale = static_cast<float>(value);
    const auto ax = static_cast<float>(a.x());
    // On a steep segment, rows whose whole span lies between the ends (most of them) are lit
    // by the horizontal distance to the line alone.
    const bool steep = std::abs(dy) > std::abs(dx);
    const double length = std::sqrt(length2);
    const double slant = steep ? std::abs(dy) / length : 0.0; // distance per column
    const double halfSpan = steep ? reach / slant : 0.0;
    const double sideways = steep ? halfSpan * std::abs(dx) / length : 0.0;
    for (int y = y0; y <= y1; ++y) {
        const double py = y + 0.5 - a.y();
        if (steep) {
            const double along = py * length / dy; // of the span's centre, from a
            if (along - sideways >= 0.0 && along + sideways <= length) {
                const double centre = a.x() + py * dx / dy;
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
        for (const QPointF end : {QPointF(0.0, 0.0), QPointF(dx, dy)}) {
            const double h = reach * reach - (py - end.y()) * (py - end.y());
            if (h >= 0.0) {
                const double half = std::sqrt(h);
                lo = std::min(lo, end.x() - half);
                hi = std::max(hi, end.x() + half);
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
        lo = std::max(lo + a.x() - 0.5, -1.0);
        hi = std::min(hi + a.x() - 0.5, static_cast<double>(map.width));
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

double cross(QPointF a, QPointF b) {
    return a.x() * b.y() - a.y() * b.x();
}

/// Drops the points of a run that lie within `tolerance` of the straight line between the
/// points kept around them: a smooth trace of 600 samples becomes a few dozen segments, which
/// light the same pixels with far fewer overlapping visits. From each kept point, the next is
/// the farthest whose direction stays inside the cone of directions that pass within
/// `tolerance` of every point before it (one pass, no trigonometry).
void simplifyRun(const QPointF *points, int count, double tolerance, std::vector<QPointF> &out) {
    out.push_back(points[0]);
    int anchor = 0;
    while (anchor < count - 1) {
        const QPointF a = points[anchor];
        QPointF low;  // clockwise edge of the cone
        QPointF high; // counter-clockwise edge
        bool narrowed = false;
        double farthest = 0.0;
        int reach = anchor + 1;
        for (int k = anchor + 1; k < count; ++k) {
            const QPointF r = points[k] - a;
            const double distance = std::sqrt(r.x() * r.x() + r.y() * r.y());
            if (k > anchor + 1 && (distance < farthest ||
                                   (narrowed && (cross(low, r) < 0.0 || cross(r, high) < 0.0))))
                break;
            reach = k;
            farthest = distance;
            if (distance <= tolerance)
                continue;
            // The directions from a that pass within tolerance of this point.
            const QPointF u = r / distance;
            const double s = tolerance / distance;
            const double c = std::sqrt(1.0 - s * s);
            const QPointF cw(u.x() * c + u.y() * s, u.y() * c - u.x() * s);
            const QPointF ccw(u.x() * c - u.y() * s, u.y() * c + u.x() * s);
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

/// Two box blurs in each direction: close to a Gaussian of about `radius` pixels. Afterwards
/// the blocks flagged are those that hold light.
void blurLight(LightMap &map, int radius, std::vector<std::uint8_t> &line,
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
/// around its core.
double glowStrength(QRgb colour) {
    const double value = std::max({qRed(colour), qGreen(colour), qBlue(colour)}) / 255.0;
    return value * value * value;
}

/// Channels of a 32-bit pixel, each weighted by `weight` / 256.
[[gnu::always_inline]] inline quint32 weighted(quint32 pixel, quint32 weight) {
    return ((((pixel & 0xff00ffU) * weight) >> 8) & 0xff00ffU) |
           ((((pixel & 0x00ff00U) * weight) >> 8) & 0x00ff00U);
}

/// `pixel` moved towards `colour` by `amount` / 255: all the way at 255.
[[gnu::always_inline]] inline quint32 towards(quint32 pixel, quint32 colour, int amount) {
    const auto weight = static_cast<quint32>(amount + (amount >> 7)); // 255 -> 256
    return 0xff000000U | (weighted(pixel, 256U - weight) + weighted(colour, weight));
}

/// A plot as the repaint needs it.
struct Beam {
    const std::vector<QPointF> *points = nullptr;
    double xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
    bool thick = false;
    QRgb colour = 0;
};

} // namespace

/// The working buffers of a repaint, kept between frames so that a repaint allocates nothing
/// once the size is settled.
struct Phosphor {
    LightMap halo;      ///< the beams' light at a fraction of the size, then blurred
    LightMap cover;     ///< the beams' cores at full size, one colour at a time
    LightMap afterglow; ///< what the phosphor still shows of earlier frames (empty when off)
    std::vector<std::uint8_t> blurLine;
    std::vector<std::uint32_t> blurSums;
    std::vector<QPointF> runPoints; ///< visible pieces of the plot being drawn, device pixels
    std::vector<int> runEnds;       ///< end index of each piece in runPoints
    std::vector<QPointF> kept;      ///< the same with the needless points dropped
    std::vector<int> keptEnds;
    std::vector<Beam> beams;                      ///< the plots the frame shows
    std::vector<std::vector<QPointF>> beamPoints; ///< kept, for each beam of the frame
    std::vector<std::vector<int>> beamEnds;       ///< keptEnds, for each beam
    std::vector<int> haloColumn;                  ///< per screen column: the halo column left of it
    std::vector<int> haloWeight; ///< and the weight (of 256) of the one right of it
    LightMap wideHalo;           ///< the halo's rows widened to the screen's width
    QRgb afterglowColour = 0;    ///< colour of the traces the afterglow shows
};

namespace {

/// Maps a plot to device pixels and cuts it into the pieces that fall inside the area widened
/// by `margin` (so that the cuts themselves are never seen), then drops the points that a
/// straight line through their neighbours would light the same. Samples far outside the ranges
/// and non-finite ones break the line instead of reaching the rasteriser.
void buildRuns(QSizeF area, const Beam &beam, double margin, Phosphor &ph) {
    ph.runPoints.clear();
    ph.runEnds.clear();
    ph.kept.clear();
    ph.keptEnds.clear();
    const QRectF bounds = QRectF(QPointF(0, 0), area).adjusted(-margin, -margin, margin, margin);
    const double sx = area.width() / (beam.xMax - beam.xMin);
    const double sy = area.height() / (beam.yMax - beam.yMin);
    const auto toPixels = [&](QPointF v) {
        return QPointF(onPixelCentre((v.x() - beam.xMin) * sx, area.width(), 1.0),
                       onPixelCentre((beam.yMax - v.y()) * sy, area.height(), 1.0));
    };

    bool open = false;
    const auto closeRun = [&] {
        ph.runEnds.push_back(static_cast<int>(ph.runPoints.size()));
        open = false;
    };

    // A single sample shows as a dot: a segment one pixel long.
    const std::vector<QPointF> &points = *beam.points;
    const std::size_t n = points.size();
    const std::size_t segments = std::max<std::size_t>(n, 2) - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        QPointF a = toPixels(points[i]);
        QPointF b = n > 1 ? toPixels(points[i + 1]) : a + QPointF(1.0, 0.0);
        bool bCut = false;
        if (!isFinite(a) || !isFinite(b) || !clipSegment(a, b, bounds, bCut)) {
            if (open)
                closeRun();
            continue;
        }
        // A run ends where the line leaves the area: an open run goes on from a point inside.
        if (!open) {
            ph.runPoints.push_back(a);
            open = true;
        }
        ph.runPoints.push_back(b);
        if (bCut)
            closeRun();
    }
    if (open)
        closeRun();

    constexpr double kTolerance = 0.2; // pixels: a shift nobody sees
    int start = 0;
    for (const int end : ph.runEnds) {
        simplifyRun(ph.runPoints.data() + start, end - start, kTolerance, ph.kept);
        ph.keptEnds.push_back(static_cast<int>(ph.kept.size()));
        start = end;
    }
}

/// Lights every segment of the runs (points, with the end index of each run), mapped by
/// `scale` and shifted by `shift`.
void stampRuns(LightMap &map, const std::vector<QPointF> &points, const std::vector<int> &ends,
               double scale, double shift, double radius, int value) {
    int start = 0;
    for (const int end : ends) {
        for (int i = start; i + 1 < end; ++i) {
            const QPointF a = points[static_cast<std::size_t>(i)] * scale + QPointF(shift, shift);
            const QPointF b =
                points[static_cast<std::size_t>(i + 1)] * scale + QPointF(shift, shift);
            stampSegment(map, a, b, radius, value);
        }
        start = end;
    }
}

/// The halo's geometry for one frame: its pixel size in screen pixels, its blur radius and
/// the dark border around it into which the blur spreads.
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
quint32 shade(quint32 colour, quint32 v) {
    return ((((colour >> 16) & 0xffU) * v) >> 8) << 16 | ((((colour >> 8) & 0xffU) * v) >> 8) << 8 |
           (((colour & 0xffU) * v) >> 8);
}

/// Adds two pixels channel by channel, each kept at 255 (no branches: the loops that call it
/// are vectorised).
quint32 addSaturated(quint32 a, quint32 b) {
    const quint32 low = (a & 0x7f7f7f7fU) + (b & 0x7f7f7f7fU);
    const quint32 sum = low ^ ((a ^ b) & 0x80808080U);
    const quint32 overflow = ((a & b) | ((a | b) & ~sum)) & 0x80808080U;
    return sum | ((overflow >> 7) * 0xffU);
}

/// Adds to pixels x0 to x1 the halo blended from two widened rows (`lower` weighing wy / 256)
/// in `colour`.
VANTREL_PIXEL_LOOP void addHalo(quint32 *to, const std::uint8_t *upper, const std::uint8_t *lower,
                                int x0, int x1, quint32 wy, quint32 colour) {
    for (int x = x0; x <= x1; ++x) {
        const quint32 v = (upper[x] * (256U - wy) + lower[x] * wy) >> 8;
        to[x] = addSaturated(to[x], shade(colour, v));
    }
}

/// Moves pixels x0 to x1 towards `colour` by their `amount`.
VANTREL_PIXEL_LOOP void paintTowards(quint32 *to, const std::uint8_t *amount, int x0, int x1,
                                     quint32 colour) {
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
void composeBase(QImage &frame, const QImage &staticLayers, const HaloShape *glow, QRgb glowColour,
                 Phosphor &ph) {
    const int w = frame.width();
    const int h = frame.height();
    if (glow != nullptr)
        widenHalo(*glow, w, ph);
    const LightMap &wide = ph.wideHalo;
    const quint32 colour = glowColour & 0xffffffU;
    const bool afterglow = !ph.afterglow.values.empty();
    const quint32 afterColour = ph.afterglowColour & 0xffffffU;
    for (int y = 0; y < h; ++y) {
        const auto *from = reinterpret_cast<const quint32 *>(staticLayers.constScanLine(y));
        auto *to = reinterpret_cast<quint32 *>(frame.scanLine(y));
        std::memcpy(to, from, static_cast<std::size_t>(w) * sizeof(quint32));
        if (glow != nullptr) {
            const double fy = (y + 0.5) / glow->cell + glow->pad - 0.5;
            const int r0 = std::clamp(static_cast<int>(std::floor(fy)), 0, wide.height - 2);
            const auto wy =
                static_cast<quint32>(std::clamp(static_cast<int>((fy - r0) * 256.0), 0, 256));
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
void composeCores(QImage &frame, Phosphor &ph, QRgb colour) {
    const quint32 core = colour & 0xffffffU;
    const bool afterglow = !ph.afterglow.values.empty();
    if (afterglow)
        ph.afterglowColour = colour;
    for (int y = 0; y < ph.cover.height; ++y) {
        std::uint8_t *cover = ph.cover.row(y);
        auto *to = reinterpret_cast<quint32 *>(frame.scanLine(y));
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

bool samePoints(const std::vector<QPointF> &a, const std::vector<QPointF> &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](QPointF u, QPointF v) { return u.x() == v.x() && u.y() == v.y(); });
}

} // namespace

GraphWidget::GraphWidget(QWidget *parent)
    : QWidget(parent), m_phosphor(std::make_unique<Phosphor>()) {
    // Every pixel is painted: the static layers cover the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(kFrameIntervalMs);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &GraphWidget::showChangedFrame);
}

GraphWidget::~GraphWidget() = default;

void GraphWidget::setBeamFocus(double distance) {
    if (!std::isfinite(distance))
        return;
    const double focus = std::clamp(distance, 0.0, 1.0);
    if (focus == m_focus)
        return;
    m_focus = focus;
    scheduleFrame();
}

void GraphWidget::setAfterglow(bool on) {
    if (on == m_afterglowOn)
        return;
    m_afterglowOn = on;
    // Off frees the buffer: nothing of it is kept or computed any more.
    m_phosphor->afterglow = LightMap{};
    m_frame = QImage(); // composed afresh at the next repaint
    scheduleFrame();
}

void GraphWidget::setAxisRange(int axis, double min, double max) {
    if (!std::isfinite(min) || !std::isfinite(max) || !(min < max))
        return;
    if (axis == 0) {
        m_xMin = min;
        m_xMax = max;
    } else {
        m_yMin = min;
        m_yMax = max;
    }
}

double GraphWidget::axisMin(int axis) const {
    return axis == 0 ? m_xMin : m_yMin;
}

double GraphWidget::axisMax(int axis) const {
    return axis == 0 ? m_xMax : m_yMax;
}

int GraphWidget::addWaveform(const double *y, int count, double gain, double offset, double x0,
                             double dx, int style, int rgb) {
    if (y == nullptr || count < 1)
        return -1;
    Plot plot;
    plot.points.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        plot.points[static_cast<std::size_t>(i)] = QPointF(x0 + i * dx, y[i] * gain + offset);
    plot.thick = style == kThickStyle;
    plot.colour = QColor::fromRgb(static_cast<QRgb>(rgb));
    return addPlot(std::move(plot));
}

int GraphWidget::addXY(const double *x, const double *y, int count, int style, int rgb) {
    if (x == nullptr || y == nullptr || count < 1)
        return -1;
    Plot plot;
    plot.points.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        plot.points[static_cast<std::size_t>(i)] = QPointF(x[i], y[i]);
    plot.thick = style == kThickStyle;
    plot.colour = QColor::fromRgb(static_cast<QRgb>(rgb));
    return addPlot(std::move(plot));
}

bool GraphWidget::samePicture(const Plot &a, const Plot &b) {
    return a.thick == b.thick && a.colour == b.colour && a.xMin == b.xMin && a.xMax == b.xMax &&
           a.yMin == b.yMin && a.yMax == b.yMax && samePoints(a.points, b.points);
}

int GraphWidget::addPlot(Plot plot) {
    plot.handle = m_nextHandle;
    m_nextHandle = m_nextHandle == INT_MAX ? 1 : m_nextHandle + 1;
    plot.xMin = m_xMin;
    plot.xMax = m_xMax;
    plot.yMin = m_yMin;
    plot.yMax = m_yMax;
    // A retained copy of the same picture would only be drawn again under the new one: a
    // steady trace re-plotted at every refresh (every millisecond in alternating DUAL) would
    // otherwise fill the retained list with copies and multiply the painting.
    std::erase_if(m_retained, [&](const Plot &old) { return samePicture(old, plot); });
    m_plots.push_back(std::move(plot));
    scheduleFrame();
    return m_plots.back().handle;
}

bool GraphWidget::deletePlot(int handle) {
    const auto it = std::find_if(m_plots.begin(), m_plots.end(),
                                 [handle](const Plot &p) { return p.handle == handle; });
    if (it == m_plots.end())
        return false;
    Plot plot = std::move(*it);
    m_plots.erase(it);
    retain(std::move(plot));
    scheduleFrame();
    return true;
}

void GraphWidget::deleteAllPlots() {
    if (m_plots.empty())
        return;
    for (Plot &plot : m_plots)
        retain(std::move(plot));
    m_plots.clear();
    scheduleFrame();
}

void GraphWidget::retain(Plot plot) {
    m_retained.push_back(std::move(plot));
    if (m_retained.size() > static_cast<std::size_t>(kMaxRetained))
        m_retained.erase(m_retained.begin(), m_retained.end() - kMaxRetained);
}

int GraphWidget::plotCount() const {
    return static_cast<int>(m_plots.size());
}

int GraphWidget::retainedCount() const {
    return static_cast<int>(m_retained.size());
}

void GraphWidget::scheduleFrame() {
    if (!m_frameTimer.isActive())
        m_frameTimer.start();
}

void GraphWidget::showChangedFrame() {
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    const double scale = PanelScaleOf(this);
    // Alternating DUAL re-plots the two traces in turn at every refresh: between two frames
    // only which of them is live has changed, and the screen already shows both. The deleted
    // plots are on the screen too, so they have been shown once. A fading afterglow still
    // needs its frames.
    const bool fading =
        m_afterglowOn && m_pictureClock.isValid() && m_pictureClock.elapsed() < kAfterglowSettleMs;
    if (m_pictureKey == 0 || fading || pictureKey(scale, pixels) != m_pictureKey) {
        update();
        return;
    }
    m_retained.clear();
    // Without them the picture may have changed: a trace that is no longer re-plotted leaves
    // the screen at the next frame.
    if (pictureKey(scale, pixels) != m_pictureKey)
        scheduleFrame();
}

QImage GraphWidget::renderImage(QSize size, double scale) const {
    if (size.isEmpty())
        size = this->size();
    if (size.isEmpty())
        return {};
    QImage layers(size, QImage::Format_RGB32);
    {
        QPainter painter(&layers);
        paintStaticLayers(painter, size, 1.0);
    }
    QImage image(size, QImage::Format_RGB32);
    Phosphor phosphor;
    compose(image, layers, scale, 1.0, phosphor, -1.0);
    return image;
}

void GraphWidget::paintEvent(QPaintEvent *) {
    ++m_repaints;
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (!pixels.isEmpty()) {
        if (m_staticLayers.size() != pixels) {
            m_staticLayers = QImage(pixels, QImage::Format_RGB32);
            QPainter layers(&m_staticLayers);
            paintStaticLayers(layers, pixels, dpr);
        }
        const double scale = PanelScaleOf(this);
        const std::size_t key = pictureKey(scale, pixels);
        const bool changed = key != m_pictureKey || !m_pictureClock.isValid();
        if (changed) {
            m_pictureKey = key;
            m_pictureClock.start();
        }
        LightMap &afterglow = m_phosphor->afterglow;
        if (m_afterglowOn &&
            (afterglow.width != pixels.width() || afterglow.height != pixels.height()))
            afterglow.resize(pixels.width(), pixels.height());
        // After a change the afterglow of what went away fades for a while; then the picture is
        // steady again and costs nothing more.
        const bool settling = m_afterglowOn && m_pictureClock.elapsed() < kAfterglowSettleMs;
        // A steady picture (the usual case: the same traces re-plotted at every refresh) is the
        // frame before.
        if (changed || settling || m_frame.size() != pixels) {
            double fadeMs = -1.0;
            if (m_afterglowOn) {
                // What the change took away was on the screen until the change, at most a frame
                // ago, however long the picture stood before.
                const double since = m_fadeClock.isValid() ? m_fadeClock.elapsed() : 0.0;
                fadeMs = changed ? std::min(since, static_cast<double>(kFrameIntervalMs)) : since;
                m_fadeClock.start();
            }
            if (m_frame.size() != pixels)
                m_frame = QImage(pixels, QImage::Format_RGB32);
            compose(m_frame, m_staticLayers, scale, dpr, *m_phosphor, fadeMs);
            m_frame.setDevicePixelRatio(dpr);
        }
        QPainter painter(this);
        painter.drawImage(0, 0, m_frame);
        // The afterglow fades on at the display's rate until it is dark.
        if (settling && std::any_of(afterglow.lit.begin(), afterglow.lit.end(),
                                    [](std::uint64_t word) { return word != 0; }))
            scheduleFrame();
    }
    // The phosphor has shown the deleted plots once; from the next frame on they are gone.
    m_retained.clear();
}

std::size_t GraphWidget::pictureKey(double scale, QSize pixels) const {
    // FNV-1a over everything that shapes the picture. The plots' hashes are added, so that the
    // same pictures make the same key whichever of them is live or just deleted: alternating
    // DUAL shows the two traces swapping those roles at every frame.
    // Taken a 64-bit word at a time: the data are doubles, and the key is made every frame.
    const auto hashOf = [](const void *words, std::size_t bytes, std::size_t hash) {
        const auto *p = static_cast<const unsigned char *>(words);
        for (std::size_t i = 0; i + sizeof(std::uint64_t) <= bytes; i += sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, p + i, sizeof(word));
            hash = (hash ^ word) * 1099511628211ULL;
        }
        return hash;
    };
    constexpr std::size_t kBasis = 14695981039346656037ULL;
    const std::array<double, 4> frame{scale, m_focus, static_cast<double>(pixels.width()),
                                      static_cast<double>(pixels.height())};
    std::size_t key = hashOf(frame.data(), sizeof(frame), kBasis);
    for (const auto *plots : {&m_retained, &m_plots}) {
        for (const Plot &plot : *plots) {
            const std::array<double, 6> head{plot.xMin,
                                             plot.xMax,
                                             plot.yMin,
                                             plot.yMax,
                                             plot.thick ? 1.0 : 0.0,
                                             static_cast<double>(plot.colour.rgb())};
            const std::size_t hash = hashOf(head.data(), sizeof(head), kBasis);
            key += hashOf(plot.points.data(), plot.points.size() * sizeof(QPointF), hash);
        }
    }
    return key;
}

void GraphWidget::compose(QImage &frame, const QImage &staticLayers, double scale, qreal dpr,
                          Phosphor &ph, double afterglowMs) const {
    std::vector<Beam> &beams = ph.beams;
    beams.clear();
    for (const auto *plots : {&m_retained, &m_plots}) {
        for (const Plot &plot : *plots)
            beams.push_back(Beam{&plot.points, plot.xMin, plot.xMax, plot.yMin, plot.yMax,
                                 plot.thick, plot.colour.rgb()});
    }
    const QSizeF area(frame.size());
    const double logical = scale * dpr; // screen pixels per logical pixel of the stored panel

    // The halo: every beam's light on a coarse grid, blurred, in the last beam's colour (all
    // traces of the instrument share one). A thick beam is at least as blurred as the FOCUS
    // knob's first thick position.
    HaloShape shape;
    shape.cell = kGlowCell * logical;
    double focus = m_focus;
    for (const Beam &beam : beams)
        focus = std::max(focus, beam.thick ? kThickFocus : 0.0);
    shape.radius = haloRadius(focus);
    shape.pad = 2 * shape.radius + 2;
    const bool glowing = !beams.empty();
    if (glowing) {
        const int hw = static_cast<int>(std::ceil(area.width() / shape.cell)) + 2 * shape.pad;
        const int hh = static_cast<int>(std::ceil(area.height() / shape.cell)) + 2 * shape.pad;
        if (ph.halo.width != hw || ph.halo.height != hh)
            ph.halo.resize(hw, hh);
        else
            ph.halo.clear();
    }
    // Each beam's visible runs, once for the halo and the cores.
    if (ph.beamPoints.size() < beams.size()) {
        ph.beamPoints.resize(beams.size());
        ph.beamEnds.resize(beams.size());
    }
    for (std::size_t i = 0; i < beams.size(); ++i) {
        buildRuns(area, beams[i], (2 * shape.radius + 1) * shape.cell, ph);
        std::swap(ph.kept, ph.beamPoints[i]);
        std::swap(ph.keptEnds, ph.beamEnds[i]);
    }
    // A defocused beam spreads its light over a wider band, a little brighter in all.
    const double spread = 1.0 + 0.35 * (shape.radius - 1);
    for (std::size_t i = 0; i < beams.size(); ++i) {
        const int light = static_cast<int>(255.0 * std::min(1.0, glowStrength(beams[i].colour)));
        stampRuns(ph.halo, ph.beamPoints[i], ph.beamEnds[i], 1.0 / shape.cell, shape.pad,
                  0.35 * spread, light);
    }
    if (glowing)
        blurLight(ph.halo, shape.radius, ph.blurLine, ph.blurSums);

    if (afterglowMs >= 0.0)
        fadeAfterglow(ph.afterglow, afterglowMs, kAfterglowDecayMs);
    composeBase(frame, staticLayers, glowing ? &shape : nullptr, glowing ? beams.back().colour : 0,
                ph);
    // The cores over it, each run of beams of one colour at a time, in their exact colour.
    if (ph.cover.width != frame.width() || ph.cover.height != frame.height())
        ph.cover.resize(frame.width(), frame.height());
    for (std::size_t i = 0; i < beams.size(); ++i) {
        const Beam &beam = beams[i];
        const double radius = (beam.thick ? kThickWidth : kThinWidth) * logical / 2.0;
        stampRuns(ph.cover, ph.beamPoints[i], ph.beamEnds[i], 1.0, 0.0, radius, 255);
        if (i + 1 == beams.size() || beams[i + 1].colour != beam.colour)
            composeCores(frame, ph, beam.colour);
    }
}

#include "app/engine/graph_widget.h"

#include "app/engine/control_widgets.h"

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
constexpr int kGlowTile = 4; ///< halo pixels per side of the squares checked for light

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

/// A trace of any width drawn as opaque one-device-pixel antialiased polylines shifted over a
/// small disc. Measured on 600-point traces (Qt 6.4 raster, 600 x 480): a cosmetic one-pixel
/// opaque polyline takes 0.06 to 0.16 ms, the same with a 1.2 pixel pen 2 to 13 ms (the stroker
/// builds and fills a self-overlapping outline), and a translucent one-pixel polyline up to 30
/// times the opaque one on steep traces (every pixel goes through the generic blend). So the
/// thick trace is a few opaque passes and there is no translucent glow.
struct Brush {
    std::array<QPointF, 64> offsets{}; ///< logical pixels
    int count = 0;
    double reach = 0.0; ///< farthest offset, logical pixels
};

Brush makeBrush(double width, qreal dpr) {
    Brush brush;
    // Radius of the disc of line centres, in device pixels, rounded generously so that a thin
    // trace on a high-density screen is not one device pixel wide.
    const double radius = std::max(0.0, (width * dpr - 1.0) / 2.0) + 0.3;
    const int r = static_cast<int>(radius);
    for (int j = -r; j <= r; ++j) {
        for (int i = -r; i <= r; ++i) {
            const double d = std::hypot(i, j);
            if (d > radius)
                continue;
            // A disc too large for the passes is left to the stroker (a wide pen) instead of
            // being drawn in part.
            if (brush.count == static_cast<int>(brush.offsets.size()))
                return Brush{};
            brush.offsets[static_cast<std::size_t>(brush.count++)] = QPointF(i / dpr, j / dpr);
            brush.reach = std::max(brush.reach, d / dpr);
        }
    }
    return brush;
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

/// How strongly a beam glows: a brighter colour (a higher intensity) lights more phosphor
/// around its core, and a defocused beam spreads more of its light.
double glowStrength(const QColor &colour, bool defocused) {
    const double value = std::max({colour.redF(), colour.greenF(), colour.blueF()});
    return (defocused ? 1.0 : 0.9) * value * value * value;
}

/// Box blur of `count` light values `stride` apart, in place; outside is dark.
void blurLine(uchar *first, int count, std::ptrdiff_t stride, int radius,
              std::vector<uchar> &copy) {
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
        first[i * stride] = static_cast<uchar>(sum / window);
        if (i + radius + 1 < count)
            sum += copy[static_cast<std::size_t>(i + radius + 1)];
        if (i - radius >= 0)
            sum -= copy[static_cast<std::size_t>(i - radius)];
    }
}

/// Offset of the alpha byte within a 32-bit pixel in memory.
constexpr int kAlphaByte = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 3 : 0;

/// Two box blurs in each direction of the alpha of a 32-bit image: close to a Gaussian of
/// about `radius` pixels. The light is drawn in black, so alpha is all it holds.
void blurImage(QImage &image, int radius, std::vector<uchar> &line) {
    uchar *alpha = image.bits() + kAlphaByte;
    const int w = image.width();
    const int h = image.height();
    const std::ptrdiff_t stride = image.bytesPerLine();
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < h; ++y)
            blurLine(alpha + y * stride, w, 4, radius, line);
        for (int x = 0; x < w; ++x)
            blurLine(alpha + 4 * x, h, stride, radius, line);
    }
}

/// Colours the blurred light: every trace of the instrument shares one colour.
void colourise(const QImage &light, QImage &glow, const QColor &colour) {
    std::array<quint32, 256> shade{};
    for (std::size_t a = 0; a < shade.size(); ++a)
        shade[a] =
            qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), static_cast<int>(a)));
    for (int y = 0; y < light.height(); ++y) {
        const auto *from = reinterpret_cast<const quint32 *>(light.constScanLine(y));
        auto *to = reinterpret_cast<quint32 *>(glow.scanLine(y));
        for (int x = 0; x < light.width(); ++x)
            to[x] = shade[qAlpha(from[x])];
    }
}

/// Whether any pixel of a tile of the halo holds visible light.
bool tileLit(const QImage &light, int tx, int ty) {
    const int x0 = tx * kGlowTile;
    const int y0 = ty * kGlowTile;
    const int x1 = std::min(light.width(), x0 + kGlowTile);
    const int y1 = std::min(light.height(), y0 + kGlowTile);
    for (int y = y0; y < y1; ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(light.constScanLine(y));
        for (int x = x0; x < x1; ++x) {
            if (qAlpha(row[x]) > 3)
                return true;
        }
    }
    return false;
}

bool samePoints(const std::vector<QPointF> &a, const std::vector<QPointF> &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](QPointF u, QPointF v) { return u.x() == v.x() && u.y() == v.y(); });
}

} // namespace

GraphWidget::GraphWidget(QWidget *parent) : QWidget(parent) {
    // Every pixel is painted: the static layers cover the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(kFrameIntervalMs);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &GraphWidget::showChangedFrame);
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
    // Alternating DUAL re-plots the two traces in turn at every refresh: between two frames
    // only which of them is live has changed, and the screen already shows both. The deleted
    // plots are on the screen too, so they have been shown once.
    const double scale = PanelScaleOf(this);
    if (m_previousKey == 0 || pictureKey(scale, pixels, dpr) != m_previousKey) {
        update();
        return;
    }
    m_retained.clear();
    // Without them the picture may have changed: a trace that is no longer re-plotted leaves
    // the screen at the next frame.
    if (pictureKey(scale, pixels, dpr) != m_previousKey)
        scheduleFrame();
}

QImage GraphWidget::renderImage(QSize size, double scale) const {
    if (size.isEmpty())
        size = this->size();
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintStaticLayers(painter, size, 1.0);
    paintPlots(painter, QSizeF(size), scale);
    return image;
}

void GraphWidget::paintEvent(QPaintEvent *) {
    ++m_repaints;
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (!pixels.isEmpty()) {
        if (m_staticLayers.size() != pixels || m_staticLayers.devicePixelRatio() != dpr) {
            m_staticLayers = QPixmap(pixels);
            QPainter layers(&m_staticLayers);
            paintStaticLayers(layers, pixels, dpr);
            layers.end();
            m_staticLayers.setDevicePixelRatio(dpr);
        }
        const double scale = PanelScaleOf(this);
        const std::size_t key = pictureKey(scale, pixels, dpr);
        // A steady picture (the usual case: the same trace re-plotted at every refresh) keeps
        // its halo, already laid over the tube, from the frame before. A picture seen for the
        // first time is drawn straight on the screen: a moving trace would never reuse it.
        const bool cached = key == m_glowingKey && m_glowingLayers.size() == pixels &&
                            m_glowingLayers.devicePixelRatio() == dpr;
        const bool steady = key == m_previousKey;
        m_previousKey = key;
        if (!cached && steady) {
            m_glowingLayers = m_staticLayers.copy();
            QPainter layers(&m_glowingLayers);
            paintGlow(layers, QSizeF(size()), scale);
            m_glowingKey = key;
        }
        QPainter painter(this);
        if (cached || steady) {
            painter.drawPixmap(0, 0, m_glowingLayers);
        } else {
            painter.drawPixmap(0, 0, m_staticLayers);
            paintGlow(painter, QSizeF(size()), scale);
        }
        paintCores(painter, QSizeF(size()), scale);
    }
    // The phosphor has shown the deleted plots once; from the next frame on they are gone.
    m_retained.clear();
}

void GraphWidget::paintPlots(QPainter &painter, QSizeF area, double scale) const {
    // The halo first, then every core over it in its exact colour.
    paintGlow(painter, area, scale);
    paintCores(painter, area, scale);
}

std::size_t GraphWidget::pictureKey(double scale, QSize pixels, qreal dpr) const {
    // FNV-1a over everything that shapes the halo. The plots' hashes are added, so that the
    // same pictures make the same key whichever of them is live or just deleted: alternating
    // DUAL shows the two traces swapping those roles at every frame.
    // Taken a 64-bit word at a time: the data are doubles, and the key is made every frame.
    const auto hashOf = [](const void *data, std::size_t bytes, std::size_t hash) {
        const auto *p = static_cast<const unsigned char *>(data);
        for (std::size_t i = 0; i + sizeof(std::uint64_t) <= bytes; i += sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, p + i, sizeof(word));
            hash = (hash ^ word) * 1099511628211ULL;
        }
        return hash;
    };
    constexpr std::size_t kBasis = 14695981039346656037ULL;
    const std::array<double, 4> frame{scale, static_cast<double>(dpr),
                                      static_cast<double>(pixels.width()),
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

void GraphWidget::paintCores(QPainter &painter, QSizeF area, double scale) const {
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Plot &plot : m_retained)
        paintPlot(painter, area, plot, scale);
    for (const Plot &plot : m_plots)
        paintPlot(painter, area, plot, scale);
}

void GraphWidget::paintGlow(QPainter &painter, QSizeF area, double scale) const {
    if (m_retained.empty() && m_plots.empty())
        return;
    const double cell = kGlowCell * scale; // logical pixels per halo pixel
    bool defocused = false;
    for (const auto *plots : {&m_retained, &m_plots}) {
        for (const Plot &plot : *plots)
            defocused = defocused || plot.thick;
    }
    const int radius = defocused ? 2 : 1;
    const int pad = 3 * radius;
    const QSize size(static_cast<int>(std::ceil(area.width() / cell)) + 2 * pad,
                     static_cast<int>(std::ceil(area.height() / cell)) + 2 * pad);
    if (m_light.size() != size) {
        m_light = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_glow = QImage(size, QImage::Format_ARGB32_Premultiplied);
    }
    m_light.fill(Qt::transparent);
    QColor colour;
    {
        QPainter halo(&m_light);
        halo.setRenderHint(QPainter::Antialiasing, true);
        halo.translate(pad, pad);
        halo.scale(1.0 / cell, 1.0 / cell);
        for (const auto *plots : {&m_retained, &m_plots}) {
            for (const Plot &plot : *plots) {
                buildRuns(area, plot, 2.0 * cell, cell);
                QColor light(0, 0, 0);
                light.setAlphaF(static_cast<float>(glowStrength(plot.colour, plot.thick)));
                QPen pen(light, 1.0);
                pen.setCosmetic(true);
                halo.setPen(pen);
                int start = 0;
                for (const int end : m_runEnds) {
                    halo.drawPolyline(m_runPoints.data() + start, end - start);
                    start = end;
                }
                colour = plot.colour;
            }
        }
    }
    blurImage(m_light, radius, m_blurLine);
    colourise(m_light, m_glow, colour);

    // Light adds to the phosphor under it; dark squares of the halo are skipped.
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // One texture over the whole screen, so that the squares join without seams.
    QBrush light(m_glow);
    light.setTransform(QTransform::fromScale(cell, cell).translate(-pad, -pad));
    const int tilesX = (size.width() + kGlowTile - 1) / kGlowTile;
    const int tilesY = (size.height() + kGlowTile - 1) / kGlowTile;
    for (int ty = 0; ty < tilesY; ++ty) {
        for (int tx = 0; tx < tilesX;) {
            if (!tileLit(m_light, tx, ty)) {
                ++tx;
                continue;
            }
            const int first = tx;
            while (tx < tilesX && tileLit(m_light, tx, ty))
                ++tx;
            const QRectF source(first * kGlowTile, ty * kGlowTile, (tx - first) * kGlowTile,
                                kGlowTile);
            const QRectF target((source.left() - pad) * cell, (source.top() - pad) * cell,
                                source.width() * cell, source.height() * cell);
            painter.fillRect(target, light);
        }
    }
    painter.restore();
}

void GraphWidget::paintPlot(QPainter &painter, QSizeF area, const Plot &plot, double scale) const {
    const qreal dpr = painter.device()->devicePixelRatioF();
    const Brush brush = makeBrush((plot.thick ? kThickWidth : kThinWidth) * scale, dpr);
    const double width = (plot.thick ? kThickWidth : kThinWidth) * scale;
    buildRuns(area, plot, std::max(brush.reach, width) + 2.0, 1.0 / dpr);
    if (m_runEnds.empty())
        return;

    if (brush.count == 0) {
        painter.setPen(QPen(plot.colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        int start = 0;
        for (const int end : m_runEnds) {
            painter.drawPolyline(m_runPoints.data() + start, end - start);
            start = end;
        }
        QPen centre(plot.colour, 1.0);
        centre.setCosmetic(true);
        painter.setPen(centre);
        drawCentreLine(painter);
        return;
    }
    QPen pen(plot.colour, 1.0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const QTransform base = painter.transform();
    for (int k = 0; k < brush.count; ++k) {
        const QPointF offset = brush.offsets[static_cast<std::size_t>(k)];
        // Where passes surround the centre, the exact centre line below covers it.
        if (brush.count > 1 && offset.isNull())
            continue;
        // Only the rim of a wide beam is smoothed; the passes inside it are covered by others
        // and are drawn the much faster way.
        const double distance = std::hypot(offset.x(), offset.y()) * dpr;
        painter.setRenderHint(QPainter::Antialiasing, distance > brush.reach * dpr - 1.0);
        painter.translate(offset);
        int start = 0;
        for (const int end : m_runEnds) {
            painter.drawPolyline(m_runPoints.data() + start, end - start);
            start = end;
        }
        painter.setTransform(base);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawCentreLine(painter);
}

/// The beam's centre, one device pixel without antialiasing, in the plot's exact colour:
/// the softened passes never quite reach it on their own.
void GraphWidget::drawCentreLine(QPainter &painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    int start = 0;
    for (const int end : m_runEnds) {
        painter.drawPolyline(m_runPoints.data() + start, end - start);
        start = end;
    }
    painter.restore();
}

/// Maps a plot to pixels and cuts it into the pieces that fall inside the area widened by
/// `margin` (so that the cuts themselves are never seen). Samples far outside the ranges and
/// non-finite ones break the line instead of reaching the rasteriser.
void GraphWidget::buildRuns(QSizeF area, const Plot &plot, double margin, double pixel) const {
    m_runPoints.clear();
    m_runEnds.clear();
    const QRectF bounds = QRectF(QPointF(0, 0), area).adjusted(-margin, -margin, margin, margin);
    const double sx = area.width() / (plot.xMax - plot.xMin);
    const double sy = area.height() / (plot.yMax - plot.yMin);
    const auto toPixels = [&](QPointF v) {
        return QPointF(onPixelCentre((v.x() - plot.xMin) * sx, area.width(), pixel),
                       onPixelCentre((plot.yMax - v.y()) * sy, area.height(), pixel));
    };

    bool open = false;
    const auto closeRun = [&] {
        m_runEnds.push_back(static_cast<int>(m_runPoints.size()));
        open = false;
    };

    // A single sample shows as a dot: a segment one device pixel long (the cosmetic stroker
    // draws nothing for a segment of length zero).
    const std::size_t n = plot.points.size();
    const std::size_t segments = std::max<std::size_t>(n, 2) - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        QPointF a = toPixels(plot.points[i]);
        QPointF b = n > 1 ? toPixels(plot.points[i + 1]) : a + QPointF(pixel, 0.0);
        bool bCut = false;
        if (!isFinite(a) || !isFinite(b) || !clipSegment(a, b, bounds, bCut)) {
            if (open)
                closeRun();
            continue;
        }
        // A run ends where the line leaves the area: an open run goes on from a point inside.
        if (!open) {
            m_runPoints.push_back(a);
            open = true;
        }
        m_runPoints.push_back(b);
        if (bCut)
            closeRun();
    }
    if (open)
        closeRun();
}

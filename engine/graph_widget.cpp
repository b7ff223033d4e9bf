#include "engine/graph_widget.h"

#include "engine/control_widgets.h"
#include "engine/model.h"

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

constexpr int kThickStyle = 5; // the engine's thick-line plot style

/// Time after a change of the picture in which its afterglow fades out (eight decay times: to
/// well below one step of brightness).
constexpr qint64 kAfterglowSettleMs = static_cast<qint64>(8 * GraphWidget::kAfterglowDecayMs);

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

bool samePoints(const std::vector<beam::Point> &a, const std::vector<beam::Point> &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](beam::Point u, beam::Point v) { return u.x == v.x && u.y == v.y; });
}

} // namespace

GraphWidget::GraphWidget(QWidget *parent)
    : QWidget(parent), m_phosphor(std::make_unique<beam::Phosphor>()) {
    // Every pixel is painted: the static layers cover the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(kFrameIntervalMs);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &GraphWidget::showChangedFrame);
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setInterval(kReleaseAfterMs);
    m_releaseTimer.setTimerType(Qt::CoarseTimer);
    connect(&m_releaseTimer, &QTimer::timeout, this, &GraphWidget::releaseBuffers);
}

void GraphWidget::releaseBuffers() {
    m_frame = QImage();
    m_staticLayers = QImage();
    auto kept = std::make_unique<beam::Phosphor>();
    kept->afterglow = std::move(m_phosphor->afterglow);
    kept->afterglowColour = m_phosphor->afterglowColour;
    m_phosphor = std::move(kept);
}

qsizetype GraphWidget::heldBytes() const {
    const auto mapBytes = [](const beam::LightMap &map) {
        return static_cast<qsizetype>(map.values.capacity() +
                                      map.lit.capacity() * sizeof(std::uint64_t));
    };
    return m_frame.sizeInBytes() + m_staticLayers.sizeInBytes() + mapBytes(m_phosphor->halo) +
           mapBytes(m_phosphor->cover) + mapBytes(m_phosphor->wideHalo);
}

const QImage &GraphWidget::lastFrame() {
    if (m_frame.isNull() && m_repaints > 0 && isVisible())
        repaint();
    return m_frame;
}

GraphWidget::~GraphWidget() {
    dropPendingFrame();
}

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
    m_phosphor->afterglow = beam::LightMap{};
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
        plot.points[static_cast<std::size_t>(i)] = beam::Point{x0 + i * dx, y[i] * gain + offset};
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
        plot.points[static_cast<std::size_t>(i)] = beam::Point{x[i], y[i]};
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
    const auto shown =
        std::erase_if(m_retained, [&](const Plot &old) { return samePicture(old, plot); });
    if (shown == 0 && std::none_of(m_plots.begin(), m_plots.end(),
                                   [&](const Plot &live) { return samePicture(live, plot); }))
        ++Engine().newPictures;
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
    EngineState &engine = Engine();
    if (!m_framePending) {
        m_framePending = true;
        engine.pendingFrames.push_back(this);
    }
    const bool clockRuns = engine.frameClock != nullptr && engine.frameClock->isActive();
    if (!clockRuns && !m_frameTimer.isActive())
        m_frameTimer.start();
}

void GraphWidget::dropPendingFrame() {
    m_frameTimer.stop();
    if (!m_framePending)
        return;
    m_framePending = false;
    std::erase(Engine().pendingFrames, this);
}

void GraphWidget::ShowPendingFrames() {
    // A frame check may ask for the next frame: it joins the list afresh.
    const std::vector<GraphWidget *> screens = std::exchange(Engine().pendingFrames, {});
    for (GraphWidget *screen : screens) {
        screen->m_framePending = false;
        screen->showChangedFrame();
    }
}

void GraphWidget::FrameClockStopped() {
    for (GraphWidget *screen : Engine().pendingFrames)
        if (!screen->m_frameTimer.isActive())
            screen->m_frameTimer.start();
}

void GraphWidget::showChangedFrame() {
    dropPendingFrame();
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
    beam::Phosphor phosphor;
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
        beam::LightMap &afterglow = m_phosphor->afterglow;
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
            m_releaseTimer.start();
        }
        QPainter painter(this);
        painter.drawImage(0, 0, m_frame);
        // The afterglow fades on at the display's rate until it is dark.
        if (settling && std::any_of(afterglow.lit.begin(), afterglow.lit.end(),
                                    [](std::uint64_t word) { return word != 0; }))
            scheduleFrame();
        // The phosphor has shown the deleted plots once; from the next frame on they are gone.
        // Without them the picture may differ from the one just shown, and nothing else may
        // come to ask for that frame (NORMAL without a trigger plots nothing more).
        if (!m_retained.empty()) {
            m_retained.clear();
            if (pictureKey(scale, pixels) != m_pictureKey)
                scheduleFrame();
        }
    }
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
            key += hashOf(plot.points.data(), plot.points.size() * sizeof(beam::Point), hash);
        }
    }
    return key;
}

void GraphWidget::compose(QImage &frame, const QImage &staticLayers, double scale, qreal dpr,
                          beam::Phosphor &phosphor, double afterglowMs) const {
    std::vector<beam::Trace> &traces = phosphor.traces;
    traces.clear();
    for (const auto *plots : {&m_retained, &m_plots}) {
        for (const Plot &plot : *plots)
            traces.push_back(beam::Trace{&plot.points, plot.xMin, plot.xMax, plot.yMin, plot.yMax,
                                         plot.thick, plot.colour.rgb()});
    }
    const beam::Image to{reinterpret_cast<std::uint32_t *>(frame.bits()), frame.width(),
                         frame.height(), frame.bytesPerLine() / 4};
    const beam::ConstImage tube{reinterpret_cast<const std::uint32_t *>(staticLayers.constBits()),
                                staticLayers.width(), staticLayers.height(),
                                staticLayers.bytesPerLine() / 4};
    // Screen pixels per logical pixel of the stored panel.
    beam::ComposeFrame(to, tube, traces, scale * dpr, m_focus, phosphor, afterglowMs);
}

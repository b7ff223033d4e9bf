#pragma once
/// The oscilloscope screen: a tube face with a 10 x 8 division graticule and the traces
/// plotted on it. The engine's graph operations (plot, delete, axis range) map onto it.

#include "engine/beam/tube.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class GraphWidget : public QWidget {
    Q_OBJECT
public:
    explicit GraphWidget(QWidget *parent = nullptr);
    ~GraphWidget() override;

    /// Sets the range of an axis (0 = X, any other value = left Y) for the plots added from now
    /// on; plots already on the screen keep the range they were added with. A range whose
    /// bounds are not finite or not increasing is ignored. Defaults: X -100..200, Y -10..10.
    void setAxisRange(int axis, double min, double max);
    /// Range of an axis (0 = X, any other value = Y).
    double axisMin(int axis) const;
    double axisMax(int axis) const;

    /// Plots y[i] * gain + offset against x0 + i * dx. Style 5 is the thick line (about 3 px),
    /// any other value the thin one (about 1.2 px); rgb = red << 16 | green << 8 | blue. Returns a
    /// handle > 0, or -1 when y is null or count < 1.
    int addWaveform(const double *y, int count, double gain, double offset, double x0, double dx,
                    int style, int rgb);
    /// Plots the curve (x[i], y[i]), points joined in order. Same style, colour and result as
    /// addWaveform.
    int addXY(const double *x, const double *y, int count, int style, int rgb);
    /// Removes a plot from the screen. False if the handle is unknown (or already deleted).
    bool deletePlot(int handle);
    void deleteAllPlots();
    /// Plots currently on the screen.
    int plotCount() const;
    /// Deleted plots kept until the next repaint shows them once more (at most
    /// kMaxRetained).
    int retainedCount() const;

    /// What the screen shows now, at any size (the widget's own size when empty): tube,
    /// graticule, live plots and plots deleted since the last repaint. Clears nothing.
    /// `scale` is the size of the panel it lies on relative to its stored size: beam widths
    /// and glow grow with it.
    QImage renderImage(QSize size, double scale = 1.0) const;
    /// Bytes the screen holds to show its picture again without drawing it afresh.
    qsizetype heldBytes() const;
    /// Number of paintEvent calls so far.
    int repaintCount() const { return m_repaints; }
    /// The picture the last repaint put on the screen, in device pixels (null before the first;
    /// drawn again when a steady picture has let its buffers go).
    const QImage &lastFrame();

    /// How far the beam is out of focus: 0 sharp (the FOCUS knob at its centre) to 1 (at either
    /// end). The halo around every trace spreads wider the farther it is; values outside are
    /// clamped. Shown from the next frame on.
    void setBeamFocus(double distance);
    double beamFocus() const { return m_focus; }
    /// Phosphor persistence: while on, a trace fades out over about a tenth of a second after it
    /// is gone instead of vanishing at the next frame. Off by default; off costs nothing.
    void setAfterglow(bool on);
    bool afterglow() const { return m_afterglowOn; }

    /// Deleted plots kept for the next repaint: the most recently deleted, up to this count, so
    /// that a widget that never paints (hidden) cannot grow without limit.
    static constexpr int kMaxRetained = 8;
    /// Data changes are shown at most once per this interval (about the display rate).
    static constexpr int kFrameIntervalMs = 16;
    /// A picture that stays the same this long lets its buffers go (frame, tube face, the beam's
    /// working maps): most of the time the screen shows one picture, and the next change draws
    /// them again in a millisecond or two.
    static constexpr int kReleaseAfterMs = 1000;
    /// Time in which the afterglow of a trace falls to 1/e of its first brightness.
    static constexpr double kAfterglowDecayMs = beam::kAfterglowDecayMs;

    /// The frame checks of every screen whose picture changed, now: the engine calls it at the
    /// end of a timer's wake-up, so that a frame costs no wake-up of its own. While the
    /// engine's frame clock runs, the screens leave their changes to it.
    static void ShowPendingFrames();
    /// The engine's frame clock stopped: screens with a change waiting check it themselves.
    static void FrameClockStopped();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// One plot as data: its points in axis units and the axis ranges it was added with.
    struct Plot {
        int handle = 0;
        std::vector<beam::Point> points;
        double xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
        bool thick = false;
        QColor colour;
    };

    static bool samePicture(const Plot &a, const Plot &b);
    int addPlot(Plot plot);
    void retain(Plot plot);
    void scheduleFrame();
    /// Takes this screen off the list of those waiting for a frame check.
    void dropPendingFrame();
    /// Repaints when the plots make another picture than the one on the screen.
    void showChangedFrame();
    /// Frees what only a change of picture needs; the afterglow's light stays.
    void releaseBuffers();
    /// Identifies what a frame shows: plots, ranges, colours, focus, scale and size.
    std::size_t pictureKey(double scale, QSize pixels) const;
    /// Draws tube, graticule, halo and cores into `frame` (device pixels) with `phosphor`'s
    /// buffers; `afterglowMs` >= 0 also fades and shows the afterglow, that many ms after the
    /// frame before.
    void compose(QImage &frame, const QImage &staticLayers, double scale, qreal dpr,
                 beam::Phosphor &phosphor, double afterglowMs) const;

    std::vector<Plot> m_plots;    ///< live plots, in the order they were added
    std::vector<Plot> m_retained; ///< deleted since the last repaint, oldest first
    double m_xMin = -100.0, m_xMax = 200.0, m_yMin = -10.0, m_yMax = 10.0;
    double m_focus = 0.0;
    bool m_afterglowOn = false;
    int m_nextHandle = 1;
    int m_repaints = 0;
    QTimer m_frameTimer;          ///< single shot: one repaint for many data changes
    bool m_framePending = false;  ///< on the engine's list of screens waiting for a frame
    QTimer m_releaseTimer;        ///< single shot: the picture has stood kReleaseAfterMs
    QImage m_staticLayers;        ///< tube face and graticule, device-pixel size
    QImage m_frame;               ///< the last frame shown
    std::size_t m_pictureKey = 0; ///< pictureKey of the last repaint
    QElapsedTimer m_pictureClock; ///< time since the picture last changed
    QElapsedTimer m_fadeClock;    ///< time since the afterglow last faded
    std::unique_ptr<beam::Phosphor>
        m_phosphor; ///< the repaints' working buffers, kept between frames
};

#pragma once
/// The oscilloscope screen: a tube face with a 10 x 8 division graticule and the traces
/// plotted on it. The engine's graph operations (plot, delete, axis range) map onto it.

#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QTimer>
#include <QWidget>

#include <vector>

class QPainter;

class GraphWidget : public QWidget {
    Q_OBJECT
public:
    explicit GraphWidget(QWidget *parent = nullptr);

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
    /// Number of paintEvent calls so far.
    int repaintCount() const { return m_repaints; }

    /// Deleted plots kept for the next repaint: the most recently deleted, up to this count, so
    /// that a widget that never paints (hidden) cannot grow without limit.
    static constexpr int kMaxRetained = 8;
    /// Data changes are shown at most once per this interval (about the display rate).
    static constexpr int kFrameIntervalMs = 16;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// One plot as data: its points in axis units and the axis ranges it was added with.
    struct Plot {
        int handle = 0;
        std::vector<QPointF> points;
        double xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
        bool thick = false;
        QColor colour;
    };

    static bool samePicture(const Plot &a, const Plot &b);
    int addPlot(Plot plot);
    void retain(Plot plot);
    void scheduleFrame();
    /// Repaints when the plots make another picture than the one on the screen.
    void showChangedFrame();
    void paintPlots(QPainter &painter, QSizeF area, double scale) const;
    void paintGlow(QPainter &painter, QSizeF area, double scale) const;
    void paintCores(QPainter &painter, QSizeF area, double scale) const;
    /// Identifies what the halo shows: plots, ranges, colours, scale and size.
    std::size_t pictureKey(double scale, QSize pixels, qreal dpr) const;
    void paintPlot(QPainter &painter, QSizeF area, const Plot &plot, double scale) const;
    void drawCentreLine(QPainter &painter) const;
    void buildRuns(QSizeF area, const Plot &plot, double margin, double pixel) const;

    std::vector<Plot> m_plots;    ///< live plots, in the order they were added
    std::vector<Plot> m_retained; ///< deleted since the last repaint, oldest first
    double m_xMin = -100.0, m_xMax = 200.0, m_yMin = -10.0, m_yMax = 10.0;
    int m_nextHandle = 1;
    int m_repaints = 0;
    QTimer m_frameTimer;                      ///< single shot: one repaint for many data changes
    QPixmap m_staticLayers;                   ///< tube face and graticule, device-pixel size
    QPixmap m_glowingLayers;                  ///< the same with the beams' halo over it
    std::size_t m_glowingKey = 0;             ///< pictureKey of m_glowingLayers
    std::size_t m_previousKey = 0;            ///< pictureKey of the last frame shown
    mutable std::vector<QPointF> m_runPoints; ///< visible pieces of the plot being painted
    mutable std::vector<int> m_runEnds;       ///< end index of each piece in m_runPoints
    mutable QImage m_light;                   ///< the beams' halo light, at a fraction of the size
    mutable QImage m_glow;                    ///< the same in the traces' colour
    mutable std::vector<uchar> m_blurLine;    ///< one row or column being blurred
};

#pragma once
/// The widgets that show the engine's painted control kinds: pictures, decorations, texts, LEDs,
/// numeric displays, knobs and slide switches. Each keeps only what it needs to paint; setters
/// skip no-op changes and call update(), never repaint().

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

class QSvgRenderer;

/// Screen pixels per logical pixel of the panel the widget lies on (1 outside a panel). Sizes
/// that a widget paints on its own (bands, slots, outlines) grow with it.
double PanelScaleOf(const QWidget *widget);

/// Paints a dimmed control at reduced opacity, as the instrument greys an inactive legend.
namespace vantrel {
inline constexpr double kDimmedOpacity = 0.38;
} // namespace vantrel

/// A picture of a front-panel command. Artwork with a `body` and a `pointer` element is a knob:
/// the body is kept drawn and the pointer drawn turned by the pointer angle about the centre of the
/// `hub` element. Artwork keys `key0`, `key1`, ... (outlines) are drawn pressed when their bit
/// of the pressed mask is set; artwork without keys counts as one key over the whole picture.
class PictureView : public QWidget {
    Q_OBJECT
public:
    /// `imagePath` is an SVG file; a missing or broken file is drawn as a labelled outline so
    /// that a broken installation shows where the picture should be.
    PictureView(const QString &imagePath, const QString &name, QWidget *parent);
    void setDimmed(bool dimmed);
    /// Degrees clockwise from where the artwork draws its pointer.
    void setPointerAngle(double degrees);
    void setPressedKeys(int mask);
    /// Whether the artwork is a knob with a moving pointer, which the user turns in place.
    bool turnsInPlace() const;
    /// Stop (element "stopN" of the artwork) at which the element "lever" is drawn.
    void setLeverPosition(int stop);
    /// Whether the artwork is a slide with a lever and its stops, which the user drags.
    bool slides() const;
    /// The slide's stop whose centre lies nearest `at` (widget coordinates) along the line of
    /// the stops, or -1 when the artwork is no slide.
    int nearestStop(QPointF at) const;

    /// Bytes of drawn artwork this picture keeps for its next repaints (shared bodies count
    /// for each picture that holds them).
    qsizetype keptBytes() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    /// Where the artwork's viewBox lies in the widget at its present size.
    void fitArtwork(const QSvgRenderer &renderer);
    /// The artwork without its moving parts (the whole of it when nothing moves).
    void drawBody(QPainter &painter, QSvgRenderer &renderer) const;
    void paintMissingArtwork(QPainter &painter) const;
    /// A small picture: a key or a still picture drawn straight each time; a knob's or a
    /// slide's body kept from its second paint on, shared with the pictures of the same file
    /// and size.
    void paintSharedBody(QPainter &painter, QSvgRenderer &renderer);
    /// A large picture (a panel's face) keeps only the tiles it has had to paint again, and
    /// draws the rest straight from the artwork: most of a face is painted once.
    void paintTiles(QPainter &painter, QSvgRenderer &renderer, const QRegion &region);
    void paintPointer(QPainter &painter, QSvgRenderer &renderer) const;
    void paintPressedKeys(QPainter &painter, QSvgRenderer *renderer) const;
    void paintLever(QPainter &painter, QSvgRenderer &renderer) const;
    /// An artwork rectangle (viewBox units) in widget coordinates.
    QRectF toWidget(const QRectF &art) const;
    QString imagePath_;
    QString name_;
    bool dimmed_ = false;
    double pointerAngle_ = 0.0;
    int pressedKeys_ = 0;
    int leverPosition_ = 0;
    QRectF artTarget_; ///< where the artwork's viewBox lies in the widget
    QRectF viewBox_;
    std::shared_ptr<const QPixmap> body_;
    bool bodyPaintedOnce_ = false; ///< at the present size, without keeping the body
    /// A large picture's tiles, row by row, kPictureTile device pixels square: painted once
    /// (drawn straight from the artwork), and then kept, from their second paint on.
    struct Tile {
        bool painted = false;
        QImage kept;
    };
    std::vector<Tile> tiles_;
    QSize tiledPixels_; ///< the device size the tiles were laid out for
};

class DecorationView : public QWidget {
    Q_OBJECT
public:
    enum class Style { Frame, Marker, Hotspot };
    DecorationView(Style style, const QColor &color, QWidget *parent);
    void setDimmed(bool dimmed);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Style style_;
    QColor color_;
    bool dimmed_ = false;
};

class TextView : public QWidget {
    Q_OBJECT
public:
    TextView(const QString &text, const QColor &color, QWidget *parent);
    void setText(const QString &text);
    void setDimmed(bool dimmed);
    void setTextColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString text_;
    QColor color_;
    bool dimmed_ = false;
};

class LedView : public QWidget {
    Q_OBJECT
public:
    LedView(const QString &label, const QColor &labelColor, QWidget *parent);
    void setOn(bool on);
    void setLabel(const QString &label);
    void setDimmed(bool dimmed);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString label_;
    QColor labelColor_;
    bool on_ = false;
    bool dimmed_ = false;
};

class NumericView : public QWidget {
    Q_OBJECT
public:
    /// Space kept free on each side of the figure, in pixels.
    static constexpr int kTextMargin = 4;
    explicit NumericView(QWidget *parent);
    void setText(const QString &text);
    /// The figure as shown.
    QString text() const { return text_; }
    void setDimmed(bool dimmed);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString text_;
    bool dimmed_ = false;
};

/// Where a dialog knob's parts go in its widget: the dial (centre and the outer end of its scale
/// ticks), the numbers at both ends of the scale and the band below that shows the setting.
struct KnobLayout {
    QPointF centre;
    qreal radius = 0.0;
    std::array<QRectF, 2> endLabels;
    QRectF valueBand;
};

/// A rotary knob: drag up/down, the mouse wheel or the arrow keys move it by its increment
/// between its limits; the pointer sweeps 270 degrees.
class KnobView : public QWidget {
    Q_OBJECT
public:
    explicit KnobView(QWidget *parent);
    void setRange(double min, double max, double increment);
    void setValue(double value);
    void setDimmed(bool dimmed);
    void setValueFormat(int decimals);
    /// The layout for the widget's present size and font.
    KnobLayout layout() const;

signals:
    /// The user moved the knob to `value` (already on the increment grid and in range).
    void valueEdited(double value);
    /// The user let go of the knob.
    void editFinished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void stepBy(int steps);
    double snapped(double value) const;
    QString endText(std::size_t end) const; ///< the number at the scale's start (0) or end (1)
    double min_ = 0.0, max_ = 10.0, increment_ = 1.0, value_ = 0.0;
    int decimals_ = 2;
    bool dimmed_ = false;
    int dragOriginY_ = 0;
    double dragOriginValue_ = 0.0;
    bool dragging_ = false;
};

/// A vertical slide switch with one position per item, the item labels beside it.
class SlideView : public QWidget {
    Q_OBJECT
public:
    SlideView(const QStringList &labels, QWidget *parent);
    void setLabels(const QStringList &labels);
    void setIndex(int index);
    void setDimmed(bool dimmed);

signals:
    void indexChosen(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int positionAt(int y) const;
    QStringList labels_;
    int index_ = 0;
    bool dimmed_ = false;
};

/// Loads (once per file) and returns the renderer of an SVG file; nullptr when it is missing or
/// invalid.
QSvgRenderer *SvgRendererFor(const QString &path);

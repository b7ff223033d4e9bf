// The widgets the user turns or slides: knobs and slide switches.
#include "engine/control_widgets.h"

#include "engine/engine.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

// ---- KnobView ---------------------------------------------------------------------------------

namespace {
constexpr double kSweepDegrees = 270.0;
constexpr int kPixelsPerStep = 6;
} // namespace

KnobView::KnobView(QWidget *parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeVerCursor);
}

void KnobView::setRange(double min, double max, double increment) {
    if (min == min_ && max == max_ && increment == increment_) {
        return;
    }
    min_ = min;
    max_ = std::max(min, max);
    increment_ = increment > 0.0 ? increment : 1.0;
    update();
}

void KnobView::setValue(double value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    update();
}

void KnobView::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) {
        return;
    }
    dimmed_ = dimmed;
    update();
}

void KnobView::setValueFormat(int decimals) {
    decimals_ = decimals;
    update();
}

double KnobView::snapped(double value) const {
    return KnobStep(value, min_, max_, increment_, 0);
}

void KnobView::stepBy(int steps) {
    const double next = KnobStep(value_, min_, max_, increment_, steps);
    if (next != value_) {
        value_ = next;
        update();
        emit valueEdited(value_);
    }
}

void KnobView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    dragOriginY_ = event->position().toPoint().y();
    dragOriginValue_ = value_;
}

void KnobView::mouseMoveEvent(QMouseEvent *event) {
    if (!dragging_) {
        return;
    }
    const int steps = (dragOriginY_ - event->position().toPoint().y()) / kPixelsPerStep;
    const double next = snapped(dragOriginValue_ + steps * increment_);
    if (next != value_) {
        value_ = next;
        update();
        emit valueEdited(value_);
    }
}

void KnobView::mouseReleaseEvent(QMouseEvent *event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        emit editFinished();
    }
}

void KnobView::wheelEvent(QWheelEvent *event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) {
        stepBy(notches);
        emit editFinished();
    }
    event->accept();
}

void KnobView::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        stepBy(1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        stepBy(-1);
        break;
    case Qt::Key_PageUp:
        stepBy(5);
        break;
    case Qt::Key_PageDown:
        stepBy(-5);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    emit editFinished();
}

namespace {
constexpr qreal kLabelGap = 3.0; // between the tick ring and the nearest corner of a number

/// Unit vector from the dial's centre towards a pointer angle (degrees clockwise from up).
QPointF directionOf(double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return {std::sin(radians), -std::cos(radians)};
}

/// The box of `size` put just outside the circle of `radius` towards `direction`: its nearest
/// point to the centre lies on that circle's tangent, so it never touches the ticks.
QRectF boxOutside(qreal radius, QPointF direction, QSizeF size) {
    const qreal halfDepth = std::abs(direction.x()) * size.width() / 2.0 +
                            std::abs(direction.y()) * size.height() / 2.0;
    const QPointF middle = direction * (radius + halfDepth);
    return {middle - QPointF(size.width() / 2.0, size.height() / 2.0), size};
}

/// Places the dial as large as the widget allows with both end numbers, of `labelSizes`, around
/// it; `valueHeight` is kept free below for the setting.
KnobLayout layoutKnob(QSizeF area, const std::array<QSizeF, 2> &labelSizes,
                      const std::array<double, 2> &endAngles, qreal valueHeight) {
    const QSizeF dialArea(area.width(), std::max<qreal>(0.0, area.height() - valueHeight));
    // The bounds of dial and numbers about the dial's centre for a trial radius.
    const auto bounds = [&](qreal radius) {
        QRectF all(-radius, -radius, 2.0 * radius, 2.0 * radius);
        for (std::size_t end = 0; end < 2; ++end) {
            all |= boxOutside(radius + kLabelGap, directionOf(endAngles[end]), labelSizes[end]);
        }
        return all;
    };
    const auto fits = [&](qreal radius) {
        const QRectF all = bounds(radius);
        return all.width() <= dialArea.width() && all.height() <= dialArea.height();
    };
    // The bounds grow with the radius, so the largest radius that fits is found by halving.
    qreal small = 0.0;
    qreal large = std::max(dialArea.width(), dialArea.height());
    for (int step = 0; step < 24; ++step) {
        const qreal middle = (small + large) / 2.0;
        if (fits(middle)) {
            small = middle;
        } else {
            large = middle;
        }
    }
    KnobLayout layout;
    layout.radius = std::max<qreal>(4.0, small);
    const QRectF all = bounds(layout.radius);
    layout.centre = QPointF((dialArea.width() - all.width()) / 2.0 - all.left(),
                            (dialArea.height() - all.height()) / 2.0 - all.top());
    for (std::size_t end = 0; end < 2; ++end) {
        layout.endLabels[end] =
            boxOutside(layout.radius + kLabelGap, directionOf(endAngles[end]), labelSizes[end])
                .translated(layout.centre);
    }
    layout.valueBand = QRectF(0.0, dialArea.height(), area.width(), valueHeight);
    return layout;
}

/// The dial in a frame of 100 units across the tick ring's diameter of 80: ticks, the knurled
/// body with its cap, and the pointer at `pointerDegrees`.
void paintDial(QPainter &painter, double pointerDegrees) {
    // Longer ticks mark both ends and the middle of the sweep.
    for (int tick = 0; tick <= 10; ++tick) {
        const bool major = tick % 5 == 0;
        painter.save();
        painter.rotate(-kSweepDegrees / 2.0 + kSweepDegrees * tick / 10.0);
        painter.setPen(QPen(QColor(200, 205, 210), major ? 2.2 : 1.4));
        painter.drawLine(QPointF(0, -40), QPointF(0, major ? -33 : -35));
        painter.restore();
    }
    QRadialGradient body(QPointF(-9, -11), 44);
    body.setColorAt(0.0, QColor(80, 82, 86));
    body.setColorAt(1.0, QColor(12, 12, 14));
    painter.setPen(QPen(QColor(0, 0, 0), 1.5));
    painter.setBrush(body);
    painter.drawEllipse(QPointF(0, 0), 31, 31);
    QRadialGradient cap(QPointF(-5, -7), 26);
    cap.setColorAt(0.0, QColor(235, 236, 238));
    cap.setColorAt(1.0, QColor(120, 124, 130));
    painter.setBrush(cap);
    painter.setPen(QPen(QColor(60, 60, 64), 1.0));
    painter.drawEllipse(QPointF(0, 0), 18, 18);
    painter.rotate(pointerDegrees);
    painter.setPen(QPen(QColor(250, 250, 250), 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, -16), QPointF(0, -29));
}
} // namespace

QString KnobView::endText(std::size_t end) const {
    return QString::number(end == 0 ? min_ : max_, 'g', 4);
}

KnobLayout KnobView::layout() const {
    const QFontMetricsF metrics(font());
    QFont bold = font();
    bold.setBold(true);
    std::array<QSizeF, 2> endSizes;
    for (std::size_t end = 0; end < endSizes.size(); ++end) {
        endSizes[end] = QSizeF(metrics.horizontalAdvance(endText(end)) + 2.0, metrics.height());
    }
    return layoutKnob(size(), endSizes,
                      {KnobPointerAngle(min_, min_, max_), KnobPointerAngle(max_, min_, max_)},
                      QFontMetricsF(bold).height() + 1.0);
}

void KnobView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(dimmed_ ? vantrel::kDimmedOpacity : 1.0);
    // The knob carries the numbers at both ends of its scale and shows its setting below, so
    // the dialog says what it sets. The lettering is the control's font, which the panel
    // scales; the dial takes whatever room the numbers leave.
    const KnobLayout parts = layout();
    painter.save();
    painter.translate(parts.centre);
    painter.scale(parts.radius / 40.0, parts.radius / 40.0);
    paintDial(painter, KnobPointerAngle(value_, min_, max_));
    painter.restore();

    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    for (std::size_t end = 0; end < parts.endLabels.size(); ++end) {
        painter.drawText(parts.endLabels[end], Qt::AlignCenter, endText(end));
    }
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(parts.valueBand, Qt::AlignCenter, QString::number(value_, 'f', decimals_));
    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(120, 170, 255, 160), 1.0, Qt::DotLine));
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

// ---- SlideView --------------------------------------------------------------------------------

SlideView::SlideView(const QStringList &labels, QWidget *parent)
    : QWidget(parent), labels_(labels) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void SlideView::setLabels(const QStringList &labels) {
    if (labels_ == labels) {
        return;
    }
    labels_ = labels;
    update();
}

void SlideView::setIndex(int index) {
    if (index_ == index) {
        return;
    }
    index_ = index;
    update();
}

void SlideView::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) {
        return;
    }
    dimmed_ = dimmed;
    update();
}

int SlideView::positionAt(int y) const {
    const int count = std::max<int>(1, static_cast<int>(labels_.size()));
    return std::clamp(y * count / std::max(1, height()), 0, count - 1);
}

void SlideView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int position = positionAt(event->position().toPoint().y());
    if (position != index_) {
        index_ = position;
        update();
        emit indexChosen(index_);
    }
}

void SlideView::keyPressEvent(QKeyEvent *event) {
    const int count = static_cast<int>(labels_.size());
    int next = index_;
    if (event->key() == Qt::Key_Up) {
        next = std::max(0, index_ - 1);
    } else if (event->key() == Qt::Key_Down) {
        next = std::min(count - 1, index_ + 1);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    if (next != index_) {
        index_ = next;
        update();
        emit indexChosen(index_);
    }
}

void SlideView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(dimmed_ ? vantrel::kDimmedOpacity : 1.0);
    const int count = std::max<int>(1, static_cast<int>(labels_.size()));
    const qreal slotWidth = std::min<qreal>(18.0 * PanelScaleOf(this), width() / 3.0);
    const qreal rowHeight = static_cast<qreal>(height()) / count;
    const QRectF slot(2.0, 1.0, slotWidth, height() - 2.0);
    painter.setPen(QPen(QColor(20, 20, 20), 1.0));
    painter.setBrush(QColor(40, 42, 46));
    painter.drawRoundedRect(slot, 3, 3);
    // The lever sits in the row of the chosen position.
    const QRectF lever(slot.left() + 2.0, index_ * rowHeight + 3.0, slotWidth - 4.0,
                       rowHeight - 6.0);
    QLinearGradient metal(lever.topLeft(), lever.bottomLeft());
    metal.setColorAt(0.0, QColor(235, 235, 238));
    metal.setColorAt(1.0, QColor(140, 142, 148));
    painter.setBrush(metal);
    painter.drawRoundedRect(lever, 2, 2);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < labels_.size(); ++i) {
        QFont f = font();
        f.setBold(i == index_);
        painter.setFont(f);
        painter.drawText(QRectF(slotWidth + 8.0 * PanelScaleOf(this), i * rowHeight,
                                width() - slotWidth - 8.0 * PanelScaleOf(this), rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, labels_.at(i));
    }
}

#pragma once
/// What tests of the front panel share to read it as a user sees it: a wheel turned over a
/// widget, and the direction of a knob's pointer found from the pixels of its picture.

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>
#include <limits>
#include <numbers>

/// Turns the wheel over the widget's centre by `delta` eighths of a degree (120 a notch).
inline void sendWheelDelta(QWidget *widget, int delta) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

/// Direction, degrees clockwise from 12 o'clock, from `hub` to the middle of the opaque pixels
/// that `isPointer` picks out; NaN when there are none.
template <typename IsPointer>
double pointerDirection(const QImage &image, QPointF hub, IsPointer isPointer) {
    double sx = 0.0;
    double sy = 0.0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && isPointer(c)) {
                sx += x + 0.5;
                sy += y + 0.5;
                ++count;
            }
        }
    }
    if (count == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return std::atan2(sx / count - hub.x(), -(sy / count - hub.y())) * 180.0 / std::numbers::pi;
}

/// How far apart two directions are, in degrees (0 to 180).
inline double angleBetween(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

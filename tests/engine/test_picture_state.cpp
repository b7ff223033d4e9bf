// What the engine shows of the instrument on its pictures: a knob's pointer turned, a push
// button's keys pressed, tooltips; and the mouse wheel over a picture, with the knob stepping
// that the wheel shares with the dialogs' knobs.

#include "engine/control_widgets.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "tests/common/pointer_pixels.h"
#include "tests/common/show_at_scale.h"
#include "ui/uir_constants.h"

#include <QDir>
#include <QFile>
#include <QWheelEvent>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

struct Wheel {
    int control;
    int notches;
    int tenths;
};
std::vector<Wheel> wheels;
int changes = 0;
int leftClicks = 0;

int recordWheel(int, int control, int event, void *, int eventData1, int eventData2) {
    if (event == EVENT_MOUSE_WHEEL) {
        wheels.push_back({control, eventData1, eventData2});
    }
    leftClicks += event == EVENT_LEFT_CLICK ? 1 : 0;
    return 0;
}

/// A slide's callback as the instrument's: the wheel's steps move its lever towards stop 0.
int recordSlide(int panel, int control, int event, void *data, int eventData1, int eventData2) {
    if (event == EVENT_MOUSE_WHEEL) {
        double lever = 0.0;
        GetCtrlAttribute(panel, control, ATTR_LEVER_POSITION, &lever);
        SetCtrlAttribute(panel, control, ATTR_LEVER_POSITION, lever - eventData1);
    }
    return recordWheel(panel, control, event, data, eventData1, eventData2);
}

int wheelSteps() {
    int sum = 0;
    for (const Wheel &w : wheels) {
        sum += w.notches;
    }
    return sum;
}

int wheelTenths() {
    int sum = 0;
    for (const Wheel &w : wheels) {
        sum += w.tenths;
    }
    return sum;
}

/// Presses the left button at `from`, moves to `from + by` in strides of `stride` px,
/// `gapMs` apart (0: no timestamps, as no real mouse reports, so no acceleration), and releases.
void drag(QWidget *widget, QPoint from, QPoint by, Qt::KeyboardModifiers modifiers, int stride = 1,
          int gapMs = 0) {
    quint64 now = gapMs == 0 ? 0 : 1000;
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                          modifiers);
        event.setTimestamp(now);
        QApplication::sendEvent(widget, &event);
        now += gapMs;
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    const int strides = std::max(std::abs(by.x()), std::abs(by.y())) / stride;
    for (int i = 1; i <= strides; ++i) {
        send(QEvent::MouseMove, from + by * i / strides, Qt::NoButton, Qt::LeftButton);
    }
    send(QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
}

/// Where a drag starts: a knob near its hub or on its rim, or the TRIG. slide's lever at its
/// first or last stop.
enum Grip { Hub, Rim, FirstStop, LastStop };

int countChange(int, int, int event, void *, int, int) {
    changes += event == EVENT_VAL_CHANGED ? 1 : 0;
    return 0;
}

/// The outline `key<n>` of a push-button artwork, in the artwork's units.
QRectF keyOutline(const QString &file, int key) {
    QFile in(QDir(qEnvironmentVariable("VANTREL_RESOURCE_DIR")).filePath(file));
    if (!in.open(QIODevice::ReadOnly)) {
        return {};
    }
    QXmlStreamReader xml(&in);
    const QString id = QStringLiteral("key%1").arg(key);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.attributes().value(QStringLiteral("id")) == id) {
            const QXmlStreamAttributes a = xml.attributes();
            return {a.value(QStringLiteral("x")).toDouble(),
                    a.value(QStringLiteral("y")).toDouble(),
                    a.value(QStringLiteral("width")).toDouble(),
                    a.value(QStringLiteral("height")).toDouble()};
        }
    }
    return {};
}

QImage render(QWidget *widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

/// Direction, in degrees clockwise from 12 o'clock, from the picture's centre to the middle of
/// its bright white pixels (the small knob's pointer; its body has no pure white).
double whitePointerDirection(const QImage &image) {
    return pointerDirection(
        image, QPointF(image.width() / 2.0, image.height() / 2.0),
        [](const QColor &c) { return c.red() > 235 && c.green() > 235 && c.blue() > 235; });
}

} // namespace

class PictureStateTest : public QObject {
    Q_OBJECT

    int panel_ = 0;

private slots:
    void initTestCase() {
        QCOMPARE(InitCVIRTE(nullptr, nullptr, nullptr), 1);
        RegisterCallback("x_pos_btn", recordWheel);
        RegisterCallback("Power_btn", recordWheel);
        RegisterCallback("Trig_btn", recordSlide);
        RegisterCallback("f_xpos", countChange);
    }

    void init() {
        EngineReset();
        wheels.clear();
        changes = 0;
        leftClicks = 0;
        panel_ = LoadPanel(0, "oscil.uir", PANEL);
        QVERIFY(panel_ > 0);
        showAtScale(panel_, 1.0);
    }

    void cleanup() { EngineReset(); }

    void wheelOverAPictureBecomesWheelNotches() {
        QWidget *knob = EngineControlWidget(panel_, PANEL_XPOSBTN);
        sendWheelDelta(knob, 120);
        sendWheelDelta(knob, -240);
        // A fine-grained wheel reports a notch once its parts add up to one.
        sendWheelDelta(knob, 60);
        QCOMPARE(int(wheels.size()), 2);
        sendWheelDelta(knob, 60);
        QCOMPARE(int(wheels.size()), 3);
        QCOMPARE(wheels[0].notches, 1);
        QCOMPARE(wheels[1].notches, -2);
        QCOMPARE(wheels[2].notches, 1);
        QCOMPARE(wheels[2].control, PANEL_XPOSBTN);
        SetCtrlAttribute(panel_, PANEL_XPOSBTN, ATTR_DIMMED, 1);
        sendWheelDelta(knob, 120);
        QCOMPARE(int(wheels.size()), 3);
    }

    /// Dragging a knob picture is the wheel's path: one step per 8 px of the unscaled panel,
    /// up or clockwise around the hub turning it clockwise, twice that when fast; Ctrl a tenth
    /// as fast (and a tenth of a step per 8 px), Shift ten times. A slide's lever goes to the
    /// stop under the mouse. Only a press that never moved is the left click.
    void dragTurnsAKnobPicture_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("grip");
        QTest::addColumn<int>("pixels"); // unscaled; positive up, or clockwise on the rim
        QTest::addColumn<int>("gapMs");  // between 4 px strides; 0: 1 px strides, no times
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("tenths");
        QTest::addColumn<int>("clicks");
        for (const double scale : {1.0, 2.0}) {
            const auto row = [scale](const char *name, Qt::KeyboardModifiers modifiers, Grip grip,
                                     int pixels, int gapMs, int steps, int tenths, int clicks) {
                QTest::addRow("%gx %s", scale, name)
                    << scale << int(modifiers) << int(grip) << pixels << gapMs << steps << tenths
                    << clicks;
            };
            const auto none = Qt::NoModifier;
            row("still", none, Hub, 0, 0, 0, 0, 1);
            row("under threshold", none, Hub, 3, 0, 0, 0, 1);
            row("up 40", none, Hub, 40, 0, 5, 50, 0);
            row("down 23", none, Hub, -23, 0, -2, -20, 0);
            row("slow up 40", none, Hub, 40, 10, 5, 50, 0);
            row("fast up 40", none, Hub, 40, 1, 10, 100, 0);
            row("ctrl up 40", Qt::ControlModifier, Hub, 40, 0, 0, 5, 0);
            row("ctrl up 80", Qt::ControlModifier, Hub, 80, 0, 1, 10, 0);
            row("shift down 16", Qt::ShiftModifier, Hub, -16, 0, -20, -200, 0);
            row("rim clockwise 20", none, Rim, 20, 0, 2, 20, 0);
            row("rim anticlockwise 20", none, Rim, -20, 0, -2, -20, 0);
            row("slide still", none, FirstStop, 0, 0, 0, 0, 1);
            row("slide down two stops", none, FirstStop, -38, 0, -2, -20, 0);
            row("slide up three stops", none, LastStop, 57, 0, 3, 30, 0);
            row("slide past its end", none, LastStop, -30, 0, 0, 0, 0);
        }
    }
    void dragTurnsAKnobPicture() {
        QFETCH(double, scale);
        QFETCH(int, modifiers);
        QFETCH(int, grip);
        QFETCH(int, pixels);
        QFETCH(int, gapMs);
        QFETCH(int, steps);
        QFETCH(int, tenths);
        QFETCH(int, clicks);
        showAtScale(panel_, scale);
        const bool slide = grip == FirstStop || grip == LastStop;
        const int control = slide ? PANEL_TRIG : PANEL_XPOSBTN;
        QWidget *picture = EngineControlWidget(panel_, control);
        QCOMPARE(picture->cursor().shape(), Qt::OpenHandCursor);
        const QPoint centre(picture->width() / 2, picture->height() / 2);
        const int moved = int(std::lround(pixels * scale));
        QPoint from = centre;
        QPoint by(0, -moved);
        if (grip == Rim) {
            // On the rim the drag runs along the top, where moving right is clockwise; a
            // short chord there is nearly its arc.
            from = centre - QPoint(moved / 2, picture->height() / 2 - 1);
            by = QPoint(moved, 0);
        } else if (slide) {
            // The TRIG. artwork's stops are 19 units apart from y = 14, one unit a pixel at 1x.
            const int stop = grip == FirstStop ? 0 : 4;
            SetCtrlAttribute(panel_, control, ATTR_LEVER_POSITION, stop);
            from.setY(int(std::lround((14 + 19 * stop) * scale)));
        }
        drag(picture, from, by, Qt::KeyboardModifiers(modifiers), gapMs == 0 ? 1 : 4 * int(scale),
             gapMs);
        QCOMPARE(wheelSteps(), steps);
        QCOMPARE(wheelTenths(), tenths);
        QCOMPARE(leftClicks, clicks);
    }

    void wheelModifiersAndSpeed_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("gapMs"); // between notches; 0 for unknown times
        QTest::addColumn<int>("notches");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("tenths");
        QTest::newRow("plain") << int(Qt::NoModifier) << 0 << 3 << 3 << 30;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << 0 << 25 << 2 << 25;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << 0 << -2 << -20 << -200;
        QTest::newRow("slow") << int(Qt::NoModifier) << 200 << 8 << 8 << 80;
        // Notches 4..6 count double, 7 on four times.
        QTest::newRow("fast") << int(Qt::NoModifier) << 20 << 8 << 3 + 3 * 2 + 2 * 4 << 170;
    }
    void wheelModifiersAndSpeed() {
        QFETCH(int, modifiers);
        QFETCH(int, gapMs);
        QFETCH(int, notches);
        QFETCH(int, steps);
        QFETCH(int, tenths);
        QWidget *knob = EngineControlWidget(panel_, PANEL_XPOSBTN);
        const QPointF at(knob->width() / 2.0, knob->height() / 2.0);
        for (int i = 0; i < std::abs(notches); ++i) {
            QWheelEvent event(at, knob->mapToGlobal(at), QPoint(),
                              QPoint(0, notches > 0 ? 120 : -120), Qt::NoButton,
                              Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
            event.setTimestamp(gapMs == 0 ? 0 : 1000 + i * gapMs);
            QApplication::sendEvent(knob, &event);
        }
        QCOMPARE(wheelSteps(), steps);
        QCOMPARE(wheelTenths(), tenths);
    }

    void pointerTurnsByItsAngle_data() {
        QTest::addColumn<double>("angle");
        for (const double angle : {0.0, 90.0, -135.0, 135.0, -60.0}) {
            QTest::newRow(qPrintable(QString::number(angle))) << angle;
        }
    }
    void pointerTurnsByItsAngle() {
        QFETCH(double, angle);
        QWidget *knob = EngineControlWidget(panel_, PANEL_PICTURE_3); // a square small knob
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_PICTURE_3, ATTR_POINTER_ANGLE, angle), 0);
        QCoreApplication::processEvents();
        const double measured = whitePointerDirection(render(knob));
        QVERIFY2(angleBetween(measured, angle) < 6.0,
                 qPrintable(QString("pointer at %1, wanted %2").arg(measured).arg(angle)));
    }

    void pressedKeyChangesOnlyThatKey_data() {
        QTest::addColumn<int>("key");
        for (int key = 0; key < 4; ++key) {
            QTest::newRow(qPrintable(QString("key %1").arg(key))) << key;
        }
    }
    void pressedKeyChangesOnlyThatKey() {
        // The channel-mode picture is drawn at its artwork's size, so its key outlines are
        // where the keys are drawn.
        QFETCH(int, key);
        const QRectF face = keyOutline(QStringLiteral("art/mode_buttons.svg"), key);
        QVERIFY(!face.isEmpty());
        QWidget *keys = EngineControlWidget(panel_, PANEL_PICTURE_CANAIS);
        const QImage released = render(keys);
        SetCtrlAttribute(panel_, PANEL_PICTURE_CANAIS, ATTR_PRESSED_KEYS, 1 << key);
        QCoreApplication::processEvents();
        const QImage pressed = render(keys);
        int left = released.width();
        int right = -1;
        for (int y = 0; y < released.height(); ++y) {
            for (int x = 0; x < released.width(); ++x) {
                if (released.pixel(x, y) != pressed.pixel(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        QVERIFY2(right >= 0, "pressing the key changed nothing");
        QVERIFY(left >= face.left() - 1.0);
        QVERIFY(right <= face.right() + 1.0);
        SetCtrlAttribute(panel_, PANEL_PICTURE_CANAIS, ATTR_PRESSED_KEYS, 0);
        QCoreApplication::processEvents();
        QCOMPARE(render(keys), released);
    }

    // The TRIG. selector's lever (its white stripe) stands at each stop of the artwork: the
    // marks 19 units apart from 14, drawn at the artwork's own size.
    void leverStandsAtItsStop_data() {
        QTest::addColumn<int>("stop");
        for (int stop = 0; stop < 5; ++stop) {
            QTest::newRow(qPrintable(QString("stop %1").arg(stop))) << stop;
        }
    }
    void leverStandsAtItsStop() {
        QFETCH(int, stop);
        QWidget *slide = EngineControlWidget(panel_, PANEL_TRIG);
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_TRIG, ATTR_LEVER_POSITION, stop), 0);
        int read = -1;
        QCOMPARE(GetCtrlAttribute(panel_, PANEL_TRIG, ATTR_LEVER_POSITION, &read), 0);
        QCOMPARE(read, stop);
        QCoreApplication::processEvents();
        const QImage image = render(slide);
        double sum = 0.0;
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 44; x <= 54; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() > 200) {
                    sum += y;
                    ++count;
                }
            }
        }
        QVERIFY(count > 0);
        QVERIFY2(std::abs(sum / count - (14.0 + 19.0 * stop)) < 2.0,
                 qPrintable(QString::number(sum / count)));
    }

    // The panel's face keeps drawn only the tiles under what is painted again (a knob turned),
    // and they show what the artwork drawn straight shows.
    void theFaceKeepsOnlyWhatIsPaintedAgain() {
        auto *face = qobject_cast<PictureView *>(EngineControlWidget(panel_, PANEL_PICTURE));
        QVERIFY(face != nullptr);
        const QImage whole = render(face);
        QCOMPARE(face->keptBytes(), qsizetype{0});
        const QWidget *knob = EngineControlWidget(panel_, PANEL_TIMEDIV);
        const QRect under(face->mapFrom(knob->parentWidget(), knob->pos()), knob->size());
        face->repaint(under);
        face->repaint(under);
        const qsizetype kept = face->keptBytes();
        const QRect margin = under.adjusted(-64, -64, 64, 64);
        QVERIFY(kept > 0);
        QVERIFY2(kept <= qsizetype{margin.width()} * margin.height() * 4,
                 qPrintable(QString("%1 bytes kept under a %2 x %3 knob")
                                .arg(kept)
                                .arg(under.width())
                                .arg(under.height())));
        const QImage part = face->grab(under).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage straight = whole.copy(under);
        int worst = 0;
        for (int y = 0; y < part.height(); ++y) {
            for (int x = 0; x < part.width(); ++x) {
                const QColor a = part.pixelColor(x, y);
                const QColor b = straight.pixelColor(x, y);
                worst = std::max({worst, std::abs(a.red() - b.red()),
                                  std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
            }
        }
        QVERIFY2(worst <= 2, qPrintable(QString("kept tiles differ by %1").arg(worst)));
        QCOMPARE(render(face), whole);
        QCOMPARE(face->keptBytes(), kept);
    }

    void stateAttributesRefuseWhatDoesNotApply() {
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_QUITBUTTON, ATTR_POINTER_ANGLE, 10.0),
                 int(kEngineBadAttribute));
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_PICTURE_3, ATTR_POINTER_ANGLE,
                                  std::numeric_limits<double>::quiet_NaN()),
                 int(kEngineBadValue));
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_PICTURE_5, ATTR_PRESSED_KEYS, -1),
                 int(kEngineBadValue));
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_TRIG, ATTR_LEVER_POSITION, -1),
                 int(kEngineBadValue));
        int mask = -1;
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_PICTURE_5, ATTR_PRESSED_KEYS, 1), 0);
        QCOMPARE(GetCtrlAttribute(panel_, PANEL_PICTURE_5, ATTR_PRESSED_KEYS, &mask), 0);
        QCOMPARE(mask, 1);
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_QUITBUTTON, ATTR_TOOLTIP_TEXT, "SAIR"), 0);
        QCoreApplication::processEvents();
        QCOMPARE(EngineControlWidget(panel_, PANEL_QUITBUTTON)->toolTip(), QString("SAIR"));
    }

    void knobStepsKeepToTheGridAndTheEnds_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("increment");
        QTest::addColumn<int>("steps");
        QTest::addColumn<double>("expected");
        QTest::newRow("up one") << 1.0 << 1.0 << 1.4 << 0.01 << 1 << 1.01;
        QTest::newRow("back to the calibrated end") << 1.01 << 1.0 << 1.4 << 0.01 << -1 << 1.0;
        QTest::newRow("stops at the low end") << 1.0 << 1.0 << 1.4 << 0.01 << -3 << 1.0;
        QTest::newRow("stops at the high end") << 1.39 << 1.0 << 1.4 << 0.01 << 5 << 1.4;
        QTest::newRow("off the grid snaps first") << 0.26 << -10.0 << 10.0 << 0.5 << 1 << 1.0;
        QTest::newRow("grid counted from the minimum") << 1.0 << -5.0 << 5.0 << 2.0 << 1 << 3.0;
    }
    void knobStepsKeepToTheGridAndTheEnds() {
        QFETCH(double, value);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, increment);
        QFETCH(int, steps);
        QFETCH(double, expected);
        // Exact at the ends: a calibration knob is calibrated only at exactly 1.0.
        const double result = KnobStep(value, min, max, increment, steps);
        QVERIFY2(std::abs(result - expected) < 1e-12, qPrintable(QString::number(result, 'g', 17)));
        if (expected == min || expected == max) {
            QCOMPARE(result, expected);
        }
    }

    void turningAKnobCallsItsCallbackOnlyWhenItMoves() {
        const int dialog = LoadPanel(panel_, "time.uir", PANEL_XPOS);
        QVERIFY(dialog > 0);
        SetCtrlAttribute(dialog, PANEL_XPOS_XPOS, ATTR_MAX_VALUE, 120.0);
        SetCtrlAttribute(dialog, PANEL_XPOS_XPOS, ATTR_MIN_VALUE, -120.0);
        SetCtrlAttribute(dialog, PANEL_XPOS_XPOS, ATTR_INCR_VALUE, 6.0);
        SetCtrlVal(dialog, PANEL_XPOS_XPOS, 114.0);
        QCOMPARE(TurnKnob(dialog, PANEL_XPOS_XPOS, 1), 1);
        QCOMPARE(TurnKnob(dialog, PANEL_XPOS_XPOS, 1), 0);
        double value = 0.0;
        GetCtrlVal(dialog, PANEL_XPOS_XPOS, &value);
        QCOMPARE(value, 120.0);
        QCOMPARE(changes, 1);
        QCOMPARE(TurnKnob(dialog, PANEL_XPOS_SAIR_XPOS, 1), int(kEngineBadControl));
    }
};

QTEST_MAIN(PictureStateTest)
#include "test_picture_state.moc"

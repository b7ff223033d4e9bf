// What the engine shows of the instrument on its pictures: a knob's pointer turned, a push
// button's keys pressed, tooltips; and the mouse wheel over a picture, with the knob stepping
// that the wheel shares with the dialogs' knobs.

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
};
std::vector<Wheel> wheels;
int changes = 0;

int recordWheel(int, int control, int event, void *, int eventData1, int) {
    if (event == EVENT_MOUSE_WHEEL) {
        wheels.push_back({control, eventData1});
    }
    return 0;
}

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
        RegisterCallback("f_xpos", countChange);
    }

    void init() {
        EngineReset();
        wheels.clear();
        changes = 0;
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

    void stateAttributesRefuseWhatDoesNotApply() {
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_QUITBUTTON, ATTR_POINTER_ANGLE, 10.0),
                 int(kEngineBadAttribute));
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_PICTURE_3, ATTR_POINTER_ANGLE,
                                  std::numeric_limits<double>::quiet_NaN()),
                 int(kEngineBadValue));
        QCOMPARE(SetCtrlAttribute(panel_, PANEL_PICTURE_5, ATTR_PRESSED_KEYS, -1),
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

// The front panel shows what the instrument is set to: knob pointers, pressed keys and
// tooltips follow every change; the mouse wheel turns a knob picture exactly as its dialog
// would; the "Reiniciar" menu returns what it names to the start-up state. Every case starts
// from a fresh start-up, as the program does.

#include "app/callbacks.h"
#include "app/startup.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "generator/generator.h"
#include "tests/common/pointer_pixels.h"
#include "tests/common/show_at_scale.h"
#include "ui/uir_constants.h"

#include <QListWidget>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kList = 2; // the list of the Time/Div and Volts/Div dialogs, the coupling slide
constexpr int kKnob = 3; // the knob of every knob dialog
constexpr double kTowardsMark = std::numeric_limits<double>::quiet_NaN();

enum Front { Main, Generator };

int frontPanel(int front) {
    return front == Main ? Painel_Principal : Painel_Gerador;
}

bool isPersistent(int panel) {
    return panel == Painel_Xpos || panel == Painel_Canais || panel == Painel_CalibX ||
           panel == Painel_YcalI || panel == Painel_YcalII || panel == Painel_Gerador ||
           panel == Painel_Ger_Esc || panel == Painel_Ger_Freq || panel == Painel_Ger_Ampl ||
           panel == Painel_Ger_Onda || panel == Painel_Ger_offset;
}

void closeDialogs() {
    for (int guard = 0; guard < 10 && EngineTopPopup() != 0; ++guard) {
        const int top = EngineTopPopup();
        isPersistent(top) ? RemovePopup(0) : DiscardPanel(top);
    }
}

/// Opens the picture's dialog as the user does (the generator panel first for its knobs).
int openDialog(int front, int picture) {
    const int power = Ligado;
    Ligado = 1;
    if (front == Generator) {
        ab_gerador(geradorID);
    }
    EngineSendEvent(frontPanel(front), picture, EVENT_LEFT_CLICK);
    Ligado = power;
    return EngineTopPopup();
}

/// Sets a setting through its dialog's own callback, then closes the dialog.
void setThroughDialog(int front, int picture, int control, double value) {
    const int dialog = openDialog(front, picture);
    QVERIFY(dialog > 0);
    SetCtrlVal(dialog, control, control == kList ? static_cast<int>(value) : value);
    EngineSendEvent(dialog, control, EVENT_VAL_CHANGED);
    closeDialogs();
}

void sendWheel(QWidget *widget, int notches) {
    sendWheelDelta(widget, 120 * notches);
}

/// Direction, degrees clockwise from 12 o'clock, from `hub` to the middle of the pointer's
/// pixels: pure white on the oscilloscope's knobs, orange-red on the generator's.
double pointerDirection(int front, QWidget *picture, QPointF hub) {
    QCoreApplication::processEvents();
    const QImage image = picture->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    return pointerDirection(image, hub, [front](const QColor &c) {
        return front == Main ? c.red() > 240 && c.green() > 240 && c.blue() > 240
                             : c.red() > 200 && c.green() < 140 && c.blue() < 110;
    });
}

/// The knob's centre in its picture: the oscilloscope's knobs are round artwork centred in
/// the picture; the generator's pictures are their artwork's size, hub where it is drawn.
QPointF hubOf(int front, int picture, QWidget *widget) {
    if (front == Main) {
        return QPointF(widget->width() / 2.0, widget->height() / 2.0);
    }
    switch (picture) {
    case GERADOR_PICTURE_3:
        return {77.5, 82.0};
    case GERADOR_PICTURE_4:
        return {26.0, 30.0};
    default:
        return {27.5, 30.0};
    }
}

QPointF centreOf(int control) {
    int top = 0, left = 0, height = 0, width = 0;
    GetCtrlAttribute(Painel_Principal, control, ATTR_TOP, &top);
    GetCtrlAttribute(Painel_Principal, control, ATTR_LEFT, &left);
    GetCtrlAttribute(Painel_Principal, control, ATTR_HEIGHT, &height);
    GetCtrlAttribute(Painel_Principal, control, ATTR_WIDTH, &width);
    return {left + width / 2.0, top + height / 2.0};
}

double directionTo(int from, int to) {
    const QPointF d = centreOf(to) - centreOf(from);
    return std::atan2(d.x(), -d.y()) * 180.0 / std::numbers::pi;
}

template <typename... T>
void put(std::vector<double> &s, T... values) {
    (s.push_back(double(values)), ...);
}

double number(int panel, int control) {
    double v = 0.0;
    GetCtrlVal(panel, control, &v);
    return v;
}

double attribute(int panel, int control, int attr) {
    double v = -1.0;
    if (GetCtrlAttribute(panel, control, attr, &v) != 0) {
        int i = -1;
        GetCtrlAttribute(panel, control, attr, &i);
        v = i;
    }
    return v;
}

/// The oscilloscope as the user sees and sets it: the state, every indicator and picture of
/// the main panel, and the dialogs that stay loaded.
std::vector<double> oscilloscope() {
    std::vector<double> s;
    put(s, Ligado, Esc_VoltID[0], Esc_VoltID[1], Esc_Volt[0], Esc_Volt[1], y_calib[0], y_calib[1],
        y_offset[0], y_offset[1], inversao[0], inversao[1], entrada_op[0], entrada_op[1],
        canais_op[0], canais_op[1], ChIN[0], ChIN[1], Esc_TempoID, Esc_Tempo, calib, atraso, xmag,
        levelt, slopet, autot, modoxy, dual_op, add_op, vert_op, OPCAO_FOCUS, OPCAO_INTENS,
        focus_val, intens_val);
    for (int id = 2; id <= PANEL_GRD_NOME2; ++id) {
        put(s, attribute(Painel_Principal, id, ATTR_DIMMED),
            attribute(Painel_Principal, id, ATTR_VISIBLE));
        int kind = 0;
        GetCtrlAttribute(Painel_Principal, id, ATTR_CTRL_KIND, &kind);
        if (kind == CTRL_PICTURE) {
            put(s, attribute(Painel_Principal, id, ATTR_POINTER_ANGLE),
                attribute(Painel_Principal, id, ATTR_PRESSED_KEYS));
        }
    }
    put(s, number(Painel_Xpos, PANEL_XPOS_XPOS), number(Painel_CalibX, P_CAL_X_XCAL),
        number(Painel_CalibX, P_CAL_X_LED), number(Painel_YcalI, YCAL1_YCAL),
        number(Painel_YcalI, YCAL1_LED), number(Painel_YcalII, YCAL2_YCAL),
        number(Painel_YcalII, YCAL2_LED));
    for (int b : {PANEL_CANA_BUTTON_CH_CHG, PANEL_CANA_BUTTON_DUAL, PANEL_CANA_BUTTON_ADD,
                  PANEL_CANA_BUTTON_VERT}) {
        put(s, number(Painel_Canais, b));
    }
    return s;
}

/// One generator's settings and output.
std::vector<double> generator(int g) {
    std::vector<double> s;
    put(s, botao_freq[g], tipo_onda[g], botao_activo[g], amplit[g], offset[g], ger_enable[g],
        freq_G[g]);
    for (double sample : onda_G[g]) {
        s.push_back(sample);
    }
    return s;
}

/// What the generator panels show: their knobs, keys and pointers.
std::vector<double> generatorPanels() {
    std::vector<double> s;
    put(s, geradorID, number(Painel_Gerador, GERADOR_LED), number(Painel_Gerador, GERADOR_GER_ID),
        number(Painel_Ger_Freq, FREQ_roda_gerador), number(Painel_Ger_Ampl, AMPLIT_roda_gerador_2),
        number(Painel_Ger_offset, OFFSET_roda_offset));
    for (int p : {GERADOR_PICTURE_3, GERADOR_PICTURE_4, GERADOR_PICTURE_6, GERADOR_ESCALA_F,
                  GERADOR_PICTURE_5}) {
        put(s, attribute(Painel_Gerador, p, ATTR_POINTER_ANGLE),
            attribute(Painel_Gerador, p, ATTR_PRESSED_KEYS));
    }
    return s;
}

std::vector<double> everything() {
    std::vector<double> s = oscilloscope();
    for (const auto &part : {generator(0), generator(1), generatorPanels()}) {
        s.insert(s.end(), part.begin(), part.end());
    }
    return s;
}

/// "same", or where two snapshots first differ, for a readable failure.
QString difference(const std::vector<double> &a, const std::vector<double> &b) {
    if (a.size() != b.size()) {
        return QString("sizes %1 and %2").arg(a.size()).arg(b.size());
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return QString("item %1: %2, wanted %3")
                .arg(i)
                .arg(a[i], 0, 'g', 10)
                .arg(b[i], 0, 'g', 10);
        }
    }
    return "same";
}

#define COMPARE_SNAPSHOT(actual, expected)                                                         \
    QVERIFY2((actual) == (expected), qPrintable(difference((actual), (expected))))

/// Turns a list one item per notch as a user does with the arrow keys.
void stepList(int dialog, int notches) {
    QWidget *view = EngineControlWidget(dialog, kList);
    QVERIFY(view != nullptr);
    auto *list = view->findChild<QListWidget *>();
    for (int i = 0; i < std::abs(notches); ++i) {
        QTest::keyClick(list != nullptr ? static_cast<QWidget *>(list) : view,
                        notches > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
}

} // namespace

class FrontPanelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(InitCVIRTE(nullptr, nullptr, nullptr) == 1);
        RegisterInstrumentCallbacks();
    }

    void init() {
        EngineReset();
        QVERIFY(LoadInstrumentPanels() == 0);
        // The generator's pictures are measured in a window of their own, at its full scale.
        SetPanelAttribute(Painel_Gerador, ATTR_DOCKED, 0);
        // What the program holds before start-up sets anything (earlier cases changed them).
        Ligado = 0;
        Esc_Volt[0] = Esc_Volt[1] = 0.0F;
        Esc_Tempo = 0.0F;
        offset[0] = offset[1] = 0.0;
        inicializacoes();
        showAtScale(Painel_Principal, 1.0);
    }

    void cleanup() {
        closeDialogs();
        EngineReset();
    }

    void pointerShowsTheDialogsSetting_data() {
        QTest::addColumn<int>("front");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("angle"); // clockwise from 12 o'clock; NaN: towards `mark`
        QTest::addColumn<int>("mark");
        const double nan = kTowardsMark;
        QTest::newRow("TIME/DIV .2 s")
            << +Main << PANEL_TIMEDIV << kList << 0.0 << nan << PANEL_TIMEDIV_1;
        QTest::newRow("TIME/DIV .5 ms")
            << +Main << PANEL_TIMEDIV << kList << 8.0 << nan << PANEL_TIMEDIV_9;
        QTest::newRow("TIME/DIV .5 us")
            << +Main << PANEL_TIMEDIV << kList << 17.0 << nan << PANEL_TIMEDIV_18;
        QTest::newRow("VOLTS/DIV I 20 V")
            << +Main << PANEL_VOLTDIV1 << kList << 0.0 << nan << PANEL_VOLTDIV1_1;
        QTest::newRow("VOLTS/DIV I 10 mV")
            << +Main << PANEL_VOLTDIV1 << kList << 10.0 << nan << PANEL_VOLTDIV1_11;
        QTest::newRow("VOLTS/DIV II 5 mV")
            << +Main << PANEL_VOLTDIV2 << kList << 11.0 << nan << PANEL_VOLTDIV2_12;
        // Continuous knobs sweep 270 degrees: the ends at +-135, the middle straight up.
        QTest::newRow("Y-POS I top") << +Main << PANEL_PICTURE_6 << kKnob << 10.0 << 135.0 << 0;
        QTest::newRow("Y-POS II -2 div") << +Main << PANEL_PICTURE_7 << kKnob << -5.0 << -67.5 << 0;
        QTest::newRow("X-POS right end") << +Main << PANEL_XPOSBTN << kKnob << 120.0 << 135.0 << 0;
        QTest::newRow("X-POS -1 div") << +Main << PANEL_XPOSBTN << kKnob << -60.0 << -67.5 << 0;
        QTest::newRow("VAR time far end") << +Main << PANEL_PICTURE_2 << kKnob << 1.4 << 135.0 << 0;
        QTest::newRow("VAR CH I middle") << +Main << PANEL_PICTURE_8 << kKnob << 1.2 << 0.0 << 0;
        QTest::newRow("VAR CH II calibrated")
            << +Main << PANEL_PICTURE_9 << kKnob << 1.0 << -135.0 << 0;
        QTest::newRow("LEVEL +2.5") << +Main << PANEL_PICTURE_14 << kKnob << 2.5 << 33.75 << 0;
        QTest::newRow("INTENS 10") << +Main << PANEL_PICTURE_4 << kKnob << 10.0 << 135.0 << 0;
        QTest::newRow("INTENS 0") << +Main << PANEL_PICTURE_4 << kKnob << 0.0 << -135.0 << 0;
        QTest::newRow("FOCUS +4") << +Main << PANEL_PICTURE_3 << kKnob << 4.0 << 54.0 << 0;
        QTest::newRow("generator frequency 2.0")
            << +Generator << GERADOR_PICTURE_3 << kKnob << 2.0 << 135.0 << 0;
        QTest::newRow("generator frequency 0.5")
            << +Generator << GERADOR_PICTURE_3 << kKnob << 0.5 << -67.5 << 0;
        QTest::newRow("generator amplitude 5 V")
            << +Generator << GERADOR_PICTURE_4 << kKnob << 5.0 << 0.0 << 0;
        QTest::newRow("generator offset -5 V")
            << +Generator << GERADOR_PICTURE_6 << kKnob << -5.0 << -135.0 << 0;
    }
    void pointerShowsTheDialogsSetting() {
        QFETCH(int, front);
        QFETCH(int, picture);
        QFETCH(int, control);
        QFETCH(double, value);
        QFETCH(double, angle);
        QFETCH(int, mark);
        const double wanted = std::isnan(angle) ? directionTo(picture, mark) : angle;
        if (front == Generator) {
            showAtScale(Painel_Gerador, 1.0);
        }
        setThroughDialog(front, picture, control, value);
        QWidget *widget = EngineControlWidget(frontPanel(front), picture);
        const double seen = pointerDirection(front, widget, hubOf(front, picture, widget));
        QVERIFY2(angleBetween(seen, wanted) < 7.0,
                 qPrintable(QString("pointer at %1, wanted %2").arg(seen).arg(wanted)));
    }

    void wheelStepsAsTheDialogDoes_data() {
        QTest::addColumn<int>("front");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("control");
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("notches");
        QTest::addColumn<int>("power");
        const struct {
            const char *name;
            int front, picture, control;
            double start;
            int notches, power;
        } rows[] = {
            {"TIME/DIV up", Main, PANEL_TIMEDIV, kList, 3, 1, 1},
            {"TIME/DIV past the fast end", Main, PANEL_TIMEDIV, kList, 17, 1, 1},
            {"TIME/DIV past the slow end", Main, PANEL_TIMEDIV, kList, 0, -1, 1},
            {"TIME/DIV two notches", Main, PANEL_TIMEDIV, kList, 5, -2, 1},
            {"TIME/DIV off", Main, PANEL_TIMEDIV, kList, 3, 1, 0},
            {"VOLTS/DIV I past 5 mV", Main, PANEL_VOLTDIV1, kList, 11, 1, 1},
            {"VOLTS/DIV I down", Main, PANEL_VOLTDIV1, kList, 4, -1, 1},
            {"VOLTS/DIV II past 20 V", Main, PANEL_VOLTDIV2, kList, 0, -1, 1},
            {"VOLTS/DIV II off", Main, PANEL_VOLTDIV2, kList, 4, 1, 0},
            {"CH I coupling DC to AC", Main, PANEL_PICTURE_10, kList, 0, 1, 1},
            {"CH I coupling past GND", Main, PANEL_PICTURE_10, kList, 1, 3, 1},
            {"CH II coupling GND to DC", Main, PANEL_PICTURE_11, kList, 2, -2, 1},
            {"CH II coupling off", Main, PANEL_PICTURE_11, kList, 1, 1, 0},
            {"Y-POS I past the top", Main, PANEL_PICTURE_6, kKnob, 10, 1, 1},
            {"Y-POS I down", Main, PANEL_PICTURE_6, kKnob, 0, -1, 1},
            {"Y-POS II past the bottom", Main, PANEL_PICTURE_7, kKnob, -10, -1, 1},
            {"Y-POS II off", Main, PANEL_PICTURE_7, kKnob, 0, 1, 0},
            {"X-POS to the end", Main, PANEL_XPOSBTN, kKnob, 114, 1, 1},
            {"X-POS past the end", Main, PANEL_XPOSBTN, kKnob, 120, 1, 1},
            {"VAR time back to CAL", Main, PANEL_PICTURE_2, kKnob, 1.01, -1, 1},
            {"VAR time past CAL", Main, PANEL_PICTURE_2, kKnob, 1.0, -1, 1},
            {"VAR CH I off", Main, PANEL_PICTURE_8, kKnob, 1.0, 1, 0},
            {"VAR CH II past the end", Main, PANEL_PICTURE_9, kKnob, 1.4, 1, 1},
            {"VAR CH II up", Main, PANEL_PICTURE_9, kKnob, 1.2, 1, 1},
            {"LEVEL past the top", Main, PANEL_PICTURE_14, kKnob, 10, 1, 1},
            {"LEVEL down", Main, PANEL_PICTURE_14, kKnob, -9.5, -1, 1},
            {"LEVEL off", Main, PANEL_PICTURE_14, kKnob, 0, 1, 0},
            {"INTENS past 10", Main, PANEL_PICTURE_4, kKnob, 10, 1, 1},
            {"INTENS down", Main, PANEL_PICTURE_4, kKnob, 5, -1, 1},
            {"FOCUS past -10", Main, PANEL_PICTURE_3, kKnob, -10, -1, 1},
            {"FOCUS to the thick trace", Main, PANEL_PICTURE_3, kKnob, 2, 1, 1},
            {"FOCUS off", Main, PANEL_PICTURE_3, kKnob, 0, 1, 0},
            {"frequency past 2.0", Generator, GERADOR_PICTURE_3, kKnob, 2.0, 1, 1},
            {"frequency to 0", Generator, GERADOR_PICTURE_3, kKnob, 0.01, -1, 1},
            {"frequency, oscilloscope off", Generator, GERADOR_PICTURE_3, kKnob, 1.0, 1, 0},
            {"amplitude past 10 V", Generator, GERADOR_PICTURE_4, kKnob, 10, 1, 1},
            {"amplitude past 0 V", Generator, GERADOR_PICTURE_4, kKnob, 0, -1, 0},
            {"offset past +5 V", Generator, GERADOR_PICTURE_6, kKnob, 5, 1, 1},
            {"offset down", Generator, GERADOR_PICTURE_6, kKnob, 0, -1, 0},
        };
        for (const auto &r : rows) {
            QTest::newRow(r.name) << r.front << r.picture << r.control << r.start << r.notches
                                  << r.power;
        }
    }
    void wheelStepsAsTheDialogDoes() {
        QFETCH(int, front);
        QFETCH(int, picture);
        QFETCH(int, control);
        QFETCH(double, start);
        QFETCH(int, notches);
        QFETCH(int, power);
        setThroughDialog(front, picture, control, start);
        Ligado = power;
        const auto before = everything();

        sendWheel(EngineControlWidget(frontPanel(front), picture), notches);
        QCoreApplication::processEvents();
        const auto byWheel = everything();

        setThroughDialog(front, picture, control, start);
        Ligado = power;
        COMPARE_SNAPSHOT(everything(), before);
        // The dialog opens only where a left click would open it.
        if (front == Generator || power == 1) {
            const int dialog = openDialog(front, picture);
            if (control == kList) {
                stepList(dialog, notches);
            } else {
                sendWheel(EngineControlWidget(dialog, control), notches);
            }
            closeDialogs();
        }
        QCoreApplication::processEvents();
        COMPARE_SNAPSHOT(byWheel, everything());
        if (front == Main && power == 0) {
            COMPARE_SNAPSHOT(byWheel, before);
        }
    }

    void latchingKeysShowTheirState_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("clicks");
        for (const auto &[name, picture] :
             {std::pair{"INV I", PANEL_PICTURE_5}, std::pair{"INV II", PANEL_PICTURE_15},
              std::pair{"X-Y", PANEL_PICTURE_12}, std::pair{"SLOPE", PANEL_PICTURE_13},
              std::pair{"AT/NM", PANEL_PICTURE_17}, std::pair{"X-MAG", PANEL_PICTURE_16}}) {
            for (int clicks : {1, 2, 3}) {
                QTest::newRow(qPrintable(QString("%1 x%2").arg(name).arg(clicks)))
                    << picture << clicks;
            }
        }
    }
    void latchingKeysShowTheirState() {
        QFETCH(int, picture);
        QFETCH(int, clicks);
        QWidget *widget = EngineControlWidget(Painel_Principal, picture);
        QCoreApplication::processEvents();
        const QImage released = widget->grab().toImage();
        Ligado = 1;
        for (int i = 0; i < clicks; ++i) {
            EngineSendEvent(Painel_Principal, picture, EVENT_LEFT_CLICK);
        }
        QCoreApplication::processEvents();
        const bool in = clicks % 2 == 1;
        const bool stateIn = picture == PANEL_PICTURE_5    ? inversao[0] == -1
                             : picture == PANEL_PICTURE_15 ? inversao[1] == -1
                             : picture == PANEL_PICTURE_12 ? modoxy == 1
                             : picture == PANEL_PICTURE_13 ? slopet == -1
                             : picture == PANEL_PICTURE_17 ? autot == 0
                                                           : xmag == 10.0;
        QCOMPARE(stateIn, in);
        QCOMPARE(attribute(Painel_Principal, picture, ATTR_PRESSED_KEYS), in ? 1.0 : 0.0);
        QCOMPARE(widget->grab().toImage() != released, in);
    }

    void modeKeysFollowTheModeDialog() {
        // Keys of the picture from left to right: CH I/II, DUAL, ADD, VERT.
        const auto press = [](int button) {
            EngineSendEvent(Painel_Canais, button, EVENT_COMMIT);
            return attribute(Painel_Principal, PANEL_PICTURE_CANAIS, ATTR_PRESSED_KEYS);
        };
        QCOMPARE(press(PANEL_CANA_BUTTON_DUAL), 2.0);
        QCOMPARE(press(PANEL_CANA_BUTTON_ADD), 4.0); // ADD releases DUAL
        QCOMPARE(press(PANEL_CANA_BUTTON_VERT), 4.0 + 8.0);
        QCOMPARE(press(PANEL_CANA_BUTTON_CH_CHG), 1.0 + 4.0 + 8.0);
        QCOMPARE(press(PANEL_CANA_BUTTON_DUAL), 1.0 + 2.0 + 8.0); // DUAL releases ADD
        QCOMPARE(add_op, 0);
        QCOMPARE(press(PANEL_CANA_BUTTON_CH_CHG), 2.0 + 8.0);
    }

    void generatorKeysShowTheChosenOne_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("dialog");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key"); // position of the key in the picture, from the left
        QTest::newRow("range 1") << GERADOR_ESCALA_F << 0 << GER_ESC_range1 << 0;
        QTest::newRow("range 1K") << GERADOR_ESCALA_F << 0 << GER_ESC_range1k << 3;
        QTest::newRow("range 10K") << GERADOR_ESCALA_F << 0 << GER_ESC_range10k << 4;
        QTest::newRow("range 1M") << GERADOR_ESCALA_F << 0 << GER_ESC_range1m << 6;
        QTest::newRow("square") << GERADOR_PICTURE_5 << 1 << GER_ONDA_QUAD << 0;
        QTest::newRow("triangle") << GERADOR_PICTURE_5 << 1 << GER_ONDA_TRIA << 1;
        QTest::newRow("sine") << GERADOR_PICTURE_5 << 1 << GER_ONDA_SINU << 2;
    }
    void generatorKeysShowTheChosenOne() {
        QFETCH(int, picture);
        QFETCH(int, dialog);
        QFETCH(int, button);
        QFETCH(int, key);
        const int panel = dialog == 0 ? Painel_Ger_Esc : Painel_Ger_Onda;
        EngineSendEvent(panel, button, EVENT_COMMIT);
        QCOMPARE(attribute(Painel_Gerador, picture, ATTR_PRESSED_KEYS), double(1 << key));
        // The other generator's panel shows its own choice again.
        const int shown = geradorID;
        ab_gerador(1 - shown);
        QVERIFY(attribute(Painel_Gerador, picture, ATTR_PRESSED_KEYS) != 0.0);
        closeDialogs();
    }

    void tooltipsNameTheControlAndItsSetting() {
        std::string tip;
        GetCtrlAttribute(Painel_Principal, PANEL_VOLTDIV2, ATTR_TOOLTIP_TEXT, &tip);
        QCOMPARE(QString::fromStdString(tip), QString("VOLTS/DIV CH II: 1 V"));
        setThroughDialog(Main, PANEL_TIMEDIV, kList, 17);
        GetCtrlAttribute(Painel_Principal, PANEL_TIMEDIV, ATTR_TOOLTIP_TEXT, &tip);
        QCOMPARE(QString::fromStdString(tip), QString("TIME/DIV: .5 us"));
        setThroughDialog(Main, PANEL_PICTURE_6, kKnob, -5);
        GetCtrlAttribute(Painel_Principal, PANEL_PICTURE_6, ATTR_TOOLTIP_TEXT, &tip);
        QCOMPARE(QString::fromStdString(tip), QString("Y-POS I: -2.0 div"));
        QCOMPARE(EngineControlWidget(Painel_Principal, PANEL_PICTURE_6)->toolTip(),
                 QString("Y-POS I: -2.0 div"));
    }

    void dialogsLeaveTheirKnobAndTheScreenVisible_data() {
        QTest::addColumn<int>("front");
        QTest::addColumn<int>("picture");
        const struct {
            const char *name;
            int front, picture;
        } rows[] = {
            {"TIME/DIV", Main, PANEL_TIMEDIV},
            {"VOLTS/DIV I", Main, PANEL_VOLTDIV1},
            {"VOLTS/DIV II", Main, PANEL_VOLTDIV2},
            {"Y-POS I", Main, PANEL_PICTURE_6},
            {"Y-POS II", Main, PANEL_PICTURE_7},
            {"VAR CH I", Main, PANEL_PICTURE_8},
            {"VAR CH II", Main, PANEL_PICTURE_9},
            {"X-POS", Main, PANEL_XPOSBTN},
            {"VAR time", Main, PANEL_PICTURE_2},
            {"LEVEL", Main, PANEL_PICTURE_14},
            {"INTENS", Main, PANEL_PICTURE_4},
            {"FOCUS", Main, PANEL_PICTURE_3},
            {"DC/AC/GND I", Main, PANEL_PICTURE_10},
            {"DC/AC/GND II", Main, PANEL_PICTURE_11},
            {"modes", Main, PANEL_PICTURE_CANAIS},
            {"RANGE", Generator, GERADOR_ESCALA_F},
            {"FREQUENCY", Generator, GERADOR_PICTURE_3},
            {"AMPLITUDE", Generator, GERADOR_PICTURE_4},
            {"FUNCTION", Generator, GERADOR_PICTURE_5},
            {"OFFSET", Generator, GERADOR_PICTURE_6},
        };
        for (const auto &r : rows) {
            QTest::newRow(r.name) << r.front << r.picture;
        }
    }
    void dialogsLeaveTheirKnobAndTheScreenVisible() {
        QFETCH(int, front);
        QFETCH(int, picture);
        const auto panelRect = [](int panel) {
            int top = 0, left = 0, height = 0, width = 0;
            GetPanelAttribute(panel, ATTR_TOP, &top);
            GetPanelAttribute(panel, ATTR_LEFT, &left);
            GetPanelAttribute(panel, ATTR_HEIGHT, &height);
            GetPanelAttribute(panel, ATTR_WIDTH, &width);
            return QRect(left, top, width, height);
        };
        const auto controlRect = [](int panel, int control) {
            int top = 0, left = 0, height = 0, width = 0;
            GetCtrlAttribute(panel, control, ATTR_TOP, &top);
            GetCtrlAttribute(panel, control, ATTR_LEFT, &left);
            GetCtrlAttribute(panel, control, ATTR_HEIGHT, &height);
            GetCtrlAttribute(panel, control, ATTR_WIDTH, &width);
            return QRect(left, top, width, height);
        };
        const int dialog = openDialog(front, picture);
        QVERIFY(dialog > 0);
        const QRect screen = controlRect(Painel_Principal, PANEL_MOSTRAR);
        QRect knob = controlRect(frontPanel(front), picture);
        if (front == Generator) {
            const QRect generatorPanel = panelRect(Painel_Gerador);
            QVERIFY2(!generatorPanel.intersects(screen), "the generator panel hides the tube");
            knob.translate(generatorPanel.topLeft());
        }
        const QRect placed = panelRect(dialog);
        QVERIFY2(!placed.intersects(knob), "the dialog hides its knob");
        QVERIFY2(!placed.intersects(screen), "the dialog hides the screen");
    }

    void resetRestoresWhatItNamesAndOnlyThat_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("power");
        QTest::addColumn<bool>("oscilloscopeReset");
        QTest::addColumn<bool>("generator1Reset");
        QTest::addColumn<bool>("generator2Reset");
        QTest::newRow("oscilloscope, off")
            << MenuBar_Fich_RST_osc << 1 << 0 << true << false << false;
        QTest::newRow("oscilloscope, on")
            << MenuBar_Fich_RST_osc << 1 << 1 << true << false << false;
        QTest::newRow("generator 1") << MenuBar_Fich_RST_ger1 << 1 << 0 << false << true << false;
        QTest::newRow("generator 2") << MenuBar_Fich_RST_ger2 << 1 << 1 << false << false << true;
        QTest::newRow("everything") << MenuBar_Fich_RST_all << 1 << 1 << true << true << true;
        QTest::newRow("answered no") << MenuBar_Fich_RST_all << 0 << 1 << false << false << false;
    }
    void resetRestoresWhatItNamesAndOnlyThat() {
        QFETCH(int, item);
        QFETCH(int, answer);
        QFETCH(int, power);
        QFETCH(bool, oscilloscopeReset);
        QFETCH(bool, generator1Reset);
        QFETCH(bool, generator2Reset);
        if (power == 1) {
            EngineSendEvent(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        }
        const auto startOscilloscope = oscilloscope();
        const auto start1 = generator(0);
        const auto start2 = generator(1);
        const auto startPanels = generatorPanels();

        // A student's afternoon: every kind of setting changed, on both generators too.
        if (power == 0) {
            EngineSendEvent(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        }
        setThroughDialog(Main, PANEL_TIMEDIV, kList, 9);
        setThroughDialog(Main, PANEL_VOLTDIV2, kList, 1);
        setThroughDialog(Main, PANEL_PICTURE_7, kKnob, 4);
        setThroughDialog(Main, PANEL_PICTURE_8, kKnob, 1.3);
        setThroughDialog(Main, PANEL_PICTURE_2, kKnob, 1.1);
        setThroughDialog(Main, PANEL_XPOSBTN, kKnob, -60);
        setThroughDialog(Main, PANEL_PICTURE_14, kKnob, -3.5);
        setThroughDialog(Main, PANEL_PICTURE_4, kKnob, 9);
        setThroughDialog(Main, PANEL_PICTURE_3, kKnob, -6);
        Ligado = 1;
        for (int key : {PANEL_PICTURE_5, PANEL_PICTURE_16, PANEL_PICTURE_13, PANEL_PICTURE_17,
                        PANEL_PICTURE_12}) {
            EngineSendEvent(Painel_Principal, key, EVENT_LEFT_CLICK);
        }
        for (int button :
             {PANEL_CANA_BUTTON_DUAL, PANEL_CANA_BUTTON_VERT, PANEL_CANA_BUTTON_CH_CHG}) {
            EngineSendEvent(Painel_Canais, button, EVENT_COMMIT);
        }
        if (power == 0) {
            EngineSendEvent(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        }
        for (int g : {0, 1}) {
            geradorID = g;
            setThroughDialog(Generator, GERADOR_PICTURE_3, kKnob, 0.37 + g);
            setThroughDialog(Generator, GERADOR_PICTURE_6, kKnob, -2.5);
            EngineSendEvent(Painel_Ger_Esc, GER_ESC_range10k, EVENT_COMMIT);
            EngineSendEvent(Painel_Ger_Onda, GER_ONDA_QUAD, EVENT_COMMIT);
            EngineSendEvent(Painel_Gerador, GERADOR_PICTURE_2, EVENT_LEFT_CLICK);
        }
        ab_gerador(1);
        closeDialogs();
        const auto changedOscilloscope = oscilloscope();
        const auto changed1 = generator(0);
        const auto changed2 = generator(1);
        const auto changedPanels = generatorPanels();
        QVERIFY(changedOscilloscope != startOscilloscope);
        QVERIFY(changed1 != start1 && changed2 != start2 && changedPanels != startPanels);

        EngineQueueConfirmAnswer(answer);
        const int popups = EnginePopupCount();
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), item);
        QCOMPARE(EnginePopupCount(), popups + 1); // it asked first
        COMPARE_SNAPSHOT(oscilloscope(),
                         oscilloscopeReset ? startOscilloscope : changedOscilloscope);
        COMPARE_SNAPSHOT(generator(0), generator1Reset ? start1 : changed1);
        COMPARE_SNAPSHOT(generator(1), generator2Reset ? start2 : changed2);
        // The panels show generator 2, so they follow its reset.
        COMPARE_SNAPSHOT(generatorPanels(), generator2Reset ? startPanels : changedPanels);
    }
};

QTEST_MAIN(FrontPanelTest)
#include "test_front_panel.moc"

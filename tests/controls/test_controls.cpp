// The front-panel controls driven as a user drives them: clicks on the main panel's pictures,
// values turned in the setting dialogs, and their buttons; then the instrument state, the
// indicators and the pop-ups are checked.

#include "app/callbacks.h"
#include "app/state.h"
#include "controls/channels.h"
#include "controls/front_state.h"
#include "controls/horizontal.h"
#include "controls/scale_tables.h"
#include "controls/tester_panel.h"
#include "controls/trigger_coupling.h"
#include "controls/trigger_display.h"
#include "controls/vertical.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/graph_widget.h"
#include "generator/generator.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <string>
#include <vector>

namespace {

int attribute(int panel, int control, int attr) {
    int value = -1;
    GetCtrlAttribute(panel, control, attr, &value);
    return value;
}

int dimmed(int control) {
    return attribute(Painel_Principal, control, ATTR_DIMMED);
}

template <typename T>
T value(int panel, int control) {
    T v{};
    GetCtrlVal(panel, control, &v);
    return v;
}

std::string constantName(int panel, int control) {
    std::string name;
    GetCtrlAttribute(panel, control, ATTR_CONSTANT_NAME, &name);
    return name;
}

// Identifiers of the controls of `panel` whose constant starts with `prefix`.
std::vector<int> controlsNamed(int panel, const std::string &prefix) {
    int count = 0;
    GetPanelAttribute(panel, ATTR_NUM_CTRLS, &count);
    std::vector<int> ids;
    for (int id = 2; id < count + 2; ++id) {
        if (constantName(panel, id).starts_with(prefix)) {
            ids.push_back(id);
        }
    }
    return ids;
}

template <typename... T>
void put(std::vector<double> &s, T... values) {
    (s.push_back(double(values)), ...);
}

// Everything a front-panel control may change, flattened so that two moments compare at once.
std::vector<double> instrumentState() {
    std::vector<double> s;
    put(s, Canal, Esc_VoltID[0], Esc_VoltID[1], Esc_Volt[0], Esc_Volt[1], y_calib[0], y_calib[1],
        y_offset[0], y_offset[1], inversao[0], inversao[1], entrada_op[0], entrada_op[1],
        canais_op[0], canais_op[1], ChIN[0], ChIN[1], Esc_TempoID, Esc_Tempo, calib, atraso, xmag,
        levelt, slopet, autot, modoxy, dual_op, add_op, vert_op, xC1, xC2, OPCAO_FOCUS,
        OPCAO_INTENS, focus_val, intens_val, plot_exist[0], plot_exist[1], plot_exist[2],
        plot_exist[3], EnginePopupDepth(), EngineTopPopup(), EngineBeepCount(), trig_acopl,
        trig_ext, holdoff, tvsep, testador, testador_comp, testador_valor[0], testador_valor[1]);
    for (int id = 2; id <= PANEL_COMP_TEXT; ++id) {
        put(s, dimmed(id), attribute(Painel_Principal, id, ATTR_VISIBLE));
    }
    return s;
}

bool isPersistent(int panel) {
    return panel == Painel_Xpos || panel == Painel_Canais || panel == Painel_CalibX ||
           panel == Painel_YcalI || panel == Painel_YcalII || panel == Painel_Gerador;
}

// Sets a dialog's knob, list or slide as the user would turn it.
template <typename T>
void turn(int panel, int control, T v) {
    SetCtrlVal(panel, control, v);
    EngineSendEvent(panel, control, EVENT_VAL_CHANGED);
}

// Left click with the instrument on; returns the dialog that opened (0 if none).
int open(int picture) {
    Ligado = 1;
    EngineSendEvent(Painel_Principal, picture, EVENT_LEFT_CLICK);
    return EngineTopPopup();
}

// Every picture of the controls with its help page; `acts` when a left click does something.
void pictureTable() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("acts");
    const struct {
        const char *name;
        int picture, page;
        bool acts;
    } rows[] = {
        {"VOLTS/DIV I", PANEL_VOLTDIV1, 16, true},    {"VOLTS/DIV II", PANEL_VOLTDIV2, 16, true},
        {"Y-POS I", PANEL_PICTURE_6, 14, true},       {"Y-POS II", PANEL_PICTURE_7, 14, true},
        {"YCAL I", PANEL_PICTURE_8, 17, true},        {"YCAL II", PANEL_PICTURE_9, 17, true},
        {"INV I", PANEL_PICTURE_5, 15, true},         {"INV II", PANEL_PICTURE_15, 15, true},
        {"TIME/DIV", PANEL_TIMEDIV, 12, true},        {"X-POS", PANEL_XPOSBTN, 9, true},
        {"XCAL", PANEL_PICTURE_2, 13, true},          {"X-MAG", PANEL_PICTURE_16, 21, true},
        {"modes", PANEL_PICTURE_CANAIS, 20, true},    {"DC/AC/GND I", PANEL_PICTURE_10, 19, true},
        {"DC/AC/GND II", PANEL_PICTURE_11, 19, true}, {"input I", PANEL_PICTURE_18, 18, true},
        {"input II", PANEL_PICTURE_19, 18, true},     {"LEVEL", PANEL_PICTURE_14, 10, true},
        {"slope", PANEL_PICTURE_13, 10, true},        {"AT/NM", PANEL_PICTURE_17, 10, true},
        {"X-Y", PANEL_PICTURE_12, 5, true},           {"INTENS", PANEL_PICTURE_4, 2, true},
        {"FOCUS", PANEL_PICTURE_3, 3, true},          {"screen", PANEL_MOSTRAR, 6, false},
        {"TV-SEP", PANEL_PICTURE_20, 10, false},      {"TRIG", PANEL_TRIG, 10, false},
        {"EXT TRIG", PANEL_EXT_TRIG, 10, true},       {"HOLD OFF", PANEL_HOLDOFF, 10, true},
        {"calibrator", PANEL_CALIB_PONT, 22, false},  {"component", PANEL_COMPONENT, 23, true},
        {"frame", PANEL_DECORATION_11, 8, false},     {"frame 2", PANEL_DECORATION_28, 8, false},
    };
    for (const auto &r : rows) {
        QTest::newRow(r.name) << r.picture << r.page << r.acts;
    }
}

using Callback = int (*)(int, int, int, void *, int, int);

// A front-panel knob turned by the wheel, and the value it sets.
struct Knob {
    const char *name;
    Callback callback;
    int picture;
    double (*read)();
    bool continuous; // Ctrl turns it by tenths; a stepped knob by a step per ten notches
};
const Knob kKnobs[] = {
    {"Y-POS I", y_pos1_btn, PANEL_PICTURE_6, [] { return y_offset[0]; }, true},
    {"LEVEL", level_btn, PANEL_PICTURE_14, [] { return levelt; }, true},
    {"HOLD OFF", holdoff_btn, PANEL_HOLDOFF, [] { return holdoff; }, true},
    {"FOCUS", focus_btn, PANEL_PICTURE_3, [] { return double(focus_val); }, true},
    {"X-POS", x_pos_btn, PANEL_XPOSBTN, [] { return atraso; }, true},
    {"AMPLITUDE", most_ampl, GERADOR_PICTURE_4, [] { return amplit[geradorID]; }, true},
    {"PHASE", most_fase, GERADOR_PICTURE_FASE, [] { return fase_G[geradorID]; }, true},
    {"VOLTS/DIV I", volt_div1, PANEL_VOLTDIV1, [] { return double(Esc_VoltID[0]); }, false},
    {"TIME/DIV", timediv, PANEL_TIMEDIV, [] { return double(Esc_TempoID); }, false},
    {"INTENS", intens_btn, PANEL_PICTURE_4, [] { return double(intens_val); }, false},
};

// The keys of the mode picture (bits of its pressed mask) and the lamps they light.
struct Modes {
    int ch2, dual, add, vert;
    bool operator==(const Modes &) const = default;
};

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        Painel_Principal = LoadPanel(0, "oscil.uir", PANEL);
        QVERIFY2(Painel_Principal > 0, GetEngineErrorText());
        Painel_Xpos = LoadPanel(Painel_Principal, "time.uir", PANEL_XPOS);
        Painel_Canais = LoadPanel(Painel_Principal, "canais.uir", PANEL_CANA);
        Painel_CalibX = LoadPanel(Painel_Principal, "time.uir", P_CAL_X);
        Painel_YcalI = LoadPanel(Painel_Principal, "volt.uir", YCAL1);
        Painel_YcalII = LoadPanel(Painel_Principal, "volt.uir", YCAL2);
        QVERIFY2(Painel_Xpos > 0 && Painel_Canais > 0 && Painel_CalibX > 0 && Painel_YcalI > 0 &&
                     Painel_YcalII > 0,
                 GetEngineErrorText());
        QCOMPARE(iniciar_gerador(), 0); // the generator source shows the generator panel
        DisplayPanel(Painel_Principal);
    }

    // Every case starts from the start-up state with the instrument on.
    void init() {
        Ligado = 1;
        Canal = 0;
        for (int ch = 0; ch < 2; ++ch) {
            Esc_VoltID[ch] = 4;
            Esc_Volt[ch] = 2.5F;
            y_calib[ch] = inversao[ch] = entrada_op[ch] = canais_op[ch] = 1;
            y_offset[ch] = ChIN[ch] = 0;
        }
        Esc_TempoID = 3;
        Esc_Tempo = 0.016F;
        calib = xmag = 1.0;
        atraso = atraso_orig = -300.0;
        levelt = xC1 = xC2 = 0.0;
        slopet = autot = 1;
        modoxy = dual_op = add_op = vert_op = 0;
        OPCAO_FOCUS = VAL_THIN_LINE;
        OPCAO_INTENS = MakeColor(25, 210, 200);
        focus_val = 0.0F;
        intens_val = 5;
        trig_acopl = trig_ext = tvsep = testador = 0;
        holdoff = 0.0;
        testador_comp = 2;
        testador_valor[0] = 1000.0;
        testador_valor[1] = 1e-06;
        SetCtrlAttribute(Painel_Principal, PANEL_COMP_TEXT, ATTR_DIMMED, 1);
        SetCtrlVal(Painel_Principal, PANEL_STRING_CH1, "Desligado");
        SetCtrlVal(Painel_Principal, PANEL_STRING_CH2, "Desligado");
        for (int b : {PANEL_CANA_BUTTON_VERT, PANEL_CANA_BUTTON_ADD, PANEL_CANA_BUTTON_DUAL}) {
            SetCtrlVal(Painel_Canais, b, 0);
        }
    }

    // Closes whatever a case left open: dialogs loaded per opening are discarded.
    void cleanup() {
        EngineSetResourceDir(nullptr);
        for (int guard = 0; guard < 10 && EngineTopPopup() != 0; ++guard) {
            const int top = EngineTopPopup();
            isPersistent(top) ? RemovePopup(0) : DiscardPanel(top);
        }
        QCOMPARE(EnginePopupDepth(), 0);
    }

    void leftClickActsOnlyWhilePowerOn_data() { pictureTable(); }
    void leftClickActsOnlyWhilePowerOn() {
        QFETCH(int, picture);
        QFETCH(bool, acts);
        Canal = 1; // so that opening a CH I dialog shows as a change too
        Ligado = 0;
        const auto off = instrumentState();
        EngineSendEvent(Painel_Principal, picture, EVENT_LEFT_CLICK);
        QVERIFY2(instrumentState() == off, "a left click acted with the instrument off");
        Ligado = 1;
        EngineSendEvent(Painel_Principal, picture, EVENT_LEFT_CLICK);
        QCOMPARE(instrumentState() != off, acts);
    }

    // The page shows in the help panel's hidden page number; the power makes no difference, and
    // once the panel is closed nothing of the instrument has changed.
    void rightClickOpensHelpPage_data() {
        pictureTable();
        QTest::newRow("POWER") << PANEL_POWERBUTTON << 1 << true;
        QTest::newRow("SAIR") << PANEL_QUITBUTTON << 7 << true;
    }
    void rightClickOpensHelpPage() {
        QFETCH(int, picture);
        QFETCH(int, page);
        for (const int power : {0, 1}) {
            Ligado = power;
            const auto before = instrumentState();
            EngineSendEvent(Painel_Principal, picture, EVENT_RIGHT_CLICK);
            const int help = EngineTopPopup();
            QVERIFY(help > 0);
            QCOMPARE(EnginePopupDepth(), 1);
            QCOMPARE(constantName(help, AJUDA_OP_NUM), std::string("OP_NUM"));
            QCOMPARE(value<int>(help, AJUDA_OP_NUM), page);
            EngineSendEvent(help, AJUDA_FECHA_AJU, EVENT_COMMIT);
            QVERIFY2(instrumentState() == before, "a right click changed a setting");
            QCOMPARE(Ligado, power);
        }
    }

    void voltsDivChoiceSetsScaleAndOneMark_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("step");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QString>("mark");
        QTest::newRow("CH I 20 V") << 0 << 0 << 0.125F << "VOLTDIV1_1";
        QTest::newRow("CH I 10 mV") << 0 << 10 << 250.0F << "VOLTDIV1_11";
        QTest::newRow("CH I 5 mV") << 0 << 11 << 500.0F << "VOLTDIV1_12";
        QTest::newRow("CH II 20 V") << 1 << 0 << 0.125F << "VOLTDIV2_1";
        QTest::newRow("CH II .1 V") << 1 << 7 << 25.0F << "VOLTDIV2_8";
    }
    void voltsDivChoiceSetsScaleAndOneMark() {
        QFETCH(int, channel);
        QFETCH(int, step);
        QFETCH(float, scale);
        QFETCH(QString, mark);
        const int dialog = open(channel == 0 ? PANEL_VOLTDIV1 : PANEL_VOLTDIV2);
        QVERIFY(dialog > 0);
        turn(dialog, PANELVOLT_LISTAVOLT, 4); // some other mark lit first
        turn(dialog, PANELVOLT_LISTAVOLT, step);
        QCOMPARE(Esc_VoltID[channel], step);
        QCOMPARE(Esc_Volt[channel], scale);
        QCOMPARE(Esc_VoltID[1 - channel], 4);
        QStringList lit;
        for (int id : controlsNamed(Painel_Principal, channel == 0 ? "VOLTDIV1_" : "VOLTDIV2_")) {
            if (attribute(Painel_Principal, id, ATTR_VISIBLE) == 1) {
                lit << QString::fromStdString(constantName(Painel_Principal, id));
            }
        }
        QCOMPARE(lit, QStringList{mark});
        QCOMPARE(EngineTopPopup(), dialog); // stays open for the next choice
    }

    void voltsDivDialogOpensOnItsChannelStep_data() {
        QTest::addColumn<int>("channel");
        QTest::newRow("CH I") << 0;
        QTest::newRow("CH II") << 1;
    }
    void voltsDivDialogOpensOnItsChannelStep() {
        QFETCH(int, channel);
        Esc_VoltID[0] = 2;
        Esc_VoltID[1] = 9;
        Canal = 1 - channel;
        const int dialog = open(channel == 0 ? PANEL_VOLTDIV1 : PANEL_VOLTDIV2);
        QVERIFY(dialog > 0);
        QCOMPARE(Canal, channel);
        int count = 0;
        GetNumListItems(dialog, PANELVOLT_LISTAVOLT, &count);
        QCOMPARE(count, vantrel::kVoltSteps);
        std::string first;
        std::string last;
        GetLabelFromIndex(dialog, PANELVOLT_LISTAVOLT, 0, &first);
        GetLabelFromIndex(dialog, PANELVOLT_LISTAVOLT, count - 1, &last);
        QCOMPARE(first + "|" + last, std::string("20 V|5 mV"));
        QCOMPARE(value<int>(dialog, PANELVOLT_LISTAVOLT), Esc_VoltID[channel]);
        EngineSendEvent(dialog, PANELVOLT_SAIR_VOLT, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
    }

    void calibrationKnobLightsCalOnlyAtOne_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("indicator");
        QTest::addColumn<double>("knob");
        QTest::addColumn<double>("factor");
        QTest::newRow("CH I at 1.0") << PANEL_PICTURE_8 << PANEL_CAL1_TEXT << 1.0 << 1.0;
        QTest::newRow("CH I at 1.01") << PANEL_PICTURE_8 << PANEL_CAL1_TEXT << 1.01 << 0.99;
        QTest::newRow("CH I at 1.4") << PANEL_PICTURE_8 << PANEL_CAL1_TEXT << 1.4 << 0.6;
        QTest::newRow("CH II at 1.0") << PANEL_PICTURE_9 << PANEL_CAL2_TEXT << 1.0 << 1.0;
        QTest::newRow("CH II at 1.25") << PANEL_PICTURE_9 << PANEL_CAL2_TEXT << 1.25 << 0.75;
        QTest::newRow("time base at 1.0") << PANEL_PICTURE_2 << PANEL_CAL_TEXT << 1.0 << 1.0;
        QTest::newRow("time base at 1.4") << PANEL_PICTURE_2 << PANEL_CAL_TEXT << 1.4 << 0.6;
    }
    void calibrationKnobLightsCalOnlyAtOne() {
        QFETCH(int, picture);
        QFETCH(int, indicator);
        QFETCH(double, knob);
        QFETCH(double, factor);
        const bool timeBase = picture == PANEL_PICTURE_2;
        const bool calibrated = factor == 1.0;
        const int control = timeBase ? P_CAL_X_XCAL : YCAL1_YCAL;
        const int led = timeBase ? P_CAL_X_LED : YCAL1_LED;
        double &state = timeBase ? calib : y_calib[picture == PANEL_PICTURE_8 ? 0 : 1];
        const int dialog = open(picture);
        QCOMPARE(dialog, timeBase                     ? Painel_CalibX
                         : picture == PANEL_PICTURE_8 ? Painel_YcalI
                                                      : Painel_YcalII);
        // Start from the opposite look, so that every check below can fail.
        state = 0.5;
        SetCtrlVal(dialog, led, calibrated ? 0 : 1);
        SetCtrlAttribute(Painel_Principal, indicator, ATTR_DIMMED, calibrated ? 1 : 0);
        for (int change = 1; change <= 2; ++change) { // each landing on 1.0 beeps
            const int beeps = EngineBeepCount();
            turn(dialog, control, knob);
            QCOMPARE(state, factor);
            QCOMPARE(EngineBeepCount() - beeps, calibrated ? 1 : 0);
        }
        QCOMPARE(value<int>(dialog, led), calibrated ? 1 : 0);
        QCOMPARE(dimmed(indicator), calibrated ? 0 : 1);
        static_assert(P_CAL_X_SAIR_XPOS == YCAL1_SAIR_XPOS);
        EngineSendEvent(dialog, YCAL1_SAIR_XPOS, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
        QCOMPARE(value<double>(dialog, control), knob); // kept loaded, knob where it was left
    }

    void dualAndAddExcludeEachOther_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("dual");
        QTest::addColumn<int>("add");
        const int d = PANEL_CANA_BUTTON_DUAL;
        const int a = PANEL_CANA_BUTTON_ADD;
        QTest::newRow("ADD releases DUAL") << d << a << 0 << 1;
        QTest::newRow("DUAL releases ADD") << a << d << 1 << 0;
        QTest::newRow("DUAL pressed twice") << d << d << 0 << 0;
        QTest::newRow("ADD pressed twice") << a << a << 0 << 0;
    }
    void dualAndAddExcludeEachOther() {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, dual);
        QFETCH(int, add);
        QCOMPARE(open(PANEL_PICTURE_CANAIS), Painel_Canais);
        EngineSendEvent(Painel_Canais, first, EVENT_COMMIT);
        EngineSendEvent(Painel_Canais, second, EVENT_COMMIT);
        QCOMPARE(dual_op, dual);
        QCOMPARE(add_op, add);
        QCOMPARE(value<int>(Painel_Canais, PANEL_CANA_BUTTON_DUAL), dual);
        QCOMPARE(value<int>(Painel_Canais, PANEL_CANA_BUTTON_ADD), add);
        QCOMPARE(dimmed(PANEL_DUAL_TEXT), 1 - dual);
        QCOMPARE(dimmed(PANEL_ADD_TEXT), 1 - add);
    }

    // The wheel over the mode keys steps CH I, CH II, DUAL, DUAL alternating, ADD through the
    // keys' own callbacks: dialog keys, state, lamps and the picture's pressed keys agree.
    void modeKeysStepWithTheWheel_data() {
        QTest::addColumn<int>("before"); // notches from CH I that set the starting mode
        QTest::addColumn<int>("notches");
        QTest::addColumn<int>("ch2");
        QTest::addColumn<int>("dual");
        QTest::addColumn<int>("add");
        QTest::addColumn<int>("vert");
        QTest::newRow("CH I to CH II") << 0 << 1 << 1 << 0 << 0 << 0;
        QTest::newRow("CH I to DUAL") << 0 << 2 << 0 << 1 << 0 << 0;
        QTest::newRow("CH II to DUAL keeps CH II") << 1 << 1 << 1 << 1 << 0 << 0;
        QTest::newRow("DUAL to alternating") << 2 << 1 << 0 << 1 << 0 << 1;
        QTest::newRow("alternating to ADD") << 3 << 1 << 0 << 0 << 1 << 0;
        QTest::newRow("ADD back to DUAL") << 4 << -2 << 0 << 1 << 0 << 0;
        QTest::newRow("stops at ADD") << 4 << 3 << 0 << 0 << 1 << 0;
        QTest::newRow("stops at CH I") << 0 << -1 << 0 << 0 << 0 << 0;
    }
    void modeKeysStepWithTheWheel() {
        QFETCH(int, before);
        QFETCH(int, notches);
        QFETCH(int, ch2);
        QFETCH(int, dual);
        QFETCH(int, add);
        QFETCH(int, vert);
        const Modes want{ch2, dual, add, vert};
        SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG, 0);
        for (int lamp : {PANEL_CH_TEXT, PANEL_DUAL_TEXT, PANEL_ADD_TEXT, PANEL_VERT_TEXT}) {
            SetCtrlAttribute(Painel_Principal, lamp, ATTR_DIMMED, 1);
        }
        mostra_frontal();
        canais_fn(Painel_Principal, PANEL_PICTURE_CANAIS, EVENT_MOUSE_WHEEL, nullptr, before, 0);
        Ligado = 0;
        const std::vector<double> off = instrumentState();
        canais_fn(Painel_Principal, PANEL_PICTURE_CANAIS, EVENT_MOUSE_WHEEL, nullptr, 1, 0);
        QCOMPARE(instrumentState(), off);
        Ligado = 1;
        canais_fn(Painel_Principal, PANEL_PICTURE_CANAIS, EVENT_MOUSE_WHEEL, nullptr, notches, 0);
        QCOMPARE(
            (Modes{value<int>(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG), dual_op, add_op, vert_op}),
            want);
        QCOMPARE((Modes{1 - dimmed(PANEL_CH_TEXT), 1 - dimmed(PANEL_DUAL_TEXT),
                        1 - dimmed(PANEL_ADD_TEXT), 1 - dimmed(PANEL_VERT_TEXT)}),
                 want);
        QCOMPARE(attribute(Painel_Principal, PANEL_PICTURE_CANAIS, ATTR_PRESSED_KEYS),
                 want.ch2 | want.dual << 1 | want.add << 2 | want.vert << 3);
        QCOMPARE(EngineTopPopup(), 0);
    }

    // Ctrl turns a continuous knob by a tenth of its step, (0, 1), and reports the whole step
    // every tenth notch, (1, 1), which a continuous knob also takes as a tenth. A stepped knob
    // moves only on the whole step. A caller giving whole steps alone, (1, 0), is a plain notch.
    void ctrlTurnsContinuousKnobsByTenths_data() {
        QTest::addColumn<int>("knob");
        for (int k = 0; k < int(std::size(kKnobs)); ++k) {
            QTest::newRow(kKnobs[k].name) << k;
        }
    }
    void ctrlTurnsContinuousKnobsByTenths() {
        QFETCH(int, knob);
        const Knob &k = kKnobs[knob];
        const int panel = k.picture == GERADOR_PICTURE_4 || k.picture == GERADOR_PICTURE_FASE
                              ? Painel_Gerador
                              : Painel_Principal;
        const auto change = [&](int steps, int tenths) {
            const double was = k.read();
            k.callback(panel, k.picture, EVENT_MOUSE_WHEEL, nullptr, steps, tenths);
            return k.read() - was;
        };
        change(-1000, -10000); // from the low end, with room for two steps up
        const double tenth = change(0, 1);
        const double tenthNotch = change(1, 1);
        const double back = change(0, -2);
        const double plain = change(1, 10);
        QVERIFY(plain > 0.0);
        QCOMPARE(change(1, 0), plain);
        const double fine = k.continuous ? plain / 10.0 : 0.0;
        // FOCUS is held in single precision.
        QVERIFY(std::abs(tenth - fine) < 1e-6);
        QVERIFY(std::abs(tenthNotch - (k.continuous ? fine : plain)) < 1e-6);
        QVERIFY(std::abs(back + 2.0 * fine) < 1e-6);
    }

    void confirmedSourceIsNamedOnMainPanel_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("name");
        QTest::newRow("CH I Cal 0.2V") << 0 << 3 << "Cal 0.2Vpp";
        QTest::newRow("CH II Cal 2V") << 1 << 4 << "Cal 2Vpp";
        QTest::newRow("CH I off again") << 0 << 0 << "Desligado";
        QTest::newRow("CH II generator") << 1 << 1 << "Gerador";
        QTest::newRow("CH I spreadsheet") << 0 << 2 << "Excel";
    }
    void confirmedSourceIsNamedOnMainPanel() {
        QFETCH(int, channel);
        QFETCH(int, source);
        QFETCH(QString, name);
        const int string = channel == 0 ? PANEL_STRING_CH1 : PANEL_STRING_CH2;
        const int other = channel == 0 ? PANEL_STRING_CH2 : PANEL_STRING_CH1;
        ChIN[0] = ChIN[1] = 2;
        geradorID = CanalE = 1 - channel;
        SetCtrlVal(Painel_Principal, string, "Excel");
        const int dialog = open(channel == 0 ? PANEL_PICTURE_18 : PANEL_PICTURE_19);
        QVERIFY(dialog > 0);
        QCOMPARE(value<int>(dialog, ENTRADAS_ENTRADA), 2); // the current source preselected
        SetCtrlVal(dialog, ENTRADAS_ENTRADA, source);
        EngineSendEvent(dialog, ENTRADAS_CONTINUAR, EVENT_COMMIT);
        QCOMPARE(ChIN[channel], source);
        QCOMPARE(ChIN[1 - channel], 2);
        QCOMPARE(QString::fromStdString(value<std::string>(Painel_Principal, string)), name);
        QCOMPARE(value<std::string>(Painel_Principal, other), std::string("Desligado"));
        // Only the generator of the chosen channel, or the data link for it, follows.
        if (source == 1) {
            QCOMPARE(geradorID, channel);
            QCOMPARE(EnginePanelShown(Painel_Gerador), 1);
            QCOMPARE(EnginePopupDepth(), 0);
        } else if (source == 2) {
            QCOMPARE(CanalE, channel);
            QVERIFY(EngineTopPopup() != dialog);
        } else {
            QCOMPARE(EngineTopPopup(), 0);
        }
    }

    void cancelledSourceLeavesChannel() {
        ChIN[1] = 3;
        SetCtrlVal(Painel_Principal, PANEL_STRING_CH2, "Cal 0.2Vpp");
        const int dialog = open(PANEL_PICTURE_19);
        QVERIFY(dialog > 0);
        SetCtrlVal(dialog, ENTRADAS_ENTRADA, 4);
        EngineSendEvent(dialog, ENTRADAS_CANCELAR, EVENT_COMMIT);
        QCOMPARE(ChIN[1], 3);
        QCOMPARE(value<std::string>(Painel_Principal, PANEL_STRING_CH2), std::string("Cal 0.2Vpp"));
        QCOMPARE(EngineTopPopup(), 0);
    }

    void sourceDialogOpensBesideMouse_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("shift");
        QTest::newRow("CH I at the mouse") << PANEL_PICTURE_18 << 0;
        QTest::newRow("CH II left of the mouse") << PANEL_PICTURE_19 << 253;
    }
    void sourceDialogOpensBesideMouse() {
        QFETCH(int, picture);
        QFETCH(int, shift);
        int x = 0;
        int y = 0;
        GetRelativeMouseState(Painel_Principal, 0, &x, &y, nullptr, nullptr, nullptr);
        const int dialog = open(picture);
        QVERIFY(dialog > 0);
        int top = 0;
        int left = 0;
        GetPanelAttribute(dialog, ATTR_TOP, &top);
        GetPanelAttribute(dialog, ATTR_LEFT, &left);
        QCOMPARE(top, y);
        QCOMPARE(left, x - shift);
    }

    // Each channel's coupling dialog opens on that channel's coupling, not the last one set.
    void couplingDialogShowsItsChannelCoupling() {
        const int first = open(PANEL_PICTURE_10);
        QVERIFY(first > 0);
        turn(first, ENTR1_ENT, 2);
        QCOMPARE(entrada_op[0], 2);
        QCOMPARE(canais_op[0], 0);
        EngineSendEvent(first, ENTR1_SAIR_canais, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
        const int second = open(PANEL_PICTURE_11);
        turn(second, ENTR2_ENT, 0);
        QCOMPARE(entrada_op[1], 0);
        QCOMPARE(canais_op[1], 1);
        EngineSendEvent(second, ENTR2_SAIR_canais, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
        QCOMPARE(entrada_op[0], 2);
        QCOMPARE(value<int>(open(PANEL_PICTURE_10), ENTR1_ENT), 2);
    }

    void xyFirstClickErasesEveryTrace() {
        for (int t = 0; t < 4; ++t) {
            plot_onda[t] = PlotWaveform(Painel_Principal, PANEL_MOSTRAR, onda[t % 3],
                                        vantrel::kSamples, VAL_DOUBLE, 1.0, 0.0, -300.0, 1.0,
                                        VAL_THIN_LINE, VAL_NO_POINT, VAL_SOLID, 1, OPCAO_INTENS);
            plot_exist[t] = 1;
        }
        xC1 = 123.0;
        xC2 = 45.0;
        open(PANEL_PICTURE_12);
        QCOMPARE(modoxy, 1);
        QCOMPARE(attribute(Painel_Principal, PANEL_MOSTRAR, ATTR_PLOT_COUNT), 0);
        for (int t = 0; t < 4; ++t) {
            QCOMPARE(plot_exist[t], 0);
        }
        QCOMPARE(xC1, 0.0);
        QCOMPARE(xC2, 0.0);
        QCOMPARE(dimmed(PANEL_XY_TEXT), 0);
        // Leaving X-Y keeps the phases and only dims the indicator.
        xC1 = 7.0;
        open(PANEL_PICTURE_12);
        QCOMPARE(modoxy, 0);
        QCOMPARE(xC1, 7.0);
        QCOMPARE(dimmed(PANEL_XY_TEXT), 1);
    }

    void intensitySetsTraceColour_data() {
        QTest::addColumn<int>("intensity");
        QTest::addColumn<int>("colour");
        QTest::newRow("0") << 0 << MakeColor(45, 165, 145);
        QTest::newRow("5") << 5 << MakeColor(25, 210, 200);
        QTest::newRow("10") << 10 << MakeColor(5, 255, 255);
    }
    void intensitySetsTraceColour() {
        QFETCH(int, intensity);
        QFETCH(int, colour);
        intens_val = 3;
        const int dialog = open(PANEL_PICTURE_4);
        QVERIFY(dialog > 0);
        QCOMPARE(value<int>(dialog, INTENS_INTENS_BT), 3); // opens where it was left
        turn(dialog, INTENS_INTENS_BT, intensity);
        QCOMPARE(intens_val, intensity);
        QCOMPARE(OPCAO_INTENS, colour);
        EngineSendEvent(dialog, INTENS_SAIR_INTENS, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
    }

    void focusSetsLineWidth_data() {
        QTest::addColumn<double>("focus");
        QTest::addColumn<int>("style");
        QTest::newRow("-4 thick") << -4.0 << int(VAL_FAT_LINE);
        QTest::newRow("-2 thin") << -2.0 << int(VAL_THIN_LINE);
        QTest::newRow("0 thin") << 0.0 << int(VAL_THIN_LINE);
        QTest::newRow("+2 thin") << 2.0 << int(VAL_THIN_LINE);
        QTest::newRow("+4 thick") << 4.0 << int(VAL_FAT_LINE);
        QTest::newRow("+10 thick") << 10.0 << int(VAL_FAT_LINE);
    }
    void focusSetsLineWidth() {
        QFETCH(double, focus);
        QFETCH(int, style);
        focus_val = 6.0F;
        OPCAO_FOCUS = style == VAL_THIN_LINE ? VAL_FAT_LINE : VAL_THIN_LINE;
        const int dialog = open(PANEL_PICTURE_3);
        QVERIFY(dialog > 0);
        QCOMPARE(value<double>(dialog, FOCUS_FOCUS_BT), 6.0); // opens where it was left
        turn(dialog, FOCUS_FOCUS_BT, focus);
        QCOMPARE(double(focus_val), focus);
        QCOMPARE(OPCAO_FOCUS, style);
        // The screen's beam blurs by the knob's distance from its centre, at once.
        const auto *screen =
            qobject_cast<GraphWidget *>(EngineControlWidget(Painel_Principal, PANEL_MOSTRAR));
        QVERIFY(screen != nullptr);
        QCOMPARE(screen->beamFocus(), std::abs(focus) / 10.0);
        EngineSendEvent(dialog, FOCUS_SAIR_FOCUS, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
    }

    // The slide selectors go to the position clicked, or one position per wheel notch (a
    // notch away from the user moves the lever up), and stop at their ends.
    void selectorsMoveByClickAndWheel_data() {
        QTest::addColumn<bool>("tvsepSelector");
        QTest::addColumn<int>("event");
        QTest::addColumn<int>("data"); // y of the click, or notches
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("TRIG click on HF") << false << int(EVENT_LEFT_CLICK) << 52 << 0 << 2;
        QTest::newRow("TRIG click below ~") << false << int(EVENT_LEFT_CLICK) << 103 << 1 << 4;
        QTest::newRow("TRIG wheel down") << false << int(EVENT_MOUSE_WHEEL) << -1 << 2 << 3;
        QTest::newRow("TRIG wheel past AC") << false << int(EVENT_MOUSE_WHEEL) << 3 << 1 << 0;
        QTest::newRow("TV SEP click on V") << true << int(EVENT_LEFT_CLICK) << 66 << 0 << 2;
        QTest::newRow("TV SEP wheel up") << true << int(EVENT_MOUSE_WHEEL) << 1 << 1 << 0;
    }
    void selectorsMoveByClickAndWheel() {
        QFETCH(bool, tvsepSelector);
        QFETCH(int, event);
        QFETCH(int, data);
        QFETCH(int, from);
        QFETCH(int, to);
        int &position = tvsepSelector ? tvsep : trig_acopl;
        const int picture = tvsepSelector ? PANEL_PICTURE_20 : PANEL_TRIG;
        const auto callback = tvsepSelector ? tvsep_fn : Trig_btn;
        position = from;
        Ligado = 0;
        callback(Painel_Principal, picture, event, nullptr, data, 30);
        QCOMPARE(position, from);
        Ligado = 1;
        callback(Painel_Principal, picture, event, nullptr, data, 30);
        QCOMPARE(position, to);
        if (!tvsepSelector) {
            std::string shown;
            GetCtrlVal(Painel_Principal, PANEL_TRIG_TEXT, &shown);
            QCOMPARE(shown, std::string(to == 4 ? "~" : std::array{"AC", "DC", "HF", "LF"}[to]));
        }
    }

    // The EXT source dialog connects what is confirmed and lights EXT; cancelled, nothing.
    void externalTriggerSourceIsConfirmed() {
        int dialog = open(PANEL_EXT_TRIG);
        QVERIFY(dialog > 0);
        turn(dialog, EXTERNO_FONTE, 2);
        EngineSendEvent(dialog, EXTERNO_CANCELAR, EVENT_COMMIT);
        QCOMPARE(trig_ext, 0);
        QCOMPARE(EngineTopPopup(), 0);
        dialog = open(PANEL_EXT_TRIG);
        turn(dialog, EXTERNO_FONTE, 2);
        EngineSendEvent(dialog, EXTERNO_CONTINUAR, EVENT_COMMIT);
        QCOMPARE(trig_ext, 2);
        QCOMPARE(dimmed(PANEL_EXT_TEXT), 0);
        QCOMPARE(EngineTopPopup(), 0);
        QCOMPARE(value<int>(open(PANEL_EXT_TRIG), EXTERNO_FONTE), 2);
        // The SYNC outputs are always offered; the board's points while a channel probes it.
        int items = 0;
        GetNumListItems(EngineTopPopup(), EXTERNO_FONTE, &items);
        QCOMPARE(items, 7);
        DiscardPanel(EngineTopPopup());
        ChIN[1] = 5;
        placa_tipo = 1;
        dialog = open(PANEL_EXT_TRIG);
        GetNumListItems(dialog, EXTERNO_FONTE, &items);
        QCOMPARE(items, 7 + 3);
        turn(dialog, EXTERNO_FONTE, 7);
        EngineSendEvent(dialog, EXTERNO_CONTINUAR, EVENT_COMMIT);
        QCOMPARE(trig_ext, 7);
        std::string tip;
        GetCtrlAttribute(Painel_Principal, PANEL_EXT_TRIG, ATTR_TOOLTIP_TEXT, &tip);
        QCOMPARE(tip, std::string("TRIG. EXT. INP.: Placa: Passa-baixo: Entrada"));
    }

    // HOLD OFF: its dialog's knob and the wheel over the picture set it, kept to 0 .. 10, and
    // its pointer follows.
    void holdoffFollowsKnobAndWheel() {
        double angle = 0.0;
        GetCtrlAttribute(Painel_Principal, PANEL_HOLDOFF, ATTR_POINTER_ANGLE, &angle);
        const int dialog = open(PANEL_HOLDOFF);
        turn(dialog, HOLDOFF_HOLDOFF_BT, 3.5);
        QCOMPARE(holdoff, 3.5);
        double turned = 0.0;
        GetCtrlAttribute(Painel_Principal, PANEL_HOLDOFF, ATTR_POINTER_ANGLE, &turned);
        QVERIFY(turned > angle);
        EngineSendEvent(dialog, HOLDOFF_SAIR_HOLDOFF, EVENT_COMMIT);
        holdoff_btn(Painel_Principal, PANEL_HOLDOFF, EVENT_MOUSE_WHEEL, nullptr, 2, 0);
        QCOMPARE(holdoff, 4.5);
        holdoff_btn(Painel_Principal, PANEL_HOLDOFF, EVENT_MOUSE_WHEEL, nullptr, 40, 0);
        QCOMPARE(holdoff, 10.0);
    }

    // The COMPONENT key shows the V-I figure in place of the traces; pressed again, the
    // display comes back exactly as it was.
    void testerKeyTwiceRestoresDisplay() {
        dual_op = 1;
        SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_DUAL, 1);
        Actualizar(Painel_Principal, PANEL_TIMER_P, EVENT_TIMER_TICK, nullptr, 0, 0);
        const auto before = instrumentState();
        QCOMPARE(plot_exist[0] + plot_exist[1], 2);
        component_btn(Painel_Principal, PANEL_COMPONENT, EVENT_LEFT_CLICK, nullptr, 50, 20);
        QCOMPARE(testador, 1);
        QCOMPARE(dimmed(PANEL_COMP_TEXT), 0);
        QCOMPARE(attribute(Painel_Principal, PANEL_COMPONENT, ATTR_PRESSED_KEYS), 1);
        Actualizar(Painel_Principal, PANEL_TIMER_P, EVENT_TIMER_TICK, nullptr, 0, 0);
        QCOMPARE(attribute(Painel_Principal, PANEL_MOSTRAR, ATTR_PLOT_COUNT), 1);
        QCOMPARE(plot_exist[3], 1);
        component_btn(Painel_Principal, PANEL_COMPONENT, EVENT_LEFT_CLICK, nullptr, 50, 20);
        Actualizar(Painel_Principal, PANEL_TIMER_P, EVENT_TIMER_TICK, nullptr, 0, 0);
        QVERIFY(instrumentState() == before);
        SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_DUAL, 0);
    }

    // The TEST sockets' dialog: a value that is not one, or out of range, is refused with a
    // message naming it and the dialog stays; a good one connects the component.
    void testerDialogChecksValues_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("resistor 4,7k") << 2 << "4,7k"
                                       << "" << true;
        QTest::newRow("letters") << 2 << "abc"
                                 << "" << false;
        QTest::newRow("zero ohm") << 2 << "0"
                                  << "" << false;
        QTest::newRow("20 Mohm, out of range") << 2 << "20M"
                                               << "" << false;
        QTest::newRow("RC, bad capacitor") << 5 << "1k"
                                           << "x" << false;
        QTest::newRow("RC") << 5 << "1k"
                            << "470n" << true;
        QTest::newRow("diode 0.6 V") << 6 << "0.6"
                                     << "" << true;
    }
    void testerDialogChecksValues() {
        QFETCH(int, kind);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, accepted);
        Ligado = 1;
        component_btn(Painel_Principal, PANEL_COMPONENT, EVENT_LEFT_CLICK, nullptr, 50, 100);
        const int dialog = EngineTopPopup();
        QVERIFY(dialog > 0);
        QCOMPARE(testador, 0); // the sockets do not switch the tester
        turn(dialog, TESTER_COMPONENTE, kind);
        SetCtrlVal(dialog, TESTER_VALOR, first.toUtf8().constData());
        SetCtrlVal(dialog, TESTER_VALOR2, second.toUtf8().constData());
        const auto before = instrumentState();
        const int messages = EnginePopupCount();
        EngineSendEvent(dialog, TESTER_CONFIRMAR, EVENT_COMMIT);
        if (accepted) {
            QCOMPARE(testador_comp, kind);
            QCOMPARE(EngineTopPopup(), 0);
            QCOMPARE(EnginePopupCount(), messages);
        } else {
            QVERIFY(instrumentState() == before);
            QCOMPARE(EnginePopupCount(), messages + 1);
            QVERIFY(EngineLastPopupMessage().find("Nada foi alterado") != std::string::npos);
        }
    }

    void unloadableDialogOpensNothing_data() {
        QTest::addColumn<int>("picture");
        for (int p :
             {PANEL_VOLTDIV1, PANEL_VOLTDIV2, PANEL_PICTURE_6, PANEL_PICTURE_7, PANEL_TIMEDIV,
              PANEL_PICTURE_10, PANEL_PICTURE_11, PANEL_PICTURE_18, PANEL_PICTURE_19,
              PANEL_PICTURE_14, PANEL_PICTURE_4, PANEL_PICTURE_3, PANEL_EXT_TRIG, PANEL_HOLDOFF}) {
            QTest::newRow(constantName(Painel_Principal, p).c_str()) << p;
        }
    }
    void unloadableDialogOpensNothing() {
        QFETCH(int, picture);
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        EngineSetResourceDir(empty.path().toUtf8().constData());
        Canal = 1; // so that a CH I dialog that set it before failing would show
        const auto before = instrumentState();
        QCOMPARE(EngineSendEvent(Painel_Principal, picture, EVENT_LEFT_CLICK), -1);
        QVERIFY2(instrumentState() == before, "a failed opening changed the state");
    }
};

int main(int argc, char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    RegisterInstrumentCallbacks();
    ControlsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_controls.moc"

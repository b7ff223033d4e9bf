#include "sim/refresh.h"

#include "app/state.h"
#include "controls/scale_tables.h"
#include "engine/engine.h"
#include "help/help.h"
#include "sim/sampling.h"
#include "ui/uir_constants.h"

#include <array>

namespace {

constexpr int kTraces = 4;
constexpr int kXYTrace = 4;
constexpr int kAddTrace = 3;

/// Refresh interval of the single-trace, ADD and simultaneous DUAL modes, seconds.
constexpr double kSteadyInterval = 0.1;
/// Alternating DUAL: as fast as the timer allows, so that both traces seem steady.
constexpr double kAlternatingInterval = 1e-05;
/// X-Y: one period of CH I, but never slower than this, seconds.
constexpr double kSlowestXYInterval = 1.0;
/// X range of the screen in X-Y mode.
constexpr double kXYRange = 12.5;

/// Help page of the power switch.
constexpr int kPowerHelpPage = 1;

/// Read-outs and lamp labels that show only while the instrument is on, in the order they
/// are switched.
constexpr std::array kPowerIndicators{
    PANEL_TIME_INFO, PANEL_VOLT_INFO_1, PANEL_VOLT_INFO_2, PANEL_CH_TEXT,   PANEL_DUAL_TEXT,
    PANEL_ADD_TEXT,  PANEL_VERT_TEXT,   PANEL_AC1_TEXT,    PANEL_DC1_TEXT,  PANEL_GND1_TEXT,
    PANEL_AC2_TEXT,  PANEL_DC2_TEXT,    PANEL_GND2_TEXT,   PANEL_CAL1_TEXT, PANEL_CAL2_TEXT,
    PANEL_CAL_TEXT,  PANEL_SLOPE_TEXT,  PANEL_ATNORM_TEXT, PANEL_XY_TEXT,   PANEL_INV1_TEXT,
    PANEL_INV2_TEXT, PANEL_XMAG_TEXT,
};
constexpr std::array kCouplingLamps{PANEL_AC1, PANEL_DC1, PANEL_GND1,
                                    PANEL_AC2, PANEL_DC2, PANEL_GND2};

void eraseAll() {
    for (int n = 1; n <= kTraces; ++n) {
        apagar(n);
    }
}

void setRefreshInterval(double seconds) {
    SetCtrlAttribute(Painel_Principal, PANEL_TIMER_P, ATTR_INTERVAL, seconds);
}

void setXRange(double min, double max) {
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_XAXIS, VAL_MANUAL, min, max);
}

void switchOn() {
    Ligado = 1;
    ver_desc(1);
    // The time base and the vertical scales get their values before the first refresh.
    act_timediv_sig(Esc_TempoID);
    act_voltdiv_sig(Esc_VoltID[0], 0);
    act_voltdiv_sig(Esc_VoltID[1], 1);
    SetCtrlVal(Painel_Principal, PANEL_LEDPOWER, 1);
}

void switchOff() {
    Ligado = 0;
    ver_desc(0);
    eraseAll();
    // Step -1 hides the pointer marks and keeps the chosen steps for the next power-on.
    act_timediv_sig(-1);
    act_voltdiv_sig(-1, 0);
    act_voltdiv_sig(-1, 1);
    SetCtrlVal(Painel_Principal, PANEL_LEDPOWER, 0);
}

void writeReadouts() {
    SetCtrlVal(Painel_Principal, PANEL_TIME_INFO, TimeStepLabel(Esc_TempoID));
    SetCtrlVal(Painel_Principal, PANEL_VOLT_INFO_1, VoltStepLabel(Esc_VoltID[0]));
    SetCtrlVal(Painel_Principal, PANEL_VOLT_INFO_2, VoltStepLabel(Esc_VoltID[1]));
}

/// The CH I/II switch of the channel-mode dialog: released triggers on CH I, pressed on CH II.
int switchedTriggerChannel() {
    int pressed = 0;
    GetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG, &pressed);
    return pressed + 1;
}

void sumTraces() {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        onda[2][i] = onda[0][i] + onda[1][i];
    }
}

/// Draws one trace per tick, CH II first. The trigger channel written here overrides the
/// CH I/II switch at the next tick, so each trace is triggered on its own signal.
void drawAlternating() {
    if (chop_ch == 1) {
        desenhar(1);
        chop_ch = 2;
        trigger_ch = 2;
    } else {
        desenhar(2);
        chop_ch = 1;
        trigger_ch = 1;
    }
}

/// Chooses the traces by display mode (first match wins) and sets the next refresh interval.
void drawMode() {
    if (modoxy == 1) {
        desenhar(kXYTrace);
    } else if (dual_op == 0 && add_op == 0) {
        setRefreshInterval(kSteadyInterval);
        eraseAll();
        desenhar(trigger_ch);
    } else if (dual_op == 0 && add_op == 1) {
        setRefreshInterval(kSteadyInterval);
        eraseAll();
        sumTraces();
        desenhar(kAddTrace);
    } else if (dual_op == 1 && add_op == 0 && vert_op == 0) {
        setRefreshInterval(kSteadyInterval);
        eraseAll();
        desenhar(1);
        desenhar(2);
    } else if (dual_op == 1 && add_op == 0 && vert_op == 1) {
        setRefreshInterval(kAlternatingInterval);
        eraseAll();
        drawAlternating();
    }
}

void drawXY() {
    // One period of CH I per refresh, at most one second.
    const double v = freq[0] >= 1.0 ? freq[0] : 1.0;
    setRefreshInterval(kSlowestXYInterval / v);
    eraseAll();
    setXRange(-kXYRange, kXYRange);
    plot_onda[kXYTrace - 1] =
        PlotXY(Painel_Principal, PANEL_MOSTRAR, onda[0], onda[1], vantrel::kSamples, VAL_DOUBLE,
               VAL_DOUBLE, OPCAO_FOCUS, VAL_NO_POINT, VAL_SOLID, 1, OPCAO_INTENS);
    plot_exist[kXYTrace - 1] = 1;
}

void drawWaveform(int n) {
    const int t = n - 1;
    if (plot_exist[t] == 1) {
        DeleteGraphPlot(Painel_Principal, PANEL_MOSTRAR, plot_onda[t], VAL_IMMEDIATE_DRAW);
        plot_exist[t] = 0;
    }
    setXRange(minimo, maximo);
    // Hidden when a NORMAL trigger found no trigger point on this trace.
    if (canais_ver[t] != 1) {
        return;
    }
    plot_onda[t] =
        PlotWaveform(Painel_Principal, PANEL_MOSTRAR, onda[t], vantrel::kSamples, VAL_DOUBLE, 1.0,
                     0.0, atraso, xmag, OPCAO_FOCUS, VAL_NO_POINT, VAL_SOLID, 1, OPCAO_INTENS);
    plot_exist[t] = 1;
}

} // namespace

int Power_btn(int /*panel*/, int /*control*/, int event, void * /*callbackData*/,
              int /*eventData1*/, int /*eventData2*/) {
    if (event == EVENT_LEFT_CLICK) {
        if (Ligado == 0) {
            switchOn();
        } else {
            switchOff();
        }
    } else if (event == EVENT_RIGHT_CLICK) {
        help_O(kPowerHelpPage);
    }
    return 0;
}

void ver_desc(int on) {
    SetCtrlAttribute(Painel_Principal, PANEL_TIMER_P, ATTR_ENABLED, on);
    for (int control : kPowerIndicators) {
        SetCtrlAttribute(Painel_Principal, control, ATTR_VISIBLE, on);
    }
    // When switching on, the first refresh shows the selected coupling of each channel.
    if (on == 0) {
        for (int lamp : kCouplingLamps) {
            SetCtrlAttribute(Painel_Principal, lamp, ATTR_VISIBLE, 0);
        }
    }
}

int Actualizar(int /*panel*/, int /*control*/, int /*event*/, void * /*callbackData*/,
               int /*eventData1*/, int /*eventData2*/) {
    writeReadouts();
    // The trigger channel is the one the previous tick left: the CH I/II switch takes effect
    // one refresh later, and the alternating mode's own choice holds for its next trace.
    calc_onda(Esc_Tempo);
    trigger_ch = switchedTriggerChannel();
    drawMode();
    return 0;
}

int desenhar(int n) {
    if (n == kXYTrace) {
        drawXY();
    } else if (n >= 1 && n < kXYTrace) {
        drawWaveform(n);
    }
    return 0;
}

int apagar(int n) {
    if (n < 1 || n > kTraces) {
        return 0;
    }
    if (plot_exist[n - 1] == 1) {
        DeleteGraphPlot(Painel_Principal, PANEL_MOSTRAR, plot_onda[n - 1], VAL_IMMEDIATE_DRAW);
    }
    plot_exist[n - 1] = 0;
    return 0;
}

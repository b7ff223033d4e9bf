#include "sim/autostart.h"

#include "app/state.h"
#include "controls/scale_tables.h"
#include "engine/engine.h"
#include "generator/generator.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <array>
#include <string_view>

namespace {

/// The switches of one display mode.
struct ModeSetting {
    std::string_view name;
    int dual, add, vert, xy;
    bool bothChannels;
};

constexpr std::array<ModeSetting, 5> kModes{{
    {"ch", 0, 0, 0, 0, false},
    {"dual", 1, 0, 0, 0, true},
    {"alt", 1, 0, 1, 0, true},
    {"add", 0, 1, 0, 0, true},
    {"xy", 0, 0, 0, 1, true},
}};

constexpr int kOneMsPerDiv = 7;
constexpr int kOneVoltPerDiv = 4;
constexpr int kSourceGenerator = 1;
constexpr int kSourceCal2 = 4;
constexpr int kCouplingDC = 0;

void setIndicator(int control, int active) {
    SetCtrlAttribute(Painel_Principal, control, ATTR_DIMMED, active ? 0 : 1);
}

/// The channel-mode switches, their buttons in the channel-mode dialog and their lamps.
void setModeSwitches(const ModeSetting &m) {
    dual_op = m.dual;
    add_op = m.add;
    vert_op = m.vert;
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_DUAL, m.dual);
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_ADD, m.add);
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_VERT, m.vert);
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG, 0);
    setIndicator(PANEL_DUAL_TEXT, m.dual);
    setIndicator(PANEL_ADD_TEXT, m.add);
    setIndicator(PANEL_VERT_TEXT, m.vert);
    setIndicator(PANEL_CH_TEXT, 0);
    trigger_ch = 1;
    modoxy = m.xy;
    setIndicator(PANEL_XY_TEXT, m.xy);
    if (m.xy == 1) {
        xC1 = 0.0;
        xC2 = 0.0;
    }
}

/// X-Y shows a Lissajous figure: generator 1 on X, generator 2 on Y at twice its frequency,
/// both sines as start-up made them (100 Hz and 200 Hz, a figure of eight).
void setLissajousSources() {
    ChIN[0] = kSourceGenerator;
    ChIN[1] = kSourceGenerator;
    entrada_op[0] = kCouplingDC;
    entrada_op[1] = kCouplingDC;
    SetCtrlVal(Painel_Principal, PANEL_STRING_CH1, "Gerador");
    SetCtrlVal(Painel_Principal, PANEL_STRING_CH2, "Gerador");
    const int shown = geradorID;
    geradorID = 1;
    botao_freq[1] = 2.0 * botao_freq[0];
    botao_activo[1] = botao_activo[0];
    actual_ger();
    geradorID = shown;
}

void setSources(bool bothChannels) {
    ChIN[0] = kSourceCal2;
    entrada_op[0] = kCouplingDC;
    SetCtrlVal(Painel_Principal, PANEL_STRING_CH1, "Cal 2Vpp");
    if (bothChannels) {
        ChIN[1] = kSourceGenerator;
        SetCtrlVal(Painel_Principal, PANEL_STRING_CH2, "Gerador");
    }
}

} // namespace

int StartPoweredOn(const char *mode) {
    const std::string_view name = mode != nullptr ? mode : "";
    if (name == "off") {
        return 0;
    }
    for (const ModeSetting &m : kModes) {
        if (m.name != name) {
            continue;
        }
        setModeSwitches(m);
        if (m.xy == 1) {
            setLissajousSources();
        } else {
            setSources(m.bothChannels);
        }
        Esc_TempoID = kOneMsPerDiv;
        Esc_VoltID[0] = kOneVoltPerDiv;
        Esc_VoltID[1] = kOneVoltPerDiv;
        if (Ligado == 0) {
            Power_btn(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK, nullptr, 0, 0);
        } else {
            // Already on: make the new steps current as the dialogs would.
            act_timediv_sig(Esc_TempoID);
            act_voltdiv_sig(Esc_VoltID[0], 0);
            act_voltdiv_sig(Esc_VoltID[1], 1);
        }
        return 0;
    }
    return -1;
}

#include "controls/scale_tables.h"

#include "app/state.h"
#include "engine/engine.h"
#include "ui/uir_constants.h"

// The scale values are stored as constants: each is exact in single precision.
const std::array<VoltStep, vantrel::kVoltSteps> Esc_VoltTab{{
    {"20 V", 0.125F},
    {"10 V", 0.25F},
    {"5 V", 0.5F},
    {"2 V", 1.25F},
    {"1 V", 2.5F},
    {".5 V", 5.0F},
    {".2 V", 12.5F},
    {".1 V", 25.0F},
    {"50 mV", 50.0F},
    {"20 mV", 125.0F},
    {"10 mV", 250.0F},
    {"5 mV", 500.0F},
}};

const std::array<TimeStep, vantrel::kTimeSteps> Esc_TempoTab{{
    {".2 s", 1.0F},
    {".1 s", 2.0F},
    {"50 ms", 4.0F},
    {"20 ms", 10.0F},
    {"10 ms", 20.0F},
    {"5 ms", 40.0F},
    {"2 ms", 100.0F},
    {"1 ms", 200.0F},
    {".5 ms", 400.0F},
    {".2 ms", 1000.0F},
    {".1 ms", 2000.0F},
    {"50 us", 4000.0F},
    {"20 us", 10000.0F},
    {"10 us", 20000.0F},
    {"5 us", 40000.0F},
    {"2 us", 100000.0F},
    {"1 us", 200000.0F},
    {".5 us", 400000.0F},
}};

namespace {

/// The slowest time base, 0.8 x 0.2 s per division.
constexpr float kSlowestTimeBase = 0.16F;

// Pointer marks by step, matched by name. On the main panel the identifiers of VOLTDIV1_11 and
// VOLTDIV1_12 run opposite to their names, and TIMEDIV_18 lies apart from the other 17, so
// the marks are named here one per step rather than computed from the first identifier.
constexpr std::array<int, vantrel::kVoltSteps> kVoltMarksCh1{
    PANEL_VOLTDIV1_1, PANEL_VOLTDIV1_2,  PANEL_VOLTDIV1_3,  PANEL_VOLTDIV1_4,
    PANEL_VOLTDIV1_5, PANEL_VOLTDIV1_6,  PANEL_VOLTDIV1_7,  PANEL_VOLTDIV1_8,
    PANEL_VOLTDIV1_9, PANEL_VOLTDIV1_10, PANEL_VOLTDIV1_11, PANEL_VOLTDIV1_12,
};
constexpr std::array<int, vantrel::kVoltSteps> kVoltMarksCh2{
    PANEL_VOLTDIV2_1, PANEL_VOLTDIV2_2,  PANEL_VOLTDIV2_3,  PANEL_VOLTDIV2_4,
    PANEL_VOLTDIV2_5, PANEL_VOLTDIV2_6,  PANEL_VOLTDIV2_7,  PANEL_VOLTDIV2_8,
    PANEL_VOLTDIV2_9, PANEL_VOLTDIV2_10, PANEL_VOLTDIV2_11, PANEL_VOLTDIV2_12,
};
constexpr std::array<int, vantrel::kTimeSteps> kTimeMarks{
    PANEL_TIMEDIV_1,  PANEL_TIMEDIV_2,  PANEL_TIMEDIV_3,  PANEL_TIMEDIV_4,  PANEL_TIMEDIV_5,
    PANEL_TIMEDIV_6,  PANEL_TIMEDIV_7,  PANEL_TIMEDIV_8,  PANEL_TIMEDIV_9,  PANEL_TIMEDIV_10,
    PANEL_TIMEDIV_11, PANEL_TIMEDIV_12, PANEL_TIMEDIV_13, PANEL_TIMEDIV_14, PANEL_TIMEDIV_15,
    PANEL_TIMEDIV_16, PANEL_TIMEDIV_17, PANEL_TIMEDIV_18,
};

} // namespace

const std::array<int, vantrel::kVoltSteps> &VoltStepMarks(int channel) {
    return channel == 0 ? kVoltMarksCh1 : kVoltMarksCh2;
}

const std::array<int, vantrel::kTimeSteps> &TimeStepMarks() {
    return kTimeMarks;
}

namespace {

template <std::size_t N>
void hideMarks(const std::array<int, N> &marks) {
    for (int mark : marks) {
        SetCtrlAttribute(Painel_Principal, mark, ATTR_VISIBLE, 0);
    }
}

} // namespace

void act_voltdiv_sig(int step, int channel) {
    const int ch = channel == 0 ? 0 : 1;
    const auto &marks = ch == 0 ? kVoltMarksCh1 : kVoltMarksCh2;
    hideMarks(marks);
    if (step < 0 || step >= vantrel::kVoltSteps) {
        return;
    }
    SetCtrlAttribute(Painel_Principal, marks[step], ATTR_VISIBLE, 1);
    Esc_Volt[ch] = Esc_VoltTab[step].scale;
}

void act_timediv_sig(int step) {
    hideMarks(kTimeMarks);
    if (step < 0 || step >= vantrel::kTimeSteps) {
        return;
    }
    Esc_Tempo = kSlowestTimeBase / Esc_TempoTab[step].divisor;
    SetCtrlAttribute(Painel_Principal, kTimeMarks[step], ATTR_VISIBLE, 1);
}

const char *VoltStepLabel(int step) {
    return step >= 0 && step < vantrel::kVoltSteps ? Esc_VoltTab[step].label : "";
}

const char *TimeStepLabel(int step) {
    return step >= 0 && step < vantrel::kTimeSteps ? Esc_TempoTab[step].label : "";
}

#pragma once
/// The calibrated steps of the VOLTS/DIV and TIME/DIV knobs, and the two operations that make a
/// step current: they set the scale the sampling uses and show the knob's pointer mark.

#include <array>

/// Length of a step label slot, terminator included.
namespace vantrel {
inline constexpr int kLabelSlot = 20;
} // namespace vantrel

/// One VOLTS/DIV step: its label ("1 V") and its scale in screen units per volt
/// (2.5 units per division divided by the volts per division).
struct VoltStep {
    char label[vantrel::kLabelSlot];
    float scale;
};

/// One TIME/DIV step: its label ("20 ms") and the divisor of the slowest time base.
/// The step's time-base factor is 0.16 / divisor (0.8 x seconds per division).
struct TimeStep {
    char label[vantrel::kLabelSlot];
    float divisor;
};

namespace vantrel {
inline constexpr int kVoltSteps = 12;
inline constexpr int kTimeSteps = 18;
} // namespace vantrel

/// Steps 0 ("20 V") to 11 ("5 mV").
extern const std::array<VoltStep, vantrel::kVoltSteps> Esc_VoltTab;
/// Steps 0 (".2 s") to 17 (".5 us").
extern const std::array<TimeStep, vantrel::kTimeSteps> Esc_TempoTab;

/// Makes `step` (0 to 11) the Volts/Div step of a channel (0 CH I, any other value CH II):
/// shows only that step's pointer mark and sets `Esc_Volt[channel]`. A step outside 0..11
/// (-1 at power-off) hides every mark of the channel and leaves the scale as it was.
void act_voltdiv_sig(int step, int channel);

/// Makes `step` (0 to 17) the Time/Div step: sets `Esc_Tempo` and shows only that step's
/// pointer mark. A step outside 0..17 (-1 at power-off) hides every mark and leaves the time
/// base as it was.
void act_timediv_sig(int step);

/// The main panel's pointer marks of each step: Volts/Div of a channel (0 CH I, any other
/// value CH II), and Time/Div.
const std::array<int, vantrel::kVoltSteps> &VoltStepMarks(int channel);
const std::array<int, vantrel::kTimeSteps> &TimeStepMarks();

/// Label of a Volts/Div step, or "" for an index outside the table.
const char *VoltStepLabel(int step);
/// Label of a Time/Div step, or "" for an index outside the table.
const char *TimeStepLabel(int step);

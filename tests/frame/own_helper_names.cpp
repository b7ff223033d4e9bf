// A translation unit that includes every header of the program and still defines helper names
// of its own at global scope. It only has to compile: a header that put its helper constants
// beside the instrument's globals would make these definitions clash.

#include "app/callbacks.h"
#include "app/startup.h"
#include "app/state.h"
#include "controls/channels.h"
#include "controls/front_panel.h"
#include "controls/horizontal.h"
#include "controls/scale_tables.h"
#include "controls/trigger_display.h"
#include "controls/vertical.h"
#include "engine/control_widgets.h"
#include "engine/engine.h"
#include "generator/generator.h"
#include "generator/signal/signal.h"
#include "help/help.h"
#include "help/menu.h"
#include "measure/readout.h"
#include "measure/spreadsheet_link.h"
#include "sim/autostart.h"
#include "sim/input_routing.h"
#include "sim/refresh.h"
#include "sim/sampling.h"
#include "sim/trigger.h"

constexpr int kSamples = 3;
constexpr int kPathSize = 4;
constexpr int kLabelSlot = 5;
constexpr int kVoltSteps = 6;
constexpr int kTimeSteps = 7;
constexpr int kSignalCountError = 8;
constexpr int kSignalCyclesError = 9;
constexpr double kDimmedOpacity = 0.5;
constexpr int kGrandezaEficaz = 10;

/// The sum of the unit's own names, which must win over anything the headers declare.
int OwnHelperNameSum() {
    return kSamples + kPathSize + kLabelSlot + kVoltSteps + kTimeSteps + kSignalCountError +
           kSignalCyclesError + static_cast<int>(kDimmedOpacity * 2) + kGrandezaEficaz;
}

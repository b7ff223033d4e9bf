#pragma once
/// A panel's window: its menu bar, its canvas with the controls' widgets, and its timers.

#include "engine/model.h"

/// Builds the window of a loaded panel (hidden).
void BuildWindow(Panel &panel);

#pragma once
/// Events reaching the program's callbacks: from controls, menu items and timer ticks.

#include "engine/model.h"

/// Calls a control's callback for an event, then brings the widgets up to date.
int DispatchEvent(int panel, int control, int event, int data1 = 0, int data2 = 0);
int DispatchMenuItem(int menuBar, int item);

/// Starts or stops a timer control's QTimer as its state and the event loop say.
void UpdateTimer(Panel &panel, Control &control);
void ArmAllTimers();

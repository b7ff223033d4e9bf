#pragma once
/// Events reaching the program's callbacks: from controls, menu items and timer ticks.

#include "engine/model.h"

/// Calls a control's callback for an event, then brings the widgets up to date.
int DispatchEvent(int panel, int control, int event, int data1 = 0, int data2 = 0);
int DispatchMenuItem(int menuBar, int item);

/// Wake-ups of a dozing timer (SetTimerDozing) are at least this far apart. Timers this slow
/// may be woken a little early or late (Qt's coarse timers, within 5 %), so that they share
/// their wake-ups.
constexpr int kDozingTimerMs = 500;

/// One wake-up of a timer, then the screens' frame checks. A timer whose interval is no longer
/// than the display frame is served by the engine's one wake-up per frame; its callback then
/// runs again while a run puts a picture on the screen that it did not show yet, at most as
/// many times as the interval fits into the frame.
void ServeTimer(int panel, int control);
/// Starts or stops a timer control's QTimer as its state and the event loop say.
void UpdateTimer(Panel &panel, Control &control);
void ArmAllTimers();

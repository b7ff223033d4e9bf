#pragma once
/// Brings the widgets in line with the model. Operations change the model and mark the control
/// dirty; its widget follows when the dirty controls are flushed (after every callback, or on
/// the next event-loop pass). So a control hidden and shown again within one callback is never
/// seen to blink, and a write that leaves a control as it was touches no widget at all.

#include "engine/model.h"

/// Brings one control's widget in line with its model.
void SyncView(Control &control);
/// Records that a control's model changed; its widget follows at the next flush.
void MarkDirty(const Panel &panel, Control &control);
void FlushDirtyControls();

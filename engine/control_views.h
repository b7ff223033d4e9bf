#pragma once
/// The widget of each kind of control, wired so that the user's actions reach the callbacks.

#include "engine/model.h"

class QWidget;

/// Creates the control's widget on the panel's canvas; nullptr for kinds that show nothing.
QWidget *CreateView(Panel &panel, Control &control, QWidget *canvas);

#pragma once
/// The life of a panel: loaded from its resource file, shown, hidden and destroyed.

#include "engine/model.h"

#include <string>

/// Loads and builds a panel; returns its handle or a negative EngineError.
int CreatePanel(int parent, const std::string &fileName, int panelNumber);
/// Destroys a panel and its child panels.
void DestroyPanel(int handle);
/// Shows the panel's window at its place.
void ShowPanelWindow(Panel &panel, bool modal);
void HidePanelWindow(Panel &panel);

#pragma once
/// The life of a panel: loaded from its resource file, shown, hidden and destroyed.

#include "engine/model.h"

#include <string>

/// Loads and builds a panel; returns its handle or a negative EngineError.
int CreatePanel(int parent, const std::string &fileName, int panelNumber);
/// Destroys a panel and its child panels.
void DestroyPanel(int handle);
/// Builds the panel's window (and its parent's) if it has not been built yet: a dialog is
/// built when it is first needed.
void EnsureWindow(Panel &panel);
/// Shows the panel's window at its place.
void ShowPanelWindow(Panel &panel, bool modal);
void HidePanelWindow(Panel &panel);
/// Moves a child panel's window into its parent's window, below the parent's face (docked), or
/// back out into a window of its own. Returns 0 or a negative EngineError.
int DockPanelWindow(Panel &panel, bool docked);
/// Whether the panel is on the screen: its window shown, or, docked, not hidden in its parent.
bool PanelWindowShown(const Panel &panel);

#pragma once
/// Panels keep their controls in the resource file's coordinates and are shown uniformly
/// scaled and centred in their window.

#include "engine/model.h"

#include <QPoint>
#include <QSize>

/// Smallest and largest scale of a panel relative to its stored size.
inline constexpr double kMinPanelScale = 0.75;
inline constexpr double kMaxPanelScale = 4.0;
/// The scale at which a canvas of `available` pixels shows a panel of `logical` size whole,
/// keeping its proportions, within kMinPanelScale..kMaxPanelScale.
double FitScale(QSize logical, QSize available);
/// Lays the panel's controls out at the scale that fits its canvas now.
void LayoutPanel(Panel &panel);
/// Puts one control's widget at its logical place and font size, scaled.
void PlaceControl(const Panel &panel, Control &control);
/// Converts between logical panel coordinates and the canvas's pixels.
QPoint PanelToCanvas(const Panel &panel, QPoint logical);
QPoint CanvasToPanel(const Panel &panel, QPoint pixels);

#pragma once
/// Pieces shared by the engine's operations: finding a control for a handle pair, the kinds of
/// value a control holds, copying text out to a caller's buffer, and the screen's picture.

#include "engine/model.h"

#include <QImage>
#include <QSize>

#include <cstddef>
#include <string>

class GraphWidget;

/// True when no one can answer a window: the program runs without a screen (tests, captures).
bool Headless();

bool IsNumericKind(EngineControlKind kind);
bool IsItemKind(EngineControlKind kind);
bool IsTextKind(EngineControlKind kind);
/// Stores a number as the control's data type holds it, kept inside its range.
double CoercedNumber(const Control &control, double value);

/// Finds a control for an attribute or value read; `error` gets the failure code.
Control *LookupControl(int panel, int control, int &error);
/// Copies `text` into `buffer` (always terminated); kEngineBadValue when it did not fit.
int CopyText(const std::string &text, char *buffer, std::size_t size);

/// The screen widget of a graph control, or nullptr for other controls.
GraphWidget *GraphOf(Control &control);
/// The screen drawn at `size`, its beams as wide relative to it as on the panel.
QImage RenderScreen(const Control &control, GraphWidget &graph, QSize size);

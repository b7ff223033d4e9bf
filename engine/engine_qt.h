#pragma once
/// Qt-side access to the engine for the program's own window code and for tests.

#include <QImage>
#include <QSize>

class QWidget;

/// The widget that shows a control, or nullptr.
QWidget *EngineControlWidget(int panel, int control);
/// The window of a panel, or nullptr.
QWidget *EnginePanelWidget(int panel);
/// Renders a graph control as the screen shows it now, at the given size (its own size when
/// empty). A null image when the control is not a graph.
QImage EngineRenderGraph(int panel, int control, QSize size = QSize());

#pragma once
/// Shows a panel with its drawing surface at a given multiple of the stored size, so that tests
/// can find controls and pixels where the resource file puts them (a shown window is otherwise
/// scaled to whatever room the screen gives it).

#include "engine/engine.h"
#include "engine/engine_qt.h"

#include <QCoreApplication>
#include <QLayout>
#include <QWidget>

#include <cmath>

/// Shows the panel with its drawing surface at `scale` times the stored size.
inline QWidget *showAtScale(int panel, double scale) {
    DisplayPanel(panel);
    QWidget *window = EnginePanelWidget(panel);
    int width = 0;
    int height = 0;
    GetPanelAttribute(panel, ATTR_WIDTH, &width);
    GetPanelAttribute(panel, ATTR_HEIGHT, &height);
    const QSize wanted(static_cast<int>(std::lround(width * scale)),
                       static_cast<int>(std::lround(height * scale)));
    QWidget *canvas = nullptr;
    for (int id = 2; canvas == nullptr; ++id) {
        if (QWidget *view = EngineControlWidget(panel, id)) {
            canvas = view->parentWidget();
        }
    }
    // The menu bar's lettering follows the window's size, so the room it leaves for the
    // canvas settles after a second resize.
    for (int attempt = 0; attempt < 3 && canvas->size() != wanted; ++attempt) {
        window->layout()->activate();
        window->resize(wanted + window->size() - canvas->size());
        window->layout()->activate();
        QCoreApplication::processEvents();
    }
    return canvas;
}

#include "engine/layout.h"

#include "engine/view_format.h"

#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <algorithm>
#include <cmath>

namespace {
/// The menu bar's lettering grows with the window. Its scale is taken from the whole window,
/// not from the canvas under the bar, so that the bar's own height cannot feed back into it.
void scaleMenuBar(const Panel &panel) {
    auto *bar = panel.window != nullptr
                    ? panel.window->findChild<QMenuBar *>(QString(), Qt::FindDirectChildrenOnly)
                    : nullptr;
    if (bar == nullptr) {
        return;
    }
    constexpr int kStoredBarHeight = 22;
    const QSize logical(panel.definition.width, panel.definition.height + kStoredBarHeight);
    const double scale = FitScale(logical, panel.window->size());
    QFont font = QApplication::font();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * scale))));
    if (bar->font() != font) {
        bar->setFont(font);
    }
}
} // namespace

double FitScale(QSize logical, QSize available) {
    if (logical.isEmpty() || available.isEmpty()) {
        return 1.0;
    }
    const double fit = std::min(static_cast<double>(available.width()) / logical.width(),
                                static_cast<double>(available.height()) / logical.height());
    return std::clamp(fit, kMinPanelScale, kMaxPanelScale);
}

void PlaceControl(const Panel &panel, Control &control) {
    QWidget *view = control.view;
    if (view == nullptr) {
        return;
    }
    const ControlSpec &definition = control.definition;
    // Both corners are rounded from their scaled positions, so that neighbours that touch in
    // the stored layout still touch, and never overlap, at any scale.
    const QPoint topLeft = PanelToCanvas(panel, QPoint(definition.left, definition.top));
    const QPoint bottomRight = PanelToCanvas(
        panel, QPoint(definition.left + definition.width, definition.top + definition.height));
    view->setProperty("panelScale", panel.scale);
    const QFont font = FontOf(definition, QApplication::font(), panel.scale);
    if (view->font() != font) {
        view->setFont(font);
        if (definition.kind == CTRL_TEXT_BOX && definition.fixedPitch) {
            view->findChild<QPlainTextEdit *>()->setFont(FixedPitchFont(font));
        }
    }
    view->setGeometry(QRect(topLeft, bottomRight - QPoint(1, 1)));
    view->update();
}

void LayoutPanel(Panel &panel) {
    if (panel.canvas == nullptr) {
        return;
    }
    const QSize logical(panel.definition.width, panel.definition.height);
    const QSize available = panel.canvas->size();
    panel.scale = FitScale(logical, available);
    const QSize shown = (QSizeF(logical) * panel.scale).toSize();
    panel.origin = QPoint(std::max(0, (available.width() - shown.width()) / 2),
                          std::max(0, (available.height() - shown.height()) / 2));
    for (Control &control : panel.controls) {
        PlaceControl(panel, control);
    }
    scaleMenuBar(panel);
    panel.canvas->update();
}

QPoint PanelToCanvas(const Panel &panel, QPoint logical) {
    return panel.origin + (QPointF(logical) * panel.scale).toPoint();
}

QPoint CanvasToPanel(const Panel &panel, QPoint pixels) {
    const double scale = panel.scale > 0.0 ? panel.scale : 1.0;
    return (QPointF(pixels - panel.origin) / scale).toPoint();
}

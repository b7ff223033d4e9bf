#include "engine/panel_life.h"

#include "engine/control_sync.h"
#include "engine/layout.h"
#include "engine/panel_window.h"
#include "engine/view_format.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

/// Whether a panel's window is built as it is loaded: a top-level panel, and any panel whose
/// menus, timers or screen work while it is hidden. A dialog waits until it is first needed:
/// most are never opened in a session, and their widgets are much of what the program holds.
bool needsWindowAtOnce(const Panel &panel) {
    if (panel.parent == 0 || panel.definition.menuBar) {
        return true;
    }
    return std::any_of(panel.controls.begin(), panel.controls.end(), [](const Control &control) {
        return control.definition.kind == CTRL_TIMER || control.definition.kind == CTRL_GRAPH;
    });
}

} // namespace

int CreatePanel(int parent, const std::string &fileName, int panelNumber) {
    EngineState &engine = Engine();
    if (parent != 0 && FindPanel(parent) == nullptr) {
        engine.errorText = fileName + ": parent panel " + std::to_string(parent) + " not loaded";
        return kEngineBadHandle;
    }
    PanelLoadResult read =
        ReadPanelSpec(ResourcePath(fileName).toStdString(), fileName, panelNumber);
    if (read.error != kEngineOk) {
        engine.errorText = read.message;
        return read.error;
    }
    auto panel = std::make_unique<Panel>();
    panel->handle = engine.nextHandle++;
    panel->parent = parent;
    panel->fileName = fileName;
    panel->definition = std::move(read.panel);
    panel->title = panel->definition.title;
    panel->top = panel->definition.top;
    panel->left = panel->definition.left;
    panel->controls.resize(panel->definition.controls.size());
    for (std::size_t i = 0; i < panel->controls.size(); ++i) {
        Control &control = panel->controls[i];
        control.definition = std::move(panel->definition.controls[i]);
        control.id = static_cast<int>(i) + 2;
        InitialiseModel(control);
        if (!control.definition.callback.empty()) {
            const auto found = engine.callbacks.find(control.definition.callback);
            if (found != engine.callbacks.end()) {
                control.callback = found->second;
            } else if (engine.strictCallbacks) {
                engine.errorText = fileName + ": callback \"" + control.definition.callback +
                                   "\" of " + control.definition.constant +
                                   " is not in the program";
                return kEngineNoSuchCallback;
            }
        }
    }
    // Each control holds its own definition from now on.
    panel->definition.controls.clear();
    panel->definition.controls.shrink_to_fit();
    Panel &built = *panel;
    engine.panels.emplace(built.handle, std::move(panel));
    if (needsWindowAtOnce(built)) {
        BuildWindow(built);
    }
    return built.handle;
}

void EnsureWindow(Panel &panel) {
    if (panel.window != nullptr) {
        return;
    }
    if (Panel *parent = FindPanel(panel.parent)) {
        EnsureWindow(*parent);
    }
    // Docked before it was built: it is built as a window of its own, then moved in.
    const bool docked = panel.docked;
    panel.docked = false;
    BuildWindow(panel);
    if (docked) {
        DockPanelWindow(panel, true);
    }
}

namespace {

/// Keeps the final text of a discarded panel's text boxes, so that tests can still read what
/// the user last saw in them.
void rememberTextBoxes(const Panel &panel) {
    std::map<int, std::string> texts;
    for (const Control &control : panel.controls) {
        if (control.definition.kind == CTRL_TEXT_BOX) {
            texts.emplace(control.id, control.text);
        }
    }
    if (texts.empty()) {
        return;
    }
    constexpr std::size_t kPanelsKept = 16;
    auto &kept = Engine().discardedTexts;
    kept.emplace_back(panel.handle, std::move(texts));
    while (kept.size() > kPanelsKept) {
        kept.pop_front();
    }
}

} // namespace

void DestroyPanel(int handle) {
    EngineState &engine = Engine();
    std::vector<int> children;
    for (const auto &[childHandle, child] : engine.panels) {
        if (child->parent == handle) {
            children.push_back(childHandle);
        }
    }
    for (int child : children) {
        DestroyPanel(child);
    }
    Panel *panel = FindPanel(handle);
    if (panel == nullptr) {
        return;
    }
    rememberTextBoxes(*panel);
    std::erase(engine.popups, handle);
    if (panel->menuBar != 0) {
        engine.menuBarPanels.erase(panel->menuBar);
    }
    std::erase_if(engine.dirtyControls,
                  [handle](const auto &entry) { return entry.first == handle; });
    if (panel->window != nullptr) {
        panel->window->hide();
        // The panel may be discarded from inside one of its own widgets' signals.
        panel->window->setParent(nullptr);
        panel->window->deleteLater();
    }
    engine.panels.erase(handle);
}

namespace {

/// The part of the screen that windows may take (without task bars), or an invalid rectangle
/// when there is no screen.
QRect screenArea() {
    if (Engine().screenArea) {
        return *Engine().screenArea;
    }
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

/// The window flags that BuildWindow gives a child panel of its own.
Qt::WindowFlags childWindowFlags(const Panel &panel) {
    Qt::WindowFlags flags = Qt::Dialog;
    if (panel.definition.title.empty()) {
        flags |= Qt::FramelessWindowHint;
    }
    return flags;
}

/// The parent's window grows or shrinks by a docked panel's height as it appears or goes, so
/// that neither face has to shrink, as far as the screen allows; a maximised window keeps its
/// size and its faces share it.
void resizeParentFor(const Panel &panel, bool appearing) {
    Panel *parent = FindPanel(panel.parent);
    if (parent == nullptr || parent->window == nullptr || parent->window->isMaximized()) {
        return;
    }
    QWidget *window = parent->window;
    const int extra = static_cast<int>(panel.definition.height * parent->scale);
    const QRect area = screenArea();
    const int tallest = area.isValid() ? area.height() : 1 << 20;
    const int highest = std::max(1, tallest);
    const int lowest = std::min(window->minimumSizeHint().height(), highest);
    const int height = std::clamp(window->height() + (appearing ? extra : -extra), lowest, highest);
    window->resize(window->width(), height);
}

/// Whether the parent's window can hold a docked panel below its face, both at no less than
/// their smallest scale, within the screen's height (a maximised window too: its faces share
/// its height, and below their smallest scale the lower one would be cut off).
bool fitsDocked(const Panel &panel) {
    const Panel *parent = FindPanel(panel.parent);
    const QRect area = screenArea();
    if (parent == nullptr || parent->window == nullptr || !area.isValid()) {
        return true;
    }
    const QWidget *window = parent->window;
    // The frame's title bar counts too, where a window manager draws one.
    const int frame = window->frameGeometry().height() - window->height();
    const int smallest = window->minimumSizeHint().height() +
                         static_cast<int>(std::ceil(panel.definition.height * kMinPanelScale));
    return smallest + frame <= area.height();
}

/// Places a panel's own window just below its parent's window, kept inside the screen.
void placeBelowParent(Panel &panel) {
    const Panel *parent = FindPanel(panel.parent);
    if (parent == nullptr || parent->window == nullptr || parent->canvas == nullptr) {
        return;
    }
    const QPoint below = parent->window->frameGeometry().bottomLeft() + QPoint(0, 1);
    const QPoint logical = CanvasToPanel(*parent, parent->canvas->mapFromGlobal(below));
    panel.left = logical.x();
    panel.top = logical.y();
}

} // namespace

int DockPanelWindow(Panel &panel, bool docked) {
    Panel *parent = FindPanel(panel.parent);
    if (parent == nullptr) {
        return kEngineBadHandle;
    }
    if (panel.window == nullptr) {
        // Not built yet: it is built where it belongs when it is first needed.
        panel.docked = docked;
        return kEngineOk;
    }
    if (parent->window == nullptr) {
        return kEngineBadHandle;
    }
    if (panel.docked == docked) {
        return kEngineOk;
    }
    QWidget *window = panel.window;
    auto *layout = qobject_cast<QBoxLayout *>(parent->window->layout());
    if (layout == nullptr) {
        return kEngineBadHandle;
    }
    const bool shown = PanelWindowShown(panel);
    if (shown) {
        HidePanelWindow(panel);
    }
    panel.docked = docked;
    if (docked) {
        std::erase(Engine().popups, panel.handle);
        panel.installed = false;
        window->setWindowFlags(Qt::Widget);
        // The faces share the window's height in proportion to their own.
        layout->setStretchFactor(parent->canvas, parent->definition.height);
        layout->addWidget(window, panel.definition.height);
        // Hidden explicitly: a child widget that was never hidden would appear with its parent.
        window->hide();
    } else {
        layout->removeWidget(window);
        window->setParent(parent->window, childWindowFlags(panel));
    }
    if (shown) {
        ShowPanelWindow(panel, false);
    }
    return kEngineOk;
}

bool PanelWindowShown(const Panel &panel) {
    if (panel.window == nullptr) {
        return false;
    }
    return panel.docked ? !panel.window->isHidden() : panel.window->isVisible();
}

void ShowPanelWindow(Panel &panel, bool modal) {
    EnsureWindow(panel);
    QWidget *window = panel.window;
    if (window == nullptr) {
        return;
    }
    FlushDirtyControls();
    if (panel.docked && window->isHidden() && !fitsDocked(panel)) {
        // Below the front it would be cut off by the screen's edge: it opens as its own window,
        // just below the front's, as far as the screen allows.
        DockPanelWindow(panel, false);
        placeBelowParent(panel);
    }
    if (panel.docked) {
        if (window->isHidden()) {
            window->show();
            resizeParentFor(panel, true);
        }
        return;
    }
    window->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    const QRect area = screenArea();
    Panel *parent = FindPanel(panel.parent);
    // A dialog opens at the scale its parent is shown at, and then follows its own window.
    if (parent != nullptr && !window->isVisible() && panel.definition.menuBar == std::nullopt) {
        const QSize logical(panel.definition.width, panel.definition.height);
        window->resize((QSizeF(logical) * parent->scale).toSize());
    }
    QPoint place(panel.left, panel.top);
    if (panel.left == VAL_AUTO_CENTER) {
        place = area.center() - QPoint(window->width() / 2, window->height() / 2);
    } else if (parent != nullptr && parent->canvas != nullptr) {
        place = parent->canvas->mapToGlobal(PanelToCanvas(*parent, place));
    }
    // A window asked to open near the screen's edge is kept whole on the screen.
    if (area.isValid()) {
        place.setX(std::clamp(place.x(), area.left(),
                              std::max(area.left(), area.right() - window->width())));
        place.setY(std::clamp(place.y(), area.top(),
                              std::max(area.top(), area.bottom() - window->height())));
    }
    window->move(place);
    if (panel.zoom == VAL_MAXIMIZE) {
        // Without a window manager showMaximized() alone leaves the window at its size.
        if (area.isValid()) {
            window->setGeometry(area);
        }
        window->showMaximized();
    } else {
        window->show();
    }
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window->raise();
        window->activateWindow();
    }
}

void HidePanelWindow(Panel &panel) {
    if (panel.window == nullptr) {
        return;
    }
    const bool wasShown = panel.docked && !panel.window->isHidden();
    panel.window->hide();
    if (wasShown) {
        resizeParentFor(panel, false);
    }
}

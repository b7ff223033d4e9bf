#include "engine/panel_window.h"

#include "engine/control_sync.h"
#include "engine/control_views.h"
#include "engine/dispatch.h"
#include "engine/layout.h"
#include "engine/translate.h"
#include "engine/translators.h"
#include "engine/view_format.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

namespace {

/// The panel's drawing surface. It takes whatever room its window gives it and shows the panel
/// uniformly scaled and centred in it, the margin left on one axis in a darker shade.
class PanelCanvas : public QWidget {
public:
    PanelCanvas(int handle, QSize logical, const QColor &background, bool framed, QWidget *parent)
        : QWidget(parent), handle_(handle), logical_(logical), background_(background),
          framed_(framed) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    QSize sizeHint() const override { return logical_; }
    QSize minimumSizeHint() const override { return (QSizeF(logical_) * kMinPanelScale).toSize(); }

protected:
    void resizeEvent(QResizeEvent *) override {
        if (Panel *panel = FindPanel(handle_)) {
            LayoutPanel(*panel);
        }
    }

    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        const Panel *panel = FindPanel(handle_);
        const double scale = panel != nullptr ? panel->scale : 1.0;
        const QPoint origin = panel != nullptr ? panel->origin : QPoint();
        const QRect face(origin, (QSizeF(logical_) * scale).toSize());
        if (face != rect()) {
            painter.fillRect(rect(), background_.darker(180));
        }
        painter.fillRect(face, background_);
        if (framed_) {
            painter.setPen(QColor(110, 116, 124));
            painter.drawRect(face.adjusted(0, 0, -1, -1));
        }
    }

private:
    int handle_;
    QSize logical_;
    QColor background_;
    bool framed_;
};

/// Commits the control that the panel names as its close or cancel button, as a click would:
/// only while that button could be pressed. A hidden or dimmed button (the about box's
/// "Fechar" during the splash) keeps the window open.
void pressCloseControl(int handle) {
    Panel *panel = FindPanel(handle);
    if (panel == nullptr) {
        return;
    }
    for (const Control &control : panel->controls) {
        if (control.definition.constant == panel->definition.closeControl) {
            if (control.visible && !control.dimmed && control.inputEnabled) {
                DispatchEvent(handle, control.id, EVENT_COMMIT);
            }
            return;
        }
    }
}

/// A panel's window. Its close box, and on a dialog the Escape key, press the control the panel
/// names for closing, if any; otherwise they are ignored, as the instrument's panels close
/// through their own buttons.
class PanelWindow : public QWidget {
public:
    PanelWindow(int handle, QWidget *parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), handle_(handle) {}

protected:
    /// Files dragged over the window are taken only when the panel asked for drops.
    void dragEnterEvent(QDragEnterEvent *event) override {
        const Panel *panel = FindPanel(handle_);
        if (panel != nullptr && panel->fileDrop != nullptr && event->mimeData()->hasUrls()) {
            event->acceptProposedAction();
        }
    }

    void dropEvent(QDropEvent *event) override {
        const Panel *panel = FindPanel(handle_);
        if (panel == nullptr || panel->fileDrop == nullptr) {
            return;
        }
        const FileDropCallbackPtr callback = panel->fileDrop;
        event->acceptProposedAction();
        for (const QUrl &url : event->mimeData()->urls()) {
            if (url.isLocalFile()) {
                callback(handle_, url.toLocalFile().toUtf8().constData());
                FlushDirtyControls();
            }
        }
    }

    void closeEvent(QCloseEvent *event) override {
        event->ignore();
        pressCloseControl(handle_);
    }

    /// Keys that no control used arrive here. Escape leaves a dialog (a panel with a parent);
    /// on the main window it would be too easy a way to ask to quit.
    void keyPressEvent(QKeyEvent *event) override {
        const Panel *panel = FindPanel(handle_);
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
            panel != nullptr && panel->parent != 0) {
            event->accept();
            pressCloseControl(handle_);
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    int handle_;
};

void buildMenuBar(Panel &panel, QMenuBar *bar) {
    const int barHandle = panel.menuBar;
    std::function<void(QMenu *, const std::vector<MenuItemSpec> &)> addItems;
    addItems = [&](QMenu *menu, const std::vector<MenuItemSpec> &items) {
        for (const MenuItemSpec &item : items) {
            if (item.separator) {
                // Kept, so that items added later can go before a separator.
                panel.menuActions[item.id] = menu->addSeparator();
                continue;
            }
            if (!item.children.empty()) {
                QMenu *sub = menu->addMenu(QText(AcceleratorToMnemonic(Tr(item.text.c_str()))));
                panel.menuActions[item.id] = sub->menuAction();
                addItems(sub, item.children);
                continue;
            }
            QAction *action = menu->addAction(QText(AcceleratorToMnemonic(Tr(item.text.c_str()))));
            if (!item.shortcut.empty()) {
                action->setShortcut(QKeySequence(QText(item.shortcut)));
            }
            const int itemId = item.id;
            QObject::connect(action, &QAction::triggered, bar,
                             [barHandle, itemId] { DispatchMenuItem(barHandle, itemId); });
            panel.menuActions[item.id] = action;
        }
    };
    for (const MenuItemSpec &menuSpec : panel.definition.menuBar->menus) {
        QMenu *menu = bar->addMenu(QText(AcceleratorToMnemonic(Tr(menuSpec.text.c_str()))));
        panel.menuActions[menuSpec.id] = menu->menuAction();
        addItems(menu, menuSpec.children);
    }
}

} // namespace

void BuildWindow(Panel &panel) {
    Panel *parent = FindPanel(panel.parent);
    const bool titled = !panel.definition.title.empty();
    Qt::WindowFlags flags = parent != nullptr ? Qt::Dialog : Qt::Window;
    if (!titled && parent != nullptr) {
        flags |= Qt::FramelessWindowHint;
    } else if (parent != nullptr) {
        // A dialog's title bar holds its title and a close button only: the room that minimise
        // and maximise buttons would take is the title's.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    }
    QWidget *parentWindow = parent != nullptr ? parent->window.data() : nullptr;
    auto *window = new PanelWindow(panel.handle, parentWindow, flags);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setWindowTitle(panel.title.empty() ? QStringLiteral(" ") : ShownText(panel.title));
    window->setAcceptDrops(panel.fileDrop != nullptr);
    panel.window = window;

    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (panel.definition.menuBar) {
        auto *bar = new QMenuBar(window);
        panel.menuBar = Engine().nextHandle++;
        Engine().menuBarPanels[panel.menuBar] = panel.handle;
        buildMenuBar(panel, bar);
        layout->setMenuBar(bar);
    }
    const QColor background = panel.definition.background.empty()
                                  ? QColor(52, 56, 62)
                                  : QColor(QText(panel.definition.background));
    auto *canvas =
        new PanelCanvas(panel.handle, QSize(panel.definition.width, panel.definition.height),
                        background, !titled, window);
    layout->addWidget(canvas, 1);
    panel.canvas = canvas;

    for (Control &control : panel.controls) {
        control.view = CreateView(panel, control, canvas);
        PlaceControl(panel, control);
    }
    // The front-panel picture lies under everything, frames under the controls they surround.
    for (Control &control : panel.controls) {
        if (control.view != nullptr && control.definition.kind == CTRL_DECORATION) {
            control.view->lower();
        }
    }
    for (Control &control : panel.controls) {
        if (control.view != nullptr && control.definition.background) {
            control.view->lower();
        }
    }
    for (Control &control : panel.controls) {
        SyncView(control);
        if (control.definition.kind == CTRL_TIMER) {
            auto *timer = new QTimer(window);
            timer->setTimerType(Qt::PreciseTimer);
            const int handle = panel.handle;
            const int id = control.id;
            QObject::connect(timer, &QTimer::timeout, window,
                             [handle, id] { ServeTimer(handle, id); });
            control.timer = timer;
            UpdateTimer(panel, control);
        }
    }
    window->adjustSize();
    if (parent == nullptr) {
        // Child panels are placed relative to this one even before it is first shown.
        window->move(panel.left, panel.top);
    }
}

#include "app/engine/panels.h"

#include "app/engine/control_widgets.h"
#include "app/engine/graph_widget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
/// An application object still alive when the program's statics are destroyed.
QApplication *lingeringApplication = nullptr;
} // namespace

EngineState::~EngineState() {
    // Qt cannot end its application object once main has returned; one that InitCVIRTE made
    // and CloseCVIRTE did not end is left to the operating system.
    if (ownApplication != nullptr) {
        lingeringApplication = ownApplication.release();
    }
}

EngineState &Engine() {
    static EngineState state;
    return state;
}

Panel *FindPanel(int handle) {
    auto &panels = Engine().panels;
    const auto found = panels.find(handle);
    return found == panels.end() ? nullptr : found->second.get();
}

Control *FindControl(int panel, int control) {
    Panel *owner = FindPanel(panel);
    if (owner == nullptr || control < 2 ||
        control - 2 >= static_cast<int>(owner->controls.size())) {
        return nullptr;
    }
    return &owner->controls[static_cast<std::size_t>(control - 2)];
}

GraphWidget *GraphOf(Control &control) {
    return control.definition.kind == CTRL_GRAPH ? qobject_cast<GraphWidget *>(control.view.data())
                                                 : nullptr;
}

int SelectedValue(const Control &control) {
    if (control.index < 0 || control.index >= static_cast<int>(control.items.size())) {
        return 0;
    }
    return control.items[static_cast<std::size_t>(control.index)].value;
}

namespace {

QString q(const std::string &text) {
    return QString::fromStdString(text);
}

QString resourcePath(const std::string &fileName) {
    const EngineState &engine = Engine();
    QString directory;
    if (engine.resourceDir) {
        directory = q(*engine.resourceDir);
    } else if (qEnvironmentVariableIsSet("VANTREL_RESOURCE_DIR")) {
        directory = qEnvironmentVariable("VANTREL_RESOURCE_DIR");
    } else {
        directory = QCoreApplication::applicationDirPath();
    }
    return QDir(directory).filePath(q(fileName));
}

/// The panel's drawing surface: the stored size, filled with the panel colour.
class PanelCanvas : public QWidget {
public:
    PanelCanvas(const QColor &background, bool framed, QWidget *parent)
        : QWidget(parent), background_(background), framed_(framed) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), background_);
        if (framed_) {
            painter.setPen(QColor(110, 116, 124));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    QColor background_;
    bool framed_;
};

/// A panel's window. Its close box commits the control the panel names for it, if any, and is
/// otherwise ignored, as the instrument's panels close through their own buttons.
class PanelWindow : public QWidget {
public:
    PanelWindow(int handle, QWidget *parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), handle_(handle) {}

protected:
    void closeEvent(QCloseEvent *event) override {
        event->ignore();
        Panel *panel = FindPanel(handle_);
        if (panel == nullptr) {
            return;
        }
        // The close box acts only while its control could be pressed: a hidden or dimmed
        // button (the about box's "Fechar" during the splash) keeps the window open.
        for (const Control &control : panel->controls) {
            if (control.definition.constant == panel->definition.closeControl) {
                if (control.visible && !control.dimmed && control.inputEnabled) {
                    DispatchEvent(handle_, control.id, EVENT_COMMIT);
                }
                return;
            }
        }
    }

private:
    int handle_;
};

/// Turns mouse presses on a control's widget into the engine's click events.
class ClickFilter : public QObject {
public:
    ClickFilter(int panel, int control, bool leftClicks, QObject *parent)
        : QObject(parent), panel_(panel), control_(control), leftClicks_(leftClicks) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::ContextMenu) {
            return QObject::eventFilter(watched, event);
        }
        Control *control = FindControl(panel_, control_);
        if (control == nullptr) {
            return false;
        }
        if (type == QEvent::ContextMenu) {
            return true; // right clicks are the help request, never a context menu
        }
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        // A dimmed control, or one made an indicator by SetInputMode, takes no mouse input.
        if (control->dimmed || !control->inputEnabled) {
            return true;
        }
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonPress) {
                DispatchEvent(panel_, control_, EVENT_RIGHT_CLICK, at.y(), at.x());
            }
            return true;
        }
        if (mouse->button() == Qt::LeftButton && leftClicks_) {
            DispatchEvent(panel_, control_,
                          type == QEvent::MouseButtonDblClick ? EVENT_LEFT_DOUBLE_CLICK
                                                              : EVENT_LEFT_CLICK,
                          at.y(), at.x());
            return true;
        }
        return false;
    }

private:
    int panel_;
    int control_;
    bool leftClicks_;
};

QColor colourOf(const std::string &name) {
    return name.empty() ? QColor() : QColor(q(name));
}

QFont fontOf(const ControlSpec &definition, const QFont &base) {
    QFont font = base;
    if (definition.fontSize > 0) {
        font.setPointSizeF(definition.fontSize);
    }
    font.setBold(definition.bold);
    return font;
}

int decimalsFor(const Control &control) {
    if (control.definition.dataType == VAL_INTEGER || control.increment <= 0.0) {
        return 0;
    }
    const double digits = -std::floor(std::log10(control.increment) + 1e-9);
    return std::clamp(static_cast<int>(digits), 0, 6);
}

QString numberText(const Control &control) {
    if (control.definition.dataType == VAL_INTEGER) {
        return QString::number(static_cast<long long>(std::llround(control.number)));
    }
    // Plain decimals read best on a panel meter ("2000000", "0.001"); only very large or very
    // small magnitudes, and infinities, fall back to the exponent form.
    const double value = control.number;
    const double magnitude = std::abs(value);
    if (!std::isfinite(value) || (magnitude != 0.0 && (magnitude < 1e-4 || magnitude >= 1e9))) {
        return QString::number(value, 'g', 6);
    }
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QStringList itemLabels(const Control &control) {
    QStringList labels;
    for (const ItemSpec &item : control.items) {
        labels << q(item.label);
    }
    return labels;
}

/// A label above a list or text box, as the engine shows a control's label.
QWidget *labelled(QWidget *inner, const std::string &label, QWidget *parent, QLabel **labelOut) {
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto *caption = new QLabel(q(StripAccelerator(label)), box);
    caption->setVisible(!label.empty());
    layout->addWidget(caption);
    inner->setParent(box);
    layout->addWidget(inner, 1);
    *labelOut = caption;
    return box;
}

void connectUserEvents(Panel &panel, Control &control, QWidget *view) {
    const int handle = panel.handle;
    const int id = control.id;
    switch (control.definition.kind) {
    case CTRL_COMMAND_BUTTON:
        QObject::connect(qobject_cast<QPushButton *>(view), &QPushButton::clicked, view,
                         [handle, id] { DispatchEvent(handle, id, EVENT_COMMIT); });
        break;
    case CTRL_TOGGLE_BUTTON:
        QObject::connect(qobject_cast<QPushButton *>(view), &QPushButton::clicked, view,
                         [handle, id](bool checked) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->number = checked ? 1.0 : 0.0;
                                 DispatchEvent(handle, id, EVENT_COMMIT);
                             }
                         });
        break;
    case CTRL_RING:
        QObject::connect(qobject_cast<QComboBox *>(view), &QComboBox::activated, view,
                         [handle, id](int index) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->index = index;
                                 DispatchEvent(handle, id, EVENT_VAL_CHANGED);
                                 DispatchEvent(handle, id, EVENT_COMMIT);
                             }
                         });
        break;
    case CTRL_LIST_BOX: {
        auto *list = view->findChild<QListWidget *>();
        QObject::connect(list, &QListWidget::currentRowChanged, view, [handle, id](int row) {
            Control *c = FindControl(handle, id);
            if (c != nullptr && row >= 0 && row != c->index) {
                c->index = row;
                DispatchEvent(handle, id, EVENT_VAL_CHANGED);
            }
        });
        QObject::connect(list, &QListWidget::itemActivated, view,
                         [handle, id] { DispatchEvent(handle, id, EVENT_COMMIT); });
        break;
    }
    case CTRL_KNOB:
        QObject::connect(qobject_cast<KnobView *>(view), &KnobView::valueEdited, view,
                         [handle, id](double value) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->number = value;
                                 DispatchEvent(handle, id, EVENT_VAL_CHANGED);
                             }
                         });
        QObject::connect(qobject_cast<KnobView *>(view), &KnobView::editFinished, view,
                         [handle, id] { DispatchEvent(handle, id, EVENT_COMMIT); });
        break;
    case CTRL_SLIDE:
        QObject::connect(qobject_cast<SlideView *>(view), &SlideView::indexChosen, view,
                         [handle, id](int index) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->index = index;
                                 DispatchEvent(handle, id, EVENT_VAL_CHANGED);
                                 DispatchEvent(handle, id, EVENT_COMMIT);
                             }
                         });
        break;
    case CTRL_STRING: {
        auto *edit = qobject_cast<QLineEdit *>(view);
        QObject::connect(edit, &QLineEdit::editingFinished, view, [handle, id, edit] {
            Control *c = FindControl(handle, id);
            if (c != nullptr && edit->isModified()) {
                edit->setModified(false);
                c->text = edit->text().toStdString();
                DispatchEvent(handle, id, EVENT_COMMIT);
            }
        });
        break;
    }
    default:
        break;
    }
}

QWidget *createView(Panel &panel, Control &control, QWidget *canvas, const QFont &baseFont) {
    const ControlSpec &definition = control.definition;
    const QColor colour = colourOf(definition.color);
    QWidget *view = nullptr;
    bool leftClicks = false;
    switch (definition.kind) {
    case CTRL_TIMER:
        return nullptr;
    case CTRL_PICTURE:
        view =
            new PictureView(definition.image.empty() ? QString() : resourcePath(definition.image),
                            q(definition.constant), canvas);
        leftClicks = true;
        break;
    case CTRL_DECORATION: {
        const auto style = definition.style == "marker"    ? DecorationView::Style::Marker
                           : definition.style == "hotspot" ? DecorationView::Style::Hotspot
                                                           : DecorationView::Style::Frame;
        view = new DecorationView(style, colour, canvas);
        leftClicks = true;
        // A frame without a callback never takes the clicks meant for what it surrounds.
        if (definition.callback.empty()) {
            view->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        break;
    }
    case CTRL_TEXT_MSG:
        view = new TextView(q(control.text), colour, canvas);
        leftClicks = true;
        if (definition.callback.empty()) {
            view->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        break;
    case CTRL_LED:
        view = new LedView(q(control.label), colour, canvas);
        leftClicks = true;
        break;
    case CTRL_NUMERIC:
        view = new NumericView(canvas);
        leftClicks = true;
        break;
    case CTRL_GRAPH: {
        auto *graph = new GraphWidget(canvas);
        graph->setAxisRange(0, definition.xMin, definition.xMax);
        graph->setAxisRange(1, definition.yMin, definition.yMax);
        view = graph;
        leftClicks = true;
        break;
    }
    case CTRL_COMMAND_BUTTON:
    case CTRL_TOGGLE_BUTTON: {
        auto *button = new QPushButton(q(AcceleratorToMnemonic(control.label)), canvas);
        button->setCheckable(definition.kind == CTRL_TOGGLE_BUTTON);
        button->setAutoDefault(false);
        if (!definition.shortcut.empty()) {
            auto *shortcut = new QShortcut(QKeySequence(q(definition.shortcut)), panel.window);
            QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        }
        view = button;
        break;
    }
    case CTRL_RING: {
        auto *combo = new QComboBox(canvas);
        combo->addItems(itemLabels(control));
        view = combo;
        break;
    }
    case CTRL_LIST_BOX: {
        QLabel *caption = nullptr;
        view = labelled(new QListWidget, control.label, canvas, &caption);
        break;
    }
    case CTRL_TEXT_BOX: {
        auto *edit = new QPlainTextEdit;
        edit->setReadOnly(true);
        QLabel *caption = nullptr;
        view = labelled(edit, control.label, canvas, &caption);
        break;
    }
    case CTRL_STRING:
        view = new QLineEdit(q(control.text), canvas);
        break;
    case CTRL_KNOB: {
        auto *knob = new KnobView(canvas);
        knob->setRange(control.min, control.max, control.increment);
        knob->setValueFormat(decimalsFor(control));
        knob->setValue(control.number);
        view = knob;
        break;
    }
    case CTRL_SLIDE:
        view = new SlideView(itemLabels(control), canvas);
        break;
    }
    view->setObjectName(q(definition.constant));
    view->setFont(fontOf(definition, baseFont));
    view->setGeometry(definition.left, definition.top, definition.width, definition.height);
    auto *filter = new ClickFilter(panel.handle, control.id, leftClicks, view);
    view->installEventFilter(filter);
    for (QWidget *inner : view->findChildren<QWidget *>()) {
        inner->installEventFilter(filter);
    }
    connectUserEvents(panel, control, view);
    return view;
}

/// Brings a control's widget in line with its model.
void syncView(Control &control) {
    QWidget *view = control.view;
    if (view == nullptr) {
        return;
    }
    switch (control.definition.kind) {
    case CTRL_PICTURE:
        static_cast<PictureView *>(view)->setDimmed(control.dimmed);
        break;
    case CTRL_DECORATION:
        static_cast<DecorationView *>(view)->setDimmed(control.dimmed);
        break;
    case CTRL_TEXT_MSG: {
        auto *text = static_cast<TextView *>(view);
        text->setText(q(control.text));
        text->setDimmed(control.dimmed);
        break;
    }
    case CTRL_LED: {
        auto *led = static_cast<LedView *>(view);
        led->setOn(control.number != 0.0);
        led->setLabel(q(control.label));
        led->setDimmed(control.dimmed);
        break;
    }
    case CTRL_NUMERIC: {
        auto *numeric = static_cast<NumericView *>(view);
        numeric->setText(numberText(control));
        numeric->setDimmed(control.dimmed);
        break;
    }
    case CTRL_COMMAND_BUTTON:
    case CTRL_TOGGLE_BUTTON: {
        auto *button = static_cast<QPushButton *>(view);
        const QString caption = q(AcceleratorToMnemonic(control.label));
        if (button->text() != caption) {
            button->setText(caption);
        }
        if (button->isCheckable() && button->isChecked() != (control.number != 0.0)) {
            const QSignalBlocker block(button);
            button->setChecked(control.number != 0.0);
        }
        break;
    }
    case CTRL_RING: {
        auto *combo = static_cast<QComboBox *>(view);
        const QSignalBlocker block(combo);
        const QStringList labels = itemLabels(control);
        if (combo->count() != labels.size() ||
            (combo->count() > 0 && combo->itemText(combo->count() - 1) != labels.back())) {
            combo->clear();
            combo->addItems(labels);
        }
        if (combo->currentIndex() != control.index) {
            combo->setCurrentIndex(control.index);
        }
        break;
    }
    case CTRL_LIST_BOX: {
        auto *list = view->findChild<QListWidget *>();
        auto *caption = view->findChild<QLabel *>();
        const QSignalBlocker block(list);
        const QStringList labels = itemLabels(control);
        bool same = list->count() == labels.size();
        for (int i = 0; same && i < list->count(); ++i) {
            same = list->item(i)->text() == labels.at(i);
        }
        if (!same) {
            list->clear();
            list->addItems(labels);
        }
        if (list->currentRow() != control.index) {
            list->setCurrentRow(control.index);
        }
        caption->setText(q(StripAccelerator(control.label)));
        break;
    }
    case CTRL_TEXT_BOX: {
        auto *edit = view->findChild<QPlainTextEdit *>();
        auto *caption = view->findChild<QLabel *>();
        if (edit->toPlainText() != q(control.text)) {
            edit->setPlainText(q(control.text));
            // Text boxes grow at the end (status logs): keep the newest line in view.
            edit->moveCursor(QTextCursor::End);
            edit->ensureCursorVisible();
        }
        caption->setText(q(StripAccelerator(control.label)));
        caption->setVisible(!control.label.empty());
        break;
    }
    case CTRL_STRING: {
        auto *edit = static_cast<QLineEdit *>(view);
        if (edit->text() != q(control.text)) {
            edit->setText(q(control.text));
        }
        break;
    }
    case CTRL_KNOB: {
        auto *knob = static_cast<KnobView *>(view);
        knob->setRange(control.min, control.max, control.increment);
        knob->setValue(control.number);
        knob->setDimmed(control.dimmed);
        break;
    }
    case CTRL_SLIDE: {
        auto *slide = static_cast<SlideView *>(view);
        slide->setLabels(itemLabels(control));
        slide->setIndex(control.index);
        slide->setDimmed(control.dimmed);
        break;
    }
    case CTRL_GRAPH:
    case CTRL_TIMER:
        break;
    }
    // Qt widgets grey themselves; the painted kinds above draw their own dimmed look and must
    // still see the clicks that the filter swallows.
    const bool qtWidget =
        qobject_cast<QPushButton *>(view) != nullptr ||
        qobject_cast<QComboBox *>(view) != nullptr || qobject_cast<QLineEdit *>(view) != nullptr ||
        control.definition.kind == CTRL_LIST_BOX || control.definition.kind == CTRL_TEXT_BOX;
    const bool enabled = qtWidget ? !control.dimmed && control.inputEnabled : true;
    if (view->isEnabled() != enabled) {
        view->setEnabled(enabled);
    }
    if (view->isVisibleTo(view->parentWidget()) != control.visible) {
        view->setVisible(control.visible);
    }
}

void initialiseModel(Control &control) {
    const ControlSpec &definition = control.definition;
    control.label = definition.label;
    control.text = definition.text;
    control.number = definition.value;
    control.items = definition.items;
    control.min = definition.min;
    control.max = definition.max;
    control.increment = definition.increment;
    control.hasMin = definition.hasMin;
    control.hasMax = definition.hasMax;
    control.visible = !definition.hidden;
    control.dimmed = definition.dimmed;
    control.interval = definition.interval;
    control.timerEnabled = definition.enabled;
    if (!control.items.empty()) {
        control.index = 0;
        for (std::size_t i = 0; i < control.items.size(); ++i) {
            if (control.items[i].value == static_cast<int>(definition.value)) {
                control.index = static_cast<int>(i);
                break;
            }
        }
    }
}

void buildMenuBar(Panel &panel, QMenuBar *bar) {
    const int barHandle = panel.menuBar;
    std::function<void(QMenu *, const std::vector<MenuItemSpec> &)> addItems;
    addItems = [&](QMenu *menu, const std::vector<MenuItemSpec> &items) {
        for (const MenuItemSpec &item : items) {
            if (item.separator) {
                menu->addSeparator();
                continue;
            }
            if (!item.children.empty()) {
                QMenu *sub = menu->addMenu(q(AcceleratorToMnemonic(item.text)));
                panel.menuActions[item.id] = sub->menuAction();
                addItems(sub, item.children);
                continue;
            }
            QAction *action = menu->addAction(q(AcceleratorToMnemonic(item.text)));
            if (!item.shortcut.empty()) {
                action->setShortcut(QKeySequence(q(item.shortcut)));
            }
            const int itemId = item.id;
            QObject::connect(action, &QAction::triggered, bar,
                             [barHandle, itemId] { DispatchMenuItem(barHandle, itemId); });
            panel.menuActions[item.id] = action;
        }
    };
    for (const MenuItemSpec &menuSpec : panel.definition.menuBar->menus) {
        QMenu *menu = bar->addMenu(q(AcceleratorToMnemonic(menuSpec.text)));
        panel.menuActions[menuSpec.id] = menu->menuAction();
        addItems(menu, menuSpec.children);
    }
}

void buildWindow(Panel &panel) {
    Panel *parent = FindPanel(panel.parent);
    const bool titled = !panel.definition.title.empty();
    Qt::WindowFlags flags = parent != nullptr ? Qt::Dialog : Qt::Window;
    if (!titled && parent != nullptr) {
        flags |= Qt::FramelessWindowHint;
    }
    QWidget *parentWindow = parent != nullptr ? parent->window.data() : nullptr;
    auto *window = new PanelWindow(panel.handle, parentWindow, flags);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setWindowTitle(titled ? q(panel.definition.title) : QStringLiteral(" "));
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
                                  : QColor(q(panel.definition.background));
    auto *canvas = new PanelCanvas(background, !titled, window);
    canvas->setFixedSize(panel.definition.width, panel.definition.height);
    layout->addWidget(canvas, 0, Qt::AlignCenter);
    panel.canvas = canvas;

    const QFont baseFont = QApplication::font();
    for (Control &control : panel.controls) {
        control.view = createView(panel, control, canvas, baseFont);
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
        syncView(control);
        if (control.definition.kind == CTRL_TIMER) {
            auto *timer = new QTimer(window);
            timer->setTimerType(Qt::PreciseTimer);
            const int handle = panel.handle;
            const int id = control.id;
            QObject::connect(timer, &QTimer::timeout, window,
                             [handle, id] { DispatchEvent(handle, id, EVENT_TIMER_TICK); });
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

} // namespace

int CreatePanel(int parent, const std::string &fileName, int panelNumber) {
    EngineState &engine = Engine();
    if (parent != 0 && FindPanel(parent) == nullptr) {
        engine.errorText = fileName + ": parent panel " + std::to_string(parent) + " not loaded";
        return kEngineBadHandle;
    }
    PanelLoadResult read =
        ReadPanelSpec(resourcePath(fileName).toStdString(), fileName, panelNumber);
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
        control.definition = panel->definition.controls[i];
        control.id = static_cast<int>(i) + 2;
        initialiseModel(control);
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
    Panel &built = *panel;
    engine.panels.emplace(built.handle, std::move(panel));
    buildWindow(built);
    return built.handle;
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

void ShowPanelWindow(Panel &panel, bool modal) {
    QWidget *window = panel.window;
    if (window == nullptr) {
        return;
    }
    FlushDirtyControls();
    window->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect();
    Panel *parent = FindPanel(panel.parent);
    QPoint place(panel.left, panel.top);
    if (panel.left == VAL_AUTO_CENTER) {
        place = area.center() - QPoint(window->width() / 2, window->height() / 2);
    } else if (parent != nullptr && parent->canvas != nullptr) {
        place = parent->canvas->mapToGlobal(place);
    }
    // A dialog asked to open near the screen's edge is kept whole on the screen.
    if (parent != nullptr && area.isValid()) {
        place.setX(std::clamp(place.x(), area.left(),
                              std::max(area.left(), area.right() - window->width())));
        place.setY(std::clamp(place.y(), area.top(),
                              std::max(area.top(), area.bottom() - window->height())));
    }
    window->move(place);
    if (panel.zoom == VAL_MAXIMIZE) {
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
    if (panel.window != nullptr) {
        panel.window->hide();
    }
}

void MarkDirty(const Panel &panel, Control &control) {
    EngineState &engine = Engine();
    if (!control.dirty) {
        control.dirty = true;
        engine.dirtyControls.emplace_back(panel.handle, control.id);
    }
    if (!engine.flushScheduled && QCoreApplication::instance() != nullptr) {
        engine.flushScheduled = true;
        QTimer::singleShot(0, [] { FlushDirtyControls(); });
    }
}

void FlushDirtyControls() {
    EngineState &engine = Engine();
    engine.flushScheduled = false;
    std::vector<std::pair<int, int>> dirty;
    dirty.swap(engine.dirtyControls);
    for (const auto &[panel, id] : dirty) {
        if (Control *control = FindControl(panel, id)) {
            control->dirty = false;
            syncView(*control);
        }
    }
}

int DispatchEvent(int panel, int control, int event, int data1, int data2) {
    Control *target = FindControl(panel, control);
    if (target == nullptr || target->callback == nullptr) {
        return 0;
    }
    const CtrlCallbackPtr callback = target->callback;
    const int result = callback(panel, control, event, nullptr, data1, data2);
    FlushDirtyControls();
    return result;
}

int DispatchMenuItem(int menuBar, int item) {
    EngineState &engine = Engine();
    const auto owner = engine.menuBarPanels.find(menuBar);
    if (owner == engine.menuBarPanels.end()) {
        return kEngineBadHandle;
    }
    const int panelHandle = owner->second;
    Panel *panel = FindPanel(panelHandle);
    if (panel == nullptr) {
        return kEngineBadHandle;
    }
    std::string callbackName;
    std::function<bool(const std::vector<MenuItemSpec> &)> find;
    find = [&](const std::vector<MenuItemSpec> &items) {
        for (const MenuItemSpec &entry : items) {
            if (entry.id == item) {
                callbackName = entry.callback;
                return true;
            }
            if (find(entry.children)) {
                return true;
            }
        }
        return false;
    };
    if (!find(panel->definition.menuBar->menus)) {
        return kEngineBadControl;
    }
    const auto callback = engine.menuCallbacks.find(callbackName);
    if (callbackName.empty() || callback == engine.menuCallbacks.end()) {
        return 0;
    }
    callback->second(menuBar, item, nullptr, panelHandle);
    FlushDirtyControls();
    return 0;
}

void UpdateTimer(Panel &, Control &control) {
    QTimer *timer = control.timer;
    if (timer == nullptr) {
        return;
    }
    // 1 ms is the fastest tick the engine delivers.
    const int milliseconds = std::max(1, static_cast<int>(std::lround(control.interval * 1000.0)));
    // A timer without a callback keeps its settings but never wakes the program up: its ticks
    // would have no effect.
    const bool run = control.timerEnabled && Engine().timersArmed && control.callback != nullptr;
    if (timer->interval() != milliseconds) {
        timer->setInterval(milliseconds);
    }
    if (run && !timer->isActive()) {
        timer->start();
    } else if (!run && timer->isActive()) {
        timer->stop();
    }
}

void ArmAllTimers() {
    EngineState &engine = Engine();
    engine.timersArmed = true;
    for (auto &[handle, panel] : engine.panels) {
        for (Control &control : panel->controls) {
            UpdateTimer(*panel, control);
        }
    }
}

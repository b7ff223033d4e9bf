#include "engine/engine.h"

#include "engine/dde_reset.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/graph_widget.h"
#include "engine/install_paths.h"
#include "engine/panels.h"
#include "engine/picture_state.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QSaveFile>
#include <QStyleFactory>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

namespace {

QString q(const char *text) {
    return QString::fromUtf8(text != nullptr ? text : "");
}

/// The instrument's dark bench look for every panel and dialog.
void applyInstrumentLook(QApplication &application) {
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(52, 56, 62));
    palette.setColor(QPalette::WindowText, QColor(232, 234, 238));
    palette.setColor(QPalette::Base, QColor(28, 30, 34));
    palette.setColor(QPalette::AlternateBase, QColor(44, 47, 52));
    palette.setColor(QPalette::Text, QColor(232, 234, 238));
    palette.setColor(QPalette::Button, QColor(70, 75, 82));
    palette.setColor(QPalette::ButtonText, QColor(240, 242, 245));
    palette.setColor(QPalette::Highlight, QColor(64, 140, 110));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::ToolTipBase, QColor(40, 42, 46));
    palette.setColor(QPalette::ToolTipText, QColor(240, 240, 240));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 134, 140));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 134, 140));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 134, 140));
    application.setPalette(palette);
    // 15 px: capitals 11 px tall at the stored size, legible on a teaching bench from a seat away.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    application.setFont(font);
}

bool headless() {
    return QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

bool isNumericKind(EngineControlKind kind) {
    return kind == CTRL_NUMERIC || kind == CTRL_KNOB || kind == CTRL_LED ||
           kind == CTRL_TOGGLE_BUTTON;
}

bool isItemKind(EngineControlKind kind) {
    return kind == CTRL_RING || kind == CTRL_LIST_BOX || kind == CTRL_SLIDE;
}

bool isTextKind(EngineControlKind kind) {
    return kind == CTRL_TEXT_MSG || kind == CTRL_STRING || kind == CTRL_TEXT_BOX;
}

bool hasRange(const Control &control) {
    return control.definition.kind == CTRL_KNOB ||
           (control.definition.kind == CTRL_NUMERIC && control.hasMin && control.hasMax);
}

/// Stores a number as the control's data type holds it, kept inside its range.
double coerced(const Control &control, double value) {
    if (hasRange(control)) {
        value = std::clamp(value, control.min, std::max(control.min, control.max));
    }
    switch (control.definition.dataType) {
    case VAL_INTEGER:
        return std::round(value);
    case VAL_FLOAT:
        return static_cast<float>(value);
    default:
        return value;
    }
}

int setNumber(int panel, int control, double value) {
    Control *target = FindControl(panel, control);
    if (target == nullptr) {
        return FindPanel(panel) == nullptr ? kEngineBadHandle : kEngineBadControl;
    }
    const EngineControlKind kind = target->definition.kind;
    if (kind == CTRL_LED || kind == CTRL_TOGGLE_BUTTON) {
        target->number = value != 0.0 ? 1.0 : 0.0;
    } else if (isNumericKind(kind)) {
        target->number = coerced(*target, value);
    } else if (isItemKind(kind)) {
        const auto found =
            std::find_if(target->items.begin(), target->items.end(), [value](const ItemSpec &item) {
                return item.value == static_cast<int>(value);
            });
        if (found == target->items.end()) {
            return kEngineBadValue;
        }
        target->index = static_cast<int>(found - target->items.begin());
    } else {
        return kEngineBadValue;
    }
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

/// Finds a control for an attribute or value read; `error` gets the failure code.
Control *lookup(int panel, int control, int &error) {
    Control *target = FindControl(panel, control);
    error = target != nullptr             ? kEngineOk
            : FindPanel(panel) == nullptr ? kEngineBadHandle
                                          : kEngineBadControl;
    return target;
}

int copyString(const std::string &text, char *buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) {
        return kEngineBadValue;
    }
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count == text.size() ? kEngineOk : kEngineBadValue;
}

void recordPopup(const char *title, const char *message) {
    EngineState &engine = Engine();
    ++engine.popupCount;
    engine.lastPopupTitle = title != nullptr ? title : "";
    engine.lastPopupMessage = message != nullptr ? message : "";
}

/// Lets the test's pop-up handler answer, from inside a nested event loop as a pop-up window
/// would run one: timers keep ticking and windows keep painting while the handler works.
std::optional<EnginePopupAnswer> handlerAnswer(EnginePopupKind kind, const char *title,
                                               const char *message) {
    // A copy: the handler may install another one while it runs.
    const EnginePopupHandler handler = Engine().popupHandler;
    if (!handler) {
        return std::nullopt;
    }
    const std::string titleText = title != nullptr ? title : "";
    const std::string messageText = message != nullptr ? message : "";
    if (QCoreApplication::instance() == nullptr) {
        return handler(kind, titleText, messageText);
    }
    EnginePopupAnswer answer;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        answer = handler(kind, titleText, messageText);
        loop.quit();
    });
    loop.exec();
    return answer;
}

std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    if (text.empty()) {
        return lines;
    }
    std::string line;
    std::istringstream stream(text);
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    if (text.back() == '\n') {
        lines.emplace_back();
    }
    return lines;
}

std::string joinLines(const std::vector<std::string> &lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += lines[i];
    }
    return text;
}

} // namespace

// ---- Start-up and the event loop ------------------------------------------------------------

int InitCVIRTE(void *, char *argv[], void *) {
    EngineState &engine = Engine();
    if (QCoreApplication::instance() == nullptr) {
        // QApplication keeps a reference to argc for its whole life.
        static int argc = 0;
        static char emptyName[] = "vantrel";
        static char *fallback[] = {emptyName, nullptr};
        char **arguments = argv != nullptr ? argv : fallback;
        argc = 0;
        while (arguments[argc] != nullptr) {
            ++argc;
        }
        engine.ownApplication = std::make_unique<QApplication>(argc, arguments);
    }
    auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (application == nullptr) {
        return 0;
    }
    applyInstrumentLook(*application);
    AnnounceDesktopIdentity();
    engine.initialised = true;
    return 1;
}

void CloseCVIRTE() {
    EngineReset();
    EngineState &engine = Engine();
    engine.bitmaps.clear();
    if (engine.ownApplication != nullptr) {
        engine.ownApplication.reset();
        engine.initialised = false;
    }
}

int RunUserInterface() {
    EngineState &engine = Engine();
    if (!engine.initialised) {
        return kEngineNotInitialised;
    }
    ArmAllTimers();
    QEventLoop loop;
    engine.loop = &loop;
    engine.loopResult = 0;
    loop.exec();
    engine.loop = nullptr;
    return engine.loopResult;
}

int QuitUserInterface(int returnCode) {
    EngineState &engine = Engine();
    ++engine.quitCount;
    engine.loopResult = returnCode;
    if (engine.loop != nullptr) {
        engine.loop->quit();
    }
    return kEngineOk;
}

int PostDeferredCall(DeferredCallbackPtr function, void *callbackData) {
    if (function == nullptr || QCoreApplication::instance() == nullptr) {
        return kEngineBadValue;
    }
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [function, callbackData] { function(callbackData); });
    return kEngineOk;
}

void Delay(double seconds) {
    if (QCoreApplication::instance() == nullptr || seconds <= 0.0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000.0)), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
}

int RegisterCallback(const char *name, CtrlCallbackPtr function) {
    auto &callbacks = Engine().callbacks;
    const auto [entry, added] = callbacks.emplace(name, function);
    return added || entry->second == function ? kEngineOk : kEngineBadValue;
}

int RegisterMenuCallback(const char *name, MenuCallbackPtr function) {
    auto &callbacks = Engine().menuCallbacks;
    const auto [entry, added] = callbacks.emplace(name, function);
    return added || entry->second == function ? kEngineOk : kEngineBadValue;
}

CtrlCallbackPtr FindCallback(const char *name) {
    const auto &callbacks = Engine().callbacks;
    const auto found = callbacks.find(name);
    return found == callbacks.end() ? nullptr : found->second;
}

MenuCallbackPtr FindMenuCallback(const char *name) {
    const auto &callbacks = Engine().menuCallbacks;
    const auto found = callbacks.find(name);
    return found == callbacks.end() ? nullptr : found->second;
}

void SetStrictCallbackResolution(int strict) {
    Engine().strictCallbacks = strict != 0;
}

// ---- Panels ---------------------------------------------------------------------------------

int LoadPanel(int parentPanel, const char *fileName, int panelNumber) {
    if (!Engine().initialised) {
        Engine().errorText = "the engine is not initialised";
        return kEngineNotInitialised;
    }
    return CreatePanel(parentPanel, fileName != nullptr ? fileName : "", panelNumber);
}

int DisplayPanel(int panel) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    ShowPanelWindow(*target, target->installed);
    return kEngineOk;
}

int HidePanel(int panel) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    std::erase(Engine().popups, panel);
    target->installed = false;
    HidePanelWindow(*target);
    return kEngineOk;
}

int InstallPopup(int panel) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    auto &popups = Engine().popups;
    std::erase(popups, panel);
    popups.push_back(panel);
    target->installed = true;
    ShowPanelWindow(*target, true);
    return kEngineOk;
}

int RemovePopup(int removeAll) {
    auto &popups = Engine().popups;
    do {
        if (popups.empty()) {
            return kEngineOk;
        }
        const int top = popups.back();
        popups.pop_back();
        if (Panel *panel = FindPanel(top)) {
            panel->installed = false;
            HidePanelWindow(*panel);
        }
    } while (removeAll != 0);
    return kEngineOk;
}

int DiscardPanel(int panel) {
    if (FindPanel(panel) == nullptr) {
        return kEngineBadHandle;
    }
    DestroyPanel(panel);
    return kEngineOk;
}

int SetPanelPos(int panel, int top, int left) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    target->top = top;
    target->left = left;
    if (target->window != nullptr && target->window->isVisible()) {
        ShowPanelWindow(*target, target->installed);
    }
    return kEngineOk;
}

int SetPanelAttribute(int panel, int attribute, int value) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    switch (attribute) {
    case ATTR_WINDOW_ZOOM:
        target->zoom = value;
        if (target->window != nullptr && target->window->isVisible()) {
            ShowPanelWindow(*target, target->installed);
        }
        return kEngineOk;
    case ATTR_TOP:
        return SetPanelPos(panel, value, target->left);
    case ATTR_LEFT:
        return SetPanelPos(panel, target->top, value);
    case ATTR_VISIBLE:
        return value != 0 ? DisplayPanel(panel) : HidePanel(panel);
    default:
        return kEngineBadAttribute;
    }
}

int SetPanelAttribute(int panel, int attribute, const char *value) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    if (attribute != ATTR_TITLE) {
        return kEngineBadAttribute;
    }
    target->title = value != nullptr ? value : "";
    if (target->window != nullptr) {
        target->window->setWindowTitle(target->title.empty() ? QStringLiteral(" ")
                                                             : q(target->title.c_str()));
    }
    return kEngineOk;
}

int GetPanelAttribute(int panel, int attribute, int *value) {
    const Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    switch (attribute) {
    case ATTR_TOP:
        *value = target->top;
        return kEngineOk;
    case ATTR_LEFT:
        *value = target->left;
        return kEngineOk;
    case ATTR_HEIGHT:
        *value = target->definition.height;
        return kEngineOk;
    case ATTR_WIDTH:
        *value = target->definition.width;
        return kEngineOk;
    case ATTR_VISIBLE:
        *value = target->window != nullptr && target->window->isVisible() ? 1 : 0;
        return kEngineOk;
    case ATTR_WINDOW_ZOOM:
        *value = target->zoom;
        return kEngineOk;
    case ATTR_PANEL_NUMBER:
        *value = target->definition.number;
        return kEngineOk;
    case ATTR_NUM_CTRLS:
        *value = static_cast<int>(target->controls.size());
        return kEngineOk;
    default:
        return kEngineBadAttribute;
    }
}

int GetPanelAttribute(int panel, int attribute, std::string *value) {
    const Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    switch (attribute) {
    case ATTR_TITLE:
        *value = target->title;
        return kEngineOk;
    case ATTR_CONSTANT_NAME:
        *value = target->definition.constant;
        return kEngineOk;
    default:
        return kEngineBadAttribute;
    }
}

int GetPanelMenuBar(int panel) {
    const Panel *target = FindPanel(panel);
    return target != nullptr ? target->menuBar : 0;
}

int GetGlobalMouseState(int *panel, int *x, int *y, int *leftDown, int *rightDown, int *modifiers) {
    const QPoint at = QCursor::pos();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    if (panel != nullptr) {
        *panel = 0;
    }
    if (x != nullptr) {
        *x = at.x();
    }
    if (y != nullptr) {
        *y = at.y();
    }
    if (leftDown != nullptr) {
        *leftDown = (buttons & Qt::LeftButton) ? 1 : 0;
    }
    if (rightDown != nullptr) {
        *rightDown = (buttons & Qt::RightButton) ? 1 : 0;
    }
    if (modifiers != nullptr) {
        *modifiers = static_cast<int>(QGuiApplication::keyboardModifiers());
    }
    return kEngineOk;
}

int GetRelativeMouseState(int panel, int, int *x, int *y, int *leftDown, int *rightDown,
                          int *modifiers) {
    const Panel *target = FindPanel(panel);
    if (target == nullptr || target->canvas == nullptr) {
        return kEngineBadHandle;
    }
    int globalX = 0;
    int globalY = 0;
    GetGlobalMouseState(nullptr, &globalX, &globalY, leftDown, rightDown, modifiers);
    const QPoint at =
        CanvasToPanel(*target, target->canvas->mapFromGlobal(QPoint(globalX, globalY)));
    if (x != nullptr) {
        *x = at.x();
    }
    if (y != nullptr) {
        *y = at.y();
    }
    return kEngineOk;
}

const char *GetEngineErrorText() {
    return Engine().errorText.c_str();
}

// ---- Controls -------------------------------------------------------------------------------

int SetCtrlVal(int panel, int control, int value) {
    return setNumber(panel, control, value);
}

int SetCtrlVal(int panel, int control, double value) {
    return setNumber(panel, control, value);
}

int SetCtrlVal(int panel, int control, const char *value) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    const std::string text = value != nullptr ? value : "";
    switch (target->definition.kind) {
    case CTRL_TEXT_BOX:
        if (text.empty()) {
            return kEngineOk;
        }
        target->text += text;
        break;
    case CTRL_TEXT_MSG:
    case CTRL_STRING:
        if (target->text == text) {
            return kEngineOk;
        }
        target->text = text;
        break;
    default:
        return kEngineBadValue;
    }
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int GetCtrlVal(int panel, int control, double *value) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    if (isNumericKind(target->definition.kind)) {
        *value = target->number;
    } else if (isItemKind(target->definition.kind)) {
        *value = SelectedValue(*target);
    } else {
        return kEngineBadValue;
    }
    return kEngineOk;
}

int GetCtrlVal(int panel, int control, int *value) {
    double number = 0.0;
    const int error = GetCtrlVal(panel, control, &number);
    if (error == kEngineOk && value != nullptr) {
        *value = static_cast<int>(std::lround(number));
    }
    return value == nullptr ? kEngineBadValue : error;
}

int GetCtrlVal(int panel, int control, float *value) {
    double number = 0.0;
    const int error = GetCtrlVal(panel, control, &number);
    if (error == kEngineOk && value != nullptr) {
        *value = static_cast<float>(number);
    }
    return value == nullptr ? kEngineBadValue : error;
}

int GetCtrlVal(int panel, int control, std::string *value) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr || !isTextKind(target->definition.kind)) {
        return kEngineBadValue;
    }
    *value = target->text;
    return kEngineOk;
}

int GetCtrlValString(int panel, int control, char *buffer, std::size_t size) {
    std::string text;
    const int error = GetCtrlVal(panel, control, &text);
    if (error != kEngineOk) {
        return error;
    }
    return copyString(text, buffer, size);
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    switch (attribute) {
    case ATTR_CTRL_MODE:
        return SetInputMode(panel, control, value == VAL_INDICATOR ? 0 : 1);
    case ATTR_INTERVAL:
    case ATTR_MIN_VALUE:
    case ATTR_MAX_VALUE:
    case ATTR_INCR_VALUE:
        return SetCtrlAttribute(panel, control, attribute, static_cast<double>(value));
    case ATTR_CTRL_VAL:
        return SetCtrlVal(panel, control, value);
    case ATTR_POINTER_ANGLE:
    case ATTR_PRESSED_KEYS:
        return SetCtrlAttribute(panel, control, attribute, static_cast<double>(value));
    default:
        break;
    }
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    Panel &owner = *FindPanel(panel);
    switch (attribute) {
    case ATTR_VISIBLE:
        if (target->visible != (value != 0)) {
            target->visible = value != 0;
            MarkDirty(owner, *target);
        }
        return kEngineOk;
    case ATTR_DIMMED:
        if (target->dimmed != (value != 0)) {
            target->dimmed = value != 0;
            MarkDirty(owner, *target);
        }
        return kEngineOk;
    case ATTR_ENABLED:
        if (target->definition.kind != CTRL_TIMER) {
            return kEngineBadAttribute;
        }
        target->timerEnabled = value != 0;
        UpdateTimer(owner, *target);
        return kEngineOk;
    case ATTR_TOP:
    case ATTR_LEFT:
    case ATTR_HEIGHT:
    case ATTR_WIDTH: {
        ControlSpec &definition = target->definition;
        int &field = attribute == ATTR_TOP      ? definition.top
                     : attribute == ATTR_LEFT   ? definition.left
                     : attribute == ATTR_HEIGHT ? definition.height
                                                : definition.width;
        field = value;
        PlaceControl(owner, *target);
        return kEngineOk;
    }
    default:
        return kEngineBadAttribute;
    }
}

int SetCtrlAttribute(int panel, int control, int attribute, double value) {
    if (attribute == ATTR_CTRL_VAL) {
        return SetCtrlVal(panel, control, value);
    }
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    Panel &owner = *FindPanel(panel);
    switch (attribute) {
    case ATTR_INTERVAL:
        if (target->definition.kind != CTRL_TIMER || !(value >= 0.0) || !std::isfinite(value)) {
            return target->definition.kind != CTRL_TIMER ? kEngineBadAttribute : kEngineBadValue;
        }
        target->interval = value;
        UpdateTimer(owner, *target);
        return kEngineOk;
    case ATTR_MIN_VALUE:
    case ATTR_MAX_VALUE:
    case ATTR_INCR_VALUE:
        if (target->definition.kind != CTRL_KNOB && target->definition.kind != CTRL_NUMERIC) {
            return kEngineBadAttribute;
        }
        if (attribute == ATTR_MIN_VALUE) {
            target->min = value;
            target->hasMin = true;
        } else if (attribute == ATTR_MAX_VALUE) {
            target->max = value;
            target->hasMax = true;
        } else {
            if (!(value > 0.0)) {
                return kEngineBadValue;
            }
            target->increment = value;
        }
        target->number = coerced(*target, target->number);
        MarkDirty(owner, *target);
        return kEngineOk;
    case ATTR_VISIBLE:
    case ATTR_DIMMED:
    case ATTR_ENABLED:
        return SetCtrlAttribute(panel, control, attribute, static_cast<int>(value));
    default:
        return SetPictureStateAttribute(owner, *target, attribute, value);
    }
}

int SetCtrlAttribute(int panel, int control, int attribute, const char *value) {
    if (attribute == ATTR_CTRL_VAL) {
        return SetCtrlVal(panel, control, value);
    }
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (attribute != ATTR_LABEL_TEXT) {
        return SetTooltipAttribute(*FindPanel(panel), *target, attribute,
                                   value != nullptr ? value : "");
    }
    const std::string label = value != nullptr ? value : "";
    if (target->label != label) {
        target->label = label;
        MarkDirty(*FindPanel(panel), *target);
    }
    return kEngineOk;
}

int GetCtrlAttribute(int panel, int control, int attribute, int *value) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    const ControlSpec &definition = target->definition;
    switch (attribute) {
    case ATTR_VISIBLE:
        *value = target->visible ? 1 : 0;
        return kEngineOk;
    case ATTR_DIMMED:
        *value = target->dimmed ? 1 : 0;
        return kEngineOk;
    case ATTR_ENABLED:
        if (definition.kind != CTRL_TIMER) {
            return kEngineBadAttribute;
        }
        *value = target->timerEnabled ? 1 : 0;
        return kEngineOk;
    case ATTR_CTRL_KIND:
        *value = definition.kind;
        return kEngineOk;
    case ATTR_CTRL_MODE:
        *value = !target->inputEnabled         ? VAL_INDICATOR
                 : definition.callback.empty() ? VAL_NORMAL
                                               : VAL_HOT;
        return kEngineOk;
    case ATTR_DATA_TYPE:
        *value = isTextKind(definition.kind) ? VAL_STRING
                 : definition.kind == CTRL_KNOB || definition.kind == CTRL_NUMERIC
                     ? definition.dataType
                     : VAL_INTEGER;
        return kEngineOk;
    case ATTR_TOP:
        *value = definition.top;
        return kEngineOk;
    case ATTR_LEFT:
        *value = definition.left;
        return kEngineOk;
    case ATTR_HEIGHT:
        *value = definition.height;
        return kEngineOk;
    case ATTR_WIDTH:
        *value = definition.width;
        return kEngineOk;
    case ATTR_CTRL_VAL:
        return GetCtrlVal(panel, control, value);
    case ATTR_PLOT_COUNT:
        if (GraphWidget *graph = GraphOf(*target)) {
            *value = graph->plotCount();
            return kEngineOk;
        }
        return kEngineBadAttribute;
    case ATTR_PRESSED_KEYS: {
        double mask = 0.0;
        const int result = GetPictureStateAttribute(*target, attribute, &mask);
        *value = static_cast<int>(mask);
        return result;
    }
    default:
        return kEngineBadAttribute;
    }
}

int GetCtrlAttribute(int panel, int control, int attribute, double *value) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    const bool ranged =
        target->definition.kind == CTRL_KNOB || target->definition.kind == CTRL_NUMERIC;
    switch (attribute) {
    case ATTR_INTERVAL:
        if (target->definition.kind != CTRL_TIMER) {
            return kEngineBadAttribute;
        }
        *value = target->interval;
        return kEngineOk;
    case ATTR_MIN_VALUE:
        if (!ranged) {
            return kEngineBadAttribute;
        }
        *value = target->hasMin ? target->min : std::numeric_limits<double>::lowest();
        return kEngineOk;
    case ATTR_MAX_VALUE:
        if (!ranged) {
            return kEngineBadAttribute;
        }
        *value = target->hasMax ? target->max : std::numeric_limits<double>::max();
        return kEngineOk;
    case ATTR_INCR_VALUE:
        if (!ranged) {
            return kEngineBadAttribute;
        }
        *value = target->increment;
        return kEngineOk;
    case ATTR_CTRL_VAL:
        return GetCtrlVal(panel, control, value);
    default:
        return GetPictureStateAttribute(*target, attribute, value);
    }
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string *value) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    switch (attribute) {
    case ATTR_LABEL_TEXT:
        *value = target->label;
        return kEngineOk;
    case ATTR_CONSTANT_NAME:
        *value = target->definition.constant;
        return kEngineOk;
    case ATTR_CALLBACK_NAME:
        *value = target->definition.callback;
        return kEngineOk;
    case ATTR_SHORTCUT_KEY:
        *value = target->definition.shortcut;
        return kEngineOk;
    case ATTR_CTRL_VAL:
        return GetCtrlVal(panel, control, value);
    default:
        return GetTooltipAttribute(*target, attribute, value);
    }
}

int SetInputMode(int panel, int control, int mode) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (target->inputEnabled != (mode != 0)) {
        target->inputEnabled = mode != 0;
        MarkDirty(*FindPanel(panel), *target);
    }
    return kEngineOk;
}

// ---- Lists ----------------------------------------------------------------------------------

int InsertListItem(int panel, int control, int index, const char *label, int value) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!isItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    auto &items = target->items;
    if (index < -1 || index > static_cast<int>(items.size())) {
        return kEngineBadValue;
    }
    const auto at = index == -1 ? items.end() : items.begin() + index;
    items.insert(at, ItemSpec{label != nullptr ? label : "", value});
    if (target->index < 0) {
        target->index = 0;
    } else if (index != -1 && index <= target->index) {
        ++target->index;
    }
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int ClearListCtrl(int panel, int control) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!isItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    target->items.clear();
    target->index = -1;
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int GetNumListItems(int panel, int control, int *count) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!isItemKind(target->definition.kind) || count == nullptr) {
        return kEngineBadAttribute;
    }
    *count = static_cast<int>(target->items.size());
    return kEngineOk;
}

int GetLabelFromIndex(int panel, int control, int index, std::string *label) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (label == nullptr || index < 0 || index >= static_cast<int>(target->items.size())) {
        return kEngineBadValue;
    }
    *label = target->items[static_cast<std::size_t>(index)].label;
    return kEngineOk;
}

int GetValueFromIndex(int panel, int control, int index, int *value) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr || index < 0 || index >= static_cast<int>(target->items.size())) {
        return kEngineBadValue;
    }
    *value = target->items[static_cast<std::size_t>(index)].value;
    return kEngineOk;
}

int GetCtrlIndex(int panel, int control, int *index) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (index == nullptr || !isItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    *index = target->index;
    return kEngineOk;
}

int SetCtrlIndex(int panel, int control, int index) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!isItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    if (index < 0 || index >= static_cast<int>(target->items.size())) {
        return kEngineBadValue;
    }
    if (target->index != index) {
        target->index = index;
        MarkDirty(*FindPanel(panel), *target);
    }
    return kEngineOk;
}

// ---- Text boxes -----------------------------------------------------------------------------

int ResetTextBox(int panel, int control, const char *text) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (target->definition.kind != CTRL_TEXT_BOX) {
        return kEngineBadAttribute;
    }
    target->text = text != nullptr ? text : "";
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int InsertTextBoxLine(int panel, int control, int index, const char *text) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (target->definition.kind != CTRL_TEXT_BOX) {
        return kEngineBadAttribute;
    }
    std::vector<std::string> lines = splitLines(target->text);
    if (index < -1 || index > static_cast<int>(lines.size())) {
        return kEngineBadValue;
    }
    const auto at = index == -1 ? lines.end() : lines.begin() + index;
    lines.insert(at, text != nullptr ? text : "");
    target->text = joinLines(lines);
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int GetNumTextBoxLines(int panel, int control, int *count) {
    int error = kEngineOk;
    const Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (count == nullptr || target->definition.kind != CTRL_TEXT_BOX) {
        return kEngineBadAttribute;
    }
    *count = static_cast<int>(splitLines(target->text).size());
    return kEngineOk;
}

// ---- Graph ----------------------------------------------------------------------------------

namespace {
GraphWidget *graphFor(int panel, int control, int &error) {
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return nullptr;
    }
    GraphWidget *graph = GraphOf(*target);
    if (graph == nullptr) {
        error = kEngineBadAttribute;
    }
    return graph;
}
} // namespace

int SetAxisScalingMode(int panel, int control, int axis, int mode, double min, double max) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    if (mode != VAL_MANUAL) {
        return kEngineOk; // the screen always keeps a fixed range
    }
    if (!(min < max)) {
        return kEngineBadValue;
    }
    graph->setAxisRange(axis == VAL_XAXIS ? 0 : 1, min, max);
    return kEngineOk;
}

int PlotWaveform(int panel, int control, const double *y, int count, int, double gain,
                 double offset, double x0, double dx, int plotStyle, int, int, int, int color) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    const int handle = graph->addWaveform(y, count, gain, offset, x0, dx, plotStyle, color);
    return handle > 0 ? handle : kEngineBadValue;
}

int PlotXY(int panel, int control, const double *x, const double *y, int count, int, int,
           int plotStyle, int, int, int, int color) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    const int handle = graph->addXY(x, y, count, plotStyle, color);
    return handle > 0 ? handle : kEngineBadValue;
}

int DeleteGraphPlot(int panel, int control, int plotHandle, int) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    if (plotHandle == VAL_ALL_PLOTS) {
        graph->deleteAllPlots();
        return kEngineOk;
    }
    return graph->deletePlot(plotHandle) ? kEngineOk : kEngineNoSuchPlot;
}

int SetGraphBeamFocus(int panel, int control, double distance) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    if (!std::isfinite(distance) || distance < 0.0 || distance > 1.0) {
        return kEngineBadValue;
    }
    graph->setBeamFocus(distance);
    return kEngineOk;
}

int SetGraphAfterglow(int panel, int control, int on) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    graph->setAfterglow(on != 0);
    return kEngineOk;
}

// ---- Pop-ups --------------------------------------------------------------------------------

int ConfirmPopup(const char *title, const char *message) {
    EngineState &engine = Engine();
    recordPopup(title, message);
    if (const auto answer = handlerAnswer(EnginePopupKind::Confirm, title, message)) {
        return answer->confirm != 0 ? 1 : 0;
    }
    if (!engine.confirmAnswers.empty()) {
        const int answer = engine.confirmAnswers.front();
        engine.confirmAnswers.pop_front();
        return answer != 0 ? 1 : 0;
    }
    if (headless()) {
        return 0; // nobody can answer: the safe answer is no
    }
    QMessageBox box(QMessageBox::Question, q(title), q(message));
    QPushButton *yes = box.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no); // Escape answers no, the safe answer
    box.exec();
    return box.clickedButton() == yes ? 1 : 0;
}

int MessagePopup(const char *title, const char *message) {
    EngineState &engine = Engine();
    recordPopup(title, message);
    if (handlerAnswer(EnginePopupKind::Message, title, message)) {
        return kEngineOk;
    }
    if (!engine.confirmAnswers.empty()) {
        engine.confirmAnswers.pop_front();
        return kEngineOk;
    }
    if (headless()) {
        return kEngineOk;
    }
    QMessageBox box(QMessageBox::Information, q(title), q(message));
    box.exec();
    return kEngineOk;
}

int FileSelectPopup(const char *defaultDirectory, const char *defaultFileSpec, const char *,
                    const char *title, int buttonLabel, int, int restrictExtension, int, int,
                    char pathOut[260]) {
    EngineState &engine = Engine();
    engine.lastFileDialogDirectory = defaultDirectory != nullptr ? defaultDirectory : "";
    std::optional<std::string> chosen;
    if (const auto answer = handlerAnswer(EnginePopupKind::FileSelect, title, defaultFileSpec)) {
        chosen = answer->path;
    } else if (!engine.fileAnswers.empty()) {
        chosen = engine.fileAnswers.front();
        engine.fileAnswers.pop_front();
    } else if (!headless()) {
        const QString definition = q(defaultFileSpec);
        const QString suffix = QFileInfo(definition).suffix();
        const QString filter = restrictExtension != 0 && !suffix.isEmpty() && suffix != "*"
                                   ? QStringLiteral("*.") + suffix
                                   : QString();
        const QString start =
            QDir(q(defaultDirectory)).filePath(definition.contains('*') ? "" : definition);
        const QString picked = buttonLabel == VAL_SAVE_BUTTON
                                   ? QFileDialog::getSaveFileName(nullptr, q(title), start, filter)
                                   : QFileDialog::getOpenFileName(nullptr, q(title), start, filter);
        if (!picked.isEmpty()) {
            chosen = QDir::toNativeSeparators(picked).toStdString();
        }
    }
    if (!chosen || chosen->empty()) {
        return VAL_NO_FILE_SELECTED;
    }
    if (chosen->size() >= 260) {
        MessagePopup("Caminho demasiado longo",
                     "O caminho escolhido tem mais de 259 caracteres e não pode ser usado.\n"
                     "Escolha um ficheiro num caminho mais curto.");
        return VAL_NO_FILE_SELECTED;
    }
    copyString(*chosen, pathOut, 260);
    return QFileInfo::exists(QString::fromStdString(*chosen)) ? VAL_EXISTING_FILE_SELECTED
                                                              : VAL_NEW_FILE_SELECTED;
}

void CVI_Beep() {
    ++Engine().beepCount;
    if (!headless()) {
        QApplication::beep();
    }
}

// ---- Files ----------------------------------------------------------------------------------

int DisableBreakOnLibraryErrors() {
    return Engine().breakOnErrorsDepth++ == 0 ? 1 : 0;
}

int EnableBreakOnLibraryErrors() {
    int &depth = Engine().breakOnErrorsDepth;
    depth = std::max(0, depth - 1);
    return depth == 0 ? 1 : 0;
}

// ---- Test hooks -----------------------------------------------------------------------------

void EngineQueueConfirmAnswer(int answer) {
    Engine().confirmAnswers.push_back(answer);
}

void EngineQueueFileAnswer(const char *path) {
    Engine().fileAnswers.push_back(path != nullptr ? std::optional<std::string>(path)
                                                   : std::nullopt);
}

int EnginePopupCount() {
    return Engine().popupCount;
}

std::string EngineLastPopupTitle() {
    return Engine().lastPopupTitle;
}

std::string EngineLastPopupMessage() {
    return Engine().lastPopupMessage;
}

int EngineBeepCount() {
    return Engine().beepCount;
}

int EngineQuitCount() {
    return Engine().quitCount;
}

void EngineSetPopupHandler(EnginePopupHandler handler) {
    Engine().popupHandler = std::move(handler);
}

std::optional<std::string> EngineDiscardedText(int panel, int control) {
    const auto &kept = Engine().discardedTexts;
    for (auto entry = kept.rbegin(); entry != kept.rend(); ++entry) {
        if (entry->first == panel) {
            const auto text = entry->second.find(control);
            if (text != entry->second.end()) {
                return text->second;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

int EngineSendEvent(int panel, int control, int event) {
    Control *target = FindControl(panel, control);
    if (target == nullptr) {
        return FindPanel(panel) == nullptr ? kEngineBadHandle : kEngineBadControl;
    }
    if (!target->visible || target->dimmed || !target->inputEnabled) {
        return 0;
    }
    if (event == EVENT_COMMIT && target->definition.kind == CTRL_TOGGLE_BUTTON) {
        target->number = target->number != 0.0 ? 0.0 : 1.0;
        MarkDirty(*FindPanel(panel), *target);
    }
    return DispatchEvent(panel, control, event);
}

int EngineActivateMenuItem(int menuBar, int menuItem) {
    return DispatchMenuItem(menuBar, menuItem);
}

int EngineTickTimer(int panel, int control) {
    const Control *target = FindControl(panel, control);
    if (target == nullptr || target->definition.kind != CTRL_TIMER) {
        return kEngineBadControl;
    }
    return DispatchEvent(panel, control, EVENT_TIMER_TICK);
}

int EngineTopPopup() {
    const auto &popups = Engine().popups;
    return popups.empty() ? 0 : popups.back();
}

int EnginePopupDepth() {
    return static_cast<int>(Engine().popups.size());
}

int EnginePanelShown(int panel) {
    const Panel *target = FindPanel(panel);
    return target != nullptr && target->window != nullptr && target->window->isVisible() ? 1 : 0;
}

int EngineLoopRunning() {
    return Engine().loop != nullptr ? 1 : 0;
}

void EngineSetResourceDir(const char *directory) {
    Engine().resourceDir =
        directory != nullptr ? std::optional<std::string>(directory) : std::nullopt;
}

void EngineReset() {
    EngineState &engine = Engine();
    DdeReset();
    TerminateAllExecutables();
    std::vector<int> handles;
    for (const auto &[handle, panel] : engine.panels) {
        if (panel->parent == 0) {
            handles.push_back(handle);
        }
    }
    for (int handle : handles) {
        DestroyPanel(handle);
    }
    engine.popups.clear();
    engine.confirmAnswers.clear();
    engine.fileAnswers.clear();
    engine.popupHandler = nullptr;
    engine.discardedTexts.clear();
    engine.dirtyControls.clear();
    engine.resourceDir.reset();
    engine.programDir.reset();
    engine.timersArmed = false;
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// ---- Qt-side access -------------------------------------------------------------------------

QWidget *EngineControlWidget(int panel, int control) {
    Control *target = FindControl(panel, control);
    return target != nullptr ? target->view.data() : nullptr;
}

QWidget *EnginePanelWidget(int panel) {
    Panel *target = FindPanel(panel);
    return target != nullptr ? target->window.data() : nullptr;
}

namespace {
/// The screen drawn at `size`, its beams as wide relative to it as on the panel.
QImage renderScreen(const Control &control, GraphWidget &graph, QSize size) {
    const int stored = control.definition.width;
    const double scale = stored > 0 ? static_cast<double>(size.width()) / stored : 1.0;
    return graph.renderImage(size, scale);
}
} // namespace

QImage EngineRenderGraph(int panel, int control, QSize size) {
    Control *target = FindControl(panel, control);
    GraphWidget *graph = target != nullptr ? GraphOf(*target) : nullptr;
    if (graph == nullptr) {
        return {};
    }
    return renderScreen(*target, *graph, size.isEmpty() ? graph->size() : size);
}

// ---- Pictures of controls, clipboard, browser ------------------------------------------------

namespace {

QImage controlPicture(Control &control) {
    if (GraphWidget *graph = GraphOf(control)) {
        return renderScreen(control, *graph, graph->size());
    }
    if (control.view == nullptr) {
        return {};
    }
    return control.view->grab().toImage();
}

void putLittleEndian(QByteArray &out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

/// An uncompressed 24-bit BMP: file header, 40-byte information header, then the rows
/// bottom-up in blue-green-red order, each padded to a multiple of 4 bytes.
QByteArray encodeBmp24(const QImage &source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int width = image.width();
    const int height = image.height();
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const quint32 pixelBytes = static_cast<quint32>(rowSize) * static_cast<quint32>(height);
    constexpr quint32 kHeaderBytes = 14 + 40;
    QByteArray out;
    out.reserve(static_cast<int>(kHeaderBytes + pixelBytes));
    out.append("BM");
    putLittleEndian(out, kHeaderBytes + pixelBytes, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, kHeaderBytes, 4);
    putLittleEndian(out, 40, 4);
    putLittleEndian(out, static_cast<quint32>(width), 4);
    putLittleEndian(out, static_cast<quint32>(height), 4);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 24, 2);
    putLittleEndian(out, 0, 4); // no compression
    putLittleEndian(out, pixelBytes, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    QByteArray row(rowSize, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const uchar *pixels = image.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(pixels[3 * x + 2]);
            row[3 * x + 1] = static_cast<char>(pixels[3 * x + 1]);
            row[3 * x + 2] = static_cast<char>(pixels[3 * x]);
        }
        out.append(row);
    }
    return out;
}

} // namespace

int GetCtrlDisplayBitmap(int panel, int control, int, int *bitmap) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (bitmap == nullptr) {
        return kEngineBadValue;
    }
    EngineState &engine = Engine();
    *bitmap = engine.nextBitmap++;
    engine.bitmaps[*bitmap] = controlPicture(*target);
    return kEngineOk;
}

int ClipboardPutBitmap(int bitmap) {
    const auto found = Engine().bitmaps.find(bitmap);
    if (found == Engine().bitmaps.end()) {
        return kEngineBadHandle;
    }
    QGuiApplication::clipboard()->setImage(found->second);
    return kEngineOk;
}

int DiscardBitmap(int bitmap) {
    return Engine().bitmaps.erase(bitmap) > 0 ? kEngineOk : kEngineBadHandle;
}

int SaveCtrlDisplayToFile(int panel, int control, int, int height, int width, const char *path) {
    int error = kEngineOk;
    Control *target = lookup(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (path == nullptr || *path == '\0' || width <= 0 || height <= 0) {
        return kEngineBadValue;
    }
    QImage picture;
    if (GraphWidget *graph = GraphOf(*target)) {
        picture = renderScreen(*target, *graph, QSize(width, height));
    } else {
        picture = controlPicture(*target).scaled(width, height, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation);
    }
    QSaveFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return kEngineFileNotFound;
    }
    const QByteArray bytes = encodeBmp24(picture);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return kEngineFileNotFound;
    }
    return kEngineOk;
}

namespace {

/// Gives a shown panel's window the size at which its drawing surface holds the panel at its
/// stored size, whatever room the screen gave it: pictures of the program keep one size.
void showAtStoredSize(Panel &panel) {
    QWidget *window = panel.window;
    QWidget *canvas = panel.canvas;
    if (window == nullptr || canvas == nullptr) {
        return;
    }
    const QSize stored(panel.definition.width, panel.definition.height);
    if (window->isMaximized() || window->isFullScreen()) {
        window->showNormal();
    }
    // The menu bar's lettering follows the window's size, so the room it leaves settles after
    // a second resize.
    for (int attempt = 0; attempt < 3 && canvas->size() != stored; ++attempt) {
        if (window->layout() != nullptr) {
            window->layout()->activate();
        }
        window->resize(stored + window->size() - canvas->size());
        if (window->layout() != nullptr) {
            window->layout()->activate();
        }
        QCoreApplication::processEvents();
    }
}

} // namespace

int SavePanelDisplayToPng(int panel, const char *path) {
    Panel *target = FindPanel(panel);
    if (target == nullptr || target->window == nullptr) {
        return kEngineBadHandle;
    }
    if (path == nullptr || *path == '\0') {
        return kEngineBadValue;
    }
    showAtStoredSize(*target);
    const QImage picture = target->window->grab().toImage();
    QSaveFile file(QString::fromUtf8(path));
    if (picture.isNull() || !file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") ||
        !file.commit()) {
        return kEngineFileNotFound;
    }
    return kEngineOk;
}

int InetLaunchDefaultWebBrowser(const char *url) {
    EngineState &engine = Engine();
    engine.lastBrowserUrl = url != nullptr ? url : "";
    if (headless()) {
        return kEngineOk;
    }
    return QDesktopServices::openUrl(QUrl(QString::fromUtf8(engine.lastBrowserUrl.c_str())))
               ? kEngineOk
               : kEngineBadValue;
}

std::string EngineLastBrowserUrl() {
    return Engine().lastBrowserUrl;
}

std::string EngineLastFileDialogDirectory() {
    return Engine().lastFileDialogDirectory;
}

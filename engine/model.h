#pragma once
/// The engine's model of loaded panels and controls: what each control holds, the widgets and
/// windows that show them (as guarded pointers), and the engine's own state.
///
/// Operations change the model first and mark the control dirty (control_sync.h); the widgets
/// follow when the dirty controls are flushed.

#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "engine/resource_file.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GraphWidget;
class QAction;
class QApplication;
class QEventLoop;

struct Control {
    ControlSpec definition;
    int id = 0;
    CtrlCallbackPtr callback = nullptr;

    double number = 0.0; ///< numeric, knob, LED and toggle value
    std::string text;    ///< text message, string and text box contents
    std::string label;
    std::vector<ItemSpec> items;
    int index = -1; ///< selected item of a ring, list or slide
    double min = 0.0, max = 0.0, increment = 1.0;
    bool hasMin = false, hasMax = false;
    bool visible = true;
    bool dimmed = false;
    bool inputEnabled = true;
    double interval = 0.1;
    bool timerEnabled = false;
    bool timerDozing = false;  ///< woken seldom: nothing shows its ticks for now
    double pointerAngle = 0.0; ///< picture: degrees the artwork's pointer is turned
    int pressedKeys = 0;       ///< picture: bit mask of the artwork's keys shown pressed
    int leverPosition = 0;     ///< picture: stop of the artwork's slide lever
    std::string tooltip;

    QPointer<QWidget> view;
    QPointer<QTimer> timer;
    bool dirty = false;
};

struct Panel {
    int handle = 0;
    int parent = 0;
    std::string fileName;
    PanelSpec definition;
    std::string title;
    int top = 0, left = 0;
    int zoom = VAL_NO_ZOOM;
    std::vector<Control> controls; ///< index = id - 2; never resized after loading
    int menuBar = 0;
    std::map<int, QPointer<QAction>> menuActions; ///< menu item id -> action
    /// Items added by NewMenuItem: id -> callback and its data (their actions are in
    /// `menuActions` too).
    std::map<int, std::pair<MenuCallbackPtr, void *>> addedMenuItems;
    FileDropCallbackPtr fileDrop = nullptr; ///< SetPanelFileDropCallback
    QPointer<QWidget> window;
    QPointer<QWidget> canvas;
    bool installed = false;
    bool docked = false; ///< shown inside the parent's window (ATTR_DOCKED)
    /// Screen pixels per logical (resource file) pixel, and where the logical origin lies on
    /// the canvas: the panel is drawn uniformly scaled and centred in its window.
    double scale = 1.0;
    QPoint origin;
};

struct EngineState {
    EngineState() = default;
    EngineState(const EngineState &) = delete;
    EngineState &operator=(const EngineState &) = delete;
    ~EngineState();

    std::unique_ptr<QApplication> ownApplication;
    bool initialised = false;
    std::map<int, std::unique_ptr<Panel>> panels;
    std::map<int, int> menuBarPanels; ///< menu bar handle -> panel handle
    int nextHandle = 1;
    std::vector<int> popups; ///< installed pop-ups, topmost last
    std::map<std::string, CtrlCallbackPtr> callbacks;
    std::map<std::string, MenuCallbackPtr> menuCallbacks;
    std::deque<int> confirmAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    int popupCount = 0;
    int beepCount = 0;
    int quitCount = 0;
    EnginePopupHandler popupHandler;
    /// Text boxes of recently discarded panels, oldest first: panel handle, control id -> text.
    std::deque<std::pair<int, std::map<int, std::string>>> discardedTexts;
    std::string lastPopupTitle, lastPopupMessage;
    std::string lastBrowserUrl;
    std::string lastFileDialogDirectory;
    QPointer<QEventLoop> loop;
    int loopResult = 0;
    bool timersArmed = false;
    std::string errorText;
    std::optional<std::string> resourceDir;
    std::optional<std::string> programDir; ///< tests: stands in for the executable's folder
    std::optional<QRect> screenArea;       ///< tests: stands in for the screen's free area
    std::vector<std::pair<int, int>> dirtyControls;
    bool flushScheduled = false;
    /// Plots added with a picture the screen did not show yet: how a fast timer sees that a
    /// run of its callback changed the picture.
    unsigned long long newPictures = 0;
    /// One wake-up per display frame serves every timer faster than a frame, then the screens'
    /// frame checks: the running timers it serves (panel, control), in the order they joined.
    QPointer<QTimer> frameClock;
    std::vector<std::pair<int, int>> frameTimers;
    /// Screens whose picture changed since their last frame check, waiting for the next one.
    std::vector<GraphWidget *> pendingFrames;
    int breakOnErrorsDepth = 0;
    bool strictCallbacks = false;
    std::map<int, QImage> bitmaps;
    int nextBitmap = 1;
};

EngineState &Engine();

Panel *FindPanel(int handle);
Control *FindControl(int panel, int control);

/// A control's model as its resource file defines it at load time.
void InitialiseModel(Control &control);

/// The selected item's value of a ring/list/slide, or 0 when none is selected.
int SelectedValue(const Control &control);

#pragma once
/// The run-time engine: panels, controls, graph, timers, menus and pop-ups.
///
/// The instrument's code calls these operations by the names of the engine it was written for
/// and never includes a Qt header itself. Handles are ints; failures are negative codes from
/// `EngineError`. Setting a value or attribute from the program never calls a callback: only
/// the user (or a test driving the widgets) generates events.

#include <cstddef>
#include <string>
#include <vector>

/// Negative results of engine operations.
enum EngineError : int {
    kEngineOk = 0,
    kEngineFileNotFound = -1,   ///< resource file missing or unreadable
    kEngineFileDamaged = -2,    ///< resource file is not a valid panel definition
    kEngineNoSuchPanel = -3,    ///< panel number not in the resource file
    kEngineBadHandle = -4,      ///< panel or menu bar handle not loaded
    kEngineBadControl = -5,     ///< control identifier not on that panel
    kEngineBadAttribute = -6,   ///< attribute not applicable to that control kind
    kEngineBadValue = -7,       ///< value of the wrong type or out of range
    kEngineNoSuchCallback = -8, ///< a callback named in a resource file is not registered
    kEngineNoSuchPlot = -9,     ///< plot handle unknown on that graph
    kEngineNotInitialised = -10 ///< InitCVIRTE was not called
};

/// Events delivered to control callbacks.
enum EngineEvent : int {
    EVENT_NONE = 0,
    EVENT_COMMIT = 1,
    EVENT_VAL_CHANGED = 2,
    EVENT_LEFT_CLICK = 3,
    EVENT_LEFT_DOUBLE_CLICK = 4,
    EVENT_RIGHT_CLICK = 5,
    EVENT_TIMER_TICK = 6,
    /// The mouse wheel turned over a picture, a knob picture dragged, or a slide's lever dragged:
    /// eventData1 is the number of whole steps, positive away from the user or up/clockwise
    /// (turn clockwise, lever towards its first stop), negative back; eventData2 is the same turn
    /// in tenths of a step. A plain notch or 8 px is (1, 10), Shift ten steps (10, 100). With
    /// Ctrl each notch or 8 px is a tenth, (0, 1), and every tenth of them carries the whole step,
    /// (1, 1): stepped controls take one step per ten notches, continuous ones a tenth of a step
    /// per notch (WheelTenths). Fast wheels accelerate.
    EVENT_MOUSE_WHEEL = 7
};

/// Attributes of controls and panels (Set/GetCtrlAttribute, Set/GetPanelAttribute).
enum EngineAttribute : int {
    ATTR_VISIBLE = 1,        ///< int 0/1
    ATTR_DIMMED = 2,         ///< int 0/1: greyed and not operable
    ATTR_CTRL_VAL = 3,       ///< the value, as SetCtrlVal
    ATTR_LABEL_TEXT = 4,     ///< string: label or caption
    ATTR_MIN_VALUE = 5,      ///< double: knob/numeric minimum
    ATTR_MAX_VALUE = 6,      ///< double: knob/numeric maximum
    ATTR_INCR_VALUE = 7,     ///< double: knob/numeric increment
    ATTR_INTERVAL = 8,       ///< double seconds: timer interval (1 ms at the fastest)
    ATTR_ENABLED = 9,        ///< int 0/1: timer enabled
    ATTR_TOP = 10,           ///< int pixels
    ATTR_LEFT = 11,          ///< int pixels
    ATTR_HEIGHT = 12,        ///< int pixels
    ATTR_WIDTH = 13,         ///< int pixels
    ATTR_CONSTANT_NAME = 14, ///< string, read only: the control's or panel's constant
    ATTR_CALLBACK_NAME = 15, ///< string, read only: the callback named in the resource file
    ATTR_CTRL_KIND = 16,     ///< int, read only: an `EngineControlKind`
    ATTR_DATA_TYPE = 17,     ///< int, read only: an `EngineDataType`
    ATTR_SHORTCUT_KEY = 18,  ///< string, read only: e.g. "Ctrl+A"
    ATTR_TITLE = 19,         ///< string: panel title
    ATTR_WINDOW_ZOOM = 20,   ///< int: VAL_NO_ZOOM or VAL_MAXIMIZE
    ATTR_PANEL_NUMBER = 21,  ///< int, read only: panel number in its resource file
    ATTR_NUM_CTRLS = 22,     ///< int, read only: number of controls of a panel
    ATTR_PLOT_COUNT = 23,    ///< int, read only: plots currently on a graph
    ATTR_CTRL_MODE = 24,     ///< int: an `EngineCtrlMode`; VAL_INDICATOR refuses the user's input
    /// double degrees, pictures: how far the artwork's pointer is turned, clockwise from where
    /// the artwork draws it (artwork without a pointer ignores it)
    ATTR_POINTER_ANGLE = 25,
    /// int bit mask, pictures: the artwork's keys shown pressed, bit 0 for its first key (a
    /// single push key is key 0)
    ATTR_PRESSED_KEYS = 26,
    ATTR_TOOLTIP_TEXT = 27, ///< string: shown while the mouse rests on the control
    /// int, pictures: the stop (0 = where the artwork draws it) at which the artwork's slide
    /// lever stands (artwork without a lever ignores it)
    ATTR_LEVER_POSITION = 28,
    /// int 0/1, child panels: shown inside the parent panel's window, below its face, rather
    /// than as a window of its own; never modal there. The panel keeps its shown or hidden state
    /// when it is docked or detached.
    ATTR_DOCKED = 29
};

/// How a control takes the user's input (ATTR_CTRL_MODE). SetInputMode(0) makes a control an
/// indicator; SetInputMode(1) gives it back the mode it was loaded with: hot when the resource
/// file names a callback for it, normal otherwise.
enum EngineCtrlMode : int { VAL_NORMAL = 1, VAL_INDICATOR = 2, VAL_HOT = 3 };

enum EngineControlKind : int {
    CTRL_PICTURE = 1,
    CTRL_GRAPH,
    CTRL_TIMER,
    CTRL_COMMAND_BUTTON,
    CTRL_TOGGLE_BUTTON,
    CTRL_LED,
    CTRL_TEXT_MSG,
    CTRL_STRING,
    CTRL_RING,
    CTRL_NUMERIC,
    CTRL_DECORATION,
    CTRL_LIST_BOX,
    CTRL_KNOB,
    CTRL_SLIDE,
    CTRL_TEXT_BOX
};

enum EngineDataType : int { VAL_INTEGER = 1, VAL_DOUBLE = 2, VAL_FLOAT = 3, VAL_STRING = 4 };

enum EngineValue : int {
    VAL_NO_ZOOM = 0,
    VAL_MAXIMIZE = 1,
    VAL_AUTO_CENTER = -32768, ///< SetPanelPos: centre on the screen
    VAL_XAXIS = 0,
    VAL_LEFT_YAXIS = 1,
    VAL_MANUAL = 0,
    VAL_AUTOSCALE = 1,
    VAL_THIN_LINE = 0, ///< plot style: one-pixel trace
    VAL_FAT_LINE = 5,  ///< plot style: thick trace
    VAL_NO_POINT = 0,
    VAL_SOLID = 0,
    VAL_IMMEDIATE_DRAW = 1,
    VAL_DELAYED_DRAW = 2,
    VAL_ALL_PLOTS = -1,
    VAL_NO_FILE_SELECTED = 0,
    VAL_EXISTING_FILE_SELECTED = 1,
    VAL_NEW_FILE_SELECTED = 2,
    VAL_SELECT_BUTTON = 1,
    VAL_OK_BUTTON = 2,
    VAL_SAVE_BUTTON = 3
};

/// An RGB colour as the engine stores it: red in bits 16-23, green 8-15, blue 0-7.
constexpr int MakeColor(int red, int green, int blue) {
    return ((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF);
}

using CtrlCallbackPtr = int (*)(int panel, int control, int event, void *callbackData,
                                int eventData1, int eventData2);
using MenuCallbackPtr = void (*)(int menuBar, int menuItem, void *callbackData, int panel);

// ---- Start-up and the event loop ------------------------------------------------------------

/// Initialises the engine (the application object) with the program's arguments.
/// Returns 1 on success, 0 on failure. Safe to call when an application object exists already.
int InitCVIRTE(void *hInstance, char *argv[], void *reserved);
/// Runs the event loop until QuitUserInterface; arms the enabled timers first. Returns the code
/// given to QuitUserInterface.
int RunUserInterface();
/// Discards every panel and ends the application object that InitCVIRTE created, if any. Call
/// it before the program returns from main.
void CloseCVIRTE();
int QuitUserInterface(int returnCode);
using DeferredCallbackPtr = void (*)(void *callbackData);
/// Calls `function` once from the event loop, after the events already waiting. Returns 0.
int PostDeferredCall(DeferredCallbackPtr function, void *callbackData);
/// Waits the given seconds while windows keep painting and timers keep running.
void Delay(double seconds);
/// Sends what the windows shown so far need to the screen now (maps them; draws what is
/// ready), without waiting and without user input: the window appears while start-up goes on.
void ProcessDrawEvents();

/// Names a control callback so that resource files can refer to it. Returns 0, or a negative
/// code when the name is taken by another function.
int RegisterCallback(const char *name, CtrlCallbackPtr function);
int RegisterMenuCallback(const char *name, MenuCallbackPtr function);
CtrlCallbackPtr FindCallback(const char *name);
/// With strict resolution on, LoadPanel fails when a control names an unregistered callback
/// (the program turns it on; tests that load panels without every callback leave it off).
void SetStrictCallbackResolution(int strict);
MenuCallbackPtr FindMenuCallback(const char *name);

// ---- Panels ---------------------------------------------------------------------------------

/// Loads panel `panelNumber` of the resource file `fileName` (looked up in the resource
/// directory) as a child of `parentPanel`, or top-level when it is 0. Returns a handle > 0, or a
/// negative `EngineError`; the reason is kept for `GetEngineErrorText`.
int LoadPanel(int parentPanel, const char *fileName, int panelNumber);
int DisplayPanel(int panel);
int HidePanel(int panel);
/// Shows the panel as a modal pop-up and returns at once.
int InstallPopup(int panel);
/// Removes the topmost pop-up (argument 0) or every pop-up (argument 1) from the screen.
int RemovePopup(int removeAll);
/// Destroys a panel (taking an installed pop-up off the screen first).
int DiscardPanel(int panel);
/// Places a panel: top/left within its parent panel, or on the screen for a top-level panel.
/// VAL_AUTO_CENTER for both centres it.
int SetPanelPos(int panel, int top, int left);
/// Places a child panel beside the control `nearControl` of `nearPanel` (the parent panel or
/// another child of it) so that it covers neither that control nor `avoidControl` of
/// `avoidPanel`, inside its parent: where it stands if that is clear, else to the right, left,
/// below or above the control. When no place is clear it stays where it is. Returns 0 or a
/// negative code.
int PlacePanelBeside(int panel, int nearPanel, int nearControl, int avoidPanel, int avoidControl);
int SetPanelAttribute(int panel, int attribute, int value);
int SetPanelAttribute(int panel, int attribute, const char *value);
int GetPanelAttribute(int panel, int attribute, int *value);
int GetPanelAttribute(int panel, int attribute, std::string *value);
/// The menu bar handle of a panel loaded with one, or 0.
int GetPanelMenuBar(int panel);
/// Adds an item reading `text` to the menu (or submenu) `menu` of a menu bar, before its item
/// `beforeItem` (0: at the end); choosing it calls `callback` with `callbackData`. Returns the new
/// item's id (above every id of the resource file), or a negative code.
int NewMenuItem(int menuBar, int menu, const char *text, int beforeItem, MenuCallbackPtr callback,
                void *callbackData);
/// Removes an item that NewMenuItem added. Returns 0, or a negative code.
int DiscardMenuItem(int menuBar, int menuItem);
using FileDropCallbackPtr = void (*)(int panel, const char *path);
/// Lets the user drop files on a panel's window: each local file dropped calls `callback` with
/// its path (nullptr: the window takes no drops, as loaded). Returns 0, or a negative code.
int SetPanelFileDropCallback(int panel, FileDropCallbackPtr callback);
/// Mouse position in screen coordinates; any pointer may be null.
int GetGlobalMouseState(int *panel, int *x, int *y, int *leftDown, int *rightDown, int *modifiers);
/// Mouse position relative to a panel's top-left corner (the coordinates SetPanelPos takes for
/// its child panels); `control` is 0. Any pointer may be null.
int GetRelativeMouseState(int panel, int control, int *x, int *y, int *leftDown, int *rightDown,
                          int *modifiers);
/// Text of the last failure of LoadPanel (file name and reason).
const char *GetEngineErrorText();

// ---- Controls -------------------------------------------------------------------------------

int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, double value);
/// Strings: replaces a text; on a text box the string is appended to the text.
int SetCtrlVal(int panel, int control, const char *value);
int GetCtrlVal(int panel, int control, int *value);
int GetCtrlVal(int panel, int control, double *value);
int GetCtrlVal(int panel, int control, float *value);
int GetCtrlVal(int panel, int control, std::string *value);
/// Copies the text into `buffer` (at most size - 1 characters, always terminated).
int GetCtrlValString(int panel, int control, char *buffer, std::size_t size);
template <std::size_t N>
int GetCtrlVal(int panel, int control, char (&buffer)[N]) {
    return GetCtrlValString(panel, control, buffer, N);
}

int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, double value);
int SetCtrlAttribute(int panel, int control, int attribute, const char *value);
int GetCtrlAttribute(int panel, int control, int attribute, int *value);
int GetCtrlAttribute(int panel, int control, int attribute, double *value);
int GetCtrlAttribute(int panel, int control, int attribute, std::string *value);
/// Lets a timer doze (1) or wakes it fully (0). A dozing timer keeps its interval and enabled
/// state but is woken at most every 150 ms: for ticks that nothing on the screen shows for now.
int SetTimerDozing(int panel, int control, int dozing);
/// Disables (0) or enables (1) user input on a control.
int SetInputMode(int panel, int control, int mode);

// Lists, rings and slides: items carry a label and an int value.
int InsertListItem(int panel, int control, int index, const char *label, int value);
int ClearListCtrl(int panel, int control);
int GetNumListItems(int panel, int control, int *count);
int GetLabelFromIndex(int panel, int control, int index, std::string *label);
int GetValueFromIndex(int panel, int control, int index, int *value);
int GetCtrlIndex(int panel, int control, int *index);
int SetCtrlIndex(int panel, int control, int index);

// Text boxes.
int ResetTextBox(int panel, int control, const char *text);
int InsertTextBoxLine(int panel, int control, int index, const char *text);
int GetNumTextBoxLines(int panel, int control, int *count);

// ---- Knobs and the front panel's pictures ----------------------------------------------------

/// The value that a knob of range `min` .. `max` and step `increment` reaches from `value`
/// after `steps` increments (negative: back), as a dialog knob moves for one wheel notch or
/// arrow key per step: on the increment grid counted from `min`, and never past either end.
double KnobStep(double value, double min, double max, double increment, int steps);
/// The same with a turn in tenths of a step: whole steps (`tenths` a multiple of 10) are
/// KnobStep's; other turns keep to a grid of a tenth of `increment` counted from `min`.
double KnobStepTenths(double value, double min, double max, double increment, int tenths);
/// Tenths of a step in a wheel event's data: eventData2, or eventData1 whole steps when a caller
/// gave only those (eventData2 0).
int WheelTenths(int eventData1, int eventData2);
/// Degrees, clockwise from 12 o'clock, at which a dialog knob of that range shows `value`:
/// its pointer sweeps 270 degrees, from -135 at `min` to +135 at `max`. A picture of the same
/// knob given this angle (ATTR_POINTER_ANGLE) points where the dialog's knob does.
double KnobPointerAngle(double value, double min, double max);

/// Turns a knob control by `steps` increments (KnobStep) as the user would, and when its value
/// changed calls its callback with EVENT_VAL_CHANGED, the same path as turning it by hand.
/// Returns 1 when the knob moved, 0 when it stood at the end of its range, or a negative code.
int TurnKnob(int panel, int control, int steps);
/// TurnKnob by `tenths` of a step (KnobStepTenths).
int TurnKnobTenths(int panel, int control, int tenths);

// ---- Graph ----------------------------------------------------------------------------------

int SetAxisScalingMode(int panel, int control, int axis, int mode, double min, double max);
/// Plots y[i] * gain + offset against x0 + i * dx. Returns a plot handle > 0.
int PlotWaveform(int panel, int control, const double *y, int count, int dataType, double gain,
                 double offset, double x0, double dx, int plotStyle, int pointStyle, int lineStyle,
                 int pointFrequency, int color);
/// Plots the curve (x[i], y[i]). Returns a plot handle > 0.
int PlotXY(int panel, int control, const double *x, const double *y, int count, int xDataType,
           int yDataType, int plotStyle, int pointStyle, int lineStyle, int pointFrequency,
           int color);
/// Deletes one plot, or every plot with VAL_ALL_PLOTS.
int DeleteGraphPlot(int panel, int control, int plotHandle, int refresh);
/// How far the screen's beam is out of focus, from 0 (sharp) to 1 (as far as it goes): the glow
/// around every trace spreads wider the larger it is; the line itself keeps its plot style.
/// kEngineBadValue outside 0..1.
int SetGraphBeamFocus(int panel, int control, double distance);
/// Switches the phosphor's afterglow of a graph on (1) or off (0, the default): while on, a
/// trace fades out over about a tenth of a second after it is deleted.
int SetGraphAfterglow(int panel, int control, int on);

// ---- Pictures of controls, clipboard, browser ------------------------------------------------

/// Takes the current picture of a control (a graph as its screen shows it now) into a bitmap
/// handle written to `bitmap`.
int GetCtrlDisplayBitmap(int panel, int control, int includeLabel, int *bitmap);
int ClipboardPutBitmap(int bitmap);
int DiscardBitmap(int bitmap);
/// Writes the control's picture, scaled to width x height pixels, at `path` in the format its
/// extension names: JPEG (.jpg, .jpeg), PNG (.png) or Windows BMP (.bmp and any other name). The
/// file is replaced only when the whole picture was written. Returns 0, or a negative code when
/// it could not be written.
int SaveCtrlDisplayToFile(int panel, int control, int includeLabel, int height, int width,
                          const char *path);
/// Writes the whole window of a panel, as it is drawn now, as a PNG file at `path` (for the
/// program's published screenshot). Returns 0, or a negative code when it could not be written.
int SavePanelDisplayToPng(int panel, const char *path);
/// Opens an address (a web page or a local file URL) in the user's default browser.
int InetLaunchDefaultWebBrowser(const char *url);

// ---- Pop-ups --------------------------------------------------------------------------------

/// Yes/no question; returns 1 for yes, 0 for no.
int ConfirmPopup(const char *title, const char *message);
int MessagePopup(const char *title, const char *message);
/// File dialog. Offers the types of `fileTypeList` ("*.jpg;*.png"), else with
/// `restrictExtension` the default name's own. Writes the chosen path into `pathOut` (size 260)
/// and returns VAL_EXISTING_FILE_SELECTED or VAL_NEW_FILE_SELECTED, or VAL_NO_FILE_SELECTED on
/// cancel.
int FileSelectPopup(const char *defaultDirectory, const char *defaultFileSpec,
                    const char *fileTypeList, const char *title, int buttonLabel,
                    int restrictDirectory, int restrictExtension, int allowCancel,
                    int allowMakeDirectory, char pathOut[260]);
/// File dialog for several existing files of the types in `fileTypeList` ("*.csv"). Writes
/// their paths into `paths` and returns how many there are (0 on cancel). A path of 260
/// characters or more is left out after a message naming it.
int MultiFileSelectPopup(const char *defaultDirectory, const char *fileTypeList, const char *title,
                         std::vector<std::string> *paths);
void CVI_Beep();

// ---- Files ----------------------------------------------------------------------------------

/// The directory that holds the program (at most 259 characters, no trailing separator).
/// These directory queries return 0, or kEngineBadValue (and an empty string) when the path
/// does not fit.
int GetProjectDir(char directory[260]);
/// The directory of the resource files, the artwork and the manual (docs/index.html): beside
/// the program, or the data folder of a standard install (share/vantrel).
int GetResourceDir(char directory[260]);
/// The directory of the helper programs that the simulator starts: beside the program, or
/// libexec/vantrel in a standard install.
int GetHelperProgramDir(char directory[260]);
/// The directory that the capture dialog proposes: the program's when the user may write
/// there, otherwise the user's pictures folder (created when missing), else the home folder.
int GetCaptureDir(char directory[260]);
/// Library-error dialogs: the engine reports errors through return values only, so these
/// only keep the nesting count the callers expect.
int DisableBreakOnLibraryErrors();
int EnableBreakOnLibraryErrors();

// ---- DDE client, launched programs and the user's files (engine/dde.h) -------------------

#include "engine/dde.h"

#pragma once
/// Hooks through which tests drive the engine as a user would, without sleeping: queued answers
/// for the waiting pop-ups, events delivered to controls, and a look at what is on the screen.

#include <functional>
#include <optional>
#include <string>

/// Queues the answer of the next ConfirmPopup (1 yes, 0 no). Without a queued answer a pop-up
/// waits for the user.
void EngineQueueConfirmAnswer(int answer);
/// Queues the result of the next FileSelectPopup: a path, or nullptr for "cancelled". For a
/// MultiFileSelectPopup the text holds the chosen paths one a line.
void EngineQueueFileAnswer(const char *path);
/// Number of ConfirmPopup/MessagePopup calls so far, and the last title and message shown.
int EnginePopupCount();
std::string EngineLastPopupTitle();
std::string EngineLastPopupMessage();
/// The last address given to InetLaunchDefaultWebBrowser; the browser itself is not started
/// while the engine runs headless.
std::string EngineLastBrowserUrl();
/// The starting directory that the last FileSelectPopup proposed.
std::string EngineLastFileDialogDirectory();
/// Number of CVI_Beep calls so far.
int EngineBeepCount();
/// Number of QuitUserInterface calls so far: how often the program asked the event loop to end.
int EngineQuitCount();

/// The pop-ups that wait for an answer.
enum class EnginePopupKind { Confirm, Message, FileSelect };

/// What a pop-up handler answers: `confirm` for ConfirmPopup (1 yes, 0 no); `path` for
/// FileSelectPopup (std::nullopt cancels; MultiFileSelectPopup takes one path a line).
/// MessagePopup ignores both.
struct EnginePopupAnswer {
    int confirm = 0;
    std::optional<std::string> path;
};

/// Called each time ConfirmPopup, MessagePopup or FileSelectPopup opens, while the pop-up is up:
/// it runs inside the pop-up's own nested event loop, so timers tick and windows paint while it
/// works, and it may do anything a user could in the meantime (edit files, process events).
using EnginePopupHandler = std::function<EnginePopupAnswer(
    EnginePopupKind kind, const std::string &title, const std::string &text)>;
/// Installs the handler (an empty function removes it). While installed it answers every
/// pop-up, ahead of the queued answers.
void EngineSetPopupHandler(EnginePopupHandler handler);

/// The last text of a text box whose panel was discarded (DiscardPanel, or a parent's discard),
/// kept for the 16 most recently discarded panels; std::nullopt when none is kept.
std::optional<std::string> EngineDiscardedText(int panel, int control);

/// Delivers an event to a control as the user would cause it: a click on a dimmed or hidden
/// control does nothing; a commit on a toggle button flips its value first.
/// Returns the callback's result, or 0 when the control has no callback.
int EngineSendEvent(int panel, int control, int event);
/// Chooses a menu item as the user would.
int EngineActivateMenuItem(int menuBar, int menuItem);
/// Calls the callback of a timer once, as a tick would.
int EngineTickTimer(int panel, int control);

/// Handle of the topmost installed pop-up, or 0; and how many are installed.
int EngineTopPopup();
int EnginePopupDepth();
/// 1 while a panel is shown (displayed or installed as a pop-up).
int EnginePanelShown(int panel);
/// 1 once the panel's window is built (a dialog is built when first needed).
int EnginePanelBuilt(int panel);
/// 1 while the event loop runs.
int EngineLoopRunning();

/// Overrides the directory in which LoadPanel looks for resource files (nullptr: the default).
void EngineSetResourceDir(const char *directory);
/// Makes the engine take `directory` for the executable's folder (nullptr: the real one).
void EngineSetProgramDir(const char *directory);
/// Makes the engine take a screen whose free area (without task bars) is `width` x `height`
/// pixels at the origin; 0 x 0 returns to the real screen.
void EngineSetScreenArea(int width, int height);
/// Discards every panel and forgets queued answers, the pop-up handler and the discarded text
/// boxes, so that a test starts clean.
void EngineReset();

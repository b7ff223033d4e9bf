#pragma once
/// The engine's DDE client and program launching (included by engine.h).
///
/// A conversation is a connection to a server's service on one topic, over a local socket (see
/// dde_protocol.h for the line format). Every request waits for its reply in a nested event
/// loop with a bound, so that the windows keep painting and a server that hangs cannot freeze
/// the program. Notices (data of a hot link, the end of the conversation) reach the callback
/// later, from the event loop, on the user-interface thread.

/// Results of the DDE and launching operations (negative: failure).
enum DdeError : int {
    kDdeNoServer = -100,       ///< no server answers for that service
    kDdeRefused = -101,        ///< the server answered with an error (see GetDDEErrorText)
    kDdeTimeout = -102,        ///< the server did not answer in time
    kDdeBadHandle = -103,      ///< no such conversation (or it has ended)
    kDdeDisconnected = -104,   ///< the conversation ended while waiting for the answer
    kDdeBufferTooSmall = -105, ///< the text did not fit the caller's buffer (it is truncated)
    kDdeNoTransport = -106,    ///< the socket module could not be loaded (see GetDDEErrorText)
    kLaunchFailed = -110,      ///< the program could not be started
    kLaunchBadHandle = -111    ///< no such launched program
};

/// Transaction types given to a DDE callback.
enum DdeTransaction : int {
    DDE_DISCONNECT = 2, ///< the server ended the conversation (or went away)
    DDE_DATAREADY = 3   ///< a hot-linked item changed; the data is its new text
};

/// Clipboard format of text, the only one the servers speak.
inline constexpr unsigned int CF_TEXT = 1;

/// A DDE callback: conversation handle, topic, item, transaction type, data format, data size
/// in bytes, data (the item's text, not terminated), the callback data given at connection.
using ddeFuncPtr = int (*)(unsigned int handle, char *topicName, char *itemName, int xType,
                           int dataFmt, int dataSize, void *dataPtr, void *callbackData);

/// Connects to `service` on `topic`. On success writes a handle > 0 and returns 0; otherwise a
/// negative DdeError (kDdeNoServer until a server listens).
int ConnectToDDEServer(int *handle, const char *service, const char *topic, ddeFuncPtr callback,
                       void *callbackData);
/// Reads an item as text into `buffer` (always terminated). Returns the number of bytes of the
/// text, or a negative DdeError. `timeoutMs` 0 waits the engine's default bound.
int ClientDDERead(int handle, const char *item, unsigned int format, char *buffer,
                  unsigned int size, unsigned int timeoutMs);
/// Runs a command on the server. Returns 0, or a negative DdeError.
int ClientDDEExecute(int handle, const char *command, unsigned int timeoutMs);
/// Asks the server to send DDE_DATAREADY whenever the item's text changes. Returns 0, or a
/// negative DdeError.
int SetUpDDEHotLink(int handle, const char *item, unsigned int format, unsigned int timeoutMs);
/// Ends a conversation; no notice of it reaches the callback afterwards. Returns 0, or
/// kDdeBadHandle.
int DisconnectFromDDEServer(int handle);
/// The server's message (or the engine's reason) for the last failed DDE operation.
const char *GetDDEErrorText();
/// Loads the socket module that conversations need, as the first connection does (an install
/// check calls it to prove the module is where the program looks). Returns 0, or
/// kDdeNoTransport with the reason, naming the file, in GetDDEErrorText.
int LoadDDETransport();

/// The bound, in milliseconds, on a request whose caller passes 0 as its wait time.
inline constexpr unsigned int kDdeDefaultTimeoutMs = 5000;

/// Starts a program. The command line is split into the program and its arguments as a shell
/// would for words and double quotes ("a b" is one argument, three quotes """ stand for one
/// quote inside it), but no shell runs it. `windowState` is accepted for compatibility. Writes
/// a handle > 0 and returns 0, or returns kLaunchFailed.
int LaunchExecutableEx(const char *commandLine, int windowState, int *handle);
/// 1 when the launched program has ended, 0 while it runs, kLaunchBadHandle for a bad handle.
int ExecutableHasTerminated(int handle);
/// Ends a launched program (politely first, then by force after a short bound) and forgets its
/// handle. Returns 0, or kLaunchBadHandle.
int TerminateExecutable(int handle);

/// The folder for the files that the program writes for the user: the program's own folder
/// when it is writable, else the per-user configuration folder (created when missing). Writes
/// it without a trailing separator; returns 0, or a negative code when it does not fit `size`
/// or no folder can be had.
int GetUserFileDir(char directory[], int size);
/// Replaces the file at `path` with `size` bytes in one step: a failure (or a crash) leaves the
/// previous file as it was. Returns 0, or a negative code.
int WriteFileAtomically(const char *path, const void *data, int size);

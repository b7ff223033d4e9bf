#pragma once
/// The local-socket transport of the DDE client. It lives in a module of its own, the only part
/// of the program that links Qt Network, which the engine loads on the first connection: a run
/// that never opens the data link maps none of Qt Network's libraries.
///
/// The module hands out its streams as QIODevice (Qt Core), so the engine reads, writes and
/// hears of arrivals through QIODevice; the rest of a local socket is reached through this
/// table.

#include <QMetaObject>

#include <functional>

class QIODevice;
class QObject;

/// Raised whenever the table below changes, so that a module of another build is refused.
inline constexpr int kLocalLinkVersion = 1;

/// File name of the module, in the install's module folder (beside the program in the build
/// tree and the single-folder layout).
inline constexpr const char *kLocalLinkModuleName = "vantrel-dde-link.so";

/// Name of the module's one exported function, which returns the table.
inline constexpr const char *kLocalLinkEntryName = "vantrel_local_link";

struct LocalLinkApi {
    int version; ///< kLocalLinkVersion of the module's build
    /// A stream connected to the server listening at `path`, or nullptr when none accepts it
    /// within `boundMs`. The caller owns the stream.
    QIODevice *(*open)(const char *path, int boundMs);
    /// Whether the stream is still connected to its server.
    bool (*isConnected)(const QIODevice *stream);
    /// Writes what waits to be sent as far as the socket takes it without blocking.
    void (*flush)(QIODevice *stream);
    /// Drops what is unsent and closes the stream at once.
    void (*abort)(QIODevice *stream);
    /// Runs `slot` in `context`'s thread when the server ends the connection.
    QMetaObject::Connection (*onEnded)(QIODevice *stream, const QObject *context,
                                       std::function<void()> slot);
};

/// The module's entry point.
using LocalLinkEntry = const LocalLinkApi *(*)();

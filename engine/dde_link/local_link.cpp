// The local-socket transport, built as the module that the engine loads on first use.

#include "engine/dde_link/local_link.h"

#include <QLocalSocket>

#include <memory>

namespace {

QLocalSocket *asSocket(QIODevice *stream) {
    return static_cast<QLocalSocket *>(stream);
}

QIODevice *openStream(const char *path, int boundMs) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(QString::fromLocal8Bit(path));
    if (!socket->waitForConnected(boundMs)) {
        return nullptr;
    }
    return socket.release();
}

bool streamConnected(const QIODevice *stream) {
    return static_cast<const QLocalSocket *>(stream)->state() == QLocalSocket::ConnectedState;
}

void flushStream(QIODevice *stream) {
    asSocket(stream)->flush();
}

void abortStream(QIODevice *stream) {
    asSocket(stream)->abort();
}

QMetaObject::Connection onStreamEnded(QIODevice *stream, const QObject *context,
                                      std::function<void()> slot) {
    return QObject::connect(asSocket(stream), &QLocalSocket::disconnected, context,
                            std::move(slot));
}

constexpr LocalLinkApi kApi{kLocalLinkVersion, openStream,  streamConnected,
                            flushStream,       abortStream, onStreamEnded};

} // namespace

extern "C" Q_DECL_EXPORT const LocalLinkApi *vantrel_local_link() {
    return &kApi;
}

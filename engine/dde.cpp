// The DDE client over local sockets.

#include "engine/dde.h"
#include "engine/dde_protocol.h"
#include "engine/dde_reset.h"
#include "engine/local_link_loader.h"
#include "engine/translate.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIODevice>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

/// One conversation. Shared, so that a request waiting on it survives a callback that
/// disconnects it from inside the wait.
struct Conversation {
    const LocalLinkApi *link = nullptr; ///< the transport that made the socket
    std::unique_ptr<QIODevice> socket;  ///< a local socket
    std::string topic;
    ddeFuncPtr callback = nullptr;
    void *callbackData = nullptr;
    dde::LineBuffer received;
    std::deque<std::vector<std::string>> replies;
    bool ended = false;        ///< the server went away, said BYE or broke the protocol
    bool disconnected = false; ///< the program ended it: no more notices
    /// The wait of a request in progress, which a hang-up from a notice delivered inside it
    /// must end at once (the hang-up drops the socket's signals that would wake it).
    QEventLoop *waiting = nullptr;
};

struct DdeState {
    std::map<int, std::shared_ptr<Conversation>> conversations;
    int nextHandle = 1;
    std::string lastError;
};

DdeState &Dde() {
    static DdeState state;
    return state;
}

int fail(int code, std::string message) {
    Dde().lastError = std::move(message);
    return code;
}

/// The socket module's table, or nullptr with the reason as the last error.
const LocalLinkApi *transport() {
    std::string why;
    const LocalLinkApi *link = LoadLocalLink(why);
    if (link == nullptr) {
        fail(kDdeNoTransport, why);
    }
    return link;
}

QString socketDirectory() {
    const QByteArray chosen = qgetenv("VANTREL_DDE_DIR");
    if (!chosen.isEmpty()) {
        return QString::fromLocal8Bit(chosen);
    }
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return runtime;
    }
    const QString fallback =
        QDir::tempPath() + QStringLiteral("/vantrel-") + QString::number(::getuid());
    QDir().mkpath(fallback);
    return fallback;
}

QString socketPath(const char *service) {
    return socketDirectory() + QStringLiteral("/vantrel-dde-") + QString::fromUtf8(service);
}

/// Hands a notice to the conversation's callback, later and from the event loop, unless the
/// program has disconnected it by then.
void deliverNotice(int handle, int transaction, std::string item, std::string data) {
    QTimer::singleShot(0, QCoreApplication::instance(), [=]() mutable {
        const auto found = Dde().conversations.find(handle);
        if (found == Dde().conversations.end()) {
            return;
        }
        const std::shared_ptr<Conversation> conversation = found->second;
        if (conversation->disconnected || conversation->callback == nullptr) {
            return;
        }
        std::string topic = conversation->topic;
        conversation->callback(static_cast<unsigned int>(handle), topic.data(), item.data(),
                               transaction, static_cast<int>(CF_TEXT),
                               static_cast<int>(data.size()), data.data(),
                               conversation->callbackData);
    });
}

void markEnded(int handle, Conversation &conversation) {
    if (conversation.ended) {
        return;
    }
    conversation.ended = true;
    deliverNotice(handle, DDE_DISCONNECT, std::string(), std::string());
}

/// Sorts what arrived into replies and notices.
void readAvailable(int handle, Conversation &conversation) {
    const QByteArray bytes = conversation.socket->readAll();
    if (!conversation.received.append(std::string_view(bytes.constData(), bytes.size()))) {
        conversation.link->abort(conversation.socket.get());
        markEnded(handle, conversation);
        return;
    }
    while (std::optional<std::string> line = conversation.received.takeLine()) {
        std::optional<std::vector<std::string>> fields = dde::decodeMessage(*line);
        if (!fields) {
            conversation.link->abort(conversation.socket.get());
            markEnded(handle, conversation);
            return;
        }
        const std::string &kind = fields->front();
        if (kind == "BYE") {
            markEnded(handle, conversation);
        } else if (kind == "DATA") {
            if (fields->size() >= 3) {
                deliverNotice(handle, DDE_DATAREADY, (*fields)[1], (*fields)[2]);
            }
        } else {
            conversation.replies.push_back(std::move(*fields));
        }
    }
    if (conversation.received.failed()) {
        conversation.link->abort(conversation.socket.get());
        markEnded(handle, conversation);
    }
}

/// Sends one request and waits, with the windows painting, for its reply.
int request(int handle, const std::vector<std::string> &fields, unsigned int timeoutMs,
            std::vector<std::string> &reply) {
    const auto found = Dde().conversations.find(handle);
    if (found == Dde().conversations.end() || found->second->disconnected) {
        return fail(kDdeBadHandle, QT_TRANSLATE_NOOP("Vantrel", "Conversa DDE inexistente."));
    }
    const std::shared_ptr<Conversation> conversation = found->second;
    if (conversation->ended) {
        return fail(kDdeDisconnected,
                    QT_TRANSLATE_NOOP("Vantrel", "O servidor terminou a conversa."));
    }
    const std::string line = dde::encodeMessage(fields);
    conversation->socket->write(line.data(), static_cast<qint64>(line.size()));
    conversation->link->flush(conversation->socket.get());

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(timeoutMs == 0 ? kDdeDefaultTimeoutMs : timeoutMs));
    QPointer<QIODevice> socket = conversation->socket.get();
    const auto wake = [&loop] { loop.quit(); };
    const QMetaObject::Connection onReply =
        QObject::connect(socket, &QIODevice::readyRead, &loop, wake);
    const QMetaObject::Connection onEnd = conversation->link->onEnded(socket, &loop, wake);
    while (conversation->replies.empty() && !conversation->ended && !conversation->disconnected &&
           timer.isActive()) {
        if (socket != nullptr && socket->bytesAvailable() > 0) {
            readAvailable(handle, *conversation);
            continue;
        }
        if (socket == nullptr || !conversation->link->isConnected(socket)) {
            markEnded(handle, *conversation);
            break;
        }
        conversation->waiting = &loop;
        loop.exec();
        conversation->waiting = nullptr;
    }
    QObject::disconnect(onReply);
    QObject::disconnect(onEnd);
    if (conversation->replies.empty()) {
        if (conversation->disconnected) {
            return fail(kDdeBadHandle,
                        QT_TRANSLATE_NOOP("Vantrel", "A conversa DDE foi terminada."));
        }
        if (conversation->ended) {
            return fail(kDdeDisconnected,
                        QT_TRANSLATE_NOOP("Vantrel", "O servidor terminou a conversa."));
        }
        // A late reply would be taken for the answer to the next request: end it here.
        conversation->link->abort(conversation->socket.get());
        markEnded(handle, *conversation);
        return fail(kDdeTimeout, QT_TRANSLATE_NOOP("Vantrel", "O servidor não respondeu a tempo."));
    }
    reply = std::move(conversation->replies.front());
    conversation->replies.pop_front();
    if (reply.front() == "OK") {
        return 0;
    }
    return fail(kDdeRefused, reply.size() >= 2
                                 ? reply[1]
                                 : QT_TRANSLATE_NOOP("Vantrel", "O servidor recusou o pedido."));
}

} // namespace

int ConnectToDDEServer(int *handle, const char *service, const char *topic, ddeFuncPtr callback,
                       void *callbackData) {
    if (handle == nullptr || service == nullptr || topic == nullptr ||
        QCoreApplication::instance() == nullptr) {
        return fail(kDdeBadHandle, QT_TRANSLATE_NOOP("Vantrel", "Pedido de ligação DDE inválido."));
    }
    const LocalLinkApi *link = transport();
    if (link == nullptr) {
        return kDdeNoTransport;
    }
    auto conversation = std::make_shared<Conversation>();
    conversation->link = link;
    conversation->topic = topic;
    conversation->callback = callback;
    conversation->callbackData = callbackData;
    // A local socket connects at once or not at all; the bound only guards a stalled server.
    conversation->socket.reset(link->open(socketPath(service).toLocal8Bit().constData(), 1000));
    if (conversation->socket == nullptr) {
        return fail(kDdeNoServer, QT_TRANSLATE_NOOP("Vantrel", "Nenhum servidor responde."));
    }
    const int newHandle = Dde().nextHandle++;
    QIODevice *socket = conversation->socket.get();
    Conversation *raw = conversation.get();
    Dde().conversations.emplace(newHandle, conversation);
    QObject::connect(socket, &QIODevice::readyRead, socket, [newHandle, raw] {
        if (!raw->disconnected) {
            readAvailable(newHandle, *raw);
        }
    });
    link->onEnded(socket, socket, [newHandle, raw] {
        if (!raw->disconnected) {
            markEnded(newHandle, *raw);
        }
    });

    std::vector<std::string> reply;
    const int result = request(newHandle, {"CONNECT", topic}, kDdeDefaultTimeoutMs, reply);
    if (result < 0) {
        const std::string reason = Dde().lastError;
        DisconnectFromDDEServer(newHandle);
        return fail(result, reason);
    }
    *handle = newHandle;
    return 0;
}

int ClientDDERead(int handle, const char *item, unsigned int, char *buffer, unsigned int size,
                  unsigned int timeoutMs) {
    if (item == nullptr || buffer == nullptr || size == 0) {
        return fail(kDdeBadHandle, QT_TRANSLATE_NOOP("Vantrel", "Pedido de leitura DDE inválido."));
    }
    buffer[0] = '\0';
    std::vector<std::string> reply;
    const int result = request(handle, {"READ", item}, timeoutMs, reply);
    if (result < 0) {
        return result;
    }
    const std::string text = reply.size() >= 2 ? reply[1] : std::string();
    const std::size_t copied = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    if (copied < text.size()) {
        return fail(kDdeBufferTooSmall,
                    std::string(item) +
                        Tr(QT_TRANSLATE_NOOP("Vantrel", ": texto demasiado longo.")));
    }
    return static_cast<int>(copied);
}

int ClientDDEExecute(int handle, const char *command, unsigned int timeoutMs) {
    std::vector<std::string> reply;
    return request(handle, {"EXEC", command != nullptr ? command : ""}, timeoutMs, reply);
}

int SetUpDDEHotLink(int handle, const char *item, unsigned int, unsigned int timeoutMs) {
    std::vector<std::string> reply;
    return request(handle, {"ADVISE", item != nullptr ? item : ""}, timeoutMs, reply);
}

int DisconnectFromDDEServer(int handle) {
    auto &conversations = Dde().conversations;
    const auto found = conversations.find(handle);
    if (found == conversations.end()) {
        return fail(kDdeBadHandle, QT_TRANSLATE_NOOP("Vantrel", "Conversa DDE inexistente."));
    }
    const std::shared_ptr<Conversation> conversation = found->second;
    conversations.erase(found);
    conversation->disconnected = true;
    if (conversation->waiting != nullptr) {
        conversation->waiting->quit();
    }
    conversation->socket->disconnect();
    conversation->link->abort(conversation->socket.get());
    // The socket may be inside one of its own signals (a notice that led here): delete later.
    conversation->socket.release()->deleteLater();
    return 0;
}

const char *GetDDEErrorText() {
    const std::string &error = Dde().lastError;
    const char *whole = Tr(error.c_str());
    if (whole != error.c_str()) {
        return whole;
    }
    // The server names the file or cell first ("livro.ods: ficheiro danificado…"): the reason
    // after the name is the marked text.
    for (std::size_t colon = error.find(": "); colon != std::string::npos;
         colon = error.find(": ", colon + 1)) {
        const std::string reason = error.substr(colon + 2);
        const char *translated = Tr(reason.c_str());
        if (translated != reason.c_str()) {
            static std::string joined; // valid until the next call, like the whole text

            joined = error.substr(0, colon + 2) + translated;
            return joined.c_str();
        }
    }
    return whole;
}

int LoadDDETransport() {
    return transport() != nullptr ? 0 : kDdeNoTransport;
}

void DdeReset() {
    std::vector<int> handles;
    for (const auto &[handle, conversation] : Dde().conversations) {
        handles.push_back(handle);
    }
    for (const int handle : handles) {
        DisconnectFromDDEServer(handle);
    }
    Dde().lastError.clear();
}

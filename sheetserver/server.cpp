#include "sheetserver/server.h"
#include "engine/translate.h"

#include "sheetserver/protocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace sheetserver {

QString socketPathForService(const QString &service) {
    QString dir = qEnvironmentVariable("VANTREL_DDE_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath() + QStringLiteral("/vantrel-%1").arg(getuid());
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return dir + QStringLiteral("/vantrel-dde-") + service;
}

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<std::string> error(std::string message) {
    return {"ERR", std::move(message)};
}

const std::vector<std::string> kOk{"OK"};

/// Time for a changed file to settle before it is re-read: editors write in several steps.
constexpr std::chrono::milliseconds kSettle{150};
/// A watcher can miss a change (a file replaced on a network share); a slow poll does not.
constexpr std::chrono::milliseconds kPoll{1000};

} // namespace

SheetServer::SheetServer(std::string workbookPath, std::chrono::milliseconds idle)
    : workbookPath_(std::move(workbookPath)),
      workbookName_(std::filesystem::path(workbookPath_).filename().string()),
      server_(std::make_unique<QLocalServer>()), watcher_(std::make_unique<QFileSystemWatcher>()) {
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(kSettle);
    connect(&settleTimer_, &QTimer::timeout, this, [this] { reloadIfChanged(); });
    pollTimer_.setInterval(kPoll);
    connect(&pollTimer_, &QTimer::timeout, this, [this] { reloadIfChanged(); });
    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(idle);
    connect(&idleTimer_, &QTimer::timeout, this, [this] { shutDown(); });

    // The folder is watched too: editors often save by writing a new file over the old one.
    const QString file = QString::fromStdString(workbookPath_);
    watcher_->addPath(file);
    watcher_->addPath(QFileInfo(file).absolutePath());
    auto changed = [this](const QString &) {
        const QString watched = QString::fromStdString(workbookPath_);
        if (!watcher_->files().contains(watched) && QFileInfo::exists(watched))
            watcher_->addPath(watched);
        settleTimer_.start();
    };
    connect(watcher_.get(), &QFileSystemWatcher::fileChanged, this, changed);
    connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, this, changed);

    reloadIfChanged();
    if (!workbook_ && loadProblem_.empty())
        loadProblem_ =
            workbookName_ + ": " + QT_TRANSLATE_NOOP("Vantrel", "ficheiro não encontrado");
}

SheetServer::~SheetServer() {
    // The sockets die with the listening server; their last signals must not reach a half-gone
    // server.
    for (const auto &entry : conversations_)
        QObject::disconnect(entry.first, nullptr, this, nullptr);
    server_.reset();
}

bool SheetServer::listen(const QString &socketPath, QString &reason) {
    QLocalServer::removeServer(socketPath);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath)) {
        reason = server_->errorString();
        return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] { acceptConnections(); });
    pollTimer_.start();
    updateIdleTimer();
    return true;
}

void SheetServer::shutDown() {
    if (quitting_)
        return;
    quitting_ = true;
    std::vector<QLocalSocket *> sockets;
    for (const auto &entry : conversations_)
        sockets.push_back(entry.first);
    for (QLocalSocket *socket : sockets) {
        send(socket, {"BYE"});
        socket->waitForBytesWritten(1000);
    }
    server_->close();
    QCoreApplication::exit(0);
}

void SheetServer::acceptConnections() {
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        socket->setParent(server_.get());
        conversations_[socket].socket = socket;
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { forget(socket); });
    }
    updateIdleTimer();
}

void SheetServer::forget(QLocalSocket *socket) {
    if (conversations_.erase(socket) == 0)
        return;
    socket->deleteLater();
    updateIdleTimer();
}

void SheetServer::updateIdleTimer() {
    if (conversations_.empty())
        idleTimer_.start();
    else
        idleTimer_.stop();
}

void SheetServer::send(QLocalSocket *socket, const std::vector<std::string> &fields) {
    const std::string line = encodeMessage(fields);
    socket->write(line.data(), static_cast<qint64>(line.size()));
}

void SheetServer::readRequests(QLocalSocket *socket) {
    auto found = conversations_.find(socket);
    if (found == conversations_.end() || quitting_)
        return;
    Conversation &conversation = found->second;
    conversation.pending += socket->readAll();
    for (;;) {
        const qsizetype end = conversation.pending.indexOf('\n');
        const qsizetype length = end < 0 ? conversation.pending.size() : end;
        if (static_cast<std::size_t>(length) > kMaxLineBytes) {
            // A line this long is a protocol error: the conversation ends here.
            forget(socket);
            socket->abort();
            return;
        }
        if (end < 0)
            return;
        const std::string line = conversation.pending.left(end).toStdString();
        conversation.pending.remove(0, end + 1);
        const auto request = decodeMessage(line);
        const Reply reply = request ? answer(conversation, *request)
                                    : error("pedido mal formado (escape inválido)");
        if (quitting_)
            return;
        send(socket, reply);
        if (request && request->size() == 2 && request->front() == "EXEC" &&
            lower((*request)[1]) == "[quit()]" && reply == kOk) {
            shutDown();
            return;
        }
        if (request && request->size() == 2 && request->front() == "EXEC" &&
            lower((*request)[1]) == "[close(0)]" && reply == kOk) {
            closeWorkbook();
        }
    }
}

SheetServer::Reply SheetServer::answer(Conversation &conversation,
                                       const std::vector<std::string> &request) {
    const std::string &verb = request.front();
    if (request.size() != 2)
        return error("pedido mal formado: " + verb);
    const std::string &argument = request[1];
    if (verb == "CONNECT")
        return connectTopic(conversation, argument);
    if (verb != "READ" && verb != "EXEC" && verb != "ADVISE" && verb != "UNADVISE")
        return error("pedido desconhecido: " + verb);
    if (conversation.topic == Topic::None)
        return error("sem conversa: ligue-se primeiro a um tópico");
    if (verb == "READ")
        return readItem(conversation, argument);
    if (verb == "EXEC")
        return execute(conversation, argument);
    if (verb == "ADVISE")
        return advise(conversation, argument);
    conversation.advised.erase(argument);
    return kOk;
}

bool SheetServer::isWorkbookTopic(const std::string &topic) const {
    if (topic == workbookPath_)
        return true;
    const QString canonical = QFileInfo(QString::fromStdString(topic)).canonicalFilePath();
    return !canonical.isEmpty() &&
           canonical == QFileInfo(QString::fromStdString(workbookPath_)).canonicalFilePath();
}

SheetServer::Reply SheetServer::connectTopic(Conversation &conversation, const std::string &topic) {
    if (conversation.topic != Topic::None)
        return error("esta conversa já tem um tópico");
    if (lower(topic) == "system") {
        conversation.topic = Topic::System;
        return kOk;
    }
    if (!isWorkbookTopic(topic))
        return error(topic + ": tópico desconhecido; o servidor serve " + workbookPath_);
    if (closed_)
        return error(workbookName_ + ": o livro foi fechado");
    // A workbook that cannot be read is refused here, so the client says why at once.
    reloadIfChanged();
    if (!workbook_)
        return error(loadProblem_);
    conversation.topic = Topic::Workbook;
    return kOk;
}

std::optional<std::string> SheetServer::workbookProblem(const Conversation &conversation) const {
    if (conversation.topic != Topic::Workbook)
        return std::string("o tópico system não tem células; ligue-se ao livro");
    if (closed_)
        return workbookName_ + ": o livro foi fechado";
    return std::nullopt;
}

CellRead SheetServer::readCell(CellAddress cell) const {
    if (!workbook_)
        return {false, loadProblem_};
    return workbook_->read(cell);
}

SheetServer::Reply SheetServer::readItem(const Conversation &conversation,
                                         const std::string &item) {
    if (const auto problem = workbookProblem(conversation))
        return error(*problem);
    const auto cell = parseCellItem(item);
    if (!cell)
        return error(item + ": célula inválida; use RnCm, por exemplo R6C3");
    // A read sees the file as it is now, even before the watcher has noticed a save.
    reloadIfChanged();
    const CellRead read = readCell(*cell);
    if (!read.ok)
        return error(read.text);
    if (encodeField(read.text).size() + 3 > kMaxLineBytes)
        return error(cellItemName(*cell) + ": " +
                     QT_TRANSLATE_NOOP("Vantrel", "texto da célula demasiado longo"));
    return {"OK", read.text};
}

SheetServer::Reply SheetServer::execute(const Conversation &conversation,
                                        const std::string &command) {
    if (conversation.topic != Topic::System)
        return error("os comandos só se executam no tópico system");
    const std::string normalized = lower(command);
    if (normalized == "[close(0)]" || normalized == "[quit()]")
        return kOk;
    return error("comando desconhecido: " + command);
}

SheetServer::Reply SheetServer::advise(Conversation &conversation, const std::string &item) {
    if (const auto problem = workbookProblem(conversation))
        return error(*problem);
    const auto cell = parseCellItem(item);
    if (!cell)
        return error(item + ": célula inválida; use RnCm, por exemplo R5C2");
    reloadIfChanged();
    const CellRead read = readCell(*cell);
    conversation.advised[item] = read.ok ? std::optional<std::string>(read.text) : std::nullopt;
    return kOk;
}

SheetServer::FileStamp SheetServer::currentStamp() const {
    std::error_code failure;
    const std::filesystem::path file(workbookPath_);
    FileStamp stamp;
    stamp.written = std::filesystem::last_write_time(file, failure);
    if (failure)
        return {};
    stamp.size = std::filesystem::file_size(file, failure);
    if (failure)
        return {};
    stamp.exists = true;
    return stamp;
}

void SheetServer::reloadIfChanged() {
    if (closed_)
        return;
    const FileStamp stamp = currentStamp();
    if (stamp == loadedStamp_ && (workbook_ || !loadProblem_.empty()))
        return;
    loadedStamp_ = stamp;
    LoadResult loaded = loadWorkbook(workbookPath_);
    // What the file holds now is what reads give: a file that became unreadable says so rather
    // than serving the cells it had before.
    workbook_ = std::move(loaded.workbook);
    loadProblem_ = std::move(loaded.error);
    notifyAdvisedItems();
}

void SheetServer::notifyAdvisedItems() {
    for (auto &[socket, conversation] : conversations_) {
        for (auto &[item, last] : conversation.advised) {
            const auto cell = parseCellItem(item);
            const CellRead read = readCell(*cell);
            std::optional<std::string> now =
                read.ok ? std::optional<std::string>(read.text) : std::nullopt;
            if (now == last)
                continue;
            last = now;
            // A text too long for one line is not sent: the client would have to drop the link.
            if (now && encodeField(item).size() + encodeField(*now).size() + 7 <= kMaxLineBytes)
                send(socket, {"DATA", item, *now});
        }
    }
}

void SheetServer::closeWorkbook() {
    closed_ = true;
    workbook_.reset();
    // The workbook's conversations end with it, as they would in a spreadsheet program.
    std::vector<QLocalSocket *> ending;
    for (auto &[socket, conversation] : conversations_)
        if (conversation.topic == Topic::Workbook)
            ending.push_back(socket);
    for (QLocalSocket *socket : ending) {
        conversations_[socket].advised.clear();
        send(socket, {"BYE"});
        socket->flush();
        // Forgotten once the socket has written its last line and closed.
        socket->disconnectFromServer();
    }
}

namespace {

int terminationPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(terminationPipe[1], &byte, 1);
}

} // namespace

void SheetServer::endOnTerminationSignals() {
    // The handler only writes a byte; the event loop reads it and shuts down in order.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) != 0)
        return;
    terminationNotifier_ =
        std::make_unique<QSocketNotifier>(terminationPipe[0], QSocketNotifier::Read);
    connect(terminationNotifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(terminationPipe[0], &byte, 1);
        shutDown();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace sheetserver

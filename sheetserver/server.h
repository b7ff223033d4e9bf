#pragma once
// The spreadsheet server: serves one workbook over the link protocol on a local socket, with
// the topics "system" and the workbook's path, and re-reads the workbook when it changes.

#include "sheetserver/workbook.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QFileSystemWatcher;
class QLocalServer;
class QLocalSocket;
class QSocketNotifier;

namespace sheetserver {

/// Full path of the socket that serves a service: in VANTREL_DDE_DIR when set, else in the
/// user's runtime folder, else in a private folder of the temp folder named after the user id.
QString socketPathForService(const QString &service);

class SheetServer : public QObject {
public:
    /// idle: how long the server waits without any connection before it ends.
    SheetServer(std::string workbookPath, std::chrono::milliseconds idle);
    ~SheetServer() override;

    /// Removes a stale socket and listens; false with a reason when that fails.
    bool listen(const QString &socketPath, QString &reason);

    /// Says BYE on every connection, then ends the event loop with status 0.
    void shutDown();

    /// Shuts down in order when SIGTERM or SIGINT arrives.
    void endOnTerminationSignals();

private:
    enum class Topic { None, System, Workbook };
    struct Conversation {
        QLocalSocket *socket = nullptr;
        QByteArray pending;
        Topic topic = Topic::None;
        /// Advised items as the client named them, with the text last sent or read.
        std::map<std::string, std::optional<std::string>> advised;
    };
    struct FileStamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type written{};
        bool operator==(const FileStamp &) const = default;
    };
    using Reply = std::vector<std::string>;

    void acceptConnections();
    void readRequests(QLocalSocket *socket);
    void forget(QLocalSocket *socket);
    void send(QLocalSocket *socket, const std::vector<std::string> &fields);
    Reply answer(Conversation &conversation, const std::vector<std::string> &request);
    Reply connectTopic(Conversation &conversation, const std::string &topic);
    Reply readItem(const Conversation &conversation, const std::string &item);
    Reply execute(const Conversation &conversation, const std::string &command);
    Reply advise(Conversation &conversation, const std::string &item);
    std::optional<std::string> workbookProblem(const Conversation &conversation) const;
    bool isWorkbookTopic(const std::string &topic) const;
    CellRead readCell(CellAddress cell) const;

    FileStamp currentStamp() const;
    void reloadIfChanged();
    void notifyAdvisedItems();
    void closeWorkbook();
    void updateIdleTimer();

    std::string workbookPath_;
    std::string workbookName_;
    std::optional<Workbook> workbook_;
    std::string loadProblem_;
    FileStamp loadedStamp_;
    bool closed_ = false;
    bool quitting_ = false;

    std::unique_ptr<QLocalServer> server_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    QTimer settleTimer_;
    QTimer pollTimer_;
    QTimer idleTimer_;
    std::unique_ptr<QSocketNotifier> terminationNotifier_;
    std::map<QLocalSocket *, Conversation> conversations_;
};

} // namespace sheetserver

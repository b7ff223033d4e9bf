#pragma once
// A stand-in spreadsheet server for the client tests: it speaks the link's line protocol on the
// socket of service "excel" in a private folder, answers cells from a table, and can be told to
// refuse, to hang or to go away, so that each fault can be produced on demand.

#include "engine/dde_protocol.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class FakeSheetServer {
public:
    /// Listens in a fresh private folder, which VANTREL_DDE_DIR then names.
    explicit FakeSheetServer(std::string workbook) : workbook_(std::move(workbook)) {
        qputenv("VANTREL_DDE_DIR", folder_.path().toLocal8Bit());
        QObject::connect(&server_, &QLocalServer::newConnection, [this] { accept(); });
    }
    ~FakeSheetServer() { stop(); }
    FakeSheetServer(const FakeSheetServer &) = delete;
    FakeSheetServer &operator=(const FakeSheetServer &) = delete;

    bool listen() { return server_.listen(folder_.path() + "/vantrel-dde-excel"); }
    /// Closes every connection and stops listening, as a killed server would.
    void stop() {
        server_.close();
        for (auto &client : clients_) {
            if (client->socket) {
                client->socket->abort();
            }
        }
    }
    QString folder() const { return folder_.path(); }

    std::map<std::string, std::string> cells;       ///< item (upper case) -> text; missing: ""
    std::string refuseWorkbook;                     ///< non-empty: CONNECT to the workbook says ERR
    std::map<std::string, std::string> refuseCells; ///< item -> ERR message
    bool hang = false;                              ///< read nothing back: never reply
    /// Called before each READ is answered, with the item and how many reads came before.
    std::function<void(const std::string &item, int reads)> onRead;

    int reads() const { return reads_; }
    const std::vector<std::string> &commands() const { return commands_; }
    const std::vector<std::string> &advised() const { return advised_; }
    int connections() const { return static_cast<int>(clients_.size()); }

    /// Sends a hot-link notice to every conversation that advised the item.
    void notify(const std::string &item, const std::string &text) {
        for (auto &client : clients_) {
            if (client->socket && client->advised) {
                send(*client, {"DATA", item, text});
            }
        }
    }
    /// Sends BYE to every conversation.
    void sayBye() {
        for (auto &client : clients_) {
            if (client->socket) {
                send(*client, {"BYE"});
            }
        }
    }

private:
    struct Client {
        QLocalSocket *socket = nullptr;
        dde::LineBuffer received;
        std::string topic;
        bool advised = false;
    };

    void accept() {
        while (QLocalSocket *socket = server_.nextPendingConnection()) {
            auto client = std::make_shared<Client>();
            client->socket = socket;
            clients_.push_back(client);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, client] {
                const QByteArray bytes = client->socket->readAll();
                client->received.append(std::string_view(bytes.constData(), bytes.size()));
                while (auto line = client->received.takeLine()) {
                    if (auto fields = dde::decodeMessage(*line)) {
                        answer(*client, *fields);
                    }
                }
            });
        }
    }

    void send(Client &client, const std::vector<std::string> &fields) {
        const std::string line = dde::encodeMessage(fields);
        client.socket->write(line.data(), static_cast<qint64>(line.size()));
        client.socket->flush();
    }

    void answer(Client &client, const std::vector<std::string> &request) {
        if (hang) {
            return;
        }
        const std::string &verb = request.front();
        const std::string argument = request.size() > 1 ? request[1] : std::string();
        if (verb == "CONNECT") {
            if (argument == workbook_ && !refuseWorkbook.empty()) {
                send(client, {"ERR", refuseWorkbook});
                return;
            }
            if (argument != workbook_ && QString::fromStdString(argument).toLower() != "system") {
                send(client, {"ERR", "Tópico desconhecido: " + argument});
                return;
            }
            client.topic = argument;
            send(client, {"OK"});
        } else if (verb == "READ") {
            const std::string item = QString::fromStdString(argument).toUpper().toStdString();
            if (onRead) {
                onRead(item, reads_);
            }
            ++reads_;
            if (client.socket == nullptr ||
                client.socket->state() != QLocalSocket::ConnectedState) {
                return; // the hook stopped the server
            }
            if (refuseCells.count(item) != 0) {
                send(client, {"ERR", refuseCells[item]});
                return;
            }
            const auto found = cells.find(item);
            send(client, {"OK", found != cells.end() ? found->second : std::string()});
        } else if (verb == "EXEC") {
            commands_.push_back(argument);
            send(client, {"OK"});
            if (argument == "[QUIT()]") {
                sayBye();
            }
        } else if (verb == "ADVISE") {
            advised_.push_back(argument);
            client.advised = true;
            send(client, {"OK"});
        } else {
            send(client, {"OK"});
        }
    }

    QTemporaryDir folder_;
    QLocalServer server_;
    std::string workbook_;
    std::vector<std::shared_ptr<Client>> clients_;
    std::vector<std::string> commands_;
    std::vector<std::string> advised_;
    int reads_ = 0;
};

// The spreadsheet server as the data link meets it: the real program on real workbook files in
// a private socket folder, spoken to over its local socket, one line per message.

#include "sheetserver/protocol.h"
#include "workbook_files.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace {

constexpr int kWaitMs = 5000;

QStringList toStrings(const std::vector<std::string> &fields) {
    QStringList out;
    for (const std::string &field : fields)
        out << QString::fromStdString(field);
    return out;
}

/// One running server on one workbook, with its own socket folder.
class Server {
public:
    explicit Server(const QString &workbook, const QStringList &environment = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VANTREL_DDE_DIR", dde_.path());
        for (const QString &entry : environment)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        process_.setProcessEnvironment(env);
        process_.start(SHEETSERVER_PROGRAM, {workbook});
    }
    ~Server() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kWaitMs);
        }
    }

    QString socketPath() const { return dde_.filePath("vantrel-dde-excel"); }
    QProcess &process() { return process_; }

    /// Waits until the server listens.
    bool ready() {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            if (QFile::exists(socketPath()))
                return true;
            if (process_.state() == QProcess::NotRunning)
                return false;
            QTest::qWait(20);
        }
        return false;
    }

    bool endsWith(int status) {
        return process_.waitForFinished(kWaitMs) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == status;
    }

private:
    QTemporaryDir dde_;
    QProcess process_;
};

/// One conversation with the server.
class Link {
public:
    bool open(const Server &server) {
        socket_.connectToServer(server.socketPath());
        return socket_.waitForConnected(kWaitMs);
    }

    void sendRaw(const QByteArray &bytes) {
        socket_.write(bytes);
        socket_.waitForBytesWritten(kWaitMs);
    }

    /// The next line from the server, decoded; empty when none came in time.
    QStringList next(int waitMs = kWaitMs) {
        QDeadlineTimer deadline(waitMs);
        while (!socket_.canReadLine()) {
            if (socket_.state() != QLocalSocket::ConnectedState && socket_.bytesAvailable() == 0)
                return {};
            if (deadline.hasExpired() || !socket_.waitForReadyRead(int(deadline.remainingTime())))
                if (!socket_.canReadLine())
                    return {};
        }
        QByteArray line = socket_.readLine();
        line.chop(1);
        const auto fields = sheetserver::decodeMessage(line.toStdString());
        return fields ? toStrings(*fields) : QStringList{"<undecodable>"};
    }

    /// Sends a request and returns its reply; notices that come first are kept in notices().
    QStringList ask(const QStringList &fields) {
        std::vector<std::string> plain;
        for (const QString &field : fields)
            plain.push_back(field.toStdString());
        sendRaw(QByteArray::fromStdString(sheetserver::encodeMessage(plain)));
        for (;;) {
            QStringList line = next();
            if (line.isEmpty() || (line.front() != "DATA" && line.front() != "BYE"))
                return line;
            notices_ << line.join('|');
        }
    }

    QStringList &notices() { return notices_; }
    bool closedByServer() {
        if (socket_.state() == QLocalSocket::UnconnectedState)
            return true;
        return socket_.waitForDisconnected(kWaitMs);
    }

private:
    QLocalSocket socket_;
    QStringList notices_;
};

QString copyTemplate(const QTemporaryDir &dir, const QString &name) {
    const QString copy = dir.filePath(name);
    QFile::copy(QStringLiteral(TEMPLATE_DIR "/") + name, copy);
    return copy;
}

} // namespace

class TestSheetServer : public QObject {
    Q_OBJECT

private slots:
    void servesTheTemplatesAndCloses_data();
    void servesTheTemplatesAndCloses();
    void requestsOutOfPlaceAreRefused_data();
    void requestsOutOfPlaceAreRefused();
    void aSavedChangeIsReadAndNotified_data();
    void aSavedChangeIsReadAndNotified();
    void anUnreadableWorkbookIsReportedAndTheServerGoesOn_data();
    void anUnreadableWorkbookIsReportedAndTheServerGoesOn();
    void anXlsFormulaCellIsRefusedByName();
    void pathsWithQuotesSpacesAndAccents();
    void anOverlongLineEndsOnlyItsConversation();
    void terminationSaysByeAndEndsCleanly();
    void anIdleServerEnds();
    void refusesToStartWithoutItsSocket_data();
    void refusesToStartWithoutItsSocket();
};

void TestSheetServer::servesTheTemplatesAndCloses_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"template.xls", "template.xlsx", "template.ods", "template.csv"})
        QTest::newRow(name) << name;
}

void TestSheetServer::servesTheTemplatesAndCloses() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString workbook = copyTemplate(dir, name);
    Server server(workbook);
    QVERIFY(server.ready());

    Link sheet;
    QVERIFY(sheet.open(server));
    QCOMPARE(sheet.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(sheet.ask({"READ", "R6C3"}), (QStringList{"OK", "600"}));
    QCOMPARE(sheet.ask({"READ", "r8c3"}), (QStringList{"OK", "2"}));
    QCOMPARE(sheet.ask({"READ", "R9C3"}), (QStringList{"OK", "12"}));
    QCOMPARE(sheet.ask({"READ", "R4C4"}), (QStringList{"OK", "100000000"}));
    QCOMPARE(sheet.ask({"READ", "R162C2"}), (QStringList{"OK", "100000"}));
    QCOMPARE(sheet.ask({"ADVISE", "R5C2"}), QStringList{"OK"});

    Link system;
    QVERIFY(system.open(server));
    QCOMPARE(system.ask({"CONNECT", "system"}), QStringList{"OK"});
    QCOMPARE(system.ask({"EXEC", "[CLOSE(0)]"}), QStringList{"OK"});
    // Closing the workbook ends its conversations; its topic is gone.
    QCOMPARE(sheet.next(), QStringList{"BYE"});
    QVERIFY(sheet.closedByServer());
    Link late;
    QVERIFY(late.open(server));
    QCOMPARE(late.ask({"CONNECT", workbook}).value(0), QString("ERR"));

    QCOMPARE(system.ask({"EXEC", "[QUIT()]"}), QStringList{"OK"});
    QCOMPARE(system.next(), QStringList{"BYE"});
    QCOMPARE(late.next(), QStringList{"BYE"});
    QVERIFY(server.endsWith(0));
    QVERIFY(!QFile::exists(server.socketPath()));
}

void TestSheetServer::requestsOutOfPlaceAreRefused_data() {
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("reply");
    QTest::newRow("read before connecting") << "" << QByteArray("READ\tR1C1\n") << "ERR";
    QTest::newRow("quit before connecting") << "" << QByteArray("EXEC\t[QUIT()]\n") << "ERR";
    QTest::newRow("another workbook") << "" << QByteArray("CONNECT\t/tmp/outro.xls\n") << "ERR";
    QTest::newRow("cells on the system topic") << "system" << QByteArray("READ\tR1C1\n") << "ERR";
    QTest::newRow("commands on the workbook")
        << "book" << QByteArray("EXEC\t[CLOSE(0)]\n") << "ERR";
    QTest::newRow("unknown command") << "system" << QByteArray("EXEC\t[RUN()]\n") << "ERR";
    QTest::newRow("A1 item") << "book" << QByteArray("READ\tB12\n") << "ERR";
    QTest::newRow("advise an A1 item") << "book" << QByteArray("ADVISE\tB12\n") << "ERR";
    QTest::newRow("unadvise") << "book" << QByteArray("UNADVISE\tR5C2\n") << "OK";
    QTest::newRow("unknown request") << "book" << QByteArray("POKE\tR1C1\n") << "ERR";
    QTest::newRow("missing field") << "book" << QByteArray("READ\n") << "ERR";
    QTest::newRow("bad escape") << "book" << QByteArray("READ\tR1C1\\q\n") << "ERR";
    QTest::newRow("second topic") << "system" << QByteArray("CONNECT\tsystem\n") << "ERR";
    QTest::newRow("system in any case") << "" << QByteArray("CONNECT\tSyStEm\n") << "OK";
    QTest::newRow("same file by another path")
        << "" << QByteArray("CONNECT\t<dir>/./b.csv\n") << "OK";
}

void TestSheetServer::requestsOutOfPlaceAreRefused() {
    QFETCH(QString, topic);
    QFETCH(QByteArray, request);
    QFETCH(QString, reply);
    QTemporaryDir dir;
    const QString workbook = dir.filePath("b.csv");
    testfiles::writeCsv(workbook.toStdString(), testfiles::signalSheet());
    Server server(workbook);
    QVERIFY(server.ready());
    Link link;
    QVERIFY(link.open(server));
    if (!topic.isEmpty())
        QCOMPARE(link.ask({"CONNECT", topic == "book" ? workbook : topic}), QStringList{"OK"});
    request.replace("<dir>", dir.path().toUtf8());
    link.sendRaw(request);
    const QStringList answer = link.next();
    QCOMPARE(answer.value(0), reply);
    if (reply == "ERR")
        QVERIFY2(answer.size() == 2 && !answer[1].isEmpty(), qPrintable(answer.join('|')));

    // One refused request harms nothing: the server still serves the workbook.
    Link other;
    QVERIFY(other.open(server));
    QCOMPARE(other.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(other.ask({"READ", "R6C3"}), (QStringList{"OK", "600"}));
}

void TestSheetServer::aSavedChangeIsReadAndNotified_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"sinal.csv", "sinal.xlsx", "sinal.ods"})
        QTest::newRow(name) << name;
}

void TestSheetServer::aSavedChangeIsReadAndNotified() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString workbook = dir.filePath(name);
    testfiles::Sheet sheet = testfiles::signalSheet();
    sheet[{6, 3}] = testfiles::number(599);
    testfiles::writeSheet(workbook.toStdString(), sheet);
    Server server(workbook);
    QVERIFY(server.ready());

    Link hot;
    QVERIFY(hot.open(server));
    QCOMPARE(hot.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(hot.ask({"ADVISE", "R5C2"}), QStringList{"OK"});
    Link reader;
    QVERIFY(reader.open(server));
    QCOMPARE(reader.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(reader.ask({"READ", "R6C3"}), (QStringList{"OK", "599"}));

    // The user corrects the file in an editor and saves it over the old one.
    sheet[{6, 3}] = testfiles::number(600);
    sheet[{5, 2}] = testfiles::number(7.25);
    const std::string saved = dir.filePath("saving.tmp").toStdString();
    testfiles::writeSheet(saved + name.mid(name.lastIndexOf('.')).toStdString(), sheet);
    std::filesystem::rename(saved + name.mid(name.lastIndexOf('.')).toStdString(),
                            workbook.toStdString());

    QCOMPARE(hot.next(), (QStringList{"DATA", "R5C2", "7.25"}));
    QCOMPARE(reader.ask({"READ", "R6C3"}), (QStringList{"OK", "600"}));
    QVERIFY(reader.notices().isEmpty());
    // An unchanged cell sends nothing more.
    QCOMPARE(hot.next(300), QStringList{});
}

void TestSheetServer::anUnreadableWorkbookIsReportedAndTheServerGoesOn_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "falta.csv"
                             << "não encontrado";
    QTest::newRow("truncated") << "cortado.xlsx"
                               << "danificado";
    QTest::newRow("password") << "protegido.xlsx"
                              << "palavra-passe";
    QTest::newRow("oversized") << "enorme.csv"
                               << "demasiado grande";
    QTest::newRow("zip bomb") << "bomba.ods"
                              << "excede 256 MiB";
}

void TestSheetServer::anUnreadableWorkbookIsReportedAndTheServerGoesOn() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString workbook = dir.filePath(name);
    if (name == "cortado.xlsx")
        std::ofstream(workbook.toStdString(), std::ios::binary) << "PK\x03\x04 meio ficheiro";
    if (name == "protegido.xlsx")
        std::ofstream(workbook.toStdString(), std::ios::binary)
            << std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) << std::string(600, 'x');
    if (name == "enorme.csv") {
        std::ofstream(workbook.toStdString()) << "1,2\n";
        std::filesystem::resize_file(workbook.toStdString(), (64u << 20) + 1);
    }
    if (name == "bomba.ods") {
        const std::string zeros(40u << 20, '\0');
        std::vector<std::pair<std::string, std::string>> entries;
        for (int i = 0; i < 7; ++i)
            entries.emplace_back("Pictures/zero" + std::to_string(i), zeros);
        testfiles::writeZip(workbook.toStdString(), entries);
    }
    Server server(workbook);
    QVERIFY(server.ready());
    Link link;
    QVERIFY(link.open(server));
    // The workbook's conversation is refused with the reason; the system topic still answers.
    const QStringList refused = link.ask({"CONNECT", workbook});
    QCOMPARE(refused.value(0), QString("ERR"));
    QVERIFY2(refused.value(1).startsWith(name + ": ") && refused.value(1).contains(reason),
             qPrintable(refused.join('|')));
    Link system;
    QVERIFY(system.open(server));
    QCOMPARE(system.ask({"CONNECT", "system"}), QStringList{"OK"});

    // Once a good file is saved in its place, the next conversation reads it.
    const std::string good =
        dir.filePath("bom.tmp" + name.mid(name.lastIndexOf('.'))).toStdString();
    testfiles::writeSheet(good, testfiles::signalSheet());
    std::filesystem::rename(good, workbook.toStdString());
    QCOMPARE(link.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(link.ask({"READ", "R6C3"}), (QStringList{"OK", "600"}));
}

void TestSheetServer::anXlsFormulaCellIsRefusedByName() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath("guardado.xls");
    QVERIFY(QFile::copy(FIXTURE_DIR "/editor_saved_formulas.xls", workbook));
    Server server(workbook);
    QVERIFY(server.ready());
    Link link;
    QVERIFY(link.open(server));
    QCOMPARE(link.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(link.ask({"READ", "R9C3"}), (QStringList{"OK", "12"}));
    QCOMPARE(link.ask({"READ", "R6C3"}),
             (QStringList{"ERR", "R6C3: célula vazia ou com fórmula sem valor guardado num .xls; "
                                 "guarde o ficheiro como .xlsx ou .ods"}));
}

void TestSheetServer::pathsWithQuotesSpacesAndAccents() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath("sinal \"teste\" ção\tfolha.csv");
    testfiles::writeCsv(workbook.toStdString(), testfiles::signalSheet(50.0));
    Server server(workbook);
    QVERIFY(server.ready());
    Link link;
    QVERIFY(link.open(server));
    QCOMPARE(link.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(link.ask({"READ", "R4C4"}), (QStringList{"OK", "5000000"}));
}

void TestSheetServer::anOverlongLineEndsOnlyItsConversation() {
    QTemporaryDir dir;
    const QString workbook = copyTemplate(dir, "template.csv");
    Server server(workbook);
    QVERIFY(server.ready());
    Link flood;
    QVERIFY(flood.open(server));
    flood.sendRaw("READ\t" + QByteArray(sheetserver::kMaxLineBytes, 'R'));
    QVERIFY(flood.closedByServer());

    Link link;
    QVERIFY(link.open(server));
    QCOMPARE(link.ask({"CONNECT", workbook}), QStringList{"OK"});
    QCOMPARE(link.ask({"READ", "R6C3"}), (QStringList{"OK", "600"}));
}

void TestSheetServer::terminationSaysByeAndEndsCleanly() {
    QTemporaryDir dir;
    const QString workbook = copyTemplate(dir, "template.ods");
    Server server(workbook);
    QVERIFY(server.ready());
    Link link;
    QVERIFY(link.open(server));
    QCOMPARE(link.ask({"CONNECT", workbook}), QStringList{"OK"});
    server.process().terminate();
    QCOMPARE(link.next(), QStringList{"BYE"});
    QVERIFY(server.endsWith(0));
}

void TestSheetServer::anIdleServerEnds() {
    QTemporaryDir dir;
    const QString workbook = copyTemplate(dir, "template.csv");
    Server server(workbook, {"VANTREL_SHEETSERVER_IDLE_SECONDS=1"});
    QVERIFY(server.ready());
    {
        // An open conversation keeps it running past its idle time.
        Link link;
        QVERIFY(link.open(server));
        QTest::qWait(1500);
        QCOMPARE(server.process().state(), QProcess::Running);
        QCOMPARE(link.ask({"CONNECT", "system"}), QStringList{"OK"});
    }
    QElapsedTimer clock;
    clock.start();
    QVERIFY(server.endsWith(0));
    QVERIFY(clock.elapsed() >= 500);
}

void TestSheetServer::refusesToStartWithoutItsSocket_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("ddeDir");
    QTest::newRow("socket folder missing") << QStringList{"/tmp/x.csv"} << "/nonexistent/vantrel";
    QTest::newRow("no workbook named") << QStringList{} << "";
    QTest::newRow("two workbooks") << QStringList{"a.csv", "b.csv"} << "";
}

void TestSheetServer::refusesToStartWithoutItsSocket() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, ddeDir);
    QTemporaryDir dir;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VANTREL_DDE_DIR", ddeDir.isEmpty() ? dir.path() : ddeDir);
    process.setProcessEnvironment(env);
    process.start(SHEETSERVER_PROGRAM, arguments);
    QVERIFY(process.waitForFinished(kWaitMs));
    QCOMPARE(process.exitCode(), 2);
    const QByteArray message = process.readAllStandardError();
    QCOMPARE(message.count('\n'), 1);
    QVERIFY(message.size() > 10);
}

QTEST_GUILESS_MAIN(TestSheetServer)
#include "test_sheetserver.moc"

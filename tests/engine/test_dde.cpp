// The engine's DDE client against a stand-in server: the line format, requests and replies,
// notices delivered later on the user-interface thread, and the bounds that keep a broken or
// hanging server from freezing the program.

#include "engine/dde_protocol.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "engine/language.h"
#include "support/fake_sheet_server.h"

#include <QElapsedTimer>
#include <QtTest>

#include <array>
#include <string>
#include <vector>

namespace {

struct Notice {
    int handle;
    int type;
    std::string item;
    std::string data;
};

std::vector<Notice> notices;

int recordNotice(unsigned int handle, char *, char *item, int type, int, int size, void *data,
                 void *) {
    notices.push_back({static_cast<int>(handle), type, item,
                       std::string(static_cast<const char *>(data), static_cast<size_t>(size))});
    return 0;
}

int hungUp = 0; ///< the conversation that hangUpOnNotice ends

/// A program's notice callback that hangs up another conversation, as the data link does when
/// one of its two conversations ends.
int hangUpOnNotice(unsigned int, char *, char *, int, int, int, void *, void *) {
    DisconnectFromDDEServer(hungUp);
    return 0;
}

/// Lets queued notices arrive.
void settle() {
    Delay(0.05);
}

} // namespace

Q_DECLARE_METATYPE(std::vector<std::string>)

class DdeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fieldsSurviveTheLineFormat_data();
    void fieldsSurviveTheLineFormat();
    void malformedLinesAreRejected_data();
    void malformedLinesAreRejected();
    void linesArriveWholeWhateverTheChunks();
    void overlongLineFailsTheBuffer();

    // First of the connecting tests: once the module has loaded it stays loaded.
    void unusableSocketModuleIsNamed_data();
    void unusableSocketModuleIsNamed();
    void connectingWithoutServerFails();
    void refusedTopicGivesTheServersReason();
    void readCopiesTheCellTextIntoTheBuffer();
    void readTruncatesToTheCallersBuffer();
    void hotLinkNoticeReachesTheCallbackLater();
    void serverGoingAwayIsNoticedOnce();
    void byeEndsTheConversation();
    void disconnectedConversationGetsNoNotice();
    void hangingServerIsBoundedAndEndsTheConversation();
    void hangUpFromANoticeEndsTheRequestWaitingOnIt();
    void requestsOnUnknownHandleFail();

    void launchedProgramRunsUntilTerminated();
    void launchOfMissingProgramFails();
    void atomicWriteReplacesOrKeepsTheFile();
    void saveAfterAnInterruptedOneLeavesNoTemporary_data();
    void saveAfterAnInterruptedOneLeavesNoTemporary();
};

void DdeTest::initTestCase() {
    std::array<char *, 2> argv{const_cast<char *>("test_dde"), nullptr};
    QCOMPARE(InitCVIRTE(nullptr, argv.data(), nullptr), 1);
}

void DdeTest::init() {
    notices.clear();
}

void DdeTest::cleanup() {
    EngineReset();
}

void DdeTest::fieldsSurviveTheLineFormat_data() {
    QTest::addColumn<std::vector<std::string>>("fields");
    QTest::newRow("plain") << std::vector<std::string>{"READ", "R1C1"};
    QTest::newRow("empty fields") << std::vector<std::string>{"OK", "", ""};
    QTest::newRow("tab and line breaks")
        << std::vector<std::string>{"CONNECT", "/tmp/a\tb\nc\rd.xlsx"};
    QTest::newRow("backslashes") << std::vector<std::string>{"OK", "C:\\Excel\\t.xls\\"};
    QTest::newRow("escape look-alikes") << std::vector<std::string>{"OK", "\\t\\n literally"};
    QTest::newRow("non-ASCII") << std::vector<std::string>{"ERR", "R6C3: célula sem número"};
}

void DdeTest::fieldsSurviveTheLineFormat() {
    QFETCH(std::vector<std::string>, fields);
    const std::string line = dde::encodeMessage(fields);
    QCOMPARE(line.back(), '\n');
    QCOMPARE(std::count(line.begin(), line.end(), '\n'), 1);
    const auto decoded = dde::decodeMessage(std::string_view(line).substr(0, line.size() - 1));
    QVERIFY(decoded.has_value());
    QVERIFY(*decoded == fields);
}

void DdeTest::malformedLinesAreRejected_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("unknown escape") << QByteArray("OK\tC:\\x");
    QTest::newRow("backslash at the end") << QByteArray("OK\tabc\\");
    QTest::newRow("raw carriage return") << QByteArray("OK\tab\rc");
}

void DdeTest::malformedLinesAreRejected() {
    QFETCH(QByteArray, line);
    QVERIFY(!dde::decodeMessage(std::string_view(line.constData(), line.size())).has_value());
}

void DdeTest::linesArriveWholeWhateverTheChunks() {
    dde::LineBuffer buffer;
    QVERIFY(buffer.append("OK\tfir"));
    QVERIFY(!buffer.takeLine().has_value());
    QVERIFY(buffer.append("st\nDATA\tR5C2\t1\nBY"));
    QCOMPARE(buffer.takeLine().value_or("?"), std::string("OK\tfirst"));
    QCOMPARE(buffer.takeLine().value_or("?"), std::string("DATA\tR5C2\t1"));
    QVERIFY(!buffer.takeLine().has_value());
    QVERIFY(buffer.append("E\n"));
    QCOMPARE(buffer.takeLine().value_or("?"), std::string("BYE"));
}

void DdeTest::overlongLineFailsTheBuffer() {
    dde::LineBuffer split;
    const std::string half(dde::kMaxLineBytes / 2 + 1, 'x');
    QVERIFY(split.append(half));
    QVERIFY(!split.append(half));
    QVERIFY(split.failed());

    // A long line followed by its break in the same chunk is caught as well.
    dde::LineBuffer whole;
    whole.append(std::string(dde::kMaxLineBytes + 1, 'y') + "\nOK\n");
    QVERIFY(!whole.takeLine().has_value());
    QVERIFY(whole.failed());
    QVERIFY(!whole.takeLine().has_value());
}

void DdeTest::unusableSocketModuleIsNamed_data() {
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("english");
    QTest::newRow("missing") << QByteArray()
                             << "módulo de comunicação em falta; reinstale o programa."
                             << "communication module missing; reinstall the program.";
    QTest::newRow("not a library")
        << QByteArray("not ELF") << "módulo de comunicação inválido; reinstale o programa."
        << "communication module invalid; reinstall the program.";
}

void DdeTest::unusableSocketModuleIsNamed() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    QFETCH(QString, english);
    QTemporaryDir folder;
    const QString module = folder.filePath("vantrel-dde-link.so");
    if (!contents.isEmpty()) {
        QFile file(module);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    const QByteArray installed = qgetenv("VANTREL_DDE_LINK");
    qputenv("VANTREL_DDE_LINK", module.toLocal8Bit());
    FakeSheetServer server("/w/book.xlsx");
    QVERIFY(server.listen());
    int handle = -1;
    const int result = ConnectToDDEServer(&handle, "excel", "system", recordNotice, nullptr);
    qputenv("VANTREL_DDE_LINK", installed);
    QCOMPARE(result, static_cast<int>(kDdeNoTransport));
    QCOMPARE(handle, -1);
    QCOMPARE(QString::fromUtf8(GetDDEErrorText()), module + ": " + reason);
    SetUiLanguage(UiLanguage::English);
    const QString translated = QString::fromUtf8(GetDDEErrorText());
    SetUiLanguage(UiLanguage::Portuguese);
    QCOMPARE(translated, module + ": " + english);
    // The tests after this one connect: a failed load is no obstacle to the right module.
}

void DdeTest::connectingWithoutServerFails() {
    FakeSheetServer server("/w/book.xlsx"); // not listening
    int handle = -1;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "system", recordNotice, nullptr),
             static_cast<int>(kDdeNoServer));
    QCOMPARE(handle, -1);
}

void DdeTest::refusedTopicGivesTheServersReason() {
    FakeSheetServer server("/w/book.xlsx");
    server.refuseWorkbook =
        "/w/book.xlsx: ficheiro protegido por palavra-passe; guarde-o sem palavra-passe";
    QVERIFY(server.listen());
    int handle = -1;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "/w/book.xlsx", recordNotice, nullptr),
             static_cast<int>(kDdeRefused));
    QCOMPARE(QString::fromUtf8(GetDDEErrorText()),
             QString::fromUtf8(server.refuseWorkbook.c_str()));
    // In English the reason after the file's name is translated, the name kept.
    SetUiLanguage(UiLanguage::English);
    const QString english = QString::fromUtf8(GetDDEErrorText());
    SetUiLanguage(UiLanguage::Portuguese);
    QCOMPARE(english, QString("/w/book.xlsx: file protected by a password; save it without a "
                              "password"));
    QCOMPARE(handle, -1);
    settle();
    QVERIFY(notices.empty()); // a refused connection is not a conversation that ended
}

void DdeTest::readCopiesTheCellTextIntoTheBuffer() {
    FakeSheetServer server("/w/book.xlsx");
    server.cells["R12C2"] = "-98765.4321";
    QVERIFY(server.listen());
    int handle = 0;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "/w/book.xlsx", recordNotice, nullptr), 0);
    QVERIFY(handle > 0);
    std::array<char, 1000> buffer{};
    buffer.fill('#');
    QCOMPARE(ClientDDERead(handle, "r12c2", CF_TEXT, buffer.data(), 1000, 0), 11);
    QCOMPARE(QByteArray(buffer.data()), QByteArray("-98765.4321"));
    QCOMPARE(ClientDDERead(handle, "R1C1", CF_TEXT, buffer.data(), 1000, 0), 0);
    QCOMPARE(buffer[0], '\0');
}

void DdeTest::readTruncatesToTheCallersBuffer() {
    FakeSheetServer server("/w/book.xlsx");
    server.cells["R1C1"] = "0123456789";
    QVERIFY(server.listen());
    int handle = 0;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "/w/book.xlsx", recordNotice, nullptr), 0);
    std::array<char, 5> small{};
    QCOMPARE(ClientDDERead(handle, "R1C1", CF_TEXT, small.data(), 5, 0),
             static_cast<int>(kDdeBufferTooSmall));
    QCOMPARE(QByteArray(small.data()), QByteArray("0123"));
}

void DdeTest::hotLinkNoticeReachesTheCallbackLater() {
    FakeSheetServer server("/w/book.xlsx");
    QVERIFY(server.listen());
    int handle = 0;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "/w/book.xlsx", recordNotice, nullptr), 0);
    QCOMPARE(SetUpDDEHotLink(handle, "R5C2", CF_TEXT, 5000), 0);
    QCOMPARE(server.advised(), std::vector<std::string>{"R5C2"});
    server.notify("R5C2", "42\tx");
    QVERIFY(notices.empty()); // nothing happens behind the program's back
    QTRY_COMPARE(notices.size(), std::size_t{1});
    QCOMPARE(notices[0].handle, handle);
    QCOMPARE(notices[0].type, static_cast<int>(DDE_DATAREADY));
    QCOMPARE(notices[0].item, std::string("R5C2"));
    QCOMPARE(notices[0].data, std::string("42\tx"));
}

void DdeTest::serverGoingAwayIsNoticedOnce() {
    FakeSheetServer server("/w/book.xlsx");
    QVERIFY(server.listen());
    int handle = 0;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "/w/book.xlsx", recordNotice, nullptr), 0);
    server.stop();
    QTRY_COMPARE(notices.size(), std::size_t{1});
    QCOMPARE(notices[0].type, static_cast<int>(DDE_DISCONNECT));
    std::array<char, 16> buffer{};
    QCOMPARE(ClientDDERead(handle, "R1C1", CF_TEXT, buffer.data(), 16, 0),
             static_cast<int>(kDdeDisconnected));
    settle();
    QCOMPARE(notices.size(), std::size_t{1});
    QCOMPARE(DisconnectFromDDEServer(handle), 0);
}

void DdeTest::byeEndsTheConversation() {
    FakeSheetServer server("/w/book.xlsx");
    QVERIFY(server.listen());
    int system = 0;
    QCOMPARE(ConnectToDDEServer(&system, "excel", "SYSTEM", recordNotice, nullptr), 0);
    QCOMPARE(ClientDDEExecute(system, "[QUIT()]", 0), 0);
    QCOMPARE(server.commands(), std::vector<std::string>{"[QUIT()]"});
    QTRY_COMPARE(notices.size(), std::size_t{1});
    QCOMPARE(notices[0].type, static_cast<int>(DDE_DISCONNECT));
    QCOMPARE(ClientDDEExecute(system, "[CLOSE(0)]", 0), static_cast<int>(kDdeDisconnected));
}

void DdeTest::disconnectedConversationGetsNoNotice() {
    FakeSheetServer server("/w/book.xlsx");
    QVERIFY(server.listen());
    int handle = 0;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "/w/book.xlsx", recordNotice, nullptr), 0);
    QCOMPARE(SetUpDDEHotLink(handle, "R5C2", CF_TEXT, 0), 0);
    server.notify("R5C2", "7"); // already on its way when the program hangs up
    QCOMPARE(DisconnectFromDDEServer(handle), 0);
    server.stop();
    settle();
    QVERIFY(notices.empty());
    QCOMPARE(DisconnectFromDDEServer(handle), static_cast<int>(kDdeBadHandle));
}

void DdeTest::hangingServerIsBoundedAndEndsTheConversation() {
    FakeSheetServer server("/w/book.xlsx");
    QVERIFY(server.listen());
    int handle = 0;
    QCOMPARE(ConnectToDDEServer(&handle, "excel", "/w/book.xlsx", recordNotice, nullptr), 0);
    server.hang = true;
    std::array<char, 16> buffer{};
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ClientDDERead(handle, "R1C1", CF_TEXT, buffer.data(), 16, 200),
             static_cast<int>(kDdeTimeout));
    QVERIFY(clock.elapsed() < 3000);
    // A late answer must not be taken for the next request's: the conversation is over.
    server.hang = false;
    QCOMPARE(ClientDDERead(handle, "R1C1", CF_TEXT, buffer.data(), 16, 200),
             static_cast<int>(kDdeDisconnected));
    QTRY_COMPARE(notices.size(), std::size_t{1});
    QCOMPARE(notices[0].type, static_cast<int>(DDE_DISCONNECT));
}

void DdeTest::hangUpFromANoticeEndsTheRequestWaitingOnIt() {
    FakeSheetServer server("/w/book.xlsx");
    QVERIFY(server.listen());
    int book = 0;
    int system = 0;
    QCOMPARE(ConnectToDDEServer(&book, "excel", "/w/book.xlsx", recordNotice, nullptr), 0);
    QCOMPARE(ConnectToDDEServer(&system, "excel", "SYSTEM", hangUpOnNotice, nullptr), 0);
    QCOMPARE(SetUpDDEHotLink(system, "R5C2", CF_TEXT, 0), 0);
    hungUp = book;
    // The read waits for an answer that never comes, until the other conversation's notice,
    // delivered inside that wait, hangs the book's conversation up.
    server.hang = true;
    QTimer::singleShot(50, [&server] { server.notify("R5C2", "1"); });
    std::array<char, 16> buffer{};
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ClientDDERead(book, "R1C1", CF_TEXT, buffer.data(), 16, 5000),
             static_cast<int>(kDdeBadHandle));
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void DdeTest::requestsOnUnknownHandleFail() {
    std::array<char, 16> buffer{};
    QCOMPARE(ClientDDERead(77, "R1C1", CF_TEXT, buffer.data(), 16, 0),
             static_cast<int>(kDdeBadHandle));
    QCOMPARE(ClientDDEExecute(0, "[QUIT()]", 0), static_cast<int>(kDdeBadHandle));
    QCOMPARE(SetUpDDEHotLink(-3, "R5C2", CF_TEXT, 0), static_cast<int>(kDdeBadHandle));
}

void DdeTest::launchedProgramRunsUntilTerminated() {
    int handle = 0;
    QCOMPARE(LaunchExecutableEx("/bin/sleep 30", 2, &handle), 0);
    QVERIFY(handle > 0);
    QCOMPARE(ExecutableHasTerminated(handle), 0);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(TerminateExecutable(handle), 0);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(ExecutableHasTerminated(handle), static_cast<int>(kLaunchBadHandle));
    QCOMPARE(TerminateExecutable(handle), static_cast<int>(kLaunchBadHandle));
}

void DdeTest::launchOfMissingProgramFails() {
    int handle = -7;
    QCOMPARE(LaunchExecutableEx("/nonexistent/sheetserver \"/tmp/x.xls\"", 2, &handle),
             static_cast<int>(kLaunchFailed));
    QCOMPARE(handle, -7);
    QCOMPARE(LaunchExecutableEx("   ", 2, &handle), static_cast<int>(kLaunchFailed));
}

void DdeTest::atomicWriteReplacesOrKeepsTheFile() {
    QTemporaryDir folder;
    const QByteArray target = (folder.path() + "/memo.dat").toUtf8();
    QCOMPARE(WriteFileAtomically(target.constData(), "first", 5), 0);
    QCOMPARE(WriteFileAtomically(target.constData(), "second!", 7), 0);
    QFile file(QString::fromUtf8(target));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("second!"));
    const QByteArray missing = (folder.path() + "/no/such/folder/memo.dat").toUtf8();
    QVERIFY(WriteFileAtomically(missing.constData(), "x", 1) < 0);

    std::array<char, 260> directory{};
    QCOMPARE(GetUserFileDir(directory.data(), 260), 0);
    QCOMPARE(QString::fromUtf8(directory.data()), QCoreApplication::applicationDirPath());
    std::array<char, 4> tiny{};
    QVERIFY(GetUserFileDir(tiny.data(), 4) < 0);
}

void DdeTest::saveAfterAnInterruptedOneLeavesNoTemporary_data() {
    QTest::addColumn<QByteArray>("leftover"); ///< what the killed save had written
    QTest::newRow("killed once the temporary was made") << QByteArray();
    QTest::newRow("killed while writing") << QByteArray("C:\\Program");
    QTest::newRow("killed before the rename") << QByteArray(300, 'x');
}

void DdeTest::saveAfterAnInterruptedOneLeavesNoTemporary() {
    QFETCH(QByteArray, leftover);
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QByteArray target = dir.filePath("memo.dat").toUtf8();
    QCOMPARE(WriteFileAtomically(target.constData(), "old", 3), 0);
    // A kill leaves the save's temporary beside the record; files of other names stay.
    for (const char *name : {"memo.dat.aB3xZ9", "memo.dat.bak", "memo.dat.aB3xZ", "memo.dat.x"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(leftover);
    }
    QCOMPARE(WriteFileAtomically(target.constData(), "new", 3), 0);
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{"memo.dat", "memo.dat.aB3xZ", "memo.dat.bak", "memo.dat.x"}));
}

QTEST_MAIN(DdeTest)
#include "test_dde.moc"

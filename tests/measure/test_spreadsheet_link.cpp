// The spreadsheet data link driven as a user drives it, against a stand-in server: the load of
// 600 samples and a frequency, the points check with its pop-up, every way a load can stop short
// (with the channel's waveform left exactly as it was), the record file, and the command line.

#include "app/callbacks.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "measure/link_record.h"
#include "measure/spreadsheet_link.h"
#include "sim/input_routing.h"
#include "support/fake_sheet_server.h"
#include "ui/uir_constants.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace {

constexpr const char *kWorkbook = "/dados/sinal de teste.xlsx";

/// A worksheet as the template lays it out: samples in column `column` from row `row`.
void fillWorksheet(FakeSheetServer &server, int column, int row) {
    server.cells["R4C4"] = "100000000"; // 1000 Hz
    server.cells["R5C2"] = "0";
    server.cells["R6C3"] = "600";
    server.cells["R8C3"] = std::to_string(column);
    server.cells["R9C3"] = std::to_string(row);
    for (int i = 0; i < vantrel::kSamples; ++i) {
        server.cells["R" + std::to_string(row + i) + "C" + std::to_string(column)] =
            std::to_string(i * 250 - 75000);
    }
}

double expectedSample(int i) {
    return (i * 250 - 75000) / 100000.0;
}

/// Marks a channel's stored waveform so that any change to it shows.
void markStoredWaveform(int channel) {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        onda_E[channel][i] = 0.125 * i;
    }
    freq_E[channel] = 333.0;
}

bool storedWaveformUntouched(int channel) {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        if (onda_E[channel][i] != 0.125 * i) {
            return false;
        }
    }
    return freq_E[channel] == 333.0;
}

std::string statusText(int panel) {
    if (const auto kept = EngineDiscardedText(panel, PANEL_STATUS)) {
        return *kept;
    }
    std::string text;
    GetCtrlVal(panel, PANEL_STATUS, &text);
    return text;
}

std::string textOf(int panel, int control) {
    std::string text;
    GetCtrlVal(panel, control, &text);
    return text;
}

QString memoPath() {
    return QCoreApplication::applicationDirPath() + "/memo.dat";
}

} // namespace

class SpreadsheetLinkTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    QByteArray sleeper_; ///< a program that just waits, in the spreadsheet program's place

    /// Opens the panel for `channel` with the given program and workbook paths.
    int openPanel(int channel, const char *program, const char *workbook) {
        iniciar_excel(channel);
        const int panel = panelhandle;
        if (panel > 0) {
            SetCtrlVal(panel, PANEL_PATH, program);
            SetCtrlVal(panel, PANEL_PATH_fich, workbook);
        }
        return panel;
    }
    /// Opens the panel and presses "Carregar Dados"; returns the panel's handle.
    int load(int channel, const char *workbook = kWorkbook) {
        const int panel = openPanel(channel, sleeper_.constData(), workbook);
        EngineSendEvent(panel, PANEL_CONNECT, EVENT_COMMIT);
        return panel;
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cellTextParsesAsNumber_data();
    void cellTextParsesAsNumber();
    void cellTextParsesAsIndex_data();
    void cellTextParsesAsIndex();

    // First of the loads: once the socket module has loaded it stays loaded.
    void failureThatWaitingCannotMendStopsAtOnce_data();
    void failureThatWaitingCannotMendStopsAtOnce();
    void loadStoresSamplesAndFrequency_data();
    void loadStoresSamplesAndFrequency();
    void loadedSignalFeedsTheChannel();
    void pointsPopUpRepeatsUntilTheWorkbookIsCorrected();
    void answeringNoToThePointsGivesUp();
    void badCellStopsAndKeepsTheWaveform_data();
    void badCellStopsAndKeepsTheWaveform();
    void serverKilledMidLoadKeepsTheWaveform();
    void programThatEndsStopsTheWait();
    void missingProgramIsReported();
    void fecharDuringTheConnectionLoopCloses();
    void starsBreakTheLineAfterTheTwentyThird();
    void fecharBeforeAnyLoadKeepsTheWaveform();
    void lateDisconnectNoticeIsIgnored();

    void firstRunShowsTheDefaultPaths();
    void procurarPutsTheChosenPathInItsField_data();
    void procurarPutsTheChosenPathInItsField();
    void reopeningShowsTheLastPaths();
    void damagedRecordReadsAsNone_data();
    void damagedRecordReadsAsNone();
    void tooLongPathIsNotRemembered();
    void recordKeepsAtMost149Characters();
    void pathBeyondTheFieldIsRefused();
    void commandLineCarriesAnyPath_data();
    void commandLineCarriesAnyPath();
};

void SpreadsheetLinkTest::initTestCase() {
    std::array<char *, 2> argv{const_cast<char *>("test_spreadsheet_link"), nullptr};
    QCOMPARE(InitCVIRTE(nullptr, argv.data(), nullptr), 1);
    RegisterInstrumentCallbacks();
    QVERIFY(scratch_.isValid());
    sleeper_ = (scratch_.path() + "/servidor").toUtf8();
    QFile script(QString::fromUtf8(sleeper_));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 60\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void SpreadsheetLinkTest::init() {
    QFile::remove(memoPath());
    markStoredWaveform(0);
    markStoredWaveform(1);
}

void SpreadsheetLinkTest::cleanup() {
    EngineReset();
    panelhandle = datalink = systemlink = program_handle = 0;
    QFile::remove(memoPath());
}

void SpreadsheetLinkTest::cellTextParsesAsNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "150000" << true << 150000.0;
    QTest::newRow("negative decimal") << "-0.000125" << true << -0.000125;
    QTest::newRow("exponent") << "1e8" << true << 1e8;
    QTest::newRow("blanks around") << " 42\r\n" << true << 42.0;
    QTest::newRow("plus sign") << "+3.5" << true << 3.5;
    QTest::newRow("decimal comma") << "1,5" << false << 0.0;
    QTest::newRow("trailing text") << "12abc" << false << 0.0;
    QTest::newRow("word") << "abc" << false << 0.0;
    QTest::newRow("empty cell") << "" << false << 0.0;
    QTest::newRow("not a number") << "nan" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
    QTest::newRow("inner blank") << "1 5" << false << 0.0;
}

void SpreadsheetLinkTest::cellTextParsesAsNumber() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::string bytes = text.toStdString();
    const std::optional<double> parsed = ParseCellNumber(bytes);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) {
        QCOMPARE(*parsed, value);
    }
}

void SpreadsheetLinkTest::cellTextParsesAsIndex_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("largest");
    QTest::addColumn<int>("value"); ///< 0: refused
    QTest::newRow("plain") << "12" << 100 << 12;
    QTest::newRow("written as decimal") << "2.0" << 100 << 2;
    QTest::newRow("largest allowed") << "100" << 100 << 100;
    QTest::newRow("beyond the sheet") << "101" << 100 << 0;
    QTest::newRow("zero") << "0" << 100 << 0;
    QTest::newRow("negative") << "-3" << 100 << 0;
    QTest::newRow("fraction") << "12.5" << 100 << 0;
    QTest::newRow("huge") << "1e300" << 100 << 0;
    QTest::newRow("text") << "C" << 100 << 0;
}

void SpreadsheetLinkTest::cellTextParsesAsIndex() {
    QFETCH(QString, text);
    QFETCH(int, largest);
    QFETCH(int, value);
    const std::string bytes = text.toStdString();
    QCOMPARE(ParseCellIndex(bytes, largest).value_or(0), value);
}

void SpreadsheetLinkTest::loadStoresSamplesAndFrequency_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("CH I, R12C2 to R611C2") << 0 << 2 << 12;
    QTest::newRow("CH II, R20C5 to R619C5") << 1 << 5 << 20;
}

void SpreadsheetLinkTest::loadStoresSamplesAndFrequency() {
    QFETCH(int, channel);
    QFETCH(int, column);
    QFETCH(int, row);
    FakeSheetServer server(kWorkbook);
    fillWorksheet(server, column, row);
    server.cells["R" + std::to_string(row - 1) + "C" + std::to_string(column)] = "oops";
    server.cells["R" + std::to_string(row + 600) + "C" + std::to_string(column)] = "oops";
    QVERIFY(server.listen());

    const int panel = load(channel);
    QCOMPARE(panelhandle, 0); // a successful load closes the panel
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QCOMPARE(onda_E[channel][i], expectedSample(i));
    }
    QCOMPARE(freq_E[channel], 1000.0);
    QVERIFY(storedWaveformUntouched(1 - channel));
    QCOMPARE(server.reads(), 1 + 2 + 600 + 1);
    QCOMPARE(server.advised(), std::vector<std::string>{"R5C2"});
    QCOMPARE(server.commands(), (std::vector<std::string>{"[CLOSE(0)]", "[QUIT()]"}));
    QCOMPARE(QString::fromStdString(statusText(panel)),
             QString::fromUtf8("??? A tentar ligar ao Excel...\n    AGUARDE.\n  *\n"
                               "... Ligação ao Excel com sucesso.\n"
                               "... Ligação ao Worksheet com sucesso.\n"
                               "... Dados Carregados com Sucesso.\n"
                               "Closing Worksheet...\nQuiting Excel...\n"));
}

void SpreadsheetLinkTest::loadedSignalFeedsTheChannel() {
    FakeSheetServer server(kWorkbook);
    fillWorksheet(server, 2, 12);
    QVERIFY(server.listen());
    load(1);
    ChIN[1] = 2; // "Excel"
    EngineTickTimer(0, 0);
    act_entr(0, 0, EVENT_TIMER_TICK, nullptr, 0, 0);
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QCOMPARE(onda_entCh[1][i], expectedSample(i));
    }
    QCOMPARE(freq[1], 1000.0);
    ChIN[1] = 0;
}

void SpreadsheetLinkTest::pointsPopUpRepeatsUntilTheWorkbookIsCorrected() {
    FakeSheetServer server(kWorkbook);
    fillWorksheet(server, 2, 12);
    server.cells["R6C3"] = "599";
    QVERIFY(server.listen());
    int asked = 0;
    EngineSetPopupHandler(
        [&](EnginePopupKind kind, const std::string &title, const std::string &text) {
            EnginePopupAnswer answer;
            if (kind != EnginePopupKind::Confirm) {
                return answer;
            }
            ++asked;
            [&] {
                QCOMPARE(QString::fromStdString(title), QString("Numero de pontos!"));
                QCOMPARE(QString::fromStdString(text),
                         QString::fromUtf8("O número de pontos calculados no ficheiro indicado\n"
                                           "não corresponde com os necessários.\n\nPontos "
                                           "necessários: 600.\n\nConfirmar quando corrigido..."));
            }();
            // The first confirmation comes too early; the second after the user's fix.
            if (asked == 2) {
                server.cells["R6C3"] = "600";
            }
            answer.confirm = 1;
            return answer;
        });
    load(0);
    QCOMPARE(asked, 2);
    QCOMPARE(panelhandle, 0);
    QCOMPARE(onda_E[0][599], expectedSample(599));
}

void SpreadsheetLinkTest::answeringNoToThePointsGivesUp() {
    FakeSheetServer server(kWorkbook);
    fillWorksheet(server, 2, 12);
    server.cells["R6C3"] = "599";
    QVERIFY(server.listen());
    EngineQueueConfirmAnswer(0);
    const int panel = load(0);
    QCOMPARE(panelhandle, panel); // the panel stays, to show why
    QVERIFY(storedWaveformUntouched(0));
    const std::string text = statusText(panel);
    QVERIFY2(text.find("!!! Dados não carregados") != std::string::npos, text.c_str());
    int dimmed = 1;
    GetCtrlAttribute(panel, PANEL_CONNECT, ATTR_DIMMED, &dimmed);
    QCOMPARE(dimmed, 0); // another try is possible
    QCOMPARE(program_handle, 0);
    QCOMPARE(server.commands(), (std::vector<std::string>{"[CLOSE(0)]", "[QUIT()]"}));
}

void SpreadsheetLinkTest::badCellStopsAndKeepsTheWaveform_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("cellText");
    QTest::addColumn<QString>("refusal"); ///< the server's ERR message instead of a text
    QTest::addColumn<QString>("expected");
    QTest::newRow("sample word") << "R300C2"
                                 << "abc"
                                 << ""
                                 << "!!! Célula R300C2 não contém um número: \"abc\".\n";
    QTest::newRow("sample comma") << "R12C2"
                                  << "1,5"
                                  << ""
                                  << "!!! Célula R12C2 não contém um número: \"1,5\".\n";
    QTest::newRow("empty last sample") << "R611C2"
                                       << ""
                                       << ""
                                       << "!!! Célula R611C2 não contém um número: \"\".\n";
    QTest::newRow("frequency") << "R4C4"
                               << "mil"
                               << ""
                               << "!!! Célula R4C4 não contém um número: \"mil\".\n";
    QTest::newRow("points") << "R6C3"
                            << "seiscentos"
                            << ""
                            << "!!! Célula R6C3 não contém um número: \"seiscentos\".\n";
    QTest::newRow("column") << "R8C3"
                            << "B"
                            << ""
                            << "!!! Célula R8C3 não contém um número inteiro entre 1 e 16384: "
                               "\"B\".\n";
    QTest::newRow("first row") << "R9C3"
                               << "0"
                               << ""
                               << "!!! Célula R9C3 não contém um número inteiro entre 1 e "
                                  "1047977: \"0\".\n";
    QTest::newRow("formula without value") << "R100C2"
                                           << ""
                                           << "R100C2: célula com fórmula sem valor guardado"
                                           << "!!! R100C2: célula com fórmula sem valor guardado\n";
}

void SpreadsheetLinkTest::badCellStopsAndKeepsTheWaveform() {
    QFETCH(QString, cell);
    QFETCH(QString, cellText);
    QFETCH(QString, refusal);
    QFETCH(QString, expected);
    FakeSheetServer server(kWorkbook);
    fillWorksheet(server, 2, 12);
    server.cells[cell.toStdString()] = cellText.toStdString();
    if (!refusal.isEmpty()) {
        server.refuseCells[cell.toStdString()] = refusal.toStdString();
    }
    QVERIFY(server.listen());
    const int panel = load(0);
    QCOMPARE(panelhandle, panel);
    QVERIFY(storedWaveformUntouched(0));
    const QString text = QString::fromStdString(statusText(panel));
    QVERIFY2(text.endsWith(expected + QString::fromUtf8("!!! Dados não carregados; o sinal do "
                                                        "canal não foi alterado.\n")),
             qPrintable(text));
    QVERIFY(!text.contains("Sucesso"));
}

void SpreadsheetLinkTest::serverKilledMidLoadKeepsTheWaveform() {
    FakeSheetServer server(kWorkbook);
    fillWorksheet(server, 2, 12);
    server.onRead = [&](const std::string &, int reads) {
        if (reads == 100) {
            server.stop();
        }
    };
    QVERIFY(server.listen());
    const int panel = load(0);
    QVERIFY(storedWaveformUntouched(0));
    QCOMPARE(panelhandle, panel);
    const std::string text = statusText(panel);
    QVERIFY2(text.find("!!! Ligação Desligada!!!\n") != std::string::npos, text.c_str());
    QVERIFY2(text.find("!!! Dados não carregados") != std::string::npos, text.c_str());
    QCOMPARE(datalink, 0);
    QCOMPARE(systemlink, 0);
}

void SpreadsheetLinkTest::failureThatWaitingCannotMendStopsAtOnce_data() {
    QTest::addColumn<QByteArray>("module"); // empty: the staged one
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("reported");
    QTest::newRow("socket module missing")
        << QByteArray("/nao/existe/vantrel-dde-link.so") << QString()
        << "\n!!! /nao/existe/vantrel-dde-link.so: módulo de comunicação em falta; reinstale o "
           "programa.\n";
    QTest::newRow("workbook refused")
        << QByteArray() << "Ficheiro vazio: /dados/sinal de teste.xlsx"
        << "\n!!! Ficheiro vazio: /dados/sinal de teste.xlsx\n";
}

void SpreadsheetLinkTest::failureThatWaitingCannotMendStopsAtOnce() {
    QFETCH(QByteArray, module);
    QFETCH(QString, refusal);
    QFETCH(QString, reported);
    FakeSheetServer server(kWorkbook);
    server.refuseWorkbook = refusal.toStdString();
    QVERIFY(server.listen());
    const QByteArray staged = qgetenv("VANTREL_DDE_LINK");
    if (!module.isEmpty()) {
        qputenv("VANTREL_DDE_LINK", module);
    }
    QElapsedTimer clock;
    clock.start();
    const int panel = load(0);
    qputenv("VANTREL_DDE_LINK", staged);
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(storedWaveformUntouched(0));
    const QString text = QString::fromStdString(statusText(panel));
    QVERIFY2(text.contains(reported), qPrintable(text));
}

void SpreadsheetLinkTest::programThatEndsStopsTheWait() {
    FakeSheetServer server(kWorkbook); // never listens
    const int panel = openPanel(0, "/bin/true", kWorkbook);
    QElapsedTimer clock;
    clock.start();
    EngineSendEvent(panel, PANEL_CONNECT, EVENT_COMMIT);
    QVERIFY(clock.elapsed() < 5000);
    const QString text = QString::fromStdString(statusText(panel));
    QVERIFY2(text.contains("!!! O programa \"/bin/true\" terminou sem aceitar a ligação.\n"),
             qPrintable(text));
    QVERIFY(storedWaveformUntouched(0));
}

void SpreadsheetLinkTest::missingProgramIsReported() {
    FakeSheetServer server(kWorkbook);
    const int panel = openPanel(0, "/nao/existe/sheetserver", kWorkbook);
    EngineSendEvent(panel, PANEL_CONNECT, EVENT_COMMIT);
    QCOMPARE(QString::fromStdString(statusText(panel)),
             QString::fromUtf8("!!! Não foi possível iniciar o programa "
                               "\"/nao/existe/sheetserver\".\n"));
    QCOMPARE(panelhandle, panel);
}

void SpreadsheetLinkTest::fecharDuringTheConnectionLoopCloses() {
    FakeSheetServer server(kWorkbook); // never listens
    const int panel = openPanel(0, sleeper_.constData(), kWorkbook);
    QTimer::singleShot(1200, [panel] { EngineSendEvent(panel, PANEL_QUIT, EVENT_COMMIT); });
    QElapsedTimer clock;
    clock.start();
    EngineSendEvent(panel, PANEL_CONNECT, EVENT_COMMIT);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(panelhandle, 0);
    QCOMPARE(program_handle, 0);
    const QString text = QString::fromStdString(statusText(panel));
    QVERIFY2(text.endsWith(QString::fromUtf8("  *  *\n!!! Ligação cancelada.\n"
                                             "Closing Worksheet...\nQuiting Excel...\n")),
             qPrintable(text));
    QVERIFY(storedWaveformUntouched(0));
}

void SpreadsheetLinkTest::starsBreakTheLineAfterTheTwentyThird() {
    FakeSheetServer server(kWorkbook);
    fillWorksheet(server, 2, 12);
    // The server answers only from the 24th attempt on: it starts listening once the 23rd
    // star is shown, whatever the machine's pace.
    const int panel = openPanel(0, sleeper_.constData(), kWorkbook);
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const std::string shown = statusText(panel);
        std::size_t stars = 0;
        for (std::size_t at = shown.find("  *"); at != std::string::npos;
             at = shown.find("  *", at + 1)) {
            ++stars;
        }
        if (stars == 23) {
            watcher.stop();
            server.listen();
        }
    });
    watcher.start(20);
    EngineSendEvent(panel, PANEL_CONNECT, EVENT_COMMIT);
    std::string stars;
    for (int i = 0; i < 23; ++i) {
        stars += "  *";
    }
    const std::string expected = "    AGUARDE.\n" + stars + "\n  *\n... Ligação ao Excel";
    const std::string text = statusText(panel);
    QVERIFY2(text.find(expected) != std::string::npos, text.c_str());
    QCOMPARE(panelhandle, 0);
}

void SpreadsheetLinkTest::fecharBeforeAnyLoadKeepsTheWaveform() {
    const int panel = openPanel(1, sleeper_.constData(), kWorkbook);
    EngineSendEvent(panel, PANEL_QUIT, EVENT_COMMIT);
    QCOMPARE(panelhandle, 0);
    QCOMPARE(EnginePanelShown(panel), 0);
    QVERIFY(storedWaveformUntouched(1));
}

void SpreadsheetLinkTest::lateDisconnectNoticeIsIgnored() {
    FakeSheetServer server(kWorkbook);
    QVERIFY(server.listen());
    int stale = 0;
    QCOMPARE(ConnectToDDEServer(&stale, "excel", "system", ClientCallback, nullptr), 0);
    const int panel = openPanel(0, sleeper_.constData(), kWorkbook);
    // A notice of a conversation that is not the link's own leaves the panel alone.
    std::array<char, 8> topic{"system"};
    std::array<char, 1> item{};
    QCOMPARE(
        ClientCallback(stale, topic.data(), item.data(), DDE_DISCONNECT, 1, 0, nullptr, nullptr),
        0);
    QCOMPARE(statusText(panel), std::string());
    // After the panel is gone, even the link's own notice is harmless.
    EngineSendEvent(panel, PANEL_QUIT, EVENT_COMMIT);
    datalink = stale;
    server.stop();
    QTRY_COMPARE(datalink, 0);
    QCOMPARE(panelhandle, 0);
}

void SpreadsheetLinkTest::firstRunShowsTheDefaultPaths() {
    iniciar_excel(0);
    // The server where helper programs are installed, the templates beside the resource files.
    const QString helpers = QCoreApplication::applicationDirPath();
    const QString resources = qEnvironmentVariable("VANTREL_RESOURCE_DIR");
    QVERIFY(!resources.isEmpty());
    QCOMPARE(QString::fromStdString(textOf(panelhandle, PANEL_PATH)), helpers + "/sheetserver");
    QCOMPARE(QString::fromStdString(textOf(panelhandle, PANEL_PATH_fich)), resources + "/Excel/");
    QCOMPARE(QString::fromUtf8(path_memo), memoPath());
    QCOMPARE(EngineTopPopup(), panelhandle);
}

void SpreadsheetLinkTest::procurarPutsTheChosenPathInItsField_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fileSpec");
    QTest::newRow("program") << PANEL_COMMANDBUTTON << PANEL_PATH << "Executavel do Microsoft Excel"
                             << "*.exe";
    QTest::newRow("workbook") << PANEL_COMMANDBUTTON_2 << PANEL_PATH_fich << ""
                              << "*.xls";
}

void SpreadsheetLinkTest::procurarPutsTheChosenPathInItsField() {
    QFETCH(int, button);
    QFETCH(int, field);
    QFETCH(QString, title);
    QFETCH(QString, fileSpec);
    const int panel = openPanel(0, "/antes/programa", "/antes/livro.xls");
    const std::string before = textOf(panel, field);
    std::optional<std::string> answer; // first cancelled: the field keeps its path
    QString seenTitle;
    QString seenProposal;
    EngineSetPopupHandler(
        [&](EnginePopupKind, const std::string &shownTitle, const std::string &proposed) {
            seenTitle = QString::fromStdString(shownTitle);
            seenProposal = QString::fromStdString(proposed);
            EnginePopupAnswer chosen;
            chosen.path = answer;
            return chosen;
        });
    EngineSendEvent(panel, button, EVENT_COMMIT);
    QCOMPARE(textOf(panel, field), before);
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenProposal, fileSpec);
    answer = "/escolhido/ação 1.ods";
    EngineSendEvent(panel, button, EVENT_COMMIT);
    QCOMPARE(QString::fromStdString(textOf(panel, field)),
             QString::fromUtf8("/escolhido/ação 1.ods"));
}

void SpreadsheetLinkTest::reopeningShowsTheLastPaths() {
    FakeSheetServer server("/dados/Sinal ção.ods");
    fillWorksheet(server, 2, 12);
    QVERIFY(server.listen());
    load(0, "/dados/Sinal ção.ods");
    QCOMPARE(panelhandle, 0);
    QFile memo(memoPath());
    QVERIFY(memo.open(QIODevice::ReadOnly));
    QCOMPARE(memo.size(), qint64(300));

    iniciar_excel(1);
    QCOMPARE(QByteArray::fromStdString(textOf(panelhandle, PANEL_PATH)), sleeper_);
    QCOMPARE(QString::fromStdString(textOf(panelhandle, PANEL_PATH_fich)),
             QString::fromUtf8("/dados/Sinal ção.ods"));
    QCOMPARE(CanalE, 1);
}

void SpreadsheetLinkTest::damagedRecordReadsAsNone_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray good(300, '\0');
    good.replace(0, 4, "/p/x");
    good.replace(150, 4, "/f/y");
    QTest::newRow("short") << good.left(299);
    QTest::newRow("long") << good + QByteArray(1, '\0');
    QTest::newRow("empty") << QByteArray();
    QByteArray noEnd = good;
    noEnd.replace(150, 150, QByteArray(150, 'a'));
    QTest::newRow("field without its end") << noEnd;
    QByteArray control = good;
    control[1] = '\x07';
    QTest::newRow("control character") << control;
    QByteArray latin1 = good;
    latin1[2] = '\xe7';
    QTest::newRow("not UTF-8") << latin1;
    QTest::newRow("foreign bytes") << QByteArray(300, '\xff');
}

void SpreadsheetLinkTest::damagedRecordReadsAsNone() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseLinkRecord(std::string_view(bytes.constData(), bytes.size())).has_value());
    QFile memo(memoPath());
    QVERIFY(memo.open(QIODevice::WriteOnly));
    memo.write(bytes);
    memo.close();
    iniciar_excel(0);
    QCOMPARE(QString::fromStdString(textOf(panelhandle, PANEL_PATH)),
             QCoreApplication::applicationDirPath() + "/sheetserver");
}

void SpreadsheetLinkTest::tooLongPathIsNotRemembered() {
    const std::string workbook = "/dados/" + std::string(150, 'x') + ".xlsx";
    FakeSheetServer server(workbook);
    fillWorksheet(server, 2, 12);
    QVERIFY(server.listen());
    const auto previous = BuildLinkRecord("/antes/programa", "/antes/livro.xls");
    QFile memo(memoPath());
    QVERIFY(memo.open(QIODevice::WriteOnly));
    memo.write(previous->data(), static_cast<qint64>(previous->size()));
    memo.close();

    const int panel = load(0, workbook.c_str());
    QCOMPARE(onda_E[0][0], expectedSample(0)); // the load goes on
    const std::string text = statusText(panel);
    QVERIFY2(text.rfind("... Caminho com mais de 149 caracteres: os caminhos não foram "
                        "memorizados.\n??? A tentar",
                        0) == 0,
             text.c_str());
    QVERIFY(memo.open(QIODevice::ReadOnly));
    QCOMPARE(memo.readAll(), QByteArray(previous->data(), 300));
}

void SpreadsheetLinkTest::recordKeepsAtMost149Characters() {
    const std::string longest(149, 'p');
    const auto record = BuildLinkRecord(longest, "/f");
    QVERIFY(record.has_value());
    const auto back = ParseLinkRecord(std::string_view(record->data(), record->size()));
    QVERIFY(back.has_value());
    QCOMPARE(back->program, longest);
    QCOMPARE(back->file, std::string("/f"));
    QVERIFY(!BuildLinkRecord(longest + "p", "/f").has_value());
    QVERIFY(!BuildLinkRecord("/p", "/f\n").has_value());
}

void SpreadsheetLinkTest::pathBeyondTheFieldIsRefused() {
    // A path that the 260-character globals cannot hold is never cut short into another path.
    const std::string workbook = "/dados/" + std::string(260, 'y') + ".xlsx";
    const int panel = load(0, workbook.c_str());
    QCOMPARE(QString::fromStdString(statusText(panel)),
             QString::fromUtf8("!!! Caminho com mais de 259 caracteres: use um caminho mais "
                               "curto.\n"));
    QCOMPARE(program_handle, 0);
    QVERIFY(!QFile::exists(memoPath()));
    QVERIFY(storedWaveformUntouched(0));
}

void SpreadsheetLinkTest::commandLineCarriesAnyPath_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "bin"
                           << "/tmp/sinal.xlsx";
    QTest::newRow("spaces") << "meus programas"
                            << "/tmp/o meu sinal.xlsx";
    QTest::newRow("quotes") << "o \"servidor\""
                            << "/tmp/\"citado\" e \"\"\"triplo.xls";
    QTest::newRow("trailing quote") << "x\""
                                    << "/tmp/fim\"";
    QTest::newRow("non-ASCII and a no-break space")
        << QString::fromUtf8("programação") << QString::fromUtf8("/tmp/ação\u00a0ü.ods");
    QTest::newRow("tab") << "a\tb"
                         << "/tmp/a\tb.csv";
}

void SpreadsheetLinkTest::commandLineCarriesAnyPath() {
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QTemporaryDir base;
    QVERIFY(QDir(base.path()).mkpath(folder));
    const QString program = base.path() + "/" + folder + "/eco";
    const QString output = base.path() + "/argumentos";
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\nprintf '%s|' \"$0\" \"$@\" > '" + output + "'\n").toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const std::string line = QuoteCommandWord(program.toStdString(), false) + " " +
                             QuoteCommandWord(file.toStdString(), true);
    int handle = 0;
    QCOMPARE(LaunchExecutableEx(line.c_str(), 2, &handle), 0);
    QTRY_COMPARE(ExecutableHasTerminated(handle), 1);
    QFile written(output);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()), program + "|" + file + "|");
    TerminateExecutable(handle);
}

QTEST_MAIN(SpreadsheetLinkTest)
#include "test_spreadsheet_link.moc"

// Start-up, quitting, the menu commands and the initial instrument state.

#include "app/callbacks.h"
#include "app/command_line.h"
#include "app/language_choice.h"
#include "app/startup.h"
#include "app/state.h"
#include "app/version.h"
#include "controls/trigger_display.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/graph_widget.h"
#include "generator/generator.h"
#include "help/menu.h"
#include "sim/autostart.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace {

QString stageDir() {
    return qEnvironmentVariable("VANTREL_RESOURCE_DIR");
}

/// A copy of the staged resource files that a test may damage.
bool copyResources(const QString &to) {
    const QDir from(stageDir());
    for (const QString &name : from.entryList({"*.uir"}, QDir::Files)) {
        if (!QFile::copy(from.filePath(name), QDir(to).filePath(name))) {
            return false;
        }
    }
    return true;
}

/// Removes one panel from a resource file, so that loading exactly that panel fails.
bool removePanel(const QString &path, int number) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QJsonObject document = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QJsonArray kept;
    for (const QJsonValue &panel : document.value("panels").toArray()) {
        if (panel.toObject().value("number").toInt() != number) {
            kept.append(panel);
        }
    }
    document["panels"] = kept;
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(QJsonDocument(document).toJson()) > 0;
}

bool anyWindowShown() {
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            return true;
        }
    }
    return false;
}

/// Runs the event loop until `body` has run (from inside the loop) and the loop ended.
/// `body` must end the loop itself; a watchdog ends it after `timeoutMs` regardless.
bool runLoopWith(const std::function<void()> &body, int timeoutMs = 5000) {
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QuitUserInterface(0);
    });
    watchdog.start(timeoutMs);
    QTimer::singleShot(0, body);
    RunUserInterface();
    return !timedOut;
}

/// What a command line asks for, in one comparable line.
QString summary(const CommandLine &line) {
    if (!line.refusal.isEmpty()) {
        return "refused: " + line.refusal;
    }
    QStringList parts;
    const std::pair<bool, const char *> flags[] = {{line.help, "help"},
                                                   {line.version, "version"},
                                                   {line.noSplash, "no-splash"},
                                                   {line.checkInstall, "check-install"},
                                                   {line.afterglow, "afterglow"}};
    for (const auto &[set, name] : flags) {
        if (set) {
            parts << name;
        }
    }
    const std::pair<QString, const char *> values[] = {
        {line.powerOn, "power-on"},  {line.screenshot, "screenshot"}, {line.qtPlatform, "platform"},
        {line.qtDisplay, "display"}, {line.language, "lang"},         {line.setupFile, "setup"}};
    for (const auto &[value, name] : values) {
        if (!value.isEmpty()) {
            parts << QString::fromUtf8(name) + '=' + value;
        }
    }
    return parts.join(' ');
}

} // namespace

int OwnHelperNameSum();

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(InitCVIRTE(nullptr, nullptr, nullptr) == 1);
        RegisterInstrumentCallbacks();
    }

    void xyDemonstrationDrawsALissajousFigure() {
        QCOMPARE(StartPoweredOn("xy"), 0);
        EngineTickTimer(Painel_Principal, PANEL_TIMER_3);
        QCOMPARE(modoxy, 1);
        // Both axes carry sines (a square on X draws a ladder of lines), in the ratio 1:2.
        for (int c = 0; c < 2; ++c) {
            QCOMPARE(ChIN[c], 1);
            QCOMPARE(tipo_onda[c], 3);
            const auto [low, high] =
                std::minmax_element(std::begin(onda_entCh[c]), std::end(onda_entCh[c]));
            const double peak = *high;
            QVERIFY(peak > 0.0 && std::abs(*low + peak) < 1e-9 * peak);
            QVERIFY(std::abs(onda_entCh[c][vantrel::kSamples / 8] - peak * std::sqrt(0.5)) <
                    1e-9 * peak);
        }
        QVERIFY(freq[0] > 0.0);
        QCOMPARE(freq[1], 2.0 * freq[0]);
        QCOMPARE(Ligado, 1);
        Power_btn(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK, nullptr, 0, 0);
        QCOMPARE(Ligado, 0);
    }

    // NORMAL with the level above the calibrator's +1 V: nothing triggers and the tube goes
    // blank, though the free-running trace it follows changed at every refresh before.
    void normalAboveTheSignalBlanksTheTube() {
        QCOMPARE(StartPoweredOn("ch"), 0);
        const auto switchOff = qScopeGuard([] {
            Power_btn(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK, nullptr, 0, 0);
        });
        DisplayPanel(Painel_Principal);
        auto *screen =
            qobject_cast<GraphWidget *>(EngineControlWidget(Painel_Principal, PANEL_MOSTRAR));
        const auto litPixels = [screen] {
            const QImage &frame = screen->lastFrame();
            int lit = 0;
            for (int y = 0; y < frame.height(); y += 2) {
                for (int x = 0; x < frame.width(); x += 2) {
                    lit += frame.pixelColor(x, y).green() >= 160 ? 1 : 0;
                }
            }
            return lit;
        };
        const auto refreshAndShow = [screen] {
            const int repaints = screen->repaintCount();
            EngineTickTimer(Painel_Principal, PANEL_TIMER_3);
            EngineTickTimer(Painel_Principal, PANEL_TIMER_P);
            QTRY_VERIFY(screen->repaintCount() > repaints);
        };
        level_btn(Painel_Principal, PANEL_PICTURE_14, EVENT_MOUSE_WHEEL, nullptr, 3, 0);
        QCOMPARE(levelt, 1.5);
        // The switch comes after one to four refreshes in AUTO, so that the last frame before it
        // shows one trace or two (the one just deleted, and the new one).
        for (int autoRefreshes = 1; autoRefreshes <= 4; ++autoRefreshes) {
            for (int i = 0; i < autoRefreshes; ++i) {
                refreshAndShow();
            }
            QVERIFY(litPixels() > 100);
            EngineSendEvent(Painel_Principal, PANEL_PICTURE_17, EVENT_LEFT_CLICK);
            QCOMPARE(autot, 0);
            refreshAndShow();
            QCOMPARE(screen->plotCount(), 0);
            QTRY_COMPARE(litPixels(), 0);
            EngineSendEvent(Painel_Principal, PANEL_PICTURE_17, EVENT_LEFT_CLICK);
        }
    }

    void ownHelperNamesWinOverTheHeaders() {
        // 3 + 4 + ... + 10 from own_helper_names.cpp, with the opacity 0.5 counting 1.
        QCOMPARE(OwnHelperNameSum(), 3 + 4 + 5 + 6 + 7 + 8 + 9 + 1 + 10);
    }

    void init() {
        EngineReset();
        QVERIFY(LoadInstrumentPanels() == 0);
        inicializacoes();
    }

    void cleanup() { EngineReset(); }

    void commandLineIsReadOrRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("instrument options")
            << QStringList{"--no-splash", "--power-on",   "dual",
                           "--afterglow", "--screenshot", "/tmp/a b.png"}
            << "no-splash afterglow power-on=dual screenshot=/tmp/a b.png";
        QTest::newRow("value after =")
            << QStringList{"--power-on=xy", "--check-install"} << "check-install power-on=xy";
        QTest::newRow("-h") << QStringList{"-h"} << "help";
        QTest::newRow("--version") << QStringList{"--version"} << "version";
        QTest::newRow("Qt's own options")
            << QStringList{"-platform", "offscreen", "-reverse", "-display", ":3"}
            << "platform=offscreen display=:3";
        QTest::newRow("unknown") << QStringList{"--no-splash", "--bogus"}
                                 << "refused: opção desconhecida: --bogus";
        QTest::newRow("unknown letter") << QStringList{"-x"} << "refused: opção desconhecida: -x";
        QTest::newRow("unknown with value")
            << QStringList{"--colour=red"} << "refused: opção desconhecida: --colour";
        QTest::newRow("language") << QStringList{"--lang", "en", "--lang=pt"} << "lang=pt";
        QTest::newRow("unknown language")
            << QStringList{"--lang", "fr"} << "refused: a opção --lang aceita pt ou en, não fr";
        QTest::newRow("missing value") << QStringList{"--no-splash", "--screenshot"}
                                       << "refused: a opção --screenshot precisa de um valor";
        QTest::newRow("empty value")
            << QStringList{"--power-on="} << "refused: a opção --power-on precisa de um valor";
        QTest::newRow("value to a switch")
            << QStringList{"--afterglow=1"} << "refused: a opção --afterglow não leva valor";
        QTest::newRow("set-up file")
            << QStringList{"--no-splash", "aula 1.vantrel"} << "no-splash setup=aula 1.vantrel";
        QTest::newRow("second file")
            << QStringList{"a.vantrel", "sinal.csv"} << "refused: argumento inesperado: sinal.csv";
    }
    void commandLineIsReadOrRefused() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCOMPARE(summary(ParseCommandLine(QStringList{"vantrel"} + arguments)), expected);
    }

    void startupFailsWhenAPanelCannotLoad_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("panel");
        QTest::addColumn<bool>("deleteFile");
        QTest::newRow("main panel") << "oscil.uir" << PANEL << false;
        QTest::newRow("x position") << "time.uir" << PANEL_XPOS << false;
        QTest::newRow("channel modes") << "canais.uir" << PANEL_CANA << false;
        QTest::newRow("time calibration") << "time.uir" << P_CAL_X << false;
        QTest::newRow("CH I calibration") << "volt.uir" << YCAL1 << false;
        QTest::newRow("CH II calibration") << "volt.uir" << YCAL2 << false;
        QTest::newRow("about box") << "acerca.uir" << ACERCA << false;
        QTest::newRow("canais.uir missing") << "canais.uir" << PANEL_CANA << true;
    }

    void startupFailsWhenAPanelCannotLoad() {
        QFETCH(QString, file);
        QFETCH(int, panel);
        QFETCH(bool, deleteFile);
        EngineReset();
        QTemporaryDir dir;
        QVERIFY(copyResources(dir.path()));
        const QString copied = QDir(dir.path()).filePath(file);
        QVERIFY(deleteFile ? QFile::remove(copied) : removePanel(copied, panel));
        EngineSetResourceDir(dir.path().toUtf8().constData());

        char name[] = "vantrel";
        char *argv[] = {name, nullptr};
        QCOMPARE(VantrelMain(1, argv), -1);
        QVERIFY(!anyWindowShown());
        QVERIFY(QString::fromUtf8(GetEngineErrorText()).contains(file));
    }

    void missingGeneratorPanelsLeaveTheInstrumentRunning() {
        EngineReset();
        QTemporaryDir dir;
        QVERIFY(copyResources(dir.path()));
        QVERIFY(QFile::remove(QDir(dir.path()).filePath("gerador.uir")));
        EngineSetResourceDir(dir.path().toUtf8().constData());
        QCOMPARE(LoadInstrumentPanels(), 0);
        inicializacoes();
        // The generators' buffers exist all the same, and opening a generator says why no
        // panel appears.
        QCOMPARE(freq_G[0], 100.0);
        const int messages = EnginePopupCount();
        ab_gerador(0);
        QCOMPARE(EnginePopupCount(), messages + 1);
        QVERIFY(QString::fromStdString(EngineLastPopupMessage()).contains("gerador.uir"));
        QCOMPARE(EngineTopPopup(), 0);
    }

    void initialisationResetsTheInstrument() {
        Esc_TempoID = 9;
        Esc_VoltID[1] = 0;
        entrada_op[0] = 2;
        autot = 0;
        slopet = -1;
        ChIN[1] = 4;
        xmag = 10.0;
        atraso = 0.0;
        inversao[0] = -1;
        OPCAO_FOCUS = VAL_FAT_LINE;
        intens_val = 0;
        inicializacoes();

        QCOMPARE(Ligado, 0);
        QCOMPARE(Esc_TempoID, 3);
        QCOMPARE(Esc_VoltID[0], 4);
        QCOMPARE(Esc_VoltID[1], 4);
        QCOMPARE(entrada_op[0], 1);
        QCOMPARE(entrada_op[1], 1);
        QCOMPARE(autot, 1);
        QCOMPARE(slopet, 1);
        QCOMPARE(trigger_ch, 1);
        QCOMPARE(ChIN[0], 0);
        QCOMPARE(ChIN[1], 0);
        QCOMPARE(xmag, 1.0);
        QCOMPARE(atraso, -300.0);
        QCOMPARE(inversao[0], 1);
        QCOMPARE(OPCAO_FOCUS, VAL_THIN_LINE);
        QCOMPARE(OPCAO_INTENS, MakeColor(25, 210, 200));
        QCOMPARE(intens_val, 5);
        QCOMPARE(levelt, 0.0);
        // Both generators are ready before the first refresh: 100 Hz sines of 2 V and 3 V.
        QCOMPARE(geradorID, 1);
        QCOMPARE(freq_G[0], 100.0);
        QCOMPARE(freq_G[1], 100.0);
        QVERIFY(std::abs(onda_G[0][150] - 2.0) < 1e-9);
        QVERIFY(std::abs(onda_G[1][150] - 3.0) < 1e-9);

        int led = -1;
        GetCtrlVal(Painel_Principal, PANEL_LEDPOWER, &led);
        QCOMPARE(led, 0);
        double low = 0.0, high = 0.0, step = 0.0;
        GetCtrlAttribute(Painel_Xpos, PANEL_XPOS_XPOS, ATTR_MIN_VALUE, &low);
        GetCtrlAttribute(Painel_Xpos, PANEL_XPOS_XPOS, ATTR_MAX_VALUE, &high);
        GetCtrlAttribute(Painel_Xpos, PANEL_XPOS_XPOS, ATTR_INCR_VALUE, &step);
        QCOMPARE(low, -120.0);
        QCOMPARE(high, 120.0);
        QCOMPARE(step, 6.0);
        auto *screen =
            qobject_cast<GraphWidget *>(EngineControlWidget(Painel_Principal, PANEL_MOSTRAR));
        QVERIFY(screen != nullptr);
        QCOMPARE(screen->axisMin(0), -300.0);
        QCOMPARE(screen->axisMax(0), 300.0);
        QCOMPARE(screen->axisMin(1), -10.0);
        QCOMPARE(screen->axisMax(1), 10.0);
        QCOMPARE(screen->plotCount(), 0);
    }

    void timersKeepTheirStoredSettings_data() {
        QTest::addColumn<int>("timer");
        QTest::addColumn<double>("interval");
        QTest::addColumn<int>("enabled");
        QTest::newRow("refresh") << PANEL_TIMER_P << 0.1 << 0;
        QTest::newRow("input") << PANEL_TIMER_3 << 0.01 << 1;
        QTest::newRow("read-out") << PANEL_TIMER_DADOS << 0.5 << 1;
        QTest::newRow("unused") << PANEL_TIMER_2 << 0.01 << 1;
    }

    void timersKeepTheirStoredSettings() {
        QFETCH(int, timer);
        QFETCH(double, interval);
        QFETCH(int, enabled);
        double storedInterval = 0.0;
        int storedEnabled = -1;
        QCOMPARE(GetCtrlAttribute(Painel_Principal, timer, ATTR_INTERVAL, &storedInterval), 0);
        QCOMPARE(GetCtrlAttribute(Painel_Principal, timer, ATTR_ENABLED, &storedEnabled), 0);
        QCOMPARE(storedInterval, interval);
        QCOMPARE(storedEnabled, enabled);
    }

    void quitConfirmedEndsTheLoop_data() {
        QTest::addColumn<bool>("menu");
        QTest::newRow("SAIR button") << false;
        // The menu's "Sair" (Ctrl+Q) asks the same question: a slip of the keys never quits.
        QTest::newRow("menu Sair") << true;
    }

    void quitConfirmedEndsTheLoop() {
        QFETCH(bool, menu);
        const int asked = EnginePopupCount();
        QVERIFY(runLoopWith([menu] {
            EngineQueueConfirmAnswer(1);
            if (menu) {
                EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_Fich_sair);
            } else {
                EngineSendEvent(Painel_Principal, PANEL_QUITBUTTON, EVENT_COMMIT);
            }
        }));
        QCOMPARE(EnginePopupCount(), asked + 1);
        QCOMPARE(EngineLastPopupTitle(), std::string("Sair"));
        QCOMPARE(EngineLastPopupMessage(), std::string("  Tem a certeza que pretende sair?  "));
    }

    void quitRefusedKeepsEverythingRunning() {
        bool stillRunning = false;
        bool inputFollowed = false;
        QVERIFY(runLoopWith([&] {
            EngineQueueConfirmAnswer(0);
            EngineSendEvent(Painel_Principal, PANEL_QUITBUTTON, EVENT_COMMIT);
            // The input timer keeps copying the channel's source after the refusal.
            ChIN[0] = 4;
            QTimer::singleShot(200, [&] {
                stillRunning = EngineLoopRunning() == 1;
                inputFollowed = onda_entCh[0][0] == -1.0 && onda_entCh[0][599] == 1.0;
                QuitUserInterface(0);
            });
        }));
        QVERIFY(stillRunning);
        QVERIFY(inputFollowed);
    }

    void rightClickOnQuitDoesNotAsk() {
        const int asked = EnginePopupCount();
        bool stillRunning = false;
        QVERIFY(runLoopWith([&] {
            EngineSendEvent(Painel_Principal, PANEL_QUITBUTTON, EVENT_RIGHT_CLICK);
            QTimer::singleShot(50, [&] {
                stillRunning = EngineLoopRunning() == 1;
                QuitUserInterface(0);
            });
        }));
        QVERIFY(stillRunning);
        QCOMPARE(EnginePopupCount(), asked);
    }

    void aboutBoxShowsTheBuildsVersionCentred() {
        std::string title;
        std::string version;
        GetCtrlVal(Painel_Acerca, ACERCA_TEXTMSG, &title);
        GetCtrlVal(Painel_Acerca, ACERCA_TEXTMSG_15, &version);
        QCOMPARE(QString::fromStdString(version), QString("v" VANTREL_VERSION));
        QVERIFY(QString::fromStdString(title).endsWith(" v" VANTREL_VERSION));
        QCOMPARE(QString::fromStdString(title).count("v" VANTREL_VERSION), 1);
        // In the middle of the main panel, within a pixel.
        const auto attribute = [](int panel, int which) {
            int value = 0;
            GetPanelAttribute(panel, which, &value);
            return value;
        };
        QVERIFY(std::abs(2 * attribute(Painel_Acerca, ATTR_TOP) +
                         attribute(Painel_Acerca, ATTR_HEIGHT) -
                         attribute(Painel_Principal, ATTR_HEIGHT)) <= 1);
        QVERIFY(std::abs(2 * attribute(Painel_Acerca, ATTR_LEFT) +
                         attribute(Painel_Acerca, ATTR_WIDTH) -
                         attribute(Painel_Principal, ATTR_WIDTH)) <= 1);
    }

    void aboutBoxShowsItsCloseButtonOnlyWhenAsked() {
        int visible = -1;
        GetCtrlAttribute(Painel_Acerca, ACERCA_FECHAR, ATTR_VISIBLE, &visible);
        QCOMPARE(visible, 0);
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_sobre_prog);
        QCOMPARE(EngineTopPopup(), Painel_Acerca);
        GetCtrlAttribute(Painel_Acerca, ACERCA_FECHAR, ATTR_VISIBLE, &visible);
        QCOMPARE(visible, 1);
        EngineSendEvent(Painel_Acerca, ACERCA_FECHAR, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
        GetCtrlAttribute(Painel_Acerca, ACERCA_FECHAR, ATTR_VISIBLE, &visible);
        QCOMPARE(visible, 0);
    }

    void webPageOpensTheManual() {
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_sobre_pagina);
        QCOMPARE(EngineLastBrowserUrl(), ProgramWebPage());
        QVERIFY(QString::fromStdString(ProgramWebPage()).endsWith("/docs/index.html"));
    }

    // The file's format is the one its name's extension says; a name without a known one gets
    // a bitmap.
    void captureToFileWritesTheFormatOfItsName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("magic");
        const QByteArray jpeg("\xFF\xD8\xFF");
        QTest::newRow("jpg") << "ecra osciloscopio.jpg" << jpeg;
        QTest::newRow("jpeg, capitals") << "ecra.JPEG" << jpeg;
        QTest::newRow("png") << "ecra.png" << QByteArray("\x89PNG\r\n\x1A\n");
        QTest::newRow("bmp") << "ecra.bmp" << QByteArray("BM");
        QTest::newRow("no extension") << "ecra" << QByteArray("BM");
    }

    void captureToFileWritesTheFormatOfItsName() {
        QFETCH(QString, name);
        QFETCH(QByteArray, magic);
        QTemporaryDir dir;
        const QString captured = QDir(dir.path()).filePath(name);
        EngineQueueFileAnswer(captured.toUtf8().constData());
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_ecra_cap_fich);
        QFile file(captured);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(magic));
        // Switched off, the capture is the empty tube, 666 x 500: no trace colour anywhere.
        const QImage image = QImage::fromData(bytes);
        QCOMPARE(image.size(), QSize(666, 500));
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7) {
                QVERIFY(image.pixelColor(x, y).green() < 160);
            }
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name});
    }

    void captureToFileCancelledOrUnwritableWritesNothing() {
        QTemporaryDir dir;
        EngineQueueFileAnswer(nullptr);
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_ecra_cap_fich);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());

        const int messages = EnginePopupCount();
        const QString unwritable = QDir(dir.path()).filePath("no such folder/capture.jpg");
        EngineQueueFileAnswer(unwritable.toUtf8().constData());
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_ecra_cap_fich);
        QVERIFY(!QFile::exists(unwritable));
        QCOMPARE(EnginePopupCount(), messages + 1);
        QCOMPARE(EngineLastPopupTitle(), std::string("Guardar ecrã"));
    }

    void captureDialogProposesAFolderTheUserMayWrite_data() {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("proposesProgramFolder");
        QTest::newRow("writable program folder") << QString() << true;
        QTest::newRow("folder without write permission") << QStringLiteral("read-only") << false;
        // Root ignores permission bits; a read-only file system stops everyone.
        QTest::newRow("read-only file system") << QStringLiteral("/proc") << false;
        QTest::newRow("program folder gone") << QStringLiteral("gone") << false;
    }

    void captureDialogProposesAFolderTheUserMayWrite() {
        QFETCH(QString, programFolder);
        QFETCH(bool, proposesProgramFolder);
        QTemporaryDir home;
        QTemporaryDir program;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(".config").toUtf8());
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", oldHome);
            qputenv("XDG_CONFIG_HOME", oldConfig);
            QFile::setPermissions(program.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            EngineSetProgramDir(nullptr);
        });
        QString folder = program.path();
        if (programFolder == "read-only") {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            QFile probe(QDir(folder).filePath("probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QSKIP("permission bits do not stop this user");
            }
        } else if (programFolder == "gone") {
            folder = QDir(folder).filePath("gone");
        } else if (!programFolder.isEmpty()) {
            folder = programFolder;
        }
        EngineSetProgramDir(folder.toUtf8().constData());

        EngineQueueFileAnswer(nullptr);
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_ecra_cap_fich);
        const QString proposed = QString::fromStdString(EngineLastFileDialogDirectory());
        const QString pictures = QDir(home.path()).filePath("Pictures");
        QCOMPARE(QDir::cleanPath(proposed), proposesProgramFolder ? folder : pictures);

        // Saving under the proposed name in the proposed folder keeps the picture.
        const QString saved = QDir(proposed).filePath("ecra osciloscopio.jpg");
        EngineQueueFileAnswer(saved.toUtf8().constData());
        const int messages = EnginePopupCount();
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_ecra_cap_fich);
        QCOMPARE(EnginePopupCount(), messages);
        QVERIFY(QFile::exists(saved));
    }

    void directoryQueriesRefuseAPathThatDoesNotFit_data() {
        QTest::addColumn<int>("query");
        QTest::newRow("program") << 0;
        QTest::newRow("resources") << 1;
        QTest::newRow("helper programs") << 2;
        QTest::newRow("captures") << 3;
    }

    void directoryQueriesRefuseAPathThatDoesNotFit() {
        QFETCH(int, query);
        using Query = int (*)(char[260]);
        constexpr std::array<Query, 4> queries = {GetProjectDir, GetResourceDir,
                                                  GetHelperProgramDir, GetCaptureDir};
        const QByteArray tooLong = "/" + QByteArray(300, 'd');
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        EngineSetProgramDir(tooLong.constData());
        EngineSetResourceDir(tooLong.constData());
        // No pictures folder can be made there either.
        qputenv("HOME", tooLong);
        qputenv("XDG_CONFIG_HOME", tooLong + "/.config");
        const auto restore = qScopeGuard([&] {
            EngineSetProgramDir(nullptr);
            EngineSetResourceDir(nullptr);
            qputenv("HOME", oldHome);
            qputenv("XDG_CONFIG_HOME", oldConfig);
        });
        // Guard bytes after the 260-character buffer show any write past its end.
        std::array<char, 270> buffer{};
        buffer.fill('#');
        QCOMPARE(queries[static_cast<std::size_t>(query)](buffer.data()), int(kEngineBadValue));
        QCOMPARE(buffer[0], '\0');
        QVERIFY(std::all_of(buffer.begin() + 260, buffer.end(), [](char c) { return c == '#'; }));
    }

    void captureToClipboardPutsTheScreen() {
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_ecra_cap_clip);
        const QImage image = QGuiApplication::clipboard()->image();
        QWidget *screen = EngineControlWidget(Painel_Principal, PANEL_MOSTRAR);
        QCOMPARE(image.size(), screen->size());
    }

    void afterglowOptionSwitchesThePhosphorPersistenceOn_data() {
        QTest::addColumn<bool>("option");
        QTest::newRow("without") << false;
        QTest::newRow("--afterglow") << true;
    }
    void afterglowOptionSwitchesThePhosphorPersistenceOn() {
        QFETCH(bool, option);
        int afterglow = -1;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!EngineLoopRunning() || !EnginePanelShown(Painel_Principal)) {
                return;
            }
            const auto *screen =
                qobject_cast<GraphWidget *>(EngineControlWidget(Painel_Principal, PANEL_MOSTRAR));
            afterglow = screen != nullptr && screen->afterglow() ? 1 : 0;
            QuitUserInterface(0);
        });
        watch.start(20);
        QTimer::singleShot(15000, [] { QuitUserInterface(0); });
        char name[] = "vantrel";
        char noSplash[] = "--no-splash";
        char glow[] = "--afterglow";
        std::vector<char *> argv{name, noSplash};
        if (option) {
            argv.push_back(glow);
        }
        const int argc = static_cast<int>(argv.size());
        argv.push_back(nullptr);
        QCOMPARE(VantrelMain(argc, argv.data()), 0);
        QCOMPARE(afterglow, option ? 1 : 0);
    }

    // The window comes up before the generators load; by the time the event loop runs they
    // are complete: both at their start-up 100 Hz with a signal, and their panel opens.
    void generatorsAreCompleteWhenTheEventLoopRuns() {
        EngineReset();
        Painel_Gerador = 0;
        for (int g = 0; g < 2; ++g) {
            freq_G[g] = 0.0;
            std::fill(std::begin(onda_G[g]), std::end(onda_G[g]), 0.0);
        }
        std::array<double, 2> frequency{-1.0, -1.0};
        std::array<double, 2> peak{0.0, 0.0};
        bool opened = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!EngineLoopRunning()) {
                return;
            }
            for (int g = 0; g < 2; ++g) {
                frequency[g] = freq_G[g];
                peak[g] = *std::max_element(std::begin(onda_G[g]), std::end(onda_G[g]));
            }
            opened = Painel_Gerador > 0 && DisplayPanel(Painel_Gerador) == 0 &&
                     EnginePanelShown(Painel_Gerador);
            QuitUserInterface(0);
        });
        watch.start(20);
        QTimer::singleShot(15000, [] { QuitUserInterface(0); });
        char name[] = "vantrel";
        char noSplash[] = "--no-splash";
        char *argv[] = {name, noSplash, nullptr};
        QCOMPARE(VantrelMain(2, argv), 0);
        for (int g = 0; g < 2; ++g) {
            QCOMPARE(frequency[g], 100.0);
            QVERIFY(peak[g] > 1.0);
        }
        QVERIFY(opened);
    }

    void splashShowsForThreeSecondsThenTheMainPanel() {
        EngineReset();
        // Watch the screen every 20 ms: when the about box comes up, whether its close button
        // is hidden, and when the main panel replaces it.
        QElapsedTimer clock;
        clock.start();
        qint64 splashSeen = -1;
        qint64 mainSeen = -1;
        bool closeHidden = false;
        bool mainHiddenDuringSplash = true;
        bool splashGoneWithMain = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const bool splash = EngineTopPopup() == Painel_Acerca && Painel_Acerca > 0 &&
                                EnginePanelShown(Painel_Acerca);
            if (splash && splashSeen < 0) {
                splashSeen = clock.elapsed();
                int visible = -1;
                GetCtrlAttribute(Painel_Acerca, ACERCA_FECHAR, ATTR_VISIBLE, &visible);
                closeHidden = visible == 0;
            }
            if (splash && EnginePanelShown(Painel_Principal)) {
                mainHiddenDuringSplash = false;
            }
            if (splashSeen >= 0 && EngineLoopRunning() && EnginePanelShown(Painel_Principal)) {
                mainSeen = clock.elapsed();
                splashGoneWithMain = EngineTopPopup() == 0;
                QuitUserInterface(0);
            }
        });
        watch.start(20);
        QTimer::singleShot(15000, [] { QuitUserInterface(0); });
        char name[] = "vantrel";
        char *argv[] = {name, nullptr};
        QCOMPARE(VantrelMain(1, argv), 0);
        QVERIFY(splashSeen >= 0);
        QVERIFY(closeHidden);
        QVERIFY(mainHiddenDuringSplash);
        QVERIFY(mainSeen >= 0);
        QVERIFY(splashGoneWithMain);
        // The splash stays for its 3 s (less one polling interval of slack).
        QVERIFY2(mainSeen - splashSeen >= 2950, qPrintable(QString::number(mainSeen - splashSeen)));
    }

    // The menu's choice is remembered for the next start and said in a message; nothing else
    // (the system locale, a damaged setting) moves the program off Portuguese.
    void languageChoiceIsRemembered_data() {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("said");
        QTest::newRow("never chosen") << QStringList{} << "" << false << "";
        QTest::newRow("English") << QStringList{"en"} << "" << true << "O programa falará inglês";
        QTest::newRow("English, then Portuguese")
            << QStringList{"en", "pt"} << "" << false << "O programa falará português";
        QTest::newRow("damaged setting") << QStringList{} << "klingon" << false << "";
        // A folder where the settings file belongs: the choice cannot be written, and says so
        // (what the running program holds in memory is no longer looked at).
        QTest::newRow("cannot be written")
            << QStringList{"en"} << "/" << true << "Não foi possível guardar";
    }
    void languageChoiceIsRemembered() {
        QFETCH(QStringList, chosen);
        QFETCH(QString, stored);
        QFETCH(bool, english);
        QFETCH(QString, said);
        QStandardPaths::setTestModeEnabled(true);
        const auto restore = qScopeGuard([] {
            QSettings(QStringLiteral("vantrel"), QStringLiteral("vantrel")).clear();
            QLocale::setDefault(QLocale::c());
            QStandardPaths::setTestModeEnabled(false);
        });
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QSettings settings(QStringLiteral("vantrel"), QStringLiteral("vantrel"));
        settings.clear();
        if (stored == u"/") {
            QFile::remove(settings.fileName());
            QVERIFY(QDir().mkpath(settings.fileName()));
        } else if (!stored.isEmpty()) {
            settings.setValue(QStringLiteral("interface/language"), stored);
        }
        settings.sync();
        const auto unblock =
            qScopeGuard([&settings] { QDir(settings.fileName()).removeRecursively(); });
        const int popups = EnginePopupCount();
        for (const QString &language : chosen) {
            (language == u"en" ? Idioma_en : Idioma_pt)(0, 0, nullptr, 0);
        }
        QCOMPARE(EnginePopupCount() - popups, chosen.size());
        QVERIFY(QString::fromStdString(EngineLastPopupMessage()).startsWith(said));
        QCOMPARE(RememberedUiLanguage() == UiLanguage::English, english);
        QCOMPARE(CurrentUiLanguage(), UiLanguage::Portuguese); // at the next start only
    }
};

QTEST_MAIN(FrameTest)
#include "test_frame.moc"

// The engine's effects that the instrument relies on: loading, values and attributes, events,
// pop-ups, timers and cheap indicator writes.

#include "app/engine/engine.h"
#include "app/engine/engine_qt.h"
#include "app/engine/engine_testing.h"
#include "ui/uir_constants.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct Call {
    int control;
    int event;
};
std::vector<Call> calls;

int recordCall(int, int control, int event, void *, int, int) {
    calls.push_back({control, event});
    return 0;
}

/// Counts paint and hide events of one widget.
class EventCounter : public QObject {
public:
    int paints = 0;
    int hides = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        } else if (event->type() == QEvent::Hide) {
            ++hides;
        }
        return QObject::eventFilter(watched, event);
    }
};

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class EngineTest : public QObject {
    Q_OBJECT

    int panel_ = 0;

private slots:
    void initTestCase() {
        QCOMPARE(InitCVIRTE(nullptr, nullptr, nullptr), 1);
        // The exit button and the power switch report their events to the test.
        RegisterCallback("QuitCallback", recordCall);
        RegisterCallback("Power_btn", recordCall);
        RegisterCallback("fecha_painel", recordCall);
    }

    void init() {
        EngineReset();
        calls.clear();
        panel_ = LoadPanel(0, "oscil.uir", PANEL);
        QVERIFY(panel_ > 0);
    }

    void cleanup() {
        SetStrictCallbackResolution(0);
        EngineReset();
    }

    void loadFailuresNameTheFileAndReason_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("panel");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        QTest::newRow("truncated") << QByteArray("{\"panels\": [ {\"number\": 1,") << 1
                                   << int(kEngineFileDamaged) << "damaged";
        QTest::newRow("not a panel file")
            << QByteArray("[1, 2]") << 1 << int(kEngineFileDamaged) << "damaged";
        QTest::newRow("unknown kind")
            << QByteArray(R"({"panels":[{"number":1,"constant":"P","controls":[)"
                          R"({"constant":"X","kind":"hologram"}]}]})")
            << 1 << int(kEngineFileDamaged) << "hologram";
        QTest::newRow("no such panel")
            << QByteArray(R"({"panels":[{"number":1,"constant":"P","controls":[]}]})") << 7
            << int(kEngineNoSuchPanel) << "no panel 7";
    }

    void loadFailuresNameTheFileAndReason() {
        QFETCH(QByteArray, content);
        QFETCH(int, panel);
        QFETCH(int, error);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath("broken.uir"), content);
        EngineSetResourceDir(dir.path().toUtf8().constData());
        QCOMPARE(LoadPanel(0, "broken.uir", panel), error);
        const QString text = QString::fromUtf8(GetEngineErrorText());
        QVERIFY2(text.contains("broken.uir") && text.contains(reason), qPrintable(text));
        QCOMPARE(LoadPanel(0, "missing.uir", 1), int(kEngineFileNotFound));
        QVERIFY(QString::fromUtf8(GetEngineErrorText()).contains("missing.uir"));
    }

    void strictResolutionRefusesAnUnknownCallback() {
        SetStrictCallbackResolution(1);
        QCOMPARE(LoadPanel(0, "oscil.uir", PANEL), int(kEngineNoSuchCallback));
        QVERIFY(QString::fromUtf8(GetEngineErrorText()).contains("callback"));
    }

    void valuesFollowTheControlKind() {
        // A knob keeps to its range and its data type.
        const int level = LoadPanel(panel_, "opcoes.uir", LEVEL);
        QVERIFY(level > 0);
        double value = 0.0;
        SetCtrlVal(level, LEVEL_LEVEL_BT, 25.0);
        GetCtrlVal(level, LEVEL_LEVEL_BT, &value);
        QCOMPARE(value, 10.0);
        // A ring takes only the values of its items.
        QCOMPARE(SetCtrlVal(panel_, PANEL_DADOS_CHI, 3), 0);
        int item = 0;
        GetCtrlVal(panel_, PANEL_DADOS_CHI, &item);
        QCOMPARE(item, 3);
        QCOMPARE(SetCtrlVal(panel_, PANEL_DADOS_CHI, 42), int(kEngineBadValue));
        // A numeric display has no limits: an infinite period is shown as it is.
        SetCtrlVal(panel_, PANEL_DAD_CHI, std::numeric_limits<double>::infinity());
        GetCtrlVal(panel_, PANEL_DAD_CHI, &value);
        QVERIFY(std::isinf(value));
        // Text kinds refuse numbers, numeric kinds refuse text.
        QCOMPARE(SetCtrlVal(panel_, PANEL_TIME_INFO, 3), int(kEngineBadValue));
        QCOMPARE(SetCtrlVal(panel_, PANEL_DAD_CHI, "3"), int(kEngineBadValue));
        char small[4] = {};
        SetCtrlVal(panel_, PANEL_STRING_CH1, "Cal 2Vpp");
        QCOMPARE(GetCtrlVal(panel_, PANEL_STRING_CH1, small), int(kEngineBadValue));
        QCOMPARE(QString(small), QString("Cal"));
    }

    void listsKeepTheirSelection() {
        const int time = LoadPanel(panel_, "time.uir", PANELTIME);
        QVERIFY(time > 0);
        for (int i = 0; i < 3; ++i) {
            InsertListItem(time, PANELTIME_LISTATEMP, -1, std::to_string(i).c_str(), 10 + i);
        }
        int index = -1;
        GetCtrlIndex(time, PANELTIME_LISTATEMP, &index);
        QCOMPARE(index, 0);
        SetCtrlVal(time, PANELTIME_LISTATEMP, 12);
        InsertListItem(time, PANELTIME_LISTATEMP, 0, "first", 9);
        int value = 0;
        GetCtrlVal(time, PANELTIME_LISTATEMP, &value);
        QCOMPARE(value, 12);
        int count = 0;
        GetNumListItems(time, PANELTIME_LISTATEMP, &count);
        QCOMPARE(count, 4);
    }

    void userEventsReachCallbacksUnlessDimmed() {
        EngineSendEvent(panel_, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        SetCtrlAttribute(panel_, PANEL_POWERBUTTON, ATTR_DIMMED, 1);
        EngineSendEvent(panel_, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        SetCtrlAttribute(panel_, PANEL_POWERBUTTON, ATTR_DIMMED, 0);
        SetCtrlAttribute(panel_, PANEL_POWERBUTTON, ATTR_VISIBLE, 0);
        EngineSendEvent(panel_, PANEL_POWERBUTTON, EVENT_RIGHT_CLICK);
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(calls[0].event, int(EVENT_LEFT_CLICK));
    }

    void mouseClicksOnPicturesBecomeClickEvents() {
        DisplayPanel(panel_);
        QWidget *power = EngineControlWidget(panel_, PANEL_POWERBUTTON);
        QVERIFY(power != nullptr);
        QTest::mouseClick(power, Qt::RightButton);
        QTest::mouseClick(power, Qt::LeftButton);
        QWidget *quit = EngineControlWidget(panel_, PANEL_QUITBUTTON);
        QTest::mouseClick(quit, Qt::LeftButton);
        QCOMPARE(int(calls.size()), 3);
        QCOMPARE(calls[0].event, int(EVENT_RIGHT_CLICK));
        QCOMPARE(calls[1].event, int(EVENT_LEFT_CLICK));
        QCOMPARE(calls[2].control, PANEL_QUITBUTTON);
        QCOMPARE(calls[2].event, int(EVENT_COMMIT));
    }

    void closeBoxPressesItsPanelsButtonWhileItCanBePressed() {
        DisplayPanel(panel_);
        EnginePanelWidget(panel_)->close();
        SetCtrlAttribute(panel_, PANEL_QUITBUTTON, ATTR_DIMMED, 1);
        EnginePanelWidget(panel_)->close();
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(calls[0].control, PANEL_QUITBUTTON);
        QCOMPARE(calls[0].event, int(EVENT_COMMIT));
        QVERIFY(EnginePanelShown(panel_));
    }

    void toggleButtonsFlipOnCommit() {
        const int modes = LoadPanel(panel_, "canais.uir", PANEL_CANA);
        int state = -1;
        EngineSendEvent(modes, PANEL_CANA_BUTTON_DUAL, EVENT_COMMIT);
        GetCtrlVal(modes, PANEL_CANA_BUTTON_DUAL, &state);
        QCOMPARE(state, 1);
        EngineSendEvent(modes, PANEL_CANA_BUTTON_DUAL, EVENT_COMMIT);
        GetCtrlVal(modes, PANEL_CANA_BUTTON_DUAL, &state);
        QCOMPARE(state, 0);
    }

    void textBoxesAppendAndInsertLines() {
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath("box.uir"),
                  R"({"panels":[{"number":1,"constant":"P","controls":[)"
                  R"({"constant":"BOX","kind":"text_box","label":"Ajuda:","text":"x"}]}]})");
        EngineSetResourceDir(dir.path().toUtf8().constData());
        const int panel = LoadPanel(0, "box.uir", 1);
        QVERIFY(panel > 0);
        constexpr int box = 2;
        ResetTextBox(panel, box, "");
        InsertTextBoxLine(panel, box, 0, "first");
        SetCtrlVal(panel, box, "\nsecond");
        std::string text;
        GetCtrlVal(panel, box, &text);
        QCOMPARE(QString::fromStdString(text), QString("first\nsecond"));
        int lines = 0;
        GetNumTextBoxLines(panel, box, &lines);
        QCOMPARE(lines, 2);
        SetCtrlAttribute(panel, box, ATTR_LABEL_TEXT, "Ajuda: POWER");
        std::string label;
        GetCtrlAttribute(panel, box, ATTR_LABEL_TEXT, &label);
        QCOMPARE(QString::fromStdString(label), QString("Ajuda: POWER"));
    }

    void popupsStackAndDiscardingRemovesThem() {
        const int first = LoadPanel(panel_, "volt.uir", YPOS1);
        const int second = LoadPanel(panel_, "opcoes.uir", FOCUS);
        InstallPopup(first);
        InstallPopup(second);
        QCOMPARE(EnginePopupDepth(), 2);
        QCOMPARE(EngineTopPopup(), second);
        RemovePopup(0);
        QCOMPARE(EngineTopPopup(), first);
        QVERIFY(!EnginePanelShown(second));
        InstallPopup(second);
        DiscardPanel(second);
        QCOMPARE(EngineTopPopup(), first);
        // Discarding a parent takes its children with it.
        DiscardPanel(panel_);
        QCOMPARE(EnginePopupDepth(), 0);
        QCOMPARE(DiscardPanel(first), int(kEngineBadHandle));
    }

    void timersRunOnlyInTheLoopAtOneMillisecondAtTheFastest() {
        SetCtrlAttribute(panel_, PANEL_TIMER_P, ATTR_INTERVAL, 1e-5);
        SetCtrlAttribute(panel_, PANEL_TIMER_P, ATTR_ENABLED, 1);
        auto *timer = EnginePanelWidget(panel_)->findChildren<QTimer *>().value(0);
        QVERIFY(timer != nullptr);
        QTest::qWait(20);
        for (QTimer *each : EnginePanelWidget(panel_)->findChildren<QTimer *>()) {
            QVERIFY(!each->isActive());
        }
        int ticks = 0;
        RegisterCallback("Actualizar", recordCall);
        const int live = LoadPanel(0, "oscil.uir", PANEL);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_INTERVAL, 1e-5);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_ENABLED, 1);
        QTimer::singleShot(100, [] { QuitUserInterface(0); });
        RunUserInterface();
        for (const Call &call : calls) {
            ticks += call.control == PANEL_TIMER_P && call.event == EVENT_TIMER_TICK ? 1 : 0;
        }
        QVERIFY2(ticks >= 10 && ticks <= 110, qPrintable(QString::number(ticks)));
    }

    void unchangedWritesCostNoRepaintAndHideShowIsNeverSeen() {
        SetCtrlAttribute(panel_, PANEL_TIME_INFO, ATTR_VISIBLE, 1);
        SetCtrlVal(panel_, PANEL_TIME_INFO, "20 ms");
        DisplayPanel(panel_);
        QWidget *readOut = EngineControlWidget(panel_, PANEL_TIME_INFO);
        QWidget *marker = EngineControlWidget(panel_, PANEL_AC1);
        SetCtrlAttribute(panel_, PANEL_AC1, ATTR_VISIBLE, 1);
        QTest::qWait(50);
        EventCounter readOutEvents;
        EventCounter markerEvents;
        readOut->installEventFilter(&readOutEvents);
        marker->installEventFilter(&markerEvents);
        for (int tick = 0; tick < 50; ++tick) {
            SetCtrlVal(panel_, PANEL_TIME_INFO, "20 ms");
            SetCtrlAttribute(panel_, PANEL_AC1, ATTR_VISIBLE, 0);
            SetCtrlAttribute(panel_, PANEL_AC1, ATTR_VISIBLE, 1);
            QTest::qWait(2);
        }
        QTest::qWait(50);
        QCOMPARE(readOutEvents.paints, 0);
        QCOMPARE(markerEvents.hides, 0);
        QVERIFY(marker->isVisible());
        SetCtrlVal(panel_, PANEL_TIME_INFO, "10 ms");
        QTRY_VERIFY(readOutEvents.paints > 0);
    }

    void tooLongAChosenPathIsRefusedWithAMessage() {
        const std::string longPath = "/tmp/" + std::string(300, 'a') + ".xls";
        EngineQueueFileAnswer(longPath.c_str());
        char chosen[260] = "unchanged";
        const int messages = EnginePopupCount();
        QCOMPARE(FileSelectPopup("/tmp", "*.xls", "", "", VAL_SELECT_BUTTON, 0, 1, 1, 0, chosen),
                 int(VAL_NO_FILE_SELECTED));
        QCOMPARE(QString(chosen), QString("unchanged"));
        QCOMPARE(EnginePopupCount(), messages + 1);
    }
    void popupHandlerAnswersWhileThePopupIsUpAheadOfQueuedAnswers() {
        QTemporaryDir dir;
        const QString cell = QDir(dir.path()).filePath("R6C3.txt");
        writeFile(cell, "599");
        int ticks = 0;
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
        clock.start(1);
        std::vector<EnginePopupKind> seen;
        std::string seenTitle;
        EngineQueueConfirmAnswer(0);
        EngineSetPopupHandler(
            [&](EnginePopupKind kind, const std::string &title, const std::string &) {
                seen.push_back(kind);
                seenTitle = title;
                // What a user does while the question is up: correct the file, let time pass.
                writeFile(cell, "600");
                QTest::qWait(20);
                EnginePopupAnswer answer;
                answer.confirm = 1;
                answer.path = "/tmp/escolhido.xls";
                return answer;
            });
        QCOMPARE(ConfirmPopup("Numero de pontos!", "Confirmar quando corrigido..."), 1);
        QVERIFY2(ticks > 0, "timers must tick while the handler runs");
        QFile corrected(cell);
        QVERIFY(corrected.open(QIODevice::ReadOnly));
        QCOMPARE(corrected.readAll(), QByteArray("600"));
        QCOMPARE(QString::fromStdString(seenTitle), QString("Numero de pontos!"));

        MessagePopup("Aviso", "texto");
        char chosen[260] = "";
        QCOMPARE(FileSelectPopup("/tmp", "*.xls", "", "", VAL_SELECT_BUTTON, 0, 1, 1, 0, chosen),
                 int(VAL_NEW_FILE_SELECTED));
        QCOMPARE(QString(chosen), QString("/tmp/escolhido.xls"));
        QCOMPARE(int(seen.size()), 3);
        QVERIFY(seen[1] == EnginePopupKind::Message);
        QVERIFY(seen[2] == EnginePopupKind::FileSelect);

        // Without the handler, the queued answer that it went ahead of is still there.
        EngineSetPopupHandler(nullptr);
        EngineQueueConfirmAnswer(1);
        QCOMPARE(ConfirmPopup("t", "m"), 0);
        QCOMPARE(ConfirmPopup("t", "m"), 1);
    }

    void aHandlerThatCancelsAFileSelectionLeavesThePathAlone() {
        EngineSetPopupHandler([](EnginePopupKind, const std::string &, const std::string &) {
            return EnginePopupAnswer{};
        });
        char chosen[260] = "unchanged";
        QCOMPARE(FileSelectPopup("/tmp", "*.xls", "", "", VAL_SELECT_BUTTON, 0, 1, 1, 0, chosen),
                 int(VAL_NO_FILE_SELECTED));
        QCOMPARE(QString(chosen), QString("unchanged"));
    }

    void discardedPanelsKeepTheirTextBoxesForTests() {
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath("box.uir"),
                  R"({"panels":[{"number":1,"constant":"P","controls":[)"
                  R"({"constant":"BOX","kind":"text_box","text":""},)"
                  R"({"constant":"MSG","kind":"text_message","text":"m"}]}]})");
        EngineSetResourceDir(dir.path().toUtf8().constData());
        constexpr int box = 2;
        constexpr int message = 3;
        const int first = LoadPanel(0, "box.uir", 1);
        QVERIFY(first > 0);
        SetCtrlVal(first, box, "... Dados Carregados com Sucesso.\n");
        DiscardPanel(first);
        QCOMPARE(QString::fromStdString(EngineDiscardedText(first, box).value_or("none")),
                 QString("... Dados Carregados com Sucesso.\n"));
        QVERIFY(!EngineDiscardedText(first, message).has_value());
        // Only the most recent discards are kept.
        for (int i = 0; i < 16; ++i) {
            DiscardPanel(LoadPanel(0, "box.uir", 1));
        }
        QVERIFY(!EngineDiscardedText(first, box).has_value());
    }

    void inputModeIsReadBackAndAnIndicatorRefusesTheUser() {
        DisplayPanel(panel_);
        int mode = 0;
        GetCtrlAttribute(panel_, PANEL_POWERBUTTON, ATTR_CTRL_MODE, &mode);
        QCOMPARE(mode, int(VAL_HOT));
        GetCtrlAttribute(panel_, PANEL_TIMEDIV_1, ATTR_CTRL_MODE, &mode);
        QCOMPARE(mode, int(VAL_NORMAL));

        SetInputMode(panel_, PANEL_POWERBUTTON, 0);
        GetCtrlAttribute(panel_, PANEL_POWERBUTTON, ATTR_CTRL_MODE, &mode);
        QCOMPARE(mode, int(VAL_INDICATOR));
        EngineSendEvent(panel_, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        QTest::mouseClick(EngineControlWidget(panel_, PANEL_POWERBUTTON), Qt::LeftButton);
        QCOMPARE(int(calls.size()), 0);

        SetCtrlAttribute(panel_, PANEL_POWERBUTTON, ATTR_CTRL_MODE, int(VAL_HOT));
        GetCtrlAttribute(panel_, PANEL_POWERBUTTON, ATTR_CTRL_MODE, &mode);
        QCOMPARE(mode, int(VAL_HOT));
        QTest::mouseClick(EngineControlWidget(panel_, PANEL_POWERBUTTON), Qt::LeftButton);
        QCOMPARE(int(calls.size()), 1);
    }

    void everyRequestToEndTheLoopIsCounted() {
        const int before = EngineQuitCount();
        QuitUserInterface(0);
        QuitUserInterface(0);
        QCOMPARE(EngineQuitCount(), before + 2);
    }
};

QTEST_MAIN(EngineTest)
#include "test_engine.moc"

// The engine's effects that the instrument relies on: loading, values and attributes, events,
// pop-ups, timers and cheap indicator writes.

#include "engine/dispatch.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/graph_widget.h"
#include "ui/uir_constants.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>
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

int pictureCycle = 0;
int refreshRuns = 0;

/// Records the call and plots the next of `pictureCycle` flat traces in place of the one before.
int cyclingRefresh(int panel, int control, int event, void *, int, int) {
    calls.push_back({control, event});
    DeleteGraphPlot(panel, PANEL_MOSTRAR, VAL_ALL_PLOTS, VAL_IMMEDIATE_DRAW);
    if (pictureCycle != 0) {
        const double level = pictureCycle < 0 ? refreshRuns : refreshRuns % pictureCycle;
        const std::vector<double> y{level, level};
        PlotWaveform(panel, PANEL_MOSTRAR, y.data(), 2, VAL_DOUBLE, 1.0, 0.0, 0.0, 1.0, 0,
                     VAL_NO_POINT, VAL_SOLID, 1, 0xffffff);
    }
    ++refreshRuns;
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

// A one-panel resource file holding a small text box with the given font settings.
QByteArray textBoxPanel(const char *font) {
    return QByteArray(R"({"panels":[{"number":1,"constant":"P","height":200,"width":300,)"
                      R"("controls":[{"constant":"BOX","kind":"text_box","label":"Estado:",)"
                      R"("top":0,"left":0,"height":120,"width":300,"font":)") +
           font + "}]}]}";
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
        RegisterCallback("Actualizar", cyclingRefresh);
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

    // A number that no widget could take is refused at load, with the file, the panel, the
    // control, the attribute and the value in the message; the limits themselves load.
    void numbersOutsideTheirRangeAreRefused_data() {
        QTest::addColumn<QByteArray>("panelKeys");
        QTest::addColumn<QByteArray>("controlKeys");
        QTest::addColumn<QString>("reason"); ///< empty: the panel loads
        const auto row = [](const char *name, const char *panel, const char *control,
                            const char *reason) {
            QTest::newRow(name) << QByteArray(panel) << QByteArray(control) << QString(reason);
        };
        const char *picture = R"("kind":"picture")";
        row("width past int", "", R"("kind":"picture","width":2147483647)",
            "\"width\" is 2147483647");
        row("huge height", "", R"("kind":"picture","height":1e9)", "\"height\" is 1000000000");
        row("negative height", "", R"("kind":"picture","height":-1)", "\"height\" is -1");
        row("top far above", "", R"("kind":"picture","top":-1e18)", "\"top\" is -1e+18");
        row("left past unsigned", "", R"("kind":"picture","left":4.29e9)",
            "\"left\" is 4290000000");
        row("fractional width", "", R"("kind":"picture","width":10.5)", "not a whole number");
        row("font size", "", R"("kind":"text_message","font":{"size":1e6})", "\"size\" is 1000000");
        row("ring value past int", "",
            R"("kind":"ring","items":[{"label":"a","value":0}],"value":4.29e9)",
            "\"value\" is 4290000000");
        row("item value past int", "", R"("kind":"ring","items":[{"label":"a","value":1e10}])",
            "\"value\" is 10000000000");
        row("item not an object", "", R"("kind":"ring","items":[3])", "item is not an object");
        row("integer knob with a fraction", "", R"("kind":"knob","dataType":"int","value":2.5)",
            "not a whole number");
        row("knob range upside down", "", R"("kind":"knob","min":10,"max":-10)",
            "\"min\" 10 is above \"max\" -10");
        row("negative increment", "", R"("kind":"knob","increment":-1)", "\"increment\" is -1");
        row("timer interval of ages", "", R"("kind":"timer","interval":1e18)",
            "\"interval\" is 1e+18");
        row("empty axis", "", R"("kind":"graph","xMin":5,"xMax":5)", "axis range is empty");
        row("panel width zero", R"("width":0,)", picture, "\"width\" is 0");
        row("panel height huge", R"("height":1e9,)", picture, "\"height\" is 1000000000");
        row("panel top fractional", R"("top":0.5,)", picture, "not a whole number");
        row("panel left past int", R"("left":-2147483649,)", picture, "\"left\" is -2147483649");
        row("largest picture", R"("width":4096,"height":4096,)",
            R"("kind":"picture","width":4096,"height":4096,"top":-4096,"left":4096)", "");
        row("large double knob", "", R"("kind":"knob","value":1e300,"max":1e300)", "");
        row("day-long timer", "", R"("kind":"timer","interval":86400)", "");
    }

    void numbersOutsideTheirRangeAreRefused() {
        QFETCH(QByteArray, panelKeys);
        QFETCH(QByteArray, controlKeys);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath("odd.uir"),
                  R"({"panels":[{"number":1,"constant":"P",)" + panelKeys +
                      R"("controls":[{"constant":"C",)" + controlKeys + "}]}]}");
        EngineSetResourceDir(dir.path().toUtf8().constData());
        const int handle = LoadPanel(0, "odd.uir", 1);
        const QString text = QString::fromUtf8(GetEngineErrorText());
        if (reason.isEmpty()) {
            QVERIFY2(handle > 0, qPrintable(text));
            return;
        }
        QCOMPARE(handle, int(kEngineFileDamaged));
        const QString where = panelKeys.isEmpty() ? "odd.uir panel P control C" : "odd.uir panel P";
        QVERIFY2(text.contains(where) && text.contains(reason), qPrintable(text));
    }

    // Escape on a dialog is a click on its close button; nothing else closes it by key, and the
    // main window does not take Escape as a request to quit.
    void escapePressesTheDialogsCloseButton_data() {
        QTest::addColumn<bool>("onDialog");
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closeDimmed");
        QTest::addColumn<int>("pressed"); ///< control committed, or 0
        QTest::newRow("knob focused")
            << true << int(P_CAL_X_XCAL) << int(Qt::Key_Escape) << false << int(P_CAL_X_SAIR_XPOS);
        QTest::newRow("button focused") << true << int(P_CAL_X_SAIR_XPOS) << int(Qt::Key_Escape)
                                        << false << int(P_CAL_X_SAIR_XPOS);
        QTest::newRow("close button dimmed")
            << true << int(P_CAL_X_XCAL) << int(Qt::Key_Escape) << true << 0;
        QTest::newRow("another key") << true << int(P_CAL_X_XCAL) << int(Qt::Key_Q) << false << 0;
        QTest::newRow("main window")
            << false << int(PANEL_POWERBUTTON) << int(Qt::Key_Escape) << false << 0;
    }

    void escapePressesTheDialogsCloseButton() {
        QFETCH(bool, onDialog);
        QFETCH(int, focus);
        QFETCH(int, key);
        QFETCH(bool, closeDimmed);
        QFETCH(int, pressed);
        int target = panel_;
        DisplayPanel(panel_);
        if (onDialog) {
            target = LoadPanel(panel_, "time.uir", P_CAL_X);
            QVERIFY(target > 0);
            InstallPopup(target);
            SetCtrlAttribute(target, P_CAL_X_SAIR_XPOS, ATTR_DIMMED, closeDimmed ? 1 : 0);
        }
        QWidget *widget = EngineControlWidget(target, focus);
        QVERIFY(widget != nullptr);
        QTest::keyClick(widget, Qt::Key(key));
        if (pressed == 0) {
            QVERIFY(calls.empty());
            return;
        }
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(calls[0].control, pressed);
        QCOMPARE(calls[0].event, int(EVENT_COMMIT));
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
        // A command button reports the press as a left click and the release as a commit.
        QWidget *quit = EngineControlWidget(panel_, PANEL_QUITBUTTON);
        QTest::mouseClick(quit, Qt::LeftButton);
        QCOMPARE(int(calls.size()), 4);
        QCOMPARE(calls[0].event, int(EVENT_RIGHT_CLICK));
        QCOMPARE(calls[1].event, int(EVENT_LEFT_CLICK));
        QCOMPARE(calls[2].control, PANEL_QUITBUTTON);
        QCOMPARE(calls[2].event, int(EVENT_LEFT_CLICK));
        QCOMPARE(calls[3].control, PANEL_QUITBUTTON);
        QCOMPARE(calls[3].event, int(EVENT_COMMIT));
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

    // A status log grows line by line: the box keeps what it shows, inserts only the new tail
    // and follows it to the newest line; a box filled afresh is read from its top.
    void textBoxAppendsOnlyTheTailAndFollowsTheNewestLine() {
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath("box.uir"), textBoxPanel("{}"));
        EngineSetResourceDir(dir.path().toUtf8().constData());
        const int panel = LoadPanel(0, "box.uir", 1);
        QVERIFY(panel > 0);
        constexpr int box = 2;
        DisplayPanel(panel);
        auto *edit = EngineControlWidget(panel, box)->findChild<QPlainTextEdit *>();
        QVERIFY(edit != nullptr);
        int removed = 0;
        connect(edit->document(), &QTextDocument::contentsChange, this,
                [&removed](int, int charsRemoved, int) { removed += charsRemoved; });
        for (int line = 0; line < 40; ++line) {
            SetCtrlVal(panel, box, qPrintable(QString("linha %1\n").arg(line)));
            QCoreApplication::processEvents();
        }
        QCOMPARE(removed, 0);
        QVERIFY(edit->toPlainText().startsWith("linha 0\nlinha 1\n"));
        QScrollBar *bar = edit->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());

        ResetTextBox(panel, box, "");
        for (int line = 0; line < 40; ++line) {
            SetCtrlVal(panel, box, qPrintable(QString("outra %1\n").arg(line)));
        }
        QCoreApplication::processEvents();
        QVERIFY(edit->toPlainText().startsWith("outra 0\n"));
        QCOMPARE(bar->value(), 0);
    }

    // Tables and indented pages line up only when every character is equally wide.
    void fixedPitchTextBoxKeepsColumns() {
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath("fixed.uir"),
                  textBoxPanel(R"({"size": 9, "fixedPitch": true})"));
        EngineSetResourceDir(dir.path().toUtf8().constData());
        const int fixed = LoadPanel(0, "fixed.uir", 1);
        QVERIFY(fixed > 0);
        const auto fontOf = [](int panel) {
            return EngineControlWidget(panel, 2)->findChild<QPlainTextEdit *>()->font();
        };
        const QFontMetrics metrics(fontOf(fixed));
        const QFontInfo face(fontOf(fixed));
        QVERIFY2(face.fixedPitch(), qPrintable(face.family() + " " + fontOf(fixed).toString()));
        QCOMPARE(metrics.horizontalAdvance("|||||||"), metrics.horizontalAdvance(" DESL  "));
        QCOMPARE(metrics.horizontalAdvance("-------"), metrics.horizontalAdvance("oção ÀÉ"));
        // The size asked for is kept: the fixed-pitch face takes the box's own (scaled) size.
        const int stored = EngineControlWidget(fixed, 2)->font().pixelSize();
        QCOMPARE(fontOf(fixed).pixelSize(), stored);
    }

    // A dialog's widgets are built when it is first shown, with what was set on it before.
    void aDialogIsBuiltWhenFirstNeeded() {
        const int dialog = LoadPanel(panel_, "time.uir", P_CAL_X);
        QVERIFY(dialog > 0);
        QVERIFY(EnginePanelBuilt(panel_));
        QVERIFY(!EnginePanelBuilt(dialog));
        QCOMPARE(SetPanelAttribute(dialog, ATTR_TITLE, "Outro título"), int(kEngineOk));
        QCOMPARE(SetCtrlAttribute(dialog, P_CAL_X_SAIR_XPOS, ATTR_DIMMED, 1), int(kEngineOk));
        QVERIFY(!EnginePanelBuilt(dialog));
        DisplayPanel(panel_);
        DisplayPanel(dialog);
        QVERIFY(EnginePanelBuilt(dialog));
        QCOMPARE(EnginePanelWidget(dialog)->windowTitle(), QString("Outro título"));
        QVERIFY(!EngineControlWidget(dialog, P_CAL_X_SAIR_XPOS)->isEnabled());
    }

    // A docked child panel lives in its parent's window, below the parent's face: never modal,
    // shown and hidden in place, and back in a window of its own when detached.
    void dockedPanelSitsBelowItsParentsFace() {
        EngineSetScreenArea(1920, 1200);
        const int child = LoadPanel(panel_, "gerador.uir", GERADOR);
        QVERIFY(child > 0);
        DisplayPanel(panel_);
        QCOMPARE(SetPanelAttribute(child, ATTR_DOCKED, 1), int(kEngineOk));
        InstallPopup(child);
        QCOMPARE(EnginePopupDepth(), 0);
        QVERIFY(EnginePanelShown(child));
        QWidget *window = EnginePanelWidget(child);
        QVERIFY(!window->isWindow());
        QCOMPARE(window->window(), EnginePanelWidget(panel_));
        QCoreApplication::processEvents();
        const QWidget *face = EngineControlWidget(panel_, PANEL_MOSTRAR)->parentWidget();
        QVERIFY(window->geometry().top() >= face->geometry().bottom());

        HidePanel(child);
        QVERIFY(!EnginePanelShown(child));
        QCOMPARE(SetPanelAttribute(child, ATTR_DOCKED, 0), int(kEngineOk));
        QVERIFY(window->isWindow());
        QVERIFY(!EnginePanelShown(child));
        DisplayPanel(child);
        int docked = -1;
        GetPanelAttribute(child, ATTR_DOCKED, &docked);
        QCOMPARE(docked, 0);
        QVERIFY(EnginePanelShown(child));
        QCOMPARE(SetPanelAttribute(panel_, ATTR_DOCKED, 1), int(kEngineBadHandle));
    }

    // Where the parent's face and a docked panel below it do not both fit the screen's height at
    // their smallest scale, the panel opens in a window of its own, whole on the screen.
    void shortScreenOpensDockedPanelInItsOwnWindow_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("docked");
        QTest::newRow("1200 px") << 1200 << true;
        QTest::newRow("800 px") << 800 << false;
        QTest::newRow("600 px") << 600 << false;
    }
    void shortScreenOpensDockedPanelInItsOwnWindow() {
        QFETCH(int, height);
        QFETCH(bool, docked);
        EngineSetScreenArea(1280, height);
        const int child = LoadPanel(panel_, "gerador.uir", GERADOR);
        DisplayPanel(panel_);
        SetPanelAttribute(child, ATTR_DOCKED, 1);
        DisplayPanel(child);
        QVERIFY(EnginePanelShown(child));
        int attached = -1;
        GetPanelAttribute(child, ATTR_DOCKED, &attached);
        QCOMPARE(attached != 0, docked);
        const QWidget *window = EnginePanelWidget(child);
        QCOMPARE(window->isWindow(), !docked);
        if (!docked) {
            // Placed by its frame's corner, as far down as its height leaves room for.
            const QPoint corner = window->frameGeometry().topLeft();
            QVERIFY(corner.y() >= 0 && corner.y() + window->height() <= height);
            QVERIFY(corner.x() >= 0 && corner.x() + window->width() <= 1280);
        }
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

    void timersRunOnlyInTheLoopOncePerFrameAtTheFastest() {
        SetCtrlAttribute(panel_, PANEL_TIMER_P, ATTR_INTERVAL, 1e-5);
        SetCtrlAttribute(panel_, PANEL_TIMER_P, ATTR_ENABLED, 1);
        auto *timer = EnginePanelWidget(panel_)->findChildren<QTimer *>().value(0);
        QVERIFY(timer != nullptr);
        QTest::qWait(20);
        for (QTimer *each : EnginePanelWidget(panel_)->findChildren<QTimer *>()) {
            QVERIFY(!each->isActive());
        }
        int ticks = 0;
        const int live = LoadPanel(0, "oscil.uir", PANEL);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_INTERVAL, 1e-5);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_ENABLED, 1);
        QTimer::singleShot(160, [] { QuitUserInterface(0); });
        RunUserInterface();
        for (const Call &call : calls) {
            ticks += call.control == PANEL_TIMER_P && call.event == EVENT_TIMER_TICK ? 1 : 0;
        }
        // Two panels' refresh timers whose callback draws nothing, each run once per 16 ms
        // frame: at most 22 in 160 ms (at one a millisecond it would be 320).
        QVERIFY2(ticks >= 3 && ticks <= 24, qPrintable(QString::number(ticks)));
    }

    void fastTimerRunsUntilItsPictureRepeats_data() {
        // Pictures the refresh cycles through (-1: a new one at every run), and its runs in one
        // wake-up after the frame that showed the wake-up before.
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("runs");
        QTest::newRow("draws nothing") << 0 << 1;
        QTest::newRow("the same picture") << 1 << 1;
        QTest::newRow("two pictures in turn") << 2 << 2;
        QTest::newRow("a new picture every run: once a millisecond") << -1 << 16;
    }

    void fastTimerRunsUntilItsPictureRepeats() {
        QFETCH(int, cycle);
        QFETCH(int, runs);
        pictureCycle = cycle;
        const auto drawNothing = qScopeGuard([] { pictureCycle = 0; });
        refreshRuns = 0;
        const int live = LoadPanel(0, "oscil.uir", PANEL);
        DisplayPanel(live);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_INTERVAL, 1e-5);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_ENABLED, 1);
        ArmAllTimers();
        QWidget *screen = EngineControlWidget(live, PANEL_MOSTRAR);
        ServeTimer(live, PANEL_TIMER_P);
        screen->grab(); // a frame: the screen has shown what the wake-up drew
        const int before = refreshRuns;
        ServeTimer(live, PANEL_TIMER_P);
        QCOMPARE(refreshRuns - before, runs);
    }

    // A slower timer's wake-up between two frames checks no screen: there it would catch an
    // alternating picture with one of its two traces, and repaint.
    void alternatingPictureStaysSteadyBesideASlowerTimer() {
        RegisterCallback("act_dados", recordCall);
        pictureCycle = 2;
        const auto drawNothing = qScopeGuard([] { pictureCycle = 0; });
        const int live = LoadPanel(0, "oscil.uir", PANEL);
        DisplayPanel(live);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_INTERVAL, 1e-5);
        SetCtrlAttribute(live, PANEL_TIMER_P, ATTR_ENABLED, 1);
        SetCtrlAttribute(live, PANEL_TIMER_DADOS, ATTR_INTERVAL, 0.021);
        const auto *screen = qobject_cast<GraphWidget *>(EngineControlWidget(live, PANEL_MOSTRAR));
        QVERIFY(screen != nullptr);
        int settled = -1;
        QTimer::singleShot(150, [&] { settled = screen->repaintCount(); });
        QTimer::singleShot(450, [] { QuitUserInterface(0); });
        RunUserInterface();
        QVERIFY(settled > 0);
        QCOMPARE(screen->repaintCount(), settled);
    }

    // A timer's interval becomes the tick of a QTimer in int milliseconds, at least a frame: no
    // interval may overflow it, and one that is no number of seconds at all is refused.
    void timerIntervalsStayWithinTheTimersReach_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << int(kEngineBadValue)
                                  << 500;
        QTest::newRow("not a number")
            << std::numeric_limits<double>::quiet_NaN() << int(kEngineBadValue) << 500;
        QTest::newRow("negative") << -1.0 << int(kEngineBadValue) << 500;
        QTest::newRow("a year") << 3.2e7 << int(kEngineOk) << 86400000;
        QTest::newRow("past int milliseconds") << 1e18 << int(kEngineOk) << 86400000;
        QTest::newRow("ten microseconds: once a frame") << 1e-5 << int(kEngineOk) << 16;
    }

    void timerIntervalsStayWithinTheTimersReach() {
        QFETCH(double, seconds);
        QFETCH(int, result);
        QFETCH(int, milliseconds);
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath("timer.uir"),
                  R"({"panels":[{"number":1,"constant":"P","controls":[)"
                  R"({"constant":"T","kind":"timer","interval":0.5}]}]})");
        EngineSetResourceDir(dir.path().toUtf8().constData());
        const int panel = LoadPanel(0, "timer.uir", 1);
        QVERIFY(panel > 0);
        QCOMPARE(SetCtrlAttribute(panel, 2, ATTR_INTERVAL, seconds), result);
        const auto timers = EnginePanelWidget(panel)->findChildren<QTimer *>();
        QCOMPARE(timers.size(), 1);
        QCOMPARE(timers.front()->interval(), milliseconds);
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

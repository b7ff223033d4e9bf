// Random use of the whole instrument: seeded left and right clicks, double clicks, drags, wheel
// turns and keys on the real panels (the main window, and whichever dialog or pop-up is open),
// menu commands and timer ticks, with the instrument state's invariants checked after every
// event. VANTREL_RANDOM_EVENTS sets the number of events (default 3000), VANTREL_RANDOM_SEED
// the seed (default fixed, so a failure repeats with the same two settings); a failure names
// the seed and the event.

#include "app/callbacks.h"
#include "app/startup.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/model.h"
#include "ui/uir_constants.h"

#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

QtMessageHandler previousHandler = nullptr;

int environmentNumber(const char *name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

constexpr std::array kTimeMarkers{
    PANEL_TIMEDIV_1,  PANEL_TIMEDIV_2,  PANEL_TIMEDIV_3,  PANEL_TIMEDIV_4,  PANEL_TIMEDIV_5,
    PANEL_TIMEDIV_6,  PANEL_TIMEDIV_7,  PANEL_TIMEDIV_8,  PANEL_TIMEDIV_9,  PANEL_TIMEDIV_10,
    PANEL_TIMEDIV_11, PANEL_TIMEDIV_12, PANEL_TIMEDIV_13, PANEL_TIMEDIV_14, PANEL_TIMEDIV_15,
    PANEL_TIMEDIV_16, PANEL_TIMEDIV_17, PANEL_TIMEDIV_18};
constexpr std::array kVoltMarkersI{PANEL_VOLTDIV1_1,  PANEL_VOLTDIV1_2,  PANEL_VOLTDIV1_3,
                                   PANEL_VOLTDIV1_4,  PANEL_VOLTDIV1_5,  PANEL_VOLTDIV1_6,
                                   PANEL_VOLTDIV1_7,  PANEL_VOLTDIV1_8,  PANEL_VOLTDIV1_9,
                                   PANEL_VOLTDIV1_10, PANEL_VOLTDIV1_11, PANEL_VOLTDIV1_12};
constexpr std::array kVoltMarkersII{PANEL_VOLTDIV2_1,  PANEL_VOLTDIV2_2,  PANEL_VOLTDIV2_3,
                                    PANEL_VOLTDIV2_4,  PANEL_VOLTDIV2_5,  PANEL_VOLTDIV2_6,
                                    PANEL_VOLTDIV2_7,  PANEL_VOLTDIV2_8,  PANEL_VOLTDIV2_9,
                                    PANEL_VOLTDIV2_10, PANEL_VOLTDIV2_11, PANEL_VOLTDIV2_12};

/// Menu commands a user may choose at random: all but "Sair", which ends the run at once.
constexpr std::array kMenuItems{MenuBar_Fich_RST_osc, MenuBar_Fich_RST_ger1, MenuBar_Fich_RST_ger2,
                                MenuBar_Fich_RST_all, MenuBar_ecra_cap_clip, MenuBar_ecra_cap_fich,
                                MenuBar_sobre_pagina, MenuBar_sobre_prog};

constexpr std::array kKeys{Qt::Key_Escape, Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Left,
                           Qt::Key_Right,  Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                           Qt::Key_End,    Qt::Key_Space,  Qt::Key_Return,   Qt::Key_Tab,
                           Qt::Key_0,      Qt::Key_5,      Qt::Key_A,        Qt::Key_Minus};

/// Empty when the marks of one knob are right: while the instrument is on exactly the mark of
/// the current step shows, while it is off none does.
template <std::size_t N>
std::string checkMarkers(const std::array<int, N> &markers, int step, const char *knob) {
    int shown = 0;
    bool currentShown = false;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        int visible = 0;
        GetCtrlAttribute(Painel_Principal, markers[i], ATTR_VISIBLE, &visible);
        shown += visible != 0 ? 1 : 0;
        currentShown = currentShown || (visible != 0 && static_cast<int>(i) == step);
    }
    const bool right = Ligado == 1 ? shown == 1 && currentShown : shown == 0;
    return right ? std::string()
                 : std::string(knob) + ": " + std::to_string(shown) + " marks shown, step " +
                       std::to_string(step) + ", power " + std::to_string(Ligado);
}

bool inRange(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

/// Empty when the installed pop-ups are live, shown, listed once each, and are exactly the
/// panels marked as installed.
std::string checkPopups() {
    const EngineState &engine = Engine();
    std::set<int> listed;
    for (const int handle : engine.popups) {
        const Panel *panel = FindPanel(handle);
        if (panel == nullptr || !listed.insert(handle).second) {
            return "pop-up " + std::to_string(handle) + " discarded or listed twice";
        }
        if (!panel->installed || panel->window == nullptr || !panel->window->isVisible()) {
            return "pop-up " + std::to_string(handle) + " not shown";
        }
    }
    for (const auto &[handle, panel] : engine.panels) {
        if (panel->installed && listed.count(handle) == 0) {
            return "panel " + std::to_string(handle) + " installed but not in the pop-up stack";
        }
    }
    if (EnginePopupDepth() != static_cast<int>(listed.size())) {
        return "pop-up depth " + std::to_string(EnginePopupDepth());
    }
    return {};
}

/// Empty when every global of the instrument holds a value of its encoding. The phases xC1 and
/// xC2 need only be finite: they are brought into the buffer when used, and in X-Y against a
/// silent channel they legitimately run far ahead.
std::string checkState() {
    struct Check {
        const char *name;
        bool holds;
        double value;
    };
    const std::array checks{
        Check{"Ligado", Ligado == 0 || Ligado == 1, double(Ligado)},
        Check{"modoxy", modoxy == 0 || modoxy == 1, double(modoxy)},
        Check{"dual_op", dual_op == 0 || dual_op == 1, double(dual_op)},
        Check{"add_op", add_op == 0 || add_op == 1, double(add_op)},
        Check{"vert_op", vert_op == 0 || vert_op == 1, double(vert_op)},
        Check{"OPCAO_FOCUS", OPCAO_FOCUS == 0 || OPCAO_FOCUS == 5, double(OPCAO_FOCUS)},
        Check{"focus_val", inRange(focus_val, -10.0, 10.0), double(focus_val)},
        Check{"intens_val", intens_val >= 0 && intens_val <= 10, double(intens_val)},
        Check{"Esc_TempoID", Esc_TempoID >= 0 && Esc_TempoID <= 17, double(Esc_TempoID)},
        Check{"calib", inRange(calib, 0.6, 1.0), double(calib)},
        Check{"atraso", inRange(atraso, atraso_orig - 120.0, atraso_orig + 120.0), double(atraso)},
        Check{"xmag", xmag == 1.0 || xmag == 10.0, double(xmag)},
        Check{"levelt", inRange(levelt, -10.0, 10.0), double(levelt)},
        Check{"slopet", slopet == 1 || slopet == -1, double(slopet)},
        Check{"autot", autot == 0 || autot == 1, double(autot)},
        Check{"trigger_ch", trigger_ch == 1 || trigger_ch == 2, double(trigger_ch)},
        Check{"trig_acopl", trig_acopl >= 0 && trig_acopl <= 4, double(trig_acopl)},
        Check{"trig_ext", trig_ext >= 0 && trig_ext < vantrel::kFontesExternas, double(trig_ext)},
        Check{"holdoff", inRange(holdoff, 0.0, 10.0), holdoff},
        Check{"tvsep", tvsep >= 0 && tvsep <= 2, double(tvsep)},
        Check{"fase_disparo", inRange(fase_disparo, 0.0, 599.0), fase_disparo},
        Check{"testador", testador == 0 || testador == 1, double(testador)},
        Check{"testador_comp", testador_comp >= 0 && testador_comp <= 9, double(testador_comp)},
        Check{"testador_valor",
              testador_valor[0] >= 0.0 && testador_valor[1] >= 0.0 &&
                  std::isfinite(testador_valor[0] + testador_valor[1]),
              testador_valor[0]},
        Check{"Canal", Canal == 0 || Canal == 1, double(Canal)},
        Check{"geradorID", geradorID == 0 || geradorID == 1, double(geradorID)},
        Check{"xC1", std::isfinite(xC1), xC1},
        Check{"xC2", std::isfinite(xC2), xC2},
    };
    for (const Check &check : checks) {
        if (!check.holds) {
            return std::string(check.name) + " = " + std::to_string(check.value);
        }
    }
    for (int c = 0; c < 2; ++c) {
        const std::array perChannel{
            Check{"Esc_VoltID", Esc_VoltID[c] >= 0 && Esc_VoltID[c] <= 11, double(Esc_VoltID[c])},
            Check{"y_calib", inRange(y_calib[c], 0.6, 1.0), double(y_calib[c])},
            Check{"y_offset", inRange(y_offset[c], -10.0, 10.0), double(y_offset[c])},
            Check{"inversao", inversao[c] == 1 || inversao[c] == -1, double(inversao[c])},
            Check{"entrada_op", entrada_op[c] >= 0 && entrada_op[c] <= 2, double(entrada_op[c])},
            Check{"canais_op", canais_op[c] == 0 || canais_op[c] == 1, double(canais_op[c])},
            Check{"ChIN", (ChIN[c] >= 0 && ChIN[c] <= 4) || ChIN[c] == 6, double(ChIN[c])},
            Check{"freq", inRange(freq[c], 0.0, 1e7), double(freq[c])},
            Check{"tipo_onda", tipo_onda[c] >= 1 && tipo_onda[c] <= 3, double(tipo_onda[c])},
            Check{"botao_freq", inRange(botao_freq[c], 0.0, 2.0), double(botao_freq[c])},
            Check{"amplit", inRange(amplit[c], 0.0, 10.0), double(amplit[c])},
            Check{"offset", inRange(offset[c], -5.0, 5.0), double(offset[c])},
            Check{"fase_G", inRange(fase_G[c], -180.0, 180.0), double(fase_G[c])},
            Check{"rampa_G", inRange(rampa_G[c], 0.0, 100.0), double(rampa_G[c])},
            Check{"ciclo_G", inRange(ciclo_G[c], 1.0, 99.0), double(ciclo_G[c])},
            Check{"atenuacao_G",
                  atenuacao_G[c] == 0 || atenuacao_G[c] == 20 || atenuacao_G[c] == 40,
                  double(atenuacao_G[c])},
            Check{"onda_sync",
                  std::all_of(std::begin(onda_sync[c]), std::end(onda_sync[c]),
                              [](double v) { return v == 0.0 || v == 5.0; }),
                  0.0},
        };
        for (const Check &check : perChannel) {
            if (!check.holds) {
                return std::string(check.name) + "[" + std::to_string(c) +
                       "] = " + std::to_string(check.value);
            }
        }
    }
    for (const auto &row : onda) {
        if (!std::all_of(std::begin(row), std::end(row),
                         [](double v) { return std::isfinite(v); })) {
            return "onda";
        }
    }
    return {};
}

/// A user who does anything at all, one event at a time.
class RandomUser {
public:
    RandomUser(unsigned seed, const QString &captureDir) : random_(seed), captureDir_(captureDir) {}

    /// Acts once; returns what it did, for the failure message.
    std::string act() {
        keepQuitAnswerQueued();
        const int choice = pick(100);
        if (choice < 3) {
            return chooseMenuItem();
        }
        if (choice < 10) {
            return tickTimer();
        }
        QWidget *window = targetWindow();
        if (window == nullptr) {
            return "no window";
        }
        QWidget *widget = nullptr;
        QPoint at;
        pickPoint(window, widget, at);
        if (widget == nullptr) {
            return "nothing under the pointer";
        }
        const std::string where = describe(widget);
        if (choice < 45) {
            click(widget, at, Qt::LeftButton, QEvent::MouseButtonPress);
            return "left click on " + where;
        }
        if (choice < 55) {
            click(widget, at, Qt::RightButton, QEvent::MouseButtonPress);
            return "right click on " + where;
        }
        if (choice < 60) {
            click(widget, at, Qt::LeftButton, QEvent::MouseButtonDblClick);
            return "double click on " + where;
        }
        if (choice < 72) {
            drag(widget, at);
            return "drag on " + where;
        }
        if (choice < 84) {
            wheel(widget, at);
            return "wheel on " + where;
        }
        const Qt::Key key = kKeys[static_cast<std::size_t>(pick(static_cast<int>(kKeys.size())))];
        press(widget, key);
        return "key " + std::to_string(key) + " on " + where;
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    /// The one confirmation the program asks is "Sair"; it is always answered no, so that the
    /// run never ends. Messages take an answer from the same queue, so it is topped up.
    void keepQuitAnswerQueued() {
        const int shown = EnginePopupCount();
        answered_ += shown - seenPopups_;
        seenPopups_ = shown;
        if (queued_ - answered_ < 1) {
            EngineQueueConfirmAnswer(0);
            ++queued_;
        }
    }

    std::string chooseMenuItem() {
        const int item = kMenuItems[static_cast<std::size_t>(pick(kMenuItems.size()))];
        if (item == MenuBar_ecra_cap_fich) {
            // The file dialog is answered at random: cancelled, or a file to write.
            const std::string path =
                QDir(captureDir_).filePath(QString("captura%1.bmp").arg(pick(3))).toStdString();
            EngineQueueFileAnswer(pick(2) == 0 ? nullptr : path.c_str());
        }
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), item);
        return "menu item " + std::to_string(item);
    }

    std::string tickTimer() {
        static constexpr std::array timers{PANEL_TIMER_3, PANEL_TIMER_P, PANEL_TIMER_DADOS};
        const int timer = timers[static_cast<std::size_t>(pick(timers.size()))];
        int enabled = 0;
        GetCtrlAttribute(Painel_Principal, timer, ATTR_ENABLED, &enabled);
        if (enabled != 0) {
            EngineTickTimer(Painel_Principal, timer);
        }
        return "tick of timer " + std::to_string(timer);
    }

    /// The topmost pop-up while one is installed (it is modal); otherwise any shown panel.
    QWidget *targetWindow() {
        if (EnginePopupDepth() > 0) {
            return EnginePanelWidget(EngineTopPopup());
        }
        std::vector<QWidget *> shown;
        for (const auto &[handle, panel] : Engine().panels) {
            if (panel->window != nullptr && panel->window->isVisible()) {
                shown.push_back(panel->window);
            }
        }
        return shown.empty() ? nullptr : shown[static_cast<std::size_t>(pick(shown.size()))];
    }

    /// Half of the time any point of the window, otherwise a point of one of its widgets, so
    /// that small controls are hit as often as the large picture behind them. The menu bar is
    /// left to the menu commands.
    void pickPoint(QWidget *window, QWidget *&widget, QPoint &at) {
        std::vector<QWidget *> children;
        for (QWidget *child : window->findChildren<QWidget *>()) {
            if (child->isVisible() && child->width() > 0 && child->height() > 0 &&
                qobject_cast<QMenuBar *>(child) == nullptr &&
                qobject_cast<QMenuBar *>(child->parentWidget()) == nullptr) {
                children.push_back(child);
            }
        }
        if (children.empty() || pick(2) == 0) {
            const QPoint inWindow(pick(std::max(1, window->width())),
                                  pick(std::max(1, window->height())));
            widget = window->childAt(inWindow);
            if (widget == nullptr || qobject_cast<QMenuBar *>(widget) != nullptr) {
                widget = window;
            }
            at = widget->mapFrom(window, inWindow);
            return;
        }
        widget = children[static_cast<std::size_t>(pick(children.size()))];
        at = QPoint(pick(widget->width()), pick(widget->height()));
    }

    static std::string describe(QWidget *widget) {
        return widget->metaObject()->className() + std::string(" ") +
               widget->objectName().toStdString();
    }

    static void send(QWidget *widget, QEvent &event) { QApplication::sendEvent(widget, &event); }

    static void mouse(QPointer<QWidget> widget, QEvent::Type type, QPoint at,
                      Qt::MouseButton button, Qt::MouseButtons held) {
        if (widget == nullptr) {
            return; // a callback closed the window under the pointer
        }
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        send(widget, event);
    }

    void click(QWidget *target, QPoint at, Qt::MouseButton button, QEvent::Type pressType) {
        const QPointer<QWidget> widget(target);
        mouse(widget, pressType, at, button, button);
        mouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }

    void drag(QWidget *target, QPoint at) {
        const QPointer<QWidget> widget(target);
        mouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        const int steps = 1 + pick(6);
        for (int i = 0; i < steps; ++i) {
            at += QPoint(pick(61) - 30, pick(61) - 30);
            mouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        }
        mouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    void wheel(QWidget *widget, QPoint at) {
        const int notches = (1 + pick(3)) * (pick(2) == 0 ? 1 : -1);
        QWheelEvent event(QPointF(at), widget->mapToGlobal(QPointF(at)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        send(widget, event);
    }

    void press(QWidget *target, Qt::Key key) {
        const QPointer<QWidget> widget(target);
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        send(widget, down);
        if (widget != nullptr) {
            QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
            send(widget, up);
        }
    }

    std::mt19937 random_;
    QString captureDir_;
    int seenPopups_ = EnginePopupCount();
    int queued_ = 0;
    int answered_ = 0;
};

} // namespace

class RobustnessTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(InitCVIRTE(nullptr, nullptr, nullptr) == 1);
        RegisterInstrumentCallbacks();
        // The offscreen platform cannot raise windows or grab the keyboard for a list's
        // drop-down; thousands of such notes would bury a real warning.
        previousHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
                if (type == QtWarningMsg && message.startsWith("This plugin does not support")) {
                    return;
                }
                previousHandler(type, context, message);
            });
    }

    void cleanup() { EngineReset(); }

    void randomUseKeepsTheInstrumentConsistent_data() {
        QTest::addColumn<bool>("poweredOn");
        QTest::newRow("from switched off") << false;
        QTest::newRow("from switched on") << true;
    }

    void randomUseKeepsTheInstrumentConsistent() {
        QFETCH(bool, poweredOn);
        EngineReset();
        // A run starts with these at their load-time zero; inicializacoes sets the rest.
        Ligado = vert_op = chop_ch = Canal = 0;
        levelt = 0.0;
        QVERIFY(LoadInstrumentPanels() == 0);
        inicializacoes();
        DisplayPanel(Painel_Principal);
        if (poweredOn) {
            EngineSendEvent(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
            QCOMPARE(Ligado, 1);
        }
        QTemporaryDir captures;
        const int events = environmentNumber("VANTREL_RANDOM_EVENTS", 3000);
        const unsigned seed =
            static_cast<unsigned>(environmentNumber("VANTREL_RANDOM_SEED", 20261208)) +
            (poweredOn ? 1U : 0U);
        RandomUser user(seed, captures.path());
        int powerChanges = 0;
        int popupsOpened = 0;
        int deepest = 0;
        for (int i = 0; i < events; ++i) {
            const int power = Ligado;
            const int depth = EnginePopupDepth();
            const std::string action = user.act();
            powerChanges += Ligado != power ? 1 : 0;
            popupsOpened += std::max(0, EnginePopupDepth() - depth);
            deepest = std::max(deepest, EnginePopupDepth());
            if (i % 50 == 0) {
                QCoreApplication::processEvents(); // deferred redraws and flushes
            }
            std::string broken = checkState();
            for (const std::string &problem :
                 {checkPopups(), checkMarkers(kTimeMarkers, Esc_TempoID, "TIME/DIV"),
                  checkMarkers(kVoltMarkersI, Esc_VoltID[0], "VOLTS/DIV I"),
                  checkMarkers(kVoltMarkersII, Esc_VoltID[1], "VOLTS/DIV II")}) {
                if (broken.empty()) {
                    broken = problem;
                }
            }
            if (!broken.empty()) {
                QFAIL(qPrintable(QString("seed %1, event %2 (%3): %4")
                                     .arg(seed)
                                     .arg(i)
                                     .arg(QString::fromStdString(action))
                                     .arg(QString::fromStdString(broken))));
            }
        }
        qInfo("seed %u: %d events, %d power changes, %d pop-ups opened, at most %d at once", seed,
              events, powerChanges, popupsOpened, deepest);
    }
};

QTEST_MAIN(RobustnessTest)
#include "test_robustness.moc"

// How the engine's control widgets look and answer the user: a knob that the mouse focused,
// and text fields that only the program writes.

#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "ui/uir_constants.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <cmath>
#include <string>

namespace {

int ignoreEvent(int, int, int, void *, int, int) {
    return 0;
}

/// The widget's pixels as the screen shows them.
QImage snapshot(QWidget *widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

/// Pixels that differ between two snapshots of one widget, inside a circle about the centre
/// of the knob's face.
int changedInsideFace(const QImage &before, const QImage &after, double radiusFraction) {
    const QPointF centre(before.width() / 2.0, before.height() / 2.0);
    const double radius = radiusFraction * std::min(before.width(), before.height()) / 2.0;
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y()) <= radius &&
                before.pixel(x, y) != after.pixel(x, y)) {
                ++changed;
            }
        }
    }
    return changed;
}

} // namespace

class ControlViewsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void clickedKnobKeepsItsFace_data();
    void clickedKnobKeepsItsFace();
    void onlyEditableStringsTakeTyping_data();
    void onlyEditableStringsTakeTyping();
};

void ControlViewsTest::initTestCase() {
    for (const char *name : {"f_level", "f_intens", "f_focus", "gerad_freq", "gerad_ampl",
                             "gerad_offset", "fecha_painel"}) {
        RegisterCallback(name, ignoreEvent);
    }
}

void ControlViewsTest::cleanup() {
    EngineReset();
}

void ControlViewsTest::clickedKnobKeepsItsFace_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("knob");
    QTest::newRow("LEVEL") << "opcoes.uir" << int(LEVEL) << int(LEVEL_LEVEL_BT);
    QTest::newRow("INTENS") << "opcoes.uir" << int(INTENS) << int(INTENS_INTENS_BT);
    QTest::newRow("frequency dial") << "gerador.uir" << int(FREQ) << int(FREQ_roda_gerador);
    QTest::newRow("OFFSET") << "gerador.uir" << int(OFFSET) << int(OFFSET_roda_offset);
}

void ControlViewsTest::clickedKnobKeepsItsFace() {
    QFETCH(QString, file);
    QFETCH(int, panel);
    QFETCH(int, knob);

    const int main = LoadPanel(0, "oscil.uir", PANEL);
    QVERIFY2(main > 0, GetEngineErrorText());
    const int dialog = LoadPanel(main, file.toUtf8().constData(), panel);
    QVERIFY2(dialog > 0, GetEngineErrorText());
    InstallPopup(dialog);
    QWidget *window = EnginePanelWidget(dialog);
    QWidget *view = EngineControlWidget(dialog, knob);
    QVERIFY(window != nullptr && view != nullptr);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->setFocus();
    QVERIFY(!view->hasFocus());
    const QImage before = snapshot(view);

    // A click without moving leaves the value alone but gives the knob the keyboard focus.
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    QVERIFY(view->hasFocus());
    const QImage after = snapshot(view);

    // Body, cap and pointer are drawn within 80 % of the knob's radius; the focus may show
    // only outside them.
    QCOMPARE(changedInsideFace(before, after, 0.8), 0);
    QVERIFY2(before != after, "the focus is not shown at all");
}

void ControlViewsTest::onlyEditableStringsTakeTyping_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<bool>("editable");
    QTest::newRow("CH I source name") << int(PANEL_STRING_CH1) << false;
    QTest::newRow("CH II source name") << int(PANEL_STRING_CH2) << false;
    QTest::newRow("string without the key") << 3 << true;
}

void ControlViewsTest::onlyEditableStringsTakeTyping() {
    QFETCH(int, control);
    QFETCH(bool, editable);

    // The main panel, and a panel of our own whose second control is an ordinary string.
    QTemporaryDir dir;
    QFile own(QDir(dir.path()).filePath("own.uir"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write(R"({"panels":[{"number":1,"constant":"P","controls":[
        {"constant":"A","kind":"string","readOnly":true,"width":90,"height":20,"text":"Desligado"},
        {"constant":"B","kind":"string","top":30,"width":90,"height":20,"text":"Desligado"}]}]})");
    own.close();
    const bool mainPanel = control != 3;
    if (!mainPanel) {
        EngineSetResourceDir(dir.path().toUtf8().constData());
    }
    const int panel = LoadPanel(0, mainPanel ? "oscil.uir" : "own.uir", mainPanel ? PANEL : 1);
    QVERIFY2(panel > 0, GetEngineErrorText());
    DisplayPanel(panel);
    QWidget *window = EnginePanelWidget(panel);
    auto *edit = qobject_cast<QLineEdit *>(EngineControlWidget(panel, control));
    QVERIFY(window != nullptr && edit != nullptr);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));

    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "Gerador");
    QTest::keyClick(edit, Qt::Key_Return);
    std::string text;
    GetCtrlVal(panel, control, &text);
    QCOMPARE(edit->text() != QLatin1String("Desligado"), editable);
    QCOMPARE(text != "Desligado", editable);

    // The program still writes the field.
    SetCtrlVal(panel, control, "Cal 2Vpp");
    QApplication::processEvents();
    QCOMPARE(edit->text(), QStringLiteral("Cal 2Vpp"));
    EngineSetResourceDir(nullptr);
}

int main(int argc, char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    ControlViewsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_control_views.moc"

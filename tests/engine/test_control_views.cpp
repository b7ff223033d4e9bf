// How the engine's control widgets look and answer the user: a knob that the mouse focused.

#include "app/engine/engine.h"
#include "app/engine/engine_qt.h"
#include "app/engine/engine_testing.h"
#include "ui/uir_constants.h"

#include <QWidget>
#include <QtTest>

#include <cmath>

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

int main(int argc, char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    ControlViewsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_control_views.moc"

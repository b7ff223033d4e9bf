// Every panel of the program laid out at the scales a window can take: controls stay on their
// panel, clickable areas do not overlap, texts fit their boxes and a click lands where the
// control is drawn, in both of the program's languages. Run once at device pixel ratio 1 and
// once at 2 (QT_SCALE_FACTOR).

#include "engine/control_widgets.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/language.h"
#include "engine/translate.h"
#include "tests/common/show_at_scale.h"
#include "ui/uir_constants.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <QtTest>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr const char *kResourceFiles[] = {"oscil.uir",  "gerador.uir", "time.uir",   "volt.uir",
                                          "opcoes.uir", "canais.uir",  "acerca.uir", "ajuda.uir",
                                          "ajudaG.uir", "ddedemo.uir"};
constexpr int kMaxPanelNumber = 12;

/// The generator front's background picture is stored 1003 px wide on its 1000 px panel; the
/// panel cuts off its outer edge, which holds no control.
bool storedWiderThanItsPanel(const std::string &file, int number, const std::string &constant) {
    return file == "gerador.uir" && number == 5 && constant == "PICTURE";
}

struct Placed {
    int id = 0;
    std::string constant;
    int kind = 0;
    bool clickable = false;
    bool shownAtLoad = false;
    QRect logical;
    QWidget *view = nullptr;
};

int intAttribute(int panel, int control, int attribute) {
    int value = 0;
    GetCtrlAttribute(panel, control, attribute, &value);
    return value;
}

std::string textAttribute(int panel, int control, int attribute) {
    std::string value;
    GetCtrlAttribute(panel, control, attribute, &value);
    return value;
}

/// Controls that show lettering: every kind but pictures, the graph, timers and decorations.
bool showsLettering(int kind) {
    return kind != CTRL_PICTURE && kind != CTRL_GRAPH && kind != CTRL_TIMER &&
           kind != CTRL_DECORATION;
}

/// Controls that take the user's clicks (while shown): those with a callback that the window shows
/// as an interactive area. The background picture and frames without a callback pass clicks
/// through.
bool takesClicks(int kind, const std::string &callback) {
    switch (kind) {
    case CTRL_TIMER:
        return false;
    case CTRL_COMMAND_BUTTON:
    case CTRL_TOGGLE_BUTTON:
    case CTRL_RING:
    case CTRL_KNOB:
    case CTRL_SLIDE:
    case CTRL_LIST_BOX:
        return true;
    default:
        return !callback.empty();
    }
}

std::vector<Placed> placedControls(int panel) {
    std::vector<Placed> placed;
    int count = 0;
    GetPanelAttribute(panel, ATTR_NUM_CTRLS, &count);
    for (int id = 2; id < count + 2; ++id) {
        Placed control;
        control.id = id;
        control.constant = textAttribute(panel, id, ATTR_CONSTANT_NAME);
        control.kind = intAttribute(panel, id, ATTR_CTRL_KIND);
        control.clickable = takesClicks(control.kind, textAttribute(panel, id, ATTR_CALLBACK_NAME));
        control.logical =
            QRect(intAttribute(panel, id, ATTR_LEFT), intAttribute(panel, id, ATTR_TOP),
                  intAttribute(panel, id, ATTR_WIDTH), intAttribute(panel, id, ATTR_HEIGHT));
        control.view = EngineControlWidget(panel, id);
        control.shownAtLoad = intAttribute(panel, id, ATTR_VISIBLE) != 0;
        if (control.view != nullptr) {
            placed.push_back(control);
        }
    }
    return placed;
}

QString where(const std::string &file, int number, const Placed &control) {
    return QString("%1 panel %2 %3").arg(file.c_str()).arg(number).arg(control.constant.c_str());
}

} // namespace

class TestScaling : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(InitCVIRTE(nullptr, nullptr, nullptr), 1); }
    void cleanup() {
        SetUiLanguage(UiLanguage::Portuguese);
        EngineReset();
    }

    void layoutHoldsAtEveryScale_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("english");
        for (const bool english : {false, true}) {
            for (const double scale : {0.75, 1.0, 1.5, 2.0, 4.0}) {
                QTest::addRow("%s %g", english ? "en" : "pt", scale) << scale << english;
            }
        }
    }

    void layoutHoldsAtEveryScale() {
        QFETCH(double, scale);
        QFETCH(bool, english);
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        int panelsSeen = 0;
        for (const char *file : kResourceFiles) {
            for (int number = 1; number <= kMaxPanelNumber; ++number) {
                const int panel = LoadPanel(0, file, number);
                if (panel < 0) {
                    continue;
                }
                ++panelsSeen;
                checkPanel(file, number, panel, scale);
                DiscardPanel(panel);
                if (QTest::currentTestFailed()) {
                    return;
                }
            }
        }
        QVERIFY(panelsSeen >= 10);
    }

    void letteringReachesReadingSize_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("belowFrontOnly");
        QTest::newRow("information area") << "oscil.uir" << true;
        QTest::newRow("time base dialogs") << "time.uir" << false;
        QTest::newRow("vertical dialogs") << "volt.uir" << false;
        QTest::newRow("display and trigger dialogs") << "opcoes.uir" << false;
        QTest::newRow("channel and input dialogs") << "canais.uir" << false;
        QTest::newRow("generator and its dialogs") << "gerador.uir" << false;
        QTest::newRow("data link") << "ddedemo.uir" << false;
    }

    // At the stored size every caption, read-out, key and scale number is lettered at 15 px or
    // more (capitals 11 px tall), to be read from a seat away. On the main panel this covers
    // what lies below the front picture.
    void letteringReachesReadingSize() {
        QFETCH(QString, file);
        QFETCH(bool, belowFrontOnly);
        constexpr int kReadingPixels = 15;
        int lettered = 0;
        for (int number = 1; number <= kMaxPanelNumber; ++number) {
            const int panel = LoadPanel(0, file.toUtf8().constData(), number);
            if (panel < 0) {
                continue;
            }
            showAtScale(panel, 1.0);
            const int frontBottom = belowFrontOnly
                                        ? intAttribute(panel, PANEL_PICTURE, ATTR_TOP) +
                                              intAttribute(panel, PANEL_PICTURE, ATTR_HEIGHT)
                                        : 0;
            for (const Placed &control : placedControls(panel)) {
                if (!showsLettering(control.kind) || control.logical.top() < frontBottom) {
                    continue;
                }
                ++lettered;
                const int pixels = control.view->font().pixelSize();
                QVERIFY2(pixels >= kReadingPixels,
                         qPrintable(where(file.toStdString(), number, control) +
                                    QString(" is lettered at %1 px").arg(pixels)));
            }
            DiscardPanel(panel);
        }
        QVERIFY(lettered > 0);
    }

    void windowCannotShrinkBelowThreeQuartersNorClipTheFace() {
        const int panel = LoadPanel(0, "oscil.uir", 1);
        QVERIFY(panel > 0);
        QWidget *canvas = showAtScale(panel, 0.3);
        int width = 0;
        GetPanelAttribute(panel, ATTR_WIDTH, &width);
        QVERIFY2(canvas->width() >= std::floor(width * 0.75),
                 qPrintable(QString("canvas %1 px wide").arg(canvas->width())));
    }

private:
    void checkPanel(const std::string &file, int number, int panel, double scale) {
        std::vector<Placed> controls = placedControls(panel);
        // Every text is shown so that its fit is checked; hidden buttons stay out of the hit
        // checks, since a hidden control takes no click.
        for (const Placed &control : controls) {
            SetCtrlAttribute(panel, control.id, ATTR_VISIBLE, 1);
        }
        QWidget *canvas = showAtScale(panel, scale);
        int width = 0;
        int height = 0;
        GetPanelAttribute(panel, ATTR_WIDTH, &width);
        GetPanelAttribute(panel, ATTR_HEIGHT, &height);
        // The face is centred; with the window sized for it there is no margin at all.
        const QRect face(0, 0, static_cast<int>(std::lround(width * scale)),
                         static_cast<int>(std::lround(height * scale)));
        QVERIFY2(std::abs(canvas->width() - face.width()) <= 1 &&
                     std::abs(canvas->height() - face.height()) <= 1,
                 qPrintable(QString("%1 panel %2: canvas %3 x %4, face %5 x %6")
                                .arg(file.c_str())
                                .arg(number)
                                .arg(canvas->width())
                                .arg(canvas->height())
                                .arg(face.width())
                                .arg(face.height())));

        for (const Placed &control : controls) {
            const QRect shown = control.view->geometry();
            const QRectF expected(control.logical.left() * scale, control.logical.top() * scale,
                                  control.logical.width() * scale,
                                  control.logical.height() * scale);
            QVERIFY2(std::abs(shown.left() - expected.left()) <= 1.0 &&
                         std::abs(shown.top() - expected.top()) <= 1.0 &&
                         std::abs(shown.width() - expected.width()) <= 1.0 &&
                         std::abs(shown.height() - expected.height()) <= 1.0,
                     qPrintable(where(file, number, control) + " is not scaled"));
            QVERIFY2(face.adjusted(-1, -1, 1, 1).contains(shown) ||
                         storedWiderThanItsPanel(file, number, control.constant),
                     qPrintable(where(file, number, control) +
                                QString(" at %1,%2 %3 x %4 lies outside its panel")
                                    .arg(shown.x())
                                    .arg(shown.y())
                                    .arg(shown.width())
                                    .arg(shown.height())));
            checkTextFits(file, number, panel, control);
            if (control.kind == CTRL_KNOB) {
                checkKnobLettering(file, number, control);
            }
            if (control.clickable && control.shownAtLoad) {
                QWidget *hit = canvas->childAt(shown.center());
                QVERIFY2(hit == control.view || control.view->isAncestorOf(hit),
                         qPrintable(where(file, number, control) + " is covered at its centre" +
                                    (hit != nullptr ? " by " + hit->objectName() : "")));
            }
        }
        for (std::size_t a = 0; a < controls.size(); ++a) {
            for (std::size_t b = a + 1; b < controls.size(); ++b) {
                if (!controls[a].clickable || !controls[b].clickable || !controls[a].shownAtLoad ||
                    !controls[b].shownAtLoad) {
                    continue;
                }
                QVERIFY2(!controls[a].view->geometry().intersects(controls[b].view->geometry()),
                         qPrintable(where(file, number, controls[a]) + " overlaps " +
                                    controls[b].constant.c_str()));
            }
        }
    }

    /// A knob's end numbers lie whole inside it, clear of each other and of the setting below,
    /// and leave a dial that can still be grasped.
    static void checkKnobLettering(const std::string &file, int number, const Placed &control) {
        const auto *knob = qobject_cast<const KnobView *>(control.view);
        QVERIFY(knob != nullptr);
        const KnobLayout layout = knob->layout();
        const QRectF inside = QRectF(knob->rect()).adjusted(-0.5, -0.5, 0.5, 0.5);
        const QString what = where(file, number, control);
        for (const QRectF &label : layout.endLabels) {
            QVERIFY2(inside.contains(label), qPrintable(what + ": a scale number is cut off"));
            QVERIFY2(!label.intersects(layout.valueBand),
                     qPrintable(what + ": a scale number runs into the setting"));
        }
        QVERIFY2(!layout.endLabels[0].intersects(layout.endLabels[1]),
                 qPrintable(what + ": the scale numbers overlap"));
        QVERIFY2(inside.contains(layout.valueBand), qPrintable(what + ": the setting is cut off"));
        QVERIFY2(
            layout.radius >= QFontMetricsF(knob->font()).height(),
            qPrintable(what +
                       QString(": a dial of radius %1 is too small to grasp").arg(layout.radius)));
    }

    static void checkTextFits(const std::string &file, int number, int panel,
                              const Placed &control) {
        QString text;
        int margin = 0;
        if (control.kind == CTRL_COMMAND_BUTTON || control.kind == CTRL_TOGGLE_BUTTON) {
            auto *button = qobject_cast<QPushButton *>(control.view);
            text = button->text().remove('&');
            QStyleOptionButton option;
            option.initFrom(button);
            margin = button->width() -
                     button->style()
                         ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                         .width();
        } else if (control.kind == CTRL_TEXT_MSG) {
            std::string value;
            GetCtrlVal(panel, control.id, &value);
            text = QString::fromUtf8(Tr(value.c_str()));
        } else {
            return;
        }
        if (text.isEmpty()) {
            return;
        }
        const QFontMetrics metrics(control.view->font());
        const QRect box = control.view->rect().adjusted(0, 0, -margin, 0);
        QRect needed = metrics.boundingRect(box, Qt::TextWordWrap, text);
        // One line is centred in its box: only its ink must fit, not the font's line spacing.
        if (needed.height() < 2 * metrics.lineSpacing()) {
            needed.setHeight(metrics.tightBoundingRect(text).height());
        }
        QVERIFY2(
            needed.width() <= box.width() && needed.height() <= box.height(),
            qPrintable(where(file, number, control) + QString(": \"%1\" needs %2 x %3, box %4 x %5")
                                                          .arg(text)
                                                          .arg(needed.width())
                                                          .arg(needed.height())
                                                          .arg(box.width())
                                                          .arg(box.height())));
    }
};

QTEST_MAIN(TestScaling)
#include "test_scaling.moc"

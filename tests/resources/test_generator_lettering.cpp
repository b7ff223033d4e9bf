// Lettering of the generator's panels and artwork and of the data-link panel at the normal
// size: every text is at least 15 px (capitals of 11 px), and the artwork's texts stay inside
// their picture without running into each other.

#include "app/engine/engine.h"
#include "app/engine/engine_qt.h"
#include "app/engine/engine_testing.h"
#include "tests/common/show_at_scale.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRectF>
#include <QRegularExpression>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include <vector>

namespace {

constexpr int kSmallestPixels = 15;

struct ArtText {
    QString text;
    double fontSize = 0.0;
    QRectF ink; ///< in the picture's user units (stored pixels)
};

/// The offset of a `translate(x,y)` or `translate(x)` transform; false for any other transform.
bool translation(const QString &transform, QPointF &offset) {
    static const QRegularExpression translate(
        QStringLiteral("^\\s*translate\\(\\s*([-0-9.]+)(?:[ ,]+([-0-9.]+))?\\s*\\)\\s*$"));
    const QRegularExpressionMatch m = translate.match(transform);
    if (!m.hasMatch()) {
        return false;
    }
    offset =
        QPointF(m.captured(1).toDouble(), m.captured(2).isEmpty() ? 0.0 : m.captured(2).toDouble());
    return true;
}

QRectF inkOf(const QXmlStreamAttributes &a, const QString &text, QPointF offset) {
    QFont font(a.value("font-family").toString());
    const double size = a.value("font-size").toDouble();
    font.setPixelSize(static_cast<int>(size));
    font.setBold(a.value("font-weight") == QLatin1String("bold"));
    const QFontMetricsF metrics(font);
    const double advance = metrics.horizontalAdvance(text);
    double x = a.value("x").toDouble() + offset.x();
    if (a.value("text-anchor") == QLatin1String("middle")) {
        x -= advance / 2.0;
    } else if (a.value("text-anchor") == QLatin1String("end")) {
        x -= advance;
    }
    return metrics.tightBoundingRect(text).translated(x, a.value("y").toDouble() + offset.y());
}

/// Reads every <text> of an SVG file with its placement; `box` gets the viewBox. Fails the
/// running test on a file that cannot be read or a transform that is not a translation.
std::vector<ArtText> artTexts(const QString &path, QRectF &box) {
    std::vector<ArtText> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable("cannot read " + path), __FILE__, __LINE__);
        return texts;
    }
    QXmlStreamReader xml(&file);
    std::vector<QPointF> offsets{QPointF()};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
            offsets.pop_back();
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            const QStringList v = a.value("viewBox").toString().split(' ', Qt::SkipEmptyParts);
            if (v.size() == 4) {
                box = QRectF(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble());
            }
        } else if (xml.name() == QLatin1String("g")) {
            QPointF offset;
            if (a.hasAttribute("transform") &&
                !translation(a.value("transform").toString(), offset)) {
                QTest::qFail(
                    qPrintable(path + ": a group with a transform other than a translation"),
                    __FILE__, __LINE__);
                return texts;
            }
            offsets.push_back(offsets.back() + offset);
        } else if (xml.name() == QLatin1String("text")) {
            ArtText entry;
            entry.fontSize = a.value("font-size").toDouble();
            entry.text = xml.readElementText();
            entry.ink = inkOf(a, entry.text, offsets.back());
            texts.push_back(entry);
        }
    }
    if (xml.hasError()) {
        QTest::qFail(qPrintable(path + ": " + xml.errorString()), __FILE__, __LINE__);
    }
    return texts;
}

QString describe(const ArtText &t) {
    return QString("\"%1\" (%2 px) at %3,%4 %5 x %6")
        .arg(t.text)
        .arg(t.fontSize)
        .arg(t.ink.x())
        .arg(t.ink.y())
        .arg(t.ink.width())
        .arg(t.ink.height());
}

int controlCount(int panel) {
    int count = 0;
    GetPanelAttribute(panel, ATTR_NUM_CTRLS, &count);
    return count;
}

bool showsText(int kind) {
    switch (kind) {
    case CTRL_COMMAND_BUTTON:
    case CTRL_TOGGLE_BUTTON:
    case CTRL_TEXT_MSG:
    case CTRL_NUMERIC:
    case CTRL_STRING:
    case CTRL_TEXT_BOX:
        return true;
    default:
        return false;
    }
}

/// The waveform keys carry no caption: their pictures name them.
bool isBlankButton(const QWidget *view) {
    const auto *button = qobject_cast<const QAbstractButton *>(view);
    return button != nullptr && button->text().isEmpty();
}

} // namespace

class GeneratorLetteringTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(InitCVIRTE(nullptr, nullptr, nullptr), 1); }
    void cleanup() { EngineReset(); }

    void artworkTextsAreLargeAndInside_data() {
        QTest::addColumn<QString>("path");
        const QDir art(QDir(qEnvironmentVariable("VANTREL_RESOURCE_DIR")).filePath("art"));
        const QStringList files =
            art.entryList({"generator_*.svg", "wave_*.svg", "emblem_*.svg"}, QDir::Files);
        QVERIFY2(files.size() >= 12, qPrintable(art.path()));
        for (const QString &name : files) {
            QTest::newRow(qPrintable(name)) << art.filePath(name);
        }
    }

    void artworkTextsAreLargeAndInside() {
        QFETCH(QString, path);
        QRectF box;
        const std::vector<ArtText> texts = artTexts(path, box);
        QVERIFY(!box.isEmpty());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const ArtText &t = texts[i];
            QVERIFY2(t.fontSize >= kSmallestPixels, qPrintable(describe(t)));
            QVERIFY2(box.contains(t.ink), qPrintable(describe(t) + " leaves the picture"));
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                QVERIFY2(!t.ink.intersects(texts[j].ink),
                         qPrintable(describe(t) + " runs into " + describe(texts[j])));
            }
        }
    }

    void panelTextsAreLarge_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("number");
        for (int number = 1; number <= 6; ++number) {
            QTest::newRow(qPrintable(QString("gerador.uir %1").arg(number)))
                << QString("gerador.uir") << number;
        }
        QTest::newRow("ddedemo.uir 1") << QString("ddedemo.uir") << 1;
    }

    void panelTextsAreLarge() {
        QFETCH(QString, file);
        QFETCH(int, number);
        const int panel = LoadPanel(0, qPrintable(file), number);
        QVERIFY2(panel > 0, GetEngineErrorText());
        showAtScale(panel, 1.0);
        int checked = 0;
        for (int id = 2; id < controlCount(panel) + 2; ++id) {
            int kind = 0;
            GetCtrlAttribute(panel, id, ATTR_CTRL_KIND, &kind);
            QWidget *view = EngineControlWidget(panel, id);
            if (!showsText(kind) || view == nullptr || isBlankButton(view)) {
                continue;
            }
            ++checked;
            std::string constant;
            GetCtrlAttribute(panel, id, ATTR_CONSTANT_NAME, &constant);
            const int pixels = QFontInfo(view->font()).pixelSize();
            QVERIFY2(pixels >= kSmallestPixels, qPrintable(QString("%1 panel %2 %3: %4 px")
                                                               .arg(file)
                                                               .arg(number)
                                                               .arg(constant.c_str())
                                                               .arg(pixels)));
        }
        QVERIFY(checked > 0);
    }
};

QTEST_MAIN(GeneratorLetteringTest)
#include "test_generator_lettering.moc"

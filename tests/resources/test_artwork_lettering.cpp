// The lettering of the front-panel and generator artwork, measured as Qt lays it out: every
// text is printed at least 15 px high (capitals of 11 px at the stored size), lies wholly
// inside its picture, overlaps no other text, and on the front plate is not hidden under a
// control.

#include "tests/common/svg_texts.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineF>
#include <QRectF>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace {

constexpr double kMinimumFontSize = 15.0;

QDir artFolder() {
    return QDir(QDir(qEnvironmentVariable("VANTREL_RESOURCE_DIR")).filePath("art"));
}

/// Rectangles that touch only along an edge (within a tenth of a pixel) do not overlap.
bool overlap(const QRectF &a, const QRectF &b) {
    return a.adjusted(0.1, 0.1, -0.1, -0.1).intersects(b.adjusted(0.1, 0.1, -0.1, -0.1));
}

} // namespace

class ArtworkLetteringTest : public QObject {
    Q_OBJECT
private slots:
    void textsAreLargeInsideAndApart_data();
    void textsAreLargeInsideAndApart();
    void plateLegendsAreNotUnderAControl();
};

void ArtworkLetteringTest::textsAreLargeInsideAndApart_data() {
    QTest::addColumn<QString>("path");
    const QDir art = artFolder();
    // The front and the pictures laid over it.
    QStringList files{"front.svg",          "calibrator.svg",   "component_tester.svg",
                      "ext_trig.svg",       "mode_buttons.svg", "trig_selector.svg",
                      "tvsep_selector.svg", "power_switch.svg", "knob_large.svg",
                      "knob_small.svg",     "push_button.svg",  "bnc_socket.svg",
                      "coupling_switch.svg"};
    // The generator's front and its pictures.
    const QStringList generator =
        art.entryList({"generator_*.svg", "wave_*.svg", "emblem_*.svg"}, QDir::Files);
    QVERIFY2(generator.size() >= 12, qPrintable(art.path()));
    files += generator;
    // The experiment boards' schematics.
    files += art.entryList({"board_*.svg"}, QDir::Files);
    for (const QString &name : files) {
        QTest::newRow(qPrintable(name)) << art.filePath(name);
    }
}

void ArtworkLetteringTest::textsAreLargeInsideAndApart() {
    QFETCH(QString, path);
    QRectF box;
    const std::vector<ArtText> texts = svgTexts(path, box);
    QVERIFY2(!box.isEmpty(), qPrintable(path + " has no view box"));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const ArtText &t = texts[i];
        QVERIFY2(t.fontSize >= kMinimumFontSize, qPrintable(describe(t)));
        QVERIFY2(box.contains(t.ink), qPrintable(describe(t) + " is clipped"));
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            QVERIFY2(!overlap(t.ink, texts[j].ink),
                     qPrintable(describe(t) + " overlaps " + describe(texts[j])));
        }
    }
}

void ArtworkLetteringTest::plateLegendsAreNotUnderAControl() {
    // The plate lies below every control: a legend under a control's picture would be covered.
    // A knob covers only its round face, other pictures their whole rectangle.
    QFile file(QDir(qEnvironmentVariable("VANTREL_RESOURCE_DIR")).filePath("oscil.uir"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray panels = QJsonDocument::fromJson(file.readAll())["panels"].toArray();
    QVERIFY(!panels.isEmpty());
    QRectF plateBox;
    const std::vector<ArtText> plate = svgTexts(artFolder().filePath("front.svg"), plateBox);
    QVERIFY(!plate.empty());
    int pictures = 0;
    for (const QJsonValue c : panels[0]["controls"].toArray()) {
        if (c["kind"].toString() != QLatin1String("picture") || c["background"].toBool()) {
            continue;
        }
        ++pictures;
        const QRectF area(c["left"].toDouble(), c["top"].toDouble(), c["width"].toDouble(),
                          c["height"].toDouble());
        const bool round = c["image"].toString().contains(QLatin1String("knob"));
        const double radius = std::min(area.width(), area.height()) / 2.0;
        for (const ArtText &legend : plate) {
            const QString where = describe(legend) + " under " + c["constant"].toString();
            if (round) {
                const QPointF centre = area.center();
                const QPointF nearest(
                    std::clamp(centre.x(), legend.ink.left(), legend.ink.right()),
                    std::clamp(centre.y(), legend.ink.top(), legend.ink.bottom()));
                QVERIFY2(QLineF(centre, nearest).length() >= radius, qPrintable(where));
            } else {
                QVERIFY2(!overlap(legend.ink, area), qPrintable(where));
            }
        }
    }
    QVERIFY(pictures > 20);
}

QTEST_MAIN(ArtworkLetteringTest)
#include "test_artwork_lettering.moc"

// The lettering of the oscilloscope's front artwork, measured as Qt lays it out: every legend
// is printed at least 15 px high (capitals of 11 px at the stored size), lies wholly inside its
// picture, overlaps no other legend, and on the front plate is not hidden under a control.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineF>
#include <QRectF>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace {

constexpr double kMinimumFontSize = 15.0;

struct Legend {
    QString text;
    double fontSize = 0.0;
    QRectF box; ///< ink of the glyphs, in the artwork's user units
};

struct Artwork {
    QRectF viewBox;
    std::vector<Legend> legends;
};

QRectF inkOf(const QString &text, double x, double y, double size, bool bold,
             const QString &anchor) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(size));
    font.setBold(bold);
    const QFontMetricsF metrics(font);
    const double advance = metrics.horizontalAdvance(text);
    const double shift = anchor == QLatin1String("middle") ? advance / 2.0
                         : anchor == QLatin1String("end")  ? advance
                                                           : 0.0;
    return metrics.tightBoundingRect(text).translated(x - shift, y);
}

Artwork readArtwork(const QString &file) {
    Artwork art;
    QFile in(QDir(qEnvironmentVariable("VANTREL_RESOURCE_DIR")).filePath(file));
    if (!in.open(QIODevice::ReadOnly)) {
        return art;
    }
    QXmlStreamReader xml(&in);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement()) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            const QStringList v = a.value(QStringLiteral("viewBox")).toString().split(' ');
            if (v.size() == 4) {
                art.viewBox =
                    QRectF(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble());
            }
        } else if (xml.name() == QLatin1String("text")) {
            Legend legend;
            legend.fontSize = a.value(QStringLiteral("font-size")).toDouble();
            const double x = a.value(QStringLiteral("x")).toDouble();
            const double y = a.value(QStringLiteral("y")).toDouble();
            const bool bold = a.value(QStringLiteral("font-weight")) == QLatin1String("bold");
            const QString anchor = a.value(QStringLiteral("text-anchor")).toString();
            legend.text = xml.readElementText();
            legend.box = inkOf(legend.text, x, y, legend.fontSize, bold, anchor);
            art.legends.push_back(legend);
        }
    }
    return art;
}

QString describe(const Legend &legend) {
    const QRectF &b = legend.box;
    return QStringLiteral("\"%1\" at %2,%3 %4x%5")
        .arg(legend.text)
        .arg(b.x(), 0, 'f', 1)
        .arg(b.y(), 0, 'f', 1)
        .arg(b.width(), 0, 'f', 1)
        .arg(b.height(), 0, 'f', 1);
}

/// Rectangles that touch only along an edge (within a tenth of a pixel) do not overlap.
bool overlap(const QRectF &a, const QRectF &b) {
    return a.adjusted(0.1, 0.1, -0.1, -0.1).intersects(b.adjusted(0.1, 0.1, -0.1, -0.1));
}

} // namespace

class FrontLetteringTest : public QObject {
    Q_OBJECT
private slots:
    void legendsAreLargeInsideAndApart_data();
    void legendsAreLargeInsideAndApart();
    void plateLegendsAreNotUnderAControl();
};

void FrontLetteringTest::legendsAreLargeInsideAndApart_data() {
    QTest::addColumn<QString>("file");
    for (const char *name :
         {"front.svg", "calibrator.svg", "component_tester.svg", "ext_trig.svg", "mode_buttons.svg",
          "trig_selector.svg", "tvsep_selector.svg", "power_switch.svg", "knob_large.svg",
          "knob_small.svg", "push_button.svg", "bnc_socket.svg", "coupling_switch.svg"}) {
        QTest::newRow(name) << QStringLiteral("art/%1").arg(QLatin1String(name));
    }
}

void FrontLetteringTest::legendsAreLargeInsideAndApart() {
    QFETCH(QString, file);
    const Artwork art = readArtwork(file);
    QVERIFY2(!art.viewBox.isEmpty(), qPrintable(file + " has no view box"));
    for (std::size_t i = 0; i < art.legends.size(); ++i) {
        const Legend &legend = art.legends[i];
        QVERIFY2(legend.fontSize >= kMinimumFontSize, qPrintable(describe(legend)));
        QVERIFY2(art.viewBox.contains(legend.box), qPrintable(describe(legend) + " is clipped"));
        for (std::size_t j = i + 1; j < art.legends.size(); ++j) {
            QVERIFY2(!overlap(legend.box, art.legends[j].box),
                     qPrintable(describe(legend) + " overlaps " + describe(art.legends[j])));
        }
    }
}

void FrontLetteringTest::plateLegendsAreNotUnderAControl() {
    // The plate lies below every control: a legend under a control's picture would be covered.
    // A knob covers only its round face, other pictures their whole rectangle.
    QFile file(QDir(qEnvironmentVariable("VANTREL_RESOURCE_DIR")).filePath("oscil.uir"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray panels = QJsonDocument::fromJson(file.readAll())["panels"].toArray();
    QVERIFY(!panels.isEmpty());
    const Artwork plate = readArtwork(QStringLiteral("art/front.svg"));
    QVERIFY(!plate.legends.empty());
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
        for (const Legend &legend : plate.legends) {
            const QString where = describe(legend) + " under " + c["constant"].toString();
            if (round) {
                const QPointF centre = area.center();
                const QPointF nearest(
                    std::clamp(centre.x(), legend.box.left(), legend.box.right()),
                    std::clamp(centre.y(), legend.box.top(), legend.box.bottom()));
                QVERIFY2(QLineF(centre, nearest).length() >= radius, qPrintable(where));
            } else {
                QVERIFY2(!overlap(legend.box, area), qPrintable(where));
            }
        }
    }
    QVERIFY(pictures > 20);
}

QTEST_MAIN(FrontLetteringTest)
#include "test_front_lettering.moc"

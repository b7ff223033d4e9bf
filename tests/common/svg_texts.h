#pragma once
/// The texts of an SVG picture as Qt lays them out: each with its font size and the box its
/// glyphs' ink takes, in the picture's user units (stored pixels). Groups may shift their
/// contents with a translation; any other transform fails the running test.

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>
#include <QtTest>

#include <vector>

struct ArtText {
    QString text;
    double fontSize = 0.0;
    QRectF ink;
};

/// The offset of a `translate(x,y)` or `translate(x)` transform; false for any other transform.
inline bool svgTranslation(const QString &transform, QPointF &offset) {
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

inline QRectF svgTextInk(const QXmlStreamAttributes &a, const QString &text, QPointF offset) {
    QFont font(a.value("font-family").isEmpty() ? QStringLiteral("DejaVu Sans")
                                                : a.value("font-family").toString());
    font.setPixelSize(qRound(a.value("font-size").toDouble()));
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
/// running test on a file that cannot be read or parsed.
inline std::vector<ArtText> svgTexts(const QString &path, QRectF &box) {
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
                !svgTranslation(a.value("transform").toString(), offset)) {
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
            entry.ink = svgTextInk(a, entry.text, offsets.back());
            texts.push_back(entry);
        }
    }
    if (xml.hasError()) {
        QTest::qFail(qPrintable(path + ": " + xml.errorString()), __FILE__, __LINE__);
    }
    return texts;
}

inline QString describe(const ArtText &t) {
    return QStringLiteral("\"%1\" (%2 px) at %3,%4 %5 x %6")
        .arg(t.text)
        .arg(t.fontSize)
        .arg(t.ink.x(), 0, 'f', 1)
        .arg(t.ink.y(), 0, 'f', 1)
        .arg(t.ink.width(), 0, 'f', 1)
        .arg(t.ink.height(), 0, 'f', 1);
}

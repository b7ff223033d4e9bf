#include "engine/view_format.h"

#include "engine/install_paths.h"
#include "engine/si_format.h"
#include "engine/translators.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

QString QText(const std::string &text) {
    return QString::fromStdString(text);
}

QString QText(const char *text) {
    return QString::fromUtf8(text != nullptr ? text : "");
}

QString ResourcePath(const std::string &fileName) {
    return QDir(ResourceDirectoryPath()).filePath(QText(fileName));
}

QColor ColourOf(const std::string &name) {
    return name.empty() ? QColor() : QColor(QText(name));
}

/// The control's font at the panel's scale. Sizes are fixed in pixels (points at 96 dpi), so
/// that text keeps its place in the stored layout on screens of any resolution.
QFont FontOf(const ControlSpec &definition, const QFont &base, double scale) {
    QFont font = base;
    double pixels = base.pixelSize() > 0 ? base.pixelSize() : base.pointSizeF() * 96.0 / 72.0;
    if (definition.fontSize > 0) {
        pixels = definition.fontSize * 96.0 / 72.0;
    }
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * scale))));
    font.setBold(definition.bold);
    return font;
}

// The same font in a fixed-pitch face, for text boxes that hold tables or indented text.
QFont FixedPitchFont(QFont font) {
    font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// Text boxes grow by appending (help pages, status logs): only the new tail is inserted, and
// the view follows it to the newest line. Any other change shows the text from its top.
void ShowTextBoxText(QPlainTextEdit *edit, const QString &wanted) {
    const QString shown = edit->toPlainText();
    if (shown == wanted) {
        return;
    }
    if (!wanted.startsWith(shown)) {
        edit->setPlainText(wanted);
        return;
    }
    QTextCursor end(edit->document());
    end.movePosition(QTextCursor::End);
    end.insertText(wanted.mid(shown.size()));
    QScrollBar *bar = edit->verticalScrollBar();
    bar->setValue(bar->maximum());
}

int DecimalsFor(const Control &control) {
    if (control.definition.dataType == VAL_INTEGER || control.increment <= 0.0) {
        return 0;
    }
    const double digits = -std::floor(std::log10(control.increment) + 1e-9);
    return std::clamp(static_cast<int>(digits), 0, 6);
}

/// `value` rounded to `digits` significant digits, as a panel meter shows it: plain decimals
/// without trailing zeros ("1.414", "2000000", "0.001") from 0.001 up to ten million, the

namespace {

QString meterText(double value, int digits) {
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    // Round first: 9.9996 becomes 10.00, which moves the decimal point.
    const double rounded = QString::number(value, 'e', digits - 1).toDouble();
    const double magnitude = std::abs(rounded);
    if (magnitude == 0.0) {
        return QStringLiteral("0");
    }
    if (magnitude < 1e-3 || magnitude >= 1e7) {
        return QString::number(rounded, 'g', digits);
    }
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    QString text = QString::number(rounded, 'f', std::max(0, digits - 1 - exponent));
    if (text.contains('.')) {
        while (text.endsWith('0')) {
            text.chop(1);
        }
        if (text.endsWith('.')) {
            text.chop(1);
        }
    }
    return text;
}

} // namespace

QString NumberText(const Control &control) {
    if (control.definition.dataType == VAL_INTEGER) {
        return QString::number(static_cast<long long>(std::llround(control.number)));
    }
    if (control.definition.siPrefix) {
        constexpr int kMeterDigits = 4;
        const int digits = control.definition.significantDigits > 0
                               ? control.definition.significantDigits
                               : kMeterDigits;
        return QString::fromStdString(vantrel::SiFormat(control.number, digits).figure);
    }
    if (control.definition.significantDigits > 0) {
        return meterText(control.number, control.definition.significantDigits);
    }
    // Plain decimals read best on a panel meter ("2000000", "0.001"); only very large or very
    // small magnitudes, and infinities, fall back to the exponent form.
    const double value = control.number;
    const double magnitude = std::abs(value);
    if (!std::isfinite(value) || (magnitude != 0.0 && (magnitude < 1e-4 || magnitude >= 1e9))) {
        return QString::number(value, 'g', 6);
    }
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QStringList ItemLabels(const Control &control) {
    QStringList labels;
    for (const ItemSpec &item : control.items) {
        labels << ShownText(item.label);
    }
    return labels;
}

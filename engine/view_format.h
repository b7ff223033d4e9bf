#pragma once
/// How the model reads on the widgets: text, resource paths, colours, fonts at the panel's
/// scale, numbers as a panel meter shows them, and the labels of a control's items.

#include "engine/model.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <string>

class QPlainTextEdit;

QString QText(const std::string &text);
/// A null pointer reads as empty text.
QString QText(const char *text);
/// A file of the resource folder.
QString ResourcePath(const std::string &fileName);
/// An invalid colour for an empty name (the widget's own colour).
QColor ColourOf(const std::string &name);
QFont FontOf(const ControlSpec &definition, const QFont &base, double scale);
QFont FixedPitchFont(QFont font);
void ShowTextBoxText(QPlainTextEdit *edit, const QString &wanted);
/// Decimals that a knob shows for its increment.
int DecimalsFor(const Control &control);
QString NumberText(const Control &control);
QStringList ItemLabels(const Control &control);

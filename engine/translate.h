#pragma once
/// Marking and translating the program's texts without Qt.
///
/// `QT_TRANSLATE_NOOP("Vantrel", "texto")` marks a Portuguese source text for lupdate and is the
/// plain string at run time. The engine translates the texts it shows (labels, messages,
/// tooltips, menus); code that formats a text itself passes the format through `Tr` first.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

/// The current language's text for a marked Portuguese source text (the source itself while the
/// program speaks Portuguese, or when no translation exists). The result lives as long as the
/// program.
const char *Tr(const char *source);

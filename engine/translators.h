#pragma once
/// The translators behind the program's language (Qt side of language.h and translate.h).

#include <QString>

#include <string>

/// The English of a Portuguese source text in the context "Vantrel"; a null string when the
/// program speaks Portuguese or the catalogue has no finished entry for it.
QString TranslatedText(const char *source);

/// The text that the engine shows for a source text: its translation when there is one,
/// otherwise the text itself (UTF-8).
QString ShownText(const char *source);
QString ShownText(const std::string &source);

/// Installs in the running application the translators of the current language: ours for
/// English, Qt's own Portuguese catalogues for Portuguese (so its dialogs speak the program's
/// language). Does nothing before the application object exists.
void InstallUiTranslators();

#pragma once
/// The interface language: the user's remembered choice, the --lang option that overrides it
/// for one run, and the menu items "Sobre" -> "Idioma / Language" that change it.

#include "engine/language.h"

#include <QString>

#include <optional>

/// The language named on the command line ("pt" or "en"); empty for any other name.
std::optional<UiLanguage> UiLanguageNamed(const QString &name);

/// The language the user chose in the menu, remembered per user (XDG configuration:
/// vantrel/vantrel.conf); Portuguese when none was chosen. The system locale plays no part.
UiLanguage RememberedUiLanguage();

/// Remembers `language` for the next starts; false when the setting could not be written.
bool RememberUiLanguage(UiLanguage language);

/// The menu items: remember the choice, which applies at the next start, and say so.
void Idioma_pt(int menuBar, int menuItem, void *callbackData, int panel);
void Idioma_en(int menuBar, int menuItem, void *callbackData, int panel);

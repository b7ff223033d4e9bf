#pragma once
/// The language the program speaks. Portuguese unless the user chose English; the system locale
/// never switches it, so a lab PC set to English still starts in Portuguese.

enum class UiLanguage { Portuguese, English };

/// The language chosen at start-up (or since, by the menu).
UiLanguage CurrentUiLanguage();

/// Chooses the language; the caller is the frame (command line, remembered choice, menu).
void SetUiLanguage(UiLanguage language);

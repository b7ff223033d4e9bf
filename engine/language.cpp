#include "engine/language.h"

namespace {
UiLanguage chosenLanguage = UiLanguage::Portuguese;
}

UiLanguage CurrentUiLanguage() {
    return chosenLanguage;
}

void SetUiLanguage(UiLanguage language) {
    chosenLanguage = language;
}

#include "app/language_choice.h"

#include "engine/engine.h"
#include "engine/translate.h"

#include <QSettings>

namespace {

constexpr char kKey[] = "interface/language";

QSettings userSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vantrel"),
                     QStringLiteral("vantrel"));
}

QString codeOf(UiLanguage language) {
    return language == UiLanguage::English ? QStringLiteral("en") : QStringLiteral("pt");
}

void choose(UiLanguage language) {
    if (!RememberUiLanguage(language)) {
        MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Idioma / Language"),
                     QT_TRANSLATE_NOOP("Vantrel",
                                       "Não foi possível guardar a escolha do idioma: verifique "
                                       "as permissões da pasta de configuração "
                                       "(~/.config/vantrel).\nThe language choice could not be "
                                       "saved: check the permissions of the configuration "
                                       "folder (~/.config/vantrel)."));
        return;
    }
    // Both languages: whoever chose may not read the one the program speaks now.
    MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Idioma / Language"),
                 language == UiLanguage::English
                     ? QT_TRANSLATE_NOOP("Vantrel",
                                         "O programa falará inglês a partir do próximo arranque.\n"
                                         "The program will speak English from its next start.")
                     : QT_TRANSLATE_NOOP("Vantrel",
                                         "O programa falará português a partir do próximo "
                                         "arranque.\nThe program will speak Portuguese from its "
                                         "next start."));
}

} // namespace

std::optional<UiLanguage> UiLanguageNamed(const QString &name) {
    if (name == u"pt") {
        return UiLanguage::Portuguese;
    }
    if (name == u"en") {
        return UiLanguage::English;
    }
    return std::nullopt;
}

UiLanguage RememberedUiLanguage() {
    const QString code = userSettings().value(QString::fromLatin1(kKey)).toString();
    return UiLanguageNamed(code).value_or(UiLanguage::Portuguese);
}

bool RememberUiLanguage(UiLanguage language) {
    QSettings settings = userSettings();
    settings.setValue(QString::fromLatin1(kKey), codeOf(language));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void Idioma_pt(int, int, void *, int) {
    choose(UiLanguage::Portuguese);
}

void Idioma_en(int, int, void *, int) {
    choose(UiLanguage::English);
}

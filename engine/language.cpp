#include "engine/language.h"

#include "engine/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <string>
#include <vector>

namespace {

UiLanguage chosenLanguage = UiLanguage::Portuguese;

/// The English catalogue, built from i18n/vantrel_en.ts and embedded in the program. Loaded on
/// first use, so that texts translate even before an application object exists.
QTranslator *englishCatalogue() {
    static const std::unique_ptr<QTranslator> catalogue = [] {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QStringLiteral(":/i18n/vantrel_en.qm"))) {
            return std::unique_ptr<QTranslator>();
        }
        return translator;
    }();
    return catalogue.get();
}

/// Qt's own Portuguese: the European catalogue first, the Brazilian one for what it lacks
/// (the European one does not cover every dialog). A file missing is skipped.
std::vector<std::unique_ptr<QTranslator>> qtPortuguese() {
    std::vector<std::unique_ptr<QTranslator>> translators;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Installed last is searched first.
    for (const char *name : {"qtbase_pt_BR", "qt_pt_PT", "qtbase_pt"}) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(QString::fromLatin1(name), folder)) {
            translators.push_back(std::move(translator));
        }
    }
    return translators;
}

/// The translators installed in the application now.
std::vector<std::unique_ptr<QTranslator>> &installed() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

} // namespace

UiLanguage CurrentUiLanguage() {
    return chosenLanguage;
}

void SetUiLanguage(UiLanguage language) {
    chosenLanguage = language;
    InstallUiTranslators();
}

void InstallUiTranslators() {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    for (const auto &translator : installed()) {
        QCoreApplication::removeTranslator(translator.get());
    }
    installed().clear();
    if (chosenLanguage == UiLanguage::Portuguese) {
        installed() = qtPortuguese();
        for (const auto &translator : installed()) {
            QCoreApplication::installTranslator(translator.get());
        }
    }
}

QString TranslatedText(const char *source) {
    if (chosenLanguage == UiLanguage::Portuguese || source == nullptr) {
        return {};
    }
    const QTranslator *catalogue = englishCatalogue();
    if (catalogue == nullptr) {
        return {};
    }
    const QString translated = catalogue->translate("Vantrel", source);
    return translated.isEmpty() ? QString() : translated;
}

QString ShownText(const char *source) {
    if (source == nullptr) {
        return {};
    }
    const QString translated = TranslatedText(source);
    return translated.isNull() ? QString::fromUtf8(source) : translated;
}

QString ShownText(const std::string &source) {
    return ShownText(source.c_str());
}

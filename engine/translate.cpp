#include "engine/translate.h"

#include "engine/language.h"
#include "engine/translators.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <unordered_map>

namespace {

/// The translated texts handed out so far, by source text: each stays in place for the whole
/// run, so the pointers Tr returns never dangle.
std::unordered_map<std::string, std::string> &handedOut() {
    static std::unordered_map<std::string, std::string> texts;
    return texts;
}

} // namespace

const char *Tr(const char *source) {
    if (source == nullptr || *source == '\0' || CurrentUiLanguage() == UiLanguage::Portuguese) {
        return source;
    }
    const QString translated = TranslatedText(source);
    if (translated.isNull()) {
        return source;
    }
    auto &texts = handedOut();
    const auto [entry, added] = texts.try_emplace(source);
    if (added) {
        entry->second = translated.toStdString();
    }
    return entry->second.c_str();
}

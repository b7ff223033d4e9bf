#include "engine/local_link_loader.h"

#include "engine/translate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

// Path from the executable's folder to the module folder, set by the build for the chosen
// install layout ("." when everything lives in one folder).
#ifndef VANTREL_MODULE_FROM_BIN
#define VANTREL_MODULE_FROM_BIN "."
#endif

namespace {

/// The module's file: in the install's module folder, or beside the program when it is only
/// there (the build tree's stage).
QString moduleFilePath() {
    if (!qEnvironmentVariableIsEmpty(kLocalLinkVariable)) {
        return qEnvironmentVariable(kLocalLinkVariable);
    }
    const QDir program(QCoreApplication::applicationDirPath());
    const QString name = QString::fromUtf8(kLocalLinkModuleName);
    const QString installed = QDir::cleanPath(
        program.filePath(QStringLiteral(VANTREL_MODULE_FROM_BIN) + QLatin1Char('/') + name));
    const QString beside = program.filePath(name);
    return QFileInfo::exists(beside) && !QFileInfo::exists(installed) ? beside : installed;
}

} // namespace

const LocalLinkApi *LoadLocalLink(std::string &why) {
    static const LocalLinkApi *loaded = nullptr;
    if (loaded != nullptr) {
        return loaded;
    }
    const QString path = moduleFilePath();
    const std::string named = path.toStdString() + ": ";
    if (!QFileInfo(path).isFile()) {
        why = named +
              QT_TRANSLATE_NOOP("Vantrel", "módulo de comunicação em falta; reinstale o programa.");
        return nullptr;
    }
    // Never unloaded: the sockets it made may outlive any one conversation.
    static QLibrary library;
    library.setFileName(path);
    const auto entry = reinterpret_cast<LocalLinkEntry>(library.resolve(kLocalLinkEntryName));
    const LocalLinkApi *api = entry != nullptr ? entry() : nullptr;
    if (api == nullptr || api->version != kLocalLinkVersion) {
        qWarning().noquote() << "vantrel:" << path
                             << (api == nullptr ? library.errorString()
                                                : QStringLiteral("another build's module"));
        why = named +
              QT_TRANSLATE_NOOP("Vantrel", "módulo de comunicação inválido; reinstale o programa.");
        return nullptr;
    }
    loaded = api;
    return loaded;
}

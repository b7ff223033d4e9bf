// Where the program writes the user's files, and writing them safely.

#include "engine/engine.h"
#include "engine/install_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>

int GetUserFileDir(char directory[], int size) {
    if (directory == nullptr || size <= 0) {
        return kEngineBadValue;
    }
    directory[0] = '\0';
    if (QCoreApplication::instance() == nullptr) {
        return kEngineNotInitialised;
    }
    QString chosen = ProgramDirectoryPath();
    if (!IsWritableDirectory(chosen)) {
        chosen = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        if (chosen.isEmpty() || !QDir().mkpath(chosen)) {
            return kEngineFileNotFound;
        }
    }
    const QByteArray bytes = QDir::toNativeSeparators(chosen).toUtf8();
    if (bytes.size() >= size) {
        return kEngineBadValue;
    }
    std::memcpy(directory, bytes.constData(), static_cast<std::size_t>(bytes.size()) + 1);
    return kEngineOk;
}

namespace {

/// Removes what saves killed midway left beside `target`: their temporaries, named after the
/// file with a dot and six letters or digits ("memo.dat.aB3xZ9"). Any other file stays.
void removeStaleTemporaries(const QString &target) {
    const QFileInfo info(target);
    const QRegularExpression own(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir folder = info.dir();
    const QStringList candidates =
        folder.entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QString &name : candidates) {
        if (own.match(name).hasMatch()) {
            folder.remove(name);
        }
    }
}

} // namespace

int WriteFileAtomically(const char *path, const void *data, int size) {
    if (path == nullptr || data == nullptr || size < 0) {
        return kEngineBadValue;
    }
    QSaveFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return kEngineFileNotFound;
    }
    if (file.write(static_cast<const char *>(data), size) != size) {
        file.cancelWriting();
        return kEngineFileDamaged;
    }
    if (!file.commit()) {
        return kEngineFileDamaged;
    }
    removeStaleTemporaries(QString::fromUtf8(path));
    return kEngineOk;
}

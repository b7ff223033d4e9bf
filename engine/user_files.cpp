// Where the program writes the user's files, and writing them safely.

#include "engine/engine.h"
#include "engine/install_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
    return file.commit() ? kEngineOk : kEngineFileDamaged;
}

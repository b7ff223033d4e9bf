#include "engine/install_paths.h"

#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "engine/model.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryFile>

#include <cstring>

// Paths from the executable's folder to the data and helper folders, set by the build for the
// chosen install layout ("." when everything lives in one folder).
#ifndef VANTREL_DATA_FROM_BIN
#define VANTREL_DATA_FROM_BIN "."
#endif
#ifndef VANTREL_LIBEXEC_FROM_BIN
#define VANTREL_LIBEXEC_FROM_BIN "."
#endif
// Name of the desktop entry (without ".desktop") and of the installed icon.
#ifndef VANTREL_APP_ID
#define VANTREL_APP_ID "vantrel"
#endif

namespace {

/// A file that every installed data folder holds: it tells a data folder from a stray one.
constexpr const char *kMarkerFile = "oscil.uir";

QString cleanJoin(const QString &base, const char *relative) {
    return QDir::cleanPath(QDir(base).filePath(QString::fromUtf8(relative)));
}

int copyPath(const QString &path, char directory[260]) {
    const std::string text = QDir::toNativeSeparators(path).toStdString();
    if (directory == nullptr) {
        return kEngineBadValue;
    }
    if (text.size() >= 260) {
        directory[0] = '\0';
        return kEngineBadValue;
    }
    std::memcpy(directory, text.c_str(), text.size() + 1);
    return kEngineOk;
}

} // namespace

QString ProgramDirectoryPath() {
    const EngineState &engine = Engine();
    if (engine.programDir) {
        return QDir::cleanPath(QString::fromStdString(*engine.programDir));
    }
    return QCoreApplication::applicationDirPath();
}

QString ResourceDirectoryPath() {
    const EngineState &engine = Engine();
    if (engine.resourceDir) {
        return QString::fromStdString(*engine.resourceDir);
    }
    if (qEnvironmentVariableIsSet("VANTREL_RESOURCE_DIR")) {
        return qEnvironmentVariable("VANTREL_RESOURCE_DIR");
    }
    const QString program = ProgramDirectoryPath();
    const QString installed = cleanJoin(program, VANTREL_DATA_FROM_BIN);
    if (QFileInfo::exists(QDir(installed).filePath(QString::fromUtf8(kMarkerFile)))) {
        return installed;
    }
    return program;
}

QString HelperProgramDirectoryPath() {
    const QString program = ProgramDirectoryPath();
    const QString installed = cleanJoin(program, VANTREL_LIBEXEC_FROM_BIN);
    return QFileInfo(installed).isDir() ? installed : program;
}

bool IsWritableDirectory(const QString &directory) {
    if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
        return false;
    }
    // Permission bits say nothing about read-only mounts or a root user: try it.
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".vantrel-probe-XXXXXX")));
    return probe.open();
}

QString CaptureDirectoryPath() {
    const QString program = ProgramDirectoryPath();
    if (IsWritableDirectory(program)) {
        return program;
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir().mkpath(pictures) && IsWritableDirectory(pictures)) {
        return pictures;
    }
    return QDir::homePath();
}

namespace {

/// The program's icon drawn from its artwork at the sizes window managers ask for. Drawn here,
/// it spares every start the loading of Qt's SVG icon plugin, which a scalable icon would need.
QIcon iconFromArtwork(const QString &path) {
    QSvgRenderer artwork(path);
    QIcon icon;
    if (!artwork.isValid()) {
        return icon;
    }
    for (const int side : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        artwork.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

void AnnounceDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTREL_APP_ID));
    const QString icon = QDir(ResourceDirectoryPath()).filePath(QStringLiteral("art/app_icon.svg"));
    if (QFileInfo::exists(icon)) {
        QGuiApplication::setWindowIcon(iconFromArtwork(icon));
    }
}

int GetProjectDir(char directory[260]) {
    return copyPath(ProgramDirectoryPath(), directory);
}

int GetResourceDir(char directory[260]) {
    return copyPath(ResourceDirectoryPath(), directory);
}

int GetHelperProgramDir(char directory[260]) {
    return copyPath(HelperProgramDirectoryPath(), directory);
}

int GetCaptureDir(char directory[260]) {
    return copyPath(CaptureDirectoryPath(), directory);
}

void EngineSetProgramDir(const char *directory) {
    Engine().programDir =
        directory != nullptr ? std::optional<std::string>(directory) : std::nullopt;
}

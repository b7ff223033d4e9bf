// Pictures of controls and panels: bitmaps, the clipboard, BMP and PNG files.
#include "engine/engine.h"
#include "engine/graph_widget.h"
#include "engine/model.h"
#include "engine/operation_support.h"
#include "engine/panel_life.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLayout>
#include <QSaveFile>
#include <QWidget>

namespace {

QImage controlPicture(Control &control) {
    if (GraphWidget *graph = GraphOf(control)) {
        return RenderScreen(control, *graph, graph->size());
    }
    if (control.view == nullptr) {
        return {};
    }
    return control.view->grab().toImage();
}

/// The image format that a file's name asks for: JPEG for .jpg and .jpeg, PNG for .png, and a
/// Windows bitmap for .bmp and any other name.
QByteArray formatOfName(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return "JPEG";
    }
    return suffix == QLatin1String("png") ? "PNG" : "BMP";
}

} // namespace

int GetCtrlDisplayBitmap(int panel, int control, int, int *bitmap) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    EnsureWindow(*FindPanel(panel));
    if (bitmap == nullptr) {
        return kEngineBadValue;
    }
    EngineState &engine = Engine();
    *bitmap = engine.nextBitmap++;
    engine.bitmaps[*bitmap] = controlPicture(*target);
    return kEngineOk;
}

int ClipboardPutBitmap(int bitmap) {
    const auto found = Engine().bitmaps.find(bitmap);
    if (found == Engine().bitmaps.end()) {
        return kEngineBadHandle;
    }
    QGuiApplication::clipboard()->setImage(found->second);
    return kEngineOk;
}

int DiscardBitmap(int bitmap) {
    return Engine().bitmaps.erase(bitmap) > 0 ? kEngineOk : kEngineBadHandle;
}

int SaveCtrlDisplayToFile(int panel, int control, int, int height, int width, const char *path) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    EnsureWindow(*FindPanel(panel));
    if (path == nullptr || *path == '\0' || width <= 0 || height <= 0) {
        return kEngineBadValue;
    }
    QImage picture;
    if (GraphWidget *graph = GraphOf(*target)) {
        picture = RenderScreen(*target, *graph, QSize(width, height));
    } else {
        picture = controlPicture(*target).scaled(width, height, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation);
    }
    const QString name = QString::fromUtf8(path);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        return kEngineFileNotFound;
    }
    // An unfinished file (a full disk) is dropped: the old one, if any, stays.
    QImageWriter writer(&file, formatOfName(name));
    constexpr int kJpegQuality = 95; // the thin traces keep their edges
    writer.setQuality(kJpegQuality);
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB32)) || !file.commit()) {
        return kEngineFileNotFound;
    }
    return kEngineOk;
}

namespace {

/// Gives a shown panel's window the size at which its drawing surface holds the panel at its
/// stored size, whatever room the screen gave it: pictures of the program keep one size.
void showAtStoredSize(Panel &panel) {
    QWidget *window = panel.window;
    QWidget *canvas = panel.canvas;
    if (window == nullptr || canvas == nullptr) {
        return;
    }
    const QSize stored(panel.definition.width, panel.definition.height);
    if (window->isMaximized() || window->isFullScreen()) {
        window->showNormal();
    }
    // The menu bar's lettering follows the window's size, so the room it leaves settles after
    // a second resize.
    for (int attempt = 0; attempt < 3 && canvas->size() != stored; ++attempt) {
        if (window->layout() != nullptr) {
            window->layout()->activate();
        }
        window->resize(stored + window->size() - canvas->size());
        if (window->layout() != nullptr) {
            window->layout()->activate();
        }
        QCoreApplication::processEvents();
    }
}

} // namespace

int SavePanelDisplayToPng(int panel, const char *path) {
    Panel *target = FindPanel(panel);
    if (target != nullptr) {
        EnsureWindow(*target);
    }
    if (target == nullptr || target->window == nullptr) {
        return kEngineBadHandle;
    }
    if (path == nullptr || *path == '\0') {
        return kEngineBadValue;
    }
    showAtStoredSize(*target);
    const QImage picture = target->window->grab().toImage();
    QSaveFile file(QString::fromUtf8(path));
    if (picture.isNull() || !file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") ||
        !file.commit()) {
        return kEngineFileNotFound;
    }
    return kEngineOk;
}

// Pictures of controls and panels: bitmaps, the clipboard, BMP and PNG files.
#include "engine/engine.h"
#include "engine/graph_widget.h"
#include "engine/model.h"
#include "engine/operation_support.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
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

void putLittleEndian(QByteArray &out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

/// An uncompressed 24-bit BMP: file header, 40-byte information header, then the rows
/// bottom-up in blue-green-red order, each padded to a multiple of 4 bytes.
QByteArray encodeBmp24(const QImage &source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int width = image.width();
    const int height = image.height();
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const quint32 pixelBytes = static_cast<quint32>(rowSize) * static_cast<quint32>(height);
    constexpr quint32 kHeaderBytes = 14 + 40;
    QByteArray out;
    out.reserve(static_cast<int>(kHeaderBytes + pixelBytes));
    out.append("BM");
    putLittleEndian(out, kHeaderBytes + pixelBytes, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, kHeaderBytes, 4);
    putLittleEndian(out, 40, 4);
    putLittleEndian(out, static_cast<quint32>(width), 4);
    putLittleEndian(out, static_cast<quint32>(height), 4);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 24, 2);
    putLittleEndian(out, 0, 4); // no compression
    putLittleEndian(out, pixelBytes, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    QByteArray row(rowSize, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const uchar *pixels = image.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(pixels[3 * x + 2]);
            row[3 * x + 1] = static_cast<char>(pixels[3 * x + 1]);
            row[3 * x + 2] = static_cast<char>(pixels[3 * x]);
        }
        out.append(row);
    }
    return out;
}

} // namespace

int GetCtrlDisplayBitmap(int panel, int control, int, int *bitmap) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
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
    QSaveFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return kEngineFileNotFound;
    }
    const QByteArray bytes = encodeBmp24(picture);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
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

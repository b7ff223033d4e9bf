#include "engine/control_widgets.h"

#include "engine/engine.h"
#include "engine/language.h"
#include "engine/translate.h"

#include <QFile>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <tuple>

namespace {

/// The artwork's own words (a board's "Entrada", "Saída", "GER."), marked for translation;
/// the panels' silk-screen marks (VOLTS/DIV, AC, ...) stay as printed.
[[maybe_unused]] constexpr std::array kArtworkWords{
    QT_TRANSLATE_NOOP("Vantrel", "Entrada"),
    QT_TRANSLATE_NOOP("Vantrel", "Saída"),
    QT_TRANSLATE_NOOP("Vantrel", "GER."),
};

/// The SVG text with every <text> element's words in the program's language.
QByteArray translatedArtwork(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString svg = QString::fromUtf8(file.readAll());
    static const QRegularExpression textElement(QStringLiteral("(<text[^>]*>)([^<]+)(</text>)"));
    QString result;
    qsizetype done = 0;
    for (auto it = textElement.globalMatch(svg); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QByteArray words = match.captured(2).toUtf8();
        const char *translated = Tr(words.constData());
        result += svg.mid(done, match.capturedStart(2) - done);
        result += translated == words.constData() ? match.captured(2)
                                                  : QString::fromUtf8(translated).toHtmlEscaped();
        done = match.capturedEnd(2);
    }
    result += svg.mid(done);
    return result.toUtf8();
}

/// Loads an artwork file into `renderer`, its words translated when the program is not in
/// Portuguese.
bool loadArtwork(QSvgRenderer &renderer, const QString &path) {
    if (!QFileInfo::exists(path)) {
        return false;
    }
    return CurrentUiLanguage() == UiLanguage::Portuguese ? renderer.load(path)
                                                         : renderer.load(translatedArtwork(path));
}

} // namespace

QSvgRenderer *SvgRendererFor(const QString &path) {
    // Pictures share their artwork (every small knob uses one file), so each file is parsed once.
    static std::map<QString, std::unique_ptr<QSvgRenderer>> renderers;
    auto found = renderers.find(path);
    if (found == renderers.end()) {
        auto renderer = std::make_unique<QSvgRenderer>();
        if (!loadArtwork(*renderer, path) || !renderer->isValid()) {
            renderer.reset();
        }
        found = renderers.emplace(path, std::move(renderer)).first;
    }
    return found->second.get();
}

double PanelScaleOf(const QWidget *widget) {
    const QVariant scale = widget->property("panelScale");
    return scale.isValid() && scale.toDouble() > 0.0 ? scale.toDouble() : 1.0;
}

// ---- PictureView ------------------------------------------------------------------------------

PictureView::PictureView(const QString &imagePath, const QString &name, QWidget *parent)
    : QWidget(parent), imagePath_(imagePath), name_(name) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureView::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) {
        return;
    }
    dimmed_ = dimmed;
    update();
}

void PictureView::setPointerAngle(double degrees) {
    if (pointerAngle_ == degrees) {
        return;
    }
    pointerAngle_ = degrees;
    update();
}

void PictureView::setPressedKeys(int mask) {
    if (pressedKeys_ == mask) {
        return;
    }
    pressedKeys_ = mask;
    update();
}

void PictureView::setLeverPosition(int stop) {
    if (leverPosition_ == stop) {
        return;
    }
    leverPosition_ = stop;
    update();
}

void PictureView::resizeEvent(QResizeEvent *) {
    body_.reset();
    bodyPaintedOnce_ = false;
    tiles_.clear();
    tiledPixels_ = QSize();
}

namespace {
bool hasPointer(const QSvgRenderer &renderer) {
    return renderer.elementExists(QStringLiteral("body")) &&
           renderer.elementExists(QStringLiteral("pointer"));
}

/// A slide: a body, a lever drawn at stop 0, and the stops "stop0", "stop1", ... it may take.
bool hasLever(const QSvgRenderer &renderer) {
    return renderer.elementExists(QStringLiteral("body")) &&
           renderer.elementExists(QStringLiteral("lever")) &&
           renderer.elementExists(QStringLiteral("stop0"));
}
} // namespace

bool PictureView::turnsInPlace() const {
    const QSvgRenderer *renderer = imagePath_.isEmpty() ? nullptr : SvgRendererFor(imagePath_);
    return renderer != nullptr && hasPointer(*renderer);
}

bool PictureView::slides() const {
    const QSvgRenderer *renderer = imagePath_.isEmpty() ? nullptr : SvgRendererFor(imagePath_);
    return renderer != nullptr && hasLever(*renderer);
}

int PictureView::nearestStop(QPointF at) const {
    QSvgRenderer *renderer = imagePath_.isEmpty() ? nullptr : SvgRendererFor(imagePath_);
    if (renderer == nullptr || !hasLever(*renderer)) {
        return -1;
    }
    // The artwork as the widget draws it: its viewBox fitted, centred, in the widget's size.
    QRectF box = renderer->viewBoxF();
    if (box.isEmpty()) {
        box = QRectF(QPointF(0, 0), renderer->defaultSize());
    }
    const QSizeF fitted = box.size().scaled(size(), Qt::KeepAspectRatio);
    const double factor = box.width() > 0.0 ? fitted.width() / box.width() : 1.0;
    const QPointF origin((width() - fitted.width()) / 2.0, (height() - fitted.height()) / 2.0);
    const auto centreOf = [&](const QString &id) {
        return origin + (renderer->boundsOnElement(id).center() - box.topLeft()) * factor;
    };
    const QPointF first = centreOf(QStringLiteral("stop0"));
    const QString second = QStringLiteral("stop1");
    if (!renderer->elementExists(second)) {
        return 0;
    }
    // Measured along the line of the stops only: the mouse may stray across the slide.
    const QPointF axis = centreOf(second) - first;
    const double length = std::hypot(axis.x(), axis.y());
    if (length <= 0.0) {
        return 0;
    }
    const double along = QPointF::dotProduct(at - first, axis) / length;
    int nearest = 0;
    double best = std::numeric_limits<double>::max();
    for (int stop = 0; renderer->elementExists(QStringLiteral("stop%1").arg(stop)); ++stop) {
        const QPointF offset = centreOf(QStringLiteral("stop%1").arg(stop)) - first;
        const double distance = std::abs(QPointF::dotProduct(offset, axis) / length - along);
        if (distance < best) {
            best = distance;
            nearest = stop;
        }
    }
    return nearest;
}

QRectF PictureView::toWidget(const QRectF &art) const {
    if (viewBox_.isEmpty()) {
        return art;
    }
    const double sx = artTarget_.width() / viewBox_.width();
    const double sy = artTarget_.height() / viewBox_.height();
    return QRectF(artTarget_.left() + (art.left() - viewBox_.left()) * sx,
                  artTarget_.top() + (art.top() - viewBox_.top()) * sy, art.width() * sx,
                  art.height() * sy);
}

namespace {

/// Side of a large picture's tiles, in device pixels.
constexpr int kPictureTile = 32;
/// Pictures of more device pixels than this are kept in tiles rather than drawn whole.
constexpr qint64 kWholeBodyPixels = 256 * 256;

/// Bodies of small pictures, by file, device size and pixel ratio: a row of identical knobs
/// keeps one drawing. An entry lives as long as a picture holds it.
using BodyKey = std::tuple<QString, int, int, qreal>;
std::map<BodyKey, std::weak_ptr<const QPixmap>> &sharedBodies() {
    static std::map<BodyKey, std::weak_ptr<const QPixmap>> bodies;
    return bodies;
}

} // namespace

void PictureView::fitArtwork(const QSvgRenderer &renderer) {
    // Keep the artwork's proportions, centred in the control's rectangle.
    viewBox_ = renderer.viewBoxF();
    if (viewBox_.isEmpty()) {
        viewBox_ = QRectF(QPointF(0, 0), renderer.defaultSize());
    }
    const QSizeF fitted = viewBox_.size().scaled(size(), Qt::KeepAspectRatio);
    artTarget_ = QRectF((width() - fitted.width()) / 2.0, (height() - fitted.height()) / 2.0,
                        fitted.width(), fitted.height());
}

void PictureView::drawBody(QPainter &painter, QSvgRenderer &renderer) const {
    if (hasPointer(renderer) || hasLever(renderer)) {
        // The pointer or the lever moves, so only the body is kept.
        const QString body = QStringLiteral("body");
        renderer.render(&painter, body, toWidget(renderer.boundsOnElement(body)));
    } else {
        renderer.render(&painter, artTarget_);
    }
}

void PictureView::paintMissingArtwork(QPainter &painter) const {
    painter.setPen(QPen(QColor(220, 80, 80), 1, Qt::DashLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, name_);
}

void PictureView::paintSharedBody(QPainter &painter, QSvgRenderer &renderer) {
    // A key or a still picture is painted again once per press, and is drawn straight from its
    // artwork. A knob or a slide is painted again at every step of a drag: it keeps its body
    // from its second paint on, shared with the pictures of the same file and size. Through a
    // dimmed painter the artwork's parts would show through each other, so a dimmed picture is
    // drawn from a kept body.
    const bool moves = hasPointer(renderer) || hasLever(renderer);
    const bool straight = painter.opacity() >= 1.0;
    if (straight && !moves) {
        body_.reset();
        drawBody(painter, renderer);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (body_ == nullptr || body_->size() != pixels || body_->devicePixelRatio() != ratio) {
        auto &bodies = sharedBodies();
        std::erase_if(bodies, [](const auto &entry) { return entry.second.expired(); });
        const BodyKey key{imagePath_, pixels.width(), pixels.height(), ratio};
        body_ = bodies[key].lock();
        if (body_ == nullptr && straight && !bodyPaintedOnce_) {
            bodyPaintedOnce_ = true;
            drawBody(painter, renderer);
            return;
        }
        if (body_ == nullptr) {
            auto drawn = std::make_shared<QPixmap>(pixels);
            drawn->setDevicePixelRatio(ratio);
            drawn->fill(Qt::transparent);
            QPainter bodyPainter(drawn.get());
            bodyPainter.setRenderHint(QPainter::Antialiasing);
            drawBody(bodyPainter, renderer);
            body_ = drawn;
            bodies[key] = body_;
        }
    }
    painter.drawPixmap(0, 0, *body_);
}

void PictureView::paintTiles(QPainter &painter, QSvgRenderer &renderer, const QRegion &region) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const int columns = (pixels.width() + kPictureTile - 1) / kPictureTile;
    const int rows = (pixels.height() + kPictureTile - 1) / kPictureTile;
    if (tiledPixels_ != pixels) {
        tiles_.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), {});
        tiledPixels_ = pixels;
    }
    const auto tileRect = [&](int column, int row) {
        return QRectF(column * kPictureTile / ratio, row * kPictureTile / ratio,
                      kPictureTile / ratio, kPictureTile / ratio);
    };
    // The tiles each part of the region lies on, in tile units.
    std::vector<QRect> spans;
    for (const QRect &part : region) {
        const QRect device = QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio)
                                 .toAlignedRect()
                                 .intersected(QRect(QPoint(0, 0), pixels));
        if (!device.isEmpty()) {
            spans.emplace_back(
                QPoint(device.left() / kPictureTile, device.top() / kPictureTile),
                QPoint(device.right() / kPictureTile, device.bottom() / kPictureTile));
        }
    }
    // A tile's first paint draws straight from the artwork; from its second on it is kept.
    // Through a dimmed painter the artwork's overlapping parts would show through each other, so
    // then every tile is drawn whole first.
    enum class Way : unsigned char { Untouched, Straight, Kept };
    std::vector<Way> ways(tiles_.size(), Way::Untouched);
    const auto indexOf = [columns](int column, int row) {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
               static_cast<std::size_t>(column);
    };
    const bool straight = painter.opacity() >= 1.0;
    // A repaint of most of the face (a capture, a window shown again) keeps nothing: only the
    // small parts that a control's change paints again are worth keeping.
    qsizetype touched = 0;
    for (const QRect &span : spans) {
        touched += qsizetype{span.width()} * span.height();
    }
    if (straight && touched * 2 > static_cast<qsizetype>(tiles_.size())) {
        for (Tile &tile : tiles_) {
            tile.painted = true;
        }
        drawBody(painter, renderer);
        return;
    }
    QRegion firstPaint;
    for (const QRect &span : spans) {
        for (int row = span.top(); row <= span.bottom(); ++row) {
            for (int column = span.left(); column <= span.right(); ++column) {
                const std::size_t index = indexOf(column, row);
                if (ways[index] != Way::Untouched) {
                    continue;
                }
                Tile &tile = tiles_[index];
                if (!tile.painted && straight) {
                    tile.painted = true;
                    ways[index] = Way::Straight;
                    firstPaint += tileRect(column, row).toAlignedRect();
                } else {
                    ways[index] = Way::Kept;
                }
            }
        }
    }
    // The tiles of each part still to keep are drawn in one pass of the artwork.
    for (const QRect &span : spans) {
        QRect missing;
        for (int row = span.top(); row <= span.bottom(); ++row) {
            for (int column = span.left(); column <= span.right(); ++column) {
                const std::size_t index = indexOf(column, row);
                if (ways[index] == Way::Kept && tiles_[index].kept.isNull()) {
                    missing |= QRect(column, row, 1, 1);
                }
            }
        }
        if (missing.isEmpty()) {
            continue;
        }
        QImage drawn(missing.size() * kPictureTile, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        {
            QPainter tilePainter(&drawn);
            tilePainter.setRenderHint(QPainter::Antialiasing);
            tilePainter.scale(ratio, ratio);
            tilePainter.translate(-tileRect(missing.left(), missing.top()).topLeft());
            drawBody(tilePainter, renderer);
        }
        for (int row = missing.top(); row <= missing.bottom(); ++row) {
            for (int column = missing.left(); column <= missing.right(); ++column) {
                Tile &tile = tiles_[indexOf(column, row)];
                if (ways[indexOf(column, row)] != Way::Kept || !tile.kept.isNull()) {
                    continue;
                }
                tile.painted = true;
                tile.kept =
                    drawn.copy((column - missing.left()) * kPictureTile,
                               (row - missing.top()) * kPictureTile, kPictureTile, kPictureTile);
                tile.kept.setDevicePixelRatio(ratio);
            }
        }
    }
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (ways[indexOf(column, row)] == Way::Kept) {
                painter.drawImage(tileRect(column, row).topLeft(),
                                  tiles_[indexOf(column, row)].kept);
            }
        }
    }
    if (!firstPaint.isEmpty()) {
        painter.save();
        painter.setClipRegion(firstPaint.intersected(region), Qt::IntersectClip);
        drawBody(painter, renderer);
        painter.restore();
    }
}

qsizetype PictureView::keptBytes() const {
    qsizetype bytes =
        body_ != nullptr ? qsizetype{body_->width()} * body_->height() * body_->depth() / 8 : 0;
    for (const Tile &tile : tiles_) {
        bytes += tile.kept.sizeInBytes();
    }
    return bytes;
}

void PictureView::paintPointer(QPainter &painter, QSvgRenderer &renderer) const {
    const QString pointer = QStringLiteral("pointer");
    const QString hub = QStringLiteral("hub");
    const QPointF pivot = renderer.elementExists(hub)
                              ? toWidget(renderer.boundsOnElement(hub)).center()
                              : artTarget_.center();
    painter.save();
    painter.translate(pivot);
    painter.rotate(pointerAngle_);
    painter.translate(-pivot);
    renderer.render(&painter, pointer, toWidget(renderer.boundsOnElement(pointer)));
    painter.restore();
}

void PictureView::paintLever(QPainter &painter, QSvgRenderer &renderer) const {
    const QString lever = QStringLiteral("lever");
    const QString stop = QStringLiteral("stop%1").arg(leverPosition_);
    // A stop the artwork lacks leaves the lever where it is drawn.
    const QPointF shift =
        renderer.elementExists(stop)
            ? toWidget(renderer.boundsOnElement(stop)).center() -
                  toWidget(renderer.boundsOnElement(QStringLiteral("stop0"))).center()
            : QPointF();
    renderer.render(&painter, lever, toWidget(renderer.boundsOnElement(lever)).translated(shift));
}

void PictureView::paintPressedKeys(QPainter &painter, QSvgRenderer *renderer) const {
    // A pressed key sits deeper in its collar (shaded) and its lamp strip is lit.
    for (int key = 0; key < 31; ++key) {
        if ((pressedKeys_ & (1 << key)) == 0) {
            continue;
        }
        const QString id = QStringLiteral("key%1").arg(key);
        QRectF face;
        if (renderer != nullptr && renderer->elementExists(id)) {
            face = toWidget(renderer->boundsOnElement(id));
        } else if (key == 0) {
            face = artTarget_;
        } else {
            continue;
        }
        const qreal radius = std::max<qreal>(1.5, face.width() * 0.1);
        QLinearGradient shade(face.topLeft(), face.bottomLeft());
        shade.setColorAt(0.0, QColor(0, 0, 0, 150));
        shade.setColorAt(0.5, QColor(0, 0, 0, 70));
        shade.setColorAt(1.0, QColor(0, 0, 0, 40));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shade);
        painter.drawRoundedRect(face, radius, radius);
        const qreal stripHeight = std::max<qreal>(2.0, face.height() * 0.16);
        const QRectF strip(face.left() + face.width() * 0.18,
                           face.bottom() - stripHeight - face.height() * 0.1, face.width() * 0.64,
                           stripHeight);
        painter.setBrush(QColor(80, 255, 110));
        painter.drawRoundedRect(strip, stripHeight / 2.0, stripHeight / 2.0);
    }
}

void PictureView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(dimmed_ ? vantrel::kDimmedOpacity : 1.0);
    QSvgRenderer *renderer = imagePath_.isEmpty() ? nullptr : SvgRendererFor(imagePath_);
    if (renderer == nullptr) {
        artTarget_ = rect();
        viewBox_ = QRectF();
        paintMissingArtwork(painter);
    } else {
        fitArtwork(*renderer);
        const QSizeF pixels = QSizeF(size()) * devicePixelRatioF();
        if (pixels.width() * pixels.height() > kWholeBodyPixels) {
            paintTiles(painter, *renderer, event->region());
        } else {
            paintSharedBody(painter, *renderer);
        }
    }
    if (renderer != nullptr && hasPointer(*renderer)) {
        paintPointer(painter, *renderer);
    }
    if (renderer != nullptr && hasLever(*renderer)) {
        paintLever(painter, *renderer);
    }
    if (pressedKeys_ != 0) {
        paintPressedKeys(painter, renderer);
    }
}

// ---- DecorationView ---------------------------------------------------------------------------

DecorationView::DecorationView(Style style, const QColor &color, QWidget *parent)
    : QWidget(parent), style_(style), color_(color) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void DecorationView::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) {
        return;
    }
    dimmed_ = dimmed;
    update();
}

void DecorationView::paintEvent(QPaintEvent *) {
    if (style_ == Style::Hotspot) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(dimmed_ ? vantrel::kDimmedOpacity : 1.0);
    if (style_ == Style::Marker) {
        // A small lit lamp: bright core with a soft halo.
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QRadialGradient glow(r.center(), r.width() / 2.0);
        const QColor lit = color_.isValid() ? color_ : QColor(255, 196, 64);
        glow.setColorAt(0.0, QColor(255, 250, 220));
        glow.setColorAt(0.45, lit);
        glow.setColorAt(1.0, QColor(lit.red(), lit.green(), lit.blue(), 40));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(r);
        return;
    }
    const QColor line = color_.isValid() ? color_ : QColor(150, 160, 172);
    painter.setPen(QPen(line, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

// ---- TextView ---------------------------------------------------------------------------------

TextView::TextView(const QString &text, const QColor &color, QWidget *parent)
    : QWidget(parent), text_(text), color_(color) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void TextView::setText(const QString &text) {
    if (text_ == text) {
        return;
    }
    text_ = text;
    update();
}

void TextView::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) {
        return;
    }
    dimmed_ = dimmed;
    update();
}

void TextView::setTextColor(const QColor &color) {
    if (color_ == color) {
        return;
    }
    color_ = color;
    update();
}

void TextView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setOpacity(dimmed_ ? vantrel::kDimmedOpacity : 1.0);
    painter.setPen(color_.isValid() ? color_ : palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text_);
}

// ---- LedView ----------------------------------------------------------------------------------

LedView::LedView(const QString &label, const QColor &labelColor, QWidget *parent)
    : QWidget(parent), label_(label), labelColor_(labelColor) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void LedView::setOn(bool on) {
    if (on_ == on) {
        return;
    }
    on_ = on;
    update();
}

void LedView::setLabel(const QString &label) {
    if (label_ == label) {
        return;
    }
    label_ = label;
    update();
}

void LedView::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) {
        return;
    }
    dimmed_ = dimmed;
    update();
}

void LedView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(dimmed_ ? vantrel::kDimmedOpacity : 1.0);
    const qreal side = std::min<qreal>(height(), label_.isEmpty() ? width() : height());
    const QRectF lamp(1.0, (height() - side) / 2.0 + 1.0, side - 2.0, side - 2.0);
    QRadialGradient body(lamp.center() - QPointF(side * 0.15, side * 0.15), side * 0.6);
    if (on_) {
        body.setColorAt(0.0, QColor(200, 255, 200));
        body.setColorAt(0.5, QColor(40, 230, 70));
        body.setColorAt(1.0, QColor(10, 120, 30));
    } else {
        body.setColorAt(0.0, QColor(70, 100, 70));
        body.setColorAt(1.0, QColor(20, 40, 22));
    }
    painter.setPen(QPen(QColor(30, 30, 30), 1.0));
    painter.setBrush(body);
    painter.drawEllipse(lamp);
    if (!label_.isEmpty()) {
        painter.setPen(labelColor_.isValid() ? labelColor_ : palette().color(QPalette::WindowText));
        painter.drawText(QRectF(side + 3.0, 0.0, width() - side - 3.0, height()),
                         Qt::AlignLeft | Qt::AlignVCenter, label_);
    }
}

// ---- NumericView ------------------------------------------------------------------------------

NumericView::NumericView(QWidget *parent) : QWidget(parent) {}

void NumericView::setText(const QString &text) {
    if (text_ == text) {
        return;
    }
    text_ = text;
    update();
}

void NumericView::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) {
        return;
    }
    dimmed_ = dimmed;
    update();
}

void NumericView::paintEvent(QPaintEvent *) {
    // A recessed read-out window with a bright figure, like a panel meter's display.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(dimmed_ ? vantrel::kDimmedOpacity : 1.0);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(QColor(90, 96, 104), 1.0));
    painter.setBrush(QColor(14, 22, 18));
    painter.drawRoundedRect(r, 2, 2);
    painter.setPen(QColor(130, 255, 170));
    painter.setFont(font());
    painter.drawText(QRectF(rect()).adjusted(kTextMargin, 0, -kTextMargin, 0),
                     Qt::AlignRight | Qt::AlignVCenter, text_);
}

#include "engine/resource_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <array>
#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace {

/// A resource file that does not have the expected shape; the message names what is wrong.
struct DamagedFile : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr std::array<std::pair<const char *, EngineControlKind>, 15> kKindNames{{
    {"picture", CTRL_PICTURE},
    {"graph", CTRL_GRAPH},
    {"timer", CTRL_TIMER},
    {"command_button", CTRL_COMMAND_BUTTON},
    {"toggle_button", CTRL_TOGGLE_BUTTON},
    {"led", CTRL_LED},
    {"text_message", CTRL_TEXT_MSG},
    {"string", CTRL_STRING},
    {"ring", CTRL_RING},
    {"numeric", CTRL_NUMERIC},
    {"decoration", CTRL_DECORATION},
    {"list_box", CTRL_LIST_BOX},
    {"knob", CTRL_KNOB},
    {"slide", CTRL_SLIDE},
    {"text_box", CTRL_TEXT_BOX},
}};

EngineControlKind kindFromName(const QString &name, const std::string &where) {
    for (const auto &[text, kind] : kKindNames) {
        if (name == QLatin1String(text)) {
            return kind;
        }
    }
    throw DamagedFile(where + ": unknown control kind \"" + name.toStdString() + "\"");
}

std::string requiredString(const QJsonObject &object, const char *key, const std::string &where) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isString() || value.toString().isEmpty()) {
        throw DamagedFile(where + ": missing \"" + key + "\"");
    }
    return value.toString().toStdString();
}

std::string optionalString(const QJsonObject &object, const char *key) {
    return object.value(QLatin1String(key)).toString().toStdString();
}

/// The numbers an attribute accepts: finite, between `low` and `high`, and whole where the
/// attribute is an integer. A number outside them would reach the widgets (a width of 2^31
/// overflows a rectangle, a height of 1e9 builds a gigabyte picture) or an int conversion.
struct Range {
    double low;
    double high;
    bool integral;
};

/// Largest panel or control extent, and largest distance from the parent's origin, in pixels:
/// well beyond any screen, small enough that a picture cache of that size stays affordable.
constexpr int kMaxExtent = 4096;
constexpr Range kPosition{-kMaxExtent, kMaxExtent, true};
constexpr Range kControlSize{0, kMaxExtent, true};
constexpr Range kPanelSize{1, kMaxExtent, true};
constexpr Range kPanelNumber{1, std::numeric_limits<int>::max(), true};
constexpr Range kFontSize{0, 144, true};
constexpr Range kDigits{0, 17, true}; ///< significant digits of a double
constexpr Range kItemValue{std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), true};
constexpr Range kTimerInterval{0.0, 86400.0, false}; ///< seconds; up to a day
constexpr Range kFinite{-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                        false};

std::string numberText(double value) {
    std::ostringstream text;
    text << std::setprecision(17) << value;
    return text.str();
}

std::string rangeText(const Range &range) {
    return numberText(range.low) + " to " + numberText(range.high);
}

/// The attribute's number, or `fallback` when it is absent; anything else is damage.
double optionalNumber(const QJsonObject &object, const char *key, double fallback,
                      const Range &range, const std::string &where) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) {
        return fallback;
    }
    if (value.isBool()) {
        return value.toBool() ? 1.0 : 0.0;
    }
    if (!value.isDouble()) {
        throw DamagedFile(where + ": \"" + key + "\" is not a number");
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || number < range.low || number > range.high) {
        throw DamagedFile(where + ": \"" + key + "\" is " + numberText(number) + ", outside " +
                          rangeText(range));
    }
    if (range.integral && std::trunc(number) != number) {
        throw DamagedFile(where + ": \"" + key + "\" is " + numberText(number) +
                          ", not a whole number");
    }
    return number;
}

int optionalInt(const QJsonObject &object, const char *key, int fallback, const Range &range,
                const std::string &where) {
    // The range lies inside int's, so the checked number converts exactly.
    return static_cast<int>(optionalNumber(object, key, fallback, range, where));
}

bool optionalBool(const QJsonObject &object, const char *key) {
    return object.value(QLatin1String(key)).toBool(false);
}

EngineDataType dataTypeFromName(const std::string &name, const std::string &where) {
    if (name.empty() || name == "double") {
        return VAL_DOUBLE;
    }
    if (name == "int") {
        return VAL_INTEGER;
    }
    if (name == "float") {
        return VAL_FLOAT;
    }
    throw DamagedFile(where + ": unknown data type \"" + name + "\"");
}

std::vector<ItemSpec> readItems(const QJsonObject &object, const std::string &where) {
    std::vector<ItemSpec> items;
    const QJsonValue value = object.value(QLatin1String("items"));
    if (value.isUndefined()) {
        return items;
    }
    if (!value.isArray()) {
        throw DamagedFile(where + ": \"items\" is not a list");
    }
    for (const QJsonValue &entry : value.toArray()) {
        if (!entry.isObject()) {
            throw DamagedFile(where + ": an item is not an object");
        }
        const QJsonObject item = entry.toObject();
        items.push_back(
            {optionalString(item, "label"), optionalInt(item, "value", 0, kItemValue, where)});
    }
    return items;
}

ControlSpec readControl(const QJsonObject &object, const std::string &where) {
    ControlSpec definition;
    definition.constant = requiredString(object, "constant", where);
    const std::string at = where + " control " + definition.constant;
    definition.kind = kindFromName(QString::fromStdString(requiredString(object, "kind", at)), at);
    definition.top = optionalInt(object, "top", 0, kPosition, at);
    definition.left = optionalInt(object, "left", 0, kPosition, at);
    definition.height = optionalInt(object, "height", 0, kControlSize, at);
    definition.width = optionalInt(object, "width", 0, kControlSize, at);
    definition.callback = optionalString(object, "callback");
    definition.label = optionalString(object, "label");
    definition.text = optionalString(object, "text");
    definition.dataType = dataTypeFromName(optionalString(object, "dataType"), at);
    definition.items = readItems(object, at);
    // The value of a list or an integer control is an item value or an int.
    const Range &number =
        !definition.items.empty() || definition.dataType == VAL_INTEGER ? kItemValue : kFinite;
    definition.value = optionalNumber(object, "value", 0.0, number, at);
    definition.hasMin = object.contains(QLatin1String("min"));
    definition.hasMax = object.contains(QLatin1String("max"));
    definition.min = optionalNumber(object, "min", 0.0, number, at);
    definition.max = optionalNumber(object, "max", 0.0, number, at);
    if (definition.hasMin && definition.hasMax && definition.min > definition.max) {
        throw DamagedFile(at + ": \"min\" " + numberText(definition.min) + " is above \"max\" " +
                          numberText(definition.max));
    }
    definition.increment =
        optionalNumber(object, "increment", 1.0, {0.0, number.high, number.integral}, at);
    definition.hidden = optionalBool(object, "hidden");
    definition.dimmed = optionalBool(object, "dimmed");
    definition.shortcut = optionalString(object, "shortcut");
    definition.interval = optionalNumber(object, "interval", 0.1, kTimerInterval, at);
    definition.enabled = object.value(QLatin1String("enabled")).toBool(true);
    definition.image = optionalString(object, "image");
    definition.style = optionalString(object, "style");
    definition.background = optionalBool(object, "background");
    definition.xName = optionalString(object, "xName");
    definition.yName = optionalString(object, "yName");
    definition.xMin = optionalNumber(object, "xMin", 0.0, kFinite, at);
    definition.xMax = optionalNumber(object, "xMax", 100.0, kFinite, at);
    definition.yMin = optionalNumber(object, "yMin", 0.0, kFinite, at);
    definition.yMax = optionalNumber(object, "yMax", 100.0, kFinite, at);
    if (!(definition.xMin < definition.xMax) || !(definition.yMin < definition.yMax)) {
        throw DamagedFile(at + ": an axis range is empty (\"xMin\" " + numberText(definition.xMin) +
                          " to " + numberText(definition.xMax) + ", \"yMin\" " +
                          numberText(definition.yMin) + " to " + numberText(definition.yMax) + ")");
    }
    const QJsonObject font = object.value(QLatin1String("font")).toObject();
    definition.fontSize = optionalInt(font, "size", 0, kFontSize, at);
    definition.bold = optionalBool(font, "bold");
    definition.fixedPitch = optionalBool(font, "fixedPitch");
    definition.color = optionalString(object, "color");
    definition.readOnly = optionalBool(object, "readOnly");
    definition.significantDigits = optionalInt(object, "significantDigits", 0, kDigits, at);
    return definition;
}

std::vector<MenuItemSpec> readMenuItems(const QJsonArray &array, int &nextId,
                                        const std::string &where);

MenuItemSpec readMenuItem(const QJsonObject &object, int &nextId, const std::string &where) {
    MenuItemSpec item;
    item.constant = requiredString(object, "constant", where);
    item.text = optionalString(object, "text");
    item.callback = optionalString(object, "callback");
    item.shortcut = optionalString(object, "shortcut");
    item.separator = optionalBool(object, "separator");
    item.id = nextId++;
    const QJsonValue children =
        object.contains(QLatin1String("items"))
            ? object.value(QLatin1String("items"))
            : object.value(QLatin1String("submenu")).toObject().value(QLatin1String("items"));
    if (children.isArray()) {
        item.children = readMenuItems(children.toArray(), nextId, where);
    }
    return item;
}

std::vector<MenuItemSpec> readMenuItems(const QJsonArray &array, int &nextId,
                                        const std::string &where) {
    std::vector<MenuItemSpec> items;
    for (const QJsonValue &entry : array) {
        if (!entry.isObject()) {
            throw DamagedFile(where + ": a menu entry is not an object");
        }
        items.push_back(readMenuItem(entry.toObject(), nextId, where));
    }
    return items;
}

MenuBarSpec readMenuBar(const QJsonObject &object, const std::string &where) {
    MenuBarSpec bar;
    bar.constant = requiredString(object, "constant", where);
    int nextId = 2;
    bar.menus = readMenuItems(object.value(QLatin1String("menus")).toArray(), nextId, where);
    return bar;
}

PanelSpec readPanel(const QJsonObject &object, const std::string &where) {
    PanelSpec panel;
    panel.number = optionalInt(object, "number", 0, kPanelNumber, where);
    panel.constant = requiredString(object, "constant", where);
    const std::string at = where + " panel " + panel.constant;
    panel.title = optionalString(object, "title");
    panel.top = optionalInt(object, "top", 0, kPosition, at);
    panel.left = optionalInt(object, "left", 0, kPosition, at);
    panel.height = optionalInt(object, "height", 100, kPanelSize, at);
    panel.width = optionalInt(object, "width", 100, kPanelSize, at);
    panel.background = optionalString(object, "background");
    panel.closeControl = optionalString(object, "closeControl");
    if (object.value(QLatin1String("menuBar")).isObject()) {
        panel.menuBar = readMenuBar(object.value(QLatin1String("menuBar")).toObject(), at);
    }
    const QJsonValue controls = object.value(QLatin1String("controls"));
    if (!controls.isArray()) {
        throw DamagedFile(at + ": missing \"controls\"");
    }
    for (const QJsonValue &entry : controls.toArray()) {
        if (!entry.isObject()) {
            throw DamagedFile(at + ": a control is not an object");
        }
        panel.controls.push_back(readControl(entry.toObject(), at));
    }
    return panel;
}

} // namespace

PanelLoadResult ParsePanelSpec(std::string_view bytes, const std::string &fileName,
                               int panelNumber) {
    PanelLoadResult result;
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), &parseError);
    if (document.isNull() || !document.isObject()) {
        result.error = kEngineFileDamaged;
        result.message = fileName + ": damaged (" + parseError.errorString().toStdString() +
                         " at byte " + std::to_string(parseError.offset) + ")";
        return result;
    }
    try {
        const QJsonValue panels = document.object().value(QLatin1String("panels"));
        if (!panels.isArray()) {
            throw DamagedFile(fileName + ": no \"panels\" list");
        }
        for (const QJsonValue &entry : panels.toArray()) {
            const QJsonObject object = entry.toObject();
            if (object.value(QLatin1String("number")).toInt(-1) == panelNumber) {
                result.panel = readPanel(object, fileName);
                return result;
            }
        }
        result.error = kEngineNoSuchPanel;
        result.message = fileName + ": has no panel " + std::to_string(panelNumber);
    } catch (const DamagedFile &damage) {
        result.error = kEngineFileDamaged;
        result.message = std::string("damaged: ") + damage.what();
    }
    return result;
}

PanelLoadResult ReadPanelSpec(const std::string &path, const std::string &fileName,
                              int panelNumber) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        PanelLoadResult result;
        result.error = kEngineFileNotFound;
        result.message =
            fileName + ": cannot be read (" + file.errorString().toStdString() + ") at " + path;
        return result;
    }
    const QByteArray bytes = file.readAll();
    return ParsePanelSpec(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), fileName,
        panelNumber);
}

std::string AcceleratorToMnemonic(const std::string &caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption.compare(i, 2, "__") == 0) {
            out += '&';
            ++i;
        } else if (caption[i] == '&') {
            out += "&&";
        } else {
            out += caption[i];
        }
    }
    return out;
}

std::string StripAccelerator(const std::string &caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption.compare(i, 2, "__") == 0) {
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

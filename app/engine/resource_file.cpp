#include "app/engine/resource_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <array>
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

double optionalNumber(const QJsonObject &object, const char *key, double fallback,
                      const std::string &where) {
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
    return value.toDouble();
}

int optionalInt(const QJsonObject &object, const char *key, int fallback,
                const std::string &where) {
    return static_cast<int>(optionalNumber(object, key, fallback, where));
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
        const QJsonObject item = entry.toObject();
        items.push_back({optionalString(item, "label"), optionalInt(item, "value", 0, where)});
    }
    return items;
}

ControlSpec readControl(const QJsonObject &object, const std::string &where) {
    ControlSpec definition;
    definition.constant = requiredString(object, "constant", where);
    const std::string at = where + " control " + definition.constant;
    definition.kind = kindFromName(QString::fromStdString(requiredString(object, "kind", at)), at);
    definition.top = optionalInt(object, "top", 0, at);
    definition.left = optionalInt(object, "left", 0, at);
    definition.height = optionalInt(object, "height", 0, at);
    definition.width = optionalInt(object, "width", 0, at);
    if (definition.height < 0 || definition.width < 0) {
        throw DamagedFile(at + ": negative size");
    }
    definition.callback = optionalString(object, "callback");
    definition.label = optionalString(object, "label");
    definition.text = optionalString(object, "text");
    definition.value = optionalNumber(object, "value", 0.0, at);
    definition.dataType = dataTypeFromName(optionalString(object, "dataType"), at);
    definition.hasMin = object.contains(QLatin1String("min"));
    definition.hasMax = object.contains(QLatin1String("max"));
    definition.min = optionalNumber(object, "min", 0.0, at);
    definition.max = optionalNumber(object, "max", 0.0, at);
    definition.increment = optionalNumber(object, "increment", 1.0, at);
    definition.items = readItems(object, at);
    definition.hidden = optionalBool(object, "hidden");
    definition.dimmed = optionalBool(object, "dimmed");
    definition.shortcut = optionalString(object, "shortcut");
    definition.interval = optionalNumber(object, "interval", 0.1, at);
    definition.enabled = object.value(QLatin1String("enabled")).toBool(true);
    definition.image = optionalString(object, "image");
    definition.style = optionalString(object, "style");
    definition.background = optionalBool(object, "background");
    definition.xName = optionalString(object, "xName");
    definition.yName = optionalString(object, "yName");
    definition.xMin = optionalNumber(object, "xMin", 0.0, at);
    definition.xMax = optionalNumber(object, "xMax", 100.0, at);
    definition.yMin = optionalNumber(object, "yMin", 0.0, at);
    definition.yMax = optionalNumber(object, "yMax", 100.0, at);
    const QJsonObject font = object.value(QLatin1String("font")).toObject();
    definition.fontSize = optionalInt(font, "size", 0, at);
    definition.bold = optionalBool(font, "bold");
    definition.fixedPitch = optionalBool(font, "fixedPitch");
    definition.color = optionalString(object, "color");
    definition.readOnly = optionalBool(object, "readOnly");
    // Checked before the conversion: a double beyond int's range must not reach the cast.
    const double digits = optionalNumber(object, "significantDigits", 0.0, at);
    if (!(digits >= 0.0 && digits <= 17.0)) {
        throw DamagedFile(at + ": \"significantDigits\" is not between 0 and 17");
    }
    definition.significantDigits = static_cast<int>(digits);
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
    panel.number = optionalInt(object, "number", 0, where);
    panel.constant = requiredString(object, "constant", where);
    const std::string at = where + " panel " + panel.constant;
    panel.title = optionalString(object, "title");
    panel.top = optionalInt(object, "top", 0, at);
    panel.left = optionalInt(object, "left", 0, at);
    panel.height = optionalInt(object, "height", 100, at);
    panel.width = optionalInt(object, "width", 100, at);
    if (panel.height <= 0 || panel.width <= 0) {
        throw DamagedFile(at + ": empty size");
    }
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

PanelLoadResult ReadPanelSpec(const std::string &path, const std::string &fileName,
                              int panelNumber) {
    PanelLoadResult result;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = kEngineFileNotFound;
        result.message =
            fileName + ": cannot be read (" + file.errorString().toStdString() + ") at " + path;
        return result;
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
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

#pragma once
/// Reading of the panel resource files (JSON, see ui/README.md) into plain descriptions.

#include "engine/engine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ItemSpec {
    std::string label;
    int value = 0;
};

struct ControlSpec {
    std::string constant;
    EngineControlKind kind = CTRL_DECORATION;
    int top = 0, left = 0, height = 0, width = 0;
    std::string callback;
    std::string label;
    std::string text;
    double value = 0.0;
    EngineDataType dataType = VAL_DOUBLE;
    bool hasMin = false, hasMax = false;
    double min = 0.0, max = 0.0, increment = 1.0;
    std::vector<ItemSpec> items;
    bool hidden = false, dimmed = false;
    std::string shortcut;
    double interval = 0.1;
    bool enabled = true;
    std::string image;
    std::string style;
    bool background = false;
    std::string xName, yName;
    double xMin = 0.0, xMax = 100.0, yMin = 0.0, yMax = 100.0;
    int fontSize = 0; ///< points; 0 = the default
    bool bold = false;
    std::string color;         ///< "#rrggbb" or empty
    bool readOnly = false;     ///< string: written only by the program, never typed into
    int significantDigits = 0; ///< numeric double: digits shown; 0 = the plain default
    /// Numeric double: the figure scaled by its SI prefix (SiFormat); the program shows the
    /// prefix with the unit.
    bool siPrefix = false;
    /// Text box: every character as wide as the others, so that tables keep their columns.
    bool fixedPitch = false;
};

struct MenuItemSpec {
    std::string constant;
    std::string text;
    std::string callback;
    std::string shortcut;
    bool separator = false;
    int id = 0;                         ///< number within the menu bar, from 2 in document order
    std::vector<MenuItemSpec> children; ///< items of a menu, or of an item's submenu
};

struct MenuBarSpec {
    std::string constant;
    std::vector<MenuItemSpec> menus;
};

struct PanelSpec {
    int number = 0;
    std::string constant;
    std::string title;
    int top = 0, left = 0, height = 100, width = 100;
    std::string background;
    std::string closeControl; ///< constant of the control that the window's close box commits
    std::optional<MenuBarSpec> menuBar;
    std::vector<ControlSpec>
        controls; ///< control id = index + 2; a loaded panel moves them to its controls
};

struct PanelLoadResult {
    int error = kEngineOk; ///< an EngineError
    std::string message;   ///< "file: reason" when error is set
    PanelSpec panel;
};

/// Reads panel `panelNumber` from the resource file at `path` (`fileName` names it in messages).
PanelLoadResult ReadPanelSpec(const std::string &path, const std::string &fileName,
                              int panelNumber);
/// The same from the file's contents. Every number of a panel it returns lies in the range
/// its attribute allows (ui/README.md); a file with any other number is refused as damaged.
PanelLoadResult ParsePanelSpec(std::string_view bytes, const std::string &fileName,
                               int panelNumber);

/// "__Sair" -> "&Sair": the accelerator mark of the resource files in Qt's notation.
std::string AcceleratorToMnemonic(const std::string &caption);
/// "__Sair" -> "Sair".
std::string StripAccelerator(const std::string &caption);

#include "engine/model.h"

#include <algorithm>
#include <array>

namespace {

/// A rectangle in the coordinates of the main panel (top, left, height, width).
struct Box {
    int top = 0, left = 0, height = 0, width = 0;

    bool overlaps(const Box &other) const {
        return left < other.left + other.width && other.left < left + width &&
               top < other.top + other.height && other.top < top + height;
    }
};

constexpr int kGap = 6;

/// A control's rectangle within the panel `base`, its own panel being `owner` (a child of
/// `base`, or `base` itself).
bool controlBox(int owner, int control, int base, Box &box) {
    const Panel *panel = FindPanel(owner);
    const Control *target = FindControl(owner, control);
    if (panel == nullptr || target == nullptr) {
        return false;
    }
    const ControlSpec &d = target->definition;
    box = {d.top, d.left, d.height, d.width};
    if (owner != base) {
        box.top += panel->top;
        box.left += panel->left;
    }
    return true;
}

Box clampedInto(Box box, const Box &bounds) {
    box.top = std::clamp(box.top, bounds.top, std::max(bounds.top, bounds.height - box.height));
    box.left = std::clamp(box.left, bounds.left, std::max(bounds.left, bounds.width - box.width));
    return box;
}

} // namespace

int PlacePanelBeside(int panel, int nearPanel, int nearControl, int avoidPanel, int avoidControl) {
    Panel *dialog = FindPanel(panel);
    const Panel *parent = dialog != nullptr ? FindPanel(dialog->parent) : nullptr;
    if (parent == nullptr) {
        return kEngineBadHandle;
    }
    Box knob;
    Box avoid;
    if (!controlBox(nearPanel, nearControl, parent->handle, knob) ||
        !controlBox(avoidPanel, avoidControl, parent->handle, avoid)) {
        return kEngineBadControl;
    }
    const Box bounds{0, 0, parent->definition.height, parent->definition.width};
    const int h = dialog->definition.height;
    const int w = dialog->definition.width;
    const int middleTop = knob.top + knob.height / 2 - h / 2;
    const int middleLeft = knob.left + knob.width / 2 - w / 2;
    // Where it was stored first, then right, left, below and above the control.
    const std::array<Box, 5> candidates{{
        {dialog->top, dialog->left, h, w},
        {middleTop, knob.left + knob.width + kGap, h, w},
        {middleTop, knob.left - kGap - w, h, w},
        {knob.top + knob.height + kGap, middleLeft, h, w},
        {knob.top - kGap - h, middleLeft, h, w},
    }};
    for (const Box &candidate : candidates) {
        const Box placed = clampedInto(candidate, bounds);
        if (!placed.overlaps(knob) && !placed.overlaps(avoid)) {
            return SetPanelPos(panel, placed.top, placed.left);
        }
    }
    return kEngineOk; // nowhere clear: it stays where it was
}

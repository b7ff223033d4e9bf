#pragma once
/// The attributes through which the instrument shows its state on the front panel: how far a
/// knob picture's pointer is turned, which keys of a push-button picture are pressed, and the
/// tooltip of any control. The widget draws what these hold; the instrument's code sets them
/// after every change, so the picture never keeps a second copy of the state.

#include <string>

struct Control;
struct Panel;

/// ATTR_POINTER_ANGLE (degrees) and ATTR_PRESSED_KEYS (bit mask, given as a number) of a
/// picture. Returns kEngineBadAttribute for other attributes or other control kinds, and
/// kEngineBadValue for an angle that is not finite or a negative mask.
int SetPictureStateAttribute(Panel &panel, Control &control, int attribute, double value);
/// ATTR_TOOLTIP_TEXT of any control; kEngineBadAttribute for other attributes.
int SetTooltipAttribute(Panel &panel, Control &control, int attribute, const std::string &text);
/// Reads them back; kEngineBadAttribute when the attribute does not apply.
int GetPictureStateAttribute(const Control &control, int attribute, double *value);
int GetTooltipAttribute(const Control &control, int attribute, std::string *text);

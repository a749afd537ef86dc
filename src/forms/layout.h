// Where controls are on their form, in which order they are painted, and which one the mouse is on.
#pragma once

#include <vector>

#include "forms/form.h"

namespace mojara::forms {

// The control's box in form coordinates (twips), its containers' offsets added.
Box absoluteBox(const Control& control);

// Whether the control and every container holding it are visible.
bool isShowing(const Control& control);

// Whether the control may take the keyboard focus: it is showing and some of it lies inside its
// form's client area. A control placed beyond the window's edge, as a store that is never seen,
// is out of reach of the keyboard as it is of the eye.
bool canTakeFocus(const Control& control);

// Whether the control can have the keyboard now: a button (an enabled one), a list, a text box, a
// scroll bar or a picture box, that can take the focus.
bool takesKeyboard(const Control& control);

// The controls that can have the keyboard now, in the order Tab visits them: down the window, and
// across it where two stand at the same height.
std::vector<Control*> tabOrder(const Form& form);

// Whether Desktop::navigate uses this key while `control` has the keyboard: Tab, Enter and Escape
// always; with a button also the space bar and the arrow keys, with a list the up and down keys,
// with a scroll bar the arrow keys, Page Up, Page Down, Home and End. A front end whose controls
// are widgets of its own hands any other key to the widget first (a text box's keys that move
// through its text), and only what the widget leaves goes on to the window.
bool navigationKey(const Control& control, int keyCode, int shift);

// The order in which the front end paints a form's canvas, bottom first: the lightweight controls
// outside containers (labels, images, shapes) from the last of the list to the first, then each
// container with the controls inside it, bottom first. Buttons and the other native controls lie
// above all of these and are not listed.
std::vector<const Control*> paintOrder(const Form& form);

// The topmost visible control under the point (form twips) that takes mouse events: containers and
// what they hold first, then labels and images in list order. Shapes take no mouse events.
Control* hitTest(const Form& form, float x, float y);

}  // namespace mojara::forms

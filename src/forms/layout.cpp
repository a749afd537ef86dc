#include "forms/layout.h"

#include <algorithm>

namespace mojara::forms {

Box absoluteBox(const Control& control) {
  Box box{control.Left, control.Top, control.Width, control.Height};
  for (const Control* c = control.Container; c; c = c->Container) {
    box.left += c->Left;
    box.top += c->Top;
  }
  return box;
}

bool isShowing(const Control& control) {
  for (const Control* c = &control; c; c = c->Container)
    if (!c->Visible) return false;
  return true;
}

bool canTakeFocus(const Control& control) {
  if (!isShowing(control) || !control.Parent) return false;
  const Box box = absoluteBox(control);
  const Form& form = *control.Parent;
  return box.width > 0 && box.height > 0 && box.left < form.ScaleWidth && box.top < form.ScaleHeight &&
         box.left + box.width > 0 && box.top + box.height > 0;
}

bool takesKeyboard(const Control& control) {
  switch (control.Kind) {
    case ControlKind::CommandButton:
      if (!static_cast<const CommandButton&>(control).Enabled) return false;
      [[fallthrough]];
    case ControlKind::ComboBox:
    case ControlKind::TextBox:
    case ControlKind::HScrollBar:
    case ControlKind::PictureBox:
      return canTakeFocus(control);
    default:
      return false;
  }
}

std::vector<Control*> tabOrder(const Form& form) {
  std::vector<Control*> order;
  for (Control* c : form.controls())
    if (takesKeyboard(*c)) order.push_back(c);
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    const Box x = absoluteBox(*a), y = absoluteBox(*b);
    return x.top != y.top ? x.top < y.top : x.left < y.left;
  });
  return order;
}

bool navigationKey(const Control& control, int keyCode, int shift) {
  constexpr int kShift = 1;
  if (keyCode == vk::Tab) return (shift & ~kShift) == 0;
  if (shift != 0) return false;
  if (keyCode == vk::Return || keyCode == vk::KeypadEnter || keyCode == vk::Escape) return true;
  const bool arrow = keyCode >= vk::Left && keyCode <= vk::Down;
  switch (control.Kind) {
    case ControlKind::CommandButton:
      return arrow || keyCode == vk::Space;
    case ControlKind::ComboBox:
      return keyCode == vk::Up || keyCode == vk::Down;
    case ControlKind::HScrollBar:
      return arrow || (keyCode >= vk::PageUp && keyCode <= vk::Home);
    default:
      return false;
  }
}

namespace {

bool contains(const Box& b, float x, float y) {
  return x >= b.left && x < b.left + b.width && y >= b.top && y < b.top + b.height;
}

bool takesMouse(const Control& c) {
  return c.Kind == ControlKind::Label || c.Kind == ControlKind::Image || c.Kind == ControlKind::PictureBox;
}

void addInside(const Form& form, const Control* container, std::vector<const Control*>& out) {
  const auto& list = form.controls();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if ((*it)->Container == container && (*it)->isLightweight()) out.push_back(*it);
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if ((*it)->Container == container && (*it)->Kind == ControlKind::PictureBox) {
      out.push_back(*it);
      addInside(form, *it, out);
    }
}

Control* hitInside(const Form& form, const Control* container, float x, float y) {
  for (Control* c : form.controls())
    if (c->Container == container && c->Kind == ControlKind::PictureBox && isShowing(*c) &&
        contains(absoluteBox(*c), x, y)) {
      Control* inner = hitInside(form, c, x, y);
      return inner ? inner : c;
    }
  for (Control* c : form.controls())
    if (c->Container == container && takesMouse(*c) && c->Kind != ControlKind::PictureBox && isShowing(*c) &&
        contains(absoluteBox(*c), x, y))
      return c;
  return nullptr;
}

}  // namespace

std::vector<const Control*> paintOrder(const Form& form) {
  std::vector<const Control*> out;
  addInside(form, nullptr, out);
  return out;
}

Control* hitTest(const Form& form, float x, float y) { return hitInside(form, nullptr, x, y); }

}  // namespace mojara::forms

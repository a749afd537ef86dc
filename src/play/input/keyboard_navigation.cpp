#include "play/input/keyboard_navigation.h"

#include <algorithm>

#include "forms/layout.h"

namespace mojara {

namespace vk = forms::vk;

namespace {

constexpr int kPortraits = 8;

// Where the mouse is when it is on the portrait: its centre, as a player points at it.
void mouseOnto(forms::Desktop& desktop, forms::Form& select, int portrait, int button) {
  const forms::Control* face = select.findControl("KYARA", portrait);
  if (!face) return;
  const forms::Box box = forms::absoluteBox(*face);
  const float x = box.left + box.width / 2, y = box.top + box.height / 2;
  if (button == 0)
    desktop.mouseMove(select, x, y);
  else
    desktop.mouseDown(select, x, y, button);
}

}  // namespace

int KeyboardNavigation::keyOfButton(PadButton button) {
  switch (button) {
    case PadButton::A:
    case PadButton::Start:
      return vk::Return;
    case PadButton::B:
      return vk::Escape;
    case PadButton::DpadLeft:
      return vk::Left;
    case PadButton::DpadRight:
      return vk::Right;
    case PadButton::DpadUp:
      return vk::Up;
    case PadButton::DpadDown:
      return vk::Down;
    default:
      return 0;
  }
}

bool KeyboardNavigation::keyPressed(forms::Form& form, int keyCode, int shift) {
  forms::Desktop& desktop = game_.desktop;
  if (desktop.ended()) return false;
  if (keyCode == vk::KeypadEnter && &form != &game_.form(Window::Battle)) keyCode = vk::Return;
  if (keyCode == vk::Escape && shift == 0 && demoRun()) {
    desktop.end();
    return true;
  }
  if (desktop.messageBoxOpen()) return desktop.navigate(form, keyCode, shift);
  if (&form == &game_.form(Window::Battle)) return false;
  if (&form == &game_.form(Window::Select)) return selectKey(form, keyCode, shift);
  return desktop.navigate(form, keyCode, shift);
}

bool KeyboardNavigation::padPressed(forms::Form& form, PadButton button, bool repeat) {
  const int key = keyOfButton(button);
  const bool arrow = key >= vk::Left && key <= vk::Down;
  if (key == vk::Escape && demoRun()) return repeat || keyPressed(form, key);
  const bool fight = &form == &game_.form(Window::Battle) && !game_.desktop.messageBoxOpen();
  if (key == 0 || fight) return false;
  if (!repeat || arrow) keyPressed(form, key);
  return true;
}

bool KeyboardNavigation::demoRun() const {
  // The computer plays the campaign, or a practice fight it steers is on (mojara --demo --fight).
  const auto& fight = game_.currentFight();
  return game_.demoPlay() || (game_.form(Window::Battle).loaded() && fight && fight->demo);
}

int KeyboardNavigation::pointer() const {
  const forms::Form& select = game_.form(Window::Select);
  if (const forms::Control* target = select.findControl("casol"); target && target->Visible)
    for (int k = 0; k < kPortraits; ++k)
      if (const forms::Control* face = select.findControl("KYARA", k); face && face->Left == target->Left) return k;
  return std::clamp(game_.M.PICKSLOT, 0, kPortraits - 1);
}

bool KeyboardNavigation::selectKey(forms::Form& select, int keyCode, int shift) {
  forms::Desktop& desktop = game_.desktop;
  forms::Control* strip = select.findControl("Picture1");
  forms::Control* bar = select.findControl("Scr");
  if (!strip || !bar || shift != 0) return desktop.navigate(select, keyCode, shift);
  // The strip lies above the speed bar: down to the bar, up to the strip.
  const bool onBar = desktop.focus(select) == bar;
  if (keyCode == vk::Up || keyCode == vk::Down) {
    desktop.setFocus(keyCode == vk::Down ? *bar : *strip);
    desktop.showKeyboardCues(select);
    return true;
  }
  const bool moves = !onBar && (keyCode == vk::Left || keyCode == vk::Right);
  if (!moves && keyCode != vk::Return) return desktop.navigate(select, keyCode, shift);
  int at = pointer();
  if (!desktop.keyboardCues(select)) {
    // The first key shows the pointer where it is, and does nothing else.
    desktop.showKeyboardCues(select);
  } else if (moves) {
    at = (at + (keyCode == vk::Right ? 1 : kPortraits - 1)) % kPortraits;
  } else {
    // Enter: a left click there, with the mouse moved onto the portrait first.
    mouseOnto(desktop, select, at, 0);
    mouseOnto(desktop, select, at, forms::mouse::Left);
    return true;
  }
  mouseOnto(desktop, select, at, 0);
  return true;
}

std::optional<forms::Box> KeyboardNavigation::mark(const forms::Form& form) const {
  const forms::Desktop& desktop = game_.desktop;
  if (!form.loaded()) return std::nullopt;
  const forms::Control* focused = desktop.focus(form);
  if (!focused) return std::nullopt;
  // The button Enter presses is always shown, as the window system of the game's time showed it.
  if (focused->Kind == forms::ControlKind::CommandButton) return forms::absoluteBox(*focused);
  if (!desktop.keyboardCues(form)) return std::nullopt;
  if (&form == &game_.form(Window::Select) && focused->Kind == forms::ControlKind::PictureBox) {
    if (game_.M.PRESSED == 1) return std::nullopt;  // the strip takes no more picks
    const forms::Control* face = form.findControl("KYARA", pointer());
    if (!face) return std::nullopt;
    return forms::absoluteBox(*face);
  }
  if (focused->Kind == forms::ControlKind::HScrollBar || focused->Kind == forms::ControlKind::PictureBox)
    return forms::absoluteBox(*focused);
  return std::nullopt;
}

}  // namespace mojara

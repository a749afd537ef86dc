#include "forms/desktop.h"

#include <algorithm>
#include <stdexcept>

#include "forms/layout.h"

namespace mojara::forms {

Desktop::Desktop(DesktopHost& host, const Clock& clock, Nanos timerResolution)
    : host_(host), clock_(clock), timerResolution_(timerResolution), scheduler_(clock, timerResolution) {}

template <class F>
void Desktop::dispatch(F&& handler) {
  // Handlers never nest: the front end delivers one event at a time.
  if (inHandler_) throw std::logic_error("an event was dispatched inside another event's handler");
  inHandler_ = true;
  try {
    handler();
  } catch (...) {
    inHandler_ = false;
    throw;
  }
  inHandler_ = false;
}

void Desktop::load(Form& form) {
  if (form.loaded_ || ended_) return;
  form.controls_ = form.buildControls();
  for (Control* c : form.controls_) c->Parent = &form;
  form.loaded_ = true;
  form.timerEvents_ = 0;
  form.focus_ = nullptr;
  form.keyboardCues_ = false;
  host_.formLoaded(form);
  for (Control* c : form.controls_) {
    if (c->Kind == ControlKind::Timer) scheduler_.attach(static_cast<Timer&>(*c));
    if (c->Kind == ControlKind::SoundSlot) {
      auto& slot = static_cast<SoundSlot&>(*c);
      slot.service_ = host_.soundService();
      if (slot.service_) slot.service_->attached(slot);
    }
  }
  form.Form_Load();
}

void Desktop::show(Form& form) {
  load(form);
  if (!form.loaded_) return;
  if (form.shown_) {
    // Showing a window that is up already brings it to the front, with the keyboard.
    std::erase(shownOrder_, &form);
    shownOrder_.push_back(&form);
    host_.formRaised(form);
    return;
  }
  form.shown_ = true;
  shownOrder_.push_back(&form);
  host_.formShown(form);
}

void Desktop::unload(Form& form) {
  if (!form.loaded_) return;
  form.Form_Unload();
  for (Control* c : form.controls_) {
    if (c->Kind == ControlKind::Timer) scheduler_.detach(static_cast<Timer&>(*c));
    if (c->Kind == ControlKind::SoundSlot) {
      auto& slot = static_cast<SoundSlot&>(*c);
      if (slot.service_) slot.service_->released(slot);
      slot.service_ = nullptr;
    }
  }
  host_.formUnloaded(form);
  form.controls_.clear();
  form.focus_ = nullptr;
  form.dropControls();
  form.loaded_ = false;
  form.shown_ = false;
  std::erase(shownOrder_, &form);
}

void Desktop::end() {
  if (ended_) return;
  ended_ = true;
  scheduler_.stopAll();
  modal_ = nullptr;
  host_.programEnded();
}

void Desktop::beep() { host_.beep(); }

void Desktop::msgBox(const std::string& text, const std::string& caption, std::function<void()> onClosed) {
  modal_ = onClosed ? std::move(onClosed) : [] {};
  host_.messageBox(text, caption);
}

void Desktop::closeMessageBox() {
  if (!modal_ || ended_) return;
  auto then = std::move(modal_);
  modal_ = nullptr;
  host_.messageBoxClosed();
  dispatch(then);
}

void Desktop::keyDown(Form& form, int keyCode, int shift) {
  if (!acceptsInput() || !form.shown_) return;
  if (keyCode == vk::F1 && help_) {
    for (Control* c : form.controls_)
      if (c->Kind == ControlKind::CommandButton) {
        if (int context = static_cast<CommandButton*>(c)->HelpContextID) {
          dispatch([&] { help_(context); });
          return;
        }
      }
  }
  dispatch([&] { form.onKeyDown(keyCode, shift); });
}

void Desktop::secondPlayerKeyDown(Form& form, int keyCode) {
  if (!acceptsInput() || !form.shown_) return;
  dispatch([&] { form.onSecondPlayerKeyDown(keyCode); });
}

void Desktop::click(Control& control) {
  if (!acceptsInput() || !control.Parent || !control.Parent->shown_) return;
  if (control.Kind == ControlKind::CommandButton && !static_cast<CommandButton&>(control).Enabled) return;
  dispatch([&] { control.Parent->onClick(control); });
}

void Desktop::mouseMove(Form& form, float x, float y, int button) {
  if (!acceptsInput() || !form.shown_) return;
  if (Control* hit = hitTest(form, x, y)) {
    const Box at = absoluteBox(*hit);
    dispatch([&] { form.onMouseMove(*hit, button, x - at.left, y - at.top); });
  }
}

void Desktop::mouseDown(Form& form, float x, float y, int button) {
  if (!acceptsInput() || !form.shown_) return;
  if (Control* hit = hitTest(form, x, y)) {
    const Box at = absoluteBox(*hit);
    dispatch([&] { form.onMouseDown(*hit, button, x - at.left, y - at.top); });
  }
}

void Desktop::change(HScrollBar& bar, int value) {
  if (!acceptsInput() || !bar.Parent || !bar.Parent->shown_) return;
  value = std::clamp(value, std::min(bar.Min, bar.Max), std::max(bar.Min, bar.Max));
  if (value == bar.Value) return;
  bar.Value = value;
  dispatch([&] { bar.Parent->onChange(bar); });
}

void Desktop::choose(ComboBox& combo, int listIndex) {
  if (!acceptsInput() || !combo.Parent || !combo.Parent->shown_) return;
  if (listIndex < 0 || listIndex >= static_cast<int>(combo.List.size())) return;
  combo.ListIndex = listIndex;
  combo.Text = combo.List[listIndex];
  dispatch([&] { combo.Parent->onClick(combo); });
}

void Desktop::closeRequest(Form& form) {
  if (ended_ || !form.loaded_) return;
  if (form.closingEndsProgram()) {
    end();
    return;
  }
  if (modal_) return;
  dispatch([&] { unload(form); });
}

namespace {
// Out of the way of the timer path, which only traced runs ask for the name.
[[gnu::noinline]] void copyName(std::string& to, const Timer& timer) { to = timer.Name; }
}  // namespace

bool Desktop::fireNextDueTimer(std::string* timerName) {
  if (ended_ || modal_) return false;
  Timer* timer = scheduler_.takeDue(clock_.now());
  if (!timer) return false;
  if (timerName) copyName(*timerName, *timer);  // the handler may unload the timer's form
  Form& form = *timer->Parent;
  ++form.timerEvents_;
  dispatch([&] { form.onTimer(*timer); });
  return true;
}

Control* Desktop::focus(const Form& form) const {
  if (!form.loaded_) return nullptr;
  if (form.focus_ && takesKeyboard(*form.focus_)) return form.focus_;
  const std::vector<Control*> order = tabOrder(form);
  return order.empty() ? nullptr : order.front();
}

void Desktop::setFocus(Control& control) {
  if (control.Parent && control.Parent->loaded_ && takesKeyboard(control)) control.Parent->focus_ = &control;
}

bool Desktop::moveFocus(Form& form, int step) {
  const std::vector<Control*> order = tabOrder(form);
  if (order.empty()) return false;
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  const std::ptrdiff_t at = std::find(order.begin(), order.end(), focus(form)) - order.begin();
  form.focus_ = order[static_cast<std::size_t>(((at + step) % n + n) % n)];
  return true;
}

namespace {

CommandButton* buttonWhere(const Form& form, bool CommandButton::*property) {
  for (Control* c : form.controls())
    if (c->Kind == ControlKind::CommandButton && static_cast<CommandButton*>(c)->*property && takesKeyboard(*c))
      return static_cast<CommandButton*>(c);
  return nullptr;
}

}  // namespace

bool Desktop::navigate(Form& form, int keyCode, int shift) {
  constexpr int kShift = 1;
  if (ended_ || !form.shown_) return false;
  if (keyCode == vk::KeypadEnter) keyCode = vk::Return;  // either Enter presses a button
  if (modal_) {
    if (shift != 0 || (keyCode != vk::Return && keyCode != vk::Escape && keyCode != vk::Space)) return false;
    closeMessageBox();
    return true;
  }
  Control* focused = focus(form);
  auto* button = focused && focused->Kind == ControlKind::CommandButton ? static_cast<CommandButton*>(focused) : nullptr;
  bool used = false;
  if (keyCode == vk::Tab && (shift & ~kShift) == 0) {
    used = moveFocus(form, shift ? -1 : 1);
  } else if (shift != 0) {
    return false;
  } else if (keyCode == vk::Return || keyCode == vk::Space || keyCode == vk::Escape) {
    CommandButton* pressed = keyCode == vk::Escape  ? buttonWhere(form, &CommandButton::Cancel)
                             : button               ? button
                             : keyCode == vk::Return ? buttonWhere(form, &CommandButton::Default)
                                                     : nullptr;
    if (!pressed) return false;
    form.keyboardCues_ = true;
    click(*pressed);
    return true;
  } else if (button) {
    if (keyCode == vk::Left || keyCode == vk::Up) used = moveFocus(form, -1);
    if (keyCode == vk::Right || keyCode == vk::Down) used = moveFocus(form, 1);
  } else if (focused && focused->Kind == ControlKind::ComboBox) {
    auto& list = static_cast<ComboBox&>(*focused);
    const int step = keyCode == vk::Down ? 1 : keyCode == vk::Up ? -1 : 0;
    if (step == 0) return false;
    used = true;
    const int next = list.ListIndex + step;
    if (next >= 0 && next < static_cast<int>(list.List.size()) && next != list.ListIndex) choose(list, next);
  } else if (focused && focused->Kind == ControlKind::HScrollBar) {
    auto& bar = static_cast<HScrollBar&>(*focused);
    // As the bar is drawn: its smaller end on the left.
    const int low = std::min(bar.Min, bar.Max), high = std::max(bar.Min, bar.Max);
    int to = bar.Value;
    switch (keyCode) {
      case vk::Left:
      case vk::Up:
        to -= bar.SmallChange;
        break;
      case vk::Right:
      case vk::Down:
        to += bar.SmallChange;
        break;
      case vk::PageUp:
        to -= bar.LargeChange;
        break;
      case vk::PageDown:
        to += bar.LargeChange;
        break;
      case vk::Home:
        to = low;
        break;
      case vk::End:
        to = high;
        break;
      default:
        return false;
    }
    used = true;
    change(bar, std::clamp(to, low, high));
  }
  if (used) form.keyboardCues_ = true;
  return used;
}

Form* Desktop::foreground() const { return shownOrder_.empty() ? nullptr : shownOrder_.back(); }

}  // namespace mojara::forms

#include "forms/desktop.h"

#include <algorithm>
#include <stdexcept>

#include "forms/layout.h"

namespace mojara::forms {

Desktop::Desktop(DesktopHost& host, const Clock& clock, Nanos timerResolution)
    : host_(host), clock_(clock), scheduler_(clock, timerResolution) {}

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

Form* Desktop::foreground() const { return shownOrder_.empty() ? nullptr : shownOrder_.back(); }

}  // namespace mojara::forms

// The desktop: which forms are loaded and shown, the timers, and the dispatch of every event to
// its handler, one at a time and each to completion. The front end (windowed or headless) feeds
// it input and time and is told what to show through DesktopHost.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/scheduler.h"

namespace mojara::forms {

class DesktopHost {
 public:
  virtual ~DesktopHost() = default;
  virtual void formLoaded(Form&) {}    // a window exists (not yet visible)
  virtual void formShown(Form&) {}     // and is now visible
  virtual void formRaised(Form&) {}    // shown again while visible: to the front, with the keyboard
  virtual void formMoved(Form&) {}     // Left or Top changed
  virtual void formUnloaded(Form&) {}  // it is gone
  virtual void beep() {}
  // Show a modal message box; the host calls Desktop::closeMessageBox when the user closes it.
  virtual void messageBox(const std::string& text, const std::string& caption) { (void)text, (void)caption; }
  // The message box was closed (by the host, or by a key the desktop took): take it off the screen.
  virtual void messageBoxClosed() {}
  virtual void programEnded() {}
  // The sound devices; none means every slot stays silent.
  virtual SoundService* soundService() { return nullptr; }
  // The folder the program and its sound files live in.
  virtual std::string programFolder() const { return "."; }
  // A seed taken from the system clock, for reseeding the program's random generator.
  virtual std::uint64_t clockSeed() = 0;
};

class Desktop {
 public:
  Desktop(DesktopHost& host, const Clock& clock, Nanos timerResolution = kDefaultTimerResolution);

  // What handlers do to windows.
  void load(Form& form);
  void show(Form& form);  // loads it first if needed; brings it to the front if shown already
  void unload(Form& form);
  void end();  // ends the program: every window closes, no unload handlers run
  void beep();
  void msgBox(const std::string& text, const std::string& caption, std::function<void()> onClosed);
  std::uint64_t clockSeed() { return host_.clockSeed(); }
  std::string programFolder() const { return host_.programFolder(); }
  void moved(Form& form) { host_.formMoved(form); }  // after a change of Left or Top
  Nanos now() const { return clock_.now(); }
  Nanos timerResolution() const { return timerResolution_; }

  // Input from the front end, each dispatched as one event. Ignored after the end of the program
  // and, except for closeMessageBox, while a message box is open.
  void keyDown(Form& form, int keyCode, int shift = 0);
  void secondPlayerKeyDown(Form& form, int keyCode);
  void click(Control& control);
  void mouseMove(Form& form, float x, float y, int button = 0);
  void mouseDown(Form& form, float x, float y, int button);
  void change(HScrollBar& bar, int value);
  void choose(ComboBox& combo, int listIndex);
  void closeRequest(Form& form);  // the title-bar close button
  void closeMessageBox();

  // Time: fire the first timer due at the clock's present time (false if none is due).
  bool fireNextDueTimer(std::string* timerName = nullptr);
  std::optional<Nanos> nextDue() const {
    if (ended_ || modal_) return std::nullopt;
    return scheduler_.nextDue();
  }

  // The keyboard. On each window it is on the control the player moved it to (with Tab, the arrow
  // keys or a click) while that control can have it, and otherwise on the first control in Tab
  // order (forms/layout.h); none on a window without such controls.
  Control* focus(const Form& form) const;
  void setFocus(Control& control);  // ignored for a control that cannot have the keyboard now
  // Moving about a window with the keyboard, as the window system does for keys that the window
  // itself does not take. Tab and Shift+Tab move the keyboard on and back; Enter presses the button
  // that has the keyboard or else the default button, the space bar the button that has the
  // keyboard, Escape the cancel button; the arrow keys move the keyboard between buttons, choose
  // the previous or next item of a list, and step a scroll bar (with Page Up, Page Down, Home and
  // End). While a message box is open, Enter, Escape and the space bar close it. Returns whether
  // the key did any of this.
  bool navigate(Form& form, int keyCode, int shift);
  // Whether the keyboard has been used on the window since its load: the front end shows where
  // the keyboard is from then on, as the window system shows its focus marks.
  bool keyboardCues(const Form& form) const { return form.keyboardCues_; }
  void showKeyboardCues(Form& form) { form.keyboardCues_ = true; }

  // F1 asks for help on the form's help context, if it has one.
  void setHelpHandler(std::function<void(int context)> handler) { help_ = std::move(handler); }

  bool ended() const { return ended_; }
  bool messageBoxOpen() const { return static_cast<bool>(modal_); }
  Form* foreground() const;  // the window shown last, which has the keyboard

 private:
  bool acceptsInput() const { return !ended_ && !modal_; }
  bool moveFocus(Form& form, int step);
  template <class F>
  void dispatch(F&& handler);

  DesktopHost& host_;
  const Clock& clock_;
  Nanos timerResolution_;
  Scheduler scheduler_;
  std::vector<Form*> shownOrder_;
  std::function<void()> modal_;
  std::function<void(int)> help_;
  bool ended_ = false;
  bool inHandler_ = false;
};

}  // namespace mojara::forms

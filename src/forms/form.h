// A form: one window of the game. Its window variables live in the form object for the whole run;
// its controls are built from their design state at every load and dropped at every unload.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/controls.h"

namespace mojara::forms {

class Desktop;

// The window frame around the client area (two borders of four pixels): a form's outer width is
// its client width plus this.
inline constexpr float kFrameWidthTwips = 120.0f;

class Form {
 public:
  Form(Desktop& desktop, std::string name);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form() = default;

  const std::string& name() const { return name_; }
  bool loaded() const { return loaded_; }
  bool shown() const { return shown_; }
  // The timer events this window has handled since its load, counted from 1 over all its timers.
  long long timerEvents() const { return timerEvents_; }

  // Window properties (design state, except the position).
  std::string Caption;
  float ScaleWidth = 0, ScaleHeight = 0;  // client area, twips
  Rgb BackColor{192, 192, 192};
  PictureRef Icon;
  bool MaxButton = true, MinButton = true;
  bool KeyPreview = false;
  float Left = 0;
  float Top = 0;
  float Width() const { return ScaleWidth + kFrameWidthTwips; }

  // The controls while loaded, in drawing order (topmost first); timers and sound slots included.
  const std::vector<Control*>& controls() const { return controls_; }
  Control* findControl(std::string_view name, int index = -1) const;

  // Whether closing this window from its title bar ends the program (every game window does).
  virtual bool closingEndsProgram() const { return true; }

  // Event handlers; the desktop calls them one at a time, each to completion.
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void onKeyDown(int keyCode, int shift) { (void)keyCode, (void)shift; }
  // A key of the second player, in two-player play: the code of the key that player 1 would press
  // for the same command.
  virtual void onSecondPlayerKeyDown(int keyCode) { (void)keyCode; }
  virtual void onClick(Control& control) { (void)control; }
  virtual void onMouseMove(Control& control, int button, float x, float y) {
    (void)control, (void)button, (void)x, (void)y;
  }
  virtual void onMouseDown(Control& control, int button, float x, float y) {
    (void)control, (void)button, (void)x, (void)y;
  }
  virtual void onChange(Control& control) { (void)control; }
  virtual void onTimer(Timer& timer) { (void)timer; }

 protected:
  Desktop& desktop;

  // The window's design state: caption, client area in twips, background colour and icon. None
  // of the game's windows can be maximised.
  void designWindow(std::string caption, float width, float height, Rgb back, PictureRef icon = {}) {
    Caption = std::move(caption);
    ScaleWidth = width;
    ScaleHeight = height;
    BackColor = back;
    Icon = icon;
    MaxButton = false;
  }

  // Moves the window up off the screen: 101 steps of 300 twips, each applied at once. Every window
  // of the game does this in its unload handler.
  void slideUp();

 private:
  friend class Desktop;
  virtual std::vector<Control*> buildControls() = 0;
  virtual void dropControls() = 0;

  std::string name_;
  bool loaded_ = false;
  bool shown_ = false;
  long long timerEvents_ = 0;
  std::vector<Control*> controls_;
  Control* focus_ = nullptr;   // where the player moved the keyboard, if anywhere
  bool keyboardCues_ = false;  // the keyboard has moved about the window since its load
};

// A form whose controls are the members of `Controls`, a struct whose constructor sets the design
// state and whose list() gives the drawing order. `ctl` points at them while the form is loaded.
template <class Controls>
class FormOf : public Form {
 public:
  using Form::Form;
  Controls* ctl = nullptr;

 private:
  std::vector<Control*> buildControls() final {
    controls_.emplace();
    ctl = &*controls_;
    return ctl->list();
  }
  void dropControls() final {
    ctl = nullptr;
    controls_.reset();
  }
  std::optional<Controls> controls_;
};

}  // namespace mojara::forms

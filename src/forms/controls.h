// The controls a form is built from. Each is plain data with the properties the game uses, named
// as the game names them; the front end reads them to draw and writes them back on user input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/types.h"

namespace mojara::forms {

class Form;
class Scheduler;
class SoundService;

enum class ControlKind {
  Label,
  Image,
  Shape,
  PictureBox,
  CommandButton,
  ComboBox,
  TextBox,
  HScrollBar,
  Timer,
  SoundSlot
};

struct Control {
  Control(ControlKind kind, std::string name, int index, Box box)
      : Kind(kind),
        Name(std::move(name)),
        Index(index),
        Left(box.left),
        Top(box.top),
        Width(box.width),
        Height(box.height) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const ControlKind Kind;
  const std::string Name;
  const int Index;                 // position in its control array, -1 for a single control
  float Left, Top, Width, Height;  // twips, relative to the container (or the form)
  bool Visible = true;
  Control* Container = nullptr;  // the picture box holding it, if any
  Form* Parent = nullptr;        // set when the form builds its controls

  // Labels, images and shapes are painted by the form itself, in its drawing order.
  bool isLightweight() const {
    return Kind == ControlKind::Label || Kind == ControlKind::Image || Kind == ControlKind::Shape;
  }
  // Timers and sound slots have no place on the screen.
  bool isInvisibleAtRunTime() const { return Kind == ControlKind::Timer || Kind == ControlKind::SoundSlot; }
};

enum class TextAlign { Left, Right, Center };
enum class BackMode { Transparent, Opaque };

struct Label : Control {
  Label(std::string name, Box box, int index = -1)
      : Control(ControlKind::Label, std::move(name), index, box) {}
  std::string Caption;
  FontSpec Font;
  Rgb ForeColor{0, 0, 0};
  Rgb BackColor{192, 192, 192};
  BackMode BackStyle = BackMode::Opaque;
  TextAlign Alignment = TextAlign::Left;
  bool AutoSize = false;
  bool WordWrap = false;
};

struct Image : Control {
  Image(std::string name, Box box, int index = -1)
      : Control(ControlKind::Image, std::move(name), index, box) {}
  PictureRef Picture;
  bool Stretch = true;
};

enum class ShapeKind { Rectangle, RoundedRectangle, Circle };

struct Shape : Control {
  Shape(std::string name, Box box, int index = -1)
      : Control(ControlKind::Shape, std::move(name), index, box) {}
  ShapeKind Style = ShapeKind::Rectangle;
  Rgb FillColor{0, 0, 0};
  bool FillSolid = true;
  Rgb BorderColor{0, 0, 0};
  bool BorderVisible = false;
};

struct PictureBox : Control {
  PictureBox(std::string name, Box box, int index = -1)
      : Control(ControlKind::PictureBox, std::move(name), index, box) {}
  Rgb BackColor{192, 192, 192};
  bool Border = false;
};

struct CommandButton : Control {
  CommandButton(std::string name, Box box, int index = -1)
      : Control(ControlKind::CommandButton, std::move(name), index, box) {}
  std::string Caption;
  FontSpec Font;
  bool Enabled = true;
  int HelpContextID = 0;
  bool Default = false;  // Enter presses it when no other button has the keyboard
  bool Cancel = false;   // Escape presses it
};

struct ComboBox : Control {
  ComboBox(std::string name, Box box, int index = -1)
      : Control(ControlKind::ComboBox, std::move(name), index, box) {}
  std::vector<std::string> List;  // the items, in order
  std::string Text;               // the chosen item's text; empty before a choice
  int ListIndex = -1;
  FontSpec Font;
};

struct TextBox : Control {
  TextBox(std::string name, Box box, int index = -1)
      : Control(ControlKind::TextBox, std::move(name), index, box) {}
  std::string Text;
  FontSpec Font;
  bool Locked = false;  // read-only
  bool MultiLine = false;
  bool VerticalScrollBar = false;
};

struct HScrollBar : Control {
  HScrollBar(std::string name, Box box, int index = -1)
      : Control(ControlKind::HScrollBar, std::move(name), index, box) {}
  int Min = 0, Max = 32767, Value = 0, SmallChange = 1, LargeChange = 1;
};

// A window timer. Enabling, disabling and changing the interval go through the scheduler of the
// desktop that the form is loaded on, so that due times and firing order stay right.
class Timer : public Control {
 public:
  Timer(std::string name, std::int32_t interval, bool enabled)
      : Control(ControlKind::Timer, std::move(name), -1, {}), interval_(interval), enabled_(enabled) {
    Visible = false;
  }
  bool Enabled() const { return enabled_; }
  std::int32_t Interval() const { return interval_; }
  void setEnabled(bool on);
  void setInterval(std::int32_t ms);  // restarts a running timer, as the window system does
  void enable() { setEnabled(true); }
  void disable() { setEnabled(false); }

 private:
  friend class Scheduler;
  std::int32_t interval_;
  bool enabled_;
  Scheduler* scheduler_ = nullptr;
};

// A media-control device that plays one sound file at a time: set the file name, then send the
// commands "Open", "Prev" (rewind) and "Play"; the mode reads 526 exactly while a sound plays.
class SoundSlot : public Control {
 public:
  static constexpr int kModeStopped = 525;
  static constexpr int kModePlaying = 526;

  explicit SoundSlot(std::string name) : Control(ControlKind::SoundSlot, std::move(name), -1, {}) {
    Visible = false;
  }
  std::string FileName;
  void Command(const std::string& command);  // executes at once
  int Mode() const;

 private:
  friend class Desktop;
  SoundService* service_ = nullptr;
};

// The platform's sound devices behind the sound slots.
class SoundService {
 public:
  virtual ~SoundService() = default;
  virtual void command(SoundSlot& slot, const std::string& command) = 0;
  virtual bool playing(const SoundSlot& slot) const = 0;
  // The slot's window was loaded: the slot may be opened and played from now on.
  virtual void attached(SoundSlot& slot) { (void)slot; }
  // The slot's window was unloaded: its device closes and its sound stops.
  virtual void released(SoundSlot& slot) { (void)slot; }
};

inline void SoundSlot::Command(const std::string& command) {
  if (service_) service_->command(*this, command);
}

inline int SoundSlot::Mode() const {
  return service_ && service_->playing(*this) ? kModePlaying : kModeStopped;
}

}  // namespace mojara::forms

#include "forms/form.h"

#include "forms/desktop.h"

namespace mojara::forms {

Form::Form(Desktop& desktop, std::string name) : desktop(desktop), name_(std::move(name)) {}

Control* Form::findControl(std::string_view name, int index) const {
  for (Control* c : controls_)
    if (c->Name == name && c->Index == index) return c;
  return nullptr;
}

void Form::slideUp() {
  // Kept: 101 steps (0 To 100) of 300 twips, all within the unload before the window closes: 30300 up.
  for (int step = 0; step <= 100; ++step) {
    Top -= 300;
    desktop.moved(*this);
  }
}

}  // namespace mojara::forms

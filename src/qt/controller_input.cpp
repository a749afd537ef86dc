#include "qt/controller_input.h"

#include <algorithm>
#include <iostream>

namespace mojara::qt {

ControllerInput::ControllerInput(FrontEnd& frontEnd, PlaySession& play, PlayerSettings& settings,
                                 VersusPlay& versus)
    : frontEnd_(frontEnd),
      play_(play),
      settings_(settings),
      versus_(versus),
      controllers_([](const std::string& why) { std::cerr << "mojara: " << why << "\n"; }) {
  if (!controllers_.available()) return;
  QObject::connect(&poll_, &QTimer::timeout, [this] {
    controllers_.poll(frontEnd_.now(), [this](const pads::PadPress& press) { pressed(press); });
    if (KeySettingsWindow* keys = settings_.keyWindow()) {
      QStringList lines;
      for (const auto& [player, name] : controllers_.connected())
        lines << QStringLiteral("%1: %2").arg(frontEnd_.texts()(playerName(player)), QString::fromStdString(name));
      keys->setControllers(lines.isEmpty() ? frontEnd_.texts()("コントローラーなし") : lines.join(QStringLiteral("　")));
    }
  });
  poll_.start(kPollMillis);
}

void ControllerInput::pressed(const pads::PadPress& press) {
  KeySettingsWindow* keys = settings_.keyWindow();
  if (keys && !press.repeat && keys->padPressed(press.player, press.button)) return;
  const int navigationKey = KeyboardNavigation::keyOfButton(press.button);
  // The key-settings window in front takes the controllers' B, as Escape, and nothing else.
  if (keys && keys->isActiveWindow()) {
    if (!press.repeat && navigationKey == forms::vk::Escape) keys->escape();
    return;
  }
  if (versus_.window().isVisible()) {
    // The buttons of the commands the window knows pick and start as they do in a fight; the
    // others move about it as outside a fight (A and Start start, B goes back to the title).
    constexpr command::Command kPicking[] = {command::WalkLeft, command::WalkRight, command::Punch,
                                             command::Pause};
    const std::optional<command::Command> asked = play_.bindings().commandOfButton(press.player, press.button);
    // A held button repeats like a held key, except pause, which would toggle on and off.
    const bool bound = asked && !(press.repeat && *asked == command::Pause);
    if (bound && std::find(std::begin(kPicking), std::end(kPicking), *asked) != std::end(kPicking))
      versus_.window().gameKey({press.player, keyOf(*asked)});
    else if (!press.repeat)
      versus_.window().navigationKey(press.player, navigationKey);
    return;
  }
  play_.padPressed(press.player, press.button, press.repeat);
  frontEnd_.afterEvent();
}

}  // namespace mojara::qt

#include "qt/controller_input.h"

#include <iostream>

namespace mojara::qt {

ControllerInput::ControllerInput(FrontEnd& frontEnd, PlayerSettings& settings, VersusPlay& versus)
    : frontEnd_(frontEnd),
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
  // The key-settings window in front takes the controllers' B, as Escape, and nothing else.
  if (keys && keys->isActiveWindow()) {
    if (!press.repeat && KeyboardNavigation::keyOfButton(press.button) == forms::vk::Escape) keys->close();
    return;
  }
  const std::optional<Command> command = frontEnd_.bindings().commandOfButton(press.player, press.button);
  // A held button repeats like a held key, except pause, which would toggle on and off.
  const bool bound = command && !(press.repeat && *command == Command::Pause);
  const GameKey key{press.player, bound ? infoOf(*command).battleKey : 0};
  if (versus_.window().isVisible()) {
    if (bound) versus_.window().gameKey(key);
    return;
  }
  forms::Form* front = frontEnd_.desktop().foreground();
  if (!front || !frontEnd_.input()) return;
  // Outside a fight the buttons move about the window in front, for either player.
  if (KeyboardNavigation* navigation = frontEnd_.navigation();
      navigation && navigation->padPressed(*front, press.button, press.repeat))
    return frontEnd_.afterEvent();
  // Player 2's controller steers only in a versus fight.
  if (!bound || (key.player == 1 && !versus_.session().fighting())) return;
  frontEnd_.gameKeyPressed(*front, key);
}

}  // namespace mojara::qt

#include "play/texts/help_keys.h"

namespace mojara {

bool isControlsTopic(const std::string& text) {
  // Its heading, then its first line, whichever line breaks the box holds.
  constexpr std::string_view heading = "操作方法", first = "ゲームの操作";
  if (!text.starts_with(heading)) return false;
  const std::string_view rest = std::string_view(text).substr(heading.size());
  return rest.starts_with("\n" + std::string(first)) || rest.starts_with("\r\n" + std::string(first));
}

std::vector<Wording> keysInEffect(const KeyBindings& bindings) {
  if (bindings == KeyBindings::defaults()) return {};
  std::vector<Wording> lines{{"", {}}, {"いまのキーとボタン", {}}};
  for (int player = 0; player < kPlayers; ++player) {
    lines.push_back({playerName(player), {}});
    for (const BindableCommand& c : kBindableCommands)
      lines.push_back({"%1（%2）・・・%3",
                       {keyLabel(bindings.key(player, c.command)),
                        std::string(padButtonLabel(bindings.button(player, c.command))), std::string(c.label)}});
  }
  return lines;
}

}  // namespace mojara

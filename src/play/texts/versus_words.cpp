#include "play/texts/versus_words.h"

#include "play/input/key_bindings.h"

namespace mojara {

VersusWords versusWords(std::optional<int> winner, bool online) {
  VersusWords words{{"対戦", {}}, {}, {"たたかう", {}}, {"タイトルへ", {}}};
  if (winner)
    words.heading = {"%1の勝ち！", {playerName(*winner)}};
  else
    words.heading = {online ? "インターネットで対戦" : "ふたりで対戦", {}};
  return words;
}

}  // namespace mojara

// What the windows show for the game's texts (window titles, captions, buttons, lists, the help's
// text, message boxes): the texts as the game wrote them, or their translation. Translation is
// for the eye only: the game's controls keep their own texts, so the fight, its traces and its
// replays are the same in every language.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <unordered_map>

#include "play/caption_translator.h"

namespace mojara::qt {

class ShownTexts {
 public:
  ShownTexts() = default;  // the game's own texts
  explicit ShownTexts(CaptionTranslator translator) : translator_(std::move(translator)) {}

  static const ShownTexts& original();

  // `text` as a window shows it, its line breaks as LF.
  QString operator()(const std::string& text) const;

 private:
  std::optional<CaptionTranslator> translator_;
  // A window asks for the same few texts at every frame: each is translated once. The points and
  // the hit counter make new texts as a fight goes on, so the store is emptied now and then.
  mutable std::unordered_map<std::string, QString> known_;
};

}  // namespace mojara::qt

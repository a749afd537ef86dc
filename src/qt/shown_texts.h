// What the windows show for the game's texts (window titles, captions, buttons, lists, the help's
// text, message boxes): the texts as the game wrote them, or their translation. Translation is
// for the eye only: the game's controls keep their own texts, so the fight, its traces and its
// replays are the same in every language.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <unordered_map>

#include "forms/controls.h"
#include "play/caption_translator.h"
#include "play/translated_looks.h"

namespace mojara::qt {

class ShownTexts {
 public:
  ShownTexts() = default;  // the game's own texts
  explicit ShownTexts(CaptionTranslator translator) : translator_(std::move(translator)) {}

  static const ShownTexts& original();

  // `text` as a window shows it, its line breaks as LF.
  QString operator()(const std::string& text) const;

  // How a label is shown where the game's layout, made for its Japanese texts, does not suit a
  // translation; in the game's own language every label is shown as the game placed it.
  using LabelLook = mojara::LabelLook;
  LabelLook lookOf(const forms::Label& label) const;

 private:
  std::optional<CaptionTranslator> translator_;
  // A window asks for the same few texts at every frame: each is translated once. The points and
  // the hit counter make new texts as a fight goes on, so the store is emptied now and then.
  mutable std::unordered_map<std::string, QString> known_;
};

}  // namespace mojara::qt

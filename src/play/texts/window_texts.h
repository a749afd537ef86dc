// play/texts: the windows' texts as shown, in the game's words or another language's.
// The game's texts as the windows show them (window titles, captions, buttons, lists, the help's
// text, message boxes): as the game wrote them, or their translation. Translation is for the eye
// only: the game's controls keep their own texts, so the fight, its traces and its replays are
// the same in every language. Every front end shows its texts through one of these.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "forms/controls.h"
#include "play/texts/caption_translator.h"
#include "play/input/key_bindings.h"
#include "play/texts/translated_looks.h"

namespace mojara {

class Game;

class WindowTexts {
 public:
  WindowTexts() = default;  // the game's own texts
  explicit WindowTexts(CaptionTranslator translator) : translator_(std::move(translator)) {}

  // The game whose battle window's messages are translated from its fight (play/texts/battle_captions.h).
  void setGame(const Game* game) { game_ = game; }
  // The players' bindings: once rebound, the help's controls topic shows the keys in effect
  // beneath its own text (play/texts/help_keys.h).
  void setBindings(const KeyBindings* bindings) { bindings_ = bindings; }

  // `text` as a window shows it, its line breaks as LF.
  std::string operator()(const std::string& text) const;
  // What `label` shows: its caption as above; translated, the battle window's messages are made
  // from the fight's numbers instead.
  std::string caption(const forms::Label& label) const;
  // How a label is shown where the game's layout, made for its Japanese texts, does not suit a
  // translation; in the game's own language every label is shown as the game placed it.
  LabelLook lookOf(const forms::Label& label) const { return translator_ ? translatedLookOf(label) : LabelLook{}; }
  bool translated() const { return translator_.has_value(); }

 private:
  std::string translated(const std::string& text) const;

  std::optional<CaptionTranslator> translator_;
  const Game* game_ = nullptr;
  const KeyBindings* bindings_ = nullptr;
  // A window asks for the same few texts at every frame: each is translated once.
  mutable std::unordered_map<std::string, std::string> known_;
};

}  // namespace mojara

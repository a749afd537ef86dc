// What the page shows for the game's texts: as the game wrote them, or their translation. The
// game's controls keep their own texts; only what is drawn is translated.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "forms/controls.h"
#include "play/caption_translator.h"
#include "play/translated_looks.h"

namespace mojara::web {

class WebTexts {
 public:
  WebTexts() = default;  // the game's own texts
  explicit WebTexts(CaptionTranslator translator) : translator_(std::move(translator)) {}

  // `text` as shown, its line breaks as LF.
  std::string operator()(const std::string& text) const;
  LabelLook lookOf(const forms::Label& label) const { return translator_ ? translatedLookOf(label) : LabelLook{}; }
  bool translated() const { return translator_.has_value(); }

 private:
  std::optional<CaptionTranslator> translator_;
  // The same few texts are asked for at every frame: each is translated once.
  mutable std::unordered_map<std::string, std::string> known_;
};

}  // namespace mojara::web

#include "play/texts/window_texts.h"

#include "play/texts/battle_captions.h"
#include "play/texts/help_keys.h"

namespace mojara {

std::string WindowTexts::operator()(const std::string& text) const {
  std::string shown = translated(text);
  if (bindings_ && isControlsTopic(text))
    for (const Wording& line : keysInEffect(*bindings_))
      shown += "\n" + line.text([this](const std::string& part) { return translated(part); });
  return shown;
}

std::string WindowTexts::translated(const std::string& text) const {
  if (!translator_) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
      if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) shown += text[i];
    return shown;
  }
  if (auto it = known_.find(text); it != known_.end()) return it->second;
  // Texts made of numbers (the battle speed) are new now and then: the store is emptied when full.
  constexpr std::size_t kKept = 512;
  if (known_.size() >= kKept) known_.clear();
  return known_.emplace(text, translator_->translate(text)).first->second;
}

std::string WindowTexts::caption(const forms::Label& label) const {
  if (translator_ && game_)
    if (auto made = battleCaption(*game_, label, *translator_)) return *std::move(made);
  return (*this)(label.Caption);
}

}  // namespace mojara

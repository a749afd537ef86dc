#include "play/window_texts.h"

namespace mojara {

std::string WindowTexts::operator()(const std::string& text) const {
  if (!translator_) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
      if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) shown += text[i];
    return shown;
  }
  if (auto it = known_.find(text); it != known_.end()) return it->second;
  // The points and the hit counter make new texts as a fight goes on: the store is emptied now
  // and then.
  constexpr std::size_t kKept = 512;
  if (known_.size() >= kKept) known_.clear();
  return known_.emplace(text, translator_->translate(text)).first->second;
}

}  // namespace mojara

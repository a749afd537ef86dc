#include "play/session/notices.h"

#include <algorithm>

namespace mojara {

void Notices::show(const Wording& text, forms::Nanos until, const std::string& slot) {
  if (!slot.empty()) std::erase_if(shown_, [&slot](const Notice& notice) { return notice.slot == slot; });
  shown_.push_back({text, until, slot});
}

bool Notices::expire(forms::Nanos now) {
  return std::erase_if(shown_, [now](const Notice& notice) { return notice.until <= now; }) > 0;
}

std::optional<forms::Nanos> Notices::nextExpiry() const {
  std::optional<forms::Nanos> next;
  for (const Notice& notice : shown_)
    if (!next || notice.until < *next) next = notice.until;
  return next;
}

std::vector<Wording> Notices::lines() const {
  std::vector<Wording> lines;
  for (const Notice& notice : shown_) lines.push_back(notice.text);
  return lines;
}

bool Notices::mark(const Wording& text, const std::string& slot) {
  for (auto& [markSlot, markText] : marks_)
    if (markSlot == slot) {
      const bool changed = markText != text;
      markText = text;
      return changed;
    }
  marks_.emplace_back(slot, text);
  return true;
}

bool Notices::unmark(const std::string& slot) {
  return std::erase_if(marks_, [&slot](const auto& mark) { return mark.first == slot; }) > 0;
}

std::vector<Wording> Notices::marks() const {
  std::vector<Wording> marks;
  for (const auto& [slot, text] : marks_) marks.push_back(text);
  return marks;
}

}  // namespace mojara

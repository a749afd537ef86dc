#include "qt/shown_texts.h"

namespace mojara::qt {

const ShownTexts& ShownTexts::original() {
  static const ShownTexts texts;
  return texts;
}

QString ShownTexts::operator()(const std::string& text) const {
  if (!translator_) return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (auto it = known_.find(text); it != known_.end()) return it->second;
  constexpr std::size_t kKept = 512;
  if (known_.size() >= kKept) known_.clear();
  return known_.emplace(text, QString::fromStdString(translator_->translate(text))).first->second;
}

ShownTexts::LabelLook ShownTexts::lookOf(const forms::Label& label) const {
  return translator_ ? translatedLookOf(label) : LabelLook{};
}

}  // namespace mojara::qt

#include "qt/shown_texts.h"

#include "app/window.h"
#include "forms/form.h"

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

namespace {

struct TranslatedLook {
  Window window;
  std::string_view control;
  int index;
  ShownTexts::LabelLook look;
};

// Labels the game laid out for its Japanese texts that a translation does not suit.
const TranslatedLook kTranslatedLooks[] = {
    // The opening banner's box holds the game's "ＲＥＡＤＹ？" only narrowed: roman capitals get
    // room enough on either side.
    {Window::Battle, "Label2", -1, {0, 150, std::nullopt}},
    // The ending's second credit line: the game tucks it close under the first, which a line of
    // kana leaves room for but a translated line's descenders do not, and its grey hardly shows
    // on the teal. Translated, it stands just under the first line's box, in a dark grey.
    {Window::Ending, "ROAL", 1, {120, 0, forms::Rgb{48, 48, 48}}},
};

}  // namespace

ShownTexts::LabelLook ShownTexts::lookOf(const forms::Label& label) const {
  if (!translator_ || !label.Parent) return {};
  for (const TranslatedLook& t : kTranslatedLooks)
    if (label.Name == t.control && label.Index == t.index && label.Parent->name() == formName(t.window))
      return t.look;
  return {};
}

}  // namespace mojara::qt

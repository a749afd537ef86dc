#include "play/texts/translated_looks.h"

#include <string_view>

#include "app/window.h"
#include "forms/form.h"

namespace mojara {

namespace {

struct TranslatedLook {
  Window window;
  std::string_view control;
  int index;
  LabelLook look;
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

LabelLook translatedLookOf(const forms::Label& label) {
  if (!label.Parent) return {};
  for (const TranslatedLook& t : kTranslatedLooks)
    if (label.Name == t.control && label.Index == t.index && label.Parent->name() == formName(t.window))
      return t.look;
  return {};
}

}  // namespace mojara

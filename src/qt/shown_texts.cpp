#include "qt/shown_texts.h"

namespace mojara::qt {

const ShownTexts& ShownTexts::original() {
  static const ShownTexts texts;
  return texts;
}

}  // namespace mojara::qt

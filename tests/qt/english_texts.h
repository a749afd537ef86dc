// For the tests of the windows in English: the build's English catalogue, and whether a text
// still holds Japanese (kana, kanji, full-width forms).
#pragma once

#include <QString>

#include "qt/catalogue.h"
#include "qt/shown_texts.h"

namespace mojara::qt {

inline bool hasJapanese(const QString& text) {
  for (QChar c : text)
    if ((c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF) || (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF))
      return true;
  return false;
}

inline const ShownTexts& english() {
  static const ShownTexts texts(CaptionTranslator(openCatalogue(MOJARA_BIN_DIR "/locale", "en")));
  return texts;
}

}  // namespace mojara::qt

// A language's catalogue of the windows' texts, read with glibc's gettext from
// <locale folder>/<language>/LC_MESSAGES/mojara.mo.
#pragma once

#include <stdexcept>
#include <string>

#include "play/texts/caption_translator.h"

namespace mojara::qt {

struct CatalogueMissing : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The catalogue of `language` (not the game's own "ja"), as a lookup for a CaptionTranslator. The
// choice is the program's, not the environment's: it holds whatever locale the player runs with,
// "C" included. Opening it sets this process's message locale and LANGUAGE, so it is opened once,
// after Qt has set the locale from the environment. Throws CatalogueMissing, naming the file, when
// the catalogue cannot be read.
CaptionTranslator::Lookup openCatalogue(const std::string& localeFolder, const std::string& language);

}  // namespace mojara::qt

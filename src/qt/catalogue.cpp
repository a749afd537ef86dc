#include "qt/catalogue.h"

#include <libintl.h>
#include <locale.h>
#include <unistd.h>

#include <cstdlib>

namespace mojara::qt {

CaptionTranslator::Lookup openCatalogue(const std::string& localeFolder, const std::string& language) {
  const std::string file = localeFolder + "/" + language + "/LC_MESSAGES/" + MOJARA_TEXT_DOMAIN + ".mo";
  if (access(file.c_str(), R_OK) != 0) throw CatalogueMissing("cannot read the catalogue " + file);
  // gettext looks a language up by LANGUAGE, but ignores LANGUAGE under the "C" locale: messages
  // are read under C.UTF-8, which every Debian system has, whatever the player's locale.
  if (!setlocale(LC_MESSAGES, "C.UTF-8") && !setlocale(LC_MESSAGES, "C.utf8"))
    throw CatalogueMissing("no C.UTF-8 locale to read the catalogue " + file + " with");
  setenv("LANGUAGE", language.c_str(), 1);
  bindtextdomain(MOJARA_TEXT_DOMAIN, localeFolder.c_str());
  bind_textdomain_codeset(MOJARA_TEXT_DOMAIN, "UTF-8");
  // A catalogue that was read answers for its header, the entry of the empty text.
  if (*dgettext(MOJARA_TEXT_DOMAIN, "") == '\0') throw CatalogueMissing("cannot read the catalogue " + file);
  return [](const std::string& original, std::optional<unsigned long> count) -> std::optional<std::string> {
    // gettext hands back the very text it was given when the catalogue has no entry for it. An
    // entry without plural forms answers every count with its one translation.
    const char* shown = count ? dngettext(MOJARA_TEXT_DOMAIN, original.c_str(), original.c_str(), *count)
                              : dgettext(MOJARA_TEXT_DOMAIN, original.c_str());
    if (shown == original.c_str()) return std::nullopt;
    return std::string(shown);
  };
}

}  // namespace mojara::qt

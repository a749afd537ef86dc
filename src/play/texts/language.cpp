#include "play/texts/language.h"

#include <algorithm>

namespace mojara {

const std::vector<std::string>& languages() {
  // MOJARA_CATALOGUES: the build's catalogues, separated by commas ("en,fr").
  static const std::vector<std::string> all = [] {
    std::vector<std::string> names{std::string(kGameLanguage)};
    const std::string_view found = MOJARA_CATALOGUES;
    for (std::size_t start = 0; start < found.size();) {
      const std::size_t end = std::min(found.find(',', start), found.size());
      if (end > start && found.substr(start, end - start) != kGameLanguage)
        names.emplace_back(found.substr(start, end - start));
      start = end + 1;
    }
    return names;
  }();
  return all;
}

bool isLanguage(std::string_view name) {
  const auto& all = languages();
  return std::find(all.begin(), all.end(), name) != all.end();
}

std::string_view languageName(std::string_view name) {
  if (name == kGameLanguage) return "日本語";
  if (name == "en") return "English";
  return name;
}

std::string languageList() {
  std::string list;
  for (const std::string& name : languages()) list += (list.empty() ? "" : ", ") + name;
  return list;
}

}  // namespace mojara

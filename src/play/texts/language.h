// The languages the windows can be shown in: the game's own Japanese, and one more for every
// catalogue the build found (po/<language>.po). Only what the windows show changes with the
// language; the fight, its numbers and its traces never see it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mojara {

inline constexpr std::string_view kGameLanguage = "ja";  // the texts as the game writes them

// Every language, the game's own first.
const std::vector<std::string>& languages();
bool isLanguage(std::string_view name);
// The language's name for itself ("日本語", "English"), for a list to choose from; a language
// this list does not know yet goes by its code.
std::string_view languageName(std::string_view name);
// "ja, en, ...": for messages that list them.
std::string languageList();

}  // namespace mojara

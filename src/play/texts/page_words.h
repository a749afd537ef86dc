// The browser page's own words: what its bar, its start line and its own windows (the key
// settings, the versus window) say beyond the game's windows, as the game writes them. The page is
// handed them in the player's language, through the same catalogue as every other text, each by a
// short name of its own; where the desktop's windows say the same thing, they are the same words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mojara {

struct PageWord {
  std::string_view name;  // the page's name for it, never shown
  std::string text;       // as the game writes it
};

// Every word of the page, each name once.
const std::vector<PageWord>& pageWords();

}  // namespace mojara

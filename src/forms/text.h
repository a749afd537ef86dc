// UTF-8 text and the Unicode characters that the game counts where it counts characters.
#pragma once

#include <string>
#include <string_view>

namespace mojara::forms {

std::u32string toChars(std::string_view utf8);  // malformed bytes become U+FFFD
std::string toUtf8(std::u32string_view chars);

}  // namespace mojara::forms

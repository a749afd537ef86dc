#include "forms/text.h"

namespace mojara::forms {

std::u32string toChars(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char lead = static_cast<unsigned char>(s[i]);
    int extra = -1;
    char32_t c = 0;
    if (lead < 0x80) {
      extra = 0, c = lead;
    } else if ((lead >> 5) == 0x6) {
      extra = 1, c = lead & 0x1F;
    } else if ((lead >> 4) == 0xE) {
      extra = 2, c = lead & 0x0F;
    } else if ((lead >> 3) == 0x1E) {
      extra = 3, c = lead & 0x07;
    }
    bool ok = extra >= 0 && i + extra < s.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const unsigned char b = static_cast<unsigned char>(s[i + k]);
      ok = (b >> 6) == 0x2;
      c = (c << 6) | (b & 0x3F);
    }
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(c);
    i += 1 + extra;
  }
  return out;
}

std::string toUtf8(std::u32string_view chars) {
  std::string out;
  out.reserve(chars.size());
  for (char32_t c : chars) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace mojara::forms

#include "play/texts/wording.h"

namespace mojara {

std::string Wording::text(const std::function<std::string(const std::string&)>& shown) const {
  const std::string shape = shown(form);
  std::string out;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const char next = i + 1 < shape.size() ? shape[i + 1] : '\0';
    const std::size_t part = static_cast<std::size_t>(next - '1');
    if (shape[i] == '%' && next >= '1' && next <= '9' && part < parts.size()) {
      // A part is put in as it is shown, never read again for placeholders of its own.
      out += shown(parts[part]);
      ++i;
    } else {
      out += shape[i];
    }
  }
  return out;
}

std::string Wording::text() const {
  return text([](const std::string& s) { return s; });
}

}  // namespace mojara

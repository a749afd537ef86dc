#include "play/texts/caption_translator.h"

#include <charconv>
#include <climits>
#include <map>

namespace mojara {

namespace {

constexpr std::string_view kNumber = "{n}";
constexpr std::string_view kName = "{name}";

using Parts = std::map<std::string_view, std::string>;  // placeholder -> what it stood for

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `text` is `form` throughout, filling in what each placeholder stands for. A {name}
// takes as little as lets the rest match, so "{n}Ｐ{name}" reads "12Ｐ" as the number 12 only
// where the rest of the text is the name.
bool matches(std::string_view form, std::string_view text, Parts& parts) {
  if (form.empty()) return text.empty();
  if (form.starts_with(kNumber)) {
    std::size_t length = text.starts_with('-') ? 1 : 0;
    const std::size_t first = length;
    while (length < text.size() && isDigit(text[length])) ++length;
    if (length == first) return false;
    // All of its digits: "12" never reads as "1" and "2".
    parts[kNumber] = std::string(text.substr(0, length));
    return matches(form.substr(kNumber.size()), text.substr(length), parts);
  }
  if (form.starts_with(kName)) {
    for (std::size_t length = 1; length <= text.size(); ++length) {
      // Never inside a character's bytes.
      if (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) continue;
      if (matches(form.substr(kName.size()), text.substr(length), parts)) {
        parts[kName] = std::string(text.substr(0, length));
        return true;
      }
    }
    return false;
  }
  const std::size_t literal = std::min(form.find('{', 1), form.size());
  return text.starts_with(form.substr(0, literal)) &&
         matches(form.substr(literal), text.substr(literal), parts);
}

// How many a {n} counts, for the plural form: its size, the largest count for more digits than
// a count holds.
unsigned long countOf(std::string_view number) {
  if (number.starts_with('-')) number.remove_prefix(1);
  unsigned long count = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), count);
  return error == std::errc::result_out_of_range ? ULONG_MAX : count;
}

void replaceAll(std::string& text, std::string_view placeholder, const std::string& by) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + by.size()))
    text.replace(at, placeholder.size(), by);
}

std::string filledIn(std::string form, const Parts& parts) {
  for (const auto& [placeholder, value] : parts) replaceAll(form, placeholder, value);
  return form;
}

}  // namespace

const std::vector<std::string_view>& CaptionTranslator::composedForms() {
  static const std::vector<std::string_view> forms = {
      "ばとるすぴーど（速い～遅い）：{n}",  // the battle speed on the select window
      "テン{name}",                         // a key of the number pad, in the key-settings window
  };
  return forms;
}

std::optional<std::string> CaptionTranslator::find(const std::string& original,
                                                   std::optional<unsigned long> count) const {
  // An empty text has nothing to translate (and is the catalogue's own header).
  if (original.empty()) return std::nullopt;
  return lookup_(original, count);
}

std::string CaptionTranslator::translate(std::string_view text) const {
  std::string lines(text);
  replaceAll(lines, "\r\n", "\n");
  if (auto whole = find(lines)) return *whole;
  std::string out;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(lines.find('\n', start), lines.size());
    out += line(std::string_view(lines).substr(start, end - start));
    if (end == lines.size()) break;
    out += '\n';
    start = end + 1;
  }
  return out;
}

std::string CaptionTranslator::line(std::string_view text) const {
  if (auto found = find(std::string(text))) return *found;
  if (auto made = matched(text)) return *made;
  return std::string(text);
}

std::optional<std::string> CaptionTranslator::matched(std::string_view text) const {
  for (std::string_view form : composedForms()) {
    Parts parts;
    if (!matches(form, text, parts)) continue;
    const auto number = parts.find(kNumber);
    auto shown = find(std::string(form),
                      number == parts.end() ? std::nullopt : std::optional(countOf(number->second)));
    if (!shown) return std::nullopt;
    if (auto name = parts.find(kName); name != parts.end()) name->second = line(name->second);
    return filledIn(std::move(*shown), parts);
  }
  return std::nullopt;
}

std::string CaptionTranslator::compose(std::string_view form, std::int64_t number,
                                       std::string_view name) const {
  Parts parts{{kNumber, std::to_string(number)}};
  const bool named = form.find(kName) != std::string_view::npos;
  if (named) parts[kName] = std::string(name);
  auto shown = find(std::string(form), countOf(parts[kNumber]));
  if (!shown) return filledIn(std::string(form), parts);
  if (named) parts[kName] = translate(name);
  return filledIn(std::move(*shown), parts);
}

}  // namespace mojara

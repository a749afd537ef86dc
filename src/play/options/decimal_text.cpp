#include "play/options/decimal_text.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace mojara {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool equalsIgnoringCase(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if ((text[i] | 0x20) != word[i]) return false;
  return true;
}

// "nan(...)" with letters, digits and underscores between the brackets, as charconv takes it.
bool isNanWithPayload(std::string_view text) {
  if (text.size() < 5 || !equalsIgnoringCase(text.substr(0, 4), "nan(") || text.back() != ')') return false;
  for (char c : text.substr(4, text.size() - 5))
    if (!isDigit(c) && !((c | 0x20) >= 'a' && (c | 0x20) <= 'z') && c != '_') return false;
  return true;
}

}  // namespace

std::optional<double> parseFixedPortable(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view body = text.substr(negative ? 1 : 0);
  if (equalsIgnoringCase(body, "inf") || equalsIgnoringCase(body, "infinity"))
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  if (equalsIgnoringCase(body, "nan") || isNanWithPayload(body))
    return negative ? -std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::quiet_NaN();
  // Digits with at most one point among them, and at least one digit.
  std::size_t digits = 0, points = 0;
  for (char c : body) {
    if (isDigit(c))
      ++digits;
    else if (c == '.')
      ++points;
    else
      return std::nullopt;
  }
  if (digits == 0 || points > 1) return std::nullopt;
  // strtod reads the same syntax, rounds exactly, and says when the number is out of range. The
  // point of the C locale is what it reads, whatever the program's locale: the text is turned
  // into that locale's point first.
  std::string copy(text);
  if (points == 1) {
    const char* localePoint = std::localeconv()->decimal_point;
    if (localePoint && localePoint[0] && localePoint[0] != '.') copy[copy.find('.')] = localePoint[0];
  }
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) return std::nullopt;
  // Out of range: too large, or a number other than zero too small to be told from it.
  if (errno == ERANGE && (std::isinf(v) || v == 0)) return std::nullopt;
  return v;
}

std::string fixedTextPortable(double v, int decimals) {
  char buf[400];
  const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string text(buf, n < 0 ? 0 : static_cast<std::size_t>(n) < sizeof buf ? static_cast<std::size_t>(n) : sizeof buf - 1);
  // Back to the C locale's point from the program's.
  const char* localePoint = std::localeconv()->decimal_point;
  if (localePoint && localePoint[0] && localePoint[0] != '.')
    if (const auto at = text.find(localePoint[0]); at != std::string::npos) text[at] = '.';
  return text;
}

#ifdef MOJARA_NO_FLOATING_CHARCONV

std::optional<double> parseFixed(std::string_view text) { return parseFixedPortable(text); }
std::string fixedText(double v, int decimals) { return fixedTextPortable(v, decimals); }

#else

std::optional<double> parseFixed(std::string_view text) {
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return v;
}

std::string fixedText(double v, int decimals) {
  char buf[400];
  const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
  return std::string(buf, end);
}

#endif

}  // namespace mojara

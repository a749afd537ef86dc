#include "sim/json.h"

#include <charconv>
#include <cstdio>

#include "play/options/decimal_text.h"

namespace mojara::sim {

JsonWriter& JsonWriter::number(std::int64_t v) {
  char buf[24];
  return raw(std::string_view(buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf)));
}

JsonWriter& JsonWriter::fixed3(double v) {
  // Formatted as if by printf, in the C locale, whatever the program's locale.
  return raw(fixedText(v, 3));
}

JsonWriter& JsonWriter::string(std::string_view s) {
  out_.push_back('"');
  std::size_t plain = 0;  // the start of the run of characters that pass unchanged
  auto escape = [&](std::size_t at, std::string_view with) {
    out_.append(s.substr(plain, at - plain)).append(with);
    plain = at + 1;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    switch (c) {
      case '"':
        escape(i, "\\\"");
        break;
      case '\\':
        escape(i, "\\\\");
        break;
      case '\n':
        escape(i, "\\n");
        break;
      case '\r':
        escape(i, "\\r");
        break;
      case '\t':
        escape(i, "\\t");
        break;
      default: {
        static constexpr char kHex[] = "0123456789abcdef";
        const char code[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
        escape(i, std::string_view(code, sizeof code));
      }
    }
  }
  out_.append(s.substr(plain)).push_back('"');
  return *this;
}

std::string jsonString(std::string_view s) {
  std::string out;
  JsonWriter(out).string(s);
  return out;
}

std::string jsonMillis(std::int64_t nanos) {
  // To the nearest microsecond: at most three decimals.
  const std::int64_t micros = nanos >= 0 ? (nanos + 500) / 1000 : (nanos - 500) / 1000;
  std::string out = std::to_string(micros / 1000);
  std::int64_t rest = micros % 1000;
  if (rest < 0) rest = -rest;
  if (rest == 0) return out;
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03lld", static_cast<long long>(rest));
  std::string frac = buf;
  while (frac.back() == '0') frac.pop_back();
  if (micros < 0 && micros > -1000) out = "-0";
  return out + "." + frac;
}

}  // namespace mojara::sim

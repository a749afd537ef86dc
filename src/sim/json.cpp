#include "sim/json.h"

#include <cstdio>

namespace mojara::sim {

std::string jsonString(std::string_view s) {
  std::string out = "\"";
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
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

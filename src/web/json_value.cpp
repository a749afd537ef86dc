#include "web/json_value.h"

#include <charconv>
#include <cstdlib>

namespace mojara::web {

namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  JsonValue document() {
    JsonValue v = value(0);
    blanks();
    if (at_ != text_.size()) fail("text after the value");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& why) const {
    throw JsonError("bad JSON at character " + std::to_string(at_) + ": " + why);
  }
  void blanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
      ++at_;
  }
  bool take(char c) {
    blanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  void expect(char c) {
    if (!take(c)) fail(std::string("'") + c + "' expected");
  }
  bool word(std::string_view w) {
    if (text_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }

  JsonValue value(int depth) {
    if (depth > 64) fail("nested too deeply");
    blanks();
    if (at_ >= text_.size()) fail("a value expected");
    JsonValue v;
    const char c = text_[at_];
    if (c == '{') {
      ++at_;
      v.type = JsonValue::Type::Object;
      if (take('}')) return v;
      do {
        blanks();
        std::string name = string();
        expect(':');
        v.object[std::move(name)] = value(depth + 1);
      } while (take(','));
      expect('}');
    } else if (c == '[') {
      ++at_;
      v.type = JsonValue::Type::Array;
      if (take(']')) return v;
      do v.array.push_back(value(depth + 1));
      while (take(','));
      expect(']');
    } else if (c == '"') {
      v.type = JsonValue::Type::String;
      v.string = string();
    } else if (word("true")) {
      v.type = JsonValue::Type::Bool;
      v.boolean = true;
    } else if (word("false")) {
      v.type = JsonValue::Type::Bool;
    } else if (word("null")) {
    } else {
      v.type = JsonValue::Type::Number;
      v.number = number();
    }
    return v;
  }

  double number() {
    const std::size_t begin = at_;
    while (at_ < text_.size() && std::string_view("+-0123456789.eE").find(text_[at_]) != std::string_view::npos) ++at_;
    if (at_ == begin) fail("a value expected");
    // strtod needs its text to end: the number is copied out.
    const std::string digits(text_.substr(begin, at_ - begin));
    char* end = nullptr;
    const double n = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) fail("a bad number");
    return n;
  }

  unsigned hex4() {
    if (at_ + 4 > text_.size()) fail("a short \\u escape");
    unsigned u = 0;
    const auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, u, 16);
    if (error != std::errc() || end != text_.data() + at_ + 4) fail("a bad \\u escape");
    at_ += 4;
    return u;
  }

  static void utf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  std::string string() {
    if (at_ >= text_.size() || text_[at_] != '"') fail("a string expected");
    ++at_;
    std::string out;
    while (true) {
      if (at_ >= text_.size()) fail("an unended string");
      const char c = text_[at_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) fail("a control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) fail("an unended string");
      switch (const char e = text_[at_++]) {
        case '"': case '\\': case '/': out += e; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          unsigned cp = hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && word("\\u")) {
            const unsigned low = hex4();
            if (low < 0xDC00 || low >= 0xE000) fail("a lone surrogate");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          } else if (cp >= 0xD800 && cp < 0xE000) {
            fail("a lone surrogate");
          }
          utf8(out, cp);
          break;
        }
        default:
          fail("a bad escape");
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

JsonValue JsonValue::parse(std::string_view text) { return Reader(text).document(); }

const JsonValue* JsonValue::find(std::string_view name) const {
  if (type != Type::Object) return nullptr;
  auto it = object.find(name);
  return it == object.end() ? nullptr : &it->second;
}

std::string JsonValue::stringOr(std::string_view name, std::string fallback) const {
  const JsonValue* v = find(name);
  return v && v->type == Type::String ? v->string : fallback;
}

double JsonValue::numberOr(std::string_view name, double fallback) const {
  const JsonValue* v = find(name);
  return v && v->type == Type::Number ? v->number : fallback;
}

bool JsonValue::boolOr(std::string_view name, bool fallback) const {
  const JsonValue* v = find(name);
  return v && v->type == Type::Bool ? v->boolean : fallback;
}

}  // namespace mojara::web

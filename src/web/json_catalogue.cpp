#include "web/json_catalogue.h"

#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "play/input/input_file.h"

namespace mojara::web {

namespace {

// The C expression of a Plural-Forms header, over n: numbers, n, ! ( ) and the binary operators
// * / % + - < <= > >= == != && || and ?:, with C's precedence. Nested deeper than any language's
// rule needs, an expression is unreadable (it would otherwise overflow the stack).
class PluralExpression {
 public:
  PluralExpression(std::string_view text, unsigned long n) : text_(text), n_(n) {}

  std::optional<unsigned long> value() {
    try {
      const unsigned long v = conditional();
      blanks();
      if (at_ != text_.size() && text_[at_] != ';') return std::nullopt;
      return v;
    } catch (const Bad&) {
      return std::nullopt;
    }
  }

 private:
  struct Bad {};
  // Counts one level of nesting while it lives.
  class Nested {
   public:
    explicit Nested(int& depth) : depth_(depth) {
      if (++depth_ > kDeepest) throw Bad{};
    }
    ~Nested() { --depth_; }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

   private:
    int& depth_;
  };
  static constexpr int kDeepest = 100;
  void blanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }
  bool take(std::string_view op) {
    blanks();
    if (text_.substr(at_, op.size()) != op) return false;
    // "<" is not the start of "<=", nor "!" of "!=".
    if (op.size() == 1 && at_ + 1 < text_.size() && text_[at_ + 1] == '=' && std::string_view("<>!=").find(op[0]) != std::string_view::npos)
      return false;
    at_ += op.size();
    return true;
  }
  unsigned long conditional() {
    const Nested nested(depth_);
    const unsigned long c = logicalOr();
    if (!take("?")) return c;
    const unsigned long a = conditional();
    if (!take(":")) throw Bad{};
    const unsigned long b = conditional();
    return c ? a : b;
  }
  unsigned long logicalOr() {
    unsigned long v = logicalAnd();
    while (take("||")) v = logicalAnd() || v;
    return v;
  }
  unsigned long logicalAnd() {
    unsigned long v = equality();
    while (take("&&")) v = equality() && v;
    return v;
  }
  unsigned long equality() {
    unsigned long v = relation();
    while (true) {
      if (take("==")) v = v == relation();
      else if (take("!=")) v = v != relation();
      else return v;
    }
  }
  unsigned long relation() {
    unsigned long v = sum();
    while (true) {
      if (take("<=")) v = v <= sum();
      else if (take(">=")) v = v >= sum();
      else if (take("<")) v = v < sum();
      else if (take(">")) v = v > sum();
      else return v;
    }
  }
  unsigned long sum() {
    unsigned long v = product();
    while (true) {
      if (take("+")) v += product();
      else if (take("-")) v -= product();
      else return v;
    }
  }
  unsigned long product() {
    unsigned long v = unary();
    while (true) {
      if (take("*")) {
        v *= unary();
      } else if (take("/") || take("%")) {
        const bool divide = text_[at_ - 1] == '/';
        const unsigned long d = unary();
        if (d == 0) throw Bad{};
        v = divide ? v / d : v % d;
      } else {
        return v;
      }
    }
  }
  unsigned long unary() {
    const Nested nested(depth_);
    if (take("!")) return !unary();
    if (take("(")) {
      const unsigned long v = conditional();
      if (!take(")")) throw Bad{};
      return v;
    }
    blanks();
    if (at_ < text_.size() && text_[at_] == 'n') {
      ++at_;
      return n_;
    }
    unsigned long v = 0;
    const std::size_t begin = at_;
    while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) v = v * 10 + (text_[at_++] - '0');
    if (at_ == begin) throw Bad{};
    return v;
  }

  std::string_view text_;
  unsigned long n_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

unsigned long pluralFormOf(std::string_view pluralForms, unsigned long n) {
  const std::size_t plural = pluralForms.find("plural=");
  if (plural != std::string_view::npos)
    if (auto v = PluralExpression(pluralForms.substr(plural + 7), n).value()) return *v;
  return n != 1;
}

CaptionTranslator::Lookup catalogueLookup(const Json& catalogue) {
  object(catalogue, "a catalogue");
  struct Entries {
    std::string pluralForms;
    std::map<std::string, std::string, std::less<>> messages;
    std::map<std::string, std::vector<std::string>, std::less<>> plurals;
  };
  auto entries = std::make_shared<Entries>();
  entries->pluralForms = "nplurals=2; plural=(n != 1);";
  if (const Json* forms = member(catalogue, "pluralForms")) entries->pluralForms = text(*forms, "a catalogue's pluralForms");
  if (const Json* messages = member(catalogue, "messages"))
    for (const auto& [original, shown] : object(*messages, "a catalogue's messages").items())
      if (std::string t = text(shown, "the translation of " + quote(original)); !t.empty())
        entries->messages[original] = std::move(t);
  if (const Json* plurals = member(catalogue, "plurals"))
    for (const auto& [original, forms] : object(*plurals, "a catalogue's plurals").items()) {
      std::vector<std::string> shown;
      for (const Json& form : array(forms, "the plural forms of " + quote(original)))
        shown.push_back(text(form, "a plural form of " + quote(original)));
      if (!shown.empty() && !shown[0].empty()) entries->plurals[original] = std::move(shown);
    }
  return [entries](const std::string& original, std::optional<unsigned long> count) -> std::optional<std::string> {
    if (count) {
      // An entry with plural forms answers with the form for the count, as ngettext does.
      if (auto it = entries->plurals.find(original); it != entries->plurals.end()) {
        const unsigned long form = pluralFormOf(entries->pluralForms, *count);
        return form < it->second.size() ? it->second[form] : it->second[0];
      }
    }
    if (auto it = entries->messages.find(original); it != entries->messages.end()) return it->second;
    if (auto it = entries->plurals.find(original); it != entries->plurals.end()) return it->second[0];
    return std::nullopt;
  };
}

}  // namespace mojara::web

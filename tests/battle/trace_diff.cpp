// Finds the first place two fight traces part and words it in a few lines: which line and event,
// which key, and both values cut short around where they differ.
#include "trace_diff.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace mojara::testing {
namespace {

constexpr std::size_t kValueWidth = 120;  // bytes of a value or line shown in a report
constexpr std::size_t kKeyWidth = 60;
constexpr std::size_t kEventWidth = 24;
constexpr std::size_t kReportLimit = 1024;

using Member = JsonMember;
using Members = std::vector<Member>;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A byte inside a multi-byte UTF-8 character; cuts never land on one, so a name like だいさく
// is never split in half.
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Splits one trace line, a flat JSON object, into its top-level members. Strings may hold commas,
// brackets and escapes (\" \\ \r\n); arrays and objects nested in a value stay whole in it.
// Anything else than one object with nothing after it gives no members at all.
class ObjectReader {
 public:
  explicit ObjectReader(std::string_view text) : text_(text) {}

  std::optional<Members> members() {
    Members out;
    skipSpace();
    if (!take('{')) return std::nullopt;
    skipSpace();
    if (!take('}')) {
      for (;;) {
        skipSpace();
        const std::size_t keyStart = at_;
        if (!skipString()) return std::nullopt;
        const std::string_view key = text_.substr(keyStart + 1, at_ - keyStart - 2);
        skipSpace();
        if (!take(':')) return std::nullopt;
        skipSpace();
        const std::size_t valueStart = at_;
        if (!skipValue()) return std::nullopt;
        out.push_back({key, text_.substr(valueStart, at_ - valueStart)});
        skipSpace();
        if (take('}')) break;
        if (!take(',')) return std::nullopt;
      }
    }
    skipSpace();
    if (at_ != text_.size()) return std::nullopt;
    return out;
  }

 private:
  bool more() const { return at_ < text_.size(); }

  bool take(char c) {
    if (!more() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  void skipSpace() {
    while (more() && isSpace(text_[at_])) ++at_;
  }

  // From the opening quote to just past the closing one; a backslash takes the next byte with it.
  bool skipString() {
    if (!take('"')) return false;
    while (more()) {
      const char c = text_[at_++];
      if (c == '\\') {
        if (!more()) return false;
        ++at_;
      } else if (c == '"') {
        return true;
      }
    }
    return false;
  }

  // A string, an array or object up to its matching close, or a bare word (number, true, false).
  bool skipValue() {
    if (!more()) return false;
    if (text_[at_] == '"') return skipString();
    if (text_[at_] == '[' || text_[at_] == '{') return skipNested();
    const std::size_t start = at_;
    while (more() && !isSpace(text_[at_]) &&
           std::string_view(",:]}[{\"").find(text_[at_]) == std::string_view::npos)
      ++at_;
    return at_ > start;
  }

  bool skipNested() {
    std::string closers;  // the closing bracket each open array or object still waits for
    do {
      if (!more()) return false;
      const char c = text_[at_];
      if (c == '"') {
        if (!skipString()) return false;
        continue;
      }
      ++at_;
      if (c == '[') {
        closers.push_back(']');
      } else if (c == '{') {
        closers.push_back('}');
      } else if (c == ']' || c == '}') {
        if (closers.empty() || closers.back() != c) return false;
        closers.pop_back();
      }
    } while (!closers.empty());
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

std::optional<Members> membersOf(std::string_view line) { return ObjectReader(line).members(); }

std::optional<std::string_view> valueOf(const Members& members, std::string_view key) {
  for (const Member& m : members)
    if (m.key == key) return m.value;
  return std::nullopt;
}

// A line of the whole-game runner's log says what happened ("ev") and when ("t"); its last line
// is the "end" event. A fight trace's lines carry their event number ("e") instead, and its last
// line the key "end" (which a log's "result" lines carry too).
bool isLogLine(const Members& members) { return valueOf(members, "ev").has_value(); }

bool isEndLine(const Members& members) {
  if (isLogLine(members)) return valueOf(members, "ev") == "\"end\"";
  return valueOf(members, "end").has_value();
}

std::string moreLines(std::size_t rest) {
  return std::to_string(rest) + (rest == 1 ? " more line" : " more lines");
}

struct Lines {
  std::vector<std::string_view> lines;
  bool endsWithNewline = false;
};

Lines splitLines(std::string_view text) {
  Lines out;
  out.endsWithNewline = !text.empty() && text.back() == '\n';
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) {
      out.lines.push_back(text.substr(start));
      break;
    }
    out.lines.push_back(text.substr(start, newline - start));
    start = newline + 1;
  }
  return out;
}

std::size_t firstMismatch(std::string_view a, std::string_view b) {
  return std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first - a.begin();
}

// At most `width` bytes of `text` around byte `focus` (a third of the width before it), cut on
// character boundaries and marked "..." where cut; control bytes are shown escaped.
std::string excerpt(std::string_view text, std::size_t focus, std::size_t width = kValueWidth) {
  std::size_t start = 0, end = text.size();
  if (text.size() > width) {
    start = std::min(focus > width / 3 ? focus - width / 3 : 0, text.size() - width);
    end = start + width;
    while (start > 0 && isContinuation(text[start])) --start;
    while (end < text.size() && isContinuation(text[end])) --end;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = start > 0 ? "..." : "";
  for (const char c : text.substr(start, end - start)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7f) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    } else {
      out += c;
    }
  }
  if (end < text.size()) out += "...";
  return out;
}

std::string quoted(std::string_view key) { return "\"" + excerpt(key, 0, kKeyWidth) + "\""; }

// "event 12", "the end line, event 1187", "t 100, ev \"load\"", "the end line, t 500", or nothing
// for a line that says neither.
std::string eventOf(const std::optional<Members>& members) {
  if (!members) return "";
  std::string event;
  if (isLogLine(*members)) {
    const auto t = valueOf(*members, "t");
    if (t) event = "t " + excerpt(*t, 0, kEventWidth);
    if (isEndLine(*members)) return event.empty() ? "the end line" : "the end line, " + event;
    return (event.empty() ? "" : event + ", ") + "ev " + excerpt(*valueOf(*members, "ev"), 0, kKeyWidth);
  }
  const auto e = valueOf(*members, "e");
  if (e) event = "event " + excerpt(*e, 0, kEventWidth);
  if (isEndLine(*members)) return event.empty() ? "the end line" : "the end line, " + event;
  return event;
}

std::string lineHeading(std::size_t number, const std::string& event) {
  return "trace line " + std::to_string(number) + (event.empty() ? "" : " (" + event + ")") + ": ";
}

// Both texts on a line each, cut around the first byte where they part.
std::string bothTexts(std::string_view expected, std::string_view actual) {
  const std::size_t at = firstMismatch(expected, actual);
  return "  expected: " + excerpt(expected, at) + "\n  actual:   " + excerpt(actual, at) + "\n";
}

std::string valueDifference(std::string_view key, std::string_view expected, std::string_view actual) {
  std::string out = "first difference in key " + quoted(key);
  if (std::max(expected.size(), actual.size()) > kValueWidth)
    out += " (the values part at byte " + std::to_string(firstMismatch(expected, actual) + 1) + ")";
  return out + "\n" + bothTexts(expected, actual);
}

std::string oneMember(const char* side, const Member& m) {
  return "  " + std::string(side) + " " + quoted(m.key) + ": " + excerpt(m.value, 0) + "\n";
}

// Two lines that both read as objects: the first key, by position, that is missing, added, moved
// or has another value.
std::string memberDifference(const Members& expected, const Members& actual) {
  for (std::size_t k = 0; k < std::max(expected.size(), actual.size()); ++k) {
    if (k >= actual.size())
      return "key " + quoted(expected[k].key) + " is missing from actual\n" +
             oneMember("expected", expected[k]);
    if (k >= expected.size())
      return "actual has key " + quoted(actual[k].key) + ", which expected does not have\n" +
             oneMember("actual", actual[k]);
    const Member& want = expected[k];
    const Member& got = actual[k];
    if (want.key == got.key) {
      if (want.value != got.value) return valueDifference(want.key, want.value, got.value);
      continue;
    }
    const bool wantInActual = valueOf(actual, want.key).has_value();
    const bool gotInExpected = valueOf(expected, got.key).has_value();
    if (!wantInActual && !gotInExpected)
      return "key " + std::to_string(k + 1) + " is " + quoted(want.key) + " in expected but " +
             quoted(got.key) + " in actual, and neither line has the other's\n" +
             oneMember("expected", want) + oneMember("actual", got);
    if (!wantInActual)
      return "key " + quoted(want.key) + " is missing from actual\n" + oneMember("expected", want);
    if (!gotInExpected)
      return "actual has key " + quoted(got.key) + ", which expected does not have\n" +
             oneMember("actual", got);
    std::string out = "the keys are in another order: key " + std::to_string(k + 1) + " is " +
                      quoted(want.key) + " in expected but " + quoted(got.key) + " in actual\n";
    for (const Member& m : expected) {
      const auto other = valueOf(actual, m.key);
      if (other && *other != m.value) return out + valueDifference(m.key, m.value, *other);
    }
    return out + "(the values of the keys both lines have are equal)\n";
  }
  return "";
}

// Line `number` differs; `expectedRest` and `actualRest` count the lines from it to each trace's end.
std::string lineDifference(std::size_t number, std::string_view expected, std::string_view actual,
                           std::size_t expectedRest, std::size_t actualRest) {
  const auto want = membersOf(expected);
  const auto got = membersOf(actual);
  const std::string heading = lineHeading(number, want ? eventOf(want) : eventOf(got));
  const std::string column = std::to_string(firstMismatch(expected, actual) + 1);
  if (!want || !got) {
    const char* which = !want && !got ? "neither line is a JSON object"
                        : !want       ? "the expected line is not a JSON object"
                                      : "the actual line is not a JSON object";
    return heading + which + "; the lines part at column " + column + "\n" + bothTexts(expected, actual);
  }
  // One fight ended (or reached its event limit) where the other goes on.
  const auto endsHere = [&](const char* ends, const char* goesOn, const Members& next, std::size_t rest) {
    const std::string event = eventOf(next);
    return "trace line " + std::to_string(number) + ": " + ends + " ends here with its end line; " + goesOn +
           " goes on" + (event.empty() ? "" : " with " + event) + " (" + moreLines(rest) + ")\n" +
           bothTexts(expected, actual);
  };
  if (isEndLine(*got) && !isEndLine(*want)) return endsHere("actual", "expected", *want, expectedRest);
  if (isEndLine(*want) && !isEndLine(*got)) return endsHere("expected", "actual", *got, actualRest);
  const std::string members = memberDifference(*want, *got);
  if (!members.empty()) return heading + members;
  return heading + "the same keys and values, but the text differs at column " + column + "\n" +
         bothTexts(expected, actual);
}

// One trace stops after `count` equal lines while the other has `rest` more, the first of them `next`.
std::string endsEarly(const char* shorter, const char* longer, std::size_t count, std::size_t rest,
                      std::string_view next) {
  const std::string event = eventOf(membersOf(next));
  const std::string more = " (" + moreLines(rest) + ")";
  std::string out = count == 0 ? "the " + std::string(shorter) + " trace is empty; " + longer + " starts"
                               : "the " + std::string(shorter) + " trace ends after line " +
                                     std::to_string(count) + "; " + longer + " goes on";
  out += event.empty() ? more + " with:\n" : " with " + event + more + ":\n";
  return out + "  " + excerpt(next, 0) + "\n";
}

std::string capped(std::string report) {
  if (report.size() <= kReportLimit) return report;
  std::size_t end = kReportLimit - 4;
  while (end > 0 && isContinuation(report[end])) --end;
  report.resize(end);
  return report + "...\n";
}

}  // namespace

std::optional<std::vector<JsonMember>> jsonMembers(std::string_view line) { return membersOf(line); }

::testing::AssertionResult sameLines(std::string_view expected, std::string_view actual) {
  const std::string difference = firstTraceDifference(expected, actual);
  if (difference.empty()) {
    const auto lines = std::count(expected.begin(), expected.end(), '\n');
    return ::testing::AssertionSuccess()
           << "both have the same " << lines << (lines == 1 ? " line" : " lines");
  }
  return ::testing::AssertionFailure() << "they differ:\n" << difference;
}

std::string firstTraceDifference(std::string_view expected, std::string_view actual) {
  if (expected == actual) return "";
  const Lines want = splitLines(expected);
  const Lines got = splitLines(actual);
  const std::size_t common = std::min(want.lines.size(), got.lines.size());
  std::size_t i = 0;
  while (i < common && want.lines[i] == got.lines[i]) ++i;
  if (i < common)
    return capped(
        lineDifference(i + 1, want.lines[i], got.lines[i], want.lines.size() - i, got.lines.size() - i));
  if (want.lines.size() > got.lines.size())
    return capped(endsEarly("actual", "expected", i, want.lines.size() - i, want.lines[i]));
  if (got.lines.size() > want.lines.size())
    return capped(endsEarly("expected", "actual", i, got.lines.size() - i, got.lines[i]));
  return "the traces have the same " + std::to_string(common) + " lines, but " +
         (want.endsWithNewline ? "expected ends with a newline and actual does not\n"
                               : "actual ends with a newline and expected does not\n");
}

}  // namespace mojara::testing

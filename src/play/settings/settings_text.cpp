#include "play/settings/settings_text.h"

#include <algorithm>

namespace mojara {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool blank(char c) { return c == ' ' || c == '\t'; }
bool commentSign(char c) { return c == '#' || c == ';'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether `text` can stand in a line as it is: no line end in it, no blank at either end.
bool fitsALine(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos && trimmed(text).size() == text.size();
}

}  // namespace

SettingsText::Line SettingsText::read(std::string body, std::string end, const std::string& section) {
  Line line{std::move(body), std::move(end), Kind::Unread, section, {}, 0, 0};
  const std::string& b = line.body;
  const std::size_t first = b.find_first_not_of(" \t");
  if (first == std::string::npos) {
    line.kind = Kind::Blank;
    return line;
  }
  if (commentSign(b[first])) {
    line.kind = Kind::Comment;
    return line;
  }
  if (b[first] == '[') {
    const std::size_t close = b.find(']', first);
    if (close != std::string::npos) {
      const std::size_t after = b.find_first_not_of(" \t", close + 1);
      const std::string_view name = trimmed(std::string_view(b).substr(first + 1, close - first - 1));
      if ((after == std::string::npos || commentSign(b[after])) && !name.empty()) {
        line.kind = Kind::Section;
        line.section = std::string(name);
        return line;
      }
    }
  }
  const std::size_t equals = b.find('=');
  if (equals == std::string::npos) return line;
  const std::string_view key = trimmed(std::string_view(b).substr(0, equals));
  if (key.empty()) return line;
  line.kind = Kind::Value;
  line.key = std::string(key);
  std::size_t begin = equals + 1;
  while (begin < b.size() && blank(b[begin])) ++begin;
  std::size_t stop = begin;
  while (stop < b.size() && !(commentSign(b[stop]) && (stop == begin || blank(b[stop - 1])))) ++stop;
  while (stop > begin && blank(b[stop - 1])) --stop;
  line.valueBegin = begin;
  line.valueEnd = stop;
  return line;
}

SettingsText SettingsText::parse(std::string_view text) {
  SettingsText parsed;
  if (text.starts_with(kByteOrderMark)) {
    parsed.byteOrderMark_ = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  std::string section;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view body = text.substr(0, newline), end;
    if (newline == std::string_view::npos) {
      text = {};
    } else {
      end = body.ends_with('\r') ? "\r\n" : "\n";
      if (body.ends_with('\r')) body.remove_suffix(1);
      text.remove_prefix(newline + 1);
    }
    Line line = read(std::string(body), std::string(end), section);
    if (line.kind == Kind::Section) section = line.section;
    parsed.lines_.push_back(std::move(line));
  }
  return parsed;
}

std::string SettingsText::text() const {
  std::string out(byteOrderMark_ ? kByteOrderMark : "");
  for (const Line& line : lines_) out += line.body + line.end;
  return out;
}

std::vector<SettingsText::Entry> SettingsText::entries() const {
  std::vector<Entry> found;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (const Line& line = lines_[i]; line.kind == Kind::Value)
      found.push_back({line.section, line.key, line.body.substr(line.valueBegin, line.valueEnd - line.valueBegin),
                       static_cast<int>(i + 1)});
  return found;
}

std::optional<std::string> SettingsText::get(std::string_view section, std::string_view key) const {
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line)
    if (line->kind == Kind::Value && line->section == section && line->key == key)
      return line->body.substr(line->valueBegin, line->valueEnd - line->valueBegin);
  return std::nullopt;
}

std::vector<int> SettingsText::unreadLines() const {
  std::vector<int> numbers;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Unread) numbers.push_back(static_cast<int>(i + 1));
  return numbers;
}

std::string SettingsText::newLineEnd() const {
  for (const Line& line : lines_)
    if (!line.end.empty()) return line.end;
  return "\n";
}

std::optional<std::size_t> SettingsText::insertionPoint(std::string_view section) const {
  // The section's last header (none for the keys above every section), and its extent.
  std::optional<std::size_t> header;
  if (!section.empty()) {
    for (std::size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].kind == Kind::Section && lines_[i].section == section) header = i;
    if (!header) return std::nullopt;
  }
  const std::size_t first = header ? *header + 1 : 0;
  std::optional<std::size_t> afterValue;
  for (std::size_t i = first; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
    if (lines_[i].kind == Kind::Value) afterValue = i + 1;
  if (afterValue) return afterValue;
  // No value yet: after the lines that go with the header (up to a blank line or the next section).
  std::size_t at = first;
  while (header && at < lines_.size() && lines_[at].kind != Kind::Blank && lines_[at].kind != Kind::Section) ++at;
  return at;
}

void SettingsText::insert(std::size_t at, std::string body, std::string_view section) {
  // The line before it gets an end if it was the last line without one (after a carriage return
  // of its own, one that keeps it in the line).
  if (at > 0 && lines_[at - 1].end.empty())
    lines_[at - 1].end = lines_[at - 1].body.ends_with('\r') ? "\r\n" : newLineEnd();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), read(std::move(body), newLineEnd(), std::string(section)));
}

bool SettingsText::set(std::string_view section, std::string_view key, std::string_view value) {
  const bool valueFits = fitsALine(value) && (value.empty() || !commentSign(value.front())) &&
                         std::adjacent_find(value.begin(), value.end(), [](char a, char b) {
                           return blank(a) && commentSign(b);
                         }) == value.end();
  const bool keyFits = fitsALine(key) && !key.empty() && key.find('=') == std::string_view::npos &&
                       !commentSign(key.front()) && key.front() != '[';
  const bool sectionFits = fitsALine(section) && section.find(']') == std::string_view::npos;
  if (!valueFits || !keyFits || !sectionFits) return false;

  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line)
    if (line->kind == Kind::Value && line->section == section && line->key == key) {
      std::string body = line->body;
      // A comment right after an empty value keeps a blank before it, so that it stays a comment.
      const bool commentNext = line->valueEnd < body.size() && commentSign(body[line->valueEnd]);
      body.replace(line->valueBegin, line->valueEnd - line->valueBegin,
                   std::string(value) + (commentNext && !value.empty() ? " " : ""));
      *line = read(std::move(body), line->end, line->section);
      return true;
    }
  std::string body = std::string(key) + "=" + std::string(value);
  if (auto at = insertionPoint(section)) {
    insert(*at, std::move(body), section);
    return true;
  }
  // A new section at the end, after a blank line.
  if (!lines_.empty() && lines_.back().kind != Kind::Blank) insert(lines_.size(), "", section);
  insert(lines_.size(), "[" + std::string(section) + "]", section);
  insert(lines_.size(), std::move(body), section);
  return true;
}

bool SettingsText::remove(std::string_view section, std::string_view key) {
  return std::erase_if(lines_, [&](const Line& line) {
           return line.kind == Kind::Value && line.section == section && line.key == key;
         }) > 0;
}

}  // namespace mojara

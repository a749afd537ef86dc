// The settings file's text, line by line. Values are found and changed by section and key; every
// line that is not changed comes back byte for byte as it was read: a byte-order mark, comments
// (`#` or `;` lines, and a comment after a value), blank lines, each line's end (Unix or Windows),
// sections and keys of other versions, and lines that are none of these.
//
// A line is blank, a comment (its first character other than a blank is `#` or `;`), a section
// (`[name]`, a comment after it allowed), a value (`key=value`: the key and the value trimmed of
// blanks; the value ends where a `#` or `;` begins it or follows a blank), or unread (anything
// else, kept as it stands). A key read twice in a section reads as its last line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojara {

class SettingsText {
 public:
  // Reads any text; nothing in it is an error.
  static SettingsText parse(std::string_view text);
  // The text again: what was read, with the changes made since.
  std::string text() const;

  struct Entry {
    std::string section, key, value;
    int line;  // from 1
  };
  // Every value line, in the file's order.
  std::vector<Entry> entries() const;
  // The value of `key` in `section` ("" for a key above every section), if a line holds it.
  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  // Sets the value of `key` in `section`: on the line that holds it (the rest of that line, a
  // comment after the value included, stays as it was), or on a new line after the section's last
  // value (a new section goes at the end of the file). Returns false, changing nothing, for what no
  // line could hold as it is: a line end in any of them, blanks around them, a value with a comment
  // sign where a comment could begin, a key with `=` or a section with `]`.
  bool set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of `key` in `section`; whether there was one.
  bool remove(std::string_view section, std::string_view key);
  // The numbers (from 1) of the lines that are unread.
  std::vector<int> unreadLines() const;

 private:
  enum class Kind { Blank, Comment, Section, Value, Unread };
  struct Line {
    std::string body;  // without its end
    std::string end;   // "\n", "\r\n", or "" for a last line without one
    Kind kind = Kind::Unread;
    std::string section;  // a section's name; the section a value line is in
    std::string key;
    std::size_t valueBegin = 0, valueEnd = 0;  // the value within `body`
  };
  static Line read(std::string body, std::string end, const std::string& section);
  std::string newLineEnd() const;
  // Where a new value line of `section` goes: after its last value line, else after its header
  // and the lines that follow it up to a blank line; none when the file has no such section.
  std::optional<std::size_t> insertionPoint(std::string_view section) const;
  void insert(std::size_t at, std::string body, std::string_view section);

  bool byteOrderMark_ = false;
  std::vector<Line> lines_;
};

}  // namespace mojara

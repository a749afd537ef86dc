#include "play/input/input_file.h"

#include <sys/stat.h>

#include <fstream>
#include <iostream>

namespace mojara {

std::string readInputStream(std::istream& in, std::string_view what) {
  std::string text;
  char buffer[65536];
  while (in) {
    in.read(buffer, sizeof buffer);
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kInputFileLimit)
      throw InputError(std::string(what) + " is larger than " + std::to_string(kInputFileLimit >> 20) +
                       " MB");
  }
  if (in.bad()) throw InputError("cannot read " + std::string(what));
  return text;
}

std::string readInputFile(const std::string& path, std::string_view what) {
  const std::string name = std::string(what) + (path == "-" ? " on standard input" : " " + shortened(path));
  if (path == "-") {
    // A closed standard input reads as an error, not as an empty file. (Node, which runs the
    // browser build's programs, cannot tell: there it reads as empty.)
#ifndef __EMSCRIPTEN__
    struct stat info {};
    if (fstat(0, &info) != 0) throw InputError("cannot read " + name + ": it is closed");
#endif
    return readInputStream(std::cin, name);
  }
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) throw InputError("cannot read " + name);
  if (S_ISDIR(info.st_mode)) throw InputError("cannot read " + name + ": it is a folder");
  std::ifstream file(path, std::ios::binary);
  if (!file) throw InputError("cannot read " + name);
  return readInputStream(file, name);
}

std::vector<std::string> splitLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string shortened(std::string_view token) {
  constexpr std::size_t kLimit = 80;
  if (token.size() <= kLimit) return std::string(token);
  std::size_t cut = kLimit;
  while (cut > 0 && (static_cast<unsigned char>(token[cut]) & 0xC0) == 0x80) --cut;  // whole characters
  return std::string(token.substr(0, cut)) + "...";
}

std::string quote(std::string_view token) { return "'" + shortened(token) + "'"; }

}  // namespace mojara

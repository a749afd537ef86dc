// Reading the files people write and programs generate (keys files, replays, game scripts): the
// whole file at once, up to a limit, with its line ends and a leading byte-order mark taken off.
#pragma once

#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mojara {

struct InputError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// No input file of the game comes near this; anything larger is refused unread.
inline constexpr std::size_t kInputFileLimit = 16 * 1024 * 1024;

// The text of the file at `path`, or of standard input for "-". A file that cannot be read (it
// is missing, a directory, unreadable, or standard input is closed) or that is larger than the
// limit throws InputError naming it as `what` (for example "the keys file").
std::string readInputFile(const std::string& path, std::string_view what);
// The same for a stream already open.
std::string readInputStream(std::istream& in, std::string_view what);

// The lines of a text: a UTF-8 byte-order mark at its start is dropped, and every line loses its
// line end, "\n" or "\r\n".
std::vector<std::string> splitLines(std::string_view text);

// A token from an input file or a command line as a message shows it: at most 80 characters
// (whole UTF-8 characters, "..." after a cut); quote() puts it in single quotes.
std::string shortened(std::string_view token);
std::string quote(std::string_view token);

}  // namespace mojara

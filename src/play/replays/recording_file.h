// The file a fight is recorded into: looked at before the first fight, so that a recording that
// cannot be kept is refused before anything is played, then written line by line as the fight goes.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace mojara {

// Why fights cannot be recorded at `path`, or none when they can. The file is really opened (and
// created, then removed again, when it did not exist) and a block is written and synced, so a
// read-only disk, a full one, or a folder this user may not write is found here and not in the
// middle of a fight. A folder, a device, a pipe, a missing folder and the system's own files
// (/proc, /sys) are refused too.
std::optional<std::string> recordingProblem(const std::string& path);

// A file written as something goes on: each piece is appended whole with one write, and a piece
// the disk takes only part of is taken back, so the file holds whole lines only, whatever happens
// (a full disk, the program killed), and can only ever lose its end.
class RecordingFile {
 public:
  RecordingFile() = default;
  RecordingFile(const RecordingFile&) = delete;
  RecordingFile& operator=(const RecordingFile&) = delete;
  ~RecordingFile() { close(); }

  // Opens `path` emptied, creating it when missing; false when it cannot (error() says why).
  bool open(const std::string& path);
  // Appends `text` whole; false, with the file as it was before, when it cannot.
  bool append(std::string_view text);
  void close();
  bool isOpen() const { return fd_ >= 0; }
  // Why the last open or append failed, in the system's words.
  const std::string& error() const { return error_; }

 private:
  int fd_ = -1;
  off_t size_ = 0;
  std::string error_;
};

}  // namespace mojara

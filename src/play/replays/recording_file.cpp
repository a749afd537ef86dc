#include "play/replays/recording_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "play/input/input_file.h"

namespace mojara {

namespace {

// The system's words for `error`, as the middle of a sentence.
std::string reason(int error) {
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

// Whether `path` lies on one of the kernel's own file systems, whose files are settings and
// switches of the system rather than files on a disk: writing there must not even be tried.
// (The browser build has no such file systems.)
bool onSystemFiles(const std::string& path) {
#ifndef __linux__
  (void)path;
  return false;
#else
  struct statfs fs {};
  if (::statfs(path.c_str(), &fs) != 0) return false;
  constexpr std::array<unsigned long, 13> kSystem = {
      PROC_SUPER_MAGIC, SYSFS_MAGIC,    DEBUGFS_MAGIC,      TRACEFS_MAGIC,       SECURITYFS_MAGIC,
      SELINUX_MAGIC,    SMACK_MAGIC,    CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, EFIVARFS_MAGIC,
      PSTOREFS_MAGIC,   BINFMTFS_MAGIC, BPF_FS_MAGIC};
  for (unsigned long type : kSystem)
    if (static_cast<unsigned long>(fs.f_type) == type) return true;
  return false;
#endif
}

// Writes all of `text` at the end of `fd`; false (errno set) when the disk took less.
bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Room for a fight's first lines: what the check writes and syncs.
constexpr std::size_t kTrialBlock = 4096;

}  // namespace

std::optional<std::string> recordingProblem(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status file = fs::status(path, error);
  const bool existed = fs::exists(file);
  if (existed) {
    if (fs::is_directory(file)) return "it is a folder";
    if (!fs::is_regular_file(file)) return "it is not an ordinary file (a device, a pipe or a socket)";
  } else {
    const fs::path folder = fs::path(path).has_parent_path() ? fs::path(path).parent_path() : fs::path(".");
    const fs::file_status parent = fs::status(folder, error);
    if (!fs::exists(parent)) return "its folder " + quote(folder.string()) + " does not exist";
    if (!fs::is_directory(parent)) return quote(folder.string()) + " is not a folder";
    if (onSystemFiles(folder.string()))
      return "its folder holds the system's own files (as /proc does), not files on a disk";
  }
  if (existed && onSystemFiles(path))
    return "it is one of the system's own files (as under /proc), not a file on a disk";

  // Opened as the recording will open it, but without emptying a file that is there.
  const int fd = existed ? ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC)
                         : ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0)
    return std::string(existed ? "it cannot be written (" : "it cannot be created (") + reason(errno) + ")";
  struct stat before {};
  ::fstat(fd, &before);
  const std::string block(kTrialBlock, '\n');
  std::optional<std::string> problem;
  if (!writeAll(fd, block) || ::fsync(fd) != 0)
    problem = "there is no room to write it (" + reason(errno) + ")";
  // What was there before is left as it was.
  if (::ftruncate(fd, before.st_size) != 0 && !problem)
    problem = "it cannot be rewritten (" + reason(errno) + ")";
  ::close(fd);
  if (!existed) ::unlink(path.c_str());
  return problem;
}

bool RecordingFile::open(const std::string& path) {
  close();
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    error_ = reason(errno);
    return false;
  }
  size_ = 0;
  return true;
}

bool RecordingFile::append(std::string_view text) {
  if (fd_ < 0) return false;
  if (writeAll(fd_, text)) {
    size_ += static_cast<off_t>(text.size());
    return true;
  }
  error_ = reason(errno);
  // A piece the disk took only part of is taken back: the file ends on a whole line.
  [[maybe_unused]] const int cut = ::ftruncate(fd_, size_);
  return false;
}

void RecordingFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace mojara

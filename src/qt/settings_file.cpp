#include "qt/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <utility>

#include "play/settings/settings_store.h"
#include "play/settings/settings_text.h"

namespace mojara::qt {

namespace {

// Far more than any settings file: anything larger is not one.
constexpr off_t kMaxBytes = 1 << 20;
// How long a change waits for another copy of the game to finish writing.
constexpr auto kLockWait = std::chrono::seconds(2);

std::string reason() { return std::strerror(errno); }

// The file's bytes, or why it cannot be used as a settings file.
struct FileText {
  bool exists = false;
  std::string bytes;
  std::string problem;  // "" when the bytes can be used
};

FileText readFile(const std::string& path) {
  FileText file;
  struct stat info{};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) file.problem = "cannot be read (" + reason() + ")";
    return file;
  }
  file.exists = true;
  if (!S_ISREG(info.st_mode)) {
    file.problem = "is not a file";
    return file;
  }
  if (info.st_size > kMaxBytes) {
    file.problem = "is too large to be a settings file";
    return file;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    file.problem = "cannot be read (" + reason() + ")";
    return file;
  }
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) file.problem = "cannot be read (" + reason() + ")";
    if (got <= 0) break;
    file.bytes.append(buffer, static_cast<std::size_t>(got));
    if (file.bytes.size() > static_cast<std::size_t>(kMaxBytes)) {
      file.problem = "is too large to be a settings file";
      break;
    }
  }
  ::close(fd);
  if (file.problem.empty() && file.bytes.find('\0') != std::string::npos) file.problem = "is not a text file";
  return file;
}

// An exclusive lock on a file beside the settings, held while it lives. It waits a bounded time
// for another copy of the game; past that (a copy stopped while writing), it goes on without.
class FileLock {
 public:
  explicit FileLock(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (fd_ < 0) return;
    const auto giveUp = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR) &&
           std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // and with it the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// Writes `bytes` to a new file beside `path` and puts it in the place of `path` (the file a link
// points to, for a settings file kept elsewhere and linked), with the old file's permissions.
// Returns why it could not, or "".
std::string replaceFile(const std::string& path, const std::string& bytes) {
  std::string target = path;
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }
  struct stat old{};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  static int made = 0;
  const std::string temporary = target + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(++made);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return "cannot create a file in its folder (" + reason() + ")";
  std::string problem;
  if (existed && ::fchmod(fd, old.st_mode & 07777) != 0)
    problem = "cannot keep its permissions (" + reason() + ")";
  else if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
    problem = reason();
  if (::close(fd) != 0 && problem.empty()) problem = reason();
  if (problem.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) problem = reason();
  if (!problem.empty()) ::unlink(temporary.c_str());
  return problem;
}

std::string listed(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

}  // namespace

QString SettingsFile::settingsPath() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty() || QDir::isRelativePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
  return config + QStringLiteral("/mojara/settings.ini");
}

SettingsFile::SettingsFile(const QString& path, Warn warn) : path_(path.toStdString()), warn_(std::move(warn)) {
  const FileText file = readFile(path_);
  if (!file.problem.empty()) {
    // Written over, it would lose what the player kept in it.
    usable_ = false;
    this->warn("the settings file " + path_ + " " + file.problem +
                   "; the game starts with its defaults and leaves the file as it is",
               kCannotRead);
    return;
  }
  const SettingsReading read = readSettings(SettingsText::parse(file.bytes));
  settings_ = read.settings;
  const std::string where = "the settings file " + path_;
  if (!read.unreadLines.empty()) {
    std::vector<std::string> numbers;
    for (int line : read.unreadLines) numbers.push_back(std::to_string(line));
    this->warn(where + " has lines the game cannot read (line" + (numbers.size() > 1 ? "s " : " ") +
                   listed(numbers) + "); it keeps them as they are",
               kPartlyRead);
  }
  if (!read.unusable.empty())
    this->warn(where + " has values the game cannot use (" + listed(read.unusable) + "); it uses its defaults for them",
               kPartlyRead);
  if (!read.moved.empty())
    this->warn(where + " binds a key or button twice; the later line holds, and the bindings it took from changed places (" +
                   listed(read.moved) + ")",
               kBindingsMoved);
}

SettingsFile::~SettingsFile() = default;

void SettingsFile::warn(const std::string& detail, const char* notice) {
  if (warn_) warn_(detail);
  if (noticed_.insert(notice).second) notices_.emplace_back(notice);
}

std::vector<std::string> SettingsFile::takeNotices() { return std::exchange(notices_, {}); }

void SettingsFile::keep(const Settings& changed) {
  const Settings before = settings_;
  settings_ = changed;
  if (!usable_ || before == changed) return;
  const std::string problem = write(before, changed);
  if (problem.empty() || writeFailed_) return;
  writeFailed_ = true;
  warn("cannot write the settings file " + path_ + ": " + problem + "; changes hold until the game ends", kCannotWrite);
}

std::string SettingsFile::write(const Settings& before, const Settings& after) const {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  std::filesystem::create_directories(folder, error);
  if (error) return "cannot make its folder (" + error.message() + ")";
  const FileLock lock(path_ + ".lock");
  const FileText now = readFile(path_);
  if (!now.problem.empty()) return "it " + now.problem;
  SettingsText text = SettingsText::parse(now.bytes);
  writeChange(text, before, after);
  const std::string bytes = text.text();
  if (now.exists && bytes == now.bytes) return {};
  return replaceFile(path_, bytes);
}

}  // namespace mojara::qt

#include "net/sim_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

extern char** environ;

namespace mojara::testing {

bool within(milliseconds bound, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + bound;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(milliseconds(10));
  }
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

SimProcess::SimProcess(const std::vector<std::string>& arguments, const std::string& files) : files_(files) {
  std::vector<std::string> words{MOJARA_BIN_DIR "/mojara-sim"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  const std::string out = files + ".out", err = files + ".err";
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::system_error(failed, std::generic_category(), "posix_spawn mojara-sim");
}

SimProcess::~SimProcess() {
  if (running()) kill();
  wait(milliseconds(0));
}

bool SimProcess::running() {
  if (status_) return false;
  int status = 0;
  const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
  if (ended == pid_) status_ = status;
  if (ended < 0 && errno == ECHILD) status_ = SIGKILL;  // reaped elsewhere: its status is lost
  return !status_;
}

void SimProcess::kill() {
  if (!status_) ::kill(pid_, SIGKILL);
}

std::optional<int> SimProcess::wait(milliseconds bound) {
  if (!within(bound, [&] { return !running(); })) {
    kill();
    int status = 0;
    ::waitpid(pid_, &status, 0);
    status_ = status;
  }
  if (WIFEXITED(*status_)) return WEXITSTATUS(*status_);
  return std::nullopt;
}

std::optional<std::string> SimProcess::firstErrorLine(milliseconds bound) {
  std::optional<std::string> line;
  within(bound, [&] {
    const std::string text = err();
    if (const auto end = text.find('\n'); end != std::string::npos) line = text.substr(0, end);
    return line || !running();
  });
  return line;
}

Finished runSim(const std::vector<std::string>& arguments, const std::string& files, milliseconds bound) {
  SimProcess sim(arguments, files);
  Finished f;
  f.status = sim.wait(bound);
  f.out = sim.out();
  f.err = sim.err();
  return f;
}

}  // namespace mojara::testing

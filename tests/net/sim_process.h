// A headless runner started as a process of its own, as a player starts it, with its standard
// output and error going to files that the tests read while it runs and after it ends.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mojara::testing {

using std::chrono::milliseconds;

// Asks `done` every few milliseconds until it says yes (true) or `bound` has passed (false).
bool within(milliseconds bound, const std::function<bool()>& done);

// The whole of a file; empty if it cannot be read.
std::string fileText(const std::string& path);

class SimProcess {
 public:
  // Starts MOJARA_BIN_DIR/mojara-sim with `arguments`, standard input empty, standard output and
  // error written to `files`.out and `files`.err. Throws std::system_error if it cannot start.
  SimProcess(const std::vector<std::string>& arguments, const std::string& files);
  ~SimProcess();  // kills it if it still runs: no test leaves a runner behind
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  std::string out() const { return fileText(files_ + ".out"); }
  std::string err() const { return fileText(files_ + ".err"); }
  // Its first line on standard error once written whole; none if it ended first or did not
  // write one within `bound`.
  std::optional<std::string> firstErrorLine(milliseconds bound);

  void kill();  // SIGKILL
  // Its process id while it runs (to read its /proc files, to stop and go on).
  pid_t pid() const { return pid_; }
  // Waits up to `bound` for its end, then kills it. Its exit status; none if it was killed (by
  // this bound or anything else) or died of a signal.
  std::optional<int> wait(milliseconds bound);
  bool running();

 private:
  std::string files_;
  pid_t pid_ = -1;
  std::optional<int> status_;  // as waitpid gave it, once it has ended
};

// One runner to its end within `bound`: its exit status (none if it was killed), output and error.
struct Finished {
  std::optional<int> status;
  std::string out, err;
};
Finished runSim(const std::vector<std::string>& arguments, const std::string& files, milliseconds bound);

}  // namespace mojara::testing

// A disk that is full from a given size on, for this process only: writing past `bytes` into any
// file fails as on a full disk (the kernel's file size limit, with its signal ignored, so the
// write returns an error instead of ending the process). Put back when it goes out of scope.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace mojara::testing {

class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &before_);
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &before_);
    std::signal(SIGXFSZ, signal_);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit before_{};
  void (*signal_)(int) = nullptr;
};

}  // namespace mojara::testing

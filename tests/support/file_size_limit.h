#pragma once
// Lowers this process's file size limit while it lives: a write beyond the first bytes
// of any file fails, as on a full disk.

#include <sys/resource.h>

#include <csignal>

namespace revalorn::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes = 16) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved_;
    tiny.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &tiny);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};

}  // namespace revalorn::testing

// The POSIX backend of the exchange lock: flock on a lock file. flock
// belongs to the open file, not the process, so two locks in one program
// exclude each other as two programs do, and the system drops the lock of
// a program that ends without releasing it (a crash leaves nothing stale).
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>

#include "base/user_folders.h"
#include "device/exchange_lock.h"

namespace zelko {
namespace {

constexpr std::size_t kHolderTextLimit = 256;

std::string ThisProgramName() {
#ifdef __linux__
  std::ifstream comm("/proc/self/comm");
  std::string name;
  std::getline(comm, name);
  return name;
#else
  return {};
#endif
}

// "4242 zelko77ctl" as the holder wrote it.
LockHolder ParseHolder(const std::string& text) {
  LockHolder holder;
  char* end = nullptr;
  const long pid = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || pid <= 0) return holder;
  holder.pid = pid;
  std::string rest(end);
  while (!rest.empty() && (rest.front() == ' ')) rest.erase(rest.begin());
  while (!rest.empty() && (rest.back() == '\n' || rest.back() == ' ')) rest.pop_back();
  holder.program = rest;
  return holder;
}

class FlockExchangeLock final : public ExchangeLock {
 public:
  // `place` names the lock file for a node, or says why there is none.
  explicit FlockExchangeLock(std::function<std::string(const std::string&, std::string&)> place)
      : place_(std::move(place)) {}
  ~FlockExchangeLock() override {
    Release();
    Close();
  }

  LockAttempt TryTake(const std::string& node) override {
    LockAttempt attempt;
    std::string error;
    const std::string path = place_(node, error);
    if (path.empty()) return Unavailable(error);
    if (path != path_) {
      Release();
      Close();
    }
    if (fd_ < 0) {
      // O_NOFOLLOW: a link planted under the lock's name is not followed.
      fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
      if (fd_ < 0) return Unavailable("cannot open the lock file " + path + ": " + std::strerror(errno));
      path_ = path;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK) {
        return Unavailable("cannot lock " + path_ + ": " + std::strerror(errno));
      }
      attempt.outcome = LockOutcome::kHeldByAnother;
      attempt.holder = ReadHolder();
      return attempt;
    }
    held_ = true;
    WriteHolder();
    return attempt;
  }

  void Release() override {
    if (!held_) return;
    // Emptied first: who reads it after the unlock must not name us.
    (void)::ftruncate(fd_, 0);
    ::flock(fd_, LOCK_UN);
    held_ = false;
  }

 private:
  static LockAttempt Unavailable(std::string error) {
    LockAttempt attempt;
    attempt.outcome = LockOutcome::kUnavailable;
    attempt.error = std::move(error);
    return attempt;
  }

  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
  }

  void WriteHolder() {
    const std::string text = std::to_string(::getpid()) + " " + ThisProgramName() + "\n";
    if (::ftruncate(fd_, 0) != 0) return;
    (void)::pwrite(fd_, text.data(), text.size(), 0);
  }

  LockHolder ReadHolder() const {
    char text[kHolderTextLimit + 1] = {};
    const ssize_t n = ::pread(fd_, text, kHolderTextLimit, 0);
    if (n <= 0) return {};
    return ParseHolder(std::string(text, static_cast<std::size_t>(n)));
  }

  std::function<std::string(const std::string&, std::string&)> place_;
  std::string path_;
  int fd_ = -1;
  bool held_ = false;
};

}  // namespace

std::string NodeLockFilePath(const std::string& node, std::string& error) {
  const auto folder = UserRuntimeFolder();
  if (!folder) {
    error = "no private folder for the mouse's lock: " + folder.error();
    return {};
  }
  return (*folder / (LockNameOf(node) + ".lock")).string();
}

std::unique_ptr<ExchangeLock> MakeNodeExchangeLock() {
  return std::make_unique<FlockExchangeLock>(NodeLockFilePath);
}

std::unique_ptr<ExchangeLock> MakeFileExchangeLock(const std::string& path) {
  // Beside the file, not the file itself: the file is replaced by rename
  // when it is saved, and a lock on the old one would guard nothing.
  return std::make_unique<FlockExchangeLock>(
      [lock_path = path + ".lock"](const std::string&, std::string&) { return lock_path; });
}

}  // namespace zelko

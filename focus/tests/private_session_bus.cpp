#include "focus/tests/private_session_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

extern char** environ;

namespace zelko::testing_support {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kStartDeadline = std::chrono::seconds(15);
constexpr auto kStopDeadline = std::chrono::seconds(5);

void EndProcess(pid_t pid) {
  kill(pid, SIGTERM);
  const auto until = Clock::now() + kStopDeadline;
  for (;;) {
    int status = 0;
    const pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid || (r < 0 && errno != EINTR)) return;
    if (Clock::now() >= until) {
      kill(pid, SIGKILL);
      (void)waitpid(pid, &status, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// The first line dbus-daemon writes to the pipe: its address.
std::optional<std::string> ReadAddress(int fd) {
  std::string line;
  const auto until = Clock::now() + kStartDeadline;
  while (Clock::now() < until) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()) + 1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char c = 0;
    if (read(fd, &c, 1) <= 0) return std::nullopt;  // it ended without an address
    if (c == '\n') return line.empty() ? std::nullopt : std::optional(line);
    line.push_back(c);
  }
  return std::nullopt;
}

}  // namespace

Result<std::unique_ptr<PrivateSessionBus>> PrivateSessionBus::Start() {
  using Started = Result<std::unique_ptr<PrivateSessionBus>>;
  int fds[2];
  if (pipe(fds) != 0) return Started::Failure("no pipe");
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);  // the write end goes to dbus-daemon
  const std::string print_address = "--print-address=" + std::to_string(fds[1]);
  std::vector<std::string> argv = {"dbus-daemon", "--session", "--nofork", "--nopidfile", print_address};
  std::vector<char*> args;
  for (auto& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (error != 0) {
    close(fds[0]);
    return Started::Failure(std::string("dbus-daemon does not run: ") + std::strerror(error));
  }
  const auto address = ReadAddress(fds[0]);
  close(fds[0]);
  if (!address) {
    EndProcess(pid);
    return Started::Failure("dbus-daemon named no address in time");
  }
  return std::unique_ptr<PrivateSessionBus>(new PrivateSessionBus(pid, *address));
}

PrivateSessionBus::~PrivateSessionBus() {
  if (pid_ > 0) EndProcess(pid_);
}

}  // namespace zelko::testing_support

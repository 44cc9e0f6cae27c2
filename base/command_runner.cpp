#include "base/command_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

extern char** environ;

namespace zelko {
namespace {

constexpr std::uint32_t kPollStepMs = 10;

// Reads what is there without blocking; false at end of file.
bool Drain(int fd, std::string& into) {
  std::array<char, 4096> chunk{};
  for (;;) {
    const ssize_t n = read(fd, chunk.data(), chunk.size());
    if (n > 0) {
      into.append(chunk.data(), static_cast<std::size_t>(n));
      continue;
    }
    if (n == 0) return false;
    return errno == EAGAIN || errno == EINTR;
  }
}

void CloseIfOpen(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

}  // namespace

CommandResult ProcessRunner::Run(const std::vector<std::string>& argv, std::uint32_t timeout_ms) {
  CommandResult result;
  if (argv.empty()) return result;

  int out_pipe[2] = {-1, -1};
  int err_pipe[2] = {-1, -1};
  if (pipe2(out_pipe, O_CLOEXEC) != 0) return result;
  if (pipe2(err_pipe, O_CLOEXEC) != 0) {
    close(out_pipe[0]);
    close(out_pipe[1]);
    return result;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);

  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out_pipe[1]);
  close(err_pipe[1]);
  int out_fd = out_pipe[0];
  int err_fd = err_pipe[0];
  if (spawned != 0) {
    CloseIfOpen(out_fd);
    CloseIfOpen(err_fd);
    return result;
  }
  result.started = true;
  fcntl(out_fd, F_SETFL, O_NONBLOCK);
  fcntl(err_fd, F_SETFL, O_NONBLOCK);

  const std::uint64_t deadline = clock_.NowMs() + timeout_ms;
  int status = 0;
  bool ended = false;
  for (;;) {
    if (out_fd >= 0 && !Drain(out_fd, result.output)) CloseIfOpen(out_fd);
    if (err_fd >= 0 && !Drain(err_fd, result.errors)) CloseIfOpen(err_fd);
    if (!ended) {
      const pid_t w = waitpid(pid, &status, WNOHANG);
      ended = w == pid;
    }
    if (ended && out_fd < 0 && err_fd < 0) break;
    if (ended) {
      // The program is gone: take what it left in the pipes and stop
      // waiting for anything it may have handed them on to.
      if (out_fd >= 0) Drain(out_fd, result.output);
      if (err_fd >= 0) Drain(err_fd, result.errors);
      CloseIfOpen(out_fd);
      CloseIfOpen(err_fd);
      break;
    }
    if (clock_.NowMs() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      result.timed_out = true;
      CloseIfOpen(out_fd);
      CloseIfOpen(err_fd);
      return result;
    }
    clock_.SleepMs(kPollStepMs);
  }
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}

}  // namespace zelko

#include "test_support/process_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <map>

extern char** environ;

namespace zelko::testing_support {
namespace {

using Clock = std::chrono::steady_clock;

// The test's environment with `extra` set on top, as "NAME=value" texts.
std::vector<std::string> EnvironmentFor(const ProcessEnvironment& extra) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : extra) variables[name] = value;
  std::vector<std::string> texts;
  for (const auto& [name, value] : variables) texts.push_back(name + "=" + value);
  return texts;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

enum class Read { kData, kNothing, kClosed };

Read Drain(int fd, std::string& into) {
  std::array<char, 4096> chunk{};
  const ssize_t n = ::read(fd, chunk.data(), chunk.size());
  if (n > 0) {
    into.append(chunk.data(), static_cast<std::size_t>(n));
    return Read::kData;
  }
  return n < 0 && (errno == EINTR || errno == EAGAIN) ? Read::kNothing : Read::kClosed;
}

void Close(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const ProcessRun& run) {
  os << run.command << ": ";
  if (run.timed_out) {
    os << "killed at its deadline";
  } else if (!run.failure.empty()) {
    os << run.failure;
  } else {
    os << "exit " << run.exit_code;
  }
  return os << "\nstderr: " << run.err;
}

RunningProcess::RunningProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  for (const auto& arg : argv) run_.command += (run_.command.empty() ? "" : " ") + arg;
  if (argv.empty()) {
    run_.failure = "nothing to run";
    return;
  }
  int out_pipe[2] = {-1, -1};
  int err_pipe[2] = {-1, -1};
  if (options.capture_output && (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0)) {
    run_.failure = std::string("no pipe: ") + std::strerror(errno);
    for (int* fd : {&out_pipe[0], &out_pipe[1], &err_pipe[0], &err_pipe[1]}) Close(*fd);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (options.capture_output) {
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  // A process group of its own, so that a kill also ends whatever the
  // program started.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);

  std::vector<std::string> argv_texts = argv;
  std::vector<std::string> env_texts = EnvironmentFor(options.environment);
  const auto args = Pointers(argv_texts);
  const auto envp = Pointers(env_texts);
  pid_t pid = -1;
  const int spawned = options.search_path
                          ? ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), envp.data())
                          : ::posix_spawn(&pid, args[0], &actions, &attributes, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  Close(out_pipe[1]);
  Close(err_pipe[1]);
  out_ = out_pipe[0];
  err_ = err_pipe[0];
  if (spawned != 0) {
    run_.failure = "could not start " + argv[0] + ": " + std::strerror(spawned);
    Close(out_);
    Close(err_);
    return;
  }
  pid_ = pid;
  if (out_ >= 0) ::fcntl(out_, F_SETFL, O_NONBLOCK);
  if (err_ >= 0) ::fcntl(err_, F_SETFL, O_NONBLOCK);
}

RunningProcess::~RunningProcess() {
  Kill();
  Close(out_);
  Close(err_);
}

void RunningProcess::Reap(int status) {
  ended_ = true;
  status_ = status;
}

bool RunningProcess::Ended() {
  if (!started() || ended_) return true;
  int status = 0;
  const pid_t r = ::waitpid(pid_, &status, WNOHANG);
  if (r == pid_) Reap(status);
  return ended_;
}

void RunningProcess::Kill() {
  if (!started() || Ended()) return;
  ::kill(-pid_, SIGKILL);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  Reap(status);
  run_.timed_out = true;
}

ProcessRun RunningProcess::Wait(std::chrono::milliseconds timeout) {
  if (!started()) return run_;
  // Read both pipes until the program has ended and they are quiet (a
  // program it started may keep them open) or the deadline passes.
  const auto deadline = Clock::now() + timeout;
  std::array<bool, 2> open = {out_ >= 0, err_ >= 0};
  const std::array<int, 2> read_ends = {out_, err_};
  const std::array<std::string*, 2> texts = {&run_.out, &run_.err};
  while (Clock::now() < deadline) {
    const bool ended = Ended();
    if (!open[0] && !open[1]) {
      if (ended) break;
      ::poll(nullptr, 0, std::min(MillisecondsUntil(deadline), 10));
      continue;
    }
    std::array<pollfd, 2> fds{};
    for (std::size_t i = 0; i < 2; ++i) fds[i] = pollfd{open[i] ? read_ends[i] : -1, POLLIN, 0};
    const int wait_ms = ended ? 0 : std::min(MillisecondsUntil(deadline), 50);
    if (::poll(fds.data(), fds.size(), wait_ms) < 0 && errno != EINTR) break;
    bool got_data = false;
    for (std::size_t i = 0; i < 2; ++i) {
      if (!open[i] || fds[i].revents == 0) continue;
      const Read read = Drain(read_ends[i], *texts[i]);
      if (read == Read::kClosed) open[i] = false;
      got_data = got_data || read == Read::kData;
    }
    if (ended && !got_data) break;
  }
  if (!Ended()) {
    Kill();
    return run_;
  }
  if (WIFEXITED(status_)) {
    run_.exit_code = WEXITSTATUS(status_);
  } else if (WIFSIGNALED(status_) && !run_.timed_out) {
    run_.failure = "ended by signal " + std::to_string(WTERMSIG(status_));
  }
  return run_;
}

ProcessRun RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds timeout,
                      const ProcessOptions& options) {
  RunningProcess process(argv, options);
  return process.Wait(timeout);
}

}  // namespace zelko::testing_support

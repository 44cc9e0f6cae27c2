#include "cli/tests/run_ctl.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

extern char** environ;

namespace zelko::cli::testing {
namespace {

using Clock = std::chrono::steady_clock;

// The test's environment with `extra` set on top, as "NAME=value" texts.
std::vector<std::string> EnvironmentFor(const CtlEnvironment& extra) {
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

class Pipe {
 public:
  Pipe() {
    if (::pipe2(fds_, O_CLOEXEC) != 0) fds_[0] = fds_[1] = -1;
  }
  ~Pipe() {
    CloseRead();
    CloseWrite();
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  bool ok() const { return fds_[0] >= 0; }
  int read_end() const { return fds_[0]; }
  int write_end() const { return fds_[1]; }
  void CloseRead() { Close(fds_[0]); }
  void CloseWrite() { Close(fds_[1]); }

 private:
  static void Close(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  int fds_[2];
};

}  // namespace

std::ostream& operator<<(std::ostream& os, const CtlRun& run) {
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

CtlRun RunCtl(const std::vector<std::string>& args, std::chrono::milliseconds timeout,
              const CtlEnvironment& environment) {
  CtlRun run;
  std::vector<std::string> argv_texts = {ZELKO77CTL};
  argv_texts.insert(argv_texts.end(), args.begin(), args.end());
  run.command = "zelko77ctl";
  for (const auto& arg : args) run.command += " " + arg;

  Pipe out;
  Pipe err;
  if (!out.ok() || !err.ok()) {
    run.failure = std::string("no pipe: ") + std::strerror(errno);
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out.write_end(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.write_end(), STDERR_FILENO);
  // A process group of its own, so that a kill at the deadline also ends
  // whatever the program started.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);

  std::vector<std::string> env_texts = EnvironmentFor(environment);
  const auto argv = Pointers(argv_texts);
  const auto envp = Pointers(env_texts);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, argv_texts[0].c_str(), &actions, &attributes, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  out.CloseWrite();
  err.CloseWrite();
  if (spawned != 0) {
    run.failure = "could not start " + argv_texts[0] + ": " + std::strerror(spawned);
    return run;
  }

  // Read both pipes until the program has ended and they are quiet (a
  // program it started may keep them open) or the deadline passes.
  ::fcntl(out.read_end(), F_SETFL, O_NONBLOCK);
  ::fcntl(err.read_end(), F_SETFL, O_NONBLOCK);
  const auto deadline = Clock::now() + timeout;
  std::array<bool, 2> open = {true, true};
  const std::array<int, 2> read_ends = {out.read_end(), err.read_end()};
  const std::array<std::string*, 2> texts = {&run.out, &run.err};
  int status = 0;
  pid_t ended = 0;
  while (Clock::now() < deadline) {
    if (ended == 0) ended = ::waitpid(pid, &status, WNOHANG);
    if (!open[0] && !open[1]) {
      if (ended != 0) break;
      ::poll(nullptr, 0, std::min(MillisecondsUntil(deadline), 10));
      continue;
    }
    std::array<pollfd, 2> fds{};
    for (std::size_t i = 0; i < 2; ++i) fds[i] = pollfd{open[i] ? read_ends[i] : -1, POLLIN, 0};
    const int wait_ms = ended != 0 ? 0 : std::min(MillisecondsUntil(deadline), 50);
    if (::poll(fds.data(), fds.size(), wait_ms) < 0 && errno != EINTR) break;
    bool got_data = false;
    for (std::size_t i = 0; i < 2; ++i) {
      if (!open[i] || fds[i].revents == 0) continue;
      const Read read = Drain(read_ends[i], *texts[i]);
      if (read == Read::kClosed) open[i] = false;
      got_data = got_data || read == Read::kData;
    }
    if (ended != 0 && !got_data && (open[0] || open[1])) break;
  }
  if (ended == 0) ended = ::waitpid(pid, &status, WNOHANG);
  if (ended == 0) {
    ::kill(-pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    run.timed_out = true;
    return run;
  }
  if (ended < 0) {
    run.failure = std::string("waitpid: ") + std::strerror(errno);
  } else if (WIFEXITED(status)) {
    run.exit_code = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    run.failure = "ended by signal " + std::to_string(WTERMSIG(status));
  }
  return run;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelko-cli-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace zelko::cli::testing

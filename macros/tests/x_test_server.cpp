#include "macros/tests/x_test_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

extern char** environ;

namespace zelko::testing_support {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kServerStartDeadline = std::chrono::seconds(15);
constexpr auto kClientDeadline = std::chrono::seconds(15);
constexpr auto kServerStopDeadline = std::chrono::seconds(5);
constexpr auto kPollStep = std::chrono::milliseconds(5);

struct Spawned {
  pid_t pid = -1;
  int error = 0;  // errno of posix_spawnp
};

// Spawns argv with this environment, stdout and stderr to /dev/null.
Spawned Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  Spawned spawned;
  spawned.error = posix_spawnp(&spawned.pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return spawned;
}

std::vector<std::string> EnvironmentWithDisplay(const std::string& display) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
  }
  env.push_back("DISPLAY=" + display);
  return env;
}

// The exit status of pid once it has ended within the deadline.
std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds deadline) {
  const auto until = Clock::now() + deadline;
  for (;;) {
    int status = 0;
    const pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (r < 0 && errno != EINTR) return -1;
    if (Clock::now() >= until) return std::nullopt;
    std::this_thread::sleep_for(kPollStep);
  }
}

void EndProcess(pid_t pid) {
  kill(pid, SIGTERM);
  if (!WaitForExit(pid, kServerStopDeadline)) {
    kill(pid, SIGKILL);
    (void)WaitForExit(pid, kServerStopDeadline);
  }
}

// Reads the display number Xvfb writes to the pipe when it is ready.
std::optional<std::string> ReadDisplayNumber(int fd) {
  std::string number;
  const auto until = Clock::now() + kServerStartDeadline;
  while (Clock::now() < until) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()) + 1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char c = 0;
    const ssize_t n = read(fd, &c, 1);
    if (n <= 0) return std::nullopt;  // it ended without a display
    if (c == '\n') return number.empty() ? std::nullopt : std::optional(number);
    number.push_back(c);
  }
  return std::nullopt;
}

}  // namespace

Result<std::unique_ptr<XTestServer>> XTestServer::Start() {
  int fds[2];
  if (pipe(fds) != 0) return Result<std::unique_ptr<XTestServer>>::Failure("no pipe");
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);  // the write end goes to Xvfb
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  // -noreset: a server resets when its last client leaves and refuses
  // connections meanwhile; a test's clients come and go.
  const Spawned server = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-noreset",
                                "-screen", "0", "640x480x24"},
                               env);
  close(fds[1]);
  if (server.error != 0) {
    close(fds[0]);
    return Result<std::unique_ptr<XTestServer>>::Failure(std::string("Xvfb does not run: ") +
                                                         std::strerror(server.error));
  }
  const auto number = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (!number) {
    EndProcess(server.pid);
    return Result<std::unique_ptr<XTestServer>>::Failure("Xvfb named no display in time");
  }
  return std::unique_ptr<XTestServer>(new XTestServer(server.pid, ":" + *number));
}

XTestServer::~XTestServer() {
  if (pid_ > 0) EndProcess(pid_);
}

void XTestServer::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  (void)WaitForExit(pid_, kServerStopDeadline);
  pid_ = -1;
}

Result<int> XTestServer::Run(const std::vector<std::string>& argv) const {
  const Spawned client = Spawn(argv, EnvironmentWithDisplay(display_));
  if (client.error != 0) return Result<int>::Failure(argv[0] + " does not run: " + std::strerror(client.error));
  const auto status = WaitForExit(client.pid, kClientDeadline);
  if (!status) {
    EndProcess(client.pid);
    return Result<int>::Failure(argv[0] + " did not end in time");
  }
  return *status;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
  const auto until = Clock::now() + deadline;
  while (!done()) {
    if (Clock::now() >= until) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}

}  // namespace zelko::testing_support

#include "macros/tests/x_test_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace zelko::testing_support {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kServerStartDeadline = std::chrono::seconds(15);
constexpr auto kClientDeadline = std::chrono::seconds(15);

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

// The X server's lock file for a display number: it holds the process id
// of the server that has the number, as ten characters and a newline. A
// server that starts skips every number whose lock names a live process.
std::string LockFileOf(int number) { return "/tmp/.X" + std::to_string(number) + "-lock"; }
std::string SocketOf(int number) { return "/tmp/.X11-unix/X" + std::to_string(number); }

std::string LockText(long pid) {
  char text[16];
  std::snprintf(text, sizeof text, "%10ld\n", pid);
  return text;
}

}  // namespace

XTestServer::XTestServer(std::unique_ptr<RunningProcess> server, int number)
    : server_(std::move(server)), number_(number), display_(":" + std::to_string(number)) {}

Result<std::unique_ptr<XTestServer>> XTestServer::Start() {
  int fds[2];
  if (pipe(fds) != 0) return Result<std::unique_ptr<XTestServer>>::Failure("no pipe");
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);  // the write end goes to Xvfb
  ProcessOptions options;
  options.capture_output = false;
  options.search_path = true;
  // -noreset: a server resets when its last client leaves and refuses
  // connections meanwhile; a test's clients come and go.
  auto server = std::make_unique<RunningProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-noreset",
                               "-screen", "0", "640x480x24"},
      options);
  close(fds[1]);
  if (!server->started()) {
    close(fds[0]);
    return Result<std::unique_ptr<XTestServer>>::Failure("Xvfb does not run: " + server->Wait({}).failure);
  }
  const auto number = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (!number) return Result<std::unique_ptr<XTestServer>>::Failure("Xvfb named no display in time");
  return std::unique_ptr<XTestServer>(new XTestServer(std::move(server), std::atoi(number->c_str())));
}

XTestServer::~XTestServer() {
  if (server_ && !server_->Ended()) {
    ::kill(server_->pid(), SIGTERM);  // it removes its lock and socket
    (void)WaitUntil([&] { return server_->Ended(); }, std::chrono::seconds(5));
  }
  server_.reset();
  if (number_held_) {
    std::ifstream lock(LockFileOf(number_));
    std::string text(11, '\0');
    lock.read(text.data(), 11);
    if (text == LockText(::getpid())) {
      std::error_code ignored;
      std::filesystem::remove(LockFileOf(number_), ignored);
      std::filesystem::remove(SocketOf(number_), ignored);
    }
  }
}

void XTestServer::Kill() {
  if (!server_ || server_->Ended()) return;
  // The lock names this test from now on, before the server dies: there is
  // no moment at which the number is free.
  {
    std::ofstream lock(LockFileOf(number_), std::ios::trunc);
    lock << LockText(::getpid());
    number_held_ = static_cast<bool>(lock);
  }
  server_->Kill();
}

Result<int> XTestServer::Run(const std::vector<std::string>& argv) const {
  ProcessOptions options;
  options.capture_output = false;
  options.search_path = true;
  options.environment = {{"DISPLAY", display_}};
  const ProcessRun run = RunProcess(argv, kClientDeadline, options);
  if (run.timed_out) return Result<int>::Failure(argv[0] + " did not end in time");
  if (!run.failure.empty()) return Result<int>::Failure(run.failure);
  return run.exit_code;
}

}  // namespace zelko::testing_support

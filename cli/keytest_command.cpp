// zelko77ctl keytest: which physical button is button 1..9.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

#include "cli/command_json.h"
#include "cli/device_session.h"
#include "cli/engineer_commands.h"
#include "cli/terminal.h"
#include "pages/key_test_worker.h"

namespace zelko::cli {
namespace {

// Five seconds without a pressed button end the test, as in the window.
constexpr std::uint64_t kQuietEndMs = 5000;
// Between two status queries (each takes about 10 ms itself).
constexpr std::uint32_t kPollPauseMs = 20;

std::atomic<bool> interrupted = false;

extern "C" void OnInterrupt(int) { interrupted = true; }

// Ctrl+C asks the test to end; the handler before is back afterwards.
class InterruptGuard {
 public:
  InterruptGuard() {
    interrupted = false;
    previous_ = std::signal(SIGINT, OnInterrupt);
    if (previous_ == SIG_ERR) previous_ = SIG_DFL;
  }
  ~InterruptGuard() { std::signal(SIGINT, previous_); }
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

 private:
  void (*previous_)(int) = SIG_DFL;
};

std::string Seconds(std::uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%02llu s", static_cast<unsigned long long>(ms / 1000),
                static_cast<unsigned long long>(ms % 1000 / 10));
  return text;
}

}  // namespace

void RunKeyTest(CliContext& context) {
  auto session = OpenDeviceSession(context);
  if (!session) return;
  if (!BeginConfigurableExchange(*session, context)) {
    session->Finish(context);
    return;
  }
  CommandChannel& channel = session->channel();
  Clock& clock = session->clock();
  const bool json = context.options.json;
  const bool terminal = IsTerminal(stdout) && !json;
  if (json) std::printf("%s\n", KeyTestStartJson().dump().c_str());
  else std::printf("Press the mouse's buttons; five seconds without a press end the test (Ctrl+C ends it now).\n");
  std::fflush(stdout);

  InterruptGuard guard;
  const std::uint64_t start = clock.NowMs();
  std::uint64_t last_held = start;
  std::uint16_t previous = 0;
  int presses = 0;
  std::uint64_t shown_second = 0;
  bool countdown_shown = false;
  bool answered = true;
  while (!interrupted) {
    const std::uint16_t word = channel.ReadStatusWord();
    // 0 is also what an unanswered query gives: the acknowledgement tells.
    answered = channel.command_report().ack() == kAckOk;
    const std::uint64_t now = clock.NowMs();
    const std::uint16_t held = static_cast<std::uint16_t>(word & ((1u << kKeyTestButtons) - 1));
    if (held) last_held = now;
    for (int k = 0; k < kKeyTestButtons; ++k) {
      const unsigned bit = 1u << k;
      if (!(held & bit) || (previous & bit)) continue;
      if (countdown_shown) std::printf("\r%20s\r", "");
      countdown_shown = false;
      if (json) std::printf("%s\n", KeyTestPressJson(now - start, k + 1).dump().c_str());
      else std::printf("%10s  button %d pressed\n", Seconds(now - start).c_str(), k + 1);
      ++presses;
    }
    previous = held;
    const std::uint64_t quiet = now - last_held;
    if (quiet >= kQuietEndMs) break;
    const std::uint64_t left = (kQuietEndMs - quiet + 999) / 1000;
    if (terminal && !held && left != shown_second) {
      std::printf("\rEnds in %llu...   ", static_cast<unsigned long long>(left));
      countdown_shown = true;
      shown_second = left;
    }
    if (held) shown_second = 0;
    std::fflush(stdout);
    clock.SleepMs(kPollPauseMs);
  }
  if (countdown_shown) std::printf("\r%20s\r", "");
  const bool ended = channel.EndExchange();
  const std::uint64_t elapsed = clock.NowMs() - start;
  if (json) {
    std::printf("%s\n", KeyTestEndJson(interrupted, elapsed, presses).dump().c_str());
  } else if (interrupted) {
    std::printf("Stopped after %s; %d press(es).\n", Seconds(elapsed).c_str(), presses);
  } else {
    std::printf("Five seconds without a press: the test ended after %s; %d press(es).\n",
                Seconds(elapsed).c_str(), presses);
  }
  std::fflush(stdout);
  if (!answered) {
    PrintError("the mouse stopped answering the status query; unplug and replug it, then try again");
    context.exit_code = kExitTransferFailed;
  } else if (!ended) {
    PrintError(kEndNotAcknowledgedText);
    context.exit_code = kExitTransferFailed;
  }
  session->Finish(context);
}

}  // namespace zelko::cli

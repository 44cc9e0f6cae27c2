#include "cli/cli_ui_port.h"

#include <cstdio>
#include <string>

#include "cli/terminal.h"

namespace zelko::cli {
namespace {
constexpr int kBarWidth = 40;
}

CliUiPort::CliUiPort() : terminal_(IsTerminal(stderr)) {}

CliUiPort::~CliUiPort() { HideProgress(); }

void CliUiPort::ShowProgress(int done, int total) {
  if (!terminal_ || total <= 0) return;
  const int percent = done * 100 / total;
  if (percent == last_percent_) return;  // redraw only when it moves
  last_percent_ = percent;
  const int filled = done * kBarWidth / total;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
  std::fflush(stderr);
  bar_shown_ = true;
}

void CliUiPort::HideProgress() {
  if (!bar_shown_) return;
  std::fprintf(stderr, "\r%*s\r", kBarWidth + 8, "");
  std::fflush(stderr);
  bar_shown_ = false;
  last_percent_ = -1;
}

void CliUiPort::ShowMessage(std::string_view textId) {
  HideProgress();
  std::fprintf(stderr, "%.*s\n", static_cast<int>(textId.size()), textId.data());
}

}  // namespace zelko::cli

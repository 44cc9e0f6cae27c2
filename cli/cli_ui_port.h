// The command line's face of the UI port: a progress bar on stderr, drawn
// only when stderr is a terminal, and messages as plain lines on stderr.
#pragma once
#include "device/ui_port.h"

namespace zelko::cli {

class CliUiPort final : public UiPort {
 public:
  CliUiPort();
  ~CliUiPort() override;
  void ShowProgress(int done, int total) override;
  void HideProgress() override;
  void ShowMessage(std::string_view textId) override;

 private:
  bool terminal_ = false;
  bool bar_shown_ = false;
  int last_percent_ = -1;
};

}  // namespace zelko::cli

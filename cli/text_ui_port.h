// The UI port the image commands hand to the flows: progress goes to the
// session's progress bar; messages are looked up in the chosen language
// pack and held until the command has said what it has to say, so that a
// command's output ends with the message the window would have shown.
#pragma once
#include <string>
#include <vector>

#include "device/ui_port.h"

namespace zelko::cli {

class TextUiPort final : public UiPort {
 public:
  // `language`: the language pack (1..3) the texts come from.
  TextUiPort(UiPort& progress, int language) : progress_(progress), language_(language) {}
  ~TextUiPort() override { Flush(); }

  void ShowProgress(int done, int total) override { progress_.ShowProgress(done, total); }
  void HideProgress() override { progress_.HideProgress(); }
  void ProcessMessages() override { progress_.ProcessMessages(); }
  void ShowMessage(std::string_view textId) override;
  void ShowMessagePair(std::string_view first, std::string_view second) override;

  // Prints the held messages on stderr, one per line, and forgets them.
  void Flush();
  const std::vector<std::string>& held() const { return held_; }

 private:
  UiPort& progress_;
  int language_;
  std::vector<std::string> held_;
};

// The text of a language pack id (pack 1..3, 1 English); the id itself when
// the pack has no text for it.
std::string MessageText(std::string_view textId, int language = 1);

}  // namespace zelko::cli

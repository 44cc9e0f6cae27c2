#include "cli/text_ui_port.h"

#include <cstdio>

#include "resources/language_pack.h"

namespace zelko::cli {

std::string MessageText(std::string_view textId, int language) {
  std::string text = LangText(language, textId);
  return text.empty() ? std::string(textId) : text;
}

void TextUiPort::ShowMessage(std::string_view textId) {
  held_.push_back(MessageText(textId, language_));
}

void TextUiPort::ShowMessagePair(std::string_view first, std::string_view second) {
  std::string text = MessageText(first, language_);
  const std::string more = LangText(language_, second);
  if (!more.empty()) text += "\n\n" + more;
  held_.push_back(text);
}

void TextUiPort::Flush() {
  progress_.HideProgress();
  for (const auto& text : held_) std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  held_.clear();
}

}  // namespace zelko::cli

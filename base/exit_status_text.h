// The exit statuses of both programs with the words that explain them: the
// one list both --help texts (and the README's table) are made from.
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace zelko {

struct ExitStatusText {
  int status;
  std::string_view words;
};

inline constexpr std::array kExitStatusTexts = {
    ExitStatusText{0, "done"},
    ExitStatusText{1, "anything else (a file that cannot be written; zelko77: no display to open the window on)"},
    ExitStatusText{2, "no mouse (none with the supported identity was found or opened; no HID support on this platform)"},
    ExitStatusText{3, "the mouse answered but refused configuration"},
    ExitStatusText{4, "a transfer failed (not acknowledged, or the mouse does not hold what was written)"},
    ExitStatusText{5, "bad input (an option, an argument or a file was refused); nothing was written"},
};

// "Exit status:" and one line per status, for a --help footer.
inline std::string ExitStatusHelp() {
  std::string text = "Exit status:\n";
  for (const ExitStatusText& entry : kExitStatusTexts) {
    text += "  " + std::to_string(entry.status) + "  " + std::string(entry.words) + "\n";
  }
  return text;
}

}  // namespace zelko

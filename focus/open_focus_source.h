// The one place that chooses the focus source for the desktop the program
// runs on (focus/focus_source_choice.h for the rule), and says in one line
// which one it chose, or why there is none.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "focus/focus_source.h"

namespace zelko {

// The source for this desktop, ready to Start; null when there is none.
// `line` tells the user which source was chosen, or why none could be
// ("… run `gnome-extensions enable …`").
std::unique_ptr<FocusSource> OpenFocusSource(std::string& line);

// The KWin script the KDE source loads: in the data folder beside the
// program's (../share/zelko77/ from its folder), else in the source tree
// of a program run from its build folder; empty when neither has it.
std::filesystem::path FindKWinFocusScript();

}  // namespace zelko

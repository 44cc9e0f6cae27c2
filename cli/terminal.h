// Whether a standard stream is a terminal (progress bars and countdowns are
// drawn only there).
#pragma once
#include <cstdio>

namespace zelko::cli {

bool IsTerminal(std::FILE* stream);

}  // namespace zelko::cli

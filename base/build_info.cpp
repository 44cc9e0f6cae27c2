#include "base/build_info.h"

namespace zelko {

std::string_view ProgramVersion() { return ZELKO_PROGRAM_VERSION; }

}  // namespace zelko

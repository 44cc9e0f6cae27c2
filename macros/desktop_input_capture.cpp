#include "macros/input_capture.h"

namespace zelko {

// No desktop capture is built in yet: the window records what reaches it.
std::unique_ptr<InputCapture> OpenDesktopInputCapture() { return nullptr; }

}  // namespace zelko

#include "device/ui_port.h"

namespace zelko {

UiPort& NullUiPort() {
  static UiPort port;
  return port;
}

}  // namespace zelko

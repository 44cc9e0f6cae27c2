#include "macros/macro_event.h"

namespace zelko {

const MouseButtonEventInfo& MouseButtonInfo(MacroMouseButton button) {
  return kMouseButtonEvents[static_cast<std::size_t>(button)];
}

std::optional<MouseButtonEventInfo> MouseButtonOfCode(std::uint8_t code) {
  const auto release = static_cast<std::uint8_t>(code & ~macro_event::kPressedBit);
  for (const auto& info : kMouseButtonEvents) {
    if (info.release_code == release) return info;
  }
  return std::nullopt;
}

std::size_t EventSize(std::uint8_t first_byte) {
  using namespace macro_event;
  switch (first_byte) {
    case kModifierPress:
    case kModifierRelease:
    case kKeyPress:
    case kKeyRelease:
    case kDelay:
    case kMoveX:
    case kMoveY:
    case kRepeatStart:
      return 2;
    case kRepeatEnd:
      return 1;
    default:
      return MouseButtonOfCode(first_byte) ? 1 : 0;
  }
}

}  // namespace zelko

// What a macro does, as the round-trip properties of the macro targets
// compare it: the event lines in order, each run of delay lines as the
// milliseconds the mouse waits in total (the editor merges and splits
// delay events freely, and stores a delay in 8 ms steps).
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "macros/macro_event.h"
#include "macros/macro_lines.h"

namespace zelko::fuzz {

// The milliseconds the events of a delay line hold.
inline long long StoredDelayMs(const std::string& line) {
  const long long ms = DelayLineMs(line);
  if (ms < 0) return 0;
  return ms / kMaxEventDelayMs * kMaxEventDelayMs + ms % kMaxEventDelayMs / kDelayStepMs * kDelayStepMs;
}

// Event lines from `first` on: a delay run becomes "wait N", any other line
// the hexadecimal digits of its bytes.
inline std::vector<std::string> MacroEvents(const MacroLines& lines, std::size_t first,
                                            std::size_t end) {
  std::vector<std::string> events;
  bool in_delay = false;
  long long delay = 0;
  for (std::size_t i = first; i < end && i < lines.size(); ++i) {
    if (LineKind(lines[i]) == line_kind::kDelay) {
      delay += StoredDelayMs(lines[i]);
      in_delay = true;
      continue;
    }
    if (in_delay) events.push_back("wait " + std::to_string(delay));
    in_delay = false;
    delay = 0;
    std::string hex;
    for (auto b : EncodeLine(lines[i])) {
      static constexpr char kDigits[] = "0123456789ABCDEF";
      hex += kDigits[b >> 4];
      hex += kDigits[b & 0xF];
    }
    events.push_back(hex);
  }
  if (in_delay) events.push_back("wait " + std::to_string(delay));
  return events;
}

inline std::vector<std::string> MacroEvents(const MacroLines& lines) {
  return MacroEvents(lines, 1, lines.size());
}

}  // namespace zelko::fuzz

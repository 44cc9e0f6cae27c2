// Button presses the simulated mouse makes over time: each press holds a
// set of buttons (1..9) from its start for its duration. Times count in
// milliseconds of the mouse's clock from the last begin-exchange command it
// carried out, which is what a key test sends first.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelko::sim {

inline constexpr int kScriptButtonCount = 9;

struct ButtonPress {
  std::uint16_t buttons = 0;  // bit k: button k + 1 held
  std::uint32_t start_ms = 0;
  std::uint32_t duration_ms = 0;
  bool operator==(const ButtonPress&) const = default;
};

using ButtonScript = std::vector<ButtonPress>;

// The buttons held `elapsed_ms` after the script's start.
std::uint16_t ButtonsHeldAt(const ButtonScript& script, std::uint64_t elapsed_ms);

struct [[nodiscard]] ButtonScriptParse {
  ButtonScript script;
  std::string error;  // empty when the text was good
};

// "3@1000+200,1+2@4000+100": BUTTONS@START+DURATION, comma-separated;
// BUTTONS are numbers 1..9 joined by '+', START and DURATION decimal ms
// (the duration at least 1).
ButtonScriptParse ParseButtonScript(std::string_view text);

// Whether a --sim-buttons text is a script rather than one held word.
bool LooksLikeButtonScript(std::string_view text);

}  // namespace zelko::sim

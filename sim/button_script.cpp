#include "sim/button_script.h"

#include "base/number_text.h"

namespace zelko::sim {
namespace {

// A script longer than a day is a typing mistake, not a test.
constexpr std::uint32_t kMaxScriptMs = 24u * 60u * 60u * 1000u;

std::optional<ButtonPress> ParsePress(std::string_view text) {
  const auto at = text.find('@');
  if (at == std::string_view::npos) return std::nullopt;
  const auto plus = text.find('+', at);
  if (plus == std::string_view::npos) return std::nullopt;
  ButtonPress press;
  for (const auto number : SplitList(text.substr(0, at), '+')) {
    const auto button = ParseDecimalNumber(number, kScriptButtonCount);
    if (!button || *button == 0) return std::nullopt;
    press.buttons = static_cast<std::uint16_t>(press.buttons | (1u << (*button - 1)));
  }
  const auto start = ParseDecimalNumber(text.substr(at + 1, plus - at - 1), kMaxScriptMs);
  const auto duration = ParseDecimalNumber(text.substr(plus + 1), kMaxScriptMs);
  if (!start || !duration || *duration == 0 || press.buttons == 0) return std::nullopt;
  press.start_ms = *start;
  press.duration_ms = *duration;
  return press;
}

}  // namespace

std::uint16_t ButtonsHeldAt(const ButtonScript& script, std::uint64_t elapsed_ms) {
  std::uint16_t held = 0;
  for (const ButtonPress& press : script) {
    if (elapsed_ms >= press.start_ms && elapsed_ms < std::uint64_t{press.start_ms} + press.duration_ms) {
      held = static_cast<std::uint16_t>(held | press.buttons);
    }
  }
  return held;
}

bool LooksLikeButtonScript(std::string_view text) { return text.find('@') != std::string_view::npos; }

ButtonScriptParse ParseButtonScript(std::string_view text) {
  ButtonScriptParse result;
  for (const auto part : SplitList(text)) {
    const auto press = ParsePress(part);
    if (!press) {
      result.error = "'" + std::string(part) +
                     "' is not BUTTONS@START+DURATION (buttons 1 to 9 joined by '+', start and "
                     "duration in ms, e.g. 3@1000+200,1+2@4000+100)";
      result.script.clear();
      return result;
    }
    result.script.push_back(*press);
  }
  if (result.script.empty()) result.error = "the button script is empty";
  return result;
}

}  // namespace zelko::sim

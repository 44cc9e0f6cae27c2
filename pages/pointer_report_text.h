// One line for the Advanced page saying what the running desktop did with
// the pointer settings just written: which it took, which it has no place
// for (they are only kept), and which it refused. Its words come from the
// language pack.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "pointer/pointer_parameters.h"

namespace zelko {

// The pack ids of the line's words: the three headings, then the names of
// the four settings the desktop is asked to apply.
inline constexpr std::string_view kDesktopTookTextId = "Str870";    // "Desktop took"
inline constexpr std::string_view kKeptOnlyTextId = "Str871";       // "kept only"
inline constexpr std::string_view kRefusedTextId = "Str872";        // "refused"
inline constexpr std::string_view kSpeedTextId = "Str873";          // "speed"
inline constexpr std::string_view kPrecisionTextId = "Str874";      // "precision"
inline constexpr std::string_view kDoubleClickTextId = "Str875";    // "double-click"
inline constexpr std::string_view kScrollLinesTextId = "Str876";    // "scroll lines"

// The current pack's text of an id.
using PackText = std::function<std::string(std::string_view id)>;

// "Desktop took: speed, double-click · kept only: scroll lines" in the
// pack's words; empty when nothing was handed to the desktop.
std::string DesktopOutcomeLine(const PointerApplyReport& report, const PackText& text);

}  // namespace zelko

// MacroLines: the editor's text form of a macro. Line 0 is the header, which
// records the delay mode and is never encoded; every later line is one event
// or one run of up to five delays. The first character of an event line is
// its kind digit:
//   "0 96"                 delay in milliseconds
//   "1 A CODE:8204"        key, modifier or mouse button pressed
//   "2 A CODE:0204"        the same released
//   "3 FB0C" / "4 FBF6"    pointer move along X, step 0..127 / -128..-1
//   "5 FA0C" / "6 FAF6"    the same along Y
//   "7 FD04"               start of a repeated block (repeat number - 1)
//   "8 00FC"               end of the repeated block
//   "9 Unknown 37 CODE:0037"  a byte that starts no known event (imported
//                          data); kept so that re-encoding loses nothing
//
// Imported contents are untrusted. The decoder reads only inside the 224
// content bytes and always ends: a length byte of 0 or 0xFF means no events,
// a length byte above 222 is read as far as the record goes (offset 223), an
// event whose second byte would lie past the events is dropped, a byte that
// starts no known event becomes a kind-9 line of that one byte, and a
// modifier byte that is not one of the five named bits is named by its bits
// joined with "+" ("Ctrl+Shift"), or "Modifier hh" when it holds bits
// without a name. Release mode bytes other than 0 and 1 are handed on as
// they are.
//
// The encoder never writes past the 224 content bytes. Lines are encoded
// whole, in order; the first line whose bytes would take the content past
// 221 event bytes is dropped together with every line after it (the result
// says so). Lines that are not a line form (fewer than four trailing
// hexadecimal digits) encode to nothing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/macro_event.h"
#include "macros/macro_record.h"

namespace zelko {

using MacroLines = std::vector<std::string>;

// Kind digits of event lines.
namespace line_kind {
inline constexpr char kDelay = '0';
inline constexpr char kPress = '1';
inline constexpr char kRelease = '2';
inline constexpr char kMoveXPositive = '3';
inline constexpr char kMoveXNegative = '4';
inline constexpr char kMoveYPositive = '5';
inline constexpr char kMoveYNegative = '6';
inline constexpr char kRepeatStart = '7';
inline constexpr char kRepeatEnd = '8';
inline constexpr char kUnknown = '9';
}  // namespace line_kind

// The kind digit of a line, or '\0' for an empty line.
char LineKind(std::string_view line);

// The delay mode the header line records.
enum class DelayMode { kNone, kDefault, kRecorded };

// "00", "01" followed by the default delay in ms, or "10".
std::string HeaderLine(DelayMode mode, int default_delay_ms = 0);
// True for a header line form: "00", "10", or "01" followed by digits.
bool IsHeaderLine(std::string_view line);

// Line builders.
std::string DelayLine(long long ms);
std::string KeyLine(bool pressed, std::string_view name, std::uint8_t code, std::uint8_t param);
std::string MouseButtonLine(MacroMouseButton button, bool pressed);
std::string MoveXLine(int step);  // -128..127, kept to its low eight bits
std::string MoveYLine(int step);
std::string RepeatStartLine(int repeat_number);  // stores the low eight bits of number - 1
std::string RepeatEndLine();

// The name of a modifier byte: one of "Ctrl", "Shift", "Alt", "Left
// Windows", "Right Windows" (the key tables' names), several joined with
// "+", or "Modifier hh".
std::string ModifierName(std::uint8_t bits);
// The name of a keyboard usage in key lines; "Usage hh" when the key tables
// have none.
std::string UsageLineName(std::uint8_t usage);

// The name part of a key or button line: from the third character up to
// " CODE:", i.e. the line's length - 12 characters; empty for shorter lines.
std::string_view LineNamePart(std::string_view line);

// The milliseconds of a delay line: the text after the first two
// characters, 0 when it is not a number.
long long DelayLineMs(std::string_view line);

// Decoding.
struct DecodedMacro {
  MacroLines lines;  // header first
  DelayMode delay_mode = DelayMode::kNone;
  int default_delay_ms = 0;  // for kDefault
  std::uint8_t release_mode = 0;
};
DecodedMacro ContentToMacroLines(const MacroContent& content);

// Encoding.
struct EncodedMacro {
  MacroContent content{};
  std::size_t event_bytes = 0;    // bytes stored
  std::size_t wanted_bytes = 0;   // bytes all the lines would take
  std::size_t lines_dropped = 0;  // event lines cut at the end
  bool cut() const { return lines_dropped > 0; }
};
EncodedMacro EncodeMacroLines(const MacroLines& lines, std::uint8_t release_mode);
MacroContent MacroLinesToContent(const MacroLines& lines, std::uint8_t release_mode);

// The event bytes of one line; empty for a line that is not a line form.
std::vector<std::uint8_t> EncodeLine(std::string_view line);
// How many event bytes a line takes (without building them).
std::size_t EncodedLineSize(std::string_view line);
// The byte count the recorder counts for a delay of ms: 2 per started
// 2040 ms, 2 for 0 ms.
std::size_t DelayByteCount(long long ms);

// Why a text is not an event line in a form the decoder produces, or
// nothing when it is one. Used to check lines typed by hand.
std::optional<std::string> MacroLineProblem(std::string_view line);

}  // namespace zelko

// The editor's text form of a macro, one line per event, as a user types it
// or a text file holds it (`macro set`); the first byte is the release mode.
//
// Properties: any lines encode within the 224 content bytes, to a content
// that passes the slot check, with the byte count the size functions
// promise; the lines the editor accepts round-trip through the record: the
// record decodes to the same events (delays as the milliseconds stored),
// minus the lines cut at the end, and its lines encode to the same record.
#include <numeric>

#include "fuzz/fuzz_check.h"
#include "fuzz/macro_events.h"
#include "macros/macro_lines.h"
#include "macros/macro_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  if (size == 0) return 0;
  const std::uint8_t release_mode = data[0];
  MacroLines typed = fuzz::Lines(fuzz::Text(data + 1, size - 1));
  typed.insert(typed.begin(), HeaderLine(DelayMode::kNone));

  const EncodedMacro any = EncodeMacroLines(typed, release_mode);
  std::size_t wanted = 0;
  for (std::size_t i = 1; i < typed.size(); ++i) {
    FUZZ_REQUIRE(EncodeLine(typed[i]).size() == EncodedLineSize(typed[i]));
    wanted += EncodedLineSize(typed[i]);
  }
  FUZZ_REQUIRE(any.wanted_bytes == wanted);
  FUZZ_REQUIRE(any.event_bytes <= kMaxEventBytes);
  FUZZ_REQUIRE(any.cut() == (wanted > any.event_bytes));
  if (any.event_bytes > 0) FUZZ_REQUIRE(ContentChecksumHolds(any.content));

  MacroLines accepted{typed.front()};
  for (std::size_t i = 1; i < typed.size(); ++i) {
    if (!MacroLineProblem(typed[i])) accepted.push_back(typed[i]);
  }
  const EncodedMacro encoded = EncodeMacroLines(accepted, release_mode);
  const DecodedMacro decoded = ContentToMacroLines(encoded.content);
  const std::size_t kept = accepted.size() - encoded.lines_dropped;
  FUZZ_REQUIRE(fuzz::MacroEvents(decoded.lines) == fuzz::MacroEvents(accepted, 1, kept));
  if (encoded.event_bytes > 0) FUZZ_REQUIRE(decoded.release_mode == release_mode);

  const EncodedMacro again = EncodeMacroLines(decoded.lines, decoded.release_mode);
  FUZZ_REQUIRE(!again.cut());
  FUZZ_REQUIRE(fuzz::MacroEvents(ContentToMacroLines(again.content).lines) == fuzz::MacroEvents(decoded.lines));
  return 0;
}

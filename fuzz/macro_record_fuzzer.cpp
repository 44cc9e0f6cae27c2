// A 256-byte macro record from a library, macro or slot file (shorter
// inputs are padded with zeros): its name and its content decoded into the
// editor's lines.
//
// Properties: a name the decoder shows and the name dialog accepts encodes
// back to the same name; every line the decoder writes is a line the editor
// accepts; encoding the lines keeps every event (delays as their total)
// unless the record held more event bytes than a content may, and what it
// encodes passes the slot check and decodes to the same lines.
#include <algorithm>

#include "fuzz/fuzz_check.h"
#include "fuzz/macro_events.h"
#include "macros/macro_lines.h"
#include "macros/macro_name_codec.h"
#include "macros/macro_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  MacroRecordBytes bytes{};
  std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
  const MacroRecord record = RecordFromBytes(bytes);
  FUZZ_REQUIRE(RecordToBytes(record) == bytes);

  const std::string name = MacroNameText(record.name);
  if (!MacroNameProblem(name)) FUZZ_REQUIRE(MacroNameText(MacroNameStrToUnicode(name)) == name);

  const DecodedMacro decoded = ContentToMacroLines(record.content);
  FUZZ_REQUIRE(!decoded.lines.empty() && IsHeaderLine(decoded.lines.front()));
  FUZZ_REQUIRE(decoded.release_mode == record.content[kReleaseModeOffset]);
  for (std::size_t i = 1; i < decoded.lines.size(); ++i) {
    FUZZ_REQUIRE(!MacroLineProblem(decoded.lines[i]));
  }

  const EncodedMacro encoded = EncodeMacroLines(decoded.lines, decoded.release_mode);
  FUZZ_REQUIRE(encoded.event_bytes <= kMaxEventBytes);
  if (encoded.event_bytes == 0) return 0;
  FUZZ_REQUIRE(ContentChecksumHolds(encoded.content));
  FUZZ_REQUIRE(encoded.content[kReleaseModeOffset] == decoded.release_mode);
  const DecodedMacro again = ContentToMacroLines(encoded.content);
  const std::size_t kept = decoded.lines.size() - encoded.lines_dropped;
  FUZZ_REQUIRE(fuzz::MacroEvents(again.lines) == fuzz::MacroEvents(decoded.lines, 1, kept));
  // Content the encoder wrote is its own fixed point.
  const EncodedMacro twice = EncodeMacroLines(again.lines, again.release_mode);
  FUZZ_REQUIRE(!twice.cut());
  FUZZ_REQUIRE(fuzz::MacroEvents(ContentToMacroLines(twice.content).lines) == fuzz::MacroEvents(again.lines));
  // A content that passes the slot check holds at most 221 event bytes, so
  // none of it is lost.
  if (ContentChecksumHolds(record.content)) FUZZ_REQUIRE(!encoded.cut());
  return 0;
}

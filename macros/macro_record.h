// The macro record: 256 bytes, a 32-byte name and 224 bytes of content. It is
// the unit of the PC library file, of macro exchange files and of the seven
// device slots. Every byte position of the format is named here.
//
// Content layout:
//   offset 0      release mode: 0 = the macro goes on when the button is
//                 released, 1 = releasing the button stops it
//   offset 1      length n = 1 + number of event bytes (also the offset of
//                 the last event byte); 0 = no events; 0xFF = erased
//   offsets 2..n  the events, back to back
//   offset n + 1  checksum: (sum of offsets 1..n mod 256) xor 0x5A
//   the rest      zero
// The checksum has to fall inside the 224 bytes, so n <= 222 and a content
// holds at most 221 event bytes. A content without events is three zero
// bytes followed by zeros, with no checksum.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zelko {

inline constexpr std::size_t kMacroNameSize = 32;
inline constexpr std::size_t kMacroContentSize = 224;
inline constexpr std::size_t kMacroRecordSize = kMacroNameSize + kMacroContentSize;
inline constexpr std::size_t kMacroNameUnits = kMacroNameSize / 2;  // UTF-16 code units

using MacroName = std::array<std::uint8_t, kMacroNameSize>;
using MacroContent = std::array<std::uint8_t, kMacroContentSize>;

// Content offsets and limits.
inline constexpr std::size_t kReleaseModeOffset = 0;
inline constexpr std::size_t kLengthOffset = 1;
inline constexpr std::size_t kFirstEventOffset = 2;
inline constexpr std::size_t kMaxLengthByte = kMacroContentSize - 2;      // 222
inline constexpr std::size_t kMaxEventBytes = kMaxLengthByte - 1;         // 221
inline constexpr std::uint8_t kErasedLengthByte = 0xFF;

// Release mode byte.
inline constexpr std::uint8_t kReleaseContinue = 0;
inline constexpr std::uint8_t kReleaseStop = 1;

struct MacroRecord {
  MacroName name{};
  MacroContent content{};

  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

using MacroRecordBytes = std::array<std::uint8_t, kMacroRecordSize>;

MacroRecordBytes RecordToBytes(const MacroRecord& record);
// Exactly 256 bytes: name from offset 0, content from offset 32.
MacroRecord RecordFromBytes(std::span<const std::uint8_t, kMacroRecordSize> bytes);

// A name entry is in use when its first two bytes are not both 0.
bool NameInUse(const MacroName& name);
// A device slot is empty when its first two name bytes are both 0 or both 0xFF.
bool SlotNameEmpty(const MacroName& name);

// The length byte marks content: not 0 and not 0xFF.
bool ContentHasEvents(const MacroContent& content);

// The content check of the device slots: n = the length byte must be at
// most 222 and the byte at n + 1 must be the checksum of offsets 1..n. An
// empty content (n = 0) never passes.
bool ContentChecksumHolds(const MacroContent& content);

}  // namespace zelko

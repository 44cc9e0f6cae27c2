#include "macros/macro_record.h"

#include <algorithm>

#include "image/checksum.h"
#include "image/macro_area_check.h"

namespace zelko {

MacroRecordBytes RecordToBytes(const MacroRecord& record) {
  MacroRecordBytes bytes{};
  std::copy(record.name.begin(), record.name.end(), bytes.begin());
  std::copy(record.content.begin(), record.content.end(), bytes.begin() + kMacroNameSize);
  return bytes;
}

MacroRecord RecordFromBytes(std::span<const std::uint8_t, kMacroRecordSize> bytes) {
  MacroRecord record;
  std::copy_n(bytes.begin(), kMacroNameSize, record.name.begin());
  std::copy_n(bytes.begin() + kMacroNameSize, kMacroContentSize, record.content.begin());
  return record;
}

bool NameInUse(const MacroName& name) { return name[0] != 0 || name[1] != 0; }

bool SlotNameEmpty(const MacroName& name) {
  return (name[0] == 0 && name[1] == 0) || (name[0] == 0xFF && name[1] == 0xFF);
}

bool ContentHasEvents(const MacroContent& content) {
  const std::uint8_t n = content[kLengthOffset];
  return n != 0 && n != kErasedLengthByte;
}

bool ContentChecksumHolds(const MacroContent& content) {
  return MacroContentChecksumHolds(content);
}

}  // namespace zelko

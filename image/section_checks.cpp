#include "image/section_checks.h"

#include "image/checksum.h"
#include "image/defaults.h"

namespace zelko {
namespace {

[[nodiscard]] bool RepairWhenChecksumFails(ParameterRecord& record, Section section,
                                           void (*build_default)(ParameterRecord&)) {
  if (ChecksumHolds(record.SectionBytes(section))) return false;
  build_default(record);
  StoreChecksum(record.SectionBytes(section));
  return true;
}

// Replaces value/complement when they do not add up to 255.
bool RepairPair(std::uint8_t& value, std::uint8_t& complement, std::uint8_t repaired) {
  if (value + complement == 0xFF) return false;
  value = repaired;
  complement = static_cast<std::uint8_t>(0xFF - repaired);
  return true;
}

}  // namespace

bool CheckParameterASection(ParameterRecord& record) {
  return RepairWhenChecksumFails(record, Section::ParameterA, DefaultParameterA);
}

bool CheckProfileSection(ParameterRecord& record) {
  return RepairWhenChecksumFails(record, Section::Profile, DefaultProfile);
}

bool CheckFireKeySection(ParameterRecord& record) {
  return RepairWhenChecksumFails(record, Section::FireKey, DefaultFireKey);
}

ParameterBPairRepairs CheckParameterBSection(ParameterRecord& record) {
  auto& b = record.ParameterB;
  return {
      RepairPair(b.CurrentDpiLevel, b.CurrentDpiLevelComplement, kRepairCurrentDpiLevel),
      RepairPair(b.LedState, b.LedStateComplement, kRepairLedState),
      RepairPair(b.KeyModeState, b.KeyModeStateComplement, kRepairKeyModeState),
  };
}

}  // namespace zelko

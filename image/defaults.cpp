#include "image/defaults.h"

#include <algorithm>

#include "image/checksum.h"

namespace zelko {
namespace {

constexpr std::array<std::uint8_t, kParameterASize> kParameterADefault = {
    0xFF, 0xFE, 0x04, 0x00, 0xFF, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
    0x07, 0x01, 0x04, 0x03, 0x00, 0x02, 0x05, 0x06, 0xFF, 0x00, 0x00, 0x00,
    0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00,
    0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x79};

constexpr std::array<std::uint8_t, kParameterBSize> kParameterBDefault = {
    0x01, 0xFE, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF};

constexpr std::array<std::uint8_t, kFireKeySize> kFireKeyDefault = {
    0x0A, 0xFD, 0x02, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x64, 0xFC, 0x70};

template <std::size_t N>
void CopyInto(ParameterRecord& record, Section section, const std::array<std::uint8_t, N>& bytes) {
  auto target = record.SectionBytes(section);
  std::copy(bytes.begin(), bytes.end(), target.begin());
}

void ZeroSection(ParameterRecord& record, Section section) {
  auto target = record.SectionBytes(section);
  std::fill(target.begin(), target.end(), std::uint8_t{0});
}

}  // namespace

const std::array<ButtonCode, kButtonCount> kDefaultButtonCodes = {{
    {0x01, 0x01, 0x00},  // left click
    {0x01, 0x04, 0x00},
    {0x01, 0x02, 0x00},
    {0x01, 0x08, 0x00},
    {0x01, 0x10, 0x00},
    {0x05, 0x00, 0x00},
    {0x0F, 0x00, 0x00},
    {0x02, 0x08, 0x07},
    {0x09, 0x00, 0x00},
}};

void DefaultParameterA(ParameterRecord& record) {
  CopyInto(record, Section::ParameterA, kParameterADefault);
}

void DefaultParameterB(ParameterRecord& record) {
  CopyInto(record, Section::ParameterB, kParameterBDefault);
}

void DefaultProfile(ParameterRecord& record) {
  record.Profile.ModeA = kDefaultButtonCodes;
  record.Profile.ModeB = kDefaultButtonCodes;
  StoreChecksum(record.SectionBytes(Section::Profile));
}

void DefaultReserveA(ParameterRecord& record) { ZeroSection(record, Section::ReserveA); }
void DefaultReserveB(ParameterRecord& record) { ZeroSection(record, Section::ReserveB); }
void DefaultReserveC(ParameterRecord& record) { ZeroSection(record, Section::ReserveC); }

void DefaultFireKey(ParameterRecord& record) {
  CopyInto(record, Section::FireKey, kFireKeyDefault);
}

ParameterRecord BuiltInDefaultRecord() {
  ParameterRecord record{};
  DefaultParameterA(record);
  DefaultParameterB(record);
  DefaultProfile(record);
  DefaultReserveA(record);
  DefaultReserveB(record);
  DefaultReserveC(record);
  DefaultFireKey(record);
  return record;
}

}  // namespace zelko

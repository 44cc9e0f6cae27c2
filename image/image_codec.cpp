#include "image/image_codec.h"

#include <algorithm>

#include "image/checksum.h"

namespace zelko {
namespace {

constexpr std::array<std::string_view, kParameterBPairCount> kPairNames = {
    "ParameterB.CurrentDpiLevel", "ParameterB.LedState", "ParameterB.KeyModeState"};

void CopySectionToRecord(const DataBuf& image, Section section, ParameterRecord& record) {
  const auto source = SectionBytes(image, section);
  std::copy(source.begin(), source.end(), record.SectionBytes(section).begin());
}

}  // namespace

bool UnpackReport::AnyRepaired() const { return !RepairedParts().empty(); }

std::vector<std::string> UnpackReport::RepairedParts() const {
  std::vector<std::string> parts;
  if (parameter_a) parts.emplace_back("ParameterA");
  for (std::size_t i = 0; i < kParameterBPairCount; ++i) {
    if (parameter_b_pairs[i]) parts.emplace_back(kPairNames[i]);
  }
  if (profile) parts.emplace_back("Profile");
  if (fire_key) parts.emplace_back("FireKey");

  return parts;
}

UnpackReport UnpackSections(const DataBuf& image, ParameterRecord& record, BaseMacroArea& macros) {
  UnpackReport report;
  CopySectionToRecord(image, Section::ParameterA, record);
  report.parameter_a = CheckParameterASection(record);
  CopySectionToRecord(image, Section::ParameterB, record);
  report.parameter_b_pairs = CheckParameterBSection(record);
  CopySectionToRecord(image, Section::Profile, record);
  report.profile = CheckProfileSection(record);
  CopySectionToRecord(image, Section::ReserveA, record);
  CopySectionToRecord(image, Section::ReserveB, record);
  CopySectionToRecord(image, Section::ReserveC, record);
  CopySectionToRecord(image, Section::FireKey, record);
  report.fire_key = CheckFireKeySection(record);
  std::copy_n(image.begin() + kMacroAreaOffset, kMacroAreaSize, macros.begin());
  report.macro_slots = CheckMacroArea(macros);
  return report;
}

void CopySectionToImage(const ParameterRecord& record, Section section, DataBuf& image) {
  const auto source = record.SectionBytes(section);
  std::copy(source.begin(), source.end(), SectionBytes(image, section).begin());
}

void CopyMacroAreaToImage(const BaseMacroArea& macros, DataBuf& image) {
  std::copy(macros.begin(), macros.end(), image.begin() + kMacroAreaOffset);
}

void PackImage(ParameterRecord& record, const BaseMacroArea& macros, DataBuf& image) {
  StoreChecksum(record.SectionBytes(Section::ParameterA));
  CopySectionToImage(record, Section::ParameterA, image);
  CopySectionToImage(record, Section::ParameterB, image);
  StoreChecksum(record.SectionBytes(Section::Profile));
  CopySectionToImage(record, Section::Profile, image);
  CopySectionToImage(record, Section::ReserveA, image);
  CopySectionToImage(record, Section::ReserveB, image);
  CopySectionToImage(record, Section::ReserveC, image);
  StoreChecksum(record.SectionBytes(Section::FireKey));
  CopySectionToImage(record, Section::FireKey, image);
  CopyMacroAreaToImage(macros, image);
}

}  // namespace zelko

// The map of the mouse's 2048-byte parameter memory. DataBuf is its image,
// offset = device address. Every offset the program uses lives here.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zelko {

inline constexpr std::size_t kDataBufSize = 2048;

// The image of the mouse's parameter memory, byte for byte.
using DataBuf = std::array<std::uint8_t, kDataBufSize>;

// Sections the program understands, in the order they sit in memory and in
// ParameterRecord.
enum class Section : std::uint8_t {
  ParameterA,
  ParameterB,
  Profile,
  ReserveA,
  ReserveB,
  ReserveC,
  FireKey,
};
inline constexpr std::size_t kSectionCount = 7;

// Where one section lives: in DataBuf (device address) and in ParameterRecord.
struct SectionPlace {
  Section section;
  std::string_view name;       // "ParameterA", ...
  std::size_t image_offset;    // device address of its first byte
  std::size_t record_offset;   // offset inside ParameterRecord
  std::size_t length;          // bytes, checksum included
  bool has_checksum;           // last byte = checksum of the others
};

// Device addresses and lengths.
inline constexpr std::size_t kParameterAOffset = 0x000;
inline constexpr std::size_t kParameterASize = 48;
inline constexpr std::size_t kParameterBOffset = 0x030;
inline constexpr std::size_t kParameterBSize = 8;
inline constexpr std::size_t kProfileOffset = 0x040;
inline constexpr std::size_t kProfileSize = 55;
inline constexpr std::size_t kImageSignatureOffset = 0x07F;
inline constexpr std::uint8_t kImageSignature = 0x99;
inline constexpr std::size_t kReserveAOffset = 0x080;
inline constexpr std::size_t kReserveASize = 30;
inline constexpr std::size_t kReserveBOffset = 0x0B0;
inline constexpr std::size_t kReserveBSize = 20;
inline constexpr std::size_t kReserveCOffset = 0x0D0;
inline constexpr std::size_t kReserveCSize = 30;
inline constexpr std::size_t kFireKeyOffset = 0x0F0;
inline constexpr std::size_t kFireKeySize = 11;

// The macro area: seven slots of 256 bytes, slot n (1..7) at 0x100 * n, a
// 32-byte name followed by 224 bytes of content.
inline constexpr std::size_t kMacroAreaOffset = 0x100;
inline constexpr std::size_t kMacroAreaSize = 1792;
inline constexpr std::size_t kMacroSlotCount = 7;
inline constexpr std::size_t kMacroSlotSize = 256;
inline constexpr std::size_t kMacroSlotNameSize = 32;
inline constexpr std::size_t kMacroSlotContentSize = 224;
// Inside a slot's content: byte 1 is the length n of the event script
// (checksum included, at most 222); bytes 1..n are covered by the content
// checksum stored at n + 1.
inline constexpr std::size_t kMacroContentLengthOffset = 1;
inline constexpr std::size_t kMaxMacroContentLength = kMacroSlotContentSize - 2;

// Device address of macro slot n (1..7).
constexpr std::size_t MacroSlotAddress(std::size_t slot) { return kMacroSlotSize * slot; }
// Offset of macro slot n (1..7) inside BaseMacroArea.
constexpr std::size_t MacroSlotAreaOffset(std::size_t slot) {
  return MacroSlotAddress(slot) - kMacroAreaOffset;
}

// A range of device addresses [begin, end).
struct AddressRange {
  std::size_t begin;
  std::size_t end;
  friend bool operator==(const AddressRange&, const AddressRange&) = default;
};

// Device addresses of the two identity bytes the connection reads.
inline constexpr std::size_t kManufacturerCodeAddress = 0x036;
inline constexpr std::size_t kProductCodeAddress = 0x037;

// ParameterRecord: the seven sections back to back.
inline constexpr std::size_t kParameterRecordSize = kParameterASize + kParameterBSize +
                                                    kProfileSize + kReserveASize +
                                                    kReserveBSize + kReserveCSize + kFireKeySize;
static_assert(kParameterRecordSize == 202);

inline constexpr std::array<SectionPlace, kSectionCount> kSectionPlaces = {{
    {Section::ParameterA, "ParameterA", kParameterAOffset, 0, kParameterASize, true},
    {Section::ParameterB, "ParameterB", kParameterBOffset, 48, kParameterBSize, false},
    {Section::Profile, "Profile", kProfileOffset, 56, kProfileSize, true},
    {Section::ReserveA, "ReserveA", kReserveAOffset, 111, kReserveASize, false},
    {Section::ReserveB, "ReserveB", kReserveBOffset, 141, kReserveBSize, false},
    {Section::ReserveC, "ReserveC", kReserveCOffset, 161, kReserveCSize, false},
    {Section::FireKey, "FireKey", kFireKeyOffset, 191, kFireKeySize, true},
}};

constexpr const SectionPlace& PlaceOf(Section section) {
  return kSectionPlaces[static_cast<std::size_t>(section)];
}

// The section that holds a device address, if any. Addresses in the macro
// area, the signature and the bytes the program does not interpret hold no
// section.
constexpr const SectionPlace* SectionAt(std::size_t address) {
  for (const auto& place : kSectionPlaces) {
    if (address >= place.image_offset && address < place.image_offset + place.length) {
      return &place;
    }
  }
  return nullptr;
}

// The part of DataBuf a section occupies.
inline std::span<std::uint8_t> SectionBytes(DataBuf& image, Section section) {
  const auto& place = PlaceOf(section);
  return std::span<std::uint8_t>(image).subspan(place.image_offset, place.length);
}
inline std::span<const std::uint8_t> SectionBytes(const DataBuf& image, Section section) {
  const auto& place = PlaceOf(section);
  return std::span<const std::uint8_t>(image).subspan(place.image_offset, place.length);
}

}  // namespace zelko

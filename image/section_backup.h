// What a backup file holds: the whole image (2048 bytes, as a profile
// file), or only some ranges of it, the sections a command read:
//
//   0  8  "Z77PART" and the format version 0x01
//   8  2  N, the number of ranges (little-endian)
//  10  4N each range: first device address, length (16 bits each, little-endian)
//   .  .  the bytes of each range in turn
//
// Ranges ascend and do not overlap; a file whose size is not what its
// header makes it is refused.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/image_layout.h"

namespace zelko {

struct BackupContent {
  // The bytes of the ranges held; 0xFF elsewhere in a backup of ranges.
  DataBuf image{};
  // The ranges held; the whole image when it is {{0, 2048}}.
  std::vector<AddressRange> ranges;

  bool whole() const;
  static BackupContent Whole(const DataBuf& image);
};

inline constexpr std::size_t kSectionBackupHeaderSize = 10;

// The file's bytes: the image alone when whole, otherwise the format above.
std::vector<std::uint8_t> EncodeBackup(const BackupContent& content);

// A file of ranges, read back; nothing (and `error` says why) when it is
// not one or does not hold together.
std::optional<BackupContent> DecodeSectionBackup(std::span<const std::uint8_t> file,
                                                 std::string* error = nullptr);

// True when the file starts as a file of ranges does (it may still be
// damaged: DecodeSectionBackup says).
bool LooksLikeSectionBackup(std::span<const std::uint8_t> file);

// The bytes the backup holds laid over `image`; the rest left alone.
void LayBackupOver(const BackupContent& content, DataBuf& image);

// The ranges as "0x040..0x076, 0x036..0x037".
std::string AddressRangesText(const std::vector<AddressRange>& ranges);

}  // namespace zelko

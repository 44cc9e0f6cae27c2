#include "image/section_backup.h"

#include <algorithm>
#include <cstdio>

namespace zelko {
namespace {

constexpr std::uint8_t kMagic[8] = {'Z', '7', '7', 'P', 'A', 'R', 'T', 0x01};

void PutU16(std::vector<std::uint8_t>& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

std::size_t U16At(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::size_t>(bytes[at]) | (static_cast<std::size_t>(bytes[at + 1]) << 8);
}

}  // namespace

bool BackupContent::whole() const {
  return ranges.size() == 1 && ranges[0] == AddressRange{0, kDataBufSize};
}

BackupContent BackupContent::Whole(const DataBuf& image) { return {image, {{0, kDataBufSize}}}; }

std::vector<std::uint8_t> EncodeBackup(const BackupContent& content) {
  if (content.whole()) return {content.image.begin(), content.image.end()};
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  PutU16(out, content.ranges.size());
  for (const auto& range : content.ranges) {
    PutU16(out, range.begin);
    PutU16(out, range.end - range.begin);
  }
  for (const auto& range : content.ranges) {
    out.insert(out.end(), content.image.begin() + static_cast<std::ptrdiff_t>(range.begin),
               content.image.begin() + static_cast<std::ptrdiff_t>(range.end));
  }
  return out;
}

bool LooksLikeSectionBackup(std::span<const std::uint8_t> file) {
  return file.size() >= sizeof kMagic && std::equal(std::begin(kMagic), std::end(kMagic), file.begin());
}

std::optional<BackupContent> DecodeSectionBackup(std::span<const std::uint8_t> file, std::string* error) {
  const auto refuse = [error](const std::string& why) -> std::optional<BackupContent> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (!LooksLikeSectionBackup(file)) return refuse("not a backup of sections (no Z77PART header)");
  if (file.size() < kSectionBackupHeaderSize) return refuse("the header is cut short");
  const std::size_t count = U16At(file, 8);
  const std::size_t table_end = kSectionBackupHeaderSize + 4 * count;
  if (count == 0) return refuse("it holds no range");
  if (file.size() < table_end) return refuse("its table of ranges is cut short");
  BackupContent content;
  content.image.fill(0xFF);
  std::size_t at = table_end;
  std::size_t last_end = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t begin = U16At(file, kSectionBackupHeaderSize + 4 * i);
    const std::size_t length = U16At(file, kSectionBackupHeaderSize + 4 * i + 2);
    if (length == 0 || begin < last_end || begin + length > kDataBufSize) {
      return refuse("range " + std::to_string(i + 1) + " is empty, overlaps or lies outside the image");
    }
    if (file.size() < at + length) return refuse("the bytes of its ranges are cut short");
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), length,
                content.image.begin() + static_cast<std::ptrdiff_t>(begin));
    content.ranges.push_back({begin, begin + length});
    at += length;
    last_end = begin + length;
  }
  if (at != file.size()) return refuse("it has bytes after its last range");
  return content;
}

void LayBackupOver(const BackupContent& content, DataBuf& image) {
  for (const auto& range : content.ranges) {
    std::copy(content.image.begin() + static_cast<std::ptrdiff_t>(range.begin),
              content.image.begin() + static_cast<std::ptrdiff_t>(range.end),
              image.begin() + static_cast<std::ptrdiff_t>(range.begin));
  }
}

std::string AddressRangesText(const std::vector<AddressRange>& ranges) {
  std::string text;
  for (const auto& range : ranges) {
    char part[24];
    std::snprintf(part, sizeof part, "0x%03zX..0x%03zX", range.begin, range.end - 1);
    if (!text.empty()) text += ", ";
    text += part;
  }
  return text;
}

}  // namespace zelko

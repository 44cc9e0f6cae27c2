#include "image/image_transfer.h"

#include <algorithm>

#include "device/protocol_layout.h"

namespace zelko {
namespace {

// Reads one range; returns the sub-ranges that are still missing.
std::vector<AddressRange> ReadRange(CommandChannel& channel, DataBuf& image,
                                    const AddressRange& range, bool show_progress) {
  const auto length = static_cast<std::uint16_t>(range.end - range.begin);
  const auto address = static_cast<std::uint16_t>(range.begin);
  std::vector<std::uint8_t> bytes(length, kEmptyByte);
  BlockTransferReport report;
  const bool acknowledged =
      show_progress ? channel.ReadBlockWithProgress(address, length, bytes, &report)
                    : channel.ReadBlock(address, length, bytes, &report);
  if (!acknowledged) return {range};

  // The first chunk the mouse did not acknowledge ends what can be trusted:
  // its read cursor may not have moved, so later chunks may carry shifted
  // data. Everything from there on is read again.
  std::size_t first_missing = ChunkCount(length);
  for (int k : report.unacknowledged_chunks) {
    if (k >= 0) first_missing = std::min(first_missing, static_cast<std::size_t>(k));
  }
  const std::size_t good_end = std::min(range.end, range.begin + first_missing * kChunkDataLength);
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(good_end - range.begin),
            image.begin() + static_cast<std::ptrdiff_t>(range.begin));
  std::vector<AddressRange> still_missing;
  if (good_end < range.end) still_missing.push_back({good_end, range.end});
  return still_missing;
}

}  // namespace

ImageReadResult ReadWholeImage(CommandChannel& channel, DataBuf& image, bool show_progress) {
  image.fill(kEmptyByte);
  ImageReadResult result;
  result.missing = {{0, kDataBufSize}};
  for (int attempt = 0; attempt <= kImageReadRetries && !result.missing.empty(); ++attempt) {
    ++result.tries;
    std::vector<AddressRange> next;
    for (const auto& range : result.missing) {
      auto left = ReadRange(channel, image, range, show_progress);
      next.insert(next.end(), left.begin(), left.end());
    }
    result.missing = std::move(next);
  }
  return result;
}

std::vector<std::uint16_t> DifferingAddresses(const DataBuf& expected, const DataBuf& actual) {
  std::vector<std::uint16_t> addresses;
  for (std::size_t a = 0; a < kDataBufSize; ++a) {
    if (expected[a] != actual[a]) addresses.push_back(static_cast<std::uint16_t>(a));
  }
  return addresses;
}

WriteVerifyResult WriteAndVerify(CommandChannel& channel, UiPort& ui, const DataBuf& image) {
  WriteVerifyResult result;
  auto fail = [&](WriteVerifyOutcome outcome) {
    result.outcome = outcome;
    ui.ShowMessage(kWriteFailTextId);
    return result;
  };

  ui.ShowProgress(0, static_cast<int>(ChunkCount(kDataBufSize)));
  ui.ProcessMessages();
  DataBuf read_back;
  read_back.fill(kEmptyByte);

  if (!channel.WriteBlock(0, static_cast<std::uint16_t>(kDataBufSize), image)) {
    return fail(WriteVerifyOutcome::kWriteNotAcknowledged);
  }
  if (!ReadWholeImage(channel, read_back, true).whole()) {
    return fail(WriteVerifyOutcome::kReadBackIncomplete);
  }
  result.repair_list = DifferingAddresses(image, read_back);
  while (!result.repair_list.empty()) {
    if (result.repair_passes == kMaxRepairPasses) {
      return fail(WriteVerifyOutcome::kBytesDidNotTake);
    }
    ++result.repair_passes;
    for (std::uint16_t address : result.repair_list) {
      if (!channel.WriteBlock(address, 1, std::span<const std::uint8_t>(&image[address], 1))) {
        return fail(WriteVerifyOutcome::kRepairNotAcknowledged);
      }
    }
    if (!ReadWholeImage(channel, read_back, true).whole()) {
      return fail(WriteVerifyOutcome::kReadBackIncomplete);
    }
    result.repair_list = DifferingAddresses(image, read_back);
  }
  result.outcome = WriteVerifyOutcome::kVerified;
  return result;
}

}  // namespace zelko

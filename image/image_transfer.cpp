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
  return ReadImageRanges(channel, image, {{0, kDataBufSize}}, show_progress);
}

ImageReadResult ReadImageRanges(CommandChannel& channel, DataBuf& image,
                                const std::vector<AddressRange>& ranges, bool show_progress) {
  for (const auto& range : ranges) {
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(range.begin),
              image.begin() + static_cast<std::ptrdiff_t>(range.end), kEmptyByte);
  }
  ImageReadResult result;
  result.missing = ranges;
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

std::uint32_t ChangedRangeCostMs(std::size_t length) {
  const auto healthy = [](const ExchangeTiming& t) {
    return t.sleep_before_send_ms + t.sleep_after_send_ms + t.sleep_before_poll_ms;
  };
  const auto chunks = static_cast<std::uint32_t>(ChunkCount(length));
  // One block write and one block read command, then the chunks both ways.
  return 2 * healthy(kCommandTiming) +
         chunks * (healthy(kWriteChunkTiming) + healthy(kReadChunkTiming));
}

std::vector<AddressRange> ChangedRanges(const DataBuf& before, const DataBuf& after,
                                        const std::vector<AddressRange>* known) {
  const auto gap_known = [known](std::size_t begin, std::size_t end) {
    if (!known) return true;
    for (const auto& range : *known) {
      if (range.begin <= begin && end <= range.end) return true;
    }
    return false;
  };
  std::vector<AddressRange> ranges;
  for (std::uint16_t address : DifferingAddresses(before, after)) {
    if (!ranges.empty() && gap_known(ranges.back().end, address)) {
      AddressRange& last = ranges.back();
      const std::size_t merged = address + 1u - last.begin;
      const std::size_t apart = last.end - last.begin;
      if (ChangedRangeCostMs(merged) <= ChangedRangeCostMs(apart) + ChangedRangeCostMs(1)) {
        last.end = address + 1u;
        continue;
      }
    }
    ranges.push_back({address, address + 1u});
  }
  return ranges;
}

namespace {

// Writes `ranges` of `image`, reads them back over `read_back`, and rewrites
// every differing byte at its own address, at most three passes. Any
// outcome but kVerified shows Str109.
WriteVerifyResult WriteRangesAndVerify(CommandChannel& channel, UiPort& ui, const DataBuf& image,
                                       const std::vector<AddressRange>& ranges, DataBuf read_back,
                                       bool show_progress) {
  WriteVerifyResult result;
  auto fail = [&](WriteVerifyOutcome outcome) {
    result.outcome = outcome;
    ui.ShowMessage(kWriteFailTextId);
    return result;
  };
  const auto differing = [&] {
    std::vector<std::uint16_t> addresses;
    for (const auto& range : ranges) {
      for (std::size_t a = range.begin; a < range.end; ++a) {
        if (read_back[a] != image[a]) addresses.push_back(static_cast<std::uint16_t>(a));
      }
    }
    return addresses;
  };

  for (const auto& range : ranges) {
    const auto length = static_cast<std::uint16_t>(range.end - range.begin);
    const std::span<const std::uint8_t> bytes(image.data() + range.begin, length);
    if (!channel.WriteBlock(static_cast<std::uint16_t>(range.begin), length, bytes)) {
      return fail(WriteVerifyOutcome::kWriteNotAcknowledged);
    }
  }
  if (!ReadImageRanges(channel, read_back, ranges, show_progress).whole()) {
    return fail(WriteVerifyOutcome::kReadBackIncomplete);
  }
  result.repair_list = differing();
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
    if (!ReadImageRanges(channel, read_back, ranges, show_progress).whole()) {
      return fail(WriteVerifyOutcome::kReadBackIncomplete);
    }
    result.repair_list = differing();
  }
  result.outcome = WriteVerifyOutcome::kVerified;
  return result;
}

}  // namespace

WriteVerifyResult WriteChangesAndVerify(CommandChannel& channel, UiPort& ui,
                                        const DataBuf& mouse_image, const DataBuf& image,
                                        const std::vector<AddressRange>* known) {
  return WriteRangesAndVerify(channel, ui, image, ChangedRanges(mouse_image, image, known),
                              mouse_image, false);
}

WriteVerifyResult WriteAndVerify(CommandChannel& channel, UiPort& ui, const DataBuf& image) {
  ui.ShowProgress(0, static_cast<int>(ChunkCount(kDataBufSize)));
  ui.ProcessMessages();
  DataBuf read_back;
  read_back.fill(kEmptyByte);
  return WriteRangesAndVerify(channel, ui, image, {{0, kDataBufSize}}, read_back, true);
}

}  // namespace zelko

// Moving the whole image: a read that re-reads the chunks the mouse did not
// acknowledge, and the write with read-back and repair passes.
#pragma once
#include <cstdint>
#include <vector>

#include "device/command_channel.h"
#include "device/ui_port.h"
#include "image/image_layout.h"

namespace zelko {

// Reads of a range that still miss chunks after the first try are retried
// this many times, each time only over what is still missing.
inline constexpr int kImageReadRetries = 2;

struct [[nodiscard]] ImageReadResult {
  // Ranges no try could read; their bytes are 0xFF.
  std::vector<AddressRange> missing;
  int tries = 0;
  bool whole() const { return missing.empty(); }
};

// Reads the whole parameter memory into `image`. The first try is the
// plain 2048-byte block read (with the progress window when asked); ranges
// whose block command or chunks were not acknowledged are read again.
ImageReadResult ReadWholeImage(CommandChannel& channel, DataBuf& image, bool show_progress);

// The same over some ranges only: their bytes in `image` are read (0xFF
// where no try could), the rest of `image` is left alone.
ImageReadResult ReadImageRanges(CommandChannel& channel, DataBuf& image,
                                const std::vector<AddressRange>& ranges, bool show_progress);

enum class [[nodiscard]] WriteVerifyOutcome {
  kVerified,                // the mouse holds every byte of the image
  kWriteNotAcknowledged,    // the whole-image block command went unanswered
  kReadBackIncomplete,      // the read-back could not be had whole
  kRepairNotAcknowledged,   // a one-byte repair write went unanswered
  kBytesDidNotTake,         // bytes still differ after the last repair pass
};

inline constexpr int kMaxRepairPasses = 3;

struct [[nodiscard]] WriteVerifyResult {
  WriteVerifyOutcome outcome = WriteVerifyOutcome::kWriteNotAcknowledged;
  int repair_passes = 0;
  // Addresses whose read-back byte differed at the last comparison.
  std::vector<std::uint16_t> repair_list;
  bool verified() const { return outcome == WriteVerifyOutcome::kVerified; }
};

// The text id shown when a write does not verify ("Fail").
inline constexpr std::string_view kWriteFailTextId = "Str109";

// Writes `image` whole, reads it back, and rewrites every differing byte at
// its own address, at most three passes. The caller has opened the exchange
// and found the mouse configurable. Any outcome but kVerified shows Str109.
WriteVerifyResult WriteAndVerify(CommandChannel& channel, UiPort& ui, const DataBuf& image);

// Writes only the bytes of `image` that differ from `mouse_image` (what the
// mouse was just read to hold), as the fewest block writes their cost
// allows, reads back only those ranges, and repairs them as WriteAndVerify
// does (three passes at most). An image equal to `mouse_image` is verified
// without any traffic.
// With `known` (the ranges of mouse_image that were read), two runs are
// joined only when the bytes between them lie in a known range, so that
// no byte that was never read is written.
WriteVerifyResult WriteChangesAndVerify(CommandChannel& channel, UiPort& ui,
                                        const DataBuf& mouse_image, const DataBuf& image,
                                        const std::vector<AddressRange>* known = nullptr);

// The ranges WriteChangesAndVerify sends: every differing byte covered, two
// runs merged into one range when writing and reading back the bytes
// between them costs no more sleep than one more block write and block
// read command (with the protocol's sleeps: runs closer than about one to
// two chunks, 6 to 11 bytes depending on where the chunks fall).
// With `known`, runs are joined only across bytes inside a known range.
std::vector<AddressRange> ChangedRanges(const DataBuf& before, const DataBuf& after,
                                        const std::vector<AddressRange>* known = nullptr);

// The sleep, in ms, that writing and reading back one range of `length`
// bytes costs on a mouse that answers every request at once.
std::uint32_t ChangedRangeCostMs(std::size_t length);

// Addresses where the two images differ, ascending.
std::vector<std::uint16_t> DifferingAddresses(const DataBuf& expected, const DataBuf& actual);

}  // namespace zelko

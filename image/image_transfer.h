// Moving the whole image: a read that re-reads the chunks the mouse did not
// acknowledge, and the write with read-back and repair passes.
#pragma once
#include <cstdint>
#include <vector>

#include "device/command_channel.h"
#include "device/ui_port.h"
#include "image/image_layout.h"

namespace zelko {

// A range of device addresses [begin, end).
struct AddressRange {
  std::size_t begin;
  std::size_t end;
  friend bool operator==(const AddressRange&, const AddressRange&) = default;
};

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

// Addresses where the two images differ, ascending.
std::vector<std::uint16_t> DifferingAddresses(const DataBuf& expected, const DataBuf& actual);

}  // namespace zelko

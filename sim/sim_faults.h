// What the simulated mouse is and how it misbehaves. The defaults are a
// healthy mouse with chip 0x99 that is configurable.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>

#include "device/protocol_layout.h"
#include "device/supported_ids.h"
#include "sim/button_script.h"

namespace zelko::sim {

// A write-drop count meaning the address never keeps a written byte.
inline constexpr int kNeverKeeps = -1;
// The acknowledgement byte of a request the firmware refuses.
inline constexpr std::uint8_t kAckRefused = 0xEE;

struct SimFaults {
  // Identity of the USB device (all its interfaces share it).
  std::uint16_t vendor_id = SupportedVendorId;
  std::uint16_t product_id = SupportedProductId;
  std::uint16_t version = kSupportedDeviceVersion;

  // The status reply.
  std::uint8_t chip_code = kChipCode99;
  std::uint8_t signature = kStatusSignature;
  bool status_flag = true;
  std::uint16_t button_state = 0;
  // Presses over time, added to button_state while they last.
  ButtonScript button_presses;

  // Bytes at 0x36/0x37 put into memory at start-up.
  std::optional<std::array<std::uint8_t, 2>> identity;

  // Polls answered "not ready" (0) after each request before the answer.
  int not_ready_polls = 0;
  // Another acknowledgement value for the next N replies; the request is
  // not carried out while it lasts.
  std::optional<std::uint8_t> ack_value;
  int ack_value_replies = 0;
  // The wrong acknowledgements begin only after this many reports, so that
  // they can fall in the middle of a transfer.
  long ack_value_after_reports = 0;
  // The answers of the next N polls after report K are lost on the way:
  // the request is carried out all the same, so the host's resend of a
  // request it never saw answered has it carried out a second time.
  int lost_answers = 0;
  long lost_answers_after_reports = 0;
  // Get Feature fails every time (the mouse never answers).
  bool no_answer = false;
  // After this many reports Get Feature fails every time: the mouse stops
  // answering, but stays plugged in and takes Set Feature.
  std::optional<long> no_answer_after_reports;
  // Command codes the firmware refuses every time (acknowledgement
  // kAckRefused, nothing done): 8 and 2 leave the closing pair unanswered.
  std::set<std::uint8_t> refused_commands;

  // Address -> number of writes lost before one keeps (kNeverKeeps: all).
  std::map<std::uint16_t, int> dropped_writes;
  // Chunk numbers of a block read that are never acknowledged: each is
  // refused five times (the host's attempts), then skipped.
  std::set<int> unacknowledged_read_chunks;
  // After this many reports (Set and Get Feature) the mouse is unplugged.
  std::optional<long> unplug_after_reports;
  // Time each report takes, on the clock handed to the mouse.
  std::uint32_t latency_ms = 0;
};

}  // namespace zelko::sim

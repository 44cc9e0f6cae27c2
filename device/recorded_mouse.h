// What a recording tells about the mouse it was made with: its interfaces,
// its status reply, and its parameter memory as the program found it (a
// byte's first read before any write to it) and as the program left it
// (the last read or written value; a byte read back after a write holds
// what was read). A lenient replay, and the check of the simulator against
// a recording, run a simulated mouse made from this.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/hid_transport.h"
#include "device/protocol_layout.h"
#include "device/traffic_record.h"

namespace zelko {

struct RecordedInterface {
  std::optional<HidAttributes> attributes;
  std::optional<std::uint16_t> feature_length;
};

struct RecordedMouse {
  // By index in the enumeration (the largest one recorded).
  std::vector<RecordedInterface> interfaces;
  // The configuration interface's index (8-byte feature reports), if any.
  std::optional<int> configuration_interface;
  // The last acknowledged status reply (command 3), if there was one.
  std::optional<std::array<std::uint8_t, kReportLength>> status_reply;
  // As found: the first read before a write; a byte only written holds its
  // first written value (the best guess there is).
  std::array<std::uint8_t, kDeviceMemorySize> memory{};
  std::array<bool, kDeviceMemorySize> known{};  // the byte was read or written
  // As left: the last value read or written.
  std::array<std::uint8_t, kDeviceMemorySize> final_memory{};
  int known_bytes() const;
};

RecordedMouse ReconstructMouse(const Recording& recording);

}  // namespace zelko

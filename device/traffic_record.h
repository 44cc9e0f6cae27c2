// One recorded exchange with the mouse's transport, and the file format of
// a recording: one JSON object per line, so that a file cut short by a
// crash still reads up to its last whole line.
//
//   {"t":"header","format":1,"program":"zelko77ctl","program_version":"1.0","platform":"linux-x86_64"}
//   {"t":"enumerate","ms":0,"interfaces":3}
//   {"t":"open","ms":0,"path":2,"handle":1}
//   {"t":"attributes","ms":0,"handle":1,"ids":"3151:7707","release":"0104"}
//   {"t":"descriptor","handle":1,"bytes":"06 00 ff ..."}
//   {"t":"set","ms":12,"handle":1,"data":"04 01 00 00 00 00 00 00","ok":true}
//   {"t":"get","ms":22,"handle":1,"data":"04 01 ...","reply":"04 01 ... cc","ok":true}
//   {"t":"chip","code":"75"}
//
// Nothing personal is kept: a device path becomes its index in the last
// enumeration, a handle the number of its open (1, 2, ...); serial numbers
// are never asked for. "descriptor", "chip" and "header" lines describe
// the mouse; the other kinds are the program's requests and their answers,
// which a replay answers in order.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "device/hid_transport.h"

namespace zelko {

inline constexpr int kTrafficFormat = 1;

enum class TrafficKind {
  kHeader,
  kEnumerate,
  kOpen,
  kClose,
  kAttributes,
  kFeatureLength,
  kSetFeature,
  kGetFeature,
  kDescriptor,  // about the mouse: not a request
  kChip,        // about the mouse: not a request
};

// Whether a replay answers this kind (the program asked for it).
constexpr bool IsRequest(TrafficKind kind) {
  return kind != TrafficKind::kHeader && kind != TrafficKind::kDescriptor && kind != TrafficKind::kChip;
}

struct TrafficHeader {
  int format = kTrafficFormat;
  std::string program;          // "zelko77ctl", "zelko77"
  std::string program_version;  // "1.0"
  std::string platform;         // "linux-x86_64"
};

struct TrafficEntry {
  TrafficKind kind = TrafficKind::kHeader;
  int line = 0;              // 1-based line in the file (0: not read from one)
  std::uint64_t ms = 0;      // since the start, on the session's clock
  TrafficHeader header;      // kHeader
  // kEnumerate: the number of interfaces listed; nothing when the list
  // could not be had.
  std::optional<int> interfaces;
  int path = -1;    // kOpen: index in the last enumeration (-1: a path not listed)
  int handle = -1;  // the recording's number of an open interface (-1: none, a failed open)
  std::optional<HidAttributes> attributes;        // kAttributes
  std::optional<std::uint16_t> feature_length;    // kFeatureLength
  std::vector<std::uint8_t> data;   // kSetFeature/kGetFeature: the buffer handed in; kDescriptor
  std::vector<std::uint8_t> reply;  // kGetFeature: the buffer afterwards
  bool ok = false;                  // kSetFeature/kGetFeature: the transfer's result
  std::uint8_t chip_code = 0;       // kChip: the status reply's byte 3
};

// "04 01 00 cc" and back.
std::string BytesText(std::span<const std::uint8_t> bytes);
std::optional<std::vector<std::uint8_t>> ParseBytesText(std::string_view text);

// One line of the file, without its newline.
std::string TrafficLine(const TrafficEntry& entry);
// A line back; nothing (and `error`) when it is not one of ours.
std::optional<TrafficEntry> ParseTrafficLine(std::string_view line, std::string* error = nullptr);

// What one request reads like in an error message ("set feature on
// interface 1: 04 06 00 00 00 08 00 00").
std::string DescribeRequest(const TrafficEntry& entry);

struct Recording {
  TrafficHeader header;
  std::vector<TrafficEntry> entries;  // every line after the header, in order
  // The file ended inside a line (a program that crashed while writing):
  // what came before it is kept.
  bool truncated = false;
};

// A whole recording from its text. Refused (with the line number) when the
// first line is not a header of a format this program reads, or a whole
// line is not a recorded exchange. A last line without its newline is
// dropped and marks the recording truncated.
Result<Recording> ParseRecording(std::string_view text);

// The most a recording file may hold: a day of the window's polling and
// a few dozen whole-image writes.
inline constexpr std::size_t kMaxRecordingBytes = 64u << 20;

// ParseRecording of a file, read bounded (a regular file only).
Result<Recording> ReadRecordingFile(const std::string& path);

// "linux-x86_64", "windows-x86_64", ...
std::string PlatformName();

}  // namespace zelko

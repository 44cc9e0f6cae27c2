// The bytes of the command protocol: the 8-byte feature report, the command
// codes, the status reply and the timing of attempts and polls.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace zelko {

inline constexpr std::size_t kReportLength = 8;
inline constexpr std::uint8_t kCommandReportId = 0x04;

// Byte positions in the report.
inline constexpr std::size_t kReportIdByte = 0;
inline constexpr std::size_t kCommandByte = 1;
inline constexpr std::size_t kFirstArgumentByte = 2;  // arguments 1..4 in bytes 2..5
inline constexpr std::size_t kAckByte = 7;

// The acknowledgement byte: 0 = not ready yet, 0xCC = acknowledged, any
// other value = not accepted.
inline constexpr std::uint8_t kAckPending = 0x00;
inline constexpr std::uint8_t kAckOk = 0xCC;

enum class CommandCode : std::uint8_t {
  kBeginExchange = 0x01,
  kEndExchange = 0x02,
  kStatus = 0x03,
  kBeginBlockRead = 0x04,
  kNextReadChunk = 0x05,
  kBeginBlockWrite = 0x06,
  kNextWriteChunk = 0x07,
  kSystemReload = 0x08,
};

// Block commands (4 and 6): address and length, each little-endian.
inline constexpr std::size_t kBlockAddressLowByte = 2;
inline constexpr std::size_t kBlockAddressHighByte = 3;
inline constexpr std::size_t kBlockLengthLowByte = 4;
inline constexpr std::size_t kBlockLengthHighByte = 5;

// Status reply (command 3).
inline constexpr std::size_t kStatusSignatureByte = 1;
inline constexpr std::size_t kStatusFlagsByte = 2;
inline constexpr std::size_t kStatusChipCodeByte = 3;
inline constexpr std::size_t kStatusReservedByte = 4;
inline constexpr std::size_t kStatusWordLowByte = 5;
inline constexpr std::size_t kStatusWordHighByte = 6;
inline constexpr std::uint8_t kStatusSignature = 0xAA;
inline constexpr std::uint8_t kStatusFlagMask = 0x04;  // bit 2

// Chips: the status reply's chip code and what it stands for.
inline constexpr std::uint8_t kChipCode90 = 0x35;
inline constexpr std::uint8_t kChipCode98 = 0xFD;
inline constexpr std::uint8_t kChipCode99 = 0x75;
inline constexpr std::uint32_t kConfigurableChipId = 0x99;

// Block transfers: chunks of 6 data bytes. A read reply carries them in
// bytes 1..6; a write report in bytes 2..7.
inline constexpr std::size_t kChunkDataLength = 6;
inline constexpr std::size_t kChunkBufferLength = 7;  // data + acknowledgement
inline constexpr std::size_t kReadChunkFirstDataByte = 1;
inline constexpr std::size_t kWriteChunkFirstDataByte = 2;
inline constexpr std::uint8_t kEmptyByte = 0xFF;

// The whole parameter memory.
inline constexpr std::size_t kDeviceMemorySize = 2048;

// Identity bytes (manufacturer and product code) in device memory.
inline constexpr std::uint16_t kIdentityAddress = 0x0036;
inline constexpr std::uint16_t kIdentityLength = 2;

// How a request is sent and its acknowledgement awaited: `attempts` times
// the report is sent; after each send up to `polls` Get Feature calls look
// at the acknowledgement byte.
struct ExchangeTiming {
  int attempts;
  int polls;
  std::uint32_t sleep_before_send_ms;
  std::uint32_t sleep_after_send_ms;
  std::uint32_t sleep_before_poll_ms;
  std::uint32_t sleep_after_pending_poll_ms;  // only when byte 7 is still 0
};

inline constexpr ExchangeTiming kCommandTiming{5, 5, 0, 10, 0, 10};
inline constexpr ExchangeTiming kReadChunkTiming{5, 5, 0, 5, 0, 5};
inline constexpr ExchangeTiming kWriteChunkTiming{5, 5, 0, 10, 0, 5};
inline constexpr ExchangeTiming kStatusWordTiming{10, 10, 5, 0, 5, 0};

constexpr std::size_t ChunkCount(std::size_t length) {
  return (length + kChunkDataLength - 1) / kChunkDataLength;
}

}  // namespace zelko

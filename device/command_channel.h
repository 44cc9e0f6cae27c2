// The command protocol on the open configuration interface: single
// commands with an acknowledgement byte, 6-byte chunks, block transfers of
// parameter memory and the opening and closing handshakes.
//
// One channel per link. Sleeps go through the Clock; the progress window
// and "let the window process its messages" go through the UiPort.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/clock.h"
#include "device/device_link.h"
#include "device/exchange_lock.h"
#include "device/protocol_layout.h"
#include "device/ui_port.h"

namespace zelko {

// The report buffer: what was sent last, overwritten in place by the reply.
struct CommandReport {
  std::array<std::uint8_t, kReportLength> bytes{};
  std::uint8_t ack() const { return bytes[kAckByte]; }
};

// After a chunk read: reply bytes 1..7 (six data bytes and the
// acknowledgement). During a block write: the next chunk's data.
using ChunkBuffer = std::array<std::uint8_t, kChunkBufferLength>;

// What a block transfer can tell beyond its result: the chunks the mouse
// did not acknowledge (their data read as 0xFF, or was not taken).
struct BlockTransferReport {
  int chunk_count = 0;
  std::vector<int> unacknowledged_chunks;
  bool all_acknowledged() const { return unacknowledged_chunks.empty(); }
};

enum class [[nodiscard]] ExchangeState {
  kNoDevice,          // DeviceHandle is none; nothing was sent
  kNotAcknowledged,   // command 1 or the status query went unanswered
  kBadSignature,      // the status reply's byte 1 was not 0xAA
  kNotConfigurable,   // answered, but flag bit or chip id refuse configuration
  kConfigurable,
  kMouseBusy,         // another program holds the mouse's lock (or the lock
                      // could not be had); nothing was sent
};

struct [[nodiscard]] ExchangeResult {
  ExchangeState state = ExchangeState::kNoDevice;
  bool status_flag = false;
  std::uint32_t chip_id = 0;
  std::uint8_t chip_code = 0;   // status reply byte 3 as received
  std::uint8_t signature = 0;   // status reply byte 1 as received
  LockAttempt lock;             // kMouseBusy: who holds the mouse, or why no lock

  bool configurable() const { return state == ExchangeState::kConfigurable; }
  // The handshake completed: the caller ends with EndExchange.
  bool needs_closing_pair() const {
    return state == ExchangeState::kConfigurable || state == ExchangeState::kNotConfigurable;
  }
};

class CommandChannel {
 public:
  CommandChannel(DeviceLink& link, Clock& clock, UiPort& ui);

  // Sends [0x04, code, a1..a4, 0, 0] up to 5 times until acknowledged.
  [[nodiscard]] bool SendCommand(std::uint8_t code, std::uint8_t a1 = 0, std::uint8_t a2 = 0,
                                 std::uint8_t a3 = 0, std::uint8_t a4 = 0);
  [[nodiscard]] bool SendCommand(CommandCode code, std::uint8_t a1 = 0, std::uint8_t a2 = 0,
                                 std::uint8_t a3 = 0, std::uint8_t a4 = 0) {
    return SendCommand(static_cast<std::uint8_t>(code), a1, a2, a3, a4);
  }

  // Command 5. ChunkBuffer holds the reply, or 0xFF when not acknowledged.
  // Returns whether it was acknowledged.
  [[nodiscard]] bool ReadChunk();
  [[nodiscard]] bool WriteChunk(std::uint8_t d0, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                                std::uint8_t d4, std::uint8_t d5);

  // The button-state word of the status reply (key test); 0 when the mouse
  // does not answer.
  std::uint16_t ReadStatusWord();

  // Reads `length` bytes at `address` into destination[0..length). The
  // destination is filled with 0xFF first; chunks that are not acknowledged
  // stay 0xFF. False when the block command is not acknowledged, no device
  // is open, or the destination is shorter than `length`.
  [[nodiscard]] bool ReadBlock(std::uint16_t address, std::uint16_t length,
                               std::span<std::uint8_t> destination,
                               BlockTransferReport* report = nullptr);
  // The same reports; shows the progress before every chunk.
  [[nodiscard]] bool ReadBlockWithProgress(std::uint16_t address, std::uint16_t length,
                                           std::span<std::uint8_t> destination,
                                           BlockTransferReport* report = nullptr);
  // Writes source[0..length) at `address`, showing the progress before
  // every chunk. False when the block command is not acknowledged, no
  // device is open, or the source is shorter than `length`; chunks that are
  // not acknowledged are listed in `report`.
  [[nodiscard]] bool WriteBlock(std::uint16_t address, std::uint16_t length,
                                std::span<const std::uint8_t> source,
                                BlockTransferReport* report = nullptr);

  // Exchanges run under `lock` (not owned; null: none), taken for the node
  // the link has open, with this patience when another program holds it.
  void UseExchangeLock(ExchangeLock* lock, LockPatience patience = {});
  // Several exchanges that belong together (a read, its edit and the write
  // of it) keep the lock between them: taken here, released by a matching
  // ReleaseExchangeLock. Exchanges inside take it again without waiting.
  // Taken at once when no lock is used.
  [[nodiscard]] LockAttempt TakeExchangeLock();
  void ReleaseExchangeLock();

  // The opening handshake: the lock, command 1, then the status query.
  // Sets StatusFlag and ChipId. kMouseBusy when another program holds the
  // mouse: nothing was sent, and no closing pair follows.
  ExchangeResult BeginExchange();
  // The key test's opening: the lock, then command 1 alone (the worker's
  // status queries follow). Unless kMouseBusy, the exchange is open whatever
  // command 1 answered, and EndExchange closes it.
  ExchangeResult BeginExchangeWithoutStatus();
  // The closing pair: system reload (8), then end exchange (2); both are
  // sent whatever the first answers. True when both were acknowledged.
  // Releases the lock the exchange took.
  [[nodiscard]] bool EndExchange();
  // Command 8 alone. True when acknowledged.
  [[nodiscard]] bool SendSystemReload();

  // What the last opening handshake found (for saying why a connection
  // logic that only knows "not ready" did not go on).
  const ExchangeResult& last_begin() const { return last_begin_; }
  bool StatusFlag() const { return status_flag_; }
  std::uint32_t ChipId() const { return chip_id_; }
  const CommandReport& command_report() const { return report_; }
  const ChunkBuffer& chunk_buffer() const { return chunk_; }
  DeviceLink& link() { return link_; }

 private:
  // One request: build the report, send it and poll for the acknowledgement
  // with the given timing. True on 0xCC.
  [[nodiscard]] bool Exchange(const std::array<std::uint8_t, kReportLength>& request,
                              const ExchangeTiming& timing);
  [[nodiscard]] bool SendReport(bool set);
  [[nodiscard]] bool TransferBlockCommand(CommandCode code, std::uint16_t address, std::uint16_t length);
  [[nodiscard]] bool ReadBlockImpl(std::uint16_t address, std::uint16_t length,
                                   std::span<std::uint8_t> destination, bool show_progress,
                                   BlockTransferReport* report);

  DeviceLink& link_;
  Clock& clock_;
  UiPort& ui_;
  CommandReport report_;
  ChunkBuffer chunk_{};
  ExchangeResult OpenExchange();
  // The lock for an exchange that begins; false (result says why) when it
  // cannot be had.
  [[nodiscard]] bool TakeLockForExchange(ExchangeResult& result);
  ExchangeResult last_begin_;
  ExchangeLock* lock_ = nullptr;
  LockPatience patience_;
  int lock_depth_ = 0;
  bool exchange_holds_lock_ = false;
  bool status_flag_ = false;
  std::uint32_t chip_id_ = 0;
};

}  // namespace zelko

#include "sim/simulated_mouse.h"

#include <algorithm>

#include "sim/factory_memory.h"

namespace zelko::sim {

SimulatedMouse::SimulatedMouse(Clock& clock, SimFaults faults)
    : SimulatedMouse(clock, FactoryMemory(), std::move(faults)) {}

SimulatedMouse::SimulatedMouse(Clock& clock, const DeviceMemory& memory, SimFaults faults)
    : clock_(clock), faults_(std::move(faults)) {
  ReplaceMemory(memory);
}

void SimulatedMouse::ReplaceMemory(const DeviceMemory& memory) {
  memory_ = memory;
  if (faults_.identity) {
    memory_[kIdentityAddress] = (*faults_.identity)[0];
    memory_[kIdentityAddress + 1] = (*faults_.identity)[1];
  }
}

bool SimulatedMouse::CountReport() {
  if (unplugged_) return false;
  if (faults_.unplug_after_reports && reports_seen_ >= *faults_.unplug_after_reports) {
    unplugged_ = true;
    return false;
  }
  ++reports_seen_;
  if (faults_.latency_ms) clock_.SleepMs(faults_.latency_ms);
  return true;
}

bool SimulatedMouse::SetFeature(std::span<const std::uint8_t> report) {
  if (!CountReport() || report.size() < kReportLength) return false;
  std::copy_n(report.begin(), kReportLength, request_.begin());
  has_request_ = true;
  request_done_ = false;
  pending_polls_ = faults_.not_ready_polls;
  return true;
}

bool SimulatedMouse::GetFeature(std::span<std::uint8_t> report) {
  if (!CountReport() || faults_.no_answer || report.size() < kReportLength) return false;
  if (faults_.no_answer_after_reports && reports_seen_ > *faults_.no_answer_after_reports) return false;
  Report answer = reply_;
  if (has_request_ && !request_done_) {
    answer = request_;
    if (pending_polls_ > 0) {
      --pending_polls_;
      answer[kAckByte] = kAckPending;
    } else if (faults_.ack_value && faults_.ack_value_replies > 0 &&
               reports_seen_ > faults_.ack_value_after_reports) {
      --faults_.ack_value_replies;
      answer[kAckByte] = *faults_.ack_value;
    } else {
      reply_ = Execute(request_);
      request_done_ = true;
      answer = reply_;
    }
  }
  if (faults_.lost_answers > 0 && reports_seen_ > faults_.lost_answers_after_reports) {
    --faults_.lost_answers;
    return false;
  }
  std::copy(answer.begin(), answer.end(), report.begin());
  return true;
}

SimulatedMouse::Report SimulatedMouse::Execute(const Report& request) {
  Report reply = request;
  reply[kAckByte] = kAckOk;
  const std::uint8_t code = request[kCommandByte];
  if (request[kReportIdByte] != kCommandReportId || code < 1 || code > 8 ||
      faults_.refused_commands.count(code)) {
    reply[kAckByte] = kAckRefused;
    return reply;
  }
  switch (static_cast<CommandCode>(code)) {
    case CommandCode::kBeginExchange:
      in_exchange_ = true;
      exchange_began_ms_ = clock_.NowMs();
      if (hooks_.began) hooks_.began();
      break;
    case CommandCode::kEndExchange:
      in_exchange_ = false;
      mode_ = BlockMode::kNone;
      if (hooks_.ended) hooks_.ended();
      break;
    case CommandCode::kStatus:
      reply = Status(reply);
      break;
    case CommandCode::kBeginBlockRead:
    case CommandCode::kBeginBlockWrite:
      reply = BeginBlock(reply, code == static_cast<std::uint8_t>(CommandCode::kBeginBlockRead));
      break;
    case CommandCode::kNextReadChunk:
      reply = NextReadChunk(reply);
      break;
    case CommandCode::kNextWriteChunk:
      reply = NextWriteChunk(request);
      break;
    case CommandCode::kSystemReload:
      mode_ = BlockMode::kNone;
      break;
  }
  if (reply[kAckByte] == kAckOk) ++executed_[code];
  return reply;
}

SimulatedMouse::Report SimulatedMouse::Status(Report reply) const {
  reply[kStatusSignatureByte] = faults_.signature;
  reply[kStatusFlagsByte] = faults_.status_flag ? kStatusFlagMask : 0;
  reply[kStatusChipCodeByte] = faults_.chip_code;
  reply[kStatusReservedByte] = 0;
  const auto word = static_cast<std::uint16_t>(
      faults_.button_state | ButtonsHeldAt(faults_.button_presses, clock_.NowMs() - exchange_began_ms_));
  reply[kStatusWordLowByte] = static_cast<std::uint8_t>(word & 0xFF);
  reply[kStatusWordHighByte] = static_cast<std::uint8_t>(word >> 8);
  return reply;
}

SimulatedMouse::Report SimulatedMouse::BeginBlock(Report reply, bool read) {
  const auto address = static_cast<std::uint16_t>(reply[kBlockAddressLowByte] |
                                                  (reply[kBlockAddressHighByte] << 8));
  const auto length = static_cast<std::uint16_t>(reply[kBlockLengthLowByte] |
                                                 (reply[kBlockLengthHighByte] << 8));
  // Memory is only reachable inside an exchange, and only within its 2048 bytes.
  if (!in_exchange_ || std::size_t{address} + length > kDeviceMemorySize) {
    reply[kAckByte] = kAckRefused;
    return reply;
  }
  mode_ = read ? BlockMode::kRead : BlockMode::kWrite;
  cursor_ = address;
  remaining_ = length;
  chunk_index_ = 0;
  chunk_refusals_ = 0;
  return reply;
}

SimulatedMouse::Report SimulatedMouse::NextReadChunk(Report reply) {
  if (mode_ != BlockMode::kRead) {
    reply[kAckByte] = kAckRefused;
    return reply;
  }
  const std::size_t count = std::min<std::size_t>(kChunkDataLength, remaining_);
  if (faults_.unacknowledged_read_chunks.count(chunk_index_)) {
    // Refused as often as the host asks for it; then the firmware moves on,
    // so the next request gets the next chunk.
    reply[kAckByte] = kAckRefused;
    if (++chunk_refusals_ >= kReadChunkTiming.attempts) NextChunk(count);
    return reply;
  }
  for (std::size_t i = 0; i < kChunkDataLength; ++i) {
    reply[kReadChunkFirstDataByte + i] = i < count ? memory_[cursor_ + i] : 0x00;
  }
  NextChunk(count);
  return reply;
}

// `reply` starts as the request: its bytes 2..7 are the data (byte 7 too,
// before the acknowledgement replaces it).
SimulatedMouse::Report SimulatedMouse::NextWriteChunk(Report reply) {
  if (mode_ != BlockMode::kWrite) {
    reply[kAckByte] = kAckRefused;
    return reply;
  }
  const std::size_t count = std::min<std::size_t>(kChunkDataLength, remaining_);
  for (std::size_t i = 0; i < count; ++i) {
    StoreByte(static_cast<std::uint16_t>(cursor_ + i), reply[kWriteChunkFirstDataByte + i]);
  }
  NextChunk(count);
  if (first_write_report_ == 0) first_write_report_ = reports_seen_;
  reply[kAckByte] = kAckOk;
  return reply;
}

void SimulatedMouse::NextChunk(std::size_t count) {
  cursor_ = static_cast<std::uint16_t>(cursor_ + count);
  remaining_ = static_cast<std::uint16_t>(remaining_ - count);
  ++chunk_index_;
  chunk_refusals_ = 0;
}

void SimulatedMouse::StoreByte(std::uint16_t address, std::uint8_t value) {
  const auto dropped = faults_.dropped_writes.find(address);
  if (dropped != faults_.dropped_writes.end()) {
    if (dropped->second == kNeverKeeps) return;
    if (dropped->second > 0) {
      --dropped->second;
      return;
    }
  }
  memory_[address] = value;
}

}  // namespace zelko::sim

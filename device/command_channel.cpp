#include "device/command_channel.h"

#include <algorithm>

#include "device/chip_code.h"

namespace zelko {
namespace {

using Request = std::array<std::uint8_t, kReportLength>;

Request BuildRequest(CommandCode code, std::uint8_t a1, std::uint8_t a2, std::uint8_t a3,
                     std::uint8_t a4) {
  return {kCommandReportId, static_cast<std::uint8_t>(code), a1, a2, a3, a4, 0, 0};
}

}  // namespace

CommandChannel::CommandChannel(DeviceLink& link, Clock& clock, UiPort& ui)
    : link_(link), clock_(clock), ui_(ui) {
  chunk_.fill(kEmptyByte);
}

bool CommandChannel::SendReport(bool set) {
  const auto& state = link_.state();
  const std::size_t length = std::min<std::size_t>(state.FeatureReportLength, kReportLength);
  std::span<std::uint8_t> buffer(report_.bytes.data(), length);
  return set ? link_.transport().SetFeature(state.DeviceHandle, buffer)
             : link_.transport().GetFeature(state.DeviceHandle, buffer);
}

bool CommandChannel::Exchange(const Request& request, const ExchangeTiming& timing) {
  if (!link_.IsOpen()) return false;
  for (int attempt = 0; attempt < timing.attempts; ++attempt) {
    report_.bytes = request;
    if (timing.sleep_before_send_ms) clock_.SleepMs(timing.sleep_before_send_ms);
    const bool sent = SendReport(true);
    if (timing.sleep_after_send_ms) clock_.SleepMs(timing.sleep_after_send_ms);
    // A report that did not go out cannot be acknowledged: polling now would
    // only find the previous command's reply.
    if (!sent) continue;
    for (int poll = 0; poll < timing.polls; ++poll) {
      if (timing.sleep_before_poll_ms) clock_.SleepMs(timing.sleep_before_poll_ms);
      // A failed Get Feature leaves the sent report in the buffer, whose
      // byte 7 may be a data byte; it counts as "not ready yet".
      if (!SendReport(false)) report_.bytes[kAckByte] = kAckPending;
      if (report_.ack() != kAckPending) break;
      if (timing.sleep_after_pending_poll_ms) clock_.SleepMs(timing.sleep_after_pending_poll_ms);
    }
    if (report_.ack() == kAckOk) return true;
  }
  return false;
}

bool CommandChannel::SendCommand(std::uint8_t code, std::uint8_t a1, std::uint8_t a2,
                                 std::uint8_t a3, std::uint8_t a4) {
  return Exchange(BuildRequest(static_cast<CommandCode>(code), a1, a2, a3, a4), kCommandTiming);
}

bool CommandChannel::ReadChunk() {
  chunk_.fill(kEmptyByte);
  // The attempts one by one: an attempt the mouse never answered (every
  // poll failed or said "not ready") may still have been carried out, and
  // then the resend reads the next chunk: its data would pass for this
  // one's and shift the rest of the block. Such an answer is not taken; the
  // chunk counts as not acknowledged, so the reader reads again from here
  // with a new block command. A refused attempt was not carried out and its
  // resend is safe. The traffic is the same either way.
  ExchangeTiming one_attempt = kReadChunkTiming;
  one_attempt.attempts = 1;
  const Request request = BuildRequest(CommandCode::kNextReadChunk, 0, 0, 0, 0);
  bool unanswered_before = false;
  for (int attempt = 0; attempt < kReadChunkTiming.attempts; ++attempt) {
    if (Exchange(request, one_attempt)) {
      if (unanswered_before) return false;
      std::copy_n(report_.bytes.begin() + kReadChunkFirstDataByte, kChunkBufferLength, chunk_.begin());
      ui_.ProcessMessages();
      return true;
    }
    if (report_.ack() == kAckPending) unanswered_before = true;
  }
  return false;
}

bool CommandChannel::WriteChunk(std::uint8_t d0, std::uint8_t d1, std::uint8_t d2,
                                std::uint8_t d3, std::uint8_t d4, std::uint8_t d5) {
  const Request request{kCommandReportId, static_cast<std::uint8_t>(CommandCode::kNextWriteChunk),
                        d0, d1, d2, d3, d4, d5};
  return Exchange(request, kWriteChunkTiming);
}

std::uint16_t CommandChannel::ReadStatusWord() {
  if (!Exchange(BuildRequest(CommandCode::kStatus, 0, 0, 0, 0), kStatusWordTiming)) return 0;
  return static_cast<std::uint16_t>(report_.bytes[kStatusWordLowByte] |
                                    (report_.bytes[kStatusWordHighByte] << 8));
}

bool CommandChannel::TransferBlockCommand(CommandCode code, std::uint16_t address,
                                          std::uint16_t length) {
  return SendCommand(code, static_cast<std::uint8_t>(address & 0xFF),
                     static_cast<std::uint8_t>(address >> 8),
                     static_cast<std::uint8_t>(length & 0xFF),
                     static_cast<std::uint8_t>(length >> 8));
}

bool CommandChannel::ReadBlockImpl(std::uint16_t address, std::uint16_t length,
                                   std::span<std::uint8_t> destination, bool show_progress,
                                   BlockTransferReport* report) {
  const int chunks = static_cast<int>(ChunkCount(length));
  if (report) *report = BlockTransferReport{chunks, {}};
  if (destination.size() < length) return false;
  std::fill_n(destination.begin(), length, kEmptyByte);
  if (!TransferBlockCommand(CommandCode::kBeginBlockRead, address, length)) return false;
  for (int k = 0; k < chunks; ++k) {
    if (show_progress) {
      ui_.ShowProgress(k, chunks);
      ui_.ProcessMessages();
    }
    const bool acknowledged = ReadChunk();
    if (!acknowledged && report) report->unacknowledged_chunks.push_back(k);
    const std::size_t offset = static_cast<std::size_t>(k) * kChunkDataLength;
    const std::size_t count = std::min(kChunkDataLength, std::size_t{length} - offset);
    std::copy_n(chunk_.begin(), count, destination.begin() + static_cast<std::ptrdiff_t>(offset));
    ui_.ProcessMessages();
  }
  return true;
}

bool CommandChannel::ReadBlock(std::uint16_t address, std::uint16_t length,
                               std::span<std::uint8_t> destination, BlockTransferReport* report) {
  return ReadBlockImpl(address, length, destination, false, report);
}

bool CommandChannel::ReadBlockWithProgress(std::uint16_t address, std::uint16_t length,
                                           std::span<std::uint8_t> destination,
                                           BlockTransferReport* report) {
  return ReadBlockImpl(address, length, destination, true, report);
}

bool CommandChannel::WriteBlock(std::uint16_t address, std::uint16_t length,
                                std::span<const std::uint8_t> source,
                                BlockTransferReport* report) {
  const int chunks = static_cast<int>(ChunkCount(length));
  if (report) *report = BlockTransferReport{chunks, {}};
  if (source.size() < length) return false;
  chunk_.fill(kEmptyByte);
  if (!TransferBlockCommand(CommandCode::kBeginBlockWrite, address, length)) return false;
  for (int k = 0; k < chunks; ++k) {
    ui_.ShowProgress(k, chunks);
    ui_.ProcessMessages();
    const std::size_t offset = static_cast<std::size_t>(k) * kChunkDataLength;
    const std::size_t count = std::min(kChunkDataLength, std::size_t{length} - offset);
    // In a short last chunk the bytes past the block keep what the previous
    // chunk left (0xFF for a block shorter than one chunk).
    std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(offset), count, chunk_.begin());
    ui_.ProcessMessages();
    if (!WriteChunk(chunk_[0], chunk_[1], chunk_[2], chunk_[3], chunk_[4], chunk_[5]) && report) {
      report->unacknowledged_chunks.push_back(k);
    }
  }
  return true;
}

void CommandChannel::UseExchangeLock(ExchangeLock* lock, LockPatience patience) {
  lock_ = lock;
  patience_ = patience;
}

LockAttempt CommandChannel::TakeExchangeLock() {
  if (!lock_ || lock_depth_ > 0) {
    ++lock_depth_;
    return {};
  }
  LockAttempt attempt = TakeWithin(*lock_, link_.DevicePath(), patience_);
  if (attempt.taken()) ++lock_depth_;
  return attempt;
}

void CommandChannel::ReleaseExchangeLock() {
  if (lock_depth_ == 0) return;
  if (--lock_depth_ == 0 && lock_) lock_->Release();
}

bool CommandChannel::TakeLockForExchange(ExchangeResult& result) {
  if (exchange_holds_lock_) return true;  // a second opening inside one exchange
  result.lock = TakeExchangeLock();
  if (!result.lock.taken()) {
    result.state = ExchangeState::kMouseBusy;
    return false;
  }
  exchange_holds_lock_ = true;
  return true;
}

ExchangeResult CommandChannel::BeginExchange() {
  ExchangeResult result;
  if (link_.IsOpen() && !TakeLockForExchange(result)) {
    last_begin_ = result;
    return result;
  }
  last_begin_ = OpenExchange();
  // No closing pair follows an opening that did not complete: the mouse is
  // free again at once.
  if (!last_begin_.needs_closing_pair() && exchange_holds_lock_) {
    exchange_holds_lock_ = false;
    ReleaseExchangeLock();
  }
  return last_begin_;
}

ExchangeResult CommandChannel::BeginExchangeWithoutStatus() {
  ExchangeResult result;
  if (!link_.IsOpen()) return result;
  if (!TakeLockForExchange(result)) return result;
  result.state = SendCommand(CommandCode::kBeginExchange) ? ExchangeState::kConfigurable
                                                          : ExchangeState::kNotAcknowledged;
  return result;
}

ExchangeResult CommandChannel::OpenExchange() {
  ExchangeResult result;
  if (!link_.IsOpen()) return result;
  result.state = ExchangeState::kNotAcknowledged;
  if (!SendCommand(CommandCode::kBeginExchange)) return result;
  status_flag_ = false;
  chip_id_ = 0;
  if (!SendCommand(CommandCode::kStatus)) return result;
  result.signature = report_.bytes[kStatusSignatureByte];
  result.chip_code = report_.bytes[kStatusChipCodeByte];
  status_flag_ = (report_.bytes[kStatusFlagsByte] & kStatusFlagMask) != 0;
  chip_id_ = TranslateChipCode(result.chip_code);
  result.status_flag = status_flag_;
  result.chip_id = chip_id_;
  if (result.signature != kStatusSignature) {
    result.state = ExchangeState::kBadSignature;
    return result;
  }
  result.state = (status_flag_ && chip_id_ == kConfigurableChipId) ? ExchangeState::kConfigurable
                                                                   : ExchangeState::kNotConfigurable;
  return result;
}

bool CommandChannel::SendSystemReload() { return SendCommand(CommandCode::kSystemReload); }

bool CommandChannel::EndExchange() {
  const bool reloaded = SendSystemReload();
  const bool ended = SendCommand(CommandCode::kEndExchange);
  if (exchange_holds_lock_) {
    exchange_holds_lock_ = false;
    ReleaseExchangeLock();
  }
  return reloaded && ended;
}

}  // namespace zelko

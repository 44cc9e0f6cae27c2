// What both programs say when the opening handshake or the closing pair
// goes wrong, in words for the user (the window's language packs have the
// short forms, session/outcomes.h).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "device/command_channel.h"
#include "session/outcomes.h"

namespace zelko::session {

// "the mouse did not answer the opening handshake"
inline constexpr const char* kNoHandshakeAnswerText = "the mouse did not answer the opening handshake";
// What to do about it.
inline constexpr const char* kReplugAdvice = "unplug and replug it, then try again";

// The mouse did not acknowledge the closing pair.
inline constexpr const char* kEndNotAcknowledgedText =
    "the mouse did not acknowledge the end of the exchange (system reload and end); unplug and "
    "replug it before relying on what it holds";

// "the mouse answered the status query with signature 0x.. instead of
// 0xAA; ...": an answer of another device, which replugging does not mend.
std::string UnexpectedSignatureText(std::uint8_t signature);

// "the mouse refuses configuration (chip id 0x90, status flag clear)"; the
// flag left out when not given.
std::string RefusalText(std::uint32_t chip_id, std::optional<bool> status_flag);

struct HandshakeFailure {
  Outcome outcome = Outcome::kTransferFailed;
  std::string text;  // without advice or consequence; the caller adds them
};

// Why an opening handshake does not allow configuring the mouse; nothing
// when it does.
std::optional<HandshakeFailure> DescribeHandshake(const ExchangeResult& begin);

}  // namespace zelko::session

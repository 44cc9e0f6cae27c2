#include "session/exchange_texts.h"

#include <cstdio>

namespace zelko::session {
namespace {

std::string Hex(std::uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

}  // namespace

std::string UnexpectedSignatureText(std::uint8_t signature) {
  return "the mouse answered the status query with signature " + Hex(signature) +
         " instead of 0xAA; it is not a mouse this program can configure";
}

std::string RefusalText(std::uint32_t chip_id, std::optional<bool> status_flag) {
  std::string text = "the mouse refuses configuration (chip id " + Hex(chip_id);
  if (status_flag) text += std::string(", status flag ") + (*status_flag ? "set" : "clear");
  return text + ")";
}

std::optional<HandshakeFailure> DescribeHandshake(const ExchangeResult& begin) {
  switch (begin.state) {
    case ExchangeState::kConfigurable:
      return std::nullopt;
    case ExchangeState::kNoDevice:
    case ExchangeState::kNotAcknowledged:
      return HandshakeFailure{Outcome::kTransferFailed, kNoHandshakeAnswerText};
    case ExchangeState::kBadSignature:
      return HandshakeFailure{Outcome::kNotConfigurable, UnexpectedSignatureText(begin.signature)};
    case ExchangeState::kNotConfigurable:
      return HandshakeFailure{Outcome::kNotConfigurable, RefusalText(begin.chip_id, begin.status_flag)};
  }
  return HandshakeFailure{};
}

}  // namespace zelko::session

#include "sim/sim_options.h"

#include <limits>

#include "base/number_text.h"
#include "device/identity_text.h"

namespace zelko::sim {
namespace {

constexpr std::uint32_t kMaxAddress = kDeviceMemorySize - 1;
constexpr std::uint32_t kMaxCount = 1'000'000;
constexpr std::uint32_t kMaxLatencyMs = 10'000;

class Parser {
 public:
  std::string error;

  std::optional<std::uint32_t> Hex(std::string_view text, std::uint32_t max, const char* what) {
    auto value = ParseHexNumber(text, max);
    if (!value) Fail(what, text, "a hexadecimal number up to 0x" + ToHex(max));
    return value;
  }
  std::optional<std::uint32_t> Decimal(std::string_view text, std::uint32_t max, const char* what) {
    auto value = ParseDecimalNumber(text, max);
    if (!value) Fail(what, text, "a decimal number up to " + std::to_string(max));
    return value;
  }
  void Fail(const char* what, std::string_view text, const std::string& expected) {
    if (error.empty()) {
      error = std::string(what) + ": '" + std::string(text) + "' is not " + expected;
    }
  }

 private:
  static std::string ToHex(std::uint32_t value) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    do {
      text.insert(text.begin(), digits[value & 0xF]);
      value >>= 4;
    } while (value);
    return text;
  }
};

}  // namespace

SimOptionsResult ParseSimOptions(const SimOptionTexts& texts) {
  SimOptionsResult result;
  SimFaults& faults = result.faults;
  Parser parser;

  if (!texts.ids.empty()) {
    if (const auto ids = ParseDeviceIdentity(texts.ids)) {
      faults.vendor_id = static_cast<std::uint16_t>(ids->vendor_id);
      faults.product_id = static_cast<std::uint16_t>(ids->product_id);
    } else {
      parser.Fail("--sim-ids", texts.ids, "VID:PID in hexadecimal");
    }
  }
  if (!texts.chip.empty()) {
    if (auto v = parser.Hex(texts.chip, 0xFF, "--sim-chip")) faults.chip_code = static_cast<std::uint8_t>(*v);
  }
  if (!texts.signature.empty()) {
    if (auto v = parser.Hex(texts.signature, 0xFF, "--sim-signature")) faults.signature = static_cast<std::uint8_t>(*v);
  }
  faults.status_flag = !texts.no_flag;
  faults.no_answer = texts.no_answer;
  if (!texts.identity.empty()) {
    const auto parts = SplitList(texts.identity);
    if (parts.size() != 2) {
      parser.Fail("--sim-identity", texts.identity, "two hexadecimal bytes HEX,HEX");
    } else {
      const auto first = parser.Hex(parts[0], 0xFF, "--sim-identity");
      const auto second = parser.Hex(parts[1], 0xFF, "--sim-identity");
      if (first && second) {
        faults.identity = {static_cast<std::uint8_t>(*first), static_cast<std::uint8_t>(*second)};
      }
    }
  }
  for (const auto part : SplitList(texts.refuse)) {
    if (auto code = parser.Hex(part, 0xFF, "--sim-refuse")) {
      faults.refused_commands.insert(static_cast<std::uint8_t>(*code));
    }
  }
  for (const auto part : SplitList(texts.stuck)) {
    if (auto address = parser.Hex(part, kMaxAddress, "--sim-stuck")) {
      faults.dropped_writes[static_cast<std::uint16_t>(*address)] = kNeverKeeps;
    }
  }
  for (const auto part : SplitList(texts.sticky)) {
    const auto colon = part.find(':');
    if (colon == std::string_view::npos) {
      parser.Fail("--sim-sticky", part, "ADDR:K");
      continue;
    }
    const auto address = parser.Hex(part.substr(0, colon), kMaxAddress, "--sim-sticky");
    const auto lost = parser.Decimal(part.substr(colon + 1), kMaxCount, "--sim-sticky");
    if (address && lost) faults.dropped_writes[static_cast<std::uint16_t>(*address)] = static_cast<int>(*lost);
  }
  if (!texts.latency_ms.empty()) {
    if (auto v = parser.Decimal(texts.latency_ms, kMaxLatencyMs, "--sim-latency")) faults.latency_ms = *v;
  }
  if (!texts.not_ready.empty()) {
    if (auto v = parser.Decimal(texts.not_ready, kMaxCount, "--sim-not-ready")) faults.not_ready_polls = static_cast<int>(*v);
  }
  if (!texts.ack.empty()) {
    const auto colon = texts.ack.find(':');
    if (colon == std::string::npos) {
      parser.Fail("--sim-ack", texts.ack, "HEX:N (value and number of replies)");
    } else {
      const auto value = parser.Hex(std::string_view(texts.ack).substr(0, colon), 0xFF, "--sim-ack");
      const auto count = parser.Decimal(std::string_view(texts.ack).substr(colon + 1), kMaxCount, "--sim-ack");
      if (value && count) {
        faults.ack_value = static_cast<std::uint8_t>(*value);
        faults.ack_value_replies = static_cast<int>(*count);
      }
    }
  }
  for (const auto part : SplitList(texts.unacked_chunks)) {
    if (auto chunk = parser.Decimal(part, ChunkCount(kDeviceMemorySize) - 1, "--sim-unacked-chunks")) {
      faults.unacknowledged_read_chunks.insert(static_cast<int>(*chunk));
    }
  }
  if (!texts.unplug_after.empty()) {
    if (auto v = parser.Decimal(texts.unplug_after, std::numeric_limits<std::int32_t>::max(), "--sim-unplug-after")) {
      faults.unplug_after_reports = static_cast<long>(*v);
    }
  }
  if (LooksLikeButtonScript(texts.buttons)) {
    ButtonScriptParse script = ParseButtonScript(texts.buttons);
    if (script.error.empty()) {
      faults.button_presses = std::move(script.script);
    } else if (parser.error.empty()) {
      parser.error = "--sim-buttons: " + script.error;
    }
  } else if (!texts.buttons.empty()) {
    if (auto v = parser.Hex(texts.buttons, 0xFFFF, "--sim-buttons")) faults.button_state = static_cast<std::uint16_t>(*v);
  }
  result.error = parser.error;
  return result;
}

}  // namespace zelko::sim

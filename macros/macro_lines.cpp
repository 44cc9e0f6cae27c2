#include "macros/macro_lines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "image/checksum.h"
#include "keys/key_tables.h"

namespace zelko {
namespace {

constexpr std::string_view kCodeMarker = " CODE:";
// A key line ends in " CODE:" and four digits.
constexpr std::size_t kCodeSuffixLength = 10;
// Key line = kind digit, space, name, " CODE:", four digits.
constexpr std::size_t kKeyLineFixedLength = 12;
constexpr std::size_t kLastContentOffset = kMacroContentSize - 1;

std::string Hex2(std::uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0xF]};
}

std::optional<std::uint8_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  return std::nullopt;
}

std::optional<std::uint8_t> HexByte(std::string_view two) {
  const auto high = HexDigit(two[0]);
  const auto low = HexDigit(two[1]);
  if (!high || !low) return std::nullopt;
  return static_cast<std::uint8_t>(*high * 16 + *low);
}

// Delay events of a delay of ms: one FE FF per whole 2040 ms, then the
// remainder (or FE 00 for 0 ms). A negative delay gives none.
long long DelayEventCount(long long ms) {
  if (ms < 0) return 0;
  const long long remainder = ms % kMaxEventDelayMs;
  return ms / kMaxEventDelayMs + ((remainder > 0 || ms == 0) ? 1 : 0);
}

std::string EventLine(std::uint8_t code, std::uint8_t param) {
  using namespace macro_event;
  switch (code) {
    case kModifierPress:
      return KeyLine(true, ModifierName(param), code, param);
    case kModifierRelease:
      return KeyLine(false, ModifierName(param), code, param);
    case kKeyPress:
      return KeyLine(true, UsageLineName(param), code, param);
    case kKeyRelease:
      return KeyLine(false, UsageLineName(param), code, param);
    case kDelay:
      return DelayLine(static_cast<long long>(param) * kDelayStepMs);
    case kMoveX:
      return MoveXLine(static_cast<std::int8_t>(param));
    case kMoveY:
      return MoveYLine(static_cast<std::int8_t>(param));
    case kRepeatStart:
      return std::string("7 FD") + Hex2(param);
    case kRepeatEnd:
      return RepeatEndLine();
    default:
      break;
  }
  if (const auto button = MouseButtonOfCode(code)) {
    return MouseButtonLine(button->button, (code & kPressedBit) != 0);
  }
  return std::string("9 Unknown ") + Hex2(code) + std::string(kCodeMarker) + "00" + Hex2(code);
}

std::string MoveLine(char positive_kind, std::string_view code, int step) {
  const auto byte = static_cast<std::uint8_t>(step & 0xFF);
  const char kind = byte <= 0x7F ? positive_kind : static_cast<char>(positive_kind + 1);
  return std::string{kind, ' '} + std::string(code) + Hex2(byte);
}

}  // namespace

char LineKind(std::string_view line) { return line.empty() ? '\0' : line.front(); }

std::string HeaderLine(DelayMode mode, int default_delay_ms) {
  switch (mode) {
    case DelayMode::kNone:
      return "00";
    case DelayMode::kDefault:
      return "01" + std::to_string(default_delay_ms);
    case DelayMode::kRecorded:
      return "10";
  }
  return "00";
}

bool IsHeaderLine(std::string_view line) {
  if (line == "00" || line == "10") return true;
  if (line.size() < 2 || line.substr(0, 2) != "01") return false;
  return std::all_of(line.begin() + 2, line.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string DelayLine(long long ms) { return "0 " + std::to_string(ms); }

std::string KeyLine(bool pressed, std::string_view name, std::uint8_t code, std::uint8_t param) {
  return std::string(pressed ? "1 " : "2 ") + std::string(name) + std::string(kCodeMarker) +
         Hex2(code) + Hex2(param);
}

std::string MouseButtonLine(MacroMouseButton button, bool pressed) {
  const auto& info = MouseButtonInfo(button);
  const auto code =
      static_cast<std::uint8_t>(info.release_code | (pressed ? macro_event::kPressedBit : 0));
  return std::string(pressed ? "1 " : "2 ") + std::string(info.name) + std::string(kCodeMarker) +
         "00" + Hex2(code);
}

std::string MoveXLine(int step) { return MoveLine(line_kind::kMoveXPositive, "FB", step); }
std::string MoveYLine(int step) { return MoveLine(line_kind::kMoveYPositive, "FA", step); }

std::string RepeatStartLine(int repeat_number) {
  return std::string("7 FD") + Hex2(static_cast<std::uint8_t>((repeat_number - 1) & 0xFF));
}

std::string RepeatEndLine() { return "8 00FC"; }

std::string ModifierName(std::uint8_t bits) {
  std::string joined;
  std::uint8_t named = 0;
  for (const auto& modifier : kModifierBits) {
    if ((bits & modifier.bit) == 0) continue;
    named |= modifier.bit;
    if (!joined.empty()) joined += "+";
    joined += KeyIndexName(VirtualKeyToKeyIndex(modifier.virtual_key));
  }
  if (bits == 0 || named != bits) return "Modifier " + Hex2(bits);
  return joined;
}

std::string UsageLineName(std::uint8_t usage) {
  const std::string_view name = KeyboardUsageName(usage);
  if (name.empty()) return "Usage " + Hex2(usage);
  return std::string(name);
}

std::string_view LineNamePart(std::string_view line) {
  if (line.size() <= kKeyLineFixedLength) return {};
  return line.substr(2, line.size() - kKeyLineFixedLength);
}

long long DelayLineMs(std::string_view line) {
  if (line.size() <= 2) return 0;
  std::string_view number = line.substr(2);
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  int value = 0;  // the range of a 32-bit number; anything else is not a number
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || number.empty()) return 0;
  return value;
}

DecodedMacro ContentToMacroLines(const MacroContent& content) {
  DecodedMacro decoded;
  decoded.release_mode = content[kReleaseModeOffset];
  decoded.lines.push_back(HeaderLine(DelayMode::kNone));
  if (!ContentHasEvents(content)) return decoded;

  const std::size_t last = std::min<std::size_t>(content[kLengthOffset], kLastContentOffset);
  std::array<long long, 4> recorded{};
  std::size_t recorded_count = 0;
  std::size_t p = kFirstEventOffset;
  while (p <= last) {
    const std::uint8_t code = content[p];
    const std::size_t size = EventSize(code);
    if (size == 0) {
      decoded.lines.push_back(EventLine(code, 0));
      ++p;
      continue;
    }
    if (p + size - 1 > last) break;  // its second byte lies past the events
    if (code == macro_event::kDelay) {
      long long ms = 0;
      int merged = 0;
      while (merged < kMaxMergedDelayEvents && p + 1 <= last && content[p] == macro_event::kDelay) {
        ms += static_cast<long long>(content[p + 1]) * kDelayStepMs;
        p += 2;
        ++merged;
      }
      decoded.lines.push_back(DelayLine(ms));
      if (recorded_count < recorded.size()) recorded[recorded_count++] = ms;
      continue;
    }
    decoded.lines.push_back(EventLine(code, size == 2 ? content[p + 1] : 0));
    p += size;
  }

  const bool all_zero = std::all_of(recorded.begin(), recorded.end(), [](long long v) { return v == 0; });
  const bool all_equal =
      std::all_of(recorded.begin(), recorded.end(), [&](long long v) { return v == recorded[0]; });
  if (all_zero) {
    decoded.delay_mode = DelayMode::kNone;
  } else if (all_equal) {
    decoded.delay_mode = DelayMode::kDefault;
    decoded.default_delay_ms = static_cast<int>(recorded[0]);
  } else {
    decoded.delay_mode = DelayMode::kRecorded;
  }
  decoded.lines.front() = HeaderLine(decoded.delay_mode, decoded.default_delay_ms);
  return decoded;
}

std::size_t EncodedLineSize(std::string_view line) {
  if (line.empty()) return 0;
  if (LineKind(line) == line_kind::kDelay) {
    return static_cast<std::size_t>(DelayEventCount(DelayLineMs(line))) * 2;
  }
  if (line.size() < 4) return 0;
  const std::string_view tail = line.substr(line.size() - 4);
  if (!HexByte(tail.substr(0, 2)) || !HexByte(tail.substr(2, 2))) return 0;
  return tail.substr(0, 2) == "00" ? 1 : 2;
}

std::vector<std::uint8_t> EncodeLine(std::string_view line) {
  std::vector<std::uint8_t> bytes;
  const std::size_t size = EncodedLineSize(line);
  if (size == 0) return bytes;
  if (LineKind(line) == line_kind::kDelay) {
    const long long ms = DelayLineMs(line);
    bytes.reserve(size);
    for (long long i = 0; i < ms / kMaxEventDelayMs; ++i) {
      bytes.push_back(macro_event::kDelay);
      bytes.push_back(kMaxDelayByte);
    }
    const long long remainder = ms % kMaxEventDelayMs;
    if (remainder > 0 || ms == 0) {
      bytes.push_back(macro_event::kDelay);
      bytes.push_back(static_cast<std::uint8_t>(remainder / kDelayStepMs));
    }
    return bytes;
  }
  const std::string_view tail = line.substr(line.size() - 4);
  if (size == 2) bytes.push_back(*HexByte(tail.substr(0, 2)));
  bytes.push_back(*HexByte(tail.substr(2, 2)));
  return bytes;
}

std::size_t DelayByteCount(long long ms) {
  return static_cast<std::size_t>(DelayEventCount(ms)) * 2;
}

EncodedMacro EncodeMacroLines(const MacroLines& lines, std::uint8_t release_mode) {
  EncodedMacro encoded;
  std::vector<std::uint8_t> events;
  bool full = false;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::size_t size = EncodedLineSize(lines[i]);
    encoded.wanted_bytes += size;
    if (full || events.size() + size > kMaxEventBytes) {
      full = true;
      ++encoded.lines_dropped;
      continue;
    }
    const auto bytes = EncodeLine(lines[i]);
    events.insert(events.end(), bytes.begin(), bytes.end());
  }
  encoded.event_bytes = events.size();
  if (events.empty()) return encoded;  // three zero bytes, whatever the release mode

  MacroContent& content = encoded.content;
  const std::size_t n = events.size() + 1;
  content[kReleaseModeOffset] = release_mode;
  content[kLengthOffset] = static_cast<std::uint8_t>(n);
  std::copy(events.begin(), events.end(), content.begin() + kFirstEventOffset);
  content[n + 1] = SectionChecksum(std::span<const std::uint8_t>(content.data() + kLengthOffset, n));
  return encoded;
}

MacroContent MacroLinesToContent(const MacroLines& lines, std::uint8_t release_mode) {
  return EncodeMacroLines(lines, release_mode).content;
}

std::optional<std::string> MacroLineProblem(std::string_view line) {
  if (line.size() < 3 || line[1] != ' ' || line[0] < '0' || line[0] > '9') {
    return std::string("an event line starts with a kind digit 0 to 9 and a space");
  }
  const char kind = LineKind(line);
  if (kind == line_kind::kDelay) {
    const std::string_view number = line.substr(2);
    const bool digits = std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || number.size() > 9) return std::string("a delay line is \"0 \" followed by milliseconds");
    return std::nullopt;
  }
  const auto bytes = EncodeLine(line);
  if (bytes.empty()) return std::string("an event line ends in four hexadecimal digits");
  const bool needs_code = kind == line_kind::kPress || kind == line_kind::kRelease || kind == line_kind::kUnknown;
  if (needs_code && (line.size() < kKeyLineFixedLength ||
                     line.substr(line.size() - kCodeSuffixLength, kCodeMarker.size()) != kCodeMarker)) {
    return std::string("a key line is the kind digit, a space, the name, \" CODE:\" and four hexadecimal digits");
  }
  const std::size_t size = EventSize(bytes[0]);
  const bool one_event = size == 0 ? bytes.size() == 1 : size == bytes.size();
  const std::string decoded = EventLine(bytes[0], bytes.size() > 1 ? bytes[1] : 0);
  if (!one_event || LineKind(decoded) != kind) {
    std::string code;
    for (auto b : bytes) code += Hex2(b);
    return "the code " + code + " is not an event of kind " + std::string(1, kind);
  }
  return std::nullopt;
}

}  // namespace zelko

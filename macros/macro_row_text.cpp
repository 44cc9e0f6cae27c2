#include "macros/macro_row_text.h"

#include "macros/macro_lines.h"

namespace zelko {
namespace {

// " CODE:" and four digits end a key line; "1 " or "2 " start it.
constexpr std::size_t kCodeSuffixLength = 10;
constexpr std::size_t kKindPrefixLength = 2;

int TrailingByte(std::string_view line) {
  if (line.size() < 2) return 0;
  const auto bytes = EncodeLine(line);
  return bytes.empty() ? 0 : bytes.back();
}

}  // namespace

std::string EventRowText(std::string_view line) {
  switch (LineKind(line)) {
    case line_kind::kPress:
    case line_kind::kRelease:
    case line_kind::kUnknown:
      if (line.size() < kCodeSuffixLength + kKindPrefixLength) return {};
      return std::string(line.substr(kKindPrefixLength, line.size() - kCodeSuffixLength - kKindPrefixLength));
    case line_kind::kDelay:
      return std::string(line.size() > 2 ? line.substr(2) : "") + " ms";
    case line_kind::kMoveXPositive:
      return "X-Axis  " + std::to_string(TrailingByte(line));
    case line_kind::kMoveXNegative:
      return "X-Axis  " + std::to_string(TrailingByte(line) - 256);
    case line_kind::kMoveYPositive:
      return "Y-Axis  " + std::to_string(TrailingByte(line));
    case line_kind::kMoveYNegative:
      return "Y-Axis  " + std::to_string(TrailingByte(line) - 256);
    case line_kind::kRepeatStart:
      return "Rep-Start  " + std::to_string(TrailingByte(line) + 1);
    case line_kind::kRepeatEnd:
      return "Rep-Stop";
    default:
      return {};
  }
}

}  // namespace zelko
